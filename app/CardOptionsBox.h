// The card's own numbering and its date line on the tab "Layout":
// "Nummern je Karte" and "Datumszeile" (none, the day of printing or a
// fixed date, chosen in a calendar).
#pragma once

#include <QWidget>

struct CardSettings;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;

class TCardOptionsBox : public QWidget {
    Q_OBJECT
public:
    explicit TCardOptionsBox(QWidget *parent = nullptr);

    QCheckBox *NummernJeKarteCheck;
    QLabel *DatumLabel;   // "Datumszeile:"
    QComboBox *DatumBox;  // "keine", "Tag des Drucks", "festes Datum"
    QDateEdit *DatumEd;   // enabled only for the fixed date

    void readInto(CardSettings &s) const;
    void setFrom(const CardSettings &s); // raises changed() once when something differs
    // The choices of DatumBox in the interface language (the table's walk
    // over the window does not reach a combo box's entries).
    void translateChoices();

    // The German texts of the choices, for the translation table.
    static QStringList choiceTexts();

signals:
    void changed(); // by the user or by code
};
