// The second language of a document: the restaurant's own translation of
// every text a guest reads (dish names, descriptions, quantity notes, free
// texts, category names, size headings, the card's heading, header and
// footer lines, the additives), stored beside the German text. The
// catalogue keeps the translations of its products and categories
// (Catalogue::translation), a card those of its own texts
// (CardSettings::translation), the mark settings those of the additives.
// Nothing here translates by itself: a text without translation is printed
// in German.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A language the program offers for the second language, with its BCP 47
// tag and its German name ("en", "Englisch").
struct OfferedLanguage {
    const char *tag;
    const char *name; // German, UTF-8; a key of the translation table
};
// English first (preselected), then French, Dutch, Swedish, Italian,
// Spanish, Polish, Turkish and Danish.
const QVector<OfferedLanguage> &OfferedLanguages();

// Whether tag is a well-formed BCP 47 language tag of the usual form:
// a primary language of 2 or 3 letters (or 5 to 8), then subtags of 1 to 8
// letters and digits separated by "-" (a script of 4 letters, a region of 2
// letters or 3 digits, variants, extensions, "x-" private use), at most 35
// characters. Grandfathered and private-use-only tags are refused.
bool IsWellFormedLanguageTag(const QString &tag);

// The second language of a document. A new document has English; a
// language the program does not offer carries the name the user gave it.
struct SecondLanguage {
    QString tag = QStringLiteral("en");
    QString name; // only for a language not offered; empty otherwise

    bool operator==(const SecondLanguage &o) const { return tag == o.tag && name == o.name; }
    bool operator!=(const SecondLanguage &o) const { return !(*this == o); }
    bool isDefault() const { return *this == SecondLanguage(); }
    // The German name to show ("Englisch"; for another language its own
    // name, or its tag when it has none).
    QString displayName() const;
    // The primary language subtag in lower case ("en" of "en-GB"): what the
    // shipped wordings of allergens and additives are looked up by.
    QString primary() const;
};

// The translation of one product's texts. A free text's translation is its
// description.
struct ProductTranslation {
    QString name;
    QString description; // lines separated by CR LF, as the German one
    QString quantity;

    bool isEmpty() const { return name.isEmpty() && description.isEmpty() && quantity.isEmpty(); }
    bool operator==(const ProductTranslation &o) const
    {
        return name == o.name && description == o.description && quantity == o.quantity;
    }
    bool operator!=(const ProductTranslation &o) const { return !(*this == o); }
};

// The translations of a card's own texts.
struct CardTextTranslation {
    QString heading; // CaptionEd
    QString header;  // KopfEd
    QString footer;  // FussEd

    bool isEmpty() const { return heading.isEmpty() && header.isEmpty() && footer.isEmpty(); }
    bool operator==(const CardTextTranslation &o) const
    {
        return heading == o.heading && header == o.header && footer == o.footer;
    }
    bool operator!=(const CardTextTranslation &o) const { return !(*this == o); }
};

// A text as one line: line breaks and other control characters (U+0000 to
// U+001F, U+007F to U+009F, U+2028, U+2029) become spaces. Category names,
// size headings and additives are one line, and so are their translations.
QString OneLineText(const QString &text);
// Whether a translation counts as given: not empty and not spaces alone.
inline bool IsTranslated(const QString &text) { return !text.trimmed().isEmpty(); }
// What a bilingual card prints beside `german`: the translation, or nothing
// when there is none or it reads the same as the German text
// ("Bruschetta", "Desserts"), which is then printed once.
inline QString PrintedTranslation(const QString &german, const QString &translation)
{
    return IsTranslated(translation) && translation.trimmed() != german.trimmed() ? translation : QString();
}

// The German texts of this module (language names), for the translation
// table.
QStringList LanguageMessageTexts();
