// The command line: parsing, and the exports run as a separate program
// without a display.
#include "app/commandline.h"
#include "catalogue/catalogue.h"
#include "catalogue/document.h"
#include "catalogue/cardsettings.h"
#include "catalogue/platform.h"
#include "layout/cardtext.h"
#include "shiptest.h"
#include "testutil.h"
#include "texture/pictor3.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using commandline::Mode;
using commandline::Parse;
using shiptest::run;

namespace {

QStringList L(std::initializer_list<const char *> items)
{
    QStringList l;
    for (const char *s : items)
        l << QString::fromUtf8(s);
    return l;
}

// What the program said on standard error besides the note that a bilingual
// card has texts without translation (the example's food card prints two
// languages and leaves dishes untranslated on purpose).
QByteArray besidesTranslationNote(const QByteArray &err)
{
    static const QRegularExpression note(
        QStringLiteral("^velloran: .*(Zweisprachige Karte: \\d+ Texte ohne Übersetzung|"
                       "Bilingual card: \\d+ texts without translation)\\r?\\n?"),
        QRegularExpression::MultilineOption);
    return QString::fromLocal8Bit(err).remove(note).toLocal8Bit();
}

} // namespace

TEST(CommandLineParse, PlainArgumentsOpenTheWindow)
{
    // The first document is opened, the rest is handed over and ignored.
    auto o = Parse(L({"a.vlr", "b.vlr"}));
    EXPECT_EQ(o.mode, Mode::Window);
    EXPECT_EQ(o.plainArguments, L({"a.vlr", "b.vlr"}));
    EXPECT_FALSE(commandline::WantsExport(L({"a.vlr", "b.vlr"})));

    EXPECT_EQ(Parse({}).mode, Mode::Window);
    EXPECT_TRUE(Parse({}).plainArguments.isEmpty());
    // Qt's own single-dash options are not ours.
    EXPECT_EQ(Parse(L({"-style", "fusion"})).mode, Mode::Window);

    // After "--" a name that looks like an option is a document.
    o = Parse(L({"--", "--export-pdf", "x"}));
    EXPECT_EQ(o.mode, Mode::Window);
    EXPECT_EQ(o.plainArguments, L({"--export-pdf", "x"}));
    EXPECT_FALSE(commandline::WantsExport(L({"--", "--export-pdf", "x"})));
}

TEST(CommandLineParse, ExportsAndTheirOptions)
{
    auto o = Parse(L({"--export-pdf", "out.pdf", "doc.vlr"}));
    ASSERT_EQ(o.mode, Mode::ExportPdf);
    EXPECT_EQ(o.output, "out.pdf");
    EXPECT_EQ(o.document, "doc.vlr");
    EXPECT_EQ(o.pageSize, "A4");
    EXPECT_FALSE(o.landscape);
    EXPECT_FALSE(o.pageSizeGiven); // the document's paper, when it has one
    EXPECT_TRUE(commandline::WantsExport(L({"--export-pdf", "out.pdf", "doc.vlr"})));

    // Options before or after, with a separate value or after '='.
    o = Parse(L({"--landscape", "--export-pdf", "out.pdf", "doc.vlr", "--page-size=legal"}));
    ASSERT_EQ(o.mode, Mode::ExportPdf);
    EXPECT_TRUE(o.landscape);
    EXPECT_TRUE(o.pageSizeGiven);
    // Each one says only what it names.
    EXPECT_FALSE(Parse(L({"--export-pdf", "out.pdf", "doc.vlr", "--landscape"})).pageSizeGiven);
    EXPECT_TRUE(Parse(L({"--export-pdf", "out.pdf", "doc.vlr", "--page-size", "A5"})).pageSizeGiven);
    EXPECT_FALSE(Parse(L({"--export-pdf", "out.pdf", "doc.vlr", "--page-size", "A5"})).landscape);
    int id = -1;
    EXPECT_TRUE(commandline::PageSizeByName(o.pageSize, &id));
    EXPECT_EQ(id, int(QPageSize::Legal));

    o = Parse(L({"--export-png", "card", "doc.vlr", "--dpi", "150", "--zoom=50", "--page", "3"}));
    ASSERT_EQ(o.mode, Mode::ExportPng);
    EXPECT_EQ(o.output, "card");
    EXPECT_EQ(o.dpi, 150);
    EXPECT_EQ(o.zoom, 50);
    EXPECT_EQ(o.page, 3);
    EXPECT_EQ(commandline::PngPageFile(o.output, 3), "card-3.png");

    o = Parse(L({"--export-png", "card", "doc.vlr"}));
    EXPECT_EQ(o.dpi, 96);
    EXPECT_EQ(o.zoom, 100);
    EXPECT_EQ(o.page, 0);

    // Options in any order, also between the output and the document.
    for (const auto &args : {L({"--export-png", "seite", "--page", "2", "karte.vlr"}),
                             L({"--export-png", "seite", "karte.vlr", "--page", "2"}),
                             L({"--page=2", "karte.vlr", "--export-png=seite"})}) {
        o = Parse(args);
        ASSERT_EQ(o.mode, Mode::ExportPng) << args.join(' ').toStdString() << o.error.toStdString();
        EXPECT_EQ(o.output, "seite");
        EXPECT_EQ(o.document, "karte.vlr");
        EXPECT_EQ(o.page, 2);
    }
    o = Parse(L({"--printer", "Kueche", "karte.vlr", "--print"}));
    ASSERT_EQ(o.mode, Mode::Print);
    EXPECT_EQ(o.printer, "Kueche");
    EXPECT_EQ(o.document, "karte.vlr");
    EXPECT_TRUE(Parse(L({"--print", "karte.vlr"})).printer.isEmpty());
    EXPECT_TRUE(commandline::WantsExport(L({"karte.vlr", "--print"})));

    EXPECT_EQ(Parse(L({"--export-csv", "out.csv", "doc.vlr"})).mode, Mode::ExportCsv);
    EXPECT_EQ(Parse(L({"x.vlr", "--help"})).mode, Mode::Help);

    // The print form by its command-line or its German name; without the
    // option the document's own form.
    EXPECT_FALSE(Parse(L({"--export-pdf", "out.pdf", "doc.vlr"})).printFormGiven);
    for (const auto &[name, form] : {std::pair{"booklet", CardSettings::PrintForm::Booklet},
                                     std::pair{"Heft", CardSettings::PrintForm::Booklet},
                                     std::pair{"TENT", CardSettings::PrintForm::TableTent},
                                     std::pair{"2 pro Blatt", CardSettings::PrintForm::TwoUp},
                                     std::pair{"single", CardSettings::PrintForm::SinglePages}}) {
        for (const char *mode : {"--export-pdf", "--export-png", "--print"}) {
            QStringList args = L({mode, "doc.vlr", "--imposition", name});
            if (QLatin1String(mode) != QLatin1String("--print"))
                args.insert(1, QStringLiteral("out"));
            o = Parse(args);
            ASSERT_NE(o.mode, Mode::Invalid) << args.join(' ').toStdString() << o.error.toStdString();
            EXPECT_TRUE(o.printFormGiven);
            EXPECT_EQ(o.printForm, form) << name;
        }
    }
    // The card: by name or number, or every card; the list of the cards.
    o = Parse(L({"--card", "Mittagstisch", "--export-pdf", "out.pdf", "doc.vlr"}));
    ASSERT_EQ(o.mode, Mode::ExportPdf) << o.error.toStdString();
    EXPECT_EQ(o.card, "Mittagstisch");
    EXPECT_FALSE(o.allCards);
    EXPECT_EQ(Parse(L({"--print", "doc.vlr", "--card=2"})).card, "2");
    o = Parse(L({"--export-html", "out.html", "doc.vlr", "--all-cards"}));
    EXPECT_TRUE(o.allCards);
    EXPECT_TRUE(o.card.isEmpty());
    o = Parse(L({"--list-cards", "doc.vlr"}));
    ASSERT_EQ(o.mode, Mode::ListCards);
    EXPECT_EQ(o.document, "doc.vlr");
    EXPECT_TRUE(commandline::WantsExport(L({"--list-cards", "doc.vlr"})));
    o = Parse(L({"doc.vlr", "--language-stats"}));
    ASSERT_EQ(o.mode, Mode::LanguageStats) << o.error.toStdString();
    EXPECT_EQ(o.document, "doc.vlr");
    EXPECT_TRUE(o.isExport());
    EXPECT_TRUE(commandline::WantsExport(L({"--language-stats", "doc.vlr"})));

    // Which card a name or number chooses: a name first, then a position.
    const QStringList cards{"Speisekarte", "Getr\u00e4nkekarte", "3"};
    EXPECT_EQ(commandline::CardByName(cards, "getr\u00e4nkekarte"), 1);
    EXPECT_EQ(commandline::CardByName(cards, "2"), 1);
    EXPECT_EQ(commandline::CardByName(cards, "3"), 2);
    EXPECT_EQ(commandline::CardByName(cards, "1"), 0);
    EXPECT_EQ(commandline::CardByName(cards, "4"), -1);
    EXPECT_EQ(commandline::CardByName(cards, "0"), -1);
    EXPECT_EQ(commandline::CardByName(cards, "Mittagstisch"), -1);

    // One file per card beside OUT, OUT's extension after the card's name.
    EXPECT_EQ(commandline::AllCardsFile("out/karte.pdf", "Speisekarte", true), "out/karte-Speisekarte.pdf");
    EXPECT_EQ(commandline::AllCardsFile("karte.v2.html", "Wein/Bier", true), "karte.v2-Wein_Bier.html");
    EXPECT_EQ(commandline::AllCardsFile("/tmp/seite", "Mittagstisch", false), "/tmp/seite-Mittagstisch");
    EXPECT_EQ(commandline::AllCardsFile("karte", "x", true), "karte-x");
    EXPECT_EQ(Parse(L({"--version"})).mode, Mode::Version);
}

TEST(CommandLineParse, EachPageOptionReplacesOnlyWhatItNames)
{
    using Paper = CardSettings::Paper;
    auto page = [](std::initializer_list<const char *> extra, Paper paper, bool paperLandscape) {
        QStringList args = L({"--export-pdf", "out.pdf", "doc.vlr"});
        for (const char *e : extra)
            args << QString::fromUtf8(e);
        const auto p = commandline::ExportPageFor(Parse(args), paper, paperLandscape);
        return p.size + (p.landscape ? QStringLiteral(" quer") : QStringLiteral(" hoch"));
    };
    // An A5 card: --landscape turns it, --page-size changes its size only.
    EXPECT_EQ(page({}, Paper::A5, false), "A5 hoch");
    EXPECT_EQ(page({"--landscape"}, Paper::A5, false), "A5 quer");
    EXPECT_EQ(page({"--page-size", "Letter"}, Paper::A5, true), "Letter quer");
    EXPECT_EQ(page({"--page-size", "A4"}, Paper::A5, false), "A4 hoch");
    EXPECT_EQ(page({"--page-size", "legal", "--landscape"}, Paper::A4, false), "legal quer");
    EXPECT_EQ(page({}, Paper::A4, true), "A4 quer");
    // Without a paper of its own: A4 portrait unless named.
    EXPECT_EQ(page({}, Paper::Printer, false), "A4 hoch");
    EXPECT_EQ(page({"--landscape"}, Paper::Printer, false), "A4 quer");
    EXPECT_EQ(page({"--page-size", "A5"}, Paper::Printer, true), "A5 hoch");
}

TEST(CommandLineParse, TerminalTextShowsControlAndFormatCharactersEscaped)
{
    using commandline::TerminalText;
    // Escape sequences, C1 controls, direction marks, zero-width and line
    // separators, a tag beyond U+FFFF.
    EXPECT_EQ(TerminalText(QStringLiteral("a\x1b[31mb\x7f\tc")), QStringLiteral("a\\x1b[31mb\\x7f\\x09c"));
    EXPECT_EQ(TerminalText(QStringLiteral("\u009b2J")), QStringLiteral("\\x9b2J"));
    EXPECT_EQ(TerminalText(QStringLiteral("bild\u202egpj.exe")), QStringLiteral("bild\\u202egpj.exe"));
    EXPECT_EQ(TerminalText(QStringLiteral("x\u200by\u2028z\n")), QStringLiteral("x\\u200by\\u2028z\\x0a"));
    EXPECT_EQ(TerminalText(QString::fromUcs4(U"t\U000E0041")), QStringLiteral("t\\U000e0041"));
    // Letters of any script, symbols beyond U+FFFF and backslashes pass.
    const QString plain = QString::fromUcs4(U"Käse € Ωmega 寿司 \U0001F35C C:\\Karten\\a.vlr");
    EXPECT_EQ(TerminalText(plain), plain);
}

TEST(CommandLineParse, WrongCommandLinesSayWhy)
{
    const std::pair<std::vector<const char *>, const char *> bad[] = {
        {{"--bogus"}, "--bogus"},
        {{"--export-pdf"}, "--export-pdf"},
        {{"--export-pdf", "out.pdf"}, "document"},
        {{"--export-pdf", "out.pdf", "--landscape"}, "document"},
        {{"--export-pdf", "a.pdf", "d.vlr", "--export-csv", "b.csv", "d.vlr"}, "cannot be combined"},
        {{"--export-pdf", "a.pdf", "d.vlr", "extra"}, "extra"},
        {{"--export-pdf", "a.pdf", "d.vlr", "--page-size", "B5"}, "--page-size"},
        {{"--export-pdf", "a.pdf", "d.vlr", "--dpi", "100"}, "--dpi"},
        {{"--export-csv", "a.csv", "d.vlr", "--landscape"}, "--landscape"},
        {{"--export-png", "p", "d.vlr", "--dpi", "0"}, "--dpi"},
        {{"--export-png", "p", "d.vlr", "--dpi", "99999"}, "--dpi"},
        {{"--export-png", "p", "d.vlr", "--zoom", "5"}, "--zoom"},
        {{"--export-png", "p", "d.vlr", "--page", "0"}, "--page"},
        {{"--export-png", "p", "d.vlr", "--page", "two"}, "--page"},
        {{"--export-png", "p", "d.vlr", "--dpi"}, "--dpi"},
        {{"--zoom", "100", "doc.vlr"}, "--zoom"},
        {{"--help=yes"}, "--help"},
        {{"--print"}, "document"},
        {{"--print", "d.vlr", "--printer"}, "--printer"},
        {{"--printer", "P", "d.vlr"}, "--print"},
        {{"--export-pdf", "a.pdf", "d.vlr", "--printer", "P"}, "--printer"},
        {{"--print", "d.vlr", "--export-csv", "b.csv"}, "cannot be combined"},
        {{"--print", "d.vlr", "--landscape"}, "--landscape"},
        {{"--export-pdf", "a.pdf", "d.vlr", "--imposition", "fold"}, "booklet"},
        {{"--export-pdf", "a.pdf", "d.vlr", "--imposition"}, "--imposition"},
        {{"--export-csv", "a.csv", "d.vlr", "--imposition", "tent"}, "--imposition"},
        {{"--export-html", "a.html", "d.vlr", "--imposition", "tent"}, "--imposition"},
        {{"--imposition", "tent", "d.vlr"}, "--imposition"},
        {{"--export-pdf", "a.pdf", "d.vlr", "--card"}, "--card"},
        {{"--export-pdf", "a.pdf", "d.vlr", "--card", " "}, "--card"},
        {{"--export-pdf", "a.pdf", "d.vlr", "--card", "1", "--card", "2"}, "--card"},
        {{"--export-pdf", "a.pdf", "d.vlr", "--card", "1", "--all-cards"}, "cannot be combined"},
        {{"--export-csv", "a.csv", "d.vlr", "--card", "1"}, "--card"},
        {{"--export-csv", "a.csv", "d.vlr", "--all-cards"}, "--all-cards"},
        {{"--print", "d.vlr", "--all-cards"}, "--all-cards"},
        {{"--list-cards", "d.vlr", "--card", "2"}, "--card"},
        {{"--list-cards"}, "document"},
        {{"--card", "2", "d.vlr"}, "--card"},
        {{"--list-cards", "d.vlr", "--export-pdf", "a.pdf"}, "cannot be combined"},
        {{"--language-stats"}, "document"},
        {{"--language-stats", "d.vlr", "--card", "1"}, "--card"},
        {{"--language-stats", "d.vlr", "--landscape"}, "--landscape"},
        {{"--language-stats", "d.vlr", "--list-cards"}, "cannot be combined"},
        {{"--import", "s.xlsx", "d.vlr"}, "--output"},
        {{"--import", "s.xlsx", "d.vlr", "--output"}, "--output"},
        {{"--output", "n.vlr", "d.vlr"}, "--import"},
        {{"--export-xlsx", "a.xlsx", "d.vlr", "--remove-missing"}, "--remove-missing"},
        {{"--import", "s.csv", "d.vlr", "--output", "n.vlr", "--export-xlsx", "a.xlsx"}, "cannot be combined"},
    };
    for (const auto &[list, word] : bad) {
        QStringList args;
        for (const char *a : list)
            args << QString::fromUtf8(a);
        const auto o = Parse(args);
        EXPECT_EQ(o.mode, Mode::Invalid) << args.join(' ').toStdString();
        EXPECT_TRUE(o.error.contains(QString::fromUtf8(word))) << o.error.toStdString();
        EXPECT_FALSE(o.error.contains('\n'));
    }
}

class CommandLineRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo(shiptest::builtProgram()).isExecutable()) << "build the velloran target first";
        ASSERT_TRUE(dir.isValid());
        d = dir.path() + '/';
    }
    QTemporaryDir dir;
    QString d;
};

TEST_F(CommandLineRun, PdfOfTheExampleWithoutADisplay)
{
    auto r = run(shiptest::builtProgram(), {"--export-pdf", d + "card.pdf", shiptest::exampleCard()});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(besidesTranslationNote(r.err).isEmpty()) << r.err.toStdString();
    const QByteArray pdf = testutil::readFile(d + "card.pdf");
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_GE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 2) << "the example card has several pages";

    // Landscape Letter: the page box is 792 x 612 points.
    r = run(shiptest::builtProgram(),
            {"--export-pdf", d + "wide.pdf", shiptest::exampleCard(), "--page-size", "Letter", "--landscape"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(testutil::readFile(d + "wide.pdf").contains("/MediaBox [0 0 792.000000 612.000000]"));
}

namespace {

// The page boxes of a PDF, in points, rounded.
QList<QSize> pageBoxes(const QByteArray &pdf)
{
    QList<QSize> boxes;
    static const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    auto it = box.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        const auto m = it.next();
        boxes << QSize(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble()));
    }
    return boxes;
}

} // namespace

TEST_F(CommandLineRun, TheDocumentsPaperIsThePdfsPageUnlessTheCommandLineNamesOne)
{
    // The example card, stored on A5 landscape.
    DocumentData doc;
    QString why;
    ASSERT_TRUE(LoadDocumentFile(shiptest::exampleCard(), CardSettings(), doc, &why)) << why.toStdString();
    doc.settings.PapierBox = CardSettings::Paper::A5;
    doc.settings.QuerCheck = true;
    ASSERT_TRUE(SaveDocumentFile(d + "a5.vlr", doc.categoryNames, *doc.catalogue, doc.settings, &why));

    auto r = run(shiptest::builtProgram(), {"--export-pdf", d + "a5.pdf", d + "a5.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QSize> a5 = pageBoxes(testutil::readFile(d + "a5.pdf"));
    ASSERT_GE(a5.size(), 2);
    for (const QSize &s : a5)
        EXPECT_EQ(s, QSize(595, 420)); // A5 landscape: 210 x 148 mm

    // A size named on the command line keeps the document's orientation.
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "a4.pdf", d + "a5.vlr", "--page-size", "A4"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QSize> a4 = pageBoxes(testutil::readFile(d + "a4.pdf"));
    ASSERT_FALSE(a4.isEmpty());
    EXPECT_EQ(a4.first(), QSize(842, 595));

    // --landscape alone turns an A5 portrait card and keeps it A5.
    doc.settings.QuerCheck = false;
    ASSERT_TRUE(SaveDocumentFile(d + "a5hoch.vlr", doc.categoryNames, *doc.catalogue, doc.settings, &why));
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "quer.pdf", d + "a5hoch.vlr", "--landscape"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QSize> quer = pageBoxes(testutil::readFile(d + "quer.pdf"));
    ASSERT_FALSE(quer.isEmpty());
    EXPECT_EQ(quer.first(), QSize(595, 420));

    // The example card itself chose no paper: A4 portrait as before.
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "plain.pdf", shiptest::exampleCard()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(pageBoxes(testutil::readFile(d + "plain.pdf")).first(), QSize(595, 842));

    // PNG pages follow the stored paper too: wider than high.
    r = run(shiptest::builtProgram(), {"--export-png", d + "a5", d + "a5.vlr", "--dpi", "40", "--page", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage png(d + "a5-1.png");
    ASSERT_FALSE(png.isNull());
    EXPECT_GT(png.width(), png.height());
}

TEST_F(CommandLineRun, PngPagesAndOnePage)
{
    auto r = run(shiptest::builtProgram(), {"--export-png", d + "all", shiptest::exampleCard(), "--dpi", "40"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(besidesTranslationNote(r.err).isEmpty()) << r.err.toStdString();
    int pages = 0;
    while (QFileInfo::exists(d + QStringLiteral("all-%1.png").arg(pages + 1)))
        ++pages;
    EXPECT_GE(pages, 2);
    const QImage first(d + "all-1.png");
    ASSERT_FALSE(first.isNull());
    // A4 printable width at 40 dpi, zoom 100: about 8.3 in x 40.
    EXPECT_NEAR(first.width(), 330, 12);
    EXPECT_GT(first.height(), first.width());

    r = run(shiptest::builtProgram(),
            {"--export-png", d + "one", shiptest::exampleCard(), "--dpi", "40", "--zoom", "200", "--page", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(d + "one-1.png"));
    const QImage second(d + "one-2.png");
    ASSERT_FALSE(second.isNull());
    EXPECT_NEAR(second.width(), 2 * first.width(), 2);

    // --page 2 at the same size is the second page of the whole export,
    // pixel for pixel, and not the first.
    r = run(shiptest::builtProgram(), {"--export-png", d + "same", shiptest::exampleCard(), "--dpi", "40", "--page", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage same(d + "same-2.png");
    EXPECT_EQ(same.convertToFormat(QImage::Format_RGB32),
              QImage(d + "all-2.png").convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(same.convertToFormat(QImage::Format_RGB32), first.convertToFormat(QImage::Format_RGB32));

    // A page after the last one: an error and no file.
    r = run(shiptest::builtProgram(),
            {"--export-png", d + "none", shiptest::exampleCard(), "--page", QString::number(pages + 1)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("no page"));
    EXPECT_TRUE(QDir(d).entryList({"none*"}).isEmpty());
}

TEST_F(CommandLineRun, CsvOfTheExample)
{
    const auto r = run(shiptest::builtProgram(), {"--export-csv", d + "card.csv", shiptest::exampleCard()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    const QByteArray csv = testutil::readFile(d + "card.csv");
    const QList<QByteArray> lines = csv.split('\n');
    EXPECT_GT(lines.size(), 30);
    EXPECT_TRUE(csv.endsWith("\r\n"));
    // Six quoted fields, two for the marks, the first size's heading, a
    // pair for each of the wines' second and third size, and (the example
    // has several cards) whether the product is offered and its cards, then
    // the English name, description and quantity note.
    EXPECT_EQ(lines.first().count("\",\""), 17);
    EXPECT_TRUE(lines.first().endsWith("\"Bezeichnung (en)\",\"Beschreibung (en)\",\"Menge (en)\"\r")
                || lines.first().endsWith("\"Name (en)\",\"Description (en)\",\"Quantity (en)\"\r"))
        << lines.first().toStdString();
    // The dish out of season keeps its line; a dish of the lunch sheet names
    // both its cards.
    const QString text = QString::fromLatin1(csv);
    // (In the interface language: German here, English where the program runs in an
    // English Windows, as under Wine.)
    EXPECT_TRUE(text.contains(
        QRegularExpression("\"Gem\\S+se-Risotto\",.*,\"(nein|no)\",\"Speisekarte\",\"Vegetable risotto\",[^\r]*\r")));
    EXPECT_TRUE(text.contains(QRegularExpression(
        "\"Kartoffelsuppe\",.*,\"(ja|yes)\",\"Speisekarte, Mittagstisch\",\"Potato soup\",[^\r]*\r")));
}

TEST_F(CommandLineRun, LanguageStatsCountTranslatedAndMissingTextsPerKind)
{
    // "Suppen" (translated): Brühe (name translated, description not),
    // Gulasch; the heading translated, the footer not; one additive of the
    // document's own, translated.
    Catalogue cat;
    cat.addCategory();
    cat.addProduct(0, ProductValues{QString::fromUtf8("Brühe"), "mit Einlage", "", 4.5, 0});
    cat.addProduct(0, ProductValues{"Gulasch", "", "", 9, 0});
    cat.setSecondLanguage({"fr", ""});
    cat.setCategoryTranslation(0, "Soupes");
    cat.setTranslation(0, 0, {"Bouillon", "", ""});
    CardSettings s;
    s.CaptionEd = "Speisekarte";
    s.KopfEd = "";
    s.FussEd = "Guten Appetit";
    s.translation.heading = "Menu";
    s.marks.additives = QStringList{"hausgemacht"};
    s.marks.additiveTranslations = QStringList{"fait maison"};
    QString why;
    ASSERT_TRUE(SaveDocumentFile(d + "fr.vlr", {"Suppen"}, cat, s, &why)) << why.toStdString();

    const auto r = run(shiptest::builtProgram(), {"--language-stats", d + "fr.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    // In the interface language: German here, English where the program
    // runs in an English Windows (under Wine).
    const QString german = QString::fromUtf8("Zweite Sprache: Französisch (fr)\n"
                                             "Kategorien: 1 von 1 übersetzt, 0 fehlen\n"
                                             "Bezeichnungen: 1 von 2 übersetzt, 1 fehlen\n"
                                             "Beschreibungen: 0 von 1 übersetzt, 1 fehlen\n"
                                             "Überschriften: 1 von 1 übersetzt, 0 fehlen\n"
                                             "Fußzeilen: 0 von 1 übersetzt, 1 fehlen\n"
                                             "Zusatzstoffe: 1 von 1 übersetzt, 0 fehlen\n"
                                             "3 von 7 Texten fehlen\n");
    const QString english = QStringLiteral("Second language: French (fr)\n"
                                           "Categories: 1 of 1 translated, 0 missing\n"
                                           "Names: 1 of 2 translated, 1 missing\n"
                                           "Descriptions: 0 of 1 translated, 1 missing\n"
                                           "Headings: 1 of 1 translated, 0 missing\n"
                                           "Footer lines: 0 of 1 translated, 1 missing\n"
                                           "Additives: 1 of 1 translated, 0 missing\n"
                                           "3 of 7 texts missing\n");
    const QString out = QString::fromUtf8(r.out).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_TRUE(out == german || out == english) << out.toStdString();

    // A document that cannot be read: one line on standard error.
    testutil::writeFile(d + "bad.vlr", "xx");
    const auto bad = run(shiptest::builtProgram(), {"--language-stats", d + "bad.vlr"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_EQ(bad.err.count('\n'), 1) << bad.err.toStdString();
}

TEST(CommandLineParse, SpreadsheetExportAndImport)
{
    auto o = Parse(L({"--export-xlsx", "out.xlsx", "doc.vlr"}));
    ASSERT_EQ(o.mode, Mode::ExportXlsx);
    EXPECT_EQ(o.output, "out.xlsx");
    EXPECT_TRUE(o.isExport());
    o = Parse(L({"--output=neu.vlr", "doc.vlr", "--import", "karte.csv"}));
    ASSERT_EQ(o.mode, Mode::Import) << o.error.toStdString();
    EXPECT_EQ(o.sheet, "karte.csv");
    EXPECT_EQ(o.document, "doc.vlr");
    EXPECT_EQ(o.output, "neu.vlr");
    EXPECT_FALSE(o.removeMissing);
    EXPECT_TRUE(commandline::WantsExport(L({"--import", "karte.csv", "doc.vlr", "--output", "n.vlr"})));
    EXPECT_TRUE(Parse(L({"--import", "k.csv", "doc.vlr", "--output", "n.vlr", "--remove-missing"})).removeMissing);
}

// The numbers of an import's summary: new products, new categories, changed,
// unchanged, not in the sheet, unreadable rows (in any interface language).
QList<int> summaryCounts(const QByteArray &out)
{
    QList<int> counts;
    auto it = QRegularExpression(QStringLiteral("\\d+")).globalMatch(QString::fromUtf8(out));
    while (it.hasNext())
        counts << it.next().captured().toInt();
    return counts;
}

// The example as a workbook and back: its own export changes nothing (the
// document written is the same bytes), a changed sheet (with titles in
// English) prints its counts, one with an unreadable row names it and writes
// nothing.
TEST_F(CommandLineRun, ExcelExportAndImportOfTheExample)
{
    auto r = run(shiptest::builtProgram(), {"--export-xlsx", d + "card.xlsx", shiptest::exampleCard()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(testutil::readFile(d + "card.xlsx").startsWith("PK\x03\x04"));
    r = run(shiptest::builtProgram(), {"--import", d + "card.xlsx", shiptest::exampleCard(), "--output", d + "same.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(summaryCounts(r.out), QList<int>({0, 0, 0, 42, 0, 0})) << r.out.toStdString();
    EXPECT_EQ(testutil::readFile(d + "same.vlr"), testutil::readFile(shiptest::exampleCard()));

    ASSERT_TRUE(testutil::writeFile(d + "new.csv", "Category,Name,Price\r\nSuppen,Tagessuppe,\"4.90\"\r\nEis,Vanille,3\r\n"));
    r = run(shiptest::builtProgram(),
            {"--import", d + "new.csv", shiptest::exampleCard(), "--output", d + "new.vlr", "--remove-missing"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(summaryCounts(r.out), QList<int>({1, 1, 1, 0, 41, 0})) << r.out.toStdString();
    EXPECT_GT(testutil::readFile(d + "new.vlr").size(), 0);

    ASSERT_TRUE(testutil::writeFile(d + "bad.csv", "Kategorie;Bezeichnung;Preis\r\nSuppen;Tagessuppe;vier\r\n"));
    r = run(shiptest::builtProgram(), {"--import", d + "bad.csv", shiptest::exampleCard(), "--output", d + "bad.vlr"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains("\"vier\"")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(d + "bad.vlr"));
    ASSERT_TRUE(testutil::writeFile(d + "titles.csv", "Gericht;Euro\r\nSuppe;4\r\n"));
    r = run(shiptest::builtProgram(), {"--import", d + "titles.csv", shiptest::exampleCard(), "--output", d + "t.vlr"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains("\"Gericht\", \"Euro\"")) << r.err.toStdString();
    // The document itself is never the output.
    ASSERT_TRUE(QFile::copy(shiptest::exampleCard(), d + "doc.vlr"));
    r = run(shiptest::builtProgram(), {"--import", d + "new.csv", d + "doc.vlr", "--output", d + "doc.vlr"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(testutil::readFile(d + "doc.vlr"), testutil::readFile(shiptest::exampleCard()));
}

TEST_F(CommandLineRun, WebPageOfTheExample)
{
    auto r = run(shiptest::builtProgram(), {"--export-html", d + "card.html", shiptest::exampleCard()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString html = QString::fromUtf8(testutil::readFile(d + "card.html"));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
    // Every card of the example: the navigation line links to them in card
    // order; their sections hold 9, 4 and 2 categories.
    const int nav = html.indexOf("<nav>");
    ASSERT_GE(nav, 0);
    const int food = html.indexOf("<a href=\"#karte1\">Speisekarte</a>", nav);
    const int drinks = html.indexOf("<a href=\"#karte2\">Getr\u00e4nkekarte</a>", nav);
    const int lunch = html.indexOf("<a href=\"#karte3\">Mittagstisch</a>", nav);
    EXPECT_TRUE(nav < food && food < drinks && drinks < lunch) << nav << ' ' << food << ' ' << drinks << ' ' << lunch;
    EXPECT_LT(lunch, html.indexOf("<section id=\"karte1\""));
    EXPECT_EQ(html.count("<section"), 3 + 9 + 4 + 2);
    EXPECT_EQ(html.count("<table class=\"groessen\">"), 6); // soft drinks, beers, wines on two cards
    EXPECT_FALSE(html.contains("Risotto")); // out of season
    EXPECT_EQ(html.count("Rinderroulade"), 2); // the food card and the lunch sheet

    // One card alone: the page of that card, as a document of one card gives it.
    r = run(shiptest::builtProgram(), {"--export-html", d + "mittag.html", shiptest::exampleCard(), "--card", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString one = QString::fromUtf8(testutil::readFile(d + "mittag.html"));
    EXPECT_FALSE(one.contains("<nav>"));
    EXPECT_TRUE(one.contains(QRegularExpression("<h1[^>]*>Mittagstisch</h1>")));
    EXPECT_EQ(one.count("<section"), 2);
    EXPECT_TRUE(one.contains("<span class=\"nr\">5.</span><span class=\"name\">Schweinebraten")) << "numbered on the card";
    r = run(shiptest::builtProgram(), {"--export-html", d + "x.html", shiptest::exampleCard(), "--landscape"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(QFile::exists(d + "x.html"));
}

TEST_F(CommandLineRun, ATranslatedMenuGivesTheGermanPageAndTheSecondLanguagesBesideIt)
{
    DocumentData doc;
    QString why;
    ASSERT_TRUE(LoadDocumentFile(shiptest::exampleCard(), CardSettings(), doc, &why)) << why.toStdString();
    doc.catalogue->setSecondLanguage({QStringLiteral("fr"), QString()});
    doc.catalogue->setTranslation(0, 0, {QStringLiteral("Plat du jour"), QString(), QString()});
    ASSERT_TRUE(SaveDocumentFile(d + "fr.vlr", doc.categoryNames, *doc.catalogue, doc.settings, &why,
                                 doc.unknownRecords, &doc.cards));
    DocumentData back;
    ASSERT_TRUE(LoadDocumentFile(d + "fr.vlr", CardSettings(), back, &why)) << why.toStdString();
    if (!back.catalogue->hasTranslations())
        GTEST_SKIP() << "this build stores no translations in documents";

    auto r = run(shiptest::builtProgram(), {"--export-html", d + "menu.html", d + "fr.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    const QString de = QString::fromUtf8(testutil::readFile(d + "menu.html"));
    const QString fr = QString::fromUtf8(testutil::readFile(d + "menu.fr.html"));
    EXPECT_TRUE(de.contains("<html lang=\"de\">"));
    EXPECT_TRUE(de.contains("<link rel=\"alternate\" hreflang=\"fr\" href=\"menu.fr.html\">"));
    EXPECT_TRUE(de.contains(">Fran\u00e7ais</a></nav>"));
    EXPECT_TRUE(fr.contains("<html lang=\"fr\">"));
    EXPECT_TRUE(fr.contains("<link rel=\"alternate\" hreflang=\"de\" href=\"menu.html\">"));
    EXPECT_TRUE(fr.contains("Plat du jour"));
    EXPECT_TRUE(fr.contains("<span lang=\"de\">"));
    // The five texts still in German alone (the soup of the day and the
    // cheese board, each with its description, and the first dish's
    // description, whose translation went above) are said on one line.
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(QRegularExpression("^velloran: .*\\b5\\b"))) << r.err.toStdString();

    // One card, and every card each with its pair; the lunch sheet's texts
    // are all translated.
    r = run(shiptest::builtProgram(), {"--export-html", d + "mittag.html", d + "fr.vlr", "--card", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(d + "mittag.fr.html"));
    ASSERT_TRUE(QDir(d).mkdir("alle"));
    r = run(shiptest::builtProgram(), {"--export-html", d + "alle/seite.html", d + "fr.vlr", "--all-cards"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QDir(d + "alle").entryList(QDir::Files).size(), 6) << QDir(d + "alle").entryList().join(' ').toStdString();
    EXPECT_TRUE(QFile::exists(d + "alle/seite-Speisekarte.fr.html"));

    // The second page cannot be written: the error names it, and the
    // German page is not written either.
    ASSERT_TRUE(QDir(d).mkdir("neu.fr.html"));
    r = run(shiptest::builtProgram(), {"--export-html", d + "neu.html", d + "fr.vlr"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(QString::fromLocal8Bit(r.err).contains(QDir::toNativeSeparators(d + "neu.fr.html"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(d + "neu.html"));
}

TEST_F(CommandLineRun, FailuresNameTheFileAndLeaveNoOutput)
{
    const QString out = d + "out.pdf";
    auto expectFailure = [&](const QStringList &args, const QString &named, int code) {
        const auto r = run(shiptest::builtProgram(), args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, code) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        // One line, naming the file.
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(QString::fromLocal8Bit(r.err).contains(QDir::toNativeSeparators(named))) << r.err.toStdString();
    };

    // A document that is not there.
    expectFailure({"--export-pdf", out, d + "missing.vlr"}, d + "missing.vlr", 1);
    EXPECT_FALSE(QFileInfo::exists(out));

    // A damaged document (the example cut short) over an existing output:
    // the old output stays as it was.
    const QByteArray example = testutil::readFile(shiptest::exampleCard());
    ASSERT_TRUE(testutil::writeFile(d + "cut.vlr", example.left(example.size() / 2)));
    ASSERT_TRUE(testutil::writeFile(out, "old output"));
    expectFailure({"--export-pdf", out, d + "cut.vlr"}, d + "cut.vlr", 1);
    EXPECT_EQ(testutil::readFile(out), "old output");
    expectFailure({"--export-csv", d + "out.csv", d + "cut.vlr"}, d + "cut.vlr", 1);
    expectFailure({"--export-png", d + "page", d + "cut.vlr"}, d + "cut.vlr", 1);

    // A folder as the document, and an output in a folder that does not exist.
    expectFailure({"--export-pdf", out, d}, QDir(d).path(), 1);
    expectFailure({"--export-pdf", d + "no/such/dir/x.pdf", shiptest::exampleCard()}, d + "no/such/dir/x.pdf", 1);
    expectFailure({"--export-csv", d + "no/such/dir/x.csv", shiptest::exampleCard()}, d + "no/such/dir/x.csv", 1);
    expectFailure({"--export-png", d + "no/such/dir/p", shiptest::exampleCard()}, d + "no/such/dir/p-1.png", 1);

    // An output that would replace the document is refused.
    ASSERT_TRUE(QFile::copy(shiptest::exampleCard(), d + "doc.vlr"));
    for (const char *mode : {"--export-csv", "--export-pdf", "--export-html"}) {
        expectFailure({mode, d + "doc.vlr", d + "doc.vlr"}, d + "doc.vlr", 1);
        EXPECT_EQ(testutil::readFile(d + "doc.vlr"), example) << mode;
    }

    // Only the leftovers named above: no temporary files stay behind.
    EXPECT_EQ(QDir(d).entryList(QDir::Files, QDir::Name), QStringList({"cut.vlr", "doc.vlr", "out.pdf"}));

    // A printer that does not exist: one line naming it, exit code 1.
    expectFailure({"--print", shiptest::exampleCard(), "--printer", "NoSuchPrinter"}, "NoSuchPrinter", 1);

    // A wrong command line: exit code 2, one line.
    const auto r = run(shiptest::builtProgram(), {"--export-pdf", out});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.count('\n'), 1);
}

TEST_F(CommandLineRun, PrintFormsOnSheetsOfTwiceThePaper)
{
    // The example chose no paper: A4 pages, booklet sheets of A3 landscape,
    // two sides per sheet.
    auto r = run(shiptest::builtProgram(), {"--export-pdf", d + "heft.pdf", shiptest::exampleCard(), "--imposition", "booklet"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QSize> heft = pageBoxes(testutil::readFile(d + "heft.pdf"));
    ASSERT_FALSE(heft.isEmpty());
    EXPECT_EQ(heft.size() % 2, 0);
    for (const QSize &s : heft)
        EXPECT_EQ(s, QSize(1191, 842));

    // A form stored in the document is used; --imposition single prints it
    // page by page as before.
    DocumentData doc;
    QString why;
    ASSERT_TRUE(LoadDocumentFile(shiptest::exampleCard(), CardSettings(), doc, &why)) << why.toStdString();
    doc.settings.PapierBox = CardSettings::Paper::A5;
    doc.settings.QuerCheck = true;
    doc.settings.DruckformBox = CardSettings::PrintForm::TableTent;
    ASSERT_TRUE(SaveDocumentFile(d + "tent.vlr", doc.categoryNames, *doc.catalogue, doc.settings, &why));
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "tent.pdf", d + "tent.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(pageBoxes(testutil::readFile(d + "tent.pdf")), QList<QSize>{QSize(595, 842)});
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "single.pdf", d + "tent.vlr", "--imposition", "single"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QSize> single = pageBoxes(testutil::readFile(d + "single.pdf"));
    ASSERT_GE(single.size(), 2);
    EXPECT_EQ(single.first(), QSize(595, 420));

    // PNG pictures are the sheet sides: one for the tent.
    r = run(shiptest::builtProgram(), {"--export-png", d + "tent", d + "tent.vlr", "--dpi", "30"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage png(d + "tent-1.png");
    ASSERT_FALSE(png.isNull());
    EXPECT_LT(png.width(), png.height()); // A4 portrait
    EXPECT_FALSE(QFileInfo::exists(d + "tent-2.png"));

    // Legal has no sheet of twice its size: said in one line, nothing written.
    for (const char *mode : {"--export-pdf", "--export-png"}) {
        r = run(shiptest::builtProgram(),
                {mode, d + "legal", shiptest::exampleCard(), "--page-size", "Legal", "--imposition", "2up"});
        EXPECT_EQ(r.exitCode, 1) << mode;
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Legal")) << r.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(d + "legal"));
    EXPECT_FALSE(QFileInfo::exists(d + "legal-1.png"));
}

namespace {

// The page size pdfinfo gives for a PDF, in points, rounded.
QSize pdfPageSize(const QString &path)
{
    const auto m = QRegularExpression(QStringLiteral("^Page size:\\s+([0-9.]+) x ([0-9.]+) pts"),
                                      QRegularExpression::MultilineOption)
                       .match(testutil::runPdfTool(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? QSize(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble())) : QSize();
}

} // namespace

TEST_F(CommandLineRun, TheExamplesCardsEachOnTheirPaperAndTheirList)
{
    // Every card as a PDF of its own, named after the card, on its paper.
    auto r = run(shiptest::builtProgram(), {"--all-cards", "--export-pdf", d + "example.pdf", shiptest::exampleCard()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(besidesTranslationNote(r.err).isEmpty()) << r.err.toStdString();
    const QString food = d + "example-Speisekarte.pdf", drinks = d + QString::fromUtf8("example-Getränkekarte.pdf"),
                  lunch = d + "example-Mittagstisch.pdf";
    EXPECT_EQ(QDir(d).entryList(QDir::Files), QStringList({"example-Getr\u00e4nkekarte.pdf", "example-Mittagstisch.pdf",
                                                           "example-Speisekarte.pdf"}));
    EXPECT_EQ(pdfPageSize(food), QSize(595, 842));   // A4: the document chose no paper
    EXPECT_EQ(pdfPageSize(drinks), QSize(420, 595)); // A5
    EXPECT_EQ(pdfPageSize(lunch), QSize(420, 595));
    EXPECT_EQ(testutil::pdfPages(lunch), 1);

    // The lunch sheet: its five dishes numbered from 1, dated the day it is
    // printed, nothing of the food card's other dishes.
    const QString sheet = testutil::pdfText(lunch);
    CardSettings dated;
    dated.DatumBox = CardSettings::DateLine::Today;
    EXPECT_TRUE(sheet.contains(DateLineText(dated, QDate::currentDate()))) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("1. Kartoffelsuppe")) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("5. Schweinebraten")) << sheet.toStdString();
    EXPECT_FALSE(sheet.contains("Bruschetta"));
    // The food card without the dish out of season, the drinks card with
    // its sizes and the drinks alone.
    EXPECT_FALSE(testutil::pdfText(food).contains("Risotto"));
    const QString drinkText = testutil::pdfText(drinks);
    EXPECT_TRUE(drinkText.contains("0,75 l"));
    EXPECT_FALSE(drinkText.contains("Schnitzel"));

    // --card by name or number: that card alone.
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "byname.pdf", shiptest::exampleCard(), "--card", "mittagstisch"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "bynumber.pdf", shiptest::exampleCard(), "--card", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(testutil::pdfText(d + "byname.pdf"), sheet);
    EXPECT_EQ(testutil::pdfText(d + "bynumber.pdf"), sheet);
    EXPECT_EQ(pdfPageSize(d + "bynumber.pdf"), QSize(420, 595));

    // A card the document does not hold: a usage error naming the cards.
    for (const char *wrong : {"Weinkarte", "4"}) {
        r = run(shiptest::builtProgram(), {"--export-pdf", d + "none.pdf", shiptest::exampleCard(), "--card", wrong});
        EXPECT_EQ(r.exitCode, 2);
        const QString err = QString::fromUtf8(r.err);
        EXPECT_TRUE(err.contains(QString::fromUtf8(wrong)) && err.contains("1 \"Speisekarte\"")
                    && err.contains("2 \"Getr\u00e4nkekarte\"") && err.contains("3 \"Mittagstisch\""))
            << err.toStdString();
        EXPECT_EQ(err.count('\n'), 1);
        EXPECT_FALSE(QFile::exists(d + "none.pdf"));
    }

    // The list: number, name, products and pages as the PDFs have them.
    r = run(shiptest::builtProgram(), {"--list-cards", shiptest::exampleCard()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out),
              QStringLiteral("1\tSpeisekarte\t41 products\t%1 pages\n"
                             "2\tGetr\u00e4nkekarte\t20 products\t%2 pages\n"
                             "3\tMittagstisch\t5 products\t1 page\n")
                  .arg(testutil::pdfPages(food))
                  .arg(testutil::pdfPages(drinks)));
}

TEST_F(CommandLineRun, EveryCardsFileStaysInTheChosenFolder)
{
    DocumentData doc;
    QString why;
    ASSERT_TRUE(LoadDocumentFile(shiptest::exampleCard(), CardSettings(), doc, &why)) << why.toStdString();
    ASSERT_EQ(doc.cards.count(), 3);
    doc.cards[1].name = QStringLiteral("../x");
    doc.cards[2].name = QStringLiteral("Wein/Bier");
    ASSERT_TRUE(SaveDocumentFile(d + "cards.vlr", doc.categoryNames, *doc.catalogue, doc.settings, &why,
                                 doc.unknownRecords, &doc.cards));
    ASSERT_TRUE(QDir(d).mkdir("out"));

    auto r = run(shiptest::builtProgram(), {"--export-html", d + "out/seite.html", d + "cards.vlr", "--all-cards"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList pages = QDir(d + "out").entryList(QDir::Files);
    // The example is translated: each card's German page with its English one.
    ASSERT_EQ(pages.size(), 6) << pages.join(' ').toStdString();
    EXPECT_TRUE(pages.contains("seite-Speisekarte.html"));
    EXPECT_TRUE(pages.contains("seite-Wein_Bier.html"));
    EXPECT_TRUE(pages.contains("seite-Wein_Bier.en.html"));
    EXPECT_TRUE(pages.contains("seite-_x.en.html"));
    EXPECT_EQ(QDir(d).entryList(QDir::Files), QStringList({"cards.vlr"})) << "nothing beside the folder";
    // Each page carries its card alone.
    const QString wine = QString::fromUtf8(testutil::readFile(d + "out/seite-Wein_Bier.html"));
    EXPECT_FALSE(wine.contains("<nav>"));
    EXPECT_TRUE(wine.contains("Schweinebraten"));
    EXPECT_FALSE(wine.contains("Bruschetta"));

    // PNG pages: the card's name after the prefix, then the page.
    r = run(shiptest::builtProgram(), {"--export-png", d + "out/bild", d + "cards.vlr", "--all-cards", "--dpi", "20",
                                       "--page", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(d + "out/bild-Wein_Bier-1.png"));
    EXPECT_TRUE(QFile::exists(d + "out/bild-Speisekarte-1.png"));
    EXPECT_EQ(QDir(d + "out").entryList({"bild*"}).size(), 3);
    EXPECT_EQ(QDir(d).entryList(QDir::Files), QStringList({"cards.vlr"}));

    // A card that cannot be written (the lunch sheet has no page 2): no
    // card's file is put in place, an existing one stays as it was.
    ASSERT_TRUE(testutil::writeFile(d + "out/bild-Speisekarte-2.png", "old"));
    r = run(shiptest::builtProgram(), {"--export-png", d + "out/bild", d + "cards.vlr", "--all-cards", "--dpi", "20",
                                       "--page", "2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("no page 2")) << r.err.toStdString();
    EXPECT_EQ(testutil::readFile(d + "out/bild-Speisekarte-2.png"), "old");
    EXPECT_EQ(QDir(d + "out").entryList({"bild*"}).size(), 4) << "nothing new, nothing temporary";
}

TEST_F(CommandLineRun, HelpAndVersionNeedNoDisplay)
{
    auto r = run(shiptest::builtProgram(), {"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("--export-pdf"));
    EXPECT_TRUE(r.out.contains("--print"));
    EXPECT_TRUE(r.out.endsWith('\n'));
    EXPECT_TRUE(r.err.isEmpty());
    r = run(shiptest::builtProgram(), {"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.isEmpty());
    // The version, then Qt and the picture and compression libraries, one a line (Windows
    // ends each with CR LF, as its console programs do).
    EXPECT_TRUE(r.out.endsWith('\n'));
    QStringList lines = QString::fromLocal8Bit(r.out).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    lines.removeLast();
    ASSERT_GE(lines.size(), 4) << r.out.toStdString();
    EXPECT_EQ(lines.takeFirst(), QStringLiteral("Velloran " VELLORAN_VERSION));
    for (QString &l : lines) {
        EXPECT_TRUE(l.startsWith(QLatin1String("  "))) << l.toStdString();
        l = l.trimmed();
    }
    EXPECT_EQ(lines.join(QLatin1Char('\n')).toStdString(),
              platform::LibraryVersions().join(QLatin1Char('\n')).toStdString());
    EXPECT_EQ(lines.value(0), QStringLiteral("Qt ") + QString::fromLatin1(qVersion()));
    // Each library with the version it has, and every format the picture dialog offers
    // with the library that decodes it (the Windows program carries no WebP or TIFF
    // decoder and offers neither).
    auto version = [&](const QString &library) {
        for (const QString &l : lines) {
            if (l.startsWith(library + QLatin1Char(' ')))
                return l.mid(library.size() + 1);
        }
        return QString();
    };
    const QRegularExpression number(QStringLiteral("^[0-9]+(\\.[0-9]+)+$"));
    EXPECT_TRUE(number.match(version(QStringLiteral("zlib"))).hasMatch()) << r.out.toStdString();
    EXPECT_TRUE(number.match(version(QStringLiteral("libpng"))).hasMatch()) << r.out.toStdString();
    const QStringList offered = GetDIBOpenFilter().section(QLatin1Char('|'), 1).split(QLatin1Char(';'));
    const std::pair<const char *, const char *> decoders[] = {
        {"*.jpg", "libjpeg-turbo"}, {"*.webp", "libwebp"}, {"*.tif", "libtiff"}, {"*.tiff", "libtiff"}};
    for (const auto &[pattern, library] : decoders) {
        if (offered.contains(QLatin1String(pattern)))
            EXPECT_TRUE(number.match(version(QLatin1String(library))).hasMatch())
                << pattern << " is offered, but: " << r.out.toStdString();
    }
}

TEST_F(CommandLineRun, PngPagesUnderTheirOwnNames)
{
    // A prefix with "%1" in it is a name like any other.
    auto r = run(shiptest::builtProgram(), {"--export-png", d + "seite%1", shiptest::exampleCard(), "--dpi", "20"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList written = QDir(d).entryList({"seite*"}, QDir::Files);
    ASSERT_GE(written.size(), 2) << written.join(' ').toStdString();
    for (int p = 1; p <= written.size(); ++p)
        EXPECT_TRUE(written.contains(QStringLiteral("seite%1-") + QString::number(p) + ".png"))
            << written.join(' ').toStdString();
}

TEST_F(CommandLineRun, PngPagesAreWrittenOneAtATime)
{
    // More pages than the program may hold files open at once: one category
    // per page, 120 pages, 40 open files allowed.
    Catalogue cat;
    QStringList names;
    for (int i = 0; i < 120; ++i) {
        ASSERT_TRUE(cat.addCategory());
        names << QStringLiteral("Kategorie %1").arg(i + 1);
        ProductValues v;
        v.name = QStringLiteral("Produkt");
        v.price = 1.5;
        ASSERT_NE(cat.addProduct(i, v), nullptr);
    }
    CardSettings s;
    s.NewPageForKatCheck = true;
    s.FilenameEdit2.clear();
    QString why;
    ASSERT_TRUE(SaveDocumentFile(d + "long.vlr", names, cat, s, &why)) << why.toStdString();
    const auto r = run(QStringLiteral("/bin/sh"), {"-c", "ulimit -n 40 && exec \"$0\" \"$@\"", shiptest::builtProgram(),
                                        "--export-png", d + "long", d + "long.vlr", "--dpi", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(d + "long-1.png"));
    EXPECT_TRUE(QFileInfo::exists(d + "long-120.png"));
    EXPECT_FALSE(QFileInfo::exists(d + "long-121.png"));
    // Nothing temporary left behind.
    EXPECT_EQ(QDir(d).entryList({"long-*"}, QDir::Files).size(), 120);
}

// A picture that cannot be used (too large, on another machine, a device) or a QR code
// that cannot be made: said in one line, and the card is made without it.
TEST_F(CommandLineRun, AnUnusablePictureOrQrCodeIsSaidAndTheExportSucceeds)
{
    // A bitmap header announcing 12000 x 9000 pixels: refused for its size.
    QByteArray bmp(54, '\0');
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, 12000);
    put32(22, 9000);
    bmp[26] = 1;
    bmp[28] = 24;
    ASSERT_TRUE(testutil::writeFile(d + "riesig.bmp", bmp));

    Catalogue cat;
    ASSERT_TRUE(cat.addCategory());
    ProductValues v;
    v.name = QStringLiteral("Suppe");
    v.price = 4.5;
    ASSERT_NE(cat.addProduct(0, v), nullptr);
    CardSettings s;
    s.FilenameEdit2 = d + "riesig.bmp";
    QString why;
    ASSERT_TRUE(SaveDocumentFile(d + "bild.vlr", {QStringLiteral("Suppen")}, cat, s, &why)) << why.toStdString();
    // And an address longer than a QR code holds, to be printed.
    s.FilenameEdit2.clear();
    s.QrDruckCheck = true;
    s.QrUrlEd = QStringLiteral("https://linde.de/") + QString(3000, QLatin1Char('a'));
    ASSERT_TRUE(SaveDocumentFile(d + "qr.vlr", {QStringLiteral("Suppen")}, cat, s, &why)) << why.toStdString();

    for (const QStringList &args : {QStringList{"--export-pdf", d + "bild.pdf", d + "bild.vlr"},
                                    QStringList{"--export-png", d + "bild", d + "bild.vlr", "--dpi", "20"}}) {
        const auto r = run(shiptest::builtProgram(), args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(QString::fromLocal8Bit(r.err).contains(QDir::toNativeSeparators(d + "riesig.bmp")))
            << r.err.toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(d + "bild.pdf"));
    EXPECT_TRUE(QFileInfo::exists(d + "bild-1.png"));

    auto r = run(shiptest::builtProgram(), {"--export-pdf", d + "qr.pdf", d + "qr.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("QR")) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(d + "qr.pdf"));

    // A WebP picture: used where the program reads WebP (it offers it in the picture
    // dialog), said in one line where it carries no WebP decoder (Windows).
    ASSERT_TRUE(testutil::writeFile(d + "rot.webp", testutil::smallWebP()));
    s.QrDruckCheck = false;
    s.FilenameEdit2 = d + "rot.webp";
    ASSERT_TRUE(SaveDocumentFile(d + "webp.vlr", {QStringLiteral("Suppen")}, cat, s, &why)) << why.toStdString();
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "webp.pdf", d + "webp.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(testutil::readFile(d + "webp.pdf").startsWith("%PDF-"));
    if (GetDIBOpenFilter().contains(QLatin1String("*.webp"))) {
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    } else {
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(QString::fromLocal8Bit(r.err).contains(QDir::toNativeSeparators(d + "rot.webp")))
            << r.err.toStdString();
    }

    // A picture on another machine or a device: never opened, refused with its own reason.
    s.QrDruckCheck = false;
    int n = 0;
    for (const QString &picture : {QStringLiteral(R"(\\127.0.0.1\share\x.png)"), QStringLiteral("/dev/zero")}) {
        SCOPED_TRACE(picture.toStdString());
        const QString doc = d + "fern" + QString::number(++n);
        s.FilenameEdit2 = picture;
        ASSERT_TRUE(SaveDocumentFile(doc + ".vlr", {QStringLiteral("Suppen")}, cat, s, &why)) << why.toStdString();
        r = run(shiptest::builtProgram(), {"--export-pdf", doc + ".pdf", doc + ".vlr"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(testutil::readFile(doc + ".pdf").startsWith("%PDF-"));
        const QString refused = QString::fromLocal8Bit(r.err);
        EXPECT_EQ(refused.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(refused.contains(QDir::toNativeSeparators(picture))) << r.err.toStdString();
        // The refusal's own reason, in the interface language (German or English here).
        EXPECT_TRUE(refused.contains(QStringLiteral("Netzwerk")) || refused.contains(QStringLiteral("network")))
            << r.err.toStdString();
    }

    // A picture name with an escape sequence, a line break and a direction mark, and a
    // document whose name has them: the line shows them escaped, the
    // terminal never gets them.
    s.QrDruckCheck = false;
    s.FilenameEdit2 = d + QStringLiteral("fehlt\x1b[2J\n\u202egpj.bmp");
    ASSERT_TRUE(SaveDocumentFile(d + "steuer.vlr", {QStringLiteral("Suppen")}, cat, s, &why)) << why.toStdString();
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "steuer.pdf", d + "steuer.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("fehlt\\x1b[2J\\x0a\\u202egpj.bmp")) << r.err.toStdString();
    QByteArray said = r.err;
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "x.pdf", d + QStringLiteral("\u202ekarte\x07.vlr")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("\\u202ekarte\\x07.vlr")) << r.err.toStdString();
    said += r.err;
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "x.pdf", d + "a.vlr", QStringLiteral("b\x1b.vlr")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("b\\x1b.vlr")) << r.err.toStdString();
    said += r.err;
    for (const QByteArray &raw : {QByteArray("\x1b"), QByteArray("\x07"), QByteArray("\xe2\x80\xae")})
        EXPECT_FALSE(said.contains(raw)) << said.toStdString();

    // A card whose picture and code are fine says nothing.
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "fine.pdf", shiptest::exampleCard()});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(besidesTranslationNote(r.err).isEmpty()) << r.err.toStdString();
}

TEST_F(CommandLineRun, ABilingualCardSaysHowManyTextsLackTheirTranslationAndIsStillExported)
{
    Catalogue cat;
    ASSERT_TRUE(cat.addCategory());
    cat.setCategoryTranslation(0, QStringLiteral("Soups"));
    ProductValues v;
    v.name = QStringLiteral("Suppe");
    v.price = 4.5;
    ASSERT_NE(cat.addProduct(0, v), nullptr);
    v.name = QStringLiteral("Brot");
    v.price = 2;
    ASSERT_NE(cat.addProduct(0, v), nullptr);
    ProductTranslation soup;
    soup.name = QStringLiteral("Soup");
    cat.setTranslation(0, 0, soup);
    CardSettings s;
    s.ZweisprachigCheck = true;
    s.translation.heading = QStringLiteral("Menu");
    // Without translation: the bread's name and the footer line.
    QString why;
    ASSERT_TRUE(SaveDocumentFile(d + "zwei.vlr", {QStringLiteral("Suppen")}, cat, s, &why)) << why.toStdString();
    s.ZweisprachigCheck = false;
    ASSERT_TRUE(SaveDocumentFile(d + "eins.vlr", {QStringLiteral("Suppen")}, cat, s, &why)) << why.toStdString();

    // One line on standard error, in the interface language; the file is
    // written all the same.
    const QRegularExpression note(
        QStringLiteral("^velloran: (Zweisprachige Karte: 2 Texte ohne Übersetzung|Bilingual card: 2 texts without translation)\\r?$"),
        QRegularExpression::MultilineOption);
    for (const QStringList &args : {QStringList{"--export-pdf", d + "zwei.pdf"}, QStringList{"--export-png", d + "zwei"}}) {
        const auto r = run(shiptest::builtProgram(), args + QStringList{d + "zwei.vlr"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(QString::fromLocal8Bit(r.err).count(note), 1) << r.err.toStdString();
    }
    EXPECT_TRUE(QFileInfo(d + "zwei.pdf").size() > 0);
    EXPECT_TRUE(QFileInfo::exists(d + "zwei-1.png"));
    // The same card in German alone says nothing of translations.
    const auto r = run(shiptest::builtProgram(), {"--export-pdf", d + "eins.pdf", d + "eins.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(QString::fromLocal8Bit(r.err).contains(QStringLiteral("Zweisprachig"))) << r.err.toStdString();
    EXPECT_FALSE(QString::fromLocal8Bit(r.err).contains(QStringLiteral("Bilingual"))) << r.err.toStdString();
}

TEST_F(CommandLineRun, TheLogoAndTheReadabilityOfTheBackgroundAreSaid)
{
    // A dark grey background picture lightened a little, and a logo.
    QImage grey(16, 16, QImage::Format_RGB32);
    grey.fill(qRgb(60, 60, 60));
    ASSERT_TRUE(grey.save(d + "grau.png"));
    QImage logo(40, 20, QImage::Format_ARGB32);
    logo.fill(qRgb(200, 0, 0));
    ASSERT_TRUE(logo.save(d + "logo.png"));
    Catalogue cat;
    ASSERT_TRUE(cat.addCategory());
    ProductValues v;
    v.name = QStringLiteral("Suppe");
    v.price = 4.5;
    ASSERT_NE(cat.addProduct(0, v), nullptr);
    CardSettings s;
    s.FilenameEdit2 = d + "grau.png";
    s.HellEd = 90;
    s.LogoEd = d + "logo.png";
    QString why;
    ASSERT_TRUE(SaveDocumentFile(d + "dunkel.vlr", {QStringLiteral("Suppen")}, cat, s, &why)) << why.toStdString();

    // Every printed font is named with the lightening that reaches 4.5 : 1;
    // the export still succeeds.
    auto r = run(shiptest::builtProgram(), {"--export-pdf", d + "dunkel.pdf", d + "dunkel.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString err = QString::fromLocal8Bit(r.err);
    // One line per printed font, no header line; in the interface language
    // (German here, English under Wine).
    EXPECT_EQ(err.count('\n'), 8) << r.err.toStdString();
    EXPECT_EQ(err.count(QRegularExpression(QStringLiteral("^velloran: .*[Kk]ontrast|^velloran: .*contrast"),
                                           QRegularExpression::MultilineOption)),
              8)
        << r.err.toStdString();
    EXPECT_TRUE(err.contains(QRegularExpression(QStringLiteral("(Schriftart für Beschreibung: Kontrast|Font for description: contrast) "))))
        << r.err.toStdString();
    EXPECT_TRUE(err.contains(QRegularExpression(QStringLiteral("(Aufhellung auf \\d+ % erhöhen|lightening to \\d+ %)"))))
        << r.err.toStdString();
    // The web page carries the logo; nothing is said about it.
    r = run(shiptest::builtProgram(), {"--export-html", d + "karte.html", d + "dunkel.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_TRUE(testutil::readFile(d + "karte.html").contains("<p class=\"logo\""));

    // Lightened enough: nothing to say. A logo that is not there is said
    // like a background picture, and the card comes out without it.
    s.HellEd = 20;
    s.LogoEd = d + "fehlt.png";
    ASSERT_TRUE(SaveDocumentFile(d + "hell.vlr", {QStringLiteral("Suppen")}, cat, s, &why)) << why.toStdString();
    r = run(shiptest::builtProgram(), {"--export-pdf", d + "hell.pdf", d + "hell.vlr"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(QString::fromLocal8Bit(r.err).contains(QDir::toNativeSeparators(d + "fehlt.png"))) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(d + "hell.pdf"));
}
