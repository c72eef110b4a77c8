// The preview's page count cache and zoom to fit.
#include "cardfixture.h"

#include "bench/cardgen.h"
#include "layout/pagecount.h"
#include "layout/previewfit.h"

#include <gtest/gtest.h>

TEST(PageCountCache, CountsOncePerChange)
{
    TestCard card;
    card.s = CardSettings();
    cardgen::generate(card.cat, card.names, 4, 30);
    const PageArea area = a4At600();
    PageCountCache cache;
    const int n = CardPageCount(card.source(), area);
    ASSERT_GE(n, 3);
    EXPECT_EQ(cache.pages(card.source(), area), n);
    EXPECT_EQ(cache.pages(card.source(), area), n);
    EXPECT_EQ(cache.countingPasses(), 1);

    // A change that is not announced is not seen; an announced one is.
    card.s.UntenEd = 150;
    EXPECT_EQ(cache.pages(card.source(), area), n);
    cache.invalidate();
    const int taller = CardPageCount(card.source(), area);
    ASSERT_GT(taller, n);
    EXPECT_EQ(cache.pages(card.source(), area), taller);
    EXPECT_EQ(cache.countingPasses(), 2);

    // Another page area or another on-request text counts again by itself.
    PageArea landscape = area;
    std::swap(landscape.widthPx, landscape.heightPx);
    EXPECT_EQ(cache.pages(card.source(), landscape), CardPageCount(card.source(), landscape));
    EXPECT_EQ(cache.countingPasses(), 3);
    PageArea shorter = landscape; // only the height differs
    shorter.heightPx -= shorter.heightPx / 4;
    const int shorterPages = CardPageCount(card.source(), shorter);
    ASSERT_GT(shorterPages, CardPageCount(card.source(), landscape));
    EXPECT_EQ(cache.pages(card.source(), shorter), shorterPages);
    EXPECT_EQ(cache.countingPasses(), 4);
    SetOnRequestTextProvider([] { return QStringLiteral("Price on request"); });
    cache.pages(card.source(), shorter);
    SetOnRequestTextProvider({});
    EXPECT_EQ(cache.countingPasses(), 5);
}

TEST(PreviewFit, LargestStepThatFits)
{
    const PageArea area = a4At600();
    auto geometry = [&](int z) { return PreviewPageGeometry(area, 96, z); };
    for (QSize visible : {QSize(600, 900), QSize(1200, 700), QSize(3000, 4000), QSize(801, 1131)}) {
        const int whole = FitZoom(area, 96, visible, 15, PreviewFit::WholePage);
        EXPECT_EQ(whole % 10, 0);
        auto fitsWhole = [&](int z) {
            return geometry(z).W + 16 <= visible.width() && geometry(z).H + 16 <= visible.height();
        };
        EXPECT_TRUE(fitsWhole(whole)) << visible.width();
        if (whole < 1000)
            EXPECT_FALSE(fitsWhole(whole + 10)) << visible.width();

        const int width = FitZoom(area, 96, visible, 15, PreviewFit::PageWidth);
        auto fitsWidth = [&](int z) {
            const bool tall = geometry(z).H + 16 > visible.height();
            return geometry(z).W + 16 <= visible.width() - (tall ? 15 : 0);
        };
        EXPECT_GE(width, whole);
        EXPECT_TRUE(fitsWidth(width)) << visible.width();
        if (width < 1000)
            EXPECT_FALSE(fitsWidth(width + 10)) << visible.width();
    }
    // The scroll bar's room: a width that fits only without it.
    const int w60 = PreviewPageGeometry(area, 96, 60).W;
    EXPECT_EQ(FitZoom(area, 96, QSize(w60 + 16, 100), 0, PreviewFit::PageWidth), 60);
    EXPECT_EQ(FitZoom(area, 96, QSize(w60 + 16, 100), 15, PreviewFit::PageWidth), 50);
    // A page that is not taller than the view leaves no room for a scroll bar.
    const int h60 = PreviewPageGeometry(area, 96, 60).H;
    EXPECT_EQ(FitZoom(area, 96, QSize(w60 + 16, h60 + 16), 15, PreviewFit::PageWidth), 60);
    // Nothing fits: the smallest step; everything fits: the largest.
    EXPECT_EQ(FitZoom(area, 96, QSize(20, 20), 15, PreviewFit::WholePage), 10);
    EXPECT_EQ(FitZoom(area, 96, QSize(100000, 100000), 15, PreviewFit::WholePage), 1000);
}
