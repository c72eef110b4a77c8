// The program's 8-bit code page: Windows-1252 on every platform.
//
// Font face names in documents and the CSV export are stored in it, so files
// read the same as those made on Western European Windows. A character the
// code page cannot hold becomes '?'.
#pragma once

#include <QByteArray>
#include <QString>

// Unicode -> Windows-1252. One byte per character (a surrogate pair, one
// character, becomes a single '?'; an unpaired surrogate becomes '?').
QByteArray ToWindows1252(const QString &s);
// Windows-1252 -> Unicode. Every byte has a character; the five bytes the
// code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the C1
// control of the same value, as Windows reads them, so they write back
// unchanged.
QString FromWindows1252(const QByteArray &b);
// The character a byte stands for.
QChar Windows1252Char(uint8_t byte);
// True when the table was taken from Qt's own "windows-1252" converter; false
// when this Qt has none and the built-in table is used (the two agree).
bool Windows1252FromQt();
// The built-in table for 0x80..0x9F (index 0 = byte 0x80). The rest of the
// code page is identical to Latin-1.
const char16_t *Windows1252BuiltInHighTable();
