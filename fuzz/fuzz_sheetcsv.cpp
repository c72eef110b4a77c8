// The import's CSV reader and the merge on any bytes: the sheet is read
// (any encoding, separator and quoting), its columns recognised by their
// German titles, and the merge planned against a small catalogue and carried
// out. A sheet read has at most kMaxSheetRows rows of at most
// kMaxSheetColumns cells with ascending row numbers; every unreadable row
// names a row of the sheet; after the merge the catalogue has one name per
// category.
#include "cardbuilder.h"
#include "catalogue/sheet.h"
#include "catalogue/sheetimport.h"
#include "fuzzutil.h"

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
    if (!ReadCsvSheet(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &sheet, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    if (sheet.rows.size() > kMaxSheetRows)
        std::abort();
    int last = 0;
    for (const SheetRow &r : sheet.rows) {
        if (r.line <= last || r.cells.size() > kMaxSheetColumns || r.cells.isEmpty())
            std::abort();
        last = r.line;
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
    b.product(a, QStringLiteral("Hinweis"), -1, 0, QStringLiteral("hausgemacht"));
    const int beer = b.category(QStringLiteral("Bier"));
    b.cat.setSizeHeadings(beer, {QStringLiteral("0,3 l"), QStringLiteral("0,5 l")});
    b.product(beer, QStringLiteral("Pils"), 3.2);
    const ImportPlan plan = PlanSheetImport(sheet, columns, b.names, b.cat);
    for (const UnreadableRow &u : plan.unreadable)
        if (u.line < 2 || u.line > last || u.reason.isEmpty())
            std::abort();
    ApplySheetImport(plan, size % 2 == 1, b.names, b.cat);
    if (b.names.size() != b.cat.categoryCount())
        std::abort();
    return 0;
}
