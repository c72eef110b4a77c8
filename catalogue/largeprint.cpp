#include "catalogue/largeprint.h"

#include <cmath>

CardSettings LargePrintSettings(const CardSettings &s)
{
    CardSettings large = s;
    for (FontSetting &f : large.fonts)
        f.size = int32_t(std::lround(f.size * kLargePrintFactor));
    large.FilenameEdit2.clear(); // plain paper behind the text
    return large;
}
