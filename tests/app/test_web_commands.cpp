#include "mainwindow_fixture.h"

#include "app/QrCodeBox.h"
#include "export/htmlexport.h"
#include "layout/cardoutput.h"
#include "testutil.h"

#include <QCheckBox>
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
    for (auto [action, tag] : {std::pair{form->Deutsch1, "de"}, std::pair{form->English1, "en"}}) {
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
