// Print forms: which card page lies on which half of which sheet, read back
// from the PDF the program writes (pdftotext -bbox), the table tent's turned
// copy, its fold line, and the sheets' sizes (pdfinfo).
#include "cardbuilder.h"
#include "testutil.h"

#include "layout/imposition.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

struct Word {
    int page; // from 0
    double pageW, pageH;
    double xMin, yMin, xMax, yMax;
    QString text;
    double x() const { return (xMin + xMax) / 2; }
    double y() const { return (yMin + yMax) / 2; }
};

// Every word of the PDF with its page and box, in points.
QVector<Word> pdfWords(const QString &pdf)
{
    const QString out = testutil::runPdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression pageRe(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    static const QRegularExpression wordRe(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QVector<Word> words;
    int page = -1;
    double w = 0, h = 0;
    for (const QString &line : out.split(QLatin1Char('\n'))) {
        const auto pm = pageRe.match(line);
        if (pm.hasMatch()) {
            ++page;
            w = pm.captured(1).toDouble();
            h = pm.captured(2).toDouble();
            continue;
        }
        const auto m = wordRe.match(line);
        if (m.hasMatch())
            words.push_back({page, w, h, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                             m.captured(4).toDouble(), m.captured(5)});
    }
    return words;
}

// The "Seite" the pdfinfo gives, in whole points ("842 x 595").
QString pdfPageSize(const QString &pdf)
{
    const QString info = testutil::runPdfTool(QStringLiteral("pdfinfo"), {pdf});
    static const QRegularExpression re(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"));
    const auto m = re.match(info);
    if (!m.hasMatch())
        return QString();
    return QStringLiteral("%1 x %2").arg(qRound(m.captured(1).toDouble())).arg(qRound(m.captured(2).toDouble()));
}

// A card of `pages` pages: category k (caption "SeiteK") alone on page k.
struct PagedCard : testutil::CardBuilder {
    explicit PagedCard(int pages)
    {
        s.CaptionEd.clear();
        s.FussEd.clear();
        s.KopfEd.clear();
        s.RahmenCheck = false;
        s.CapsCheck = false;
        s.NewPageForKatCheck = true;
        for (int k = 1; k <= pages; ++k) {
            const int c = category(QStringLiteral("Seite%1").arg(k));
            product(c, QStringLiteral("Gericht%1").arg(k), 4 + k);
        }
    }
};

const QPageLayout kA5(QPageSize(QPageSize::A5), QPageLayout::Portrait, QMarginsF());

// Which card page ("SeiteK") each half of each sheet side shows: [side][half]
// = K, 0 for a blank half; a half showing two pages gives -1.
std::vector<std::array<int, 2>> halvesOf(const QVector<Word> &words, int sides, bool stacked)
{
    std::vector<std::array<int, 2>> halves(size_t(sides), {0, 0});
    static const QRegularExpression re(QStringLiteral("^Seite(\\d+)$"));
    for (const Word &w : words) {
        const auto m = re.match(w.text);
        if (!m.hasMatch() || w.page >= sides)
            continue;
        const int half = stacked ? (w.y() < w.pageH / 2 ? 0 : 1) : (w.x() < w.pageW / 2 ? 0 : 1);
        int &slot = halves[size_t(w.page)][size_t(half)];
        slot = slot == 0 ? m.captured(1).toInt() : -1;
    }
    return halves;
}

TEST(Imposition, BookletsOfOneToThirteenPagesFoldInReadingOrder)
{
    QTemporaryDir dir;
    for (int n = 1; n <= 13; ++n) {
        SCOPED_TRACE(n);
        PagedCard card(n);
        card.s.DruckformBox = PrintForm::Booklet;
        const QString pdf = dir.filePath(QStringLiteral("heft%1.pdf").arg(n));
        ASSERT_EQ(ExportCardSheetsPdf(card.source(), pdf, kA5), QString());
        ASSERT_EQ(CardPageCount(card.source(), SheetPageArea(PlanSheets(PrintForm::Booklet, kA5), 300)), n);

        const int padded = std::max(4, (n + 3) / 4 * 4);
        const int sides = padded / 2;
        EXPECT_EQ(testutil::pdfPages(pdf), sides);
        EXPECT_EQ(pdfPageSize(pdf), QStringLiteral("842 x 595")); // A5 pages on A4 landscape
        const auto halves = halvesOf(pdfWords(pdf), sides, false);

        // Folded and nested, the booklet is read: the right half of sheet
        // 1's front, the left of its back, then sheet 2 likewise, ... up to
        // the middle, then back out through the other halves.
        std::vector<int> reading;
        for (int r = 1; r <= padded; ++r) {
            const int q = r <= padded / 2 ? r : padded + 1 - r;
            const int sheet = (q + 1) / 2;
            const bool front = q % 2 == 1;
            const int side = 2 * (sheet - 1) + (front ? 0 : 1);
            const int half = (r <= padded / 2) == front ? 1 : 0;
            reading.push_back(halves[size_t(side)][size_t(half)]);
        }
        // The card's pages in order, blank pages before the last one, which
        // stays the back cover.
        std::vector<int> expected;
        for (int k = 1; k < n; ++k)
            expected.push_back(k);
        while (int(expected.size()) < padded - (n > 1 ? 1 : 0))
            expected.push_back(0);
        if (n > 1)
            expected.push_back(n);
        else
            expected = [&] { std::vector<int> e(size_t(padded), 0); e[0] = 1; return e; }();
        EXPECT_EQ(reading, expected);
    }
}

TEST(Imposition, TheTentsUpperCopyIsTurnedAndItsFoldLineSwitches)
{
    testutil::CardBuilder card;
    card.s.CaptionEd = QStringLiteral("Tischkarte");
    card.s.FussEd.clear();
    card.s.CapsCheck = false;
    card.s.RahmenCheck = false;
    card.s.DruckformBox = PrintForm::TableTent;
    const int c = card.category(QStringLiteral("Tagesgericht"));
    card.product(c, QStringLiteral("Linsensuppe"), 5.5);
    card.product(c, QStringLiteral("Zweitgericht"), 7.5); // page 2 never shows on the tent
    const QPageLayout a5quer(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF());
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("tent.pdf"));
    ASSERT_EQ(ExportCardSheetsPdf(card.source(), pdf, a5quer), QString());
    EXPECT_EQ(testutil::pdfPages(pdf), 1);
    EXPECT_EQ(pdfPageSize(pdf), QStringLiteral("595 x 842")); // A5 landscape pages above each other on A4

    const QVector<Word> words = pdfWords(pdf);
    std::map<QString, std::vector<Word>> byText;
    for (const Word &w : words)
        byText[w.text == QLatin1String("5.50") ? QStringLiteral("5,50") : w.text].push_back(w); // either decimal mark
    for (const char *t : {"Tischkarte", "Linsensuppe", "5,50"}) {
        ASSERT_EQ(byText[QString::fromLatin1(t)].size(), 2u) << t;
        std::sort(byText[QString::fromLatin1(t)].begin(), byText[QString::fromLatin1(t)].end(),
                  [](const Word &a, const Word &b) { return a.y() < b.y(); });
    }
    const Word &upperHeading = byText["Tischkarte"][0], &lowerHeading = byText["Tischkarte"][1];
    const Word &upperName = byText["Linsensuppe"][0], &lowerName = byText["Linsensuppe"][1];
    const Word &upperPrice = byText["5,50"][0], &lowerPrice = byText["5,50"][1];
    const double middle = upperHeading.pageH / 2;
    EXPECT_LT(upperHeading.y(), middle);
    EXPECT_GT(lowerHeading.y(), middle);
    // The lower copy reads as printed: heading above the dish, price right
    // of the name. The upper copy is turned by 180°: the heading stands
    // below the dish (near the fold) and the price left of the name.
    EXPECT_LT(lowerHeading.y(), lowerName.y());
    EXPECT_GT(lowerPrice.x(), lowerName.x());
    EXPECT_GT(upperHeading.y(), upperName.y());
    EXPECT_LT(upperPrice.x(), upperName.x());
    // Turned about the sheet's centre: each word of the upper copy mirrors
    // the lower one's position.
    EXPECT_NEAR(upperName.x(), upperName.pageW - lowerName.x(), 3);
    EXPECT_NEAR(upperName.y(), upperName.pageH - lowerName.y(), 3);
    EXPECT_EQ(byText[QStringLiteral("Zweitgericht")].size(), 2u); // it is on the card's page 1

    // The fold line: grey pixels across the middle of the sheet, none
    // without it.
    const SheetPlan plan = PlanSheets(PrintForm::TableTent, a5quer);
    auto greyInMiddle = [&](bool fold) {
        card.s.FaltlinieCheck = fold;
        const QImage img = RenderSheetSide(card.source(), plan, 60, 1);
        int grey = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int x = 1; x < img.width() - 1; ++x)
                grey += qGray(img.pixel(x, img.height() / 2 + dy)) < 200;
        return grey;
    };
    EXPECT_GT(greyInMiddle(true), 0);
    EXPECT_EQ(greyInMiddle(false), 0);
}

TEST(Imposition, TwoToASheetAndTheSheetsOfEachPaper)
{
    // Two copies of every page, one sheet per page: A4 pages on A3.
    PagedCard card(3);
    card.s.DruckformBox = PrintForm::TwoUp;
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("zwei.pdf"));
    ASSERT_EQ(ExportCardSheetsPdf(card.source(), pdf, a4), QString());
    EXPECT_EQ(testutil::pdfPages(pdf), 3);
    EXPECT_EQ(pdfPageSize(pdf), QStringLiteral("1191 x 842"));
    const auto halves = halvesOf(pdfWords(pdf), 3, false);
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(halves[size_t(p - 1)], (std::array<int, 2>{p, p})) << p;
    // Crop marks at both ends of the cut, nothing in between.
    const QImage img = RenderSheetSide(card.source(), PlanSheets(PrintForm::TwoUp, a4), 60, 1);
    const int mid = img.width() / 2;
    auto dark = [&](int y) { return qGray(img.pixel(mid, y)) < 128 || qGray(img.pixel(mid - 1, y)) < 128; };
    EXPECT_TRUE(dark(3));
    EXPECT_TRUE(dark(img.height() - 4));
    EXPECT_FALSE(dark(img.height() / 2));

    // The sheet of twice the size, and none for Legal.
    EXPECT_EQ(DoublePaperSize(QPageSize(QPageSize::A5)).id(), QPageSize::A4);
    EXPECT_EQ(DoublePaperSize(QPageSize(QPageSize::A4)).id(), QPageSize::A3);
    const QSize letterTwice = DoublePaperSize(QPageSize(QPageSize::Letter)).sizePoints();
    EXPECT_EQ(std::minmax(letterTwice.width(), letterTwice.height()), std::minmax(792, 1224)); // Tabloid/Ledger
    EXPECT_FALSE(DoublePaperSize(QPageSize(QPageSize::Legal)).isValid());

    // A form on Legal says so and writes nothing.
    const QString legal = dir.filePath(QStringLiteral("legal.pdf"));
    const QString error = ExportCardSheetsPdf(
        card.source(), legal, QPageLayout(QPageSize(QPageSize::Legal), QPageLayout::Portrait, QMarginsF()));
    EXPECT_TRUE(error.contains(QStringLiteral("Legal"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(legal));
}

TEST(Imposition, PrintingABookletGivesTheExportsSheetsAndKeepsThePrintersPage)
{
    PagedCard card(4);
    card.s.DruckformBox = PrintForm::Booklet;
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A5));
    printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    const QPageLayout before = printer.pageLayout();
    const QString printed = dir.filePath(QStringLiteral("druck.pdf"));
    printer.setOutputFileName(printed);
    ASSERT_EQ(PrintCardSheets(card.source(), printer, QStringLiteral("Heft")), QString());
    EXPECT_TRUE(printer.pageLayout() == before);
    EXPECT_EQ(pdfPageSize(printed), QStringLiteral("842 x 595"));
    // The printer's margins do not move the halves: the same pages on the
    // same halves as the PDF export.
    const QString exported = dir.filePath(QStringLiteral("export.pdf"));
    ASSERT_EQ(ExportCardSheetsPdf(card.source(), exported, kA5), QString());
    const auto halves = halvesOf(pdfWords(printed), 2, false);
    EXPECT_EQ(halves, halvesOf(pdfWords(exported), 2, false));
    // Word for word at the same place on the sheet.
    const QVector<Word> p = pdfWords(printed), e = pdfWords(exported);
    ASSERT_EQ(p.size(), e.size());
    for (int i = 0; i < p.size(); ++i) {
        EXPECT_EQ(p[i].text, e[i].text);
        EXPECT_NEAR(p[i].x(), e[i].x(), 1) << p[i].text.toStdString();
        EXPECT_NEAR(p[i].y(), e[i].y(), 1) << p[i].text.toStdString();
    }
    EXPECT_EQ(halves, (std::vector<std::array<int, 2>>{{4, 1}, {2, 3}}));

    // Sides 2 to 2: only the back.
    const QString back = dir.filePath(QStringLiteral("rueck.pdf"));
    printer.setOutputFileName(back);
    ASSERT_EQ(PrintCardSheets(card.source(), printer, QStringLiteral("Heft"), 2, 2), QString());
    EXPECT_EQ(halvesOf(pdfWords(back), 1, false), (std::vector<std::array<int, 2>>{{2, 3}}));
}

} // namespace
