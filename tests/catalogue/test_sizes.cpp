// Size columns: the prices per size kept with their product by every
// catalogue command, stored in group D, and changed many at a time.
#include "catalogue/document.h"
#include "catalogue/pricechange.h"
#include "catalogue/sizeloss.h"
#include "catalogue/sizerecords.h"
#include "filebytes.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

using namespace filebytes;

const double kEmpty = std::nan("");

// Category 0 "Biere" with sizes 0,3 l / 0,5 l, category 1 without sizes,
// category 2 "Weine" with three sizes.
void fill(Catalogue &cat, QStringList &names)
{
    auto add = [&](int c, const char *name, double price) {
        ProductValues v;
        v.name = QString::fromUtf8(name);
        v.price = price;
        cat.addProduct(c, v);
    };
    for (const char *n : {"Biere", "Speisen", "Weine"}) {
        cat.addCategory();
        names << QString::fromUtf8(n);
    }
    cat.setSizeHeadings(0, {"0,3 l", "0,5 l"});
    add(0, "Pils", 3.6);
    cat.setSizePrices(0, 0, {3.6, 4.8});
    add(0, "Weizen", 0);
    cat.setSizePrices(0, 1, {kEmpty, 4.9}); // only the large glass
    add(0, "Auf Anfrage", 0);
    add(0, "Frei", -1);
    add(1, "Schnitzel", 21.5);
    cat.setSizeHeadings(2, {"0,1 l", "0,2 l", "0,75 l"});
    add(2, "Riesling", 4.2);
    cat.setSizePrices(2, 0, {4.2, kEmpty, 24.0});
}

bool samePrices(const QVector<double> &a, const QVector<double> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i]))))
            return false;
    return true;
}

#define EXPECT_PRICES(actual, ...) EXPECT_TRUE(samePrices(actual, QVector<double>(__VA_ARGS__)))

} // namespace

TEST(Sizes, PricesPerSizeAndTheFirstIsTheProductsPrice)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    EXPECT_TRUE(cat.hasSizes());
    EXPECT_EQ(cat.sizeHeadings(0), QStringList({"0,3 l", "0,5 l"}));
    EXPECT_FALSE(cat.hasSizes(1));
    EXPECT_PRICES(cat.sizePrices(0, 0), {3.6, 4.8});
    EXPECT_EQ(cat.product(0, 0)->price, 3.6);
    // An empty first size is stored as 0, but is not "on request".
    EXPECT_PRICES(cat.sizePrices(0, 1), {kEmpty, 4.9});
    EXPECT_EQ(cat.product(0, 1)->price, 0);
    EXPECT_PRICES(cat.sizePrices(0, 2), {0, kEmpty});
    EXPECT_PRICES(cat.sizePrices(0, 3), {-1, kEmpty}); // a free text has no further prices
    EXPECT_PRICES(cat.sizePrices(1, 0), {21.5});
    EXPECT_PRICES(cat.sizePrices(2, 0), {4.2, kEmpty, 24.0});

    // Fewer sizes drop the prices of the sizes that went; trailing empty
    // headings count as none; at most four.
    cat.setSizeHeadings(2, {"0,1 l", "0,2 l", "", ""});
    EXPECT_EQ(cat.sizeHeadings(2).size(), 2);
    EXPECT_PRICES(cat.sizePrices(2, 0), {4.2, kEmpty});
    cat.setSizeHeadings(2, {"a", "b", "c"});
    EXPECT_PRICES(cat.sizePrices(2, 0), {4.2, kEmpty, kEmpty});
    cat.setSizeHeadings(2, {"a", "b", "c", "d", "e"});
    EXPECT_EQ(cat.sizeHeadings(2).size(), kMaxSizes);
    cat.setSizeHeadings(0, {});
    EXPECT_PRICES(cat.sizePrices(0, 1), {0}); // without sizes, 0 is "on request" again
    // Prices not above 0 in a further size mean "not in this size".
    cat.setSizeHeadings(0, {"x", "y"});
    cat.setSizePrices(0, 0, {3.0, -2});
    EXPECT_PRICES(cat.sizePrices(0, 0), {3.0, kEmpty});
}

TEST(Sizes, StayWithTheirCategoryAndProductThroughEveryCommand)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    cat.changeProducts(0, 0, 1);
    EXPECT_PRICES(cat.sizePrices(0, 0), {kEmpty, 4.9});
    EXPECT_PRICES(cat.sizePrices(0, 1), {3.6, 4.8});
    cat.deleteProduct(0, 0);
    EXPECT_PRICES(cat.sizePrices(0, 0), {3.6, 4.8});
    cat.changeCategories(0, 2);
    EXPECT_EQ(cat.sizeHeadings(2), QStringList({"0,3 l", "0,5 l"}));
    EXPECT_PRICES(cat.sizePrices(0, 0), {4.2, kEmpty, 24.0});
    cat.deleteCategory(0);
    EXPECT_FALSE(cat.hasSizes(0));
    EXPECT_EQ(cat.sizeHeadings(1), QStringList({"0,3 l", "0,5 l"}));
    Catalogue other;
    other.swapContents(cat);
    EXPECT_FALSE(cat.hasSizes());
    EXPECT_PRICES(other.sizePrices(1, 0), {3.6, 4.8});
    other.clear();
    EXPECT_FALSE(other.hasSizes());
}

// What the window names before it drops prices: the prices of the sizes
// that go, never empty sizes, free texts or the first size's price.
TEST(Sizes, PricesDroppedByFewerSizesOrAMoveAreCounted)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    EXPECT_EQ(PricesDroppedByHeadings(cat, 0, {"0,3 l", "0,5 l"}), 0);
    EXPECT_EQ(PricesDroppedByHeadings(cat, 0, {"0,3 l", "0,5 l", "1 l"}), 0);
    EXPECT_EQ(PricesDroppedByHeadings(cat, 0, {"0,3 l"}), 2);       // Pils and Weizen in 0,5 l
    EXPECT_EQ(PricesDroppedByHeadings(cat, 0, {"0,3 l", " "}), 2);  // a blank heading at the end is none
    EXPECT_EQ(PricesDroppedByHeadings(cat, 0, {}), 2);
    EXPECT_EQ(PricesDroppedByHeadings(cat, 2, {"0,1 l", "0,2 l"}), 1); // 0,2 l is empty
    EXPECT_EQ(PricesDroppedByHeadings(cat, 2, {}), 1);
    EXPECT_EQ(PricesDroppedByHeadings(cat, 1, {}), 0);

    EXPECT_EQ(PricesDroppedByMove(cat, 0, 0, 1), 1); // Pils into a category without sizes
    EXPECT_EQ(PricesDroppedByMove(cat, 0, 1, 1), 1); // Weizen: its one price goes
    EXPECT_EQ(PricesDroppedByMove(cat, 0, 2, 1), 0);
    EXPECT_EQ(PricesDroppedByMove(cat, 0, 3, 1), 0);
    EXPECT_EQ(PricesDroppedByMove(cat, 0, 0, 2), 0);
    EXPECT_EQ(PricesDroppedByMove(cat, 2, 0, 0), 1); // Riesling 0,75 l
    EXPECT_EQ(PricesDroppedByMove(cat, 1, 0, 0), 0);
    EXPECT_EQ(PricesDroppedByMove(cat, 0, 9, 1), 0);
}

TEST(SizesDocument, RoundTripKeepsEveryByteAndNoSizesWriteNothing)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    const QByteArray doc = WriteDocument(names, cat, CardSettings(), {{0x7A01, "fremd"}});
    DocumentData d;
    QString error;
    ASSERT_TRUE(ReadDocument(doc, CardSettings(), d, &error)) << error.toStdString();
    EXPECT_EQ(d.catalogue->sizeHeadings(2), QStringList({"0,1 l", "0,2 l", "0,75 l"}));
    EXPECT_PRICES(d.catalogue->sizePrices(0, 1), {kEmpty, 4.9});
    EXPECT_PRICES(d.catalogue->sizePrices(2, 0), {4.2, kEmpty, 24.0});
    EXPECT_EQ(d.unknownRecords, (ExtensionRecords{{0x7A01, "fremd"}}));
    EXPECT_EQ(WriteDocument(d.categoryNames, *d.catalogue, d.settings, d.unknownRecords), doc);

    // The first sizes stand where an older reader finds them.
    EXPECT_EQ(d.catalogue->product(0, 0)->price, 3.6);

    // What the reader refuses is not written: further prices of a free text,
    // an empty first size where the product has a price.
    cat.setStoredSizePrices(0, 3, true, {4.0});
    cat.setStoredSizePrices(0, 0, true, {4.8});
    EXPECT_PRICES(cat.sizePrices(0, 0), {3.6, 4.8});
    EXPECT_EQ(WriteDocument(names, cat, CardSettings(), {{0x7A01, "fremd"}}), doc);

    // Without headings no size record is written: the file ends after group C.
    for (int c = 0; c < cat.categoryCount(); ++c)
        cat.setSizeHeadings(c, {});
    EXPECT_EQ(WriteDocument(names, cat, CardSettings()).indexOf("VLRD"), -1);
}

TEST(SizesDocument, DamagedRecordsRefuseTheDocument)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    for (int c = 0; c < cat.categoryCount(); ++c)
        cat.setSizeHeadings(c, {});
    const QByteArray groupC = WriteDocument(names, cat, CardSettings());
    QString error;
    auto refused = [&](const QByteArray &records) {
        DocumentData out;
        error.clear();
        const bool ok = ReadDocument(groupC + group(records), CardSettings(), out, &error);
        return !ok && !error.isEmpty();
    };
    auto headings = [](int32_t c, uint16_t k) {
        QByteArray e = int32(c) + uint16(k);
        for (int i = 0; i < k; ++i)
            e += text(QStringLiteral("s%1").arg(i));
        return e;
    };
    const QByteArray good = record(kSizeHeadingsRecord, int32(1) + headings(0, 2));
    DocumentData ok;
    ASSERT_TRUE(ReadDocument(groupC + group(good), CardSettings(), ok, nullptr));
    EXPECT_EQ(ok.catalogue->sizeHeadings(0), QStringList({"s0", "s1"}));

    EXPECT_TRUE(refused(record(kSizeHeadingsRecord, int32(1) + headings(3, 2))));  // no such category
    EXPECT_TRUE(refused(record(kSizeHeadingsRecord, int32(1) + headings(0, 0))));  // no sizes
    EXPECT_TRUE(refused(record(kSizeHeadingsRecord, int32(1) + headings(0, 5))));  // five sizes
    EXPECT_TRUE(refused(record(kSizeHeadingsRecord, int32(-1))));
    EXPECT_TRUE(refused(record(kSizeHeadingsRecord, int32(100000) + headings(0, 1))));
    EXPECT_TRUE(refused(record(kSizeHeadingsRecord, int32(1) + int32(0) + uint16(1) + int32(999))));

    auto prices = [](int32_t c, int32_t p, QVector<double> v, uint8_t flags = 0) {
        QByteArray e = int32(c) + int32(p) + QByteArray(1, char(flags)) + uint16(uint16_t(v.size()));
        for (double x : v)
            e += float64(x);
        return e;
    };
    auto reads = [&](const QByteArray &records) {
        QString error;
        const bool read = ReadDocument(groupC + group(records), CardSettings(), ok, &error);
        EXPECT_TRUE(read) << error.toStdString();
        return read;
    };
    // The empty first size: only where the stored price is 0, never on a
    // free text, which has no further prices either; no other flag bits.
    ASSERT_TRUE(reads(good + record(kSizePricesRecord, int32(1) + prices(0, 2, {4.5}, 1))));
    EXPECT_PRICES(ok.catalogue->sizePrices(0, 2), {kEmpty, 4.5});
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 0, {4.5}, 1))));  // price 3,60
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 2, {4.5}, 2))));
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 2, {4.5}, 0x81))));
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 3, {4.5}))));     // free text
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 3, {kEmpty}))));
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 3, {}, 1))));
    EXPECT_TRUE(error.contains("Eintrag 1 gibt einem freien Text Größen")) << error.toStdString();
    // Each category and product once; the headings once (the prices read
    // after them need them); a later prices record wins product by product.
    EXPECT_TRUE(refused(good + good));
    EXPECT_TRUE(refused(record(kSizeHeadingsRecord, int32(2) + headings(0, 2) + headings(0, 1))));
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(2) + prices(0, 0, {4.5}) + prices(0, 0, {4.6}))));
    ASSERT_TRUE(reads(good + record(kSizePricesRecord, int32(2) + prices(0, 0, {4.5}) + prices(0, 1, {4.6}))
                      + record(kSizePricesRecord, int32(1) + prices(0, 0, {4.7}))));
    EXPECT_PRICES(ok.catalogue->sizePrices(0, 0), {3.6, 4.7});
    EXPECT_PRICES(ok.catalogue->sizePrices(0, 1), {0, 4.6});
    // Control characters in headings read as spaces, as in the additive
    // list; a last heading of nothing else is empty.
    ASSERT_TRUE(reads(record(kSizeHeadingsRecord, int32(1) + int32(0) + uint16(2) + text("0,3\tl") + text("0,5\r\nl\x7f"))));
    EXPECT_EQ(ok.catalogue->sizeHeadings(0), QStringList({"0,3 l", "0,5  l "}));
    EXPECT_TRUE(refused(record(kSizeHeadingsRecord, int32(1) + int32(0) + uint16(2) + text("0,3 l") + text("\x01\n"))));
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 9, {4.5}))));     // no such product
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 0, {4.5, 5}))));  // a third size
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(1, 0, {4.5}))));     // category without sizes
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 0, {-4.5}))));
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 0, {INFINITY}))));
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(2) + prices(0, 0, {4.5}))));     // count beyond
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + int32(0) + int32(0) + QByteArray(1, 0)
                                                            + uint16(60000))));
}

TEST(PriceChange, RoundsRaisesUpAndCutsDown)
{
    auto changed = [](double price, bool percent, double amount, PriceRounding r) {
        return ChangedPrice(price, PriceChangeRule{percent, amount, r});
    };
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::Cent), 7.59);
    // A raise rounds up to the step, a cut down.
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::Step5), 7.60);
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::Step10), 7.60);
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::Step50), 8.00);
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::Step100), 8.00);
    EXPECT_DOUBLE_EQ(changed(4.30, true, -1, PriceRounding::Step50), 4.00);  // 4,257: not 4,50
    EXPECT_DOUBLE_EQ(changed(4.30, true, -1, PriceRounding::Step5), 4.25);
    EXPECT_DOUBLE_EQ(changed(4.30, true, -1, PriceRounding::Step100), 4.00);
    EXPECT_DOUBLE_EQ(changed(4.30, true, 1, PriceRounding::Step10), 4.40);   // 4,343
    EXPECT_DOUBLE_EQ(changed(2.10, true, 5, PriceRounding::Step5), 2.25);    // 2,205
    EXPECT_DOUBLE_EQ(changed(3.60, false, -0.30, PriceRounding::Step10), 3.30); // on a step already
    EXPECT_DOUBLE_EQ(changed(3.60, false, 0.40, PriceRounding::Step50), 4.00);
    // Only no change takes the nearest step, halves up.
    EXPECT_DOUBLE_EQ(changed(4.30, true, 0, PriceRounding::Step50), 4.50);
    EXPECT_DOUBLE_EQ(changed(4.20, true, 0, PriceRounding::Step50), 4.00);
    EXPECT_DOUBLE_EQ(changed(4.25, false, 0, PriceRounding::Step50), 4.50);
    EXPECT_DOUBLE_EQ(changed(1.025, false, 0, PriceRounding::Step5), 1.05);
    // Endings follow the change: a raise never ends lower, a cut never higher.
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::End50), 8.50);  // 7,59
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::End90), 7.90);
    EXPECT_DOUBLE_EQ(changed(4.80, true, 10, PriceRounding::End90), 5.90);  // 5,28
    EXPECT_DOUBLE_EQ(changed(4.20, true, -10, PriceRounding::End90), 2.90); // 3,78
    EXPECT_DOUBLE_EQ(changed(4.20, true, -10, PriceRounding::End50), 3.50);
    EXPECT_DOUBLE_EQ(changed(4.00, false, 0.90, PriceRounding::End90), 4.90); // on an ending already
    EXPECT_DOUBLE_EQ(changed(4.40, true, 0, PriceRounding::End90), 4.90);   // no change: the nearest, halves up
    EXPECT_DOUBLE_EQ(changed(4.30, true, 0, PriceRounding::End90), 3.90);
    EXPECT_DOUBLE_EQ(changed(3.60, false, 0.25, PriceRounding::Cent), 3.85);
    EXPECT_DOUBLE_EQ(changed(1.00, false, 0.025, PriceRounding::Cent), 1.03); // a half: up
    // 0 % to the cent changes nothing, not even decimals beyond the cent; a
    // price with such decimals never moves against the change.
    EXPECT_EQ(changed(4.305, true, 0, PriceRounding::Cent), 4.305);
    EXPECT_EQ(changed(4.304, true, 0.01, PriceRounding::Cent), 4.304);  // 4,3044 to the cent would be 4,30
    EXPECT_EQ(changed(4.306, true, -0.01, PriceRounding::Cent), 4.306); // 4,3056 would be 4,31
    // 0, free texts and results that are no price stay as they are; the
    // last say so.
    bool notAPrice = true;
    EXPECT_EQ(ChangedPrice(0, PriceChangeRule{true, 10, PriceRounding::Step10}, &notAPrice), 0);
    EXPECT_FALSE(notAPrice);
    EXPECT_EQ(ChangedPrice(-1, PriceChangeRule{false, 5, PriceRounding::Cent}, &notAPrice), -1);
    EXPECT_FALSE(notAPrice);
    EXPECT_EQ(ChangedPrice(1.00, PriceChangeRule{false, -2, PriceRounding::Cent}, &notAPrice), 1.00);
    EXPECT_TRUE(notAPrice);
    EXPECT_EQ(ChangedPrice(0.20, PriceChangeRule{true, 0, PriceRounding::Step100}, &notAPrice), 0.20); // nearest 0
    EXPECT_TRUE(notAPrice);
    EXPECT_EQ(ChangedPrice(0.40, PriceChangeRule{true, -10, PriceRounding::Step50}, &notAPrice), 0.40); // down to 0
    EXPECT_TRUE(notAPrice);
    EXPECT_EQ(ChangedPrice(0.40, PriceChangeRule{true, -10, PriceRounding::End90}, &notAPrice), 0.40); // -0,10
    EXPECT_TRUE(notAPrice);
    EXPECT_DOUBLE_EQ(ChangedPrice(0.40, PriceChangeRule{true, -10, PriceRounding::Step5}, &notAPrice), 0.35);
    EXPECT_FALSE(notAPrice);
}

// Over a range of prices, changes and every rounding: a raise never lowers
// a price and a cut never raises it, the result lies on the rounding's grid,
// and it is the first grid price in the change's direction (not one further).
TEST(PriceChange, NoPriceMovesAgainstTheChange)
{
    struct Grid {
        PriceRounding rounding;
        long long step;   // cents between two grid prices
        long long offset; // cents of the first one
    };
    const Grid grids[] = {{PriceRounding::Cent, 1, 0},     {PriceRounding::Step5, 5, 0},
                          {PriceRounding::Step10, 10, 0},  {PriceRounding::Step50, 50, 0},
                          {PriceRounding::Step100, 100, 0}, {PriceRounding::End50, 100, 50},
                          {PriceRounding::End90, 100, 90}};
    QVector<double> prices;
    for (int cents = 1; cents <= 3000; cents += 7)
        prices << cents / 100.0;
    prices << 0.05 << 0.10 << 0.50 << 0.90 << 1.00 << 4.30 << 4.50 << 9.90 << 99.99 << 1234.5 << 4.305 << 2.999;
    const double percents[] = {-75, -10, -1, -0.5, -0.01, 0, 0.01, 0.5, 1, 10, 75};
    const double amounts[] = {-5, -0.5, -0.05, -0.01, 0, 0.01, 0.05, 0.5, 5};
    int checked = 0, kept = 0;
    for (const Grid &g : grids) {
        for (double price : prices) {
            for (bool percent : {true, false}) {
                for (double amount : percent ? QVector<double>(std::begin(percents), std::end(percents))
                                             : QVector<double>(std::begin(amounts), std::end(amounts))) {
                    const PriceChangeRule rule{percent, amount, g.rounding};
                    bool notAPrice = false;
                    const double after = ChangedPrice(price, rule, &notAPrice);
                    SCOPED_TRACE(QStringLiteral("%1 %2%3 rounding %4 -> %5")
                                     .arg(price)
                                     .arg(amount)
                                     .arg(percent ? "%" : "")
                                     .arg(int(g.rounding))
                                     .arg(after, 0, 'f', 4)
                                     .toStdString());
                    ++checked;
                    if (amount > 0)
                        ASSERT_GE(after, price);
                    if (amount < 0)
                        ASSERT_LE(after, price);
                    if (notAPrice || after == price) {
                        kept += notAPrice;
                        ASSERT_EQ(after, price);
                        continue;
                    }
                    ASSERT_GT(after, 0);
                    const long long cents = std::llround(after * 100);
                    ASSERT_NEAR(after * 100, double(cents), 1e-6) << "not whole cents";
                    ASSERT_EQ(((cents - g.offset) % g.step + g.step) % g.step, 0) << "off the grid";
                    const double raw = percent ? price * (1 + amount / 100) : price + amount;
                    const double rawCents = raw * 100;
                    if (amount > 0 && g.step > 1) {
                        ASSERT_GE(cents + 1e-6, rawCents);
                        ASSERT_LT(cents - g.step, rawCents + 1e-6) << "more than one step up";
                    } else if (amount < 0 && g.step > 1) {
                        ASSERT_LE(cents - 1e-6, rawCents);
                        ASSERT_GT(cents + g.step, rawCents - 1e-6) << "more than one step down";
                    } else {
                        ASSERT_LE(std::abs(cents - rawCents), g.step / 2.0 + 1e-6) << "not the nearest";
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 20000);
    EXPECT_GT(kept, 0); // the large cuts of small prices
}

TEST(PriceChange, EverySizeOfTheTickedCategoriesChangesInOneList)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    const PriceChangeRule rule{false, 1, PriceRounding::Cent};
    const QVector<PriceChange> all = PlanPriceChanges(cat, {0, 1, 2}, rule);
    // Pils 2 sizes, Weizen 1 (its first is empty), Schnitzel, Riesling 2.
    ASSERT_EQ(all.size(), 6);
    EXPECT_EQ(all[0].category, 0);
    EXPECT_EQ(all[1].size, 1);
    EXPECT_DOUBLE_EQ(all[1].before, 4.8);
    EXPECT_DOUBLE_EQ(all[1].after, 5.8);
    // Drinks only: the beers and wines, in order however they are named.
    const QVector<PriceChange> drinks = PlanPriceChanges(cat, {2, 0}, rule);
    ASSERT_EQ(drinks.size(), 5);
    EXPECT_EQ(drinks[0].category, 0);
    EXPECT_EQ(drinks[4].category, 2);
    EXPECT_EQ(drinks[4].size, 2);
    EXPECT_TRUE(PlanPriceChanges(cat, {}, rule).isEmpty());

    ApplyPriceChanges(cat, all);
    EXPECT_PRICES(cat.sizePrices(0, 0), {4.6, 5.8});
    EXPECT_PRICES(cat.sizePrices(0, 1), {kEmpty, 5.9});
    EXPECT_PRICES(cat.sizePrices(0, 2), {0, kEmpty});
    EXPECT_PRICES(cat.sizePrices(0, 3), {-1, kEmpty});
    EXPECT_PRICES(cat.sizePrices(1, 0), {22.5});
    EXPECT_PRICES(cat.sizePrices(2, 0), {5.2, kEmpty, 25.0});

    // A price the change would bring to 0 or below is listed as kept and
    // stays; the others change.
    const QVector<PriceChange> cut = PlanPriceChanges(cat, {0}, PriceChangeRule{false, -4.7, PriceRounding::Cent});
    ASSERT_EQ(cut.size(), 3);
    EXPECT_TRUE(cut[0].keptAtZero);
    EXPECT_DOUBLE_EQ(cut[0].after, 4.6);
    EXPECT_FALSE(cut[1].keptAtZero);
    EXPECT_TRUE(ChangesAnyPrice(cut));
    ApplyPriceChanges(cat, cut);
    EXPECT_PRICES(cat.sizePrices(0, 0), {4.6, 1.1});
    EXPECT_PRICES(cat.sizePrices(0, 1), {kEmpty, 1.2});
    const QVector<PriceChange> all0 = PlanPriceChanges(cat, {0, 1, 2}, PriceChangeRule{true, -100, PriceRounding::Cent});
    EXPECT_EQ(all0.size(), 6);
    EXPECT_FALSE(ChangesAnyPrice(all0));
}
