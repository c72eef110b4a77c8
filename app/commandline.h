// The program's command line.
//
//   velloran [DOC.vlr]                 the window; the first plain argument is
//                                      opened at the first show, further plain
//                                      arguments are ignored
//   velloran --export-pdf OUT.pdf DOC.vlr [--page-size A4|A5|Letter|Legal] [--landscape]
//                                      (each one left out: the document's paper size or
//                                      orientation, else A4 or portrait)
//   velloran --export-png PREFIX DOC.vlr [--dpi N] [--zoom Z] [--page N]
//                                      [--page-size ...] [--landscape]
//   velloran --export-csv OUT.csv DOC.vlr
//   velloran --export-xlsx OUT.xlsx DOC.vlr
//   velloran --import SHEET DOC.vlr --output NEW.vlr [--remove-missing]
//                                      merges a spreadsheet (.xlsx or .csv) into the
//                                      document and saves the result as NEW.vlr; prints
//                                      what it did as counts
//   velloran --print DOC.vlr [--printer NAME]
//   (--imposition FORM with --export-pdf, --export-png and --print: the
//    print form single, booklet, tent or 2up instead of the document's)
//   velloran --export-html OUT.html DOC.vlr
//   velloran --list-cards DOC.vlr
//   velloran --language-stats DOC.vlr  the second language and the counts of
//                                      translated and missing texts per kind
//   velloran --help | --version
// The card exports and --print take [--card NAME|N] (the card, by name or
// position from 1; without it the first card) or, the exports of PDF, PNG
// and web page, [--all-cards] (one file per card, OUT-<card>.pdf).
//
// Arguments that begin with "--" are options, in any order before and after
// the document; "--" alone ends the options so that a document whose name
// begins with "--" can still be named. Options take their value as the next
// argument or after '=' (--dpi=150). Arguments with a single dash (Qt's own,
// such as -style) are plain arguments.
//
// The exports and printing run without a window on Qt's offscreen platform,
// print nothing on success and exit 0. Any failure prints one line on
// standard error naming the file (or printer) and the reason and exits
// non-zero; no output file is left behind half written, and an existing
// output file is replaced only by a complete one.
#pragma once

#include "catalogue/cardsettings.h"

#include <QString>
#include <QStringList>

class QTextStream;

namespace commandline {

enum class Mode {
    Window,    // start the program's window
    Help,
    Version,
    ExportPdf,
    ExportPng,
    ExportCsv,
    Print,     // print on a printer, without a window
    ExportHtml,
    ListCards, // print the document's cards on standard output
    LanguageStats, // print the counts of translated and missing texts
    ExportXlsx,
    Import,    // merge a spreadsheet into a document, saved as another file
    Invalid,   // a usage error; `error` says what is wrong
};

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // the document or an output file could not be used
constexpr int kExitUsage = 2;  // the command line itself is wrong

struct Options {
    Mode mode = Mode::Window;
    QStringList plainArguments; // Window mode: the documents named (first one is opened)
    QString output;             // PDF / CSV file, or the PNG prefix
    QString document;
    QString sheet;              // Import: the spreadsheet
    bool removeMissing = false; // Import: remove the products the sheet does not name
    QString printer;            // Print: the printer's name; empty = the default printer
    QString pageSize = QStringLiteral("A4");
    bool landscape = false;
    // --page-size was given: that size replaces the document's paper size.
    // Without it the document's own size is used, when it chose a paper;
    // --landscape alike replaces its orientation only.
    bool pageSizeGiven = false;
    int dpi = 96;    // PNG: resolution of the page images
    int zoom = 100;  // PNG: zoom in percent, as in the preview
    int page = 0;    // PNG: only this page (from 1); 0 = every page
    // --imposition: the print form replaces the document's own.
    bool printFormGiven = false;
    CardSettings::PrintForm printForm = CardSettings::PrintForm::SinglePages;
    QString card;    // --card: the card's name or position (from 1); empty = the first card
    bool allCards = false; // --all-cards: one file per card
    QString error;   // Invalid: the reason

    // An export or printing: a command that runs without a window.
    bool isExport() const
    {
        return mode == Mode::ExportPdf || mode == Mode::ExportPng || mode == Mode::ExportCsv
               || mode == Mode::Print || mode == Mode::ExportHtml || mode == Mode::ListCards
               || mode == Mode::ExportXlsx || mode == Mode::Import || mode == Mode::LanguageStats;
    }
};

// Parses the arguments after the program name. Needs no application object.
Options Parse(const QStringList &args);

// True when the arguments ask for an export or printing: the program must then choose the
// offscreen platform before the application object is created.
bool WantsExport(const QStringList &args);

// The text of --help and --version.
QString UsageText();
QString VersionText();

// Runs an export or prints (needs a QApplication). Failures are written to
// `err` as one line (an import's unreadable rows one line each);
// --list-cards and --language-stats write their lines to `out`, an import
// its summary. Returns the exit code.
int RunExport(const Options &o, QTextStream &out, QTextStream &err);
int RunExport(const Options &o, QTextStream &err);

// The card `given` names among `names`: a card's name (compared without
// regard to case, as card names are), else its position from 1. -1 when it
// names none.
int CardByName(const QStringList &names, const QString &given);

// The file of card `name` when --all-cards writes every card: OUT without
// its extension, "-", the name made safe as a file name, the extension
// ("menu.pdf" and "Wein/Bier" give "menu-Wein_Bier.pdf"); a PNG prefix has
// no extension and is followed by the name alone. Always in OUT's folder.
QString AllCardsFile(const QString &out, const QString &name, bool hasExtension);

// The page an export lays the card out on: the size and orientation the
// command line names, each one it leaves out taken from the document's own
// paper (when it chose one), else A4 and portrait.
struct ExportPage {
    QString size;
    bool landscape = false;
};
ExportPage ExportPageFor(const Options &o, CardSettings::Paper paper, bool paperLandscape);

// A text for standard error with the control and format characters (escape
// sequences, direction marks, line breaks) shown as escapes: \x1b below
// U+0100, \u202e and \U000e0001 above. Every line the command line writes
// from a document's content or a file name passes through it.
QString TerminalText(const QString &s);

// The page sizes --page-size knows, by name (case-insensitive). False for an
// unknown name.
bool PageSizeByName(const QString &name, int *pageSizeId);

// The file name of page `page` of a PNG export: PREFIX-page.png.
QString PngPageFile(const QString &prefix, int page);

} // namespace commandline
