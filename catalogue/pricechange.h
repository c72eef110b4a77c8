// Changing many prices in one step: raise or lower by a percentage or an
// amount, then round. "Price on request" (0), free texts (below 0) and sizes
// a product is not sold in never change; every other size does.
//
// Rounding never turns a change around: for a raise every rounding goes up
// (a raised price is never below the old one), for a cut down (a lowered
// price is never above it). Only a change of 0 rounds to the nearest step
// or ending (halves up); at 0 "to the cent" changes nothing.
#pragma once

#include <QVector>

class Catalogue;

enum class PriceRounding {
    Cent,    // to the cent only
    Step5,   // to 0,05
    Step10,  // to 0,10
    Step50,  // to 0,50
    Step100, // to 1,00
    End50,   // to a price ending in ,50
    End90,   // to a price ending in ,90
};

struct PriceChangeRule {
    bool percent = true; // true: by `amount` percent; false: by `amount`
    double amount = 0;   // negative lowers
    PriceRounding rounding = PriceRounding::Cent;
};

// The new price of a price above 0. A result that would not be above 0 (or
// not a number) leaves the price as it was and sets *notAPrice when given;
// prices of 0 and below are returned as they are.
double ChangedPrice(double price, const PriceChangeRule &rule, bool *notAPrice = nullptr);

struct PriceChange {
    int category = 0;
    int row = 0;
    int size = 0; // 0 = the first (or only) price
    double before = 0;
    double after = 0;
    // The rule would make this price 0 or less: it stays (after == before),
    // and the list says why.
    bool keptAtZero = false;
};

// Every price in the categories `categories` that the rule changes, and
// every one it would bring to 0 or below (keptAtZero), in category, product
// and size order.
QVector<PriceChange> PlanPriceChanges(const Catalogue &cat, const QVector<int> &categories,
                                      const PriceChangeRule &rule);
// Whether one of them changes a price.
bool ChangesAnyPrice(const QVector<PriceChange> &changes);
// Applies them (those kept at 0 stay as they are).
void ApplyPriceChanges(Catalogue &cat, const QVector<PriceChange> &changes);
