// The marks section of the product dialog: the fourteen allergens and the
// document's additives as check boxes in a compact grid, and the choice to
// keep the marks for the next new product.
#pragma once

#include "catalogue/marks.h"

#include <QGroupBox>
#include <QVector>

class QCheckBox;
class QGridLayout;

class TMarksBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TMarksBox(QWidget *parent = nullptr);

    QCheckBox *AllergenChecks[kAllergenCount];
    QVector<QCheckBox *> AdditiveChecks; // entry n - 1 is additive n
    QCheckBox *KeepMarksCheck;           // remember the marks for new products

    // Rebuilds the additive check boxes for the document's list; the
    // numbers ticked so far stay ticked.
    void setAdditives(const QStringList &additives);
    void setMarks(const ProductMarks &m);
    // Additive numbers ticked earlier that the list no longer holds are kept.
    ProductMarks marks() const;
    // A new product: no marks, unless the user keeps them.
    void prepareNew();

private:
    QGridLayout *additiveGrid_;
    QVector<int> hiddenAdditives_; // marks beyond the current list
};
