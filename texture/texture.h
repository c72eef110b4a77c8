// The background texture: a picture opened with Pictor3, prepared (24 bits,
// grey levels, saturation, lightening) and tiled over the page that is shown.
#pragma once

#include "layout/texturehook.h"
#include "texture/pictor3.h"

#include <QImage>
#include <QSize>
#include <QString>

struct CardSettings;

// Palette pictures (1, 4, 8 bits) become 24 bits; a 24-bit picture is left
// alone. Index 0 of a 1-bit picture becomes black and every other index
// white; 4- and 8-bit indices take their colour from the picture's pal.
// When no 24-bit picture can be made the picture keeps its depth.
void ConvertDib24(dib &d);

// Grey levels: v = (30 R + 59 G + 11 B) div 100 for every pixel.
// Only 24-bit pictures are changed.
void GrayScaleDib(dib &d);

// Saturation s and brightness b for each channel c:
//   c1 = clamp((c - 128) * (s + 100) / 100 + 128, 0, 255)  (division truncates)
//   c2 = trunc(255 - (255 - c1) * b / 100)                 (in floating point)
// Only 24-bit pictures are changed.
void LightenDib(dib &d, int b, int s);
// The value one channel c takes in LightenDib.
uint8_t LightenChannel(int c, int b, int s);

// Prepares the texture afresh from a file: releases what `di2` holds, opens
// the file (a bare name is looked up like the shipped data files), and when
// grayScale or lighten is set converts it to 24 bits, then turns it grey
// (grayScale) and applies the saturation and lightening step (lighten) with
// b = hellEd and s = satEd taken as whole numbers (fraction dropped).
// Returns true when a picture is held afterwards; otherwise *problem (when
// given) says why the file gave none.
// A name from a document (chosenInDialog false) is opened only when it names
// a file on this computer (IsLocalPictureFile), checked before the path is
// touched; otherwise it is PictureProblem::NotLocal. A name the user chose in
// the file dialog is opened as chosen.
// The file a picture name stands for (a bare name looked up like the shipped
// data files), after the checks of a name from a document (chosenInDialog
// false): a network or device path, or a link to one, sets *refused and gives
// an empty name without touching the path.
QString CheckedPictureFile(const QString &fileName, bool chosenInDialog, bool *refused);

// The card's logo: the picture of a file name, through the checks and limits
// of the background picture, its alpha channel kept (PNG, JPEG, SVG where
// Qt reads it). Null when it cannot be used; *problem then says why.
QImage OpenLogoPicture(const QString &fileName, bool chosenInDialog, PictureProblem *problem = nullptr);

bool PrepareTextureDib(dib &di2, const QString &fileName, bool grayScale, bool lighten,
                       double hellEd, double satEd, PictureProblem *problem = nullptr,
                       bool chosenInDialog = false);

// The picture as an image for drawing: 24-bit pictures as RGB32, palette
// pictures as 8-bit or 1-bit indexed images with their own colour table.
// A null image without a picture.
QImage DibToImage(const dib &d);

// Size of one tile in device pixels, at least 1 x 1:
//   tw = trunc(BreitEd2 * 10 / 25.39995 * dpi * zoom / 100), th likewise
//   from HochEd2, or th = tw * picHeight div picWidth with SVerh2Check.
QSize TextureTileSize(const CardSettings &settings, int picWidth, int picHeight, int dpi,
                      int zoom);

// Owns the prepared texture (the main window's di2) and tiles it over pages.
class TextureHolder : public ITexturePainter {
public:
    TextureHolder() = default;
    ~TextureHolder() override;
    TextureHolder(const TextureHolder &) = delete;
    TextureHolder &operator=(const TextureHolder &) = delete;

    // The work of FilenameEdit2Change with the values of the controls;
    // chosenInDialog as for PrepareTextureDib.
    bool Prepare(const QString &fileName, bool grayScale, bool lighten, double hellEd,
                 double satEd, bool chosenInDialog = false);
    // The same with the values of a settings snapshot (a document's name).
    bool Prepare(const CardSettings &settings);
    // Releases the held picture (the main window calls it when it closes).
    void Release();

    bool HasTexture() const { return di2.poi != nullptr; }
    // Why the last preparation gave no texture (None when it gave one).
    PictureProblem Problem() const { return problem_; }
    const dib &Dib() const { return di2; }
    // The picture for drawing; null without a texture.
    const QImage &Image() const { return image_; }
    // How many preparations ran (each call of Prepare counts).
    int PrepareCount() const { return prepareCount_; }
    // How often a picture was scaled to tile size (once per new tile size).
    int ScaleCount() const { return scaleCount_; }

    void PaintTexture(ICanvas &canvas, const CardSettings &settings, int dpi, int zoom,
                      int width, int height) override;

private:
    void invalidate();

    dib di2;
    QImage image_;
    QImage scaled_;  // image_ scaled to one tile
    QImage block_;   // several tiles side by side when tiles are tiny
    QSize blockTiles_;
    PictureProblem problem_ = PictureProblem::None;
    int prepareCount_ = 0;
    int scaleCount_ = 0;
};
