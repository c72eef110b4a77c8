// The tab "Übersetzungen": every text of the document a guest reads, with
// its German original and its translation into the document's second
// language side by side, the translation edited in place. Tab moves on to
// the next translation, Enter takes the text and goes on to the next one
// still missing; "nur fehlende" shows only those, and a count says how many
// are missing. The head chooses the second language.
//
// The view shows what the window hands it and reports what the user did;
// storing a translation or a language, and the undo step, are the window's.
#pragma once

#include "catalogue/translationtexts.h"

#include <QDialog>
#include <QTableWidget>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The table of texts: its translation column only is edited, and Tab and
// Backtab go from translation to translation.
class TTranslationTable : public QTableWidget {
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

class TTranslationsView : public QWidget {
    Q_OBJECT
public:
    enum Column { KindColumn = 0, GermanColumn = 1, TranslationColumn = 2 };

    explicit TTranslationsView(QWidget *parent = nullptr);

    QLabel *SpracheLabel;        // "Zweite Sprache:"
    QComboBox *SpracheBox;       // the offered languages, the document's own other one, "Andere…"
    QCheckBox *NurFehlendeCheck; // "nur fehlende"
    QLabel *AnzahlLabel;         // "%1 von %2 Texten fehlen"
    TTranslationTable *TextTable;

    // Shows these texts; `cardNames` name the cards of card texts when there
    // are several. The current text stays current where it still exists.
    void setTexts(const QVector<TranslatableText> &texts, const QStringList &cardNames);
    const QVector<TranslatableText> &texts() const { return texts_; }
    // Shows the document's second language in the box (no signal).
    void setLanguage(const SecondLanguage &language);
    // The row of the text at `place`, -1 when there is none.
    int rowOf(const TextPlace &place) const;
    // Makes the first missing text after `row` current (from the top again
    // when there is none below) and opens its translation for typing; false
    // when no text is missing.
    bool editNextMissing(int row);
    // The texts of the box, the column titles and the count in the
    // interface language (the walk over the window does not reach them).
    void translateTexts();

    // The German texts of the view, for the translation table.
    static QStringList messageTexts();

signals:
    // The user changed the translation of the text at `place`.
    void translationEdited(const TextPlace &place, const QString &text);
    // The user picked an offered language from the box.
    void languageChosen(const SecondLanguage &language);
    // The user picked "Andere…".
    void otherLanguageRequested();

private:
    bool fillRow(int row, const TranslatableText &t); // true when a text changed
    void applyFilter();
    void showCount();
    void itemEdited(QTableWidgetItem *item);
    QString kindText(const TranslatableText &t) const;

    QVector<TranslatableText> texts_;
    QStringList cardNames_;
    SecondLanguage language_;
    bool filling_ = false;
};

// "Andere…": a language the list does not offer, with its name and its
// BCP 47 tag.
class TOtherLanguageDialog : public QDialog {
    Q_OBJECT
public:
    TOtherLanguageDialog(const QString &name, const QString &tag, QWidget *parent = nullptr);
    QLineEdit *NameEd; // "Name der Sprache:"
    QLineEdit *TagEd;  // "Sprachkennung (BCP 47):"
    SecondLanguage language() const; // the tag trimmed, the name on one line
    // The German texts of the dialog, for the translation table.
    static QStringList messageTexts();
};
