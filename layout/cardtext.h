// What the card prints, as text: the category captions, the number labels,
// the price texts (one per size), the size headings and the "price on
// request" text. The page layout engine, the web page and the CSV export take
// their texts from here; the marks come from cardmarks.*.
#pragma once

#include "catalogue/cardsettings.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

class Catalogue;

// Message 10 of the message table ("Preis auf Anfrage"), shown for a price
// of 0. The main window installs the translated lookup; the default returns
// the German text.
void SetOnRequestTextProvider(std::function<QString()> provider);
QString OnRequestText();

// The category name as painted with capitals: every letter upper-cased by
// the Unicode rules (ä -> Ä, ß -> SS).
QString CapitalLetters(const QString &s);
// The category's caption on the card: in capitals when the card asks for it.
QString CategoryCaption(const QString &name, const CardSettings &s);
// The date line under the card's heading ("Mittwoch, 10. Dezember 2026"):
// empty when the card prints none. today is the day of printing.
QString DateLineText(const CardSettings &s, const QDate &today);
// "12. " for 12.
QString NumberLabel(long long n);
// The amount of a price: with noKomma the integral part, otherwise two
// decimals with the user's decimal separator.
QString PriceAmount(double price, bool noKomma);
// The amount followed by a space and the currency ("6,90 €").
QString PriceText(double price, const CardSettings &s);

// The size headings of category cat (empty for a category without sizes).
QStringList SizeHeadings(const Catalogue &cat, int category);
// Whether product row of a sized category prints its prices in the size
// columns: when any of its sizes has a price. A product without a price in
// any size prints "price on request" instead; free texts print neither. The
// card and the web page both decide by this.
bool PrintsSizeColumns(const Catalogue &cat, int category, int row);
// The price texts of product row of a sized category, one per size; an
// empty text for a size the product is not sold in.
QStringList SizePriceTexts(const Catalogue &cat, int category, int row, const CardSettings &s);
