// The card's paper on the tab "Layout": the selected printer's page, A4 or
// A5, and portrait or landscape.
#pragma once

#include <QGroupBox>

struct CardSettings;
class QCheckBox;
class QRadioButton;

class TPaperBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TPaperBox(QWidget *parent = nullptr);

    QRadioButton *DruckerRadio; // the printer's page (no paper of the card's own)
    QRadioButton *A4Radio;
    QRadioButton *A5Radio;
    QCheckBox *QuerCheck;       // landscape; only with A4 or A5

    void readInto(CardSettings &s) const;
    void setFrom(const CardSettings &s); // raises changed() once when something differs

signals:
    void changed(); // by the user or by code
};
