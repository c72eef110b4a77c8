// A card in two languages: each dish's translation under its German name
// and description in the toggled font, the translated quantity note beside
// it, categories, heading and lines as "German · translation", size headings
// with their translations below, the legend in both languages, dishes that
// never part from their translation at a page break, the German alone where
// a translation is missing, and the count of texts without one.
#include "cardfixture.h"

#include "catalogue/officialwording.h"
#include "layout/bilingual.h"
#include "layout/cardmarks.h"
#include "layout/cardsource.h"
#include "testutil.h"

#include <gtest/gtest.h>

namespace {

const QString kDot = QStringLiteral(" \u00B7 ");

int right(const CanvasOp *op)
{
    return op->a[0] + op->width;
}
bool italic(const CanvasOp *op)
{
    return op->font.style & FontSetting::Italic;
}

ProductTranslation translation(const QString &name, const QString &description = QString(),
                               const QString &quantity = QString())
{
    ProductTranslation t;
    t.name = name;
    t.description = description;
    t.quantity = quantity;
    return t;
}

} // namespace

TEST(Bilingual, TranslationStandsUnderTheGermanNameAndDescriptionInTheToggledFont)
{
    TestCard card;
    card.s.ZweisprachigCheck = true;
    card.s.FontDialog(4).style = FontSetting::Italic; // the description font is italic already
    const int c = card.category(QStringLiteral("Suppen"));
    card.product(c, QStringLiteral("Tomatensuppe"), 4.5, 0, QStringLiteral("mit Sahne"), QStringLiteral("0,3 l"));
    card.cat.setTranslation(c, 0, translation(QStringLiteral("Tomato soup"), QStringLiteral("with cream"),
                                              QStringLiteral("0.3 l")));
    const auto page = card.paint(1);
    const CanvasOp *name = page.text(QStringLiteral("Tomatensuppe"));
    const CanvasOp *trName = page.text(QStringLiteral("Tomato soup"));
    const CanvasOp *quantity = page.text(QStringLiteral("0,3 l"));
    const CanvasOp *trQuantity = page.text(QStringLiteral("0.3 l"));
    const CanvasOp *description = page.text(QStringLiteral("mit Sahne"));
    const CanvasOp *trDescription = page.text(QStringLiteral("with cream"));
    ASSERT_TRUE(name && trName && quantity && trQuantity && description && trDescription);

    // The translated name one row under the German one, at its left edge, in
    // the name's font turned italic; its quantity note on its row, ending
    // where the German one ends.
    const double nameTop = card.s.ObenEd + 2 * card.h(2);
    EXPECT_EQ(name->a[1], card.pos(nameTop));
    EXPECT_EQ(trName->a[1], card.pos(nameTop + card.h(3)));
    EXPECT_EQ(trName->a[0], name->a[0]);
    EXPECT_EQ(trName->font.face, name->font.face);
    EXPECT_FALSE(italic(name));
    EXPECT_TRUE(italic(trName));
    EXPECT_EQ(trQuantity->a[1], trName->a[1]);
    EXPECT_EQ(right(trQuantity), right(quantity));
    EXPECT_TRUE(italic(trQuantity));

    // The descriptions follow the translated name; the translation of the
    // italic description prints upright, one row below it.
    const double descriptionTop = nameTop + card.h(3) + 1.5 * card.h(3);
    EXPECT_EQ(description->a[1], card.pos(descriptionTop));
    EXPECT_EQ(trDescription->a[1], card.pos(descriptionTop + card.h(4)));
    EXPECT_EQ(trDescription->a[0], description->a[0]);
    EXPECT_TRUE(italic(description));
    EXPECT_FALSE(italic(trDescription));

    // Leader and price stand on the German name's row alone.
    int leaders = 0;
    for (const CanvasOp &op : page.canvas->texts()) {
        if (op.text.startsWith(QStringLiteral(".."))) {
            ++leaders;
            EXPECT_EQ(op.a[1], name->a[1]);
        }
        if (op.text.endsWith(QStringLiteral("€")))
            EXPECT_EQ(op.a[1], name->a[1]);
    }
    EXPECT_EQ(leaders, 1);
}

TEST(Bilingual, CategoriesHeadingAndLinesPrintGermanDotTranslation)
{
    TestCard card;
    card.s.ZweisprachigCheck = true;
    card.s.CapsCheck = true;
    card.s.CaptionEd = QStringLiteral("Speisekarte");
    card.s.translation.heading = QStringLiteral("Menu");
    card.s.FussEd = QStringLiteral("Inklusive");
    card.s.translation.footer = QStringLiteral("Included");
    const int starters = card.category(QStringLiteral("Vorspeisen"));
    card.cat.setCategoryTranslation(starters, QStringLiteral("Starters"));
    const int mains = card.category(QStringLiteral("Hauptgerichte")); // no translation
    card.product(starters, QStringLiteral("Brot"), 2);
    card.product(mains, QStringLiteral("Braten"), 12);
    const auto page = card.paint(1);
    EXPECT_TRUE(page.text(QStringLiteral("VORSPEISEN") + kDot + QStringLiteral("STARTERS")));
    EXPECT_TRUE(page.text(QStringLiteral("HAUPTGERICHTE")));
    EXPECT_TRUE(page.text(QStringLiteral("Speisekarte") + kDot + QStringLiteral("Menu")));
    EXPECT_TRUE(page.text(QStringLiteral("Inklusive") + kDot + QStringLiteral("Included")));

    // A translation that reads as the German text ("Desserts", "Bruschetta")
    // is printed once: no "DESSERTS · DESSERTS", no second name row.
    const int desserts = card.category(QStringLiteral("Desserts"));
    card.cat.setCategoryTranslation(desserts, QStringLiteral("Desserts"));
    card.product(desserts, QStringLiteral("Tiramisu"), 6);
    card.cat.setTranslation(desserts, 0, translation(QStringLiteral("Tiramisu "), QStringLiteral("Mascarpone")));
    const auto same = card.paint(1);
    EXPECT_TRUE(same.text(QStringLiteral("DESSERTS")));
    EXPECT_FALSE(same.text(QStringLiteral("DESSERTS") + kDot + QStringLiteral("DESSERTS")));
    int tiramisu = 0;
    for (const CanvasOp &op : same.canvas->texts())
        tiramisu += op.text.trimmed() == QStringLiteral("Tiramisu") ? 1 : 0;
    EXPECT_EQ(tiramisu, 1);
    EXPECT_TRUE(same.text(QStringLiteral("Mascarpone"))) << "the description's translation still stands";

    // A header line too long for one row with its translation prints the
    // translation on a row of its own, and the band below it grows by a row.
    card.s.KopfEd = QString(40, QLatin1Char('k'));
    card.s.translation.header = QString(40, QLatin1Char('h'));
    const auto split = card.paint(1);
    const CanvasOp *german = split.text(card.s.KopfEd);
    const CanvasOp *trHeader = split.text(card.s.translation.header);
    ASSERT_TRUE(german && trHeader);
    const int tm = card.margin(card.s.ObenEd);
    EXPECT_EQ(german->a[1], tm);
    EXPECT_EQ(trHeader->a[1], tm + card.sh(9));
    EXPECT_TRUE(italic(trHeader));
    const CanvasOp *heading = split.text(QStringLiteral("Speisekarte") + kDot + QStringLiteral("Menu"));
    ASSERT_TRUE(heading);
    EXPECT_EQ(heading->a[1], card.pos(card.s.ObenEd + 3 * card.h(9)));
}

TEST(Bilingual, SizeHeadingTranslationsStandBelowInTheirColumns)
{
    TestCard card;
    card.s.ZweisprachigCheck = true;
    const int c = card.category(QStringLiteral("Biere"));
    card.cat.setSizeHeadings(c, {QStringLiteral("0,3 l"), QStringLiteral("0,5 l")});
    card.cat.setSizeHeadingTranslations(c, {QString(), QStringLiteral("large glass")});
    card.product(c, QStringLiteral("Pils"), 3.6);
    card.cat.setSizePrices(c, 0, {3.6, 5.2});
    const auto page = card.paint(1);
    const CanvasOp *large = page.text(QStringLiteral("0,5 l"));
    const CanvasOp *pint = page.text(QStringLiteral("large glass"));
    const CanvasOp *caption = page.text(QStringLiteral("Biere"));
    ASSERT_TRUE(large && pint && caption);
    EXPECT_EQ(large->a[1], caption->a[1]);
    EXPECT_EQ(pint->a[1], card.pos(card.s.ObenEd + card.h(5)));
    EXPECT_EQ(right(pint), right(large));
    EXPECT_TRUE(italic(pint));
    // The column is as wide as its widest text, here the translation after
    // four spaces.
    const CanvasOp *small = page.text(QStringLiteral("0,3 l"));
    ASSERT_TRUE(small);
    EXPECT_EQ(right(small), right(large) - std::max({card.spx(5, "    0,5 l"), card.spx(5, "    5,20 €"),
                                                      card.spx(5, "    5.20 €"), card.spx(5, "    large glass")}));
}

// Whatever the page height, a dish's name, its translation, its
// description and the description's translation stand on one page, and so
// do a free text and its translation.
TEST(Bilingual, ADishNeverPartsFromItsTranslationAtAPageBreak)
{
    TestCard card;
    card.s.ZweisprachigCheck = true;
    const int c = card.category(QStringLiteral("Gerichte"));
    for (int i = 0; i < 8; ++i) {
        card.product(c, QStringLiteral("Gericht %1").arg(i), 5 + i, 0, QStringLiteral("Beilage %1\nSalat %1").arg(i));
        card.cat.setTranslation(c, 2 * i, translation(QStringLiteral("Dish %1").arg(i),
                                                      QStringLiteral("Side %1\nSalad %1").arg(i)));
        card.product(c, QString(), -1, 0, QStringLiteral("Hinweis %1").arg(i));
        card.cat.setTranslation(c, 2 * i + 1, translation(QString(), QStringLiteral("Note %1").arg(i)));
    }
    int breaks = 0;
    for (double height = 60; height <= 110; height += 2.5) {
        card.heightmm = height;
        const auto pages = card.allPages();
        breaks += int(pages.size()) - 1;
        auto pageOf = [&](const QString &t) {
            for (size_t p = 0; p < pages.size(); ++p)
                if (pages[p].text(t))
                    return int(p) + 1;
            return 0;
        };
        for (int i = 0; i < 8; ++i) {
            const int p = pageOf(QStringLiteral("Gericht %1").arg(i));
            ASSERT_GT(p, 0);
            EXPECT_EQ(pageOf(QStringLiteral("Dish %1").arg(i)), p) << height << " mm, dish " << i;
            EXPECT_EQ(pageOf(QStringLiteral("Beilage %1").arg(i)), p) << height << " mm, dish " << i;
            EXPECT_EQ(pageOf(QStringLiteral("Salat %1").arg(i)), p) << height << " mm, dish " << i;
            EXPECT_EQ(pageOf(QStringLiteral("Side %1").arg(i)), p) << height << " mm, dish " << i;
            EXPECT_EQ(pageOf(QStringLiteral("Salad %1").arg(i)), p) << height << " mm, dish " << i;
            EXPECT_EQ(pageOf(QStringLiteral("Note %1").arg(i)), pageOf(QStringLiteral("Hinweis %1").arg(i)))
                << height << " mm, note " << i;
        }
        // Stopping early lays out the same pages.
        for (size_t p = 0; p < pages.size(); ++p) {
            RecordingCanvas early;
            PaintToCanvas(card.source(), early, card.dpi, card.widthPx(), card.heightPx(), int(p) + 1,
                          double(card.zoom), false, card.widthmm, card.heightmm, nullptr, LayoutExtent::UntilPageDone);
            EXPECT_TRUE(samePainting(early, *pages[p].canvas)) << height << " mm, page " << p + 1;
        }
    }
    EXPECT_GT(breaks, 20);
}

TEST(Bilingual, WithoutTranslationsOrWithTheSwitchOffTheCardIsAsBefore)
{
    // Heading, lines, sizes, descriptions, quantity notes and free texts
    // over several pages.
    auto build = [](TestCard &card) {
        card.s.CaptionEd = QStringLiteral("Speisekarte");
        card.s.KopfEd = QStringLiteral("Kopf");
        card.s.FussEd = QStringLiteral("Fuß");
        card.heightmm = 70;
        const int c = card.category(QStringLiteral("Biere"));
        card.cat.setSizeHeadings(c, {QStringLiteral("0,3 l"), QStringLiteral("0,5 l")});
        for (int i = 0; i < 6; ++i) {
            card.product(c, QStringLiteral("Bier %1").arg(i), 3, 0, QStringLiteral("frisch"), QStringLiteral("Flasche"));
            card.cat.setSizePrices(c, 2 * i, {3, 4.5});
            card.product(c, QString(), -1, 0, QStringLiteral("frei"));
        }
        card.product(card.category(QStringLiteral("Speisen")), QStringLiteral("Brot"), 2, 0, QStringLiteral("warm"));
    };
    TestCard plain, on, off;
    build(plain);
    build(on);
    build(off);
    // The switch on, nothing translated: German alone, as before.
    on.s.ZweisprachigCheck = true;
    // Every text translated, the switch off: nothing of it printed.
    off.s.translation.heading = QStringLiteral("Menu");
    off.s.translation.header = QStringLiteral("Head");
    off.s.translation.footer = QStringLiteral("Foot");
    off.cat.setCategoryTranslation(0, QStringLiteral("Beers"));
    off.cat.setSizeHeadingTranslations(0, {QStringLiteral("small"), QStringLiteral("large")});
    for (int j = 0; j < 12; ++j)
        off.cat.setTranslation(0, j, translation(QStringLiteral("Beer"), QStringLiteral("fresh"), QStringLiteral("bottle")));
    off.cat.setTranslation(1, 0, translation(QStringLiteral("Bread"), QStringLiteral("warm")));
    const auto pages = plain.allPages();
    ASSERT_GE(pages.size(), 2u);
    for (size_t p = 0; p < pages.size(); ++p) {
        EXPECT_TRUE(samePainting(*on.paint(int(p) + 1).canvas, *pages[p].canvas)) << "page " << p + 1;
        EXPECT_TRUE(samePainting(*off.paint(int(p) + 1).canvas, *pages[p].canvas)) << "page " << p + 1;
    }

    // A bilingual card prints the German alone where a text has no
    // translation: the bread's description has one, its name none.
    on.cat.setTranslation(1, 0, translation(QString(), QStringLiteral("warm, from the oven")));
    const int page = plain.pageOf(QStringLiteral("Brot"));
    ASSERT_EQ(on.pageOf(QStringLiteral("Brot")), page);
    const auto was = plain.paint(page), now = on.paint(page);
    for (const QString &t : {QStringLiteral("Brot"), QStringLiteral("warm")}) {
        ASSERT_TRUE(now.text(t) && was.text(t));
        EXPECT_EQ(now.text(t)->a[0], was.text(t)->a[0]);
        EXPECT_EQ(now.text(t)->a[1], was.text(t)->a[1]);
    }
    const CanvasOp *trDescription = now.text(QStringLiteral("warm, from the oven"));
    ASSERT_TRUE(trDescription);
    EXPECT_EQ(trDescription->a[0], now.text(QStringLiteral("warm"))->a[0]);
    EXPECT_GT(trDescription->a[1], now.text(QStringLiteral("warm"))->a[1]);
}

TEST(Bilingual, LegendInBothLanguagesWithGermanAloneWhereAWordingIsMissing)
{
    MarkSettings marks;
    marks.additiveTranslations = {QStringLiteral("with colouring")};
    UsedMarks used;
    ProductMarks m;
    m.setAdditive(1, true);
    m.setAdditive(3, true);
    m.setAllergen(0, true);
    m.setAllergen(6, true);
    used.add(m);

    // A language without any wording: the German legend exactly.
    MarkSettings german = marks;
    german.additiveTranslations.clear();
    EXPECT_EQ(BilingualLegendText(used, german, QStringLiteral("ja")), LegendText(used, german.additives));

    const QString legend = BilingualLegendText(used, marks, QStringLiteral("en-GB"));
    const QString nb(QChar(0x00A0));
    EXPECT_TRUE(legend.startsWith(QStringLiteral("Zusatzstoffe / Additives: 1") + nb
                                  + QStringLiteral("mit Farbstoff / with colouring, 3") + nb + marks.additives.at(2)))
        << legend.toStdString();
    const QString shipped = ShippedAdditiveText(marks.additives.at(2), QStringLiteral("en"));
    if (!shipped.isEmpty())
        EXPECT_TRUE(legend.contains(marks.additives.at(2) + QStringLiteral(" / ") + shipped)) << legend.toStdString();
    EXPECT_TRUE(legend.contains(QStringLiteral(" \u00B7 Allergene / Allergens: A") + nb + AllergenName(0)))
        << legend.toStdString();
    for (int i : {0, 6}) {
        const QString official = OfficialAllergenName(i, QStringLiteral("en"));
        const QString item = QString(AllergenLetter(i)) + nb + AllergenName(i);
        EXPECT_TRUE(legend.contains(official.isEmpty() ? item : item + QStringLiteral(" / ") + official))
            << legend.toStdString();
    }

    // On the card, in the document's second language.
    TestCard card;
    card.s.ZweisprachigCheck = true;
    card.s.marks = marks;
    const int c = card.category(QStringLiteral("Wurst"));
    card.product(c, QStringLiteral("Currywurst"), 4);
    card.cat.setMarks(c, 0, m);
    SecondLanguage en;
    card.cat.setSecondLanguage(en);
    const CardMarks onCard(&card.cat, 1, card.s);
    EXPECT_EQ(onCard.legend(), BilingualLegendText(used, marks, QStringLiteral("en")));
    card.s.ZweisprachigCheck = false;
    EXPECT_EQ(CardMarks(&card.cat, 1, card.s).legend(), LegendText(used, marks.additives));
}

TEST(Bilingual, MissingTranslationsAreCountedOnBilingualCardsOnly)
{
    TestCard card;
    card.s.CaptionEd = QStringLiteral("Speisekarte"); // not translated
    const int c = card.category(QStringLiteral("Suppen"));
    card.cat.setCategoryTranslation(c, QStringLiteral("Soups"));
    card.product(c, QStringLiteral("Tomatensuppe"), 4, 0, QStringLiteral("mit Sahne"));
    card.cat.setTranslation(c, 0, translation(QStringLiteral("Tomato soup"), QStringLiteral("with cream")));
    card.product(c, QStringLiteral("Tagessuppe"), 4, 0, QString(), QStringLiteral("Tasse")); // nothing translated
    card.product(c, QString(), -1, 0, QStringLiteral("Hausgemacht"));
    card.cat.setTranslation(c, 2, translation(QString(), QStringLiteral("Homemade")));

    EXPECT_EQ(MissingTranslationsOfCard(card.source()), 0); // the switch is off
    EXPECT_TRUE(MissingTranslationsNote(MissingTranslationsOfCard(card.source())).isEmpty());
    card.s.ZweisprachigCheck = true;
    // The heading, the second soup's name and its quantity note.
    EXPECT_EQ(MissingTranslationsOfCard(card.source()), 3);
    EXPECT_EQ(MissingTranslationsOfCard(SourceOfCard(card.names, card.cat, 0, card.s)), 3);
    card.s.translation.heading = QStringLiteral("Menu");
    EXPECT_EQ(MissingTranslationsOfCard(card.source()), 2);
    EXPECT_EQ(MissingTranslationsNote(2), QStringLiteral("Zweisprachige Karte: 2 Texte ohne Übersetzung"));
}
