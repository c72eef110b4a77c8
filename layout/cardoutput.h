// Card output for the main window and the command line: the preview's page
// geometry and bitmap, printing, PDF export and the page count. Everything
// goes through PaintToCanvas.
#pragma once

#include "layout/cardlayout.h"

#include <QImage>
#include <QRect>
#include <QPageLayout>
#include <QString>
#include <QStringList>

class QPrinter;

// The page area the card is laid out for: the selected printer's printable
// width and height in device pixels and its horizontal resolution.
struct PageArea {
    int widthPx = 0;
    int heightPx = 0;
    int dpi = 0;
    double widthMM() const { return double(widthPx) / dpi * kMmPerInch; }
    double heightMM() const { return double(heightPx) / dpi * kMmPerInch; }
};

// The printable area of a printer (its paint device size and resolution).
PageArea PrinterPageArea(const QPrinter &printer);

// The preview page on the screen: W = printable width x s / p x Z / 100
// and likewise H, truncated; s the screen's, p the printer's resolution.
struct PreviewGeometry {
    int W = 0;
    int H = 0;
    double widthmm = 0;
    double heightmm = 0;
};
PreviewGeometry PreviewPageGeometry(const PageArea &area, int screenDpi, int zoom);

// The preview bitmap of card page `page` at the zoom card.zoom: W x H
// pixels, painted at screenDpi (a white page with its outline first).
// morePages receives the engine's result when given.
QImage RenderCardPage(const CardSource &card, const PageArea &area, int screenDpi, int page,
                      bool *morePages = nullptr);

// The same page, but only the rectangle `part` of it (in page pixels; a null
// rectangle is the whole page). The card is still laid out whole, so the
// pixels equal those of the whole page; a large zoom paints only what shows.
QImage RenderCardPagePart(const CardSource &card, const PageArea &area, int screenDpi, int page,
                          const QRect &part, bool *morePages = nullptr);

// The number of pages of the card on the page area (at least 1).
int CardPageCount(const CardSource &card, const PageArea &area);

// The German texts of the printing and PDF errors (each shown through
// TranslateStr), so that the translation table can hold them beforehand.
QStringList OutputMessageTexts();

// Prints card pages fromPage..toPage (toPage 0 = to the last page) on the
// printer, one printer page per card page, at zoom 100 for sizes and
// positions. The job is titled `title`. Returns an error text, empty on
// success.
QString PrintCard(const CardSource &card, QPrinter &printer, const QString &title,
                  int fromPage = 1, int toPage = 0);

// The title a PDF of the card carries: its heading, or the print job's name
// ("Speisekarte drucken", translated) when the card has none.
QString PdfTitle(const CardSettings &s);

// Writes every page of the card into one PDF with the given page layout
// (page size, orientation and margins; the card is laid out on the area
// inside the margins) at `resolution` pixels per inch. Text stays text and
// the frame stays vector lines. The file is written to a temporary file in
// the same folder and renamed over `path` only when complete. Returns an
// error text naming the file, empty on success.
QString ExportCardPdf(const CardSource &card, const QString &path, const QPageLayout &layout,
                      const QString &title = QString(), int resolution = 1200);
