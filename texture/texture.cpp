#include "texture/texture.h"

#include "catalogue/appfiles.h"
#include "catalogue/picturepath.h"
#include "catalogue/platform.h"
#include "layout/canvas.h"
#include "catalogue/cardsettings.h"


#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Tiles above this many pixels are not scaled in advance: there are only a
// few of them on a page, and the canvas scales the picture into each one
// (this keeps printing at high resolutions from building huge images).
constexpr int64_t kMaxScaledPixels = int64_t(16) * 1024 * 1024;
// With more tiles than this on a page, tiles are first put side by side in
// one larger block, which is then drawn instead.
constexpr int64_t kMaxTileDraws = 4096;
// Edge length a block of tiles aims at.
constexpr int kBlockEdge = 512;
// Tile edges are limited to this, far beyond any page.
constexpr int64_t kMaxTileEdge = int64_t(1) << 24;

int wholeNumber(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int(std::trunc(std::clamp(v, -1e9, 1e9)));
}

// A tile edge in floating point, truncated toward zero and kept within
// 0..kMaxTileEdge.
int64_t truncatedEdge(double v)
{
    if (!std::isfinite(v) || v <= 0)
        return 0;
    return int64_t(std::trunc(std::min(v, double(kMaxTileEdge))));
}

} // namespace

void ConvertDib24(dib &d)
{
    if (!d.poi)
        return;
    const int w = dibwidth(d), h = dibheight(d), bits = dibbits(d);
    if (bits == 24 || (bits != 1 && bits != 4 && bits != 8))
        return;
    dib n = newdib(w, h, 24, 0, 0);
    if (n.poih == 0) {
        freedib(n);
        return;
    }
    if (bits == 1) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                setpixel(n, x, y, getpixel(d, x, y) == 0 ? 0 : 0xFFFFFF);
    } else {
        uint8_t bgr[256][3];
        for (int i = 0; i < 256; ++i) {
            bgr[i][0] = d.pal.rgb0[i].blue;
            bgr[i][1] = d.pal.rgb0[i].green;
            bgr[i][2] = d.pal.rgb0[i].red;
        }
        for (int y = 0; y < h; ++y) {
            const uint8_t *s = d.poi + int64_t(y) * d.bytew;
            uint8_t *t = n.poi + int64_t(y) * n.bytew;
            for (int x = 0; x < w; ++x, t += 3) {
                const int index = bits == 8 ? s[x] : ((x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4));
                std::memcpy(t, bgr[index], 3);
            }
        }
    }
    freedib(d);
    d = n;
}

void GrayScaleDib(dib &d)
{
    if (!d.poi || dibbits(d) != 24)
        return;
    const int w = dibwidth(d), h = dibheight(d);
    for (int y = 0; y < h; ++y) {
        uint8_t *p = d.poi + int64_t(y) * d.bytew;
        for (int x = 0; x < w; ++x, p += 3) {
            const int v = (30 * p[2] + 59 * p[1] + 11 * p[0]) / 100;
            p[0] = p[1] = p[2] = uint8_t(v);
        }
    }
}

uint8_t LightenChannel(int c, int b, int s)
{
    int64_t c1 = int64_t(c - 128) * (int64_t(s) + 100) / 100;
    c1 = std::clamp<int64_t>(c1 + 128, 0, 255);
    const double c2 = std::trunc(255 - double(255 - c1) * b / 100);
    return uint8_t(std::clamp(c2, 0.0, 255.0));
}

void LightenDib(dib &d, int b, int s)
{
    if (!d.poi || dibbits(d) != 24)
        return;
    // The same arithmetic for every channel value, worked out once.
    uint8_t table[256];
    for (int c = 0; c < 256; ++c)
        table[c] = LightenChannel(c, b, s);
    const int64_t n = int64_t(dibwidth(d)) * 3;
    const int h = dibheight(d);
    for (int y = 0; y < h; ++y) {
        uint8_t *p = d.poi + int64_t(y) * d.bytew;
        for (int64_t i = 0; i < n; ++i)
            p[i] = table[p[i]];
    }
}

QString CheckedPictureFile(const QString &fileName, bool chosenInDialog, bool *refused)
{
    // The name as written first: looking a bare name up in the data folders
    // touches the file system.
    const bool check = !chosenInDialog && !fileName.isEmpty();
    *refused = check && !IsLocalPicturePath(fileName, platform::PicturePathRules());
    const QString file = *refused ? QString() : appfiles::ResolveDataFile(fileName);
    if (!*refused && check && !IsLocalPictureFile(file))
        *refused = true;
    return *refused ? QString() : file;
}

QImage OpenLogoPicture(const QString &fileName, bool chosenInDialog, PictureProblem *problem)
{
    bool refused = false;
    const QString file = CheckedPictureFile(fileName, chosenInDialog, &refused);
    if (refused) {
        if (problem)
            *problem = PictureProblem::NotLocal;
        return QImage();
    }
    // A drawing is rendered large enough for 20 cm at 250 pixels per inch.
    return OpenPictureImage(file, problem, 2000);
}

bool PrepareTextureDib(dib &di2, const QString &fileName, bool grayScale, bool lighten,
                       double hellEd, double satEd, PictureProblem *problem,
                       bool chosenInDialog)
{
    freedib(di2);
    bool refused = false;
    const QString file = CheckedPictureFile(fileName, chosenInDialog, &refused);
    if (refused) {
        if (problem)
            *problem = PictureProblem::NotLocal;
        return false;
    }
    di2 = OpenDib(file, 0, nullptr, problem);
    if (!di2.poi) {
        freedib(di2);
        return false;
    }
    if (grayScale || lighten) {
        ConvertDib24(di2);
        if (di2.poi && grayScale)
            GrayScaleDib(di2);
        if (di2.poi && lighten)
            LightenDib(di2, wholeNumber(hellEd), wholeNumber(satEd));
    }
    return di2.poi != nullptr;
}

QImage DibToImage(const dib &d)
{
    if (!d.poi)
        return QImage();
    const int w = dibwidth(d), h = dibheight(d), bits = dibbits(d);
    QImage img;
    switch (bits) {
    case 24: {
        img = QImage(w, h, QImage::Format_RGB32);
        if (img.isNull())
            return img;
        for (int y = 0; y < h; ++y) {
            const uint8_t *s = d.poi + int64_t(y) * d.bytew;
            QRgb *t = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < w; ++x, s += 3)
                t[x] = qRgb(s[2], s[1], s[0]);
        }
        return img;
    }
    case 8:
    case 4:
        img = QImage(w, h, QImage::Format_Indexed8);
        if (img.isNull())
            return img;
        for (int y = 0; y < h; ++y) {
            const uint8_t *s = d.poi + int64_t(y) * d.bytew;
            uint8_t *t = img.scanLine(y);
            if (bits == 8)
                std::memcpy(t, s, size_t(w));
            else
                for (int x = 0; x < w; ++x)
                    t[x] = (x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4);
        }
        break;
    case 1:
        img = QImage(w, h, QImage::Format_Mono);
        if (img.isNull())
            return img;
        for (int y = 0; y < h; ++y)
            std::memcpy(img.scanLine(y), d.poi + int64_t(y) * d.bytew,
                        size_t(std::min<int64_t>(d.bytew, img.bytesPerLine())));
        break;
    default:
        return QImage();
    }
    QVector<QRgb> table(1 << bits);
    for (int i = 0; i < table.size(); ++i) {
        const RGBQUAD &q = d.pmi->bmiColors[i];
        table[i] = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    img.setColorTable(table);
    return img;
}

QSize TextureTileSize(const CardSettings &settings, int picWidth, int picHeight, int dpi,
                      int zoom)
{
    const int64_t tw = truncatedEdge(settings.BreitEd2 * 10 / 25.39995 * dpi * zoom / 100);
    int64_t th = truncatedEdge(settings.HochEd2 * 10 / 25.39995 * dpi * zoom / 100);
    if (settings.SVerh2Check && picWidth > 0 && picHeight > 0)
        th = tw * picHeight / picWidth;
    // A tile below one device pixel is drawn one pixel wide or high.
    return QSize(int(std::clamp<int64_t>(tw, 1, kMaxTileEdge)),
                 int(std::clamp<int64_t>(th, 1, kMaxTileEdge)));
}

TextureHolder::~TextureHolder()
{
    Release();
}

void TextureHolder::invalidate()
{
    image_ = QImage();
    scaled_ = QImage();
    block_ = QImage();
    blockTiles_ = QSize();
}

bool TextureHolder::Prepare(const QString &fileName, bool grayScale, bool lighten, double hellEd,
                            double satEd, bool chosenInDialog)
{
    ++prepareCount_;
    invalidate();
    const bool held =
        PrepareTextureDib(di2, fileName, grayScale, lighten, hellEd, satEd, &problem_, chosenInDialog);
    if (held)
        image_ = DibToImage(di2);
    return held;
}

bool TextureHolder::Prepare(const CardSettings &s)
{
    return Prepare(s.FilenameEdit2, s.GrayScaleCheck, s.LightenCheck, s.HellEd, s.SatEd);
}

void TextureHolder::Release()
{
    invalidate();
    freedib(di2);
}

void TextureHolder::PaintTexture(ICanvas &canvas, const CardSettings &settings, int dpi,
                                 int zoom, int width, int height)
{
    if (!HasTexture() || image_.isNull() || width <= 0 || height <= 0)
        return;
    const QSize tile = TextureTileSize(settings, image_.width(), image_.height(), dpi, zoom);
    const int tw = tile.width(), th = tile.height();

    if (int64_t(tw) * th > kMaxScaledPixels) {
        // Big tiles: few of them; the canvas scales the picture into each.
        for (int64_t y = 0; y < height; y += th)
            for (int64_t x = 0; x < width; x += tw)
                canvas.drawImage(QRect(int(x), int(y), tw, th), image_);
        return;
    }

    // Scale once per tile size; every tile is then a plain copy.
    if (scaled_.size() != tile) {
        scaled_ = image_.scaled(tile, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        block_ = QImage();
        blockTiles_ = QSize();
        ++scaleCount_;
    }
    if (scaled_.isNull())
        return;

    const int64_t cols = (int64_t(width) + tw - 1) / tw;
    const int64_t rows = (int64_t(height) + th - 1) / th;
    QImage *stamp = &scaled_;
    int64_t stepX = tw, stepY = th;
    if (cols * rows > kMaxTileDraws) {
        // Tiny tiles: lay a block of them out once and draw the blocks.
        const int kx = std::max(1, kBlockEdge / tw), ky = std::max(1, kBlockEdge / th);
        if (blockTiles_ != QSize(kx, ky) || block_.isNull()) {
            const QImage tileImage = scaled_.convertToFormat(QImage::Format_RGB32);
            block_ = QImage(kx * tw, ky * th, QImage::Format_RGB32);
            if (block_.isNull() || tileImage.isNull())
                return;
            for (int y = 0; y < block_.height(); ++y) {
                const uchar *src = tileImage.constScanLine(y % th);
                uchar *dst = block_.scanLine(y);
                for (int i = 0; i < kx; ++i)
                    std::memcpy(dst + size_t(i) * tw * 4, src, size_t(tw) * 4);
            }
            blockTiles_ = QSize(kx, ky);
        }
        stamp = &block_;
        stepX = int64_t(kx) * tw;
        stepY = int64_t(ky) * th;
    }
    for (int64_t y = 0; y < height; y += stepY)
        for (int64_t x = 0; x < width; x += stepX)
            canvas.drawImage(QRect(int(x), int(y), int(stepX), int(stepY)), *stamp);
}
