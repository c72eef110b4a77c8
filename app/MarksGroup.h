// The group "Kennzeichnung" of the layout tab: print the allergen and
// additive marks or not, where the legend goes, and the button that edits the
// document's additive list (TAdditivesDialog).
#pragma once

#include "catalogue/marks.h"
#include "catalogue/translation.h"

#include <QDialog>
#include <QGroupBox>
#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TLinesEdit;

class TMarksGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TMarksGroup(QWidget *parent = nullptr);

    QCheckBox *MarksCheck;          // "Kennzeichnung drucken"
    QRadioButton *LegendEndRadio;   // "am Ende der Karte"
    QRadioButton *LegendPageRadio;  // "auf jeder Seite über der Fußzeile"
    QPushButton *ZusatzBtn;         // "Zusatzstoffe bearbeiten..."

    MarkSettings settings() const;
    // Sets the controls and the list without raising settingsChanged.
    void setSettings(const MarkSettings &m);

    // Shows the additive dialog (tests replace it, like the main window's).
    std::function<int(QDialog *)> execDialog;
    // The document's second language, for the dialog's translations (the
    // main window gives its catalogue's).
    std::function<SecondLanguage()> secondLanguage;
    void ZusatzBtnClick();

signals:
    void settingsChanged(); // a switch or the legend place changed
    void additivesEdited(); // the user confirmed a changed additive list

private:
    QStringList additives_;
    QStringList additiveTranslations_; // held for the document, edited elsewhere
};

// Edits the additive list: one additive per line, the line number is its
// number. Empty lines at the end are dropped. Beside it the translations
// into the document's second language, line for line; an empty line shows
// the wording the program ships for the additive beside it, if any. A German
// line removed or inserted takes its translation line with it.
class TAdditivesDialog : public QDialog {
    Q_OBJECT
public:
    explicit TAdditivesDialog(const QStringList &additives, QWidget *parent = nullptr);
    QPlainTextEdit *AdditivesMemo;
    TLinesEdit *TranslationsMemo; // line i translates line i of AdditivesMemo
    QLabel *TranslationsLabel;    // the second language's name above it
    QPushButton *DefaultBtn; // "Standardliste"
    QLabel *AdditivesNote;   // why the list cannot be taken
    // The lines, trimmed, without empty lines at the end; control
    // characters read as spaces. The list as it was given while the text
    // is as the dialog showed it.
    QStringList additives() const;
    // The second language and the document's translations (entry i
    // translates additive i).
    void setTranslations(const SecondLanguage &language, const QStringList &translations);
    // The translation lines, read as additives() reads its lines; the
    // translations as they were given while their text is as it was shown.
    QStringList additiveTranslations() const;
    // The German texts of the notes, for the translation table.
    static QStringList messageTexts();

public slots:
    // Takes at most 999 additives, and no more translations than
    // additives; otherwise the dialog stays open with the note saying why.
    void accept() override;

private:
    QStringList given_;
    QString shown_; // the memo's text as given
    QStringList givenTr_;
    QString shownTr_;
    SecondLanguage language_;
    QStringList lines_; // the German box's lines as last seen
    // Removes or inserts translation lines where German lines were removed
    // or inserted (position: where the German text changed), so that each
    // translation stays beside its additive.
    void keepTranslationsInStep(int position);
    // Each empty translation line shows the shipped wording of its additive.
    void showShippedWording();
};
