// "Preise ändern...": raises or lowers the prices of the ticked categories
// by a percentage or an amount, rounds them, and lists every price that
// changes, before and after, and every one that stays because the change
// would bring it to 0 or below. The caller applies changes() as one step
// when the dialog is accepted. The list always follows the text in the
// amount field; a text that cannot be read empties it, says why and keeps
// the dialog open on OK.
#pragma once

#include "catalogue/pricechange.h"

#include <QDialog>
#include <QStringList>

class Catalogue;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class TFloatEdit;

class TPriceChangeForm : public QDialog {
    Q_OBJECT
public:
    // names: the captions of the categories; category: the selected one,
    // ticked at the start (-1: none, then every category is ticked).
    TPriceChangeForm(const Catalogue &cat, const QStringList &names, int category, QWidget *parent = nullptr);

    QListWidget *CategoryList; // one checkable entry per category, in order
    QPushButton *AllBtn;       // ticks every category
    QPushButton *NoneBtn;      // unticks every category
    QRadioButton *PercentRadio;
    QRadioButton *AmountRadio;
    TFloatEdit *AmountEd;
    QComboBox *RoundingBox; // in the order of PriceRounding
    QTreeWidget *ChangesList;
    QLabel *CountLabel; // how many prices change, or why the amount cannot be read

    // The ticked categories, in order.
    QVector<int> chosenCategories() const;
    PriceChangeRule rule() const;
    const QVector<PriceChange> &changes() const { return changes_; }

    // Texts the dialog shows only while it is used (for the translation table).
    static QStringList messageTexts();

    void accept() override;

private:
    void update();
    void tickAll(bool on);

    const Catalogue &cat_;
    QStringList names_;
    QVector<PriceChange> changes_;
};
