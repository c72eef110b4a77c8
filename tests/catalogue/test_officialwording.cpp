// The wording the program ships for the allergens and the default additives:
// complete for every language it names, found by a regional tag, and silent
// for what it does not know.
#include "catalogue/marks.h"
#include "catalogue/officialwording.h"
#include "catalogue/translation.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

std::string str(const QString &s)
{
    return s.toStdString();
}

} // namespace

TEST(OfficialWording, EveryLanguageHasAllFourteenAllergensAndTwelveAdditives)
{
    const QStringList langs = ShippedWordingLanguages();
    // German, the interface's languages and every offered second language.
    QStringList want{QStringLiteral("de"), QStringLiteral("en"), QStringLiteral("fr"),
                     QStringLiteral("nl"), QStringLiteral("sv")};
    for (const OfferedLanguage &l : OfferedLanguages())
        want << QLatin1String(l.tag);
    for (const QString &l : want)
        EXPECT_TRUE(langs.contains(l)) << str(l);
    EXPECT_EQ(langs.size(), QSet<QString>(langs.begin(), langs.end()).size());

    const QStringList additives = DefaultAdditives();
    ASSERT_EQ(additives.size(), 12);
    for (const QString &l : langs) {
        QSet<QString> names;
        for (int i = 0; i < kAllergenCount; ++i) {
            const QString n = OfficialAllergenName(i, l);
            EXPECT_FALSE(n.trimmed().isEmpty()) << str(l) << " allergen " << i;
            EXPECT_EQ(n, n.trimmed()) << str(l) << " allergen " << i;
            names << n;
        }
        EXPECT_EQ(names.size(), kAllergenCount) << str(l) << ": two allergens share a name";
        EXPECT_TRUE(OfficialAllergenName(kAllergenCount, l).isEmpty()) << str(l);
        EXPECT_TRUE(OfficialAllergenName(-1, l).isEmpty()) << str(l);

        QSet<QString> texts;
        for (const QString &german : additives) {
            const QString t = ShippedAdditiveText(german, l);
            EXPECT_FALSE(t.trimmed().isEmpty()) << str(l) << " " << str(german);
            texts << t;
        }
        EXPECT_EQ(texts.size(), 12) << str(l) << ": two additives share a text";
        // Every other language's texts differ from the German ones.
        if (l != QLatin1String("de"))
            for (const QString &german : additives)
                EXPECT_NE(ShippedAdditiveText(german, l), german) << str(l);
    }
}

TEST(OfficialWording, ExactWordingAtBothEndsOfEachList)
{
    // First, a middle and the last entry of several languages: a table shifted
    // by one entry, or a language given another's column, changes one of them.
    struct Case {
        const char *lang;
        int allergen;
        const char16_t *name;
    };
    const Case allergens[] = {
        {"de", 0, u"glutenhaltiges Getreide"},
        {"en", 0, u"Cereals containing gluten"},
        {"en", 5, u"Soybeans"},
        {"en", 11, u"Sulphur dioxide and sulphites"},
        {"en", 13, u"Molluscs"},
        {"fr", 2, u"Œufs"},
        {"fr", 7, u"Fruits à coque"},
        {"nl", 4, u"Aardnoten"},
        {"sv", 13, u"Blötdjur"},
        {"it", 12, u"Lupini"},
        {"es", 10, u"Granos de sésamo"},
        {"pl", 12, u"Łubin"},
        {"tr", 0, u"Gluten içeren tahıllar"},
        {"da", 6, u"Mælk"},
        {"da", 13, u"Bløddyr"},
    };
    for (const Case &c : allergens)
        EXPECT_EQ(str(OfficialAllergenName(c.allergen, QLatin1String(c.lang))),
                  str(QString::fromUtf16(c.name)))
            << c.lang << " " << c.allergen;

    struct Additive {
        const char *lang;
        const char16_t *german;
        const char16_t *text;
    };
    const Additive texts[] = {
        {"de", u"mit Süßungsmittel", u"mit Süßungsmittel"},
        {"en", u"mit Farbstoff", u"with colouring"},
        {"en", u"geschwärzt", u"blackened"},
        {"en", u"enthält eine Phenylalaninquelle", u"contains a source of phenylalanine"},
        {"en", u"chininhaltig", u"contains quinine"},
        {"fr", u"mit Geschmacksverstärker", u"avec exhausteur de goût"},
        {"nl", u"koffeinhaltig", u"bevat cafeïne"},
        {"it", u"mit Konservierungsstoff", u"con conservante"},
        {"es", u"gewachst", u"encerado"},
        {"pl", u"chininhaltig", u"zawiera chininę"},
        {"sv", u"geschwefelt", u"svavlad"},
        {"da", u"mit Phosphat", u"med fosfat"},
        {"tr", u"koffeinhaltig", u"kafein içerir"},
    };
    for (const Additive &a : texts)
        EXPECT_EQ(str(ShippedAdditiveText(QString::fromUtf16(a.german), QLatin1String(a.lang))),
                  str(QString::fromUtf16(a.text)))
            << a.lang;
}

TEST(OfficialWording, RegionalTagsFindTheLanguageAndUnknownTextsFindNothing)
{
    // The primary subtag decides, in any case of letters.
    EXPECT_EQ(OfficialAllergenName(6, QStringLiteral("en-GB")), QStringLiteral("Milk"));
    EXPECT_EQ(OfficialAllergenName(6, QStringLiteral("EN-us")), QStringLiteral("Milk"));
    EXPECT_EQ(OfficialAllergenName(3, QStringLiteral("fr-CA")), QStringLiteral("Poissons"));
    EXPECT_EQ(OfficialAllergenName(3, QStringLiteral("de-AT")), AllergenName(3));
    EXPECT_EQ(ShippedAdditiveText(QStringLiteral("gewachst"), QStringLiteral("sv-FI")),
              QStringLiteral("vaxad"));
    EXPECT_EQ(ShippedAdditiveText(QStringLiteral("mit Farbstoff"), QStringLiteral("en-GB")),
              QStringLiteral("with colouring"));

    // A language without shipped wording, or no language, finds nothing; a
    // tag that only begins like a shipped language is another language.
    for (const char *tag : {"ja", "pt-BR", "eng", "e", "", "-en", "enx"}) {
        EXPECT_TRUE(OfficialAllergenName(0, QLatin1String(tag)).isEmpty()) << tag;
        const QString colouring = QStringLiteral("mit Farbstoff");
        EXPECT_TRUE(ShippedAdditiveText(colouring, QLatin1String(tag)).isEmpty()) << tag;
    }

    // A text of the user's own, or one that differs from a default text, has
    // no shipped wording: it gets its own translation in the document.
    for (const QString &own : {QStringLiteral("mit Taurin"), QStringLiteral("mit farbstoff"),
                               QStringLiteral("mit Farbstoff "), QStringLiteral("Farbstoff"),
                               QString()}) {
        EXPECT_TRUE(ShippedAdditiveText(own, QStringLiteral("en")).isEmpty()) << str(own);
        EXPECT_TRUE(ShippedAdditiveText(own, QStringLiteral("de")).isEmpty()) << str(own);
    }
}
