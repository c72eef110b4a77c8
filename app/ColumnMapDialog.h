// The column mapping of the import: a sheet whose titles name no known column
// (or lack one of the needed ones) is shown title by title, each with a
// choice of the column it stands for ("Kategorie", "Bezeichnung", ... or
// "nicht importieren"); the columns recognised by their titles are chosen at
// the start. The translation columns are offered in the document's second
// language ("Bezeichnung (en)"). OK needs "Kategorie", "Bezeichnung" and "Preis" chosen, each
// column at most once; the note line says what is missing.
#pragma once

#include "catalogue/sheetimport.h"

#include <QDialog>
#include <QVector>

class QComboBox;
class QLabel;
class QPushButton;

class TColumnMapForm : public QDialog {
    Q_OBJECT
public:
    // header: the sheet's first row; columns: what its titles gave;
    // languageTag: the document's second language.
    TColumnMapForm(const SheetRow &header, const SheetColumns &columns, const QString &languageTag,
                   QWidget *parent = nullptr);

    QVector<QComboBox *> ColumnBoxes; // one per column of the sheet, in order
    QLabel *NoteLabel;
    QPushButton *OkBtn;

    // The columns as chosen.
    SheetColumns columns() const;

    static QStringList messageTexts();

private:
    void update();

    QString languageTag_;
};
