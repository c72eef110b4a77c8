#include "catalogue/cards.h"

#include "catalogue/catalogue.h"

namespace {

const char kEmptyName[] = "Eine Karte braucht einen Namen.";
const char kControlInName[] = "Der Name einer Karte ist eine Zeile ohne Steuerzeichen.";
const char kNameTaken[] = "Eine Karte mit diesem Namen gibt es schon.";

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

} // namespace

CardList::CardList()
{
    cards_.append(Card{defaultFirstName(), CardSettings(), {}});
}

QString CardList::defaultFirstName()
{
    return QStringLiteral("Speisekarte");
}

CardSettings CardList::settingsOf(int i, const CardSettings &first) const
{
    if (i <= 0 || i >= cards_.size())
        return first;
    CardSettings s = cards_.at(i).settings;
    s.marks.additives = first.marks.additives;
    s.marks.additiveTranslations = first.marks.additiveTranslations;
    return s;
}

QStringList CardList::names() const
{
    QStringList n;
    for (const Card &c : cards_)
        n.append(c.name);
    return n;
}

void CardList::remove(int i, Catalogue &cat)
{
    if (cards_.size() <= 1 || i < 0 || i >= cards_.size())
        return;
    cards_.remove(i);
    cat.removeCardBit(i);
}

void CardList::assign(const QVector<Card> &cards)
{
    cards_ = cards;
    if (cards_.isEmpty())
        cards_.append(Card{defaultFirstName(), CardSettings(), {}});
}

QString CardList::nameProblem(const QString &name, int self) const
{
    if (name.trimmed().isEmpty())
        return QString::fromUtf8(kEmptyName);
    for (QChar c : name)
        if (isControl(c))
            return QString::fromUtf8(kControlInName);
    for (int i = 0; i < cards_.size(); ++i)
        if (i != self && cards_.at(i).name.trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(kNameTaken);
    return QString();
}

QStringList CardNameMessageTexts()
{
    return {QString::fromUtf8(kEmptyName), QString::fromUtf8(kControlInName), QString::fromUtf8(kNameTaken)};
}

bool PrintsOnCard(const Catalogue &cat, int category, int row, int card)
{
    return card >= 0 && card < kMaxCards && cat.isOffered(category, row)
           && ((cat.productCards(category, row) >> card) & 1u);
}

bool CarriesEverything(const Catalogue &cat, int card)
{
    for (int i = 0; i < cat.categoryCount(); ++i) {
        const int n = cat.productCount(i);
        for (int j = 0; j < n; ++j)
            if (!PrintsOnCard(cat, i, j, card))
                return false;
    }
    return true;
}

bool AllOffered(const Catalogue &cat)
{
    for (int i = 0; i < cat.categoryCount(); ++i)
        for (int j = 0; j < cat.productCount(i); ++j)
            if (!cat.isOffered(i, j))
                return false;
    return true;
}

int ProductsOnCard(const Catalogue &cat, int card)
{
    int on = 0;
    for (int i = 0; i < cat.categoryCount(); ++i) {
        const int n = cat.productCount(i);
        for (int j = 0; j < n; ++j)
            on += PrintsOnCard(cat, i, j, card) ? 1 : 0;
    }
    return on;
}

QString SafeCardFileName(const QString &name)
{
    QString s;
    for (QChar c : name) {
        if (isControl(c) || QStringLiteral("/\\:*?\"<>|").contains(c))
            s += QLatin1Char('_');
        else
            s += c;
    }
    // Windows drops trailing dots and spaces; leading ones hide a file or make "..".
    while (!s.isEmpty() && (s.front() == QLatin1Char(' ') || s.front() == QLatin1Char('.')))
        s.remove(0, 1);
    while (!s.isEmpty() && (s.back() == QLatin1Char(' ') || s.back() == QLatin1Char('.')))
        s.chop(1);
    if (s.isEmpty())
        return QStringLiteral("Karte");
    static const QStringList reserved = {
        QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),  QStringLiteral("NUL"),
        QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"), QStringLiteral("COM4"),
        QStringLiteral("COM5"), QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
        QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"), QStringLiteral("LPT3"),
        QStringLiteral("LPT4"), QStringLiteral("LPT5"), QStringLiteral("LPT6"), QStringLiteral("LPT7"),
        QStringLiteral("LPT8"), QStringLiteral("LPT9")};
    const QString stem = s.section(QLatin1Char('.'), 0, 0).trimmed();
    if (reserved.contains(stem, Qt::CaseInsensitive))
        s.prepend(QLatin1Char('_'));
    // Names are short on every file system; 100 characters leave room for the folder.
    if (s.size() > 100)
        s.truncate(100);
    return s;
}
