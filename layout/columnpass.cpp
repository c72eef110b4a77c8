#include "layout/columnpass.h"

#include "catalogue/catalogue.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace {

int advanceOf(const ITextMetrics &m, char16_t c)
{
    return m.advance(QStringView(&c, 1), 0);
}

// Widths of decimal numbers in the two fonts of a column (at the fixed
// resolution and on the surface): digit pairs from a table of 100, so a
// number costs a few look-ups and no text.
struct Widths {
    int n = 0, s = 0;
    Widths &operator+=(Widths o)
    {
        n += o.n;
        s += o.s;
        return *this;
    }
    void raise(Widths o)
    {
        n = std::max(n, o.n);
        s = std::max(s, o.s);
    }
};

class DigitWidths {
public:
    DigitWidths(const ITextMetrics &nominal, const ITextMetrics &surface)
    {
        Widths digit[10];
        for (int d = 0; d < 10; ++d)
            digit[d] = of(nominal, surface, char16_t(u'0' + d));
        for (int i = 0; i < 100; ++i) {
            pair_[i] = digit[i / 10];
            pair_[i] += digit[i % 10];
            one_[i] = digit[i % 10];
        }
        minus_ = of(nominal, surface, u'-');
        labelTail_ = of(nominal, surface, u'.');
        labelTail_ += of(nominal, surface, u' ');
    }
    static Widths of(const ITextMetrics &nominal, const ITextMetrics &surface, char16_t c)
    {
        return {advanceOf(nominal, c), advanceOf(surface, c)};
    }
    // The digits of u, without leading zeros.
    Widths digits(unsigned long long u) const
    {
        Widths w;
        while (u >= 100) {
            w += pair_[u % 100];
            u /= 100;
        }
        w += u >= 10 ? pair_[u] : one_[u];
        return w;
    }
    // Two digits, with a leading zero.
    Widths twoDigits(unsigned u) const { return pair_[u]; }
    // The number label of n ("12. ", "-3. ").
    Widths label(long long n) const
    {
        Widths w = labelTail_;
        if (n < 0) {
            w += minus_;
            w += digits(0ULL - (unsigned long long)n);
        } else {
            w += digits((unsigned long long)n);
        }
        return w;
    }

private:
    Widths pair_[100], one_[100];
    Widths minus_, labelTail_;
};

// The amount of a price in whole cents below 10^11 is its euros, the decimal
// separator and two digits of cents (or the euros alone without decimals):
// its width needs no text. Other prices are written out, once each.
class AmountWidths {
public:
    AmountWidths(const ITextMetrics &nominal, const ITextMetrics &surface, bool noKomma)
        : nominal_(nominal), surface_(surface), digits_(nominal, surface), noKomma_(noKomma),
          separator_(DigitWidths::of(nominal, surface, UserDecimalPoint().unicode()))
    {
        // The widest an amount below 10^e can be: e of the widest digit,
        // and the separator and two more.
        Widths widestDigit;
        for (int d = 0; d < 10; ++d)
            widestDigit.raise(digits_.digits(unsigned(d)));
        Widths w;
        if (!noKomma_) {
            w = separator_;
            w += widestDigit;
            w += widestDigit;
        }
        for (int e = 0; e < kBounds; ++e) {
            w += widestDigit;
            bound_[e] = w;
        }
    }
    // Whether the amount of a price cannot be wider than `widest`, either
    // measure; true only where that is certain. (Digits are mostly equally
    // wide, so on most cards only prices with more digits than any before
    // are measured.)
    bool fitsWithin(double price, Widths widest) const
    {
        // Below 10^(e+1) - 1, the amount (rounded or cut) has at most e + 1
        // integral digits.
        double limit = 9;
        for (int e = 0; e < kBounds; ++e, limit = limit * 10 + 9) {
            if (price < limit)
                return bound_[e].n <= widest.n && bound_[e].s <= widest.s;
        }
        return false;
    }
    Widths operator()(double price)
    {
        // When price x 100 rounds to a whole number k, or the price is the
        // double nearest to k / 100 (as a typed 39.90 is, although 39.90 x
        // 100 is not 3990), the price lies within a relative 1.2e-16 of
        // k / 100, well inside the 15 significant digits the amount is taken
        // to: the amount is that of k / 100.
        if (price < 1e11) {
            const double cents = price * 100;
            const long long k = (long long)(cents + 0.5);
            if (double(k) == cents || double(k) / 100 == price) {
                Widths w = digits_.digits((unsigned long long)(k / 100));
                if (!noKomma_) {
                    w += separator_;
                    w += digits_.twoDigits(unsigned(k % 100));
                }
                return w;
            }
        }
        uint64_t key;
        std::memcpy(&key, &price, sizeof key);
        auto it = other_.find(key);
        if (it == other_.end()) {
            const QString amount = PriceAmount(price, noKomma_);
            it = other_.emplace(key, Widths{nominal_.width(amount), surface_.width(amount)}).first;
        }
        return it->second;
    }

private:
    static constexpr int kBounds = 11;
    const ITextMetrics &nominal_, &surface_;
    Widths bound_[kBounds];
    DigitWidths digits_;
    bool noKomma_;
    Widths separator_;
    std::unordered_map<uint64_t, Widths> other_;
};

} // namespace

ColumnWidths MeasureColumns(const CardSource &card, int categories, std::vector<int32_t> &usedNumbers,
                            const ITextMetrics &numberNominal, const ITextMetrics &numberSurface,
                            const ITextMetrics &priceNominal, const ITextMetrics &priceSurface,
                            UsedMarks *usedMarks)
{
    usedNumbers.clear();
    const DigitWidths labels(numberNominal, numberSurface);
    // "    ", amount, " ", currency: only the amount varies.
    const QString fixed = QStringLiteral("    ") + QLatin1Char(' ') + card.settings.WaehrEd;
    AmountWidths amountOf(priceNominal, priceSurface, card.settings.NoKommaCheck);

    // Explicit numbers and prices product by product; the automatic numbers
    // are the first so many of their sequence, whatever products take them.
    Widths number, amount;
    bool anyPrice = false;
    long long automatic = 0;
    Catalogue *cat = card.catalogue;
    for (int i = 0; i < categories; ++i) {
        const TDynaArray *prods = *static_cast<TDynaArray **>(cat->kats->At(uint32_t(i)));
        for (uint32_t j = 0; prods && j < prods->count; ++j) {
            const auto &p = *static_cast<const TProductRec *>(prods->At(j));
            if (p.number != 0) {
                usedNumbers.push_back(p.number);
                number.raise(labels.label(p.number));
            } else {
                ++automatic;
            }
            if (p.price > 0) {
                if (!amountOf.fitsWithin(p.price, amount))
                    amount.raise(amountOf(p.price));
                anyPrice = true;
            }
            if (usedMarks && p.price >= 0) {
                const ProductMarks &m = cat->marks(i, int(j));
                if (!m.isEmpty())
                    usedMarks->add(m);
            }
        }
    }
    // Each automatic number skips the numbers that products carry.
    std::sort(usedNumbers.begin(), usedNumbers.end());
    const std::vector<int32_t> &usedSorted = usedNumbers;
    long long counter = 0;
    size_t used = 0;
    for (long long a = 0; a < automatic; ++a) {
        ++counter;
        while (counter <= INT32_MAX) {
            while (used < usedSorted.size() && usedSorted[used] < counter)
                ++used;
            if (used == usedSorted.size() || usedSorted[used] != counter)
                break;
            ++counter;
        }
        number.raise(labels.label(counter));
    }

    ColumnWidths w;
    w.numberMM = MeasuredPxToMM(number.n);
    w.numberPx = number.s;
    if (anyPrice) {
        w.priceMM = MeasuredPxToMM((long long)priceNominal.width(fixed) + amount.n);
        w.pricePx = priceSurface.width(fixed) + amount.s;
    }
    return w;
}
