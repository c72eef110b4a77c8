// The second language's fields of the product and sizes dialogs: what they
// are filled with comes back unchanged, what is typed is read as the German
// field beside it reads, and nothing typed is dropped unasked.
#include "dialogs/EditProduktFUnit.h"
#include "dialogs/FloatEdit.h"
#include "dialogs/SizesDialog.h"
#include "dialogs/languagefields.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

TEST(ProductDialogTranslation, FilledTextsComeBackExactlyAndTypedOnesAsTheGermanFields)
{
    TEditProduktForm d;
    d.setSecondLanguage(SecondLanguage());
    EXPECT_EQ(d.TranslationBox->title(), "Englisch");
    d.setSecondLanguage({QStringLiteral("ja"), QStringLiteral("Japanisch")});
    EXPECT_EQ(d.TranslationBox->title(), "Japanisch");
    d.setSecondLanguage({QStringLiteral("pt-BR"), QString()});
    EXPECT_EQ(d.TranslationBox->title(), "pt-BR");

    ProductValues v;
    v.name = QStringLiteral("Rinderroulade");
    v.price = 18.5;
    d.fill(v);
    // A document may hold a bare LF and blanks at the ends: shown and not
    // touched, they stay exactly so.
    const ProductTranslation given{QStringLiteral(" Beef roulade "), QStringLiteral("with red cabbage\nand dumplings"),
                                   QStringLiteral("250 g ")};
    d.setTranslation(given);
    EXPECT_EQ(d.NameTrEd->text(), given.name);
    EXPECT_EQ(d.DescriptionTrEd->toPlainText(), given.description);
    EXPECT_EQ(d.QuantityTrEd->text(), given.quantity);
    EXPECT_EQ(d.translation(), given);

    // Typed: the description's lines end in CR LF as the German ones do;
    // every field is taken as typed, nothing else changes.
    d.DescriptionTrEd->setPlainText(QStringLiteral("with red cabbage\nand potato dumplings"));
    EXPECT_EQ(d.translation().description, "with red cabbage\r\nand potato dumplings");
    EXPECT_EQ(d.translation().name, given.name);
    d.NameTrEd->setText(QStringLiteral("Beef olive"));
    d.QuantityTrEd->clear();
    EXPECT_EQ(d.translation(), (ProductTranslation{QStringLiteral("Beef olive"),
                                                   QStringLiteral("with red cabbage\r\nand potato dumplings"),
                                                   QString()}));

    // A new product starts without name and description, in both languages;
    // the quantity note stays, as the German one does.
    d.QuantityTrEd->setText(QStringLiteral("4 cl"));
    d.MengeEd->setText(QStringLiteral("4cl"));
    d.prepareNew();
    EXPECT_EQ(d.translation(), (ProductTranslation{QString(), QString(), QStringLiteral("4 cl")}));
    EXPECT_EQ(d.values().quantity, "4cl");
}

TEST(ProductDialogTranslation, FieldsStandUnderTheGermanOnesAndTheDialogStillFitsASmallScreen)
{
    TEditProduktForm d;
    d.setSecondLanguage(SecondLanguage());
    d.show();
    QApplication::processEvents();
    EXPECT_TRUE(d.TranslationBox->isVisible());
    EXPECT_GT(d.TranslationBox->y(), d.Edit2->y());
    EXPECT_GE(d.NameTrEd->width(), d.Edit1->width() / 2);
    EXPECT_LE(d.height(), 700);
    EXPECT_LE(d.width(), 1300);
    // Tab goes from the German fields on into the translation, and through
    // its description box on to the quantity.
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    d.MengeEd->setFocus();
    QTest::keyClick(d.MengeEd, Qt::Key_Tab);
    EXPECT_TRUE(d.NameTrEd->hasFocus());
    QTest::keyClick(d.NameTrEd, Qt::Key_Tab);
    EXPECT_TRUE(d.DescriptionTrEd->hasFocus());
    QTest::keyClick(d.DescriptionTrEd, Qt::Key_Tab);
    EXPECT_TRUE(d.QuantityTrEd->hasFocus());
    d.hide();
}

TEST(SizesDialogTranslation, EachHeadingHasItsTranslationAndNoneIsDroppedUnasked)
{
    TSizesForm d;
    d.setHeadings({QStringLiteral("0,3 l"), QStringLiteral("0,5 l")});
    d.setTranslations(SecondLanguage(), {QStringLiteral(" 0.3 l "), QString()});
    EXPECT_EQ(d.LanguageLabel->text(), "Englisch");
    EXPECT_EQ(d.HeadingTrEds[0]->text(), " 0.3 l ");
    // As given while untouched, blanks included; one per heading.
    EXPECT_EQ(d.headingTranslations(), QStringList({" 0.3 l ", ""}));

    // Typed ones lose their blanks, as typed headings do.
    d.HeadingTrEds[1]->setText(QStringLiteral(" 0.5 l "));
    EXPECT_EQ(d.headingTranslations(), QStringList({" 0.3 l ", "0.5 l"}));

    // A third size: its translation comes with it.
    d.HeadingEds[2]->setText(QStringLiteral("1 l"));
    d.HeadingTrEds[2]->setText(QStringLiteral("1 l"));
    EXPECT_EQ(d.headingTranslations().size(), 3);

    // A translation beside a size without heading would be lost: the
    // dialog stays open, says why and takes the user to it.
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    d.HeadingEds[2]->clear();
    d.accept();
    EXPECT_NE(d.result(), int(QDialog::Accepted));
    ASSERT_TRUE(TFloatEdit::noteOf(&d));
    EXPECT_TRUE(TFloatEdit::noteOf(&d)->text().contains("Übersetzung"));
    QApplication::processEvents();
    EXPECT_TRUE(d.HeadingTrEds[2]->hasFocus());
    d.HeadingTrEds[2]->setText(QStringLiteral("  "));
    d.accept();
    EXPECT_EQ(d.result(), int(QDialog::Accepted));
    EXPECT_EQ(d.headingTranslations(), QStringList({" 0.3 l ", "0.5 l"}));
}

TEST(LinesEdit, AnEmptyLineShowsItsOwnPlaceholderAndATypedOneNone)
{
    TLinesEdit e;
    e.setLinePlaceholders({QStringLiteral("with colouring"), QStringLiteral("with preservative"),
                           QStringLiteral("with antioxidant")});
    e.setPlainText(QStringLiteral("\ncontains preservatives"));
    EXPECT_EQ(e.shownPlaceholder(0), "with colouring");
    EXPECT_EQ(e.shownPlaceholder(1), "");
    EXPECT_EQ(e.shownPlaceholder(2), "with antioxidant"); // below the text's last line
    EXPECT_EQ(e.shownPlaceholder(3), "");
    // The placeholders are only shown: the text is the typed one.
    EXPECT_EQ(e.toPlainText(), "\ncontains preservatives");
    e.resize(300, 120);
    e.show();
    QApplication::processEvents();
    // Drawn in the empty lines: the first line's pixels are not all the
    // background any more.
    const QImage shown = e.viewport()->grab().toImage();
    e.setLinePlaceholders({});
    QApplication::processEvents();
    const QImage bare = e.viewport()->grab().toImage();
    EXPECT_NE(shown, bare);
}

TEST(LinesEdit, TranslationLinesReadAsTheGermanLines)
{
    auto clean = [](const QString &s) { return QString(s).replace(QLatin1Char('\t'), QLatin1Char(' ')); };
    EXPECT_EQ(TranslationLines(QStringLiteral(" a\tb \r\n\nc\u2029d\n\n"), clean),
              QStringList({"a b", "", "c", "d"}));
    EXPECT_TRUE(TranslationLines(QStringLiteral("\n \n"), clean).isEmpty());
}
