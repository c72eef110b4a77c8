// Sizes and price changes in the windows: "Größen..." for the selected
// category, one price field per size in the product dialog, "Preise
// ändern..." with its list; every one an undo step.
#include "mainwindow_fixture.h"
#include "testutil.h"

#include "app/CardBar.h"
#include "app/CardOptionsBox.h"
#include "app/MarksGroup.h"
#include "app/PaperBox.h"
#include "app/QrCodeBox.h"
#include "app/undohistory.h"
#include "dialogs/FloatEdit.h"
#include "dialogs/PriceChangeDialog.h"
#include "dialogs/SizesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
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

namespace {

// Shows a dialog the window opened, presses its OK button as the user would
// and gives back what the dialog ended with.
int pressOk(QDialog *d)
{
    d->show();
    QPushButton *ok = nullptr;
    for (const char *name : {"BitBtn1", "SizesOk", "PriceChangeOk", "CardNameOk"})
        if (!ok)
            ok = d->findChild<QPushButton *>(QLatin1String(name));
    EXPECT_TRUE(ok) << d->objectName().toStdString();
    if (ok)
        QTest::mouseClick(ok, Qt::LeftButton);
    const int result = d->result();
    d->hide();
    return result;
}

} // namespace

// Every dialog that edits the document, opened on every product, category and
// setting and confirmed without a change, leaves the document's bytes and the
// undo history as they were: on the example card, and on a card that uses
// every feature, including values that the fields cannot show exactly.
TEST_F(SizesEditing, OpeningAndConfirmingADialogChangesNothing)
{
    // The card with every feature, saved and opened again so that it is
    // what a file gives.
    ASSERT_TRUE(form->OpenFileWithName(QStringLiteral(VELLORAN_SOURCE_DIR "/examples/restaurant.vlr")));
    Catalogue &c = form->catalogue;
    c.addCategory();
    const int all = c.categoryCount() - 1;
    form->ListView2->addTopLevelItem(new QTreeWidgetItem(QStringList{"Alles"}));
    auto add = [&](int cat, const QString &name, double price, int number, const QString &desc,
                   const QString &qty) {
        ProductValues v;
        v.name = name;
        v.price = price;
        v.number = number;
        v.description = desc;
        v.quantity = qty;
        c.addProduct(cat, v);
        return int(c.products(cat)->count) - 1;
    };
    add(all, "Freitext", -1, 0, "Alle Gerichte\nauch\rzum Mitnehmen\u00a0\u2028!", QString());
    add(all, "Auf Anfrage", 0, 12, QString(), "1 Stück");
    add(all, "Ohne Nummer", 0.1 + 0.2, -3, QString("x").repeated(40), QString("q").repeated(33000));
    ProductMarks marks;
    marks.setAllergen(0, true);
    marks.setAdditive(2, true);
    marks.setAdditive(14, true); // beyond the list
    c.setMarks(all, 2, marks);
    c.setSizeHeadings(all, {" 0,2 l", "0,4 l ", "1 l"});
    const int empty = add(all, "Nur groß", 0, 0, QString(), QString());
    c.setSizePrices(all, empty, {std::nan(""), std::nan(""), 9.5});
    const int both = add(all, "Alle Größen", 2.123456789012, 0, QString(), QString());
    c.setSizePrices(all, both, {2.123456789012, 3.5, 7});
    MarkSettings ms = form->MarksGroup->settings();
    ms.additives << " mit Taurin ";
    form->MarksGroup->setSettings(ms);
    form->PaperBox->A5Radio->setChecked(true);
    form->PaperBox->QuerCheck->setChecked(true);
    form->QrCodeBox->QrUrlEd->setText("https://example.org/karte");
    form->QrCodeBox->QrDruckCheck->setChecked(true);
    form->QrCodeBox->QrGroesseEd->setValue(33.3);
    // A second card with the whole last category, its own numbering and
    // a fixed date line.
    const int cardsBefore = form->cards.count();
    answers.push_back([](QDialog *d) {
        static_cast<TCardNameDialog *>(d)->NameEd->setText("Saisonkarte");
        return int(QDialog::Accepted);
    });
    click(form->CardBar->NeuBtn);
    form->putCategoryOnCard(all, true);
    form->CardOptionsBox->NummernJeKarteCheck->setChecked(true);
    form->CardOptionsBox->DatumBox->setCurrentIndex(2);
    form->CardOptionsBox->DatumEd->setDate(QDate(2026, 12, 10));
    ASSERT_EQ(form->cards.count(), cardsBefore + 1);
    const QString everything = userDir->filePath("everything.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(everything));
    ASSERT_TRUE(c.firstSizeEmpty(all, empty));

    form->MarksGroup->execDialog = [](QDialog *d) { return pressOk(d); };
    for (const QString &doc : {QStringLiteral(VELLORAN_SOURCE_DIR "/examples/restaurant.vlr"), everything}) {
        SCOPED_TRACE(doc.toStdString());
        ASSERT_TRUE(form->OpenFileWithName(doc));
        const QByteArray before = bytes();
        const int steps = form->history->stack()->count();
        // A change is reported once, named; the document is opened again
        // for the next dialog.
        auto unchanged = [&](const std::string &what) {
            const bool same = bytes() == before;
            EXPECT_TRUE(same) << what << " changed the document";
            EXPECT_EQ(form->history->stack()->count(), steps) << what;
            EXPECT_FALSE(form->changed) << what;
            if (!same || form->changed)
                ASSERT_TRUE(form->OpenFileWithName(doc));
        };
        for (int i = 0; i < c.categoryCount(); ++i) {
            selectCategory(i);
            for (int r = 0; r < int(c.products(i)->count); ++r) {
                selectProduct(r);
                answers.push_back(pressOk);
                click(form->ProduktBearbeitenBtn);
                unchanged("product " + std::to_string(i) + "/" + std::to_string(r));
            }
            answers.push_back(pressOk);
            click(form->GroessenBtn);
            unchanged("sizes of category " + std::to_string(i));
            answers.push_back(pressOk);
            form->Preisendern1->trigger();
            unchanged("prices of category " + std::to_string(i) + " at 0 %");
        }
        answers.push_back([](QDialog *d) {
            static_cast<TPriceChangeForm *>(d)->AllBtn->click();
            return pressOk(d);
        });
        form->Preisendern1->trigger();
        unchanged("prices of the card at 0 %");
        click(form->MarksGroup->ZusatzBtn);
        unchanged("additives");
        for (int n = 3; n <= 11; ++n) {
            testutil::ModalAnswer answer([](QDialog *d) { d->accept(); });
            click(form->findChild<QPushButton *>(QStringLiteral("BitBtnXP%1").arg(n)));
            EXPECT_TRUE(answer.answered());
            unchanged("font " + std::to_string(n));
        }
        // The settings that stand in the window: the chosen paper chosen
        // again, the QR size field entered and left.
        form->PageControl1->setCurrentWidget(form->TabSheet3);
        for (QRadioButton *r : {form->PaperBox->DruckerRadio, form->PaperBox->A4Radio, form->PaperBox->A5Radio})
            if (r->isChecked())
                QTest::mouseClick(r, Qt::LeftButton);
        unchanged("paper");
        form->PageControl1->setCurrentWidget(form->TabSheet2);
        form->QrCodeBox->QrGroesseEd->setFocus();
        QTest::keyClick(form->QrCodeBox->QrGroesseEd, Qt::Key_Return);
        form->QrCodeBox->QrUrlEd->setFocus();
        unchanged("QR code");
        // Every card: shown, renamed to its own name, its date line chosen again.
        for (int k = 0; k < form->cards.count(); ++k) {
            form->CardBar->KarteBox->setCurrentIndex(k);
            emit form->CardBar->KarteBox->activated(k);
            unchanged("card " + std::to_string(k) + " shown");
            answers.push_back(pressOk);
            click(form->CardBar->UmbenennenBtn);
            unchanged("card " + std::to_string(k) + " renamed");
            form->CardOptionsBox->DatumBox->setCurrentIndex(form->CardOptionsBox->DatumBox->currentIndex());
            form->CardOptionsBox->DatumEd->setFocus();
            QTest::keyClick(form->CardOptionsBox->DatumEd, Qt::Key_Return);
            unchanged("card " + std::to_string(k) + " date line");
        }
        EXPECT_TRUE(answers.empty());
    }
}

// The product list shows a price column per size, titled with its heading,
// and a category without sizes its one "Preis" column. Fewer sizes, or a
// product moved into a category with fewer sizes, drop prices only when the
// user says yes to a question that names how many: one step then, none
// after "No".
TEST_F(SizesEditing, ProductListShowsEverySizeAndDroppingPricesIsAsked)
{
    ASSERT_TRUE(form->OpenFileWithName(QStringLiteral(VELLORAN_SOURCE_DIR "/examples/restaurant.vlr")));
    const QStringList names = form->categoryNames();
    const int biere = int(names.indexOf("Biere"));
    const int suppen = int(names.indexOf("Suppen"));
    ASSERT_GE(biere, 0);
    ASSERT_GE(suppen, 0);
    const QStringList headings = form->catalogue.sizeHeadings(biere);
    ASSERT_EQ(headings.size(), 2);
    QTreeWidget *list = form->ListView1;
    const QChar dp = UserDecimalPoint();
    // The example's cards add their column after the prices.
    ASSERT_GT(form->cards.count(), 1);
    const int cards = 1;

    selectCategory(suppen);
    const QString priceTitle = list->headerItem()->text(3);
    EXPECT_EQ(list->columnCount(), 4 + cards);
    selectCategory(biere);
    ASSERT_EQ(list->columnCount(), 5 + cards);
    EXPECT_EQ(list->headerItem()->text(5), QStringLiteral("Karten"));
    EXPECT_EQ(list->headerItem()->text(3), headings.at(0));
    EXPECT_EQ(list->headerItem()->text(4), headings.at(1));
    EXPECT_EQ(list->topLevelItem(0)->text(3), FormatPrice2(3.6, dp));
    EXPECT_EQ(list->topLevelItem(0)->text(4), FormatPrice2(4.8, dp));
    EXPECT_EQ(list->topLevelItem(1)->text(0), "Hefeweizen");
    EXPECT_EQ(list->topLevelItem(1)->text(3), QStringLiteral("\u2013"));
    EXPECT_EQ(list->topLevelItem(1)->text(4), FormatPrice2(4.9, dp));
    // Every column within the list's width, the description's included.
    int widths = 0;
    for (int k = 0; k < list->columnCount(); ++k)
        widths += list->columnWidth(k);
    EXPECT_GT(list->columnWidth(1), 0);
    EXPECT_LE(widths, list->viewport()->width());
    // From sizes to other sizes and back to none: "Preis" again.
    selectCategory(int(names.indexOf(QString::fromUtf8("Alkoholfreie Getränke"))));
    EXPECT_EQ(list->columnCount(), 6 + cards);
    selectCategory(suppen);
    EXPECT_EQ(list->columnCount(), 4 + cards);
    EXPECT_EQ(list->headerItem()->text(3), priceTitle);
    EXPECT_EQ(list->topLevelItem(2)->text(3), FormatPrice2(0, dp)); // on request, as always

    // One size fewer: four prices of 0,5 l would go. "No" keeps everything.
    selectCategory(biere);
    const QByteArray before = bytes();
    const int steps = form->history->stack()->count();
    boxAnswers.push_back(QMessageBox::No);
    answerSizes({headings.at(0)});
    click(form->GroessenBtn);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.last().second.contains("4 Preise")) << boxes.last().second.toStdString();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(form->history->stack()->count(), steps);
    // No sizes at all: asked as well; "Yes" is one step.
    answerSizes({});
    click(form->GroessenBtn);
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes.last().second.contains("4 Preise")) << boxes.last().second.toStdString();
    EXPECT_FALSE(form->catalogue.hasSizes(biere));
    EXPECT_EQ(form->history->stack()->count(), steps + 1);
    EXPECT_EQ(list->columnCount(), 4 + cards);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), before);
    // More sizes, or the same: nothing to ask.
    answerSizes({headings.at(0), headings.at(1), "1 l"});
    click(form->GroessenBtn);
    EXPECT_EQ(boxes.size(), 2);
    form->Rueckgaengig1->trigger();

    // Moving Hefeweizen into the soups (no sizes) drops its 0,5 l price.
    selectCategory(biere);
    selectProduct(1);
    const int redoable = form->history->stack()->count();
    boxAnswers.push_back(QMessageBox::No);
    form->moveProductTo(suppen);
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_TRUE(boxes.last().second.contains("\"Suppen\"")) << boxes.last().second.toStdString();
    EXPECT_TRUE(boxes.last().second.contains("1 Preise")) << boxes.last().second.toStdString();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(form->history->stack()->count(), redoable); // not even the redo step goes
    selectProduct(1);
    form->moveProductTo(suppen);
    EXPECT_EQ(boxes.size(), 4);
    EXPECT_EQ(form->history->stack()->index(), steps + 1);
    EXPECT_EQ(form->catalogue.products(biere)->count, 3u);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(bytes(), before);
    // A product without further prices moves without a question.
    selectCategory(suppen);
    selectProduct(0);
    form->moveProductTo(biere);
    EXPECT_EQ(boxes.size(), 4);
}
