// Size columns on the card: headings above the price columns on the
// category's line and again at the top of a page the category continues on,
// each price right-aligned in its column, the leader up to the first column,
// nothing for a size a product is not sold in; headings on a row of their own
// where the caption reaches them, long names wrapped before the columns.
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

// "Preis auf Anfrage" stands only where no size has a price: a product not
// sold in the first size, or whose first price is 0, shows its other prices.
TEST(SizeColumns, OnRequestOnlyWhereNoSizeHasAPrice)
{
    testutil::LocaleScope de("de_DE");
    TestCard card;
    const int c = card.category(QStringLiteral("Weine"));
    card.cat.setSizeHeadings(c, {QStringLiteral("0,1 l"), QStringLiteral("0,2 l"), QStringLiteral("0,75 l")});
    card.product(c, QStringLiteral("Jahrgangssekt"), 0);
    card.product(c, QString(), -1, -1, QStringLiteral("Fragen Sie nach der Weinkarte."));
    card.product(c, QStringLiteral("Riesling"), 0);
    card.cat.setSizePrices(c, 2, {kEmpty, 5.2});
    card.product(c, QStringLiteral("Rotling"), 0);
    card.cat.setStoredSizePrices(c, 3, false, {21.5}); // first price 0, not marked empty
    card.product(c, QStringLiteral("Nirgends"), 0);
    card.cat.setSizePrices(c, 4, {kEmpty, kEmpty, kEmpty});
    const auto page = card.paint(1);
    const int rm = card.widthPx() - card.margin(card.s.RechtsEd);
    int onRequest = 0;
    for (const CanvasOp &op : page.canvas->texts()) {
        if (op.text == QStringLiteral("    Preis auf Anfrage")) {
            ++onRequest;
            EXPECT_EQ(right(&op), rm);
            EXPECT_TRUE(op.a[1] == page.text(QStringLiteral("Jahrgangssekt"))->a[1]
                        || op.a[1] == page.text(QStringLiteral("Nirgends"))->a[1]);
        }
    }
    EXPECT_EQ(onRequest, 2);
    const CanvasOp *riesling = page.text(QStringLiteral("5,20 €"));
    const CanvasOp *rotling = page.text(QStringLiteral("21,50 €"));
    ASSERT_TRUE(riesling && rotling);
    EXPECT_EQ(riesling->a[1], page.text(QStringLiteral("Riesling"))->a[1]);
    EXPECT_EQ(rotling->a[1], page.text(QStringLiteral("Rotling"))->a[1]);
    // In the 0,2 l column, right-aligned below its heading.
    const int col3 = card.spx(5, "    0,75 l");
    EXPECT_EQ(right(riesling), rm - col3);
    EXPECT_EQ(right(rotling), rm - col3);
    EXPECT_EQ(right(page.text(QStringLiteral("0,2 l"))), rm - col3);
    EXPECT_FALSE(page.text(QStringLiteral("0,00 €")));
    EXPECT_TRUE(page.text(QStringLiteral("Fragen Sie nach der Weinkarte.")));
    EXPECT_TRUE(page.text(QStringLiteral("0,75 l")));
}

namespace {

// The left edge of the leftmost size heading in millimetres, as the card
// measures it (price font, right-aligned in the columns).
double headingsLeftMM(const TestCard &card, const QStringList &heads, const std::vector<double> &columns)
{
    double right = card.widthmm - card.s.RechtsEd, left = right;
    for (int k = int(heads.size()) - 1; k >= 0; --k) {
        left = std::min(left, right - card.w(5, heads.at(k)));
        right -= columns[size_t(k)];
    }
    return left;
}

} // namespace

// The size headings share the caption's row only when the caption, at the
// left margin or centred, ends a space before the leftmost heading;
// otherwise they stand on a row of their own below the caption, the
// products below them, and the category's room counts that row.
TEST(SizeColumns, HeadingsTakeARowOfTheirOwnWhereTheCaptionReachesThem)
{
    TestCard ref;
    beerCard(ref);
    const QStringList heads{QStringLiteral("0,3 l"), QStringLiteral("0,5 l")};
    const std::vector<double> cols{ref.w(5, QStringLiteral("    3,60 €")), ref.w(5, QStringLiteral("    16,80 €"))};
    const double headsLeft = headingsLeftMM(ref, heads, cols);
    const double space = ref.w(5, QStringLiteral(" "));
    const double letter = ref.w(2, QStringLiteral("B"));
    // The longest caption of B's that fits, at the margin and centred.
    const int atMargin = int((headsLeft - space - 10) / letter);
    const int centred = int((2 * (headsLeft - space) - ref.widthmm) / letter);
    ASSERT_GT(atMargin, centred);

    struct Case {
        int letters;
        bool centre, ownRow;
    } cases[] = {{atMargin, false, false}, {atMargin + 1, false, true}, {centred, true, false},
                 {centred + 1, true, true}, {5, true, false}};
    for (const Case &k : cases) {
        TestCard card;
        card.s.CenterKatCheck = k.centre;
        beerCard(card);
        const QString caption(k.letters, QLatin1Char('B'));
        card.names[0] = caption;
        const auto page = card.paint(1);
        const CanvasOp *cap = page.text(caption);
        const CanvasOp *h1 = page.text(QStringLiteral("0,3 l"));
        const CanvasOp *p0 = page.text(QStringLiteral("Bier 0"));
        ASSERT_TRUE(cap && h1 && p0) << k.letters;
        int headings = 0;
        for (const CanvasOp &op : page.canvas->texts())
            headings += op.text == QStringLiteral("0,5 l");
        EXPECT_EQ(headings, 1) << k.letters;
        const double below = 10 + 2 * card.h(2);
        EXPECT_EQ(cap->a[1], card.pos(10));
        if (k.ownRow) {
            EXPECT_EQ(h1->a[1], card.pos(below)) << k.letters;
            EXPECT_EQ(p0->a[1], card.pos(below + 1.5 * card.h(5))) << k.letters;
        } else {
            EXPECT_EQ(h1->a[1], cap->a[1]) << k.letters;
            EXPECT_LT(cap->a[0] + cap->width, h1->a[0]) << k.letters; // never overprinted
            EXPECT_EQ(p0->a[1], card.pos(below)) << k.letters;
        }
    }

    // A sized category after another: with its headings on the caption's
    // row it starts on page 1, with a row of its own that row no longer fits.
    auto pageOfSecond = [&](const QString &caption) {
        TestCard card;
        const int a = card.category(QStringLiteral("A"));
        card.product(a, QStringLiteral("Suppe"), 4);
        beerCard(card);
        card.names[1] = caption;
        const double afterA = 10 + 2 * card.h(2) + 1.5 * card.h(3) + card.h(4);
        card.heightmm = afterA + 3 * card.h(3) + 0.75 * card.h(5) + 10;
        EXPECT_EQ(card.pageOf(QStringLiteral("0,5 l")), card.pageOf(caption));
        return card.pageOf(caption);
    };
    EXPECT_EQ(pageOfSecond(QStringLiteral("Biere")), 1);
    EXPECT_EQ(pageOfSecond(QString(atMargin + 1, QLatin1Char('B'))), 2);
}

// A name that would run into the price block wraps before it, as
// descriptions do: each row takes the words that fit before the columns
// (measured with its closing space, and the gap before the prices), the
// prices stand on the last row, what follows moves down by the added rows,
// and the rows stay on one page. Without sizes the name keeps its one row.
TEST(SizeColumns, LongNamesWrapBeforeTheFirstPriceColumn)
{
    testutil::LocaleScope de("de_DE");
    // Short words: a room off by a letter or two changes the rows.
    const QString longName = QStringLiteral("Limo ") + QStringLiteral("mit Eis ").repeated(12) + QStringLiteral("im Krug");
    TestCard card;
    beerCard(card);
    card.product(0, longName, 4.2);
    card.cat.setSizePrices(0, 3, {4.2, 7.9});
    card.product(0, QStringLiteral("Danach"), 3);
    const auto page = card.paint(1);
    const double hN = card.h(3), nameTop = 10 + 2 * card.h(2) + 3 * 1.5 * hN;
    const double blockLeft = 200 - card.w(5, QStringLiteral("    16,80 €")) - card.w(5, QStringLiteral("    3,60 €"));
    const double nameLeft = 10 + card.w(3, QStringLiteral("4. ")), space = card.w(3, QStringLiteral(" "));
    QStringList rows;
    int lastTop = -1;
    for (const CanvasOp &op : page.canvas->texts()) {
        if (op.text.startsWith(QStringLiteral("Limo")) || op.text.startsWith(QStringLiteral("mit"))
            || op.text.startsWith(QStringLiteral("Eis"))) {
            EXPECT_EQ(op.a[1], card.pos(nameTop + rows.size() * hN));
            EXPECT_LE(nameLeft + card.w(3, op.text) + space, blockLeft) << op.text.toStdString();
            const QString next = longName.mid(rows.join(QString()).size() + op.text.size()).section(u' ', 0, 0);
            if (!next.isEmpty() && op.text.endsWith(u' '))
                EXPECT_GT(nameLeft + card.w(3, op.text + next + u' ') + space, blockLeft) << op.text.toStdString();
            rows << op.text;
            lastTop = op.a[1];
        }
    }
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.join(QString()), longName);
    ASSERT_TRUE(page.text(QStringLiteral("4,20 €")) && page.text(QStringLiteral("7,90 €")));
    EXPECT_EQ(page.text(QStringLiteral("4,20 €"))->a[1], lastTop);
    EXPECT_EQ(page.text(QStringLiteral("7,90 €"))->a[1], lastTop);
    EXPECT_EQ(page.text(QStringLiteral("Danach"))->a[1], card.pos(nameTop + hN + 1.5 * hN));

    // Room for the product's one row but not for its two: the next page.
    card.heightmm = nameTop + 2 * hN + 10;
    EXPECT_EQ(card.pageOf(QStringLiteral("4,20 €")), 2);

    TestCard single;
    single.product(single.category(QStringLiteral("Getränke")), longName, 4.2);
    EXPECT_TRUE(single.paint(1).text(longName));
}
