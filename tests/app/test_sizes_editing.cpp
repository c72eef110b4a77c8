// Sizes and price changes in the windows: "Größen..." for the selected
// category, one price field per size in the product dialog, "Preise
// ändern..." with its list; every one an undo step.
#include "mainwindow_fixture.h"

#include "app/undohistory.h"
#include "catalogue/FloatEdit.h"
#include "catalogue/PriceChangeDialog.h"
#include "catalogue/SizesDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QPushButton>
#include <QUndoStack>
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
        EXPECT_EQ(f->chosenCategories(), QVector<int>{0});
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

// The price change works on the categories ticked in its list (the selected
// one at the start, named there), applies what its amount field shows, and
// refuses, with the reason under the list, a text it cannot read: typing
// "10", then "25 %", then Enter changes nothing; "25" and Enter applies 25 %.
// Prices that would drop to 0 stay and are listed as such; opening it and
// pressing OK at 0 % is no step.
TEST_F(SizesEditing, PriceChangeAppliesWhatItsFieldShowsToTheTickedCategories)
{
    newCategory("Speisen");
    answerProduct("Schnitzel", 21.5);
    click(form->NeuesProduktBtn);
    newCategory("Biere");
    answerProduct("Pils", 3.6);
    click(form->NeuesProduktBtn);
    newCategory("Weine");
    answerProduct("Riesling", 4.2);
    click(form->NeuesProduktBtn);
    selectCategory(2);
    const QByteArray before = bytes();
    const QString dp = UserDecimalPoint();
    auto okButton = [](QDialog *d) {
        return d->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    };
    auto afterPrices = [](TPriceChangeForm *f) {
        QStringList out;
        for (int i = 0; i < f->ChangesList->topLevelItemCount(); ++i)
            out << f->ChangesList->topLevelItem(i)->text(1) + " " + f->ChangesList->topLevelItem(i)->text(4);
        return out.join(" | ").toStdString();
    };

    // Opened and confirmed at 0 %: no change, no step.
    const int steps = form->history->stack()->index();
    answers.push_back([&](QDialog *d) {
        d->show();
        click(okButton(d));
        EXPECT_FALSE(d->isVisible());
        return d->result();
    });
    form->Preisendern1->trigger();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(form->history->stack()->index(), steps);

    answers.push_back([&](QDialog *d) {
        auto *f = qobject_cast<TPriceChangeForm *>(d);
        EXPECT_TRUE(f);
        if (!f)
            return int(QDialog::Rejected);
        f->show();
        // Named and ticked: the selected category; then the beers as well.
        EXPECT_EQ(f->CategoryList->count(), 3);
        EXPECT_EQ(f->CategoryList->item(2)->text(), "Weine");
        EXPECT_EQ(f->chosenCategories(), QVector<int>{2});
        f->CategoryList->item(1)->setCheckState(Qt::Checked);
        EXPECT_EQ(f->chosenCategories(), QVector<int>({1, 2}));

        f->AmountEd->setFocus();
        f->AmountEd->selectAll();
        QTest::keyClicks(f->AmountEd, "10");
        EXPECT_EQ(afterPrices(f), QStringList({"Pils " + FormatPrice2(3.96, dp[0]), "Riesling " + FormatPrice2(4.62, dp[0])})
                                      .join(" | ")
                                      .toStdString());
        f->AmountEd->selectAll();
        QTest::keyClicks(f->AmountEd, "25 %");
        // The list follows the text: nothing to show, and why.
        EXPECT_EQ(f->ChangesList->topLevelItemCount(), 0);
        const QString why = "\"25 %\" ist keine Zahl. Bitte nur die Zahl eingeben, z.B. 10 oder -5,5.";
        EXPECT_EQ(f->CountLabel->text().toStdString(), why.toStdString());
        QTest::keyClick(f->AmountEd, Qt::Key_Return);
        EXPECT_TRUE(f->isVisible()) << "Enter took an amount the field does not show";
        EXPECT_TRUE(f->AmountEd->isMarked());
        EXPECT_EQ(f->CountLabel->text().toStdString(), why.toStdString());
        click(okButton(f));
        EXPECT_TRUE(f->isVisible()) << "OK took an amount the field does not show";

        f->AmountEd->selectAll();
        QTest::keyClicks(f->AmountEd, "25");
        EXPECT_FALSE(f->AmountEd->isMarked());
        EXPECT_EQ(f->CountLabel->text().toStdString(), "2 Preise ändern sich");
        QTest::keyClick(f->AmountEd, Qt::Key_Return);
        EXPECT_FALSE(f->isVisible());
        return f->result();
    });
    form->Preisendern1->trigger();
    EXPECT_DOUBLE_EQ(form->catalogue.sizePrices(0, 0)[0], 21.5);
    EXPECT_DOUBLE_EQ(form->catalogue.sizePrices(1, 0)[0], 4.5);
    EXPECT_DOUBLE_EQ(form->catalogue.sizePrices(2, 0)[0], 5.25);
    EXPECT_EQ(form->history->stack()->index(), steps + 1);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), before);

    // A cut that would bring prices to 0: listed, unchanged, with the reason;
    // "ganze Karte" ticks every category; OK changes nothing.
    answers.push_back([&](QDialog *d) {
        auto *f = static_cast<TPriceChangeForm *>(d);
        f->show();
        click(f->AllBtn);
        EXPECT_EQ(f->chosenCategories(), QVector<int>({0, 1, 2}));
        f->AmountRadio->setChecked(true);
        f->AmountEd->setValue(-4.2);
        f->RoundingBox->setCurrentIndex(int(PriceRounding::Step50));
        EXPECT_EQ(afterPrices(f), QStringList({"Schnitzel " + FormatPrice2(17, dp[0]), "Pils unverändert",
                                               "Riesling unverändert"})
                                      .join(" | ")
                                      .toStdString());
        EXPECT_EQ(f->ChangesList->topLevelItem(1)->text(5).toStdString(), "Ergebnis wäre 0 oder weniger");
        EXPECT_EQ(f->ChangesList->topLevelItem(0)->text(5), "");
        EXPECT_EQ(f->CountLabel->text().toStdString(), "1 Preise ändern sich");
        click(f->NoneBtn);
        EXPECT_EQ(f->ChangesList->topLevelItemCount(), 0);
        click(okButton(f));
        return f->result();
    });
    form->Preisendern1->trigger();
    EXPECT_EQ(bytes(), before);
}
