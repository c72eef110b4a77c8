// Which cards a new product goes onto, and a whole category onto a card or
// off it.
#include "catalogue/cardassign.h"
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

namespace {

// Category 0 with two products, category 1 with one, category 2 empty.
void fill(Catalogue &cat)
{
    for (int c = 0; c < 3; ++c)
        cat.addCategory();
    ProductValues v;
    v.name = QStringLiteral("Suppe");
    cat.addProduct(0, v);
    cat.addProduct(0, v);
    v.name = QStringLiteral("Wasser");
    cat.addProduct(1, v);
}

TEST(CardAssign, NewProductGoesOntoTheSelectedCardAndTheCardsCarryingItsCategory)
{
    Catalogue cat;
    fill(cat);
    // Card 0 carries everything, card 1 all of category 0, card 2 one soup,
    // card 3 the water.
    cat.setProductCards(0, 0, 0b0111);
    cat.setProductCards(0, 1, 0b0011);
    cat.setProductCards(1, 0, 0b1001);
    EXPECT_EQ(CardsOfNewProduct(cat, 0, 4, 3), uint64_t(0b1011));
    EXPECT_EQ(CardsOfNewProduct(cat, 1, 4, 2), uint64_t(0b1101));
    // An empty category: the cards that carry the whole catalogue.
    EXPECT_EQ(CardsOfNewProduct(cat, 2, 4, 2), uint64_t(0b0101));
    // Bits beyond the cards that exist are never set.
    cat.setProductCards(1, 0, ~uint64_t(0));
    EXPECT_EQ(CardsOfNewProduct(cat, 1, 2, 1), uint64_t(0b11));
    EXPECT_EQ(CardsOfNewProduct(cat, 1, 64, 0), ~uint64_t(0));
}

TEST(CardAssign, WholeCategoryOntoACardAndOffIt)
{
    Catalogue cat;
    fill(cat);
    cat.setProductCards(0, 1, 0b101);
    EXPECT_FALSE(CardCarriesCategory(cat, 0, 2));
    EXPECT_TRUE(PutCategoryOnCard(cat, 0, 2, true));
    EXPECT_EQ(cat.productCards(0, 0), uint64_t(0b101));
    EXPECT_EQ(cat.productCards(0, 1), uint64_t(0b101));
    EXPECT_TRUE(CardCarriesCategory(cat, 0, 2));
    EXPECT_FALSE(PutCategoryOnCard(cat, 0, 2, true)); // nothing left to do
    EXPECT_EQ(cat.productCards(1, 0), uint64_t(1));   // the other category stays
    EXPECT_TRUE(PutCategoryOnCard(cat, 0, 0, false));
    EXPECT_EQ(cat.productCards(0, 0), uint64_t(0b100));
    EXPECT_EQ(cat.productCards(0, 1), uint64_t(0b100));
    EXPECT_FALSE(CardCarriesCategory(cat, 2, 0)); // an empty category is carried by none
    EXPECT_FALSE(PutCategoryOnCard(cat, 2, 0, true));
}

} // namespace
