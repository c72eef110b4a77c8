// Importing a spreadsheet into the catalogue: a merge, not a replacement.
//
// The sheet's first row names its columns; they are recognised by their
// titles (the CSV export's, in any interface language: the caller gives the
// titles it knows, see export/sheetcolumns.h). Every further row is a product.
// A row is matched to a product of the document by its explicit order number
// (above 0), else by category and name (rows and products with the same
// category and name pair off in order). What the import would do is worked out
// first, as an ImportPlan the user sees before anything changes: new products
// (and the new categories they bring), changed fields (old and new value per
// field), unchanged rows, the document's products the sheet does not name
// (kept unless the user asks to remove them) and the rows that cannot be read
// (row number, column, reason). ApplySheetImport then carries the plan out.
//
// Only the columns the sheet has are compared: a sheet without a
// description column leaves every description as it is. Importing the
// program's own export (CSV or Excel) again changes nothing.
//
// The translations of name, description and quantity note come in columns
// titled like the German ones with a language tag: "Bezeichnung (en)". They
// are taken when the tag is the document's second language; columns of
// another language are left aside, and the plan says so.
#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/marks.h"
#include "catalogue/sheet.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The columns the import knows, in the order of the CSV export.
enum SheetColumn {
    ColCategory, ColName, ColDescription, ColPrice, ColNumber, ColQuantity, ColAllergens, ColAdditives,
    ColSize1, ColSize2, ColPrice2, ColSize3, ColPrice3, ColSize4, ColPrice4,
    // The translations into a second language: "Bezeichnung (en)", ...
    ColNameTranslation, ColDescriptionTranslation, ColQuantityTranslation,
    kSheetColumnKinds
};

// The German title of a column (the translation table's key): "Kategorie",
// ..., "Größe 1", "Größe 2", "Preis 2", ...; for a translation column the
// title of its German column ("Bezeichnung"), which the sheet follows with
// the language's tag.
QString SheetColumnKey(int kind);
// Whether kind is one of the translation columns, and the German column it
// translates.
bool IsTranslationColumn(int kind);
int TranslatedColumn(int kind);

// Per column kind, every title it is known by. Compared without case and
// without blanks or a colon at the ends.
using SheetTitles = QVector<QStringList>;

// Where each known column stands in the sheet (-1: the sheet has none).
struct SheetColumns {
    int at[kSheetColumnKinds];
    // The language tag of the translation columns, as the sheet writes it
    // (empty: the sheet has none).
    QString translationTag;
    SheetColumns() { std::fill(std::begin(at), std::end(at), -1); }
    bool has(int kind) const { return at[kind] >= 0; }
    // The sheet can be imported: it has a category and a name column, and
    // a price column.
    bool usable() const { return has(ColCategory) && has(ColName) && has(ColPrice); }
};

// Recognises the columns of a header row. unknown (when given) receives the
// non-empty titles that name no known column; a column named twice counts
// from its first place. A title of the name, description or quantity column
// followed by a well-formed language tag in parentheses is a translation
// column; the first such tag counts, translation columns of a further
// language are unknown titles.
SheetColumns MatchSheetColumns(const SheetRow &header, const SheetTitles &titles, QStringList *unknown = nullptr);

// Limits of a product's texts in a sheet.
constexpr int kMaxImportName = 500;
constexpr int kMaxImportDescription = 10000;
// The largest price a sheet may give (in either direction).
constexpr double kMaxImportPrice = 1e9;

// One product as a row of the sheet gives it.
struct ImportedProduct {
    QString category;
    ProductValues values;
    ProductMarks marks;
    bool firstEmpty = false;     // price cell empty: not sold in the first size
    QVector<double> further;     // prices of sizes 2.. (NaN: not sold), as many as the sheet has
    QStringList headings;        // the size headings the row names (for a new category)
    ProductTranslation translation; // into the document's second language
};

struct FieldChange {
    int column = 0; // SheetColumn
    QString before, after;
};

// One row of the sheet and what it does.
struct PlannedRow {
    int line = 0;       // the sheet's row number
    int category = -1;  // the product's category in the document (-1: a new product)
    int row = -1;       // its row there
    ImportedProduct product;
    QVector<FieldChange> changes; // a changed product: what changes
};

struct MissingProduct {
    int category = 0, row = 0;
    QString categoryName, name;
};

struct UnreadableRow {
    int line = 0;
    int column = -1; // SheetColumn, -1 when the row as a whole is meant
    QString reason;  // in the interface language
};

struct ImportPlan {
    QVector<PlannedRow> added;     // new products, in sheet order
    QStringList newCategories;     // categories that new products bring, in sheet order
    QVector<PlannedRow> changed;
    QVector<PlannedRow> unchanged;
    QVector<MissingProduct> missing; // the document's products the sheet does not name
    QVector<UnreadableRow> unreadable;
    // The tag of the translation columns taken (the document's second
    // language), empty when the sheet has none or they were left aside.
    QString translationTag;
    // The titles of translation columns left aside because their language
    // is not the document's second language.
    QStringList otherLanguageColumns;

    // Applying it would change nothing (with or without removing the missing products).
    bool changesNothing(bool removeMissing) const
    {
        return added.isEmpty() && changed.isEmpty() && (!removeMissing || missing.isEmpty());
    }
};

// Works out what importing sheet (columns as matched) into the document
// would do. names: the category captions, one per category of cat.
ImportPlan PlanSheetImport(const Sheet &sheet, const SheetColumns &columns, const QStringList &names,
                           const Catalogue &cat);

// Carries plan out (a plan made of this very document): changes the matched
// products (moving one whose category changed to the end of its new
// category), appends the new products (new categories at the end, with the
// sizes the sheet names) and, with removeMissing, deletes the products the
// sheet does not name. Everything else, the order included, stays.
void ApplySheetImport(const ImportPlan &plan, bool removeMissing, QStringList &names, Catalogue &cat);

// The text of a value in the preview: a price with two decimals, "–" for
// an empty one.
QString ImportPriceText(double price);

// The texts this module and the CSV reader show (for the translation table).
QStringList SheetImportMessageTexts();
