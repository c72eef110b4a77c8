// The small drawing surface the layout engine paints through. QPainterCanvas
// (qpaintercanvas.h) draws on images, widgets, printers and PDF writers; the
// tests use a recording canvas with pinned font metrics.
#pragma once

#include "layout/cardsettings.h"

#include <QImage>
#include <QRect>
#include <QString>

class ICanvas {
public:
    virtual ~ICanvas() = default;

    // Font: the face, style, colour, charset and pitch of `f`, at `pointSize`
    // points rendered at `dpi` pixels per inch. The pixel height is
    // pointSize x dpi / 72 rounded to the nearest whole pixel.
    virtual void setFont(const FontSetting &f, int pointSize, int dpi) = 0;
    virtual FontSetting font() const = 0;
    virtual int fontPointSize() const = 0;
    virtual int fontDpi() const = 0;

    // Width and height in whole device pixels of `text` in the current font.
    // The width is the sum of the characters' whole-pixel advances.
    virtual int textWidth(const QString &text) = 0;
    virtual int textHeight(const QString &text) = 0;

    // Text with its cell's top-left corner at (x, y).
    virtual void textOut(int x, int y, const QString &text) = 0;
    virtual void setTransparentTextBackground() = 0;

    // Pen: colour 0x00RRGGBB-free Qt colour, width 0 = thinnest line.
    virtual void setPen(QRgb colour, int width) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    // GDI Arc: the ellipse inscribed in (left, top)-(right, bottom), drawn
    // counter-clockwise from the radial through (x3, y3) to the radial
    // through (x4, y4).
    virtual void arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) = 0;
    // White (or any colour) filled rectangle with a pen outline.
    virtual void rectangle(int left, int top, int right, int bottom, QRgb fill) = 0;
    virtual void fillRect(const QRect &r, QRgb colour) = 0;
    // Draws the whole image stretched into `target`, smoothly scaled.
    virtual void drawImage(const QRect &target, const QImage &image) = 0;
};
