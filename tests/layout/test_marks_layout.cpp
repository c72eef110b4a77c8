// Allergen and additive marks on the card: small raised marks after the
// name, the leader after them, and the legend at the end or on every page.
#include "recordingcanvas.h"

#include "catalogue/catalogue.h"
#include "layout/cardlayout.h"
#include "layout/cardmarks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// A4 at 300 ppi with pinned metrics (12 pt: 50 px cells, characters 25 px).
struct MarkCard {
    Catalogue cat;
    QStringList names;
    CardSettings s;

    MarkCard()
    {
        s.CaptionEd.clear();
        s.KopfEd.clear();
        s.RahmenCheck = false;
        s.LinksEd = s.ObenEd = s.RechtsEd = s.UntenEd = 10;
    }
    void products(int count, bool withDescription = false)
    {
        cat.addCategory();
        names << QStringLiteral("Hauptgerichte");
        for (int i = 0; i < count; ++i) {
            ProductValues v;
            v.name = QStringLiteral("Gericht %1").arg(i);
            v.price = 5 + i;
            if (withDescription)
                v.description = QStringLiteral("mit Beilage");
            cat.addProduct(int(names.size()) - 1, v);
        }
    }
    std::unique_ptr<RecordingCanvas> paint(int page, int *pages = nullptr) const
    {
        CardSource src;
        src.categoryNames = names;
        src.catalogue = const_cast<Catalogue *>(&cat);
        src.settings = s;
        auto c = std::make_unique<RecordingCanvas>();
        const int w = int(std::lround(210 / kMmPerInch * 300)), h = int(std::lround(297 / kMmPerInch * 300));
        PaintToCanvas(src, *c, 300, w, h, page, 100, false, 210, 297, pages);
        return c;
    }
    int pageCount() const
    {
        int n = 0;
        paint(1, &n);
        return n;
    }
};

ProductMarks currywurst()
{
    ProductMarks m;
    m.setAdditive(3, true);
    m.setAdditive(8, true);
    for (int i : {0, 5, 9})
        m.setAllergen(i, true);
    return m;
}

const CanvasOp *findPrefix(const RecordingCanvas &c, const QString &prefix)
{
    for (const CanvasOp &o : c.ops)
        if (o.kind == CanvasOp::Text && o.text.startsWith(prefix))
            return &o;
    return nullptr;
}

} // namespace

TEST(MarksLayout, SwitchedOffOrUnusedMarksChangeNothing)
{
    MarkCard plain;
    plain.products(60, true);
    MarkCard marked;
    marked.products(60, true);
    for (int i = 0; i < 60; i += 3)
        marked.cat.setMarks(0, i, currywurst());
    marked.s.marks.MarksCheck = false;
    marked.s.marks.LegendPos = LegendPlace::EveryPage;
    ASSERT_GT(plain.pageCount(), 1);
    ASSERT_EQ(marked.pageCount(), plain.pageCount());
    for (int page = 1; page <= plain.pageCount(); ++page)
        EXPECT_TRUE(samePainting(*plain.paint(page), *marked.paint(page))) << "page " << page;
    // Switched off, marks gathered elsewhere make no legend either.
    UsedMarks used;
    used.add(currywurst());
    EXPECT_FALSE(CardMarks(&marked.cat, used, marked.s).active());
    marked.s.marks.MarksCheck = true;
    EXPECT_TRUE(CardMarks(&marked.cat, used, marked.s).active());

    // Marks on a free text are not printed and make no legend.
    MarkCard freeText;
    freeText.products(3);
    ProductValues t;
    t.description = "Alles hausgemacht";
    t.price = -1;
    freeText.cat.addProduct(0, t);
    freeText.cat.setMarks(0, 3, currywurst());
    MarkCard same;
    same.products(3);
    same.cat.addProduct(0, t);
    EXPECT_TRUE(samePainting(*freeText.paint(1), *same.paint(1)));
}

TEST(MarksLayout, MarksFollowTheNameSmallAndRaisedAndTheLeaderAfterThem)
{
    MarkCard plain;
    plain.products(2);
    MarkCard card;
    card.products(2);
    card.cat.setMarks(0, 0, currywurst());
    const auto page = card.paint(1);
    const auto before = plain.paint(1);

    const CanvasOp *name = page->findText("Gericht 0");
    const CanvasOp *marks = page->findText("3,8,A,F,M");
    ASSERT_TRUE(name && marks);
    EXPECT_EQ(marks->pointSize, 7); // 60 % of 12 pt
    EXPECT_EQ(MarkFont(FontSetting::make(card.s.fonts[2].face, 11, 0)).size, 7); // 6.6 rounds up
    EXPECT_EQ(MarkFont(FontSetting::make(card.s.fonts[2].face, 1, 0)).size, 1);
    EXPECT_EQ(marks->font.face, card.s.fonts[2].face);
    EXPECT_EQ(marks->a[1], name->a[1]); // top of the name's line
    EXPECT_EQ(marks->a[0], name->a[0] + name->width);

    // The leader of the marked product starts after the marks and one space
    // and is shorter by their width; the unmarked product is as before.
    auto leaderOf = [](const RecordingCanvas &c, int y) -> const CanvasOp * {
        for (const CanvasOp &o : c.ops)
            if (o.kind == CanvasOp::Text && o.text.startsWith("..") && o.a[1] == y)
                return &o;
        return nullptr;
    };
    const CanvasOp *dots = leaderOf(*page, name->a[1]);
    const CanvasOp *dotsBefore = leaderOf(*before, name->a[1]);
    ASSERT_TRUE(dots && dotsBefore);
    EXPECT_GE(dots->a[0], marks->a[0] + marks->width);
    EXPECT_LT(dots->text.size(), dotsBefore->text.size());
    const CanvasOp *second = page->findText("Gericht 1");
    ASSERT_TRUE(second);
    const CanvasOp *secondDots = leaderOf(*page, second->a[1]);
    ASSERT_TRUE(secondDots);
    EXPECT_EQ(secondDots->text, leaderOf(*before, second->a[1])->text);
    EXPECT_EQ(page->count(CanvasOp::Text), before->count(CanvasOp::Text) + 2); // marks + legend
}

TEST(MarksLayout, LegendAtTheEndListsOnlyTheMarksUsed)
{
    MarkCard card;
    card.products(3);
    ProductMarks m;
    m.setAdditive(3, true);
    m.setAllergen(6, true); // G
    card.cat.setMarks(0, 1, m);
    const auto page = card.paint(1);
    const CanvasOp *legend = findPrefix(*page, "Zusatzstoffe:");
    ASSERT_TRUE(legend);
    EXPECT_EQ(legend->text, QString::fromUtf8("Zusatzstoffe: 3\u00A0mit Antioxidationsmittel \u00B7 Allergene: G\u00A0Milch"));
    EXPECT_EQ(legend->font, card.s.fonts[7]); // footer font
    EXPECT_GT(legend->a[1], page->findText("Gericht 2")->a[1]);
    EXPECT_EQ(card.pageCount(), 1);
}

TEST(MarksLayout, LegendOnEveryPageKeepsItsBandFree)
{
    auto build = [](MarkCard &card, LegendPlace place) {
        card.products(80, true);
        for (int i = 0; i < 80; i += 2)
            card.cat.setMarks(0, i, currywurst());
        card.s.marks.LegendPos = place;
        // A long additive text makes the legend wrap to two rows.
        card.s.marks.additives[7] = QString(60, QLatin1Char('x'));
    };
    MarkCard card, atEnd;
    build(card, LegendPlace::EveryPage);
    build(atEnd, LegendPlace::AtEnd);
    const int pages = card.pageCount();
    ASSERT_GT(pages, 2);
    EXPECT_GE(pages, atEnd.pageCount());

    const int footerTop = int(std::lround((297 - 10) / kMmPerInch * 300)) - 38; // footer text cell
    for (int p = 1; p <= pages; ++p) {
        const auto page = card.paint(p);
        const CanvasOp *legend = findPrefix(*page, "Zusatzstoffe:");
        ASSERT_TRUE(legend) << "page " << p;
        int lowestItem = 0;
        int legendRows = 0;
        for (const CanvasOp &o : page->texts()) {
            if (o.font == card.s.fonts[7] && o.text != card.s.FussEd) {
                ++legendRows;
                EXPECT_LT(o.a[1], footerTop);
            } else if (o.font != card.s.fonts[7]) {
                lowestItem = std::max(lowestItem, o.a[1] + 50);
            }
        }
        EXPECT_EQ(legendRows, 2);
        EXPECT_LE(lowestItem, legend->a[1]) << "page " << p;
    }
}

TEST(MarksLayout, EveryPageLegendLowersTheBottomLimitByItsBand)
{
    // Whatever the bottom margin, no item reaches into the legend's rows.
    for (double bottom = 10; bottom < 25; bottom += 0.5) {
        MarkCard card;
        card.s.UntenEd = bottom;
        card.products(20, true);
        card.cat.setMarks(0, 0, currywurst());
        card.s.marks.LegendPos = LegendPlace::EveryPage;
        const auto page = card.paint(1);
        const CanvasOp *legend = findPrefix(*page, "Zusatzstoffe:");
        ASSERT_TRUE(legend);
        for (const CanvasOp &o : page->texts()) {
            if (o.font != card.s.fonts[7])
                EXPECT_LE(o.a[1] + 50, legend->a[1]) << o.text.toStdString() << " bottom " << bottom;
        }
    }
}
