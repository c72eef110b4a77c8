#include "layout/cardqr.h"

#include "layout/canvas.h"

#include <cmath>

void PaintQrModules(ICanvas &canvas, const QRect &box, const QrModules &qr, QRgb dark, QRgb light)
{
    if (qr.isNull() || box.isEmpty())
        return;
    const int n = qr.size + 2 * kQrQuietZone;
    const int side = std::min(box.width(), box.height());
    // Edge i of the module grid, from the box's top-left corner. Below one
    // pixel per module (a small preview) modules share pixels: the code is
    // then only a likeness, but it stays where it will be printed.
    const double step = double(side) / n;
    auto edge = [&](int i) { return int(std::lround(i * step)); };

    canvas.fillRect(QRect(box.left(), box.top(), side, side), light);
    ForEachDarkRun(qr, [&](int y, int x, int end) {
        const int top = box.top() + edge(y + kQrQuietZone);
        const int bottom = box.top() + edge(y + kQrQuietZone + 1);
        const int left = box.left() + edge(x + kQrQuietZone);
        const int right = box.left() + edge(end + kQrQuietZone);
        if (right > left && bottom > top)
            canvas.fillRect(QRect(left, top, right - left, bottom - top), dark);
    });
}
