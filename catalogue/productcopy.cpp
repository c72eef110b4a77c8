#include "catalogue/productcopy.h"

#include "catalogue/catalogue.h"

namespace {

bool hasProduct(Catalogue &c, int category, int row)
{
    return category >= 0 && category < c.categoryCount() && row >= 0
           && row < int(c.products(category)->count);
}

} // namespace

int CopyProduct(Catalogue &c, int category, int row)
{
    if (!hasProduct(c, category, row))
        return -1;
    const ProductValues v = Catalogue::values(c.product(category, row));
    const ProductMarks marks = c.marks(category, row);
    const bool firstEmpty = c.firstSizeEmpty(category, row);
    const QVector<double> further = c.furtherPrices(category, row);
    if (!c.addProduct(category, v))
        return -1;
    int at = int(c.products(category)->count) - 1;
    c.setMarks(category, at, marks);
    c.setStoredSizePrices(category, at, firstEmpty, further);
    // From the end up to the row below the original.
    for (; at > row + 1; --at)
        c.changeProducts(category, at - 1, at);
    return at;
}

int MoveProductToCategory(Catalogue &c, int from, int row, int to)
{
    if (!hasProduct(c, from, row) || to < 0 || to >= c.categoryCount() || to == from)
        return -1;
    const ProductValues v = Catalogue::values(c.product(from, row));
    const ProductMarks marks = c.marks(from, row);
    // The prices of further sizes go along as far as the new category has
    // sizes; its size columns stay its own.
    const bool firstEmpty = c.firstSizeEmpty(from, row);
    const QVector<double> further = c.furtherPrices(from, row);
    if (!c.addProduct(to, v))
        return -1;
    const int at = int(c.products(to)->count) - 1;
    c.setMarks(to, at, marks);
    c.setStoredSizePrices(to, at, firstEmpty, further);
    c.deleteProduct(from, row);
    return at;
}
