// The print form on the "Layout" tab: the preview shows the sheets and counts
// pages and sheets, the choice is an undo step, kept with the document and
// used by the PDF export. The logo and the readability check on the same tab.
#include "app/FilenameEdit.h"
#include "app/LogoBox.h"
#include "app/PaperBox.h"
#include "app/PreviewBox.h"
#include "app/PreviewPager.h"
#include "app/ReadabilityBox.h"
#include "app/PrintFormBox.h"
#include "catalogue/document.h"
#include "layout/imposition.h"
#include "texture/picturenote.h"
#include "mainwindow_fixture.h"
#include "testutil.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
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
    keep(QStringLiteral("printforms-layout-tab.png"));
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
    if (!qEnvironmentVariable("VELLORAN_RENDER_DIR").isEmpty()) {
        const int zoom = form->ZoomEd->value();
        QTest::mouseClick(form->Pager->GanzeSeiteBtn, Qt::LeftButton);
        showPreview();
        keep(QStringLiteral("printforms-preview-booklet.png"));
        form->ZoomEd->setValue(zoom);
    }

    showPreview(2);
    EXPECT_TRUE(bogen->text().startsWith(QStringLiteral("Bogen 1 Rückseite von %1").arg(sheets))) << bogen->text().toStdString();
    // Page Down stops at the last side.
    form->SeiteEd->setValue(2 * sheets);
    form->Pager->nextPage();
    EXPECT_EQ(form->SeiteEd->value(), 2 * sheets);

    // Printing: the sheet sides; the printer's page stays as it was. (A
    // PDF printer has no duplex setting to see.)
    const QPageLayout page = form->printer->pageLayout();
    const QString printed = dir.filePath("heft-druck.pdf");
    form->printer->setOutputFormat(QPrinter::PdfFormat);
    form->printer->setOutputFileName(printed);
    form->printDialog = [&](QPrinter &, int &from, int &to) {
        from = 1;
        to = 0;
        return true;
    };
    QTest::mouseClick(form->DruckenBtn, Qt::LeftButton);
    EXPECT_EQ(testutil::pdfPages(printed), 2 * sheets);
    EXPECT_TRUE(form->printer->pageLayout() == page);

    // Back to single pages: the page count and no sheet line.
    choose(CardSettings::PrintForm::SinglePages);
    showPreview();
    EXPECT_FALSE(bogen->isVisible());
    EXPECT_EQ(form->Pager->PageCountLabel->text(), QStringLiteral("von %1").arg(pages));
    EXPECT_EQ(form->PaintBox1->size(), QSize(PreviewPageGeometry(PrinterPageArea(*form->printer), form->logicalDpiX(), 100).W + 8,
                                             PreviewPageGeometry(PrinterPageArea(*form->printer), form->logicalDpiX(), 100).H + 8));
    // Undone: the booklet again.
    form->Rueckgaengig1->trigger();
    EXPECT_TRUE(form->PrintFormBox->FormRadio[1]->isChecked());
    EXPECT_EQ(form->cardSettings().DruckformBox, CardSettings::PrintForm::Booklet);
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
    EXPECT_EQ(form->Pager->SheetLabel->text(), QStringLiteral("Bogen 1 von 1 \u2013 1 Seite auf 1 Bogen"));
    EXPECT_LT(form->PaintBox1->width(), form->PaintBox1->height());
    // "Ganze Seite" fits the whole sheet.
    QTest::mouseClick(form->Pager->GanzeSeiteBtn, Qt::LeftButton);
    showPreview();
    const QSize fitted = SheetSidePixels(form->printSheetPlan(), form->logicalDpiX(), form->ZoomEd->value());
    EXPECT_LE(fitted.height(), form->ScrollBox1->viewport()->height());
    keep(QStringLiteral("printforms-preview-tent.png"));

    form->PageControl1->setCurrentIndex(2);
    settle();
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
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts"))))
        << info.toStdString();
}

TEST_F(PrintForms, TheLogoIsPlacedAndAnUnusablePictureIsSaid)
{
    QImage logo(60, 30, QImage::Format_ARGB32);
    logo.fill(QColor(20, 90, 160));
    const QString logoPath = dir.filePath("logo.png");
    ASSERT_TRUE(logo.save(logoPath));
    form->PageControl1->setCurrentIndex(1);
    settle();
    const int pagesBefore = CardPageCount(form->cardSource(100), PrinterPageArea(*form->printer));

    form->LogoBox->LogoEd->setFileName(dir.filePath("fehlt.png"));
    settle();
    EXPECT_TRUE(form->LogoBox->LogoNote->isVisible());
    EXPECT_TRUE(form->LogoBox->LogoNote->text().contains("fehlt.png")) << form->LogoBox->LogoNote->text().toStdString();
    EXPECT_FALSE(form->cardSource(100).logo);

    form->LogoBox->LogoEd->setFileName(logoPath);
    form->LogoBox->LogoBreiteEd->setValue(80);
    settle();
    EXPECT_FALSE(form->LogoBox->LogoNote->isVisible());
    ASSERT_TRUE(form->cardSource(100).logo);
    EXPECT_EQ(form->cardSettings().LogoEd, logoPath);
    EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig: Logo");
    // 40 mm of logo push the card onto more pages... or at least not fewer.
    EXPECT_GE(CardPageCount(form->cardSource(100), PrinterPageArea(*form->printer)), pagesBefore);

    // The preview shows it at the top, centred: its colour in the middle
    // of the page's width just below the top margin.
    showPreview();
    keep(QStringLiteral("printforms-logo-preview.png"));
    const QImage shot = form->PaintBox1->grab().toImage();
    const int dpi = form->logicalDpiX();
    const int x = shot.width() / 2, y = int((25 + 10) / 25.4 * dpi);
    const QColor c = shot.pixelColor(x, y);
    EXPECT_LT(c.red(), 80) << c.name().toStdString();
    EXPECT_GT(c.blue(), 120) << c.name().toStdString();

    const QString path = dir.filePath("logo.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(path));
    DocumentData doc;
    QString why;
    ASSERT_TRUE(LoadDocumentFile(path, CardSettings(), doc, &why)) << why.toStdString();
    EXPECT_EQ(doc.settings.LogoEd, logoPath);
    EXPECT_EQ(doc.settings.LogoBreiteEd, 80);
}

TEST_F(PrintForms, TheReadabilityCheckNamesTheFontAndLargePrintMakesACard)
{
    QImage grey(16, 16, QImage::Format_RGB32);
    grey.fill(qRgb(60, 60, 60));
    const QString greyPath = dir.filePath("grau.png");
    ASSERT_TRUE(grey.save(greyPath));
    form->FilenameEdit2->setFileName(greyPath);
    form->HellEd->setValue(90);
    form->Timer1Timer(); // the picture prepared now, not after the typing pause
    form->PageControl1->setCurrentIndex(2);
    settle();
    QLabel *note = form->LesbarkeitBox->LesbarkeitNote;
    EXPECT_TRUE(note->text().contains("Schriftart für Beschreibung: Kontrast ")) << note->text().toStdString();
    EXPECT_TRUE(note->text().contains(QRegularExpression(QStringLiteral("Aufhellung auf \\d+ % erhöhen"))));

    // Lightened enough: the note says all is well.
    form->HellEd->setValue(20);
    form->Timer1Timer();
    EXPECT_EQ(note->text(), "Alle Schriften haben mindestens 4,5 : 1 Kontrast zum Hintergrund.");

    // "Großdruck": a new card with larger fonts and no picture, carrying
    // the same products; the card it was made from stays as it was, and
    // one undo takes the new card back.
    const CardSettings before = form->cardSettings();
    const int cardsBefore = form->cards.count();
    const int from = form->selectedCard;
    QTest::mouseClick(form->LesbarkeitBox->GrossdruckBtn, Qt::LeftButton);
    ASSERT_EQ(form->cards.count(), cardsBefore + 1);
    EXPECT_EQ(form->selectedCard, cardsBefore);
    EXPECT_EQ(form->cards.at(cardsBefore).name, form->cards.at(from).name + " (Großdruck)");
    EXPECT_EQ(form->cardSettings().FontDialog(1).size, 34);
    EXPECT_TRUE(form->cardSettings().FilenameEdit2.isEmpty());
    for (int i = 0; i < form->catalogue.categoryCount(); ++i)
        for (uint32_t j = 0; j < form->catalogue.products(i)->count; ++j)
            EXPECT_EQ(bool((form->catalogue.productCards(i, int(j)) >> cardsBefore) & 1u),
                      bool((form->catalogue.productCards(i, int(j)) >> from) & 1u));
    DocumentData doc;
    ASSERT_TRUE(ReadDocument(form->documentBytes(), CardSettings(), doc, nullptr));
    EXPECT_EQ(doc.cards.settingsOf(cardsBefore, doc.settings).FontDialog(1).size, 34);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(form->cards.count(), cardsBefore);
    EXPECT_EQ(form->cardSettings().FontDialog(1).size, before.FontDialog(1).size);
    EXPECT_EQ(form->cardSettings().FilenameEdit2, greyPath);
}
