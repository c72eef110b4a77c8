#include "app/PaperBox.h"

#include "catalogue/cardsettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TPaperBox::TPaperBox(QWidget *parent) : QGroupBox(QStringLiteral("Papier"), parent)
{
    setObjectName(QStringLiteral("PapierBox"));
    DruckerRadio = new QRadioButton(QStringLiteral("Seite des Druckers"), this);
    DruckerRadio->setObjectName(QStringLiteral("DruckerRadio"));
    A4Radio = new QRadioButton(QStringLiteral("A4"), this);
    A4Radio->setObjectName(QStringLiteral("A4Radio"));
    A5Radio = new QRadioButton(QStringLiteral("A5"), this);
    A5Radio->setObjectName(QStringLiteral("A5Radio"));
    // Paper names are the same in every language.
    for (QRadioButton *r : {A4Radio, A5Radio})
        r->setProperty("velloran_notranslate", true);
    QuerCheck = new QCheckBox(QStringLiteral("Querformat"), this);
    QuerCheck->setObjectName(QStringLiteral("QuerCheck"));
    DruckerRadio->setChecked(true);
    QuerCheck->setEnabled(false);

    auto *group = new QButtonGroup(this);
    for (QRadioButton *r : {DruckerRadio, A4Radio, A5Radio})
        group->addButton(r);

    auto *row = new QHBoxLayout;
    row->addWidget(A4Radio);
    row->addWidget(A5Radio);
    row->addWidget(QuerCheck);
    row->addStretch(1);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(DruckerRadio);
    lay->addLayout(row);

    // One change per choice: the radio button that is switched on reports it.
    for (QRadioButton *r : {DruckerRadio, A4Radio, A5Radio})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            QuerCheck->setEnabled(!DruckerRadio->isChecked());
            if (on)
                emit changed();
        });
    connect(QuerCheck, &QCheckBox::toggled, this, &TPaperBox::changed);
}

void TPaperBox::readInto(CardSettings &s) const
{
    s.PapierBox = A4Radio->isChecked()   ? CardSettings::Paper::A4
                  : A5Radio->isChecked() ? CardSettings::Paper::A5
                                         : CardSettings::Paper::Printer;
    s.QuerCheck = s.PapierBox != CardSettings::Paper::Printer && QuerCheck->isChecked();
}

void TPaperBox::setFrom(const CardSettings &s)
{
    CardSettings now;
    readInto(now);
    if (now.PapierBox == s.PapierBox && now.QuerCheck == s.QuerCheck)
        return;
    {
        const QSignalBlocker b1(DruckerRadio), b2(A4Radio), b3(A5Radio), b4(QuerCheck);
        QRadioButton *on = s.PapierBox == CardSettings::Paper::A4   ? A4Radio
                           : s.PapierBox == CardSettings::Paper::A5 ? A5Radio
                                                                    : DruckerRadio;
        on->setChecked(true);
        QuerCheck->setChecked(s.QuerCheck);
        QuerCheck->setEnabled(on != DruckerRadio);
    }
    emit changed();
}
