#include "catalogue/pricechange.h"

#include "catalogue/catalogue.h"

#include <algorithm>
#include <cmath>

namespace {

// Prices are rounded in thousandths of a cent first, so that 0,049999...
// from binary fractions counts as 0,05; every rounding below works on whole
// numbers of those.
constexpr double kUnitsPerCent = 1000;

double floorTo(double units, double step)
{
    return std::floor(units / step) * step;
}

double ceilTo(double units, double step)
{
    return std::ceil(units / step) * step;
}

// To a multiple of `step`: up for a raise, down for a cut, to the nearest
// (halves up) for no change.
double roundToStep(double units, double step, int direction)
{
    if (direction > 0)
        return ceilTo(units, step);
    if (direction < 0)
        return floorTo(units, step);
    return std::floor(units / step + 0.5) * step;
}

// To a price ending in `ending` (of every 100 cents): the next one up for a
// raise, the one before for a cut, the nearest (halves up) for no change.
double roundToEnding(double units, double ending, int direction)
{
    const double hundred = 100 * kUnitsPerCent;
    const double below = floorTo(units - ending, hundred) + ending; // <= units
    const double above = below == units ? below : below + hundred;
    if (direction > 0)
        return above;
    if (direction < 0)
        return below;
    return units - below < above - units ? below : above;
}

} // namespace

double ChangedPrice(double price, const PriceChangeRule &rule, bool *notAPrice)
{
    if (notAPrice)
        *notAPrice = false;
    if (!(price > 0) || !std::isfinite(price))
        return price;
    const int direction = rule.amount > 0 ? 1 : rule.amount < 0 ? -1 : 0;
    // No change rounded to the cent is no change: the price keeps whatever
    // decimals it has.
    if (direction == 0 && rule.rounding == PriceRounding::Cent)
        return price;
    const double raw = rule.percent ? price * (1 + rule.amount / 100) : price + rule.amount;
    const double units = std::round(raw * 100 * kUnitsPerCent);
    double rounded = units;
    switch (rule.rounding) {
    case PriceRounding::Cent: rounded = roundToStep(units, kUnitsPerCent, 0); break;
    case PriceRounding::Step5: rounded = roundToStep(units, 5 * kUnitsPerCent, direction); break;
    case PriceRounding::Step10: rounded = roundToStep(units, 10 * kUnitsPerCent, direction); break;
    case PriceRounding::Step50: rounded = roundToStep(units, 50 * kUnitsPerCent, direction); break;
    case PriceRounding::Step100: rounded = roundToStep(units, 100 * kUnitsPerCent, direction); break;
    case PriceRounding::End50: rounded = roundToEnding(units, 50 * kUnitsPerCent, direction); break;
    case PriceRounding::End90: rounded = roundToEnding(units, 90 * kUnitsPerCent, direction); break;
    }
    const double result = rounded / (100 * kUnitsPerCent);
    if (!(result > 0) || !std::isfinite(result)) {
        if (notAPrice)
            *notAPrice = true;
        return price;
    }
    // A price with more decimals than the rounding keeps (4,304 raised by a
    // hair, to the cent 4,30) stays as it is rather than move against the
    // change.
    if ((direction > 0 && result < price) || (direction < 0 && result > price))
        return price;
    return result;
}

QVector<PriceChange> PlanPriceChanges(const Catalogue &cat, const QVector<int> &categories,
                                      const PriceChangeRule &rule)
{
    QVector<int> chosen;
    for (int c : categories)
        if (c >= 0 && c < cat.categoryCount() && !chosen.contains(c))
            chosen << c;
    std::sort(chosen.begin(), chosen.end());
    QVector<PriceChange> out;
    for (int c : chosen) {
        const auto *prods = *static_cast<TDynaArray *const *>(cat.kats->At(uint32_t(c)));
        for (uint32_t r = 0; prods && r < prods->count; ++r) {
            const QVector<double> prices = cat.sizePrices(c, int(r));
            for (int k = 0; k < prices.size(); ++k) {
                const double before = prices.at(k);
                if (std::isnan(before))
                    continue;
                bool notAPrice = false;
                const double after = ChangedPrice(before, rule, &notAPrice);
                if (after != before || notAPrice)
                    out.append(PriceChange{c, int(r), k, before, after, notAPrice});
            }
        }
    }
    return out;
}

bool ChangesAnyPrice(const QVector<PriceChange> &changes)
{
    return std::any_of(changes.begin(), changes.end(), [](const PriceChange &c) { return !c.keptAtZero; });
}

void ApplyPriceChanges(Catalogue &cat, const QVector<PriceChange> &changes)
{
    for (qsizetype i = 0; i < changes.size();) {
        const int c = changes.at(i).category, r = changes.at(i).row;
        QVector<double> prices = cat.sizePrices(c, r);
        bool changed = false;
        for (; i < changes.size() && changes.at(i).category == c && changes.at(i).row == r; ++i) {
            const PriceChange &p = changes.at(i);
            if (!p.keptAtZero && p.size < prices.size()) {
                prices[p.size] = p.after;
                changed = true;
            }
        }
        if (changed)
            cat.setSizePrices(c, r, prices);
    }
}
