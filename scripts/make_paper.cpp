// Generates the shipped background texture data/paper.jpg: a light, warm
// off-white paper with soft clouding, fine grain and thin fibres. Every
// ingredient wraps around the edges, so the picture tiles without seams.
//
// Build and run from a build directory:
//   ninja make_paper && ./texture/make_paper ../data/paper.jpg [size]
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

std::mt19937 rng(20261209u);

// Uniform in [0, 1), the same on every platform.
double uniform()
{
    return double(rng()) / 4294967296.0;
}

double smooth(double t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}

// Value noise on a lattice of cells x cells points that wraps around.
class PeriodicNoise {
public:
    explicit PeriodicNoise(int cells)
        : cells_(cells), values_(size_t(cells) * cells)
    {
        for (double &v : values_)
            v = uniform() * 2 - 1;
    }
    // u, v in [0, 1)
    double at(double u, double v) const
    {
        const double x = u * cells_, y = v * cells_;
        const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
        const double fx = smooth(x - x0), fy = smooth(y - y0);
        const double a = value(x0, y0), b = value(x0 + 1, y0);
        const double c = value(x0, y0 + 1), d = value(x0 + 1, y0 + 1);
        return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
    }

private:
    double value(int x, int y) const
    {
        x = ((x % cells_) + cells_) % cells_;
        y = ((y % cells_) + cells_) % cells_;
        return values_[size_t(y) * cells_ + x];
    }
    int cells_;
    std::vector<double> values_;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_paper OUTPUT.jpg [size]\n");
        return 2;
    }
    const int size = argc > 2 ? std::atoi(argv[2]) : 512;
    if (size < 16 || size > 8192) {
        std::fprintf(stderr, "size must be 16..8192\n");
        return 2;
    }

    // Clouding: a few octaves of wrapping value noise.
    const PeriodicNoise octaves[] = {PeriodicNoise(4), PeriodicNoise(8), PeriodicNoise(16),
                                     PeriodicNoise(32), PeriodicNoise(64)};
    const double weights[] = {0.40, 0.25, 0.16, 0.11, 0.08};

    QImage img(size, size, QImage::Format_RGB32);
    const double base[3] = {243, 237, 223}; // warm off-white
    for (int y = 0; y < size; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const double u = double(x) / size, v = double(y) / size;
            double n = 0;
            for (int o = 0; o < 5; ++o)
                n += weights[o] * octaves[o].at(u, v);
            const double grain = (uniform() + uniform() - 1) * 3.0;
            const double shade = n * 9.0 + grain;
            int c[3];
            for (int k = 0; k < 3; ++k) {
                // Darker places turn slightly warmer, like real paper.
                const double warm = k == 2 ? 1.25 : (k == 1 ? 1.05 : 0.9);
                c[k] = int(std::lround(std::clamp(base[k] + shade * warm, 0.0, 255.0)));
            }
            row[x] = qRgb(c[0], c[1], c[2]);
        }
    }

    // Fibres: short, gently curving strokes, drawn at the nine positions
    // around the picture so that those crossing an edge come in again on
    // the opposite side.
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const int fibres = size * size / 450;
    for (int i = 0; i < fibres; ++i) {
        QPainterPath path;
        double x = uniform() * size, y = uniform() * size;
        double angle = uniform() * 2 * M_PI;
        const int steps = 3 + int(uniform() * 10);
        path.moveTo(x, y);
        for (int s = 0; s < steps; ++s) {
            angle += (uniform() - 0.5) * 0.9;
            const double len = 2 + uniform() * 5;
            x += std::cos(angle) * len;
            y += std::sin(angle) * len;
            path.lineTo(x, y);
        }
        const bool dark = uniform() < 0.7;
        const int alpha = 14 + int(uniform() * 30);
        const QColor colour = dark ? QColor(150, 130, 100, alpha) : QColor(255, 253, 246, alpha + 20);
        p.setPen(QPen(colour, 0.5 + uniform() * 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                p.drawPath(path.translated(dx * size, dy * size));
    }
    p.end();

    if (!img.save(QString::fromLocal8Bit(argv[1]), "JPG", 92)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
