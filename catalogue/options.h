// The options file options.dat: the interface language as one signed 32-bit
// little-endian number, exactly 4 bytes, no header.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

// Language index used when there is no usable options file (Swedish).
constexpr int32_t kDefaultLanguage = 4;

// Reads the language index from path. A file that is missing, cannot be
// opened for reading and writing (write-protected, locked) or is shorter than
// 4 bytes counts as missing: the result is kDefaultLanguage and *found (when
// given) is false. The stored number is returned unchecked.
int32_t LoadOptionsFile(const QString &path, bool *found = nullptr);

// Writes language as the whole file (exactly 4 bytes), replacing it. Returns
// false, leaving the old file as it was, when it cannot be written (a
// write-protected file is not replaced).
bool SaveOptionsFile(const QString &path, int32_t language);

// The language of a first start, for a locale: German 0, English 1, French 2,
// Dutch 3, Swedish 4; German for the C/POSIX locale (no language set);
// kDefaultLanguage for every other language.
int32_t LanguageOfLocale(const QLocale &locale);

// The language the program starts in: the number stored in path, or, when
// the file counts as missing (see LoadOptionsFile), the language of the
// locale in force (QLocale(): the system's unless a default was set).
// *found (when given) tells which.
int32_t StartLanguage(const QString &path, bool *found = nullptr);
