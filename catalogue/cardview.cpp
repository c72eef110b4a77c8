#include "catalogue/cardview.h"

#include "catalogue/cards.h"

#include <algorithm>

namespace {

const TProductRec &productAt(const Catalogue &cat, int i, uint32_t j)
{
    const TDynaArray *prods = *static_cast<TDynaArray **>(cat.kats->At(uint32_t(i)));
    return *static_cast<const TProductRec *>(prods->At(j));
}

} // namespace

QVector<QVector<qint64>> AutomaticNumbers(const QStringList &names, const Catalogue &cat)
{
    const int cats = std::min<int>(names.size(), cat.categoryCount());
    // Numbers that any product carries are never given automatically.
    std::vector<int32_t> used;
    for (int i = 0; i < cats; ++i)
        for (uint32_t j = 0; j < uint32_t(cat.productCount(i)); ++j)
            if (const int32_t n = productAt(cat, i, j).number; n != 0)
                used.push_back(n);
    std::sort(used.begin(), used.end());
    QVector<QVector<qint64>> out(cats);
    qint64 counter = 0;
    for (int i = 0; i < cats; ++i) {
        const uint32_t n = uint32_t(cat.productCount(i));
        out[i].resize(int(n));
        for (uint32_t j = 0; j < n; ++j) {
            const TProductRec &p = productAt(cat, i, j);
            if (p.price < 0 || p.number != 0)
                continue; // free texts take no number, others carry their own
            ++counter;
            while (counter <= INT32_MAX && std::binary_search(used.begin(), used.end(), int32_t(counter)))
                ++counter;
            out[i][int(j)] = counter;
        }
    }
    return out;
}

CardView::CardView(const QStringList &names, const Catalogue &cat, int card, bool perCard)
    : names_(names), source_(&cat)
{
    if (CarriesEverything(cat, card))
        return;
    const int cats = std::min<int>(names.size(), cat.categoryCount());
    const QVector<QVector<qint64>> numbers = perCard ? QVector<QVector<qint64>>() : AutomaticNumbers(names, cat);
    own_ = std::make_unique<Catalogue>();
    own_->setSecondLanguage(cat.secondLanguage());
    names_.clear();
    for (int i = 0; i < cats; ++i) {
        QVector<int> rows;
        const uint32_t n = uint32_t(cat.productCount(i));
        for (uint32_t j = 0; j < n; ++j)
            if (PrintsOnCard(cat, i, int(j), card))
                rows.append(int(j));
        if (rows.isEmpty())
            continue;
        if (!own_->addCategory())
            break;
        const int at = own_->categoryCount() - 1;
        own_->setSizeHeadings(at, cat.sizeHeadings(i));
        own_->setCategoryTranslation(at, cat.categoryTranslation(i));
        own_->setSizeHeadingTranslations(at, cat.sizeHeadingTranslations(i));
        own_->products(at);
        for (int j : rows) {
            ProductValues v = Catalogue::values(&productAt(cat, i, uint32_t(j)));
            if (!perCard && v.number == 0 && v.price >= 0 && numbers.at(i).at(j) <= INT32_MAX)
                v.number = int32_t(numbers.at(i).at(j));
            if (!own_->addProduct(at, v))
                break;
            const int r = int(own_->products(at)->count) - 1;
            own_->setMarks(at, r, cat.marks(i, j));
            own_->setStoredSizePrices(at, r, cat.firstSizeEmpty(i, j), cat.furtherPrices(i, j));
            own_->setTranslation(at, r, cat.translation(i, j));
        }
        names_.append(names.at(i));
        cats_.append(i);
        rows_.append(rows);
    }
}
