// The window's spreadsheet commands: the Excel export and the import with
// its preview, applied as one undo step.
#include "mainwindow_fixture.h"

#include "app/ColumnMapDialog.h"
#include "app/ImportPreviewDialog.h"
#include "app/undohistory.h"
#include "testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

class SheetCommands : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override
    {
        create();
        addCategoryDirect("Vorspeisen", 3, "Vorspeise"); // 3,50, 4,50 and 5,50
        form->history->reset(); // the document as opened
    }
    void TearDown() override { destroy(); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(SheetCommands, OwnExportChangesNothingAndAnEditedSheetIsOneUndoStep)
{
    // The program's own workbook, imported again: the preview says that
    // nothing changes, and OK makes no step.
    const QString book = dir.filePath("karte.xlsx");
    fileAnswers.push_back(book);
    form->ExportierenalsExcelTabelle1->trigger();
    ASSERT_TRUE(QFile::exists(book));
    const QByteArray before = form->documentBytes();
    const int steps = form->history->stack()->count();
    fileAnswers.push_back(book);
    answers.push_back([](QDialog *d) {
        auto *f = qobject_cast<TImportPreviewForm *>(d);
        EXPECT_TRUE(f);
        if (!f)
            return int(QDialog::Rejected);
        EXPECT_TRUE(f->SummaryLabel->text().contains("Der Import ändert nichts.")) << f->SummaryLabel->text().toStdString();
        EXPECT_EQ(f->group(2)->childCount(), 3);
        EXPECT_FALSE(f->RemoveCheck->isEnabled());
        return int(QDialog::Accepted);
    });
    form->Importieren1->trigger();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(form->documentBytes(), before);
    EXPECT_EQ(form->history->stack()->count(), steps);

    // An edited CSV (as German Excel saves it: semicolons): a new price, a
    // new dish in a new category, one dish left out and removed.
    const QString csv = dir.filePath("karte.csv");
    testutil::writeFile(csv, "Kategorie;Bezeichnung;Preis\r\nVorspeisen;Vorspeise 1;\"7,50\"\r\nVorspeisen;Vorspeise 2;4,50\r\n"
                             "Desserts;Eis;3\r\n");
    fileAnswers.push_back(csv);
    answers.push_back([](QDialog *d) {
        auto *f = qobject_cast<TImportPreviewForm *>(d);
        if (!f)
            return int(QDialog::Rejected);
        EXPECT_EQ(f->group(0)->childCount(), 1);                 // new
        EXPECT_TRUE(f->group(0)->text(0).contains("Desserts"));  // the new category named
        EXPECT_EQ(f->group(1)->childCount(), 1);                 // one changed field
        EXPECT_TRUE(f->group(1)->child(0)->text(3).startsWith("Preis: "));
        EXPECT_EQ(f->group(3)->childCount(), 1);                 // Vorspeise 3
        EXPECT_TRUE(f->RemoveCheck->isEnabled());
        f->RemoveCheck->setChecked(true);
        EXPECT_TRUE(f->SummaryLabel->text().contains("(entfernt)"));
        f->resize(f->sizeHint());
        f->grab().save("/work/evidence/import-preview-csv.png");
        return int(QDialog::Accepted);
    });
    form->Importieren1->trigger();
    EXPECT_EQ(form->history->stack()->count(), steps + 1);
    EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig: Importieren");
    EXPECT_EQ(form->categoryNames(), QStringList({"Vorspeisen", "Desserts"}));
    EXPECT_EQ(form->catalogue.products(0)->count, 2u);
    EXPECT_DOUBLE_EQ(Catalogue::values(form->catalogue.product(0, 0)).price, 7.5);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(form->documentBytes(), before);

    // Cancelled, or a sheet that cannot be read: nothing changes.
    fileAnswers.push_back(csv);
    answers.push_back([](QDialog *) { return int(QDialog::Rejected); });
    form->Importieren1->trigger();
    EXPECT_EQ(form->documentBytes(), before);
    const QString empty = dir.filePath("empty.csv");
    testutil::writeFile(empty, "");
    fileAnswers.push_back(empty);
    boxes.clear();
    form->Importieren1->trigger();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].second.contains("\"Bezeichnung\"")) << boxes[0].second.toStdString();
    EXPECT_EQ(form->documentBytes(), before);
}

// Titles that are not known: the columns are assigned by hand, then the
// preview follows as usual.
TEST_F(SheetCommands, UnknownTitlesAreAssignedInTheColumnMapping)
{
    const QString csv = dir.filePath("fremd.csv");
    testutil::writeFile(csv, "Gruppe;Gericht;Euro;Preis\r\nDesserts;Eis;3,00;x\r\n");
    fileAnswers.push_back(csv);
    answers.push_back([](QDialog *d) {
        auto *f = qobject_cast<TColumnMapForm *>(d);
        EXPECT_TRUE(f);
        if (!f)
            return int(QDialog::Rejected);
        EXPECT_EQ(f->ColumnBoxes.size(), 4);
        // "Preis" was recognised; "Kategorie" and "Bezeichnung" are missing.
        EXPECT_EQ(f->ColumnBoxes[3]->currentData().toInt(), int(ColPrice));
        EXPECT_FALSE(f->OkBtn->isEnabled());
        EXPECT_TRUE(f->NoteLabel->text().contains("\"Kategorie\", \"Bezeichnung\"")) << f->NoteLabel->text().toStdString();
        f->ColumnBoxes[0]->setCurrentIndex(f->ColumnBoxes[0]->findData(int(ColCategory)));
        f->ColumnBoxes[1]->setCurrentIndex(f->ColumnBoxes[1]->findData(int(ColName)));
        f->ColumnBoxes[2]->setCurrentIndex(f->ColumnBoxes[2]->findData(int(ColPrice)));
        EXPECT_FALSE(f->OkBtn->isEnabled()); // "Preis" twice
        EXPECT_TRUE(f->NoteLabel->text().contains("mehrmals")) << f->NoteLabel->text().toStdString();
        f->ColumnBoxes[3]->setCurrentIndex(0); // not imported
        EXPECT_TRUE(f->OkBtn->isEnabled());
        return int(QDialog::Accepted);
    });
    answers.push_back([](QDialog *d) {
        auto *f = qobject_cast<TImportPreviewForm *>(d);
        EXPECT_TRUE(f);
        if (!f)
            return int(QDialog::Rejected);
        EXPECT_EQ(f->group(0)->childCount(), 1);
        EXPECT_EQ(f->group(4)->childCount(), 0); // the price is the third column's
        return int(QDialog::Accepted);
    });
    form->Importieren1->trigger();
    EXPECT_EQ(dialogsShown, 2);
    ASSERT_EQ(form->categoryNames(), QStringList({"Vorspeisen", "Desserts"}));
    EXPECT_DOUBLE_EQ(Catalogue::values(form->catalogue.product(1, 0)).price, 3.0);

    // Cancelled: nothing changes.
    const QByteArray before = form->documentBytes();
    fileAnswers.push_back(csv);
    answers.push_back([](QDialog *) { return int(QDialog::Rejected); });
    form->Importieren1->trigger();
    EXPECT_EQ(form->documentBytes(), before);
    EXPECT_EQ(form->documentBytes(), before);
}

// A translated dish: the program's own CSV changes nothing; a corrected
// translation is shown as a change of its own and applied as one undo step;
// columns of another language are named as not taken; the column mapping
// offers the translation columns in the document's language.
TEST_F(SheetCommands, TranslationColumnsAreComparedShownAndTaken)
{
    form->catalogue.setTranslation(0, 0, {"Starter one", "", ""});
    form->history->reset();
    const QString csv = dir.filePath("karte.csv");
    fileAnswers.push_back(csv);
    form->ExportierenalsCSVDatei1->trigger();
    const QByteArray exported = testutil::readFile(csv);
    ASSERT_TRUE(exported.startsWith("\"Kategorie\",\"Bezeichnung\"")) << exported.toStdString();
    ASSERT_TRUE(exported.contains("\"Bezeichnung (en)\"")) << exported.toStdString();
    const QByteArray before = form->documentBytes();
    const int steps = form->history->stack()->count();
    auto summary = [](QString *out) {
        return [out](QDialog *d) {
            auto *f = qobject_cast<TImportPreviewForm *>(d);
            EXPECT_TRUE(f);
            if (!f)
                return int(QDialog::Rejected);
            *out = f->SummaryLabel->text();
            return int(QDialog::Accepted);
        };
    };
    QString said;
    fileAnswers.push_back(csv);
    answers.push_back(summary(&said));
    form->Importieren1->trigger();
    EXPECT_TRUE(said.contains("Der Import ändert nichts.")) << said.toStdString();
    EXPECT_EQ(form->documentBytes(), before);

    QByteArray edited = exported;
    edited.replace("\"Starter one\"", "\"First starter\"");
    testutil::writeFile(csv, edited);
    fileAnswers.push_back(csv);
    answers.push_back([](QDialog *d) {
        auto *f = qobject_cast<TImportPreviewForm *>(d);
        if (!f)
            return int(QDialog::Rejected);
        EXPECT_TRUE(f->SummaryLabel->text().contains("1 geändert")) << f->SummaryLabel->text().toStdString();
        EXPECT_EQ(f->group(1)->childCount(), 1);
        EXPECT_EQ(f->group(1)->child(0)->text(3), "Bezeichnung (en): Starter one → First starter");
        f->resize(f->sizeHint());
        f->grab().save("/work/evidence/import-preview-translation.png");
        return int(QDialog::Accepted);
    });
    form->Importieren1->trigger();
    EXPECT_EQ(form->catalogue.translation(0, 0).name, "First starter");
    EXPECT_EQ(form->history->stack()->count(), steps + 1);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(form->documentBytes(), before);

    // French columns in an English document: nothing taken, and said so.
    QByteArray french = edited;
    french.replace("(en)", "(fr)");
    testutil::writeFile(csv, french);
    fileAnswers.push_back(csv);
    answers.push_back(summary(&said));
    form->Importieren1->trigger();
    EXPECT_TRUE(said.contains("Der Import ändert nichts.")) << said.toStdString();
    EXPECT_TRUE(said.contains("Nicht übernommen (nicht die zweite Sprache des Dokuments): \"Bezeichnung (fr)\", "
                              "\"Beschreibung (fr)\", \"Menge (fr)\"."))
        << said.toStdString();
    EXPECT_EQ(form->documentBytes(), before);

    // Unknown titles: an English column is chosen as the translation of
    // the name, a French one is not chosen.
    for (const char *column : {"Bezeichnung (en)", "Menge (fr)"}) {
        testutil::writeFile(csv, QByteArray("Gruppe;Gericht;Preis;") + column + "\r\nVorspeisen;Vorspeise 1;3,50;x\r\n");
        fileAnswers.push_back(csv);
        const bool english = QByteArray(column).contains("(en)");
        answers.push_back([english](QDialog *d) {
            auto *f = qobject_cast<TColumnMapForm *>(d);
            EXPECT_TRUE(f);
            if (!f)
                return int(QDialog::Rejected);
            EXPECT_EQ(f->ColumnBoxes[3]->currentText(), english ? "Bezeichnung (en)" : "nicht importieren");
            EXPECT_GE(f->ColumnBoxes[3]->findText("Menge (en)"), 0);
            return int(QDialog::Rejected);
        });
        form->Importieren1->trigger();
    }
    EXPECT_EQ(form->documentBytes(), before);
}
