// "Preise ändern...": raises or lowers the prices of the selected category or
// of the whole card by a percentage or an amount, rounds them, and lists every
// price that changes, before and after. The caller applies changes() as one
// step when the dialog is accepted.
#pragma once

#include "catalogue/pricechange.h"

#include <QDialog>
#include <QStringList>

class Catalogue;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class QTreeWidget;

class TPriceChangeForm : public QDialog {
    Q_OBJECT
public:
    // names: the captions of the categories; category: the selected one
    // (-1: none, then only the whole card can be chosen).
    TPriceChangeForm(const Catalogue &cat, const QStringList &names, int category, QWidget *parent = nullptr);

    QRadioButton *CategoryRadio;
    QRadioButton *CardRadio;
    QRadioButton *PercentRadio;
    QRadioButton *AmountRadio;
    QDoubleSpinBox *AmountEd;
    QComboBox *RoundingBox; // in the order of PriceRounding
    QTreeWidget *ChangesList;
    QLabel *CountLabel;

    PriceChangeRule rule() const;
    const QVector<PriceChange> &changes() const { return changes_; }

private:
    void update();

    const Catalogue &cat_;
    QStringList names_;
    int category_;
    QVector<PriceChange> changes_;
};
