#include "layout/columnpass.h"

#include "catalogue/catalogue.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

int advanceOf(const ITextMetrics &m, char16_t c)
{
    return m.advance(QStringView(&c, 1), 0);
}

// The width of a number label ("12. ") in one font: digit pairs from a
// table of 100, so a label costs a few look-ups and no text.
class LabelWidth {
public:
    explicit LabelWidth(const ITextMetrics &m)
    {
        int digit[10];
        for (int d = 0; d < 10; ++d)
            digit[d] = advanceOf(m, char16_t(u'0' + d));
        for (int i = 0; i < 100; ++i) {
            pair_[i] = digit[i / 10] + digit[i % 10];
            one_[i] = digit[i % 10];
        }
        minus_ = advanceOf(m, u'-');
        tail_ = advanceOf(m, u'.') + advanceOf(m, u' ');
    }
    int operator()(long long n) const
    {
        int w = tail_;
        unsigned long long u = n < 0 ? 0ULL - (unsigned long long)n : (unsigned long long)n;
        if (n < 0)
            w += minus_;
        while (u >= 100) {
            w += pair_[u % 100];
            u /= 100;
        }
        return w + (u >= 10 ? pair_[u] : one_[u]);
    }

private:
    int pair_[100], one_[100];
    int minus_, tail_;
};

} // namespace

ColumnWidths MeasureColumns(const CardSource &card, int categories, const std::vector<int32_t> &usedSorted,
                            const ITextMetrics &numberNominal, const ITextMetrics &numberSurface,
                            const ITextMetrics &priceNominal, const ITextMetrics &priceSurface)
{
    const LabelWidth labelN(numberNominal), labelS(numberSurface);
    // "    ", amount, " ", currency: only the amount varies, and it depends
    // only on the price, so each price is written out once.
    const QString fixed = QStringLiteral("    ") + QLatin1Char(' ') + card.settings.WaehrEd;
    const int fixedN = priceNominal.width(fixed), fixedS = priceSurface.width(fixed);
    const bool noKomma = card.settings.NoKommaCheck;
    std::unordered_map<uint64_t, std::pair<int, int>> amounts;

    int numberN = 0, numberS = 0, amountN = 0, amountS = 0;
    bool anyPrice = false;
    long long counter = 0;
    size_t used = 0; // automatic numbers only grow: a cursor into usedSorted
    auto nextAutoNumber = [&] {
        ++counter;
        while (true) {
            while (used < usedSorted.size() && usedSorted[used] < counter)
                ++used;
            if (counter > INT32_MAX || used == usedSorted.size() || usedSorted[used] != counter)
                return counter;
            ++counter;
        }
    };

    Catalogue *cat = card.catalogue;
    for (int i = 0; i < categories; ++i) {
        const TDynaArray *prods = *static_cast<TDynaArray **>(cat->kats->At(uint32_t(i)));
        for (uint32_t j = 0; prods && j < prods->count; ++j) {
            const auto &p = *static_cast<const TProductRec *>(prods->At(j));
            const long long n = p.number != 0 ? (long long)p.number : nextAutoNumber();
            numberN = std::max(numberN, labelN(n));
            numberS = std::max(numberS, labelS(n));
            if (p.price > 0) {
                uint64_t key;
                std::memcpy(&key, &p.price, sizeof key);
                auto it = amounts.find(key);
                if (it == amounts.end()) {
                    const QString amount = PriceAmount(p.price, noKomma);
                    it = amounts.emplace(key, std::make_pair(priceNominal.width(amount), priceSurface.width(amount)))
                             .first;
                }
                amountN = std::max(amountN, it->second.first);
                amountS = std::max(amountS, it->second.second);
                anyPrice = true;
            }
        }
    }

    ColumnWidths w;
    w.numberMM = MeasuredPxToMM(numberN);
    w.numberPx = numberS;
    if (anyPrice) {
        w.priceMM = MeasuredPxToMM((long long)fixedN + amountN);
        w.pricePx = fixedS + amountS;
    }
    return w;
}
