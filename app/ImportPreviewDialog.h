// "Importieren…": what importing a spreadsheet would do, shown before
// anything changes. One list with a group each for the new products (with
// their category; the new categories named in the group's line), the changed
// products (one line per changed field, old → new), the unchanged rows, the
// document's products the sheet does not name and the rows that cannot be
// read (row number, column, reason); a summary of the counts above it and
// the tick "entfernen" for the products the sheet does not name (they are
// kept unless it is ticked). The caller applies the plan as one undo step
// when the dialog is accepted.
#pragma once

#include "catalogue/sheetimport.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class TImportPreviewForm : public QDialog {
    Q_OBJECT
public:
    TImportPreviewForm(const ImportPlan &plan, const QString &fileName, QWidget *parent = nullptr);

    QLabel *FileLabel;
    QLabel *SummaryLabel;
    QTreeWidget *PlanList;
    QCheckBox *RemoveCheck; // "entfernen": remove the products the sheet does not name

    bool removeMissing() const;
    // The group lines of the list, in order: new products, changed, unchanged,
    // not in the sheet, unreadable.
    QTreeWidgetItem *group(int i) const;

    // Texts the dialog shows only while it is used (for the translation table).
    static QStringList messageTexts();

private:
    void updateSummary();

    const ImportPlan &plan_;
};
