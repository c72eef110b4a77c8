// Reading CSV sheets, their numbers, and planning and applying a merge of a
// sheet into the catalogue.
#include "cardbuilder.h"
#include "catalogue/sheet.h"
#include "catalogue/sheetimport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QStringList texts(const SheetRow &row)
{
    QStringList t;
    for (const SheetCell &c : row.cells)
        t << c.text;
    return t;
}

Sheet csv(const QByteArray &data)
{
    Sheet s;
    QString error;
    EXPECT_TRUE(ReadCsvSheet(data, &s, &error)) << error.toStdString();
    return s;
}

// The German titles, as the CSV export writes them.
SheetTitles germanTitles()
{
    SheetTitles t(kSheetColumnKinds);
    for (int k = 0; k < kSheetColumnKinds; ++k)
        t[k] = QStringList{SheetColumnKey(k)};
    return t;
}

SheetRow row(int line, const QStringList &cells)
{
    SheetRow r;
    r.line = line;
    for (const QString &c : cells) {
        SheetCell cell;
        cell.text = c;
        r.cells << cell;
    }
    return r;
}

const QStringList kHeader{"Kategorie", "Bezeichnung", "Beschreibung", "Preis", "Bestellnummer", "Menge"};

ImportPlan plan(testutil::CardBuilder &b, const QVector<SheetRow> &rows, SheetColumns *columnsOut = nullptr)
{
    Sheet s;
    s.rows << row(1, kHeader) << rows;
    const SheetColumns columns = MatchSheetColumns(s.rows.first(), germanTitles());
    if (columnsOut)
        *columnsOut = columns;
    return PlanSheetImport(s, columns, b.names, b.cat);
}

} // namespace

TEST(SheetCsv, EncodingsSeparatorsAndQuotedFields)
{
    CsvEncoding enc;
    Sheet s;
    // Windows-1252 (the export's own), comma separated, quoted fields with
    // commas, doubled quotation marks and a line break inside.
    ASSERT_TRUE(ReadCsvSheet("\"K\xe4se\",\"a,b\"\r\n\"Er sagt \"\"hi\"\"\",\"eins\r\nzwei\"\r\nx,y\r\n", &s, nullptr, &enc));
    EXPECT_EQ(enc, CsvEncoding::Windows1252);
    ASSERT_EQ(s.rows.size(), 3);
    EXPECT_EQ(texts(s.rows[0]), QStringList({"K\u00e4se", "a,b"}));
    EXPECT_EQ(texts(s.rows[1]), QStringList({"Er sagt \"hi\"", "eins\r\nzwei"}));
    EXPECT_EQ(texts(s.rows[2]), QStringList({"x", "y"}));
    // The row after a field with a line break keeps its number in the file.
    EXPECT_EQ(s.rows[1].line, 2);
    EXPECT_EQ(s.rows[2].line, 4);

    // UTF-8 with and without byte order mark; semicolons (German Excel) with
    // commas inside numbers; tabs.
    ASSERT_TRUE(ReadCsvSheet("\xEF\xBB\xBFK\xC3\xA4se;6,90;\"1,5\"\n\nb;c;d", &s, nullptr, &enc));
    EXPECT_EQ(enc, CsvEncoding::Utf8Bom);
    ASSERT_EQ(s.rows.size(), 2); // the empty line is no row
    EXPECT_EQ(texts(s.rows[0]), QStringList({"K\u00e4se", "6,90", "1,5"}));
    EXPECT_EQ(s.rows[1].line, 3);
    ASSERT_TRUE(ReadCsvSheet("K\xC3\xA4se\t6,90\t1;2\r", &s, nullptr, &enc));
    EXPECT_EQ(enc, CsvEncoding::Utf8);
    EXPECT_EQ(texts(s.rows[0]), QStringList({"K\u00e4se", "6,90", "1;2"}));
    // A last field left empty is a field.
    EXPECT_EQ(texts(csv("a,b,\r\n").rows[0]), QStringList({"a", "b", ""}));
}

TEST(SheetCsv, TooManyRowsOrColumnsAreRefused)
{
    QByteArray many;
    many.reserve(3 * (kMaxSheetRows + 1));
    for (int i = 0; i <= kMaxSheetRows; ++i)
        many += "x\n";
    Sheet s;
    QString error;
    EXPECT_FALSE(ReadCsvSheet(many, &s, &error));
    EXPECT_TRUE(error.contains(QString::number(kMaxSheetRows))) << error.toStdString();
    many.chop(2);
    EXPECT_TRUE(ReadCsvSheet(many, &s, &error));
    EXPECT_EQ(s.rows.size(), kMaxSheetRows);

    EXPECT_FALSE(ReadCsvSheet(QByteArray(kMaxSheetColumns, ','), &s, &error));
    EXPECT_TRUE(ReadCsvSheet(QByteArray(kMaxSheetColumns - 1, ','), &s, &error));
}

TEST(SheetCsv, NumbersWithDecimalCommaOrPoint)
{
    const struct {
        const char *text;
        double value;
    } good[] = {{"6,90", 6.9},        {"6.90", 6.9},     {"1.234,50", 1234.5}, {"1,234.50", 1234.5},
                {"1 234,50", 1234.5}, {"-2", -2},        {"6,90 \u20ac", 6.9},  {"12", 12},
                {"1.234.567", 1234567}, {"0,5", 0.5},    {"-0", 0}};
    for (const auto &g : good) {
        double v = -99;
        EXPECT_TRUE(ParseSheetNumber(QString::fromUtf8(g.text), &v)) << g.text;
        EXPECT_DOUBLE_EQ(v, g.value) << g.text;
        EXPECT_FALSE(std::signbit(v) && v == 0) << g.text;
    }
    for (const char *bad : {"", "abc", "6,9x", "1.2.3,4.5", "1,23,4", ",5", "5.", "1.23.4", "--1", "1e5"}) {
        double v = 0;
        EXPECT_FALSE(ParseSheetNumber(QString::fromUtf8(bad), &v)) << bad;
    }
}

TEST(SheetImport, ColumnsAreMatchedByTitleInAnyOrderAndSpelling)
{
    SheetTitles titles = germanTitles();
    titles[ColName] << "Name";
    QStringList unknown;
    const SheetColumns c = MatchSheetColumns(row(1, {" preis: ", "NAME", "Kategorie", "Farbe", "Größe 2"}), titles, &unknown);
    EXPECT_EQ(c.at[ColPrice], 0);
    EXPECT_EQ(c.at[ColName], 1);
    EXPECT_EQ(c.at[ColCategory], 2);
    EXPECT_EQ(c.at[ColSize2], 4);
    EXPECT_FALSE(c.has(ColDescription));
    EXPECT_TRUE(c.usable());
    EXPECT_EQ(unknown, QStringList({"Farbe"}));
    EXPECT_FALSE(MatchSheetColumns(row(1, {"Kategorie", "Bezeichnung"}), titles).usable());
}

// The translation columns: the German column's title in any spelling the
// titles allow, then a well-formed language tag in parentheses; one
// language per sheet.
TEST(SheetImport, TranslationColumnsAreKnownByTitleAndTag)
{
    SheetTitles titles = germanTitles();
    titles[ColName] << "Name";
    QStringList unknown;
    const SheetColumns c = MatchSheetColumns(
        row(1, {"Kategorie", "Bezeichnung", "Preis", "name (EN-gb):", "Beschreibung(en-GB)", "Menge (fr)",
                "Preis (en-GB)", "Bezeichnung (e n)", "Bezeichnung (en-GB)", "Menge ()"}),
        titles, &unknown);
    EXPECT_EQ(c.at[ColName], 1);
    EXPECT_EQ(c.at[ColNameTranslation], 3);
    EXPECT_EQ(c.at[ColDescriptionTranslation], 4);
    EXPECT_EQ(c.translationTag, "EN-gb");
    // Another language, a column without translation, a malformed tag and
    // a column named twice (first place counts, not unknown).
    EXPECT_FALSE(c.has(ColQuantityTranslation));
    EXPECT_EQ(unknown, QStringList({"Menge (fr)", "Preis (en-GB)", "Bezeichnung (e n)", "Menge ()"}));
    // Without any, the sheet has no tag.
    EXPECT_TRUE(MatchSheetColumns(row(1, kHeader), titles).translationTag.isEmpty());
}

// A sheet's translations in the document's second language are compared
// and taken like the German texts; an empty cell empties the translation
// as it empties a description; another language's columns are left aside.
TEST(SheetImport, TranslationsOfTheSecondLanguageAreTakenOthersLeftAside)
{
    testutil::CardBuilder b;
    const int starters = b.category("Vorspeisen");
    b.product(starters, "Rindercarpaccio", 12.5, 1, "mit Rucola", "120 g");
    b.product(starters, "Zurek", 6, 2, "Sauerteigsuppe");
    b.product(starters, "Bruschetta", 7, 3);
    b.cat.setTranslation(starters, 0, {"Beef carpacio", "with rocket", "120 g"});
    b.cat.setTranslation(starters, 1, {"\u017burek", "Sour rye soup", ""});
    b.cat.setTranslation(starters, 2, {"Bruschetta", "", ""});

    auto sheetPlan = [&](const QString &tag, const QVector<SheetRow> &rows) {
        Sheet s;
        s.rows << row(1, kHeader + QStringList{"Bezeichnung (" + tag + ")", "Beschreibung (" + tag + ")",
                                              "Menge (" + tag + ")"})
               << rows;
        return PlanSheetImport(s, MatchSheetColumns(s.rows.first(), germanTitles()), b.names, b.cat);
    };
    const QVector<SheetRow> rows{
        // The spelling corrected, the quantity's translation emptied.
        row(2, {"Vorspeisen", "Rindercarpaccio", "mit Rucola", "12,50", "1", "120 g", "Beef carpaccio ",
                "with rocket", ""}),
        // As the Windows-1252 CSV export writes "Żurek": the document's own.
        row(3, {"Vorspeisen", "Zurek", "Sauerteigsuppe", "6,00", "2", "", "?urek", "Sour rye soup", ""}),
        row(4, {"Vorspeisen", "Bruschetta", "", "7,00", "3", "", "Bruschetta", "", ""}),
        row(5, {"Vorspeisen", "Oliven", "", "4,00", "4", "", "Olives", "", "80 g"}),
    };

    // Tags are compared without case.
    const ImportPlan p = sheetPlan("EN", rows);
    EXPECT_EQ(p.translationTag, "en");
    EXPECT_TRUE(p.otherLanguageColumns.isEmpty());
    ASSERT_EQ(p.changed.size(), 1);
    EXPECT_EQ(p.changed[0].line, 2);
    ASSERT_EQ(p.changed[0].changes.size(), 2);
    EXPECT_EQ(p.changed[0].changes[0].column, ColNameTranslation);
    EXPECT_EQ(p.changed[0].changes[0].before, "Beef carpacio");
    EXPECT_EQ(p.changed[0].changes[0].after, "Beef carpaccio");
    EXPECT_EQ(p.changed[0].changes[1].column, ColQuantityTranslation);
    EXPECT_EQ(p.changed[0].changes[1].before, "120 g");
    EXPECT_EQ(p.changed[0].changes[1].after, "");
    EXPECT_EQ(p.unchanged.size(), 2);
    ASSERT_EQ(p.added.size(), 1);

    ApplySheetImport(p, false, b.names, b.cat);
    EXPECT_EQ(b.cat.translation(starters, 0), (ProductTranslation{"Beef carpaccio", "with rocket", ""}));
    EXPECT_EQ(b.cat.translation(starters, 1).name, "\u017burek");
    EXPECT_EQ(b.cat.translation(starters, 3), (ProductTranslation{"Olives", "", "80 g"}));
    EXPECT_TRUE(sheetPlan("en", rows).changesNothing(true));

    // French columns in an English document: nothing taken, and said so.
    QVector<SheetRow> french = rows;
    french[0].cells[6].text = "Carpaccio de b\u0153uf";
    const ImportPlan f = sheetPlan("fr", french);
    EXPECT_TRUE(f.changesNothing(true));
    EXPECT_TRUE(f.translationTag.isEmpty());
    EXPECT_EQ(f.otherLanguageColumns, QStringList({"Bezeichnung (fr)", "Beschreibung (fr)", "Menge (fr)"}));
    ApplySheetImport(f, false, b.names, b.cat);
    EXPECT_EQ(b.cat.translation(starters, 0).name, "Beef carpaccio");
    // A sheet without translation columns keeps the translations.
    const ImportPlan none = plan(b, {row(2, {"Vorspeisen", "Rindercarpaccio", "mit Rucola", "13,00", "1", "120 g"})});
    ASSERT_EQ(none.changed.size(), 1);
    ApplySheetImport(none, false, b.names, b.cat);
    EXPECT_EQ(b.cat.translation(starters, 0).description, "with rocket");
}

TEST(SheetImport, PlanMatchesByNumberThenByCategoryAndName)
{
    testutil::CardBuilder b;
    const int soups = b.category("Suppen");
    b.product(soups, "Tomatensuppe", 4.5, 0, "mit Basilikum");
    b.product(soups, "Linsensuppe", 5, 12);
    b.product(soups, "Gulaschsuppe", 6.2, 0);
    const int drinks = b.category("Getränke");
    b.product(drinks, "Wasser", 2, 0);

    const ImportPlan p = plan(b, {
        row(2, {"Suppen", "Tomatensuppe", "mit Basilikum", "4,50", "0", ""}),      // unchanged
        row(3, {"Suppen", "Linsensuppe mit Speck", "", "5.40", "12", "0,3 l"}),    // by number: renamed, new price
        row(4, {"Desserts", "Eis", "Vanille", "3,00", "0", ""}),                     // new, in a new category
        row(5, {"Getränke", "Saft", "", "2,80", "0", ""}),                           // new, in a category there is
        row(7, {"Suppen", "Kürbissuppe", "", "sechs", "0", ""}),                     // not a number
    });
    ASSERT_EQ(p.unchanged.size(), 1);
    EXPECT_EQ(p.unchanged[0].line, 2);
    ASSERT_EQ(p.changed.size(), 1);
    const PlannedRow &c = p.changed[0];
    EXPECT_EQ(c.line, 3);
    EXPECT_EQ(c.category, soups);
    EXPECT_EQ(c.row, 1);
    ASSERT_EQ(c.changes.size(), 3); // the empty description stays empty
    EXPECT_EQ(c.changes[0].column, ColName);
    EXPECT_EQ(c.changes[0].before, "Linsensuppe");
    EXPECT_EQ(c.changes[0].after, "Linsensuppe mit Speck");
    EXPECT_EQ(c.changes[1].column, ColPrice);
    EXPECT_EQ(c.changes[1].before, ImportPriceText(5));
    EXPECT_EQ(c.changes[1].after, ImportPriceText(5.4));
    EXPECT_EQ(c.changes[2].column, ColQuantity);
    ASSERT_EQ(p.added.size(), 2);
    EXPECT_EQ(p.added[0].product.values.name, "Eis");
    EXPECT_EQ(p.newCategories, QStringList({"Desserts"}));
    ASSERT_EQ(p.missing.size(), 2);
    EXPECT_EQ(p.missing[0].name, "Gulaschsuppe");
    EXPECT_EQ(p.missing[1].name, "Wasser");
    ASSERT_EQ(p.unreadable.size(), 1);
    EXPECT_EQ(p.unreadable[0].line, 7);
    EXPECT_EQ(p.unreadable[0].column, ColPrice);
    EXPECT_FALSE(p.changesNothing(false));

    // Applied: the changed product in place, the new ones at the ends, the
    // missing ones kept.
    ApplySheetImport(p, false, b.names, b.cat);
    EXPECT_EQ(b.names, QStringList({"Suppen", "Getränke", "Desserts"}));
    const ProductValues lentils = Catalogue::values(b.cat.product(soups, 1));
    EXPECT_EQ(lentils.name, "Linsensuppe mit Speck");
    EXPECT_DOUBLE_EQ(lentils.price, 5.4);
    EXPECT_EQ(lentils.number, 12);
    EXPECT_EQ(lentils.quantity, "0,3 l");
    EXPECT_EQ(Catalogue::values(b.cat.product(soups, 2)).name, "Gulaschsuppe");
    EXPECT_EQ(Catalogue::values(b.cat.product(drinks, 1)).name, "Saft");
    EXPECT_EQ(Catalogue::values(b.cat.product(2, 0)).description, "Vanille");

    // The same sheet again changes nothing but what it could not read.
    const ImportPlan again = plan(b, {
        row(3, {"Suppen", "Linsensuppe mit Speck", "", "5,40", "12", "0,3 l"}),
        row(4, {"Desserts", "Eis", "Vanille", "3,00", "0", ""}),
    });
    EXPECT_TRUE(again.changesNothing(false));
    EXPECT_EQ(again.unchanged.size(), 2);
}

// Blanks at the ends of texts, which a spreadsheet's cells lose, neither
// tell products apart nor change them.
TEST(SheetImport, BlanksAtTheEndsChangeNothing)
{
    testutil::CardBuilder b;
    const int a = b.category("Suppen ");
    b.product(a, " Linsensuppe ", 5, 0, "mit Speck ", "0,3 l ");
    const ImportPlan p = plan(b, {row(2, {"Suppen", "Linsensuppe", "mit Speck", "5,00", "0", "0,3 l"})});
    EXPECT_TRUE(p.changesNothing(true));
    EXPECT_EQ(p.unchanged.size(), 1);
    EXPECT_TRUE(p.newCategories.isEmpty());
}

TEST(SheetImport, RemovingMissingProductsAndMovingToAnotherCategory)
{
    testutil::CardBuilder b;
    const int a = b.category("A");
    b.product(a, "eins", 1, 5);
    b.product(a, "zwei", 2);
    b.product(a, "drei", 3);
    const int c = b.category("B");
    b.product(c, "vier", 4);
    // The translations stay with their products and categories, and the
    // document keeps its second language.
    b.cat.setSecondLanguage({"fr", ""});
    b.cat.setCategoryTranslation(a, "A fr");
    b.cat.setTranslation(a, 0, {"un", "", ""});
    b.cat.setTranslation(a, 2, {"trois", "", ""});
    // "eins" moves to B by its number; "zwei" and "vier" are not named.
    const ImportPlan p = plan(b, {row(2, {"B", "eins", "", "1,00", "5", ""}), row(3, {"A", "drei", "", "3,00", "0", ""})});
    ASSERT_EQ(p.changed.size(), 1);
    EXPECT_EQ(p.changed[0].changes[0].column, ColCategory);
    EXPECT_EQ(p.missing.size(), 2);
    EXPECT_FALSE(p.changesNothing(false));
    ApplySheetImport(p, true, b.names, b.cat);
    ASSERT_EQ(b.cat.products(a)->count, 1u);
    EXPECT_EQ(Catalogue::values(b.cat.product(a, 0)).name, "drei");
    ASSERT_EQ(b.cat.products(c)->count, 1u);
    EXPECT_EQ(Catalogue::values(b.cat.product(c, 0)).name, "eins");
    EXPECT_EQ(b.cat.secondLanguage().tag, "fr");
    EXPECT_EQ(b.cat.categoryTranslation(a), "A fr");
    EXPECT_EQ(b.cat.translation(a, 0).name, "trois");
    EXPECT_EQ(b.cat.translation(c, 0).name, "un");
}

TEST(SheetImport, UnreadableRowsNameTheirColumn)
{
    testutil::CardBuilder b;
    const int a = b.category("A");
    b.product(a, "Suppe", 4);
    b.product(a, "Hinweis", -1, 0, "Alle Preise inklusive");
    SheetColumns columns;
    const ImportPlan p = plan(b, {
        row(2, {"A", "Suppe", "", "-4,00", "0", ""}),                   // a product made a free text
        row(3, {"A", "Hinweis", "Alle Preise inklusive", "-1,00", "0", ""}), // a free text stays one
        row(4, {"A", QString("Sa\x01lat"), "", "3", "0", ""}),             // control character
        row(5, {"A", QString(kMaxImportName + 1, 'x'), "", "3", "0", ""}), // too long
        row(6, {"A", "Brot", "", "3", "1,5", ""}),                       // order number not whole
        row(7, {"A", "Brot", "", "", "0", ""}),                          // no price without sizes
        row(8, {"", "Brot", "", "2", "0", ""}),                          // no category
        row(9, {"A", "Brot", "", "1e99", "0", ""}),
        row(10, {"A", "Neu", "", "-2", "3", ""}),                        // a new numbered product cannot be a free text
    }, &columns);
    EXPECT_EQ(p.unchanged.size(), 1);
    const QVector<QPair<int, int>> expected{{2, ColPrice}, {4, ColName}, {5, ColName}, {6, ColNumber},
                                            {7, ColPrice}, {8, ColCategory}, {9, ColPrice}, {10, ColPrice}};
    ASSERT_EQ(p.unreadable.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(p.unreadable[i].line, expected[i].first) << i;
        EXPECT_EQ(p.unreadable[i].column, expected[i].second) << i;
        EXPECT_FALSE(p.unreadable[i].reason.isEmpty());
    }
    // A formula without a stored result is no value either.
    Sheet s;
    s.rows << row(1, kHeader) << row(2, {"A", "Suppe", "", "", "0", ""});
    s.rows[1].cells[3].noValue = true;
    const ImportPlan f = PlanSheetImport(s, columns, b.names, b.cat);
    ASSERT_EQ(f.unreadable.size(), 1);
    EXPECT_EQ(f.unreadable[0].column, ColPrice);
}

TEST(SheetImport, SizesMarksAndNumberCells)
{
    testutil::CardBuilder b;
    const int beer = b.category("Bier");
    b.cat.setSizeHeadings(beer, {"0,3 l", "0,5 l"});
    b.product(beer, "Pils", 3.2, 0, "frisch gezapft"); // the sheet has no description: it stays
    b.cat.setSizePrices(beer, 0, {3.2, 4.5});
    ProductMarks m;
    m.setAllergen(0, true);
    b.cat.setMarks(beer, 0, m);
    b.cat.setSizeHeadingTranslations(beer, {"0.3 l", "0.5 l"});
    Sheet s;
    s.rows << row(1, {"Kategorie", "Bezeichnung", "Preis", "Allergene", "Zusatzstoffe", "Größe 1", "Größe 2", "Preis 2"})
           << row(2, {"Bier", "Pils", "", "A, g", "3", "0,3 l", "0,5 l", ""})
           << row(3, {"Bier", "Weizen", "", "", "", "", "0,5 l", "4,80"})
           << row(4, {"Wein", "Riesling", "5", "Q", "", "0,1 l", "", ""});
    // A spreadsheet's number cells: the prices as floats.
    s.rows[2].cells[7].isNumber = true;
    s.rows[2].cells[7].number = 4.8000000001;
    s.rows[1].cells[2].isNumber = true;
    s.rows[1].cells[2].number = 3.2;
    const SheetColumns columns = MatchSheetColumns(s.rows.first(), germanTitles());
    const ImportPlan p = PlanSheetImport(s, columns, b.names, b.cat);
    ASSERT_EQ(p.changed.size(), 1);
    QStringList fields;
    for (const FieldChange &c : p.changed[0].changes)
        fields << SheetColumnKey(c.column) + ":" + c.before + ">" + c.after;
    EXPECT_EQ(fields, QStringList({"Allergene:A>A,G", "Zusatzstoffe:>3", "Preis 2:" + ImportPriceText(4.5) + ">–"}));
    ASSERT_EQ(p.added.size(), 1);
    EXPECT_TRUE(p.added[0].product.firstEmpty);
    ASSERT_EQ(p.unreadable.size(), 1);
    EXPECT_EQ(p.unreadable[0].column, ColAllergens);

    ApplySheetImport(p, false, b.names, b.cat);
    const QVector<double> weizen = b.cat.sizePrices(beer, 1);
    ASSERT_EQ(weizen.size(), 2);
    EXPECT_TRUE(std::isnan(weizen[0]));
    EXPECT_DOUBLE_EQ(weizen[1], 4.8);
    const QVector<double> pils = b.cat.sizePrices(beer, 0);
    EXPECT_DOUBLE_EQ(pils[0], 3.2);
    EXPECT_TRUE(std::isnan(pils[1]));
    EXPECT_EQ(AllergenLetters(b.cat.marks(beer, 0)), "A,G");
    EXPECT_EQ(Catalogue::values(b.cat.product(beer, 0)).description, "frisch gezapft");
    EXPECT_EQ(b.cat.sizeHeadingTranslations(beer), QStringList({"0.3 l", "0.5 l"}));
}
