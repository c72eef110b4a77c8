// The print form on the "Layout" tab: the preview shows the sheets and counts
// pages and sheets, the choice is an undo step, kept with the document and
// used by the PDF export.
#include "app/PaperBox.h"
#include "app/PrintFormBox.h"
#include "catalogue/document.h"
#include "layout/imposition.h"
#include "mainwindow_fixture.h"
#include "testutil.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

class PrintForms : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override
    {
        create();
        form->resize(1000, 760);
        addCategoryDirect("Vorspeisen", 30, "Vorspeise");
        form->printer->setPageSize(QPageSize(QPageSize::A4));
        form->printer->setPageOrientation(QPageLayout::Portrait);
    }
    void TearDown() override { destroy(); }
    void settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    void choose(CardSettings::PrintForm f)
    {
        form->PageControl1->setCurrentIndex(2);
        settle();
        QTest::mouseClick(form->PrintFormBox->FormRadio[int(f)], Qt::LeftButton);
        settle();
    }
    void showPreview(int side = 1)
    {
        form->PageControl1->setCurrentIndex(1);
        form->SeiteEd->setValue(side);
        form->PaintBox1->repaint();
        settle();
        form->PaintBox1->repaint(); // the first paint sized the box
        settle();
    }
    // Kept as evidence when VELLORAN_RENDER_DIR is set.
    void keep(const QString &name)
    {
        const QString dir = qEnvironmentVariable("VELLORAN_RENDER_DIR");
        if (!dir.isEmpty())
            form->grab().save(QDir(dir).filePath(name));
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(PrintForms, TheBookletsSheetsInThePreviewWithPagesAndSheetsCounted)
{
    const int pages = CardPageCount(form->cardSource(100), PrinterPageArea(*form->printer));
    ASSERT_GE(pages, 3);
    EXPECT_TRUE(form->PrintFormBox->FormRadio[0]->isChecked());
    EXPECT_FALSE(form->PrintFormBox->FaltlinieCheck->isEnabled());
    EXPECT_FALSE(form->PrintFormBox->Note->isVisible());

    choose(CardSettings::PrintForm::Booklet);
    EXPECT_EQ(form->cardSettings().DruckformBox, CardSettings::PrintForm::Booklet);
    EXPECT_TRUE(form->changed);
    EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig: Druckform");
    // The note on printing both sides.
    EXPECT_TRUE(form->PrintFormBox->Note->isVisible());
    EXPECT_EQ(form->PrintFormBox->Note->text(), "Beidseitig drucken und an der kurzen Kante wenden.");

    showPreview();
    // The card's pages on their full A4 halves of A3 landscape sheets.
    const SheetPlan plan = form->printSheetPlan();
    const int cardPages = CardPageCount(form->cardSource(100), SheetPageArea(plan, 300));
    const int sheets = (cardPages + 3) / 4;
    QLabel *bogen = form->Pager->SheetLabel;
    EXPECT_TRUE(bogen->isVisible());
    EXPECT_EQ(bogen->text(), QStringLiteral("Bogen 1 Vorderseite von %1 \u2013 %2 Seiten auf %1 Bogen").arg(sheets).arg(cardPages));
    EXPECT_EQ(form->Pager->PageCountLabel->text(), QStringLiteral("von %1").arg(2 * sheets));
    const QSize sheet = SheetSidePixels(plan, form->logicalDpiX(), form->ZoomEd->value());
    EXPECT_EQ(form->PaintBox1->size(), sheet + QSize(8, 8));
    EXPECT_GT(sheet.width(), sheet.height());
    keep(QStringLiteral("printforms-preview-booklet.png"));

    showPreview(2);
    EXPECT_TRUE(bogen->text().startsWith(QStringLiteral("Bogen 1 Rückseite von %1").arg(sheets))) << bogen->text().toStdString();
    // Page Down stops at the last side.
    form->SeiteEd->setValue(2 * sheets);
    form->Pager->nextPage();
    EXPECT_EQ(form->SeiteEd->value(), 2 * sheets);

    // Back to single pages: the page count and no sheet line.
    form->Rueckgaengig1->trigger();
    showPreview();
    EXPECT_TRUE(form->PrintFormBox->FormRadio[0]->isChecked());
    EXPECT_FALSE(bogen->isVisible());
    EXPECT_EQ(form->Pager->PageCountLabel->text(), QStringLiteral("von %1").arg(pages));
}

TEST_F(PrintForms, TheTentKeptWithTheDocumentAndExportedOnItsSheet)
{
    // An A5 landscape table tent: one A4 portrait sheet.
    form->PageControl1->setCurrentIndex(2);
    settle();
    QTest::mouseClick(form->PaperBox->A5Radio, Qt::LeftButton);
    QTest::mouseClick(form->PaperBox->QuerCheck, Qt::LeftButton);
    choose(CardSettings::PrintForm::TableTent);
    EXPECT_TRUE(form->PrintFormBox->FaltlinieCheck->isEnabled());
    EXPECT_FALSE(form->PrintFormBox->Note->isVisible());
    showPreview();
    EXPECT_EQ(form->Pager->SheetLabel->text(), QStringLiteral("Bogen 1 von 1 \u2013 1 Seiten auf 1 Bogen"));
    EXPECT_LT(form->PaintBox1->width(), form->PaintBox1->height());
    keep(QStringLiteral("printforms-preview-tent.png"));

    form->PageControl1->setCurrentIndex(2);
    QTest::mouseClick(form->PrintFormBox->FaltlinieCheck, Qt::LeftButton);
    const QString path = dir.filePath("tent.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(path));
    DocumentData doc;
    QString why;
    ASSERT_TRUE(LoadDocumentFile(path, CardSettings(), doc, &why)) << why.toStdString();
    EXPECT_EQ(doc.settings.DruckformBox, CardSettings::PrintForm::TableTent);
    EXPECT_FALSE(doc.settings.FaltlinieCheck);

    // Another document brings single pages back; opening the tent again
    // shows its form unchanged.
    form->PrintFormBox->FormRadio[0]->click();
    ASSERT_TRUE(form->SaveTheFileAs(dir.filePath("plain.vlr")));
    ASSERT_TRUE(form->OpenFileWithName(path, true));
    EXPECT_TRUE(form->PrintFormBox->FormRadio[2]->isChecked());
    EXPECT_FALSE(form->PrintFormBox->FaltlinieCheck->isChecked());
    EXPECT_FALSE(form->changed);

    // The window's PDF export prints the sheet.
    const QString pdfPath = dir.filePath("tent.pdf");
    fileAnswers.push_back(pdfPath);
    form->AlsPDFexportieren1->trigger();
    EXPECT_EQ(testutil::pdfPages(pdfPath), 1);
    const QString info = testutil::runPdfTool(QStringLiteral("pdfinfo"), {pdfPath});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595\\.\\d* x 841\\.\\d*|Page size:\\s+595\\.\\d* x 842"))))
        << info.toStdString();
}
