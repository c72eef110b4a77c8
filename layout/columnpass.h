// The column pass of the layout engine: the widths of the number column and
// of the price column, the numbers that products carry and the allergen and
// additive marks used, from every product of the card. It visits each
// product once with a few table look-ups, so that painting page 1 of a long
// card costs little more than painting page 1 of a short one.
#pragma once

#include "catalogue/marks.h"
#include "layout/canvas.h"
#include "layout/cardlayout.h"

#include <cstdint>
#include <vector>

struct ColumnWidths {
    double numberMM = 0, priceMM = 0; // measured at the fixed resolution
    int numberPx = 0, pricePx = 0;    // on the surface, in the zoomed fonts
};

// The widths of the number labels (the product's number when it is not 0,
// otherwise the next automatic number, free texts included) and of the
// prices as measured ("    ", amount, " ", currency; prices above 0 only) of
// the first `categories` categories. `usedNumbers` receives the numbers that
// products carry (every number but 0, ascending), which automatic numbering
// skips; `usedMarks`, when given, the marks of the products (free texts
// carry none). The metrics are those of the number font and the price font
// at the fixed resolution and on the surface; widths are sums of character
// advances.
ColumnWidths MeasureColumns(const CardSource &card, int categories, std::vector<int32_t> &usedNumbers,
                            const ITextMetrics &numberNominal, const ITextMetrics &numberSurface,
                            const ITextMetrics &priceNominal, const ITextMetrics &priceSurface,
                            UsedMarks *usedMarks = nullptr);
