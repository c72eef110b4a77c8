// The group "Kennzeichnung" of the layout tab: print the allergen and
// additive marks or not, where the legend goes, and the button that edits the
// document's additive list (TAdditivesDialog).
#pragma once

#include "catalogue/marks.h"

#include <QDialog>
#include <QGroupBox>
#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

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
    void ZusatzBtnClick();

signals:
    void settingsChanged(); // a switch or the legend place changed
    void additivesEdited(); // the user confirmed a changed additive list

private:
    QStringList additives_;
    QStringList additiveTranslations_; // held for the document, edited elsewhere
};

// Edits the additive list: one additive per line, the line number is its
// number. Empty lines at the end are dropped.
class TAdditivesDialog : public QDialog {
    Q_OBJECT
public:
    explicit TAdditivesDialog(const QStringList &additives, QWidget *parent = nullptr);
    QPlainTextEdit *AdditivesMemo;
    QPushButton *DefaultBtn; // "Standardliste"
    QLabel *AdditivesNote;   // why the list cannot be taken
    // The lines, trimmed, without empty lines at the end; control
    // characters read as spaces. The list as it was given while the text
    // is as the dialog showed it.
    QStringList additives() const;
    // The German texts of the note, for the translation table.
    static QStringList messageTexts();

public slots:
    // Takes at most 999 additives; a longer list keeps the dialog open
    // with the note saying why.
    void accept() override;

private:
    QStringList given_;
    QString shown_; // the memo's text as given
};
