// The price columns of the window's product list: the one "Preis" column, or
// in a category with sizes one column per size, titled with its heading, so
// that every price can be checked without opening the product. In a document
// of several cards, or with dishes out of season, a last column "Karten"
// says on which cards each product stands, or that it is not offered.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

class QTreeWidget;
class QTreeWidgetItem;

// Columns 0 to 2 of the list are name, description and quantity; the price
// columns follow them.
class ProductPriceColumns {
public:
    // Shows the columns for these size headings (none: the one "Preis" column,
    // with the title the window gave it).
    void show(QTreeWidget *list, const QStringList &sizes);
    // Shows the "Karten" column after the price columns when `shown` (the
    // document has more than one card or a product that is not offered),
    // for cards of these names. Call before show().
    void showCards(QTreeWidget *list, const QStringList &cardNames, bool shown);
    bool cardsShown() const { return cardsShown_; }
    // Gives every column its width for the list's present width.
    static void fit(QTreeWidget *list);
    // Fills the price cells of a product's row: `prices` one per size (NaN: not
    // sold in it, shown as a dash), `price` the product's own price; a free
    // text (price below 0) shows `freeText` in the first price column only.
    void fillRow(QTreeWidgetItem *row, int columns, const QVector<double> &prices, double price,
                 const QString &freeText, QChar decimalPoint) const;

    // Fills the "Karten" cell of a product's row (when shown): the names of
    // its cards, or "nicht im Angebot" with the whole row in grey.
    void fillCards(QTreeWidgetItem *row, uint64_t cards, bool offered, const QString &notOffered) const;

private:
    void setColumns(QTreeWidget *list);
    QStringList cardNames_;
    bool cardsShown_ = false;
    QStringList sizes_;   // the headings the list shows (none: "Preis")
    QString priceHeader_; // the "Preis" column's title while sizes are shown
};
