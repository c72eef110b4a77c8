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
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

struct CardSource;

// The language tag of a language column of the translation table: de, en,
// fr, nl, sv; "und" (undetermined) for the spare columns.
QString HtmlLanguageTag(int32_t language);

// Text as HTML character data or attribute value: &, <, >, " and ' become
// references, a line break becomes a space, control characters are dropped
// and a broken surrogate becomes U+FFFD.
QString HtmlEscape(const QString &text);

// The whole page. lang: the value of the page's lang attribute.
QByteArray BuildHtml(const CardSource &card, const QString &lang);

// Creates or replaces the file through a temporary file in the same folder.
bool WriteHtmlFile(const QString &path, const QByteArray &data, QString *error);
