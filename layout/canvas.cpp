#include "layout/canvas.h"

#include <cmath>

QString FontKey(const FontSetting &f, int pointSize, int dpi)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(f.face)
        .arg(int(f.style))
        .arg(int(f.charset))
        .arg(int(f.pitch))
        .arg(pointSize)
        .arg(dpi);
}

int FontPixelSize(int pointSize, int dpi)
{
    const double px = std::nearbyint(double(pointSize) * dpi / 72.0);
    return px < 1 ? 1 : int(px);
}

namespace {

// Measures through the canvas itself, one character at a time, putting the
// canvas font back afterwards.
class CanvasMeasuredMetrics : public ITextMetrics {
public:
    CanvasMeasuredMetrics(ICanvas *c, const FontSetting &f, int pt, int dpi)
        : c_(c), f_(f), pt_(pt), dpi_(dpi) {}

    int advance(QStringView text, qsizetype i) const override
    {
        const QChar ch = text.at(i);
        if (ch.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())
            return 0;
        QString s(ch);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            s += text.at(i + 1);
        return measure([&] { return c_->textWidth(s); });
    }
    int height() const override { return measure([&] { return c_->textHeight(QStringLiteral(" ")); }); }
    int ascent() const override { return height(); }

private:
    template <class F>
    int measure(F fn) const
    {
        const FontSetting of = c_->font();
        const int opt = c_->fontPointSize(), odpi = c_->fontDpi();
        c_->setFont(f_, pt_, dpi_);
        const int r = fn();
        c_->setFont(of, opt, odpi);
        return r;
    }
    ICanvas *c_;
    FontSetting f_;
    int pt_, dpi_;
};

} // namespace

const ITextMetrics &ICanvas::metrics(const FontSetting &f, int pointSize, int dpi)
{
    auto &slot = fallbackMetrics_[FontKey(f, pointSize, dpi)];
    if (!slot)
        slot = std::make_unique<CanvasMeasuredMetrics>(this, f, pointSize, dpi);
    return *slot;
}
