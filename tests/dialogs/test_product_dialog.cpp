#include "dialogs/EditProduktFUnit.h"
#include "dialogs/FloatEdit.h"
#include "dialogs/MarksBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <cmath>

#include <gtest/gtest.h>

namespace {

QLineEdit *editorOf(QAbstractSpinBox *box)
{
    return box->findChild<QLineEdit *>();
}

} // namespace

TEST(ProductDialogPrice, TypedPriceReadsInEveryInterfaceAndUnreadableOneKeepsDialogOpen)
{
    for (const char *loc : {"de_DE", "en_US", "fr_FR", "sv_SE"}) {
        SCOPED_TRACE(loc);
        TEditProduktForm dlg;
        dlg.setLocale(QLocale(QLatin1String(loc)));
        dlg.prepareNew();
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));

        QLineEdit *price = editorOf(dlg.PreisEd);
        ASSERT_NE(price, nullptr);
        dlg.PreisEd->setFocus();
        price->selectAll();
        QTest::keyClicks(price, QStringLiteral("6.90"));
        dlg.Edit1->setFocus(); // leave the field: shown back in the interface's form
        const QString shown = QLocale(QLatin1String(loc)).toString(6.9, 'f', 2);
        (void)QTest::qWaitFor([&] { return price->text() == shown; }, 2000);
        EXPECT_EQ(price->text(), shown);

        dlg.PreisEd->setFocus();
        price->selectAll();
        QTest::keyClicks(price, QStringLiteral("6,90"));
        QTest::mouseClick(dlg.BitBtn1, Qt::LeftButton);
        EXPECT_EQ(dlg.result(), int(QDialog::Accepted));
        EXPECT_DOUBLE_EQ(dlg.values().price, 6.9);

        // Unreadable: refused, marked, the dialog stays open, the text stays.
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        dlg.setResult(QDialog::Rejected);
        dlg.PreisEd->setFocus();
        price->selectAll();
        QTest::keyClicks(price, QStringLiteral("6.9.0"));
        QTest::mouseClick(dlg.BitBtn1, Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_NE(dlg.result(), int(QDialog::Accepted));
        auto *field = static_cast<TFloatEdit *>(dlg.PreisEd);
        EXPECT_TRUE(field->isMarked());
        EXPECT_EQ(price->text(), QStringLiteral("6.9.0"));
        // Enter does not slip the old value through either.
        QTest::keyClick(price, Qt::Key_Return);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(price->text(), QStringLiteral("6.9.0"));

        // Corrected: the mark goes, the dialog confirms.
        price->selectAll();
        QTest::keyClicks(price, QStringLiteral("7,50"));
        EXPECT_FALSE(field->isMarked());
        QTest::keyClick(price, Qt::Key_Return);
        EXPECT_EQ(dlg.result(), int(QDialog::Accepted));
        EXPECT_DOUBLE_EQ(dlg.values().price, 7.5);
    }
}

TEST(FloatEditField, LengthFieldsReadBothMarksAndRefuseWhatIsOutOfRange)
{
    // A margin field as on the "Layout" tab: millimetres 0 to 1000, taken
    // when the field is left.
    QWidget window;
    window.setLocale(QLocale(QLatin1String("de_DE")));
    auto *margin = new TFloatEdit(0, &window);
    margin->setRange(0, 1000);
    margin->setValue(25);
    margin->setKeyboardTracking(false);
    auto *other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QLineEdit *text = editorOf(margin);

    margin->setFocus();
    text->selectAll();
    QTest::keyClicks(text, QStringLiteral("12.5"));
    other->setFocus();
    (void)QTest::qWaitFor([&] { return margin->value() == 12.5; }, 2000);
    EXPECT_EQ(margin->value(), 12.5);
    EXPECT_EQ(text->text(), QStringLiteral("12,5"));
    EXPECT_FALSE(margin->isMarked());

    // Below the range and unreadable: the value stays, the text and the
    // mark stay with it.
    for (const QString &bad : {QStringLiteral("-3"), QStringLiteral("zwoelf")}) {
        margin->setFocus();
        text->selectAll();
        QTest::keyClicks(text, bad);
        other->setFocus();
        (void)QTest::qWaitFor([&] { return !margin->hasFocus(); }, 2000);
        EXPECT_EQ(margin->value(), 12.5) << bad.toStdString();
        EXPECT_EQ(text->text(), bad);
        EXPECT_TRUE(margin->isMarked());
        EXPECT_FALSE(TFloatEdit::checkFields(&window));
    }
    margin->setValue(30);
    EXPECT_TRUE(TFloatEdit::checkFields(&window));
    EXPECT_FALSE(margin->isMarked());

    // In a main window the status bar says why, until the text is readable.
    QMainWindow main;
    main.setLocale(QLocale(QLatin1String("de_DE")));
    auto *size = new TFloatEdit(0);
    size->setRange(10, 200);
    main.setCentralWidget(size);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    editorOf(size)->setText(QStringLiteral("5"));
    EXPECT_FALSE(TFloatEdit::checkFields(&main));
    EXPECT_EQ(main.statusBar()->currentMessage(), QStringLiteral("Erlaubt sind Zahlen von 10 bis 200."));
    EXPECT_EQ(size->toolTip(), main.statusBar()->currentMessage());
    editorOf(size)->setText(QStringLiteral("50"));
    EXPECT_TRUE(main.statusBar()->currentMessage().isEmpty());
}

// In a category with sizes the first price field is left empty as the others
// ("–" or an emptied field: not sold in this size), apart from 0, which stays
// "price on request". A text a field refuses says why, in its tip and in the
// dialog's note line.
TEST(ProductDialogPrice, FirstSizeMayStayEmptyAndARefusedTextSaysWhy)
{
    const double none = std::nan("");
    TEditProduktForm dlg;
    dlg.setLocale(QLocale(QLatin1String("de_DE")));
    dlg.setSizes({QStringLiteral("0,3 l"), QStringLiteral("0,5 l")});
    ProductValues v;
    v.name = QStringLiteral("Hefeweizen");
    dlg.fill(v);
    dlg.setSizePrices({none, 4.9});
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QLineEdit *price = editorOf(dlg.PreisEd);
    EXPECT_EQ(price->text(), QStringLiteral("\u2013"));
    EXPECT_TRUE(dlg.EmptyHint->isVisible());

    auto typeAndConfirm = [&](const QString &text) {
        dlg.show();
        dlg.setResult(QDialog::Rejected);
        dlg.PreisEd->setFocus();
        price->selectAll();
        price->insert(text); // insert() edits as typing does, "–" included
        QTest::mouseClick(dlg.BitBtn1, Qt::LeftButton);
        return dlg.result() == QDialog::Accepted;
    };
    for (const QString &empty : {QString(), QStringLiteral("\u2013"), QStringLiteral(" ")}) {
        ASSERT_TRUE(typeAndConfirm(QStringLiteral("3,5")));
        EXPECT_DOUBLE_EQ(dlg.sizePrices().at(0), 3.5);
        ASSERT_TRUE(typeAndConfirm(empty)) << empty.toStdString();
        const QVector<double> p = dlg.sizePrices();
        ASSERT_EQ(p.size(), 2);
        EXPECT_TRUE(std::isnan(p.at(0)));
        EXPECT_DOUBLE_EQ(p.at(1), 4.9);
        EXPECT_EQ(dlg.values().price, 0); // stored as 0, remembered as empty
    }
    ASSERT_TRUE(typeAndConfirm(QStringLiteral("0")));
    EXPECT_EQ(dlg.sizePrices().at(0), 0); // on request, not empty
    // A free text has no further prices: one typed there is not dropped,
    // the dialog says why it stays open.
    EXPECT_FALSE(typeAndConfirm(QStringLiteral("-1")));
    QLabel *freeNote = TFloatEdit::noteOf(&dlg);
    ASSERT_NE(freeNote, nullptr);
    EXPECT_TRUE(freeNote->isVisible());
    EXPECT_TRUE(freeNote->text().startsWith(QStringLiteral("Ein Freitext"))) << freeNote->text().toStdString();
    EXPECT_TRUE(dlg.focusWidget() == dlg.SizeEds[0] || dlg.focusWidget() == editorOf(dlg.SizeEds[0]));
    editorOf(dlg.SizeEds[0])->setText(QStringLiteral("–"));
    ASSERT_TRUE(typeAndConfirm(QStringLiteral("-1")));
    EXPECT_EQ(dlg.values().price, -1); // a free text
    dlg.MarksBox->AllergenChecks[0]->setChecked(true);
    EXPECT_TRUE(dlg.marks().isEmpty());
    ASSERT_TRUE(typeAndConfirm(QString()));
    EXPECT_FALSE(dlg.marks().isEmpty()); // an empty size is no free text
    editorOf(dlg.SizeEds[0])->setText(QStringLiteral("4,90"));

    // A new product starts with every size empty: a size left alone is not
    // sold in it, not on request.
    dlg.prepareNew();
    EXPECT_EQ(price->text(), QStringLiteral("\u2013"));
    EXPECT_TRUE(std::isnan(dlg.sizePrices().at(0)));
    dlg.fill(v);
    dlg.setSizePrices({none, 4.9});

    // Refused: the reason stands in the tip and in the note line, and goes
    // with the mark.
    EXPECT_FALSE(typeAndConfirm(QStringLiteral("drei")));
    auto *field = static_cast<TFloatEdit *>(dlg.PreisEd);
    EXPECT_TRUE(field->isMarked());
    QLabel *note = TFloatEdit::noteOf(&dlg);
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().contains(QStringLiteral("\"drei\" ist keine Zahl"))) << note->text().toStdString();
    // A price has no practical bounds: the reason names none.
    EXPECT_EQ(note->text(),
              QStringLiteral("\"drei\" ist keine Zahl. Erlaubt sind Zahlen oder ein leeres Feld (\"\u2013\")."));
    EXPECT_EQ(dlg.PreisEd->toolTip(), note->text());
    // Two refused fields: the note speaks of the first, where the focus goes.
    QLineEdit *second = editorOf(dlg.SizeEds[0]);
    second->setText(QStringLiteral("vier"));
    QTest::mouseClick(dlg.BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(note->text().contains(QStringLiteral("drei"))) << note->text().toStdString();
    EXPECT_TRUE(dlg.SizeEds[0]->toolTip().contains(QStringLiteral("vier")));
    second->setText(QStringLiteral("4,90"));
    price->selectAll();
    price->insert(QStringLiteral("4,20"));
    EXPECT_FALSE(field->isMarked());
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(dlg.PreisEd->toolTip().isEmpty());

    // Without sizes a price is needed: empty is refused, and the reason
    // says numbers only.
    dlg.setSizes({});
    EXPECT_FALSE(dlg.EmptyHint->isVisible());
    EXPECT_FALSE(typeAndConfirm(QString()));
    EXPECT_TRUE(note->isVisible());
    EXPECT_FALSE(note->text().contains(QStringLiteral("\u2013"))) << note->text().toStdString();
    EXPECT_EQ(note->text(), QStringLiteral("Erlaubt sind nur Zahlen."));
    dlg.hide();
}

TEST(ProductDialogCards, ChecksShowTheCardsAndGiveBackEveryBitTheyDoNotShow)
{
    TEditProduktForm dlg;
    // One card: nothing to choose but whether the dish is offered.
    dlg.setCards({"Speisekarte"}, 1, true);
    EXPECT_TRUE(dlg.CardChecks.isEmpty());
    EXPECT_FALSE(dlg.NichtImAngebotCheck->isChecked());
    EXPECT_EQ(dlg.cards(), 1u);
    EXPECT_TRUE(dlg.offered());

    // Three cards; the product also carries a bit beyond them (kept as it was).
    const uint64_t stored = 0b1001 | (uint64_t(1) << 40);
    dlg.setCards({"Speisekarte", "Getränke", "Mittagstisch"}, stored, false);
    ASSERT_EQ(dlg.CardChecks.size(), 3);
    EXPECT_EQ(dlg.CardChecks.at(1)->text(), "Getränke");
    EXPECT_TRUE(dlg.CardChecks.at(0)->isChecked());
    EXPECT_FALSE(dlg.CardChecks.at(1)->isChecked());
    EXPECT_TRUE(dlg.NichtImAngebotCheck->isChecked());
    EXPECT_EQ(dlg.cards(), stored);
    EXPECT_FALSE(dlg.offered());

    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.CardChecks.at(2)->click();
    dlg.CardChecks.at(0)->click();
    dlg.NichtImAngebotCheck->click();
    EXPECT_EQ(dlg.cards(), 0b1100 | (uint64_t(1) << 40));
    EXPECT_TRUE(dlg.offered());

    // Fewer cards the next time: the boxes of the others go.
    dlg.setCards({"A", "B"}, 0b10, true);
    EXPECT_EQ(dlg.CardChecks.size(), 2);
    EXPECT_EQ(dlg.cards(), 0b10u);
}
