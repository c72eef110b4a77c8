// The card's print form on the tab "Layout": "Einzelseiten", "Heft",
// "Tischaufsteller" or "2 pro Blatt", the table tent's fold line and a note
// (how to print a booklet, or why the paper cannot take the form).
#pragma once

#include <QGroupBox>

struct CardSettings;
class QCheckBox;
class QLabel;
class QRadioButton;

class TPrintFormBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TPrintFormBox(QWidget *parent = nullptr);

    QRadioButton *FormRadio[4]; // in the order of CardSettings::PrintForm
    QCheckBox *FaltlinieCheck;  // the table tent's fold line
    QLabel *Note;               // empty: hidden

    void readInto(CardSettings &s) const;
    void setFrom(const CardSettings &s); // raises changed() once when something differs
    void setNote(const QString &text);

signals:
    void changed(); // by the user or by code
};
