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
#include "catalogue/translation.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <vector>

// The most size columns a category may have ("0,3 l", "0,5 l", ...).
constexpr int kMaxSizes = 4;

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
    // The number of products of category i, without moving any cursor.
    int productCount(int i) const
    {
        const TDynaArray *prods = *static_cast<TDynaArray **>(kats->At(uint32_t(i)));
        return prods ? int(prods->count) : 0;
    }
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
    // Appends n products without texts (null) and with price and number 0
    // to category cat, in one growth of its array; the document reader then
    // sets each with setProduct. False when memory ran out (nothing changed
    // then).
    bool addProducts(int cat, uint32_t n);
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

    // Sizes. A category may have up to kMaxSizes size columns, each with a
    // heading; none means the category prints one price as always. Every
    // product of a sized category has one price per size: the first is the
    // product's own price (TProductRec::price), the further ones are held
    // here beside it. NaN stands for "not in this size".
    QStringList sizeHeadings(int cat) const;
    bool hasSizes(int cat) const { return !sizeHeadings(cat).isEmpty(); }
    // True when any category has sizes.
    bool hasSizes() const;
    // Sets the headings (control characters become spaces, empty ones at the
    // end are dropped, at most kMaxSizes are kept). Prices of sizes that no
    // longer exist are dropped.
    void setSizeHeadings(int cat, const QStringList &headings);
    // The headings setSizeHeadings keeps of these: at most kMaxSizes, each
    // one line, empty ones at the end dropped.
    static QStringList keptSizeHeadings(const QStringList &headings);
    // One price per heading of the category (just the product's price for a
    // category without sizes). NaN = empty.
    QVector<double> sizePrices(int cat, int row) const;
    // Sets them: the first becomes the product's price (an empty first size
    // is stored as 0 and remembered as empty), further ones that are not
    // above 0 count as empty. A free text (first price below 0) keeps none.
    void setSizePrices(int cat, int row, const QVector<double> &prices);
    // The further prices as stored (sizes 2, 3, ...), and whether the first
    // size is empty; for the document file.
    QVector<double> furtherPrices(int cat, int row) const;
    bool firstSizeEmpty(int cat, int row) const;
    void setStoredSizePrices(int cat, int row, bool firstEmpty, const QVector<double> &further);

    // The cards a product stands on (bit i = card i, from 0) and whether it
    // is offered at all ("nicht im Angebot" clears it): a product that is
    // not offered keeps everything else but is printed on no card. A new
    // product stands on the first card and is offered.
    uint64_t productCards(int cat, int row) const;
    void setProductCards(int cat, int row, uint64_t cards);
    bool isOffered(int cat, int row) const;
    void setOffered(int cat, int row, bool offered);
    // Every product: card bit `card` removed, the bits above it moving down
    // one place (the card was deleted).
    void removeCardBit(int card);
    // Every product: bit `to` set where bit `from` is (a card was duplicated),
    // or cleared everywhere when from is -1.
    void copyCardBit(int from, int to);

    // Translations into the document's second language (catalogue/
    // translation.h), held beside the products and categories and kept in
    // step by every command above, as the marks are. Out of range reads as
    // no translation; setting out of range does nothing.
    const SecondLanguage &secondLanguage() const { return language_; }
    void setSecondLanguage(const SecondLanguage &l) { language_ = l; }
    const ProductTranslation &translation(int cat, int row) const;
    void setTranslation(int cat, int row, const ProductTranslation &t);
    // A category name's translation (one line: control characters become
    // spaces).
    QString categoryTranslation(int cat) const;
    void setCategoryTranslation(int cat, const QString &name);
    // The translations of the category's size headings, one per heading
    // (empty = none), as many as it has headings: setting keeps at most that
    // many, one line each, and setSizeHeadings cuts them to its new count.
    QStringList sizeHeadingTranslations(int cat) const;
    void setSizeHeadingTranslations(int cat, const QStringList &headings);
    // True when a product or category carries any translation.
    bool hasTranslations() const;

    // Releases everything (the document is discarded); the second language
    // is English again.
    void clear();
    // Exchanges the whole content with another catalogue; each array's bound
    // pointer is re-bound to its new owner.
    void swapContents(Catalogue &other);

    static ProductValues values(const TProductRec *p);
    static void releaseTexts(TProductRec *p);

private:
    void releaseCategory(TDynaArray *prods);
    // What the catalogue holds beside product r of category c: side_[c][r];
    // same shape as kats.
    struct ProductSide {
        ProductMarks marks;
        QVector<double> further; // prices of sizes 2, 3, ... (NaN = empty)
        bool firstEmpty = false;
        uint64_t cards = 1; // bit i = card i
        bool offered = true;
        ProductTranslation translation;
    };
    struct CategoryTranslation {
        QString name;
        QStringList headings; // one per size heading, at most as many
    };
    std::vector<std::vector<ProductSide>> side_;
    std::vector<QStringList> headings_; // one per category
    std::vector<CategoryTranslation> catTr_; // one per category
    SecondLanguage language_;
    const ProductSide *sideOf(int cat, int row) const;
    const TProductRec *productAt(int cat, int row) const;
};

// Fixed-point price text as the program shows it: two decimals, up to 15
// significant digits, the given decimal separator, no thousands separator.
QString FormatPrice2(double price, QChar decimalPoint);
// The user's decimal separator: the default QLocale, which is the system
// locale unless a test has set another.
QChar UserDecimalPoint();
