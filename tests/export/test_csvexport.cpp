#include "catalogue/cards.h"
#include "export/csvexport.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QStringList kGerman{"Kategorie", "Bezeichnung", "Beschreibung", "Preis", "Bestellnummer", "Menge"};
const QByteArray kGermanLine("\"Kategorie\",\"Bezeichnung\",\"Beschreibung\",\"Preis\",\"Bestellnummer\",\"Menge\"\r\n");

ProductValues product(const QString &name, double price, int32_t number,
                      const QString &description = {}, const QString &quantity = {})
{
    ProductValues v;
    v.name = name;
    v.description = description;
    v.quantity = quantity;
    v.price = price;
    v.number = number;
    return v;
}

} // namespace

TEST(CsvExport, EmptyCatalogueAndEmptyCategoriesGiveOnlyTheHeader)
{
    Catalogue cat;
    EXPECT_EQ(BuildCsv({}, cat, kGerman, ','), kGermanLine);
    cat.addCategory();
    cat.addCategory();
    EXPECT_EQ(BuildCsv({"Vorspeisen", "Desserts"}, cat, kGerman, ','), kGermanLine);
}

TEST(CsvExport, EveryProductInCatalogueOrderWithSixQuotedFields)
{
    Catalogue cat;
    for (int i = 0; i < 3; ++i)
        cat.addCategory();
    cat.addProduct(0, product("Bier", 3.5, 1, "frisch gezapft", "0,5l"));
    cat.addProduct(0, product("Wasser", 0, 0));           // price on request
    cat.addProduct(2, product("Tageskarte", -1, -1, "fragen Sie"));  // a free text
    // The cursors the window relies on stay where they were.
    cat.kats->GetObject(1);
    const QByteArray csv = BuildCsv({"Getr\u00e4nke", "Leer", "Sonstiges"}, cat, kGerman, ',');
    EXPECT_EQ(cat.kats->aobjnr, 1);
    EXPECT_EQ(csv, kGermanLine
                       + "\"Getr\xE4nke\",\"Bier\",\"frisch gezapft\",\"3,50\",\"1\",\"0,5l\"\r\n"
                         "\"Getr\xE4nke\",\"Wasser\",\"\",\"0,00\",\"0\",\"\"\r\n"
                         "\"Sonstiges\",\"Tageskarte\",\"fragen Sie\",\"-1,00\",\"-1\",\"\"\r\n");
}

TEST(CsvExport, CardsAndOffersAreTwoColumnsAtTheEndOnlyWhenTheDocumentUsesThem)
{
    Catalogue cat;
    cat.addCategory();
    cat.addProduct(0, product("Spargel", 18.5, 0));
    cat.addProduct(0, product("Schnitzel", 14, 0));
    cat.addProduct(0, product("Suppe", 5, 0));
    const QByteArray plain = kGermanLine
                             + "\"K\",\"Spargel\",\"\",\"18,50\",\"0\",\"\"\r\n"
                               "\"K\",\"Schnitzel\",\"\",\"14,00\",\"0\",\"\"\r\n"
                               "\"K\",\"Suppe\",\"\",\"5,00\",\"0\",\"\"\r\n";
    // The first card alone, carrying everything: the file as without cards.
    CardList cards;
    EXPECT_EQ(CsvHeader(cat, &cards).size(), 6);
    EXPECT_EQ(BuildCsv({"K"}, cat, CsvHeader(cat, &cards), ',', &cards), plain);

    // Out of season: the product keeps its line and its card.
    cat.setOffered(0, 0, false);
    QStringList header = kGerman;
    header << "Im Angebot" << "Karten";
    EXPECT_TRUE(CsvCardColumns(cat, &cards));
    EXPECT_EQ(CsvHeader(cat, &cards).mid(6), QStringList({"Im Angebot", "Karten"}));
    EXPECT_EQ(BuildCsv({"K"}, cat, header, ',', &cards),
              "\"Kategorie\",\"Bezeichnung\",\"Beschreibung\",\"Preis\",\"Bestellnummer\",\"Menge\",\"Im Angebot\","
              "\"Karten\"\r\n"
              "\"K\",\"Spargel\",\"\",\"18,50\",\"0\",\"\",\"nein\",\"Speisekarte\"\r\n"
              "\"K\",\"Schnitzel\",\"\",\"14,00\",\"0\",\"\",\"ja\",\"Speisekarte\"\r\n"
              "\"K\",\"Suppe\",\"\",\"5,00\",\"0\",\"\",\"ja\",\"Speisekarte\"\r\n");

    // Offered again, but a second card: the columns name the cards in card
    // order, after the size columns.
    cat.setOffered(0, 0, true);
    EXPECT_FALSE(CsvCardColumns(cat, &cards));
    cards.append(Card{"Mittagstisch", CardSettings(), {}});
    cat.setProductCards(0, 0, 0b10);
    cat.setProductCards(0, 1, 0b11);
    cat.setProductCards(0, 2, 0);
    cat.setSizeHeadings(0, {"klein", "gro\u00df"});
    const QStringList withSizes = CsvHeader(cat, &cards);
    ASSERT_EQ(withSizes.size(), 13);
    EXPECT_EQ(withSizes.at(11), "Im Angebot");
    const QList<QByteArray> lines = BuildCsv({"K"}, cat, withSizes, ',', &cards).split('\n');
    EXPECT_TRUE(lines.at(1).endsWith(",\"ja\",\"Mittagstisch\"\r")) << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(2).endsWith(",\"ja\",\"Speisekarte, Mittagstisch\"\r")) << lines.at(2).toStdString();
    EXPECT_TRUE(lines.at(3).endsWith(",\"ja\",\"\"\r")) << lines.at(3).toStdString();
    EXPECT_EQ(lines.at(3).count("\",\""), 12); // 13 fields
}

TEST(CsvExport, QuotesDoubledCommasAndLineBreaksKept)
{
    Catalogue cat;
    cat.addCategory();
    cat.addProduct(0, product("Das \"Beste\"", 12.346, 7, "mit Salat, Brot\r\nund Dip", "\"1\""));
    const QByteArray csv = BuildCsv({"K;1"}, cat, kGerman, '.');
    EXPECT_EQ(csv.mid(kGermanLine.size()),
              "\"K;1\",\"Das \"\"Beste\"\"\",\"mit Salat, Brot\r\nund Dip\",\"12.35\",\"7\",\"\"\"1\"\"\"\r\n");
}

TEST(CsvExport, DecimalPointFollowsTheRegionalSettings)
{
    Catalogue cat;
    cat.addCategory();
    cat.addProduct(0, product("Bier", 3.5, 1));
    {
        testutil::LocaleScope de("de_DE");
        EXPECT_TRUE(BuildCsv({"K"}, cat, kGerman, UserDecimalPoint()).contains("\"3,50\""));
    }
    {
        testutil::LocaleScope en("en_US");
        EXPECT_TRUE(BuildCsv({"K"}, cat, kGerman, UserDecimalPoint()).contains("\"3.50\""));
    }
    // Large prices have no thousands separator.
    cat.addProduct(0, product("Fass", 1234567.891, 2));
    EXPECT_TRUE(BuildCsv({"K"}, cat, kGerman, ',').contains("\"1234567,89\""));
}

TEST(CsvExport, HeaderInAnotherLanguageAndCharactersOutsideTheCodePage)
{
    Catalogue cat;
    cat.addCategory();
    cat.addProduct(0, product(QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xD0\xB1\xD0\xBE\xD1\x80\xD1\x89 \xF0\x9F\x8D\xB2"), 2, 3));
    const QStringList english{"Category", "Name", "Description", "Price", "Order number", "Quantity"};
    const QByteArray csv = BuildCsv({"Suppen"}, cat, english, '.');
    EXPECT_TRUE(csv.startsWith("\"Category\",\"Name\",\"Description\",\"Price\",\"Order number\",\"Quantity\"\r\n"));
    EXPECT_TRUE(csv.contains("\"Caf\xE9 \x80 ???? ?\"")) << csv.toStdString();
}

TEST(CsvExport, FileIsReplacedAndFailuresAreReported)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("karte.csv");
    ASSERT_TRUE(testutil::writeFile(path, QByteArray(5000, 'x')));
    QString err;
    ASSERT_TRUE(WriteCsvFile(path, kGermanLine, &err)) << err.toStdString();
    EXPECT_EQ(testutil::readFile(path), kGermanLine);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"karte.csv"});

    EXPECT_FALSE(WriteCsvFile(dir.filePath("no/folder/karte.csv"), kGermanLine, &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_FALSE(WriteCsvFile(dir.path(), kGermanLine, &err)); // a folder of that name
    EXPECT_EQ(testutil::readFile(path), kGermanLine);
}

TEST(CsvExport, WriteFailingPartWayIsReportedAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("karte.csv");
    ASSERT_TRUE(testutil::writeFile(path, kGermanLine));
    QString err;
    bool ok = true;
    {
        testutil::FileSizeLimit full(100); // the disk is full after 100 bytes
        if (!full.active())
            GTEST_SKIP() << "no file size limit on this system";
        ok = WriteCsvFile(path, QByteArray(1000, 'y'), &err);
    }
    EXPECT_FALSE(ok);
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(testutil::readFile(path), kGermanLine);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"karte.csv"});
}

TEST(CsvExport, TranslationsAreThreeColumnsTitledWithTheLanguageAfterAllOthers)
{
    Catalogue cat;
    cat.addCategory();
    cat.addProduct(0, product("Suppe", 5, 0, "hei\u00df", "Tasse"));
    cat.addProduct(0, product("Brot", 2, 0));
    const QByteArray plain = BuildCsv({"K"}, cat, CsvHeader(cat), ',');

    // A category's translation, a second language or a card's: no column,
    // the file as before.
    cat.setCategoryTranslation(0, "Soups");
    cat.setSecondLanguage({"fr", ""});
    EXPECT_FALSE(CsvTranslationColumns(cat));
    EXPECT_EQ(BuildCsv({"K"}, cat, CsvHeader(cat), ',', nullptr), plain);

    // One product translated: three columns at the end, after the cards'.
    cat.setTranslation(0, 0, {"Soupe", "chaude\r\n\"maison\"", "tasse"});
    CardList cards;
    cat.setOffered(0, 1, false);
    const QStringList header = CsvHeader(cat, &cards);
    EXPECT_EQ(header.mid(6), QStringList({"Im Angebot", "Karten", "Bezeichnung (fr)", "Beschreibung (fr)", "Menge (fr)"}));
    EXPECT_EQ(BuildCsv({"K"}, cat, header, ',', &cards),
              "\"Kategorie\",\"Bezeichnung\",\"Beschreibung\",\"Preis\",\"Bestellnummer\",\"Menge\",\"Im Angebot\","
              "\"Karten\",\"Bezeichnung (fr)\",\"Beschreibung (fr)\",\"Menge (fr)\"\r\n"
              "\"K\",\"Suppe\",\"hei\xDF\",\"5,00\",\"0\",\"Tasse\",\"ja\",\"Speisekarte\",\"Soupe\","
              "\"chaude\r\n\"\"maison\"\"\",\"tasse\"\r\n"
              "\"K\",\"Brot\",\"\",\"2,00\",\"0\",\"\",\"nein\",\"Speisekarte\",\"\",\"\",\"\"\r\n");

    // The spreadsheet takes the same columns.
    const CatalogueTable table = BuildCatalogueTable({"K"}, cat, header, ',', &cards);
    ASSERT_EQ(table.header.size(), 11);
    EXPECT_EQ(table.rows.at(0).at(10).text, "tasse");
}
