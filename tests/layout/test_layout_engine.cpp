// The page layout engine on the recording canvas: flow, page breaks,
// numbering, columns, wrapping, element places, decorations.
#include "cardfixture.h"
#include "testutil.h"

#include "bench/cardgen.h"
#include "layout/texturehook.h"

#include <gtest/gtest.h>

namespace {

// The engine tests run on several surfaces: where surface and measuring
// pixels agree, and at other resolutions and zooms, so that a size measured
// in the wrong units or a zoomed font size rounded instead of truncated
// shows.
class LayoutEngine : public ::testing::TestWithParam<Surface> {
protected:
    void SetUp() override { TestSurface() = GetParam(); }
    void TearDown() override { TestSurface() = Surface{300, 100}; }
};

// What does not depend on the surface runs once, on the default one.
class LayoutEngineOnce : public ::testing::Test {
protected:
    void SetUp() override { TestSurface() = Surface{300, 100}; }
};

INSTANTIATE_TEST_SUITE_P(Surfaces, LayoutEngine,
                         ::testing::Values(Surface{300, 100}, Surface{96, 100}, Surface{144, 150},
                                           Surface{600, 70}),
                         [](const ::testing::TestParamInfo<Surface> &i) {
                             return "dpi" + std::to_string(i.param.dpi) + "_zoom"
                                    + std::to_string(i.param.zoom);
                         });

// Products without description advance and reserve 1.5 hN, with one the
// reserve is 3 hN; the bottom limit lies two footer lines above the bottom
// margin, and the heading's space is kept whatever page is requested.
TEST_P(LayoutEngine, PageBreakBeforeTheProductThatDoesNotFit)
{
    TestCard card;
    card.s.CaptionEd = QStringLiteral("Karte");
    card.s.FussEd = QStringLiteral("Fuss");
    const int c = card.category(QStringLiteral("A"));
    for (int i = 1; i <= 7; ++i)
        card.product(c, QStringLiteral("P%1").arg(i), 2.5);
    const double hN = card.h(3);
    const double y0 = 10 + 2 * card.h(1) + 2 * card.h(2);
    // The 5th product ends at y0 + 7.5 hN, the 6th would end a quarter
    // line past the bottom limit.
    card.heightmm = y0 + 8.75 * hN + 2 * card.h(8) + 10;

    const auto p1 = card.paint(1);
    EXPECT_TRUE(p1.more);
    EXPECT_EQ(p1.pages, 2);
    for (int i = 1; i <= 5; ++i)
        ASSERT_TRUE(p1.text(QStringLiteral("P%1").arg(i))) << i;
    EXPECT_FALSE(p1.text(QStringLiteral("P6")));
    EXPECT_EQ(p1.text(QStringLiteral("P1"))->a[1], card.pos(y0));
    EXPECT_EQ(p1.text(QStringLiteral("P5"))->a[1], card.pos(y0 + 6 * hN));

    const auto p2 = card.paint(2);
    EXPECT_FALSE(p2.more);
    ASSERT_TRUE(p2.text(QStringLiteral("P6")));
    EXPECT_EQ(p2.text(QStringLiteral("P6"))->a[1], card.pos(10));
    EXPECT_EQ(p2.text(QStringLiteral("P7"))->a[1], card.pos(10 + 1.5 * hN));
    EXPECT_FALSE(p2.text(QStringLiteral("A"))); // the heading is not repeated

    // One product per card, just too tall or just small enough for the
    // page: with a description it needs 3 hN, without 1.5 hN.
    auto pageOfProduct = [&](const QString &description, double room) {
        TestCard one;
        one.product(one.category(QStringLiteral("K")), QStringLiteral("Einzeln"), 1, 0, description);
        one.heightmm = 10 + 2 * one.h(2) + room * one.h(3) + 10;
        return one.pageOf(QStringLiteral("Einzeln"));
    };
    EXPECT_EQ(pageOfProduct(QStringLiteral("d"), 2.9), 2);
    EXPECT_EQ(pageOfProduct(QStringLiteral("d"), 3.1), 1);
    EXPECT_EQ(pageOfProduct(QString(), 1.4), 2);
    EXPECT_EQ(pageOfProduct(QString(), 1.6), 1);
}

// A category needs room for twice the reserve of the most recent ordinary
// product; the first category never breaks. After a category's last
// product y advances by a line of the font in force: the description font
// after an ordinary product (with or without description), the free-text
// font after a free text.
TEST_P(LayoutEngine, CategoryFitUsesTwiceTheLastItemReserve)
{
    TestCard ref;
    const double hN = ref.h(3), hD = ref.h(4), hF = ref.h(7);
    const double y0 = 10 + 2 * ref.h(2);
    auto make = [&](bool withDescription, bool freeTextAfter) {
        auto card = std::make_unique<TestCard>();
        const int a = card->category(QStringLiteral("A"));
        card->product(a, QStringLiteral("Erstes"), 3, 0, withDescription ? QStringLiteral("d") : QString());
        if (freeTextAfter)
            card->product(a, QString(), -1);
        const int b = card->category(QStringLiteral("B"));
        card->product(b, QStringLiteral("Zweites"), 3);
        card->heightmm = 10 + y0 + 8 * hN + hD;
        return card;
    };
    // With a description: A ends at y0 + 3.5 hN + hD; 6 hN more do not fit.
    EXPECT_EQ(make(true, false)->pageOf(QStringLiteral("B")), 2);
    // Without: A ends at y0 + 1.5 hN + hD; 3 hN more fit.
    const auto plain = make(false, false);
    EXPECT_EQ(plain->pageOf(QStringLiteral("B")), 1);
    EXPECT_EQ(plain->paint(1).text(QStringLiteral("B"))->a[1], plain->pos(y0 + 1.5 * hN + hD));
    // A free text (half a free-text line, then one after the category)
    // keeps the reserve of 1.5 hN.
    const auto free = make(false, true);
    EXPECT_EQ(free->pageOf(QStringLiteral("B")), 1);
    EXPECT_EQ(free->paint(1).text(QStringLiteral("B"))->a[1], free->pos(y0 + 1.5 * hN + 1.5 * hF));

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

// A free text at the end of a category moves where the next category
// breaks the page: its rows, its half line and the category's last line in
// the free-text font push the next caption down, while the room the next
// category needs stays twice the reserve of the last ordinary product (the
// free text has none of its own). Each card is cut a quarter free-text line
// above and below the point where the next category just fits.
TEST_P(LayoutEngine, FreeTextAtTheEndMovesTheNextCategoryBreak)
{
    TestCard ref;
    const double hN = ref.h(3), hF = ref.h(7);
    const double y0 = 10 + 2 * ref.h(2);
    struct Case {
        QString freeText; // "-" for none
        bool description; // the ordinary product before it
        int freeRows;
    } cases[] = {{QStringLiteral("-"), false, 0},
                 {QString(), false, 0},
                 {QStringLiteral("Frei"), false, 1},
                 {QStringLiteral("Frei\nzwei\ndrei"), false, 3},
                 {QStringLiteral("Frei"), true, 1}};
    for (const Case &k : cases) {
        const bool withFree = k.freeText != QStringLiteral("-");
        // Where A ends: the product, then the free text's rows and half a
        // line and one line of its font, or one description line.
        const double aEnd = y0 + (k.description ? 3.5 * hN : 1.5 * hN)
                            + (withFree ? (k.freeRows + 1.5) * hF : ref.h(4));
        const double room = 2 * (k.description ? 3 * hN : 1.5 * hN);
        for (double slack : {0.25 * hF, -0.25 * hF}) {
            TestCard card;
            const int a = card.category(QStringLiteral("A"));
            card.product(a, QStringLiteral("Erstes"), 3, 0, k.description ? QStringLiteral("d") : QString());
            if (withFree)
                card.product(a, QString(), -1, 0, k.freeText);
            card.product(card.category(QStringLiteral("B")), QStringLiteral("Zweites"), 3);
            card.heightmm = aEnd + room + slack + 10;
            const auto p1 = card.paint(1);
            const std::string what = k.freeText.toStdString() + (slack > 0 ? " fits" : " breaks");
            if (slack > 0) {
                ASSERT_TRUE(p1.text(QStringLiteral("B"))) << what;
                EXPECT_EQ(p1.text(QStringLiteral("B"))->a[1], card.pos(aEnd)) << what;
            } else {
                EXPECT_FALSE(p1.text(QStringLiteral("B"))) << what;
                const auto p2 = card.paint(2);
                ASSERT_TRUE(p2.text(QStringLiteral("B"))) << what;
                EXPECT_EQ(p2.text(QStringLiteral("B"))->a[1], card.pos(10)) << what;
            }
        }
    }
}

TEST_P(LayoutEngine, EmptyCategoryTakesThreeLines)
{
    TestCard card;
    card.category(QStringLiteral("Leer"));
    const int b = card.category(QStringLiteral("B"));
    card.product(b, QStringLiteral("P"), 1);
    const auto p = card.paint(1);
    EXPECT_EQ(p.text(QStringLiteral("Leer"))->a[1], card.pos(10));
    EXPECT_EQ(p.text(QStringLiteral("B"))->a[1], card.pos(10 + 3 * card.h(2)));
}

TEST_P(LayoutEngine, NewPageForEveryCategoryBreaksOnlyOnce)
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
    EXPECT_EQ(card.paint(1).pages, 3);

    // A category that would not fit anyway still moves by one page only.
    TestCard full;
    full.s.NewPageForKatCheck = true;
    const int a = full.category(QStringLiteral("A"));
    for (int i = 0; i < 5; ++i)
        full.product(a, QStringLiteral("P%1").arg(i), 1);
    const int b = full.category(QStringLiteral("B"));
    full.product(b, QStringLiteral("Q"), 1);
    full.heightmm = 10 + 10 + 2 * full.h(2) + 5 * 1.5 * full.h(3) + 0.5 * full.h(3);
    EXPECT_EQ(full.pageOf(QStringLiteral("P4")), 1);
    EXPECT_EQ(full.pageOf(QStringLiteral("B")), 2);
    EXPECT_EQ(full.paint(1).pages, 2);
}

TEST_P(LayoutEngine, AutomaticNumbersSkipExplicitOnes)
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
        EXPECT_EQ(label->font, card.s.FontDialog(3)) << i;
    }
}

// The number column is as wide on the surface as the widest label measured
// there, in surface pixels of the zoomed number font.
TEST_P(LayoutEngine, FreeTextsCountInTheColumnPassOnly)
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
    EXPECT_EQ(p.text(QStringLiteral("P1"))->a[0], card.pos(10) + card.spx(3, QStringLiteral("10. ")));
    // The layout pass numbers the nine products 1..9 without a gap.
    EXPECT_TRUE(p.text(QStringLiteral("5. ")));
    EXPECT_TRUE(p.text(QStringLiteral("9. ")));
    EXPECT_FALSE(p.text(QStringLiteral("10. ")));
    // The free text starts at the left edge in its own font.
    const CanvasOp *frei = p.text(QStringLiteral("Frei"));
    ASSERT_TRUE(frei);
    EXPECT_EQ(frei->a[0], card.pos(10));
    EXPECT_EQ(frei->font, card.s.FontDialog(7));
    EXPECT_EQ(frei->pointSize, card.surfacePoints(7));
}

TEST_P(LayoutEngine, NegativeNumbersHaveNoLabelButWidenTheColumn)
{
    TestCard card;
    const int a = card.category(QStringLiteral("A"));
    card.product(a, QStringLiteral("Auto"), 1, 0);
    card.product(a, QStringLiteral("Ohne"), 1, -7, QStringLiteral("Beschreibung"));
    const auto p = card.paint(1);
    EXPECT_EQ(p.text(QStringLiteral("Auto"))->a[0], card.pos(10) + card.spx(3, QStringLiteral("-7. ")));
    EXPECT_EQ(p.text(QStringLiteral("Ohne"))->a[0], card.pos(10));
    EXPECT_FALSE(p.text(QStringLiteral("-7. ")));
    EXPECT_TRUE(p.text(QStringLiteral("1. ")));
    // The description stays indented by the number column.
    EXPECT_EQ(p.text(QStringLiteral("Beschreibung"))->a[0], card.pos(10 + card.w(3, QStringLiteral("-7. "))));
}

// Rows are painted before the break test; after a break inside a
// description the next row starts one row height below the header band.
// The page start in between does not change the description's measuring:
// the category after it still advances by a description line.
TEST_P(LayoutEngine, DescriptionContinuesBelowTheHeaderBand)
{
    TestCard card;
    card.s.KopfEd = QStringLiteral("Kopf");
    const int a = card.category(QStringLiteral("A"));
    QStringList lines;
    for (int i = 1; i <= 9; ++i)
        lines << QStringLiteral("Zeile%1").arg(i);
    card.product(a, QStringLiteral("Lang"), 4, 0, lines.join(QStringLiteral("\r\n")));
    card.category(QStringLiteral("Danach"));
    const double hN = card.h(3), hD = card.h(4);
    const double top = 10 + 2 * card.h(9);
    const double first = top + 2 * card.h(2) + 1.5 * hN; // the first row
    const double bottom = first + 6.5 * hD;
    card.heightmm = bottom + 10;

    const auto p1 = card.paint(1);
    const auto p2 = card.paint(2);
    // After the 7th row y is 7 rows below the first: past the limit.
    ASSERT_TRUE(p1.text(QStringLiteral("Zeile7")));
    EXPECT_FALSE(p1.text(QStringLiteral("Zeile8")));
    EXPECT_EQ(p1.text(QStringLiteral("Zeile2"))->a[1], card.pos(first + hD));
    EXPECT_EQ(p1.text(QStringLiteral("Zeile7"))->a[1], card.pos(first + 6 * hD));
    ASSERT_TRUE(p2.text(QStringLiteral("Zeile8")));
    EXPECT_EQ(p2.text(QStringLiteral("Zeile8"))->a[1], card.pos(top + hD));
    EXPECT_EQ(p2.text(QStringLiteral("Zeile9"))->a[1], card.pos(top + 2 * hD));
    // Back one row, on by 2 hN, then one description line for the category.
    ASSERT_TRUE(p2.text(QStringLiteral("Danach")));
    EXPECT_EQ(p2.text(QStringLiteral("Danach"))->a[1], card.pos(top + 2 * hD + 2 * hN + hD));
    // The header line is on both pages at the top margin.
    EXPECT_EQ(p1.text(QStringLiteral("Kopf"))->a[1], card.margin(10));
    EXPECT_EQ(p2.text(QStringLiteral("Kopf"))->a[1], card.margin(10));
    EXPECT_EQ(p2.text(QStringLiteral("Kopf"))->font, card.s.FontDialog(9));
    // The description rows are indented by the number column and painted
    // in the description font.
    EXPECT_EQ(p2.text(QStringLiteral("Zeile8"))->a[0], card.pos(10 + card.w(3, QStringLiteral("1. "))));
    EXPECT_EQ(p2.text(QStringLiteral("Zeile8"))->font, card.s.FontDialog(4));
}

// Description rows advance by hD, free-text rows by hF; a product with a
// description ends 2 hN after its last row's top, a free text half a line
// after its last row.
TEST_P(LayoutEngine, DescriptionLinesAndFinalAdvance)
{
    TestCard card;
    const int a = card.category(QStringLiteral("A"));
    card.product(a, QStringLiteral("P"), 1, 0, QStringLiteral("eins\r\n\r\nzwei\r\n"));
    card.product(a, QStringLiteral("Q"), 1);
    card.product(a, QString(), -1, 0, QStringLiteral("frei\rtext"));
    card.product(a, QStringLiteral("R"), 1);
    const int b = card.category(QStringLiteral("B"));
    card.product(b, QString(), -1, 0, QStringLiteral("nur"));
    card.category(QStringLiteral("C"));
    const auto p = card.paint(1);
    const double hN = card.h(3), hD = card.h(4), hF = card.h(7), hK = card.h(2);
    const double y0 = 10 + 2 * hK;
    EXPECT_EQ(p.text(QStringLiteral("eins"))->a[1], card.pos(y0 + 1.5 * hN));
    EXPECT_EQ(p.text(QStringLiteral("zwei"))->a[1], card.pos(y0 + 1.5 * hN + 2 * hD));
    // Three rows (one empty), then back one row and on by 2 hN.
    const double yQ = y0 + 1.5 * hN + 2 * hD + 2 * hN;
    EXPECT_EQ(p.text(QStringLiteral("Q"))->a[1], card.pos(yQ));
    const double yFrei = yQ + 1.5 * hN;
    EXPECT_EQ(p.text(QStringLiteral("frei"))->a[1], card.pos(yFrei));
    EXPECT_EQ(p.text(QStringLiteral("text"))->a[1], card.pos(yFrei + hF));
    const double yR = yFrei + 2.5 * hF;
    EXPECT_EQ(p.text(QStringLiteral("R"))->a[1], card.pos(yR));
    // After R the description font is in force, after "nur" the free-text font.
    const double yB = yR + 1.5 * hN + hD;
    EXPECT_EQ(p.text(QStringLiteral("B"))->a[1], card.pos(yB));
    EXPECT_EQ(p.text(QStringLiteral("nur"))->a[1], card.pos(yB + 2 * hK));
    EXPECT_EQ(p.text(QStringLiteral("C"))->a[1], card.pos(yB + 2 * hK + 2.5 * hF));
}

// Descriptions wrap to the price block's left edge minus x minus the number
// column; free texts to the page width minus the right margin, the price
// column and x. A word wider than the row is cut after its last character
// that fits, which shows the width to the pixel.
TEST_P(LayoutEngine, WrapWidthsOfDescriptionsAndFreeTexts)
{
    testutil::LocaleScope de("de_DE");
    TestCard card;
    card.s.RechtsEd = 14;
    const int a = card.category(QStringLiteral("A"));
    const QString word(400, QLatin1Char('x'));
    card.product(a, QStringLiteral("Wein"), 12.5, 0, word, QStringLiteral("0,2l"));
    card.product(a, QString(), -1, 0, word);
    card.product(a, QStringLiteral("Tee"), 3, 0, word);
    const auto p = card.paint(1);
    const double numCol = card.w(3, QStringLiteral("3. "));
    const double priceCol = card.w(5, QStringLiteral("    12,50 \u20AC"));
    auto fitting = [](int advancePx, double mm) {
        int n = 0;
        while (MeasuredPxToMM((n + 1) * advancePx) <= mm)
            ++n;
        return n;
    };
    const int dx = card.measured(4).width(QStringLiteral("x"));
    const int fx = card.measured(7).width(QStringLiteral("x"));
    const double withNote = 210 - 14 - priceCol - card.w(5, QStringLiteral("0,2l")) - 10 - numCol;
    const double withoutNote = 210 - 14 - priceCol - 10 - numCol;
    const double freeWidth = 210 - 14 - priceCol - 10;
    std::vector<int> rows;
    for (const auto &t : p.canvas->texts())
        if (t.text.startsWith(QLatin1Char('x')))
            rows.push_back(int(t.text.size()));
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], fitting(dx, withNote));
    int i = 0;
    for (int rest = 400; rest > 0; rest -= rows[size_t(i++)]) {}
    ASSERT_LT(size_t(i), rows.size());
    EXPECT_EQ(rows[size_t(i)], fitting(fx, freeWidth)); // the free text's first row
    int j = i;
    for (int rest = 400; rest > 0; rest -= rows[size_t(j++)]) {}
    ASSERT_LT(size_t(j), rows.size());
    EXPECT_EQ(rows[size_t(j)], fitting(dx, withoutNote));
}

TEST_P(LayoutEngine, CentredHeadingAndCentredCategoryWithUnequalMargins)
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
    EXPECT_EQ(cat->a[1], card.pos(10 + 2 * card.h(1)));
    EXPECT_EQ(heading->font, card.s.FontDialog(1));
    EXPECT_EQ(cat->font, card.s.FontDialog(2));

    // Not centred: both at the left edge.
    card.s.ZentrCheck = card.s.CenterKatCheck = false;
    const auto q = card.paint(1);
    EXPECT_EQ(q.text(QStringLiteral("Karte"))->a[0], card.pos(40));
    EXPECT_EQ(q.text(QStringLiteral("VORSPEISEN"))->a[0], card.pos(40));
    // The heading is on page 1 only.
    EXPECT_FALSE(card.paint(2).text(QStringLiteral("Karte")));
}

TEST_P(LayoutEngine, CapitalsFollowTheLanguage)
{
    EXPECT_EQ(CapitalLetters(QStringLiteral("äpfel & süße grüße 1a")), QStringLiteral("ÄPFEL & SÜSSE GRÜSSE 1A"));
    EXPECT_EQ(CapitalLetters(QStringLiteral("crème brûlée, œufs")), QStringLiteral("CRÈME BRÛLÉE, ŒUFS"));
    TestCard card;
    card.s.CapsCheck = true;
    card.category(QStringLiteral("Süßspeisen"));
    EXPECT_TRUE(card.paint(1).text(QStringLiteral("SÜSSSPEISEN")));
    // Centred by the width of the text as painted, with its extra letter.
    card.s.CenterKatCheck = true;
    const auto centred = card.paint(1);
    const CanvasOp *cat = centred.text(QStringLiteral("SÜSSSPEISEN"));
    ASSERT_TRUE(cat);
    EXPECT_EQ(cat->a[0], (card.widthPx() - cat->width) / 2);
    card.s.CapsCheck = false;
    EXPECT_TRUE(card.paint(1).text(QStringLiteral("Süßspeisen")));
}

TEST_P(LayoutEngine, PricesAndQuantityNotesLineUp)
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
    const int priceCol = card.spx(5, QStringLiteral("    112,90 \u20AC"));
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

TEST_F(LayoutEngineOnce, OnRequestTextComesFromTheProvider)
{
    TestCard card;
    card.product(card.category(QStringLiteral("A")), QStringLiteral("X"), 0);
    SetOnRequestTextProvider([] { return QStringLiteral("Price on request"); });
    const bool found = card.paint(1).text(QStringLiteral("    Price on request")) != nullptr;
    SetOnRequestTextProvider(nullptr);
    EXPECT_TRUE(found);
    EXPECT_TRUE(card.paint(1).text(QStringLiteral("    Preis auf Anfrage")));
}

// The leader starts one full stop after the name and its space and holds as
// many full stops of the leader font as fit before the price block: the
// price column and the quantity note, or the on-request text and the note.
TEST_P(LayoutEngine, LeaderFillsTheGapBetweenNameAndPriceBlock)
{
    testutil::LocaleScope en("en_US");
    TestCard card;
    card.s.RechtsEd = 14;
    const int a = card.category(QStringLiteral("A"));
    card.product(a, QStringLiteral("Suppe"), 3.5, 0, QString(), QStringLiteral("0,3l"));
    card.product(a, QStringLiteral("Brot"), 12, 0);
    card.product(a, QStringLiteral("Wild"), 0, 0, QString(), QStringLiteral("200g"));
    const auto p = card.paint(1);
    auto leaderBeside = [&](const TestCard::Page &page, const QString &name) -> const CanvasOp * {
        const CanvasOp *n = page.text(name);
        if (!n)
            return nullptr;
        for (const auto &t : page.canvas->ops)
            if (t.kind == CanvasOp::Text && t.a[1] == n->a[1] && t.text.startsWith(QLatin1Char('.')))
                return &t;
        return nullptr;
    };
    const int dotPx = card.measured(6).width(QStringLiteral("."));
    const double dot = MeasuredPxToMM(dotPx);
    auto dotsFor = [&](double available) {
        int n = 0;
        while (MeasuredPxToMM((n + 1) * dotPx) <= available)
            ++n;
        return n;
    };
    const double numCol = card.w(3, QStringLiteral("3. "));
    const double priceCol = card.w(5, QStringLiteral("    12.00 \u20AC"));
    struct Case {
        QString name;
        double priceLeft;
    } cases[] = {
        {QStringLiteral("Suppe"), 210 - 14 - priceCol - card.w(5, QStringLiteral("0,3l"))},
        {QStringLiteral("Brot"), 210 - 14 - priceCol},
        {QStringLiteral("Wild"), 210 - 14 - card.w(5, QStringLiteral("    Preis auf Anfrage"))
                                     - card.w(5, QStringLiteral("200g"))},
    };
    for (const Case &c : cases) {
        const CanvasOp *leader = leaderBeside(p, c.name);
        ASSERT_TRUE(leader) << c.name.toStdString();
        const double start = 10 + numCol + card.w(3, c.name + QLatin1Char(' ')) + dot;
        EXPECT_EQ(leader->a[0], card.pos(start)) << c.name.toStdString();
        EXPECT_EQ(leader->text, QString(dotsFor(c.priceLeft - start), QLatin1Char('.'))) << c.name.toStdString();
        EXPECT_EQ(leader->font, card.s.FontDialog(6));
    }

    card.s.NoPointsCheck = true;
    const auto q = card.paint(1);
    EXPECT_EQ(q.canvas->texts().size(), p.canvas->texts().size() - 3);
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

TEST_P(LayoutEngine, FrameGeometry)
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
    EXPECT_EQ(pen, int(card.zoom * 96 / kMmPerInch / 100)); // one millimetre at the zoom
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

TEST_P(LayoutEngine, PageBeyondTheLastShowsBlankPageAndFrameOnly)
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
    EXPECT_EQ(fuss.a[1], card.heightPx() - card.margin(10) - card.sh(8));
    EXPECT_EQ(fuss.font, card.s.FontDialog(8));
    const int lm = card.margin(10), rm = card.margin(10);
    EXPECT_EQ(fuss.a[0], (card.widthPx() - lm - rm - fuss.width) / 2 + lm);
    // The header band pushes the heading down, the footer band raises the bottom.
    EXPECT_EQ(q.text(QStringLiteral("Karte"))->a[1], card.pos(10 + 2 * card.h(9)));

    // A printer page gets no white page.
    EXPECT_EQ(card.paint(1, true).canvas->count(CanvasOp::Rect), 0);
}

TEST_F(LayoutEngineOnce, EmptyCardIsOnePage)
{
    TestCard card;
    card.s.CaptionEd = QStringLiteral("Karte");
    const auto p = card.paint(1);
    EXPECT_FALSE(p.more);
    EXPECT_EQ(p.pages, 1);
    EXPECT_TRUE(p.text(QStringLiteral("Karte")));
}

TEST_P(LayoutEngine, ProductsTallerThanThePageDoNotLoop)
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

TEST_P(LayoutEngine, ZoomNeverChangesBreaksRowsOrDots)
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

TEST_P(LayoutEngine, ZoomScalesFontsMarginsAndPositions)
{
    // Font sizes scale with the zoom, the fraction dropped (11 and 13 points
    // at 150 % are 16 and 19 points); positions scale too.
    TestCard card;
    card.product(card.category(QStringLiteral("A")), QStringLiteral("P"), 4.5);
    const auto p = card.paint(1);
    const CanvasOp *name = p.text(QStringLiteral("P"));
    EXPECT_EQ(name->pointSize, 11 * card.zoom / 100);
    EXPECT_EQ(name->dpi, card.dpi);
    EXPECT_EQ(p.text(QStringLiteral("A"))->pointSize, 16 * card.zoom / 100);
    EXPECT_EQ(name->a[1], card.pos(10 + 2 * card.h(2)));
    for (const auto &t : p.canvas->texts())
        if (t.text.endsWith(QStringLiteral("\u20AC")))
            EXPECT_EQ(t.pointSize, 13 * card.zoom / 100);
    // Sizes never fall below one point.
    card.zoom = 10;
    card.s.FontDialog(2).size = 9;
    EXPECT_EQ(card.paint(1).text(QStringLiteral("A"))->pointSize, 1);
}

} // namespace
