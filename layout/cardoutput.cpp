#include "layout/cardoutput.h"

#include "layout/qpaintercanvas.h"

#include "i18n/translateunit.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <cmath>

namespace {

// The errors of printing and of the PDF export, looked up in the interface
// language when they are shown.
const char16_t *const kOutputMessages[] = {
    u"Der Drucker hat keinen druckbaren Bereich.",
    u"Der Druckauftrag konnte nicht gestartet werden.",
    u"Der Druck ist fehlgeschlagen.",
    u"Die Seite hat keinen druckbaren Bereich.",
    u"Die PDF-Datei konnte nicht begonnen werden.",
};

QString outputText(int i)
{
    return TranslateStr(QString::fromUtf16(kOutputMessages[i]));
}

} // namespace

QStringList OutputMessageTexts()
{
    QStringList texts;
    for (const char16_t *m : kOutputMessages)
        texts << QString::fromUtf16(m);
    return texts;
}

PageArea PrinterPageArea(const QPrinter &printer)
{
    PageArea a;
    a.widthPx = printer.width();
    a.heightPx = printer.height();
    a.dpi = printer.resolution();
    return a;
}

PreviewGeometry PreviewPageGeometry(const PageArea &area, int screenDpi, int zoom)
{
    PreviewGeometry g;
    if (area.dpi <= 0)
        return g;
    g.W = int(std::trunc(double(qint64(area.widthPx) * screenDpi) / area.dpi * zoom / 100.0));
    g.H = int(std::trunc(double(qint64(area.heightPx) * screenDpi) / area.dpi * zoom / 100.0));
    g.widthmm = area.widthMM();
    g.heightmm = area.heightMM();
    return g;
}

QImage RenderCardPage(const CardSource &card, const PageArea &area, int screenDpi, int page,
                      bool *morePages)
{
    return RenderCardPagePart(card, area, screenDpi, page, QRect(), morePages);
}

QImage RenderCardPagePart(const CardSource &card, const PageArea &area, int screenDpi, int page,
                          const QRect &part, bool *morePages)
{
    const PreviewGeometry g = PreviewPageGeometry(area, screenDpi, card.zoom);
    const QRect whole(0, 0, g.W, g.H);
    const QRect r = part.isNull() ? whole : part.intersected(whole);
    if (g.W <= 0 || g.H <= 0 || r.isEmpty()) {
        if (morePages)
            *morePages = false;
        return QImage();
    }
    QImage img(r.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    // Keep the image's own resolution in step with the surface so that
    // exported PNGs carry it.
    const int dpm = int(std::lround(screenDpi / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    QPainter painter(&img);
    painter.translate(-r.topLeft()); // the page is laid out whole; only `r` is kept
    QPainterCanvas canvas(&painter);
    const bool more = PaintToCanvas(card, canvas, screenDpi, g.W, g.H, page, double(card.zoom), false,
                                    g.widthmm, g.heightmm);
    painter.end();
    if (morePages)
        *morePages = more;
    return img;
}

int CardPageCount(const CardSource &card, const PageArea &area)
{
    if (area.dpi <= 0)
        return 1;
    CardSource c = card;
    c.zoom = 100;
    c.texture = nullptr;
    QPainterCanvas canvas(nullptr);
    int pages = 1;
    // Page 0 is never shown: the call only counts.
    PaintToCanvas(c, canvas, area.dpi, area.widthPx, area.heightPx, 0, 100.0, true, area.widthMM(),
                  area.heightMM(), &pages);
    return pages;
}

// Paints pages fromPage..toPage (0 = to the end) onto a started painter,
// one device page per card page.
static int paintPages(const CardSource &card, QPainter &painter, QPagedPaintDevice &device,
                      const PageArea &area, int fromPage, int toPage)
{
    CardSource c = card;
    c.zoom = 100; // sizes and positions at the same zoom
    QPainterCanvas canvas(&painter);
    int printed = 0;
    for (int page = std::max(1, fromPage);; ++page) {
        if (printed > 0)
            device.newPage();
        const bool more = PaintToCanvas(c, canvas, area.dpi, area.widthPx, area.heightPx, page, 100.0,
                                        true, area.widthMM(), area.heightMM());
        ++printed;
        if (!more || (toPage > 0 && page >= toPage))
            break;
    }
    return printed;
}

QString PrintCard(const CardSource &card, QPrinter &printer, const QString &title, int fromPage,
                  int toPage)
{
    const PageArea area = PrinterPageArea(printer);
    if (area.dpi <= 0 || area.widthPx <= 0 || area.heightPx <= 0)
        return outputText(0);
    if (fromPage > CardPageCount(card, area))
        return QString(); // nothing in the range
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer))
        return outputText(1);
    paintPages(card, painter, printer, area, fromPage, toPage);
    if (!painter.end())
        return outputText(2);
    return QString();
}

QString PdfTitle(const CardSettings &s)
{
    const QString heading = s.CaptionEd.simplified();
    return heading.isEmpty() ? GetMsgText(12) : heading;
}

QString ExportCardPdf(const CardSource &card, const QString &path, const QPageLayout &layout,
                      const QString &title, int resolution)
{
    const QString shown = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("%1: %2").arg(shown, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Velloran"));
        PageArea area;
        area.widthPx = writer.width();
        area.heightPx = writer.height();
        area.dpi = writer.resolution();
        if (area.widthPx <= 0 || area.heightPx <= 0) {
            file.cancelWriting();
            return QStringLiteral("%1: %2").arg(shown, outputText(3));
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return QStringLiteral("%1: %2").arg(shown, outputText(4));
        }
        paintPages(card, painter, writer, area, 1, 0);
        painter.end();
    }
    if (!file.commit())
        return QStringLiteral("%1: %2").arg(shown, file.errorString());
    return QString();
}
