// The page layout engine: lays out the menu card from the first category on
// every call and paints the one requested page.
#pragma once

#include "layout/canvas.h"
#include "layout/cardqr.h"
#include "catalogue/cardsettings.h"
#include "layout/cardtext.h"

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <memory>
#include <vector>

class Catalogue;
class CardView;
class ITexturePainter;

// What the engine reads: the category names (the captions of the category
// list, entry i naming category i of the catalogue), the catalogue, the
// settings, the zoom of the preview and the background texture.
struct CardSource {
    QStringList categoryNames;
    Catalogue *catalogue = nullptr;   // read only; may be null (no categories)
    CardSettings settings;
    int zoom = 100;                   // Z: the zoom shown in ZoomEd, scales sizes
    ITexturePainter *texture = nullptr;
    // The symbol of settings.QrUrlEd; printed at the bottom right of the
    // last page when settings.printsQrCode(). Null when there is none (or
    // the address could not be encoded).
    std::shared_ptr<const QrModules> qrCode;
    // The day of printing, for a date line that prints it; invalid: today.
    QDate today;
    // What holds `catalogue` when the card prints a part of the document's
    // catalogue (layout/cardsource.h); null when it is the document's own.
    std::shared_ptr<const CardView> view;
    // The picture of settings.LogoEd, painted above the heading; null when
    // there is none (or it could not be used).
    std::shared_ptr<const QImage> logo;
};

// The logo's size on a page of `widthmm` x `heightmm` (millimetres): its
// width, at most the room between the side margins, its height after the
// picture's proportion, at most half the room between the top and bottom
// margins. Empty when the card prints no logo on that page (`page` from 1).
QSizeF CardLogoSizeMM(const CardSource &card, int page, double widthmm, double heightmm);
// The room below the logo before the heading or the first line, in mm.
constexpr double kLogoGapMM = 4;

// Lays out the card and paints page `seiteedvalue` (from 1) onto canvas0.
// dpi: surface resolution; width, height: page size in device pixels;
// zoomedvalue: zoom applied to positions; printit: true for a printer page
// (no white page first); widthmm, heightmm: page size in millimetres.
// Returns true when the card has a page after page `seiteedvalue`.
bool PaintToCanvas(const CardSource &card, ICanvas &canvas0, int dpi, int width, int height,
                   int seiteedvalue, double zoomedvalue, bool printit, double widthmm,
                   double heightmm);

// How far a call lays out the card. Laying out stops, by default, once the
// requested page is painted and it is known whether a further page follows;
// the pixels and the result are those of laying out the whole card, which
// the tests and benchmarks can still ask for.
enum class LayoutExtent { UntilPageDone, WholeCard };

// The same call, also giving the card's page count (so the whole card is
// laid out).
bool PaintToCanvas(const CardSource &card, ICanvas &canvas0, int dpi, int width, int height,
                   int seiteedvalue, double zoomedvalue, bool printit, double widthmm,
                   double heightmm, int *pageCount);

// The same call with the extent chosen; pageCount (may be null) receives the
// page count when the whole card was laid out, otherwise the number of pages
// begun.
bool PaintToCanvas(const CardSource &card, ICanvas &canvas0, int dpi, int width, int height,
                   int seiteedvalue, double zoomedvalue, bool printit, double widthmm,
                   double heightmm, int *pageCount, LayoutExtent extent);

// The card's automatic numbering. Numbers that any product of the card
// carries explicitly (every number but 0, negative ones included) are never
// given automatically; the counter skips them wherever they stand.
struct TProductRec;
class CardNumbering {
public:
    CardNumbering() = default;
    explicit CardNumbering(const CardSource &card);
    // From the numbers that the card's products carry, ascending.
    explicit CardNumbering(std::vector<int32_t> usedAscending) : used_(std::move(usedAscending)) {}
    void restart() { counter_ = 0; }
    // NextAutoNumber: the counter goes up by 1, and on as long as the number
    // is taken.
    long long NextAutoNumber();
    // The number label an ordinary product shows in the card's order:
    // its own number, the next automatic one for 0, none for a negative
    // number. Free texts take no number and must not be passed.
    QString LabelFor(const TProductRec &p);

private:
    std::vector<int32_t> used_; // sorted
    long long counter_ = 0;
};

// ---- Measuring and text forms (shared with the tests) ------------------------

// One inch in millimetres, throughout the card.
constexpr double kMmPerInch = 25.39995;
// The fixed resolution at which every layout decision measures text.
constexpr int kMeasureDpi = 300;

// Pixels measured at the fixed resolution in millimetres.
inline double MeasuredPxToMM(long long px) { return double(px) * kMmPerInch / kMeasureDpi; }

// TextWidthMM / TextHeightMM for one font at its nominal size.
class LayoutMeasure {
public:
    explicit LayoutMeasure(const ITextMetrics &m) : m_(&m) {}
    const ITextMetrics &metrics() const { return *m_; }
    int widthPx(QStringView text) const { return m_->width(text); }
    double TextWidthMM(QStringView text) const { return MeasuredPxToMM(m_->width(text)); }
    double TextHeightMM() const { return MeasuredPxToMM(m_->height()); }

private:
    const ITextMetrics *m_;
};

// The rows of one line wrapped to `availableMM`: a row breaks after the last
// space that lets it fit, a word wider than the width is cut after its last
// character that fits, a single character is a row even when it is too
// wide, an empty line is one empty row. Widths are additive, so this works
// from prefix sums of the characters' advances.
QStringList WrapLine(const LayoutMeasure &m, const QString &line, double availableMM);
// The same as the end position (exclusive) of every row in `line`.
void WrapLineEnds(const LayoutMeasure &m, QStringView line, double availableMM,
                  std::vector<qsizetype> &ends);
// The number of full stops in the longest run that fits into `availableMM`
// (0 when none fits). A full stop of width 0 gives 0: such a font gets no
// leader.
long long LeaderDots(const LayoutMeasure &m, double availableMM);

// Splits a description into lines at CR LF, CR or LF; a final line break
// adds no empty line.
QStringList SplitDescriptionLines(const QString &text);
