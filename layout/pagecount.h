// The card's page count for the preview: one counting pass per change of the
// card, not one per paint.
#pragma once

#include "layout/cardoutput.h"

#include <QString>

class PageCountCache {
public:
    // The card changed (catalogue, category names or any setting): the next
    // query counts again.
    void invalidate() { valid_ = false; }
    bool isValid() const { return valid_; }

    // The page count of `card` on `area` (at least 1). Counts when the card
    // changed since the last count, or when the page area or the on-request
    // text (the language) differ from those of the last count.
    int pages(const CardSource &card, const PageArea &area);

    // Counting passes made so far.
    int countingPasses() const { return passes_; }

private:
    bool valid_ = false;
    PageArea area_;
    QString onRequest_;
    int pages_ = 1;
    int passes_ = 0;
};
