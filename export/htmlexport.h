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
#pragma once

#include "layout/cardlayout.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <cstdint>

struct DocumentData;

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
