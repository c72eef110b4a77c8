#include "dialogs/MarksBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
// Two columns each: the box stands beside the product's fields.
constexpr int kAllergenColumns = 2;
constexpr int kAdditiveColumns = 2;
} // namespace

TMarksBox::TMarksBox(QWidget *parent) : QGroupBox(QStringLiteral("Kennzeichnung"), parent)
{
    setObjectName(QStringLiteral("MarksBox"));
    auto *top = new QVBoxLayout(this);
    auto *allergenLabel = new QLabel(QStringLiteral("Allergene:"), this);
    allergenLabel->setObjectName(QStringLiteral("AllergenLabel"));
    top->addWidget(allergenLabel);
    auto *ag = new QGridLayout;
    ag->setHorizontalSpacing(10);
    ag->setVerticalSpacing(0);
    for (int i = 0; i < kAllergenCount; ++i) {
        // The names are card content: German, as on the card.
        auto *c = new QCheckBox(this);
        c->setObjectName(QStringLiteral("Allergen%1Check").arg(AllergenLetter(i)));
        c->setText(AllergenName(i));
        c->setProperty("velloran_notranslate", true);
        AllergenChecks[i] = c;
        auto *letter = new QLabel(QString(AllergenLetter(i)), this);
        letter->setProperty("velloran_notranslate", true);
        QFont bold = letter->font();
        bold.setBold(true);
        letter->setFont(bold);
        ag->addWidget(letter, i / kAllergenColumns, (i % kAllergenColumns) * 2);
        ag->addWidget(c, i / kAllergenColumns, (i % kAllergenColumns) * 2 + 1);
    }
    top->addLayout(ag);
    auto *additiveLabel = new QLabel(QStringLiteral("Zusatzstoffe:"), this);
    additiveLabel->setObjectName(QStringLiteral("AdditiveLabel"));
    top->addWidget(additiveLabel);
    additiveGrid_ = new QGridLayout;
    additiveGrid_->setHorizontalSpacing(10);
    additiveGrid_->setVerticalSpacing(0);
    top->addLayout(additiveGrid_);
    KeepMarksCheck = new QCheckBox(QStringLiteral("Kennzeichnung für neue Produkte beibehalten"), this);
    KeepMarksCheck->setObjectName(QStringLiteral("KeepMarksCheck"));
    top->addWidget(KeepMarksCheck);
    setAdditives(DefaultAdditives());
}

void TMarksBox::setAdditives(const QStringList &additives)
{
    const ProductMarks kept = marks();
    for (QCheckBox *c : AdditiveChecks)
        delete c;
    AdditiveChecks.clear();
    for (int n = 1; n <= additives.size(); ++n) {
        // Document content: shown as the document holds it.
        auto *c = new QCheckBox(QStringLiteral("%1 %2").arg(n).arg(additives.at(n - 1)), this);
        c->setObjectName(QStringLiteral("Additive%1Check").arg(n));
        c->setProperty("velloran_notranslate", true);
        const int i = n - 1;
        additiveGrid_->addWidget(c, i / kAdditiveColumns, i % kAdditiveColumns);
        AdditiveChecks << c;
    }
    setMarks(kept);
}

void TMarksBox::setMarks(const ProductMarks &m)
{
    for (int i = 0; i < kAllergenCount; ++i)
        AllergenChecks[i]->setChecked(m.hasAllergen(i));
    for (int n = 1; n <= AdditiveChecks.size(); ++n)
        AdditiveChecks[n - 1]->setChecked(m.hasAdditive(n));
    hiddenAdditives_.clear();
    for (int n : m.additives)
        if (n > AdditiveChecks.size())
            hiddenAdditives_ << n;
}

ProductMarks TMarksBox::marks() const
{
    ProductMarks m;
    for (int i = 0; i < kAllergenCount; ++i)
        m.setAllergen(i, AllergenChecks[i]->isChecked());
    for (int n = 1; n <= AdditiveChecks.size(); ++n)
        m.setAdditive(n, AdditiveChecks[n - 1]->isChecked());
    for (int n : hiddenAdditives_)
        m.setAdditive(n, true);
    return m;
}

void TMarksBox::prepareNew()
{
    if (!KeepMarksCheck->isChecked())
        setMarks(ProductMarks());
}
