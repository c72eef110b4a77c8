// Reading an Excel workbook (.xlsx) for the import: QuaZip opens the zip
// container, Qt's QXmlStreamReader reads the parts.
//
// The sheet read is the one named "Katalog", else the workbook's first.
// Cells: shared strings (rich text joined, phonetic hints left out), inline
// strings, numbers (the cell keeps the value and its shortest text), booleans
// as their text, empty cells and cells left out; a cell reference that skips
// columns or rows puts the cell where it names. A formula counts by its
// stored result; one without a result, or with an error, is a cell without a
// value (the import calls its row unreadable).
// Refused as a whole, with a message: data that is not a zip file or not a
// workbook, a zip bomb (more than kMaxUnpackedXlsx bytes unpacked, or a part
// that unpacks to more than kMaxXlsxRatio times its packed size), more than
// kMaxSheetRows rows or kMaxSheetColumns columns.
#pragma once

#include "catalogue/sheet.h"

#include <QByteArray>
#include <QString>

constexpr qint64 kMaxUnpackedXlsx = 64LL * 1024 * 1024;
constexpr qint64 kMaxXlsxRatio = 200;

bool ReadXlsxSheet(const QByteArray &data, Sheet *out, QString *error);

// True when data begins as a zip file does.
bool LooksLikeZip(const QByteArray &data);
