// What the dialogs of the document's data share for the second language:
// the language's name as a title in the interface's language, and a text box
// of lines that shows, in each empty line, a hint of its own (the wording
// the program ships for the German text beside it).
#pragma once

#include "catalogue/translation.h"

#include <QPlainTextEdit>
#include <QStringList>

// The second language's name as a title ("Englisch", in the English
// interface "English"); a language the program does not offer shows the
// name the user gave it (or its tag) as it is.
QString SecondLanguageTitle(const SecondLanguage &language);

// A text box of one entry per line, without wrapping: an empty line shows
// its own placeholder (line i the i-th text of setLinePlaceholders), drawn
// in the placeholder colour and never part of the text.
class TLinesEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TLinesEdit(QWidget *parent = nullptr);

    void setLinePlaceholders(const QStringList &texts);
    const QStringList &linePlaceholders() const { return placeholders_; }
    // The placeholder shown in line i: its text while the line is empty.
    QString shownPlaceholder(int line) const;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QStringList placeholders_;
};

// The lines of a translation box the user typed into: a line break of any
// kind ends a line, and each line is read as the German field beside it
// is (clean: what makes it one clean line; trimmed at its ends); empty
// lines at the end are dropped.
QStringList TranslationLines(const QString &text, QString (*clean)(const QString &));
