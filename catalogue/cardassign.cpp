#include "catalogue/cardassign.h"

#include "catalogue/catalogue.h"

namespace {

int productCount(const Catalogue &cat, int i)
{
    const TDynaArray *prods = *static_cast<TDynaArray **>(cat.kats->At(uint32_t(i)));
    return prods ? int(prods->count) : 0;
}

uint64_t bit(int card)
{
    return uint64_t(1) << card;
}

// The cards (of `all`) that carry every product of category c.
uint64_t carryingAll(const Catalogue &cat, int c, uint64_t all)
{
    uint64_t carrying = all;
    for (int row = 0, n = productCount(cat, c); row < n; ++row)
        carrying &= cat.productCards(c, row);
    return carrying;
}

} // namespace

uint64_t CardsOfNewProduct(const Catalogue &cat, int category, int cardCount, int selected)
{
    const uint64_t all = cardCount >= 64 ? ~uint64_t(0) : bit(cardCount) - 1;
    uint64_t cards = selected >= 0 && selected < cardCount ? bit(selected) : 0;
    if (category < 0 || category >= cat.categoryCount())
        return cards;
    if (productCount(cat, category) > 0)
        return cards | carryingAll(cat, category, all);
    uint64_t carrying = all;
    for (int c = 0; c < cat.categoryCount(); ++c)
        carrying &= carryingAll(cat, c, all);
    return cards | carrying;
}

bool CardCarriesCategory(const Catalogue &cat, int category, int card)
{
    if (category < 0 || category >= cat.categoryCount() || productCount(cat, category) == 0)
        return false;
    return carryingAll(cat, category, bit(card)) != 0;
}

bool PutCategoryOnCard(Catalogue &cat, int category, int card, bool on)
{
    if (category < 0 || category >= cat.categoryCount() || card < 0 || card >= 64)
        return false;
    bool changed = false;
    for (int row = 0, n = productCount(cat, category); row < n; ++row) {
        const uint64_t was = cat.productCards(category, row);
        const uint64_t now = on ? was | bit(card) : was & ~bit(card);
        if (now != was) {
            cat.setProductCards(category, row, now);
            changed = true;
        }
    }
    return changed;
}
