// The small drawing surface the layout engine paints through. QPainterCanvas
// (qpaintercanvas.h) draws on images, widgets, printers and PDF writers; the
// tests use a recording canvas with pinned font metrics.
#pragma once

#include "catalogue/cardsettings.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringView>

#include <map>
#include <memory>

// Whole-pixel metrics of one font at one pixel size. Widths are the sum of
// the characters' whole-pixel advances (no kerning, no shaping), so they are
// additive: width(a + b) == width(a) + width(b).
class ITextMetrics {
public:
    virtual ~ITextMetrics() = default;
    // Advance of one UTF-16 code unit. For a surrogate pair the high unit
    // carries the advance of the whole character and the low unit 0.
    virtual int advance(QStringView text, qsizetype i) const = 0;
    virtual int width(QStringView text) const
    {
        int w = 0;
        for (qsizetype i = 0; i < text.size(); ++i)
            w += advance(text, i);
        return w;
    }
    // Height of the character cell (ascent + descent).
    virtual int height() const = 0;
    virtual int ascent() const = 0;
};

class ICanvas {
public:
    virtual ~ICanvas() = default;

    // Font: the face, style, colour, charset and pitch of `f`, at `pointSize`
    // points rendered at `dpi` pixels per inch. The pixel height is
    // FontPixelSize(pointSize, dpi).
    virtual void setFont(const FontSetting &f, int pointSize, int dpi) = 0;
    virtual FontSetting font() const = 0;
    virtual int fontPointSize() const = 0;
    virtual int fontDpi() const = 0;

    // Metrics of `f` at `pointSize` points and `dpi` pixels per inch; the
    // canvas font is the same afterwards. The reference stays valid for the
    // lifetime of the canvas. The default measures character by character
    // through setFont/textWidth (slow); real canvases override it.
    virtual const ITextMetrics &metrics(const FontSetting &f, int pointSize, int dpi);

    // Width and height in whole device pixels of `text` in the current font.
    // The width is the sum of the characters' whole-pixel advances.
    virtual int textWidth(const QString &text) = 0;
    virtual int textHeight(const QString &text) = 0;

    // Text with its cell's top-left corner at (x, y).
    virtual void textOut(int x, int y, const QString &text) = 0;
    virtual void setTransparentTextBackground() = 0;

    // Pen: colour as a Qt QRgb, width in device pixels, 0 = thinnest line.
    virtual void setPen(QRgb colour, int width) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    // GDI Arc: the ellipse inscribed in (left, top)-(right, bottom), drawn
    // counter-clockwise (as seen on the page) from the radial through
    // (x3, y3) to the radial through (x4, y4).
    virtual void arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) = 0;
    // GDI Rectangle: filled with `fill` and outlined with the pen; covers the
    // pixels left..right-1, top..bottom-1.
    virtual void rectangle(int left, int top, int right, int bottom, QRgb fill) = 0;
    virtual void fillRect(const QRect &r, QRgb colour) = 0;
    // Draws the whole image stretched into `target`, smoothly scaled.
    virtual void drawImage(const QRect &target, const QImage &image) = 0;

private:
    std::map<QString, std::unique_ptr<ITextMetrics>> fallbackMetrics_;
};

// A key that identifies a font setting at a size and resolution (used for
// metric caches).
QString FontKey(const FontSetting &f, int pointSize, int dpi);
// number x numerator / denominator with a 64-bit intermediate, rounded to the
// nearest integer with an exact half away from zero; -1 when the denominator
// is 0 or the result does not fit (the Windows MulDiv).
int MulDiv(int number, int numerator, int denominator);
// Pixel height of a font of `pointSize` points at `dpi`: MulDiv(pointSize,
// dpi, 72), at least 1. Every card font is sized through it, for measuring
// and for drawing alike.
int FontPixelSize(int pointSize, int dpi);
