// Importing a spreadsheet: a sheet of 5,000 rows into a document of 5,000
// products, as the window does it up to the preview: the file's bytes read
// (a workbook unpacked, or CSV decoded), the columns recognised, the merge
// planned and the preview dialog filled (its list has a line per row). The
// sheet is the document's own export with every tenth price raised and 50
// new dishes instead of as many of the document's, so that every group of
// the preview has lines. Target: under 1 s.
#include "bench/cardgen.h"

#include "app/ImportPreviewDialog.h"
#include "catalogue/sheetimport.h"
#include "export/csvexport.h"
#include "export/sheetfile.h"
#include "export/xlsxexport.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    Catalogue cat;
    QStringList names;
    QByteArray xlsx, csv;

    Fixture()
    {
        cardgen::generate(cat, names, 50, 100);
        CatalogueTable table = BuildCatalogueTable(names, cat, CsvHeader(cat), QLatin1Char(','));
        for (int r = 0; r < table.rows.size(); r += 10) {
            CatalogueCell &price = table.rows[r][3];
            if (price.isNumber && price.number > 0) {
                price.number += 0.5;
                price.text = FormatPrice2(price.number, QLatin1Char(','));
            }
        }
        for (int r = 5; r < table.rows.size(); r += 100)
            table.rows[r][1].text += QStringLiteral(" neu");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bench.xlsx"));
        QString error;
        if (!WriteXlsxFile(path, table, &error))
            qFatal("%s", qPrintable(error));
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        xlsx = f.readAll();
        QString text;
        for (const QString &t : table.header)
            text += QLatin1Char('"') + t + QStringLiteral("\";");
        text += QStringLiteral("\r\n");
        for (const auto &row : table.rows) {
            for (const CatalogueCell &c : row)
                text += QLatin1Char('"') + QString(c.text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QStringLiteral("\";");
            text += QStringLiteral("\r\n");
        }
        csv = text.toUtf8();
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void importSheet(benchmark::State &state, const QByteArray &data, const QString &name)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        SheetFile sheet;
        QString error;
        if (!ReadSheetData(data, name, &sheet, &error))
            state.SkipWithError(qPrintable(error));
        const ImportPlan plan = PlanSheetImport(sheet.sheet, sheet.columns, f.names, f.cat);
        TImportPreviewForm preview(plan, name);
        benchmark::DoNotOptimize(preview.PlanList->topLevelItemCount());
        state.counters["changed"] = double(plan.changed.size());
        state.counters["added"] = double(plan.added.size());
    }
}

void BM_ImportXlsx5000IntoDocument5000(benchmark::State &state)
{
    importSheet(state, fixture().xlsx, QStringLiteral("karte.xlsx"));
}
BENCHMARK(BM_ImportXlsx5000IntoDocument5000)->Unit(benchmark::kMillisecond);

void BM_ImportCsv5000IntoDocument5000(benchmark::State &state)
{
    importSheet(state, fixture().csv, QStringLiteral("karte.csv"));
}
BENCHMARK(BM_ImportCsv5000IntoDocument5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
