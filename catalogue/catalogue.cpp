#include "catalogue/catalogue.h"

#include <QLocale>
#include <utility>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <algorithm>

Catalogue::Catalogue() : kats(nullptr), akat(nullptr), aprod(nullptr)
{
    kats = new TDynaArray(sizeof(TDynaArray *), &akat);
}

Catalogue::~Catalogue()
{
    clear();
    delete kats;
}

TDynaArray *Catalogue::products(int i)
{
    kats->GetObject(uint32_t(i));
    return *akat;
}

bool Catalogue::addCategory()
{
    auto *prods = new TDynaArray(sizeof(TProductRec), &aprod);
    if (!kats->Add()) {
        delete prods;
        return false;
    }
    *akat = prods;
    marks_.emplace_back();
    return true;
}

void Catalogue::releaseCategory(TDynaArray *prods)
{
    if (!prods)
        return;
    prods->First();
    while (prods->WhileNext())
        releaseTexts(aprod);
    delete prods;
}

void Catalogue::deleteCategory(int i)
{
    if (i < 0 || i >= categoryCount())
        return;
    TDynaArray *prods = products(i);
    // Remove the element first: should the array fail to shrink, the category
    // and its products stay intact.
    if (!kats->Delete(i))
        return;
    marks_.erase(marks_.begin() + i);
    releaseCategory(prods);
}

void Catalogue::changeCategories(int a, int b)
{
    kats->Change(a, b);
    if (a >= 0 && b >= 0 && a < categoryCount() && b < categoryCount())
        std::swap(marks_[size_t(a)], marks_[size_t(b)]);
}

TProductRec *Catalogue::addProduct(int cat, const ProductValues &v)
{
    TDynaArray *prods = products(cat);
    if (!prods->Add())
        return nullptr;
    TProductRec *p = aprod;
    if (!setProduct(p, v)) {
        prods->Delete(int32_t(prods->count - 1));
        return nullptr;
    }
    marks_[size_t(cat)].emplace_back();
    return p;
}

bool Catalogue::setProduct(TProductRec *p, const ProductValues &v)
{
    char16_t *n = NewWideText(v.name);
    char16_t *d = NewWideText(v.description);
    char16_t *q = NewWideText(v.quantity);
    if (!n || !d || !q) {
        FreeWideText(n);
        FreeWideText(d);
        FreeWideText(q);
        return false;
    }
    releaseTexts(p);
    p->name = n;
    p->description = d;
    p->quantity = q;
    p->price = v.price;
    p->number = v.number;
    return true;
}

TProductRec *Catalogue::product(int cat, int row)
{
    TDynaArray *prods = products(cat);
    if (row < 0 || uint32_t(row) >= prods->count)
        return nullptr;
    prods->GetObject(uint32_t(row));
    return aprod;
}

void Catalogue::deleteProduct(int cat, int row)
{
    TProductRec *p = product(cat, row);
    if (!p)
        return;
    char16_t *n = p->name, *d = p->description, *q = p->quantity;
    if (!products(cat)->Delete(row))
        return;
    auto &m = marks_[size_t(cat)];
    m.erase(m.begin() + row);
    FreeWideText(n);
    FreeWideText(d);
    FreeWideText(q);
}

void Catalogue::changeProducts(int cat, int r1, int r2)
{
    TDynaArray *prods = products(cat);
    prods->Change(r1, r2);
    auto &m = marks_[size_t(cat)];
    if (r1 >= 0 && r2 >= 0 && size_t(r1) < m.size() && size_t(r2) < m.size())
        std::swap(m[size_t(r1)], m[size_t(r2)]);
}

const ProductMarks &Catalogue::marks(int cat, int row) const
{
    static const ProductMarks none;
    if (cat < 0 || size_t(cat) >= marks_.size())
        return none;
    const auto &m = marks_[size_t(cat)];
    if (row < 0 || size_t(row) >= m.size())
        return none;
    return m[size_t(row)];
}

void Catalogue::setMarks(int cat, int row, const ProductMarks &marks)
{
    if (cat < 0 || size_t(cat) >= marks_.size())
        return;
    auto &m = marks_[size_t(cat)];
    if (row < 0 || size_t(row) >= m.size())
        return;
    m[size_t(row)] = marks;
}

bool Catalogue::hasMarks() const
{
    for (const auto &c : marks_)
        for (const ProductMarks &m : c)
            if (!m.isEmpty())
                return true;
    return false;
}

void Catalogue::clear()
{
    kats->First();
    while (kats->WhileNext())
        releaseCategory(*akat);
    kats->Clear();
    marks_.clear();
}

void Catalogue::swapContents(Catalogue &other)
{
    std::swap(kats, other.kats);
    std::swap(marks_, other.marks_);
    auto rebind = [](Catalogue &c) {
        c.akat = nullptr;
        c.aprod = nullptr;
        c.kats->outeraobj = reinterpret_cast<void **>(&c.akat);
        c.kats->aobj = nullptr;
        c.kats->aobjnr = -1;
        for (uint32_t i = 0; i < c.kats->count; ++i) {
            TDynaArray *prods = *static_cast<TDynaArray **>(c.kats->At(i));
            prods->outeraobj = reinterpret_cast<void **>(&c.aprod);
            prods->aobj = nullptr;
            prods->aobjnr = -1;
        }
    };
    rebind(*this);
    rebind(other);
}

ProductValues Catalogue::values(const TProductRec *p)
{
    ProductValues v;
    v.name = WideText(p->name);
    v.description = WideText(p->description);
    v.quantity = WideText(p->quantity);
    v.price = p->price;
    v.number = p->number;
    return v;
}

void Catalogue::releaseTexts(TProductRec *p)
{
    FreeWideText(p->name);
    FreeWideText(p->description);
    FreeWideText(p->quantity);
}

QString FormatPrice2(double price, QChar decimalPoint)
{
    // The value is first taken to 15 significant decimal digits, then
    // rounded to two decimals on those digits, halves away from zero (so
    // 2.125 gives 2.13 whatever its binary form). Values that need more than
    // 15 integral digits are written in scientific notation.
    if (std::isnan(price))
        return QStringLiteral("NAN");
    if (std::isinf(price))
        return price < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", price);
    // buf: [-]d.dddddddddddddde[+-]xx
    const bool negative = buf[0] == '-';
    const char *p = buf + (negative ? 1 : 0);
    std::string digits;
    digits += p[0];
    digits.append(p + 2, 14);
    const int exponent = std::atoi(std::strchr(p, 'e') + 1);
    QString out;
    if (exponent >= 15) {
        std::snprintf(buf, sizeof buf, "%.14E", price);
        out = QString::fromLatin1(buf);
    } else {
        // Place the 15 digits around the decimal point: value = 0.D x 10^(exponent+1)
        const int intDigits = exponent + 1; // may be <= 0
        std::string all;                     // digits with an implied point after intLen
        int intLen;
        if (intDigits <= 0) {
            all = std::string(size_t(1 - intDigits), '0') + digits; // "0" + leading zeros
            intLen = 1;
        } else {
            all = digits;
            intLen = intDigits;
        }
        all.resize(std::max(all.size(), size_t(intLen + 3)), '0');
        // round at two decimals on the decimal digits
        std::string kept = all.substr(0, size_t(intLen + 2));
        if (all[size_t(intLen + 2)] >= '5') {
            int k = int(kept.size()) - 1;
            while (k >= 0 && kept[size_t(k)] == '9') {
                kept[size_t(k)] = '0';
                --k;
            }
            if (k >= 0)
                ++kept[size_t(k)];
            else {
                kept.insert(kept.begin(), '1');
                ++intLen;
            }
        }
        if (intLen > 15) { // rounding carried into a 16th digit
            std::snprintf(buf, sizeof buf, "%.14E", price);
            return QString::fromLatin1(buf).replace(QLatin1Char('.'), decimalPoint);
        }
        std::string intPart = kept.substr(0, size_t(intLen));
        const std::string frac = kept.substr(size_t(intLen), 2);
        const size_t nz = intPart.find_first_not_of('0');
        intPart = nz == std::string::npos ? "0" : intPart.substr(nz);
        const bool zero = intPart == "0" && frac == "00";
        out = QString::fromLatin1((negative && !zero ? "-" : "") + intPart + "." + frac);
    }
    out.replace(QLatin1Char('.'), decimalPoint);
    return out;
}

QChar UserDecimalPoint()
{
    // QLocale() is the system locale unless a test set another default.
    const QString dp = QLocale().decimalPoint();
    return dp.isEmpty() ? QChar('.') : dp.at(0);
}
