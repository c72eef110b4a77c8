#include "app/commandline.h"

#include "catalogue/appfiles.h"
#include "catalogue/cards.h"
#include "catalogue/catalogue.h"
#include "catalogue/document.h"
#include "catalogue/languagestats.h"
#include "catalogue/options.h"
#include "catalogue/platform.h"
#include "export/csvexport.h"
#include "export/htmlexport.h"
#include "export/sheetfile.h"
#include "export/xlsxexport.h"
#include "export/qrcode.h"
#include "i18n/translateunit.h"
#include "layout/bilingual.h"
#include "layout/cardlayout.h"
#include "layout/cardoutput.h"
#include "layout/cardpaper.h"
#include "layout/imposition.h"
#include "layout/cardsource.h"
#include "layout/printerchoice.h"
#include "texture/picturenote.h"
#include "texture/readability.h"
#include "texture/texture.h"

#include <QBuffer>
#include <functional>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace commandline {

namespace {

constexpr int kMinDpi = 10, kMaxDpi = 1200;
constexpr int kMinZoom = 10, kMaxZoom = 1000; // the preview's zoom range
// Largest page image a PNG export paints (pixels), about 400 MB of memory.
constexpr qint64 kMaxPngPixels = qint64(100) * 1000 * 1000;
constexpr int kMaxPngSide = 32767; // what QPainter can paint on

const QStringList &exportOptions()
{
    static const QStringList names = {QStringLiteral("--export-pdf"), QStringLiteral("--export-png"),
                                      QStringLiteral("--export-csv"), QStringLiteral("--export-html"),
                                      QStringLiteral("--export-xlsx"), QStringLiteral("--import")};
    return names;
}

QString optionName(const QString &arg)
{
    const int eq = arg.indexOf('=');
    return eq > 0 ? arg.left(eq) : arg;
}

// One line for standard error, whatever the reason text holds: its line
// breaks become spaces, any other control character is shown escaped.
QString oneLine(const QString &s)
{
    QString t = s;
    t.replace('\r', ' ').replace('\n', ' ');
    return TerminalText(t).simplified();
}

bool parseInt(const QString &text, int lo, int hi, int *out)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

// Same file, whether it exists yet or not (the output may replace the document).
bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

QString shown(const QString &path)
{
    return TerminalText(QDir::toNativeSeparators(path));
}

int failWith(QTextStream &err, const QString &file, const QString &reason)
{
    err << "velloran: " << shown(file) << ": " << oneLine(reason) << Qt::endl;
    return kExitFailed;
}

// Merges the sheet into the document and saves it as o.output; prints the
// summary. An unreadable row stops it before anything is written.
int runImport(const Options &o, DocumentData &doc, QTextStream &err, QTextStream *out)
{
    SheetFile sheet;
    QString why;
    if (!ReadSheetFile(o.sheet, &sheet, &why)) {
        if (!sheet.unknownTitles.isEmpty())
            why += QStringLiteral(" ") + QStringLiteral("Found: %1.")
                                              .arg(QStringLiteral("\"") + sheet.unknownTitles.join(QStringLiteral("\", \""))
                                                   + QStringLiteral("\""));
        return failWith(err, o.sheet, why);
    }
    const ImportPlan plan = PlanSheetImport(sheet.sheet, sheet.columns, doc.categoryNames, *doc.catalogue);
    if (!plan.unreadable.isEmpty()) {
        for (const QString &line : UnreadableRowTexts(plan))
            failWith(err, o.sheet, line);
        failWith(err, o.sheet, ImportSummaryText(plan, o.removeMissing));
        return failWith(err, o.output, QStringLiteral("not written: rows of the sheet cannot be read"));
    }
    ApplySheetImport(plan, o.removeMissing, doc.categoryNames, *doc.catalogue);
    if (!SaveDocumentFile(o.output, doc.categoryNames, *doc.catalogue, doc.settings, &why, doc.unknownRecords, &doc.cards))
        return failWith(err, o.output, QStringLiteral("cannot write the file: %1").arg(why));
    if (out)
        *out << TerminalText(ImportSummaryText(plan, o.removeMissing)) << Qt::endl;
    return kExitOk;
}

// The printer the main window starts with when no printer is installed, with
// the chosen page size and orientation: its page layout is what the card is
// laid out on.
std::unique_ptr<QPrinter> makePdfPrinter(const Options &o)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    int id = QPageSize::A4;
    PageSizeByName(o.pageSize, &id);
    printer->setPageSize(QPageSize(QPageSize::PageSizeId(id)));
    printer->setPageOrientation(o.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return printer;
}

// Files written to temporary names next to their targets and put in place
// together; what is not committed is removed again.
class PageFileSet {
public:
    ~PageFileSet()
    {
        for (const auto &e : entries_)
            QFile::remove(e.temp);
    }

    bool add(const QString &target, const QByteArray &data, QString *why)
    {
        QTemporaryFile f(target + QStringLiteral(".XXXXXX"));
        f.setAutoRemove(false);
        if (!f.open()) {
            *why = f.errorString();
            return false;
        }
        entries_.push_back({target, f.fileName()});
        if (f.write(data) != data.size() || !f.flush()) {
            *why = f.errorString();
            return false;
        }
        f.close();
        return true;
    }

    // A temporary name next to `target` for a file that another writer
    // fills; empty when none can be made.
    QString reserve(const QString &target, QString *why)
    {
        QTemporaryFile f(target + QStringLiteral(".XXXXXX"));
        f.setAutoRemove(false);
        if (!f.open()) {
            *why = f.errorString();
            return QString();
        }
        entries_.push_back({target, f.fileName()});
        return f.fileName();
    }

    bool commit(QString *failed, QString *why)
    {
        while (!entries_.empty()) {
            const Entry e = entries_.front();
            // The permissions an ordinary new file gets (or the old file's).
            const QFileInfo old(e.target);
            QFile::setPermissions(e.temp, old.exists() ? old.permissions()
                                                       : QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                             | QFileDevice::ReadUser | QFileDevice::WriteUser
                                                             | QFileDevice::ReadGroup | QFileDevice::ReadOther);
            if (std::rename(QFile::encodeName(e.temp).constData(), QFile::encodeName(e.target).constData()) != 0) {
                // Where renaming cannot replace a file, remove it first.
                QFile::remove(e.target);
                if (!QFile::rename(e.temp, e.target)) {
                    *failed = e.target;
                    *why = QStringLiteral("the file could not be put in place");
                    return false;
                }
            }
            entries_.erase(entries_.begin());
        }
        return true;
    }

private:
    struct Entry {
        QString target, temp;
    };
    std::vector<Entry> entries_;
};

// Writes pictures 1 to count (or --page alone) as PREFIX-N.png, each as
// render(N) gives it. Every picture goes to a temporary file of its own, one
// at a time (no file stays open); they replace their files only when all of
// them were written completely. shared: the files of every card, put in place
// together by the caller; null: put in place here.
int writePngs(const Options &o, int count, const QString &what, const QString &noSuch,
              const std::function<QImage(int)> &render, QTextStream &err, PageFileSet *shared)
{
    int first = 1, last = count;
    if (o.page > 0) {
        if (o.page > count)
            return failWith(err, o.document, noSuch.arg(count).arg(o.page));
        first = last = o.page;
    }
    for (int p = first; p <= last; ++p) {
        if (sameFile(PngPageFile(o.output, p), o.document))
            return failWith(err, PngPageFile(o.output, p), QStringLiteral("the output would replace the document"));
    }
    PageFileSet own;
    PageFileSet &files = shared ? *shared : own;
    for (int p = first; p <= last; ++p) {
        const QImage img = render(p);
        const QString path = PngPageFile(o.output, p);
        if (img.isNull())
            return failWith(err, path, QStringLiteral("not enough memory for the %1 image").arg(what));
        QByteArray png;
        {
            QBuffer buf(&png);
            buf.open(QIODevice::WriteOnly);
            if (!img.save(&buf, "PNG"))
                return failWith(err, path, QStringLiteral("the page could not be encoded as PNG"));
        }
        QString why;
        if (!files.add(path, png, &why))
            return failWith(err, path, why);
    }
    if (shared)
        return kExitOk;
    QString failed, why;
    if (!files.commit(&failed, &why))
        return failWith(err, failed, why);
    return kExitOk;
}

// The sheet sides of a print form as pictures, PREFIX-1.png for the first
// side and so on.
int exportSheetPngs(const Options &o, const CardSource &card, const SheetPlan &plan, QTextStream &err,
                    PageFileSet *shared = nullptr)
{
    const QSize px = SheetSidePixels(plan, o.dpi, o.zoom);
    if (px.isEmpty())
        return failWith(err, o.document, QStringLiteral("the page has no printable area"));
    if (px.width() > kMaxPngSide || px.height() > kMaxPngSide || qint64(px.width()) * px.height() > kMaxPngPixels)
        return failWith(err, PngPageFile(o.output, o.page > 0 ? o.page : 1),
                        QStringLiteral("a sheet image of %1 x %2 pixels is too large; lower --dpi or --zoom")
                            .arg(px.width())
                            .arg(px.height()));
    CardSource counted = card;
    counted.zoom = 100;
    const int count = int(CardSheetSides(counted, plan).size());
    return writePngs(o, count, QStringLiteral("sheet"), QStringLiteral("the card has %1 sheet side(s), there is no side %2"),
                     [&](int p) { return RenderSheetSide(card, plan, o.dpi, p); }, err, shared);
}

// shared: the files of every card, put in place together by the caller;
// null: the pages are put in place here.
int exportPng(const Options &o, const CardSource &card, QTextStream &err, PageFileSet *shared = nullptr)
{
    const auto printer = makePdfPrinter(o);
    if (card.settings.DruckformBox != CardSettings::PrintForm::SinglePages) {
        const SheetPlan plan = PlanSheets(card.settings.DruckformBox, printer->pageLayout());
        if (!plan.ok())
            return failWith(err, o.document, plan.error);
        return exportSheetPngs(o, card, plan, err, shared);
    }
    const PageArea area = PrinterPageArea(*printer);
    const PreviewGeometry g = PreviewPageGeometry(area, o.dpi, o.zoom);
    if (g.W <= 0 || g.H <= 0)
        return failWith(err, o.document, QStringLiteral("the page has no printable area"));
    if (g.W > kMaxPngSide || g.H > kMaxPngSide || qint64(g.W) * g.H > kMaxPngPixels)
        return failWith(err, PngPageFile(o.output, o.page > 0 ? o.page : 1),
                        QStringLiteral("a page image of %1 x %2 pixels is too large; lower --dpi or --zoom")
                            .arg(g.W)
                            .arg(g.H));

    const int count = CardPageCount(card, area);
    return writePngs(o, count, QStringLiteral("page"), QStringLiteral("the card has %1 page(s), there is no page %2"),
                     [&](int p) { return RenderCardPage(card, area, o.dpi, p); }, err, shared);
}

} // namespace

ExportPage ExportPageFor(const Options &o, CardSettings::Paper paper, bool paperLandscape)
{
    const bool ownPaper = paper != CardSettings::Paper::Printer;
    ExportPage page;
    page.size = o.pageSizeGiven || !ownPaper ? o.pageSize : CardPaperName(paper);
    page.landscape = o.landscape || (ownPaper && paperLandscape);
    return page;
}

QString TerminalText(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (auto it = s.begin(); it != s.end();) {
        // A whole character, also one beyond U+FFFF (a surrogate pair).
        char32_t c = it->unicode();
        int units = 1;
        if (it->isHighSurrogate() && it + 1 != s.end() && (it + 1)->isLowSurrogate()) {
            c = QChar::surrogateToUcs4(*it, *(it + 1));
            units = 2;
        }
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            if (c < 0x100)
                out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
            else if (c < 0x10000)
                out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
            else
                out += QStringLiteral("\\U%1").arg(uint(c), 8, 16, QLatin1Char('0'));
            break;
        default:
            out.append(it, units);
            break;
        }
        it += units;
    }
    return out;
}

bool PageSizeByName(const QString &name, int *pageSizeId)
{
    static const struct {
        const char *name;
        QPageSize::PageSizeId id;
    } sizes[] = {{"A4", QPageSize::A4}, {"A5", QPageSize::A5}, {"Letter", QPageSize::Letter},
                 {"Legal", QPageSize::Legal}};
    for (const auto &s : sizes) {
        if (name.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0) {
            if (pageSizeId)
                *pageSizeId = s.id;
            return true;
        }
    }
    return false;
}

QString PngPageFile(const QString &prefix, int page)
{
    // The prefix is taken as it is: a "%1" in it is part of the name.
    return prefix + QLatin1Char('-') + QString::number(page) + QStringLiteral(".png");
}

bool WantsExport(const QStringList &args)
{
    for (const QString &a : args) {
        if (a == QLatin1String("--"))
            return false;
        const QString name = optionName(a);
        if (exportOptions().contains(name) || name == QLatin1String("--print") || name == QLatin1String("--list-cards")
            || name == QLatin1String("--language-stats"))
            return true;
    }
    return false;
}

Options Parse(const QStringList &args)
{
    auto invalid = [](const QString &why) {
        Options bad;
        bad.mode = Mode::Invalid;
        bad.error = oneLine(why);
        return bad;
    };

    // Arguments with a single dash are not our options (Qt takes its own,
    // such as -style, from the window's command line): they count as plain
    // arguments. They pass the parser as placeholders that keep their place.
    QStringList parserArgs{QStringLiteral("velloran")};
    QStringList singleDash;
    bool endOfOptions = false;
    for (const QString &a : args) {
        if (a == QLatin1String("--"))
            endOfOptions = true;
        if (!endOfOptions && a.size() > 1 && a.startsWith('-') && !a.startsWith(QLatin1String("--"))) {
            parserArgs << QStringLiteral("\x01%1").arg(singleDash.size());
            singleDash << a;
        } else {
            parserArgs << a;
        }
    }
    auto original = [&](const QString &v) {
        if (v.startsWith(QChar(1))) {
            const int i = v.mid(1).toInt();
            if (i >= 0 && i < singleDash.size())
                return singleDash.at(i);
        }
        return v;
    };

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help(QStringLiteral("help")), version(QStringLiteral("version"));
    const QCommandLineOption exportPdf(QStringLiteral("export-pdf"), QString(), QStringLiteral("OUT.pdf"));
    const QCommandLineOption exportPng(QStringLiteral("export-png"), QString(), QStringLiteral("PREFIX"));
    const QCommandLineOption exportCsv(QStringLiteral("export-csv"), QString(), QStringLiteral("OUT.csv"));
    const QCommandLineOption exportHtml(QStringLiteral("export-html"), QString(), QStringLiteral("OUT.html"));
    const QCommandLineOption exportXlsx(QStringLiteral("export-xlsx"), QString(), QStringLiteral("OUT.xlsx"));
    const QCommandLineOption import(QStringLiteral("import"), QString(), QStringLiteral("SHEET"));
    const QCommandLineOption output(QStringLiteral("output"), QString(), QStringLiteral("NEW.vlr"));
    const QCommandLineOption removeMissing(QStringLiteral("remove-missing"));
    const QCommandLineOption print(QStringLiteral("print"));
    const QCommandLineOption printerName(QStringLiteral("printer"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption pageSize(QStringLiteral("page-size"), QString(), QStringLiteral("SIZE"));
    const QCommandLineOption landscape(QStringLiteral("landscape"));
    const QCommandLineOption dpi(QStringLiteral("dpi"), QString(), QStringLiteral("N"));
    const QCommandLineOption zoom(QStringLiteral("zoom"), QString(), QStringLiteral("Z"));
    const QCommandLineOption page(QStringLiteral("page"), QString(), QStringLiteral("N"));
    const QCommandLineOption imposition(QStringLiteral("imposition"), QString(), QStringLiteral("FORM"));
    const QCommandLineOption cardOption(QStringLiteral("card"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption allCards(QStringLiteral("all-cards"));
    const QCommandLineOption listCards(QStringLiteral("list-cards"));
    const QCommandLineOption languageStats(QStringLiteral("language-stats"));
    parser.addOptions({help, version, exportPdf, exportPng, exportCsv, exportHtml, exportXlsx, import, output, removeMissing,
                       print, printerName, pageSize, landscape, dpi, zoom, page, imposition, cardOption, allCards,
                       listCards, languageStats});
    if (!parser.parse(parserArgs)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return invalid(QStringLiteral("unknown option --%1").arg(unknown.first()));
        return invalid(parser.errorText());
    }
    Options o;
    if (parser.isSet(help) || parser.isSet(version)) {
        o.mode = parser.isSet(help) ? Mode::Help : Mode::Version;
        return o;
    }

    // The value of an option; one that looks like an option itself is
    // taken for a forgotten value.
    auto value = [&](const QCommandLineOption &opt, QString *v) {
        *v = original(parser.value(opt));
        return !v->isEmpty() && !v->startsWith(QLatin1String("--"));
    };
    auto given = [&](const QCommandLineOption &opt) { return QStringLiteral("--") + opt.names().first(); };

    QStringList plain;
    for (const QString &a : parser.positionalArguments())
        plain << original(a);

    // Which command: one export or --print at most.
    const QCommandLineOption *command = nullptr;
    for (const QCommandLineOption *c :
         {&exportPdf, &exportPng, &exportCsv, &exportHtml, &exportXlsx, &import, &print, &listCards, &languageStats}) {
        const int n = c == &print || c == &listCards || c == &languageStats ? (parser.isSet(*c) ? 1 : 0)
                                                                             : int(parser.values(*c).size());
        if (n == 0)
            continue;
        if (command || n > 1) {
            const QString first = command ? given(*command) : given(*c);
            return invalid(QStringLiteral("%1 and %2 cannot be combined").arg(first, given(*c)));
        }
        command = c;
    }

    // The options that belong to some commands only, in the order of the
    // checks below.
    QStringList pdfPngOnly, pngOnly, printOnly, sheetsOnly, importOnly;
    if (parser.isSet(pageSize)) {
        if (!value(pageSize, &o.pageSize) || !PageSizeByName(o.pageSize, nullptr))
            return invalid(QStringLiteral("--page-size takes A4, A5, Letter or Legal"));
        pdfPngOnly << given(pageSize);
        o.pageSizeGiven = true;
    }
    if (parser.isSet(landscape)) {
        o.landscape = true;
        pdfPngOnly << given(landscape);
    }
    QString v;
    if (parser.isSet(dpi)) {
        if (!value(dpi, &v) || !parseInt(v, kMinDpi, kMaxDpi, &o.dpi))
            return invalid(QStringLiteral("--dpi takes a whole number from %1 to %2").arg(kMinDpi).arg(kMaxDpi));
        pngOnly << given(dpi);
    }
    if (parser.isSet(zoom)) {
        if (!value(zoom, &v) || !parseInt(v, kMinZoom, kMaxZoom, &o.zoom))
            return invalid(QStringLiteral("--zoom takes a whole number from %1 to %2").arg(kMinZoom).arg(kMaxZoom));
        pngOnly << given(zoom);
    }
    if (parser.isSet(page)) {
        if (!value(page, &v) || !parseInt(v, 1, 1000000, &o.page))
            return invalid(QStringLiteral("--page takes a page number from 1"));
        pngOnly << given(page);
    }
    if (parser.isSet(imposition)) {
        if (!value(imposition, &v) || !PrintFormByName(v, &o.printForm))
            return invalid(QStringLiteral("--imposition takes %1").arg(PrintFormCommandNames()));
        o.printFormGiven = true;
        sheetsOnly << given(imposition);
    }
    if (parser.isSet(printerName)) {
        if (!value(printerName, &o.printer))
            return invalid(QStringLiteral("--printer needs the name of a printer"));
        printOnly << given(printerName);
    }
    // The card: one (by name or position) or all of them.
    QStringList cardOnly;
    if (parser.isSet(cardOption)) {
        if (parser.values(cardOption).size() > 1)
            return invalid(QStringLiteral("--card may be given once"));
        if (!value(cardOption, &o.card) || o.card.trimmed().isEmpty())
            return invalid(QStringLiteral("--card needs the name or the number of a card"));
        cardOnly << given(cardOption);
    }
    if (parser.isSet(allCards)) {
        if (!cardOnly.isEmpty())
            return invalid(QStringLiteral("--card and --all-cards cannot be combined"));
        o.allCards = true;
        cardOnly << given(allCards);
    }

    if (parser.isSet(output)) {
        if (!value(output, &o.output))
            return invalid(QStringLiteral("--output needs the name of the new document"));
        importOnly << given(output);
    }
    if (parser.isSet(removeMissing)) {
        o.removeMissing = true;
        importOnly << given(removeMissing);
    }

    if (!command) {
        if (!importOnly.isEmpty())
            return invalid(QStringLiteral("%1 belongs to --import").arg(importOnly.first()));
        const QStringList stray = pdfPngOnly + pngOnly + sheetsOnly;
        if (!stray.isEmpty())
            return invalid(QStringLiteral("%1 belongs to an export (--export-pdf or --export-png)").arg(stray.first()));
        if (!printOnly.isEmpty())
            return invalid(QStringLiteral("--printer belongs to --print"));
        if (!cardOnly.isEmpty())
            return invalid(QStringLiteral("%1 belongs to an export or --print").arg(cardOnly.first()));
        o.plainArguments = plain;
        return o;
    }

    const QString name = given(*command);
    if (command == &print) {
        o.mode = Mode::Print;
    } else if (command == &listCards) {
        o.mode = Mode::ListCards;
    } else if (command == &languageStats) {
        o.mode = Mode::LanguageStats;
    } else if (command == &import) {
        o.mode = Mode::Import;
        if (!value(import, &o.sheet))
            return invalid(QStringLiteral("--import needs a spreadsheet, a document and --output NEW.vlr"));
        if (o.output.isEmpty())
            return invalid(QStringLiteral("--import needs --output NEW.vlr: the document itself is not replaced"));
    } else {
        o.mode = command == &exportPdf    ? Mode::ExportPdf
                 : command == &exportPng  ? Mode::ExportPng
                 : command == &exportHtml ? Mode::ExportHtml
                 : command == &exportXlsx ? Mode::ExportXlsx
                                          : Mode::ExportCsv;
        const QString what = o.mode == Mode::ExportPng ? QStringLiteral("output prefix") : QStringLiteral("output file");
        if (!value(*command, &o.output))
            return invalid(QStringLiteral("%1 needs an %2 and a document").arg(name, what));
    }
    if (plain.isEmpty())
        return invalid(QStringLiteral("%1 needs a document").arg(name));
    if (plain.size() > 1)
        return invalid(QStringLiteral("unexpected argument %1").arg(plain.at(1)));
    o.document = plain.first();

    // --list-cards counts the pages as the PDF export lays them out.
    if (o.mode != Mode::ExportPdf && o.mode != Mode::ExportPng && o.mode != Mode::ListCards && !pdfPngOnly.isEmpty())
        return invalid(QStringLiteral("%1 does not apply to %2").arg(pdfPngOnly.first(), name));
    if (o.mode != Mode::ExportPng && !pngOnly.isEmpty())
        return invalid(QStringLiteral("%1 applies to --export-png only").arg(pngOnly.first()));
    if (o.mode != Mode::Print && !printOnly.isEmpty())
        return invalid(QStringLiteral("--printer applies to --print only"));
    if (o.mode != Mode::ExportPdf && o.mode != Mode::ExportPng && o.mode != Mode::Print && !sheetsOnly.isEmpty())
        return invalid(QStringLiteral("%1 does not apply to %2").arg(sheetsOnly.first(), name));
    if ((o.mode == Mode::ExportCsv || o.mode == Mode::ExportXlsx || o.mode == Mode::Import
         || o.mode == Mode::ListCards || o.mode == Mode::LanguageStats)
        && !cardOnly.isEmpty())
        return invalid(QStringLiteral("%1 does not apply to %2").arg(cardOnly.first(), name));
    if (o.mode == Mode::Print && o.allCards)
        return invalid(QStringLiteral("--all-cards does not apply to --print"));
    if (o.mode != Mode::Import && !importOnly.isEmpty())
        return invalid(QStringLiteral("%1 applies to --import only").arg(importOnly.first()));
    return o;
}

QString UsageText()
{
    return QStringLiteral(
        "Usage: velloran [DOCUMENT.vlr]\n"
        "       velloran --export-pdf OUT.pdf DOCUMENT.vlr [--page-size SIZE] [--landscape]\n"
        "       velloran --export-png PREFIX DOCUMENT.vlr [--dpi N] [--zoom Z] [--page N]\n"
        "                [--page-size SIZE] [--landscape]\n"
        "       velloran --export-csv OUT.csv DOCUMENT.vlr\n"
        "       velloran --print DOCUMENT.vlr [--printer NAME]\n"
        "       velloran --export-html OUT.html DOCUMENT.vlr\n"
        "       velloran --list-cards DOCUMENT.vlr\n"
        "       velloran --language-stats DOCUMENT.vlr\n"
        "       velloran --export-xlsx OUT.xlsx DOCUMENT.vlr\n"
        "       velloran --import SHEET DOCUMENT.vlr --output NEW.vlr [--remove-missing]\n"
        "       velloran --help | --version\n"
        "\n"
        "Without options the program's window opens; a document named on the command\n"
        "line is opened in it.\n"
        "\n"
        "Exports run without a window and without a display:\n"
        "  --export-pdf OUT.pdf DOC   every page of the menu card in one PDF file\n"
        "  --export-png PREFIX DOC    the pages as pictures PREFIX-1.png, PREFIX-2.png, ...\n"
        "  --export-csv OUT.csv DOC   the catalogue as a CSV file\n"
        "  --export-html OUT.html DOC the menu card as one web page; with translations\n"
        "                             a second one beside it, OUT.en.html (the tag of\n"
        "                             the document's second language)\n"
        "  --export-xlsx OUT.xlsx DOC the catalogue as an Excel workbook\n"
        "  --page-size SIZE           A4, A5, Letter or Legal (default: the document's\n"
        "                             paper, else A4)\n"
        "  --landscape                landscape pages (default: the document's paper,\n"
        "                             else portrait)\n"
        "  --dpi N                    resolution of the pictures, 10 to 1200 (default 96)\n"
        "  --zoom Z                   zoom in percent, 10 to 1000 (default 100)\n"
        "  --page N                   only page N (written to PREFIX-N.png)\n"
        "  --imposition FORM          the print form instead of the document's own:\n"
        "                             single (one page per sheet), booklet (folded,\n"
        "                             in folding order for printing on both sides,\n"
        "                             turning on the short edge), tent (page 1 twice\n"
        "                             for a table tent) or 2up (two copies to cut);\n"
        "                             every form but single prints on sheets of twice\n"
        "                             the page size (A5 on A4, A4 on A3, Letter on\n"
        "                             Ledger); PNG pictures and --page are then sheet\n"
        "                             sides\n"
        "\n"
        "A document may hold several cards (food card, drinks card, lunch sheet):\n"
        "  --card NAME                the card to export or print, by its name or its\n"
        "                             number from 1 (default: the first card; the web\n"
        "                             page then carries every card)\n"
        "  --all-cards                with --export-pdf, --export-png or --export-html:\n"
        "                             one file per card, OUT-NAME.pdf (PREFIX-NAME-1.png),\n"
        "                             the card's name made safe as a file name\n"
        "  --list-cards DOC           the cards, one line each: number, name, products\n"
        "                             and pages (as --export-pdf lays them out)\n"
        "\n"
        "A document may carry translations of its texts into a second language:\n"
        "  --language-stats DOC       the second language, then per kind of text how\n"
        "                             many are translated and how many are missing,\n"
        "                             and the total (in the language of the program)\n"
        "\n"
        "Printing runs without a window as well:\n"
        "  --print DOC                the menu card on the default printer\n"
        "  --printer NAME             on this printer instead\n"
        "\n"
        "Importing a spreadsheet (.xlsx or .csv, as the exports write it) merges it into\n"
        "the catalogue and saves the result as another document:\n"
        "  --import SHEET DOC         rows matched by order number, else category and name\n"
        "  --output NEW.vlr           the merged document (never the document itself)\n"
        "  --remove-missing           remove the products the sheet does not name\n"
        "It prints what it did as counts. A row it cannot read is named with its\n"
        "column and reason, and then nothing is written.\n"
        "\n"
        "Options may come in any order, before or after the document.\n"
        "  --                         ends the options: a following name is a document\n"
        "\n"
        "An export prints nothing when it succeeds and exits with 0. Otherwise it\n"
        "prints one line naming the file (or printer) and the reason and exits with 1\n"
        "(2 for a wrong command line or a card the document does not hold); an\n"
        "existing output file is then left as it was.\n"
        "A background picture or QR code that the card cannot use is said in one line\n"
        "each (as the window's tabs say it); the export still succeeds without it.\n"
        "A bilingual card (and a web page in two languages) with texts that have no\n"
        "translation says how many in one line; they appear in German alone.\n"
        "Prices on request and the CSV column titles use the language chosen in the\n"
        "program.\n");
}

QString VersionText()
{
    // The program's version, then Qt and the picture and compression libraries it
    // carries, one a line.
    QString text = QStringLiteral("Velloran %1\n").arg(QStringLiteral(VELLORAN_VERSION));
    for (const QString &library : platform::LibraryVersions())
        text += QStringLiteral("  ") + library + QLatin1Char('\n');
    return text;
}

int CardByName(const QStringList &names, const QString &given)
{
    const QString wanted = given.trimmed();
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    bool number = false;
    const int n = wanted.toInt(&number);
    return number && n >= 1 && n <= names.size() ? n - 1 : -1;
}

QString AllCardsFile(const QString &out, const QString &name, bool hasExtension)
{
    const QFileInfo fi(out);
    QString base = fi.fileName(), extension;
    const int dot = hasExtension ? int(base.lastIndexOf(QLatin1Char('.'))) : -1;
    if (dot > 0) {
        extension = base.mid(dot);
        base.truncate(dot);
    }
    const QString file = base + QLatin1Char('-') + SafeCardFileName(name) + extension;
    // The folder part of OUT as it was written (a relative OUT stays relative).
    const int slash = int(std::max(out.lastIndexOf(QLatin1Char('/')), out.lastIndexOf(QDir::separator())));
    return slash >= 0 ? out.left(slash + 1) + file : file;
}

namespace {

// One card of the document, made ready for the layout: its view of the
// catalogue, its settings and its QR code.
CardSource cardOf(const DocumentData &doc, int i)
{
    CardSource card = SourceOfCard(doc.categoryNames, *doc.catalogue, i, doc.cards.settingsOf(i, doc.settings));
    card.zoom = 100;
    AttachQrCode(card);
    return card;
}

// The card's logo, checked like the background picture; one that cannot be
// used is said, and the card comes out without it.
void attachLogo(CardSource &card, const QString &notePrefix, QTextStream &err)
{
    const QString &name = card.settings.LogoEd;
    if (name.isEmpty())
        return;
    PictureProblem problem = PictureProblem::None;
    const QImage logo = OpenLogoPicture(name, false, &problem);
    if (!logo.isNull())
        card.logo = std::make_shared<const QImage>(logo);
    else
        err << "velloran: " << notePrefix << oneLine(PictureProblemText(TerminalText(name), problem)) << Qt::endl;
}

// The pages of card i as the PDF export lays them out.
int pdfPageCount(const Options &o, const DocumentData &doc, int i)
{
    const CardSource card = cardOf(doc, i);
    Options out = o;
    const ExportPage page = ExportPageFor(o, card.settings.PapierBox, card.settings.QuerCheck);
    out.pageSize = page.size;
    out.landscape = page.landscape;
    return CardPageCount(card, PrinterPageArea(*makePdfPrinter(out)));
}

// Writes the web menu of the cards to `output`: its one page, or the German
// page and the page in the second language beside it, both or neither.
// files: where the pages wait until every card's are written (with
// --all-cards).
int writeWebMenu(const Options &o, const DocumentData &doc, const QVector<HtmlCard> &cards, const QString &output,
                 QTextStream &err, PageFileSet *files = nullptr)
{
    const bool bilingual = IsBilingualWeb(*doc.catalogue, DocumentCardSettings(doc));
    const QVector<HtmlFile> pages = WebMenuFiles(cards, output, HtmlLanguageTag(CurrentLanguage()),
                                                 bilingual ? &doc.catalogue->secondLanguage() : nullptr);
    for (int i = 1; i < pages.size(); ++i)
        if (sameFile(pages.at(i).path, o.document))
            return failWith(err, pages.at(i).path, QStringLiteral("the output would replace the document"));
    QString why, failed;
    if (files) {
        for (const HtmlFile &page : pages)
            if (!files->add(page.path, page.data, &why))
                return failWith(err, page.path, QStringLiteral("cannot write the file: %1").arg(why));
    } else if (!WriteHtmlFiles(pages, &failed, &why)) {
        return failWith(err, failed, QStringLiteral("cannot write the file: %1").arg(why));
    }
    // The second page shows texts without translation in German: how many.
    const QString missing = bilingual ? MissingTranslationsNote(MissingWebTranslations(cards)) : QString();
    if (!missing.isEmpty())
        err << "velloran: " << missing << Qt::endl;
    return kExitOk;
}

// Exports or prints card i to `output`. notePrefix comes before the notes on
// the picture and the QR code (the card's name when every card is written).
// files: where every card's files wait until all of them are written (with
// --all-cards); null: the card's file is put in place at once.
int exportCard(const Options &o, const DocumentData &doc, int i, const QString &output, const QString &notePrefix,
               QTextStream &err, PageFileSet *files = nullptr)
{
    CardSource card = cardOf(doc, i);
    if (o.printFormGiven)
        card.settings.DruckformBox = o.printForm;
    const CardSettings &settings = card.settings;
    attachLogo(card, notePrefix, err);
    Options out = o;
    out.output = output;
    // The card's own paper, as far as the command line does not name
    // another size or orientation.
    const ExportPage page = ExportPageFor(o, settings.PapierBox, settings.QuerCheck);
    out.pageSize = page.size;
    out.landscape = page.landscape;
    QString why;

    if (o.mode == Mode::ExportHtml)
        return writeWebMenu(o, doc, {HtmlCard{QString(), card}}, output, err, files);

    TextureHolder texture;
    texture.Prepare(settings);
    card.texture = &texture;
    // What the window's notes would say: the card comes out without the
    // picture or the code, and the export still succeeds.
    const QString pictureNote = PictureProblemText(TerminalText(settings.FilenameEdit2), texture.Problem());
    if (!pictureNote.isEmpty())
        err << "velloran: " << notePrefix << oneLine(pictureNote) << Qt::endl;
    const QString qrNote = QrPrintProblemText(settings.QrUrlEd, settings.QrDruckCheck);
    if (!qrNote.isEmpty())
        err << "velloran: " << notePrefix << oneLine(qrNote) << Qt::endl;
    // The readability check of the background, as the Layout tab says it.
    if (texture.HasTexture())
        for (const QString &line : ReadabilityWarnings(CheckCardReadability(settings)))
            err << "velloran: " << notePrefix << oneLine(line) << Qt::endl;
    // A bilingual card with texts still in German alone says how many once
    // it is printed or exported (a failure says only what failed).
    const QString missing = MissingTranslationsNote(MissingTranslationsOfCard(card));
    auto done = [&](int code) {
        if (code == kExitOk && !missing.isEmpty())
            err << "velloran: " << notePrefix << missing << Qt::endl;
        return code;
    };

    if (o.mode == Mode::Print) {
        // The printer and its own default page, as the window prints on
        // once the printer has been chosen in its printer set-up.
        QPrinter printer(QPrinter::HighResolution);
        const QString notThere = SelectPrinter(printer, o.printer);
        if (!notThere.isEmpty())
            return failWith(err, o.printer.isEmpty() ? QStringLiteral("--print") : o.printer, notThere);
        ApplyCardPaper(settings, printer); // the card's own paper, when it chose one
        QString error;
        if (settings.DruckformBox == CardSettings::PrintForm::SinglePages) {
            error = PrintCard(card, printer, GetMsgText(12));
        } else {
            // A booklet is printed on both sides, turning on the short edge.
            if (settings.DruckformBox == CardSettings::PrintForm::Booklet)
                printer.setDuplex(QPrinter::DuplexShortSide);
            error = PrintCardSheets(card, printer, GetMsgText(12));
        }
        if (!error.isEmpty())
            return failWith(err, printer.printerName(), error);
        return done(kExitOk);
    }

    if (o.mode == Mode::ExportPdf) {
        const auto printer = makePdfPrinter(out);
        QString path = output;
        if (files) {
            path = files->reserve(output, &why);
            if (path.isEmpty())
                return failWith(err, output, QStringLiteral("cannot write the file: %1").arg(why));
        }
        QString error = settings.DruckformBox == CardSettings::PrintForm::SinglePages
                            ? ExportCardPdf(card, path, printer->pageLayout(), PdfTitle(settings))
                            : ExportCardSheetsPdf(card, path, printer->pageLayout(), PdfTitle(settings));
        if (!error.isEmpty()) {
            // The error text names the file already (the one it stands for,
            // not the temporary one).
            error.replace(QDir::toNativeSeparators(path), QDir::toNativeSeparators(output));
            err << "velloran: " << oneLine(error) << Qt::endl;
            return kExitFailed;
        }
        return done(kExitOk);
    }

    card.zoom = o.zoom;
    return done(exportPng(out, card, err, files));
}

} // namespace

int RunExport(const Options &o, QTextStream &err)
{
    QTextStream out(stdout);
    return RunExport(o, out, err);
}

int RunExport(const Options &o, QTextStream &out, QTextStream &err)
{
    if (!o.isExport()) {
        err << "velloran: nothing to export" << Qt::endl;
        return kExitUsage;
    }
    if ((o.mode == Mode::ExportPdf || o.mode == Mode::ExportCsv || o.mode == Mode::ExportHtml
         || o.mode == Mode::ExportXlsx || o.mode == Mode::Import)
        && sameFile(o.output, o.document))
        return failWith(err, o.output, QStringLiteral("the output would replace the document"));

    // The start of the program's window: translation table, the texts that
    // depend on it, then the stored interface language.
    appfiles::SeedUserTranslations();
    InitTranslations(appfiles::UserFile(QStringLiteral("translate.dat")));
    SetOnRequestTextProvider([] { return GetMsgText(10); });
    CardSettings defaults;
    defaults.FilenameEdit2 = GetMsgText(4);
    SetCurrentLanguage(StartLanguage(appfiles::UserFile(QStringLiteral("options.dat"))));

    DocumentData doc;
    QString why;
    if (!LoadDocumentFile(o.document, defaults, doc, &why))
        return failWith(err, o.document, QStringLiteral("cannot open the menu card: %1").arg(why));

    if (o.mode == Mode::ExportCsv) {
        const QByteArray data = BuildCsv(doc.categoryNames, *doc.catalogue, CsvHeader(*doc.catalogue, &doc.cards),
                                       UserDecimalPoint(), &doc.cards);
        if (!WriteCsvFile(o.output, data, &why))
            return failWith(err, o.output, QStringLiteral("cannot write the file: %1").arg(why));
        return kExitOk;
    }
    if (o.mode == Mode::ExportXlsx) {
        const CatalogueTable table =
            BuildCatalogueTable(doc.categoryNames, *doc.catalogue, CsvHeader(*doc.catalogue, &doc.cards),
                                UserDecimalPoint(), &doc.cards);
        if (!WriteXlsxFile(o.output, table, &why))
            return failWith(err, o.output, QStringLiteral("cannot write the file: %1").arg(why));
        return kExitOk;
    }
    if (o.mode == Mode::Import)
        return runImport(o, doc, err, &out);

    if (o.mode == Mode::LanguageStats) {
        QVector<CardSettings> settings;
        for (int i = 0; i < doc.cards.count(); ++i)
            settings << doc.cards.settingsOf(i, doc.settings);
        for (const QString &line : LanguageStatsLines(doc.categoryNames, *doc.catalogue, settings))
            out << TerminalText(line) << Qt::endl;
        return kExitOk;
    }

    const QStringList names = doc.cards.names();
    if (o.mode == Mode::ListCards) {
        for (int i = 0; i < names.size(); ++i) {
            const int products = ProductsOnCard(*doc.catalogue, i);
            const int pages = pdfPageCount(o, doc, i);
            out << (i + 1) << '\t' << oneLine(names.at(i)) << '\t'
                << (products == 1 ? QStringLiteral("1 product") : QStringLiteral("%1 products").arg(products)) << '\t'
                << (pages == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pages)) << Qt::endl;
        }
        return kExitOk;
    }

    if (o.allCards) {
        // One file per card, each beside OUT. Two names that come out the
        // same as file names are told apart by the card's number.
        QStringList files;
        for (int i = 0; i < names.size(); ++i) {
            QString file = AllCardsFile(o.output, names.at(i), o.mode != Mode::ExportPng);
            for (const QString &f : files) {
                if (f.compare(file, Qt::CaseInsensitive) == 0)
                    file = AllCardsFile(o.output, names.at(i) + QStringLiteral("-%1").arg(i + 1),
                                        o.mode != Mode::ExportPng);
            }
            if (o.mode != Mode::ExportPng && sameFile(file, o.document))
                return failWith(err, file, QStringLiteral("the output would replace the document"));
            files << file;
        }
        // The files are put in place together once every card is written:
        // a failure leaves every existing file as it was.
        PageFileSet written;
        for (int i = 0; i < names.size(); ++i) {
            const int code =
                exportCard(o, doc, i, files.at(i), oneLine(names.at(i)) + QStringLiteral(": "), err, &written);
            if (code != kExitOk)
                return code;
        }
        QString failed;
        if (!written.commit(&failed, &why))
            return failWith(err, failed, why);
        return kExitOk;
    }

    int chosen = 0;
    if (!o.card.isEmpty()) {
        chosen = CardByName(names, o.card);
        if (chosen < 0) {
            QStringList held;
            for (int i = 0; i < names.size(); ++i)
                held << QStringLiteral("%1 \"%2\"").arg(i + 1).arg(names.at(i));
            err << "velloran: " << shown(o.document) << ": "
                << oneLine(QStringLiteral("there is no card \"%1\"; the cards are %2").arg(o.card, held.join(QStringLiteral(", "))))
                << Qt::endl;
            return kExitUsage;
        }
    } else if (o.mode == Mode::ExportHtml) {
        // Without --card the web page carries every card of the document.
        QVector<HtmlCard> cards = DocumentHtmlCards(doc);
        for (HtmlCard &c : cards)
            attachLogo(c.source, cards.size() > 1 ? oneLine(c.name) + QStringLiteral(": ") : QString(), err);
        return writeWebMenu(o, doc, cards, o.output, err);
    }
    return exportCard(o, doc, chosen, o.output, QString(), err);
}

} // namespace commandline
