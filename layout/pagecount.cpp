#include "layout/pagecount.h"

int PageCountCache::pages(const CardSource &card, const PageArea &area)
{
    const QString onRequest = OnRequestText();
    if (valid_ && area.widthPx == area_.widthPx && area.heightPx == area_.heightPx && area.dpi == area_.dpi
        && onRequest == onRequest_)
        return pages_;
    pages_ = CardPageCount(card, area);
    area_ = area;
    onRequest_ = onRequest;
    valid_ = true;
    ++passes_;
    return pages_;
}
