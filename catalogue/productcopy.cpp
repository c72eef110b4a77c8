#include "catalogue/productcopy.h"

#include "catalogue/catalogue.h"

namespace {

bool hasProduct(Catalogue &c, int category, int row)
{
    return category >= 0 && category < c.categoryCount() && row >= 0
           && row < int(c.products(category)->count);
}

// Appends a copy of product `row` of `from` to category `to`, with its marks
// and, as far as `to` has sizes, the prices of its further sizes; returns the
// new row, or -1.
int appendCopy(Catalogue &c, int from, int row, int to)
{
    const ProductValues v = Catalogue::values(c.product(from, row));
    const ProductMarks marks = c.marks(from, row);
    const bool firstEmpty = c.firstSizeEmpty(from, row);
    const QVector<double> further = c.furtherPrices(from, row);
    const uint64_t cards = c.productCards(from, row);
    const bool offered = c.isOffered(from, row);
    const ProductTranslation translation = c.translation(from, row);
    if (!c.addProduct(to, v))
        return -1;
    const int at = int(c.products(to)->count) - 1;
    c.setMarks(to, at, marks);
    c.setProductCards(to, at, cards);
    c.setOffered(to, at, offered);
    c.setTranslation(to, at, translation);
    c.setStoredSizePrices(to, at, firstEmpty, further);
    return at;
}

} // namespace

int CopyProduct(Catalogue &c, int category, int row)
{
    if (!hasProduct(c, category, row))
        return -1;
    int at = appendCopy(c, category, row, category);
    if (at < 0)
        return -1;
    // From the end up to the row below the original.
    for (; at > row + 1; --at)
        c.changeProducts(category, at - 1, at);
    return at;
}

int MoveProductToCategory(Catalogue &c, int from, int row, int to)
{
    if (!hasProduct(c, from, row) || to < 0 || to >= c.categoryCount() || to == from)
        return -1;
    const int at = appendCopy(c, from, row, to);
    if (at < 0)
        return -1;
    c.deleteProduct(from, row);
    return at;
}
