// The QR encoder on any address: the bytes as UTF-8 and as UTF-16. A symbol
// it gives is a proper QR symbol (21 to 177 modules a side, in steps of 4)
// and exports as PNG and SVG; an address it refuses is one the tab's note
// explains.
#include "export/qrcode.h"
#include "fuzzutil.h"

#include <cstdlib>

namespace {

void check(const QString &address)
{
    QString error;
    const auto qr = EncodeQr(address, &error);
    const QrProblem problem = QrAddressProblem(address);
    if (!qr) {
        if (error.isEmpty() || problem == QrProblem::None)
            std::abort();
        return;
    }
    if (problem != QrProblem::None)
        std::abort();
    if (qr->size < 21 || qr->size > 177 || (qr->size - 21) % 4 != 0
        || qr->dark.size() != size_t(qr->size) * size_t(qr->size))
        std::abort();
    if (QrSvg(*qr).isEmpty() || QrPng(*qr, 1).isEmpty())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    check(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    check(QString::fromUtf16(reinterpret_cast<const char16_t *>(data), qsizetype(size / 2)));
    return 0;
}
