// Stopping once the requested page is painted gives the very pixels and
// result of laying out the whole card: compared on thousands of generated
// cards, every page and the one beyond the last, several zooms, every
// switch, heading, header and footer lines, frame, texture, marks and the
// legend at the end or on every page. The column pass, whose widths the
// early stop takes, on cases of its own.
#include "cardfixture.h"

#include "layout/columnpass.h"
#include "layout/qpaintercanvas.h"
#include "layout/texturehook.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <cstdio>
#include <random>

namespace {

class TextureStub : public ITexturePainter {
public:
    void PaintTexture(ICanvas &canvas, const CardSettings &, int, int zoom, int width, int height) override
    {
        // A visible pattern that depends on the call.
        canvas.fillRect(QRect(0, 0, width, height / 3), qRgb(230, 220, 200 - zoom % 50));
    }
};

// A small random card with random settings on a small page, so that it
// has several pages; every kind of product and every switch occurs, and
// categories with sizes.
void randomCard(TestCard &card, std::mt19937 &rng)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto text = [&](int len) {
        static const QString letters = QStringLiteral("abcdefghij klmnop qrstuv wxyzäöüß ABC");
        QString s;
        for (int i = 0; i < len; ++i)
            s += letters.at(pick(0, int(letters.size()) - 1));
        return s;
    };
    CardSettings &s = card.s;
    s = CardSettings();
    s.CaptionEd = pick(0, 2) ? text(pick(1, 20)) : QString();
    s.FussEd = pick(0, 1) ? text(pick(1, 30)) : QString();
    s.KopfEd = pick(0, 1) ? text(pick(1, 30)) : QString();
    s.WaehrEd = pick(0, 3) ? QStringLiteral("€") : QStringLiteral("EUR");
    s.LinksEd = pick(0, 20);
    s.ObenEd = pick(0, 20);
    s.RechtsEd = pick(0, 20);
    s.UntenEd = pick(0, 20);
    s.RahmenCheck = pick(0, 1);
    s.CapsCheck = pick(0, 1);
    s.ZentrCheck = pick(0, 1);
    s.NoKommaCheck = pick(0, 1);
    s.NewPageForKatCheck = pick(0, 3) == 0;
    s.NoPointsCheck = pick(0, 3) == 0;
    s.CenterKatCheck = pick(0, 1);
    for (FontSetting &f : s.fonts)
        f.size = pick(6, 20);
    // Digits of their own widths on half the cards, so that the widest
    // number or price is not simply the longest.
    if (pick(0, 1))
        for (char16_t d = u'0'; d <= u'9'; ++d)
            card.shares[d] = pick(20, 110);
    // A QR code of its own on a third of the cards; a big one may need a
    // page of its own.
    if (pick(0, 2) == 0) {
        auto qr = std::make_shared<QrModules>();
        qr->size = 21;
        for (int i = 0; i < 21 * 21; ++i)
            qr->dark.push_back(uint8_t(pick(0, 1)));
        card.qrCode = qr;
        s.QrUrlEd = QStringLiteral("https://example.org/");
        s.QrDruckCheck = true;
        s.QrGroesseEd = pick(10, 60);
    }
    s.marks.MarksCheck = pick(0, 3) != 0;
    s.marks.LegendPos = pick(0, 1) ? LegendPlace::EveryPage : LegendPlace::AtEnd;
    card.widthmm = pick(60, 150);
    card.heightmm = pick(50, 140);
    const int categories = pick(0, 5);
    int explicitNumber = pick(1, 30);
    for (int c = 0; c < categories; ++c) {
        const int cat = card.category(text(pick(0, 15)));
        const int products = pick(0, 12);
        for (int p = 0; p < products; ++p) {
            const int kind = pick(0, 9);
            const double price = kind == 0   ? 0.0
                                 : kind == 1 ? -1.0
                                 : kind == 2 ? pick(1, 999999) / 1000.0     // not always whole cents
                                 : kind == 3 ? pick(1, 99999) * 1e9 / 7.0   // huge
                                             : pick(1, 99999) / 100.0;
            const int n = pick(0, 9);
            const int number = n < 6 ? 0 : n < 8 ? explicitNumber++ : n < 9 ? -pick(1, 5) : pick(1, 40);
            QString description;
            for (int l = pick(0, 3) == 0 ? 0 : pick(1, 4); l > 0; --l) {
                if (!description.isEmpty())
                    description += pick(0, 1) ? QStringLiteral("\r\n") : QStringLiteral("\n");
                description += text(pick(0, 120));
            }
            card.product(cat, text(pick(1, 40)), price, number, description,
                         pick(0, 2) ? QString() : QStringLiteral("%1cl").arg(pick(1, 99)));
            if (pick(0, 2) == 0) { // allergens and additives, and so a legend
                ProductMarks m;
                for (int k = pick(1, 4); k > 0; --k)
                    m.setAllergen(pick(0, 13), true);
                if (pick(0, 1))
                    m.setAdditive(pick(1, 12), true);
                card.cat.setMarks(cat, p, m);
            }
        }
        // Sizes on a third of the categories: headings that may not fit
        // beside the caption, sizes without a price, names that wrap.
        if (pick(0, 2) == 0) {
            QStringList heads;
            for (int k = pick(1, kMaxSizes); k > 0; --k)
                heads << text(pick(1, 8));
            card.cat.setSizeHeadings(cat, heads);
            for (int p = 0; p < products; ++p) {
                QVector<double> prices;
                for (int k = 0; k < kMaxSizes; ++k)
                    prices << (pick(0, 3) == 0 ? std::nan("") : pick(1, 99999) / 100.0);
                if (card.cat.product(cat, p)->price >= 0)
                    card.cat.setSizePrices(cat, p, prices.mid(0, card.cat.sizeHeadings(cat).size()));
            }
        }
    }
}

struct Painted {
    std::unique_ptr<RecordingCanvas> canvas;
    bool more;
};

Painted paintWith(const TestCard &card, int page, bool printit, LayoutExtent extent)
{
    Painted p{std::make_unique<RecordingCanvas>(), false};
    p.canvas->shares = card.shares;
    p.more = PaintToCanvas(card.source(), *p.canvas, card.dpi, card.widthPx(), card.heightPx(), page,
                           double(card.zoom), printit, card.widthmm, card.heightmm, nullptr, extent);
    return p;
}

QImage render(const TestCard &card, int page, LayoutExtent extent, bool *more)
{
    QImage img(card.widthPx(), card.heightPx(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    QPainterCanvas canvas(&painter);
    *more = PaintToCanvas(card.source(), canvas, card.dpi, card.widthPx(), card.heightPx(), page,
                          double(card.zoom), false, card.widthmm, card.heightmm, nullptr, extent);
    return img;
}

} // namespace

// What the comparison needs is every case on enough cards (see the counts
// below), not many cards: a few hundred, and fewer under the sanitizers,
// which run ten times slower.
#ifdef VELLORAN_SANITIZED_BUILD
constexpr int kCards = 120;
constexpr int kPixelCards = 8; // real fonts at two zooms: the same paths with every memory access checked
#else
constexpr int kCards = 400;
constexpr int kPixelCards = 25;
#endif

TEST(EarlyStop, SamePaintingAsTheWholeCardOnRandomCards)
{
    std::mt19937 rng(20261209);
    TextureStub texture;
    int compared = 0, stopped = 0;
    // Cards that stopped early at least once, carried marks, had the legend
    // on every page, printed a QR code, had sizes.
    int cardsStopped = 0, withMarks = 0, legendEveryPage = 0, withQr = 0, withSizes = 0;
    for (int n = 0; n < kCards; ++n) {
        TestCard card;
        randomCard(card, rng);
        const bool marks = card.s.marks.MarksCheck && card.cat.hasMarks();
        withMarks += marks;
        legendEveryPage += marks && card.s.marks.LegendPos == LegendPlace::EveryPage;
        withQr += card.qrCode && card.s.QrDruckCheck;
        withSizes += card.cat.hasSizes();
        const int stoppedBefore = stopped;
        card.texture = n % 3 ? &texture : nullptr;
        card.dpi = (n % 2) ? 96 : 300;
        const int zoom = (n % 4 + 1) * 50 - 10; // 40, 90, 140 and 190 in turn
        card.zoom = zoom;
        int pages = 0;
        {
            RecordingCanvas c;
            c.shares = card.shares;
            PaintToCanvas(card.source(), c, card.dpi, card.widthPx(), card.heightPx(), 1, double(zoom),
                          false, card.widthmm, card.heightmm, &pages, LayoutExtent::WholeCard);
        }
        for (int page = 0; page <= pages + 1; ++page) {
            const bool printit = (n + page) % 4 == 0;
            const Painted whole = paintWith(card, page, printit, LayoutExtent::WholeCard);
            const Painted early = paintWith(card, page, printit, LayoutExtent::UntilPageDone);
            ASSERT_EQ(whole.more, early.more) << "card " << n << " page " << page << " zoom " << zoom;
            ASSERT_EQ(whole.more, page < pages);
            ASSERT_TRUE(samePainting(*whole.canvas, *early.canvas))
                << "card " << n << " page " << page << " zoom " << zoom;
            ++compared;
            stopped += page >= 1 && page < pages;
        }
        cardsStopped += stopped > stoppedBefore;
    }
    std::printf("%d cards, %d pages compared: %d cards stopped early, %d carried marks, %d had the legend on"
                " every page, %d printed a QR code, %d had sizes\n",
                kCards, compared, cardsStopped, withMarks, legendEveryPage, withQr, withSizes);
    EXPECT_GT(compared, 5 * kCards);
    EXPECT_GT(stopped, 5 * kCards / 2); // most cards have pages after the one painted
    // Every case on a good share of the cards.
    EXPECT_GT(cardsStopped, kCards / 2);
    EXPECT_GT(withMarks, kCards / 5);
    EXPECT_GT(legendEveryPage, kCards / 10);
    EXPECT_GT(withQr, kCards / 5);
    EXPECT_GT(withSizes, kCards / 5);
}

TEST(EarlyStop, SamePixelsAsTheWholeCard)
{
    std::mt19937 rng(99);
    TextureStub texture;
    for (int n = 0; n < kPixelCards; ++n) {
        TestCard card;
        randomCard(card, rng);
        card.texture = n % 2 ? &texture : nullptr;
        card.dpi = 96;
        for (int zoom : {60, 150}) {
            card.zoom = zoom;
            int pages = 0;
            {
                QPainterCanvas c(nullptr); // real fonts, as painted
                PaintToCanvas(card.source(), c, card.dpi, card.widthPx(), card.heightPx(), 1, double(zoom),
                              false, card.widthmm, card.heightmm, &pages, LayoutExtent::WholeCard);
            }
            for (int page = 1; page <= pages + 1; ++page) {
                bool moreWhole = false, moreEarly = false;
                const QImage whole = render(card, page, LayoutExtent::WholeCard, &moreWhole);
                const QImage early = render(card, page, LayoutExtent::UntilPageDone, &moreEarly);
                ASSERT_EQ(moreWhole, moreEarly);
                ASSERT_TRUE(whole == early) << "card " << n << " page " << page << " zoom " << zoom;
            }
        }
    }
}

// The column pass skips prices that cannot be wider than the widest so far.
// It may skip one only when that holds on the surface as well as at the
// measuring resolution; and only prices above 0 make the price column.
TEST(ColumnPass, PriceColumnOnTheSurfaceAndOnlyOfPricedProducts)
{
    const auto column = [](const ITextMetrics &m, const CardSettings &s, const QString &amount) {
        return m.width(QStringLiteral("    ") + amount + QLatin1Char(' ') + s.WaehrEd);
    };
    const QString sep(UserDecimalPoint());
    std::vector<int32_t> used;
    // 10 pixels a character, the characters in the tables wider.
    const QHash<char16_t, int> plain, wideNine{{u'9', 300}}, wideZero{{u'0', 400}};
    const QString face = QStringLiteral("Pin w100");
    {
        // A 9 is three times as wide on the surface only: 99,99 is the widest
        // price there, 111,11 at the measuring resolution.
        const PinnedMetrics nominal(10, face, &plain), surface(10, face, &wideNine);
        TestCard card;
        const int c = card.category(QStringLiteral("Weine"));
        card.product(c, QStringLiteral("Riesling"), 111.11);
        card.product(c, QStringLiteral("Silvaner"), 99.99);
        const ColumnWidths w = MeasureColumns(card.source(), 1, used, nominal, surface, nominal, surface);
        EXPECT_DOUBLE_EQ(w.priceMM, MeasuredPxToMM(column(nominal, card.s, QStringLiteral("111") + sep + QStringLiteral("11"))));
        EXPECT_EQ(w.pricePx, column(surface, card.s, QStringLiteral("99") + sep + QStringLiteral("99")));
    }
    {
        // A wide 0: the on-request product's price of 0 makes no column.
        const PinnedMetrics m(10, face, &wideZero);
        TestCard card;
        const int c = card.category(QStringLiteral("Speisen"));
        card.product(c, QStringLiteral("Tagesgericht"), 0);
        card.product(c, QStringLiteral("Hausgemacht"), -1);
        ColumnWidths w = MeasureColumns(card.source(), 1, used, m, m, m, m);
        EXPECT_EQ(w.priceMM, 0);
        EXPECT_EQ(w.pricePx, 0);
        card.product(c, QStringLiteral("Suppe"), 1.11);
        w = MeasureColumns(card.source(), 1, used, m, m, m, m);
        EXPECT_EQ(w.pricePx, column(m, card.s, QStringLiteral("1") + sep + QStringLiteral("11")));
        EXPECT_DOUBLE_EQ(w.priceMM, MeasuredPxToMM(w.pricePx));
        // Without decimals the euros are cut, not rounded: 9.999 prints 9.
        card.s.NoKommaCheck = true;
        card.product(c, QStringLiteral("Wein"), 9.999);
        w = MeasureColumns(card.source(), 1, used, m, m, m, m);
        EXPECT_EQ(w.pricePx, column(m, card.s, QStringLiteral("9")));
    }
}
