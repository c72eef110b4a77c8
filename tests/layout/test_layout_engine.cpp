// The page layout engine on the recording canvas: flow, page breaks,
// numbering, columns, wrapping, element places, decorations.
#include "cardfixture.h"
#include "testutil.h"

#include "bench/cardgen.h"
#include "layout/texturehook.h"

#include <gtest/gtest.h>

namespace {

// Ordinary products without description advance 1.5 line heights; the
// reserve rule breaks before the product that would reach past the bottom.
TEST(LayoutEngine, PageBreakBeforeTheProductThatDoesNotFit)
{
    TestCard card;
    const int c = card.category(QStringLiteral("A"));
    for (int i = 1; i <= 7; ++i)
        card.product(c, QStringLiteral("P%1").arg(i), 2.5);
    const double y0 = 10 + 2 * h14;
    // Bottom limit between the end of the 5th product and the end of the 6th.
    card.heightmm = y0 + 7.5 * h12 + 0.75 * h12 + 10;

    const auto p1 = card.paint(1);
    EXPECT_TRUE(p1.more);
    EXPECT_EQ(p1.pages, 2);
    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(p1.text(QStringLiteral("P%1").arg(i))) << i;
    EXPECT_FALSE(p1.text(QStringLiteral("P6")));
    EXPECT_EQ(p1.text(QStringLiteral("P1"))->a[1], card.pos(y0));

    const auto p2 = card.paint(2);
    EXPECT_FALSE(p2.more);
    ASSERT_TRUE(p2.text(QStringLiteral("P6")));
    EXPECT_EQ(p2.text(QStringLiteral("P6"))->a[1], card.pos(10));
    EXPECT_EQ(p2.text(QStringLiteral("P7"))->a[1], card.pos(10 + 1.5 * h12));
    EXPECT_FALSE(p2.text(QStringLiteral("A"))); // the heading is not repeated
}

// A category needs room for twice the reserve of the most recent ordinary
// product; the first category never breaks.
TEST(LayoutEngine, CategoryFitUsesTwiceTheLastItemReserve)
{
    const double y0 = 10 + 2 * h14;
    auto make = [&](bool withDescription, bool freeTextAfter) {
        auto card = std::make_unique<TestCard>();
        const int a = card->category(QStringLiteral("A"));
        card->product(a, QStringLiteral("Erstes"), 3, 0, withDescription ? QStringLiteral("d") : QString());
        if (freeTextAfter)
            card->product(a, QString(), -1);
        const int b = card->category(QStringLiteral("B"));
        card->product(b, QStringLiteral("Zweites"), 3);
        card->heightmm = 10 + y0 + 9.5 * h12;
        return card;
    };
    // With a description: A ends at y0 + 4.5 h; 4.5 h + 6 h > 9.5 h.
    EXPECT_EQ(make(true, false)->pageOf(QStringLiteral("B")), 2);
    // Without: A ends at y0 + 2.5 h; 2.5 h + 3 h fits.
    EXPECT_EQ(make(false, false)->pageOf(QStringLiteral("B")), 1);
    // A free text (half a line, one line after the category) keeps the
    // reserve of 1.5 h: y0 + 3 h + 3 h still fits.
    EXPECT_EQ(make(false, true)->pageOf(QStringLiteral("B")), 1);

    // The first category is placed even when nothing fits below it.
    TestCard tiny;
    const int a = tiny.category(QStringLiteral("A"));
    tiny.product(a, QStringLiteral("P"), 1);
    tiny.heightmm = 20.5; // bottom limit 10.5 mm
    const auto p1 = tiny.paint(1);
    EXPECT_TRUE(p1.text(QStringLiteral("A")));
    EXPECT_FALSE(p1.text(QStringLiteral("P")));
    EXPECT_EQ(p1.pages, 2);
}

TEST(LayoutEngine, EmptyCategoryTakesThreeLines)
{
    TestCard card;
    card.category(QStringLiteral("Leer"));
    const int b = card.category(QStringLiteral("B"));
    card.product(b, QStringLiteral("P"), 1);
    const auto p = card.paint(1);
    EXPECT_EQ(p.text(QStringLiteral("Leer"))->a[1], card.pos(10));
    EXPECT_EQ(p.text(QStringLiteral("B"))->a[1], card.pos(10 + 2 * h14 + h14));
}

TEST(LayoutEngine, NewPageForEveryCategoryBreaksOnlyOnce)
{
    TestCard card;
    card.s.NewPageForKatCheck = true;
    for (const char *n : {"A", "B", "C"}) {
        const int c = card.category(QString::fromLatin1(n));
        card.product(c, QStringLiteral("in ") + QString::fromLatin1(n), 1);
    }
    EXPECT_EQ(card.pageOf(QStringLiteral("A")), 1);
    EXPECT_EQ(card.pageOf(QStringLiteral("B")), 2);
    EXPECT_EQ(card.pageOf(QStringLiteral("C")), 3);

    // A category that would not fit anyway still moves by one page only.
    TestCard full;
    full.s.NewPageForKatCheck = true;
    const int a = full.category(QStringLiteral("A"));
    for (int i = 0; i < 5; ++i)
        full.product(a, QStringLiteral("P%1").arg(i), 1);
    const int b = full.category(QStringLiteral("B"));
    full.product(b, QStringLiteral("Q"), 1);
    full.heightmm = 10 + 10 + 2 * h14 + 5 * 1.5 * h12 + 0.5 * h12;
    EXPECT_EQ(full.pageOf(QStringLiteral("P4")), 1);
    EXPECT_EQ(full.pageOf(QStringLiteral("B")), 2);
    EXPECT_EQ(full.paint(1).pages, 2);
}

TEST(LayoutEngine, AutomaticNumbersSkipExplicitOnes)
{
    TestCard card;
    const int a = card.category(QStringLiteral("A"));
    card.product(a, QStringLiteral("P1"), 1, 0);
    card.product(a, QStringLiteral("P2"), 1, 0);
    card.product(a, QStringLiteral("P3"), 1, 3);
    card.product(a, QStringLiteral("P4"), 1, 0);
    const int b = card.category(QStringLiteral("B"));
    card.product(b, QStringLiteral("P5"), 1, 2);
    card.product(b, QStringLiteral("P6"), 1, 0);
    const auto p = card.paint(1);
    const char *expected[] = {"1. ", "4. ", "3. ", "5. ", "2. ", "6. "};
    for (int i = 0; i < 6; ++i) {
        const CanvasOp *name = p.text(QStringLiteral("P%1").arg(i + 1));
        const CanvasOp *label = p.text(QString::fromLatin1(expected[i]));
        ASSERT_TRUE(name && label) << i;
        EXPECT_EQ(label->a[1], name->a[1]) << i;
        // Right-aligned in the number column, the name right after it.
        EXPECT_EQ(label->a[0] + label->width, name->a[0]) << i;
    }
}

TEST(LayoutEngine, FreeTextsCountInTheColumnPassOnly)
{
    TestCard card;
    const int a = card.category(QStringLiteral("A"));
    for (int i = 1; i <= 9; ++i) {
        card.product(a, QStringLiteral("P%1").arg(i), 1);
        if (i == 4)
            card.product(a, QString(), -1, 0, QStringLiteral("Frei"));
    }
    const auto p = card.paint(1);
    // Ten labels were measured, so the column is as wide as "10. ".
    EXPECT_EQ(p.text(QStringLiteral("P1"))->a[0], card.pos(10) + 4 * 25);
    // The layout pass numbers the nine products 1..9 without a gap.
    EXPECT_TRUE(p.text(QStringLiteral("5. ")));
    EXPECT_TRUE(p.text(QStringLiteral("9. ")));
    EXPECT_FALSE(p.text(QStringLiteral("10. ")));
    // The free text starts at the left edge, half a line after it the next
    // product follows.
    const CanvasOp *frei = p.text(QStringLiteral("Frei"));
    ASSERT_TRUE(frei);
    EXPECT_EQ(frei->a[0], card.pos(10));
    EXPECT_EQ(frei->font, card.s.FontDialog(7));
}

TEST(LayoutEngine, NegativeNumbersHaveNoLabelButWidenTheColumn)
{
    TestCard card;
    const int a = card.category(QStringLiteral("A"));
    card.product(a, QStringLiteral("Auto"), 1, 0);
    card.product(a, QStringLiteral("Ohne"), 1, -7, QStringLiteral("Beschreibung"));
    const auto p = card.paint(1);
    // "-7. " is four characters: 100 px at 12 pt.
    EXPECT_EQ(p.text(QStringLiteral("Auto"))->a[0], card.pos(10) + 100);
    EXPECT_EQ(p.text(QStringLiteral("Ohne"))->a[0], card.pos(10));
    EXPECT_FALSE(p.text(QStringLiteral("-7. ")));
    EXPECT_TRUE(p.text(QStringLiteral("1. ")));
    // The description stays indented by the number column.
    EXPECT_EQ(p.text(QStringLiteral("Beschreibung"))->a[0], card.pos(10 + mmPx(100)));
}

// Rows are painted before the break test; after a break inside a
// description the next row starts one row height below the header band.
TEST(LayoutEngine, DescriptionContinuesBelowTheHeaderBand)
{
    TestCard card;
    card.s.KopfEd = QStringLiteral("Kopf");
    const int a = card.category(QStringLiteral("A"));
    QStringList lines;
    for (int i = 1; i <= 20; ++i)
        lines << QStringLiteral("Zeile%1").arg(i);
    card.product(a, QStringLiteral("Lang"), 4, 0, lines.join(QStringLiteral("\r\n")));
    card.product(a, QStringLiteral("Danach"), 4);
    const double band = 2 * h9;
    const double top = 10 + band;
    const double bottom = top + 2 * h14 + 8 * h12;
    card.heightmm = bottom + 10;

    const auto p1 = card.paint(1);
    const auto p2 = card.paint(2);
    // After the 7th row y is 8.5 lines below the name: past the limit.
    ASSERT_TRUE(p1.text(QStringLiteral("Zeile7")));
    EXPECT_FALSE(p1.text(QStringLiteral("Zeile8")));
    const int lastTop = p1.text(QStringLiteral("Zeile7"))->a[1];
    EXPECT_LE(lastTop, card.pos(bottom));
    EXPECT_GT(lastTop + 50, card.pos(bottom)); // reaches below the bottom limit
    ASSERT_TRUE(p2.text(QStringLiteral("Zeile8")));
    EXPECT_EQ(p2.text(QStringLiteral("Zeile8"))->a[1], card.pos(top + h12));
    EXPECT_EQ(p2.text(QStringLiteral("Zeile9"))->a[1], card.pos(top + h12 + h12));
    // The header line is on both pages at the top margin.
    EXPECT_EQ(p1.text(QStringLiteral("Kopf"))->a[1], card.margin(10));
    EXPECT_EQ(p2.text(QStringLiteral("Kopf"))->a[1], card.margin(10));
    // The description rows are indented by the number column and wrapped in
    // the description font.
    EXPECT_EQ(p2.text(QStringLiteral("Zeile8"))->a[0], card.pos(10 + mmPx(75)));
    EXPECT_EQ(p2.text(QStringLiteral("Zeile8"))->font, card.s.FontDialog(4));
}

TEST(LayoutEngine, DescriptionLinesAndFinalAdvance)
{
    TestCard card;
    const int a = card.category(QStringLiteral("A"));
    card.product(a, QStringLiteral("P"), 1, 0, QStringLiteral("eins\r\n\r\nzwei\r\n"));
    card.product(a, QStringLiteral("Q"), 1);
    card.product(a, QString(), -1, 0, QStringLiteral("frei\rtext"));
    card.product(a, QStringLiteral("R"), 1);
    const auto p = card.paint(1);
    const double y0 = 10 + 2 * h14;
    EXPECT_EQ(p.text(QStringLiteral("eins"))->a[1], card.pos(y0 + 1.5 * h12));
    EXPECT_EQ(p.text(QStringLiteral("zwei"))->a[1], card.pos(y0 + 1.5 * h12 + 2 * h12));
    // Three rows (one empty), then back one row and on by 2 hN.
    const double yQ = y0 + 1.5 * h12 + 3 * h12 - h12 + 2 * h12;
    EXPECT_NEAR(p.text(QStringLiteral("Q"))->a[1], card.pos(yQ), 1);
    const double yFrei = yQ + 1.5 * h12;
    EXPECT_NEAR(p.text(QStringLiteral("frei"))->a[1], card.pos(yFrei), 1);
    EXPECT_NEAR(p.text(QStringLiteral("text"))->a[1], card.pos(yFrei + h12), 1);
    // Free-text rows advance one line each, then half a line.
    EXPECT_NEAR(p.text(QStringLiteral("R"))->a[1], card.pos(yFrei + 2.5 * h12), 1);
}

TEST(LayoutEngine, CentredHeadingAndCentredCategoryWithUnequalMargins)
{
    TestCard card;
    card.s.CaptionEd = QStringLiteral("Karte");
    card.s.ZentrCheck = true;
    card.s.CenterKatCheck = true;
    card.s.CapsCheck = true;
    card.s.LinksEd = 40;
    card.s.RechtsEd = 10;
    card.category(QStringLiteral("Vorspeisen"));
    const auto p = card.paint(1);
    const int W = card.widthPx(), lm = card.margin(40), rm = card.margin(10);
    const CanvasOp *heading = p.text(QStringLiteral("Karte"));
    const CanvasOp *cat = p.text(QStringLiteral("VORSPEISEN"));
    ASSERT_TRUE(heading && cat);
    EXPECT_EQ(heading->a[0], (W - lm - rm - heading->width) / 2 + lm);
    EXPECT_EQ(cat->a[0], (W - cat->width) / 2);
    EXPECT_NE(heading->a[0] + heading->width / 2, cat->a[0] + cat->width / 2);
    // The heading takes two of its lines; the category follows.
    EXPECT_EQ(heading->a[1], card.pos(10));
    EXPECT_EQ(cat->a[1], card.pos(10 + 2 * mmPx(100)));

    // Not centred: both at the left edge.
    card.s.ZentrCheck = card.s.CenterKatCheck = false;
    const auto q = card.paint(1);
    EXPECT_EQ(q.text(QStringLiteral("Karte"))->a[0], card.pos(40));
    EXPECT_EQ(q.text(QStringLiteral("VORSPEISEN"))->a[0], card.pos(40));
    // The heading is on page 1 only.
    EXPECT_FALSE(card.paint(2).text(QStringLiteral("Karte")));
}

TEST(LayoutEngine, CapitalsChangeOnlyAsciiLetters)
{
    EXPECT_EQ(UpperAsciiLetters(QStringLiteral("äpfel & süße grüße")), QStringLiteral("äPFEL & SüßE GRüßE"));
    TestCard card;
    card.s.CapsCheck = true;
    card.category(QStringLiteral("Süßspeisen"));
    EXPECT_TRUE(card.paint(1).text(QStringLiteral("SüßSPEISEN")));
    card.s.CapsCheck = false;
    EXPECT_TRUE(card.paint(1).text(QStringLiteral("Süßspeisen")));
}

TEST(LayoutEngine, PricesAndQuantityNotesLineUp)
{
    testutil::LocaleScope de("de_DE");
    TestCard card;
    const int a = card.category(QStringLiteral("Getränke"));
    card.product(a, QStringLiteral("Wein"), 4.5, 0, QString(), QStringLiteral("0,2l"));
    card.product(a, QStringLiteral("Sekt"), 112.9, 0, QString(), QStringLiteral("0,1l Flasche"));
    card.product(a, QStringLiteral("Kaviar"), 0, 0, QString(), QStringLiteral("50g"));
    const auto p = card.paint(1);
    const int W = card.widthPx(), rm = card.margin(10);
    const CanvasOp *wein = p.text(QStringLiteral("4,50 \u20AC"));
    const CanvasOp *sekt = p.text(QStringLiteral("112,90 \u20AC"));
    const CanvasOp *anfrage = p.text(QStringLiteral("    Preis auf Anfrage"));
    ASSERT_TRUE(wein && sekt && anfrage);
    EXPECT_EQ(wein->a[0] + wein->width, W - rm);
    EXPECT_EQ(sekt->a[0] + sekt->width, W - rm);
    EXPECT_EQ(anfrage->a[0] + anfrage->width, W - rm);
    // The price column is as wide as the widest measured price text.
    const int priceCol = QStringLiteral("    112,90 \u20AC").size() * 25;
    const CanvasOp *q1 = p.text(QStringLiteral("0,2l"));
    const CanvasOp *q2 = p.text(QStringLiteral("0,1l Flasche"));
    const CanvasOp *q3 = p.text(QStringLiteral("50g"));
    EXPECT_EQ(q1->a[0] + q1->width, W - rm - priceCol);
    EXPECT_EQ(q2->a[0] + q2->width, W - rm - priceCol);
    EXPECT_EQ(q3->a[0] + q3->width, anfrage->a[0]);
    EXPECT_EQ(wein->font, card.s.FontDialog(5));

    // Without decimals the integral part is kept, not rounded.
    TestCard nk;
    nk.s.NoKommaCheck = true;
    nk.product(nk.category(QStringLiteral("A")), QStringLiteral("X"), 4.99);
    EXPECT_TRUE(nk.paint(1).text(QStringLiteral("4 \u20AC")));
}

TEST(LayoutEngine, OnRequestTextComesFromTheProvider)
{
    TestCard card;
    card.product(card.category(QStringLiteral("A")), QStringLiteral("X"), 0);
    SetOnRequestTextProvider([] { return QStringLiteral("Price on request"); });
    const bool found = card.paint(1).text(QStringLiteral("    Price on request")) != nullptr;
    SetOnRequestTextProvider(nullptr);
    EXPECT_TRUE(found);
    EXPECT_TRUE(card.paint(1).text(QStringLiteral("    Preis auf Anfrage")));
}

TEST(LayoutEngine, LeaderFillsTheGapBetweenNameAndPriceBlock)
{
    testutil::LocaleScope en("en_US");
    TestCard card;
    const int a = card.category(QStringLiteral("A"));
    card.product(a, QStringLiteral("Suppe"), 3.5, 0, QString(), QStringLiteral("0,3l"));
    const auto p = card.paint(1);
    const auto texts = p.canvas->texts();
    const CanvasOp *leader = nullptr;
    for (const auto &t : texts)
        if (!t.text.isEmpty() && t.text.count(QLatin1Char('.')) == t.text.size() && t.text.size() > 3)
            leader = &t;
    ASSERT_TRUE(leader);
    // Name end = x + number column + width("Suppe "); the leader starts one
    // full stop later and ends before the quantity note.
    const double nameEnd = 10 + mmPx(75) + mmPx(6 * 25);
    const double start = nameEnd + mmPx(25);
    const double priceLeft = 210 - 10 - mmPx(QStringLiteral("    3.50 \u20AC").size() * 25) - mmPx(4 * 25);
    EXPECT_EQ(leader->a[0], card.pos(start));
    EXPECT_EQ(leader->text.size(), LeaderDots(LayoutMeasure(p.canvas->metrics({}, 12, 300)), priceLeft - start));
    EXPECT_EQ(leader->font, card.s.FontDialog(6));

    card.s.NoPointsCheck = true;
    const auto q = card.paint(1);
    EXPECT_EQ(q.canvas->texts().size(), texts.size() - 1);
    EXPECT_EQ(q.text(QStringLiteral("Suppe"))->a[0], p.text(QStringLiteral("Suppe"))->a[0]);

    // A name reaching into the price block has no leader.
    TestCard longName;
    longName.product(longName.category(QStringLiteral("A")), QString(300, QLatin1Char('N')), 3.5);
    for (const auto &t : longName.paint(1).canvas->texts())
        EXPECT_FALSE(t.text.startsWith(QLatin1Char('.')));

    // A leader font whose full stop has no width paints no leader and ends.
    card.s.NoPointsCheck = false;
    card.shares[u'.'] = 0;
    const auto z = card.paint(1);
    for (const auto &t : z.canvas->texts())
        EXPECT_FALSE(t.text.startsWith(QLatin1Char('.')));
    EXPECT_TRUE(z.text(QStringLiteral("Suppe")));
}

TEST(LayoutEngine, FrameGeometry)
{
    TestCard card;
    card.dpi = 96;
    card.s.RahmenCheck = true;
    card.s.LinksEd = 25;
    card.s.ObenEd = 20;
    card.s.RechtsEd = 15;
    card.s.UntenEd = 30;
    const auto p = card.paint(1);
    const int W = card.widthPx(), H = card.heightPx();
    const int lm = card.margin(25), tm = card.margin(20), rm = card.margin(15), bm = card.margin(30);
    const int L = lm / 2, T = tm / 2, R = W - rm / 2, B = H - bm / 2;
    std::vector<std::array<int, 8>> lines, arcs;
    int pen = -1;
    for (const auto &o : p.canvas->ops) {
        std::array<int, 8> v;
        std::copy(o.a, o.a + 8, v.begin());
        if (o.kind == CanvasOp::Line) {
            lines.push_back(v);
            pen = o.penWidth;
        } else if (o.kind == CanvasOp::Arc) {
            arcs.push_back(v);
        }
    }
    const std::vector<std::array<int, 8>> expLines = {
        {lm, T, W - rm, T}, {R, tm, R, H - bm}, {lm, B, W - rm, B}, {L, tm, L, H - bm}};
    const std::vector<std::array<int, 8>> expArcs = {
        {0, 0, lm, tm, L, tm, lm, T},
        {W - rm, 0, W, tm, W - rm, T, R, tm},
        {0, H - bm, lm, H, lm, B, L, H - bm},
        {W - rm, H - bm, W, H, R, H - bm, W - rm, B}};
    EXPECT_EQ(lines, expLines);
    EXPECT_EQ(arcs, expArcs);
    EXPECT_EQ(pen, 3); // one millimetre at 96 ppi
    // The blank page comes first, one pixel outline over the page.
    ASSERT_EQ(p.canvas->ops.front().kind, CanvasOp::Rect);
    EXPECT_EQ(p.canvas->ops.front().a[2], W);
    EXPECT_EQ(p.canvas->ops.front().penWidth, 1);
}

class CountingTexture : public ITexturePainter {
public:
    int calls = 0;
    void PaintTexture(ICanvas &canvas, const CardSettings &, int, int, int width, int height) override
    {
        ++calls;
        canvas.drawImage(QRect(0, 0, width, height), QImage());
    }
};

TEST(LayoutEngine, PageBeyondTheLastShowsBlankPageAndFrameOnly)
{
    CountingTexture tex;
    TestCard card;
    card.texture = &tex;
    card.s.RahmenCheck = true;
    card.s.CaptionEd = QStringLiteral("Karte");
    card.s.FussEd = QStringLiteral("Fuss");
    card.s.KopfEd = QStringLiteral("Kopf");
    card.product(card.category(QStringLiteral("A")), QStringLiteral("P"), 1);
    const auto p = card.paint(3);
    EXPECT_FALSE(p.more);
    EXPECT_EQ(p.pages, 1);
    EXPECT_EQ(tex.calls, 0);
    EXPECT_EQ(p.canvas->count(CanvasOp::Text), 0);
    EXPECT_EQ(p.canvas->count(CanvasOp::Rect), 1);
    EXPECT_EQ(p.canvas->count(CanvasOp::Line), 4);
    EXPECT_EQ(p.canvas->count(CanvasOp::Arc), 4);

    // Page 1: texture first (after the blank page), then footer and header.
    const auto q = card.paint(1);
    EXPECT_EQ(tex.calls, 1);
    ASSERT_GE(q.canvas->ops.size(), 4u);
    EXPECT_EQ(q.canvas->ops[0].kind, CanvasOp::Rect);
    EXPECT_EQ(q.canvas->ops[1].kind, CanvasOp::Image);
    EXPECT_EQ(q.canvas->ops[2].text, QStringLiteral("Fuss"));
    EXPECT_EQ(q.canvas->ops[3].text, QStringLiteral("Kopf"));
    const CanvasOp &fuss = q.canvas->ops[2];
    EXPECT_EQ(fuss.a[1], card.heightPx() - card.margin(10) - 38);
    const int lm = card.margin(10), rm = card.margin(10);
    EXPECT_EQ(fuss.a[0], (card.widthPx() - lm - rm - fuss.width) / 2 + lm);
    // The header band pushes the heading down, the footer band raises the bottom.
    EXPECT_EQ(q.text(QStringLiteral("Karte"))->a[1], card.pos(10 + 2 * h9));

    // A printer page gets no white page.
    EXPECT_EQ(card.paint(1, true).canvas->count(CanvasOp::Rect), 0);
}

TEST(LayoutEngine, EmptyCardIsOnePage)
{
    TestCard card;
    card.s.CaptionEd = QStringLiteral("Karte");
    const auto p = card.paint(1);
    EXPECT_FALSE(p.more);
    EXPECT_EQ(p.pages, 1);
    EXPECT_TRUE(p.text(QStringLiteral("Karte")));
}

TEST(LayoutEngine, ProductsTallerThanThePageDoNotLoop)
{
    TestCard card;
    card.heightmm = 25; // 5 mm between the margins, a product needs 6.35
    const int a = card.category(QStringLiteral("A"));
    for (int i = 0; i < 4; ++i)
        card.product(a, QStringLiteral("P%1").arg(i), 1, 0, QStringLiteral("eins\ntwo\ndrei"));
    const auto p = card.paint(1);
    EXPECT_GT(p.pages, 4);
    EXPECT_LT(p.pages, 30);
    EXPECT_EQ(card.pageOf(QStringLiteral("P3")) > card.pageOf(QStringLiteral("P0")), true);

    // A description row wider than everything: one character per row.
    TestCard narrow;
    narrow.widthmm = 30; // the price block leaves no room
    narrow.product(narrow.category(QStringLiteral("A")), QStringLiteral("P"), 1, 0, QStringLiteral("abc def"));
    const auto n = narrow.paint(1);
    EXPECT_TRUE(n.text(QStringLiteral("a")));
    EXPECT_TRUE(n.text(QStringLiteral(" ")));
    EXPECT_TRUE(n.text(QStringLiteral("f")));
}

// The texts of every page: what the zoom must not change.
std::vector<QStringList> pageTexts(const TestCard &card)
{
    std::vector<QStringList> r;
    for (const auto &p : card.allPages()) {
        QStringList t;
        for (const auto &o : p.canvas->texts())
            t << o.text;
        r.push_back(t);
    }
    return r;
}

TEST(LayoutEngine, ZoomNeverChangesBreaksRowsOrDots)
{
    TestCard card;
    card.dpi = 96;
    card.s = CardSettings(); // the defaults: heading, footer, frame
    cardgen::generate(card.cat, card.names, 4, 25);
    const auto reference = pageTexts(card);
    ASSERT_GE(reference.size(), 3u);
    for (int zoom : {10, 30, 70, 150, 280, 1000}) {
        card.zoom = zoom;
        const auto texts = pageTexts(card);
        ASSERT_EQ(texts.size(), reference.size()) << zoom;
        for (size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(texts[i], reference[i]) << "zoom " << zoom << " page " << i + 1;
    }
}

TEST(LayoutEngine, ZoomScalesFontsMarginsAndPositions)
{
    TestCard card;
    card.dpi = 96;
    card.zoom = 200;
    card.product(card.category(QStringLiteral("A")), QStringLiteral("P"), 1);
    const auto p = card.paint(1);
    const CanvasOp *name = p.text(QStringLiteral("P"));
    EXPECT_EQ(name->pointSize, 24);
    EXPECT_EQ(name->dpi, 96);
    EXPECT_EQ(name->a[1], card.pos(10 + 2 * h14));
    // Sizes never fall below one point.
    card.zoom = 10;
    card.s.FontDialog(2).size = 9;
    EXPECT_EQ(card.paint(1).text(QStringLiteral("A"))->pointSize, 1);
}

} // namespace
