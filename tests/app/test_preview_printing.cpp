#include "app/PreviewBox.h"
#include "layout/cardoutput.h"
#include "mainwindow_fixture.h"
#include "testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPageSetupDialog>
#include <QPrinterInfo>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testutil::pdfPages;
using testutil::pdfText;

class PreviewPrinting : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override
    {
        create();
        form->resize(900, 700);
        addCategoryDirect("Vorspeisen", 18, "Vorspeise");
        addCategoryDirect("Hauptgerichte", 18, "Hauptgericht");
        form->PageControl1->setCurrentIndex(1);
        settle();
    }
    void TearDown() override { destroy(); }

    void settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    PreviewGeometry geometry(int zoom)
    {
        return PreviewPageGeometry(PrinterPageArea(*form->printer), form->logicalDpiX(), zoom);
    }
    int pages() { return CardPageCount(form->cardSource(100), PrinterPageArea(*form->printer)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(PreviewPrinting, PaintBoxFollowsPageAndZoom)
{
    const PreviewGeometry g100 = geometry(100);
    ASSERT_GT(g100.W, 100);
    EXPECT_EQ(form->PaintBox1->pos(), QPoint(8, 8));
    EXPECT_EQ(form->PaintBox1->size(), QSize(g100.W + 8, g100.H + 8));
    const int pagesAt100 = pages();
    ASSERT_GE(pagesAt100, 3);

    form->ZoomEd->setValue(200);
    settle();
    const PreviewGeometry g200 = geometry(200);
    EXPECT_EQ(form->PaintBox1->size(), QSize(g200.W + 8, g200.H + 8));
    EXPECT_NEAR(g200.W, 2 * g100.W, 1);
    EXPECT_EQ(CardPageCount(form->cardSource(200), PrinterPageArea(*form->printer)), pagesAt100);
}

TEST_F(PreviewPrinting, PageBeyondTheLastShowsBlankPageWithFrame)
{
    form->SeiteEd->setValue(pages() + 1);
    settle();
    const QImage shot = form->PaintBox1->grab().toImage();
    const PreviewGeometry g = geometry(100);
    // White page, black outline at the page edge, and the frame line through
    // the middle of the left margin (25 mm at the screen resolution).
    EXPECT_EQ(QColor(shot.pixel(g.W / 2, g.H / 2)), QColor(Qt::white));
    EXPECT_EQ(QColor(shot.pixel(0, g.H / 2)), QColor(Qt::black));
    const int marginPx = int(25 / 25.39995 * form->logicalDpiX());
    bool frameFound = false;
    for (int x = marginPx / 2 - 3; x <= marginPx / 2 + 3; ++x)
        frameFound |= qGray(shot.pixel(x, g.H / 2)) < 60;
    EXPECT_TRUE(frameFound);
    // With the frame off the page is empty apart from its outline.
    form->RahmenCheck->setChecked(false);
    settle();
    const QImage plain = form->PaintBox1->grab().toImage();
    for (int x = 2; x < marginPx; ++x)
        ASSERT_EQ(QColor(plain.pixel(x, g.H / 2)), QColor(Qt::white)) << x;
}

// Every keystroke in the heading, footer or header paints the preview at
// once (no event processing in between); a margin waits for the next paint.
TEST_F(PreviewPrinting, TypingInTheHeadingRepaintsAtOnce)
{
    int paints = 0;
    const auto original = form->PaintBox1->OnPaint;
    form->PaintBox1->OnPaint = [&](QPainter &p, const QRect &r) {
        ++paints;
        original(p, r);
    };
    for (QLineEdit *e : {form->CaptionEd, form->FussEd, form->KopfEd}) {
        const int before = paints;
        QTest::keyClick(e, Qt::Key_A);
        EXPECT_GT(paints, before) << e->objectName().toStdString();
    }
    const int before = paints;
    form->LinksEd->setValue(form->LinksEd->value() + 5);
    EXPECT_EQ(paints, before);
    settle();
}

// The printer set-up, reached through its menu entry, changes the page
// area; the preview follows at its next paint, not before.
TEST_F(PreviewPrinting, PrinterSetUpChangesThePageBreaksAtTheNextPaint)
{
    const int pagesA4 = pages();
    const QSize boxA4 = form->PaintBox1->size();
    answers.push_back([](QDialog *d) {
        if (auto *setup = qobject_cast<QPageSetupDialog *>(d))
            setup->printer()->setPageSize(QPageSize(QPageSize::A5));
        return int(QDialog::Accepted);
    });
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        answers.push_front([](QDialog *) { return int(QDialog::Accepted); }); // keep the printer
    form->Druckereinrichten1->trigger();
    EXPECT_TRUE(answers.empty());
    EXPECT_EQ(form->PaintBox1->size(), boxA4); // the dialog does not repaint
    EXPECT_GT(pages(), pagesA4);
    form->PaintBox1->update();
    settle();
    const PreviewGeometry g = geometry(100);
    EXPECT_EQ(form->PaintBox1->size(), QSize(g.W + 8, g.H + 8));
    EXPECT_LT(g.H + 8, boxA4.height());
}

TEST_F(PreviewPrinting, DraggingClampsAtTheEnds)
{
    form->ZoomEd->setValue(300);
    settle();
    QScrollBar *hb = form->ScrollBox1->horizontalScrollBar();
    QScrollBar *vb = form->ScrollBox1->verticalScrollBar();
    ASSERT_GT(vb->maximum(), 100);
    ASSERT_GT(hb->maximum(), 100);
    vb->setValue(50);
    hb->setValue(40);
    QTest::mousePress(form->PaintBox1, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_TRUE(form->ziehen);
    // Dragging upwards far past the end: vertical stops at its maximum,
    // horizontal follows only the horizontal movement.
    form->PaintBox1MouseMove(190, 200 - 100000);
    EXPECT_EQ(vb->value(), vb->maximum());
    EXPECT_EQ(hb->value(), 50);
    form->PaintBox1MouseMove(200 + 100000, 200 + 100000);
    EXPECT_EQ(vb->value(), 0);
    EXPECT_EQ(hb->value(), 0);
    QTest::mouseRelease(form->PaintBox1, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_FALSE(form->ziehen);
    form->PaintBox1MouseMove(0, 0);
    EXPECT_EQ(vb->value(), 0);
}

TEST_F(PreviewPrinting, WheelScrollsTwentyPixelsPerNotchAtAnyZoom)
{
    for (int zoom : {100, 400}) {
        form->ZoomEd->setValue(zoom);
        settle();
        QScrollBar *vb = form->ScrollBox1->verticalScrollBar();
        vb->setValue(100);
        QWheelEvent down(QPointF(50, 50), form->PaintBox1->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->PaintBox1, &down);
        EXPECT_EQ(vb->value(), 120) << zoom;
        QWheelEvent up(QPointF(50, 50), form->PaintBox1->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 240),
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->CaptionEd, &up); // anywhere over the window
        EXPECT_EQ(vb->value(), 80) << zoom;
        // A smooth-scrolling device sends parts of a notch: eight of 15 are one notch.
        for (int i = 0; i < 8; ++i) {
            QWheelEvent part(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -15), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(form->PaintBox1, &part);
        }
        EXPECT_EQ(vb->value(), 100) << zoom;
    }
    // Over a spin box the wheel changes its value instead.
    const int zoomBefore = form->ZoomEd->value();
    QWheelEvent onSpin(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
    QApplication::sendEvent(form->ZoomEd, &onSpin);
    EXPECT_EQ(form->ZoomEd->value(), zoomBefore + 10);
    // On the catalogue tab the wheel is left to the lists.
    form->PageControl1->setCurrentIndex(0);
    QScrollBar *vb = form->ScrollBox1->verticalScrollBar();
    const int v = vb->value();
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(form->ListView2->viewport(), &down);
    EXPECT_EQ(vb->value(), v);
}

TEST_F(PreviewPrinting, PrintingIntoPdfPrinterGivesOnePagePerCardPage)
{
    const QString out = dir.filePath("print.pdf");
    form->printer->setOutputFormat(QPrinter::PdfFormat);
    form->printer->setOutputFileName(out);
    form->printDialog = [](QPrinter &, int &from, int &to) {
        from = 1;
        to = 0;
        return true;
    };
    click(form->DruckenBtn);
    EXPECT_EQ(pdfPages(out), pages());
    EXPECT_TRUE(pdfText(out).contains("Hauptgericht 18"));
    const QStringList every = testutil::pdfPageTexts(out);
    ASSERT_GE(every.size(), 4);

    const QString range = dir.filePath("range.pdf");
    form->printer->setOutputFileName(range);
    form->printDialog = [](QPrinter &, int &from, int &to) {
        from = 2;
        to = 3;
        return true;
    };
    form->Drucken1->trigger();
    // Pages 2 and 3 of the card, not two others.
    EXPECT_EQ(testutil::pdfPageTexts(range), every.mid(1, 2));
    EXPECT_NE(every[1], every[2]);

    // A cancelled print dialog prints nothing.
    const QString none = dir.filePath("none.pdf");
    form->printer->setOutputFileName(none);
    form->printDialog = [](QPrinter &, int &, int &) { return false; };
    form->Drucken1Click();
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(PreviewPrinting, PdfExportHasEveryPageWithItsText)
{
    const QString out = dir.filePath("karte.pdf");
    fileAnswers.push_back(out);
    form->AlsPDFexportieren1->trigger();
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(pdfPages(out), pages());
    const QString text = pdfText(out);
    EXPECT_TRUE(text.contains("Vorspeise 1"));
    EXPECT_TRUE(text.contains("Hauptgericht 18"));
    EXPECT_TRUE(text.contains("20,50") || text.contains("20.50"));

    fileAnswers.push_back(dir.filePath("missing/folder/karte.pdf"));
    form->AlsPDFexportieren1Click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].second.contains(dir.filePath("missing/folder/karte.pdf")));
}

// Needs an installed printer: the CUPS test runs these against its own
// server; the other test programs see no print server at all, so the test
// list leaves them out (tests/CMakeLists.txt).
class PreviewPrintingOnAPrinter : public PreviewPrinting {
};

TEST_F(PreviewPrintingOnAPrinter, CancelledPageSetupKeepsThePrinterAndPage)
{
    const QStringList names = QPrinterInfo::availablePrinterNames();
    ASSERT_FALSE(names.isEmpty()) << "no printer installed";
    const QString pdf = dir.filePath("karte.pdf");
    QPrinter &printer = *form->printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Landscape);
    const PageArea area = PrinterPageArea(printer);

    auto choose = [&](QDialog *d) {
        auto *combo = d->findChild<QComboBox *>();
        EXPECT_TRUE(combo);
        if (combo)
            combo->setCurrentIndex(combo->findText(names.first()));
        return int(QDialog::Accepted);
    };
    answers.push_back(choose);
    answers.push_back([](QDialog *d) {
        EXPECT_TRUE(qobject_cast<QPageSetupDialog *>(d));
        return int(QDialog::Rejected);
    });
    form->Druckereinrichten1Click();
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), pdf);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(PrinterPageArea(printer).widthPx, area.widthPx);

    // Confirmed, the printer is taken.
    answers.push_back(choose);
    answers.push_back([](QDialog *) { return int(QDialog::Accepted); });
    form->Druckereinrichten1Click();
    EXPECT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
    EXPECT_EQ(printer.printerName(), names.first());
}
