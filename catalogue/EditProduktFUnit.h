// The product dialog: one window created at start-up and reused for new and
// edited products.
#pragma once

#include "catalogue/catalogue.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QDoubleSpinBox;
class QSpinBox;
class QPushButton;

class TEditProduktForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditProduktForm(QWidget *parent = nullptr);

    QLineEdit *Edit1;       // name
    QPlainTextEdit *Edit2;  // description
    QDoubleSpinBox *PreisEd;
    QSpinBox *NumEd;
    QLineEdit *MengeEd;     // quantity note
    QPushButton *BitBtn1;   // OK
    QPushButton *BitBtn2;   // cancel

    // Prepares the dialog for a new product: name, description and price are
    // cleared; number and quantity keep what the dialog showed last time.
    void prepareNew();
    // Fills the dialog from a product, in the order name, description,
    // price, number, quantity.
    void fill(const ProductValues &v);
    // The values as entered.
    ProductValues values() const;

protected:
    void showEvent(QShowEvent *e) override; // FormShow: focus to the name
};
