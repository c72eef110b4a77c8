#include "dialogs/EditProduktFUnit.h"
#include "catalogue/usertext.h"
#include "dialogs/FloatEdit.h"
#include "dialogs/languagefields.h"
#include "dialogs/MarksBox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
const char16_t *const kFreeTextSizes =
    u"Ein Freitext (Preis unter 0) hat keine Preise weiterer Größen. Bitte die weiteren Größen leeren.";
} // namespace

QStringList TEditProduktForm::messageTexts()
{
    return {QString::fromUtf16(kFreeTextSizes)};
}

TEditProduktForm::TEditProduktForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("EditProduktForm"));
    setWindowTitle(QStringLiteral("Produkt bearbeiten"));
    setModal(true);
    // A fixed dialog frame: no resizing, no minimise/maximise.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);

    auto mkLabel = [this](const QString &text, const char *name) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        return l;
    };

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QPlainTextEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    // Long descriptions wrap in the box (the card wraps them by itself; the
    // line breaks typed here stay the only ones stored).
    Edit2->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Edit2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Edit2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Edit2->setTabChangesFocus(true);
    PreisEd = newPriceField(QStringLiteral("PreisEd"));
    PreisEd->setRange(-1e12, 1e12); // no practical bounds
    PreisEd->setValue(0);
    for (int k = 0; k < kMaxSizes; ++k) {
        auto *l = new QLabel(this);
        l->setObjectName(QStringLiteral("SizeLabel%1").arg(k + 1));
        l->setProperty("velloran_notranslate", true); // the category's own headings
        l->hide();
        SizeLabels << l;
        if (k == 0)
            continue;
        // A further size: 0 is shown empty and means "not in this size".
        QDoubleSpinBox *e = newPriceField(QStringLiteral("SizeEd%1").arg(k + 1));
        e->setRange(0, 1e12);
        e->setSpecialValueText(QStringLiteral("\u2013"));
        e->setValue(0);
        e->hide();
        SizeEds << e;
    }
    NumEd = new QSpinBox(this);
    NumEd->setObjectName(QStringLiteral("NumEd"));
    NumEd->setRange(INT_MIN, INT_MAX);
    NumEd->setValue(0);
    MengeEd = new QLineEdit(this);
    MengeEd->setObjectName(QStringLiteral("MengeEd"));

    // The second language's fields, read as the German ones beside them.
    // The box has its title from setSecondLanguage (none before: the name
    // is no text of the window's own).
    TranslationBox = new QGroupBox(this);
    TranslationBox->setObjectName(QStringLiteral("TranslationBox"));
    NameTrEd = new QLineEdit(TranslationBox);
    NameTrEd->setObjectName(QStringLiteral("NameTrEd"));
    DescriptionTrEd = new QPlainTextEdit(TranslationBox);
    DescriptionTrEd->setObjectName(QStringLiteral("DescriptionTrEd"));
    DescriptionTrEd->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    DescriptionTrEd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DescriptionTrEd->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DescriptionTrEd->setTabChangesFocus(true);
    QuantityTrEd = new QLineEdit(TranslationBox);
    QuantityTrEd->setObjectName(QStringLiteral("QuantityTrEd"));
    auto *trForm = new QFormLayout(TranslationBox);
    auto *trLabel = mkLabel(QStringLiteral("Name/Bezeichung:"), "NameTrLabel");
    trForm->addRow(trLabel, NameTrEd);
    trForm->addRow(mkLabel(QStringLiteral("Beschreibung:"), "DescriptionTrLabel"), DescriptionTrEd);
    trForm->addRow(mkLabel(QStringLiteral("Mengeninformation (z.B. \"4cl\")"), "QuantityTrLabel"), QuantityTrEd);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Abbrechen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto *grid = new QGridLayout;
    int r = 0;
    grid->addWidget(mkLabel(QStringLiteral("Name/Bezeichung:"), "Label1"), r++, 0, 1, 2);
    grid->addWidget(Edit1, r++, 0, 1, 2);
    grid->addWidget(mkLabel(QStringLiteral("Beschreibung:"), "Label2"), r++, 0, 1, 2);
    grid->addWidget(Edit2, r++, 0, 1, 2);
    grid->addWidget(mkLabel(QStringLiteral("Preis:"), "Label3"), r, 0);
    auto *prices = new QHBoxLayout;
    prices->setContentsMargins(0, 0, 0, 0);
    prices->addWidget(SizeLabels.at(0));
    prices->addWidget(PreisEd, 1);
    for (int k = 1; k < kMaxSizes; ++k) {
        prices->addWidget(SizeLabels.at(k));
        prices->addWidget(SizeEds.at(k - 1), 1);
    }
    grid->addLayout(prices, r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("0=Preis nach Anfrage"), "Label4"), r++, 1);
    EmptyHint = mkLabel(QStringLiteral("leer oder \"\u2013\" = nicht in dieser Größe"), "EmptyHint");
    EmptyHint->hide();
    grid->addWidget(EmptyHint, r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("kleiner 0 = Beschreibung ist ein freier Text"), "Label5"), r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("Bestellnummer"), "Label6"), r, 0);
    grid->addWidget(NumEd, r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("(0=Automatische Nummerierung)"), "Label7"), r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("kleiner 0 = ohne Nummerierung"), "Label8"), r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("Mengeninformation (z.B. \"4cl\")"), "Label9"), r, 0);
    grid->addWidget(MengeEd, r++, 1);
    grid->setColumnStretch(1, 1);

    MarksBox = new TMarksBox(this);
    CardsBox = new QGroupBox(QStringLiteral("Karten"), this);
    CardsBox->setObjectName(QStringLiteral("CardsBox"));
    NichtImAngebotCheck = new QCheckBox(QStringLiteral("nicht im Angebot"), CardsBox);
    NichtImAngebotCheck->setObjectName(QStringLiteral("NichtImAngebotCheck"));
    NichtImAngebotCheck->setToolTip(
        QStringLiteral("Bleibt mit Nummer, Kennzeichnung und Größen im Katalog, steht aber auf keiner Karte"));
    auto *cardsLayout = new QVBoxLayout(CardsBox);
    cardsLayout->addWidget(NichtImAngebotCheck);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    // The marks beside the fields, so that the dialog stays low enough for
    // a screen of 768 pixels; the translation under the German fields.
    auto *body = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addLayout(grid);
    left->addWidget(TranslationBox);
    body->addLayout(left);
    auto *side = new QVBoxLayout;
    side->addWidget(MarksBox);
    side->addWidget(CardsBox);
    side->addStretch(1);
    body->addLayout(side);
    auto *top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addLayout(buttons);
    // A fixed dialog frame: the dialog keeps the size of its contents.
    top->setSizeConstraint(QLayout::SetFixedSize);
    Edit2->setMinimumSize(420, 140);
    DescriptionTrEd->setFixedHeight(70);
}

QDoubleSpinBox *TEditProduktForm::newPriceField(const QString &name)
{
    auto *e = new TFloatEdit(2, this);
    e->setObjectName(name);
    e->setSingleStep(0.1);
    return e;
}

void TEditProduktForm::setSizes(const QStringList &headings)
{
    sizeCount_ = int(std::min<qsizetype>(headings.size(), kMaxSizes));
    // In a category with sizes the first size may stay empty as the others.
    static_cast<TFloatEdit *>(PreisEd)->setEmptyAllowed(sizeCount_ > 0);
    EmptyHint->setVisible(sizeCount_ > 0);
    for (int k = 0; k < kMaxSizes; ++k) {
        const bool on = k < sizeCount_;
        SizeLabels.at(k)->setText(on ? headings.at(k) : QString());
        SizeLabels.at(k)->setVisible(on);
        if (k > 0) {
            SizeEds.at(k - 1)->setVisible(on);
            SizeEds.at(k - 1)->setValue(0);
        }
    }
}

void TEditProduktForm::setSizePrices(const QVector<double> &prices)
{
    if (!prices.isEmpty()) {
        if (std::isnan(prices.first()) && sizeCount_ > 0)
            static_cast<TFloatEdit *>(PreisEd)->setEmpty();
        else
            PreisEd->setValue(std::isnan(prices.first()) ? 0 : prices.first());
    }
    for (int k = 1; k < kMaxSizes; ++k) {
        const double v = k < prices.size() ? prices.at(k) : 0;
        SizeEds.at(k - 1)->setValue(std::isnan(v) ? 0 : v);
    }
    if (filled_.valid) {
        filled_.prices = prices;
        rememberPrices();
    }
}

QString TEditProduktForm::priceText(int k) const
{
    return (k == 0 ? PreisEd : SizeEds.at(k - 1))->text();
}

void TEditProduktForm::rememberPrices()
{
    filled_.priceTexts.clear();
    for (int k = 0; k < filled_.prices.size() && k < kMaxSizes; ++k)
        filled_.priceTexts << priceText(k);
}

bool TEditProduktForm::firstSizeEmpty() const
{
    return static_cast<const TFloatEdit *>(PreisEd)->isEmpty();
}

bool TEditProduktForm::isFreeText() const
{
    return !firstSizeEmpty() && PreisEd->value() < 0;
}

QVector<double> TEditProduktForm::sizePrices() const
{
    QVector<double> out;
    for (int k = 0; k < std::max(1, sizeCount_); ++k) {
        if (filled_.valid && k < filled_.priceTexts.size() && priceText(k) == filled_.priceTexts.at(k)) {
            out << filled_.prices.at(k); // as filled, to the last decimal
        } else if (k == 0) {
            out << (firstSizeEmpty() ? std::nan("") : PreisEd->value());
        } else {
            const double v = SizeEds.at(k - 1)->value();
            out << (v > 0 ? v : std::nan(""));
        }
    }
    return out;
}

void TEditProduktForm::prepareNew()
{
    filled_ = Filled();
    Edit1->clear();
    Edit2->clear();
    // The translation as the German fields: the quantity note stays.
    filledTr_ = FilledTranslation();
    NameTrEd->clear();
    DescriptionTrEd->clear();
    // With sizes every size starts empty: a size the user leaves alone is
    // "not sold in this size", not "on request".
    if (sizeCount_ > 0)
        static_cast<TFloatEdit *>(PreisEd)->setEmpty();
    else
        PreisEd->setValue(0);
    for (QDoubleSpinBox *e : SizeEds)
        e->setValue(0);
    MarksBox->prepareNew();
}

void TEditProduktForm::setAdditives(const QStringList &additives)
{
    MarksBox->setAdditives(additives);
}

void TEditProduktForm::setMarks(const ProductMarks &m)
{
    MarksBox->setMarks(m);
}

ProductMarks TEditProduktForm::marks() const
{
    return isFreeText() ? ProductMarks() : MarksBox->marks();
}

void TEditProduktForm::fill(const ProductValues &v)
{
    Edit1->setText(v.name);
    Edit2->setPlainText(v.description);
    PreisEd->setValue(v.price);
    NumEd->setValue(v.number);
    MengeEd->setText(v.quantity);
    filled_ = Filled();
    filled_.valid = true;
    filled_.values = v;
    filled_.name = Edit1->text();
    filled_.description = Edit2->toPlainText();
    filled_.quantity = MengeEd->text();
    filled_.prices = {v.price};
    rememberPrices();
}

ProductValues TEditProduktForm::values() const
{
    const bool f = filled_.valid;
    ProductValues v;
    v.name = f && Edit1->text() == filled_.name ? filled_.values.name : Edit1->text();
    // The description keeps Windows line breaks, as documents store them.
    QString d = Edit2->toPlainText();
    if (f && d == filled_.description) {
        v.description = filled_.values.description;
    } else {
        d.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        d.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        v.description = d;
    }
    v.quantity = f && MengeEd->text() == filled_.quantity ? filled_.values.quantity : MengeEd->text();
    // An empty first size is stored as 0 (and remembered as empty).
    const double first = sizePrices().constFirst();
    v.price = std::isnan(first) ? 0 : first;
    v.number = int32_t(std::trunc(double(NumEd->value())));
    return v;
}

void TEditProduktForm::setSecondLanguage(const SecondLanguage &language)
{
    TranslationBox->setTitle(SecondLanguageTitle(language));
}

void TEditProduktForm::setTranslation(const ProductTranslation &t)
{
    NameTrEd->setText(t.name);
    DescriptionTrEd->setPlainText(t.description);
    QuantityTrEd->setText(t.quantity);
    filledTr_.valid = true;
    filledTr_.values = t;
    filledTr_.name = NameTrEd->text();
    filledTr_.description = DescriptionTrEd->toPlainText();
    filledTr_.quantity = QuantityTrEd->text();
}

ProductTranslation TEditProduktForm::translation() const
{
    const bool f = filledTr_.valid;
    ProductTranslation t;
    t.name = f && NameTrEd->text() == filledTr_.name ? filledTr_.values.name : NameTrEd->text();
    const QString d = DescriptionTrEd->toPlainText();
    if (f && d == filledTr_.description) {
        t.description = filledTr_.values.description;
    } else {
        QString typed = d;
        typed.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        typed.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        t.description = typed;
    }
    t.quantity = f && QuantityTrEd->text() == filledTr_.quantity ? filledTr_.values.quantity : QuantityTrEd->text();
    return t;
}

void TEditProduktForm::accept()
{
    // A price that cannot be read keeps the dialog open with the field marked.
    if (!TFloatEdit::checkFields(this))
        return;
    // A free text has no further prices: typed ones would be lost, so the
    // dialog says so instead of dropping them.
    if (isFreeText()) {
        for (int k = 1; k < sizeCount_; ++k) {
            auto *e = static_cast<TFloatEdit *>(SizeEds.at(k - 1));
            if (!e->isEmpty()) {
                e->setFocus(Qt::OtherFocusReason);
                TFloatEdit::showNote(this, UserText(QString::fromUtf16(kFreeTextSizes)));
                return;
            }
        }
    }
    QDialog::accept();
}

void TEditProduktForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TEditProduktForm::setCards(const QStringList &names, uint64_t cards, bool offered)
{
    cards_ = cards;
    auto *layout = static_cast<QVBoxLayout *>(CardsBox->layout());
    // One check box per card, above the switch; with one card there is
    // nothing to choose.
    const int shown = names.size() > 1 ? int(std::min<qsizetype>(names.size(), 64)) : 0;
    while (CardChecks.size() > shown)
        delete CardChecks.takeLast();
    while (CardChecks.size() < shown) {
        auto *c = new QCheckBox(CardsBox);
        c->setObjectName(QStringLiteral("CardCheck%1").arg(CardChecks.size() + 1));
        c->setProperty("velloran_notranslate", true); // the cards' own names
        layout->insertWidget(int(CardChecks.size()), c);
        CardChecks << c;
    }
    for (int i = 0; i < shown; ++i) {
        CardChecks.at(i)->setText(names.at(i));
        CardChecks.at(i)->setChecked((cards >> i) & 1u);
    }
    NichtImAngebotCheck->setChecked(!offered);
}

uint64_t TEditProduktForm::cards() const
{
    uint64_t c = cards_;
    for (int i = 0; i < CardChecks.size(); ++i) {
        const uint64_t bit = uint64_t(1) << i;
        c = CardChecks.at(i)->isChecked() ? (c | bit) : (c & ~bit);
    }
    return c;
}

bool TEditProduktForm::offered() const
{
    return !NichtImAngebotCheck->isChecked();
}
