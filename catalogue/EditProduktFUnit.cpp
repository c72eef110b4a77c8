#include "catalogue/EditProduktFUnit.h"
#include "catalogue/FloatEdit.h"
#include "catalogue/MarksBox.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <climits>
#include <cmath>

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
    PreisEd = new TFloatEdit(2, this);
    PreisEd->setObjectName(QStringLiteral("PreisEd"));
    PreisEd->setRange(-1e12, 1e12); // no practical bounds
    PreisEd->setSingleStep(0.1);
    PreisEd->setValue(0);
    NumEd = new QSpinBox(this);
    NumEd->setObjectName(QStringLiteral("NumEd"));
    NumEd->setRange(INT_MIN, INT_MAX);
    NumEd->setValue(0);
    MengeEd = new QLineEdit(this);
    MengeEd->setObjectName(QStringLiteral("MengeEd"));

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
    grid->addWidget(PreisEd, r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("0=Preis nach Anfrage"), "Label4"), r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("kleiner 0 = Beschreibung ist ein freier Text"), "Label5"), r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("Bestellnummer"), "Label6"), r, 0);
    grid->addWidget(NumEd, r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("(0=Automatische Nummerierung)"), "Label7"), r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("kleiner 0 = ohne Nummerierung"), "Label8"), r++, 1);
    grid->addWidget(mkLabel(QStringLiteral("Mengeninformation (z.B. \"4cl\")"), "Label9"), r, 0);
    grid->addWidget(MengeEd, r++, 1);
    grid->setColumnStretch(1, 1);

    MarksBox = new TMarksBox(this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    // The marks beside the fields, so that the dialog stays low enough for
    // a screen of 768 pixels.
    auto *body = new QHBoxLayout;
    body->addLayout(grid);
    body->addWidget(MarksBox, 0, Qt::AlignTop);
    auto *top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addLayout(buttons);
    // A fixed dialog frame: the dialog keeps the size of its contents.
    top->setSizeConstraint(QLayout::SetFixedSize);
    Edit2->setMinimumSize(420, 140);
}

void TEditProduktForm::prepareNew()
{
    Edit1->clear();
    Edit2->clear();
    PreisEd->setValue(0);
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
    return PreisEd->value() < 0 ? ProductMarks() : MarksBox->marks();
}

void TEditProduktForm::fill(const ProductValues &v)
{
    Edit1->setText(v.name);
    Edit2->setPlainText(v.description);
    PreisEd->setValue(v.price);
    NumEd->setValue(v.number);
    MengeEd->setText(v.quantity);
}

ProductValues TEditProduktForm::values() const
{
    ProductValues v;
    v.name = Edit1->text();
    // The description keeps Windows line breaks, as documents store them.
    QString d = Edit2->toPlainText();
    d.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    d.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    v.description = d;
    v.quantity = MengeEd->text();
    v.price = PreisEd->value();
    v.number = int32_t(std::trunc(double(NumEd->value())));
    return v;
}

void TEditProduktForm::accept()
{
    // A price that cannot be read keeps the dialog open with the field marked.
    if (!TFloatEdit::checkFields(this))
        return;
    QDialog::accept();
}

void TEditProduktForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    Edit1->setFocus(Qt::OtherFocusReason);
}
