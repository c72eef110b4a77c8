#include "layout/canvas.h"

#include <cstdint>

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

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const int64_t product = int64_t(number) * numerator;
    const int64_t d = denominator < 0 ? -int64_t(denominator) : int64_t(denominator);
    const int64_t magnitude = ((product < 0 ? -product : product) + d / 2) / d;
    const bool negative = (product < 0) != (denominator < 0);
    if (magnitude > INT32_MAX)
        return -1;
    return int(negative ? -magnitude : magnitude);
}

int FontPixelSize(int pointSize, int dpi)
{
    // The font height -MulDiv(size, ppi, 72) of the fonts the cards were
    // made with: an exact half pixel rounds up (15 pt at 300 ppi is 63 px).
    const int px = MulDiv(pointSize, dpi, 72);
    return px < 1 ? 1 : px;
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
