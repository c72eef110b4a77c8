// The layout engine paints the background texture at the start of the page
// that is shown; the texture code implements this hook.
#pragma once

class ICanvas;
struct CardSettings;

class ITexturePainter {
public:
    virtual ~ITexturePainter() = default;
    // Tiles the held texture over the page from its top-left corner.
    // zoom is the zoom percentage that scales sizes (the preview's ZoomEd);
    // the tile size and proportion come from the settings (BreitEd2,
    // HochEd2, SVerh2Check). Does nothing when no texture is held.
    virtual void PaintTexture(ICanvas &canvas, const CardSettings &settings, int dpi, int zoom,
                              int width, int height) = 0;
};
