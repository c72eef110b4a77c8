#include "dialogs/SizesDialog.h"

#include "catalogue/catalogue.h"
#include "catalogue/usertext.h"
#include "dialogs/FloatEdit.h"
#include "dialogs/languagefields.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char16_t *const kLostTranslation =
    u"Eine Übersetzung steht neben einer Größe ohne Überschrift. Bitte die Überschrift eintragen oder die Übersetzung leeren.";
} // namespace

QStringList TSizesForm::messageTexts()
{
    return {QString::fromUtf16(kLostTranslation)};
}

TSizesForm::TSizesForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SizesForm"));
    setWindowTitle(QStringLiteral("Größen"));
    setModal(true);
    auto *hint = new QLabel(QStringLiteral("Überschriften der Preisspalten (z.B. \"0,3 l\"); ohne Überschrift hat die Kategorie einen Preis."),
                            this);
    hint->setObjectName(QStringLiteral("SizesHint"));
    hint->setWordWrap(true);
    auto *grid = new QGridLayout;
    // The language's name comes with the translations (setTranslations).
    LanguageLabel = new QLabel(this);
    LanguageLabel->setObjectName(QStringLiteral("LanguageLabel"));
    LanguageLabel->setProperty("velloran_notranslate", true);
    grid->addWidget(LanguageLabel, 0, 2);
    for (int k = 0; k < kMaxSizes; ++k) {
        auto *l = new QLabel(QString::number(k + 1) + QLatin1Char('.'), this);
        l->setObjectName(QStringLiteral("HeadingLabel%1").arg(k + 1));
        l->setProperty("velloran_notranslate", true);
        auto *e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("HeadingEd%1").arg(k + 1));
        HeadingEds << e;
        auto *t = new QLineEdit(this);
        t->setObjectName(QStringLiteral("HeadingTrEd%1").arg(k + 1));
        HeadingTrEds << t;
        grid->addWidget(l, k + 1, 0);
        grid->addWidget(e, k + 1, 1);
        grid->addWidget(t, k + 1, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("SizesButtons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("SizesOk"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *top = new QVBoxLayout(this);
    top->addWidget(hint);
    top->addLayout(grid);
    top->addWidget(buttons);
    setMinimumWidth(480);
}

void TSizesForm::setHeadings(const QStringList &headings)
{
    given_ = headings;
    for (int k = 0; k < HeadingEds.size(); ++k)
        HeadingEds.at(k)->setText(headings.value(k));
}

void TSizesForm::setTranslations(const SecondLanguage &language, const QStringList &translations)
{
    LanguageLabel->setText(SecondLanguageTitle(language));
    givenTr_ = translations;
    for (int k = 0; k < HeadingTrEds.size(); ++k)
        HeadingTrEds.at(k)->setText(translations.value(k));
}

QString TSizesForm::read(const QLineEdit *e, const QStringList &given, int k)
{
    // A text left as it was given stays as it is, blanks included.
    const QString t = e->text();
    return k < given.size() && t == given.at(k) ? given.at(k) : t.trimmed();
}

QStringList TSizesForm::headings() const
{
    QStringList h;
    for (int k = 0; k < HeadingEds.size(); ++k)
        h << read(HeadingEds.at(k), given_, k);
    while (!h.isEmpty() && h.last().isEmpty())
        h.removeLast();
    return h;
}

QStringList TSizesForm::headingTranslations() const
{
    QStringList t;
    const qsizetype n = headings().size();
    for (int k = 0; k < n; ++k)
        t << read(HeadingTrEds.at(k), givenTr_, k);
    return t;
}

void TSizesForm::accept()
{
    const qsizetype n = headings().size();
    for (int k = int(n); k < HeadingTrEds.size(); ++k) {
        if (!read(HeadingTrEds.at(k), givenTr_, k).isEmpty()) {
            HeadingTrEds.at(k)->setFocus(Qt::OtherFocusReason);
            TFloatEdit::showNote(this, UserText(QString::fromUtf16(kLostTranslation)));
            return;
        }
    }
    QDialog::accept();
}
