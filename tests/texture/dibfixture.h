// Pixel access to the pictures of the picture library, for the tests of the
// library and of the paper texture.
#pragma once

#include "texture/pictor3.h"

#include <cstdint>

namespace dibtest {

struct Bgr {
    int b, g, r;
    bool operator==(const Bgr &o) const { return b == o.b && g == o.g && r == o.r; }
};

inline Bgr pixel24(const dib &d, int x, int y)
{
    const uint8_t *p = d.poi + int64_t(y) * d.bytew + 3 * x;
    return {p[0], p[1], p[2]};
}

inline void set24(const dib &d, int x, int y, int r, int g, int b)
{
    uint8_t *p = d.poi + int64_t(y) * d.bytew + 3 * x;
    p[0] = uint8_t(b);
    p[1] = uint8_t(g);
    p[2] = uint8_t(r);
}

// Holds a picture and releases it at the end of the test.
struct Held {
    dib d;
    explicit Held(dib v) : d(v) {}
    ~Held() { freedib(d); }
};

} // namespace dibtest
