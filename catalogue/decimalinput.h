// Reading a number of money or length as people type it. A point or a comma
// followed by one or two digits at the end is the decimal mark in every
// interface language ("6.90" and "6,90" are both 6.90); otherwise the
// interface's own decimal mark and digit grouping apply ("1.234,5" in a
// German interface, "1,234.5" in an English one). Spaces group digits in every
// language (tabs and line breaks do not). Only the digits 0 to 9 are digits.
// A negative zero reads as 0. What cannot be read unambiguously gives no
// value: the caller refuses it instead of guessing.
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

std::optional<double> parseDecimalInput(const QString &text, const QLocale &locale);
