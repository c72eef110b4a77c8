#include "mainwindow_fixture.h"

#include "app/QrCodeBox.h"
#include "export/htmlexport.h"
#include "layout/cardoutput.h"
#include "testutil.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class WebCommands : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override
    {
        create();
        addCategoryDirect("Vorspeisen", 3, "Vorspeise");
    }
    void TearDown() override { destroy(); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(WebCommands, WebPageOfTheCardInTheInterfaceLanguage)
{
    const QString out = dir.filePath("karte.html");
    fileAnswers.push_back(out);
    form->AlsWebseiteexportieren1Click();
    EXPECT_TRUE(boxes.isEmpty());
    const QString html = QString::fromUtf8(testutil::readFile(out));
    EXPECT_TRUE(html.contains("<span class=\"nr\">3.</span><span class=\"name\">Vorspeise 3</span>"));
    // The page is in the language the card is printed in.
    for (auto [action, tag] : {std::pair{form->Deutsch1, "de"}, std::pair{form->English1, "en"},
                               std::pair{form->Franais1, "fr"}, std::pair{form->Nederlands1, "nl"},
                               std::pair{form->Swedish1, "sv"}}) {
        action->trigger();
        fileAnswers.push_back(out);
        form->AlsWebseiteexportieren1Click();
        EXPECT_TRUE(QString::fromUtf8(testutil::readFile(out)).contains(QStringLiteral("<html lang=\"%1\">").arg(tag)))
            << tag;
    }
    boxes.clear(); // each change of language asks for a new start

    fileAnswers.push_back(dir.filePath("missing/folder/karte.html"));
    form->AlsWebseiteexportieren1Click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].second.contains(dir.filePath("missing/folder/karte.html")));
}

TEST_F(WebCommands, ATranslatedMenuIsWrittenAsTwoPagesBothNamedOnTheStatusLine)
{
    form->catalogue.setTranslation(0, 1, {QStringLiteral("Starter 2"), QString(), QString()});
    const QString out = dir.filePath("karte.html"), second = dir.filePath("karte.en.html");
    fileAnswers.push_back(out);
    form->AlsWebseiteexportieren1Click();
    EXPECT_TRUE(boxes.isEmpty());
    const QString de = QString::fromUtf8(testutil::readFile(out)), en = QString::fromUtf8(testutil::readFile(second));
    EXPECT_TRUE(de.contains("<html lang=\"de\">"));
    EXPECT_TRUE(de.contains("<span class=\"name\">Vorspeise 2</span>"));
    EXPECT_TRUE(en.contains("<html lang=\"en\">"));
    EXPECT_TRUE(en.contains("<span class=\"name\">Starter 2</span>"));
    EXPECT_TRUE(en.contains("<span class=\"name\"><span lang=\"de\">Vorspeise 1</span></span>"));
    const QString status = form->statusBar()->currentMessage();
    EXPECT_TRUE(status.contains(QDir::toNativeSeparators(out))) << status.toStdString();
    EXPECT_TRUE(status.contains(QDir::toNativeSeparators(second))) << status.toStdString();

    // The page beside the chosen one is there already: asked for, and a
    // "no" writes neither page.
    testutil::writeFile(second, "own");
    testutil::writeFile(out, "alt");
    boxAnswers.push_back(QMessageBox::No);
    fileAnswers.push_back(out);
    form->AlsWebseiteexportieren1Click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].second.contains(QDir::toNativeSeparators(second))) << boxes[0].second.toStdString();
    EXPECT_EQ(testutil::readFile(second), "own");
    EXPECT_EQ(testutil::readFile(out), "alt");
    boxes.clear();
    boxAnswers.push_back(QMessageBox::Yes);
    fileAnswers.push_back(out);
    form->AlsWebseiteexportieren1Click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(QString::fromUtf8(testutil::readFile(second)).contains("<html lang=\"en\">"));
    boxes.clear();

    // The second page cannot be written: an error naming it, the German
    // page as it was.
    QFile::remove(second);
    ASSERT_TRUE(QDir(dir.path()).mkdir("karte.en.html"));
    testutil::writeFile(out, "alt");
    fileAnswers.push_back(out);
    form->AlsWebseiteexportieren1Click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].second.contains(second)) << boxes[0].second.toStdString();
    EXPECT_EQ(testutil::readFile(out), "alt");
}

TEST_F(WebCommands, QrCodeSettingsReachTheCardAndTheExport)
{
    // Without an address the export asks for one and shows no file dialog.
    form->QRCodeexportieren1Click();
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(fileDialogsShown, 0);

    TQrCodeBox *box = form->QrCodeBox;
    box->QrUrlEd->setText("https://linde.de");
    EXPECT_FALSE(form->cardSource(100).qrCode); // not printed until ticked
    box->QrDruckCheck->setChecked(true);
    box->QrGroesseEd->setValue(30);
    const CardSource card = form->cardSource(100);
    ASSERT_TRUE(card.qrCode);
    EXPECT_EQ(card.settings.QrGroesseEd, 30);

    const QString svg = dir.filePath("qr.svg");
    fileAnswers.push_back(svg);
    form->QRCodeexportieren1Click();
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_TRUE(testutil::readFile(svg).contains("<svg"));
}

TEST_F(WebCommands, AnAddressThatCannotBePrintedIsSaidOnTheTabAndKeptWhole)
{
    TQrCodeBox *box = form->QrCodeBox;
    QLabel *note = box->QrNote;
    box->QrUrlEd->setText(QStringLiteral("https://linde.de"));
    box->QrDruckCheck->setChecked(true);
    EXPECT_TRUE(note->isHidden());

    // Longer than any QR code holds: the note says so while printing is on.
    const QString tooLong = QStringLiteral("https://linde.de/") + QString(3000, QLatin1Char('a'));
    box->QrUrlEd->setText(tooLong);
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains(QStringLiteral("zu lang"))) << note->text().toStdString();
    box->QrDruckCheck->setChecked(false);
    EXPECT_TRUE(note->isHidden());
    box->QrDruckCheck->setChecked(true);
    box->QrUrlEd->setText(QStringLiteral("https://linde.de/") + QChar(0) + QStringLiteral("x"));
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains(QStringLiteral("Nullzeichen"))) << note->text().toStdString();
    box->QrUrlEd->setText(QStringLiteral("https://linde.de"));
    EXPECT_TRUE(note->isHidden());

    // A stored address of 40,000 characters comes back whole (a line edit
    // cuts at 32,767 by default).
    CardSettings s;
    s.QrUrlEd = QStringLiteral("https://linde.de/") + QString(40000, QLatin1Char('b'));
    box->setFrom(s);
    CardSettings back;
    box->readInto(back);
    EXPECT_EQ(back.QrUrlEd, s.QrUrlEd);
}
