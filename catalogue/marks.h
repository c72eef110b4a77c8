// Allergens and additives: the marks a dish carries on the card.
//
// The allergen list is fixed (the fourteen main allergens of EU regulation
// 1169/2011 with the letters in common use in Germany). The additive list
// belongs to the document: numbered short texts, by default the twelve in
// common use. A product carries a set of each; its marks are held by the
// catalogue beside the product record (Catalogue::marks).
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

constexpr int kAllergenCount = 14;

// Letter (A B C D E F G H L M N O P R) and German name of allergen i (0..13).
QChar AllergenLetter(int i);
QString AllergenName(int i);

// The twelve additives in common use; number n is entry n - 1.
QStringList DefaultAdditives();

struct ProductMarks {
    uint16_t allergens = 0; // bit i = allergen i
    QVector<int> additives; // additive numbers (1-based), ascending, no repeats

    bool isEmpty() const { return allergens == 0 && additives.isEmpty(); }
    bool hasAllergen(int i) const { return (allergens >> i) & 1u; }
    bool hasAdditive(int n) const;
    void setAllergen(int i, bool on);
    void setAdditive(int n, bool on);
    bool operator==(const ProductMarks &o) const
    {
        return allergens == o.allergens && additives == o.additives;
    }
    bool operator!=(const ProductMarks &o) const { return !(*this == o); }
};

// "3,8,A,F,M": additive numbers, then allergen letters, separated by commas.
QString MarksText(const ProductMarks &m);
// The allergen letters alone ("A,F,M") and the additive numbers alone ("3,8").
QString AllergenLetters(const ProductMarks &m);
QString AdditiveNumbers(const ProductMarks &m);

// Where the legend of the marks goes on the card.
enum class LegendPlace : uint8_t { AtEnd = 0, EveryPage = 1 };

// The document's settings for marks (the "Kennzeichnung" group of the layout
// tab and the additive list).
struct MarkSettings {
    bool MarksCheck = true;                  // print marks
    LegendPlace LegendPos = LegendPlace::AtEnd;
    QStringList additives = DefaultAdditives();
    // The additives in the document's second language, entry i translating
    // additives[i]; missing or empty entries have none (an additive of the
    // default list then has its shipped wording, catalogue/officialwording.h).
    QStringList additiveTranslations;

    bool operator==(const MarkSettings &o) const
    {
        return MarksCheck == o.MarksCheck && LegendPos == o.LegendPos && additives == o.additives
               && additiveTranslations == o.additiveTranslations;
    }
    bool operator!=(const MarkSettings &o) const { return !(*this == o); }
};

// The union of the marks used on a card.
struct UsedMarks {
    uint16_t allergens = 0;
    QVector<int> additives; // ascending
    bool isEmpty() const { return allergens == 0 && additives.isEmpty(); }
    void add(const ProductMarks &m);
};

// "Zusatzstoffe: 1 mit Farbstoff, 3 mit Antioxidationsmittel · Allergene:
// A glutenhaltiges Getreide, G Milch" for the marks used; empty when none.
// Each number or letter is joined to its text by a no-break space (U+00A0),
// so that wrapping never separates them. An additive number beyond the list is named by its number alone.
QString LegendText(const UsedMarks &used, const QStringList &additives);
