// Size columns on the card: headings above the price columns on the
// category's line and again at the top of a page the category continues on,
// each price right-aligned in its column, the leader up to the first column,
// nothing for a size a product is not sold in.
#include "cardfixture.h"

#include "testutil.h"

#include <gtest/gtest.h>

namespace {

const double kEmpty = std::nan("");

// "Biere" with 0,3 l / 0,5 l and three products, the second only in the
// large glass.
void beerCard(TestCard &card, int products = 3)
{
    const int c = card.category(QStringLiteral("Biere"));
    card.cat.setSizeHeadings(c, {QStringLiteral("0,3 l"), QStringLiteral("0,5 l")});
    for (int i = 0; i < products; ++i) {
        card.product(c, QStringLiteral("Bier %1").arg(i), 3.6, 0, QString(), i == 2 ? QStringLiteral("Flasche") : QString());
        card.cat.setSizePrices(c, i, {i == 1 ? kEmpty : 3.6, 14.8 + i});
    }
}

int right(const CanvasOp *op)
{
    return op->a[0] + op->width;
}

} // namespace

TEST(SizeColumns, HeadingsAndPricesRightAlignedInTheirColumns)
{
    testutil::LocaleScope de("de_DE");
    TestCard card;
    beerCard(card);
    const auto page = card.paint(1);
    const int rm = card.widthPx() - card.margin(card.s.RechtsEd);
    // Columns, measured in the price font after four spaces: the second
    // holds "16,80 €" (widest), the first "3,60 €" against the heading.
    const int col2 = std::max(card.spx(5, "    16,80 €"), card.spx(5, "    0,5 l"));
    const CanvasOp *h1 = page.text(QStringLiteral("0,3 l"));
    const CanvasOp *h2 = page.text(QStringLiteral("0,5 l"));
    const CanvasOp *cat = page.text(QStringLiteral("Biere"));
    ASSERT_TRUE(h1 && h2 && cat);
    EXPECT_EQ(right(h2), rm);
    EXPECT_EQ(right(h1), rm - col2);
    EXPECT_EQ(h1->a[1], cat->a[1]); // on the category's line
    EXPECT_EQ(h1->font.face, card.s.FontDialog(5).face);

    const CanvasOp *p0 = page.text(QStringLiteral("Bier 0"));
    int small = 0, large = 0;
    for (const CanvasOp &op : page.canvas->texts()) {
        if (op.text == QStringLiteral("3,60 €")) {
            ++small;
            EXPECT_EQ(right(&op), rm - col2);
        }
        if (op.text.startsWith(QStringLiteral("1")) && op.text.endsWith(QStringLiteral(" €"))) {
            ++large;
            EXPECT_EQ(right(&op), rm);
        }
    }
    EXPECT_EQ(small, 2); // the second beer has no small glass: nothing printed
    EXPECT_EQ(large, 3);
    ASSERT_TRUE(page.text(QStringLiteral("3,60 €")) && p0);
    EXPECT_EQ(page.text(QStringLiteral("3,60 €"))->a[1], p0->a[1]);

    // The leader ends before the first column; the quantity note stands
    // right before it.
    const int col1 = std::max(card.spx(5, "    3,60 €"), card.spx(5, "    0,3 l"));
    const CanvasOp *note = page.text(QStringLiteral("Flasche"));
    ASSERT_TRUE(note);
    EXPECT_EQ(right(note), rm - col2 - col1);
    for (const CanvasOp &op : page.canvas->texts())
        if (op.text.startsWith(QStringLiteral("..")))
            EXPECT_LE(right(&op), rm - col2 - col1);
}

TEST(SizeColumns, HeadingsAgainWhereTheCategoryContinues)
{
    TestCard card;
    card.heightmm = 80;
    beerCard(card, 12);
    const auto pages = card.allPages();
    ASSERT_GE(pages.size(), 2u);
    for (size_t p = 1; p < pages.size(); ++p) {
        const CanvasOp *h = pages[p].text(QStringLiteral("0,5 l"));
        ASSERT_TRUE(h) << "page " << p + 1;
        EXPECT_EQ(h->a[1], card.pos(card.s.ObenEd));
        // The first product of the page stands below the headings.
        int firstProduct = INT_MAX;
        for (const CanvasOp &op : pages[p].canvas->texts())
            if (op.text.startsWith(QStringLiteral("Bier")))
                firstProduct = std::min(firstProduct, op.a[1]);
        EXPECT_EQ(firstProduct, card.pos(card.s.ObenEd + 1.5 * card.h(5)));
    }
    // Stopping early gives the same pages.
    for (size_t p = 0; p < pages.size(); ++p) {
        RecordingCanvas c;
        const bool more = PaintToCanvas(card.source(), c, card.dpi, card.widthPx(), card.heightPx(), int(p) + 1,
                                        double(card.zoom), false, card.widthmm, card.heightmm, nullptr,
                                        LayoutExtent::UntilPageDone);
        EXPECT_EQ(more, pages[p].more);
        ASSERT_EQ(c.texts().size(), pages[p].canvas->texts().size()) << "page " << p + 1;
        for (size_t i = 0; i < c.texts().size(); ++i) {
            EXPECT_EQ(c.texts()[i].text, pages[p].canvas->texts()[i].text);
            EXPECT_EQ(c.texts()[i].a[0], pages[p].canvas->texts()[i].a[0]);
            EXPECT_EQ(c.texts()[i].a[1], pages[p].canvas->texts()[i].a[1]);
        }
    }
}

TEST(SizeColumns, OnRequestAndFreeTextsInASizedCategory)
{
    TestCard card;
    const int c = card.category(QStringLiteral("Weine"));
    card.cat.setSizeHeadings(c, {QStringLiteral("0,1 l"), QStringLiteral("0,2 l"), QStringLiteral("0,75 l")});
    card.product(c, QStringLiteral("Jahrgangssekt"), 0);
    card.product(c, QString(), -1, -1, QStringLiteral("Fragen Sie nach der Weinkarte."));
    const auto page = card.paint(1);
    const CanvasOp *onRequest = page.text(QStringLiteral("    Preis auf Anfrage"));
    ASSERT_TRUE(onRequest);
    EXPECT_EQ(right(onRequest), card.widthPx() - card.margin(card.s.RechtsEd));
    EXPECT_TRUE(page.text(QStringLiteral("Fragen Sie nach der Weinkarte.")));
    EXPECT_TRUE(page.text(QStringLiteral("0,75 l")));
}
