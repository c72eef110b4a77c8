#include "catalogue/EditProduktFUnit.h"
#include "catalogue/FloatEdit.h"
#include "catalogue/MarksBox.h"
#include "catalogue/decimalinput.h"

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

std::optional<double> read(const char *text, const char *locale)
{
    return parseDecimalInput(QString::fromUtf8(text), QLocale(QLatin1String(locale)));
}

} // namespace

TEST(DecimalInput, PointOrCommaBeforeOneOrTwoFinalDigitsIsTheDecimalMarkEverywhere)
{
    for (const char *loc : {"de_DE", "en_US", "fr_FR", "nl_NL", "sv_SE", "C"}) {
        SCOPED_TRACE(loc);
        EXPECT_EQ(read("6.90", loc), 6.9);
        EXPECT_EQ(read("6,90", loc), 6.9);
        EXPECT_EQ(read("6,9", loc), 6.9);
        EXPECT_EQ(read("-0.5", loc), -0.5);
        EXPECT_EQ(read(",5", loc), 0.5);
        EXPECT_EQ(read("12", loc), 12.0);
        EXPECT_EQ(read(" 7 ", loc), 7.0);
        EXPECT_EQ(read("1.234,50", loc), 1234.5);
        EXPECT_EQ(read("1,234.50", loc), 1234.5);
        EXPECT_EQ(read("1 234,50", loc), 1234.5);
        // nothing that reads two ways, nothing that is no number
        EXPECT_FALSE(read("1.234.50", loc));
        EXPECT_FALSE(read("6.9.0", loc));
        EXPECT_FALSE(read("abc", loc));
        EXPECT_FALSE(read("", loc));
        EXPECT_FALSE(read("-", loc));
        EXPECT_FALSE(read("6,", loc));
        EXPECT_FALSE(read("1e5", loc));
        EXPECT_FALSE(read("0.125.", loc));
        EXPECT_FALSE(read("12.3456,7", loc));
    }
}

TEST(DecimalInput, OnlyTheDigitsZeroToNineSpacesOfOneLineAndNoNegativeZero)
{
    for (const char *loc : {"de_DE", "en_US", "fr_FR", "sv_SE", "ar_EG"}) {
        SCOPED_TRACE(loc);
        // Characters with a digit value are no digits of a price.
        EXPECT_FALSE(read("6\u00b2", loc));                 // 6²
        EXPECT_FALSE(read("\u2460\u2461,50", loc));         // ①②,50
        EXPECT_FALSE(read("\u0661\u0662,50", loc));         // Arabic-Indic 12,50
        EXPECT_FALSE(read("4,\u00b95", loc));               // 4,¹5
        EXPECT_FALSE(read("\uff11\uff12", loc));            // fullwidth 12
        // Spaces of one line group digits; a tab or a line break does not.
        EXPECT_EQ(read("1 234,50", loc), 1234.5);
        EXPECT_EQ(read("1\u00a0234,50", loc), 1234.5);
        EXPECT_EQ(read("1\u202f234,50", loc), 1234.5);
        EXPECT_EQ(read("1\u2009234", loc), 1234.0);
        EXPECT_FALSE(read("1\t234,50", loc));
        EXPECT_FALSE(read("1\n234,50", loc));
        EXPECT_FALSE(read("1\r\n234", loc));
        EXPECT_FALSE(read("1\u2028234", loc));
        EXPECT_FALSE(read("-\t5", loc));
        EXPECT_EQ(read("- 5", loc), -5.0);
        // Around the number, any white space may stand (a pasted cell).
        EXPECT_EQ(read("\t7,50\n", loc), 7.5);
        // Minus zero is zero.
        for (const char *zero : {"-0", "-0,00", "-0.0", "-,0", "\u22120"}) {
            const auto v = read(zero, loc);
            ASSERT_TRUE(v) << zero;
            EXPECT_EQ(*v, 0.0) << zero;
            EXPECT_FALSE(std::signbit(*v)) << zero;
        }
        EXPECT_TRUE(std::signbit(*read("-0,01", loc)));
    }
}

TEST(DecimalInput, OtherwiseTheInterfaceFormHolds)
{
    // more decimals with the interface's own mark (values from documents)
    EXPECT_EQ(read("12,3456", "de_DE"), 12.3456);
    EXPECT_EQ(read("12.3456", "en_US"), 12.3456);
    // the interface's grouping in threes
    EXPECT_EQ(read("1.234", "de_DE"), 1234.0);
    EXPECT_EQ(read("1,234", "en_US"), 1234.0);
    EXPECT_EQ(read("1.234", "en_US"), 1.234);
    // no thousand starts with 0, groups are threes after one to three digits
    EXPECT_FALSE(read("0.125", "de_DE"));
    EXPECT_FALSE(read("1.2345", "de_DE"));
    EXPECT_FALSE(read("1.23,50", "de_DE"));
    EXPECT_FALSE(read("1 23", "de_DE"));
    EXPECT_FALSE(read("1234.567", "de_DE"));
    EXPECT_FALSE(read("1234 567", "en_US"));
    EXPECT_EQ(read("123 456 789", "en_US"), 123456789.0);
    EXPECT_FALSE(read("12,3456", "en_US"));
    // the interface's own minus sign
    EXPECT_EQ(parseDecimalInput(QString(QChar(0x2212)) + QStringLiteral("2,5"), QLocale(QLatin1String("sv_SE"))),
              -2.5);
}

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
