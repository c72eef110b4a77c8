// The options file reader (options.dat) on arbitrary bytes: any file gives a
// language number, found only when the file holds at least four bytes.
#include "catalogue/options.h"
#include "fuzzutil.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = fuzzutil::scratchPath(".opt");
    if (!fuzzutil::writeScratch(path, data, size))
        return 0;
    bool found = true;
    const int32_t language = LoadOptionsFile(path, &found);
    if (found != (size >= 4))
        std::abort();
    if (found) {
        int32_t expected;
        std::memcpy(&expected, data, 4); // little-endian machine
        if (language != expected)
            std::abort();
    } else if (language != kDefaultLanguage) {
        std::abort();
    }
    return 0;
}
