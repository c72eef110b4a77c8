// The product dialog: one window created at start-up and reused for new and
// edited products.
#pragma once

#include "catalogue/catalogue.h"

#include <QDialog>
#include <QVector>

class QCheckBox;
class QGroupBox;
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

    // The German texts of the dialog's notes (for the translation table).
    static QStringList messageTexts();

    QLineEdit *Edit1;       // name
    QPlainTextEdit *Edit2;  // description
    // The price; in a category with sizes the first size's, which may be
    // left empty ("–": not sold in this size) as the further ones may.
    QDoubleSpinBox *PreisEd;
    QSpinBox *NumEd;
    QLineEdit *MengeEd;     // quantity note
    // Prices of sizes 2..4 beside PreisEd (the first size) in a category
    // with sizes, each after a label with its heading; hidden otherwise.
    QVector<QLabel *> SizeLabels;        // headings of sizes 1..4
    QVector<QDoubleSpinBox *> SizeEds;   // sizes 2..4
    QLabel *EmptyHint;      // shown with sizes: how a size is left empty
    TMarksBox *MarksBox;    // allergens and additives
    // The cards the product stands on (one check box per card, shown when
    // the document has more than one) and "nicht im Angebot".
    QGroupBox *CardsBox;
    QVector<QCheckBox *> CardChecks;
    QCheckBox *NichtImAngebotCheck;
    // The texts in the document's second language, under the German ones
    // in a group titled with the language's name (setSecondLanguage).
    QGroupBox *TranslationBox;
    QLineEdit *NameTrEd;
    QPlainTextEdit *DescriptionTrEd; // a free text's translation, too
    QLineEdit *QuantityTrEd;
    QPushButton *BitBtn1;   // OK
    QPushButton *BitBtn2;   // cancel

    // Prepares the dialog for a new product: name, description and price are
    // cleared; number and quantity keep what the dialog showed last time;
    // the marks are cleared unless the user chose to keep them.
    void prepareNew();
    // Fills the dialog from a product, in the order name, description,
    // price, number, quantity.
    void fill(const ProductValues &v);
    // The values as entered. A field the user left as fill() (or
    // setSizePrices, setMarks) showed it gives back the value it was filled
    // with, exactly: opening a product and confirming changes nothing, even
    // where a field cannot show a value as it is (more decimals than it
    // shows, line breaks or characters the text box normalises).
    ProductValues values() const;
    // The document's additive list (before the dialog is shown) and the
    // product's marks. A free text (price below 0) carries no marks.
    void setAdditives(const QStringList &additives);
    void setMarks(const ProductMarks &m);
    ProductMarks marks() const;
    // The size headings of the product's category (before fill; empty for
    // one price) and the prices per size (NaN = not in this size; shown as
    // an empty field).
    void setSizes(const QStringList &headings);
    void setSizePrices(const QVector<double> &prices);
    QVector<double> sizePrices() const;
    // The document's card names and the product's cards (bit i = card i)
    // and whether it is offered. cards() gives back exactly the bits set
    // here for cards the dialog does not show (beyond the names).
    void setCards(const QStringList &names, uint64_t cards, bool offered);
    uint64_t cards() const;
    bool offered() const;
    // The document's second language (the group's title) and the product's
    // translation (after fill; prepareNew clears it but for the quantity
    // note, as the German fields). translation() gives back exactly what was
    // set for every field the user left as it was shown; a typed description
    // has CR LF line breaks like the German one.
    void setSecondLanguage(const SecondLanguage &language);
    void setTranslation(const ProductTranslation &t);
    ProductTranslation translation() const;

private:
    // Every price field of the dialog is made here.
    QDoubleSpinBox *newPriceField(const QString &name);
    bool firstSizeEmpty() const;
    bool isFreeText() const;
    int sizeCount_ = 0;
    uint64_t cards_ = 1;

    // What fill(), setSizePrices() and setMarks() put into the fields, and
    // the texts the fields showed for it; none for a new product.
    struct Filled {
        bool valid = false;
        ProductValues values;
        QString name, description, quantity, number;
        QVector<double> prices;   // per price field (NaN = empty)
        QStringList priceTexts;   // per price field
    } filled_;
    // The same for the translation's fields.
    struct FilledTranslation {
        bool valid = false;
        ProductTranslation values;
        QString name, description, quantity;
    } filledTr_;
    QString priceText(int k) const; // the text of price field k (0 = PreisEd)
    void rememberPrices();

public slots:
    // Confirms only when every number field can be read.
    void accept() override;

protected:
    void showEvent(QShowEvent *e) override; // FormShow: focus to the name
};
