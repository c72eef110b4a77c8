#include "layout/qpaintercanvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPalette>
#include <QPen>

#include <array>
#include <cmath>
#include <memory>
#include <unordered_map>

QFont MakeCardFont(const FontSetting &f, int pixelSize)
{
    QFont font(f.face);
    font.setPixelSize(pixelSize < 1 ? 1 : pixelSize);
    font.setBold(f.style & FontSetting::Bold);
    font.setItalic(f.style & FontSetting::Italic);
    font.setUnderline(f.style & FontSetting::Underline);
    font.setStrikeOut(f.style & FontSetting::StrikeOut);
    font.setKerning(false);
    QFont::StyleHint hint = QFont::AnyStyle;
    if (f.pitch == FontSetting::FixedPitch) {
        font.setFixedPitch(true);
        hint = QFont::TypeWriter;
    }
    font.setStyleHint(hint, QFont::StyleStrategy(QFont::PreferNoShaping | QFont::PreferDefault));
    // Hinted advances are whole pixels, so a drawn string is exactly as wide
    // as the sum of its characters' advances that the layout measures, and
    // right-aligned prices end on the margin.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QColor WindowsColour(uint32_t colour)
{
    if ((colour & 0xFF000000u) == 0xFF000000u) {
        if ((colour & 0xFFu) == 8 && qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return QGuiApplication::palette().color(QPalette::WindowText);
        return Qt::black;
    }
    if (colour & 0xFF000000u)
        return Qt::black;
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

namespace {

// Whole-pixel advances of one QFont, filled in lazily. Latin-1 and the
// Latin extensions sit in a small flat table; everything else (the euro
// sign among them) in a hash.
class QtTextMetrics : public ITextMetrics {
public:
    explicit QtTextMetrics(const QFont &font) : fm_(font)
    {
        flat_.fill(-1);
        height_ = fm_.height();
        ascent_ = fm_.ascent();
    }

    int advance(QStringView text, qsizetype i) const override
    {
        const char16_t u = text.at(i).unicode();
        if (u < flat_.size()) {
            int &a = flat_[u];
            if (a < 0)
                a = fm_.horizontalAdvance(QChar(u));
            return a;
        }
        return slowAdvance(text, i);
    }

    int width(QStringView text) const override
    {
        int w = 0;
        const QChar *d = text.data();
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t u = d[i].unicode();
            if (u < flat_.size()) {
                int a = flat_[u];
                if (a < 0)
                    a = flat_[u] = fm_.horizontalAdvance(QChar(u));
                w += a;
            } else {
                w += slowAdvance(text, i);
            }
        }
        return w;
    }

    int height() const override { return height_; }
    int ascent() const override { return ascent_; }

private:
    int slowAdvance(QStringView text, qsizetype i) const
    {
        const QChar c = text.at(i);
        if (c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())
            return 0;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t ucs = QChar::surrogateToUcs4(c, text.at(i + 1));
            auto it = wide_.find(ucs);
            if (it == wide_.end())
                it = wide_.emplace(ucs, fm_.horizontalAdvance(text.mid(i, 2).toString())).first;
            return it->second;
        }
        auto it = wide_.find(c.unicode());
        if (it == wide_.end())
            it = wide_.emplace(c.unicode(), fm_.horizontalAdvance(c)).first;
        return it->second;
    }

    QFontMetrics fm_;
    mutable std::array<int, 0x300> flat_;
    mutable std::unordered_map<char32_t, int> wide_;
    int height_ = 0, ascent_ = 0;
};

struct CachedFont {
    QFont font;
    std::unique_ptr<QtTextMetrics> metrics;
};

struct FontCacheKey {
    QString face;
    int style, charset, pitch, pointSize, dpi;
    bool operator==(const FontCacheKey &o) const
    {
        return style == o.style && charset == o.charset && pitch == o.pitch && pointSize == o.pointSize
               && dpi == o.dpi && face == o.face;
    }
};

struct FontCacheKeyHash {
    size_t operator()(const FontCacheKey &k) const
    {
        size_t h = qHash(k.face);
        for (int v : {k.style, k.charset, k.pitch, k.pointSize, k.dpi})
            h = h * 1000003u ^ size_t(v);
        return h;
    }
};

// Metrics are kept for the whole run: every repaint of the preview lays the
// card out again with the same few fonts. Used from the GUI thread only.
CachedFont &cachedFont(const FontSetting &f, int pointSize, int dpi)
{
    static std::unordered_map<FontCacheKey, std::unique_ptr<CachedFont>, FontCacheKeyHash> cache;
    auto &slot = cache[FontCacheKey{f.face, f.style, f.charset, f.pitch, pointSize, dpi}];
    if (!slot) {
        slot = std::make_unique<CachedFont>();
        slot->font = MakeCardFont(f, FontPixelSize(pointSize, dpi));
        slot->metrics = std::make_unique<QtTextMetrics>(slot->font);
    }
    return *slot;
}

} // namespace

QPainterCanvas::QPainterCanvas(QPainter *painter) : p_(painter) {}

QPainterCanvas::~QPainterCanvas() = default;

void QPainterCanvas::setFont(const FontSetting &f, int pointSize, int dpi)
{
    if (cur_ && pointSize == pointSize_ && dpi == dpi_ && f == font_)
        return;
    const bool sameFace = cur_ && pointSize == pointSize_ && dpi == dpi_ && f.face == font_.face
                          && f.style == font_.style && f.charset == font_.charset
                          && f.pitch == font_.pitch;
    font_ = f;
    pointSize_ = pointSize;
    dpi_ = dpi;
    if (!sameFace)
        cur_ = cachedFont(f, pointSize, dpi).metrics.get();
    fontDirty_ = true;
}

const ITextMetrics &QPainterCanvas::metrics(const FontSetting &f, int pointSize, int dpi)
{
    return *cachedFont(f, pointSize, dpi).metrics;
}

int QPainterCanvas::textWidth(const QString &text)
{
    if (!cur_)
        setFont(font_, pointSize_, dpi_);
    return cur_->width(text);
}

int QPainterCanvas::textHeight(const QString &)
{
    if (!cur_)
        setFont(font_, pointSize_, dpi_);
    return cur_->height();
}

void QPainterCanvas::applyFont()
{
    if (!cur_)
        setFont(font_, pointSize_, dpi_);
    if (!fontDirty_)
        return;
    p_->setFont(cachedFont(font_, pointSize_, dpi_).font);
    p_->setPen(QPen(WindowsColour(font_.colour)));
    fontDirty_ = false;
}

void QPainterCanvas::textOut(int x, int y, const QString &text)
{
    if (!p_ || text.isEmpty())
        return;
    applyFont();
    p_->setRenderHint(QPainter::TextAntialiasing, true);
    p_->drawText(QPoint(x, y + cur_->ascent()), text);
}

void QPainterCanvas::setTransparentTextBackground()
{
    if (p_)
        p_->setBackgroundMode(Qt::TransparentMode);
}

void QPainterCanvas::setPen(QRgb colour, int width)
{
    penColour_ = QColor::fromRgb(colour);
    penWidth_ = width < 0 ? 0 : width;
}

static QPen makePen(const QColor &c, int w)
{
    QPen pen(c);
    pen.setWidth(w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void QPainterCanvas::line(int x1, int y1, int x2, int y2)
{
    if (!p_)
        return;
    p_->setPen(makePen(penColour_, penWidth_));
    fontDirty_ = true; // the text colour is the painter pen
    p_->setRenderHint(QPainter::Antialiasing, penWidth_ > 1);
    p_->drawLine(x1, y1, x2, y2);
}

void QPainterCanvas::arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4)
{
    if (!p_)
        return;
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
    if (rx == 0 || ry == 0)
        return;
    // Qt's angles run counter-clockwise on the page with y pointing down, so
    // the page's "up" is the positive direction. The angles are those of
    // the circle the ellipse is stretched from, which makes the arc meet the
    // radial through the given point.
    auto angleOf = [&](int px, int py) {
        const double a = std::atan2(-(py - cy) / std::fabs(ry), (px - cx) / std::fabs(rx));
        return a * 180.0 / M_PI;
    };
    const double a3 = angleOf(x3, y3), a4 = angleOf(x4, y4);
    double span = a4 - a3;
    while (span <= 0)
        span += 360.0;
    while (span > 360.0)
        span -= 360.0;
    p_->setPen(makePen(penColour_, penWidth_));
    fontDirty_ = true;
    p_->setBrush(Qt::NoBrush);
    p_->setRenderHint(QPainter::Antialiasing, true);
    const QRectF r(std::min(left, right), std::min(top, bottom), std::fabs(2 * rx), std::fabs(2 * ry));
    p_->drawArc(r, int(std::lround(a3 * 16)), int(std::lround(span * 16)));
}

void QPainterCanvas::rectangle(int left, int top, int right, int bottom, QRgb fill)
{
    if (!p_ || right <= left || bottom <= top)
        return;
    p_->setRenderHint(QPainter::Antialiasing, false);
    p_->fillRect(QRect(left, top, right - left, bottom - top), QColor::fromRgb(fill));
    QPen pen(penColour_);
    pen.setWidth(penWidth_);
    pen.setJoinStyle(Qt::MiterJoin);
    p_->setPen(pen);
    fontDirty_ = true;
    p_->setBrush(Qt::NoBrush);
    p_->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QPainterCanvas::fillRect(const QRect &r, QRgb colour)
{
    if (p_)
        p_->fillRect(r, QColor::fromRgb(colour));
}

void QPainterCanvas::drawImage(const QRect &target, const QImage &image)
{
    if (!p_ || image.isNull() || target.isEmpty())
        return;
    p_->setRenderHint(QPainter::SmoothPixmapTransform, true);
    p_->drawImage(target, image);
}
