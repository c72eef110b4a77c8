// The cards of a document. One catalogue feeds one or more cards (the food
// card, the drinks card, a lunch sheet, a seasonal card); each card has a
// name and a complete set of card settings, and carries a chosen set of the
// catalogue's products (Catalogue::productCards). The first card is the one
// every document has: its settings are the document's own (groups A to C and
// their records), and it carries every product unless the user changes that.
#pragma once

#include "catalogue/cardsettings.h"
#include "catalogue/extension.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

class Catalogue;

// The most cards a document may hold (one bit each per product).
constexpr int kMaxCards = 64;

struct Card {
    QString name;
    // The card's settings. Those of the first card are the document's own and
    // are held there; this copy of them is not used.
    CardSettings settings;
    // Records of a further card's settings that this program does not know;
    // written back with them.
    ExtensionRecords unknownRecords;
};

class CardList {
public:
    // A document's cards start as the first card alone, named "Speisekarte".
    CardList();

    static QString defaultFirstName();

    int count() const { return int(cards_.size()); }
    const Card &at(int i) const { return cards_.at(i); }
    Card &operator[](int i) { return cards_[i]; }
    const QVector<Card> &cards() const { return cards_; }
    QStringList names() const;

    // The settings card i prints with: the first card's are `first`; a
    // further card has its own, with the document's additive list.
    CardSettings settingsOf(int i, const CardSettings &first) const;
    // True when the document is the one card of a document that never had
    // more (nothing to store).
    bool isDefault() const { return cards_.size() == 1 && cards_.at(0).name == defaultFirstName(); }

    // Appends a card (the list must have room: count() < kMaxCards).
    void append(const Card &c) { cards_.append(c); }
    // Removes card i (never the last one left) and its bit of every product.
    void remove(int i, Catalogue &cat);
    // Replaces the whole list (the document reader); never leaves it empty.
    void assign(const QVector<Card> &cards);

    // Why `name` cannot name a card (empty when it can): empty (spaces
    // alone), a line break or control character, or the name of another card
    // than `self` (compared without regard to case, as file names are on
    // Windows). German, for the translation table.
    QString nameProblem(const QString &name, int self = -1) const;

private:
    QVector<Card> cards_;
};

// The reasons nameProblem gives, for the translation table.
QStringList CardNameMessageTexts();

// Whether product row of category cat is printed on card `card`: offered and
// carried by the card.
bool PrintsOnCard(const Catalogue &cat, int category, int row, int card);
// Whether card `card` carries every product of the catalogue and every one
// is offered: then the card prints the catalogue as it is.
bool CarriesEverything(const Catalogue &cat, int card);
// Whether every product of the catalogue is offered.
bool AllOffered(const Catalogue &cat);
// The number of products card `card` prints.
int ProductsOnCard(const Catalogue &cat, int card);

// A card name as a file name part: characters that a file name on Linux or
// Windows cannot hold (/ \ : * ? " < > | and control characters) become "_",
// leading and trailing spaces and dots go, names Windows reserves (CON, NUL,
// COM1, ...) get a "_" in front, and an empty result becomes "Karte".
// The result never names a folder above or beside the one it is put in.
QString SafeCardFileName(const QString &name);
