// The QR code on the card: the module matrix that the encoder delivers and
// its drawing as filled squares, so that it stays sharp at every zoom and on
// every device (a scaled picture would blur or lose modules).
#pragma once

#include <QRect>
#include <QRgb>
#include <cstdint>
#include <vector>

class ICanvas;

// A QR symbol: size x size modules, row by row, true = dark.
struct QrModules {
    int size = 0;
    std::vector<uint8_t> dark;
    bool isNull() const { return size <= 0; }
    bool at(int x, int y) const { return dark[size_t(y) * size_t(size) + size_t(x)] != 0; }
};

// The light border that readers need around the symbol, in modules.
constexpr int kQrQuietZone = 4;

// Calls f(y, x, end) for every horizontal run of dark modules x..end-1 of
// row y, row by row: what the card and the SVG export draw.
template <class F>
void ForEachDarkRun(const QrModules &qr, F &&f)
{
    for (int y = 0; y < qr.size; ++y) {
        for (int x = 0; x < qr.size;) {
            if (!qr.at(x, y)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < qr.size && qr.at(end, y))
                ++end;
            f(y, x, end);
            x = end;
        }
    }
}

// Paints the symbol with its quiet zone into `box` (device pixels): the box
// is filled white and every horizontal run of dark modules becomes one
// rectangle. Module edges are rounded to whole pixels on a common grid, so
// neighbouring modules meet without gaps or overlaps. Does nothing for a
// null symbol or a box smaller than one pixel per module.
void PaintQrModules(ICanvas &canvas, const QRect &box, const QrModules &qr,
                    QRgb dark = qRgb(0, 0, 0), QRgb light = qRgb(255, 255, 255));
