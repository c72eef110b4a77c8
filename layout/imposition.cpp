#include "layout/imposition.h"

#include "layout/qpaintercanvas.h"

#include "i18n/translateunit.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

const char16_t *const kFormNames[] = {u"Einzelseiten", u"Heft", u"Tischaufsteller", u"2 pro Blatt"};
const char *const kFormCommandNames[] = {"single", "booklet", "tent", "2up"};

const char16_t *const kTexts[] = {
    u"Bogen %1 Vorderseite von %2",
    u"Bogen %1 Rückseite von %2",
    u"Bogen %1 von %2",
    u"%1 Seiten auf %2 Bogen",
    u"1 Seite auf %1 Bogen",
    u"Beidseitig drucken und an der kurzen Kante wenden.",
    u"Für das Papierformat %1 gibt es kein Blatt doppelter Größe: die Druckform \"%2\" kann darauf nicht "
    u"gedruckt werden.",
    u"Der Drucker kann das Blatt %1 nicht bedrucken.",
};
enum { kFront, kBack, kOneSided, kPagesOnSheets, kOnePageOnSheets, kDuplex, kNoDouble, kPrinterLacksSheet };

QString text(int i)
{
    return TranslateStr(QString::fromUtf16(kTexts[i]));
}

// The output errors of cardoutput.cpp, shown the same way here.
QString outputText(int i)
{
    return TranslateStr(OutputMessageTexts().value(i));
}

// The card page in booklet position `pos` (1..padded) of a card of `pages`
// pages: blank pages go before the last page, which stays the back cover.
int bookletPage(int pos, int pages, int padded)
{
    if (pages <= 1)
        return pos == 1 ? 1 : 0;
    if (pos == padded)
        return pages;
    return pos <= pages - 1 ? pos : 0;
}

int toPixels(double mm, int dpi, int zoom = 100)
{
    return int(std::trunc(mm / kMmPerInch * dpi * zoom / 100.0));
}

} // namespace

QStringList PrintFormNames()
{
    QStringList names;
    for (const char16_t *n : kFormNames)
        names << QString::fromUtf16(n);
    return names;
}

bool PrintFormByName(const QString &name, PrintForm *form)
{
    const QString n = name.simplified();
    for (int i = 0; i < 4; ++i) {
        if (n.compare(QString::fromUtf16(kFormNames[i]), Qt::CaseInsensitive) == 0
            || n.compare(QLatin1String(kFormCommandNames[i]), Qt::CaseInsensitive) == 0) {
            if (form)
                *form = PrintForm(i);
            return true;
        }
    }
    return false;
}

QString PrintFormCommandNames()
{
    QStringList names;
    for (const char *n : kFormCommandNames)
        names << QLatin1String(n);
    return names.join(QStringLiteral(", "));
}

QPageSize DoublePaperSize(const QPageSize &page)
{
    if (!page.isValid())
        return QPageSize();
    const QSizeF s = page.size(QPageSize::Millimeter);
    const double shortEdge = std::min(s.width(), s.height()), longEdge = std::max(s.width(), s.height());
    // The first named size whose short edge is the page's long edge and whose
    // long edge holds two short edges (1 mm either way: A5 is 148 x 210, A4
    // 210 x 297).
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
        if (id == int(QPageSize::Custom))
            continue;
        const QSizeF d = QPageSize::size(QPageSize::PageSizeId(id), QPageSize::Millimeter);
        const double ds = std::min(d.width(), d.height()), dl = std::max(d.width(), d.height());
        if (std::abs(ds - longEdge) <= 1.0 && std::abs(dl - 2 * shortEdge) <= 1.0)
            return QPageSize(QPageSize::PageSizeId(id));
    }
    return QPageSize();
}

QVector<SheetSide> ImposeSheets(PrintForm form, int pages, bool stacked)
{
    QVector<SheetSide> sides;
    pages = std::max(1, pages);
    switch (form) {
    case PrintForm::SinglePages:
        break;
    case PrintForm::Booklet: {
        const int padded = std::max(4, (pages + 3) / 4 * 4);
        for (int k = 0; k < padded / 4; ++k) {
            SheetSide front, back;
            front.sheet = back.sheet = k + 1;
            back.back = true;
            front.slot[0].page = bookletPage(padded - 2 * k, pages, padded);
            front.slot[1].page = bookletPage(1 + 2 * k, pages, padded);
            back.slot[0].page = bookletPage(2 + 2 * k, pages, padded);
            back.slot[1].page = bookletPage(padded - 1 - 2 * k, pages, padded);
            sides << front << back;
        }
        break;
    }
    case PrintForm::TableTent: {
        SheetSide s;
        s.slot[0] = {1, stacked};
        s.slot[1] = {1, false};
        sides << s;
        break;
    }
    case PrintForm::TwoUp:
        for (int p = 1; p <= pages; ++p) {
            SheetSide s;
            s.sheet = p;
            s.slot[0].page = s.slot[1].page = p;
            sides << s;
        }
        break;
    }
    return sides;
}

int SheetCount(const QVector<SheetSide> &sides)
{
    return sides.isEmpty() ? 0 : sides.last().sheet;
}

SheetPlan PlanSheets(PrintForm form, const QPageLayout &cardPage)
{
    SheetPlan plan;
    plan.form = form;
    const QRectF full = cardPage.fullRect(QPageLayout::Millimeter);
    plan.pageMM = full.size();
    plan.stacked = full.width() > full.height();
    if (form == PrintForm::SinglePages) {
        plan.sheet = QPageLayout(cardPage.pageSize(), cardPage.orientation(), QMarginsF());
        return plan;
    }
    const QPageSize twice = DoublePaperSize(cardPage.pageSize());
    if (!twice.isValid()) {
        plan.error = text(kNoDouble).arg(cardPage.pageSize().name(),
                                         TranslateStr(PrintFormNames().value(int(form))));
        return plan;
    }
    // Portrait pages lie side by side on a landscape sheet, landscape pages
    // above each other on a portrait one.
    plan.sheet = QPageLayout(twice, plan.stacked ? QPageLayout::Portrait : QPageLayout::Landscape,
                             QMarginsF(), QPageLayout::Millimeter);
    return plan;
}

QRect SheetHalf(const QRect &sheet, bool stacked, int k)
{
    if (stacked) {
        const int h0 = sheet.height() / 2;
        return k == 0 ? QRect(sheet.left(), sheet.top(), sheet.width(), h0)
                      : QRect(sheet.left(), sheet.top() + h0, sheet.width(), sheet.height() - h0);
    }
    const int w0 = sheet.width() / 2;
    return k == 0 ? QRect(sheet.left(), sheet.top(), w0, sheet.height())
                  : QRect(sheet.left() + w0, sheet.top(), sheet.width() - w0, sheet.height());
}

PageArea SheetPageArea(const SheetPlan &plan, int dpi)
{
    PageArea a;
    a.dpi = dpi;
    a.widthPx = int(std::lround(plan.pageMM.width() / kMmPerInch * dpi));
    a.heightPx = int(std::lround(plan.pageMM.height() / kMmPerInch * dpi));
    return a;
}

QVector<SheetSide> CardSheetSides(const CardSource &card, const SheetPlan &plan)
{
    if (!plan.ok() || plan.form == PrintForm::SinglePages)
        return {};
    const int pages = plan.form == PrintForm::TableTent ? 1 : CardPageCount(card, SheetPageArea(plan, 600));
    return ImposeSheets(plan.form, pages, plan.stacked);
}

void PaintSheetSide(const CardSource &card, QPainter &painter, const QRect &sheet, int dpi,
                    const SheetPlan &plan, const SheetSide &side)
{
    for (int k = 0; k < 2; ++k) {
        const SheetSlot &slot = side.slot[k];
        if (slot.page <= 0)
            continue;
        const QRect half = SheetHalf(sheet, plan.stacked, k);
        painter.save();
        painter.setClipRect(half);
        painter.translate(half.topLeft());
        if (slot.turned) {
            painter.translate(half.width(), half.height());
            painter.rotate(180);
        }
        QPainterCanvas canvas(&painter);
        PaintToCanvas(card, canvas, dpi, half.width(), half.height(), slot.page, double(card.zoom), true,
                      plan.pageMM.width(), plan.pageMM.height());
        painter.restore();
    }

    const QRect second = SheetHalf(sheet, plan.stacked, 1);
    // The middle of the sheet, where it is folded or cut.
    const QLine middle = plan.stacked ? QLine(sheet.left(), second.top(), sheet.right() + 1, second.top())
                                      : QLine(second.left(), sheet.top(), second.left(), sheet.bottom() + 1);
    const double pxPerMM = dpi * card.zoom / 100.0 / kMmPerInch;
    painter.save();
    if (plan.form == PrintForm::TableTent && card.settings.FaltlinieCheck) {
        // A thin dashed grey line: a guide for folding, hardly seen once folded.
        QPen pen(QColor(128, 128, 128), std::max(1.0, 0.15 * pxPerMM), Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(middle);
    } else if (plan.form == PrintForm::TwoUp) {
        // Crop marks: where the cut runs, from each edge of the sheet 8 mm in.
        QPen pen(Qt::black, std::max(1.0, 0.2 * pxPerMM));
        painter.setPen(pen);
        const int len = std::max(2, int(std::lround(8 * pxPerMM)));
        if (plan.stacked) {
            painter.drawLine(middle.x1(), middle.y1(), middle.x1() + len, middle.y1());
            painter.drawLine(middle.x2() - len, middle.y1(), middle.x2(), middle.y1());
        } else {
            painter.drawLine(middle.x1(), middle.y1(), middle.x1(), middle.y1() + len);
            painter.drawLine(middle.x1(), middle.y2() - len, middle.x1(), middle.y2());
        }
    }
    painter.restore();
}

QSize SheetSidePixels(const SheetPlan &plan, int screenDpi, int zoom)
{
    const QSizeF mm = plan.sheet.fullRect(QPageLayout::Millimeter).size();
    return QSize(toPixels(mm.width(), screenDpi, zoom), toPixels(mm.height(), screenDpi, zoom));
}

QImage RenderSheetSide(const CardSource &card, const SheetPlan &plan, int screenDpi, int index)
{
    const QVector<SheetSide> sides = CardSheetSides(card, plan);
    if (index < 1 || index > sides.size())
        return QImage();
    const QSize px = SheetSidePixels(plan, screenDpi, card.zoom);
    if (px.isEmpty())
        return QImage();
    QImage img(px, QImage::Format_RGB32);
    if (img.isNull())
        return img;
    img.fill(Qt::white);
    const int dpm = int(std::lround(screenDpi / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    QPainter painter(&img);
    PaintSheetSide(card, painter, QRect(QPoint(0, 0), px), screenDpi, plan, sides.at(index - 1));
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, px.width() - 1, px.height() - 1);
    return img;
}

QString SheetSideTitle(const QVector<SheetSide> &sides, int index)
{
    if (index < 1 || index > sides.size())
        return QString();
    const SheetSide &s = sides.at(index - 1);
    const int sheets = SheetCount(sides);
    const bool twoSided = sides.size() > sheets;
    return text(!twoSided ? kOneSided : s.back ? kBack : kFront).arg(s.sheet).arg(sheets);
}

QString PagesOnSheetsText(int pages, int sheets)
{
    return pages == 1 ? text(kOnePageOnSheets).arg(sheets) : text(kPagesOnSheets).arg(pages).arg(sheets);
}

QString DuplexNote(const SheetPlan &plan)
{
    // Sheets are folded along the middle, parallel to their short edges
    // whether the halves lie side by side (landscape sheet) or above each
    // other (portrait sheet): turning on the short edge keeps the back the
    // right way up in both.
    return plan.form == PrintForm::Booklet ? text(kDuplex) : QString();
}

QStringList PrintFormTexts()
{
    QStringList t = PrintFormNames();
    for (const char16_t *m : kTexts)
        t << QString::fromUtf16(m);
    return t;
}

QString PrintCardSheets(const CardSource &card, QPrinter &printer, const QString &title, int fromSide, int toSide)
{
    const SheetPlan plan = PlanSheets(card.settings.DruckformBox, printer.pageLayout());
    if (!plan.ok())
        return plan.error;
    CardSource c = card;
    c.zoom = 100; // sizes and positions at the same zoom
    const QVector<SheetSide> sides = CardSheetSides(c, plan);
    fromSide = std::max(1, fromSide);
    if (fromSide > sides.size())
        return QString(); // nothing in the range
    const int last = toSide > 0 ? std::min(toSide, int(sides.size())) : int(sides.size());

    // The printer's page is the sheet while printing, and the card's page
    // again afterwards.
    const QPageLayout saved = printer.pageLayout();
    struct Restore {
        QPrinter &p;
        const QPageLayout &l;
        ~Restore() { p.setPageLayout(l); }
    } restore{printer, saved};
    if (!printer.setPageSize(plan.sheet.pageSize()) || !printer.setPageOrientation(plan.sheet.orientation()))
        return text(kPrinterLacksSheet).arg(plan.sheet.pageSize().name());
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    if (printer.resolution() <= 0 || page.isEmpty())
        return outputText(0);
    // The painter's origin is the printable area's corner; the sheet starts
    // at the paper's.
    const QRect sheet = paper.translated(-page.topLeft());
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer))
        return outputText(1);
    for (int i = fromSide; i <= last; ++i) {
        if (i > fromSide)
            printer.newPage();
        PaintSheetSide(c, painter, sheet, printer.resolution(), plan, sides.at(i - 1));
    }
    if (!painter.end())
        return outputText(2);
    return QString();
}

QString ExportCardSheetsPdf(const CardSource &card, const QString &path, const QPageLayout &cardPage,
                            const QString &title, int resolution)
{
    const QString shown = QDir::toNativeSeparators(path);
    const SheetPlan plan = PlanSheets(card.settings.DruckformBox, cardPage);
    if (!plan.ok())
        return QStringLiteral("%1: %2").arg(shown, plan.error);
    CardSource c = card;
    c.zoom = 100;
    const QVector<SheetSide> sides = CardSheetSides(c, plan);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("%1: %2").arg(shown, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(resolution);
        writer.setPageLayout(plan.sheet);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Velloran"));
        const QRect sheet(0, 0, writer.width(), writer.height());
        if (sheet.isEmpty()) {
            file.cancelWriting();
            return QStringLiteral("%1: %2").arg(shown, outputText(3));
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return QStringLiteral("%1: %2").arg(shown, outputText(4));
        }
        for (int i = 0; i < sides.size(); ++i) {
            if (i > 0)
                writer.newPage();
            PaintSheetSide(c, painter, sheet, writer.resolution(), plan, sides.at(i));
        }
        painter.end();
    }
    if (!file.commit())
        return QStringLiteral("%1: %2").arg(shown, file.errorString());
    return QString();
}
