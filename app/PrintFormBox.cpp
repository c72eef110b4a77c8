#include "app/PrintFormBox.h"

#include "catalogue/cardsettings.h"
#include "layout/imposition.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TPrintFormBox::TPrintFormBox(QWidget *parent) : QGroupBox(QStringLiteral("Druckform"), parent)
{
    setObjectName(QStringLiteral("DruckformBox"));
    const QStringList names = PrintFormNames();
    const char *objectNames[4] = {"EinzelseitenRadio", "HeftRadio", "TischaufstellerRadio", "ZweiProBlattRadio"};
    auto *group = new QButtonGroup(this);
    auto *grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        FormRadio[i] = new QRadioButton(names.at(i), this);
        FormRadio[i]->setObjectName(QLatin1String(objectNames[i]));
        group->addButton(FormRadio[i], i);
        grid->addWidget(FormRadio[i], i / 2, i % 2, Qt::AlignLeft); // a click beside the text hits nothing
    }
    FormRadio[0]->setChecked(true);
    FaltlinieCheck = new QCheckBox(QStringLiteral("Faltlinie"), this);
    FaltlinieCheck->setObjectName(QStringLiteral("FaltlinieCheck"));
    FaltlinieCheck->setChecked(CardSettings().FaltlinieCheck);
    FaltlinieCheck->setEnabled(false);
    Note = new QLabel(this);
    Note->setObjectName(QStringLiteral("DruckformNote"));
    Note->setWordWrap(true);
    Note->setTextFormat(Qt::PlainText);
    Note->setProperty("velloran_notranslate", true); // set translated by the window
    Note->hide();

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addWidget(FaltlinieCheck, 0, Qt::AlignLeft);
    lay->addWidget(Note);

    // One change per choice: the radio button that is switched on reports it.
    for (QRadioButton *r : FormRadio)
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            FaltlinieCheck->setEnabled(FormRadio[int(CardSettings::PrintForm::TableTent)]->isChecked());
            if (on)
                emit changed();
        });
    connect(FaltlinieCheck, &QCheckBox::toggled, this, &TPrintFormBox::changed);
}

void TPrintFormBox::readInto(CardSettings &s) const
{
    s.DruckformBox = CardSettings::PrintForm::SinglePages;
    for (int i = 0; i < 4; ++i)
        if (FormRadio[i]->isChecked())
            s.DruckformBox = CardSettings::PrintForm(i);
    s.FaltlinieCheck = FaltlinieCheck->isChecked();
}

void TPrintFormBox::setFrom(const CardSettings &s)
{
    CardSettings now;
    readInto(now);
    if (now.DruckformBox == s.DruckformBox && now.FaltlinieCheck == s.FaltlinieCheck)
        return;
    {
        const QSignalBlocker b0(FormRadio[0]), b1(FormRadio[1]), b2(FormRadio[2]), b3(FormRadio[3]),
            b4(FaltlinieCheck);
        FormRadio[int(s.DruckformBox)]->setChecked(true);
        FaltlinieCheck->setChecked(s.FaltlinieCheck);
        FaltlinieCheck->setEnabled(s.DruckformBox == CardSettings::PrintForm::TableTent);
    }
    emit changed();
}

void TPrintFormBox::setNote(const QString &text)
{
    Note->setText(text);
    Note->setVisible(!text.isEmpty());
}
