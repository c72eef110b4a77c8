#include "app/MarksGroup.h"

#include "catalogue/markrecords.h"

#include "i18n/translatecomponents.h"
#include "i18n/translateunit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

TMarksGroup::TMarksGroup(QWidget *parent)
    : QGroupBox(QStringLiteral("Kennzeichnung"), parent), additives_(DefaultAdditives())
{
    setObjectName(QStringLiteral("MarksGroup"));
    execDialog = [](QDialog *d) { return d->exec(); };
    MarksCheck = new QCheckBox(QStringLiteral("Allergene und Zusatzstoffe drucken"), this);
    MarksCheck->setObjectName(QStringLiteral("MarksCheck"));
    MarksCheck->setChecked(true);
    auto *legendLabel = new QLabel(QStringLiteral("Legende:"), this);
    legendLabel->setObjectName(QStringLiteral("LegendLabel"));
    LegendEndRadio = new QRadioButton(QStringLiteral("am Ende der Karte"), this);
    LegendEndRadio->setObjectName(QStringLiteral("LegendEndRadio"));
    LegendEndRadio->setChecked(true);
    LegendPageRadio = new QRadioButton(QStringLiteral("auf jeder Seite über der Fußzeile"), this);
    LegendPageRadio->setObjectName(QStringLiteral("LegendPageRadio"));
    ZusatzBtn = new QPushButton(QStringLiteral("Zusatzstoffe bearbeiten..."), this);
    ZusatzBtn->setObjectName(QStringLiteral("ZusatzBtn"));

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(MarksCheck);
    lay->addWidget(legendLabel);
    lay->addWidget(LegendEndRadio);
    lay->addWidget(LegendPageRadio);
    auto *row = new QHBoxLayout;
    row->addWidget(ZusatzBtn);
    row->addStretch(1);
    lay->addLayout(row);

    connect(MarksCheck, &QCheckBox::toggled, this, &TMarksGroup::settingsChanged);
    connect(LegendEndRadio, &QRadioButton::toggled, this, &TMarksGroup::settingsChanged);
    connect(ZusatzBtn, &QPushButton::clicked, this, &TMarksGroup::ZusatzBtnClick);
}

MarkSettings TMarksGroup::settings() const
{
    MarkSettings m;
    m.MarksCheck = MarksCheck->isChecked();
    m.LegendPos = LegendPageRadio->isChecked() ? LegendPlace::EveryPage : LegendPlace::AtEnd;
    m.additives = additives_;
    m.additiveTranslations = additiveTranslations_;
    return m;
}

void TMarksGroup::setSettings(const MarkSettings &m)
{
    const QSignalBlocker b1(MarksCheck), b2(LegendEndRadio), b3(LegendPageRadio);
    MarksCheck->setChecked(m.MarksCheck);
    LegendEndRadio->setChecked(m.LegendPos == LegendPlace::AtEnd);
    LegendPageRadio->setChecked(m.LegendPos == LegendPlace::EveryPage);
    additives_ = m.additives;
    additiveTranslations_ = m.additiveTranslations;
}

void TMarksGroup::ZusatzBtnClick()
{
    TAdditivesDialog dlg(additives_, window());
    TranslateComponents(&dlg);
    if (execDialog(&dlg) != QDialog::Accepted)
        return;
    const QStringList list = dlg.additives();
    if (list == additives_ || list.size() > kMaxAdditives)
        return;
    additives_ = list;
    emit additivesEdited();
}

namespace {
const char16_t *const kTooManyNote = u"Die Liste hat %1 Zusatzstoffe; höchstens 999 sind möglich.";
} // namespace

TAdditivesDialog::TAdditivesDialog(const QStringList &additives, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AdditivesDialog"));
    setWindowTitle(QStringLiteral("Zusatzstoffe"));
    auto *hint = new QLabel(QStringLiteral("Ein Zusatzstoff je Zeile; die Zeilennummer ist seine Nummer auf der Karte."), this);
    hint->setObjectName(QStringLiteral("AdditivesLabel"));
    hint->setWordWrap(true);
    AdditivesMemo = new QPlainTextEdit(this);
    AdditivesMemo->setObjectName(QStringLiteral("AdditivesMemo"));
    AdditivesMemo->setProperty("velloran_notranslate", true); // document content
    AdditivesMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    AdditivesMemo->setPlainText(additives.join(QLatin1Char('\n')));
    given_ = additives;
    shown_ = AdditivesMemo->toPlainText();
    AdditivesMemo->setMinimumSize(360, 260);
    // Shown when the list is longer than a document can hold.
    AdditivesNote = new QLabel(this);
    AdditivesNote->setObjectName(QStringLiteral("AdditivesNote"));
    AdditivesNote->setWordWrap(true);
    AdditivesNote->setTextFormat(Qt::PlainText);
    QPalette notePalette = AdditivesNote->palette();
    notePalette.setColor(QPalette::WindowText, QColor(0xB0, 0x20, 0x20));
    AdditivesNote->setPalette(notePalette);
    AdditivesNote->hide();
    DefaultBtn = new QPushButton(QStringLiteral("Standardliste"), this);
    DefaultBtn->setObjectName(QStringLiteral("DefaultBtn"));
    connect(DefaultBtn, &QPushButton::clicked, this,
            [this] { AdditivesMemo->setPlainText(DefaultAdditives().join(QLatin1Char('\n'))); });
    auto *ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                   QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DefaultBtn);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(hint);
    lay->addWidget(AdditivesMemo, 1);
    lay->addWidget(AdditivesNote);
    lay->addLayout(buttons);
}

void TAdditivesDialog::accept()
{
    const qsizetype n = additives().size();
    if (n > kMaxAdditives) {
        AdditivesNote->setText(TranslateStr(QString::fromUtf16(kTooManyNote)).arg(n));
        AdditivesNote->show();
        return;
    }
    QDialog::accept();
}

QStringList TAdditivesDialog::messageTexts()
{
    return {QString::fromUtf16(kTooManyNote)};
}

QStringList TAdditivesDialog::additives() const
{
    if (AdditivesMemo->toPlainText() == shown_)
        return given_;
    QStringList list = AdditivesMemo->toPlainText().split(QLatin1Char('\n'));
    for (QString &s : list)
        s = CleanAdditiveText(s).trimmed();
    while (!list.isEmpty() && list.last().isEmpty())
        list.removeLast();
    return list;
}
