// Changing many prices in one step: raise or lower by a percentage or an
// amount, then round. "Price on request" (0), free texts (below 0) and sizes
// a product is not sold in never change; every other size does.
#pragma once

#include <QVector>

class Catalogue;

enum class PriceRounding {
    Cent,    // to the cent only
    Step5,   // to 0,05
    Step10,  // to 0,10
    Step50,  // to 0,50
    Step100, // to 1,00
    End50,   // to a price ending in ,50: up for a raise, down for a cut
    End90,   // to a price ending in ,90: up for a raise, down for a cut
};

struct PriceChangeRule {
    bool percent = true; // true: by `amount` percent; false: by `amount`
    double amount = 0;   // negative lowers
    PriceRounding rounding = PriceRounding::Cent;
};

// The new price of a price above 0; a result that would not be above 0 (or
// not a number) leaves the price as it was.
double ChangedPrice(double price, const PriceChangeRule &rule);

struct PriceChange {
    int category = 0;
    int row = 0;
    int size = 0; // 0 = the first (or only) price
    double before = 0;
    double after = 0;
};

// Every price that the rule changes in category `category`, or in the whole
// card for -1, in category, product and size order; a price that keeps its
// cents (more decimals than the card shows only) is not listed.
QVector<PriceChange> PlanPriceChanges(const Catalogue &cat, int category, const PriceChangeRule &rule);
// Applies them.
void ApplyPriceChanges(Catalogue &cat, const QVector<PriceChange> &changes);
