// Speed of the background texture: preparing a large photo, and tiling one
// preview page.
#include "texture/texture.h"

#include "catalogue/appfiles.h"
#include "catalogue/cardsettings.h"
#include "layout/qpaintercanvas.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

// A 2000 x 2000 JPEG with photo-like content (gradients and noise), made once.
const QString &bigJpeg()
{
    static QTemporaryDir dir;
    static QString file;
    if (file.isEmpty()) {
        QImage img(2000, 2000, QImage::Format_RGB32);
        std::mt19937 rng(7);
        for (int y = 0; y < img.height(); ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const int n = int(rng() % 32);
                row[x] = qRgb((x / 8 + n) & 255, (y / 8 + n) & 255, ((x + y) / 16 + n) & 255);
            }
        }
        file = dir.path() + QStringLiteral("/big.jpg");
        img.save(file, "JPG", 90);
    }
    return file;
}

// The shipped paper from the source tree (this file's ../data), else looked
// up like the program does.
QString paper()
{
    const QString beside = QFileInfo(QString::fromUtf8(__FILE__)).absolutePath()
                           + QStringLiteral("/../data/paper.jpg");
    if (QFileInfo(beside).isFile())
        return beside;
    return appfiles::ResolveDataFile(QStringLiteral("paper.jpg"));
}

// Open, convert to 24 bits, grey, lighten: the preparation of the texture.
void BM_PrepareJpeg2000(benchmark::State &state)
{
    const QString file = bigJpeg();
    dib d;
    for (auto _ : state) {
        PrepareTextureDib(d, file, true, true, 50, 0);
        benchmark::DoNotOptimize(d.poi);
    }
    freedib(d);
}
BENCHMARK(BM_PrepareJpeg2000)->Unit(benchmark::kMillisecond);

// The same plus the image the preview and the pages draw from.
void BM_PrepareJpeg2000WithDrawingImage(benchmark::State &state)
{
    const QString file = bigJpeg();
    TextureHolder t;
    for (auto _ : state)
        benchmark::DoNotOptimize(t.Prepare(file, true, true, 50, 0));
}
BENCHMARK(BM_PrepareJpeg2000WithDrawingImage)->Unit(benchmark::kMillisecond);

// One A4 preview page at 96 dpi (794 x 1123 pixels) with 3 cm tiles of the
// shipped paper (113 x 113 pixels, 7 x 10 tiles). Arg 0: the page is painted
// again at the same zoom (the scaled tile is reused); arg 1: every paint
// changes the zoom, so the picture is scaled once in every paint.
void BM_TilePreviewPage(benchmark::State &state)
{
    TextureHolder t;
    if (!t.Prepare(paper(), false, true, 50, 0)) {
        state.SkipWithError("paper.jpg not found");
        return;
    }
    CardSettings s;
    s.BreitEd2 = 3;
    QImage page(794, 1123, QImage::Format_RGB32);
    const bool rezoom = state.range(0) != 0;
    int zoom = 100;
    const int scalesBefore = t.ScaleCount();
    for (auto _ : state) {
        if (rezoom)
            zoom = zoom == 100 ? 99 : 100;
        QPainter p(&page);
        QPainterCanvas canvas(&p);
        t.PaintTexture(canvas, s, 96, zoom, page.width(), page.height());
    }
    state.counters["scales_per_paint"] =
        double(t.ScaleCount() - scalesBefore) / double(state.iterations());
    const QSize tile = TextureTileSize(s, t.Image().width(), t.Image().height(), 96, 100);
    state.counters["tiles_per_paint"] = double(((page.width() + tile.width() - 1) / tile.width())
                                               * ((page.height() + tile.height() - 1) / tile.height()));
}
BENCHMARK(BM_TilePreviewPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// For comparison: the whole picture stretched into every tile, i.e. one
// scaling per tile.
void BM_TilePreviewPageScalingEveryTile(benchmark::State &state)
{
    TextureHolder t;
    if (!t.Prepare(paper(), false, true, 50, 0)) {
        state.SkipWithError("paper.jpg not found");
        return;
    }
    CardSettings s;
    s.BreitEd2 = 3;
    QImage page(794, 1123, QImage::Format_RGB32);
    const QImage &img = t.Image();
    const QSize tile = TextureTileSize(s, img.width(), img.height(), 96, 100);
    for (auto _ : state) {
        QPainter p(&page);
        QPainterCanvas canvas(&p);
        for (int y = 0; y < page.height(); y += tile.height())
            for (int x = 0; x < page.width(); x += tile.width())
                canvas.drawImage(QRect(QPoint(x, y), tile), img);
    }
}
BENCHMARK(BM_TilePreviewPageScalingEveryTile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
