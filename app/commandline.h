// The program's command line.
//
//   velloran [DOC.vlr]                 the window; the first plain argument is
//                                      opened at the first show, further plain
//                                      arguments are ignored
//   velloran --export-pdf OUT.pdf DOC.vlr [--page-size A4|A5|Letter|Legal] [--landscape]
//                                      (without either: the document's paper, else A4 portrait)
//   velloran --export-png PREFIX DOC.vlr [--dpi N] [--zoom Z] [--page N]
//                                      [--page-size ...] [--landscape]
//   velloran --export-csv OUT.csv DOC.vlr
//   velloran --print DOC.vlr [--printer NAME]
//   velloran --export-html OUT.html DOC.vlr
//   velloran --help | --version
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
    QString printer;            // Print: the printer's name; empty = the default printer
    QString pageSize = QStringLiteral("A4");
    bool landscape = false;
    // --page-size or --landscape was given: the page above is used. Without
    // either, the document's own paper is, when it chose one.
    bool pageGiven = false;
    int dpi = 96;    // PNG: resolution of the page images
    int zoom = 100;  // PNG: zoom in percent, as in the preview
    int page = 0;    // PNG: only this page (from 1); 0 = every page
    QString error;   // Invalid: the reason

    // An export or printing: a command that runs without a window.
    bool isExport() const
    {
        return mode == Mode::ExportPdf || mode == Mode::ExportPng || mode == Mode::ExportCsv
               || mode == Mode::Print || mode == Mode::ExportHtml;
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
// `err` as one line. Returns the exit code.
int RunExport(const Options &o, QTextStream &err);

// The page sizes --page-size knows, by name (case-insensitive). False for an
// unknown name.
bool PageSizeByName(const QString &name, int *pageSizeId);

// The file name of page `page` of a PNG export: PREFIX-page.png.
QString PngPageFile(const QString &prefix, int page);

} // namespace commandline
