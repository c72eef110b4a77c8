// ICanvas on a QPainter: images, widgets, printers and PDF writers. A canvas
// without a painter measures but paints nothing (used to count pages).
#pragma once

#include "layout/canvas.h"

#include <QColor>
#include <QFont>

class QPainter;

// The QFont for a font setting at a pixel size: kerning off, no shaping,
// full hinting (whole-pixel advances), the setting's style bits and pitch.
QFont MakeCardFont(const FontSetting &f, int pixelSize);
// The colour of a Windows colour value (0x00BBGGRR or 0xFF0000nn for system
// colour nn; colour 8 is the palette's window text, other system colours
// are black).
QColor WindowsColour(uint32_t colour);

class QPainterCanvas : public ICanvas {
public:
    // `painter` may be null: then nothing is painted, measuring still works.
    explicit QPainterCanvas(QPainter *painter);
    ~QPainterCanvas() override;

    void setFont(const FontSetting &f, int pointSize, int dpi) override;
    FontSetting font() const override { return font_; }
    int fontPointSize() const override { return pointSize_; }
    int fontDpi() const override { return dpi_; }
    const ITextMetrics &metrics(const FontSetting &f, int pointSize, int dpi) override;

    int textWidth(const QString &text) override;
    int textHeight(const QString &text) override;
    void textOut(int x, int y, const QString &text) override;
    void setTransparentTextBackground() override;

    void setPen(QRgb colour, int width) override;
    void line(int x1, int y1, int x2, int y2) override;
    void arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) override;
    void rectangle(int left, int top, int right, int bottom, QRgb fill) override;
    void fillRect(const QRect &r, QRgb colour) override;
    void drawImage(const QRect &target, const QImage &image) override;

private:
    void applyFont();
    QPainter *p_;
    FontSetting font_;
    int pointSize_ = 12;
    int dpi_ = 96;
    const ITextMetrics *cur_ = nullptr; // metrics of the current font
    bool fontDirty_ = true;             // painter font not yet set
    QColor penColour_ = Qt::black;
    int penWidth_ = 0;
};
