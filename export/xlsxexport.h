// The catalogue as an Excel workbook (.xlsx), written with libxlsxwriter.
//
// One sheet named "Katalog" with the columns of the CSV export
// (CatalogueTable, the same values): the header row in bold and frozen, so
// that it stays in place while scrolling, an autofilter over the header (the
// category names as the sheet's filter), column widths after the longest
// text of each column. Prices are number cells with two decimals ("0.00",
// shown with the spreadsheet's own decimal mark), order numbers whole number
// cells; an empty price stays an empty cell. A description's line breaks are
// written as the spreadsheet's own (LF) and the cell wraps.
#pragma once

#include "export/csvexport.h"

#include <QString>

// Whether this build reads and writes workbooks. A build without the two
// libraries (WorkbookProblemText says why) exports and imports CSV alone:
// WriteXlsxFile and ReadXlsxSheet then refuse with that text.
bool WorkbooksAvailable();
QString WorkbookProblemText();

// The name of the catalogue's sheet; the import looks for it first.
QString XlsxSheetName();

// Creates or replaces the file at path with the workbook of table, through
// a temporary file: a failed export leaves no half file and keeps an
// existing one. False with the reason in error.
bool WriteXlsxFile(const QString &path, const CatalogueTable &table, QString *error);
