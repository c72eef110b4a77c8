// Which cards products are put on when the user adds a product or puts a
// whole category onto a card (or takes it off). Pure data: the window calls
// these and makes each call one step.
#pragma once

#include <cstdint>

class Catalogue;

// The cards (bit i = card i) a product about to be added to `category`
// stands on: the selected card, and every card of the first `cardCount` that
// carries every product already in the category, so that a card carrying a
// whole category keeps carrying it. For an empty category that is every card
// that carries every product of the catalogue.
uint64_t CardsOfNewProduct(const Catalogue &cat, int category, int cardCount, int selected);

// Whether card `card` carries every product of `category` (false for an
// empty category).
bool CardCarriesCategory(const Catalogue &cat, int category, int card);

// Puts every product of `category` onto card `card` (on = true) or takes it
// off. Returns whether any product changed.
bool PutCategoryOnCard(Catalogue &cat, int category, int card, bool on);
