#include "app/QrCodeBox.h"

#include "catalogue/qrrecords.h"
#include "dialogs/FloatEdit.h"
#include "export/qrcode.h"
#include "catalogue/cardsettings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <limits>

TQrCodeBox::TQrCodeBox(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("QrCodeBox"));
    const CardSettings defaults;
    auto *urlLabel = new QLabel(QStringLiteral("Webadresse für QR-Code:"), this);
    urlLabel->setObjectName(QStringLiteral("QrUrlLabel"));
    QrUrlEd = new QLineEdit(defaults.QrUrlEd, this);
    QrUrlEd->setObjectName(QStringLiteral("QrUrlEd"));
    // A stored address comes back whole, however long (a line edit cuts at
    // 32,767 characters by default); the note says when it is too long.
    QrUrlEd->setMaxLength(std::numeric_limits<int>::max());
    urlLabel->setBuddy(QrUrlEd);
    QrDruckCheck = new QCheckBox(QStringLiteral("QR-Code auf der Karte drucken"), this);
    QrDruckCheck->setObjectName(QStringLiteral("QrDruckCheck"));
    QrDruckCheck->setChecked(defaults.QrDruckCheck);
    auto *sizeLabel = new QLabel(QStringLiteral("Größe in mm:"), this);
    sizeLabel->setObjectName(QStringLiteral("QrGroesseLabel"));
    QrGroesseEd = new TFloatEdit(0, this);
    QrGroesseEd->setObjectName(QStringLiteral("QrGroesseEd"));
    QrGroesseEd->setRange(kQrMinMM, kQrMaxMM);
    QrGroesseEd->setSingleStep(1);
    QrGroesseEd->setValue(defaults.QrGroesseEd);
    QrGroesseEd->setKeyboardTracking(false);
    sizeLabel->setBuddy(QrGroesseEd);

    QrNote = new QLabel(this);
    QrNote->setObjectName(QStringLiteral("QrNote"));
    QrNote->setWordWrap(true);
    QrNote->setTextFormat(Qt::PlainText);
    QPalette notePalette = QrNote->palette();
    notePalette.setColor(QPalette::WindowText, QColor(0xB0, 0x20, 0x20));
    QrNote->setPalette(notePalette);
    QrNote->hide();

    auto *size = new QHBoxLayout;
    size->addWidget(sizeLabel);
    size->addWidget(QrGroesseEd);
    size->addStretch(1);
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(urlLabel);
    lay->addWidget(QrUrlEd);
    lay->addWidget(QrDruckCheck);
    lay->addWidget(QrNote);
    lay->addLayout(size);

    connect(QrUrlEd, &QLineEdit::textChanged, this, &TQrCodeBox::updateNote);
    connect(QrDruckCheck, &QCheckBox::toggled, this, &TQrCodeBox::updateNote);
    connect(QrUrlEd, &QLineEdit::textChanged, this, &TQrCodeBox::changed);
    connect(QrDruckCheck, &QCheckBox::toggled, this, &TQrCodeBox::changed);
    connect(QrGroesseEd, &QDoubleSpinBox::valueChanged, this, &TQrCodeBox::changed);
}

void TQrCodeBox::updateNote()
{
    const QString text = QrPrintProblemText(QrUrlEd->text(), QrDruckCheck->isChecked());
    QrNote->setText(text);
    QrNote->setVisible(!text.isEmpty());
}

void TQrCodeBox::readInto(CardSettings &s) const
{
    s.QrUrlEd = QrUrlEd->text();
    s.QrDruckCheck = QrDruckCheck->isChecked();
    s.QrGroesseEd = QrGroesseEd->value();
}

void TQrCodeBox::setFrom(const CardSettings &s)
{
    QrUrlEd->setText(s.QrUrlEd);
    QrDruckCheck->setChecked(s.QrDruckCheck);
    QrGroesseEd->setValue(s.QrGroesseEd);
}
