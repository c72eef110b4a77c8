// The preview's "von N", zoom to fit and Page Up/Page Down, on the real
// window.
#include "app/PreviewBox.h"
#include "app/PreviewPager.h"
#include "layout/cardoutput.h"
#include "mainwindow_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

class PreviewPagerTest : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override
    {
        create();
        form->resize(900, 700);
        addCategoryDirect("Vorspeisen", 18, "Vorspeise");
        form->PageControl1->setCurrentIndex(1);
        settle();
    }
    void TearDown() override { destroy(); }
    void settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    int pages() { return CardPageCount(form->cardSource(100), PrinterPageArea(*form->printer)); }
    QString shown() { return form->Pager->PageCountLabel->text(); }
    int passes() { return form->Pager->cache().countingPasses(); }
};

} // namespace

TEST_F(PreviewPagerTest, PageCountFollowsTheCardAndThePrinterPage)
{
    const int before = pages();
    ASSERT_GE(before, 2);
    EXPECT_EQ(shown(), QStringLiteral("von %1").arg(before));

    // Painting again, paging and zooming do not count again.
    const int counted = passes();
    form->ZoomEd->setValue(150);
    form->SeiteEd->setValue(2);
    form->PaintBox1->repaint();
    settle();
    EXPECT_EQ(passes(), counted);

    // A keystroke in the heading counts once.
    form->CaptionEd->setFocus();
    QTest::keyClick(form->CaptionEd, Qt::Key_Backspace);
    settle();
    EXPECT_EQ(passes(), counted + 1);

    // A category added on the first tab; seen when the preview is shown.
    form->PageControl1->setCurrentIndex(0);
    addCategoryDirect("Hauptgerichte", 18, "Hauptgericht");
    settle();
    form->PageControl1->setCurrentIndex(1);
    settle();
    const int more = pages();
    ASSERT_GT(more, before);
    EXPECT_EQ(shown(), QStringLiteral("von %1").arg(more));

    // A margin on the Layout tab.
    form->PageControl1->setCurrentIndex(2);
    form->UntenEd->setValue(120);
    form->PageControl1->setCurrentIndex(1);
    settle();
    ASSERT_GT(pages(), more);
    EXPECT_EQ(shown(), QStringLiteral("von %1").arg(pages()));

    // A landscape page chosen in the printer set-up.
    const int portrait = pages();
    answers.push_back([this](QDialog *) {
        form->printer->setPageOrientation(QPageLayout::Landscape);
        return int(QDialog::Accepted);
    });
    form->Druckereinrichten1Click();
    ASSERT_NE(pages(), portrait);
    EXPECT_EQ(shown(), QStringLiteral("von %1").arg(pages()));
    // The page field keeps its range.
    EXPECT_EQ(form->SeiteEd->maximum(), 10000);
}

TEST_F(PreviewPagerTest, FitButtonsChooseTheLargestStepThatFits)
{
    QScrollArea *area = form->ScrollBox1;
    auto fits = [&](int zoom, bool widthOnly) {
        const PreviewGeometry g = PreviewPageGeometry(PrinterPageArea(*form->printer), form->logicalDpiX(), zoom);
        const QSize v = area->maximumViewportSize();
        const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
        const bool tall = g.H + 16 > v.height();
        if (widthOnly)
            return g.W + 16 <= v.width() - (tall ? bar : 0);
        return !tall && g.W + 16 <= v.width();
    };

    form->ZoomEd->setValue(400);
    settle();
    click(form->Pager->GanzeSeiteBtn);
    settle();
    const int whole = form->ZoomEd->value();
    EXPECT_EQ(whole % 10, 0);
    EXPECT_TRUE(fits(whole, false));
    EXPECT_FALSE(fits(whole + 10, false));
    // The whole page shows: no scroll bar is needed.
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    // It sits in the middle of the view; a zoom of one's own puts it back
    // at the top left corner.
    const QRect page = area->widget()->geometry();
    EXPECT_NEAR(page.center().x(), area->viewport()->rect().center().x(), 1);
    EXPECT_NEAR(page.center().y(), area->viewport()->rect().center().y(), 1);
    form->ZoomEd->setValue(whole - 10);
    settle();
    EXPECT_EQ(area->widget()->geometry().topLeft(), QPoint(0, 0));
    click(form->Pager->GanzeSeiteBtn);
    settle();

    click(form->Pager->SeitenbreiteBtn);
    settle();
    const int width = form->ZoomEd->value();
    EXPECT_GT(width, whole);
    EXPECT_TRUE(fits(width, true));
    EXPECT_FALSE(fits(width + 10, true));
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
}

TEST_F(PreviewPagerTest, PageUpAndPageDownTurnThePages)
{
    const int n = pages();
    ASSERT_GE(n, 2);
    form->ScrollBox1->setFocus();
    QTest::keyClick(form->ScrollBox1, Qt::Key_PageDown);
    EXPECT_EQ(form->SeiteEd->value(), 2);
    // In the page field too, one page and not ten.
    form->SeiteEd->setFocus();
    QTest::keyClick(form->SeiteEd, Qt::Key_PageUp);
    EXPECT_EQ(form->SeiteEd->value(), 1);
    QTest::keyClick(form->SeiteEd, Qt::Key_PageUp);
    EXPECT_EQ(form->SeiteEd->value(), 1);
    // Not past the last page, and from the heading field as well.
    form->CaptionEd->setFocus();
    for (int i = 0; i < n + 3; ++i)
        QTest::keyClick(form->CaptionEd, Qt::Key_PageDown);
    EXPECT_EQ(form->SeiteEd->value(), n);
    // On another tab the keys do nothing here.
    form->PageControl1->setCurrentIndex(0);
    settle();
    QTest::keyClick(form->ListView2, Qt::Key_PageUp);
    EXPECT_EQ(form->SeiteEd->value(), n);
}
