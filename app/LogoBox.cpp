#include "app/LogoBox.h"

#include "app/FilenameEdit.h"
#include "dialogs/FloatEdit.h"
#include "catalogue/cardsettings.h"
#include "catalogue/logorecords.h"
#include "texture/picturenote.h"
#include "texture/texture.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

TLogoBox::TLogoBox(QWidget *parent) : QGroupBox(QStringLiteral("Logo"), parent)
{
    setObjectName(QStringLiteral("LogoBox"));
    const CardSettings defaults;
    LogoEd = new TFilenameEdit(this);
    LogoEd->setObjectName(QStringLiteral("LogoEd"));
    auto *nameLabel = new QLabel(QStringLiteral("Bilddatei:"), this);
    nameLabel->setObjectName(QStringLiteral("LogoLabel"));
    nameLabel->setBuddy(LogoEd->edit());
    LogoBreiteEd = new TFloatEdit(0, this);
    LogoBreiteEd->setObjectName(QStringLiteral("LogoBreiteEd"));
    LogoBreiteEd->setRange(kLogoMinMM, kLogoMaxMM);
    LogoBreiteEd->setSingleStep(1);
    LogoBreiteEd->setValue(defaults.LogoBreiteEd);
    LogoBreiteEd->setKeyboardTracking(false);
    auto *widthLabel = new QLabel(QStringLiteral("Breite in mm:"), this);
    widthLabel->setObjectName(QStringLiteral("LogoBreiteLabel"));
    widthLabel->setBuddy(LogoBreiteEd);
    LogoJedeSeiteCheck = new QCheckBox(QStringLiteral("auf jeder Seite"), this);
    LogoJedeSeiteCheck->setObjectName(QStringLiteral("LogoJedeSeiteCheck"));
    LogoLinksCheck = new QCheckBox(QStringLiteral("linksbündig"), this);
    LogoLinksCheck->setObjectName(QStringLiteral("LogoLinksCheck"));
    LogoNote = new PictureNote(this);
    LogoNote->setObjectName(QStringLiteral("LogoNote"));

    auto *width = new QHBoxLayout;
    width->addWidget(widthLabel);
    width->addWidget(LogoBreiteEd);
    width->addStretch(1);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(nameLabel);
    lay->addWidget(LogoEd);
    lay->addLayout(width);
    lay->addWidget(LogoJedeSeiteCheck, 0, Qt::AlignLeft);
    lay->addWidget(LogoLinksCheck, 0, Qt::AlignLeft);
    lay->addWidget(LogoNote);

    connect(LogoEd, &TFilenameEdit::changed, this, [this] {
        reopen();
        emit changed();
    });
    connect(LogoBreiteEd, &QDoubleSpinBox::valueChanged, this, &TLogoBox::changed);
    connect(LogoJedeSeiteCheck, &QCheckBox::toggled, this, &TLogoBox::changed);
    connect(LogoLinksCheck, &QCheckBox::toggled, this, &TLogoBox::changed);
}

void TLogoBox::reopen()
{
    const QString name = LogoEd->FileName();
    PictureProblem problem = PictureProblem::None;
    logo_.reset();
    if (!name.isEmpty()) {
        const QImage img = OpenLogoPicture(name, LogoEd->ChosenInDialog(), &problem);
        if (!img.isNull())
            logo_ = std::make_shared<const QImage>(img);
    }
    opened_ = name;
    LogoNote->setProblem(name, problem);
}

void TLogoBox::readInto(CardSettings &s) const
{
    s.LogoEd = LogoEd->FileName();
    s.LogoBreiteEd = LogoBreiteEd->value();
    s.LogoJedeSeiteCheck = LogoJedeSeiteCheck->isChecked();
    s.LogoLinksCheck = LogoLinksCheck->isChecked();
}

void TLogoBox::setFrom(const CardSettings &s)
{
    CardSettings now;
    readInto(now);
    if (now.LogoEd == s.LogoEd && now.LogoBreiteEd == s.LogoBreiteEd && now.LogoJedeSeiteCheck == s.LogoJedeSeiteCheck
        && now.LogoLinksCheck == s.LogoLinksCheck)
        return;
    {
        const QSignalBlocker b1(LogoEd), b2(LogoBreiteEd), b3(LogoJedeSeiteCheck), b4(LogoLinksCheck);
        LogoEd->setFileName(s.LogoEd);
        LogoBreiteEd->setValue(s.LogoBreiteEd);
        LogoJedeSeiteCheck->setChecked(s.LogoJedeSeiteCheck);
        LogoLinksCheck->setChecked(s.LogoLinksCheck);
    }
    if (opened_ != s.LogoEd)
        reopen();
    emit changed();
}
