#include "app/ImportPreviewDialog.h"

#include "export/sheetfile.h"
#include "i18n/translateunit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum { LineCol, CategoryCol, NameCol, WhatCol };

const char16_t *const kGroups[] = {u"Neue Produkte (%1)", u"Geänderte Produkte (%1)", u"Unveränderte Zeilen (%1)",
                                   u"Nicht in der Tabelle (%1)", u"Nicht lesbare Zeilen (%1)"};

QTreeWidgetItem *line(QTreeWidgetItem *parent, const QString &row, const QString &category, const QString &name,
                      const QString &what)
{
    auto *it = new QTreeWidgetItem(parent, {row, category, name, what});
    it->setToolTip(WhatCol, what);
    return it;
}

} // namespace

QStringList TImportPreviewForm::messageTexts()
{
    QStringList texts;
    for (const char16_t *t : kGroups)
        texts << QString::fromUtf16(t);
    texts << QStringLiteral("neue Kategorie") << QStringLiteral("Neue Kategorien: %1") << QStringLiteral("%1 → %2")
          << QStringLiteral("Aus der Datei: %1");
    return texts;
}

TImportPreviewForm::TImportPreviewForm(const ImportPlan &plan, const QString &fileName, QWidget *parent)
    : QDialog(parent), plan_(plan)
{
    setObjectName(QStringLiteral("ImportPreviewForm"));
    setWindowTitle(QStringLiteral("Importieren"));
    setModal(true);

    FileLabel = new QLabel(this);
    FileLabel->setObjectName(QStringLiteral("FileLabel"));
    FileLabel->setProperty("velloran_notranslate", true);
    FileLabel->setTextFormat(Qt::PlainText);
    FileLabel->setText(TranslateStr(QStringLiteral("Aus der Datei: %1")).arg(fileName));
    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    SummaryLabel->setProperty("velloran_notranslate", true);
    SummaryLabel->setTextFormat(Qt::PlainText);
    SummaryLabel->setWordWrap(true);

    PlanList = new QTreeWidget(this);
    PlanList->setObjectName(QStringLiteral("PlanList"));
    PlanList->setHeaderLabels({QStringLiteral("Zeile"), QStringLiteral("Kategorie"), QStringLiteral("Bezeichnung"),
                               QStringLiteral("Änderung")});
    PlanList->header()->setStretchLastSection(true);
    PlanList->setMinimumSize(720, 320);
    PlanList->setUniformRowHeights(true);

    auto groupItem = [&](int i, int count) {
        auto *g = new QTreeWidgetItem(PlanList, {TranslateStr(QString::fromUtf16(kGroups[i])).arg(count)});
        g->setFirstColumnSpanned(true);
        QFont f = g->font(0);
        f.setBold(true);
        g->setFont(0, f);
        return g;
    };

    QTreeWidgetItem *added = groupItem(0, int(plan.added.size()));
    for (const PlannedRow &p : plan.added) {
        const bool fresh = plan.newCategories.contains(p.product.category);
        line(added, QString::number(p.line), p.product.category, p.product.values.name,
             fresh ? TranslateStr(QStringLiteral("neue Kategorie")) : QString());
    }
    if (!plan.newCategories.isEmpty())
        added->setText(0, added->text(0) + QStringLiteral(" — ")
                              + TranslateStr(QStringLiteral("Neue Kategorien: %1")).arg(plan.newCategories.join(QStringLiteral(", "))));

    QTreeWidgetItem *changed = groupItem(1, int(plan.changed.size()));
    for (const PlannedRow &p : plan.changed) {
        for (const FieldChange &c : p.changes) {
            QString before = c.before, after = c.after;
            for (QString *s : {&before, &after})
                s->replace(QLatin1String("\r\n"), QStringLiteral(" ¶ "));
            line(changed, QString::number(p.line), p.product.category, p.product.values.name,
                 ColumnTitle(c.column, plan.translationTag) + QStringLiteral(": ") + TranslateStr(QStringLiteral("%1 → %2")).arg(before, after));
        }
    }
    QTreeWidgetItem *unchanged = groupItem(2, int(plan.unchanged.size()));
    for (const PlannedRow &p : plan.unchanged)
        line(unchanged, QString::number(p.line), p.product.category, p.product.values.name, QString());
    QTreeWidgetItem *missing = groupItem(3, int(plan.missing.size()));
    for (const MissingProduct &m : plan.missing)
        line(missing, QString(), m.categoryName, m.name, QString());
    QTreeWidgetItem *unreadable = groupItem(4, int(plan.unreadable.size()));
    for (const UnreadableRow &u : plan.unreadable)
        line(unreadable, QString::number(u.line), QString(), QString(),
             u.column >= 0 ? ColumnTitle(u.column, plan.translationTag) + QStringLiteral(": ") + u.reason : u.reason);

    // The groups that say something are open; the unchanged rows only
    // count.
    for (QTreeWidgetItem *g : {added, changed, unreadable})
        g->setExpanded(g->childCount() > 0);
    PlanList->resizeColumnToContents(LineCol);
    PlanList->setColumnWidth(CategoryCol, 160);
    PlanList->setColumnWidth(NameCol, 200);

    RemoveCheck = new QCheckBox(QStringLiteral("entfernen"), this);
    RemoveCheck->setObjectName(QStringLiteral("RemoveCheck"));
    RemoveCheck->setEnabled(!plan.missing.isEmpty());
    auto *removeLabel = new QLabel(QStringLiteral("Produkte, die nicht in der Tabelle stehen:"), this);
    removeLabel->setObjectName(QStringLiteral("RemoveLabel"));
    removeLabel->setBuddy(RemoveCheck);
    connect(RemoveCheck, &QCheckBox::toggled, this, [this] { updateSummary(); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ImportOk"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *removeRow = new QHBoxLayout;
    removeRow->addWidget(removeLabel);
    removeRow->addWidget(RemoveCheck);
    removeRow->addStretch(1);
    auto *top = new QVBoxLayout(this);
    top->addWidget(FileLabel);
    top->addWidget(SummaryLabel);
    top->addWidget(PlanList, 1);
    top->addLayout(removeRow);
    top->addWidget(buttons);
    updateSummary();
}

bool TImportPreviewForm::removeMissing() const
{
    return RemoveCheck->isChecked();
}

QTreeWidgetItem *TImportPreviewForm::group(int i) const
{
    return PlanList->topLevelItem(i);
}

void TImportPreviewForm::updateSummary()
{
    SummaryLabel->setText(ImportSummaryText(plan_, removeMissing()));
}
