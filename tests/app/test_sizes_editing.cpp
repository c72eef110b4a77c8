// Sizes and price changes in the windows: "Größen..." for the selected
// category, one price field per size in the product dialog, "Preise
// ändern..." with its list; every one an undo step.
#include "mainwindow_fixture.h"

#include "catalogue/PriceChangeDialog.h"
#include "catalogue/SizesDialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class SizesEditing : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override { create(); }
    void TearDown() override { destroy(); }

    QByteArray bytes() const { return form->documentBytes(); }

    void answerSizes(QStringList headings)
    {
        answers.push_back([=](QDialog *d) {
            auto *f = qobject_cast<TSizesForm *>(d);
            EXPECT_TRUE(f);
            if (!f)
                return int(QDialog::Rejected);
            for (int k = 0; k < f->HeadingEds.size(); ++k)
                f->HeadingEds[k]->setText(headings.value(k));
            return int(QDialog::Accepted);
        });
    }
};

} // namespace

TEST_F(SizesEditing, HeadingsPriceFieldsAndPriceChangesAreUndoSteps)
{
    newCategory("Biere");
    const QByteArray unsized = bytes();
    answerSizes({"0,3 l", "0,5 l"});
    click(form->GroessenBtn);
    EXPECT_EQ(form->catalogue.sizeHeadings(0), QStringList({"0,3 l", "0,5 l"}));
    const QByteArray sized = bytes();
    EXPECT_NE(sized, unsized);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), unsized);
    form->Wiederholen1->trigger();
    EXPECT_EQ(bytes(), sized);

    // The product dialog: one labelled field per size.
    selectCategory(0);
    answers.push_back([](QDialog *d) {
        auto *f = static_cast<TEditProduktForm *>(d);
        EXPECT_TRUE(f->SizeLabels[0]->isVisibleTo(f));
        EXPECT_EQ(f->SizeLabels[1]->text(), "0,5 l");
        EXPECT_TRUE(f->SizeEds[0]->isVisibleTo(f));
        EXPECT_FALSE(f->SizeEds[1]->isVisibleTo(f));
        f->Edit1->setText("Pils vom Fass");
        f->PreisEd->setValue(3.6);
        f->SizeEds[0]->setValue(4.8);
        return int(QDialog::Accepted);
    });
    click(form->NeuesProduktBtn);
    QVector<double> p = form->catalogue.sizePrices(0, 0);
    ASSERT_EQ(p.size(), 2);
    EXPECT_DOUBLE_EQ(p[0], 3.6);
    EXPECT_DOUBLE_EQ(p[1], 4.8);

    // Editing shows the prices; an emptied further size is no price.
    selectProduct(0);
    answers.push_back([](QDialog *d) {
        auto *f = static_cast<TEditProduktForm *>(d);
        EXPECT_DOUBLE_EQ(f->SizeEds[0]->value(), 4.8);
        f->SizeEds[0]->setValue(0);
        return int(QDialog::Accepted);
    });
    click(form->ProduktBearbeitenBtn);
    EXPECT_TRUE(std::isnan(form->catalogue.sizePrices(0, 0)[1]));
    form->Rueckgaengig1->trigger();
    EXPECT_DOUBLE_EQ(form->catalogue.sizePrices(0, 0)[1], 4.8);

    // "Preise ändern...": 10 percent onto ,90 for the selected category, the
    // list shows both sizes, OK is one step.
    selectCategory(0);
    const QByteArray before = bytes();
    answers.push_back([](QDialog *d) {
        auto *f = qobject_cast<TPriceChangeForm *>(d);
        EXPECT_TRUE(f);
        if (!f)
            return int(QDialog::Rejected);
        EXPECT_TRUE(f->CategoryRadio->isChecked());
        f->AmountEd->setValue(10);
        f->RoundingBox->setCurrentIndex(int(PriceRounding::End90));
        EXPECT_EQ(f->ChangesList->topLevelItemCount(), 2);
        EXPECT_EQ(f->ChangesList->topLevelItem(1)->text(2), "0,5 l");
        EXPECT_EQ(f->ChangesList->topLevelItem(1)->text(4), FormatPrice2(5.9, UserDecimalPoint()));
        return int(QDialog::Accepted);
    });
    form->Preisendern1->trigger();
    p = form->catalogue.sizePrices(0, 0);
    EXPECT_DOUBLE_EQ(p[0], 4.9); // 3,96
    EXPECT_DOUBLE_EQ(p[1], 5.9); // 5,28
    EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig: Preise ändern");
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), before);

    // Cancelled: nothing changes.
    answers.push_back([](QDialog *d) {
        static_cast<TPriceChangeForm *>(d)->AmountEd->setValue(50);
        return int(QDialog::Rejected);
    });
    form->Preisendern1->trigger();
    EXPECT_EQ(bytes(), before);
}
