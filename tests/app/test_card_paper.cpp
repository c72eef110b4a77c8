// The card's paper on the "Layout" tab: the preview, the document file, undo
// and the PDF export follow it; a card without one stays on the printer's
// page.
#include "app/PaperBox.h"
#include "catalogue/document.h"
#include "layout/cardoutput.h"
#include "mainwindow_fixture.h"
#include "testutil.h"

#include <QAction>
#include <QCheckBox>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

class CardPaper : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override
    {
        create();
        addCategoryDirect("Vorspeisen", 30, "Vorspeise");
        own = form->printer->pageLayout();
    }
    void TearDown() override { destroy(); }

    QPageLayout page() const { return form->printer->pageLayout(); }
    bool isA5Landscape() const
    {
        return page().pageSize().id() == QPageSize::A5 && page().orientation() == QPageLayout::Landscape;
    }
    void chooseA5Landscape()
    {
        form->PageControl1->setCurrentIndex(2);
        QApplication::processEvents();
        QTest::mouseClick(form->PaperBox->A5Radio, Qt::LeftButton);
        QTest::mouseClick(form->PaperBox->QuerCheck, Qt::LeftButton);
    }

    QPageLayout own; // the printer's page before the card chose one
    QTemporaryDir dir;
};

} // namespace

TEST_F(CardPaper, ChosenOnTheLayoutTabShapesThePreviewAndIsUndone)
{
    EXPECT_TRUE(form->PaperBox->DruckerRadio->isChecked());
    EXPECT_FALSE(form->PaperBox->QuerCheck->isEnabled()); // no orientation without a paper
    const int pagesBefore = CardPageCount(form->cardSource(100), PrinterPageArea(*form->printer));

    chooseA5Landscape();
    EXPECT_TRUE(isA5Landscape());
    const PreviewGeometry g = PreviewPageGeometry(PrinterPageArea(*form->printer), form->logicalDpiX(), 100);
    EXPECT_GT(g.W, g.H);
    EXPECT_GT(CardPageCount(form->cardSource(100), PrinterPageArea(*form->printer)), pagesBefore);
    const CardSettings s = form->cardSettings();
    EXPECT_EQ(s.PapierBox, CardSettings::Paper::A5);
    EXPECT_TRUE(s.QuerCheck);
    EXPECT_TRUE(form->changed);

    // Each click was a step; undoing both gives the printer's page back.
    EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig: Papier");
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(page().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(page().pageSize().id(), QPageSize::A5);
    form->Rueckgaengig1->trigger();
    EXPECT_TRUE(form->PaperBox->DruckerRadio->isChecked());
    EXPECT_TRUE(page().isEquivalentTo(own));
    form->Wiederholen1->trigger();
    form->Wiederholen1->trigger();
    EXPECT_TRUE(isA5Landscape());
}

TEST_F(CardPaper, KeptWithTheDocumentAndUsedByThePdf)
{
    chooseA5Landscape();
    form->CaptionEd->setText("Gasthof Linde");
    const QString path = dir.filePath("a5.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(path));

    // Another document without a paper: the printer's page again.
    form->PaperBox->DruckerRadio->click();
    ASSERT_TRUE(form->SaveTheFileAs(dir.filePath("plain.vlr")));
    EXPECT_TRUE(page().isEquivalentTo(own));
    DocumentData plain;
    QString why;
    ASSERT_TRUE(LoadDocumentFile(dir.filePath("plain.vlr"), CardSettings(), plain, &why));
    EXPECT_EQ(plain.settings.PapierBox, CardSettings::Paper::Printer);

    ASSERT_TRUE(form->OpenFileWithName(path, true));
    EXPECT_TRUE(form->PaperBox->A5Radio->isChecked());
    EXPECT_TRUE(form->PaperBox->QuerCheck->isChecked());
    EXPECT_TRUE(isA5Landscape());
    EXPECT_FALSE(form->changed);

    // The PDF: A5 landscape pages, titled with the card's heading; the status
    // bar names the file.
    const QString pdfPath = dir.filePath("karte.pdf");
    fileAnswers.push_back(pdfPath);
    form->AlsPDFexportieren1->trigger();
    const QByteArray pdf = testutil::readFile(pdfPath);
    static const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const auto m = box.match(QString::fromLatin1(pdf));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_EQ(qRound(m.captured(1).toDouble()), 595);
    EXPECT_EQ(qRound(m.captured(2).toDouble()), 420);
    QByteArray title = "\xFE\xFF";
    for (QChar c : QStringLiteral("Gasthof Linde"))
        title += QByteArray(1, char(c.unicode() >> 8)) + QByteArray(1, char(c.unicode() & 0xFF));
    EXPECT_TRUE(pdf.contains(title) || pdf.contains("(Gasthof Linde)")) << "the heading is the PDF's title";
    EXPECT_EQ(form->statusBar()->currentMessage(), "PDF-Datei geschrieben: " + QDir::toNativeSeparators(pdfPath));
}
