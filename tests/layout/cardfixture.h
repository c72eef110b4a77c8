// A small card for the engine tests: plain settings (no heading, lines or
// frame, 10 mm margins), nine fonts that differ in size, height and
// character width (so that one element measured or painted in another's
// font shows), and the recording canvas with pinned metrics. The surface
// resolution and zoom come from TestSurface(), which parameterised tests set
// so that surface pixels and measuring pixels differ.
#pragma once

#include "recordingcanvas.h"
#include "cardbuilder.h"

#include "catalogue/catalogue.h"
#include "layout/cardlayout.h"
#include "layout/cardoutput.h"
#include "layout/cardqr.h"

#include <cmath>
#include <memory>
#include <vector>

struct Surface {
    int dpi;
    int zoom;
};
inline Surface &TestSurface()
{
    static Surface s{300, 100};
    return s;
}

// Size, height and width percentages of fonts 1..9 (heading, category,
// number, description, price, leader, free text, footer, header). At 300
// pixels per inch their cells are 91, 80, 46, 54, 56, 49, 26, 29 and 75
// pixels high and their characters 49, 36, 23, 18, 28, 24, 11, 10 and 33
// pixels wide. Sizes like 11 and 13 give halves at a zoom of 150.
struct PinnedFont {
    int size, heightShare, widthShare;
};
inline const PinnedFont kPinnedFonts[9] = {{20, 110, 60}, {16, 120, 55}, {11, 100, 50},
                                           {10, 130, 45}, {13, 105, 52}, {8, 150, 75},
                                           {7, 90, 40},   {5, 140, 48},  {19, 95, 42}};

struct TestCard : testutil::CardBuilder {
    int zoom = TestSurface().zoom;
    ITexturePainter *texture = nullptr;
    double widthmm = 210, heightmm = 297;
    int dpi = TestSurface().dpi;
    QHash<char16_t, int> shares;
    std::shared_ptr<const QrModules> qrCode; // printed when the settings ask for it

    TestCard()
    {
        for (int n = 1; n <= 9; ++n) {
            const PinnedFont &p = kPinnedFonts[n - 1];
            s.FontDialog(n) = FontSetting::make(
                QStringLiteral("Pin h%1 w%2").arg(p.heightShare).arg(p.widthShare), p.size, 0);
        }
        s.CaptionEd.clear();
        s.FussEd.clear();
        s.KopfEd.clear();
        s.RahmenCheck = false;
        s.CapsCheck = false;
        s.LinksEd = s.ObenEd = s.RechtsEd = s.UntenEd = 10;
    }

    CardSource source() const
    {
        CardSource src = CardBuilder::source();
        src.zoom = zoom;
        src.texture = texture;
        src.qrCode = qrCode;
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

    // Measuring in font n (1..9) of the settings: at its nominal size and
    // 300 pixels per inch in millimetres (line height h, text width w), and
    // on the surface, at the size scaled by the zoom with the fraction
    // dropped (surface width spx, cell height sh).
    const ITextMetrics &measured(int n) const
    {
        meter_.shares = shares;
        const FontSetting &f = s.FontDialog(n);
        return meter_.metrics(f, f.size, kMeasureDpi);
    }
    int surfacePoints(int n) const { return std::max(1, s.FontDialog(n).size * zoom / 100); }
    const ITextMetrics &onSurface(int n) const
    {
        meter_.shares = shares;
        return meter_.metrics(s.FontDialog(n), surfacePoints(n), dpi);
    }
    double h(int n) const { return MeasuredPxToMM(measured(n).height()); }
    double w(int n, const QString &t) const { return MeasuredPxToMM(measured(n).width(t)); }
    int spx(int n, const QString &t) const { return onSurface(n).width(t); }
    int sh(int n) const { return onSurface(n).height(); }

private:
    mutable RecordingCanvas meter_;
};

inline double mmPx(int px) { return MeasuredPxToMM(px); }

// A4 with 5 mm unprintable borders at 600 ppi.
inline PageArea a4At600()
{
    PageArea a;
    a.dpi = 600;
    a.widthPx = int((210 - 10) / 25.4 * 600);
    a.heightPx = int((297 - 10) / 25.4 * 600);
    return a;
}
