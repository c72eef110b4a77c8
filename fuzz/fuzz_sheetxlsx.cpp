// The import's workbook reader on any bytes (a zip file or not), and the
// merge of what it reads. A workbook read has at most kMaxSheetRows rows of
// at most kMaxSheetColumns cells, with ascending row numbers up to
// kMaxSheetRows; a number cell's value is finite; a refused one says why.
// The merge then runs as in the CSV target.
#include "cardbuilder.h"
#include "catalogue/sheetimport.h"
#include "export/xlsxreader.h"
#include "fuzzutil.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Sheet sheet;
    QString error;
    if (!ReadXlsxSheet(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &sheet, &error)) {
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
