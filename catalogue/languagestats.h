// What `velloran --language-stats` says about a document: its second
// language, how many texts of each kind are translated and how many are
// missing, and the total, in the interface language. The texts and their
// counts come from TranslatableTexts (catalogue/translationtexts.h), the
// list the "Übersetzungen" view and the status line count by.
#pragma once

#include "catalogue/cardsettings.h"
#include "catalogue/catalogue.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The lines: "Zweite Sprache: Englisch (en)", then one line per kind that
// has texts ("Bezeichnungen: 39 von 41 übersetzt, 2 fehlen"), then the total
// ("12 von 86 Texten fehlen"). cards: the settings of every card, the first
// card first.
QStringList LanguageStatsLines(const QStringList &names, const Catalogue &cat, const QVector<CardSettings> &cards);

// The German texts of the lines, for the translation table.
QStringList LanguageStatsTexts();
