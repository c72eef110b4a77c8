#include "layout/previewfit.h"

int FitZoom(const PageArea &area, int screenDpi, QSize visible, int scrollBarWidth, PreviewFit fit)
{
    constexpr int border = 16; // 8 pixels before the page and 8 after it
    // The page only grows with the zoom, so the first step from the top that
    // fits is the largest.
    for (int z = kMaxZoom; z > kMinZoom; z -= kZoomStep) {
        const PreviewGeometry g = PreviewPageGeometry(area, screenDpi, z);
        const bool tall = g.H + border > visible.height();
        if (fit == PreviewFit::WholePage) {
            if (!tall && g.W + border <= visible.width())
                return z;
        } else {
            const int width = tall ? visible.width() - scrollBarWidth : visible.width();
            if (g.W + border <= width)
                return z;
        }
    }
    return kMinZoom;
}
