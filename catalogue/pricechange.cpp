#include "catalogue/pricechange.h"

#include "catalogue/catalogue.h"

#include <cmath>

namespace {

// Rounds a count of cents to a multiple of step cents, halves up.
double roundToStep(double cents, int step)
{
    return std::floor(cents / step + 0.5) * step;
}

// A price in cents ending in `ending` cents: a raise goes up to the next
// one, a cut down to the one before, so that rounding never turns the change
// around; no change takes the nearest (halves up).
double roundToEnding(double cents, int ending, double direction)
{
    const double below = std::floor((cents - ending) / 100) * 100 + ending; // <= cents
    const double above = below == cents ? below : below + 100;
    if (direction > 0)
        return above;
    if (direction < 0)
        return below;
    return cents - below < above - cents ? below : above;
}

} // namespace

double ChangedPrice(double price, const PriceChangeRule &rule)
{
    if (!(price > 0) || !std::isfinite(price))
        return price;
    const double raw = rule.percent ? price * (1 + rule.amount / 100) : price + rule.amount;
    // Whole cents first, so that 0,049999... from binary fractions counts as 0,05.
    double cents = std::round(raw * 100000) / 1000;
    switch (rule.rounding) {
    case PriceRounding::Cent: cents = std::floor(cents + 0.5); break;
    case PriceRounding::Step5: cents = roundToStep(cents, 5); break;
    case PriceRounding::Step10: cents = roundToStep(cents, 10); break;
    case PriceRounding::Step50: cents = roundToStep(cents, 50); break;
    case PriceRounding::Step100: cents = roundToStep(cents, 100); break;
    case PriceRounding::End50: cents = roundToEnding(cents, 50, rule.amount); break;
    case PriceRounding::End90: cents = roundToEnding(cents, 90, rule.amount); break;
    }
    const double result = cents / 100;
    if (!(result > 0) || !std::isfinite(result))
        return price;
    return result;
}

QVector<PriceChange> PlanPriceChanges(const Catalogue &cat, int category, const PriceChangeRule &rule)
{
    QVector<PriceChange> out;
    const int first = category < 0 ? 0 : category;
    const int last = category < 0 ? cat.categoryCount() - 1 : std::min(category, cat.categoryCount() - 1);
    for (int c = first; c <= last; ++c) {
        const auto *prods = *static_cast<TDynaArray *const *>(cat.kats->At(uint32_t(c)));
        for (uint32_t r = 0; prods && r < prods->count; ++r) {
            const QVector<double> prices = cat.sizePrices(c, int(r));
            for (int k = 0; k < prices.size(); ++k) {
                const double before = prices.at(k);
                const double after = ChangedPrice(before, rule);
                // A price that stays the same to the cent (as the card shows
                // it) is no change: 0 % leaves the document as it is.
                if (!std::isnan(before) && FormatPrice2(after, '.') != FormatPrice2(before, '.'))
                    out.append(PriceChange{c, int(r), k, before, after});
            }
        }
    }
    return out;
}

void ApplyPriceChanges(Catalogue &cat, const QVector<PriceChange> &changes)
{
    for (qsizetype i = 0; i < changes.size();) {
        const int c = changes.at(i).category, r = changes.at(i).row;
        QVector<double> prices = cat.sizePrices(c, r);
        for (; i < changes.size() && changes.at(i).category == c && changes.at(i).row == r; ++i)
            if (changes.at(i).size < prices.size())
                prices[changes.at(i).size] = changes.at(i).after;
        cat.setSizePrices(c, r, prices);
    }
}
