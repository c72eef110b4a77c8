// Speed of working on one card of a document of several: a catalogue of
// 1,000 products (20 categories of 50) and five cards - the first carrying
// everything with one dish out of season, four carrying a part each (five
// categories and a few dishes of others). What the window does after each
// step: build the selected card's source through SourceOfCard (its view of
// the catalogue), count its pages and paint page 1 of the preview.
//   BM_CardPriceChange/card:N  one price changed, then card N again
//   BM_CardSwitch/card:N       the selected card switched from another to N
//   BM_CardSource/card:N       building card N's source alone
//   BM_OneCardPriceChange      the same catalogue as a document of one card
//                              carrying everything, as documents were before
//                              cards: the layout reads the catalogue itself
#include "bench/cardgen.h"

#include "catalogue/cards.h"
#include "catalogue/catalogue.h"
#include "layout/cardlayout.h"
#include "layout/cardoutput.h"
#include "layout/cardsource.h"
#include "layout/qpaintercanvas.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Document {
    Catalogue cat;
    QStringList names;
    CardSettings first;
    CardList cards;
};

Document &document()
{
    static std::unique_ptr<Document> doc;
    if (!doc) {
        doc = std::make_unique<Document>();
        cardgen::generate(doc->cat, doc->names, 20, 50);
        for (int k = 1; k < 5; ++k) {
            Card c;
            c.name = QStringLiteral("Karte %1").arg(k + 1);
            c.settings = doc->first;
            c.settings.NummernJeKarteCheck = k == 4; // a lunch sheet numbers its own
            doc->cards.append(c);
        }
        for (int i = 0; i < 20; ++i) {
            for (int j = 0; j < 50; ++j) {
                uint64_t on = 1;                           // the first card carries everything
                on |= uint64_t(1) << (1 + i % 4);          // five categories per further card
                if (j % 10 == 0)
                    on |= uint64_t(1) << (1 + (i + 1) % 4); // and a few dishes of others
                doc->cat.setProductCards(i, j, on);
            }
        }
        doc->cat.setOffered(3, 7, false); // one dish out of season
    }
    return *doc;
}

// The same catalogue in a document of one card that carries everything.
Document &oneCard()
{
    static std::unique_ptr<Document> doc;
    if (!doc) {
        doc = std::make_unique<Document>();
        cardgen::generate(doc->cat, doc->names, 20, 50);
    }
    return *doc;
}

// A4 printable area of a 600 ppi printer with 5 mm borders.
PageArea area()
{
    PageArea a;
    a.dpi = 600;
    a.widthPx = 4724;
    a.heightPx = 6780;
    return a;
}

// What the window does for the selected card: its source, its page count,
// page 1 of the preview.
int showCard(Document &doc, int card, QImage &img, const PreviewGeometry &g)
{
    CardSource src = SourceOfCard(doc.names, doc.cat, card, doc.cards.settingsOf(card, doc.first));
    src.zoom = 100;
    const int pages = CardPageCount(src, area());
    QPainter painter(&img);
    QPainterCanvas canvas(&painter);
    PaintToCanvas(src, canvas, 96, g.W, g.H, 1, 100.0, false, g.widthmm, g.heightmm, nullptr,
                  LayoutExtent::UntilPageDone);
    return pages;
}

void BM_CardPriceChange(benchmark::State &state)
{
    Document &doc = document();
    const int card = int(state.range(0));
    const PreviewGeometry g = PreviewPageGeometry(area(), 96, 100);
    QImage img(g.W, g.H, QImage::Format_RGB32);
    // A dish the card prints (category 1 is on the first and the third card).
    TProductRec *p = doc.cat.product(1, 20);
    const double price = p->price;
    int pages = 0;
    bool up = false;
    for (auto _ : state) {
        up = !up;
        doc.cat.product(1, 20)->price = up ? price + 1 : price;
        pages = showCard(doc, card, img, g);
        benchmark::DoNotOptimize(pages);
    }
    doc.cat.product(1, 20)->price = price;
    state.counters["pages"] = pages;
    state.counters["products"] = ProductsOnCard(doc.cat, card);
}
void BM_OneCardPriceChange(benchmark::State &state)
{
    Document &doc = oneCard();
    const PreviewGeometry g = PreviewPageGeometry(area(), 96, 100);
    QImage img(g.W, g.H, QImage::Format_RGB32);
    const double price = doc.cat.product(1, 20)->price;
    int pages = 0;
    bool up = false;
    for (auto _ : state) {
        up = !up;
        doc.cat.product(1, 20)->price = up ? price + 1 : price;
        pages = showCard(doc, 0, img, g);
        benchmark::DoNotOptimize(pages);
    }
    doc.cat.product(1, 20)->price = price;
    state.counters["pages"] = pages;
}
BENCHMARK(BM_OneCardPriceChange)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_CardPriceChange)->Arg(0)->Arg(2)->Arg(4)->ArgName("card")->Unit(benchmark::kMillisecond);

void BM_CardSwitch(benchmark::State &state)
{
    Document &doc = document();
    const int card = int(state.range(0));
    const int other = card == 0 ? 1 : 0;
    const PreviewGeometry g = PreviewPageGeometry(area(), 96, 100);
    QImage img(g.W, g.H, QImage::Format_RGB32);
    int pages = 0;
    for (auto _ : state) {
        // Switching back and forth: each timed step shows the card switched to.
        state.PauseTiming();
        showCard(doc, other, img, g);
        state.ResumeTiming();
        pages = showCard(doc, card, img, g);
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["products"] = ProductsOnCard(doc.cat, card);
}
BENCHMARK(BM_CardSwitch)->Arg(0)->Arg(2)->Arg(4)->ArgName("card")->Unit(benchmark::kMillisecond);

// The card's source alone: the part of the steps above that building the
// card's view of the catalogue takes.
void BM_CardSource(benchmark::State &state)
{
    Document &doc = document();
    const int card = int(state.range(0));
    for (auto _ : state) {
        const CardSource src = SourceOfCard(doc.names, doc.cat, card, doc.cards.settingsOf(card, doc.first));
        benchmark::DoNotOptimize(src.catalogue);
    }
}
BENCHMARK(BM_CardSource)->Arg(0)->Arg(2)->Arg(4)->ArgName("card")->Unit(benchmark::kMillisecond);

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
