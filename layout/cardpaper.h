// The card's own paper (tab "Layout"): A4 or A5, portrait or landscape, put
// onto the printer or PDF page that the card is laid out on.
#pragma once

#include "catalogue/cardsettings.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QPrinter;

// The page size of a paper; an invalid QPageSize for Paper::Printer.
QPageSize CardPaperSize(CardSettings::Paper paper);
// "A4" / "A5", empty for Paper::Printer.
QString CardPaperName(CardSettings::Paper paper);

// The page layout with the card's paper size and orientation; the layout's
// margins stay. Without a paper of the card's own, the layout unchanged.
QPageLayout WithCardPaper(const CardSettings &s, const QPageLayout &layout);

// Puts the card's paper onto the printer (keeping the printer's margins).
// Returns whether the printer's page changed; a document without a paper
// of its own leaves the printer's page as it is.
bool ApplyCardPaper(const CardSettings &s, QPrinter &printer);
