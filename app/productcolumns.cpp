#include "app/productcolumns.h"

#include "catalogue/catalogue.h"

#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kFirstPriceColumn = 3;
} // namespace

void ProductPriceColumns::show(QTreeWidget *list, const QStringList &sizes)
{
    if (sizes == sizes_)
        return;
    QTreeWidgetItem *h = list->headerItem();
    if (sizes_.isEmpty())
        priceHeader_ = h->text(kFirstPriceColumn); // "Preis" as the window shows it
    sizes_ = sizes;
    const int prices = std::max<int>(1, int(sizes.size()));
    list->setColumnCount(kFirstPriceColumn + prices);
    for (int k = 0; k < prices; ++k) {
        h->setText(kFirstPriceColumn + k, sizes.isEmpty() ? priceHeader_ : sizes.at(k));
        h->setTextAlignment(kFirstPriceColumn + k, Qt::AlignRight | Qt::AlignVCenter);
    }
    fit(list);
}

void ProductPriceColumns::fit(QTreeWidget *list)
{
    const int prices = list->columnCount() - kFirstPriceColumn;
    list->setColumnWidth(0, 150);
    list->setColumnWidth(2, 85);
    for (int k = 0; k < prices; ++k)
        list->setColumnWidth(kFirstPriceColumn + k, 75);
    list->setColumnWidth(1, qMax(0, list->width() - 10 - 150 - 85 - 75 * prices));
}

void ProductPriceColumns::fillRow(QTreeWidgetItem *row, int columns, const QVector<double> &prices, double price,
                                  const QString &freeText, QChar decimalPoint) const
{
    // A negative price marks a free text: its text is the description.
    const bool free = price < 0;
    if (sizes_.isEmpty()) {
        row->setText(kFirstPriceColumn, free ? freeText : FormatPrice2(price, decimalPoint));
    } else {
        // One column per size; a size the product is not sold in shows a
        // dash, a free text has no further sizes.
        for (int k = 0; k < prices.size(); ++k) {
            const double v = prices.at(k);
            row->setText(kFirstPriceColumn + k, free ? (k == 0 ? freeText : QString())
                                                     : std::isnan(v) ? QStringLiteral("\u2013")
                                                                     : FormatPrice2(v, decimalPoint));
        }
    }
    for (int k = kFirstPriceColumn; k < columns; ++k)
        row->setTextAlignment(k, Qt::AlignRight | Qt::AlignVCenter);
}
