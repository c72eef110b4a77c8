// The catalogue of a menu card: categories, each with its products.
//
// `kats` holds one element per category; the element is a reference to that
// category's product array. Every product array has element size
// sizeof(TProductRec) and the shared bound pointer `aprod`. Category names are
// not kept here: they are the captions of the category list of the main
// window, entry i of which always describes element i of `kats`.
#pragma once

#include "catalogue/brastel.h"
#include "catalogue/marks.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// One product, moved by the arrays as plain bytes. The three texts are owned
// zero-terminated UTF-16 buffers and released explicitly by the owner.
struct TProductRec {
    char16_t *name;
    char16_t *description;
    char16_t *quantity;
    double price;   // < 0 free text, == 0 price on request, > 0 price
    int32_t number; // < 0 not numbered, 0 automatic, > 0 this number
};

// The values of one product as plain Qt values.
struct ProductValues {
    QString name;
    QString description;
    QString quantity;
    double price = 0;
    int32_t number = 0;
};

class Catalogue {
public:
    Catalogue();
    ~Catalogue(); // releases every product text and every array

    Catalogue(const Catalogue &) = delete;
    Catalogue &operator=(const Catalogue &) = delete;

    TDynaArray *kats;      // one element (a TDynaArray*) per category
    TDynaArray **akat;     // bound pointer of kats
    TProductRec *aprod;    // bound pointer shared by all product arrays

    int categoryCount() const { return int(kats->count); }
    // Positions kats on category i and returns its product array.
    TDynaArray *products(int i);

    // Appends a category with an empty product array. False when memory ran
    // out (nothing changed then).
    bool addCategory();
    // Releases the products of category i, destroys its array and removes it.
    void deleteCategory(int i);
    // Swaps two categories (TDynaArray::Change semantics: cursor on b).
    void changeCategories(int a, int b);

    // Appends a product to category cat. Null when memory ran out.
    TProductRec *addProduct(int cat, const ProductValues &v);
    // Replaces the product's texts and values.
    bool setProduct(TProductRec *p, const ProductValues &v);
    // Positions the arrays on category cat, row r; returns the product.
    TProductRec *product(int cat, int row);
    void deleteProduct(int cat, int row);
    void changeProducts(int cat, int r1, int r2);

    // The allergens and additives of product row of category cat, held beside
    // the product records and kept in step by every command above (adding,
    // deleting and moving categories and products). Out of range reads as
    // no marks; setting out of range does nothing.
    const ProductMarks &marks(int cat, int row) const;
    void setMarks(int cat, int row, const ProductMarks &m);
    // True when any product carries a mark.
    bool hasMarks() const;

    // Releases everything (the document is discarded).
    void clear();
    // Exchanges the whole content with another catalogue; each array's bound
    // pointer is re-bound to its new owner.
    void swapContents(Catalogue &other);

    static ProductValues values(const TProductRec *p);
    static void releaseTexts(TProductRec *p);

private:
    void releaseCategory(TDynaArray *prods);
    // marks_[c][r] belongs to product r of category c; same shape as kats.
    std::vector<std::vector<ProductMarks>> marks_;
};

// Fixed-point price text as the program shows it: two decimals, up to 15
// significant digits, the given decimal separator, no thousands separator.
QString FormatPrice2(double price, QChar decimalPoint);
// The user's decimal separator: the default QLocale, which is the system
// locale unless a test has set another.
QChar UserDecimalPoint();
