#include "app/CardOptionsBox.h"

#include "catalogue/cardsettings.h"
#include "i18n/translateunit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

QStringList TCardOptionsBox::choiceTexts()
{
    return {QStringLiteral("keine"), QStringLiteral("Tag des Drucks"), QStringLiteral("festes Datum")};
}

TCardOptionsBox::TCardOptionsBox(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CardOptionsBox"));
    NummernJeKarteCheck = new QCheckBox(QStringLiteral("Nummern je Karte"), this);
    NummernJeKarteCheck->setObjectName(QStringLiteral("NummernJeKarteCheck"));
    DatumLabel = new QLabel(QStringLiteral("Datumszeile:"), this);
    DatumLabel->setObjectName(QStringLiteral("DatumLabel"));
    DatumBox = new QComboBox(this);
    DatumBox->setObjectName(QStringLiteral("DatumBox"));
    DatumBox->addItems(choiceTexts());
    DatumLabel->setBuddy(DatumBox);
    DatumEd = new QDateEdit(QDate::currentDate(), this);
    DatumEd->setObjectName(QStringLiteral("DatumEd"));
    DatumEd->setCalendarPopup(true);
    DatumEd->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DatumEd->setEnabled(false);
    ZweisprachigCheck = new QCheckBox(QStringLiteral("zweisprachig"), this);
    ZweisprachigCheck->setObjectName(QStringLiteral("ZweisprachigCheck"));

    auto *row = new QHBoxLayout;
    row->addWidget(DatumLabel);
    row->addWidget(DatumBox);
    row->addWidget(DatumEd);
    row->addStretch(1);
    // The two switches side by side: the tab must not grow.
    auto *switches = new QHBoxLayout;
    switches->addWidget(NummernJeKarteCheck);
    switches->addSpacing(24);
    switches->addWidget(ZweisprachigCheck);
    switches->addStretch(1);
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addLayout(switches);
    lay->addLayout(row);

    connect(NummernJeKarteCheck, &QCheckBox::toggled, this, &TCardOptionsBox::changed);
    connect(ZweisprachigCheck, &QCheckBox::toggled, this, &TCardOptionsBox::changed);
    connect(DatumBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        DatumEd->setEnabled(i == int(CardSettings::DateLine::Fixed));
        emit changed();
    });
    // The date counts only while it is printed.
    connect(DatumEd, &QDateEdit::dateChanged, this, [this] {
        if (DatumBox->currentIndex() == int(CardSettings::DateLine::Fixed))
            emit changed();
    });
}

void TCardOptionsBox::translateChoices()
{
    const QStringList german = choiceTexts();
    for (int i = 0; i < german.size() && i < DatumBox->count(); ++i)
        DatumBox->setItemText(i, TranslateStr(german.at(i)));
}

void TCardOptionsBox::readInto(CardSettings &s) const
{
    s.NummernJeKarteCheck = NummernJeKarteCheck->isChecked();
    s.DatumBox = CardSettings::DateLine(qBound(0, DatumBox->currentIndex(), 2));
    s.DatumEd = s.DatumBox == CardSettings::DateLine::Fixed ? DatumEd->date() : QDate();
    s.ZweisprachigCheck = ZweisprachigCheck->isChecked();
    s.translation = translation_;
}

void TCardOptionsBox::setFrom(const CardSettings &s)
{
    CardSettings now;
    readInto(now);
    if (now.NummernJeKarteCheck == s.NummernJeKarteCheck && now.DatumBox == s.DatumBox
        && now.DatumEd == s.DatumEd && now.ZweisprachigCheck == s.ZweisprachigCheck
        && now.translation == s.translation)
        return;
    {
        const QSignalBlocker b1(NummernJeKarteCheck), b2(DatumBox), b3(DatumEd), b4(ZweisprachigCheck);
        NummernJeKarteCheck->setChecked(s.NummernJeKarteCheck);
        DatumBox->setCurrentIndex(int(s.DatumBox));
        DatumEd->setEnabled(s.DatumBox == CardSettings::DateLine::Fixed);
        if (s.DatumEd.isValid())
            DatumEd->setDate(s.DatumEd);
        ZweisprachigCheck->setChecked(s.ZweisprachigCheck);
        translation_ = s.translation;
    }
    emit changed();
}
