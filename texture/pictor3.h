// Pictor3: the picture library the background texture is built on.
//
// A picture is a `dib` record: a Windows-style device-independent bitmap
// header with its colour table (pmi), the pixel rows (poi, bytew bytes each)
// and a 256-entry palette (pal). The library owns the memory behind pmi and
// poi; the program copies the record freely and hands it back once to
// freedib (or deldib) to release it.
//
// Pixel layout, as a Windows DIB holds it:
//   - rows are padded to a multiple of 4 bytes (bytew);
//   - rows are stored TOP-DOWN: row y (y = 0 is the top row) starts at
//     poi + y * bytew. biHeight is the positive row count;
//   - 24 bits: three bytes per pixel, blue, green, red;
//   - 8 bits: one palette index per byte;
//   - 4 bits: two indices per byte, the high four bits hold the even column;
//   - 1 bit: eight indices per byte, the most significant bit is the
//     leftmost column.
// The colour table in pmi (blue, green, red, reserved) and pal.rgb0 (red,
// green, blue, flags) always hold the same colours.
//
// Pictures are read with Qt's image readers. Palette pictures keep their
// indices and palette: 1-bit pictures arrive as 1-bit dibs, every other
// palette picture (including 2- and 4-bit files, which Qt hands over as
// 8-bit indices) arrives as an 8-bit dib with the file's colour table. All
// other pictures (grey levels, 16 bits, 32 bits, with or without alpha) are
// converted to 24 bits when opened; transparent parts are laid over white,
// the colour of the page they are drawn on.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>
#include <QRgb>
#include <cstdint>

class QWidget;

struct BITMAPINFOHEADER {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

struct RGBQUAD {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};

// One palette entry: red, green, blue, flags.
struct rgb0entry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};

struct LPAL {
    uint16_t ver;
    uint16_t num;
    rgb0entry rgb0[256];
};

struct dib {
    BITMAPINFO *pmi = nullptr; // header and colour table
    uint32_t poih = 0;         // non-zero for a picture the library created
    uint32_t pmih = 0;
    uint8_t *poi = nullptr;    // pixel rows; null = no picture
    int32_t bytew = 0;         // bytes per row
    uint8_t ispal = 0;         // 1 for palette pictures (1, 4, 8 bits)
    LPAL pal = {};
    void *NOTUSEDINFIXEDMEMlp = nullptr;
    int32_t zoom = 0, scx = 0, scy = 0, mx1 = 0, my1 = 0, mx2 = 0, my2 = 0;
};

// Largest pixel block (bytes) the library allocates for one picture, and the
// largest picture (in pixels) it decodes from a file. Anything bigger is
// refused like an unreadable file.
constexpr int64_t kMaxDibBytes = int64_t(1) << 30;
// A background picture is a tile: a picture never holds more than 16 million
// pixels (4000 x 4000), more than a tile covers at a printer's resolution.
// Larger pictures, up to kMaxPicturePixels (a photo of 100 megapixels), are
// decoded scaled down to fit within it (DecodedPictureSize); larger ones
// still are refused before anything is decoded.
// Decoding stays within 128 MB (JPEG photos are scaled while decoded; other
// formats that need more to decode in full are refused as too large).
constexpr int64_t kMaxDibPixels = int64_t(16) * 1000 * 1000;
constexpr int64_t kMaxPicturePixels = int64_t(100) * 1000 * 1000;

// Why OpenDib gave no picture.
enum class PictureProblem {
    None,
    Missing,     // no file of that name (or no name)
    NotAPicture, // no reader knows the file's format
    Unreadable,  // a picture file that cannot be read (damaged, cut off, no access)
    TooLarge,    // more pixels than can be decoded
    NotLocal,    // a network or device path from a document (catalogue/picturepath.h); never opened
};

// Opens a picture file by its real path. `reserved` (0) and `window` are
// accepted for the caller's convenience and not used. The result's poi is
// null when the file cannot be read as a picture; *problem (when given) then
// says why, otherwise it is None.
dib OpenDib(const QString &filename, int reserved = 0, QWidget *window = nullptr,
            PictureProblem *problem = nullptr);
// The picture of a file as OpenDib reads it, within the same limits, before
// it becomes a dib (an alpha channel kept). A drawing (SVG) is rendered with
// its long side at vectorLongSide pixels when that is above 0. Null when the
// file gives none; *problem then says why.
QImage OpenPictureImage(const QString &filename, PictureProblem *problem = nullptr, int vectorLongSide = 0);

// The size a picture of `size` pixels is decoded at: itself, or halved (a
// half, a quarter, ...) until it holds at most kMaxDibPixels: 6000 x 4000
// becomes 3000 x 2000, enough for a 23 cm tile at 330 pixels per inch.
QSize DecodedPictureSize(const QSize &size);

// File-dialog filter of the picture formats that can be read here, in the
// form "Description|*.a;*.b".
QString GetDIBOpenFilter();

// New zero-filled picture of `bits` (1, 4, 8 or 24) bits per pixel. Palette
// pictures get a grey ramp from black to white as their colour table. On
// failure (bad size or depth, out of memory) poih is 0 and poi null.
dib newdib(int width, int height, int bits, int reserved1 = 0, int reserved2 = 0);

// Releases the memory of a picture. The record passed in is a copy; the
// caller's own record still holds the old pointers, see freedib.
void deldib(dib d);

// Pixel (x, y), y = 0 the top row. Palette pictures return the index,
// 24-bit pictures the colour as 0x00BBGGRR. Outside the picture: 0.
uint32_t getpixel(const dib &d, int x, int y);

// Sets pixel (x, y) to the colour 0x00BBGGRR. A palette picture takes the
// index of the nearest colour of its palette (1 bit: 0 for black, else 1).
// Outside the picture nothing happens.
void setpixel(const dib &d, int x, int y, uint32_t colour);

// biWidth and biHeight of the picture; 0 without one.
int dibwidth(const dib &d);
int dibheight(const dib &d);
int dibbits(const dib &d);

// Releases a picture held in `d` (if any) and leaves `d` empty (poi and pmi
// null), so that releasing twice is harmless.
void freedib(dib &d);

// Replaces the colour table of a palette picture (both pmi's table and pal);
// unused entries become black. Does nothing for 24-bit pictures.
void setdibpalette(dib &d, const QVector<QRgb> &colours);
