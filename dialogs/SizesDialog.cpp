#include "dialogs/SizesDialog.h"

#include "catalogue/catalogue.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSizesForm::TSizesForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SizesForm"));
    setWindowTitle(QStringLiteral("Größen"));
    setModal(true);
    auto *hint = new QLabel(QStringLiteral("Überschriften der Preisspalten (z.B. \"0,3 l\"); ohne Überschrift hat die Kategorie einen Preis."),
                            this);
    hint->setObjectName(QStringLiteral("SizesHint"));
    hint->setWordWrap(true);
    auto *form = new QFormLayout;
    for (int k = 0; k < kMaxSizes; ++k) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("HeadingEd%1").arg(k + 1));
        HeadingEds << e;
        auto *l = new QLabel(QString::number(k + 1) + QLatin1Char('.'), this);
        l->setObjectName(QStringLiteral("HeadingLabel%1").arg(k + 1));
        l->setProperty("velloran_notranslate", true);
        form->addRow(l, e);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("SizesButtons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("SizesOk"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *top = new QVBoxLayout(this);
    top->addWidget(hint);
    top->addLayout(form);
    top->addWidget(buttons);
    setMinimumWidth(360);
}

void TSizesForm::setHeadings(const QStringList &headings)
{
    given_ = headings;
    for (int k = 0; k < HeadingEds.size(); ++k)
        HeadingEds.at(k)->setText(headings.value(k));
}

QStringList TSizesForm::headings() const
{
    QStringList h;
    // A heading left as it was given stays as it is, blanks included.
    for (int k = 0; k < HeadingEds.size(); ++k) {
        const QString t = HeadingEds.at(k)->text();
        h << (k < given_.size() && t == given_.at(k) ? given_.at(k) : t.trimmed());
    }
    while (!h.isEmpty() && h.last().isEmpty())
        h.removeLast();
    return h;
}
