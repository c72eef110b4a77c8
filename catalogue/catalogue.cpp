#include "catalogue/catalogue.h"

#include <QLocale>
#include <utility>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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
    releaseCategory(prods);
}

void Catalogue::changeCategories(int a, int b)
{
    kats->Change(a, b);
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
    FreeWideText(n);
    FreeWideText(d);
    FreeWideText(q);
}

void Catalogue::changeProducts(int cat, int r1, int r2)
{
    products(cat)->Change(r1, r2);
}

void Catalogue::clear()
{
    kats->First();
    while (kats->WhileNext())
        releaseCategory(*akat);
    kats->Clear();
}

void Catalogue::swapContents(Catalogue &other)
{
    std::swap(kats, other.kats);
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
    // Fixed notation with two decimals after rounding to 15 significant
    // digits; values with more than 15 integral digits use scientific form.
    if (!std::isfinite(price))
        return QString::number(price);
    char buf[64];
    if (std::fabs(price) >= 1e15) {
        std::snprintf(buf, sizeof buf, "%.14E", price);
    } else {
        std::snprintf(buf, sizeof buf, "%.14e", price);
        const double rounded = std::strtod(buf, nullptr);
        std::snprintf(buf, sizeof buf, "%.2f", rounded);
    }
    QString s = QString::fromLatin1(buf);
    if (s == QLatin1String("-0.00"))
        s = QStringLiteral("0.00");
    s.replace(QLatin1Char('.'), decimalPoint);
    return s;
}

QChar UserDecimalPoint()
{
    // QLocale() is the system locale unless a test set another default.
    const QString dp = QLocale().decimalPoint();
    return dp.isEmpty() ? QChar('.') : dp.at(0);
}
