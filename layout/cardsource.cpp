#include "layout/cardsource.h"

#include "catalogue/cardview.h"

CardSource SourceOfCard(const QStringList &names, const Catalogue &cat, int card, const CardSettings &settings)
{
    CardSource source;
    auto view = std::make_shared<const CardView>(names, cat, card, settings.NummernJeKarteCheck);
    source.categoryNames = view->categoryNames();
    source.catalogue = view->catalogue();
    source.settings = settings;
    source.view = std::move(view);
    return source;
}
