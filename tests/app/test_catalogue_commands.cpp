#include "mainwindow_fixture.h"
#include "testutil.h"
#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

class CatalogueCommands : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override { create(); }
    void TearDown() override { destroy(); }

    QStringList productNames(int cat)
    {
        QStringList out;
        TDynaArray *prods = form->catalogue.products(cat);
        prods->First();
        while (prods->WhileNext())
            out << WideText(form->aprod->name);
        return out;
    }
    QStringList listedNames()
    {
        QStringList out;
        for (int i = 0; i < form->ListView1->topLevelItemCount(); ++i)
            out << form->ListView1->topLevelItem(i)->text(0);
        return out;
    }
};

} // namespace

TEST_F(CatalogueCommands, NewProductNeedsSelectedCategory)
{
    EXPECT_FALSE(form->NeuesProduktBtn->isEnabled());
    form->NeuesProduktBtnClick();
    EXPECT_EQ(dialogsShown, 0);
    newCategory("Vorspeisen");
    EXPECT_EQ(form->ListView2->topLevelItem(0)->text(0), "Vorspeisen");
    EXPECT_TRUE(form->NeuesProduktBtn->isEnabled());
    EXPECT_EQ(form->catalogue.categoryCount(), 1);
}

TEST_F(CatalogueCommands, EmptyDialogKeepsNumberAndQuantityOfLastClose)
{
    newCategory("Getränke");
    answerProduct("Cola", 2.5, 7, "0,33l");
    click(form->NeuesProduktBtn);
    // Confirm the next dialog without typing anything.
    answers.push_back([](QDialog *) { return int(QDialog::Accepted); });
    click(form->NeuesProduktBtn);
    ASSERT_EQ(form->catalogue.products(0)->count, 2u);
    TProductRec *p = form->catalogue.product(0, 1);
    EXPECT_EQ(p->name[0], u'\0');
    EXPECT_EQ(p->description[0], u'\0');
    EXPECT_EQ(p->price, 0.0);
    EXPECT_EQ(p->number, 7);
    EXPECT_EQ(WideText(p->quantity), "0,33l");
}

TEST_F(CatalogueCommands, CancelledDialogsChangeNothing)
{
    newCategory("Suppen");
    answerProduct("Tomatensuppe", 4.2);
    click(form->NeuesProduktBtn);
    form->SetUnChanged();

    answerCancel();
    click(form->NeuesProduktBtn);
    EXPECT_EQ(form->catalogue.products(0)->count, 1u);
    EXPECT_FALSE(form->changed);

    selectCategory(0);
    form->SetUnChanged();
    selectProduct(0);
    answerCancel();
    click(form->ProduktBearbeitenBtn);
    EXPECT_EQ(productNames(0), QStringList{"Tomatensuppe"});
    EXPECT_FALSE(form->changed);
}

TEST_F(CatalogueCommands, MovingAtTheEndsDoesNothing)
{
    newCategory("A");
    answerProduct("eins", 1);
    click(form->NeuesProduktBtn);
    answerProduct("zwei", 2);
    click(form->NeuesProduktBtn);
    form->SetUnChanged();
    selectProduct(0);
    form->SetUnChanged();
    click(form->ProduktNachObenBtn);
    EXPECT_FALSE(form->changed);
    selectProduct(1);
    click(form->ProduktNachUntenBtn);
    EXPECT_FALSE(form->changed);
    selectProduct(0);
    click(form->ProduktNachUntenBtn);
    EXPECT_TRUE(form->changed);
    EXPECT_EQ(productNames(0), (QStringList{"zwei", "eins"}));
    EXPECT_EQ(listedNames(), (QStringList{"zwei", "eins"}));
    EXPECT_EQ(form->ListView1->currentItem()->text(0), "eins");
    selectProduct(1);
    click(form->ProduktNachObenBtn);
    EXPECT_EQ(productNames(0), (QStringList{"eins", "zwei"}));

    // Categories: up and down through their buttons, nothing at the ends.
    newCategory("B");
    newCategory("C");
    ASSERT_EQ(form->categoryNames(), (QStringList{"A", "B", "C"}));
    selectCategory(0);
    form->SetUnChanged();
    click(form->BitBtn3);
    EXPECT_FALSE(form->changed);
    selectCategory(2);
    form->SetUnChanged();
    click(form->BitBtn4);
    EXPECT_FALSE(form->changed);
    EXPECT_EQ(form->categoryNames(), (QStringList{"A", "B", "C"}));
    click(form->BitBtn3);
    EXPECT_EQ(form->categoryNames(), (QStringList{"A", "C", "B"}));
    EXPECT_EQ(form->ListView2->currentItem()->text(0), "C");
    selectCategory(0);
    click(form->BitBtn4);
    EXPECT_EQ(form->categoryNames(), (QStringList{"C", "A", "B"}));
    EXPECT_TRUE(form->changed);
    // The products moved with their category.
    EXPECT_EQ(productNames(1), (QStringList{"eins", "zwei"}));
}

TEST_F(CatalogueCommands, PriceColumnFollowsDecimalSeparatorAndQuantityHasItsOwn)
{
    newCategory("Preise");
    answerProduct("a", 2.5, 0, "0,3 l");
    click(form->NeuesProduktBtn);
    answerProduct("b", 0);
    click(form->NeuesProduktBtn);
    answerProduct("c", -1, 0, QString(), "Alle Preise inklusive");
    click(form->NeuesProduktBtn);
    QTreeWidgetItem *h = form->ListView1->headerItem();
    EXPECT_EQ(QStringList({h->text(0), h->text(1), h->text(2), h->text(3)}),
              QStringList({"Bezeichnung", "Beschreibung", "Menge", "Preis"}));
    {
        testutil::LocaleScope de("de_DE");
        form->ListProds();
        EXPECT_EQ(form->ListView1->topLevelItem(0)->text(3), "2,50");
        EXPECT_EQ(form->ListView1->topLevelItem(0)->text(2), "0,3 l");
        EXPECT_EQ(form->ListView1->topLevelItem(1)->text(3), "0,00");
        EXPECT_EQ(form->ListView1->topLevelItem(1)->text(2), "");
        // A free text shows what it is, not its internal price.
        EXPECT_EQ(form->ListView1->topLevelItem(2)->text(3), "Freitext");
        EXPECT_EQ(form->ListView1->topLevelItem(2)->text(1), "Alle Preise inklusive");
    }
    {
        testutil::LocaleScope en("en_US");
        form->ListProds();
        EXPECT_EQ(form->ListView1->topLevelItem(0)->text(3), "2.50");
    }
}

TEST_F(CatalogueCommands, CopyAndMoveProductsAreUndoSteps)
{
    newCategory("Suppen");
    answerProduct("Gulasch", 4.5, 7, "0,3 l", "scharf");
    click(form->NeuesProduktBtn);
    answerProduct("Brühe", 3);
    click(form->NeuesProduktBtn);
    form->catalogue.setMarks(0, 0, [] { ProductMarks m; m.setAllergen(6, true); return m; }());
    newCategory("Hauptgerichte");
    selectCategory(0);
    selectProduct(0);

    // The copy lands below the original and opens in the product dialog;
    // what the dialog changes belongs to the same step.
    answers.push_back([](QDialog *d) {
        auto *f = static_cast<TEditProduktForm *>(d);
        EXPECT_EQ(f->Edit1->text(), "Gulasch");
        EXPECT_EQ(f->MengeEd->text(), "0,3 l");
        f->MengeEd->setText("0,5 l");
        return int(QDialog::Accepted);
    });
    click(form->ProduktKopierenBtn);
    EXPECT_TRUE(answers.empty());
    EXPECT_EQ(productNames(0), (QStringList{"Gulasch", "Gulasch", "Brühe"}));
    EXPECT_EQ(form->ListView1->topLevelItem(1)->text(2), "0,5 l");
    EXPECT_EQ(form->ListView1->topLevelItem(0)->text(2), "0,3 l");
    EXPECT_TRUE(form->catalogue.marks(0, 1).hasAllergen(6));
    EXPECT_EQ(form->ListView1->currentItem(), form->ListView1->topLevelItem(1));
    EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig: Produkt kopieren");
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(productNames(0), (QStringList{"Gulasch", "Brühe"}));

    // Moving through the context menu's "Verschieben nach": the other
    // categories only.
    selectCategory(0);
    selectProduct(0);
    form->productContextMenu(form->ListView1->visualItemRect(form->ListView1->topLevelItem(0)).center());
    ASSERT_TRUE(form->productMenu);
    auto *move = form->productMenu->findChild<QMenu *>("VerschiebenMenu");
    ASSERT_TRUE(move);
    ASSERT_EQ(move->actions().size(), 1);
    EXPECT_EQ(move->actions().first()->text(), "Hauptgerichte");
    move->actions().first()->trigger();
    form->productMenu->close();
    EXPECT_EQ(productNames(0), (QStringList{"Brühe"}));
    EXPECT_EQ(productNames(1), (QStringList{"Gulasch"}));
    EXPECT_TRUE(form->catalogue.marks(1, 0).hasAllergen(6));
    EXPECT_EQ(listedNames(), (QStringList{"Brühe"}));
    EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig: Verschieben nach");
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(productNames(0), (QStringList{"Gulasch", "Brühe"}));
    EXPECT_EQ(productNames(1), QStringList());
    EXPECT_TRUE(form->catalogue.marks(0, 0).hasAllergen(6));
    form->Wiederholen1->trigger();
    EXPECT_EQ(productNames(1), (QStringList{"Gulasch"}));
}

TEST_F(CatalogueCommands, KeysOfTheListsEditDeleteAndAdd)
{
    newCategory("Suppen");
    answerProduct("Gulasch", 4.5);
    click(form->NeuesProduktBtn);

    // Products: Ins adds, Enter and F2 edit, Del deletes.
    form->ListView1->setFocus();
    answerProduct("Brühe", 3);
    QTest::keyClick(form->ListView1, Qt::Key_Insert);
    EXPECT_EQ(productNames(0), (QStringList{"Gulasch", "Brühe"}));
    selectProduct(0);
    answerProduct("Gulaschsuppe", 4.5);
    QTest::keyClick(form->ListView1, Qt::Key_Return);
    answerProduct("Gulaschsuppe groß", 6);
    QTest::keyClick(form->ListView1, Qt::Key_F2);
    EXPECT_TRUE(answers.empty());
    EXPECT_EQ(productNames(0), (QStringList{"Gulaschsuppe groß", "Brühe"}));
    QTest::keyClick(form->ListView1, Qt::Key_Delete);
    EXPECT_EQ(productNames(0), (QStringList{"Brühe"}));

    // Categories: Del deletes the selected one, Ins opens a new one's editor,
    // F2 and Enter the selected one's.
    selectCategory(0);
    QTest::keyClick(form->ListView2, Qt::Key_Insert);
    QApplication::processEvents();
    auto *ed = form->ListView2->findChild<QLineEdit *>();
    ASSERT_TRUE(ed && ed->isVisible());
    ed->insert("Desserts");
    QTest::keyClick(ed, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(form->categoryNames(), (QStringList{"Suppen", "Desserts"}));
    form->ListView2->setFocus();
    QTest::keyClick(form->ListView2, Qt::Key_Return);
    QApplication::processEvents();
    ed = form->ListView2->findChild<QLineEdit *>();
    ASSERT_TRUE(ed && ed->isVisible());
    EXPECT_EQ(ed->text(), "Desserts");
    QTest::keyClick(ed, Qt::Key_Escape);
    QApplication::processEvents();
    form->ListView2->setFocus();
    QTest::keyClick(form->ListView2, Qt::Key_Delete);
    EXPECT_EQ(form->categoryNames(), (QStringList{"Suppen"}));
}

TEST_F(CatalogueCommands, SelectingAnotherCategoryListsItsProductsAndChangesNothing)
{
    newCategory("A");
    answerProduct("a1", 1);
    click(form->NeuesProduktBtn);
    newCategory("B");
    EXPECT_TRUE(listedNames().isEmpty());
    form->SetUnChanged();
    selectCategory(0);
    EXPECT_FALSE(form->changed);
    EXPECT_EQ(listedNames(), QStringList{"a1"});
    // by keyboard
    QTest::keyClick(form->ListView2, Qt::Key_Down);
    EXPECT_TRUE(listedNames().isEmpty());
}

TEST_F(CatalogueCommands, ClearedSelectionEmptiesProductListAndDisablesButtons)
{
    newCategory("A");
    answerProduct("a1", 1);
    click(form->NeuesProduktBtn);
    ASSERT_EQ(listedNames(), QStringList{"a1"});
    form->ListView2->clearSelection(); // a click on the empty area does this
    EXPECT_TRUE(listedNames().isEmpty());
    EXPECT_FALSE(form->NeuesProduktBtn->isEnabled());
    EXPECT_FALSE(form->ProduktLoeschenBtn->isEnabled());
}

TEST_F(CatalogueCommands, RenameInProgressCountsWhenClosing)
{
    newCategory("Alt");
    form->SetUnChanged();
    click(form->BitBtnXP2);
    QApplication::processEvents();
    auto *ed = form->ListView2->findChild<QLineEdit *>();
    ASSERT_NE(ed, nullptr);
    ASSERT_TRUE(ed->isVisible());
    ed->selectAll();
    ed->insert("Neu");
    // Closing while the editor is still open: the rename is committed first,
    // so the save question comes.
    boxAnswers.push_back(QMessageBox::Cancel);
    EXPECT_FALSE(form->close());
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(form->ListView2->topLevelItem(0)->text(0), "Neu");
    EXPECT_TRUE(form->changed);
}

namespace {

// Qt's warnings while it lives (what the program would print on standard error).
struct WarningCatcher {
    static inline QStringList caught;
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &msg)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            caught << msg;
    }
    QtMessageHandler before;
    WarningCatcher() : before(qInstallMessageHandler(handler)) { caught.clear(); }
    ~WarningCatcher() { qInstallMessageHandler(before); }
};

} // namespace

TEST_F(CatalogueCommands, RenamingStartsWithF2ADoubleClickOrTheButtonOnly)
{
    // What a new user does first: a category named and confirmed with Enter,
    // renamed with F2 and with the button; nothing on standard error (Enter
    // in the name's editor reached the list as a second rename).
    const WarningCatcher warnings;
    newCategory("Suppen");
    newCategory("Salate");
    QTreeWidget *lv = form->ListView2;
    auto editor = [&] {
        QApplication::processEvents();
        auto *ed = lv->findChild<QLineEdit *>();
        return ed && ed->isVisible() ? ed : nullptr;
    };
    auto rename = [&](const QString &name) {
        QLineEdit *ed = editor();
        if (!ed)
            return false;
        ed->selectAll();
        ed->insert(name);
        QTest::keyClick(ed, Qt::Key_Return);
        QApplication::processEvents();
        return editor() == nullptr;
    };
    selectCategory(0);
    lv->setFocus();
    QTest::keyClick(lv, Qt::Key_F2);
    EXPECT_TRUE(rename("Suppen & Eintöpfe"));
    click(form->BitBtnXP2);
    // Insert in the editor is the editor's: no new category.
    QTest::keyClick(editor(), Qt::Key_Insert);
    EXPECT_TRUE(rename("Vorspeisen"));
    const QRect second = lv->visualItemRect(lv->topLevelItem(1));
    QTest::mousePress(lv->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseRelease(lv->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(lv->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_TRUE(rename("Salatteller"));
    EXPECT_EQ(form->categoryNames(), (QStringList{"Vorspeisen", "Salatteller"}));
    EXPECT_TRUE(warnings.caught.isEmpty()) << warnings.caught.join('\n').toStdString();

    // A single click on the selected category, then typing to find another:
    // no editor, the names stay. (A click waits the double-click time before
    // it would rename; that time is none here.)
    const int interval = QApplication::doubleClickInterval();
    QApplication::setDoubleClickInterval(0);
    selectCategory(0);
    selectCategory(0);
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    EXPECT_EQ(editor(), nullptr);
    QTest::keyClicks(lv, "Sal");
    QApplication::setDoubleClickInterval(interval);
    EXPECT_EQ(form->categoryNames(), (QStringList{"Vorspeisen", "Salatteller"}));
    EXPECT_EQ(lv->currentItem(), lv->topLevelItem(1));
}
