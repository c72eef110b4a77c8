// Marks in the windows: the product dialog's check boxes, the layout tab's
// group "Kennzeichnung" and the additive list dialog, through save and open.
#include "mainwindow_fixture.h"

#include "app/MarksGroup.h"
#include "dialogs/MarksBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <cmath>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

class MarksEditing : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override { create(); }
    void TearDown() override { destroy(); }

    // Queues a product dialog answer that ticks allergens (by index) and
    // additives (by number).
    void answerMarked(const QString &name, QVector<int> allergens, QVector<int> additives, bool keep = false)
    {
        answers.push_back([=](QDialog *d) {
            auto *f = static_cast<TEditProduktForm *>(d);
            f->Edit1->setText(name);
            f->PreisEd->setValue(4.5);
            for (int i : allergens)
                f->MarksBox->AllergenChecks[i]->setChecked(true);
            for (int n : additives)
                f->MarksBox->AdditiveChecks[n - 1]->setChecked(true);
            f->MarksBox->KeepMarksCheck->setChecked(keep);
            return int(QDialog::Accepted);
        });
    }
};

} // namespace

TEST_F(MarksEditing, DialogMarksFollowTheProductThroughMovesSaveAndOpen)
{
    newCategory("Imbiss");
    answerMarked("Currywurst", {0, 5, 9}, {3, 8});
    click(form->NeuesProduktBtn);
    answerProduct("Wasser", 2); // a new product starts without marks
    click(form->NeuesProduktBtn);
    EXPECT_EQ(MarksText(form->catalogue.marks(0, 0)), "3,8,A,F,M");
    EXPECT_TRUE(form->catalogue.marks(0, 1).isEmpty());

    selectProduct(0);
    click(form->ProduktNachUntenBtn);
    EXPECT_EQ(WideText(form->catalogue.product(0, 1)->name), "Currywurst");
    EXPECT_EQ(MarksText(form->catalogue.marks(0, 1)), "3,8,A,F,M");

    // Editing shows the marks; unticking one changes only that one.
    selectProduct(1);
    answers.push_back([](QDialog *d) {
        auto *f = static_cast<TEditProduktForm *>(d);
        EXPECT_TRUE(f->MarksBox->AdditiveChecks[7]->isChecked());
        f->MarksBox->AdditiveChecks[7]->setChecked(false);
        return int(QDialog::Accepted);
    });
    click(form->ProduktBearbeitenBtn);
    EXPECT_EQ(MarksText(form->catalogue.marks(0, 1)), "3,A,F,M");

    form->MarksGroup->LegendPageRadio->setChecked(true);
    const QString path = userDir->filePath("imbiss.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(path));
    form->MarksGroup->LegendEndRadio->setChecked(true);
    form->NewAll();
    EXPECT_FALSE(form->catalogue.hasMarks());
    ASSERT_TRUE(form->OpenFileWithName(path));
    EXPECT_EQ(MarksText(form->catalogue.marks(0, 1)), "3,A,F,M");
    EXPECT_TRUE(form->MarksGroup->LegendPageRadio->isChecked());
}

TEST_F(MarksEditing, KeptMarksAndTheEditedAdditiveList)
{
    newCategory("Getränke");
    answerMarked("Cola", {}, {1, 11}, true);
    click(form->NeuesProduktBtn);
    answers.push_back([](QDialog *d) {
        static_cast<TEditProduktForm *>(d)->Edit1->setText("Spezi");
        return int(QDialog::Accepted);
    });
    click(form->NeuesProduktBtn);
    EXPECT_EQ(MarksText(form->catalogue.marks(0, 1)), "1,11"); // kept on request

    form->SetUnChanged();
    answers.push_back([](QDialog *d) {
        auto *dlg = static_cast<TAdditivesDialog *>(d);
        dlg->AdditivesMemo->setPlainText(dlg->AdditivesMemo->toPlainText() + "\nmit Taurin\n\n");
        return int(QDialog::Accepted);
    });
    form->MarksGroup->ZusatzBtnClick();
    EXPECT_TRUE(form->changed);
    const MarkSettings m = form->cardSettings().marks;
    ASSERT_EQ(m.additives.size(), 13);
    EXPECT_EQ(m.additives.last(), "mit Taurin");

    selectProduct(0);
    answers.push_back([](QDialog *d) {
        auto *f = static_cast<TEditProduktForm *>(d);
        EXPECT_EQ(f->MarksBox->AdditiveChecks.size(), 13);
        EXPECT_EQ(f->MarksBox->AdditiveChecks[12]->text(), "13 mit Taurin");
        f->MarksBox->AdditiveChecks[12]->setChecked(true);
        f->PreisEd->setValue(-1); // a free text carries no marks
        return int(QDialog::Accepted);
    });
    click(form->ProduktBearbeitenBtn);
    EXPECT_TRUE(form->catalogue.marks(0, 0).isEmpty());
}

TEST_F(MarksEditing, OpenAndSaveGiveTheSameBytes)
{
    // The example card has no marks (and was written by the program); the
    // seed with marks holds every record kind and one of a later program;
    // the last one carries a QR code.
    for (const char *name : {"examples/restaurant.vlr", "fuzz/corpus/document/all-records.vlr",
                             "fuzz/corpus/document/restaurant-marked.vlr",
                             "fuzz/corpus/document/restaurant-qr.vlr"}) {
        QFile in(QStringLiteral(VELLORAN_SOURCE_DIR "/") + name);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray original = in.readAll();
        ASSERT_TRUE(form->OpenFileWithName(in.fileName()));
        const QString out = userDir->filePath("saved.vlr");
        ASSERT_TRUE(form->SaveTheFileAs(out));
        QFile saved(out);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readAll(), original) << name;
    }
}

TEST(AdditivesDialog, AtMost999AdditivesAndNoControlCharacters)
{
    QStringList list;
    for (int i = 1; i <= 1000; ++i)
        list << QStringLiteral("Stoff %1").arg(i);
    TAdditivesDialog dlg(list);
    dlg.show();
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible()); // refused, with the note saying why
    EXPECT_NE(dlg.result(), int(QDialog::Accepted));
    EXPECT_FALSE(dlg.AdditivesNote->isHidden());
    EXPECT_TRUE(dlg.AdditivesNote->text().contains(QStringLiteral("1000"))) << dlg.AdditivesNote->text().toStdString();

    list.removeLast();
    list[0] = QStringLiteral("mit\tFarbstoff\x01");
    dlg.AdditivesMemo->setPlainText(list.join(QLatin1Char('\n')));
    dlg.accept();
    EXPECT_EQ(dlg.result(), int(QDialog::Accepted));
    EXPECT_EQ(dlg.additives().size(), 999);
    EXPECT_EQ(dlg.additives().first(), QStringLiteral("mit Farbstoff"));
}

TEST(ProductDialog, FitsASmallScreenAndWrapsTheDescription)
{
    TEditProduktForm d;
    d.show();
    QApplication::processEvents();
    // A 1366 x 768 screen leaves about 700 pixels under its panels.
    EXPECT_LE(d.height(), 700);
    EXPECT_LE(d.width(), 1300);
    EXPECT_EQ(d.Edit2->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    d.Edit2->setPlainText(QStringLiteral("Hausgemacht ") + QString(400, QLatin1Char('y')));
    QApplication::processEvents();
    EXPECT_FALSE(d.Edit2->horizontalScrollBar()->isVisible());
    // Wrapping only shows: the text keeps its one line.
    EXPECT_FALSE(d.Edit2->toPlainText().contains(QLatin1Char('\n')));
    d.hide();
}

TEST(ProductDialog, EmptySizePricesDoNotHoldTheDialogOpen)
{
    TEditProduktForm d;
    d.setSizes({QStringLiteral("0,3 l"), QStringLiteral("0,5 l"), QStringLiteral("1 l")});
    d.setSizePrices({3.6, 0, 0});
    d.show();
    QApplication::processEvents();
    // Shown as a dash; the emptied one and the hidden fourth field alike.
    EXPECT_EQ(d.SizeEds[0]->text(), QStringLiteral("\u2013"));
    d.SizeEds[1]->findChild<QLineEdit *>()->clear();
    d.accept();
    EXPECT_EQ(d.result(), int(QDialog::Accepted));
    const QVector<double> p = d.sizePrices();
    ASSERT_EQ(p.size(), 3);
    EXPECT_DOUBLE_EQ(p[0], 3.6);
    EXPECT_TRUE(std::isnan(p[1]) && std::isnan(p[2]));
}
