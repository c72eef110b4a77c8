#include "catalogue/marks.h"

#include <algorithm>

namespace {

const char16_t kLetters[kAllergenCount + 1] = u"ABCDEFGHLMNOPR";

const char16_t *const kNames[kAllergenCount] = {
    u"glutenhaltiges Getreide", u"Krebstiere", u"Eier",      u"Fisch",
    u"Erdnüsse",                u"Soja",       u"Milch",     u"Schalenfrüchte",
    u"Sellerie",                u"Senf",       u"Sesam",     u"Schwefeldioxid und Sulfite",
    u"Lupinen",                 u"Weichtiere",
};

void insertSorted(QVector<int> &v, int n)
{
    auto it = std::lower_bound(v.begin(), v.end(), n);
    if (it == v.end() || *it != n)
        v.insert(it, n);
}

} // namespace

QChar AllergenLetter(int i)
{
    return i >= 0 && i < kAllergenCount ? QChar(kLetters[i]) : QChar();
}

QString AllergenName(int i)
{
    return i >= 0 && i < kAllergenCount ? QString::fromUtf16(kNames[i]) : QString();
}

QStringList DefaultAdditives()
{
    return {QStringLiteral("mit Farbstoff"),
            QStringLiteral("mit Konservierungsstoff"),
            QStringLiteral("mit Antioxidationsmittel"),
            QStringLiteral("mit Geschmacksverstärker"),
            QStringLiteral("geschwefelt"),
            QStringLiteral("geschwärzt"),
            QStringLiteral("gewachst"),
            QStringLiteral("mit Phosphat"),
            QStringLiteral("mit Süßungsmittel"),
            QStringLiteral("enthält eine Phenylalaninquelle"),
            QStringLiteral("koffeinhaltig"),
            QStringLiteral("chininhaltig")};
}

bool ProductMarks::hasAdditive(int n) const
{
    return std::binary_search(additives.begin(), additives.end(), n);
}

void ProductMarks::setAllergen(int i, bool on)
{
    if (i < 0 || i >= kAllergenCount)
        return;
    if (on)
        allergens |= uint16_t(1u << i);
    else
        allergens &= uint16_t(~(1u << i));
}

void ProductMarks::setAdditive(int n, bool on)
{
    if (n < 1)
        return;
    if (on)
        insertSorted(additives, n);
    else
        additives.removeAll(n);
}

QString AdditiveNumbers(const ProductMarks &m)
{
    QStringList parts;
    for (int n : m.additives)
        parts << QString::number(n);
    return parts.join(QLatin1Char(','));
}

QString AllergenLetters(const ProductMarks &m)
{
    QString s;
    for (int i = 0; i < kAllergenCount; ++i) {
        if (!m.hasAllergen(i))
            continue;
        if (!s.isEmpty())
            s += QLatin1Char(',');
        s += AllergenLetter(i);
    }
    return s;
}

QString MarksText(const ProductMarks &m)
{
    const QString a = AdditiveNumbers(m);
    const QString l = AllergenLetters(m);
    if (a.isEmpty() || l.isEmpty())
        return a + l;
    return a + QLatin1Char(',') + l;
}

void UsedMarks::add(const ProductMarks &m)
{
    allergens |= m.allergens;
    for (int n : m.additives)
        insertSorted(additives, n);
}

QString LegendText(const UsedMarks &used, const QStringList &additives)
{
    QStringList parts;
    if (!used.additives.isEmpty()) {
        QStringList items;
        for (int n : used.additives) {
            QString item = QString::number(n);
            if (n >= 1 && n <= additives.size() && !additives.at(n - 1).isEmpty())
                item += QChar(0x00A0) + additives.at(n - 1);
            items << item;
        }
        parts << QStringLiteral("Zusatzstoffe: ") + items.join(QStringLiteral(", "));
    }
    if (used.allergens) {
        QStringList items;
        for (int i = 0; i < kAllergenCount; ++i) {
            if ((used.allergens >> i) & 1u)
                items << QString(AllergenLetter(i)) + QChar(0x00A0) + AllergenName(i);
        }
        parts << QStringLiteral("Allergene: ") + items.join(QStringLiteral(", "));
    }
    return parts.join(QStringLiteral(" \u00B7 "));
}
