// The main window's size and price commands: a category's size columns
// ("Größen...", with their translations) and changing many prices at once ("Preise ändern...").
#include "app/MainUnit.h"
#include "app/undohistory.h"
#include "catalogue/sizeloss.h"
#include "dialogs/PriceChangeDialog.h"
#include "dialogs/SizesDialog.h"
#include "i18n/translatecomponents.h"
#include "i18n/translateunit.h"

void TMainForm::GroessenBtnClick()
{
    commitPendingEdits();
    const int cat = selectedCategory();
    if (cat < 0)
        return;
    TSizesForm dlg(this);
    TranslateComponents(&dlg);
    dlg.setHeadings(catalogue.sizeHeadings(cat));
    dlg.setTranslations(catalogue.secondLanguage(), catalogue.sizeHeadingTranslations(cat));
    if (execDialog(&dlg) != QDialog::Accepted)
        return;
    // Fewer sizes drop the prices of those that go: only when the user says so.
    const int dropped = PricesDroppedByHeadings(catalogue, cat, dlg.headings());
    if (dropped > 0
        && messageBox(QMessageBox::Question, TranslateStr(QStringLiteral("Größen")),
                      TranslateStr(QString::fromUtf16(kSizesDropQuestion)).arg(dropped),
                      QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Größen")));
    catalogue.setSizeHeadings(cat, dlg.headings());
    catalogue.setSizeHeadingTranslations(cat, dlg.headingTranslations());
    ListProds();
}

void TMainForm::Preisendern1Click()
{
    commitPendingEdits();
    TPriceChangeForm dlg(catalogue, categoryNames(), selectedCategory(), this);
    TranslateComponents(&dlg);
    // Nothing changed (0 %, or only prices that would drop to 0): no step.
    if (execDialog(&dlg) != QDialog::Accepted || !ChangesAnyPrice(dlg.changes()))
        return;
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Preise ändern")));
    ApplyPriceChanges(catalogue, dlg.changes());
    ListProds();
}
