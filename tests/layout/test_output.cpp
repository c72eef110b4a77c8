// Card output: preview geometry and bitmap, page count, printing into a PDF
// printer and PDF export.
#include "cardfixture.h"
#include "testutil.h"

#include "bench/cardgen.h"
#include "layout/cardoutput.h"
#include "layout/qpaintercanvas.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

// When VELLORAN_RENDER_DIR is set, rendered pages are kept there as PNG.
void keep(const QImage &img, const QString &name)
{
    const QString dir = qEnvironmentVariable("VELLORAN_RENDER_DIR");
    if (!dir.isEmpty())
        img.save(QDir(dir).filePath(name));
}

TEST(CardOutput, PreviewGeometry)
{
    PageArea a;
    a.widthPx = 4760;
    a.heightPx = 6779;
    a.dpi = 600;
    const PreviewGeometry g = PreviewPageGeometry(a, 96, 100);
    EXPECT_EQ(g.W, 761); // 4760 * 96 / 600 = 761.6
    EXPECT_EQ(g.H, 1084);
    EXPECT_DOUBLE_EQ(g.widthmm, 4760.0 / 600 * 25.39995);
    const PreviewGeometry g2 = PreviewPageGeometry(a, 96, 200);
    EXPECT_EQ(g2.W, 1523); // 761.6 * 2, truncated once
    EXPECT_EQ(g2.H, 2169);
    EXPECT_EQ(g2.widthmm, g.widthmm);
    // The integer product comes first: no overflow for large pages.
    a.widthPx = 30000000;
    EXPECT_EQ(PreviewPageGeometry(a, 192, 1000).W, 96000000);
}

TEST(CardOutput, PreviewBitmapAndPageCount)
{
    TestCard card;
    card.s = CardSettings();
    cardgen::generate(card.cat, card.names, 3, 20);
    const PageArea area = a4At600();
    const int pages = CardPageCount(card.source(), area);
    EXPECT_GE(pages, 2);

    bool more = false;
    const QImage first = RenderCardPage(card.source(), area, 96, 1, &more);
    const PreviewGeometry g = PreviewPageGeometry(area, 96, 100);
    EXPECT_EQ(first.size(), QSize(g.W, g.H));
    EXPECT_TRUE(more);
    // White page with a black outline and dark text somewhere.
    EXPECT_EQ(QColor(first.pixel(g.W / 2, g.H - 3)), QColor(Qt::white));
    EXPECT_EQ(qGray(first.pixel(0, g.H / 2)), 0);
    int dark = 0;
    for (int y = g.H / 4; y < g.H / 2; ++y)
        for (int x = g.W / 4; x < 3 * g.W / 4; ++x)
            dark += qGray(first.pixel(x, y)) < 128;
    EXPECT_GT(dark, 200);
    keep(first, QStringLiteral("card-page1.png"));

    RenderCardPage(card.source(), area, 96, pages - 1, &more);
    EXPECT_TRUE(more);
    const QImage last = RenderCardPage(card.source(), area, 96, pages, &more);
    EXPECT_FALSE(more);
    keep(last, QStringLiteral("card-last.png"));

    // Double zoom: double size, same page count.
    card.zoom = 200;
    const QImage big = RenderCardPage(card.source(), area, 96, 2, &more);
    EXPECT_EQ(big.width(), PreviewPageGeometry(area, 96, 200).W);
    EXPECT_EQ(CardPageCount(card.source(), area), pages);
    keep(big, QStringLiteral("card-page2-zoom200.png"));
}

TEST(CardOutput, QPainterTextWidthsAreAdditive)
{
    QImage img(400, 100, QImage::Format_RGB32);
    QPainter painter(&img);
    QPainterCanvas canvas(&painter);
    canvas.setFont(FontSetting::make(QStringLiteral("Times New Roman"), 12, FontSetting::Italic), 12, 300);
    const int a = canvas.textWidth(QStringLiteral("Schnitzel "));
    const int b = canvas.textWidth(QStringLiteral("Wiener Art"));
    EXPECT_EQ(canvas.textWidth(QStringLiteral("Schnitzel Wiener Art")), a + b);
    EXPECT_GT(a, 0);
    EXPECT_EQ(canvas.fontPointSize(), 12);
    // The font is 50 pixels (12 pt at 300 ppi).
    EXPECT_EQ(MakeCardFont(canvas.font(), FontPixelSize(12, 300)).pixelSize(), 50);
    EXPECT_FALSE(MakeCardFont(canvas.font(), 50).kerning());

    // Drawn strings are as wide as the measured sum, at every size, so
    // right-aligned texts end where the layout puts them.
    const QString s = QStringLiteral("Schnitzel Wiener Art mit Pommes 12,90 € .........");
    for (const char *face : {"Times New Roman", "Courier New"}) {
        for (int pt : {7, 9, 12, 14, 24}) {
            for (int dpi : {96, 120, 300}) {
                const FontSetting f = FontSetting::make(QString::fromLatin1(face), pt, 0);
                canvas.setFont(f, pt, dpi);
                const QFontMetrics fm(MakeCardFont(f, FontPixelSize(pt, dpi)));
                EXPECT_EQ(fm.horizontalAdvance(s), canvas.textWidth(s)) << face << pt << " " << dpi;
            }
        }
    }
}

// Font sizes round like MulDiv: an exact half pixel goes up, not to the
// even neighbour, and the canvas measures and draws at that size.
TEST(CardOutput, FontPixelSizesRoundHalvesUp)
{
    EXPECT_EQ(FontPixelSize(15, 300), 63); // 62.5
    EXPECT_EQ(FontPixelSize(3, 300), 13);  // 12.5
    EXPECT_EQ(FontPixelSize(9, 300), 38);  // 37.5
    EXPECT_EQ(FontPixelSize(12, 300), 50);
    EXPECT_EQ(FontPixelSize(10, 96), 13);  // 13.33
    EXPECT_EQ(FontPixelSize(0, 300), 1);
    EXPECT_EQ(MulDiv(-15, 300, 72), -63);
    EXPECT_EQ(MulDiv(INT32_MAX, 2, 1), -1);

    QImage img(10, 10, QImage::Format_RGB32);
    QPainter painter(&img);
    QPainterCanvas canvas(&painter);
    const FontSetting f = FontSetting::make(QStringLiteral("Times New Roman"), 15, 0);
    const QFontMetrics at63(MakeCardFont(f, 63));
    EXPECT_EQ(canvas.metrics(f, 15, 300).height(), at63.height());
    canvas.setFont(f, 15, 300);
    EXPECT_EQ(canvas.textWidth(QStringLiteral("Wiener Schnitzel")),
              at63.horizontalAdvance(QStringLiteral("Wiener Schnitzel")));
}

TEST(CardOutput, WindowsColours)
{
    EXPECT_EQ(WindowsColour(0x000000FFu), QColor(255, 0, 0));
    EXPECT_EQ(WindowsColour(0x00FF0000u), QColor(0, 0, 255));
    EXPECT_EQ(WindowsColour(0xFF000008u), QGuiApplication::palette().color(QPalette::WindowText));
    EXPECT_EQ(WindowsColour(0xFF000005u), QColor(Qt::black));
}

TEST(CardOutput, ArcsCurveInwards)
{
    // The top-left frame corner: the quarter from the lowest to the
    // rightmost point lies in the lower right quarter of its ellipse.
    QImage img(200, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter painter(&img);
        QPainterCanvas canvas(&painter);
        canvas.setPen(qRgb(0, 0, 0), 2);
        canvas.arc(0, 0, 200, 200, 100, 200, 200, 100);
    }
    auto inked = [&](int x0, int y0) {
        int n = 0;
        for (int y = y0; y < y0 + 100; ++y)
            for (int x = x0; x < x0 + 100; ++x)
                n += qGray(img.pixel(x, y)) < 128;
        return n;
    };
    EXPECT_GT(inked(100, 100), 50);
    // Only the smoothed round caps may touch the neighbouring quarters.
    EXPECT_EQ(inked(0, 0), 0);
    EXPECT_LE(inked(100, 0), 3);
    EXPECT_LE(inked(0, 100), 3);
}

// The QR code: a light square as wide as the box is high or wide, four
// light modules of border, then each dark run as one rectangle.
TEST(CardOutput, QrCodeModulesOnALightSquareInsideTheQuietZone)
{
    QrModules qr;
    qr.size = 3;
    qr.dark = {1, 1, 0, //
               0, 0, 0, //
               0, 1, 1};
    RecordingCanvas c;
    PaintQrModules(c, QRect(5, 7, 110, 120), qr, qRgb(0, 0, 0), qRgb(255, 255, 255)); // 11 modules of 10 px
    std::vector<std::array<int, 4>> fills;
    for (const CanvasOp &o : c.ops) {
        ASSERT_EQ(o.kind, CanvasOp::Fill);
        fills.push_back({o.a[0], o.a[1], o.a[2], o.a[3]});
    }
    EXPECT_EQ(fills, (std::vector<std::array<int, 4>>{{5, 7, 110, 110}, {45, 47, 20, 10}, {55, 67, 20, 10}}));
}

TEST(CardOutput, PdfExportHasEveryPageAsText)
{
    testutil::LocaleScope de("de_DE");
    TestCard card;
    card.s = CardSettings();
    const int a = card.category(QStringLiteral("Vorspeisen"));
    for (int i = 1; i <= 45; ++i)
        card.product(a, QStringLiteral("Gericht%1").arg(i), 3 + i / 10.0, 0,
                     i % 2 ? QStringLiteral("mit Salat und Brot") : QString());
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                             QPageLayout::Millimeter);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("karte.pdf"));
    EXPECT_EQ(ExportCardPdf(card.source(), path, layout, QStringLiteral("Speisekarte")), QString());
    ASSERT_TRUE(QFile::exists(path));
    if (!qEnvironmentVariable("VELLORAN_RENDER_DIR").isEmpty())
        QFile::copy(path, QDir(qEnvironmentVariable("VELLORAN_RENDER_DIR")).filePath(QStringLiteral("karte.pdf")));
    // Nothing but the PDF is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("karte.pdf")});

    EXPECT_EQ(testutil::pdfPages(path), 3);
    const QString text = testutil::pdfText(path);
    for (int i = 1; i <= 45; ++i)
        EXPECT_TRUE(text.contains(QStringLiteral("Gericht%1").arg(i))) << i;
    EXPECT_TRUE(text.contains(QStringLiteral("3,10 \u20AC")));
    EXPECT_TRUE(text.contains(QStringLiteral("6,00 \u20AC")));
    EXPECT_TRUE(text.contains(QStringLiteral("VORSPEISEN")));
    EXPECT_EQ(text.count(QChar(0x0C)), 3); // one form feed per page

    // A folder that does not exist: an error naming the file, no file.
    const QString bad = dir.filePath(QStringLiteral("fehlt/karte.pdf"));
    const QString err = ExportCardPdf(card.source(), bad, layout);
    EXPECT_TRUE(err.contains(QStringLiteral("karte.pdf")));
    EXPECT_FALSE(QFile::exists(bad));
}

TEST(CardOutput, PrintingIntoAPdfPrinterMatchesThePageCount)
{
    TestCard card;
    card.s = CardSettings();
    cardgen::generate(card.cat, card.names, 2, 30);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QString path = dir.filePath(QStringLiteral("druck.pdf"));
    printer.setOutputFileName(path);
    const int pages = CardPageCount(card.source(), PrinterPageArea(printer));
    ASSERT_GE(pages, 3);
    EXPECT_EQ(PrintCard(card.source(), printer, QStringLiteral("Speisekarte drucken")), QString());
    const QStringList every = testutil::pdfPageTexts(path);
    EXPECT_EQ(every.size(), pages);
    ASSERT_GE(every.size(), 3);
    EXPECT_NE(every[1], every[2]);

    // The preview's zoom does not reach the printer: every word stands where
    // it stood, in the same size.
    const auto words = [](const QString &pdf) {
        QStringList boxes = testutil::runPdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf,
                                                                               QStringLiteral("-")})
                                .split(QLatin1Char('\n'));
        boxes.removeIf([](const QString &line) { return !line.contains(QLatin1String("<word ")); });
        return boxes;
    };
    card.zoom = 250;
    const QString zoomed = dir.filePath(QStringLiteral("gezoomt.pdf"));
    printer.setOutputFileName(zoomed);
    EXPECT_EQ(PrintCard(card.source(), printer, QStringLiteral("Speisekarte drucken")), QString());
    const QStringList at100 = words(path);
    EXPECT_GT(at100.size(), 100);
    EXPECT_EQ(words(zoomed), at100);

    // A range prints only those pages: the second and third of the card.
    const QString path2 = dir.filePath(QStringLiteral("teil.pdf"));
    printer.setOutputFileName(path2);
    EXPECT_EQ(PrintCard(card.source(), printer, QStringLiteral("Teil"), 2, 3), QString());
    EXPECT_EQ(testutil::pdfPageTexts(path2), every.mid(1, 2));
}

} // namespace
