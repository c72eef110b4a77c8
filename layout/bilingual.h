// A card in two languages ("zweisprachig"): what the layout engine prints
// beside the German texts when the card's switch is on. The translations
// come from the card's view of the catalogue (products, categories, size
// headings), from the card's settings (heading, header, footer) and from the
// document's additive list, with the shipped wording of the allergens and
// the default additives (catalogue/officialwording.h). A text without
// translation prints in German alone.
#pragma once

#include "catalogue/cardsettings.h"
#include "catalogue/marks.h"

#include <QString>
#include <QStringList>

struct CardSource;
class LayoutMeasure;

// What stands between a German text and its translation on one line
// ("VORSPEISEN · STARTERS").
inline const QString &BilingualSeparator()
{
    static const QString s = QStringLiteral(" \u00B7 ");
    return s;
}

// The font a translation prints in: the German text's font in italic, or
// upright where that font is italic already.
FontSetting TranslationFont(const FontSetting &german);

// A one-line text with its translation, as the rows it prints in within
// `availableMM` (measured with `m`, the German text's font): "German ·
// translation" on one row when that fits, otherwise the German text and the
// translation on a row each (the second row printing in TranslationFont).
// The German text alone when there is no translation.
QStringList BilingualRows(const LayoutMeasure &m, const QString &german, const QString &translation,
                          double availableMM);

// The legend of the marks used, in both languages: each additive and each
// allergen with its wording in `language` after a " / " ("1 mit Farbstoff /
// with colouring", "A glutenhaltiges Getreide / Cereals containing gluten"),
// and the two labels likewise. An additive's wording is the document's own
// translation (marks.additiveTranslations), else the shipped one; where
// there is none the German stands alone, so a language without any wording
// gives LegendText exactly.
QString BilingualLegendText(const UsedMarks &used, const MarkSettings &marks, const QString &language);

// How many texts the card prints without their translation: 0 unless the
// card is bilingual. Counted over TranslatableTextsOfCard of the card's view
// (a source without a view, made from a whole catalogue, counts as that
// catalogue's first card).
int MissingTranslationsOfCard(const CardSource &card);

// The note that printing or exporting a bilingual card with `missing` texts
// without translation gives on the status line and on standard error
// ("Zweisprachige Karte: 3 Texte ohne Übersetzung", translated); empty when
// nothing is missing.
QString MissingTranslationsNote(int missing);

// The German texts of this module, for the translation table.
QStringList BilingualMessageTexts();
