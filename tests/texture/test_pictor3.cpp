// The picture library: creating pictures of every depth, pixel access, and
// opening files of many kinds, including broken and hostile ones.
#include "texture/pictor3.h"
#include "dibfixture.h"
#include "texture/jpegmemory.h"
#include "texture/picturenote.h"

#include "testutil.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <random>

namespace {

using dibtest::Bgr;
using dibtest::Held;
using dibtest::pixel24;

class Pictor3Files : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString path(const QString &name) const { return tmp.path() + QLatin1Char('/') + name; }
};

} // namespace

TEST(Pictor3, NewDibPadsRowsAndKeepsPalettesInStep)
{
    struct Case {
        int w, bits, bytew;
    } cases[] = {{3, 24, 12}, {3, 8, 4}, {5, 8, 8}, {3, 4, 4}, {9, 4, 8}, {33, 1, 8}, {32, 1, 4}};
    for (const Case &c : cases) {
        Held h(newdib(c.w, 2, c.bits, 0, 0));
        ASSERT_NE(h.d.poih, 0u) << c.w << "x" << c.bits;
        ASSERT_NE(h.d.poi, nullptr);
        EXPECT_EQ(h.d.bytew, c.bytew) << c.w << "x" << c.bits;
        EXPECT_EQ(dibwidth(h.d), c.w);
        EXPECT_EQ(dibheight(h.d), 2);
        EXPECT_EQ(dibbits(h.d), c.bits);
        for (int i = 0; i < c.bytew * 2; ++i)
            ASSERT_EQ(h.d.poi[i], 0) << "not zero-filled";
    }
    Held p(newdib(4, 4, 8));
    setdibpalette(p.d, {qRgb(10, 20, 30), qRgb(200, 100, 50)});
    EXPECT_EQ(p.d.pal.num, 2);
    EXPECT_EQ(p.d.pal.rgb0[1].red, 200);
    EXPECT_EQ(p.d.pal.rgb0[1].blue, 50);
    EXPECT_EQ(p.d.pmi->bmiColors[1].rgbRed, 200);
    EXPECT_EQ(p.d.pmi->bmiColors[1].rgbBlue, 50);
    EXPECT_EQ(p.d.pal.rgb0[2].red, 0); // unused entries are black
}

TEST(Pictor3, NewDibRefusesBadRequestsWithoutAllocating)
{
    const std::array<int, 3> bad[] = {{0, 10, 24},       {10, 0, 24},          {-5, 10, 8},
                                      {10, 10, 16},      {10, 10, 32},         {100000, 100000, 24},
                                      {2147483647, 2, 24}, {2147483647, 2147483647, 1}};
    for (const auto &args : bad) {
        dib d = newdib(args[0], args[1], args[2]);
        EXPECT_EQ(d.poih, 0u) << args[0] << " " << args[1] << " " << args[2];
        EXPECT_EQ(d.poi, nullptr);
        freedib(d); // harmless on an empty record
    }
}

TEST(Pictor3, PixelsOfEveryDepthRoundTripAndSitWhereADibHoldsThem)
{
    // 24 bits: colour 0x00BBGGRR stored blue, green, red; row y at poi + y * bytew.
    Held c(newdib(3, 2, 24));
    setpixel(c.d, 2, 1, 0x00112233);
    EXPECT_EQ(getpixel(c.d, 2, 1), 0x00112233u);
    const uint8_t *p = c.d.poi + c.d.bytew + 6;
    EXPECT_EQ(p[0], 0x11);
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x33);

    // 1 bit: most significant bit is the leftmost column.
    Held m(newdib(10, 2, 1));
    setpixel(m.d, 0, 0, 0xFFFFFF);
    setpixel(m.d, 9, 1, 0x000080);
    EXPECT_EQ(m.d.poi[0], 0x80);
    EXPECT_EQ(m.d.poi[m.d.bytew + 1], 0x40);
    EXPECT_NE(getpixel(m.d, 0, 0), 0u);
    EXPECT_EQ(getpixel(m.d, 1, 0), 0u);
    EXPECT_NE(getpixel(m.d, 9, 1), 0u);
    setpixel(m.d, 0, 0, 0);
    EXPECT_EQ(getpixel(m.d, 0, 0), 0u);

    // 4 bits: even columns in the high half of the byte.
    Held n(newdib(3, 1, 4));
    setdibpalette(n.d, {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)});
    setpixel(n.d, 0, 0, 0x0000FF); // red
    setpixel(n.d, 1, 0, 0xFF0000); // blue
    setpixel(n.d, 2, 0, 0x00FF00); // green
    EXPECT_EQ(n.d.poi[0], 0x13);
    EXPECT_EQ(n.d.poi[1], 0x20);
    EXPECT_EQ(getpixel(n.d, 1, 0), 3u);

    // Outside the picture: nothing written, 0 read.
    setpixel(c.d, 3, 0, 0xFFFFFF);
    setpixel(c.d, -1, 0, 0xFFFFFF);
    EXPECT_EQ(getpixel(c.d, 3, 0), 0u);
    EXPECT_EQ(getpixel(c.d, 0, 2), 0u);
    EXPECT_EQ(c.d.poi[9], 0); // the row padding stays untouched
}

TEST(Pictor3, FreeDibEmptiesTheRecordSoReleasingTwiceIsHarmless)
{
    dib d = newdib(8, 8, 24);
    ASSERT_NE(d.poi, nullptr);
    freedib(d);
    EXPECT_EQ(d.poi, nullptr);
    EXPECT_EQ(dibwidth(d), 0);
    EXPECT_EQ(dibheight(d), 0);
    freedib(d);
}

// A picture in a format the program offers in its file dialog is read; one in a format it
// does not offer (WebP in the Windows program, which carries no WebP decoder) is refused
// as not a picture, with the note every unusable picture gets.
TEST_F(Pictor3Files, AWebPPictureIsReadExactlyWhereTheFilterOffersIt)
{
    ASSERT_TRUE(testutil::writeFile(path("hintergrund.webp"), testutil::smallWebP()));
    const bool offered = GetDIBOpenFilter().section(QLatin1Char('|'), 1).split(QLatin1Char(';')).contains("*.webp");
    PictureProblem problem = PictureProblem::Missing;
    Held h(OpenDib(path("hintergrund.webp"), 0, nullptr, &problem));
    if (offered) {
        EXPECT_EQ(problem, PictureProblem::None);
        ASSERT_NE(h.d.poi, nullptr);
        EXPECT_EQ(dibwidth(h.d), 4);
        EXPECT_EQ(dibheight(h.d), 3);
    } else {
        EXPECT_EQ(problem, PictureProblem::NotAPicture);
        EXPECT_EQ(h.d.poi, nullptr);
        const QString note = PictureProblemText(QStringLiteral("hintergrund.webp"), problem);
        EXPECT_TRUE(note.startsWith(QStringLiteral("Das Bild \u201Ehintergrund.webp\u201C kann nicht verwendet werden: ")))
            << note.toStdString();
    }
}

TEST(Pictor3, OpenFilterListsTheReadableFormatsInWindowsForm)
{
    const QString f = GetDIBOpenFilter();
    const QStringList parts = f.split(QLatin1Char('|'));
    ASSERT_EQ(parts.size(), 2) << f.toStdString();
    EXPECT_FALSE(parts[0].isEmpty());
    const QStringList patterns = parts[1].split(QLatin1Char(';'));
    EXPECT_TRUE(patterns.contains(QStringLiteral("*.png")));
    EXPECT_TRUE(patterns.contains(QStringLiteral("*.jpg")));
    EXPECT_TRUE(patterns.contains(QStringLiteral("*.bmp")));
    for (const QString &p : patterns)
        EXPECT_TRUE(p.startsWith(QStringLiteral("*.")) && !p.contains(QLatin1Char(' ')))
            << p.toStdString();
}

TEST_F(Pictor3Files, PalettePicturesKeepIndicesAndPalette)
{
    QImage idx(5, 2, QImage::Format_Indexed8);
    idx.setColorTable({qRgb(0, 0, 0), qRgb(10, 20, 30), qRgb(40, 50, 60), qRgb(70, 80, 90),
                       qRgb(250, 240, 230)});
    for (int x = 0; x < 5; ++x) {
        idx.setPixel(x, 0, uint(x));
        idx.setPixel(x, 1, uint(4 - x));
    }
    ASSERT_TRUE(idx.save(path("idx.png")));
    Held h(OpenDib(path("idx.png"), 0, nullptr));
    ASSERT_NE(h.d.poi, nullptr);
    EXPECT_EQ(dibbits(h.d), 8);
    EXPECT_EQ(dibwidth(h.d), 5);
    EXPECT_EQ(dibheight(h.d), 2);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(getpixel(h.d, x, 0), uint32_t(x)); // top row first
        EXPECT_EQ(getpixel(h.d, x, 1), uint32_t(4 - x));
    }
    EXPECT_EQ(h.d.pal.rgb0[4].red, 250);
    EXPECT_EQ(h.d.pal.rgb0[4].green, 240);
    EXPECT_EQ(h.d.pal.rgb0[4].blue, 230);
    EXPECT_EQ(h.d.pmi->bmiColors[3].rgbBlue, 90);

    QImage mono(11, 2, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(0, 0, 1);
    mono.setPixel(10, 1, 1);
    // Writers may store the two colours in either order; the colour of each
    // pixel through the palette is what stays.
    for (const char *name : {"mono.png", "mono.bmp"}) {
        ASSERT_TRUE(mono.save(path(QLatin1String(name))));
        Held m(OpenDib(path(QLatin1String(name))));
        ASSERT_NE(m.d.poi, nullptr) << name;
        EXPECT_EQ(dibbits(m.d), 1) << name;
        auto red = [&](int x, int y) { return m.d.pal.rgb0[getpixel(m.d, x, y)].red; };
        EXPECT_EQ(red(0, 0), 255) << name;
        EXPECT_EQ(red(1, 0), 0) << name;
        EXPECT_EQ(red(10, 1), 255) << name;
        EXPECT_EQ(red(10, 0), 0) << name;
        EXPECT_EQ(m.d.pmi->bmiColors[getpixel(m.d, 0, 0)].rgbGreen, 255) << name;
    }
}

TEST_F(Pictor3Files, EveryOtherDepthArrivesAsTwentyFourBits)
{
    // 32 bits with alpha: opaque pixels keep their colour, transparent ones
    // are laid over white.
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(200, 100, 50, 255));
    argb.setPixel(1, 0, qRgba(0, 0, 0, 0));
    ASSERT_TRUE(argb.save(path("argb.png")));
    // 16 bits per channel with half alpha.
    QImage rgba64(3, 2, QImage::Format_RGBA64);
    rgba64.fill(QColor(0, 0, 0, 128));
    ASSERT_TRUE(rgba64.save(path("rgba64.png")));
    // Grey levels, 8 and 16 bits.
    QImage grey(3, 2, QImage::Format_Grayscale8);
    grey.fill(77);
    ASSERT_TRUE(grey.save(path("grey.png")));
    QImage grey16(3, 2, QImage::Format_Grayscale16);
    grey16.fill(QColor(77, 77, 77));
    ASSERT_TRUE(grey16.save(path("grey16.png")));
    // Plain RGB JPEG.
    QImage rgb(16, 16, QImage::Format_RGB32);
    rgb.fill(qRgb(30, 120, 210));
    ASSERT_TRUE(rgb.save(path("rgb.jpg"), "JPG", 100));

    {
        Held h(OpenDib(path("argb.png")));
        ASSERT_NE(h.d.poi, nullptr);
        EXPECT_EQ(dibbits(h.d), 24);
        const Bgr a = pixel24(h.d, 0, 0), b = pixel24(h.d, 1, 0);
        EXPECT_EQ(a.r, 200);
        EXPECT_EQ(a.g, 100);
        EXPECT_EQ(a.b, 50);
        EXPECT_EQ(b.r, 255);
        EXPECT_EQ(b.g, 255);
        EXPECT_EQ(b.b, 255);
    }
    {
        Held h(OpenDib(path("rgba64.png")));
        ASSERT_NE(h.d.poi, nullptr);
        EXPECT_EQ(dibbits(h.d), 24);
        EXPECT_NEAR(pixel24(h.d, 2, 1).r, 127, 1); // black at half alpha over white
    }
    for (const char *name : {"grey.png", "grey16.png"}) {
        Held h(OpenDib(path(QString::fromLatin1(name))));
        ASSERT_NE(h.d.poi, nullptr) << name;
        EXPECT_EQ(dibbits(h.d), 24) << name;
        const Bgr g = pixel24(h.d, 2, 1);
        EXPECT_NEAR(g.r, 77, 1) << name;
        EXPECT_EQ(g.r, g.g);
        EXPECT_EQ(g.g, g.b);
    }
    {
        Held h(OpenDib(path("rgb.jpg")));
        ASSERT_NE(h.d.poi, nullptr);
        EXPECT_EQ(dibbits(h.d), 24);
        EXPECT_EQ(h.d.bytew, 48);
        const Bgr c = pixel24(h.d, 15, 15);
        EXPECT_NEAR(c.r, 30, 3);
        EXPECT_NEAR(c.g, 120, 3);
        EXPECT_NEAR(c.b, 210, 3);
    }
}

TEST_F(Pictor3Files, FileNamesAreTakenAsRealUnicodePaths)
{
    const QString name = path(QStringLiteral("Bäckerei Œuvre \u83dc\u5355 \U0001F35D.png"));
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(name));
    Held h(OpenDib(name));
    ASSERT_NE(h.d.poi, nullptr);
    EXPECT_EQ(dibwidth(h.d), 4);
    EXPECT_EQ(dibheight(h.d), 3);
}

TEST_F(Pictor3Files, MissingBrokenAndHostileFilesGiveNoPicture)
{
    EXPECT_EQ(OpenDib(QString()).poi, nullptr);
    EXPECT_EQ(OpenDib(path("missing.png")).poi, nullptr);
    EXPECT_EQ(OpenDib(tmp.path()).poi, nullptr); // a directory

    ASSERT_TRUE(testutil::writeFile(path("garbage.jpg"), QByteArray(4096, '\x5a')));
    EXPECT_EQ(OpenDib(path("garbage.jpg")).poi, nullptr);
    ASSERT_TRUE(testutil::writeFile(path("empty.png"), QByteArray()));
    EXPECT_EQ(OpenDib(path("empty.png")).poi, nullptr);

    // A bitmap header announcing 100000 x 100000 pixels, then nothing.
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
    put32(18, 100000);
    put32(22, 100000);
    bmp[26] = 1;
    bmp[28] = 24;
    ASSERT_TRUE(testutil::writeFile(path("huge.bmp"), bmp));
    EXPECT_EQ(OpenDib(path("huge.bmp")).poi, nullptr);

    // Truncated files of real formats: whatever the reader makes of them,
    // the result is either no picture or a whole, consistent one.
    QImage img(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            img.setPixel(x, y, qRgb(x * 4, y * 5, (x ^ y) * 3));
    for (const char *fmt : {"png", "jpg", "bmp", "gif", "tif", "webp"}) {
        const QString full = path(QStringLiteral("full.") + QLatin1String(fmt));
        if (!img.save(full))
            continue;
        const QByteArray data = testutil::readFile(full);
        for (int cut : {8, 40, int(data.size()) / 2, int(data.size()) - 5}) {
            const QString part = path(QStringLiteral("part.") + QLatin1String(fmt));
            ASSERT_TRUE(testutil::writeFile(part, data.left(cut)));
            Held h(OpenDib(part));
            if (h.d.poi) {
                EXPECT_EQ(dibwidth(h.d), 64) << fmt << " cut " << cut;
                EXPECT_EQ(dibheight(h.d), 48);
                EXPECT_EQ(getpixel(h.d, 63, 47) >> 24, 0u);
            }
        }
        // Damaged bytes anywhere in the file.
        std::mt19937 rng(uint32_t(data.size()));
        for (int round = 0; round < 40; ++round) {
            QByteArray bad = data;
            for (int k = 0; k < 6; ++k)
                bad[int(rng() % uint32_t(bad.size()))] = char(rng() & 0xFF);
            const QString part = path(QStringLiteral("bad.") + QLatin1String(fmt));
            ASSERT_TRUE(testutil::writeFile(part, bad));
            Held h(OpenDib(part));
            if (h.d.poi) {
                EXPECT_GT(dibwidth(h.d), 0);
                EXPECT_LE(int64_t(dibwidth(h.d)) * dibheight(h.d), kMaxDibPixels);
                getpixel(h.d, dibwidth(h.d) - 1, dibheight(h.d) - 1);
            }
        }
    }
}

// A 30-byte GIF that decodes to a canvas of about 50 million pixels: far
// beyond any background tile, it is refused like an unreadable file.
TEST(Pictor3Hostile, TinyGifWithHugeCanvasIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.gif");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::fromBase64("R0lGODlhqS8qIAAnACwAAAAAAQC9AQAAAgIZAQA7"));
    f.close();
    dib d = OpenDib(path);
    EXPECT_EQ(d.poi, nullptr);
    if (d.poi)
        freedib(d);
}

// A camera's 24-megapixel photo is decoded scaled down to the size a tile
// can use, keeping its proportions; a picture beyond 100 megapixels, a
// missing file, a file that is no picture and a damaged one each say why.
TEST(Pictor3Large, PhotosAreScaledDownAndFailuresSayWhy)
{
    QTemporaryDir dir;
    const QString photo = dir.filePath("photo.jpg");
    QImage img(6000, 4000, QImage::Format_RGB32);
    img.fill(qRgb(200, 120, 40));
    ASSERT_TRUE(img.save(photo, "JPEG", 80));
    PictureProblem why = PictureProblem::TooLarge;
    dib d = OpenDib(photo, 0, nullptr, &why);
    ASSERT_NE(d.poi, nullptr);
    EXPECT_EQ(why, PictureProblem::None);
    EXPECT_EQ(dibwidth(d), 3000);
    EXPECT_EQ(dibheight(d), 2000);
    const uint32_t c = getpixel(d, dibwidth(d) / 2, dibheight(d) / 2);
    EXPECT_NEAR(int(c & 0xFF), 200, 4); // red, in the middle of the picture
    freedib(d);

    EXPECT_EQ(DecodedPictureSize(QSize(4000, 4000)), QSize(4000, 4000));
    EXPECT_EQ(DecodedPictureSize(QSize(4001, 4000)), QSize(2001, 2000));
    EXPECT_EQ(DecodedPictureSize(QSize(12247, 8165)), QSize(3062, 2042)); // 100 megapixels

    auto problemOf = [](const QString &path) {
        PictureProblem p = PictureProblem::None;
        dib none = OpenDib(path, 0, nullptr, &p);
        EXPECT_EQ(none.poi, nullptr) << path.toStdString();
        freedib(none);
        return p;
    };
    EXPECT_EQ(problemOf(dir.filePath("missing.jpg")), PictureProblem::Missing);
    EXPECT_EQ(problemOf(QString()), PictureProblem::Missing);
    EXPECT_EQ(problemOf(dir.path()), PictureProblem::NotAPicture);
    ASSERT_TRUE(testutil::writeFile(dir.filePath("text.jpg"), "Speisekarte\n"));
    EXPECT_EQ(problemOf(dir.filePath("text.jpg")), PictureProblem::NotAPicture);
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::blue);
    ASSERT_TRUE(small.save(dir.filePath("small.png")));
    ASSERT_TRUE(testutil::writeFile(dir.filePath("cut.png"), testutil::readFile(dir.filePath("small.png")).left(30)));
    EXPECT_EQ(problemOf(dir.filePath("cut.png")), PictureProblem::Unreadable);
    // A bitmap header announcing 12000 x 9000 pixels (108 megapixels).
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
    ASSERT_TRUE(testutil::writeFile(dir.filePath("huge.bmp"), bmp));
    EXPECT_EQ(problemOf(dir.filePath("huge.bmp")), PictureProblem::TooLarge);
    // 7 x 2,621,440 pixels would scale down to a side of 1,310,720: more than
    // the scaler can weigh (it read outside the picture); refused, not decoded.
    put32(18, 7);
    put32(22, 2621440);
    bmp[28] = 8;
    put32(10, 54 + 1024); // a grey palette, then a few rows of the pixels
    put32(46, 256);
    for (int i = 0; i < 256; ++i)
        bmp += QByteArray(3, char(i)) + '\0';
    bmp += QByteArray(40, '\0');
    ASSERT_TRUE(testutil::writeFile(dir.filePath("thin.bmp"), bmp));
    EXPECT_EQ(problemOf(dir.filePath("thin.bmp")), PictureProblem::TooLarge);
}

// The JPEG library keeps a progressive picture's every coefficient until the
// last scan, whatever size it is decoded at: a frame beyond its budget is
// too large before anything is decoded.
TEST(Pictor3Large, ProgressiveJpegBeyondTheLibraryBudgetIsTooLarge)
{
    QTemporaryDir dir;
    QImage grey(64, 48, QImage::Format_Grayscale8);
    grey.fill(128);
    QByteArray progressive;
    {
        QBuffer buf(&progressive);
        buf.open(QIODevice::WriteOnly);
        QImageWriter w(&buf, "jpeg");
        w.setProgressiveScanWrite(true);
        ASSERT_TRUE(w.write(grey));
    }
    const int sof = progressive.indexOf("\xFF\xC2");
    ASSERT_GT(sof, 0) << "no progressive frame written";
    ASSERT_TRUE(testutil::writeFile(dir.filePath("small.jpg"), progressive));
    // 64 x 48 samples: 8 x 6 blocks (one more row and column of margin).
    EXPECT_EQ(ProgressiveJpegMemory(dir.filePath("small.jpg")), (8 + 1) * (6 + 1) * 128);
    PictureProblem why = PictureProblem::TooLarge;
    dib d = OpenDib(dir.filePath("small.jpg"), 0, nullptr, &why);
    EXPECT_NE(d.poi, nullptr);
    EXPECT_EQ(why, PictureProblem::None);
    freedib(d);

    // The same frame header announcing 9000 x 8000 samples (72 megapixels,
    // 144 MB of coefficients): refused, quickly.
    QByteArray huge = progressive;
    huge[sof + 5] = char(8000 >> 8);
    huge[sof + 6] = char(8000 & 0xFF);
    huge[sof + 7] = char(9000 >> 8);
    huge[sof + 8] = char(9000 & 0xFF);
    ASSERT_TRUE(testutil::writeFile(dir.filePath("huge.jpg"), huge));
    EXPECT_GT(ProgressiveJpegMemory(dir.filePath("huge.jpg")), kMaxJpegLibraryBytes);
    d = OpenDib(dir.filePath("huge.jpg"), 0, nullptr, &why);
    EXPECT_EQ(d.poi, nullptr);
    EXPECT_EQ(why, PictureProblem::TooLarge);
    freedib(d);

    // A baseline JPEG is decoded row by row: no such budget.
    grey.save(dir.filePath("baseline.jpg"), "JPEG");
    EXPECT_EQ(ProgressiveJpegMemory(dir.filePath("baseline.jpg")), 0);
    EXPECT_EQ(ProgressiveJpegMemory(dir.filePath("missing.jpg")), 0);
}
