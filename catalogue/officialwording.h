// The wording the program ships for the fourteen allergens and the default
// additives, in the interface's languages and the offered second languages:
// for the allergens the names of the EU regulation's annex on substances
// causing allergies or intolerances, in each language's official version
// (Turkish, not a language of the regulation: the Turkish Food Codex's
// labelling wording), for the additives plain menu wording.
// The legend of a bilingual card takes the second language's wording from
// here, unless the document has its own translation of an additive.
#pragma once

#include <QString>
#include <QStringList>

// Allergen i (0..13, the order of marks.h) in `language` (a BCP 47 tag;
// its primary subtag is used: "en-GB" finds "en"). Empty when the program
// ships no wording for that language. "de" gives AllergenName(i).
QString OfficialAllergenName(int i, const QString &language);

// The shipped wording in `language` of an additive of the default list,
// given by its German text ("mit Farbstoff"); empty for any other text or
// a language without shipped wording.
QString ShippedAdditiveText(const QString &german, const QString &language);

struct MarkSettings;
// Additive `index` (from 0) of the document's list in `language`: the
// document's own translation, else the shipped wording of a default
// additive; empty when there is neither. shipped (when given) says which.
// The card's legend, the web page and the list of texts go by this.
QString AdditiveWording(const MarkSettings &marks, int index, const QString &language, bool *shipped = nullptr);

// The languages with shipped wording (primary subtags).
QStringList ShippedWordingLanguages();
