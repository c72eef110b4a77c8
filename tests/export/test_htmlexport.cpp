#include "cardbuilder.h"
#include "catalogue/cards.h"
#include "catalogue/catalogue.h"
#include "catalogue/document.h"
#include "catalogue/officialwording.h"
#include "export/htmlexport.h"
#include "i18n/translateunit.h"
#include "layout/cardlayout.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct WebCard : testutil::CardBuilder {
    QString html(const QString &lang = QStringLiteral("de")) const
    {
        return QString::fromUtf8(BuildHtml(source(), lang));
    }
};

// tidy's verdict on a page: its exit code (0 clean, 1 warnings, 2 errors) and what it
// printed; -1 when tidy is not installed or does not finish. tidy is one of the
// project's dependencies (scripts/install-deps.sh); without it the check fails.
int tidy(const QString &html, QString *report)
{
    const QString tidyTool = testutil::hostTool(QStringLiteral("tidy"));
    if (tidyTool.isEmpty()) {
        *report = QStringLiteral("tidy is not installed (scripts/install-deps.sh)");
        return -1;
    }
    QProcess p;
    p.start(tidyTool, {"-errors", "-quiet", "-utf8"});
    p.write(html.toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit) {
        *report = QStringLiteral("tidy did not finish");
        return -1;
    }
    *report = QString::fromUtf8(p.readAllStandardError() + p.readAllStandardOutput());
    return p.exitCode();
}

} // namespace

TEST(HtmlExport, ContentInCardOrderWithTheCardsNumbersAndPrices)
{
    testutil::LocaleScope locale("de_DE");
    WebCard w;
    w.s.KopfEd = "Gasthof zur Linde";
    const int a = w.category("Vorspeisen");
    w.product(a, "Suppe", 4.5, 0, "hausgemacht\r\nmit Brot", "0,3l");
    w.product(a, "Salat", 0, 0);                       // on request
    w.product(a, "", -1, 0, "Alle Salate\nauch vegan"); // free text: no number
    w.product(a, "Brot", 2, 2);
    const int b = w.category("Getr\u00e4nke");
    w.product(b, "Wasser", 1.99, 3);
    w.product(b, "Saft", 3.2, 0);
    w.product(b, "Tee", 2.4, -1);
    w.category("leer");
    const QString h = w.html();

    // Numbers 2 and 3 are taken, so the automatic ones are 1, 4, 5; the
    // free text takes none, the negative number shows none.
    EXPECT_TRUE(h.contains("<span class=\"nr\">1.</span><span class=\"name\">Suppe</span>"
                           "<span class=\"menge\">0,3l</span><span class=\"preis\">4,50 \u20AC</span></div>"
                           "<p class=\"beschr\">hausgemacht<br>mit Brot</p>"));
    EXPECT_TRUE(h.contains("<span class=\"nr\">4.</span><span class=\"name\">Salat</span>"
                           "<span class=\"preis\">Preis auf Anfrage</span>"));
    EXPECT_TRUE(h.contains("<li class=\"frei\"><p>Alle Salate<br>auch vegan</p></li>"));
    EXPECT_TRUE(h.contains("<span class=\"nr\">2.</span><span class=\"name\">Brot</span>"));
    EXPECT_TRUE(h.contains("<span class=\"nr\">5.</span><span class=\"name\">Saft</span>"));
    EXPECT_TRUE(h.contains("<li><div class=\"zeile\"><span class=\"name\">Tee</span><span class=\"preis\">2,40 \u20AC"));
    // Heading, header and footer line; category names in capitals, umlauts too.
    EXPECT_TRUE(h.contains("<p class=\"kopf\">Gasthof zur Linde</p>\n<h1 class=\"mitte\">Speisekarte</h1>"));
    EXPECT_TRUE(h.contains(">GETR\u00c4NKE</h2>"));
    EXPECT_TRUE(h.contains("<footer>\n<p class=\"fuss\">Unsere Preise"));
    EXPECT_LT(h.indexOf("VORSPEISEN"), h.indexOf("GETR"));
    EXPECT_LT(h.indexOf("GETR"), h.indexOf(">LEER<"));

    // Without decimals, as on the card: 1.99 gives 1.
    w.s.NoKommaCheck = true;
    EXPECT_TRUE(w.html().contains("<span class=\"preis\">1 \u20AC</span>"));

    // The fonts' styles and the switch for leaders.
    EXPECT_TRUE(h.contains("</head>\n<body>\n"));
    w.s.NoPointsCheck = true;
    w.s.FontDialog(3).style = FontSetting::Bold;
    w.s.FontDialog(4).style = FontSetting::Italic;
    const QString styled = w.html();
    EXPECT_TRUE(styled.contains("</head>\n<body class=\"ohne-punkte\">\n"));
    const auto rule = [&](const QString &selector) { return styled.mid(styled.lastIndexOf(selector)).section('}', 0, 0); };
    EXPECT_TRUE(rule(".nr,.name{").endsWith("font-weight:bold;font-style:normal;")) << rule(".nr,.name{").toStdString();
    EXPECT_TRUE(rule(".beschr{").endsWith("font-weight:normal;font-style:italic;")) << rule(".beschr{").toStdString();
}

TEST(HtmlExport, EveryTextIsEscapedAndThePageIsValid)
{
    WebCard w;
    w.s.CaptionEd = "Karte <b>&</b>";
    w.s.FussEd = "\"Fu\u00df\" 'zeile'";
    w.s.WaehrEd = "<EUR>";
    w.s.fonts[0].face = "Evil\"</style><script>";
    const int a = w.category("<script>alert(1)</script>");
    w.product(a, "<script>", 3, 0, QString("a\x01\x7f<b>") + QChar(0x9F) + QChar(0xD800), "<i>");
    w.product(a, "", 0, -1);
    // Non-characters are not allowed in HTML: left out, in and beyond the
    // first plane.
    w.product(a, QString("x") + QChar(0xFDD0) + QString::fromUcs4(U"\U0001FFFE") + "y", 2);
    w.category("");
    const QString h = w.html(QStringLiteral("fr"));
    EXPECT_FALSE(h.contains("<script"));
    EXPECT_FALSE(h.contains("<b>"));
    EXPECT_FALSE(h.contains("<i>"));
    EXPECT_TRUE(h.contains("<span class=\"name\">&lt;script&gt;</span>"));
    EXPECT_TRUE(h.contains(QString("a&lt;b&gt;") + QChar(0xFFFD) + "</p>"));
    EXPECT_TRUE(h.contains("&lt;EUR&gt;"));
    EXPECT_TRUE(h.contains("<p class=\"fuss\">&quot;Fu\u00df&quot; &#39;zeile&#39;</p>"));
    EXPECT_TRUE(h.contains("<span class=\"name\">xy</span>"));
    EXPECT_TRUE(h.contains("<html lang=\"fr\">"));
    EXPECT_TRUE(h.contains("<title>Karte &lt;b&gt;&amp;&lt;/b&gt;</title>"));
    EXPECT_EQ(h.count("</style>"), 1);

    QString report;
    EXPECT_EQ(tidy(h, &report), 0) << report.toStdString();
}

TEST(HtmlExport, HeadingsStayInOrderAndEmptyCardsAreValid)
{
    WebCard w;
    w.s.CaptionEd.clear();
    w.s.FussEd.clear();
    const int a = w.category("Suppen");
    w.product(a, "Br\u00fche", 3);
    QString h = w.html();
    // Without a heading the categories are the top level.
    EXPECT_FALSE(h.contains("<h2"));
    EXPECT_TRUE(h.contains("<h1 id=\"k1\">SUPPEN</h1>"));
    EXPECT_FALSE(h.contains("<footer>"));

    QString report;
    for (const QString &page : {h, WebCard().html(), w.html("und")}) {
        EXPECT_EQ(tidy(page, &report), 0) << report.toStdString();
    }
}

TEST(HtmlExport, MarksFollowTheNameAndTheLegendEndsThePage)
{
    WebCard w;
    const int a = w.category("Imbiss");
    w.product(a, "Currywurst", 4.5);
    w.product(a, "Pommes", 3);
    ProductMarks m;
    m.setAllergen(0, true); // A
    m.setAdditive(3, true);
    w.cat.setMarks(0, 0, m);
    const QString h = w.html();
    EXPECT_TRUE(h.contains("<span class=\"name\">Currywurst<sup class=\"marken\">3,A</sup></span>"));
    EXPECT_TRUE(h.contains("<span class=\"name\">Pommes</span>"));
    EXPECT_TRUE(h.contains("<p class=\"legende\">Zusatzstoffe: 3\u00a0mit Antioxidationsmittel"));
    QString report;
    EXPECT_EQ(tidy(h, &report), 0) << report.toStdString();

    w.s.marks.MarksCheck = false; // not printed: not on the page either
    EXPECT_FALSE(w.html().contains("marken\">"));
    EXPECT_FALSE(w.html().contains("<p class=\"legende\">"));
}

TEST(HtmlExport, TheLogoStandsInTheHeaderAsAPictureOfItsOwn)
{
    WebCard w;
    w.s.CaptionEd.clear();
    const int a = w.category("Suppen");
    w.product(a, "Br\u00fche", 3);
    const QString plain = w.html();
    EXPECT_FALSE(plain.contains("<header>"));

    QImage logo(40, 20, QImage::Format_ARGB32);
    logo.fill(QColor(200, 30, 30, 128)); // half transparent: kept as it is
    CardSource card = w.source();
    card.logo = std::make_shared<const QImage>(logo);
    // Without a name the picture belongs to no card.
    EXPECT_EQ(QString::fromUtf8(BuildHtml(card, "de")), plain);

    card.settings.LogoEd = "logo.png";
    card.settings.LogoBreiteEd = 30;
    const QString h = QString::fromUtf8(BuildHtml(card, "de"));
    const QRegularExpression img(QStringLiteral(
        "<header>\n<p class=\"logo\" style=\"text-align:center\"><img src=\"data:image/png;base64,([A-Za-z0-9+/=]+)\" "
        "alt=\"\" style=\"width:30.0mm;max-width:100%;height:auto\"></p>\n</header>"));
    const auto m = img.match(h);
    ASSERT_TRUE(m.hasMatch()) << h.toStdString();
    const QImage back = QImage::fromData(QByteArray::fromBase64(m.captured(1).toLatin1()), "PNG");
    EXPECT_EQ(back.size(), logo.size());
    EXPECT_EQ(back.pixelColor(5, 5).alpha(), 128);
    card.settings.LogoLinksCheck = true;
    EXPECT_TRUE(QString::fromUtf8(BuildHtml(card, "de")).contains("<p class=\"logo\" style=\"text-align:left\">"));

    QString report;
    EXPECT_EQ(tidy(h, &report), 0) << report.toStdString();
}

TEST(HtmlExport, EveryCardAsASectionWithANavigationLineAndNothingOutOfSeason)
{
    testutil::LocaleScope locale("de_DE");
    DocumentData doc;
    doc.catalogue = std::make_unique<Catalogue>();
    Catalogue &cat = *doc.catalogue;
    auto add = [&](int c, const char *name, double price) {
        ProductValues v;
        v.name = QString::fromUtf8(name);
        v.price = price;
        cat.addProduct(c, v);
    };
    cat.addCategory();
    cat.addCategory();
    doc.categoryNames = QStringList{"Vorspeisen", "Hauptgerichte"};
    add(0, "Suppe", 4.5);
    add(0, "Spargelcreme", 6);
    add(1, "Schnitzel", 14);
    add(1, "Braten", 16);
    doc.settings.CaptionEd = "Gasthaus";
    doc.settings.FussEd = "Alle Preise in Euro";

    // One card carrying everything: the page of that card, byte for byte.
    CardSource plain;
    plain.categoryNames = doc.categoryNames;
    plain.catalogue = &cat;
    plain.settings = doc.settings;
    const QByteArray single = BuildHtml(plain, "de");
    EXPECT_EQ(BuildDocumentHtml(doc, "de"), single);

    // A lunch card of two dishes numbered on the card, without a heading of
    // its own; asparagus out of season.
    Card lunch{"Mittagstisch", doc.settings, {}};
    lunch.settings.CaptionEd.clear();
    lunch.settings.NummernJeKarteCheck = true;
    lunch.settings.FontDialog(2).style = FontSetting::Italic;
    lunch.settings.DatumBox = CardSettings::DateLine::Fixed;
    lunch.settings.DatumEd = QDate(2026, 12, 9);
    doc.cards.append(lunch);
    cat.setProductCards(0, 0, 0b11);
    cat.setProductCards(1, 1, 0b11);
    cat.setOffered(0, 1, false);
    const QString h = QString::fromUtf8(BuildDocumentHtml(doc, "de"));

    // The navigation line first, linking to the cards in card order.
    EXPECT_TRUE(h.contains("<body>\n<nav>\n<p class=\"karten\"><a href=\"#karte1\">Speisekarte</a> \u00b7 "
                           "<a href=\"#karte2\">Mittagstisch</a></p>\n</nav>\n<main>\n"))
        << h.toStdString();
    const int first = h.indexOf("<section id=\"karte1\" aria-labelledby=\"karte1-titel\"");
    const int second = h.indexOf("<section id=\"karte2\" aria-labelledby=\"karte2-titel\"");
    ASSERT_GE(first, 0);
    ASSERT_GT(second, first);
    // Each card under its own heading (its name when it has none), with its
    // categories one level below, its own footer.
    EXPECT_TRUE(h.contains("<h2 id=\"karte1-titel\" class=\"mitte\">Gasthaus</h2>"));
    EXPECT_TRUE(h.contains("<h2 id=\"karte2-titel\" class=\"mitte\">Mittagstisch</h2>"));
    EXPECT_EQ(h.count("<h3 id=\"k1-"), 2);
    EXPECT_EQ(h.count("<h3 id=\"k2-"), 2);
    EXPECT_EQ(h.count("<p class=\"fuss\">Alle Preise in Euro</p>"), 2);
    EXPECT_FALSE(h.contains("<h1"));
    // What each card prints: the food card everything offered with the
    // catalogue's numbers, the lunch card its two dishes numbered 1 and 2.
    const QString food = h.mid(first, second - first), sheet = h.mid(second);
    EXPECT_FALSE(h.contains("Spargelcreme"));
    EXPECT_TRUE(food.contains("<span class=\"nr\">3.</span><span class=\"name\">Schnitzel")) << food.toStdString();
    EXPECT_TRUE(food.contains("<span class=\"nr\">4.</span><span class=\"name\">Braten"));
    EXPECT_TRUE(sheet.contains("<span class=\"nr\">1.</span><span class=\"name\">Suppe"));
    EXPECT_TRUE(sheet.contains("<span class=\"nr\">2.</span><span class=\"name\">Braten"));
    EXPECT_FALSE(sheet.contains("Schnitzel"));
    // The lunch card's date line under its heading, on its section alone.
    EXPECT_TRUE(sheet.contains("Mittagstisch</h2>\n<p class=\"datum mitte\">Mittwoch, 9. Dezember 2026</p>\n</header>"))
        << sheet.toStdString();
    EXPECT_FALSE(food.contains("datum"));
    // Each card with its own fonts.
    EXPECT_TRUE(h.contains("#karte2 h3{font-family:"));
    EXPECT_TRUE(h.mid(h.indexOf("#karte2 h3{")).section('}', 0, 0).contains("font-style:italic"));
    EXPECT_FALSE(h.mid(h.indexOf("#karte1 h3{")).section('}', 0, 0).contains("font-style:italic"));

    QString report;
    EXPECT_EQ(tidy(h, &report), 0) << report.toStdString();
}

namespace {

// A card whose texts are translated into English, but for a dish, a size
// heading and the second card's name.
struct TranslatedCard : WebCard {
    TranslatedCard()
    {
        s.CaptionEd = "Speisekarte";
        s.KopfEd = "Gasthof zur Linde";
        s.FussEd = "Alle Preise inklusive";
        s.translation = {"Menu", "Linden Inn", "All prices included"};
        const int a = category("Vorspeisen");
        product(a, "Suppe", 4.5, 0, "hausgemacht\r\nmit Brot", "0,3 l");
        product(a, "Currywurst", 4);
        product(a, "", -1, 0, "Alles auch vegan");
        product(a, "Salat", 0);
        cat.setCategoryTranslation(a, "Starters");
        cat.setTranslation(a, 0, {"Soup", "home-made\r\nwith bread", "0.3 l"});
        cat.setTranslation(a, 2, {QString(), "Everything vegan too", QString()});
        cat.setTranslation(a, 3, {"Salad", QString(), QString()});
        ProductMarks m;
        m.setAllergen(0, true);
        m.setAdditive(1, true);
        cat.setMarks(a, 1, m);
        s.marks.additiveTranslations = QStringList{"with colouring"};
    }
    QVector<HtmlFile> files(const QString &path = QStringLiteral("menu.html")) const
    {
        return WebMenuFiles({HtmlCard{QString(), source()}}, path, QStringLiteral("de"), &cat.secondLanguage());
    }
};

// Sets the cell of the program's translation table for a German text.
void setTableText(const QString &german, int column, const QString &text)
{
    TranslateStr(german);
    TranslationTable &t = Translations();
    for (int r = 0; r < t.RowCount(); ++r)
        if (t.Cell(r, 0) == german)
            t.SetCell(r, column, text);
}

} // namespace

TEST(HtmlExport, TranslationsGiveAPageInTheSecondLanguageBesideTheGermanOne)
{
    testutil::LocaleScope locale("de_DE");
    setTableText("Allergene", 1, "Allergens");
    setTableText("Zusatzstoffe", 1, "");
    setTableText("Preis auf Anfrage", 1, "Price on request");
    TranslatedCard w;
    const QVector<HtmlFile> files = w.files("out/menu.html");
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[0].path, "out/menu.html");
    EXPECT_EQ(files[1].path, "out/menu.en.html");
    const QString de = QString::fromUtf8(files[0].data), en = QString::fromUtf8(files[1].data);

    // Each page names the other as its alternate and links to it at the
    // top, by the language's own name.
    EXPECT_TRUE(de.startsWith("<!DOCTYPE html>\n<html lang=\"de\">"));
    EXPECT_TRUE(de.contains("<link rel=\"alternate\" hreflang=\"en\" href=\"menu.en.html\">\n"));
    EXPECT_TRUE(de.contains("<body>\n<nav class=\"sprache\"><a href=\"menu.en.html\" hreflang=\"en\" lang=\"en\">English</a></nav>\n"));
    EXPECT_TRUE(en.startsWith("<!DOCTYPE html>\n<html lang=\"en\">"));
    EXPECT_TRUE(en.contains("<link rel=\"alternate\" hreflang=\"de\" href=\"menu.html\">\n"));
    EXPECT_TRUE(en.contains("<body>\n<nav class=\"sprache\"><a href=\"menu.html\" hreflang=\"de\" lang=\"de\">Deutsch</a></nav>\n"));

    // The German page has the German texts, as the one page has them.
    EXPECT_TRUE(de.contains("<title>Speisekarte</title>"));
    EXPECT_TRUE(de.contains(">VORSPEISEN</h2>"));
    EXPECT_TRUE(de.contains("<span class=\"name\">Suppe</span><span class=\"menge\">0,3 l</span>"));
    EXPECT_TRUE(de.contains("<span class=\"preis\">Preis auf Anfrage</span>"));
    EXPECT_TRUE(de.contains("<p class=\"legende\">Zusatzstoffe: 1\u00a0mit Farbstoff \u00b7 Allergene: A\u00a0"));
    EXPECT_FALSE(de.contains("Soup"));
    EXPECT_FALSE(de.contains("lang=\"de\"><"));

    // The English page: every text in its translation.
    EXPECT_TRUE(en.contains("<title>Menu</title>"));
    EXPECT_TRUE(en.contains("<p class=\"kopf\">Linden Inn</p>\n<h1 class=\"mitte\">Menu</h1>"));
    EXPECT_TRUE(en.contains("<h2 id=\"k1\">STARTERS</h2>")) << en.toStdString();
    EXPECT_TRUE(en.contains("<span class=\"name\">Soup</span><span class=\"menge\">0.3 l</span>"));
    EXPECT_TRUE(en.contains("<p class=\"beschr\">home-made<br>with bread</p>"));
    EXPECT_TRUE(en.contains("<li class=\"frei\"><p>Everything vegan too</p></li>"));
    EXPECT_TRUE(en.contains("<span class=\"name\">Salad</span><span class=\"preis\">Price on request</span>"));
    EXPECT_TRUE(en.contains("<p class=\"fuss\">All prices included</p>"));
    // A dish without translation stays German, marked as German, with its marks.
    EXPECT_TRUE(en.contains("<span class=\"name\"><span lang=\"de\">Currywurst</span><sup class=\"marken\">1,A</sup></span>"))
        << en.toStdString();
    // The legend: the additive in the document's translation, the allergen
    // in its official wording (German where none ships), a label the table
    // has no English for in German.
    const QString allergen = OfficialAllergenName(0, "en");
    const QString allergenHtml =
        allergen.isEmpty() ? "<span lang=\"de\">" + AllergenName(0) + "</span>" : HtmlEscape(allergen);
    EXPECT_TRUE(en.contains("<p class=\"legende\"><span lang=\"de\">Zusatzstoffe</span>: 1\u00a0with colouring \u00b7 "
                            "Allergens: A\u00a0" + allergenHtml + "</p>"))
        << en.toStdString();
    EXPECT_FALSE(en.contains("Suppe"));
    EXPECT_FALSE(en.contains("Gasthof"));

    QString report;
    EXPECT_EQ(tidy(de, &report), 0) << report.toStdString();
    EXPECT_EQ(tidy(en, &report), 0) << report.toStdString();
    setTableText("Allergene", 1, "");
    setTableText("Preis auf Anfrage", 1, "");
}

TEST(HtmlExport, WhatMakesTheWebMenuBilingualAndWhatTheSecondPageIsCalled)
{
    // Nothing translated: the one page, exactly as the card's page.
    const auto soups = [](WebCard &w) {
        w.product(w.category("Suppen"), "Br\u00fche", 3);
        w.s.marks.additiveTranslations = QStringList{QString(), " "};
    };
    WebCard plain;
    soups(plain);
    const QVector<HtmlFile> one = WebMenuFiles({HtmlCard{QString(), plain.source()}}, "menu.html", "fr", nullptr);
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one[0].path, "menu.html");
    EXPECT_EQ(one[0].data, BuildHtml(plain.source(), "fr"));
    EXPECT_FALSE(IsBilingualWeb(plain.cat, {plain.s, plain.s}));

    // Any translation of the restaurant's own, or the card's switch.
    const std::function<void(WebCard &)> makers[] = {
        [](WebCard &w) { w.s.ZweisprachigCheck = true; },
        [](WebCard &w) { w.s.translation.footer = "Thank you"; },
        [](WebCard &w) { w.s.marks.additiveTranslations = QStringList{QString(), "with preservative"}; },
        [](WebCard &w) { w.cat.setCategoryTranslation(0, "Soups"); },
        [](WebCard &w) { w.cat.setTranslation(0, 0, {QString(), QString(), "0.2 l"}); },
    };
    for (const auto &make : makers) {
        WebCard w;
        soups(w);
        make(w);
        // The second card of two carries it (or the catalogue).
        EXPECT_TRUE(IsBilingualWeb(w.cat, {plain.s, w.s}));
    }

    // A document whose second card prints bilingual.
    DocumentData doc;
    doc.catalogue = std::make_unique<Catalogue>();
    Card bar{"Bar", doc.settings, {}};
    doc.cards.append(bar);
    EXPECT_FALSE(IsBilingualWeb(*doc.catalogue, DocumentCardSettings(doc)));
    doc.cards[1].settings.ZweisprachigCheck = true;
    EXPECT_TRUE(IsBilingualWeb(*doc.catalogue, DocumentCardSettings(doc)));

    // The tag before the file name's extension, never in a folder's name.
    EXPECT_EQ(SecondLanguageHtmlPath("menu.html", "en"), "menu.en.html");
    EXPECT_EQ(SecondLanguageHtmlPath("/srv/www.v2/karte", "fr"), "/srv/www.v2/karte.fr");
    EXPECT_EQ(SecondLanguageHtmlPath("a.b/karte.v2.htm", "en-GB"), "a.b/karte.v2.en-GB.htm");
    EXPECT_EQ(SecondLanguageHtmlPath("C:\\web.d\\menu", "da"), "C:\\web.d\\menu.da");

    // The languages by their own names; another by the name stored with it.
    EXPECT_EQ(LanguageOwnName({"fr", QString()}), "Fran\u00e7ais");
    EXPECT_EQ(LanguageOwnName({"tr", QString()}), "T\u00fcrk\u00e7e");
    EXPECT_EQ(LanguageOwnName({"DA", QString()}), "Dansk");
    EXPECT_EQ(LanguageOwnName({"pt-BR", "Portugiesisch"}), "Portugiesisch");
    EXPECT_EQ(LanguageOwnName({"gsw", QString()}), "gsw");
}

TEST(HtmlExport, ASecondLanguageWithoutTableColumnKeepsThePagesOwnWordsGerman)
{
    // Swedish with a translated card in two languages; then a language the
    // translation table has no column for.
    setTableText("Preis auf Anfrage", 4, "Pris på begäran");
    TranslatedCard w;
    w.cat.setSecondLanguage({"sv", QString()});
    QVector<HtmlFile> files = w.files("Karte Sommer.html");
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[1].path, "Karte Sommer.sv.html");
    // File names with a space link as addresses.
    EXPECT_TRUE(QString::fromUtf8(files[0].data).contains("<a href=\"Karte%20Sommer.sv.html\" hreflang=\"sv\" lang=\"sv\">Svenska</a>"));
    EXPECT_TRUE(QString::fromUtf8(files[1].data).contains("<span class=\"preis\">Pris p\u00e5 beg\u00e4ran</span>"));

    // French sets a no-break space before a colon.
    w.cat.setSecondLanguage({"fr", QString()});
    EXPECT_TRUE(QString::fromUtf8(w.files()[1].data).contains("<span lang=\"de\">Zusatzstoffe</span>\u00a0: 1\u00a0"));

    w.cat.setSecondLanguage({"pt", "Portugiesisch"});
    files = w.files();
    const QString pt = QString::fromUtf8(files[1].data);
    EXPECT_EQ(files[1].path, "menu.pt.html");
    EXPECT_TRUE(pt.contains("<html lang=\"pt\">"));
    EXPECT_TRUE(QString::fromUtf8(files[0].data).contains(">Portugiesisch</a></nav>"));
    EXPECT_TRUE(pt.contains("<span class=\"preis\"><span lang=\"de\">Preis auf Anfrage</span></span>"));
    EXPECT_TRUE(pt.contains("<p class=\"legende\"><span lang=\"de\">Zusatzstoffe</span>: 1\u00a0with colouring"));
    EXPECT_TRUE(pt.contains("<span class=\"name\">Soup</span>"));
    setTableText("Preis auf Anfrage", 4, "");
}

TEST(HtmlExport, TheSecondPageOfSeveralCardsWithSizesAndADateLine)
{
    testutil::LocaleScope locale("de_DE");
    DocumentData doc;
    doc.catalogue = std::make_unique<Catalogue>();
    Catalogue &cat = *doc.catalogue;
    cat.addCategory();
    cat.addCategory();
    doc.categoryNames = QStringList{"Getr\u00e4nke", "Hauptgerichte"};
    ProductValues v;
    v.name = "Apfelschorle";
    v.price = 2.5;
    cat.addProduct(0, v);
    v.name = "Schnitzel";
    v.price = 14;
    cat.addProduct(1, v);
    cat.setSizeHeadings(0, {"0,2 l", "Karaffe"});
    cat.setSizePrices(0, 0, {2.5, 7});
    cat.setSizeHeadingTranslations(0, {"0.2 l", QString()});
    cat.setTranslation(0, 0, {"Apple spritzer", QString(), QString()});
    cat.setCategoryTranslation(1, "Main courses");
    doc.settings.CaptionEd = "Gasthaus";
    Card lunch{"Mittagstisch", doc.settings, {}};
    lunch.settings.CaptionEd.clear();
    lunch.settings.DatumBox = CardSettings::DateLine::Fixed;
    lunch.settings.DatumEd = QDate(2026, 12, 9);
    doc.cards.append(lunch);
    cat.setProductCards(1, 0, 0b11); // the dish on both cards

    ASSERT_TRUE(IsBilingualWeb(cat, DocumentCardSettings(doc)));
    const QVector<HtmlFile> files = WebMenuFiles(DocumentHtmlCards(doc), "karte.html", "de", &cat.secondLanguage());
    ASSERT_EQ(files.size(), 2);
    const QString de = QString::fromUtf8(files[0].data), en = QString::fromUtf8(files[1].data);
    // The language switch above the cards' navigation line.
    EXPECT_TRUE(en.contains("<body>\n<nav class=\"sprache\"><a href=\"karte.html\" hreflang=\"de\" lang=\"de\">Deutsch</a>"
                            "</nav>\n<nav>\n<p class=\"karten\"><a href=\"#karte1\"><span lang=\"de\">Speisekarte</span></a>"))
        << en.toStdString();
    // Card headings without translation and card names stay German.
    EXPECT_TRUE(en.contains("<h2 id=\"karte1-titel\" class=\"mitte\"><span lang=\"de\">Gasthaus</span></h2>"));
    EXPECT_TRUE(en.contains("<h2 id=\"karte2-titel\" class=\"mitte\"><span lang=\"de\">Mittagstisch</span></h2>"));
    // Size headings: the translated one, the other German; the dish's name.
    EXPECT_TRUE(en.contains("<thead><tr><td></td><th scope=\"col\">0.2 l</th><th scope=\"col\"><span lang=\"de\">Karaffe</span></th>"))
        << en.toStdString();
    EXPECT_TRUE(en.contains("<span class=\"name\">Apple spritzer</span>"));
    EXPECT_EQ(en.count(">MAIN COURSES</h3>"), 2);
    EXPECT_EQ(en.count("<span class=\"name\"><span lang=\"de\">Schnitzel</span></span>"), 2);
    // The date as the language writes it; on the German page as ever.
    EXPECT_TRUE(en.contains(QLocale("en").toString(QDate(2026, 12, 9), QLocale::LongFormat) + "</p>\n</header>"));
    EXPECT_TRUE(en.contains("December"));
    EXPECT_TRUE(de.contains("<p class=\"datum mitte\">Mittwoch, 9. Dezember 2026</p>"));
    EXPECT_TRUE(de.contains("<nav>\n<p class=\"karten\"><a href=\"#karte1\">Speisekarte</a>"));

    QString report;
    EXPECT_EQ(tidy(de, &report), 0) << report.toStdString();
    EXPECT_EQ(tidy(en, &report), 0) << report.toStdString();
}

TEST(HtmlExport, BothPagesAreWrittenOrNeither)
{
    QTemporaryDir dir;
    const QString de = dir.filePath("menu.html"), en = dir.filePath("menu.en.html");
    const QVector<HtmlFile> files{{de, "neu"}, {en, "new"}};
    ASSERT_TRUE(testutil::writeFile(de, "alt"));
    QString failed, why;

    // The second page cannot be written (a folder has its name): the German
    // page stays as it was.
    ASSERT_TRUE(QDir(dir.path()).mkdir("menu.en.html"));
    EXPECT_FALSE(WriteHtmlFiles(files, &failed, &why));
    EXPECT_EQ(failed, en);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(testutil::readFile(de), "alt");
    ASSERT_TRUE(QDir(dir.path()).rmdir("menu.en.html"));

    // The German page cannot be written: the second page is taken back, the
    // old one put back, a new one removed.
    ASSERT_TRUE(QFile::remove(de));
    ASSERT_TRUE(QDir(dir.path()).mkdir("menu.html"));
    EXPECT_FALSE(WriteHtmlFiles(files, &failed, &why));
    EXPECT_EQ(failed, de);
    EXPECT_FALSE(QFile::exists(en));
    ASSERT_TRUE(testutil::writeFile(en, "old"));
    EXPECT_FALSE(WriteHtmlFiles(files, &failed, &why));
    EXPECT_EQ(testutil::readFile(en), "old");
    ASSERT_TRUE(QDir(dir.path()).rmdir("menu.html"));

    EXPECT_TRUE(WriteHtmlFiles(files, &failed, &why));
    EXPECT_EQ(testutil::readFile(de), "neu");
    EXPECT_EQ(testutil::readFile(en), "new");
}
