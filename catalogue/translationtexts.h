// Every text of a document that a guest reads, with its translation into
// the document's second language: the one list that the "Übersetzungen"
// view, the counts of missing translations (status line, command line) and
// the printing of a bilingual card go by.
#pragma once

#include "catalogue/cardsettings.h"
#include "catalogue/catalogue.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

class CardView;

// What a text is. The order is the order of the counts.
enum class TextKind {
    Category,    // a category's name
    SizeHeading, // a size heading of a category ("0,3 l")
    Name,        // a product's name
    Description, // a product's description
    Quantity,    // a product's quantity note
    FreeText,    // a free text (its description)
    Heading,     // a card's heading
    Header,      // a card's header line
    Footer,      // a card's footer line
    Additive,    // an additive of the document's list
};
constexpr int kTextKinds = 10;

// Where a text stands: category and row in the catalogue (-1 where not
// used), the card (for its heading, header and footer), the size heading or
// additive index (from 0).
struct TextPlace {
    TextKind kind = TextKind::Name;
    int category = -1;
    int row = -1;
    int card = -1;
    int index = -1;
    bool operator==(const TextPlace &o) const
    {
        return kind == o.kind && category == o.category && row == o.row && card == o.card && index == o.index;
    }
};

struct TranslatableText {
    TextPlace place;
    QString german;
    QString translation; // as stored, or an additive's shipped wording
    bool shipped = false; // the translation is the shipped wording of a default additive
    bool missing() const { return !IsTranslated(translation); }
};

// The texts of the catalogue whose categories are named `names`, in
// catalogue order: per category its name, its size headings, then per
// product its name, quantity note and description (those not empty; a free
// text its description alone). Then per card (settings of every card, first
// first) its heading, header and footer line when not empty, then the
// additives of the document's list (marks).
QVector<TranslatableText> TranslatableTexts(const QStringList &names, const Catalogue &cat,
                                            const QVector<CardSettings> &cards);

// The texts one card prints (its view of the catalogue, its settings): the
// categories, size headings and products of the view, the card's own texts,
// and the additives its products carry (when it prints marks).
QVector<TranslatableText> TranslatableTextsOfCard(const CardView &view, const CardSettings &settings);

// How many of the texts are missing.
int MissingTranslations(const QVector<TranslatableText> &texts);

// Per kind: how many texts there are and how many lack their translation.
struct TextCount {
    int total = 0;
    int missing = 0;
};
std::array<TextCount, kTextKinds> CountTranslations(const QVector<TranslatableText> &texts);

// The German name of a kind, for the counts ("Bezeichnungen").
QString TextKindName(TextKind kind);

// Stores `text` as the translation of the text at `place`: in the catalogue,
// in the settings of card place.card (cards[place.card]), or in the mark
// settings of every card (the additive list is the document's). Line breaks
// stay only in descriptions and free texts. False (nothing changed) when the
// place does not exist.
bool SetTranslatedText(const TextPlace &place, const QString &text, Catalogue &cat,
                       QVector<CardSettings> &cards);

// The German texts of this module, for the translation table.
QStringList TranslationTextMessageTexts();
