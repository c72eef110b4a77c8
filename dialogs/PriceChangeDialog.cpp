#include "dialogs/PriceChangeDialog.h"

#include "catalogue/brastel.h"
#include "catalogue/catalogue.h"
#include "catalogue/usertext.h"
#include "dialogs/FloatEdit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const char16_t kUnchanged[] = u"unverändert";
const char16_t kKeptAtZero[] = u"Ergebnis wäre 0 oder weniger";
const char16_t kUnreadable[] = u"\"%1\" ist keine Zahl. Bitte nur die Zahl eingeben, z.B. 10 oder -5,5.";

enum Column { CategoryCol, ProductCol, SizeCol, BeforeCol, AfterCol, NoteCol };

} // namespace

TPriceChangeForm::TPriceChangeForm(const Catalogue &cat, const QStringList &names, int category, QWidget *parent)
    : QDialog(parent), cat_(cat), names_(names)
{
    setObjectName(QStringLiteral("PriceChangeForm"));
    setWindowTitle(QStringLiteral("Preise ändern"));
    setModal(true);

    // Each category by its name, ticked where the prices change: the
    // selected one at the start, or all when none is selected.
    CategoryList = new QListWidget(this);
    CategoryList->setObjectName(QStringLiteral("CategoryList"));
    CategoryList->setProperty("velloran_notranslate", true);
    for (int c = 0; c < cat.categoryCount(); ++c) {
        auto *it = new QListWidgetItem(names.value(c), CategoryList);
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        it->setCheckState(category < 0 || c == category ? Qt::Checked : Qt::Unchecked);
    }
    if (category >= 0 && category < CategoryList->count())
        CategoryList->setCurrentRow(category);
    CategoryList->setMinimumHeight(90);
    CategoryList->setMaximumHeight(150);
    AllBtn = new QPushButton(QStringLiteral("ganze Karte"), this);
    AllBtn->setObjectName(QStringLiteral("AllBtn"));
    AllBtn->setAutoDefault(false);
    NoneBtn = new QPushButton(QStringLiteral("keine"), this);
    NoneBtn->setObjectName(QStringLiteral("NoneBtn"));
    NoneBtn->setAutoDefault(false);

    PercentRadio = new QRadioButton(QStringLiteral("um Prozent"), this);
    PercentRadio->setObjectName(QStringLiteral("PercentRadio"));
    AmountRadio = new QRadioButton(QStringLiteral("um Betrag"), this);
    AmountRadio->setObjectName(QStringLiteral("AmountRadio"));
    auto *mode = new QButtonGroup(this);
    mode->addButton(PercentRadio);
    mode->addButton(AmountRadio);
    PercentRadio->setChecked(true);

    AmountEd = new TFloatEdit(2, this);
    AmountEd->setObjectName(QStringLiteral("AmountEd"));
    AmountEd->setRange(-1e9, 1e9);
    AmountEd->setSingleStep(1);
    AmountEd->setValue(0);

    RoundingBox = new QComboBox(this);
    RoundingBox->setObjectName(QStringLiteral("RoundingBox"));
    for (const char16_t *t : {u"auf den Cent", u"auf 0,05", u"auf 0,10", u"auf 0,50", u"auf 1,00",
                              u"auf ,50 enden", u"auf ,90 enden"})
        RoundingBox->addItem(UserText(QString::fromUtf16(t)));
    RoundingBox->setProperty("velloran_notranslate", true);

    ChangesList = new QTreeWidget(this);
    ChangesList->setObjectName(QStringLiteral("ChangesList"));
    ChangesList->setRootIsDecorated(false);
    ChangesList->setHeaderLabels({QStringLiteral("Kategorie"), QStringLiteral("Produkt"), QStringLiteral("Größe"),
                                  QStringLiteral("vorher"), QStringLiteral("nachher"), QStringLiteral("Hinweis")});
    ChangesList->header()->setStretchLastSection(false);
    ChangesList->header()->setSectionResizeMode(ProductCol, QHeaderView::Stretch);
    ChangesList->setMinimumSize(600, 260);
    CountLabel = new QLabel(this);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    CountLabel->setProperty("velloran_notranslate", true);
    CountLabel->setWordWrap(true);
    CountLabel->setTextFormat(Qt::PlainText); // it may quote what was typed

    auto *grid = new QGridLayout;
    auto *l1 = new QLabel(QStringLiteral("Preise von:"), this);
    l1->setObjectName(QStringLiteral("ScopeLabel"));
    l1->setBuddy(CategoryList);
    grid->addWidget(l1, 0, 0, Qt::AlignTop);
    grid->addWidget(CategoryList, 0, 1, 1, 3);
    auto *scopeButtons = new QVBoxLayout;
    scopeButtons->addWidget(AllBtn);
    scopeButtons->addWidget(NoneBtn);
    scopeButtons->addStretch(1);
    grid->addLayout(scopeButtons, 0, 4);
    auto *l2 = new QLabel(QStringLiteral("Ändern:"), this);
    l2->setObjectName(QStringLiteral("ModeLabel"));
    grid->addWidget(l2, 1, 0);
    grid->addWidget(PercentRadio, 1, 1);
    grid->addWidget(AmountRadio, 1, 2);
    grid->addWidget(AmountEd, 1, 3);
    auto *l3 = new QLabel(QStringLiteral("Runden:"), this);
    l3->setObjectName(QStringLiteral("RoundingLabel"));
    grid->addWidget(l3, 2, 0);
    grid->addWidget(RoundingBox, 2, 1, 1, 3);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("PriceChangeOk"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addWidget(ChangesList, 1);
    top->addWidget(CountLabel);
    top->addWidget(buttons);

    for (QRadioButton *r : {PercentRadio, AmountRadio})
        connect(r, &QRadioButton::toggled, this, [this] { update(); });
    connect(CategoryList, &QListWidget::itemChanged, this, [this] { update(); });
    connect(AllBtn, &QPushButton::clicked, this, [this] { tickAll(true); });
    connect(NoneBtn, &QPushButton::clicked, this, [this] { tickAll(false); });
    // Every keystroke: the list shows what the field shows, also a text that
    // the field has not taken yet.
    connect(AmountEd->findChild<QLineEdit *>(), &QLineEdit::textChanged, this, [this] { update(); });
    connect(RoundingBox, &QComboBox::currentIndexChanged, this, [this] { update(); });
    update();
}

QStringList TPriceChangeForm::messageTexts()
{
    return {QString::fromUtf16(kUnchanged), QString::fromUtf16(kKeptAtZero), QString::fromUtf16(kUnreadable)};
}

QVector<int> TPriceChangeForm::chosenCategories() const
{
    QVector<int> out;
    for (int c = 0; c < CategoryList->count(); ++c)
        if (CategoryList->item(c)->checkState() == Qt::Checked)
            out << c;
    return out;
}

void TPriceChangeForm::tickAll(bool on)
{
    {
        const QSignalBlocker block(CategoryList);
        for (int c = 0; c < CategoryList->count(); ++c)
            CategoryList->item(c)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    update();
}

PriceChangeRule TPriceChangeForm::rule() const
{
    PriceChangeRule r;
    r.percent = PercentRadio->isChecked();
    // What the field shows, even before it is left.
    r.amount = AmountEd->readable() ? AmountEd->valueFromText(AmountEd->text()) : AmountEd->value();
    r.rounding = PriceRounding(std::max(0, RoundingBox->currentIndex()));
    return r;
}

void TPriceChangeForm::update()
{
    ChangesList->clear();
    changes_.clear();
    if (!AmountEd->readable()) {
        CountLabel->setText(UserText(QString::fromUtf16(kUnreadable)).arg(AmountEd->text()));
        // The line under the list says it; the field's own note would say it twice.
        if (QLabel *note = TFloatEdit::noteOf(this))
            note->hide();
        return;
    }
    changes_ = PlanPriceChanges(cat_, chosenCategories(), rule());
    const QChar dp = UserDecimalPoint();
    const QString unchanged = UserText(QString::fromUtf16(kUnchanged));
    const QString keptAtZero = UserText(QString::fromUtf16(kKeptAtZero));
    QList<QTreeWidgetItem *> rows;
    int changing = 0;
    for (const PriceChange &c : changes_) {
        auto *it = new QTreeWidgetItem;
        it->setText(CategoryCol, names_.value(c.category));
        const auto *prods = *static_cast<TDynaArray *const *>(cat_.kats->At(uint32_t(c.category)));
        it->setText(ProductCol, WideText(static_cast<const TProductRec *>(prods->At(uint32_t(c.row)))->name));
        it->setText(SizeCol, cat_.sizeHeadings(c.category).value(c.size));
        it->setText(BeforeCol, FormatPrice2(c.before, dp));
        it->setText(AfterCol, c.keptAtZero ? unchanged : FormatPrice2(c.after, dp));
        if (c.keptAtZero)
            it->setText(NoteCol, keptAtZero);
        else
            ++changing;
        it->setTextAlignment(BeforeCol, Qt::AlignRight | Qt::AlignVCenter);
        it->setTextAlignment(AfterCol, Qt::AlignRight | Qt::AlignVCenter);
        rows << it;
    }
    ChangesList->addTopLevelItems(rows);
    for (int col : {CategoryCol, SizeCol, BeforeCol, AfterCol, NoteCol})
        ChangesList->resizeColumnToContents(col);
    CountLabel->setText(UserText(QStringLiteral("%1 Preise ändern sich")).arg(changing));
}

void TPriceChangeForm::accept()
{
    // An amount that cannot be read keeps the dialog open with the field
    // marked and the reason under the list; a readable one is taken as it
    // stands, also when the field was never left.
    if (!TFloatEdit::checkFields(this)) {
        update();
        return;
    }
    update();
    QDialog::accept();
}
