// The import's workbook reader on any bytes, and the merge of what it reads.
// An input that begins as a zip file is read as it is. Any other is the XML
// of the parts, which the target packs into a workbook itself (QuaZip), so
// that the XML readers are fuzzed behind a zip file that opens: the sheet,
// and after a zero byte the shared strings. A workbook read has at most kMaxSheetRows rows of
// at most kMaxSheetColumns cells, with ascending row numbers up to
// kMaxSheetRows; a number cell's value is finite; a refused one says why.
// The merge then runs as in the CSV target.
#include "cardbuilder.h"
#include "catalogue/sheetimport.h"
#include "export/xlsxreader.h"
#include "fuzzutil.h"

#include <QBuffer>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(false);
    return 0;
}

namespace {

QByteArray workbook(const QByteArray &sheetXml, const QByteArray &sharedXml)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        std::abort();
    const QList<QPair<const char *, QByteArray>> parts = {
        {"xl/workbook.xml", "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                            "<sheets><sheet name=\"Katalog\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml", sheetXml},
        {"xl/sharedStrings.xml", sharedXml}};
    for (const auto &part : parts) {
        QuaZipFile f(&zip);
        if (!f.open(QIODevice::WriteOnly, QuaZipNewInfo(QString::fromLatin1(part.first)), nullptr, 0, 0 /* stored */)
            || f.write(part.second) != part.second.size())
            std::abort();
        f.close();
    }
    zip.close();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!LooksLikeZip(input)) {
        const qsizetype zero = input.indexOf('\0');
        input = zero < 0 ? workbook(input, QByteArray()) : workbook(input.left(zero), input.mid(zero + 1));
    }
    Sheet sheet;
    QString error;
    if (!ReadXlsxSheet(input, &sheet, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    int last = 0;
    for (const SheetRow &r : sheet.rows) {
        if (r.line <= last || r.line > kMaxSheetRows || r.cells.size() > kMaxSheetColumns)
            std::abort();
        last = r.line;
        for (const SheetCell &c : r.cells)
            if (c.isNumber && !std::isfinite(c.number))
                std::abort();
    }
    if (sheet.rows.isEmpty())
        return 0;
    SheetTitles titles(kSheetColumnKinds);
    for (int k = 0; k < kSheetColumnKinds; ++k)
        titles[k] = QStringList{SheetColumnKey(k)};
    const SheetColumns columns = MatchSheetColumns(sheet.rows.first(), titles);
    if (!columns.usable())
        return 0;
    testutil::CardBuilder b;
    const int a = b.category(QStringLiteral("Suppen"));
    b.product(a, QStringLiteral("Tomatensuppe"), 4.5, 3);
    const ImportPlan plan = PlanSheetImport(sheet, columns, b.names, b.cat);
    ApplySheetImport(plan, false, b.names, b.cat);
    if (b.names.size() != b.cat.categoryCount())
        std::abort();
    return 0;
}
