// The second language's texts entered where the German ones are: the product
// dialog, the category list's second column, the sizes dialog and the
// additive list. Each change is one undo step with the German changes made
// with it; confirming without a change makes none.
#include "mainwindow_fixture.h"

#include "app/CardBar.h"
#include "app/MarksGroup.h"
#include "app/undohistory.h"
#include "catalogue/markrecords.h"
#include "dialogs/SizesDialog.h"
#include "dialogs/languagefields.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

class TranslationDialogs : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override { create(); }
    void TearDown() override { destroy(); }

    QByteArray bytes() const { return form->documentBytes(); }
    int steps() const { return form->history->stack()->index(); }

    // A category "Vorspeisen" with "Bruschetta" (description on two lines).
    void addStarter()
    {
        newCategory(QStringLiteral("Vorspeisen"));
        answers.push_back([](QDialog *d) {
            auto *f = static_cast<TEditProduktForm *>(d);
            f->Edit1->setText(QStringLiteral("Bruschetta"));
            f->Edit2->setPlainText(QStringLiteral("Geröstetes Brot\nmit Tomaten"));
            f->PreisEd->setValue(6.5);
            f->NameTrEd->setText(QStringLiteral("Bruschetta"));
            f->DescriptionTrEd->setPlainText(QStringLiteral("Toasted bread\nwith tomatoes"));
            f->QuantityTrEd->setText(QStringLiteral("2 slices"));
            return int(QDialog::Accepted);
        });
        click(form->NeuesProduktBtn);
    }
};

} // namespace

TEST_F(TranslationDialogs, ProductTranslationIsTakenWithTheProductInOneStep)
{
    addStarter();
    EXPECT_EQ(form->catalogue.translation(0, 0),
              (ProductTranslation{"Bruschetta", "Toasted bread\r\nwith tomatoes", "2 slices"}));

    // Editing shows the translation under the language's name; a change of
    // both languages is one step, and undoing it brings back both.
    const QByteArray before = bytes();
    const int at = steps();
    selectProduct(0);
    answers.push_back([](QDialog *d) {
        auto *f = static_cast<TEditProduktForm *>(d);
        EXPECT_EQ(f->TranslationBox->title(), "Englisch");
        EXPECT_EQ(f->DescriptionTrEd->toPlainText(), "Toasted bread\nwith tomatoes");
        f->Edit1->setText(QStringLiteral("Bruschetta classica"));
        f->NameTrEd->setText(QStringLiteral("Classic bruschetta"));
        return int(QDialog::Accepted);
    });
    click(form->ProduktBearbeitenBtn);
    EXPECT_EQ(WideText(form->catalogue.product(0, 0)->name), "Bruschetta classica");
    EXPECT_EQ(form->catalogue.translation(0, 0).name, "Classic bruschetta");
    EXPECT_EQ(steps(), at + 1);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(form->catalogue.translation(0, 0).name, "Bruschetta");

    // Only the translation changed: a step of its own.
    selectProduct(0);
    answers.push_back([](QDialog *d) {
        static_cast<TEditProduktForm *>(d)->QuantityTrEd->setText(QStringLiteral("3 slices"));
        return int(QDialog::Accepted);
    });
    click(form->ProduktBearbeitenBtn);
    EXPECT_EQ(steps(), at + 1);
    EXPECT_NE(bytes(), before);

    // OK without a change: no step, not a byte.
    const QByteArray now = bytes();
    selectProduct(0);
    answers.push_back([](QDialog *) { return int(QDialog::Accepted); });
    click(form->ProduktBearbeitenBtn);
    EXPECT_EQ(steps(), at + 1);
    EXPECT_EQ(bytes(), now);

    // A copy carries the translation; cancelling keeps what was there.
    selectProduct(0);
    answers.push_back([](QDialog *d) {
        auto *f = static_cast<TEditProduktForm *>(d);
        EXPECT_EQ(f->QuantityTrEd->text(), "3 slices");
        f->NameTrEd->setText(QStringLiteral("should not be stored"));
        return int(QDialog::Rejected);
    });
    click(form->ProduktKopierenBtn);
    EXPECT_EQ(form->catalogue.translation(0, 1).name, "Bruschetta");
}

TEST_F(TranslationDialogs, CategoryTranslationIsEditedInPlaceBesideTheName)
{
    newCategory(QStringLiteral("Vorspeisen"));
    EXPECT_EQ(form->ListView2->headerItem()->text(1), "Englisch");
    EXPECT_FALSE(form->ListView2->isColumnHidden(1));
    // Beside the names within the list's width, wide enough to read.
    QHeaderView *header = form->ListView2->header();
    EXPECT_LE(header->sectionPosition(1) + 100, form->ListView2->viewport()->width());
    EXPECT_GE(header->sectionSize(1), 100);
    const QByteArray before = bytes();
    const int at = steps();

    // Renaming, Tab goes on to the translation beside the name.
    QTreeWidgetItem *it = form->ListView2->topLevelItem(0);
    auto openEditor = [this] {
        QApplication::processEvents();
        QLineEdit *ed = nullptr;
        for (QLineEdit *e : form->ListView2->findChildren<QLineEdit *>())
            if (e->isVisible())
                ed = e;
        return ed;
    };
    form->ListView2->editItem(it, 0);
    QLineEdit *ed = openEditor();
    ASSERT_TRUE(ed);
    QTest::keyClick(ed, Qt::Key_Tab);
    ed = openEditor();
    ASSERT_TRUE(ed);
    EXPECT_EQ(form->ListView2->currentIndex().column(), 1);
    EXPECT_EQ(steps(), at); // the name as it was: no step
    ed->insert(QStringLiteral("Starters"));
    QTest::keyClick(ed, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(form->catalogue.categoryTranslation(0), "Starters");
    EXPECT_EQ(form->categoryNames(), QStringList{"Vorspeisen"});
    ASSERT_EQ(steps(), at + 1);

    // Kept as one line, as the list shows it.
    it->setText(1, QStringLiteral("Star\nters"));
    EXPECT_EQ(form->catalogue.categoryTranslation(0), "Star ters");
    EXPECT_EQ(it->text(1), "Star ters");

    // Undone and redone with the document; saved and opened again.
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(form->ListView2->topLevelItem(0)->text(1), "Starters");
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(form->ListView2->topLevelItem(0)->text(1), "");
    form->Wiederholen1->trigger();
    EXPECT_EQ(form->ListView2->topLevelItem(0)->text(1), "Starters");
    const QString path = userDir->filePath("karte.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(path));
    form->NewAll();
    EXPECT_EQ(form->ListView2->topLevelItemCount(), 0);
    ASSERT_TRUE(form->OpenFileWithName(path));
    EXPECT_EQ(form->ListView2->topLevelItem(0)->text(1), "Starters");
    EXPECT_EQ(form->catalogue.categoryTranslation(0), "Starters");
}

TEST_F(TranslationDialogs, SizeHeadingTranslationsComeFromTheSizesDialog)
{
    newCategory(QStringLiteral("Biere"));
    auto answerSizes = [this](QStringList headings, QStringList translations) {
        answers.push_back([=](QDialog *d) {
            auto *f = qobject_cast<TSizesForm *>(d);
            EXPECT_TRUE(f);
            if (!f)
                return int(QDialog::Rejected);
            EXPECT_EQ(f->LanguageLabel->text(), "Englisch");
            for (int k = 0; k < f->HeadingEds.size(); ++k) {
                if (!headings.isEmpty())
                    f->HeadingEds[k]->setText(headings.value(k));
                if (!translations.isEmpty())
                    f->HeadingTrEds[k]->setText(translations.value(k));
            }
            return int(QDialog::Accepted);
        });
    };
    answerSizes({"0,3 l", "0,5 l"}, {"0.3 l", "1 pint"});
    click(form->GroessenBtn);
    EXPECT_EQ(form->catalogue.sizeHeadings(0), QStringList({"0,3 l", "0,5 l"}));
    EXPECT_EQ(form->catalogue.sizeHeadingTranslations(0), QStringList({"0.3 l", "1 pint"}));
    const QByteArray before = bytes();
    const int at = steps();

    // Shown again as stored; OK without a change is no step.
    answerSizes({}, {});
    click(form->GroessenBtn);
    EXPECT_EQ(steps(), at);
    EXPECT_EQ(bytes(), before);

    // A translation alone is a step, undone with the document.
    answerSizes({}, {"0.3 l", "0.5 l"});
    click(form->GroessenBtn);
    EXPECT_EQ(form->catalogue.sizeHeadingTranslations(0), QStringList({"0.3 l", "0.5 l"}));
    EXPECT_EQ(steps(), at + 1);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), before);
}

TEST_F(TranslationDialogs, AdditiveTranslationsStandLineForLineBesideTheList)
{
    const QByteArray before = bytes();
    const int at = steps();
    QSignalSpy edited(form->MarksGroup, &TMarksGroup::additivesEdited);
    // OK without a change: no signal, no step.
    answers.push_back([](QDialog *d) {
        auto *dlg = static_cast<TAdditivesDialog *>(d);
        EXPECT_EQ(dlg->TranslationsLabel->text(), "Englisch");
        EXPECT_TRUE(dlg->additiveTranslations().isEmpty());
        return int(QDialog::Accepted);
    });
    form->MarksGroup->ZusatzBtnClick();
    EXPECT_EQ(edited.count(), 0);
    EXPECT_EQ(steps(), at);

    // Typed: read as the German lines are, kept for the document, one step.
    answers.push_back([](QDialog *d) {
        auto *dlg = static_cast<TAdditivesDialog *>(d);
        dlg->TranslationsMemo->setPlainText(QStringLiteral(" with colouring \n\nwith\tantioxidant\n\n"));
        return int(QDialog::Accepted);
    });
    form->MarksGroup->ZusatzBtnClick();
    EXPECT_EQ(edited.count(), 1);
    const QStringList typed{"with colouring", "", "with antioxidant"};
    EXPECT_EQ(form->cardSettings().marks.additiveTranslations, typed);
    EXPECT_EQ(steps(), at + 1);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), before);
    EXPECT_TRUE(form->MarksGroup->settings().additiveTranslations.isEmpty());
    form->Wiederholen1->trigger();
    EXPECT_EQ(form->MarksGroup->settings().additiveTranslations, typed);

    // Shown again as stored.
    answers.push_back([&](QDialog *d) {
        auto *dlg = static_cast<TAdditivesDialog *>(d);
        EXPECT_EQ(dlg->TranslationsMemo->toPlainText(), typed.join('\n'));
        return int(QDialog::Rejected);
    });
    form->MarksGroup->ZusatzBtnClick();
    EXPECT_EQ(edited.count(), 1);

    // The list and its translations are the document's: edited on a
    // further card, they are what the first card (and the file) holds.
    answers.push_back([](QDialog *d) {
        auto *dlg = qobject_cast<TCardNameDialog *>(d);
        EXPECT_TRUE(dlg);
        if (dlg)
            dlg->NameEd->setText(QStringLiteral("Getränkekarte"));
        return int(QDialog::Accepted);
    });
    click(form->CardBar->NeuBtn);
    ASSERT_EQ(form->selectedCard, 1);
    answers.push_back([](QDialog *d) {
        static_cast<TAdditivesDialog *>(d)->TranslationsMemo->setPlainText(QStringLiteral("colouring"));
        return int(QDialog::Accepted);
    });
    form->MarksGroup->ZusatzBtnClick();
    EXPECT_EQ(form->firstCardSettings().marks.additiveTranslations, QStringList{"colouring"});
}

TEST(AdditivesDialogTranslation, ShippedWordingShowsWhereTheDocumentHasNoneAndNoTranslationIsLost)
{
    // German is a language with shipped wording for the default list.
    const QStringList list = DefaultAdditives();
    TAdditivesDialog dlg(list);
    dlg.setTranslations({QStringLiteral("de"), QStringLiteral("Deutsch")}, {QString(), QStringLiteral("eigene")});
    EXPECT_EQ(dlg.TranslationsMemo->shownPlaceholder(0), list.at(0));
    EXPECT_EQ(dlg.TranslationsMemo->shownPlaceholder(1), ""); // the document's own
    EXPECT_EQ(dlg.TranslationsMemo->shownPlaceholder(2), list.at(2));
    // A placeholder is no translation.
    EXPECT_EQ(dlg.additiveTranslations(), QStringList({"", "eigene"}));
    // The hints follow the German lines as they are typed.
    dlg.AdditivesMemo->setPlainText(QStringLiteral("mit Taurin\n") + list.at(0));
    EXPECT_EQ(dlg.TranslationsMemo->shownPlaceholder(0), "");
    EXPECT_EQ(dlg.TranslationsMemo->shownPlaceholder(1), "");
    EXPECT_EQ(dlg.TranslationsMemo->linePlaceholders(), QStringList({"", list.at(0)}));

    // In a language without shipped wording there are no hints; what the
    // document holds comes back exactly while it is as shown.
    TAdditivesDialog other(list);
    other.setTranslations({QStringLiteral("xx"), QStringLiteral("Xish")}, {QStringLiteral(" as stored "), QString()});
    EXPECT_EQ(other.TranslationsLabel->text(), "Xish");
    EXPECT_EQ(other.TranslationsMemo->shownPlaceholder(1), "");
    EXPECT_EQ(other.additiveTranslations(), QStringList({" as stored ", ""}));

    // More translations than additives: the last would be lost, so the
    // dialog stays open and says so.
    dlg.TranslationsMemo->setPlainText(QStringLiteral("with taurine\n\nwith colouring"));
    dlg.accept();
    EXPECT_NE(dlg.result(), int(QDialog::Accepted));
    EXPECT_FALSE(dlg.AdditivesNote->isHidden());
    EXPECT_TRUE(dlg.AdditivesNote->text().contains("3"));
    dlg.TranslationsMemo->setPlainText(QStringLiteral("with taurine\n\n"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), int(QDialog::Accepted));
    EXPECT_EQ(dlg.additiveTranslations(), QStringList{"with taurine"});
}

namespace {
// Puts the German box's cursor at the start of `line` (plus `column`).
void cursorAt(TAdditivesDialog &dlg, int line, int column = 0)
{
    QTextCursor c(dlg.AdditivesMemo->document()->findBlockByNumber(line));
    c.setPosition(c.position() + column);
    dlg.AdditivesMemo->setTextCursor(c);
}
} // namespace

TEST(AdditivesDialogTranslation, ATranslationStaysBesideItsAdditiveWhenLinesComeAndGo)
{
    TAdditivesDialog dlg({"mit Farbstoff", "mit Konservierungsstoff", "mit Antioxidationsmittel", "gewachst"});
    dlg.setTranslations({QStringLiteral("en"), QString()},
                        {"with colouring", "with preservative", "with antioxidant", "waxed"});
    dlg.AdditivesMemo->setFocus();

    // A line in the middle removed as a whole: the later ones keep theirs.
    cursorAt(dlg, 1);
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_Delete);
    EXPECT_EQ(dlg.additives(), QStringList({"mit Farbstoff", "mit Antioxidationsmittel", "gewachst"}));
    EXPECT_EQ(dlg.additiveTranslations(), QStringList({"with colouring", "with antioxidant", "waxed"}));

    // A new line typed in the middle gets an empty translation.
    cursorAt(dlg, 0, 13);
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_Return);
    QTest::keyClicks(dlg.AdditivesMemo, QStringLiteral("mit Taurin"));
    EXPECT_EQ(dlg.additives(), QStringList({"mit Farbstoff", "mit Taurin", "mit Antioxidationsmittel", "gewachst"}));
    EXPECT_EQ(dlg.additiveTranslations(), QStringList({"with colouring", "", "with antioxidant", "waxed"}));

    // An empty line inserted before a line and taken away again with
    // Backspace.
    cursorAt(dlg, 2);
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_Return);
    EXPECT_EQ(dlg.additiveTranslations(), QStringList({"with colouring", "", "", "with antioxidant", "waxed"}));
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_Backspace);
    EXPECT_EQ(dlg.additiveTranslations(), QStringList({"with colouring", "", "with antioxidant", "waxed"}));

    // Removed from the end of the line before up to the end of a later
    // line: the removed lines' translations go, not their neighbour's.
    cursorAt(dlg, 0, 13);
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_Delete);
    EXPECT_EQ(dlg.additives(), QStringList({"mit Farbstoff", "gewachst"}));
    EXPECT_EQ(dlg.additiveTranslations(), QStringList({"with colouring", "waxed"}));

    // The last line removed: its translation goes with it, and the list
    // is taken.
    cursorAt(dlg, 0, 13);
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(dlg.AdditivesMemo, Qt::Key_Delete);
    EXPECT_EQ(dlg.additiveTranslations(), QStringList({"with colouring"}));
    dlg.accept();
    EXPECT_EQ(dlg.result(), int(QDialog::Accepted));

    // A list replaced as a whole ("Standardliste") leaves the translations
    // line for line where they stand.
    dlg.DefaultBtn->click();
    EXPECT_EQ(dlg.additives(), DefaultAdditives());
    EXPECT_EQ(dlg.additiveTranslations(), QStringList({"with colouring"}));
}
