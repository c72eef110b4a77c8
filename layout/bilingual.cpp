#include "layout/bilingual.h"

#include "catalogue/cardview.h"
#include "catalogue/officialwording.h"
#include "catalogue/translation.h"
#include "catalogue/translationtexts.h"
#include "i18n/translateunit.h"
#include "layout/cardlayout.h"

namespace {

const char16_t kMissingNote[] = u"Zweisprachige Karte: %1 Texte ohne Übersetzung";

// The legend's two labels in the offered second languages.
struct LegendLabels {
    const char *language;
    const char16_t *additives;
    const char16_t *allergens;
};
const LegendLabels kLegendLabels[] = {
    {"en", u"Additives", u"Allergens"},
    {"fr", u"Additifs", u"Allergènes"},
    {"nl", u"Additieven", u"Allergenen"},
    {"sv", u"Tillsatser", u"Allergener"},
    {"it", u"Additivi", u"Allergeni"},
    {"es", u"Aditivos", u"Alérgenos"},
    {"pl", u"Substancje dodatkowe", u"Alergeny"},
    {"tr", u"Katkı maddeleri", u"Alerjenler"},
    {"da", u"Tilsætningsstoffer", u"Allergener"},
};

const LegendLabels *labelsOf(const QString &language)
{
    const QString primary = language.section(QLatin1Char('-'), 0, 0).toLower();
    for (const LegendLabels &l : kLegendLabels)
        if (primary == QLatin1String(l.language))
            return &l;
    return nullptr;
}

// "German / wording", or German alone when the wording is missing or the same.
QString bothWordings(const QString &german, const QString &wording)
{
    if (!IsTranslated(wording) || wording == german)
        return german;
    return german + QStringLiteral(" / ") + wording;
}

} // namespace

FontSetting TranslationFont(const FontSetting &german)
{
    FontSetting f = german;
    f.style ^= FontSetting::Italic;
    return f;
}

QStringList BilingualRows(const LayoutMeasure &m, const QString &german, const QString &translation,
                          double availableMM)
{
    if (PrintedTranslation(german, translation).isEmpty())
        return {german};
    const QString joined = german + BilingualSeparator() + translation;
    if (m.TextWidthMM(joined) <= availableMM)
        return {joined};
    return {german, translation};
}

QString BilingualLegendText(const UsedMarks &used, const MarkSettings &marks, const QString &language)
{
    const LegendLabels *labels = labelsOf(language);
    auto label = [&](const QString &german, const char16_t *wording) {
        return bothWordings(german, labels ? QString::fromUtf16(wording) : QString()) + QStringLiteral(": ");
    };
    const QStringList &additives = marks.additives;
    QStringList parts;
    if (!used.additives.isEmpty()) {
        QStringList items;
        for (int n : used.additives) {
            QString item = QString::number(n);
            if (n >= 1 && n <= additives.size() && !additives.at(n - 1).isEmpty()) {
                const QString &german = additives.at(n - 1);
                item += QChar(0x00A0) + bothWordings(german, AdditiveWording(marks, n - 1, language));
            }
            items << item;
        }
        parts << label(QStringLiteral("Zusatzstoffe"), labels ? labels->additives : nullptr)
                     + items.join(QStringLiteral(", "));
    }
    if (used.allergens) {
        QStringList items;
        for (int i = 0; i < kAllergenCount; ++i) {
            if ((used.allergens >> i) & 1u)
                items << QString(AllergenLetter(i)) + QChar(0x00A0)
                             + bothWordings(AllergenName(i), OfficialAllergenName(i, language));
        }
        parts << label(QStringLiteral("Allergene"), labels ? labels->allergens : nullptr)
                     + items.join(QStringLiteral(", "));
    }
    return parts.join(QStringLiteral(" \u00B7 "));
}

int MissingTranslationsOfCard(const CardSource &card)
{
    if (!card.settings.ZweisprachigCheck || !card.catalogue)
        return 0;
    if (card.view)
        return MissingTranslations(TranslatableTextsOfCard(*card.view, card.settings));
    const CardView whole(card.categoryNames, *card.catalogue, 0, false);
    return MissingTranslations(TranslatableTextsOfCard(whole, card.settings));
}

QString MissingTranslationsNote(int missing)
{
    if (missing <= 0)
        return QString();
    return TranslateStr(QString::fromUtf16(kMissingNote)).arg(missing);
}

QStringList BilingualMessageTexts()
{
    return {QString::fromUtf16(kMissingNote)};
}
