#include "layout/cardlayout.h"

#include "catalogue/brastel.h"
#include "catalogue/catalogue.h"
#include "layout/bilingual.h"
#include "layout/cardmarks.h"
#include "layout/columnpass.h"
#include "layout/texturehook.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

// ---- Texts ---------------------------------------------------------------------

QStringList SplitDescriptionLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << text.mid(start, i - start);
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n || lines.isEmpty())
        lines << text.mid(start);
    return lines;
}

// ---- Wrapping and leader ----------------------------------------------------------

void WrapLineEnds(const LayoutMeasure &m, QStringView line, double availableMM,
                  std::vector<qsizetype> &ends)
{
    // The row rule, step by step: while the row is too wide and longer than
    // one character, drop its last character and then, if a space is left,
    // drop characters back to the last space. The ends this visits are the
    // full line, one past every space before the last character (from the
    // right), then every position from the first space (or the last
    // character) down to one character. Widths only grow with the end, so
    // the first end that stops the loop is found by binary search.
    ends.clear();
    const qsizetype n = line.size();
    thread_local std::vector<long long> prefix;
    thread_local std::vector<qsizetype> spaces;
    prefix.assign(size_t(n) + 1, 0);
    spaces.clear();
    const ITextMetrics &met = m.metrics();
    for (qsizetype i = 0; i < n; ++i) {
        prefix[size_t(i) + 1] = prefix[size_t(i)] + met.advance(line, i);
        if (line.at(i) == QLatin1Char(' '))
            spaces.push_back(i);
    }
    auto fits = [&](qsizetype s, qsizetype e) {
        return MeasuredPxToMM(prefix[size_t(e)] - prefix[size_t(s)]) <= availableMM;
    };

    qsizetype s = 0;
    do {
        qsizetype e = n;
        if (!(e - s <= 1 || fits(s, e))) {
            // Spaces q with s <= q < n - 1.
            auto lo = std::lower_bound(spaces.begin(), spaces.end(), s);
            auto hi = std::lower_bound(spaces.begin(), spaces.end(), n - 1);
            // The ends q + 1 that stop the loop form a prefix of [lo, hi).
            auto stops = [&](qsizetype q) { return q == s || fits(s, q + 1); };
            auto firstNot = std::partition_point(lo, hi, stops);
            if (firstNot != lo) {
                e = *(firstNot - 1) + 1;
            } else {
                const qsizetype top = lo != hi ? *lo : n - 1; // >= s + 1 here
                // Largest e in [s + 1, top] that fits, else s + 1.
                qsizetype a = s + 1, b = top;
                if (!fits(s, a)) {
                    e = s + 1;
                } else {
                    while (a < b) {
                        const qsizetype mid = a + (b - a + 1) / 2;
                        if (fits(s, mid))
                            a = mid;
                        else
                            b = mid - 1;
                    }
                    e = a;
                }
            }
        }
        ends.push_back(e);
        s = e;
    } while (s < n);
}

QStringList WrapLine(const LayoutMeasure &m, const QString &line, double availableMM)
{
    std::vector<qsizetype> ends;
    WrapLineEnds(m, line, availableMM, ends);
    QStringList rows;
    qsizetype s = 0;
    for (qsizetype e : ends) {
        rows << line.mid(s, e - s);
        s = e;
    }
    return rows;
}

long long LeaderDots(const LayoutMeasure &m, double availableMM)
{
    const long long a = m.widthPx(u".");
    if (a <= 0)
        return 0;
    if (!(availableMM >= MeasuredPxToMM(a)))
        return 0;
    const double guess = std::floor(availableMM / MeasuredPxToMM(a));
    long long n = guess > 1e8 ? 100000000LL : (long long)guess;
    while (n > 0 && MeasuredPxToMM(n * a) > availableMM)
        --n;
    while (n < 100000000LL && MeasuredPxToMM((n + 1) * a) <= availableMM)
        ++n;
    return n;
}

// ---- Numbering ----------------------------------------------------------------

CardNumbering::CardNumbering(const CardSource &card)
{
    const int cats = card.categoryNames.size();
    const Catalogue *cat = card.catalogue;
    for (int i = 0; i < cats && cat && i < cat->categoryCount(); ++i) {
        const TDynaArray *prods = *static_cast<TDynaArray **>(cat->kats->At(uint32_t(i)));
        for (uint32_t j = 0; prods && j < prods->count; ++j) {
            const auto *p = static_cast<const TProductRec *>(prods->At(j));
            if (p->number != 0)
                used_.push_back(p->number);
        }
    }
    std::sort(used_.begin(), used_.end());
}

long long CardNumbering::NextAutoNumber()
{
    ++counter_;
    while (counter_ <= INT32_MAX && std::binary_search(used_.begin(), used_.end(), int32_t(counter_)))
        ++counter_;
    return counter_;
}

QString CardNumbering::LabelFor(const TProductRec &p)
{
    if (p.number > 0)
        return NumberLabel(p.number);
    if (p.number == 0)
        return NumberLabel(NextAutoNumber());
    return QString();
}

// ---- The engine ------------------------------------------------------------------

namespace {

int clampToInt(double v)
{
    if (!(v == v))
        return 0;
    if (v >= double(INT_MAX))
        return INT_MAX;
    if (v <= double(INT_MIN))
        return INT_MIN;
    return int(v);
}

enum ElementFont {
    HeadingFont = 1,
    CategoryFont = 2,
    NumberFont = 3,
    DescriptionFont = 4,
    PriceFont = 5,
    LeaderFont = 6,
    FreeTextFont = 7,
    FooterFont = 8,
    HeaderFont = 9,
};

class CardPainter {
public:
    CardPainter(const CardSource &card, ICanvas &canvas, int dpi, int width, int height, int req,
                double zoomed, bool printit, double widthmm, double heightmm, bool early)
        : card_(card), s_(card.settings), c_(canvas), dpi_(dpi), width_(width), height_(height),
          req_(req), zoomed_(zoomed), printit_(printit), widthmm_(widthmm), heightmm_(heightmm),
          Z_(card.zoom), early_(early), bilingual_(card.settings.ZweisprachigCheck && card.catalogue)
    {
    }

    int run();

private:
    // Conversions
    int pos(double mm) const { return clampToInt(std::nearbyint(mm / kMmPerInch * dpi_ * zoomed_ / 100.0)); }
    int marginPx(double mm) const { return clampToInt(std::trunc(mm / kMmPerInch * dpi_ * Z_ / 100.0)); }
    bool shown() const { return page_ == req_; }
    // Laying out may stop: the requested page is painted and a further page
    // has begun. Nothing after it would paint (the frame of a page beyond the
    // last is painted only when no page follows the requested one).
    bool done() const { return early_ && page_ > req_; }

    // Fonts and measuring
    void prepare(int n) { prepareFont(n, false); }
    // The element's translation font (bilingual cards).
    void prepareTranslation(int n) { prepareFont(n, true); }
    void prepareFont(int n, bool translation);
    double TextWidthMM(QStringView t) const { return MeasuredPxToMM(meas_->width(t)); }
    double TextHeightMM() const { return MeasuredPxToMM(meas_->height()); }
    double lineHeight() const { return TextHeightMM(); }
    const ITextMetrics &measureFor(int n, bool translation = false);
    // The rows `text` wraps into (lines split as descriptions are) in the
    // prepared font.
    int countRows(QStringView text, double availableMM);
    // Rows of a line of the card with its translation, in font n.
    QStringList textRows(int n, const QString &german, const QString &translation);

    // Numbers
    long long NextAutoNumber() { return numbering_.NextAutoNumber(); }

    // Flow
    void StartCardPage(int p);
    void pageBreak();
    void paintFrame();
    void ordinaryProduct(const TProductRec &p, const QString &marks, int cat, int row);
    void measureSizeColumns(int cat);
    double sizeHeadingRowMM(const QStringList &captionRows, double captionRowMM);
    double sizeHeadingBlockMM() const;
    void paintSizeHeadings(double topMM);
    void prepareLegend(const UsedMarks *used);
    void paintLegendRows(double top);
    void legendAtEnd();
    void freeText(const TProductRec &p, int cat, int row);
    void paintRows(QStringView text, double availableMM, double leftMM, double rowAdvance);
    void placeQrCode();

    const CardSource &card_;
    const CardSettings &s_;
    ICanvas &c_;
    const int dpi_, width_, height_, req_;
    const double zoomed_;
    const bool printit_;
    const double widthmm_, heightmm_;
    const int Z_;
    const bool early_;
    // The card prints its second language beside the German texts.
    const bool bilingual_;

    int page_ = 1;
    double y_ = 0, x_ = 0;
    int lm_ = 0, tm_ = 0, rm_ = 0, bm_ = 0;
    double headerBand_ = 0, footerBand_ = 0;
    double numColMM_ = 0, priceColMM_ = 0;
    int numColPx_ = 0, priceColPx_ = 0;
    double bottom_ = 0;
    double itemReserve_ = 0;
    // The size columns of the category being laid out (none without sizes):
    // headings and widths, first size first; the last column ends at the
    // right margin.
    QStringList sizeHeads_;
    std::vector<double> sizeColMM_;
    std::vector<int> sizeColPx_;
    // Their translations on a bilingual card (an empty entry where a heading
    // has none); empty when none has one.
    QStringList sizeTr_;
    // The rows of the heading, the header line and the footer line: the
    // German text, with its translation on a bilingual card.
    QStringList headingRows_, headerRows_, footerRows_;
    CardNumbering numbering_;
    const ITextMetrics *meas_ = nullptr;
    const ITextMetrics *measCache_[20] = {}; // fonts 1..9, their translation fonts 11..19
    QString onRequestPadded_; // "Preis auf Anfrage" after four spaces, as painted
    std::vector<qsizetype> ends_;
    std::vector<qsizetype> nameEnds_; // the rows of a product's name
    std::vector<qsizetype> trNameEnds_; // the rows of its translation
    // Allergen and additive marks; null when the card shows none.
    std::unique_ptr<CardMarks> marks_;
    QStringList legendRows_;
    double legendRowMM_ = 0;
    double legendBand_ = 0; // room kept above the footer on every page
};

const ITextMetrics &CardPainter::measureFor(int n, bool translation)
{
    const int k = translation ? n + 10 : n;
    if (!measCache_[k]) {
        const FontSetting f = translation ? TranslationFont(s_.FontDialog(n)) : s_.FontDialog(n);
        measCache_[k] = &c_.metrics(f, f.size, kMeasureDpi);
    }
    return *measCache_[k];
}

void CardPainter::prepareFont(int n, bool translation)
{
    FontSetting toggled;
    if (translation)
        toggled = TranslationFont(s_.FontDialog(n));
    const FontSetting &f = translation ? toggled : s_.FontDialog(n);
    double zs = std::trunc(double(f.size) * Z_ / 100.0);
    if (zs < 1)
        zs = 1;
    c_.setFont(f, clampToInt(zs), dpi_);
    c_.setTransparentTextBackground();
    meas_ = &measureFor(n, translation);
}

int CardPainter::countRows(QStringView text, double availableMM)
{
    const LayoutMeasure m(*meas_);
    int rows = 0;
    for (const QString &line : SplitDescriptionLines(text.toString())) {
        WrapLineEnds(m, line, availableMM, ends_);
        rows += int(ends_.size());
    }
    return rows;
}

QStringList CardPainter::textRows(int n, const QString &german, const QString &translation)
{
    if (!bilingual_)
        return {german};
    return BilingualRows(LayoutMeasure(measureFor(n)), german, translation, widthmm_ - s_.LinksEd - s_.RechtsEd);
}

void CardPainter::paintFrame()
{
    const int pw = clampToInt(std::trunc(double(Z_) * dpi_ / kMmPerInch / 100.0));
    c_.setPen(qRgb(0, 0, 0), pw);
    const int L = lm_ / 2, T = tm_ / 2, R = width_ - rm_ / 2, B = height_ - bm_ / 2;
    c_.line(lm_, T, width_ - rm_, T);
    c_.line(R, tm_, R, height_ - bm_);
    c_.line(lm_, B, width_ - rm_, B);
    c_.line(L, tm_, L, height_ - bm_);
    // Corners: quarter ellipses centred on the frame's corner points,
    // curving towards the inside of the page.
    c_.arc(0, 0, lm_, tm_, L, tm_, lm_, T);
    c_.arc(width_ - rm_, 0, width_, tm_, width_ - rm_, T, R, tm_);
    c_.arc(0, height_ - bm_, lm_, height_, lm_, B, L, height_ - bm_);
    c_.arc(width_ - rm_, height_ - bm_, width_, height_, R, height_ - bm_, width_ - rm_, B);
}

void CardPainter::StartCardPage(int p)
{
    const bool isShown = p == req_;
    if (isShown && card_.texture)
        card_.texture->PaintTexture(c_, s_, dpi_, Z_, width_, height_);

    const ITextMetrics *savedMeas = meas_;
    const FontSetting savedFont = c_.font();
    const int savedPt = c_.fontPointSize(), savedDpi = c_.fontDpi();

    if (!s_.FussEd.isEmpty()) {
        prepare(FooterFont);
        // The last row stands on the bottom margin; a translation on a row
        // of its own below the German line.
        const int rows = int(footerRows_.size());
        footerBand_ = (rows + 1) * lineHeight();
        if (isShown) {
            const int h = c_.textHeight(QStringLiteral(" "));
            for (int r = 0; r < rows; ++r) {
                if (r > 0)
                    prepareTranslation(FooterFont);
                const QString &t = footerRows_.at(r);
                const int w = c_.textWidth(t);
                c_.textOut(((width_ - lm_ - rm_ - w) / 2) + lm_, height_ - bm_ - (rows - r) * h, t);
            }
        }
        c_.setFont(savedFont, savedPt, savedDpi);
    } else {
        footerBand_ = 0;
    }

    if (!s_.KopfEd.isEmpty()) {
        prepare(HeaderFont);
        const int rows = int(headerRows_.size());
        headerBand_ = (rows + 1) * lineHeight();
        if (isShown) {
            const int h = c_.textHeight(QStringLiteral(" "));
            for (int r = 0; r < rows; ++r) {
                if (r > 0)
                    prepareTranslation(HeaderFont);
                const QString &t = headerRows_.at(r);
                const int w = c_.textWidth(t);
                c_.textOut(((width_ - lm_ - rm_ - w) / 2) + lm_, tm_ + r * h, t);
            }
        }
        c_.setFont(savedFont, savedPt, savedDpi);
    } else {
        headerBand_ = 0;
    }
    // The logo stands above the heading (on later pages above the first
    // line) and counts in the page's flow like the header line.
    const QSizeF logo = CardLogoSizeMM(card_, p, widthmm_, heightmm_);
    if (!logo.isEmpty()) {
        const double top = s_.ObenEd + headerBand_;
        if (isShown) {
            const double room = widthmm_ - s_.LinksEd - s_.RechtsEd;
            const double left = s_.LogoLinksCheck ? s_.LinksEd : s_.LinksEd + (room - logo.width()) / 2;
            c_.drawImage(QRect(pos(left), pos(top), std::max(1, pos(logo.width())), std::max(1, pos(logo.height()))),
                         *card_.logo);
        }
        headerBand_ += logo.height() + kLogoGapMM;
    }
    if (isShown && legendBand_ > 0) {
        prepare(FooterFont);
        paintLegendRows(heightmm_ - s_.UntenEd - footerBand_ - legendRows_.size() * legendRowMM_);
        c_.setFont(savedFont, savedPt, savedDpi);
    }
    meas_ = savedMeas;

    // The frame is the same on every page and lands on the one surface of
    // this call, so it is painted once: at the start of the requested page
    // (over its texture), or at the end when the requested page lies beyond
    // the last one. Painting it at every page start would only repeat it
    // and darken its smoothed edges.
    if (s_.RahmenCheck && isShown)
        paintFrame();
}

void CardPainter::pageBreak()
{
    y_ = s_.ObenEd + headerBand_;
    ++page_;
    StartCardPage(page_);
}

void CardPainter::paintRows(QStringView text, double availableMM, double leftMM, double rowAdvance)
{
    const int left = pos(leftMM);
    const LayoutMeasure m(*meas_);
    // Lines end at CR LF, CR or LF; a final line break adds no empty line.
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (true) {
        qsizetype stop = start;
        while (stop < n && text.at(stop) != QLatin1Char('\r') && text.at(stop) != QLatin1Char('\n'))
            ++stop;
        const QStringView line = text.mid(start, stop - start);
        WrapLineEnds(m, line, availableMM, ends_);
        qsizetype s = 0;
        for (qsizetype e : ends_) {
            if (shown())
                c_.textOut(left, pos(y_), line.mid(s, e - s).toString());
            s = e;
            y_ += rowAdvance;
            if (y_ > bottom_) {
                ++page_;
                StartCardPage(page_);
                y_ = s_.ObenEd + headerBand_ + rowAdvance;
                if (done())
                    return;
            }
        }
        if (stop >= n)
            break;
        start = stop + 1;
        if (text.at(stop) == QLatin1Char('\r') && start < n && text.at(start) == QLatin1Char('\n'))
            ++start;
        if (start >= n)
            break;
    }
}

// The legend, wrapped to the text width in the footer font.
void CardPainter::prepareLegend(const UsedMarks *used)
{
    const int cats = card_.catalogue ? std::min<int>(card_.categoryNames.size(), card_.catalogue->categoryCount()) : 0;
    auto marks = used ? std::make_unique<CardMarks>(card_.catalogue, *used, s_)
                      : std::make_unique<CardMarks>(card_.catalogue, cats, s_);
    if (!marks->active())
        return;
    marks_ = std::move(marks);
    const LayoutMeasure m(measureFor(FooterFont));
    legendRows_ = WrapLine(m, marks_->legend(), widthmm_ - s_.LinksEd - s_.RechtsEd);
    legendRowMM_ = m.TextHeightMM();
    if (marks_->legendPlace() == LegendPlace::EveryPage)
        legendBand_ = (legendRows_.size() + 0.5) * legendRowMM_;
}

// The legend rows from `top` down (footer font prepared).
void CardPainter::paintLegendRows(double top)
{
    for (const QString &row : legendRows_) {
        c_.textOut(pos(x_), pos(top), row);
        top += legendRowMM_;
    }
}

// The legend after the last category, breaking pages like a description.
void CardPainter::legendAtEnd()
{
    prepare(FooterFont);
    for (const QString &row : legendRows_) {
        if (y_ + legendRowMM_ > bottom_) {
            pageBreak();
            if (done())
                return;
            prepare(FooterFont);
        }
        if (shown())
            c_.textOut(pos(x_), pos(y_), row);
        y_ += legendRowMM_;
    }
}

void CardPainter::ordinaryProduct(const TProductRec &p, const QString &marks, int cat, int row)
{
    const QStringView name = p.name ? QStringView(p.name) : QStringView();
    const QStringView description = p.description ? QStringView(p.description) : QStringView();
    const QStringView quantity = p.quantity ? QStringView(p.quantity) : QStringView();

    const bool sized = !sizeHeads_.isEmpty();
    const bool columns = sized && PrintsSizeColumns(*card_.catalogue, cat, row);
    const QString &onReq = onRequestPadded_;
    // Where the price block begins (price font prepared): the price column,
    // the size columns or the on-request text, with the quantity note
    // before it.
    auto priceBlockLeft = [&] {
        double priceLeft;
        if (columns) {
            double right = widthmm_ - s_.RechtsEd;
            for (int k = int(sizeColMM_.size()) - 1; k >= 0; --k)
                right -= sizeColMM_[size_t(k)];
            priceLeft = right - TextWidthMM(quantity);
        } else if (p.price == 0) {
            priceLeft = widthmm_ - s_.RechtsEd - TextWidthMM(onReq) - TextWidthMM(quantity);
        } else {
            priceLeft = widthmm_ - s_.RechtsEd - priceColMM_ - TextWidthMM(quantity);
        }
        return priceLeft;
    };

    // The marks' width after the name (measured in the mark font).
    double marksMM = 0;
    if (!marks.isEmpty()) {
        const FontSetting mf = MarkFont(s_.FontDialog(NumberFont));
        marksMM = MeasuredPxToMM(c_.metrics(mf, mf.size, kMeasureDpi).width(marks));
    }

    // In a sized category a name that would run into the price block is
    // wrapped, as descriptions are, to rows that end before it (its marks
    // and a space included); the price block stands on its last row.
    std::vector<qsizetype> &nameEnds = nameEnds_;
    nameEnds.assign(1, name.size());
    if (sized) {
        prepare(PriceFont);
        const double blockLeft = priceBlockLeft();
        prepare(NumberFont);
        const double nameLeft = x_ + (p.number >= 0 ? numColMM_ : 0);
        const double room = blockLeft - nameLeft - MeasuredPxToMM(meas_->width(u" ")) - marksMM;
        WrapLineEnds(LayoutMeasure(*meas_), name, room, nameEnds);
    }

    // On a bilingual card the product's translation: its name (with the
    // translated quantity note at the right) on rows under the German name,
    // its description under the German description.
    QString trName, trQuantity, trDescription;
    if (bilingual_) {
        const ProductTranslation &t = card_.catalogue->translation(cat, row);
        trName = PrintedTranslation(name.toString(), t.name);
        trQuantity = PrintedTranslation(quantity.toString(), t.quantity);
        trDescription = PrintedTranslation(description.toString(), t.description);
    }
    const bool translated = !trName.isEmpty() || !trQuantity.isEmpty() || !trDescription.isEmpty();
    std::vector<qsizetype> &trEnds = trNameEnds_;
    trEnds.clear();
    if (!trName.isEmpty() || !trQuantity.isEmpty()) {
        // The translated name ends before the translated quantity note,
        // which stands right-aligned where the German one ends.
        prepareTranslation(PriceFont);
        const double trQuantityMM = TextWidthMM(trQuantity);
        prepare(PriceFont);
        const double blockLeft = priceBlockLeft();
        const double quantityRight = blockLeft + TextWidthMM(quantity);
        prepareTranslation(NumberFont);
        const double nameLeft = x_ + (p.number >= 0 ? numColMM_ : 0);
        const double end = trQuantity.isEmpty() ? blockLeft : quantityRight - trQuantityMM - TextWidthMM(u" ");
        WrapLineEnds(LayoutMeasure(*meas_), trName, end - nameLeft, trEnds);
    }

    prepare(NumberFont);
    const double hN = lineHeight();
    // The rows a wrapped name adds, kept on the product's page.
    const double nameRowsMM = double(nameEnds.size() - 1) * hN;
    // The rows of the translated name, on the grid of the German ones.
    const double trRowsMM = double(trEnds.size()) * hN;
    const bool described = !description.isEmpty() || !trDescription.isEmpty();
    double reserve, finalAdvance;
    if (described) {
        reserve = 3 * hN;
        finalAdvance = 2 * hN;
    } else {
        reserve = finalAdvance = 1.5 * hN;
    }
    itemReserve_ = reserve;
    bool breakBefore = y_ + reserve + nameRowsMM > bottom_;
    if (translated) {
        // The product and its translation are one entry: the whole of it
        // goes onto the next page when it does not fit here but fits there.
        double whole = nameRowsMM + trRowsMM + finalAdvance;
        if (described) {
            prepare(PriceFont);
            const double width = priceBlockLeft() - x_ - numColMM_;
            prepare(DescriptionFont);
            const double rowMM = lineHeight();
            int rows = description.isEmpty() ? 0 : countRows(description, width);
            prepareTranslation(DescriptionFont);
            rows += trDescription.isEmpty() ? 0 : countRows(trDescription, width);
            whole = nameRowsMM + trRowsMM + 1.5 * hN + rows * rowMM;
            prepare(NumberFont);
        }
        whole = std::max(whole, reserve + nameRowsMM + trRowsMM);
        double pageTop = s_.ObenEd + headerBand_;
        if (!sizeHeads_.isEmpty()) {
            prepare(PriceFont);
            pageTop += sizeHeadingBlockMM();
            prepare(NumberFont);
        }
        breakBefore = y_ + whole > bottom_
                      && (pageTop + whole <= bottom_ || y_ + reserve + nameRowsMM + trRowsMM > bottom_);
    }
    if (breakBefore) {
        pageBreak();
        // A sized category continues: its headings again at the top.
        if (!sizeHeads_.isEmpty() && !done()) {
            prepare(PriceFont);
            if (shown())
                paintSizeHeadings(y_);
            y_ += sizeHeadingBlockMM();
            prepare(NumberFont);
        }
    }
    if (done())
        return;

    const QString label = numbering_.LabelFor(p);

    // Name rows; marks, leader, price block and quantity note stand on the
    // last one.
    const qsizetype lastStart = nameEnds.size() > 1 ? nameEnds[nameEnds.size() - 2] : 0;
    const QStringView lastRow = name.mid(lastStart);
    const int top = pos(y_ + nameRowsMM);
    double nameEnd;
    // Widths are whole pixels that add up: the name followed by one space.
    double nameSpMM = MeasuredPxToMM((long long)meas_->width(lastRow) + meas_->width(u" "));
    // Marks follow the name, small and raised; the space comes after them.
    double marksAtMM = 0;
    if (!marks.isEmpty()) {
        marksAtMM = MeasuredPxToMM(meas_->width(lastRow));
        nameSpMM += marksMM;
    }
    auto paintName = [&](int left) {
        qsizetype s = 0;
        for (size_t r = 0; r < nameEnds.size(); ++r) {
            const qsizetype e = nameEnds[r];
            if (e > s)
                c_.textOut(left, r == 0 ? pos(y_) : pos(y_ + double(r) * hN), name.mid(s, e - s).toString());
            s = e;
        }
    };
    if (p.number >= 0) {
        if (shown()) {
            const int w = c_.textWidth(label);
            c_.textOut(pos(x_) + numColPx_ - w, pos(y_), label);
            paintName(pos(x_) + numColPx_);
        }
        nameEnd = x_ + numColMM_ + nameSpMM;
    } else {
        if (shown())
            paintName(pos(x_));
        nameEnd = x_ + nameSpMM;
    }
    if (!marks.isEmpty() && shown()) {
        const FontSetting mf = MarkFont(s_.FontDialog(NumberFont));
        c_.setFont(mf, std::max(1, clampToInt(std::trunc(double(mf.size) * Z_ / 100.0))), dpi_);
        c_.textOut(pos(nameEnd - nameSpMM + marksAtMM), top, marks);
    }

    // Price and quantity note
    prepare(PriceFont);
    const double priceLeft = priceBlockLeft();
    int quantityRightPx; // where the quantity note ends, in surface pixels
    if (columns) {
        quantityRightPx = width_ - rm_;
        for (int px : sizeColPx_)
            quantityRightPx -= px;
    } else if (p.price == 0) {
        quantityRightPx = width_ - rm_ - c_.textWidth(onReq);
    } else {
        quantityRightPx = width_ - rm_ - priceColPx_;
    }
    if (columns) {
        // One price per size, each right-aligned in its column; the quantity
        // note stands before the first column.
        const QStringList texts = SizePriceTexts(*card_.catalogue, cat, row, s_);
        int rightPx = width_ - rm_;
        for (int k = int(sizeColPx_.size()) - 1; k >= 0; --k) {
            const QString &t = texts.at(k);
            if (shown() && !t.isEmpty())
                c_.textOut(rightPx - c_.textWidth(t), top, t);
            rightPx -= sizeColPx_[size_t(k)];
        }
        if (shown() && !quantity.isEmpty())
            c_.textOut(rightPx - c_.textWidth(quantity.toString()), top, quantity.toString());
    } else if (p.price == 0) {
        if (shown()) {
            const int w = c_.textWidth(onReq);
            c_.textOut(width_ - rm_ - w, top, onReq);
            if (!quantity.isEmpty())
                c_.textOut(width_ - rm_ - w - c_.textWidth(quantity.toString()), top, quantity.toString());
        }
    } else {
        if (shown()) {
            const QString priceText = PriceText(p.price, s_);
            c_.textOut(width_ - rm_ - c_.textWidth(priceText), top, priceText);
            if (!quantity.isEmpty())
                c_.textOut(width_ - rm_ - priceColPx_ - c_.textWidth(quantity.toString()), top, quantity.toString());
        }
    }

    // Dotted leader
    prepare(LeaderFont);
    const double d = TextWidthMM(u".");
    if (d > 0) {
        const double start = nameEnd + d;
        const long long dots = LeaderDots(LayoutMeasure(*meas_), priceLeft - start);
        if (dots > 0 && !s_.NoPointsCheck && shown())
            c_.textOut(pos(start), top, QString(qsizetype(dots), QLatin1Char('.')));
    }

    // The translated name and quantity note
    if (!trEnds.empty() && shown()) {
        prepareTranslation(NumberFont);
        const int left = pos(x_) + (p.number >= 0 ? numColPx_ : 0);
        qsizetype s = 0;
        for (size_t r = 0; r < trEnds.size(); ++r) {
            const qsizetype e = trEnds[r];
            if (e > s)
                c_.textOut(left, pos(y_ + nameRowsMM + double(r + 1) * hN), trName.mid(s, e - s));
            s = e;
        }
        if (!trQuantity.isEmpty()) {
            prepareTranslation(PriceFont);
            c_.textOut(quantityRightPx - c_.textWidth(trQuantity), pos(y_ + nameRowsMM + hN), trQuantity);
        }
    }

    // Description, and its translation below it
    y_ += nameRowsMM + trRowsMM;
    prepare(DescriptionFont);
    if (described) {
        y_ += 1.5 * hN;
        const double hD = lineHeight();
        const double width = priceLeft - x_ - numColMM_;
        if (!description.isEmpty()) {
            paintRows(description, width, x_ + numColMM_, hD);
            if (done())
                return;
        }
        if (!trDescription.isEmpty()) {
            prepareTranslation(DescriptionFont);
            paintRows(trDescription, width, x_ + numColMM_, hD);
            if (done())
                return;
        }
        y_ -= hD;
        y_ += finalAdvance;
    } else {
        y_ += finalAdvance;
    }
}

// The widths of a sized category's columns, measured like the price
// column: the widest price of the column, its heading included, each after
// four spaces.
void CardPainter::measureSizeColumns(int cat)
{
    sizeHeads_ = SizeHeadings(*card_.catalogue, cat);
    sizeColMM_.assign(size_t(sizeHeads_.size()), 0);
    sizeColPx_.assign(size_t(sizeHeads_.size()), 0);
    if (sizeHeads_.isEmpty())
        return;
    prepare(PriceFont);
    const QString gap = QStringLiteral("    ");
    auto widen = [&](int k, const QString &t) {
        sizeColMM_[size_t(k)] = std::max(sizeColMM_[size_t(k)], TextWidthMM(gap + t));
        sizeColPx_[size_t(k)] = std::max(sizeColPx_[size_t(k)], c_.textWidth(gap + t));
    };
    for (int k = 0; k < sizeHeads_.size(); ++k)
        widen(k, sizeHeads_.at(k));
    // A bilingual card prints the headings' translations below them, in
    // their columns.
    sizeTr_.clear();
    if (bilingual_) {
        const QStringList tr = card_.catalogue->sizeHeadingTranslations(cat);
        bool any = false;
        for (int k = 0; k < sizeHeads_.size(); ++k) {
            const QString t = sizeHeads_.at(k).isEmpty() ? QString() : PrintedTranslation(sizeHeads_.at(k), tr.value(k));
            any = any || !t.isEmpty();
            sizeTr_ << t;
        }
        if (!any) {
            sizeTr_.clear();
        } else {
            prepareTranslation(PriceFont);
            for (int k = 0; k < sizeTr_.size(); ++k)
                widen(k, sizeTr_.at(k));
            prepare(PriceFont);
        }
    }
    const TDynaArray *prods = *static_cast<TDynaArray **>(card_.catalogue->kats->At(uint32_t(cat)));
    for (uint32_t j = 0; prods && j < prods->count; ++j) {
        if (!PrintsSizeColumns(*card_.catalogue, cat, int(j)))
            continue;
        const QStringList texts = SizePriceTexts(*card_.catalogue, cat, int(j), s_);
        for (int k = 0; k < texts.size() && k < sizeHeads_.size(); ++k)
            if (!texts.at(k).isEmpty())
                widen(k, texts.at(k));
    }
}

// The room of a row of its own for the size headings: none when they fit on
// the caption's row, with a space to spare between the caption (at the left
// margin or centred on the page, as painted) and the leftmost heading;
// otherwise the row a continued page gives them.
double CardPainter::sizeHeadingRowMM(const QStringList &captionRows, double captionRowMM)
{
    if (sizeHeads_.isEmpty())
        return 0;
    double captionMM = 0;
    for (int r = 0; r < captionRows.size(); ++r) {
        prepareFont(CategoryFont, r > 0);
        captionMM = std::max(captionMM, TextWidthMM(captionRows.at(r)));
    }
    const double captionEnd = s_.CenterKatCheck ? (widthmm_ + captionMM) / 2 : x_ + captionMM;
    // The headings' translations, a row below them, lie beside the caption
    // too.
    double trLeft = widthmm_;
    if (!sizeTr_.isEmpty()) {
        prepareTranslation(PriceFont);
        double right = widthmm_ - s_.RechtsEd;
        for (int k = int(sizeTr_.size()) - 1; k >= 0; --k) {
            trLeft = std::min(trLeft, right - TextWidthMM(sizeTr_.at(k)));
            right -= sizeColMM_[size_t(k)];
        }
    }
    prepare(PriceFont);
    double right = widthmm_ - s_.RechtsEd;
    double headingsLeft = right;
    for (int k = int(sizeHeads_.size()) - 1; k >= 0; --k) {
        headingsLeft = std::min(headingsLeft, right - TextWidthMM(sizeHeads_.at(k)));
        right -= sizeColMM_[size_t(k)];
    }
    // Translations stand beside the caption only when their row ends
    // within the caption's room.
    const bool besideCaption =
        sizeTr_.isEmpty() || 2 * lineHeight() <= double(captionRows.size() + 1) * captionRowMM;
    const double leftmost = sizeTr_.isEmpty() ? headingsLeft : std::min(headingsLeft, trLeft);
    if (besideCaption && captionEnd + TextWidthMM(u" ") <= leftmost)
        return 0;
    return sizeHeadingBlockMM();
}

// The room the size headings take on rows of their own (price font
// prepared): one and a half rows, and a row more for their translations.
double CardPainter::sizeHeadingBlockMM() const
{
    const double block = 1.5 * lineHeight();
    return sizeTr_.isEmpty() ? block : block + lineHeight();
}

// The size headings right-aligned above their columns, the top of their row
// at `topMM`, and their translations on the row below (price font prepared,
// and prepared again at the end).
void CardPainter::paintSizeHeadings(double topMM)
{
    const int top = pos(topMM);
    const double rowMM = lineHeight();
    int rightPx = width_ - rm_;
    for (int k = int(sizeHeads_.size()) - 1; k >= 0; --k) {
        const QString &h = sizeHeads_.at(k);
        if (!h.isEmpty())
            c_.textOut(rightPx - c_.textWidth(h), top, h);
        rightPx -= sizeColPx_[size_t(k)];
    }
    if (sizeTr_.isEmpty())
        return;
    prepareTranslation(PriceFont);
    rightPx = width_ - rm_;
    for (int k = int(sizeTr_.size()) - 1; k >= 0; --k) {
        const QString &h = sizeTr_.at(k);
        if (!h.isEmpty())
            c_.textOut(rightPx - c_.textWidth(h), pos(topMM + rowMM), h);
        rightPx -= sizeColPx_[size_t(k)];
    }
    prepare(PriceFont);
}

void CardPainter::freeText(const TProductRec &p, int cat, int row)
{
    prepare(FreeTextFont);
    const double hF = lineHeight();
    const QStringView description = p.description ? QStringView(p.description) : QStringView();
    const double width = widthmm_ - s_.RechtsEd - priceColMM_ - x_;
    // On a bilingual card its translation follows, and the two go onto the
    // next page together when they do not fit here but fit there.
    QString translation;
    if (bilingual_)
        translation = PrintedTranslation(description.toString(), card_.catalogue->translation(cat, row).description);
    if (!translation.isEmpty()) {
        int rows = description.isEmpty() ? 0 : countRows(description, width);
        prepareTranslation(FreeTextFont);
        rows += countRows(translation, width);
        prepare(FreeTextFont);
        const double whole = rows * hF;
        if (y_ + whole > bottom_ && s_.ObenEd + headerBand_ + whole <= bottom_) {
            pageBreak();
            if (done())
                return;
        }
    }
    if (!description.isEmpty()) {
        paintRows(description, width, x_, hF);
        if (done())
            return;
    }
    if (!translation.isEmpty()) {
        prepareTranslation(FreeTextFont);
        paintRows(translation, width, x_, hF);
        if (done())
            return;
    }
    y_ += 0.5 * hF;
}

// The QR code sits at the bottom right of the last page, above the footer band,
// its right edge at the right margin. When the content leaves no room for it
// there, it gets a page of its own rather than covering prices.
void CardPainter::placeQrCode()
{
    // No larger than the room between the header and footer bands and
    // between the side margins: a bigger code would run past the margins.
    const double room = std::min(bottom_ - (s_.ObenEd + headerBand_), widthmm_ - s_.LinksEd - s_.RechtsEd);
    const double side = std::min(s_.QrGroesseEd, room);
    if (!(side > 0))
        return;
    if (y_ + side > bottom_ && y_ > s_.ObenEd + headerBand_)
        pageBreak();
    if (!shown())
        return;
    const int right = width_ - rm_, bottom = pos(bottom_), px = pos(side);
    PaintQrModules(c_, QRect(right - px, bottom - px, px, px), *card_.qrCode);
}

int CardPainter::run()
{
    onRequestPadded_ = QStringLiteral("    ") + OnRequestText();
    x_ = s_.LinksEd;

    // Set-up. Stopping early, the column pass comes first (it paints
    // nothing) and measures the number and price columns of the whole card.
    Catalogue *cat = card_.catalogue;
    const int cats = cat ? std::min<int>(card_.categoryNames.size(), cat->categoryCount()) : 0;
    // The same walk gives the numbers that products carry and the marks
    // used; the whole-card path finds them on its own.
    ColumnWidths columns;
    UsedMarks usedMarks;
    if (early_) {
        auto surface = [&](int n) -> const ITextMetrics & {
            const FontSetting &f = s_.FontDialog(n);
            const double zs = std::max(1.0, std::trunc(double(f.size) * Z_ / 100.0));
            return c_.metrics(f, clampToInt(zs), dpi_);
        };
        std::vector<int32_t> usedNumbers;
        columns = MeasureColumns(card_, cats, usedNumbers, measureFor(NumberFont), surface(NumberFont),
                                 measureFor(PriceFont), surface(PriceFont),
                                 s_.marks.MarksCheck ? &usedMarks : nullptr);
        numbering_ = CardNumbering(std::move(usedNumbers));
    } else {
        numbering_ = CardNumbering(card_);
    }
    if (!printit_) {
        c_.setPen(qRgb(0, 0, 0), 1);
        c_.rectangle(0, 0, width_, height_, qRgb(255, 255, 255));
    }
    lm_ = marginPx(s_.LinksEd);
    tm_ = marginPx(s_.ObenEd);
    rm_ = marginPx(s_.RechtsEd);
    bm_ = marginPx(s_.UntenEd);
    page_ = 1;
    prepareLegend(early_ ? &usedMarks : nullptr);
    headingRows_ = textRows(HeadingFont, s_.CaptionEd, s_.translation.heading);
    headerRows_ = textRows(HeaderFont, s_.KopfEd, s_.translation.header);
    footerRows_ = textRows(FooterFont, s_.FussEd, s_.translation.footer);
    StartCardPage(1);
    prepare(HeadingFont);
    y_ = s_.ObenEd + headerBand_;
    if (!s_.CaptionEd.isEmpty()) {
        const double hH = lineHeight();
        for (int r = 0; r < headingRows_.size(); ++r) {
            if (r > 0)
                prepareTranslation(HeadingFont);
            if (shown()) {
                const QString &t = headingRows_.at(r);
                int left = pos(x_);
                if (s_.ZentrCheck) {
                    const int w = c_.textWidth(t);
                    left = ((width_ - lm_ - rm_ - w) / 2) + lm_;
                }
                c_.textOut(left, pos(y_ + r * hH), t);
            }
        }
        y_ += (headingRows_.size() + 1) * hH;
    }
    // The date line of a dated sheet, in the category font, placed as the
    // heading is.
    const QString dateLine = DateLineText(s_, card_.today.isValid() ? card_.today : QDate::currentDate());
    if (!dateLine.isEmpty()) {
        prepare(CategoryFont);
        if (shown()) {
            int left = pos(x_);
            if (s_.ZentrCheck)
                left = ((width_ - lm_ - rm_ - c_.textWidth(dateLine)) / 2) + lm_;
            c_.textOut(left, pos(y_), dateLine);
        }
        y_ += 2 * lineHeight();
    }

    // Categories present: the entries of the category list that have a
    // product array.
    auto productsOf = [&](int i) { return *static_cast<TDynaArray **>(cat->kats->At(uint32_t(i))); };

    // Column pass
    numbering_.restart();
    if (early_) {
        numColMM_ = columns.numberMM;
        numColPx_ = columns.numberPx;
        priceColMM_ = columns.priceMM;
        priceColPx_ = columns.pricePx;
    }
    for (int i = 0; i < cats && !early_; ++i) {
        const TDynaArray *prods = productsOf(i);
        for (uint32_t j = 0; prods && j < prods->count; ++j) {
            const auto &p = *static_cast<const TProductRec *>(prods->At(j));
            prepare(NumberFont);
            const QString label = NumberLabel(p.number != 0 ? (long long)p.number : NextAutoNumber());
            numColMM_ = std::max(numColMM_, TextWidthMM(label));
            numColPx_ = std::max(numColPx_, c_.textWidth(label));
            prepare(PriceFont);
            if (p.price > 0) {
                const QString measured = QStringLiteral("    ") + PriceAmount(p.price, s_.NoKommaCheck)
                                         + QLatin1Char(' ') + s_.WaehrEd;
                priceColMM_ = std::max(priceColMM_, TextWidthMM(measured));
                priceColPx_ = std::max(priceColPx_, c_.textWidth(measured));
            }
        }
    }

    // Layout pass
    numbering_.restart();
    bottom_ = heightmm_ - s_.UntenEd - footerBand_ - legendBand_;
    for (int i = 0; i < card_.categoryNames.size() && !done(); ++i) {
        if (i < cats)
            measureSizeColumns(i);
        else
            sizeHeads_.clear();
        // The caption: on a bilingual card with its translation, on a second
        // row when the two do not fit on one.
        const QString caption = CategoryCaption(card_.categoryNames.at(i), s_);
        const QStringList captionRows =
            i < cats ? textRows(CategoryFont, caption, CategoryCaption(cat->categoryTranslation(i), s_))
                     : QStringList{caption};
        prepare(CategoryFont);
        const double hC = lineHeight();
        const double moreCaptionRows = double(captionRows.size() - 1) * hC;
        // Size headings that do not fit beside the caption take a row of
        // their own below it, which the category's room includes.
        const double sizeRow = sizeHeadingRowMM(captionRows, hC);
        if (y_ + 2 * itemReserve_ + sizeRow + moreCaptionRows > bottom_)
            pageBreak();
        else if (s_.NewPageForKatCheck && i > 0)
            pageBreak();
        if (done())
            break;

        if (!sizeHeads_.isEmpty() && sizeRow == 0 && shown()) {
            prepare(PriceFont);
            paintSizeHeadings(y_);
        }
        prepare(CategoryFont);
        for (int r = 0; r < captionRows.size(); ++r) {
            if (r > 0)
                prepareTranslation(CategoryFont);
            if (shown()) {
                const QString &t = captionRows.at(r);
                int left = pos(x_);
                if (s_.CenterKatCheck)
                    left = (width_ - c_.textWidth(t)) / 2;
                c_.textOut(left, pos(y_ + r * hC), t);
            }
        }
        y_ += (captionRows.size() + 1) * hC;
        if (sizeRow > 0) {
            prepare(PriceFont);
            if (shown())
                paintSizeHeadings(y_);
            y_ += sizeRow;
        }

        const TDynaArray *prods = i < cats ? productsOf(i) : nullptr;
        for (uint32_t j = 0; prods && j < prods->count && !done(); ++j) {
            const auto &p = *static_cast<const TProductRec *>(prods->At(j));
            if (p.price >= 0)
                ordinaryProduct(p, marks_ ? marks_->productMarks(i, int(j)) : QString(), i, int(j));
            else
                freeText(p, i, int(j));
        }
        y_ += lineHeight();
    }
    if (marks_ && marks_->legendPlace() == LegendPlace::AtEnd && !done())
        legendAtEnd();
    if (card_.qrCode && s_.printsQrCode() && !done())
        placeQrCode();
    if (s_.RahmenCheck && req_ > page_)
        paintFrame(); // a page beyond the last: blank page and frame
    return page_;
}

} // namespace

QSizeF CardLogoSizeMM(const CardSource &card, int page, double widthmm, double heightmm)
{
    const CardSettings &s = card.settings;
    if (!card.logo || card.logo->isNull() || s.LogoEd.isEmpty() || (page > 1 && !s.LogoJedeSeiteCheck))
        return QSizeF();
    const double roomW = widthmm - s.LinksEd - s.RechtsEd;
    const double roomH = (heightmm - s.ObenEd - s.UntenEd) / 2;
    if (!(roomW > 0) || !(roomH > 0) || !(s.LogoBreiteEd > 0))
        return QSizeF();
    const double ratio = double(card.logo->height()) / card.logo->width();
    double w = std::min(s.LogoBreiteEd, roomW);
    if (w * ratio > roomH)
        w = roomH / ratio;
    return QSizeF(w, w * ratio);
}

bool PaintToCanvas(const CardSource &card, ICanvas &canvas0, int dpi, int width, int height,
                   int seiteedvalue, double zoomedvalue, bool printit, double widthmm,
                   double heightmm, int *pageCount)
{
    return PaintToCanvas(card, canvas0, dpi, width, height, seiteedvalue, zoomedvalue, printit,
                         widthmm, heightmm, pageCount, LayoutExtent::WholeCard);
}

bool PaintToCanvas(const CardSource &card, ICanvas &canvas0, int dpi, int width, int height,
                   int seiteedvalue, double zoomedvalue, bool printit, double widthmm,
                   double heightmm, int *pageCount, LayoutExtent extent)
{
    CardPainter painter(card, canvas0, dpi, width, height, seiteedvalue, zoomedvalue, printit,
                        widthmm, heightmm, extent == LayoutExtent::UntilPageDone);
    const int pages = painter.run();
    if (pageCount)
        *pageCount = pages;
    return pages > seiteedvalue;
}

bool PaintToCanvas(const CardSource &card, ICanvas &canvas0, int dpi, int width, int height,
                   int seiteedvalue, double zoomedvalue, bool printit, double widthmm,
                   double heightmm)
{
    return PaintToCanvas(card, canvas0, dpi, width, height, seiteedvalue, zoomedvalue, printit,
                         widthmm, heightmm, nullptr, LayoutExtent::UntilPageDone);
}
