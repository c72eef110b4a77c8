// The tab "Übersetzungen" on a long catalogue: 1,000 generated products (20
// categories of 50, about 1,800 texts with descriptions and quantity notes),
// the view 900 x 600 pixels. Timed are what the window does: the list of
// texts (`TranslatableTexts`), the first filling of the view (every row
// measured), and the refresh after one translation was typed (every text
// compared, one row measured again).
#include "bench/cardgen.h"

#include "app/TranslationsView.h"
#include "catalogue/translationtexts.h"

#include <QApplication>
#include <QLabel>
#include <benchmark/benchmark.h>

namespace {

struct Document {
    Catalogue cat;
    QStringList names;
    QVector<CardSettings> cards{CardSettings()};
    Document() { cardgen::generate(cat, names, 20, 50); }
};

Document &document()
{
    static Document d;
    return d;
}

void BM_TextList(benchmark::State &state)
{
    Document &d = document();
    for (auto _ : state) {
        const QVector<TranslatableText> texts = TranslatableTexts(d.names, d.cat, d.cards);
        benchmark::DoNotOptimize(texts.size());
    }
}
BENCHMARK(BM_TextList)->Unit(benchmark::kMillisecond);

void BM_FirstFill(benchmark::State &state)
{
    Document &d = document();
    const QVector<TranslatableText> texts = TranslatableTexts(d.names, d.cat, d.cards);
    for (auto _ : state) {
        TTranslationsView view;
        view.resize(900, 600);
        view.show();
        view.setTexts(texts, {});
        benchmark::DoNotOptimize(view.TextTable->rowCount());
    }
    state.counters["texts"] = double(texts.size());
}
BENCHMARK(BM_FirstFill)->Unit(benchmark::kMillisecond);

void BM_RefreshAfterOneEdit(benchmark::State &state)
{
    Document &d = document();
    QVector<TranslatableText> texts = TranslatableTexts(d.names, d.cat, d.cards);
    TTranslationsView view;
    view.resize(900, 600);
    view.show();
    view.setTexts(texts, {});
    int i = 0;
    for (auto _ : state) {
        // One more text translated, as the window hands it over after an edit.
        TranslatableText &t = texts[(i++ * 37) % texts.size()];
        t.translation = t.translation.isEmpty() ? QStringLiteral("Translated dish with a longer name") : QString();
        view.setTexts(texts, {});
        benchmark::DoNotOptimize(view.AnzahlLabel->text());
    }
}
BENCHMARK(BM_RefreshAfterOneEdit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
