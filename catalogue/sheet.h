// A spreadsheet as the import reads it: rows of cells, each cell a text and,
// for a number cell of a workbook, its value. The CSV reader lives here; the
// workbook (.xlsx) reader, which needs the zip library, is export/xlsxreader.*
// and fills the same structure.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The most rows a sheet may have (the header included); a longer one is
// refused as a whole.
constexpr int kMaxSheetRows = 100000;
// The most columns a row may have; cells further right are refused.
constexpr int kMaxSheetColumns = 1000;

struct SheetCell {
    QString text;          // as written (a number cell: its value as text)
    double number = 0;     // a workbook's number cell: its value
    bool isNumber = false;
    bool noValue = false;  // a formula without a stored result: unreadable
};

struct SheetRow {
    int line = 0; // the row's number as the spreadsheet shows it (from 1)
    QVector<SheetCell> cells;
};

struct Sheet {
    QVector<SheetRow> rows; // the first row (if any) holds the column titles
};

// The text encodings a CSV file may come in.
enum class CsvEncoding { Utf8Bom, Utf8, Windows1252 };

// Reads a CSV file: UTF-8 with or without byte order mark, otherwise
// Windows-1252 (a text that is not valid UTF-8); separator comma, semicolon
// or tab, whichever of them the first line has most of outside quotation
// marks (a tab before a semicolon before a comma on a tie, a comma without
// any); quoted fields may hold separators, doubled quotation marks and line
// breaks. CR LF, LF and CR all end a line. Entirely empty lines are left out
// (their numbers are kept by the rows after them). False with the reason in
// error for more than kMaxSheetRows rows or a row wider than
// kMaxSheetColumns; a quoted field left open at the end takes the rest of
// the file.
bool ReadCsvSheet(const QByteArray &data, Sheet *out, QString *error, CsvEncoding *encoding = nullptr);

// A number as a sheet's cell or CSV field writes a price or order number:
// "6,90", "6.90", "1.234,50", "1,234.50", "1 234,50", "-2", "6,90 €". With
// both a point and a comma the last one is the decimal mark; with one of
// them only once it is the decimal mark, several times it groups digits.
// False for anything else.
bool ParseSheetNumber(const QString &text, double *value);
