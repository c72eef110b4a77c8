// What a card prints: the one place that answers it. The layout, the
// preview, the page count, the web page and the CSV take a card's view of
// the catalogue from here.
//
// A card prints the products it carries that are offered, in catalogue
// order; a category with none of them is left out. Automatic numbers are
// counted over the whole catalogue (products not offered and those of other
// cards included), so that a dish has the same number on every card; a card
// that numbers its own products ("Nummern je Karte") counts them from 1.
#pragma once

#include "catalogue/catalogue.h"

#include <QStringList>
#include <QVector>
#include <memory>

class CardView {
public:
    // The view of card `card` of the catalogue whose categories are named
    // `names` (entry i naming category i). perCard: the card numbers its own
    // products.
    CardView(const QStringList &names, const Catalogue &cat, int card, bool perCard);

    const QStringList &categoryNames() const { return names_; }
    // The catalogue the card prints: the document's own when the card
    // carries all of it (nothing is copied then), otherwise a copy of the
    // card's products with their marks and sizes, automatic numbers given.
    Catalogue *catalogue() const { return own_ ? own_.get() : const_cast<Catalogue *>(source_); }
    // True when the card prints the whole catalogue as it stands.
    bool isWholeCatalogue() const { return !own_; }
    // Where category i / product (i, j) of the view stands in the document.
    int sourceCategory(int i) const { return own_ ? cats_.at(i) : i; }
    int sourceRow(int i, int j) const { return own_ ? rows_.at(i).at(j) : j; }

private:
    QStringList names_;
    const Catalogue *source_;
    std::unique_ptr<Catalogue> own_;
    QVector<int> cats_;
    QVector<QVector<int>> rows_;
};

// The automatic number of every product of the catalogue in catalogue order
// (0 for a product that is not numbered automatically or is a free text), as
// the card that carries the whole catalogue prints them.
QVector<QVector<qint64>> AutomaticNumbers(const QStringList &names, const Catalogue &cat);
