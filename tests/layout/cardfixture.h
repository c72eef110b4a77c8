// A small card for the engine tests: plain settings (no heading, lines or
// frame, 10 mm margins), a surface of 300 pixels per inch so that surface
// and measuring pixels agree, and the recording canvas whose characters are
// half as wide as the font's pixel size.
#pragma once

#include "recordingcanvas.h"

#include "catalogue/catalogue.h"
#include "layout/cardlayout.h"

#include <cmath>
#include <memory>
#include <vector>

struct TestCard {
    Catalogue cat;
    QStringList names;
    CardSettings s;
    int zoom = 100;
    ITexturePainter *texture = nullptr;
    double widthmm = 210, heightmm = 297;
    int dpi = 300;
    QHash<char16_t, int> shares;

    TestCard()
    {
        s.CaptionEd.clear();
        s.FussEd.clear();
        s.KopfEd.clear();
        s.RahmenCheck = false;
        s.CapsCheck = false;
        s.LinksEd = s.ObenEd = s.RechtsEd = s.UntenEd = 10;
    }

    int category(const QString &name)
    {
        cat.addCategory();
        names << name;
        return int(names.size()) - 1;
    }
    void product(int c, const QString &name, double price, int number = 0,
                 const QString &description = QString(), const QString &quantity = QString())
    {
        ProductValues v;
        v.name = name;
        v.price = price;
        v.number = number;
        v.description = description;
        v.quantity = quantity;
        cat.addProduct(c, v);
    }
    CardSource source() const
    {
        CardSource src;
        src.categoryNames = names;
        src.catalogue = const_cast<Catalogue *>(&cat);
        src.settings = s;
        src.zoom = zoom;
        src.texture = texture;
        return src;
    }
    int widthPx() const { return int(std::lround(widthmm / kMmPerInch * dpi * zoom / 100.0)); }
    int heightPx() const { return int(std::lround(heightmm / kMmPerInch * dpi * zoom / 100.0)); }

    struct Page {
        std::unique_ptr<RecordingCanvas> canvas;
        bool more = false;
        int pages = 0;
        const CanvasOp *text(const QString &t) const { return canvas->findText(t); }
    };
    Page paint(int page, bool printit = false) const
    {
        Page p;
        p.canvas = std::make_unique<RecordingCanvas>();
        p.canvas->shares = shares;
        p.more = PaintToCanvas(source(), *p.canvas, dpi, widthPx(), heightPx(), page, double(zoom),
                               printit, widthmm, heightmm, &p.pages);
        return p;
    }
    // Every page of the card.
    std::vector<Page> allPages() const
    {
        std::vector<Page> r;
        for (int page = 1;; ++page) {
            r.push_back(paint(page));
            if (!r.back().more || page > 10000)
                break;
        }
        return r;
    }
    // The page (from 1) that shows text t, 0 when none does.
    int pageOf(const QString &t) const
    {
        const auto pages = allPages();
        for (size_t i = 0; i < pages.size(); ++i)
            if (pages[i].text(t))
                return int(i) + 1;
        return 0;
    }

    // The engine's conversions, for expected values.
    int pos(double mm) const { return int(std::nearbyint(mm / kMmPerInch * dpi * zoom / 100.0)); }
    int margin(double mm) const { return int(std::trunc(mm / kMmPerInch * dpi * zoom / 100.0)); }
};

// Line heights of the pinned metrics at 300 pixels per inch: 12 pt fonts
// are 50 px, 14 pt 58 px, 24 pt 100 px, 9 pt 38 px high.
inline double mmPx(int px) { return MeasuredPxToMM(px); }
inline const double h12 = MeasuredPxToMM(50);
inline const double h14 = MeasuredPxToMM(58);
inline const double h9 = MeasuredPxToMM(38);
