// Alt letters for the menus. The texts are translation keys without '&'; the
// letters are given after the interface has been translated, so that every
// language gets its own and the table's keys stay as they are.
#pragma once

#include <QSet>
#include <QString>

class QMenuBar;

// The text with '&' before the first letter that is not in `taken`: the
// first letters of its words are tried first, then its other letters. A
// literal '&' is doubled. The letter (lower case) is added to `taken`; a
// text whose letters are all taken gets none.
QString WithMnemonic(const QString &text, QSet<QChar> &taken);

// Gives the bar's menus and the entries of each menu their Alt letters,
// unique among their neighbours. Entries with the property
// velloran_nomnemonic (texts that change while the program runs) and
// separators are left alone. Call once, after the translation.
void AssignMnemonics(QMenuBar *bar);
