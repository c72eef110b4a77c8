#include "catalogue/catalogue.h"
#include "catalogue/markrecords.h"

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
    side_.emplace_back();
    headings_.emplace_back();
    catTr_.emplace_back();
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
    side_.erase(side_.begin() + i);
    headings_.erase(headings_.begin() + i);
    catTr_.erase(catTr_.begin() + i);
    releaseCategory(prods);
}

void Catalogue::changeCategories(int a, int b)
{
    kats->Change(a, b);
    if (a >= 0 && b >= 0 && a < categoryCount() && b < categoryCount()) {
        std::swap(side_[size_t(a)], side_[size_t(b)]);
        std::swap(headings_[size_t(a)], headings_[size_t(b)]);
        std::swap(catTr_[size_t(a)], catTr_[size_t(b)]);
    }
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
    side_[size_t(cat)].emplace_back();
    return p;
}

bool Catalogue::addProducts(int cat, uint32_t n)
{
    if (n == 0)
        return true;
    if (!products(cat)->AddMany(n))
        return false;
    auto &side = side_[size_t(cat)];
    side.resize(side.size() + n);
    return true;
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
    auto &m = side_[size_t(cat)];
    m.erase(m.begin() + row);
    FreeWideText(n);
    FreeWideText(d);
    FreeWideText(q);
}

void Catalogue::changeProducts(int cat, int r1, int r2)
{
    TDynaArray *prods = products(cat);
    prods->Change(r1, r2);
    auto &m = side_[size_t(cat)];
    if (r1 >= 0 && r2 >= 0 && size_t(r1) < m.size() && size_t(r2) < m.size())
        std::swap(m[size_t(r1)], m[size_t(r2)]);
}

const Catalogue::ProductSide *Catalogue::sideOf(int cat, int row) const
{
    if (cat < 0 || size_t(cat) >= side_.size())
        return nullptr;
    const auto &m = side_[size_t(cat)];
    if (row < 0 || size_t(row) >= m.size())
        return nullptr;
    return &m[size_t(row)];
}

const TProductRec *Catalogue::productAt(int cat, int row) const
{
    if (cat < 0 || cat >= categoryCount())
        return nullptr;
    const auto *prods = *static_cast<TDynaArray *const *>(kats->At(uint32_t(cat)));
    if (!prods || row < 0 || uint32_t(row) >= prods->count)
        return nullptr;
    return static_cast<const TProductRec *>(prods->At(uint32_t(row)));
}

const ProductMarks &Catalogue::marks(int cat, int row) const
{
    static const ProductMarks none;
    const ProductSide *s = sideOf(cat, row);
    return s ? s->marks : none;
}

void Catalogue::setMarks(int cat, int row, const ProductMarks &marks)
{
    if (const ProductSide *s = sideOf(cat, row))
        const_cast<ProductSide *>(s)->marks = marks;
}

bool Catalogue::hasMarks() const
{
    for (const auto &c : side_)
        for (const ProductSide &m : c)
            if (!m.marks.isEmpty())
                return true;
    return false;
}

QStringList Catalogue::sizeHeadings(int cat) const
{
    if (cat < 0 || size_t(cat) >= headings_.size())
        return {};
    return headings_[size_t(cat)];
}

bool Catalogue::hasSizes() const
{
    for (const QStringList &h : headings_)
        if (!h.isEmpty())
            return true;
    return false;
}

void Catalogue::setSizeHeadings(int cat, const QStringList &headings)
{
    if (cat < 0 || size_t(cat) >= headings_.size())
        return;
    const QStringList h = keptSizeHeadings(headings);
    headings_[size_t(cat)] = h;
    QStringList &tr = catTr_[size_t(cat)].headings;
    if (tr.size() > h.size())
        tr = tr.mid(0, h.size());
    const qsizetype further = std::max<qsizetype>(0, h.size() - 1);
    for (ProductSide &s : side_[size_t(cat)]) {
        if (s.further.size() > further)
            s.further.resize(further);
        while (!s.further.isEmpty() && std::isnan(s.further.last()))
            s.further.removeLast();
        if (h.isEmpty())
            s.firstEmpty = false;
    }
}

QStringList Catalogue::keptSizeHeadings(const QStringList &headings)
{
    QStringList h = headings.mid(0, kMaxSizes);
    // A heading is one line: control characters become spaces, as in the
    // additive list.
    for (QString &t : h)
        t = CleanAdditiveText(t);
    while (!h.isEmpty() && h.last().trimmed().isEmpty())
        h.removeLast();
    return h;
}

QVector<double> Catalogue::sizePrices(int cat, int row) const
{
    const TProductRec *p = productAt(cat, row);
    const ProductSide *s = sideOf(cat, row);
    if (!p || !s)
        return {};
    const int n = std::max<int>(1, int(sizeHeadings(cat).size()));
    QVector<double> out;
    out << ((s->firstEmpty && p->price == 0) ? std::nan("") : p->price);
    for (int k = 1; k < n; ++k)
        out << (k - 1 < s->further.size() && p->price >= 0 ? s->further.at(k - 1) : std::nan(""));
    return out;
}

void Catalogue::setSizePrices(int cat, int row, const QVector<double> &prices)
{
    if (prices.isEmpty())
        return;
    const double first = prices.first();
    QVector<double> further;
    if (!(first < 0)) {
        for (qsizetype k = 1; k < prices.size(); ++k) {
            const double v = prices.at(k);
            further << (v > 0 && std::isfinite(v) ? v : std::nan(""));
        }
    }
    setStoredSizePrices(cat, row, std::isnan(first), further);
    if (TProductRec *p = product(cat, row))
        p->price = std::isnan(first) ? 0 : first;
}

QVector<double> Catalogue::furtherPrices(int cat, int row) const
{
    const ProductSide *s = sideOf(cat, row);
    return s ? s->further : QVector<double>();
}

bool Catalogue::firstSizeEmpty(int cat, int row) const
{
    const ProductSide *s = sideOf(cat, row);
    return s && s->firstEmpty;
}

void Catalogue::setStoredSizePrices(int cat, int row, bool firstEmpty, const QVector<double> &further)
{
    const ProductSide *c = sideOf(cat, row);
    if (!c)
        return;
    auto *s = const_cast<ProductSide *>(c);
    const qsizetype n = std::max<qsizetype>(0, sizeHeadings(cat).size() - 1);
    s->further = further.mid(0, n);
    while (!s->further.isEmpty() && std::isnan(s->further.last()))
        s->further.removeLast();
    s->firstEmpty = firstEmpty && !sizeHeadings(cat).isEmpty();
}

uint64_t Catalogue::productCards(int cat, int row) const
{
    const ProductSide *s = sideOf(cat, row);
    return s ? s->cards : 0;
}

void Catalogue::setProductCards(int cat, int row, uint64_t cards)
{
    if (const ProductSide *s = sideOf(cat, row))
        const_cast<ProductSide *>(s)->cards = cards;
}

bool Catalogue::isOffered(int cat, int row) const
{
    const ProductSide *s = sideOf(cat, row);
    return !s || s->offered;
}

void Catalogue::setOffered(int cat, int row, bool offered)
{
    if (const ProductSide *s = sideOf(cat, row))
        const_cast<ProductSide *>(s)->offered = offered;
}

void Catalogue::removeCardBit(int card)
{
    if (card < 0 || card > 63)
        return;
    const uint64_t below = card == 0 ? 0 : (~uint64_t(0) >> (64 - card));
    for (auto &c : side_)
        for (ProductSide &s : c)
            s.cards = (s.cards & below) | ((s.cards >> 1) & ~below);
}

void Catalogue::copyCardBit(int from, int to)
{
    if (to < 0 || to > 63 || from > 63)
        return;
    const uint64_t bit = uint64_t(1) << to;
    for (auto &c : side_)
        for (ProductSide &s : c) {
            const bool on = from >= 0 && ((s.cards >> from) & 1u);
            s.cards = on ? (s.cards | bit) : (s.cards & ~bit);
        }
}

void Catalogue::clear()
{
    kats->First();
    while (kats->WhileNext())
        releaseCategory(*akat);
    kats->Clear();
    side_.clear();
    headings_.clear();
    catTr_.clear();
    language_ = SecondLanguage();
}

void Catalogue::swapContents(Catalogue &other)
{
    std::swap(kats, other.kats);
    std::swap(side_, other.side_);
    std::swap(headings_, other.headings_);
    std::swap(catTr_, other.catTr_);
    std::swap(language_, other.language_);
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

const ProductTranslation &Catalogue::translation(int cat, int row) const
{
    static const ProductTranslation none;
    const ProductSide *s = sideOf(cat, row);
    return s ? s->translation : none;
}

void Catalogue::setTranslation(int cat, int row, const ProductTranslation &t)
{
    if (const ProductSide *s = sideOf(cat, row))
        const_cast<ProductSide *>(s)->translation = t;
}

QString Catalogue::categoryTranslation(int cat) const
{
    if (cat < 0 || size_t(cat) >= catTr_.size())
        return {};
    return catTr_[size_t(cat)].name;
}

void Catalogue::setCategoryTranslation(int cat, const QString &name)
{
    if (cat < 0 || size_t(cat) >= catTr_.size())
        return;
    catTr_[size_t(cat)].name = OneLineText(name);
}

QStringList Catalogue::sizeHeadingTranslations(int cat) const
{
    if (cat < 0 || size_t(cat) >= catTr_.size())
        return {};
    QStringList t = catTr_[size_t(cat)].headings;
    while (t.size() < headings_[size_t(cat)].size())
        t.append(QString());
    return t;
}

void Catalogue::setSizeHeadingTranslations(int cat, const QStringList &headings)
{
    if (cat < 0 || size_t(cat) >= catTr_.size())
        return;
    QStringList t;
    for (qsizetype i = 0; i < headings.size() && i < headings_[size_t(cat)].size(); ++i)
        t.append(OneLineText(headings.at(i)));
    while (!t.isEmpty() && t.last().isEmpty())
        t.removeLast();
    catTr_[size_t(cat)].headings = t;
}

bool Catalogue::hasTranslations() const
{
    for (const CategoryTranslation &c : catTr_)
        if (!c.name.isEmpty() || !c.headings.isEmpty())
            return true;
    for (const auto &c : side_)
        for (const ProductSide &p : c)
            if (!p.translation.isEmpty())
                return true;
    return false;
}
