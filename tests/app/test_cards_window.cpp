// The main window's cards: the selector shows each card's settings without
// changing the document, the card commands are steps, the preview and the
// exports work on the selected card, and saving, undo and the recovery copy
// keep every card.
#include "app/CardBar.h"
#include "app/CardOptionsBox.h"
#include "app/MarksGroup.h"
#include "app/PreviewPager.h"
#include "app/recovery.h"
#include "app/undohistory.h"
#include "catalogue/document.h"
#include "mainwindow_fixture.h"
#include "testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

class CardsWindow : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override { create(); }
    void TearDown() override { destroy(); }

    QByteArray bytes() const { return form->documentBytes(); }
    TCardBar *bar() const { return form->CardBar; }
    int steps() const { return form->history->stack()->index(); }

    // Answers the next name dialog with `name` (OK).
    void answerName(const QString &name)
    {
        answers.push_back([name](QDialog *d) {
            auto *dlg = qobject_cast<TCardNameDialog *>(d);
            EXPECT_TRUE(dlg) << "not the name dialog";
            if (dlg)
                dlg->NameEd->setText(name);
            return int(QDialog::Accepted);
        });
    }
    // The user picks card i in the combo box.
    void choose(int i)
    {
        bar()->KarteBox->setCurrentIndex(i);
        emit bar()->KarteBox->activated(i);
        QApplication::processEvents();
    }

    // Two categories: Suppen (2 products), Getränke (1).
    void addSample()
    {
        newCategory("Suppen");
        answerProduct("Tomatensuppe", 4.5);
        click(form->NeuesProduktBtn);
        answerProduct("Linsensuppe", 5);
        click(form->NeuesProduktBtn);
        newCategory("Getränke");
        answerProduct("Wasser", 2.2);
        click(form->NeuesProduktBtn);
    }
};

TEST_F(CardsWindow, SwitchingCardsShowsEachCardsSettingsAndChangesNothing)
{
    addSample();
    answerName(QStringLiteral("Getränkekarte"));
    click(bar()->NeuBtn);
    ASSERT_EQ(form->cards.count(), 2);
    EXPECT_EQ(form->selectedCard, 1);
    EXPECT_EQ(bar()->KarteBox->currentText(), QStringLiteral("Getränkekarte"));
    form->CaptionEd->setText(QStringLiteral("Getränke"));
    form->CardOptionsBox->NummernJeKarteCheck->setChecked(true);
    choose(0);
    EXPECT_EQ(form->CaptionEd->text(), QStringLiteral("Speisekarte"));
    EXPECT_FALSE(form->CardOptionsBox->NummernJeKarteCheck->isChecked());

    const QByteArray before = bytes();
    const int stepsBefore = steps();
    const bool changedBefore = form->changed;
    choose(1);
    EXPECT_EQ(form->CaptionEd->text(), QStringLiteral("Getränke"));
    EXPECT_TRUE(form->CardOptionsBox->NummernJeKarteCheck->isChecked());
    choose(0);
    choose(1);
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(steps(), stepsBefore);
    EXPECT_EQ(form->changed, changedBefore);

    // The date line is a step of its own; the date field only serves a fixed date.
    EXPECT_FALSE(form->CardOptionsBox->DatumEd->isEnabled());
    form->CardOptionsBox->DatumBox->setCurrentIndex(1);
    EXPECT_EQ(form->Rueckgaengig1->text(), QStringLiteral("Rückgängig: Datumszeile"));
    EXPECT_FALSE(form->CardOptionsBox->DatumEd->isEnabled());
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(form->CardOptionsBox->DatumBox->currentIndex(), 0);

    // The additive list is the document's, whichever card it is edited on.
    MarkSettings marks = form->MarksGroup->settings();
    marks.additives << QStringLiteral("mit Süßungsmittel");
    form->MarksGroup->setSettings(marks);
    choose(0);
    EXPECT_EQ(form->MarksGroup->settings().additives, marks.additives);
    DocumentData read;
    ASSERT_TRUE(ReadDocument(bytes(), CardSettings(), read, nullptr));
    EXPECT_EQ(read.settings.marks.additives, marks.additives);
    choose(1);
    marks.additives.removeLast(); // as it was, for the undo below

    form->MarksGroup->setSettings(marks);

    // An undo on the first card goes back to the card the step was made on.
    choose(0);
    form->Rueckgaengig1->trigger(); // "Nummern je Karte", made on the second card
    EXPECT_EQ(form->selectedCard, 1);
    EXPECT_FALSE(form->CardOptionsBox->NummernJeKarteCheck->isChecked());
    EXPECT_EQ(form->CaptionEd->text(), QStringLiteral("Getränke"));
}

TEST_F(CardsWindow, CardCommandsAreStepsAndTakenBackWhole)
{
    addSample();
    const QByteArray one = bytes();
    answerName(QStringLiteral("Mittagstisch"));
    click(bar()->NeuBtn);
    // A new card carries nothing; the first card still everything.
    EXPECT_EQ(ProductsOnCard(form->catalogue, 1), 0);
    EXPECT_EQ(ProductsOnCard(form->catalogue, 0), 3);
    const QByteArray two = bytes();
    EXPECT_NE(two, one);
    EXPECT_EQ(form->Rueckgaengig1->text(), QStringLiteral("Rückgängig: Neue Karte"));

    // "Duplizieren" proposes "<name> (Kopie)" and copies the product set.
    choose(0);
    answers.push_back([](QDialog *d) {
        EXPECT_EQ(static_cast<TCardNameDialog *>(d)->NameEd->text(), QStringLiteral("Speisekarte (Kopie)"));
        return int(QDialog::Accepted);
    });
    click(bar()->DuplizierenBtn);
    ASSERT_EQ(form->cards.names(), (QStringList{"Speisekarte", "Mittagstisch", "Speisekarte (Kopie)"}));
    EXPECT_EQ(form->selectedCard, 2);
    EXPECT_EQ(ProductsOnCard(form->catalogue, 2), 3);
    const QByteArray three = bytes();

    // A name that another card has is refused with the reason; the typed
    // name comes back in the dialog, and cancelling leaves everything.
    answerName(QStringLiteral("mittagstisch"));
    answers.push_back([](QDialog *d) {
        EXPECT_EQ(static_cast<TCardNameDialog *>(d)->NameEd->text(), QStringLiteral("mittagstisch"));
        return int(QDialog::Rejected);
    });
    boxes.clear();
    click(bar()->UmbenennenBtn);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.at(0).second, QStringLiteral("Eine Karte mit diesem Namen gibt es schon."));
    EXPECT_EQ(bytes(), three);

    // Renaming the card to its own name (OK without change) is no step.
    const int before = steps();
    answers.push_back([](QDialog *) { return int(QDialog::Accepted); });
    click(bar()->UmbenennenBtn);
    EXPECT_EQ(steps(), before);
    EXPECT_EQ(bytes(), three);

    answerName(QStringLiteral("Saisonkarte"));
    click(bar()->UmbenennenBtn);
    EXPECT_EQ(bar()->KarteBox->itemText(2), QStringLiteral("Saisonkarte"));
    const QByteArray four = bytes();

    // Deleting asks first; "Nein" keeps the card.
    boxAnswers.push_back(QMessageBox::No);
    click(bar()->LoeschenBtn);
    EXPECT_EQ(form->cards.count(), 3);
    click(bar()->LoeschenBtn);
    EXPECT_EQ(form->cards.names(), (QStringList{"Speisekarte", "Mittagstisch"}));
    EXPECT_EQ(form->selectedCard, 1);
    // Deleting the first card makes the second the first, with its settings.
    form->CaptionEd->setText(QStringLiteral("Mittag"));
    choose(0);
    click(bar()->LoeschenBtn);
    EXPECT_EQ(form->cards.names(), QStringList{"Mittagstisch"});
    EXPECT_EQ(form->CaptionEd->text(), QStringLiteral("Mittag"));
    EXPECT_FALSE(bar()->LoeschenBtn->isEnabled()); // the last card stays
    EXPECT_EQ(ProductsOnCard(form->catalogue, 0), 0);

    // Every step back and forth gives the bytes of its state.
    form->Rueckgaengig1->trigger(); // the first card's deletion
    form->Rueckgaengig1->trigger(); // the heading
    form->Rueckgaengig1->trigger(); // the deletion of the third card
    EXPECT_EQ(bytes(), four);
    EXPECT_EQ(form->cards.count(), 3);
    EXPECT_EQ(form->selectedCard, 2);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), three);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), two);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), one);
    EXPECT_EQ(form->cards.count(), 1);
    EXPECT_EQ(bar()->KarteBox->count(), 1);
    form->Wiederholen1->trigger();
    form->Wiederholen1->trigger();
    EXPECT_EQ(bytes(), three);
    EXPECT_EQ(form->selectedCard, 2);
}

TEST_F(CardsWindow, PreviewAndPageCountFollowTheSelectedCard)
{
    addCategoryDirect(QStringLiteral("Hauptgerichte"), 60);
    addCategoryDirect(QStringLiteral("Getränke"), 2, QStringLiteral("Saft"));
    form->PageControl1->setCurrentIndex(1);
    QApplication::processEvents();
    const int full = form->Pager->pageCount();
    ASSERT_GT(full, 1);
    answerName(QStringLiteral("Getränkekarte"));
    click(bar()->NeuBtn);
    // Nothing on it: one page with the heading alone.
    EXPECT_EQ(form->Pager->pageCount(), 1);
    // The drinks onto it in one step, from the category's menu.
    QTreeWidget *cats = form->ListView2;
    form->categoryContextMenu(cats->visualItemRect(cats->topLevelItem(1)).center());
    ASSERT_TRUE(form->categoryMenu);
    auto *onto = form->categoryMenu->findChild<QAction *>(QStringLiteral("KategorieAufKarte"));
    ASSERT_TRUE(onto && onto->isEnabled());
    EXPECT_FALSE(form->categoryMenu->findChild<QAction *>(QStringLiteral("KategorieVonKarte"))->isEnabled());
    onto->trigger();
    form->categoryMenu->close();
    EXPECT_EQ(ProductsOnCard(form->catalogue, 1), 2);
    EXPECT_EQ(form->Rueckgaengig1->text(), QStringLiteral("Rückgängig: Ganze Kategorie auf diese Karte"));
    form->putCategoryOnCard(0, true);
    EXPECT_EQ(form->Pager->pageCount(), full);
    form->putCategoryOnCard(0, false);
    EXPECT_EQ(form->Pager->pageCount(), 1);
    choose(0);
    EXPECT_EQ(form->Pager->pageCount(), full);
    // A new product of a category that a card carries whole goes onto it.
    selectCategory(1);
    answerProduct("Wasser", 2);
    click(form->NeuesProduktBtn);
    EXPECT_EQ(form->catalogue.productCards(1, 2), uint64_t(3));
    selectCategory(0);
    answerProduct("Schnitzel", 12);
    click(form->NeuesProduktBtn);
    EXPECT_EQ(form->catalogue.productCards(0, 60), uint64_t(1));
}

TEST_F(CardsWindow, SavingReopeningAndTheRecoveryCopyKeepEveryCard)
{
    addSample();
    answerName(QStringLiteral("Mittagstisch"));
    click(bar()->NeuBtn);
    form->CaptionEd->setText(QStringLiteral("Mittagstisch"));
    form->CardOptionsBox->DatumBox->setCurrentIndex(2);
    form->CardOptionsBox->DatumEd->setDate(QDate(2026, 12, 10));
    form->putCategoryOnCard(0, true);
    const QByteArray doc = bytes();

    // The recovery copy is the document as the writer makes it.
    DocumentData fromBytes;
    ASSERT_TRUE(ReadDocument(doc, CardSettings(), fromBytes, nullptr));
    ASSERT_EQ(fromBytes.cards.names(), (QStringList{"Speisekarte", "Mittagstisch"}));
    EXPECT_EQ(fromBytes.settings.CaptionEd, QStringLiteral("Speisekarte"));
    EXPECT_EQ(fromBytes.cards.at(1).settings.CaptionEd, QStringLiteral("Mittagstisch"));
    EXPECT_EQ(fromBytes.cards.at(1).settings.DatumEd, QDate(2026, 12, 10));
    ASSERT_TRUE(form->recovery->writeNow());
    QFile copy(form->recovery->copyPath());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), doc) << "the recovery copy does not hold both cards";

    const QString path = userDir->filePath(QStringLiteral("karten.vlr"));
    fileAnswers.push_back(path);
    form->Speichern1->trigger();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), doc);

    form->NewAll();
    EXPECT_EQ(form->cards.count(), 1);
    EXPECT_EQ(bar()->KarteBox->count(), 1);
    ASSERT_TRUE(form->OpenFileWithName(path, true));
    EXPECT_EQ(form->selectedCard, 0);
    EXPECT_EQ(bar()->KarteBox->currentText(), QStringLiteral("Speisekarte"));
    EXPECT_EQ(form->CaptionEd->text(), QStringLiteral("Speisekarte"));
    EXPECT_EQ(bytes(), doc);
    choose(1);
    EXPECT_EQ(form->CaptionEd->text(), QStringLiteral("Mittagstisch"));
    EXPECT_EQ(form->CardOptionsBox->DatumBox->currentIndex(), 2);
    EXPECT_TRUE(form->CardOptionsBox->DatumEd->isEnabled());
    EXPECT_FALSE(form->changed);
}

TEST_F(CardsWindow, AllCardsExportWritesOnePdfPerCardIntoTheFolder)
{
    addSample();
    answerName(QStringLiteral("Getränke/Bar"));
    click(bar()->NeuBtn);
    form->putCategoryOnCard(1, true);
    const QString folder = userDir->filePath(QStringLiteral("karten"));
    ASSERT_TRUE(QDir().mkpath(folder));
    fileAnswers.push_back(folder);
    form->AlleKartenexportieren1->trigger();
    const QStringList written = QDir(folder).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(written, (QStringList{"Getränke_Bar.pdf", "Speisekarte.pdf"}));
    EXPECT_FALSE(QFileInfo::exists(userDir->filePath(QStringLiteral("karten/Getränke"))));
    for (const QString &f : written) {
        QFile pdf(QDir(folder).filePath(f));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(pdf.read(5) == "%PDF-") << f.toStdString();
    }
    EXPECT_TRUE(form->statusBar()->currentMessage().contains(QStringLiteral("2 PDF")));
    // The export of one card proposes a name that names it.
    EXPECT_EQ(form->proposedFileName(QStringLiteral("pdf")), QStringLiteral("Speisekarte-Getränke_Bar.pdf"));

    // Existing files: one question naming them; "Nein" writes nothing.
    QFile::resize(QDir(folder).filePath(QStringLiteral("Speisekarte.pdf")), 0);
    boxes.clear();
    boxAnswers.push_back(QMessageBox::No);
    fileAnswers.push_back(folder);
    form->AlleKartenexportieren1->trigger();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.at(0).second.contains(QStringLiteral("Getränke_Bar.pdf")));
    EXPECT_TRUE(boxes.at(0).second.contains(QStringLiteral("Speisekarte.pdf")));
    EXPECT_EQ(QFileInfo(QDir(folder).filePath(QStringLiteral("Speisekarte.pdf"))).size(), 0);
}

} // namespace

// The product dialog ticks a product's cards and "nicht im Angebot"; the
// product list shows both in its "Karten" column, which only a document of
// several cards or with dishes out of season has.
TEST_F(CardsWindow, TheProductDialogAndListShowAndChooseTheCards)
{
    addSample();
    choose(0);
    form->ListView2->setCurrentItem(form->ListView2->topLevelItem(0));
    form->ListView2Change();
    const int plainColumns = form->ListView1->columnCount();
    EXPECT_NE(form->ListView1->headerItem()->text(plainColumns - 1), QStringLiteral("Karten"));

    answerName(QStringLiteral("Mittagstisch"));
    click(bar()->NeuBtn);
    choose(0);
    form->ListView2->setCurrentItem(form->ListView2->topLevelItem(0));
    form->ListView2Change();
    ASSERT_EQ(form->ListView1->columnCount(), plainColumns + 1);
    const int cardsColumn = plainColumns;
    EXPECT_EQ(form->ListView1->headerItem()->text(cardsColumn), QStringLiteral("Karten"));
    EXPECT_EQ(form->ListView1->topLevelItem(1)->text(cardsColumn), QStringLiteral("Speisekarte"));

    // Linsensuppe onto the lunch card too, Tomatensuppe out of season.
    auto edit = [&](int row, std::function<void(TEditProduktForm *)> change) {
        form->ListView1->setCurrentItem(form->ListView1->topLevelItem(row));
        answers.push_back([change](QDialog *d) {
            auto *f = static_cast<TEditProduktForm *>(d);
            EXPECT_EQ(f->CardChecks.size(), 2);
            change(f);
            return int(QDialog::Accepted);
        });
        click(form->ProduktBearbeitenBtn);
    };
    edit(1, [](TEditProduktForm *f) { f->CardChecks.at(1)->setChecked(true); });
    edit(0, [](TEditProduktForm *f) { f->NichtImAngebotCheck->setChecked(true); });
    EXPECT_EQ(form->catalogue.productCards(0, 1), 0b11u);
    EXPECT_FALSE(form->catalogue.isOffered(0, 0));
    EXPECT_EQ(form->ListView1->topLevelItem(1)->text(cardsColumn), QStringLiteral("Speisekarte, Mittagstisch"));
    EXPECT_EQ(form->ListView1->topLevelItem(0)->text(cardsColumn), QStringLiteral("nicht im Angebot"));

    // Opening a product and confirming changes nothing.
    const QByteArray before = bytes();
    const int stepsBefore = steps();
    edit(0, [](TEditProduktForm *) {});
    edit(1, [](TEditProduktForm *) {});
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(steps(), stepsBefore);

    // The dish out of season keeps its place but leaves the card.
    DocumentData read;
    ASSERT_TRUE(ReadDocument(bytes(), CardSettings(), read, nullptr));
    EXPECT_FALSE(read.catalogue->isOffered(0, 0));
    EXPECT_EQ(read.catalogue->productCards(0, 1), 0b11u);

    // Undo gives the dish back to the card.
    form->Rueckgaengig1->trigger();
    EXPECT_TRUE(form->catalogue.isOffered(0, 0));
}
