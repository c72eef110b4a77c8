#include "app/CardBar.h"

#include "catalogue/cards.h"
#include "i18n/translateunit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

TCardBar::TCardBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CardBar"));
    KarteLabel = new QLabel(QStringLiteral("Karte:"), this);
    KarteLabel->setObjectName(QStringLiteral("KarteLabel"));
    KarteBox = new QComboBox(this);
    KarteBox->setObjectName(QStringLiteral("KarteBox"));
    KarteBox->setMinimumContentsLength(24);
    KarteBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Card names are the user's: never looked up in the table.
    KarteBox->setProperty("velloran_notranslate", true);
    KarteLabel->setBuddy(KarteBox);
    auto button = [this](const char *text, const char *name) {
        auto *b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    NeuBtn = button("Neu", "KarteNeuBtn");
    DuplizierenBtn = button("Duplizieren", "KarteDuplizierenBtn");
    UmbenennenBtn = button("Umbenennen", "KarteUmbenennenBtn");
    LoeschenBtn = button("Löschen", "KarteLoeschenBtn");

    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(6, 4, 6, 4);
    lay->addWidget(KarteLabel);
    lay->addWidget(KarteBox);
    for (QPushButton *b : {NeuBtn, DuplizierenBtn, UmbenennenBtn, LoeschenBtn})
        lay->addWidget(b);
    lay->addStretch(1);

    connect(KarteBox, &QComboBox::activated, this, &TCardBar::cardChosen);
    setCards(QStringList{CardList::defaultFirstName()}, 0);
}

void TCardBar::setCards(const QStringList &names, int selected)
{
    const QSignalBlocker block(KarteBox);
    KarteBox->clear();
    KarteBox->addItems(names);
    KarteBox->setCurrentIndex(selected);
    NeuBtn->setEnabled(names.size() < kMaxCards);
    DuplizierenBtn->setEnabled(names.size() < kMaxCards);
    LoeschenBtn->setEnabled(names.size() > 1);
}

TCardNameDialog::TCardNameDialog(const QString &title, const QString &name, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CardNameDialog"));
    setWindowTitle(title);
    auto *label = new QLabel(TranslateStr(QStringLiteral("Name der Karte:")), this);
    NameEd = new QLineEdit(name, this);
    NameEd->setObjectName(QStringLiteral("NameEd"));
    NameEd->setMinimumWidth(280);
    NameEd->selectAll();
    label->setBuddy(NameEd);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("CardNameOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(label);
    lay->addWidget(NameEd);
    lay->addWidget(buttons);
}

QString TCardNameDialog::name() const
{
    return NameEd->text().trimmed();
}
