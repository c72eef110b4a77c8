// A spreadsheet file for the import: reading it (a workbook or CSV, told
// apart by the content: a zip file is a workbook), the column titles it is
// recognised by, and the import's summary in words.
#pragma once

#include "catalogue/sheet.h"
#include "catalogue/sheetimport.h"

#include <QString>
#include <QStringList>

// The largest file the import reads.
constexpr qint64 kMaxSheetFile = 64LL * 1024 * 1024;

// A sheet read and its columns recognised.
struct SheetFile {
    Sheet sheet;
    SheetColumns columns;
    QStringList unknownTitles; // titles of the header that name no known column
};

// Reads path and recognises its columns. False with the reason in error:
// the file cannot be read, is no sheet the import reads (see
// ReadXlsxSheet, ReadCsvSheet), or its titles are not recognised (the
// message then names the titles expected).
bool ReadSheetFile(const QString &path, SheetFile *out, QString *error);
// The same for data already read (name: the file's name, for a workbook
// named .xlsx that is no zip file).
bool ReadSheetData(const QByteArray &data, const QString &name, SheetFile *out, QString *error);

// Per column kind, its title in every language of the translation table
// (the German one included), for "Größe %1" and "Preis %1" with the number.
SheetTitles ImportColumnTitles();

// "Kategorie", "Bezeichnung", "Preis" (needed) and the others, in the
// interface language, for the message about a sheet without them.
QString ExpectedTitlesText();

// The summary as counts: "2 neue Produkte (1 neue Kategorie), 3 geändert,
// 40 unverändert, 5 nicht in der Tabelle (behalten), 1 Zeile nicht lesbar",
// or that nothing changes.
QString ImportSummaryText(const ImportPlan &plan, bool removeMissing);
// One line per unreadable row: "Zeile 7, Spalte "Preis": ...".
QStringList UnreadableRowTexts(const ImportPlan &plan);
// The title of a column kind in the interface language; a translation
// column's with the language's tag ("Bezeichnung (en)").
QString ColumnTitle(int kind, const QString &tag = QString());

// The texts the spreadsheet export and import show, this module's and those
// of the modules below it (for the translation table).
QStringList SheetFileMessageTexts();
