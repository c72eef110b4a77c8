#include "mainwindow_fixture.h"
#include "testutil.h"

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

TEST_F(CatalogueCommands, PriceColumnFollowsDecimalSeparator)
{
    newCategory("Preise");
    answerProduct("a", 2.5);
    click(form->NeuesProduktBtn);
    answerProduct("b", 0);
    click(form->NeuesProduktBtn);
    answerProduct("c", -1);
    click(form->NeuesProduktBtn);
    {
        testutil::LocaleScope de("de_DE");
        form->ListProds();
        EXPECT_EQ(form->ListView1->topLevelItem(0)->text(2), "2,50");
        EXPECT_EQ(form->ListView1->topLevelItem(1)->text(2), "0,00");
        EXPECT_EQ(form->ListView1->topLevelItem(2)->text(2), "-1,00");
    }
    {
        testutil::LocaleScope en("en_US");
        form->ListProds();
        EXPECT_EQ(form->ListView1->topLevelItem(0)->text(2), "2.50");
    }
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
