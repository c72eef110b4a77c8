#include "layout/cardtext.h"

#include <QLocale>

#include "catalogue/catalogue.h"

#include <cmath>

static std::function<QString()> &onRequestProvider()
{
    static std::function<QString()> provider;
    return provider;
}

void SetOnRequestTextProvider(std::function<QString()> provider)
{
    onRequestProvider() = std::move(provider);
}

QString OnRequestText()
{
    const auto &p = onRequestProvider();
    return p ? p() : QStringLiteral("Preis auf Anfrage");
}

QString CapitalLetters(const QString &s)
{
    // The full Unicode mapping: umlauts get their capitals and ß becomes SS,
    // as German typesetting writes it in capitals.
    return s.toUpper();
}

QString CategoryCaption(const QString &name, const CardSettings &s)
{
    return s.CapsCheck ? CapitalLetters(name) : name;
}

QString NumberLabel(long long n)
{
    return QString::number(n) + QStringLiteral(". ");
}

QString PriceAmount(double price, bool noKomma)
{
    if (noKomma)
        return QString::number(std::trunc(price), 'f', 0);
    return FormatPrice2(price, UserDecimalPoint());
}

QString PriceText(double price, const CardSettings &s)
{
    return PriceAmount(price, s.NoKommaCheck) + QLatin1Char(' ') + s.WaehrEd;
}

QStringList SizeHeadings(const Catalogue &cat, int category)
{
    return cat.sizeHeadings(category);
}

bool PrintsSizeColumns(const Catalogue &cat, int category, int row)
{
    if (!cat.hasSizes(category))
        return false;
    // Any size with a price: a product not sold in the first size (or one
    // whose first price is 0) still shows the prices of its other sizes.
    for (double v : cat.sizePrices(category, row))
        if (v > 0)
            return true;
    return false;
}

QStringList SizePriceTexts(const Catalogue &cat, int category, int row, const CardSettings &s)
{
    QStringList texts;
    for (double v : cat.sizePrices(category, row))
        texts << (v > 0 ? PriceText(v, s) : QString());
    return texts;
}

QString DateLineText(const CardSettings &s, const QDate &today)
{
    const QDate d = s.printedDate(today);
    if (!d.isValid())
        return QString();
    return QLocale(QLocale::German, QLocale::Germany).toString(d, QStringLiteral("dddd, d. MMMM yyyy"));
}
