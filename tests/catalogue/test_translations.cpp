// Translations into the second language held beside the catalogue: they go
// with their product and category through every command and into a card's
// own catalogue, and the one list of translatable texts counts and stores
// them as a guest would read the card.
#include "catalogue/cardview.h"
#include "catalogue/languagestats.h"
#include "catalogue/productcopy.h"
#include "catalogue/translationtexts.h"

#include <gtest/gtest.h>

namespace {

ProductTranslation tr(const char *name, const char *description = "", const char *quantity = "")
{
    return {QString::fromUtf8(name), QString::fromUtf8(description), QString::fromUtf8(quantity)};
}

// "Suppen": Brühe (translated), Gulasch; "Weine" (sizes 0,1 l / 0,2 l):
// Riesling (translated), a free text.
void fill(Catalogue &cat, QStringList &names)
{
    names = QStringList{"Suppen", "Weine"};
    cat.addCategory();
    cat.addCategory();
    cat.addProduct(0, {QString::fromUtf8("Brühe"), "mit Einlage", "0,3 l", 4.5, 0});
    cat.addProduct(0, {"Gulasch", "", "", 9, 0});
    cat.addProduct(1, {"Riesling", "trocken", "", 6, 0});
    cat.addProduct(1, {"", "Alle Weine aus der Pfalz", "", -1, 0});
    cat.setSizeHeadings(1, {"0,1 l", "0,2 l"});
    cat.setTranslation(0, 0, tr("Broth", "with garnish", "0.3 l"));
    cat.setTranslation(1, 0, tr("Riesling", "dry"));
    cat.setCategoryTranslation(0, "Soups");
    cat.setSizeHeadingTranslations(1, {"0.1 l", "0.2 l"});
}

QVector<TextKind> kinds(const QVector<TranslatableText> &texts)
{
    QVector<TextKind> k;
    for (const TranslatableText &t : texts)
        k << t.place.kind;
    return k;
}

} // namespace

TEST(Translations, StayWithTheirProductAndCategoryThroughEveryCommand)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    ASSERT_TRUE(cat.hasTranslations());

    cat.changeProducts(0, 0, 1);
    EXPECT_TRUE(cat.translation(0, 0).isEmpty());
    EXPECT_EQ(cat.translation(0, 1), tr("Broth", "with garnish", "0.3 l"));
    EXPECT_EQ(CopyProduct(cat, 0, 1), 2);
    EXPECT_EQ(cat.translation(0, 2), cat.translation(0, 1));
    cat.deleteProduct(0, 0);
    EXPECT_EQ(cat.translation(0, 0).name, "Broth");
    cat.addProduct(0, {"Neu", "", "", 1, 0});
    EXPECT_TRUE(cat.translation(0, 2).isEmpty());
    EXPECT_EQ(MoveProductToCategory(cat, 0, 0, 1), 2);
    EXPECT_EQ(cat.translation(1, 2).name, "Broth");
    EXPECT_EQ(cat.translation(0, 0).name, "Broth"); // the copy stayed

    cat.changeCategories(0, 1);
    EXPECT_EQ(cat.categoryTranslation(1), "Soups");
    EXPECT_EQ(cat.sizeHeadingTranslations(0), QStringList({"0.1 l", "0.2 l"}));
    EXPECT_EQ(cat.translation(0, 0).name, "Riesling");
    cat.addCategory();
    EXPECT_TRUE(cat.categoryTranslation(2).isEmpty());
    cat.deleteCategory(0);
    EXPECT_EQ(cat.categoryTranslation(0), "Soups");
    EXPECT_EQ(cat.translation(0, 0).name, "Broth");

    // Fewer sizes cut their translations; more sizes do not bring them back.
    cat.setSizeHeadings(0, {"1", "2", "3"});
    cat.setSizeHeadingTranslations(0, {"one", "two\nlines", "three", "four"});
    EXPECT_EQ(cat.sizeHeadingTranslations(0), QStringList({"one", "two lines", "three"}));
    cat.setSizeHeadings(0, {"1"});
    EXPECT_EQ(cat.sizeHeadingTranslations(0), QStringList{"one"});
    cat.setSizeHeadings(0, {"1", "2"});
    EXPECT_EQ(cat.sizeHeadingTranslations(0), QStringList({"one", ""}));
    cat.setCategoryTranslation(0, "Soups\r\nand stews");
    EXPECT_EQ(cat.categoryTranslation(0), "Soups  and stews");

    cat.setSecondLanguage({"fr", ""});
    Catalogue other;
    other.swapContents(cat);
    EXPECT_FALSE(cat.hasTranslations());
    EXPECT_TRUE(cat.secondLanguage().isDefault());
    EXPECT_EQ(other.secondLanguage().tag, "fr");
    EXPECT_EQ(other.categoryTranslation(0), "Soups  and stews");
    other.clear();
    EXPECT_FALSE(other.hasTranslations());
    EXPECT_TRUE(other.secondLanguage().isDefault());
    // Out of range reads as none and sets nothing.
    other.setCategoryTranslation(3, "x");
    other.setTranslation(0, 0, tr("x"));
    EXPECT_FALSE(other.hasTranslations());
}

TEST(Translations, ACardsOwnCatalogueCarriesThem)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    cat.setSecondLanguage({"nl", ""});
    // Card 1 carries Gulasch and the Riesling only.
    cat.setProductCards(0, 1, 3);
    cat.setProductCards(1, 0, 3);
    const CardView view(names, cat, 1, false);
    ASSERT_FALSE(view.isWholeCatalogue());
    const Catalogue &own = *view.catalogue();
    EXPECT_EQ(own.secondLanguage().tag, "nl");
    EXPECT_EQ(own.categoryTranslation(0), "Soups");
    EXPECT_TRUE(own.translation(0, 0).isEmpty()); // Gulasch
    EXPECT_EQ(own.translation(1, 0), tr("Riesling", "dry"));
    EXPECT_EQ(own.sizeHeadingTranslations(1), QStringList({"0.1 l", "0.2 l"}));
}

TEST(Translations, TheListOfTextsCountsWhatAGuestReads)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    CardSettings first, second;
    first.CaptionEd = "Speisekarte";
    first.KopfEd = "";
    first.FussEd = "Guten Appetit";
    first.translation.footer = "Enjoy";
    second.CaptionEd = "Weinkarte";
    second.KopfEd = "";
    second.FussEd = " ";
    first.marks.additives = QStringList{"hausgemacht", "mit Farbstoff", " "};
    first.marks.additiveTranslations = QStringList{"home-made"};
    second.marks = first.marks;

    const QVector<TranslatableText> all = TranslatableTexts(names, cat, {first, second});
    using K = TextKind;
    EXPECT_EQ(kinds(all), (QVector<K>{K::Category, K::Name, K::Quantity, K::Description, K::Name, K::Category,
                                      K::SizeHeading, K::SizeHeading, K::Name, K::Description, K::FreeText,
                                      K::Heading, K::Footer, K::Heading, K::Additive, K::Additive}));
    EXPECT_EQ(all.at(4).german, "Gulasch");
    EXPECT_EQ(all.at(4).place, (TextPlace{K::Name, 0, 1, -1, -1}));
    EXPECT_EQ(all.at(10).german, "Alle Weine aus der Pfalz");
    EXPECT_EQ(all.at(13).place.card, 1);
    EXPECT_EQ(all.at(15).place.index, 1);

    const auto counts = CountTranslations(all);
    EXPECT_EQ(counts[size_t(K::Name)].total, 3);
    EXPECT_EQ(counts[size_t(K::Name)].missing, 1);
    EXPECT_EQ(counts[size_t(K::SizeHeading)].missing, 0);
    EXPECT_EQ(counts[size_t(K::Category)].missing, 1);
    EXPECT_EQ(counts[size_t(K::FreeText)].missing, 1);
    EXPECT_EQ(counts[size_t(K::Heading)].missing, 2);
    EXPECT_EQ(counts[size_t(K::Footer)].total, 1);
    EXPECT_EQ(counts[size_t(K::Footer)].missing, 0);
    EXPECT_EQ(counts[size_t(K::Additive)].total, 2);
    // Whether "mit Farbstoff" is missing depends on the wording shipped for
    // English; the rest is the document's own.
    const int additivesMissing = counts[size_t(K::Additive)].missing;
    EXPECT_EQ(MissingTranslations(all), 5 + additivesMissing);

    // Spaces are no translation.
    cat.setTranslation(0, 1, tr("  "));
    EXPECT_EQ(MissingTranslations(TranslatableTexts(names, cat, {first, second})), 5 + additivesMissing);

    // In a language whose wording the program ships, a default additive
    // counts as translated by it; the document's own translation comes first.
    cat.setSecondLanguage({"de", ""});
    QVector<TranslatableText> de = TranslatableTexts(names, cat, {first, second});
    EXPECT_EQ(de.at(15).translation, "mit Farbstoff");
    EXPECT_TRUE(de.at(15).shipped);
    EXPECT_FALSE(de.at(14).shipped);
    EXPECT_EQ(de.at(14).translation, "home-made");
    EXPECT_EQ(MissingTranslations(de), 5);
    first.marks.additiveTranslations = QStringList{"", "colour"};
    de = TranslatableTexts(names, cat, {first, second});
    EXPECT_EQ(de.at(15).translation, "colour");
    EXPECT_FALSE(de.at(15).shipped);
    EXPECT_EQ(MissingTranslations(de), 6);

    // One card prints what it carries, its own texts and the additives its
    // products carry; without marks printed, none.
    cat.setProductCards(1, 0, 3);
    cat.setMarks(1, 0, ProductMarks{0, {1}});
    second.marks.MarksCheck = true;
    const CardView view(names, cat, 1, false);
    QVector<TranslatableText> card = TranslatableTextsOfCard(view, second);
    EXPECT_EQ(kinds(card), (QVector<K>{K::Category, K::SizeHeading, K::SizeHeading, K::Name, K::Description,
                                       K::Heading, K::Additive}));
    EXPECT_EQ(card.at(3).place, (TextPlace{K::Name, 1, 0, -1, -1}));
    EXPECT_EQ(card.at(6).translation, "home-made");
    second.marks.MarksCheck = false;
    EXPECT_EQ(TranslatableTextsOfCard(view, second).size(), 6);
}

TEST(Translations, SetTranslatedTextStoresEachKindInItsPlace)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    QVector<CardSettings> cards(2);
    using K = TextKind;
    auto set = [&](TextPlace p, const char *text) { return SetTranslatedText(p, QString::fromUtf8(text), cat, cards); };

    EXPECT_TRUE(set({K::Category, 1, -1, -1, -1}, "Wines"));
    EXPECT_EQ(cat.categoryTranslation(1), "Wines");
    EXPECT_TRUE(set({K::SizeHeading, 1, -1, -1, 0}, "small"));
    EXPECT_EQ(cat.sizeHeadingTranslations(1), QStringList({"small", "0.2 l"}));
    EXPECT_TRUE(set({K::Name, 0, 1, -1, -1}, "Goulash\nsoup"));
    EXPECT_TRUE(set({K::Quantity, 0, 1, -1, -1}, "a\tbowl"));
    EXPECT_TRUE(set({K::Description, 0, 1, -1, -1}, "spicy\r\nhot"));
    EXPECT_EQ(cat.translation(0, 1), tr("Goulash soup", "spicy\r\nhot", "a bowl"));
    EXPECT_TRUE(set({K::FreeText, 1, 1, -1, -1}, "All wines\r\nfrom the Palatinate"));
    EXPECT_EQ(cat.translation(1, 1).description, "All wines\r\nfrom the Palatinate");
    EXPECT_TRUE(set({K::Header, -1, -1, 1, -1}, "Wine list"));
    EXPECT_EQ(cards[1].translation.header, "Wine list");
    EXPECT_TRUE(cards[0].translation.isEmpty());
    EXPECT_TRUE(set({K::Additive, -1, -1, -1, 2}, "with antioxidant"));
    for (const CardSettings &s : cards)
        EXPECT_EQ(s.marks.additiveTranslations, QStringList({"", "", "with antioxidant"}));
    EXPECT_TRUE(set({K::Additive, -1, -1, -1, 2}, ""));
    EXPECT_TRUE(cards[1].marks.additiveTranslations.isEmpty());

    // Places that do not exist change nothing.
    const QVector<CardSettings> before = cards;
    EXPECT_FALSE(set({K::Category, 2, -1, -1, -1}, "x"));
    EXPECT_FALSE(set({K::SizeHeading, 0, -1, -1, 0}, "x")); // Suppen has no sizes
    EXPECT_FALSE(set({K::SizeHeading, 1, -1, -1, 2}, "x"));
    EXPECT_FALSE(set({K::Name, 0, 2, -1, -1}, "x"));
    EXPECT_FALSE(set({K::Footer, -1, -1, 2, -1}, "x"));
    EXPECT_FALSE(set({K::Additive, -1, -1, -1, 12}, "x"));
    EXPECT_EQ(cat.categoryTranslation(1), "Wines");
    EXPECT_EQ(cat.translation(0, 2), ProductTranslation());
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(cards[i].translation, before[i].translation);

    // What is stored is what the list shows.
    const QVector<TranslatableText> all = TranslatableTexts(names, cat, cards.mid(0, 1));
    for (const TranslatableText &t : all)
        if (t.place == TextPlace{K::Name, 0, 1, -1, -1})
            EXPECT_EQ(t.translation, "Goulash soup");
}

TEST(Translations, LanguageStatsNameTheLanguageAndLeaveOutKindsWithoutTexts)
{
    Catalogue cat;
    CardSettings s;
    s.CaptionEd = s.FussEd = "";
    s.marks.additives.clear();
    // Nothing to translate: the language and the total alone.
    EXPECT_EQ(LanguageStatsLines({}, cat, {s}),
              QStringList({"Zweite Sprache: Englisch (en)", "0 von 0 Texten fehlen"}));
    // A language the program does not offer by the name the user gave it.
    cat.setSecondLanguage({"gsw", QString::fromUtf8("Schwiizerdütsch")});
    cat.addCategory();
    cat.addProduct(0, {"", "Alle Preise in Franken", "", -1, 0});
    EXPECT_EQ(LanguageStatsLines({"Hinweise"}, cat, {s}),
              QStringList({QString::fromUtf8("Zweite Sprache: Schwiizerdütsch (gsw)"),
                           "Kategorien: 0 von 1 übersetzt, 1 fehlen", "Freitexte: 0 von 1 übersetzt, 1 fehlen",
                           "2 von 2 Texten fehlen"}));
}
