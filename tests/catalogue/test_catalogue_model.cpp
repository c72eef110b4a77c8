#include "catalogue/catalogue.h"
#include "catalogue/productcopy.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(PriceFormat, TwoDecimalsWithSeparator)
{
    EXPECT_EQ(FormatPrice2(2.5, '.'), "2.50");
    EXPECT_EQ(FormatPrice2(2.5, ','), "2,50");
    EXPECT_EQ(FormatPrice2(0, ','), "0,00");
    EXPECT_EQ(FormatPrice2(-3.456, '.'), "-3.46");
    EXPECT_EQ(FormatPrice2(1234567.891, '.'), "1234567.89");
    EXPECT_EQ(FormatPrice2(123456789012345.67, '.'), "123456789012346.00");
    // halves round away from zero on the decimal digits, whatever the binary form
    EXPECT_EQ(FormatPrice2(2.125, '.'), "2.13");
    EXPECT_EQ(FormatPrice2(0.125, '.'), "0.13");
    EXPECT_EQ(FormatPrice2(-0.125, '.'), "-0.13");
    EXPECT_EQ(FormatPrice2(0.005, '.'), "0.01");
    EXPECT_EQ(FormatPrice2(0.004, '.'), "0.00");
    EXPECT_EQ(FormatPrice2(-0.001, '.'), "0.00");
    EXPECT_EQ(FormatPrice2(9.995, '.'), "10.00");
    EXPECT_EQ(FormatPrice2(1e-20, '.'), "0.00");
    EXPECT_EQ(FormatPrice2(39.9, ','), "39,90");
    EXPECT_EQ(FormatPrice2(1e15, '.'), "1.00000000000000E+15");
    EXPECT_EQ(FormatPrice2(999999999999999.5, '.'), "1.00000000000000E+15");
}

TEST(CatalogueModel, ProductTextsAreOwnedBuffersOfExactSize)
{
    Catalogue c;
    ASSERT_TRUE(c.addCategory());
    ProductValues v;
    v.name = "Bier";
    v.price = 3.5;
    v.number = -1;
    TProductRec *p = c.addProduct(0, v);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(WideText(p->name), "Bier");
    EXPECT_EQ(p->description[0], u'\0'); // empty text: a single zero unit
    EXPECT_EQ(p->price, 3.5);
    EXPECT_EQ(p->number, -1);
    v.name = QString::fromUtf8("Weißbier \xF0\x9F\x8D\xBA");
    ASSERT_TRUE(c.setProduct(c.product(0, 0), v));
    EXPECT_EQ(WideText(c.product(0, 0)->name), v.name);
}

TEST(CatalogueModel, DeleteCategoryKeepsOthersInOrder)
{
    Catalogue c;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(c.addCategory());
        for (int j = 0; j <= i; ++j) {
            ProductValues v;
            v.name = QString("p%1.%2").arg(i).arg(j);
            ASSERT_NE(c.addProduct(i, v), nullptr);
        }
    }
    c.deleteCategory(1);
    ASSERT_EQ(c.categoryCount(), 2);
    EXPECT_EQ(c.products(0)->count, 1u);
    EXPECT_EQ(c.products(1)->count, 3u);
    EXPECT_EQ(WideText(c.product(1, 2)->name), "p2.2");
    c.changeProducts(1, 0, 2);
    EXPECT_EQ(WideText(c.product(1, 0)->name), "p2.2");
    c.deleteProduct(1, 0);
    EXPECT_EQ(WideText(c.product(1, 0)->name), "p2.1");
}

TEST(CatalogueModel, SwapContentsRebindsBoundPointers)
{
    Catalogue a, b;
    ASSERT_TRUE(b.addCategory());
    ProductValues v;
    v.name = "Pils";
    ASSERT_NE(b.addProduct(0, v), nullptr);
    a.swapContents(b);
    EXPECT_EQ(b.categoryCount(), 0);
    ASSERT_EQ(a.categoryCount(), 1);
    TDynaArray *prods = a.products(0);
    EXPECT_EQ(prods, *a.akat);
    prods->First();
    ASSERT_TRUE(prods->WhileNext());
    EXPECT_EQ(WideText(a.aprod->name), "Pils");
    EXPECT_EQ(b.aprod, nullptr);
}

namespace {

// A category of products named n0, n1, ..., product i with price i + 1 and
// allergen bit i.
void fillCategory(Catalogue &c, int cat, const QString &prefix, int n)
{
    for (int i = 0; i < n; ++i) {
        ProductValues v;
        v.name = prefix + QString::number(i);
        v.description = QStringLiteral("Beschreibung ") + v.name;
        v.quantity = QStringLiteral("0,%1 l").arg(i);
        v.price = i + 1;
        v.number = 10 + i;
        ASSERT_NE(c.addProduct(cat, v), nullptr);
        ProductMarks m;
        m.setAllergen(i, true);
        c.setMarks(cat, i, m);
    }
}

QStringList namesOf(Catalogue &c, int cat)
{
    QStringList names;
    for (int r = 0; r < int(c.products(cat)->count); ++r)
        names << WideText(c.product(cat, r)->name);
    return names;
}

} // namespace

TEST(CatalogueModel, CopyOfAProductLandsBelowItWithEverything)
{
    Catalogue c;
    ASSERT_TRUE(c.addCategory());
    fillCategory(c, 0, QStringLiteral("a"), 4);

    EXPECT_EQ(CopyProduct(c, 0, 1), 2);
    EXPECT_EQ(namesOf(c, 0), QStringList({"a0", "a1", "a1", "a2", "a3"}));
    const ProductValues orig = Catalogue::values(c.product(0, 1));
    const ProductValues copy = Catalogue::values(c.product(0, 2));
    EXPECT_EQ(copy.description, orig.description);
    EXPECT_EQ(copy.quantity, orig.quantity);
    EXPECT_EQ(copy.price, orig.price);
    EXPECT_EQ(copy.number, orig.number);
    // Own text buffers: changing the copy leaves the original.
    EXPECT_NE(c.product(0, 1)->name, c.product(0, 2)->name);
    // The marks go with the copy; those below keep theirs.
    EXPECT_TRUE(c.marks(0, 2).hasAllergen(1));
    EXPECT_TRUE(c.marks(0, 3).hasAllergen(2));
    EXPECT_TRUE(c.marks(0, 4).hasAllergen(3));

    // The last product's copy is the new last one.
    EXPECT_EQ(CopyProduct(c, 0, 4), 5);
    EXPECT_EQ(namesOf(c, 0).last(), "a3");
    EXPECT_TRUE(c.marks(0, 5).hasAllergen(3));

    // Nothing to copy.
    EXPECT_EQ(CopyProduct(c, 0, 6), -1);
    EXPECT_EQ(CopyProduct(c, 1, 0), -1);
    EXPECT_EQ(CopyProduct(c, 0, -1), -1);
    EXPECT_EQ(c.products(0)->count, 6u);
}

TEST(CatalogueModel, MovingAProductToAnotherCategoryTakesItsMarks)
{
    Catalogue c;
    ASSERT_TRUE(c.addCategory());
    ASSERT_TRUE(c.addCategory());
    ASSERT_TRUE(c.addCategory());
    fillCategory(c, 0, QStringLiteral("a"), 3);
    fillCategory(c, 1, QStringLiteral("b"), 2);

    EXPECT_EQ(MoveProductToCategory(c, 0, 1, 1), 2);
    EXPECT_EQ(namesOf(c, 0), QStringList({"a0", "a2"}));
    EXPECT_EQ(namesOf(c, 1), QStringList({"b0", "b1", "a1"}));
    EXPECT_TRUE(c.marks(1, 2).hasAllergen(1));
    EXPECT_TRUE(c.marks(0, 1).hasAllergen(2)); // a2 kept its own
    EXPECT_EQ(c.product(1, 2)->price, 2);

    // Into an empty category, the last product of its own.
    EXPECT_EQ(MoveProductToCategory(c, 1, 0, 2), 0);
    EXPECT_EQ(namesOf(c, 2), QStringList({"b0"}));
    EXPECT_EQ(MoveProductToCategory(c, 2, 0, 0), 2);
    EXPECT_EQ(c.products(2)->count, 0u);

    // The same category, or one that is not there: nothing moves.
    EXPECT_EQ(MoveProductToCategory(c, 0, 0, 0), -1);
    EXPECT_EQ(MoveProductToCategory(c, 0, 0, 3), -1);
    EXPECT_EQ(MoveProductToCategory(c, 0, 5, 1), -1);
    EXPECT_EQ(namesOf(c, 0), QStringList({"a0", "a2", "b0"}));
}

TEST(CatalogueModel, CopiedAndMovedProductsKeepTheirSizePrices)
{
    Catalogue c;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(c.addCategory());
    fillCategory(c, 0, QStringLiteral("a"), 2);
    c.setSizeHeadings(0, {QStringLiteral("0,3 l"), QStringLiteral("0,5 l"), QStringLiteral("1 l")});
    c.setSizeHeadings(1, {QStringLiteral("0,2 l"), QStringLiteral("0,4 l")});
    c.setSizePrices(0, 0, {std::nan(""), 4.8, 8.5});

    ASSERT_EQ(CopyProduct(c, 0, 0), 1);
    const QVector<double> copy = c.sizePrices(0, 1);
    ASSERT_EQ(copy.size(), 3);
    EXPECT_TRUE(std::isnan(copy[0]));
    EXPECT_DOUBLE_EQ(copy[1], 4.8);
    EXPECT_DOUBLE_EQ(copy[2], 8.5);
    EXPECT_TRUE(c.furtherPrices(0, 2).isEmpty()); // the one below keeps its own

    // Into a category with two sizes: the third price has no column there.
    ASSERT_EQ(MoveProductToCategory(c, 0, 1, 1), 0);
    const QVector<double> moved = c.sizePrices(1, 0);
    ASSERT_EQ(moved.size(), 2);
    EXPECT_TRUE(std::isnan(moved[0]));
    EXPECT_DOUBLE_EQ(moved[1], 4.8);
    EXPECT_EQ(c.furtherPrices(1, 0).size(), 1);
    // Into a category without sizes: only the product's own price is left.
    ASSERT_EQ(MoveProductToCategory(c, 1, 0, 2), 0);
    EXPECT_TRUE(c.furtherPrices(2, 0).isEmpty());
    EXPECT_FALSE(c.firstSizeEmpty(2, 0));
}
