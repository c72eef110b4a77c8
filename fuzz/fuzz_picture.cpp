// The picture opener on arbitrary bytes, followed by every preparation step
// of the background texture (24-bit conversion, grey levels, saturation and
// lightening), as the program runs them on a picture the user names.
#include "fuzzutil.h"
#include "texture/pictor3.h"
#include "texture/texture.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // No suffix: the readers recognise the format by its content.
    static const QString path = fuzzutil::scratchPath(".picture");
    if (!fuzzutil::writeScratch(path, data, size))
        return 0;
    dib d = OpenDib(path);
    if (!d.poi)
        return 0;
    const int w = dibwidth(d), h = dibheight(d);
    if (w <= 0 || h <= 0 || int64_t(w) * h > kMaxDibPixels)
        std::abort();
    (void)getpixel(d, w - 1, h - 1);
    ConvertDib24(d);
    GrayScaleDib(d);
    LightenDib(d, 50, 0);
    LightenDib(d, 100, 200);
    (void)DibToImage(d);
    freedib(d);
    return 0;
}
