// Print forms: how the card's pages go onto the printed sheets. "Einzelseiten"
// prints one card page per sheet (the card output of cardoutput.h); the other
// forms print on a sheet of twice the card's paper (A5 pages on A4, A4 pages
// on A3, Letter pages on Tabloid/Ledger), two card pages to a side:
//   "Heft"            a booklet in folding order for printing on both sides,
//                     padded with blank pages to a multiple of four, the
//                     card's last page staying the back cover;
//   "Tischaufsteller" page 1 twice; when the halves lie above each other
//                     (landscape pages) the upper copy is turned by 180°, so
//                     the sheet folded in the middle reads from both sides;
//   "2 pro Blatt"     two copies of every page with crop marks for cutting.
// Printing, the PDF and PNG exports, the preview and the command line take
// the sheets from here.
#pragma once

#include "layout/cardoutput.h"

#include <QPageLayout>
#include <QPageSize>
#include <QVector>

class QPainter;

using PrintForm = CardSettings::PrintForm;

// The forms' German names in the order of PrintForm ("Einzelseiten", "Heft",
// "Tischaufsteller", "2 pro Blatt"), translation-table keys.
QStringList PrintFormNames();
// A form by its German name or its command-line name (single, booklet,
// tent, 2up), in any case.
bool PrintFormByName(const QString &name, PrintForm *form);
// The names the command line takes, for its help and its errors.
QString PrintFormCommandNames();

// The common paper of twice the area of `page`, on which two of its pages lie
// side by side; an invalid QPageSize when there is none (Legal).
QPageSize DoublePaperSize(const QPageSize &page);

// One half of a sheet side: the card page it shows (0: blank) and whether it
// is turned by 180°.
struct SheetSlot {
    int page = 0;
    bool turned = false;
    bool operator==(const SheetSlot &o) const { return page == o.page && turned == o.turned; }
};
// One side of a sheet; slot 0 is the left (or upper) half.
struct SheetSide {
    int sheet = 1;     // from 1
    bool back = false; // the back of a sheet printed on both sides
    SheetSlot slot[2];
};

// The sheet sides in printing order for a card of `pages` pages; `stacked`:
// the halves lie above each other. Empty for single pages.
QVector<SheetSide> ImposeSheets(PrintForm form, int pages, bool stacked);
// The number of sheets those sides make.
int SheetCount(const QVector<SheetSide> &sides);

// The sheet of a print form for card pages of `cardPage` (its size and
// orientation; its margins do not matter: the card's pages fill their halves
// and keep the card's own margins).
struct SheetPlan {
    PrintForm form = PrintForm::SinglePages;
    QPageLayout sheet;    // size and orientation of the sheet, no margins
    QSizeF pageMM;        // one card page
    bool stacked = false; // the halves lie above each other (landscape card pages)
    QString error;        // set when the paper has no sheet of twice its size
    bool ok() const { return error.isEmpty(); }
};
SheetPlan PlanSheets(PrintForm form, const QPageLayout &cardPage);

// The half `k` (0 or 1) of a sheet in device pixels.
QRect SheetHalf(const QRect &sheet, bool stacked, int k);
// The page area of one card page at `dpi` (for counting its pages).
PageArea SheetPageArea(const SheetPlan &plan, int dpi);
// The card's sheet sides on the plan.
QVector<SheetSide> CardSheetSides(const CardSource &card, const SheetPlan &plan);

// Paints one sheet side onto a started painter: each half's card page (at
// card.zoom), the tent's fold line when card.settings.FaltlinieCheck, the
// crop marks of two to a sheet. `sheet` is the whole sheet in the painter's
// device pixels at `dpi`.
void PaintSheetSide(const CardSource &card, QPainter &painter, const QRect &sheet, int dpi,
                    const SheetPlan &plan, const SheetSide &side);

// The preview and PNG picture of sheet side `index` (from 1) at card.zoom
// and screenDpi: the white sheet with its outline and what prints on it.
// Null when the side does not exist.
QImage RenderSheetSide(const CardSource &card, const SheetPlan &plan, int screenDpi, int index);
// The size of that picture.
QSize SheetSidePixels(const SheetPlan &plan, int screenDpi, int zoom);

// "Bogen 1 Vorderseite von 2", "Bogen 2 Rückseite von 2", "Bogen 1 von 3"
// (translated) for side `index` (from 1) of `sides`.
QString SheetSideTitle(const QVector<SheetSide> &sides, int index);
// "5 Seiten auf 2 Bogen" (translated).
QString PagesOnSheetsText(int pages, int sheets);
// The note on printing a booklet on both sides (flipping on the short edge
// when the halves lie side by side); empty for the other forms.
QString DuplexNote(const SheetPlan &plan);
// Every German text of print forms, for the translation table.
QStringList PrintFormTexts();

// Prints sheet sides fromSide..toSide (toSide 0 = to the last) of the card's
// print form on the printer; the card pages are those of the printer's
// page, the printer's page becomes the sheet while printing and is put back
// afterwards. Returns an error text, empty on success.
QString PrintCardSheets(const CardSource &card, QPrinter &printer, const QString &title, int fromSide = 1,
                        int toSide = 0);

// Writes every sheet side of the card's print form into one PDF, card pages
// of `cardPage`, at `resolution`; written to a temporary file and renamed over
// `path` only when complete. Returns an error text (naming the file), empty
// on success; nothing is written when the paper has no sheet of twice its
// size.
QString ExportCardSheetsPdf(const CardSource &card, const QString &path, const QPageLayout &cardPage,
                            const QString &title = QString(), int resolution = 1200);
