#include "texture/pictor3.h"
#include "texture/jpegmemory.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Bytes per row of a picture, padded to 4 bytes.
int64_t rowBytes(int64_t width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

bool supportedDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 24;
}

void setEntry(dib &d, int i, QRgb c)
{
    RGBQUAD &q = d.pmi->bmiColors[i];
    q.rgbRed = uint8_t(qRed(c));
    q.rgbGreen = uint8_t(qGreen(c));
    q.rgbBlue = uint8_t(qBlue(c));
    q.rgbReserved = 0;
    rgb0entry &e = d.pal.rgb0[i];
    e.red = uint8_t(qRed(c));
    e.green = uint8_t(qGreen(c));
    e.blue = uint8_t(qBlue(c));
    e.flags = 0;
}

// A colour with alpha laid over white.
inline uint8_t overWhite(int c, int a)
{
    return uint8_t((c * a + 255 * (255 - a) + 127) / 255);
}

QRgb opaqueOverWhite(QRgb c)
{
    const int a = qAlpha(c);
    if (a == 255)
        return c;
    return qRgb(overWhite(qRed(c), a), overWhite(qGreen(c), a), overWhite(qBlue(c), a));
}

// Copies an 8-bit or 1-bit palette image into a new dib of the same depth.
dib fromPaletteImage(const QImage &img, int bits)
{
    dib d = newdib(img.width(), img.height(), bits);
    if (!d.poi)
        return d;
    QVector<QRgb> table = img.colorTable();
    if (table.isEmpty() && bits == 1)
        table = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    for (QRgb &c : table)
        c = opaqueOverWhite(c);
    setdibpalette(d, table);
    const int64_t n = std::min<int64_t>(d.bytew, img.bytesPerLine());
    for (int y = 0; y < img.height(); ++y)
        std::memcpy(d.poi + int64_t(y) * d.bytew, img.constScanLine(y), size_t(n));
    return d;
}

// Any other image becomes 24 bits, blue-green-red, laid over white.
dib fromColourImage(const QImage &src)
{
    QImage img = src;
    if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_ARGB32)
        img = img.convertToFormat(QImage::Format_ARGB32);
    if (img.isNull())
        return dib();
    dib d = newdib(img.width(), img.height(), 24);
    if (!d.poi)
        return d;
    const bool opaque = img.format() == QImage::Format_RGB32;
    const int w = img.width();
    for (int y = 0; y < img.height(); ++y) {
        const QRgb *s = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        uint8_t *t = d.poi + int64_t(y) * d.bytew;
        for (int x = 0; x < w; ++x, t += 3) {
            const QRgb c = s[x];
            const int a = opaque ? 255 : qAlpha(c);
            if (a == 255) {
                t[0] = uint8_t(qBlue(c));
                t[1] = uint8_t(qGreen(c));
                t[2] = uint8_t(qRed(c));
            } else {
                t[0] = overWhite(qBlue(c), a);
                t[1] = overWhite(qGreen(c), a);
                t[2] = overWhite(qRed(c), a);
            }
        }
    }
    return d;
}

} // namespace

dib newdib(int width, int height, int bits, int, int)
{
    dib d;
    if (width <= 0 || height <= 0 || !supportedDepth(bits))
        return d;
    const int64_t bytew = rowBytes(width, bits);
    if (bytew > INT32_MAX || bytew * height > kMaxDibBytes)
        return d;
    auto *pmi = static_cast<BITMAPINFO *>(std::calloc(1, sizeof(BITMAPINFO)));
    auto *poi = static_cast<uint8_t *>(std::calloc(size_t(bytew * height), 1));
    if (!pmi || !poi) {
        std::free(pmi);
        std::free(poi);
        return d;
    }
    BITMAPINFOHEADER &h = pmi->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = uint16_t(bits);
    h.biCompression = 0;
    h.biSizeImage = uint32_t(bytew * height);
    d.pmi = pmi;
    d.poi = poi;
    d.poih = 1;
    d.bytew = int32_t(bytew);
    d.pal.ver = 0x300;
    if (bits != 24) {
        d.ispal = 1;
        const int n = 1 << bits;
        QVector<QRgb> ramp(n);
        for (int i = 0; i < n; ++i) {
            const int v = i * 255 / (n - 1);
            ramp[i] = qRgb(v, v, v);
        }
        setdibpalette(d, ramp);
    }
    return d;
}

void deldib(dib d)
{
    std::free(d.poi);
    std::free(d.pmi);
}

void freedib(dib &d)
{
    if (!d.poi && !d.pmi)
        return;
    deldib(d);
    d.poi = nullptr;
    d.pmi = nullptr;
    d.poih = 0;
    d.bytew = 0;
}

int dibwidth(const dib &d)
{
    return d.pmi ? d.pmi->bmiHeader.biWidth : 0;
}

int dibheight(const dib &d)
{
    return d.pmi ? d.pmi->bmiHeader.biHeight : 0;
}

int dibbits(const dib &d)
{
    return d.pmi ? d.pmi->bmiHeader.biBitCount : 0;
}

void setdibpalette(dib &d, const QVector<QRgb> &colours)
{
    if (!d.pmi || d.pmi->bmiHeader.biBitCount == 24)
        return;
    const int max = 1 << d.pmi->bmiHeader.biBitCount;
    const int n = std::min<int>(int(colours.size()), max);
    for (int i = 0; i < 256; ++i)
        setEntry(d, i, i < n ? colours[i] : qRgb(0, 0, 0));
    d.pal.num = uint16_t(n);
    d.pmi->bmiHeader.biClrUsed = uint32_t(n);
}

uint32_t getpixel(const dib &d, int x, int y)
{
    if (!d.poi || x < 0 || y < 0 || x >= dibwidth(d) || y >= dibheight(d))
        return 0;
    const uint8_t *row = d.poi + int64_t(y) * d.bytew;
    switch (dibbits(d)) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 8:
        return row[x];
    case 24: {
        const uint8_t *p = row + int64_t(x) * 3;
        return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    default:
        return 0;
    }
}

void setpixel(const dib &d, int x, int y, uint32_t colour)
{
    if (!d.poi || x < 0 || y < 0 || x >= dibwidth(d) || y >= dibheight(d))
        return;
    uint8_t *row = d.poi + int64_t(y) * d.bytew;
    const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    const int bits = dibbits(d);
    if (bits == 24) {
        uint8_t *p = row + int64_t(x) * 3;
        p[0] = uint8_t(b);
        p[1] = uint8_t(g);
        p[2] = uint8_t(r);
        return;
    }
    int index = 0;
    if (bits == 1) {
        index = (colour & 0xFFFFFF) ? 1 : 0;
    } else {
        // Nearest colour of the palette.
        int best = INT32_MAX;
        const int n = 1 << bits;
        for (int i = 0; i < n; ++i) {
            const rgb0entry &e = d.pal.rgb0[i];
            const int dr = e.red - r, dg = e.green - g, db = e.blue - b;
            const int dist = dr * dr + dg * dg + db * db;
            if (dist < best) {
                best = dist;
                index = i;
            }
        }
    }
    switch (bits) {
    case 1: {
        const uint8_t mask = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = index ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask);
        break;
    }
    case 4: {
        uint8_t &byte = row[x >> 1];
        byte = (x & 1) ? uint8_t((byte & 0xF0) | index) : uint8_t((byte & 0x0F) | (index << 4));
        break;
    }
    case 8:
        row[x] = uint8_t(index);
        break;
    default:
        break;
    }
}

int64_t ProgressiveJpegMemory(const QString &filename)
{
    QFile f(filename);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    uchar head[2];
    if (f.read(reinterpret_cast<char *>(head), 2) != 2 || head[0] != 0xFF || head[1] != 0xD8)
        return 0; // not a JPEG
    // Walk the segments up to the first frame header.
    for (int segments = 0; segments < 4096; ++segments) {
        uchar m[4];
        if (f.read(reinterpret_cast<char *>(m), 2) != 2 || m[0] != 0xFF)
            return 0;
        while (m[1] == 0xFF) { // fill bytes
            if (f.read(reinterpret_cast<char *>(m + 1), 1) != 1)
                return 0;
        }
        const uchar marker = m[1];
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01)
            continue; // no length
        if (marker == 0xD9 || marker == 0xDA)
            return 0; // end or scan data before any frame header
        if (f.read(reinterpret_cast<char *>(m + 2), 2) != 2)
            return 0;
        const int length = (m[2] << 8) | m[3];
        if (length < 2)
            return 0;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!frame) {
            if (!f.seek(f.pos() + length - 2))
                return 0;
            continue;
        }
        // Progressive frames: SOF2, SOF6, SOF10, SOF14.
        const bool progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        if (!progressive)
            return 0;
        const QByteArray sof = f.read(length - 2);
        if (sof.size() != length - 2 || sof.size() < 6)
            return 0;
        auto byte = [&](int i) { return int(uchar(sof.at(i))); };
        const int64_t height = (byte(1) << 8) | byte(2), width = (byte(3) << 8) | byte(4);
        const int n = byte(5);
        if (sof.size() < 6 + 3 * n || n == 0)
            return 0;
        int hmax = 1, vmax = 1;
        for (int c = 0; c < n; ++c) {
            hmax = std::max(hmax, byte(7 + 3 * c) >> 4);
            vmax = std::max(vmax, byte(7 + 3 * c) & 15);
        }
        // Every coefficient of every block is held until the last scan:
        // 64 coefficients of 2 bytes per block of 8 x 8 samples.
        int64_t bytes = 0;
        for (int c = 0; c < n; ++c) {
            const int h = std::max(1, byte(7 + 3 * c) >> 4), v = std::max(1, byte(7 + 3 * c) & 15);
            const int64_t w = (width * h + hmax - 1) / hmax, ht = (height * v + vmax - 1) / vmax;
            bytes += ((w + 7) / 8 + h) * ((ht + 7) / 8 + v) * 128;
        }
        return bytes;
    }
    return 0;
}

QSize DecodedPictureSize(const QSize &size)
{
    // Halved until it fits: a JPEG decodes at a half, a quarter or an
    // eighth of its size directly, without decoding the whole picture first.
    QSize s = size;
    while (s.width() > 1 && s.height() > 1 && int64_t(s.width()) * s.height() > kMaxDibPixels)
        s = QSize((s.width() + 1) / 2, (s.height() + 1) / 2);
    return s;
}

namespace {
// Qt's smooth scaler computes its weights in 32 bits (the destination side
// shifted left by 14): from 2^17 pixels on they overflow and the scaler reads
// outside the picture. Only a freakishly long, thin picture scales down to
// such a side; it is refused as too large.
bool ScalableSize(const QSize &s)
{
    return std::max(s.width(), s.height()) < (1 << 17);
}
} // namespace

QImage OpenPictureImage(const QString &filename, PictureProblem *problem, int vectorLongSide)
{
    PictureProblem dummy;
    PictureProblem &why = problem ? *problem : dummy;
    why = PictureProblem::None;
    const QImage none;
    const QFileInfo info(filename);
    if (filename.isEmpty() || !info.exists()) {
        why = PictureProblem::Missing;
        return none;
    }
    if (!info.isFile()) {
        why = PictureProblem::NotAPicture; // a folder
        return none;
    }
    why = PictureProblem::Unreadable;
    if (!info.isReadable())
        return none;
    QImageReader reader(filename);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        why = reader.error() == QImageReader::UnsupportedFormatError ? PictureProblem::NotAPicture
                                                                     : PictureProblem::Unreadable;
        return none;
    }
    // Refuse absurd pictures before decoding anything; decode large ones
    // scaled down.
    reader.setAllocationLimit(128); // MB: a 16-megapixel picture decodes within it
    // The JPEG library holds a progressive picture's every coefficient
    // whatever size it is decoded at; beyond its budget the picture is too
    // large. The library itself is held to the same budget (it reads it
    // from JPEGMEM) for whatever this walk does not see.
    if (reader.format() == "jpeg") {
        if (qEnvironmentVariableIsEmpty("JPEGMEM"))
            qputenv("JPEGMEM", QByteArray::number(kMaxJpegLibraryBytes / 1000000) + 'M');
        if (ProgressiveJpegMemory(filename) > kMaxJpegLibraryBytes) {
            why = PictureProblem::TooLarge;
            return none;
        }
    }
    QSize announced = reader.size();
    // A drawing (SVG) is rendered at the size asked for, not at its nominal one.
    if (vectorLongSide > 0 && announced.isValid() && announced.width() > 0 && announced.height() > 0
        && reader.format().startsWith("svg")) {
        announced = announced.scaled(vectorLongSide, vectorLongSide, Qt::KeepAspectRatio);
        reader.setScaledSize(announced);
    }
    bool large = false;
    if (announced.isValid()) {
        if (announced.width() <= 0 || announced.height() <= 0)
            return none;
        if (int64_t(announced.width()) * announced.height() > kMaxPicturePixels) {
            why = PictureProblem::TooLarge;
            return none;
        }
        const QSize decoded = DecodedPictureSize(announced);
        if (decoded != announced) {
            if (!ScalableSize(decoded)) {
                why = PictureProblem::TooLarge;
                return none;
            }
            large = true;
            reader.setScaledSize(decoded);
        }
    }
    QImage img;
    if (!reader.read(&img) || img.isNull()) {
        if (large)
            why = PictureProblem::TooLarge; // beyond the decoding memory
        return none;
    }
    if (int64_t(img.width()) * img.height() > kMaxDibPixels) {
        // A picture that did not announce its size.
        const QSize decoded = DecodedPictureSize(img.size());
        if (!ScalableSize(decoded)) {
            why = PictureProblem::TooLarge;
            return none;
        }
        img = img.scaled(decoded, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (img.isNull()) {
            why = PictureProblem::TooLarge;
            return none;
        }
    }
    why = PictureProblem::None;
    return img;
}

dib OpenDib(const QString &filename, int, QWidget *, PictureProblem *problem)
{
    PictureProblem dummy;
    PictureProblem &why = problem ? *problem : dummy;
    const QImage img = OpenPictureImage(filename, &why);
    if (img.isNull())
        return dib();

    dib d;
    switch (img.format()) {
    case QImage::Format_Mono:
        d = fromPaletteImage(img, 1);
        break;
    case QImage::Format_MonoLSB:
        d = fromPaletteImage(img.convertToFormat(QImage::Format_Mono), 1);
        break;
    case QImage::Format_Indexed8:
        d = fromPaletteImage(img, 8);
        break;
    default:
        d = fromColourImage(img);
        break;
    }
    why = d.poi ? PictureProblem::None : PictureProblem::TooLarge;
    return d;
}

QString GetDIBOpenFilter()
{
    QStringList patterns;
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    for (const QByteArray &f : formats) {
        const QString p = QStringLiteral("*.") + QString::fromLatin1(f).toLower();
        if (!patterns.contains(p))
            patterns << p;
    }
    patterns.sort();
    return QStringLiteral("Bilder|") + patterns.join(QLatin1Char(';'));
}
