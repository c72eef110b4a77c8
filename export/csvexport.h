// The catalogue as a comma-separated text file.
//
// Windows-1252 text without byte order mark (characters outside the code
// page become '?'), CR LF after every line including the last, six quoted
// fields per line with quotation marks doubled and nothing else escaped.
// Line 1 is the header; then one line per product: category name, name,
// description, price (two decimals, the given decimal point; empty when the
// product is not sold in its category's first size), order number, quantity
// note. Categories without products give no line.
// When any product carries an allergen or additive mark, or any category has
// sizes, every line has two more fields: the allergen letters and the
// additive numbers, each separated by commas ("A,G", "1,3"); empty without
// marks, so that the size fields after them always stand in the same place.
// When any category has sizes, every line then has the first size's heading
// and, for each further size of the card's most sized category, the size's
// heading and its price. A size's fields are empty when the product is not
// sold in it, its category has fewer sizes or none, or it is a free text.
// When the document has cards or products out of season, every line ends
// with two more fields: "ja"/"nein" (whether the product is offered) and the
// cards the product stands on, separated by ", " (out of season it keeps its
// cards). The whole catalogue is written, products out of season included.
// When any product has a translation into the second language, every line
// ends with three more fields: the translations of name, description and
// quantity note ("Bezeichnung (en)", "Beschreibung (en)", "Menge (en)").
// docs/file-format.md lists the columns.
#pragma once

#include "catalogue/catalogue.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QVector>

class CardList;

// One cell of the exported catalogue: the text the CSV writes, and for a
// number (price, order number) its value, which a spreadsheet stores as a
// number. decimals: the number format's decimals (2 for prices, 0 for order
// numbers).
struct CatalogueCell {
    QString text;
    double number = 0;
    bool isNumber = false;
    int decimals = 0;
};

// The exported catalogue as a table: the header and one row per product,
// the same columns in the same order as the CSV file. The CSV and the Excel
// export both write it, so their columns never differ.
struct CatalogueTable {
    QStringList header;
    QVector<QVector<CatalogueCell>> rows;
};
CatalogueTable BuildCatalogueTable(const QStringList &names, const Catalogue &cat, const QStringList &header,
                                   QChar decimalPoint, const CardList *cards = nullptr);

// Appends one field to the line being built: quotation mark, the value with
// every quotation mark doubled, quotation mark, comma.
void AddCsvField(QString &line, const QString &value);

// The whole export file. names: the captions of the category list, one per
// category of cat (extra entries on either side are ignored). header: the
// column titles (CsvHeader() gives them), already in the interface language
// (missing ones are empty).
// decimalPoint: the user's decimal separator (UserDecimalPoint()). The
// catalogue's cursors are not moved. cards: the document's cards (null:
// the first card alone, carrying everything).
QByteArray BuildCsv(const QStringList &names, const Catalogue &cat, const QStringList &header,
                    QChar decimalPoint, const CardList *cards = nullptr);

// Whether the lines end with the columns of offer and cards: the document
// has more than one card, a renamed first card, or a first card that does
// not carry every product (or one out of season).
bool CsvCardColumns(const Catalogue &cat, const CardList *cards);

// Whether the lines end with the columns of the translations: a product has
// one.
bool CsvTranslationColumns(const Catalogue &cat);

// The number of sizes of the card's most sized category (0 without sizes).
int CsvSizeColumns(const Catalogue &cat);

// The column titles of cat in the interface language: messages 13 to 18,
// then, when a product carries a mark or a category has sizes, "Allergene"
// and "Zusatzstoffe", then with sizes "Größe 1" and "Größe 2", "Preis 2", ...
// for the further sizes; then, with cards (CsvCardColumns), "Im Angebot"
// and "Karten"; then, with translations (CsvTranslationColumns), the titles
// of name, description and quantity with the second language's tag.
QStringList CsvHeader(const Catalogue &cat, const CardList *cards = nullptr);
// The German texts of those columns, for the translation table.
QStringList CsvCardTexts();

// Creates or replaces the file with data through a temporary file in the same
// folder, renamed over the target only when every byte was written and
// flushed: a failed export never leaves a half file, and an existing file is
// kept as it was. False with the reason in error on any failure.
bool WriteCsvFile(const QString &path, const QByteArray &data, QString *error);
