// The source the layout engine reads for one card of a document: the card's
// view of the catalogue (catalogue/cardview.h: what it prints) and its
// settings. The preview, printing, the exports and the command line build
// their card from here.
#pragma once

#include "layout/cardlayout.h"

class CardView;

// Card `card` (from 0) of the catalogue whose categories are named `names`,
// laid out with `settings` (the card's own). The view is held by the source,
// so the source stays valid as long as the document's catalogue does.
CardSource SourceOfCard(const QStringList &names, const Catalogue &cat, int card, const CardSettings &settings);
