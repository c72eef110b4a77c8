// The Excel export and the spreadsheet import, checked with openpyxl
// (python3-openpyxl) as the independent reader and writer: what openpyxl
// reads in the program's workbook, what the import reads in workbooks
// openpyxl wrote, the example card's round trip, and bad workbooks.
#include "cardbuilder.h"
#include "catalogue/codepage.h"
#include "catalogue/document.h"
#include "catalogue/sheetimport.h"
#include "export/csvexport.h"
#include "export/sheetfile.h"
#include "export/xlsxexport.h"
#include "export/xlsxreader.h"
#include "i18n/translateunit.h"
#include "testutil.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kScript = QStringLiteral(VELLORAN_SOURCE_DIR "/tests/export/sheets_openpyxl.py");

// A Python that has openpyxl: Debian's own (an interpreter of another
// installation earlier on PATH may lack it).
QString python()
{
    static const QString found = [] {
        for (const QString &candidate : {testutil::hostTool(QStringLiteral("python3")), QStringLiteral("/usr/bin/python3")}) {
            if (candidate.isEmpty())
                continue;
            QProcess p;
            p.start(candidate, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
            if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
                return candidate;
        }
        return QString();
    }();
    return found;
}

// Runs the helper script; its standard output, the test failing when it fails.
QByteArray openpyxl(const QStringList &args)
{
    const QString py = python();
    EXPECT_FALSE(py.isEmpty()) << "python3-openpyxl is not installed (scripts/install-deps.sh)";
    if (py.isEmpty())
        return {};
    QProcess p;
    p.start(py, QStringList{kScript} + args);
    const bool done = p.waitForFinished(120000);
    EXPECT_TRUE(done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

QString writeJson(const QTemporaryDir &dir, const QString &name, const QJsonDocument &doc)
{
    const QString path = dir.filePath(name);
    testutil::writeFile(path, doc.toJson());
    return path;
}

Sheet readXlsx(const QString &path, QString *error = nullptr)
{
    Sheet s;
    QString why;
    const bool ok = ReadXlsxSheet(testutil::readFile(path), &s, &why);
    if (error)
        *error = why;
    else
        EXPECT_TRUE(ok) << why.toStdString();
    return s;
}

// A zip file of the given parts, written by Python's zipfile.
QString makeZip(const QTemporaryDir &dir, const QString &name, const QJsonObject &parts)
{
    const QString path = dir.filePath(name);
    openpyxl({QStringLiteral("zip"), path, writeJson(dir, name + QStringLiteral(".json"), QJsonDocument(parts))});
    return path;
}

QJsonObject workbookParts(const QString &sheetXml, const QString &sheetName = QStringLiteral("Tabelle1"))
{
    QJsonObject parts;
    parts[QStringLiteral("xl/workbook.xml")] = QStringLiteral(
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
        "<sheet name=\"%1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>").arg(sheetName);
    parts[QStringLiteral("xl/_rels/workbook.xml.rels")] = QStringLiteral(
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>");
    parts[QStringLiteral("xl/worksheets/sheet1.xml")] = sheetXml;
    return parts;
}

} // namespace

TEST(XlsxExport, OpenpyxlReadsTheColumnsAndValuesOfTheCsv)
{
    testutil::LocaleScope locale("de_DE");
    testutil::CardBuilder b;
    const int soups = b.category("Suppen");
    b.product(soups, "Tomatensuppe", 4.5, 7, "mit Basilikum\r\nund Brot", "0,3 l");
    b.product(soups, "Hinweis", -1, 0, "Alle Suppen hausgemacht");
    ProductMarks m;
    m.setAllergen(0, true);
    m.setAdditive(3, true);
    b.cat.setMarks(soups, 0, m);
    const int beer = b.category("Bier");
    b.cat.setSizeHeadings(beer, {"0,3 l", "0,5 l"});
    b.product(beer, "Pils", 3.2);
    b.cat.setSizePrices(beer, 0, {std::nan(""), 4.5});

    const QStringList header = CsvHeader(b.cat);
    const CatalogueTable table = BuildCatalogueTable(b.names, b.cat, header, QLatin1Char(','));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("karte.xlsx"));
    QString error;
    ASSERT_TRUE(WriteXlsxFile(path, table, &error)) << error.toStdString();
    const QJsonObject book = QJsonDocument::fromJson(openpyxl({QStringLiteral("describe"), path})).object();

    EXPECT_EQ(book["sheets"].toArray(), QJsonArray({"Katalog"}));
    EXPECT_EQ(book["freeze"].toString(), "A2");         // the header row stays in place
    EXPECT_EQ(book["filter"].toString(), "A1:K4");      // over the header and every row
    const QJsonArray cells = book["cells"].toArray();
    ASSERT_EQ(cells.size(), 4);
    // The header: the CSV's titles.
    const QJsonArray titles = cells[0].toArray();
    ASSERT_EQ(titles.size(), header.size());
    for (int c = 0; c < header.size(); ++c)
        EXPECT_EQ(titles[c].toArray()[0].toString(), header[c]);
    // Every value as the CSV writes it; prices and order numbers as numbers
    // with their formats; empty prices and texts empty cells.
    for (int r = 1; r < cells.size(); ++r) {
        const QJsonArray row = cells[r].toArray();
        const QVector<CatalogueCell> &expected = table.rows[r - 1];
        for (int c = 0; c < expected.size(); ++c) {
            const QJsonArray cell = row[c].toArray();
            const CatalogueCell &e = expected[c];
            if (e.isNumber) {
                EXPECT_EQ(cell[1].toString(), "n") << r << "," << c;
                EXPECT_DOUBLE_EQ(cell[0].toDouble(), e.number) << r << "," << c;
                EXPECT_EQ(cell[2].toString(), e.decimals == 2 ? "0.00" : "0") << r << "," << c;
            } else if (e.text.isEmpty()) {
                EXPECT_TRUE(cell[0].isNull()) << r << "," << c;
            } else {
                QString text = e.text;
                text.replace("\r\n", "\n");
                EXPECT_EQ(cell[0].toString(), text) << r << "," << c;
            }
        }
    }
    EXPECT_DOUBLE_EQ(cells[1].toArray()[3].toArray()[0].toDouble(), 4.5);
    EXPECT_TRUE(cells[3].toArray()[3].toArray()[0].isNull()); // Pils: not in the first size
    // The description's column is the widest, the price's narrow.
    const QJsonObject widths = book["widths"].toObject();
    EXPECT_GT(widths["C"].toDouble(), widths["B"].toDouble());
    EXPECT_LT(widths["D"].toDouble(), widths["B"].toDouble());
    EXPECT_GE(widths["E"].toDouble(), double(header[4].size()));

    // Read back by the import: unchanged.
    SheetFile sheet;
    ASSERT_TRUE(ReadSheetFile(path, &sheet, &error)) << error.toStdString();
    const ImportPlan plan = PlanSheetImport(sheet.sheet, sheet.columns, b.names, b.cat);
    EXPECT_TRUE(plan.changesNothing(true));
    EXPECT_EQ(plan.unchanged.size(), 3);
    EXPECT_TRUE(plan.unreadable.isEmpty());
}

TEST(XlsxImport, ReadsWhatOpenpyxlWritesFloatsMissingCellsAndFormulas)
{
    QTemporaryDir dir;
    const QJsonArray rows{QJsonArray{"Bezeichnung", "Kategorie", QJsonValue(), "Preis", "Bestellnummer"},
                          QJsonArray{"Eis", "Desserts", QJsonValue(), 3, 12},
                          QJsonArray{"Kuchen", "Desserts", QJsonValue(), 2.5},
                          QJsonArray{},
                          QJsonArray{QJsonValue(), QJsonValue(), QJsonValue(), QJsonValue(), 7}};
    const QString json = writeJson(dir, QStringLiteral("rows.json"), QJsonDocument(rows));
    const QString path = dir.filePath(QStringLiteral("floats.xlsx"));
    openpyxl({QStringLiteral("write"), path, json});
    const Sheet s = readXlsx(path);
    ASSERT_EQ(s.rows.size(), 4); // the empty row is left out
    EXPECT_EQ(s.rows[1].cells[0].text, "Eis");
    EXPECT_TRUE(s.rows[1].cells[3].isNumber);
    EXPECT_DOUBLE_EQ(s.rows[1].cells[3].number, 3.0);
    EXPECT_EQ(s.rows[1].cells[4].text, "12"); // 12.0 as openpyxl writes it
    EXPECT_EQ(s.rows[2].cells.size(), 4);     // the cells after it are missing
    EXPECT_EQ(s.rows[3].line, 5);
    ASSERT_EQ(s.rows[3].cells.size(), 5);     // the cells before it are missing
    EXPECT_TRUE(s.rows[3].cells[0].text.isEmpty());
    EXPECT_DOUBLE_EQ(s.rows[3].cells[4].number, 7);

    // Planned against an empty document: two new products; the row of only
    // an order number has no name.
    testutil::CardBuilder b;
    SheetFile sheet;
    QString error;
    ASSERT_TRUE(ReadSheetFile(path, &sheet, &error)) << error.toStdString();
    ImportPlan plan = PlanSheetImport(sheet.sheet, sheet.columns, b.names, b.cat);
    ASSERT_EQ(plan.added.size(), 2);
    EXPECT_EQ(plan.added[0].product.values.number, 12);
    EXPECT_DOUBLE_EQ(plan.added[1].product.values.price, 2.5);
    ASSERT_EQ(plan.unreadable.size(), 1);
    EXPECT_EQ(plan.unreadable[0].line, 5);

    // A formula openpyxl writes has no stored result: its row cannot be read.
    const QString formula = dir.filePath(QStringLiteral("formula.xlsx"));
    openpyxl({QStringLiteral("formula"), formula, json});
    ASSERT_TRUE(ReadSheetFile(formula, &sheet, &error)) << error.toStdString();
    plan = PlanSheetImport(sheet.sheet, sheet.columns, b.names, b.cat);
    ASSERT_GE(plan.unreadable.size(), 1);
    EXPECT_EQ(plan.unreadable[0].line, 2);
    EXPECT_EQ(plan.unreadable[0].column, ColPrice);
}

TEST(XlsxImport, ExampleCardRoundTripGivesExactlyTheFourChanges)
{
    testutil::LocaleScope locale("de_DE");
    DocumentData doc;
    QString error;
    ASSERT_TRUE(LoadDocumentFile(QStringLiteral(VELLORAN_SOURCE_DIR "/examples/restaurant.vlr"), CardSettings(), doc, &error))
        << error.toStdString();
    QTemporaryDir dir;
    const QString exported = dir.filePath(QStringLiteral("karte.xlsx"));
    const QString changed = dir.filePath(QStringLiteral("geaendert.xlsx"));
    ASSERT_TRUE(WriteXlsxFile(exported,
                              BuildCatalogueTable(doc.categoryNames, *doc.catalogue, CsvHeader(*doc.catalogue), QLatin1Char(',')),
                              &error));
    openpyxl({QStringLiteral("roundtrip"), exported, changed});

    SheetFile sheet;
    ASSERT_TRUE(ReadSheetFile(changed, &sheet, &error)) << error.toStdString();
    const ImportPlan plan = PlanSheetImport(sheet.sheet, sheet.columns, doc.categoryNames, *doc.catalogue);
    EXPECT_TRUE(plan.unreadable.isEmpty());
    EXPECT_TRUE(plan.missing.isEmpty());
    EXPECT_TRUE(plan.newCategories.isEmpty());
    ASSERT_EQ(plan.added.size(), 1);
    EXPECT_EQ(plan.added[0].product.values.name, QString::fromUtf8("Spinatknödel"));
    EXPECT_EQ(plan.added[0].product.category, "Hauptgerichte");
    ASSERT_EQ(plan.changed.size(), 3);
    QVector<int> lines;
    for (const PlannedRow &p : plan.changed) {
        lines << p.line;
        ASSERT_EQ(p.changes.size(), 1) << p.line;
        EXPECT_EQ(p.changes[0].column, ColPrice);
        double before = 0, after = 0;
        ASSERT_TRUE(ParseSheetNumber(p.changes[0].before, &before));
        ASSERT_TRUE(ParseSheetNumber(p.changes[0].after, &after));
        EXPECT_NEAR(after - before, 0.4, 1e-9) << p.line;
    }
    EXPECT_EQ(lines, QVector<int>({2, 5, 8}));
    EXPECT_EQ(plan.unchanged.size() + 3, sheet.sheet.rows.size() - 2);

    // Applied: the document has the new dish and the new prices; its own
    // export then reads back unchanged.
    ApplySheetImport(plan, false, doc.categoryNames, *doc.catalogue);
    const QString again = dir.filePath(QStringLiteral("wieder.xlsx"));
    ASSERT_TRUE(WriteXlsxFile(again,
                              BuildCatalogueTable(doc.categoryNames, *doc.catalogue, CsvHeader(*doc.catalogue), QLatin1Char(',')),
                              &error));
    ASSERT_TRUE(ReadSheetFile(again, &sheet, &error));
    EXPECT_TRUE(PlanSheetImport(sheet.sheet, sheet.columns, doc.categoryNames, *doc.catalogue).changesNothing(true));
}

TEST(XlsxImport, SharedAndInlineStringsSkippedColumnsAndTheSheetKatalog)
{
    QTemporaryDir dir;
    QJsonObject parts = workbookParts(QStringLiteral(
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"C1\" t=\"inlineStr\"><is><t>Preis</t></is></c></row>"
        "<row r=\"3\"><c r=\"A3\" t=\"s\"><v>1</v></c><c r=\"C3\"><v>6.9</v></c><c r=\"D3\" t=\"str\"><f>A3</f><v>x</v></c>"
        "<c r=\"E3\"><f>1/0</f></c><c r=\"F3\" t=\"e\"><v>#DIV/0!</v></c></row>"
        "</sheetData></worksheet>"));
    parts[QStringLiteral("xl/sharedStrings.xml")] = QStringLiteral(
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<si><t>Kategorie</t></si><si><r><t>Sup</t></r><r><rPr><b/></rPr><t>pen</t></r><rPh><t>x</t></rPh></si></sst>");
    const Sheet s = readXlsx(makeZip(dir, QStringLiteral("hand.xlsx"), parts));
    ASSERT_EQ(s.rows.size(), 2);
    EXPECT_EQ(s.rows[0].cells[0].text, "Kategorie");
    EXPECT_TRUE(s.rows[0].cells[1].text.isEmpty());
    EXPECT_EQ(s.rows[0].cells[2].text, "Preis");
    EXPECT_EQ(s.rows[1].line, 3);
    EXPECT_EQ(s.rows[1].cells[0].text, "Suppen");
    EXPECT_DOUBLE_EQ(s.rows[1].cells[2].number, 6.9);
    EXPECT_EQ(s.rows[1].cells[3].text, "x");    // a formula's stored text
    EXPECT_TRUE(s.rows[1].cells[4].noValue);    // a formula without one
    EXPECT_TRUE(s.rows[1].cells[5].noValue);    // an error value

    // Two sheets: the one named "Katalog" is read, else the first.
    QJsonObject two = workbookParts(QString());
    two[QStringLiteral("xl/workbook.xml")] = QStringLiteral(
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
        "<sheet name=\"Notizen\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Katalog\" sheetId=\"2\" r:id=\"rId2\"/></sheets></workbook>");
    two[QStringLiteral("xl/_rels/workbook.xml.rels")] = QStringLiteral(
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/>"
        "<Relationship Id=\"rId2\" Target=\"/xl/worksheets/sheet2.xml\"/></Relationships>");
    two[QStringLiteral("xl/worksheets/sheet1.xml")] =
        QStringLiteral("<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>eins</t></is></c></row></sheetData></worksheet>");
    two[QStringLiteral("xl/worksheets/sheet2.xml")] =
        QStringLiteral("<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>zwei</t></is></c></row></sheetData></worksheet>");
    const Sheet katalog = readXlsx(makeZip(dir, QStringLiteral("two.xlsx"), two));
    ASSERT_EQ(katalog.rows.size(), 1);
    EXPECT_EQ(katalog.rows[0].cells[0].text, "zwei");
}

TEST(XlsxImport, BadWorkbooksAreRefusedWithAMessage)
{
    QTemporaryDir dir;
    QString error;
    SheetFile file;
    // Not a zip file, though named .xlsx; a zip file without a workbook.
    const QString notZip = dir.filePath(QStringLiteral("text.xlsx"));
    testutil::writeFile(notZip, "Kategorie,Bezeichnung,Preis\r\n");
    EXPECT_FALSE(ReadSheetFile(notZip, &file, &error));
    EXPECT_TRUE(error.contains("Zip")) << error.toStdString();
    QJsonObject other;
    other[QStringLiteral("readme.txt")] = QStringLiteral("hallo");
    EXPECT_FALSE(ReadSheetFile(makeZip(dir, QStringLiteral("other.xlsx"), other), &file, &error));
    EXPECT_TRUE(error.contains("Excel")) << error.toStdString();
    // Broken XML.
    const QString broken = makeZip(dir, QStringLiteral("broken.xlsx"),
                                   workbookParts(QStringLiteral("<worksheet><sheetData><row><c>")));
    EXPECT_FALSE(ReadSheetFile(broken, &file, &error));
    EXPECT_TRUE(error.contains("sheet1.xml")) << error.toStdString();

    // Zip bombs: more than 64 MB unpacked in parts that pack about 80 to 1,
    // or one part packed far too tightly. The sheet itself is a good one, so
    // that nothing but the limit refuses them.
    const QString goodSheet = QStringLiteral(
        "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>Kategorie</t></is></c><c t=\"inlineStr\"><is><t>Bezeichnung"
        "</t></is></c><c t=\"inlineStr\"><is><t>Preis</t></is></c></row></sheetData></worksheet>");
    EXPECT_TRUE(ReadSheetFile(makeZip(dir, QStringLiteral("good.xlsx"), workbookParts(goodSheet)), &file, &error))
        << error.toStdString();
    QJsonObject big = workbookParts(goodSheet);
    big[QStringLiteral("xl/media/a.bin")] = QStringLiteral("SPARSE:%1").arg(kMaxUnpackedXlsx / 2);
    big[QStringLiteral("xl/media/b.bin")] = QStringLiteral("SPARSE:%1").arg(kMaxUnpackedXlsx / 2 + 1);
    EXPECT_FALSE(ReadSheetFile(makeZip(dir, QStringLiteral("big.xlsx"), big), &file, &error));
    EXPECT_TRUE(error.contains("64 MB")) << error.toStdString();
    big.remove(QStringLiteral("xl/media/b.bin")); // half of it is a workbook with a picture
    EXPECT_TRUE(ReadSheetFile(makeZip(dir, QStringLiteral("half.xlsx"), big), &file, &error)) << error.toStdString();
    QJsonObject dense = workbookParts(goodSheet);
    dense[QStringLiteral("xl/media/dense.bin")] = QStringLiteral("ZEROS:%1").arg(8 * 1024 * 1024);
    EXPECT_FALSE(ReadSheetFile(makeZip(dir, QStringLiteral("dense.xlsx"), dense), &file, &error));
    EXPECT_TRUE(error.contains("gepackt")) << error.toStdString();

    // Past 100,000 rows, also when the rows between are left out.
    const QString far = makeZip(dir, QStringLiteral("far.xlsx"),
                                workbookParts(QStringLiteral("<worksheet><sheetData><row r=\"%1\"><c><v>1</v></c></row>"
                                                             "</sheetData></worksheet>").arg(kMaxSheetRows + 1)));
    EXPECT_FALSE(ReadSheetFile(far, &file, &error));
    EXPECT_TRUE(error.contains("100000")) << error.toStdString();

    // Titles that are not known: the message names the ones expected.
    const QString titles = makeZip(dir, QStringLiteral("titles.xlsx"),
                                   workbookParts(QStringLiteral("<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>Gericht</t>"
                                                                "</is></c></row></sheetData></worksheet>")));
    EXPECT_FALSE(ReadSheetFile(titles, &file, &error));
    EXPECT_TRUE(error.contains("\"Kategorie\"") && error.contains("\"Bezeichnung\"") && error.contains("\"Preis\""))
        << error.toStdString();
    EXPECT_EQ(file.unknownTitles, QStringList({"Gericht"}));
}

// The translated example's CSV read back changes nothing; a corrected
// translation in it is one changed field, taken into the product. The same
// with the titles of the English interface ("Name (en)").
TEST(CsvImport, TranslationColumnsRoundTripAndACorrectionIsAChangeInEveryInterfaceLanguage)
{
    testutil::LocaleScope locale("de_DE");
    for (const int32_t language : {0, 1}) {
        SCOPED_TRACE(language);
        // The shipped translation table, in that interface language (kept
        // from being written; the empty table again afterwards).
        struct TableScope {
            explicit TableScope(int32_t language)
            {
                Translations().InitTranslations(QStringLiteral(VELLORAN_BINARY_DIR "/data/translate.dat"));
                Translations().setFilePath(QString());
                Translations().language = language;
            }
            ~TableScope()
            {
                Translations().InitTranslations(QString());
                Translations().language = 0;
            }
        } table(language);
        ASSERT_GT(Translations().RowCount(), 0);
        DocumentData doc;
        QString error;
        ASSERT_TRUE(LoadDocumentFile(QStringLiteral(VELLORAN_SOURCE_DIR "/examples/restaurant.vlr"), CardSettings(), doc,
                                     &error))
            << error.toStdString();
        Catalogue &cat = *doc.catalogue;
        const QStringList header = CsvHeader(cat, &doc.cards);
        ASSERT_EQ(header.mid(header.size() - 3),
                  language == 0 ? QStringList({"Bezeichnung (en)", "Beschreibung (en)", "Menge (en)"})
                                : QStringList({"Name (en)", "Description (en)", "Quantity (en)"}));
        const QByteArray csv = BuildCsv(doc.categoryNames, cat, header, QLatin1Char(','), &doc.cards);
        const QByteArray bytes = WriteDocument(doc.categoryNames, cat, doc.settings, doc.unknownRecords, &doc.cards);

        SheetFile sheet;
        ASSERT_TRUE(ReadSheetData(csv, QStringLiteral("karte.csv"), &sheet, &error)) << error.toStdString();
        const ImportPlan same = PlanSheetImport(sheet.sheet, sheet.columns, doc.categoryNames, cat);
        EXPECT_EQ(same.translationTag, "en");
        EXPECT_TRUE(same.changesNothing(true)) << ImportSummaryText(same, true).toStdString();
        EXPECT_TRUE(same.unreadable.isEmpty());
        ApplySheetImport(same, false, doc.categoryNames, cat);
        EXPECT_EQ(WriteDocument(doc.categoryNames, cat, doc.settings, doc.unknownRecords, &doc.cards), bytes);

        // A dish whose English name stands once in the file, corrected.
        int fc = -1, fr = -1;
        for (int c = 0; c < cat.categoryCount() && fc < 0; ++c)
            for (int r = 0; r < int(cat.products(c)->count) && fc < 0; ++r) {
                const QString en = cat.translation(c, r).name;
                if (!en.isEmpty() && csv.count(ToWindows1252("\"" + en + "\"")) == 1)
                    fc = c, fr = r;
            }
        ASSERT_GE(fc, 0);
        const QString before = cat.translation(fc, fr).name;
        QByteArray edited = csv;
        edited.replace(ToWindows1252("\"" + before + "\""), ToWindows1252("\"" + before + " Deluxe\""));
        ASSERT_TRUE(ReadSheetData(edited, QStringLiteral("karte.csv"), &sheet, &error)) << error.toStdString();
        const ImportPlan plan = PlanSheetImport(sheet.sheet, sheet.columns, doc.categoryNames, cat);
        ASSERT_EQ(plan.changed.size(), 1);
        ASSERT_EQ(plan.changed[0].changes.size(), 1);
        const FieldChange &change = plan.changed[0].changes[0];
        EXPECT_EQ(ColumnTitle(change.column, plan.translationTag), header.at(header.size() - 3));
        EXPECT_EQ(change.before, before);
        EXPECT_EQ(change.after, before + " Deluxe");
        EXPECT_FALSE(ImportSummaryText(plan, false).contains(TranslateStr(QStringLiteral("Der Import ändert nichts."))));
        ApplySheetImport(plan, false, doc.categoryNames, cat);
        EXPECT_EQ(cat.translation(fc, fr).name, before + " Deluxe");
    }
}
