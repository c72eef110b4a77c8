// Translations in the document file: a document written by hand from
// docs/file-format.md alone reads as the page says, a translated document
// comes back unchanged, and every damage the page names refuses the file.
#include "catalogue/cards.h"
#include "catalogue/document.h"
#include "catalogue/translationrecords.h"
#include "filebytes.h"

#include <cstring>
#include <gtest/gtest.h>
#include <map>

namespace {

using namespace filebytes;

// ---- the encodings of the page ("Encodings") -----------------------------------

QByteArray font()
{
    return byte(0) + int32(int32_t(0xFF000008u)) + byte(5) + QByteArray("Arial") + byte(0) + int32(96) + int32(12)
           + byte(0);
}

// Fields 1 to 40: "Vorspeisen" with Suppe and Salat, "Getränke" with Bier.
QByteArray fields()
{
    auto product = [](const char *name, const QString &description, const char *quantity, double price) {
        return text(QString::fromUtf8(name)) + text(description) + text(QString::fromUtf8(quantity)) + float64(price)
               + int32(0);
    };
    QByteArray b = int32(2);
    b += text("Vorspeisen") + int32(2);
    b += product("Suppe", "heiß", "", 5.5);
    b += product("Salat", "", "", 6);
    b += text(QString::fromUtf8("Getränke")) + int32(1);
    b += product("Bier", "", "", 3.6);
    b += text("Speisekarte") + text("Guten Appetit") + text(QString::fromUtf8("€")) + text("paper.jpg");
    b += byte(0) + byte(1);                                            // frame, capitals
    for (double v : {20.0, 20.0, 20.0, 20.0, 21.0, 29.7, 100.0, 0.0}) // margins, picture
        b += float64(v);
    b += byte(1) + byte(0) + byte(0) + byte(1); // aspect, grey, lighten, heading centred
    for (int i = 0; i < 8; ++i)
        b += font();
    b += byte(0);                                    // group A
    b += byte(0);                                    // group B
    b += byte(0) + byte(0) + text("Mittagstisch") + font(); // group C
    return b;
}

// The records of a translated document, by tag, as the page describes them.
std::map<uint16_t, QByteArray> translatedRecords()
{
    std::map<uint16_t, QByteArray> r;
    r[0x0020] = int32(1) + int32(1) + uint16(2) + text("0,3 l") + text("0,5 l");
    r[0x0052] = byte(1) + text("Menu") + text("") + text("Enjoy your meal");
    r[0x0060] = text("fr") + text("");
    r[0x0061] = int32(2) + int32(0) + int32(0) + text("Soupe") + text("chaude\r\nmaison") + text("1 bol")
                + int32(1) + int32(0) + text(QString::fromUtf8("Bière")) + text("") + text("");
    r[0x0062] = int32(2) + int32(0) + text(QString::fromUtf8("Entrées")) + uint16(0) + int32(1) + text("Boissons")
                + uint16(2) + text("") + text("0,5 l fr");
    r[0x0063] = int32(2) + text("avec colorant") + text("");
    return r;
}

QByteArray document(const std::map<uint16_t, QByteArray> &records, const QVector<uint16_t> &order = {})
{
    QByteArray body;
    if (order.isEmpty()) {
        for (const auto &[tag, payload] : records)
            body += record(tag, payload);
    } else {
        for (uint16_t tag : order)
            body += record(tag, records.at(tag));
    }
    return fields() + "VLRD" + uint32(uint32_t(body.size())) + body;
}

bool read(const QByteArray &bytes, DocumentData &d, QString *error = nullptr)
{
    QString e;
    return ReadDocument(bytes, CardSettings(), d, error ? error : &e);
}

QByteArray rewrite(const DocumentData &d)
{
    return WriteDocument(d.categoryNames, *d.catalogue, d.settings, d.unknownRecords, &d.cards);
}

} // namespace

TEST(TranslationRecords, ADocumentWrittenFromThePageReadsAsThePageSays)
{
    // The size headings stand after the category translations that need
    // them: a reader checks those once every record is read.
    const auto records = translatedRecords();
    DocumentData d;
    QString error;
    ASSERT_TRUE(read(document(records, {0x0063, 0x0062, 0x0061, 0x0060, 0x0052, 0x0020}), d, &error))
        << error.toStdString();
    const Catalogue &cat = *d.catalogue;
    EXPECT_EQ(cat.secondLanguage(), (SecondLanguage{"fr", ""}));
    EXPECT_EQ(cat.translation(0, 0), (ProductTranslation{"Soupe", "chaude\r\nmaison", "1 bol"}));
    EXPECT_TRUE(cat.translation(0, 1).isEmpty());
    EXPECT_EQ(cat.translation(1, 0).name, QString::fromUtf8("Bière"));
    EXPECT_EQ(cat.categoryTranslation(0), QString::fromUtf8("Entrées"));
    EXPECT_EQ(cat.categoryTranslation(1), "Boissons");
    EXPECT_EQ(cat.sizeHeadingTranslations(0), QStringList());
    EXPECT_EQ(cat.sizeHeadingTranslations(1), QStringList({"", "0,5 l fr"}));
    EXPECT_TRUE(d.settings.ZweisprachigCheck);
    EXPECT_EQ(d.settings.translation, (CardTextTranslation{"Menu", "", "Enjoy your meal"}));
    EXPECT_EQ(d.settings.marks.additiveTranslations, QStringList{"avec colorant"});
    EXPECT_TRUE(d.unknownRecords.isEmpty());

    // Velloran writes the same records in ascending tag order, and the
    // additive translations up to the last one given.
    auto ascending = records;
    ascending[0x0063] = int32(1) + text("avec colorant");
    EXPECT_EQ(rewrite(d), document(ascending));
}

TEST(TranslationRecords, RoundTripKeepsEveryTranslationAndPlainDocumentsTheirBytes)
{
    Catalogue cat;
    QStringList names{"Suppen", "Weine"};
    cat.addCategory();
    cat.addCategory();
    for (const char *n : {"Brühe", "Gulasch"})
        cat.addProduct(0, ProductValues{QString::fromUtf8(n), "", "", 4, 0});
    cat.addProduct(1, ProductValues{"Riesling", "trocken", "0,2 l", 6, 0});
    cat.addProduct(1, ProductValues{"", "Alle Weine aus der Pfalz", "", -1, 0});
    cat.setSizeHeadings(1, {"0,1 l", "0,2 l"});
    CardSettings s;
    CardList cards;
    cards.append(Card{"Weinkarte", CardSettings(), {}});

    const QByteArray plain = WriteDocument(names, cat, s, {}, &cards);
    auto tags = [&] {
        QVector<uint16_t> t;
        for (const ExtensionRecord &r : WriteExtensionRecords({cat, s, &cards}, {}))
            t << r.tag;
        return t;
    };
    // Sizes and the further card, nothing of the second language.
    EXPECT_EQ(tags(), (QVector<uint16_t>{0x0020, 0x0040}));

    // A second language chosen but nothing translated yet: only the language.
    cat.setSecondLanguage({"gsw", QString::fromUtf8("Schwiizerdütsch")});
    EXPECT_EQ(tags(), (QVector<uint16_t>{0x0020, 0x0040, 0x0060}));
    DocumentData d;
    ASSERT_TRUE(read(WriteDocument(names, cat, s, {}, &cards), d));
    EXPECT_EQ(d.catalogue->secondLanguage(), cat.secondLanguage());

    // English again, one further card switched bilingual: the language is
    // written beside it, so that a reader knows what its texts are.
    cat.setSecondLanguage(SecondLanguage());
    EXPECT_EQ(WriteDocument(names, cat, s, {}, &cards), plain);
    cards[1].settings.ZweisprachigCheck = true;
    EXPECT_TRUE(WriteExtensionRecords({cat, s, &cards}, {}).contains(
        ExtensionRecord{kSecondLanguageRecord, text("en") + text("")}));
    ASSERT_TRUE(read(WriteDocument(names, cat, s, {}, &cards), d));
    EXPECT_TRUE(d.cards.at(1).settings.ZweisprachigCheck);
    EXPECT_FALSE(d.settings.ZweisprachigCheck);
    EXPECT_TRUE(d.unknownRecords.isEmpty());
    EXPECT_TRUE(d.cards.at(1).unknownRecords.isEmpty());
    cards[1].settings.ZweisprachigCheck = false;
    // Additive translations only of additives the list has count.
    s.marks.additiveTranslations = QStringList(12, QString()) << "beyond the list";
    EXPECT_EQ(WriteDocument(names, cat, s, {}, &cards), plain);

    // Everything translated.
    cat.setTranslation(0, 1, {"Goulash", "", ""});
    cat.setTranslation(1, 0, {"Riesling", "dry\r\nfrom the Palatinate", "0.2 l"});
    cat.setTranslation(1, 1, {"", "All wines from the Palatinate", ""});
    cat.setCategoryTranslation(1, "Wines");
    cat.setSizeHeadingTranslations(1, {"0.1 l", "0.2 l"});
    s.ZweisprachigCheck = true;
    s.translation = {"Menu", "Lunch", ""};
    s.marks.additiveTranslations = QStringList{"", "", "with preservative"};
    cards[1].settings.translation.footer = "Cheers";
    const QByteArray bytes = WriteDocument(names, cat, s, {}, &cards);
    ASSERT_TRUE(bytes.startsWith(plain.left(plain.indexOf("VLRD"))));

    // Read over settings that are bilingual with other texts: the file's win.
    CardSettings current;
    current.ZweisprachigCheck = true;
    current.translation.footer = "old";
    QString error;
    ASSERT_TRUE(ReadDocument(bytes, current, d, &error)) << error.toStdString();
    const Catalogue &r = *d.catalogue;
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(r.categoryTranslation(c), cat.categoryTranslation(c));
        EXPECT_EQ(r.sizeHeadingTranslations(c), cat.sizeHeadingTranslations(c));
        for (int p = 0; p < 2; ++p)
            EXPECT_EQ(r.translation(c, p), cat.translation(c, p)) << c << " " << p;
    }
    EXPECT_EQ(d.settings.translation, s.translation);
    EXPECT_EQ(d.settings.marks.additiveTranslations, s.marks.additiveTranslations);
    EXPECT_EQ(d.cards.at(1).settings.translation.footer, "Cheers");
    EXPECT_EQ(rewrite(d), bytes);

    // A document without the records is English, has no translations and
    // no bilingual card, whatever was open before.
    ASSERT_TRUE(ReadDocument(plain, current, d, &error));
    EXPECT_FALSE(d.settings.ZweisprachigCheck);
    EXPECT_TRUE(d.settings.translation.isEmpty());
    EXPECT_FALSE(d.catalogue->hasTranslations());
    EXPECT_TRUE(d.catalogue->secondLanguage().isDefault());
}

TEST(TranslationRecords, OneLineTextsAreCleanedAndProductTextsKeptAsTheyStand)
{
    auto records = translatedRecords();
    const QString lines = QString::fromUtf8("Soupe\r\n\t\u2028du jour");
    records[0x0061] = int32(1) + int32(0) + int32(0) + text(lines) + text(lines) + text("");
    records[0x0062] = int32(1) + int32(1) + text("Bois\nsons") + uint16(1) + text("0,3\tl");
    records[0x0063] = int32(1) + text(QString::fromUtf8("avec\u0085colorant"));
    records[0x0060] = text("de-CH-1996") + text("Schweizer\nHochdeutsch");
    DocumentData d;
    QString error;
    ASSERT_TRUE(read(document(records), d, &error)) << error.toStdString();
    EXPECT_EQ(d.catalogue->translation(0, 0).name, lines);
    EXPECT_EQ(d.catalogue->translation(0, 0).description, lines);
    EXPECT_EQ(d.catalogue->categoryTranslation(1), "Bois sons");
    EXPECT_EQ(d.catalogue->sizeHeadingTranslations(1), QStringList({"0,3 l", ""}));
    EXPECT_EQ(d.settings.marks.additiveTranslations, QStringList{"avec colorant"});
    // An unknown well-formed tag is kept with its name, on one line.
    EXPECT_EQ(d.catalogue->secondLanguage(), (SecondLanguage{"de-CH-1996", "Schweizer Hochdeutsch"}));
}

TEST(TranslationRecords, DamageRefusesTheDocument)
{
    struct Case {
        const char *what;
        uint16_t tag;
        QByteArray payload;
        const char *says;
    };
    const QByteArray soup = text("Soupe") + text("") + text("");
    const QVector<Case> cases = {
        {"malformed tag", 0x0060, text("en_GB") + text(""), "en_GB"},
        {"empty tag", 0x0060, text("") + text(""), "Sprachkürzel"},
        {"tag with a space", 0x0060, text("en GB") + text(""), "en GB"},
        {"missing product", 0x0061, int32(1) + int32(0) + int32(2) + soup, "Produkt 3 in Kategorie 1"},
        {"missing category", 0x0061, int32(1) + int32(2) + int32(0) + soup, "Kategorie 3"},
        {"product twice", 0x0061, int32(2) + int32(0) + int32(1) + soup + int32(0) + int32(1) + soup,
         "Eintrag 2 steht nicht nach"},
        {"out of order", 0x0061, int32(2) + int32(1) + int32(0) + soup + int32(0) + int32(1) + soup,
         "Eintrag 2 steht nicht nach"},
        {"count beyond the record", 0x0061, int32(3) + int32(0) + int32(0) + soup, "Anzahl 3"},
        {"heading for a missing size", 0x0062,
         int32(1) + int32(1) + text("") + uint16(3) + text("a") + text("b") + text("c"), "Kategorie 2 hat 2"},
        {"heading without sizes", 0x0062, int32(1) + int32(0) + text("") + uint16(1) + text("a"),
         "Kategorie 1 hat 0"},
        {"five headings", 0x0062, int32(1) + int32(1) + text("") + uint16(5) + QByteArray(20, '\0'),
         "5 Größen"},
        {"category twice", 0x0062, int32(2) + int32(1) + text("x") + uint16(0) + int32(1) + text("y") + uint16(0),
         "zweites Mal"},
        {"no such category", 0x0062, int32(1) + int32(2) + text("x") + uint16(0), "Kategorie 3"},
        {"additive beyond the list", 0x0063, int32(13) + QByteArray(13 * 4, '\0'), "13 Zusatzstoffe"},
        {"additives beyond 999", 0x0063, int32(1000) + QByteArray(1000 * 4, '\0'), "999"},
        {"bit 2 of the card's flags", 0x0052, byte(5) + text("") + text("") + text(""), "Bits (4)"},
        {"card record cut short", 0x0052, byte(1) + text("Menu"), "Übersetzung der Kartentexte"},
    };
    for (const Case &c : cases) {
        auto records = translatedRecords();
        records[c.tag] = c.payload;
        DocumentData d;
        d.categoryNames = {"unchanged"};
        QString error;
        EXPECT_FALSE(read(document(records), d, &error)) << c.what;
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.says))) << c.what << ": " << error.toStdString();
        EXPECT_EQ(d.categoryNames, QStringList{"unchanged"}) << c.what;
    }

    // Products and categories are listed once: a second record is damage.
    const QByteArray twice = document(translatedRecords(), {0x0020, 0x0061, 0x0061});
    DocumentData d;
    EXPECT_FALSE(read(twice, d));
    EXPECT_FALSE(read(document(translatedRecords(), {0x0020, 0x0062, 0x0062}), d));

    // The additive translations may be as many as a list of its own holds,
    // wherever the list stands.
    auto records = translatedRecords();
    records[0x0002] = int32(13);
    for (int i = 0; i < 13; ++i)
        records[0x0002] += text(QString("Stoff %1").arg(i + 1));
    records[0x0063] = int32(13) + QByteArray(13 * 4, '\0');
    EXPECT_TRUE(read(document(records, {0x0063, 0x0020, 0x0002}), d));
    records[0x0002] = int32(1) + text("Stoff");
    records[0x0063] = int32(2) + text("a") + text("b");
    EXPECT_FALSE(read(document(records, {0x0002, 0x0063}), d));
}
