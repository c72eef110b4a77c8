#include "app/productcolumns.h"

#include "catalogue/catalogue.h"

#include <QColor>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kFirstPriceColumn = 3;
} // namespace

void ProductPriceColumns::showCards(QTreeWidget *list, const QStringList &cardNames, bool shown)
{
    cardNames_ = cardNames;
    if (shown == cardsShown_)
        return;
    cardsShown_ = shown;
    setColumns(list);
}

void ProductPriceColumns::show(QTreeWidget *list, const QStringList &sizes)
{
    if (sizes == sizes_)
        return;
    QTreeWidgetItem *h = list->headerItem();
    if (sizes_.isEmpty())
        priceHeader_ = h->text(kFirstPriceColumn); // "Preis" as the window shows it
    sizes_ = sizes;
    setColumns(list);
}

void ProductPriceColumns::setColumns(QTreeWidget *list)
{
    QTreeWidgetItem *h = list->headerItem();
    if (sizes_.isEmpty() && priceHeader_.isEmpty())
        priceHeader_ = h->text(kFirstPriceColumn);
    const QStringList &sizes = sizes_;
    const int prices = std::max<int>(1, int(sizes.size()));
    list->setColumnCount(kFirstPriceColumn + prices + (cardsShown_ ? 1 : 0));
    if (cardsShown_) {
        h->setText(kFirstPriceColumn + prices, QStringLiteral("Karten"));
        h->setData(kFirstPriceColumn + prices, Qt::UserRole, QStringLiteral("cards"));
    }
    for (int k = 0; k < prices; ++k) {
        h->setText(kFirstPriceColumn + k, sizes.isEmpty() ? priceHeader_ : sizes.at(k));
        h->setTextAlignment(kFirstPriceColumn + k, Qt::AlignRight | Qt::AlignVCenter);
    }
    fit(list);
}

void ProductPriceColumns::fit(QTreeWidget *list)
{
    const int last = list->columnCount() - 1;
    const bool cards = last > kFirstPriceColumn
                       && list->headerItem()->data(last, Qt::UserRole).toString() == QLatin1String("cards");
    const int prices = list->columnCount() - kFirstPriceColumn - (cards ? 1 : 0);
    const int cardsWidth = cards ? 130 : 0;
    list->setColumnWidth(0, 150);
    list->setColumnWidth(2, 85);
    for (int k = 0; k < prices; ++k)
        list->setColumnWidth(kFirstPriceColumn + k, 75);
    if (cards)
        list->setColumnWidth(last, cardsWidth);
    list->setColumnWidth(1, qMax(0, list->width() - 10 - 150 - 85 - 75 * prices - cardsWidth));
}

void ProductPriceColumns::fillCards(QTreeWidgetItem *row, uint64_t cards, bool offered,
                                    const QString &notOffered) const
{
    if (!cardsShown_)
        return;
    const int column = kFirstPriceColumn + std::max<int>(1, int(sizes_.size()));
    QStringList on;
    for (int i = 0; i < cardNames_.size() && i < 64; ++i)
        if ((cards >> i) & 1u)
            on << cardNames_.at(i);
    row->setText(column, offered ? on.join(QStringLiteral(", ")) : notOffered);
    row->setToolTip(column, on.join(QLatin1Char('\n')));
    if (!offered)
        for (int k = 0; k <= column; ++k)
            row->setForeground(k, QColor(Qt::gray));
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
    const int priceEnd = std::min(columns, kFirstPriceColumn + std::max<int>(1, int(sizes_.size())));
    for (int k = kFirstPriceColumn; k < priceEnd; ++k)
        row->setTextAlignment(k, Qt::AlignRight | Qt::AlignVCenter);
}
