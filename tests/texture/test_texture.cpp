// Texture preparation (24-bit conversion, grey levels, saturation and
// lightening), tiling over a page, the preview widget and the shipped paper.
#include "texture/picturenote.h"
#include "texture/picturepreview.h"
#include "texture/texture.h"
#include "dibfixture.h"
#include "catalogue/picturepath.h"
#include "catalogue/platform.h"

#include "catalogue/cardsettings.h"
#include "layout/qpaintercanvas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

namespace {

using dibtest::Bgr;
using dibtest::Held;
using dibtest::pixel24;
using dibtest::set24;

// Measures nothing and paints nothing; remembers every picture drawn.
class RecordingCanvas : public QPainterCanvas {
public:
    RecordingCanvas() : QPainterCanvas(nullptr) {}
    struct Draw {
        QRect target;
        QSize imageSize;
        qint64 cacheKey;
    };
    std::vector<Draw> draws;
    void drawImage(const QRect &target, const QImage &image) override
    {
        draws.push_back({target, image.size(), image.cacheKey()});
    }
};

// Tile size settings: at 254 dpi and 100 % one centimetre is 100 pixels.
CardSettings tiles(double wCm, double hCm, bool proportional)
{
    CardSettings s;
    s.BreitEd2 = wCm;
    s.HochEd2 = hCm;
    s.SVerh2Check = proportional;
    return s;
}

class TextureFiles : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString path(const QString &name) const { return tmp.path() + QLatin1Char('/') + name; }
    QString save(const QImage &img, const QString &name)
    {
        const QString p = path(name);
        EXPECT_TRUE(img.save(p));
        return p;
    }
};

} // namespace

TEST(LightenDib, WorkedValuesAndIdentities)
{
    EXPECT_EQ(LightenChannel(0, 50, 0), 127);
    EXPECT_EQ(LightenChannel(200, 50, 50), 245); // c1 = 236
    EXPECT_EQ(LightenChannel(255, 50, 0), 255);
    // The saturation division truncates toward zero: -1.5 becomes -1.
    EXPECT_EQ(LightenChannel(127, 100, 50), 127);
    EXPECT_EQ(LightenChannel(129, 100, 50), 129);
    // Extreme settings stay within a channel's range.
    EXPECT_EQ(LightenChannel(0, 100, 2000000000), 0);
    EXPECT_EQ(LightenChannel(255, 100, 2000000000), 255);
    EXPECT_EQ(LightenChannel(0, 1000, 0), 0);
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(LightenChannel(c, 100, 0), c) << c;
        EXPECT_EQ(LightenChannel(c, 100, -100), 128) << c;
        EXPECT_EQ(LightenChannel(c, 50, -100), 191) << c;
        EXPECT_GE(LightenChannel(c, 1, 0), 252) << c;
        EXPECT_EQ(LightenChannel(c, 100, 200), c < 128 ? std::max(0, (c - 128) * 3 + 128)
                                                        : std::min(255, (c - 128) * 3 + 128))
            << c;
    }

    Held h(newdib(2, 2, 24));
    set24(h.d, 0, 0, 200, 0, 255);
    set24(h.d, 1, 1, 10, 128, 129);
    LightenDib(h.d, 50, 50);
    EXPECT_EQ(pixel24(h.d, 0, 0), (Bgr{255, 127, 245}));
    EXPECT_EQ(pixel24(h.d, 1, 1), (Bgr{LightenChannel(129, 50, 50), 191, LightenChannel(10, 50, 50)}));
    EXPECT_EQ(pixel24(h.d, 1, 0), (Bgr{127, 127, 127})); // black, s = 50: c1 = 0
}

TEST(GrayScaleDib, WeightsRedGreenBlueAndDropsTheRemainder)
{
    Held h(newdib(3, 1, 24));
    set24(h.d, 0, 0, 200, 100, 50); // (6000 + 5900 + 550) / 100 = 124.5
    set24(h.d, 1, 0, 255, 255, 255);
    set24(h.d, 2, 0, 0, 0, 1); // 11 / 100 = 0
    GrayScaleDib(h.d);
    EXPECT_EQ(pixel24(h.d, 0, 0), (Bgr{124, 124, 124}));
    EXPECT_EQ(pixel24(h.d, 1, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(pixel24(h.d, 2, 0), (Bgr{0, 0, 0}));
}

TEST(ConvertDib24, FourBitPicturesOfOddWidthUnpackHighNibbleFirst)
{
    dib d = newdib(3, 2, 4);
    setdibpalette(d, {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                      qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(7, 8, 9)});
    d.poi[0] = 0x12; // columns 0 and 1
    d.poi[1] = 0x3F; // column 2; the low half is padding
    d.poi[d.bytew] = 0x45;
    d.poi[d.bytew + 1] = 0x60;
    ConvertDib24(d);
    ASSERT_EQ(dibbits(d), 24);
    EXPECT_EQ(pixel24(d, 0, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(pixel24(d, 1, 0), (Bgr{0, 255, 0}));
    EXPECT_EQ(pixel24(d, 2, 0), (Bgr{255, 0, 0}));
    EXPECT_EQ(pixel24(d, 0, 1), (Bgr{3, 2, 1})); // rows keep their order
    EXPECT_EQ(pixel24(d, 1, 1), (Bgr{6, 5, 4}));
    EXPECT_EQ(pixel24(d, 2, 1), (Bgr{9, 8, 7}));
    freedib(d);
}

TEST(ConvertDib24, EightBitPicturesGoThroughThePalette)
{
    dib d = newdib(5, 2, 8);
    QVector<QRgb> pal(256, qRgb(0, 0, 0));
    pal[0] = qRgb(9, 9, 9);
    pal[7] = qRgb(10, 20, 30);
    pal[255] = qRgb(250, 251, 252);
    setdibpalette(d, pal);
    d.poi[1] = 7;
    d.poi[4] = 255;
    d.poi[d.bytew + 2] = 7;
    ConvertDib24(d);
    ASSERT_EQ(dibbits(d), 24);
    EXPECT_EQ(pixel24(d, 0, 0), (Bgr{9, 9, 9}));
    EXPECT_EQ(pixel24(d, 1, 0), (Bgr{30, 20, 10}));
    EXPECT_EQ(pixel24(d, 4, 0), (Bgr{252, 251, 250}));
    EXPECT_EQ(pixel24(d, 2, 1), (Bgr{30, 20, 10}));
    EXPECT_EQ(pixel24(d, 2, 0), (Bgr{9, 9, 9}));
    freedib(d);
}

TEST(ConvertDib24, OneBitIndexZeroIsBlackWhateverThePalette)
{
    dib d = newdib(10, 2, 1);
    setdibpalette(d, {qRgb(255, 255, 255), qRgb(255, 0, 0)}); // not consulted
    setpixel(d, 0, 0, 0xFFFFFF);
    setpixel(d, 9, 1, 0xFFFFFF);
    ConvertDib24(d);
    ASSERT_EQ(dibbits(d), 24);
    EXPECT_EQ(pixel24(d, 0, 0), (Bgr{255, 255, 255}));
    EXPECT_EQ(pixel24(d, 1, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(pixel24(d, 9, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(pixel24(d, 9, 1), (Bgr{255, 255, 255}));
    freedib(d);
}

TEST(ConvertDib24, TwentyFourBitPicturesStayAsTheyAre)
{
    dib d = newdib(2, 2, 24);
    uint8_t *before = d.poi;
    ConvertDib24(d);
    EXPECT_EQ(d.poi, before);
    freedib(d);
    // Without a picture nothing happens at all.
    dib none;
    ConvertDib24(none);
    GrayScaleDib(none);
    LightenDib(none, 50, 0);
    EXPECT_EQ(none.poi, nullptr);
}

TEST(ConvertDib24, GreyAndLightenLeavePalettePicturesAlone)
{
    // Grey levels and lightening work on three bytes per pixel only.
    dib d = newdib(5, 1, 8);
    d.poi[0] = 200;
    GrayScaleDib(d);
    LightenDib(d, 10, 0);
    EXPECT_EQ(d.poi[0], 200);
    EXPECT_EQ(d.poi[1], 0);
    freedib(d);
}

TEST_F(TextureFiles, PreparationFollowsTheCheckBoxes)
{
    QImage idx(3, 1, QImage::Format_Indexed8);
    idx.setColorTable({qRgb(200, 100, 50), qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int x = 0; x < 3; ++x)
        idx.setPixel(x, 0, uint(x));
    const QString file = save(idx, QStringLiteral("idx.png"));

    TextureHolder t;
    // Both off: the picture keeps its depth and is drawn with its colours.
    ASSERT_TRUE(t.Prepare(file, false, false, 50, 0));
    EXPECT_EQ(dibbits(t.Dib()), 8);
    EXPECT_EQ(t.Image().pixel(0, 0), qRgb(200, 100, 50));

    // Lighten with s = 0, b = 100: the 24-bit equivalent.
    ASSERT_TRUE(t.Prepare(file, false, true, 100, 0));
    ASSERT_EQ(dibbits(t.Dib()), 24);
    EXPECT_EQ(pixel24(t.Dib(), 0, 0), (Bgr{50, 100, 200}));
    EXPECT_EQ(pixel24(t.Dib(), 2, 0), (Bgr{255, 255, 255}));

    // Fractions of HellEd and SatEd are dropped.
    ASSERT_TRUE(t.Prepare(file, false, true, 50.9, 50.7));
    EXPECT_EQ(pixel24(t.Dib(), 0, 0).r, 245);

    // Grey scale runs before saturation and lightening: grey 124, then
    // s = 100 gives 120; the other order would give 118.
    ASSERT_TRUE(t.Prepare(file, true, true, 100, 100));
    EXPECT_EQ(pixel24(t.Dib(), 0, 0), (Bgr{120, 120, 120}));

    // Grey alone.
    ASSERT_TRUE(t.Prepare(file, true, false, 1, 0));
    EXPECT_EQ(pixel24(t.Dib(), 0, 0), (Bgr{124, 124, 124}));
    EXPECT_EQ(t.Image().pixel(0, 0), qRgb(124, 124, 124));

    EXPECT_EQ(t.PrepareCount(), 5);
}

TEST_F(TextureFiles, AnUnreadableNameLeavesNoTextureAndAnEmptyPreview)
{
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(qRgb(10, 200, 30));
    const QString file = save(img, QStringLiteral("green.png"));
    QScrollArea scroll;
    auto *box = new PicturePreview;
    scroll.setWidget(box);
    TextureHolder t;
    box->setTexture(&t);
    EXPECT_EQ(box->size(), QSize(0, 0));

    ASSERT_TRUE(t.Prepare(file, false, false, 50, 0));
    box->refresh();
    EXPECT_EQ(box->size(), QSize(40, 30));
    const QImage shown = box->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(40, 30));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(10, 200, 30));
    EXPECT_EQ(shown.pixel(39, 29), qRgb(10, 200, 30));

    // A half-typed name, then a file that is no picture: the old texture
    // is gone and the preview shrinks to nothing.
    for (const QString &bad : {path(QStringLiteral("gre")), QStringLiteral(VELLORAN_SOURCE_DIR "/CMakeLists.txt")}) {
        ASSERT_TRUE(t.Prepare(file, false, false, 50, 0));
        EXPECT_FALSE(t.Prepare(bad, true, true, 50, 0));
        EXPECT_FALSE(t.HasTexture());
        EXPECT_EQ(t.Dib().poi, nullptr);
        box->refresh();
        EXPECT_EQ(box->size(), QSize(0, 0));
        RecordingCanvas canvas;
        t.PaintTexture(canvas, tiles(3, 1.5, false), 254, 100, 800, 1000);
        EXPECT_TRUE(canvas.draws.empty());
    }
}

TEST_F(TextureFiles, ABareNameIsFoundInTheCurrentDirectory)
{
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::blue);
    save(img, QStringLiteral("bare-name-texture.png"));
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp.path()));
    TextureHolder t;
    const bool held = t.Prepare(QStringLiteral("bare-name-texture.png"), false, true, 50, 0);
    QDir::setCurrent(old);
    EXPECT_TRUE(held);
    // Elsewhere a bare name that exists nowhere gives no texture.
    EXPECT_FALSE(t.Prepare(QStringLiteral("bare-name-texture.png"), false, true, 50, 0));
}

// A name from a document that leads to another machine or a device is refused before
// anything is opened; the same name chosen in the file dialog is opened as chosen.
TEST_F(TextureFiles, NetworkAndDeviceNamesOpenOnlyWhenChosenInTheDialog)
{
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString file = save(img, QStringLiteral("local.png"));
    TextureHolder t;
    ASSERT_TRUE(t.Prepare(file, false, false, 50, 0));
    EXPECT_EQ(t.Problem(), PictureProblem::None);

    const QString unc = QStringLiteral(R"(\\127.0.0.1\share\x.png)");
    EXPECT_FALSE(t.Prepare(unc, false, false, 50, 0));
    EXPECT_FALSE(t.HasTexture());
    EXPECT_EQ(t.Problem(), PictureProblem::NotLocal);
    EXPECT_TRUE(PictureProblemText(unc, PictureProblem::NotLocal).contains(QStringLiteral("Netzwerk")));

    if (platform::PicturePathRules() == PathRules::Linux) {
        // The same picture through the process's view of the root: a local file, but
        // under /proc, where a document may not lead.
        const QString viaProc = QStringLiteral("/proc/self/root") + QFileInfo(file).absoluteFilePath();
        EXPECT_FALSE(t.Prepare(viaProc, false, false, 50, 0));
        EXPECT_EQ(t.Problem(), PictureProblem::NotLocal);
        EXPECT_TRUE(t.Prepare(viaProc, false, false, 50, 0, true));
        EXPECT_EQ(t.Image().pixel(0, 0), qRgb(255, 0, 0));
        // A link beside the document's pictures that leads into /dev.
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("zero.png"))));
        EXPECT_FALSE(t.Prepare(path(QStringLiteral("zero.png")), false, false, 50, 0));
        EXPECT_EQ(t.Problem(), PictureProblem::NotLocal);
    }
    // An empty name is no picture, not a refused one.
    EXPECT_FALSE(t.Prepare(QString(), false, false, 50, 0));
    EXPECT_EQ(t.Problem(), PictureProblem::Missing);
}

TEST(TextureTiles, SizesFollowTheSettingsZoomAndResolution)
{
    // 23 cm at 96 dpi: 23 * 10 / 25.39995 * 96 = 869.29...
    CardSettings s;
    s.SVerh2Check = false;
    EXPECT_EQ(TextureTileSize(s, 512, 512, 96, 100), QSize(869, 377));
    EXPECT_EQ(TextureTileSize(s, 512, 512, 96, 50), QSize(434, 188));
    // Proportional: a 200 x 100 picture with tiles 301 wide is 150 high.
    const CardSettings p = tiles(3.01, 99, true);
    EXPECT_EQ(TextureTileSize(p, 200, 100, 254, 100), QSize(301, 150));
    // Below one pixel a tile is one pixel wide or high.
    EXPECT_EQ(TextureTileSize(tiles(3, 1.5, true), 100000, 1, 254, 100), QSize(300, 1));
    EXPECT_EQ(TextureTileSize(tiles(0.1, 0.1, false), 10, 10, 1, 1), QSize(1, 1));
}

TEST(TextureTiles, CoverThePageFromItsCornerScalingThePictureOnce)
{
    QTemporaryDir tmp;
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString file = tmp.path() + QStringLiteral("/pic.png");
    ASSERT_TRUE(img.save(file));
    TextureHolder t;
    ASSERT_TRUE(t.Prepare(file, false, false, 50, 0));

    RecordingCanvas canvas;
    const CardSettings s = tiles(3, 1.5, false); // 300 x 150 pixels
    t.PaintTexture(canvas, s, 254, 100, 800, 1000);
    ASSERT_EQ(canvas.draws.size(), 21u); // 3 columns, 7 rows
    for (size_t i = 0; i < canvas.draws.size(); ++i) {
        const auto &d = canvas.draws[i];
        EXPECT_EQ(d.target, QRect(int(i % 3) * 300, int(i / 3) * 150, 300, 150));
        EXPECT_EQ(d.imageSize, QSize(300, 150)); // already tile-sized: no rescaling
        EXPECT_EQ(d.cacheKey, canvas.draws[0].cacheKey);
    }
    EXPECT_EQ(t.ScaleCount(), 1);

    // The next page at the same size reuses the scaled picture.
    t.PaintTexture(canvas, s, 254, 100, 800, 1000);
    EXPECT_EQ(t.ScaleCount(), 1);
    // Another zoom scales once more.
    canvas.draws.clear();
    t.PaintTexture(canvas, s, 254, 50, 800, 1000);
    EXPECT_EQ(t.ScaleCount(), 2);
    EXPECT_EQ(canvas.draws.size(), size_t(6 * 14));
    // A new preparation forgets the scaled picture.
    ASSERT_TRUE(t.Prepare(file, false, true, 50, 0));
    t.PaintTexture(canvas, s, 254, 50, 800, 1000);
    EXPECT_EQ(t.ScaleCount(), 3);
}

TEST(TextureTiles, TinyTilesStillCoverThePageWithTheRightPattern)
{
    // A 2 x 1 picture, left half black, right half white, tiled 2 x 1 pixels:
    // the page must come out as alternating black and white columns.
    QTemporaryDir tmp;
    QImage img(2, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(0, 0, 0));
    img.setPixel(1, 0, qRgb(255, 255, 255));
    const QString file = tmp.path() + QStringLiteral("/stripes.png");
    ASSERT_TRUE(img.save(file));
    TextureHolder t;
    ASSERT_TRUE(t.Prepare(file, false, false, 50, 0));

    const CardSettings s = tiles(0.02, 0.01, false); // 2 x 1 pixels
    ASSERT_EQ(TextureTileSize(s, 2, 1, 254, 100), QSize(2, 1));
    RecordingCanvas rec;
    t.PaintTexture(rec, s, 254, 100, 800, 1000);
    ASSERT_FALSE(rec.draws.empty());
    EXPECT_LT(rec.draws.size(), 4096u); // not one call per tile
    QRegion covered;
    for (const auto &d : rec.draws)
        covered += d.target;
    EXPECT_TRUE(covered.contains(QRect(0, 0, 800, 1000)));

    QImage page(800, 1000, QImage::Format_RGB32);
    page.fill(Qt::gray);
    {
        QPainter painter(&page);
        QPainterCanvas canvas(&painter);
        t.PaintTexture(canvas, s, 254, 100, 800, 1000);
    }
    for (int y : {0, 1, 511, 512, 999})
        for (int x : {0, 1, 510, 511, 512, 513, 798, 799})
            ASSERT_EQ(page.pixel(x, y), (x % 2) ? qRgb(255, 255, 255) : qRgb(0, 0, 0))
                << x << "," << y;

    // Sub-pixel tiles end the loops too.
    RecordingCanvas sub;
    t.PaintTexture(sub, tiles(0.001, 0.001, true), 10, 1, 300, 300);
    EXPECT_FALSE(sub.draws.empty());
}

TEST(TextureTiles, PaintedPagesShowTheSmoothlyScaledPicture)
{
    QTemporaryDir tmp;
    QImage img(100, 50, QImage::Format_RGB32);
    img.fill(qRgb(0, 0, 255));
    for (int y = 0; y < 50; ++y)
        for (int x = 50; x < 100; ++x)
            img.setPixel(x, y, qRgb(255, 255, 0));
    const QString file = tmp.path() + QStringLiteral("/halves.png");
    ASSERT_TRUE(img.save(file));
    TextureHolder t;
    ASSERT_TRUE(t.Prepare(file, false, false, 50, 0));

    QImage page(500, 400, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        QPainterCanvas canvas(&painter);
        t.PaintTexture(canvas, tiles(2, 99, true), 254, 100, 500, 400); // 200 x 100
    }
    // Tiles start at the page's corner: blue then yellow in each tile.
    EXPECT_EQ(page.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(page.pixel(190, 90), qRgb(255, 255, 0));
    EXPECT_EQ(page.pixel(210, 110), qRgb(0, 0, 255));
    EXPECT_EQ(page.pixel(460, 350), qRgb(0, 0, 255)); // last column, cut off at 500
    // Smooth scaling blends the two halves where they meet.
    const QRgb edge = page.pixel(100, 50);
    EXPECT_GT(qRed(edge), 0);
    EXPECT_LT(qRed(edge), 255);
}

TEST(TextureTiles, TheShippedPaperIsLightAndSeamless)
{
    TextureHolder t;
    ASSERT_TRUE(t.Prepare(QStringLiteral(VELLORAN_SOURCE_DIR "/data/paper.jpg"), false, false, 50, 0));
    const QImage img = t.Image();
    ASSERT_GE(img.width(), 256);
    ASSERT_GE(img.height(), 256);
    EXPECT_EQ(dibbits(t.Dib()), 24);
    // Differences of neighbouring pixels across the wrap-around edges are
    // no larger than inside the picture.
    auto grey = [&](int x, int y) { return qGray(img.pixel(x, y)); };
    const int w = img.width(), h = img.height();
    double sum = 0, edgeX = 0, innerX = 0, edgeY = 0, innerY = 0;
    for (int y = 0; y < h; ++y) {
        edgeX += std::abs(grey(w - 1, y) - grey(0, y));
        innerX += std::abs(grey(w / 2 - 1, y) - grey(w / 2, y));
        for (int x = 0; x < w; ++x)
            sum += grey(x, y);
    }
    for (int x = 0; x < w; ++x) {
        edgeY += std::abs(grey(x, h - 1) - grey(x, 0));
        innerY += std::abs(grey(x, h / 2 - 1) - grey(x, h / 2));
    }
    EXPECT_GT(sum / (w * h), 215.0);
    EXPECT_LT(edgeX / h, innerX / h * 1.5 + 0.5);
    EXPECT_LT(edgeY / w, innerY / w * 1.5 + 0.5);
}

