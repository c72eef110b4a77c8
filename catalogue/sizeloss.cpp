#include "catalogue/sizeloss.h"

#include "catalogue/catalogue.h"

#include <algorithm>
#include <cmath>

namespace {

// The prices of product row of category cat beyond the first `kept` sizes
// (at least the first size is always kept).
int pricesBeyond(const Catalogue &c, int cat, int row, qsizetype kept)
{
    const QVector<double> prices = c.sizePrices(cat, row);
    int n = 0;
    for (qsizetype k = std::max<qsizetype>(1, kept); k < prices.size(); ++k)
        if (!std::isnan(prices.at(k)))
            ++n;
    return n;
}

int productCount(const Catalogue &c, int cat)
{
    if (cat < 0 || cat >= c.categoryCount())
        return 0;
    const auto *prods = *static_cast<TDynaArray *const *>(c.kats->At(uint32_t(cat)));
    return prods ? int(prods->count) : 0;
}

} // namespace

int PricesDroppedByHeadings(const Catalogue &c, int cat, const QStringList &headings)
{
    const qsizetype kept = Catalogue::keptSizeHeadings(headings).size();
    int n = 0;
    for (int r = 0; r < productCount(c, cat); ++r)
        n += pricesBeyond(c, cat, r, kept);
    return n;
}

int PricesDroppedByMove(const Catalogue &c, int from, int row, int to)
{
    if (row < 0 || row >= productCount(c, from) || to < 0 || to >= c.categoryCount())
        return 0;
    return pricesBeyond(c, from, row, c.sizeHeadings(to).size());
}
