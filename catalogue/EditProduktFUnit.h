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
class TMarksBox;

class TEditProduktForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditProduktForm(QWidget *parent = nullptr);

    QLineEdit *Edit1;       // name
    QPlainTextEdit *Edit2;  // description
    QDoubleSpinBox *PreisEd;
    QSpinBox *NumEd;
    QLineEdit *MengeEd;     // quantity note
    TMarksBox *MarksBox;    // allergens and additives
    QPushButton *BitBtn1;   // OK
    QPushButton *BitBtn2;   // cancel

    // Prepares the dialog for a new product: name, description and price are
    // cleared; number and quantity keep what the dialog showed last time;
    // the marks are cleared unless the user chose to keep them.
    void prepareNew();
    // Fills the dialog from a product, in the order name, description,
    // price, number, quantity.
    void fill(const ProductValues &v);
    // The values as entered.
    ProductValues values() const;
    // The document's additive list (before the dialog is shown) and the
    // product's marks. A free text (price below 0) carries no marks.
    void setAdditives(const QStringList &additives);
    void setMarks(const ProductMarks &m);
    ProductMarks marks() const;

public slots:
    // Confirms only when every number field can be read.
    void accept() override;

protected:
    void showEvent(QShowEvent *e) override; // FormShow: focus to the name
};
