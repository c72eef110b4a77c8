// Size columns: the prices per size kept with their product by every
// catalogue command, stored in group D, and changed many at a time.
#include "catalogue/document.h"
#include "catalogue/pricechange.h"
#include "catalogue/sizeloss.h"
#include "catalogue/sizerecords.h"

#include <QtEndian>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

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

QByteArray record(uint16_t tag, const QByteArray &payload)
{
    char h[6];
    qToLittleEndian<quint16>(tag, h);
    qToLittleEndian<quint32>(quint32(payload.size()), h + 2);
    return QByteArray(h, 6) + payload;
}

QByteArray group(const QByteArray &records)
{
    char l[4];
    qToLittleEndian<quint32>(quint32(records.size()), l);
    return QByteArray("VLRD", 4) + QByteArray(l, 4) + records;
}

QByteArray int32(int32_t v)
{
    char b[4];
    qToLittleEndian<qint32>(v, b);
    return QByteArray(b, 4);
}

QByteArray uint16(uint16_t v)
{
    char b[2];
    qToLittleEndian<quint16>(v, b);
    return QByteArray(b, 2);
}

QByteArray float64(double v)
{
    char b[8];
    std::memcpy(b, &v, 8);
    return QByteArray(b, 8);
}

QByteArray text(const QString &t)
{
    QByteArray b = int32(int32_t(t.size()));
    for (QChar c : t)
        b += uint16(c.unicode());
    return b;
}

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
    auto refused = [&](const QByteArray &records) {
        DocumentData out;
        QString error;
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
    ASSERT_TRUE(ReadDocument(groupC + group(good + record(kSizePricesRecord, int32(1) + prices(0, 0, {4.5}, 1))),
                             CardSettings(), ok, nullptr));
    EXPECT_PRICES(ok.catalogue->sizePrices(0, 0), {3.6, 4.5}); // the stored price is not 0: not empty
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 9, {4.5}))));     // no such product
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 0, {4.5, 5}))));  // a third size
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(1, 0, {4.5}))));     // category without sizes
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 0, {-4.5}))));
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + prices(0, 0, {INFINITY}))));
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(2) + prices(0, 0, {4.5}))));     // count beyond
    EXPECT_TRUE(refused(good + record(kSizePricesRecord, int32(1) + int32(0) + int32(0) + QByteArray(1, 0)
                                                            + uint16(60000))));
}

TEST(PriceChange, RoundsRaisesAndLowers)
{
    auto changed = [](double price, bool percent, double amount, PriceRounding r) {
        return ChangedPrice(price, PriceChangeRule{percent, amount, r});
    };
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::Cent), 7.59);
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::Step5), 7.60);
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::Step10), 7.60);
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::Step50), 7.50);
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::Step100), 8.00);
    // Endings follow the change: a raise never ends lower, a cut never higher.
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::End50), 8.50);  // 7,59
    EXPECT_DOUBLE_EQ(changed(6.90, true, 10, PriceRounding::End90), 7.90);
    EXPECT_DOUBLE_EQ(changed(4.80, true, 10, PriceRounding::End90), 5.90);  // 5,28
    EXPECT_DOUBLE_EQ(changed(4.20, true, -10, PriceRounding::End90), 2.90); // 3,78
    EXPECT_DOUBLE_EQ(changed(4.00, false, 0.90, PriceRounding::End90), 4.90); // on an ending already
    EXPECT_DOUBLE_EQ(changed(4.40, true, 0, PriceRounding::End90), 4.90);   // no change: the nearest, halves up
    EXPECT_DOUBLE_EQ(changed(3.60, false, 0.25, PriceRounding::Cent), 3.85);
    EXPECT_DOUBLE_EQ(changed(3.60, false, -0.30, PriceRounding::Step10), 3.30);
    EXPECT_DOUBLE_EQ(changed(2.10, true, 5, PriceRounding::Step5), 2.20);    // 2,205
    EXPECT_DOUBLE_EQ(changed(1.00, false, 0.025, PriceRounding::Step5), 1.05); // a half: up
    // 0, free texts and results that are no price stay as they are.
    EXPECT_EQ(changed(0, true, 10, PriceRounding::Step10), 0);
    EXPECT_EQ(changed(-1, false, 5, PriceRounding::Cent), -1);
    EXPECT_EQ(changed(1.00, false, -2, PriceRounding::Cent), 1.00);
    EXPECT_EQ(changed(0.20, true, 0, PriceRounding::Step100), 0.20); // would be 0
}

TEST(PriceChange, EverySizeOfTheChosenPartChangesInOneList)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    const PriceChangeRule rule{false, 1, PriceRounding::Cent};
    const QVector<PriceChange> all = PlanPriceChanges(cat, -1, rule);
    // Pils 2 sizes, Weizen 1 (its first is empty), Schnitzel, Riesling 2.
    ASSERT_EQ(all.size(), 6);
    EXPECT_EQ(all[0].category, 0);
    EXPECT_EQ(all[1].size, 1);
    EXPECT_DOUBLE_EQ(all[1].before, 4.8);
    EXPECT_DOUBLE_EQ(all[1].after, 5.8);
    const QVector<PriceChange> wine = PlanPriceChanges(cat, 2, rule);
    ASSERT_EQ(wine.size(), 2);
    EXPECT_EQ(wine[1].size, 2);

    ApplyPriceChanges(cat, all);
    EXPECT_PRICES(cat.sizePrices(0, 0), {4.6, 5.8});
    EXPECT_PRICES(cat.sizePrices(0, 1), {kEmpty, 5.9});
    EXPECT_PRICES(cat.sizePrices(0, 2), {0, kEmpty});
    EXPECT_PRICES(cat.sizePrices(0, 3), {-1, kEmpty});
    EXPECT_PRICES(cat.sizePrices(1, 0), {22.5});
    EXPECT_PRICES(cat.sizePrices(2, 0), {5.2, kEmpty, 25.0});
}
