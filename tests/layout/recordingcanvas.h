// A canvas that records what is painted, with pinned font metrics: at a
// font's pixel size ps (points x dpi / 72, rounded) every character advances
// ps x percent / 100 pixels (integer division) and the cell is ps x height
// percent / 100 pixels high. The percentages come from the face name, as in
// "Pin h130 w45" (130 % high, characters 45 % wide); other faces are 100 %
// high with characters 50 % wide. A share the test sets for one character
// replaces the face's width percentage for it.
#pragma once

#include "layout/canvas.h"

#include <QHash>
#include <gtest/gtest.h>
#include <algorithm>
#include <QString>
#include <map>
#include <memory>
#include <vector>

struct CanvasOp {
    enum Kind { Text, Line, Arc, Rect, Fill, Image, Texture } kind;
    int a[8] = {};
    QString text;
    FontSetting font;
    int pointSize = 0;
    int dpi = 0;
    int penWidth = 0;
    int width = 0; // text width on the surface
};

class PinnedMetrics : public ITextMetrics {
public:
    PinnedMetrics(int pixelSize, const QString &face, const QHash<char16_t, int> *shares)
        : ps_(pixelSize), shares_(shares)
    {
        for (const QString &part : face.split(QLatin1Char(' '))) {
            if (part.size() > 1 && part.at(0) == QLatin1Char('h'))
                heightShare_ = part.mid(1).toInt();
            else if (part.size() > 1 && part.at(0) == QLatin1Char('w'))
                widthShare_ = part.mid(1).toInt();
        }
    }
    int advance(QStringView text, qsizetype i) const override
    {
        const int share = shares_->value(text.at(i).unicode(), widthShare_);
        return ps_ * share / 100;
    }
    int height() const override { return ps_ * heightShare_ / 100; }
    int ascent() const override { return height() * 4 / 5; }

private:
    int ps_;
    int heightShare_ = 100, widthShare_ = 50;
    const QHash<char16_t, int> *shares_;
};

class RecordingCanvas : public ICanvas {
public:
    std::vector<CanvasOp> ops;
    QHash<char16_t, int> shares; // per-character advance share in percent

    void setFont(const FontSetting &f, int pointSize, int dpi) override
    {
        font_ = f;
        pt_ = pointSize;
        dpi_ = dpi;
    }
    FontSetting font() const override { return font_; }
    int fontPointSize() const override { return pt_; }
    int fontDpi() const override { return dpi_; }
    const ITextMetrics &metrics(const FontSetting &f, int pointSize, int dpi) override
    {
        const int ps = FontPixelSize(pointSize, dpi);
        auto &slot = cache_[{f.face, ps}];
        if (!slot)
            slot = std::make_unique<PinnedMetrics>(ps, f.face, &shares);
        return *slot;
    }
    int textWidth(const QString &text) override { return metrics(font_, pt_, dpi_).width(text); }
    int textHeight(const QString &) override { return metrics(font_, pt_, dpi_).height(); }
    void textOut(int x, int y, const QString &text) override
    {
        CanvasOp op{CanvasOp::Text};
        op.a[0] = x;
        op.a[1] = y;
        op.text = text;
        op.font = font_;
        op.pointSize = pt_;
        op.dpi = dpi_;
        op.width = textWidth(text);
        ops.push_back(op);
    }
    void setTransparentTextBackground() override {}
    void setPen(QRgb, int width) override { penWidth_ = width; }
    void line(int x1, int y1, int x2, int y2) override { push(CanvasOp::Line, {x1, y1, x2, y2}); }
    void arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4) override
    {
        push(CanvasOp::Arc, {l, t, r, b, x3, y3, x4, y4});
    }
    void rectangle(int l, int t, int r, int b, QRgb) override { push(CanvasOp::Rect, {l, t, r, b}); }
    void fillRect(const QRect &r, QRgb) override
    {
        push(CanvasOp::Fill, {r.left(), r.top(), r.width(), r.height()});
    }
    void drawImage(const QRect &r, const QImage &) override
    {
        push(CanvasOp::Image, {r.left(), r.top(), r.width(), r.height()});
    }

    // Helpers for the tests
    std::vector<CanvasOp> texts() const
    {
        std::vector<CanvasOp> r;
        for (const auto &o : ops)
            if (o.kind == CanvasOp::Text)
                r.push_back(o);
        return r;
    }
    const CanvasOp *findText(const QString &t) const
    {
        for (const auto &o : ops)
            if (o.kind == CanvasOp::Text && o.text == t)
                return &o;
        return nullptr;
    }
    int count(CanvasOp::Kind k) const
    {
        int n = 0;
        for (const auto &o : ops)
            n += o.kind == k;
        return n;
    }

private:
    void push(CanvasOp::Kind k, std::initializer_list<int> v)
    {
        CanvasOp op{k};
        int i = 0;
        for (int x : v)
            op.a[i++] = x;
        op.penWidth = penWidth_;
        ops.push_back(op);
    }
    FontSetting font_;
    int pt_ = 12, dpi_ = 96, penWidth_ = 0;
    std::map<std::pair<QString, int>, std::unique_ptr<PinnedMetrics>> cache_;
};

// Everything painted, in order, with its place, font and pen.
inline ::testing::AssertionResult samePainting(const RecordingCanvas &a, const RecordingCanvas &b)
{
    if (a.ops.size() != b.ops.size())
        return ::testing::AssertionFailure() << a.ops.size() << " vs " << b.ops.size() << " operations";
    for (size_t i = 0; i < a.ops.size(); ++i) {
        const CanvasOp &x = a.ops[i], &y = b.ops[i];
        if (x.kind != y.kind || !std::equal(x.a, x.a + 8, y.a) || x.text != y.text || !(x.font == y.font)
            || x.pointSize != y.pointSize || x.dpi != y.dpi || x.penWidth != y.penWidth || x.width != y.width)
            return ::testing::AssertionFailure() << "operation " << i << " differs: " << x.text.toStdString()
                                                 << " / " << y.text.toStdString();
    }
    return ::testing::AssertionSuccess();
}
