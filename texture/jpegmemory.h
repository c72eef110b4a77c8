// The memory the JPEG library needs for a progressive picture. It keeps every
// coefficient of the whole picture until the last scan (about 2 bytes per
// sample), however small the picture is decoded; the picture opener refuses
// a picture beyond the budget as too large, before decoding.
#pragma once

#include <QString>
#include <cstdint>

// What the JPEG library may hold while decoding one picture.
constexpr int64_t kMaxJpegLibraryBytes = int64_t(128) * 1000 * 1000;

// The bytes the JPEG library holds for the coefficients of a progressive
// JPEG file (from its frame header); 0 for any other file.
int64_t ProgressiveJpegMemory(const QString &filename);
