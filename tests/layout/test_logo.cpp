// The card's logo: above the heading on the first page (or on every page),
// centred or at the left margin, its height moving what follows like the
// heading does; too wide or too tall a logo shrinks to the page's room.
#include "cardfixture.h"

#include <gtest/gtest.h>

namespace {

const CanvasOp *imageOp(const RecordingCanvas &c)
{
    for (const auto &o : c.ops)
        if (o.kind == CanvasOp::Image)
            return &o;
    return nullptr;
}

struct LogoCard : TestCard {
    LogoCard()
    {
        s.CaptionEd = QStringLiteral("Karte");
        const int c = category(QStringLiteral("Suppen"));
        for (int i = 1; i <= 40; ++i)
            product(c, QStringLiteral("Suppe%1").arg(i), 4.5);
        QImage img(200, 100, QImage::Format_ARGB32); // twice as wide as high
        img.fill(Qt::red);
        logo = std::make_shared<const QImage>(img);
    }
    std::shared_ptr<const QImage> logo;
    CardSource withLogo() const
    {
        CardSource src = source();
        src.logo = logo;
        return src;
    }
    Page paintWithLogo(int page) const
    {
        Page p;
        p.canvas = std::make_unique<RecordingCanvas>();
        p.canvas->shares = shares;
        p.more = PaintToCanvas(withLogo(), *p.canvas, dpi, widthPx(), heightPx(), page, double(zoom), false,
                               widthmm, heightmm, &p.pages);
        return p;
    }
};

TEST(CardLogo, AboveTheHeadingMovingTheCardDown)
{
    LogoCard card;
    const auto plain = card.paint(1);
    ASSERT_TRUE(plain.text(QStringLiteral("Karte")));
    EXPECT_FALSE(imageOp(*plain.canvas));

    // A name without a picture (it could not be used) prints nothing either.
    card.s.LogoEd = QStringLiteral("logo.png");
    card.s.LogoBreiteEd = 60;
    EXPECT_EQ(card.paint(1).canvas->ops.size(), plain.canvas->ops.size());

    const auto page1 = card.paintWithLogo(1);
    const CanvasOp *img = imageOp(*page1.canvas);
    ASSERT_TRUE(img);
    // 60 mm wide, 30 mm high, centred between the margins, at the top margin.
    EXPECT_EQ(img->a[1], card.pos(10));
    EXPECT_EQ(img->a[2], card.pos(60));
    EXPECT_EQ(img->a[3], card.pos(30));
    EXPECT_EQ(img->a[0], card.pos(10 + (190 - 60) / 2.0));
    // The heading and the first dish move down by the logo and its gap.
    const int shift = page1.text(QStringLiteral("Karte"))->a[1] - plain.text(QStringLiteral("Karte"))->a[1];
    EXPECT_NEAR(shift, card.pos(30 + kLogoGapMM), 1);
    EXPECT_NEAR(page1.text(QStringLiteral("Suppe1"))->a[1] - plain.text(QStringLiteral("Suppe1"))->a[1], shift, 1);
    // It takes room: the page holds fewer dishes, the card has no fewer pages.
    EXPECT_GE(page1.pages, plain.pages);

    // Page 2 carries it only when asked to.
    EXPECT_FALSE(imageOp(*card.paintWithLogo(2).canvas));
    card.s.LogoJedeSeiteCheck = true;
    const auto page2 = card.paintWithLogo(2);
    ASSERT_TRUE(imageOp(*page2.canvas));
    EXPECT_EQ(imageOp(*page2.canvas)->a[1], card.pos(10));

    // At the left margin.
    card.s.LogoLinksCheck = true;
    EXPECT_EQ(imageOp(*card.paintWithLogo(1).canvas)->a[0], card.pos(10));
}

TEST(CardLogo, ShrinksToThePagesRoom)
{
    LogoCard card;
    card.s.LogoEd = QStringLiteral("logo.png");
    card.s.LogoJedeSeiteCheck = true;
    // Wider than the text width (190 mm): as wide as it.
    card.s.LogoBreiteEd = 200;
    EXPECT_EQ(CardLogoSizeMM(card.withLogo(), 1, 210, 297), QSizeF(190, 95));
    // Taller than half the room between top and bottom margins: that high.
    QImage tall(50, 400, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    card.logo = std::make_shared<const QImage>(tall);
    const QSizeF s = CardLogoSizeMM(card.withLogo(), 2, 210, 297);
    EXPECT_DOUBLE_EQ(s.height(), (297 - 20) / 2.0);
    EXPECT_DOUBLE_EQ(s.width(), s.height() / 8);
    // So a logo on every page still leaves room: the card ends.
    const auto last = card.paintWithLogo(1);
    EXPECT_LT(last.pages, 100);
    EXPECT_TRUE(CardLogoSizeMM(card.source(), 1, 210, 297).isEmpty()); // no picture: no logo
}

} // namespace
