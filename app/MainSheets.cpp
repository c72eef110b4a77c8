// The main window's spreadsheet commands: the catalogue as an Excel workbook
// ("Exportieren als Excel-Tabelle…") and merging a spreadsheet into it
// ("Importieren…", with the preview of every change before it is applied;
// a sheet whose column titles are not recognised gets the column mapping
// first).
#include "app/ColumnMapDialog.h"
#include "app/ImportPreviewDialog.h"
#include "app/MainUnit.h"
#include "app/undohistory.h"
#include "catalogue/sheetimport.h"
#include "export/csvexport.h"
#include "export/sheetfile.h"
#include "export/xlsxexport.h"
#include "i18n/translatecomponents.h"
#include "i18n/translateunit.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStatusBar>

void TMainForm::ExportierenalsExcelTabelle1Click()
{
    commitPendingEdits();
    const QString path = askFileName(SaveDialogXlsx, true, QStringLiteral("xlsx"), true);
    if (path.isEmpty())
        return;
    const CardList all = currentCards();
    const CatalogueTable table =
        BuildCatalogueTable(categoryNames(), catalogue, CsvHeader(catalogue, &all), UserDecimalPoint(), &all);
    QString error;
    if (!WriteXlsxFile(path, table, &error)) {
        reportFileError(19, path, error);
        return;
    }
    reportWritten(u"Excel-Tabelle geschrieben: %1", path);
}

void TMainForm::Importieren1Click()
{
    commitPendingEdits();
    const QString path = askFileName(OpenDialogSheet, false, QStringLiteral("xlsx"), false);
    if (path.isEmpty())
        return;
    SheetFile sheet;
    QString error;
    if (!ReadSheetFile(path, &sheet, &error)) {
        // A sheet read whose titles are not recognised: the user says which
        // column is which.
        if (sheet.sheet.rows.isEmpty() || sheet.columns.usable()) {
            messageBox(QMessageBox::Warning, TranslateStr(QStringLiteral("Importieren")),
                       GetMsgText(1) + QDir::toNativeSeparators(path) + QStringLiteral("\n\n") + error, QMessageBox::Ok);
            return;
        }
        TColumnMapForm map(sheet.sheet.rows.first(), sheet.columns, catalogue.secondLanguage().tag, this);
        TranslateComponents(&map);
        if (execDialog(&map) != QDialog::Accepted || !map.columns().usable())
            return;
        sheet.columns = map.columns();
    }
    const ImportPlan plan = PlanSheetImport(sheet.sheet, sheet.columns, categoryNames(), catalogue);
    TImportPreviewForm dlg(plan, QFileInfo(path).fileName(), this);
    TranslateComponents(&dlg);
    // A sheet that changes nothing (the program's own export read back)
    // makes no step.
    if (execDialog(&dlg) != QDialog::Accepted || plan.changesNothing(dlg.removeMissing()))
        return;
    const int selected = selectedCategory();
    {
        const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Importieren")));
        QStringList names = categoryNames();
        ApplySheetImport(plan, dlg.removeMissing(), names, catalogue);
        const QSignalBlocker block(ListView2);
        ListView2->clear();
        for (const QString &name : names) {
            auto *it = new QTreeWidgetItem(QStringList{name});
            it->setFlags(it->flags() | Qt::ItemIsEditable);
            ListView2->addTopLevelItem(it);
        }
        showCategoryTranslations();
        if (selected >= 0 && selected < ListView2->topLevelItemCount()) {
            ListView2->setCurrentItem(ListView2->topLevelItem(selected));
            ListView2->topLevelItem(selected)->setSelected(true);
        }
        ListProds();
    }
    statusBar()->showMessage(ImportSummaryText(plan, dlg.removeMissing()));
}
