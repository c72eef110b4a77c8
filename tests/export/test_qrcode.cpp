#include "cardbuilder.h"
#include "catalogue/catalogue.h"
#include "export/qrcode.h"
#include "layout/cardoutput.h"
#include "testutil.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kShort = QStringLiteral("https://gasthof-m\u00fcller.de/karte");

// 200 characters with umlauts and ß.
QString longAddress()
{
    QString s = QStringLiteral("https://www.b\u00e4ckerei-\u00f6hler.de/speisekarte?gru\u00df=");
    const QString fill = QStringLiteral("\u00e4\u00f6\u00fc\u00dfabc-");
    while (s.size() < 200)
        s += fill;
    s.truncate(200);
    return s;
}

// What zbarimg reads from a picture; a null text when zbarimg is missing.
QString decode(const QString &png)
{
    const QString zbarimg = testutil::hostTool(QStringLiteral("zbarimg"));
    if (zbarimg.isEmpty())
        return QString();
    QProcess p;
    p.start(zbarimg, {"--raw", "-q", png});
    p.waitForFinished(60000);
    QString out = QString::fromUtf8(p.readAllStandardOutput());
    if (out.endsWith('\n'))
        out.chop(1);
    return out.isNull() ? QStringLiteral("") : out;
}

// Draws the SVG picture of a code the way a viewer would: reads its view box
// and the dark runs of its path ("M x y h w v1 h-w z"), paints each module
// 4 x 4 pixels, and leaves a null image when any part of the path is not
// such a run.
QImage rasterSvg(const QByteArray &svg)
{
    const QString s = QString::fromUtf8(svg);
    const auto box = QRegularExpression(QStringLiteral("viewBox=\"0 0 (\\d+) (\\d+)\"")).match(s);
    const auto path = QRegularExpression(QStringLiteral("<path fill=\"#000\" d=\"([^\"]*)\"")).match(s);
    if (!box.hasMatch() || !path.hasMatch() || box.captured(1) != box.captured(2))
        return QImage();
    const int n = box.captured(1).toInt(), scale = 4;
    QImage img(n * scale, n * scale, QImage::Format_Grayscale8);
    img.fill(255);
    QPainter p(&img);
    const QString d = path.captured(1);
    const QRegularExpression run(QStringLiteral("M(\\d+) (\\d+)h(\\d+)v1h-(\\d+)z"));
    qsizetype at = 0;
    for (auto m = run.match(d, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
         m.hasMatch() && m.capturedStart() == at;
         m = run.match(d, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption)) {
        const int x = m.captured(1).toInt(), y = m.captured(2).toInt(), w = m.captured(3).toInt();
        if (m.captured(4).toInt() != w || x + w > n || y >= n)
            return QImage();
        p.fillRect(x * scale, y * scale, w * scale, scale, Qt::black);
        at = m.capturedEnd();
    }
    return at == d.size() ? img : QImage();
}

// zbarimg is one of the project's dependencies: without it the reading
// tests fail rather than pass unread.
#define REQUIRE_ZBAR()                                                                                      \
    ASSERT_FALSE(testutil::hostTool(QStringLiteral("zbarimg")).isEmpty())                                       \
        << "zbarimg is not installed (scripts/install-deps.sh)";

// A one-category card on A4 at 300 pixels per inch with the given address.
struct QrCard : testutil::CardBuilder {
    CardSource src;
    PageArea area{2480, 3508, 300};
    explicit QrCard(int products = 3)
    {
        const int c = category(QStringLiteral("Suppen"));
        for (int i = 0; i < products; ++i)
            product(c, QStringLiteral("Suppe %1").arg(i + 1), 4.5, 0, QStringLiteral("mit Brot"));
        src = source();
    }
    void print(const QString &url, bool on = true)
    {
        src.settings.QrUrlEd = url;
        src.settings.QrDruckCheck = on;
        AttachQrCode(src);
    }
};

} // namespace

TEST(QrCode, ExportedPicturesGiveTheAddressBackExactly)
{
    REQUIRE_ZBAR();
    QTemporaryDir dir;
    for (const QString &url : {kShort, longAddress()}) {
        const QString png = dir.filePath("qr.png"), svg = dir.filePath("qr.SVG");
        QString error;
        ASSERT_TRUE(WriteQrFile(png, url, &error)) << error.toStdString();
        EXPECT_EQ(decode(png), url);
        ASSERT_TRUE(WriteQrFile(svg, url, &error));
        const QByteArray s = testutil::readFile(svg);
        EXPECT_TRUE(s.startsWith("<?xml")) << s.left(40).constData();
        const QImage drawn = rasterSvg(s);
        ASSERT_FALSE(drawn.isNull()) << s.left(400).constData();
        const QString drawnPng = dir.filePath("svg.png");
        ASSERT_TRUE(drawn.save(drawnPng));
        EXPECT_EQ(decode(drawnPng), url);
    }
    EXPECT_EQ(longAddress().size(), 200);
}

TEST(QrCode, AddressesThatCannotBeEncodedAreRefused)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("qr.png");
    QString error;
    EXPECT_FALSE(WriteQrFile(png, QString(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(WriteQrFile(png, QString(3000, QChar(0xE4)), &error)); // beyond version 40
    EXPECT_FALSE(QFile::exists(png));
    EXPECT_FALSE(EncodeQr(QString::fromUtf16(u"a\0b", 3)));
}

TEST(QrCode, TheCardPrintsItBottomRightOfTheLastPageAndAReaderReadsIt)
{
    REQUIRE_ZBAR();
    QTemporaryDir dir;
    for (const QString &url : {kShort, longAddress()}) {
        QrCard card;
        card.print(url);
        ASSERT_TRUE(card.src.qrCode);
        const QImage page = RenderCardPage(card.src, card.area, 300, 1);
        const QString file = dir.filePath("page.png");
        ASSERT_TRUE(page.save(file));
        EXPECT_EQ(decode(file), url);

        // The square ends at the right margin, just above the footer band,
        // and is 25 mm wide.
        const int side = int(std::nearbyint(25 / kMmPerInch * 300));
        const int margin = int(25 / kMmPerInch * 300);
        const int right = page.width() - margin, footerTop = page.height() - margin - 70;
        int top = page.height(), bottom = 0;
        for (int y = page.height() / 2; y < page.height() - margin; ++y)
            for (int x = right - side; x < right; ++x)
                if (qGray(page.pixel(x, y)) < 60) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        // Dark modules within the square less its quiet zone, above the footer.
        EXPECT_GT(bottom - top, side * 2 / 3);
        EXPECT_LT(bottom - top, side);
        EXPECT_LT(bottom, footerTop);
        EXPECT_GT(bottom, footerTop - side / 3);
        for (int x = right; x < right + margin / 4; ++x) // nothing of it right of the margin
            EXPECT_GT(qGray(page.pixel(x, (top + bottom) / 2)), 200) << x;

        // A preview too small for a pixel per module still shows the code
        // in its place, as a likeness.
        const PageArea small{card.area.widthPx / 10, card.area.heightPx / 10, 30};
        auto darkBottomRight = [&](const CardSource &src) {
            const QImage tiny = RenderCardPage(src, small, 30, 1);
            int dark = 0;
            for (int y = tiny.height() * 3 / 4; y < tiny.height(); ++y)
                for (int x = tiny.width() * 3 / 4; x < tiny.width(); ++x)
                    dark += qGray(tiny.pixel(x, y)) < 100;
            return dark;
        };
        EXPECT_GT(darkBottomRight(card.src), darkBottomRight(QrCard().src) + 20) << url.size();
    }
}

TEST(QrCode, CardsWithoutItAreUnchangedAndAFullPageGivesItAPageOfItsOwn)
{
    QrCard plain;
    const QImage before = RenderCardPage(plain.src, plain.area, 100, 1);
    QrCard off;
    off.print(kShort, false); // an address alone prints nothing
    EXPECT_FALSE(off.src.qrCode);
    EXPECT_EQ(RenderCardPage(off.src, off.area, 100, 1), before);
    QrCard on;
    on.print(kShort);
    EXPECT_NE(RenderCardPage(on.src, on.area, 100, 1), before);
    EXPECT_EQ(CardPageCount(on.src, on.area), 1);

    // Products down to the bottom of page 1: the code does not cover them.
    int n = 1;
    for (;; ++n) {
        QrCard c(n);
        if (CardPageCount(c.src, c.area) > 1)
            break;
    }
    QrCard full(n - 1);
    EXPECT_EQ(CardPageCount(full.src, full.area), 1);
    full.print(kShort);
    EXPECT_EQ(CardPageCount(full.src, full.area), 2);
}

TEST(QrCode, ACodeTallerThanThePageRoomStaysWithinTheMargins)
{
    // 200 mm of code, 177 mm between the top and bottom margins of A4.
    QrCard card;
    card.src.settings.ObenEd = 60;
    card.src.settings.UntenEd = 60;
    card.src.settings.QrGroesseEd = 200;
    card.src.settings.RahmenCheck = false; // nothing else outside the margins
    card.print(kShort);
    ASSERT_TRUE(card.src.qrCode);
    const int pages = CardPageCount(card.src, card.area);
    const QImage page = RenderCardPage(card.src, card.area, 300, pages);
    const int top = int(60 / kMmPerInch * 300), bottom = page.height() - top;
    const int left = int(25 / kMmPerInch * 300), right = page.width() - left;
    int darkTop = page.height(), darkBottom = 0, outside = 0;
    // Inside the page's outermost pixels, where nothing of the card is drawn.
    for (int y = 2; y < page.height() - 2; ++y)
        for (int x = page.width() / 2; x < page.width() - 2; ++x)
            if (qGray(page.pixel(x, y)) < 60) {
                if (y < top - 1 || y > bottom + 1 || x > right + 1)
                    ++outside;
                darkTop = std::min(darkTop, y);
                darkBottom = std::max(darkBottom, y);
            }
    EXPECT_EQ(outside, 0) << "dark from row " << darkTop << " to " << darkBottom << ", margins at " << top << " and "
                          << bottom;
    // Still a code as large as the room allows (here the width between
    // the side margins, 160 mm), not a shrunk token.
    EXPECT_GT(darkBottom - darkTop, (right - left) / 2);
}
