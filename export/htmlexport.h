// The menu card as one web page: a self-contained UTF-8 HTML5 file with its
// style sheet inline and no scripts, fonts or pictures from elsewhere, for
// reading on a phone and printing from a browser.
//
// It holds the heading, the header line, each category as a section with its
// heading, each product with its number label (the card's own numbering),
// name, allergen and additive marks, quantity note, price as the card prints
// it and description (line breaks kept), free texts as text, the legend of
// the marks and the footer line. Every text is escaped; the page's language
// is the one the card is printed in.
//
// A document of several cards gives one page that carries every card as a
// section of its own (its heading, header, date and footer line, categories,
// legend, fonts), in card order, with a navigation line at the top linking
// to each; every card shows what it prints (catalogue/cardview.h), so dishes
// out of season are left out.
//
// A web menu with translations is two pages: the German one and, beside it,
// the same menu in the document's second language (see IsBilingualWeb), each
// naming the other as its alternate and linking to it at the top.
#pragma once

#include "layout/cardlayout.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <cstdint>

struct DocumentData;
struct SecondLanguage;

// The language tag of a language column of the translation table: de, en,
// fr, nl, sv; "und" (undetermined) for the spare columns.
QString HtmlLanguageTag(int32_t language);

// Text as HTML character data or attribute value: &, <, >, " and ' become
// references, a line break becomes a space, control characters are dropped
// and a broken surrogate becomes U+FFFD.
QString HtmlEscape(const QString &text);

// The whole page. lang: the value of the page's lang attribute.
QByteArray BuildHtml(const CardSource &card, const QString &lang);

// One card of a page of several: its name (the navigation line's link) and
// what it prints.
struct HtmlCard {
    QString name;
    CardSource source;
};
// The page of several cards (a single card gives the page BuildHtml gives).
QByteArray BuildHtml(const QVector<HtmlCard> &cards, const QString &lang);
// The cards of a document, each from SourceOfCard with its own settings and
// QR code, and the page that carries all of them: the web page of the
// document.
QVector<HtmlCard> DocumentHtmlCards(const DocumentData &doc);
QByteArray BuildDocumentHtml(const DocumentData &doc, const QString &lang);

// Creates or replaces the file through a temporary file in the same folder.
bool WriteHtmlFile(const QString &path, const QByteArray &data, QString *error);

// ---- the web menu in two languages ----

// Whether the web menu of a document (its catalogue, the settings of every
// card) is written in two languages: one of its cards prints bilingual
// ("zweisprachig"), or the document carries a translation of the
// restaurant's own (a category's name or size heading, a product's name,
// description or quantity note, a free text, a card's heading, header or
// footer line, an additive). The shipped wording of the allergens and
// default additives alone does not count. It holds for the document as a
// whole, so that every card's web page (--card, --all-cards) comes as a pair
// too. Without translations the web menu is its one page, as it always was.
bool IsBilingualWeb(const Catalogue &cat, const QVector<CardSettings> &cards);
// The settings of every card of a document, first first.
QVector<CardSettings> DocumentCardSettings(const DocumentData &doc);
// How many texts of the cards' pages have no translation, each counted once
// however many of the cards show it: what the second page of a bilingual
// menu shows in German.
int MissingWebTranslations(const QVector<HtmlCard> &cards);

// The path of the second-language page beside the German page `path`: the
// language tag before the extension ("menu.html", "en": "menu.en.html";
// "menu": "menu.en").
QString SecondLanguageHtmlPath(const QString &path, const QString &tag);

// A language's name in that language, for the link to its page ("English",
// "Français", "Deutsch" for "de"); for a language the program does not offer
// the name stored with it (else its tag).
QString LanguageOwnName(const SecondLanguage &language);

// A page of the web menu and where it goes.
struct HtmlFile {
    QString path;
    QByteArray data;
};
// The web menu of the cards written to `path`. second: null for a menu
// without translations: the one page BuildHtml gives (lang: its lang
// attribute). Else the document's second language (for a bilingual menu,
// IsBilingualWeb): the German page at `path` (lang="de") and the page in the
// second language beside it
// (SecondLanguageHtmlPath), each with the other as its alternate and a link
// to it at the top. On the second page every text is its translation; a text
// without one stays German inside an element with lang="de", and so do the
// page's own words ("Preis auf Anfrage", the legend's labels) where the
// translation table has no column for the language.
QVector<HtmlFile> WebMenuFiles(const QVector<HtmlCard> &cards, const QString &path, const QString &lang,
                               const SecondLanguage *second);

// Writes the pages: all of them or none. Each goes in place through a
// temporary file; when one cannot be written the ones put in place before it
// are put back as they were (removed when they were new). failed: the file
// that could not be written.
bool WriteHtmlFiles(const QVector<HtmlFile> &files, QString *failed, QString *error);
