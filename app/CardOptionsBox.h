// The card's own numbering, its date line and its languages on the tab
// "Layout": "Nummern je Karte", "Datumszeile" (none, the day of printing or
// a fixed date, chosen in a calendar) and "zweisprachig". The box also holds
// the translations of the card's heading, header and footer line, which have
// no control of their own here (they are edited in the "Übersetzungen" view),
// so that they go with the card's other settings.
#pragma once

#include "catalogue/translation.h"

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
    QCheckBox *ZweisprachigCheck; // "zweisprachig": the card in both languages

    // The translations of the card's own texts.
    const CardTextTranslation &translation() const { return translation_; }

    void readInto(CardSettings &s) const;
    void setFrom(const CardSettings &s); // raises changed() once when something differs
    // The choices of DatumBox in the interface language (the table's walk
    // over the window does not reach a combo box's entries).
    void translateChoices();

    // The German texts of the choices, for the translation table.
    static QStringList choiceTexts();

signals:
    void changed(); // by the user or by code

private:
    CardTextTranslation translation_;
};
