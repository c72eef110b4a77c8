#include "catalogue/PriceChangeDialog.h"

#include "catalogue/FloatEdit.h"
#include "catalogue/brastel.h"
#include "catalogue/catalogue.h"
#include "catalogue/usertext.h"

#include <QButtonGroup>
#include <algorithm>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TPriceChangeForm::TPriceChangeForm(const Catalogue &cat, const QStringList &names, int category, QWidget *parent)
    : QDialog(parent), cat_(cat), names_(names), category_(category)
{
    setObjectName(QStringLiteral("PriceChangeForm"));
    setWindowTitle(QStringLiteral("Preise ändern"));
    setModal(true);

    CategoryRadio = new QRadioButton(QStringLiteral("ausgewählte Kategorie"), this);
    CategoryRadio->setObjectName(QStringLiteral("CategoryRadio"));
    CardRadio = new QRadioButton(QStringLiteral("ganze Karte"), this);
    CardRadio->setObjectName(QStringLiteral("CardRadio"));
    auto *scope = new QButtonGroup(this);
    scope->addButton(CategoryRadio);
    scope->addButton(CardRadio);
    CategoryRadio->setEnabled(category >= 0);
    (category >= 0 ? CategoryRadio : CardRadio)->setChecked(true);

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
                                  QStringLiteral("vorher"), QStringLiteral("nachher")});
    ChangesList->header()->setStretchLastSection(false);
    ChangesList->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    ChangesList->setMinimumSize(520, 260);
    CountLabel = new QLabel(this);
    CountLabel->setObjectName(QStringLiteral("CountLabel"));
    CountLabel->setProperty("velloran_notranslate", true);

    auto *grid = new QGridLayout;
    auto *l1 = new QLabel(QStringLiteral("Preise von:"), this);
    l1->setObjectName(QStringLiteral("ScopeLabel"));
    grid->addWidget(l1, 0, 0);
    grid->addWidget(CategoryRadio, 0, 1);
    grid->addWidget(CardRadio, 0, 2);
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

    for (QRadioButton *r : {CategoryRadio, CardRadio, PercentRadio, AmountRadio})
        connect(r, &QRadioButton::toggled, this, [this] { update(); });
    connect(AmountEd, &QDoubleSpinBox::valueChanged, this, [this] { update(); });
    connect(RoundingBox, &QComboBox::currentIndexChanged, this, [this] { update(); });
    update();
}

PriceChangeRule TPriceChangeForm::rule() const
{
    PriceChangeRule r;
    r.percent = PercentRadio->isChecked();
    r.amount = AmountEd->value();
    r.rounding = PriceRounding(std::max(0, RoundingBox->currentIndex()));
    return r;
}

void TPriceChangeForm::update()
{
    const int scope = CategoryRadio->isChecked() ? category_ : -1;
    changes_ = PlanPriceChanges(cat_, scope, rule());
    ChangesList->clear();
    const QChar dp = UserDecimalPoint();
    QList<QTreeWidgetItem *> rows;
    for (const PriceChange &c : changes_) {
        auto *it = new QTreeWidgetItem;
        it->setText(0, names_.value(c.category));
        const auto *prods = *static_cast<TDynaArray *const *>(cat_.kats->At(uint32_t(c.category)));
        it->setText(1, WideText(static_cast<const TProductRec *>(prods->At(uint32_t(c.row)))->name));
        it->setText(2, cat_.sizeHeadings(c.category).value(c.size));
        it->setText(3, FormatPrice2(c.before, dp));
        it->setText(4, FormatPrice2(c.after, dp));
        it->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        it->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        rows << it;
    }
    ChangesList->addTopLevelItems(rows);
    CountLabel->setText(UserText(QStringLiteral("%1 Preise ändern sich")).arg(changes_.size()));
}
