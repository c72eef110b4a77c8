// Speed of the page layout engine: one PaintToCanvas of page 1 and of the
// last page of a generated card at zoom 100 and 96 ppi on a QImage, for 100,
// 1,000 and 10,000 products, laying out the whole card or stopping once the
// page is painted; and the fast row breaking and leader counting against
// the step-by-step procedures on the texts of the same card.
#include "bench/cardgen.h"
#include "tests/layout/literal.h"

#include "catalogue/catalogue.h"
#include "layout/cardlayout.h"
#include "layout/cardoutput.h"
#include "layout/qpaintercanvas.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <memory>

namespace {

struct BenchCard {
    Catalogue cat;
    QStringList names;
};

BenchCard &card(int products)
{
    static std::map<int, std::unique_ptr<BenchCard>> cards;
    auto &slot = cards[products];
    if (!slot) {
        slot = std::make_unique<BenchCard>();
        const int perCategory = 50;
        cardgen::generate(slot->cat, slot->names, products / perCategory, perCategory);
    }
    return *slot;
}

CardSource sourceFor(BenchCard &c)
{
    CardSource src;
    src.categoryNames = c.names;
    src.catalogue = &c.cat;
    src.zoom = 100;
    return src;
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

// Argument 1: 0 lays out the whole card at every call (as before the early
// stop), 1 stops once the page is painted (what the program does).
LayoutExtent extentOf(const benchmark::State &state)
{
    return state.range(1) ? LayoutExtent::UntilPageDone : LayoutExtent::WholeCard;
}

int pageCountOf(const CardSource &src, const PreviewGeometry &g)
{
    QPainterCanvas canvas(nullptr);
    int pages = 0;
    PaintToCanvas(src, canvas, 96, g.W, g.H, 1, 100.0, false, g.widthmm, g.heightmm, &pages, LayoutExtent::WholeCard);
    return pages;
}

void paintPage(benchmark::State &state, bool last)
{
    BenchCard &c = card(int(state.range(0)));
    const CardSource src = sourceFor(c);
    const PreviewGeometry g = PreviewPageGeometry(area(), 96, 100);
    const int pages = pageCountOf(src, g);
    const int page = last ? pages : 1;
    QImage img(g.W, g.H, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&img);
        QPainterCanvas canvas(&painter);
        benchmark::DoNotOptimize(PaintToCanvas(src, canvas, 96, g.W, g.H, page, 100.0, false, g.widthmm,
                                               g.heightmm, nullptr, extentOf(state)));
    }
    state.counters["pages"] = pages;
}

void BM_PaintPage1(benchmark::State &state)
{
    paintPage(state, false);
}
BENCHMARK(BM_PaintPage1)
    ->ArgsProduct({{100, 1000, 10000}, {0, 1}})
    ->ArgNames({"products", "early"})
    ->Unit(benchmark::kMillisecond);

void BM_PaintLastPage(benchmark::State &state)
{
    paintPage(state, true);
}
BENCHMARK(BM_PaintLastPage)
    ->ArgsProduct({{1000, 10000}, {0, 1}})
    ->ArgNames({"products", "early"})
    ->Unit(benchmark::kMillisecond);

// The same cards with three sizes in every category ("0,2 l", "0,4 l",
// "1,0 l"): each product's price is its first size, the further ones 30 and
// 60 percent more. Argument 0 is the product count; argument 1 as above;
// argument 2: 0 paints page 1, 1 the last page.
BenchCard &sizedCard(int products)
{
    static std::map<int, std::unique_ptr<BenchCard>> cards;
    auto &slot = cards[products];
    if (!slot) {
        slot = std::make_unique<BenchCard>();
        const int perCategory = 50;
        cardgen::generate(slot->cat, slot->names, products / perCategory, perCategory);
        for (int c = 0; c < slot->cat.categoryCount(); ++c) {
            slot->cat.setSizeHeadings(c, {QStringLiteral("0,2 l"), QStringLiteral("0,4 l"), QStringLiteral("1,0 l")});
            for (uint32_t r = 0; r < slot->cat.products(c)->count; ++r) {
                const double first = slot->cat.product(c, int(r))->price;
                if (first > 0)
                    slot->cat.setSizePrices(c, int(r), {first, first * 1.3, first * 1.6});
            }
        }
    }
    return *slot;
}

void BM_PaintSized(benchmark::State &state)
{
    BenchCard &c = sizedCard(int(state.range(0)));
    const CardSource src = sourceFor(c);
    const PreviewGeometry g = PreviewPageGeometry(area(), 96, 100);
    const int pages = pageCountOf(src, g);
    const int page = state.range(2) ? pages : 1;
    QImage img(g.W, g.H, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&img);
        QPainterCanvas canvas(&painter);
        benchmark::DoNotOptimize(PaintToCanvas(src, canvas, 96, g.W, g.H, page, 100.0, false, g.widthmm,
                                               g.heightmm, nullptr, extentOf(state)));
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PaintSized)
    ->ArgsProduct({{1000}, {0, 1}, {0, 1}})
    ->ArgNames({"products", "early", "last"})
    ->Unit(benchmark::kMillisecond);

// The whole card without a painter: the layout alone, painting nothing.
void BM_LayoutOnly(benchmark::State &state)
{
    BenchCard &c = card(int(state.range(0)));
    const CardSource src = sourceFor(c);
    const PreviewGeometry g = PreviewPageGeometry(area(), 96, 100);
    for (auto _ : state) {
        QPainterCanvas canvas(nullptr);
        benchmark::DoNotOptimize(PaintToCanvas(src, canvas, 96, g.W, g.H, 1, 100.0, false, g.widthmm,
                                               g.heightmm, nullptr, LayoutExtent::WholeCard));
    }
}
BENCHMARK(BM_LayoutOnly)->Arg(1000)->Unit(benchmark::kMillisecond);

// The description lines and leader widths of the 1,000-product card, in the
// description and leader fonts at their nominal sizes (argument 0), and long
// free-text paragraphs (argument 1).
struct Work {
    QStringList lines;
    std::vector<double> widths;
    std::vector<double> leaderRoom;
};

const Work &work()
{
    static Work w;
    if (w.lines.isEmpty()) {
        BenchCard &c = card(1000);
        for (int i = 0; i < c.cat.categoryCount(); ++i) {
            TDynaArray *prods = c.cat.products(i);
            for (uint32_t j = 0; j < prods->count; ++j) {
                const auto *p = static_cast<const TProductRec *>(prods->At(j));
                for (const QString &l : SplitDescriptionLines(WideText(p->description))) {
                    w.lines << l;
                    w.widths.push_back(100 + (j % 7) * 5); // mm, as on an A4 page
                }
                w.leaderRoom.push_back(40 + (j % 11) * 8);
            }
        }
    }
    return w;
}

const LayoutMeasure &measure(int element)
{
    static QPainterCanvas canvas(nullptr);
    static const CardSettings s;
    static std::map<int, LayoutMeasure> m;
    auto it = m.find(element);
    if (it == m.end()) {
        const FontSetting &f = s.FontDialog(element);
        it = m.emplace(element, LayoutMeasure(canvas.metrics(f, f.size, kMeasureDpi))).first;
    }
    return it->second;
}

// Long free texts: 20 paragraphs of 1,500 characters.
const Work &longWork()
{
    static Work w;
    if (w.lines.isEmpty()) {
        std::mt19937 rng(7);
        for (int i = 0; i < 20; ++i) {
            w.lines << cardgen::text(rng, 1500);
            w.widths.push_back(150);
        }
    }
    return w;
}

const Work &workFor(const benchmark::State &state)
{
    return state.range(0) ? longWork() : work();
}

void BM_WrapFast(benchmark::State &state)
{
    const Work &w = workFor(state);
    const LayoutMeasure &m = measure(4);
    for (auto _ : state)
        for (qsizetype i = 0; i < w.lines.size(); ++i)
            benchmark::DoNotOptimize(WrapLine(m, w.lines[i], w.widths[size_t(i)]));
    state.counters["lines"] = double(w.lines.size());
}
BENCHMARK(BM_WrapFast)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_WrapLiteral(benchmark::State &state)
{
    const Work &w = workFor(state);
    const LayoutMeasure &m = measure(4);
    for (auto _ : state)
        for (qsizetype i = 0; i < w.lines.size(); ++i)
            benchmark::DoNotOptimize(literal::wrapLine(m, w.lines[i], w.widths[size_t(i)]));
    state.counters["lines"] = double(w.lines.size());
}
BENCHMARK(BM_WrapLiteral)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LeaderFast(benchmark::State &state)
{
    const Work &w = work();
    const LayoutMeasure &m = measure(6);
    for (auto _ : state)
        for (double room : w.leaderRoom)
            benchmark::DoNotOptimize(LeaderDots(m, room));
    state.counters["leaders"] = double(w.leaderRoom.size());
}
BENCHMARK(BM_LeaderFast)->Unit(benchmark::kMillisecond);

void BM_LeaderLiteral(benchmark::State &state)
{
    const Work &w = work();
    const LayoutMeasure &m = measure(6);
    for (auto _ : state)
        for (double room : w.leaderRoom)
            benchmark::DoNotOptimize(literal::leaderDots(m, room));
    state.counters["leaders"] = double(w.leaderRoom.size());
}
BENCHMARK(BM_LeaderLiteral)->Unit(benchmark::kMillisecond);

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
