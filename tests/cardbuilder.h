// A card put together in a test: categories, products and settings, and
// the source the layout, the exports and the counts take.
#pragma once

#include "catalogue/catalogue.h"
#include "layout/cardlayout.h"

#include <QString>
#include <QStringList>

namespace testutil {

struct CardBuilder {
    Catalogue cat;
    QStringList names;
    CardSettings s;

    int category(const QString &name)
    {
        cat.addCategory();
        names << name;
        return int(names.size()) - 1;
    }
    void product(int c, const QString &name, double price, int number = 0, const QString &description = QString(),
                 const QString &quantity = QString())
    {
        ProductValues v;
        v.name = name;
        v.price = price;
        v.number = number;
        v.description = description;
        v.quantity = quantity;
        cat.addProduct(c, v);
    }
    // The categories, catalogue and settings, at zoom 100.
    CardSource source() const
    {
        CardSource src;
        src.categoryNames = names;
        src.catalogue = const_cast<Catalogue *>(&cat);
        src.settings = s;
        return src;
    }
};

} // namespace testutil
