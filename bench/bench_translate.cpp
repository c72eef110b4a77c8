// Translation table speed: every registration and every keystroke in the
// translation editor rewrites the whole translate.dat, and every text the
// user sees goes through the lookup.
#include "i18n/translateunit.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kRows = 2000;

// German-looking texts of one to four words: capital first letters spread
// over the alphabet and the umlauts, like a real table.
QString randomText(std::mt19937 &rng)
{
    static const QString capitals = QString::fromUtf8("ABCDEFGHIJKLMNOPRSTUVWZÄÖÜ");
    static const QString letters = QString::fromUtf8("abcdefghiklmnoprstuvwzäöüß");
    QString s;
    const int words = 1 + int(rng() % 4);
    for (int w = 0; w < words; ++w) {
        if (w)
            s += QLatin1Char(' ');
        s += capitals.at(int(rng() % capitals.size()));
        const int len = 3 + int(rng() % 9);
        for (int i = 0; i < len; ++i)
            s += letters.at(int(rng() % letters.size()));
    }
    return s;
}

// A table of kRows rows, German text plus four translations.
QStringList fillTable(TranslationTable &t, QTemporaryDir &dir)
{
    std::mt19937 rng(42);
    t.InitTranslations(dir.filePath(QStringLiteral("translate.dat")));
    QStringList german;
    while (t.RowCount() < kRows) {
        const QString g = randomText(rng);
        const int before = t.RowCount();
        t.TranslateStr(g);
        if (t.RowCount() == before)
            continue;
        german << g;
        for (int c = 1; c <= 4; ++c)
            t.SetCell(before, c, randomText(rng).toLower());
    }
    return german;
}

void BM_RewriteTranslateDat(benchmark::State &state)
{
    QTemporaryDir dir;
    TranslationTable t;
    fillTable(t, dir);
    for (auto _ : state) {
        if (!t.SaveTranslations())
            state.SkipWithError("write failed");
    }
    state.counters["bytes"] = double(t.SerializeTranslations().size());
}
BENCHMARK(BM_RewriteTranslateDat)->Unit(benchmark::kMillisecond);

// Building the bytes alone, without the file system.
void BM_SerializeTranslations(benchmark::State &state)
{
    QTemporaryDir dir;
    TranslationTable t;
    fillTable(t, dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(t.SerializeTranslations());
}
BENCHMARK(BM_SerializeTranslations)->Unit(benchmark::kMillisecond);

void BM_LookupRegisteredText(benchmark::State &state)
{
    QTemporaryDir dir;
    TranslationTable t;
    const QStringList german = fillTable(t, dir);
    t.language = 1;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.TranslateStr(german.at(i)));
        i = (i + 1) % german.size();
    }
    if (t.RowCount() != kRows)
        state.SkipWithError("lookup registered a row");
}
BENCHMARK(BM_LookupRegisteredText)->Unit(benchmark::kNanosecond);

// Worst case: every text in one bucket with a long common beginning.
void BM_LookupOneCrowdedBucket(benchmark::State &state)
{
    QTemporaryDir dir;
    TranslationTable t;
    t.InitTranslations(dir.filePath(QStringLiteral("translate.dat")));
    for (int r = 0; r < kRows; ++r)
        t.TranslateStr(QStringLiteral("Deutscher Text Nummer %1").arg(r));
    t.language = 1;
    const QString text = QStringLiteral("Deutscher Text Nummer 1999");
    for (auto _ : state)
        benchmark::DoNotOptimize(t.TranslateStr(text));
}
BENCHMARK(BM_LookupOneCrowdedBucket)->Unit(benchmark::kNanosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
