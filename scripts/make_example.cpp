// Builds the example menu card examples/restaurant.vlr through the program's
// own main window: the categories and products go in through the catalogue,
// the settings through the window's controls, and the window saves it. The
// restaurant's further cards (the drinks card and the lunch sheet, both on
// A5), the dish out of season and the English translations are then added
// to the saved document and written with the program's document writer.
//   make_example OUT.vlr
#include "app/MainUnit.h"
#include "catalogue/appfiles.h"
#include "catalogue/cards.h"
#include "catalogue/document.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Item {
    const char *name;
    const char *description;
    const char *quantity;
    double price;
    int number;
    const char *marks = "";           // "1,11,A,G": additive numbers, allergen letters
    std::vector<double> further = {}; // prices of sizes 2, 3, ... (0 = not in this size)
};

struct Category {
    const char *name;
    std::vector<Item> items;
    QStringList sizes = {};
};

ProductMarks parseMarks(const char *text)
{
    ProductMarks m;
    for (const QString &part : QString::fromUtf8(text).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool number = false;
        const int n = part.toInt(&number);
        if (number) {
            m.setAdditive(n, true);
            continue;
        }
        for (int i = 0; i < kAllergenCount; ++i)
            if (AllergenLetter(i) == part.at(0))
                m.setAllergen(i, true);
    }
    return m;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_example OUT.vlr\n");
        return 2;
    }
    QTemporaryDir userDir; // keep the developer's options and translations untouched
    appfiles::SetUserFilesDirOverride(userDir.path());

    const std::vector<Category> card = {
        {"Vorspeisen",
         {{"Bruschetta", "Geröstetes Landbrot mit Tomaten, Knoblauch und frischem Basilikum", "", 6.50, 0, "A"},
          {"Carpaccio vom Rind", "Hauchdünn geschnitten, mit Rucola, Parmesan und Zitronen-Olivenöl", "", 12.90, 0, "G"},
          {"Gebackener Ziegenkäse", "Auf Feldsalat mit Honig-Senf-Dressing und karamellisierten Walnüssen", "", 10.50, 0, "A,G,H,M"},
          {"Vitello tonnato", "Kalbfleisch in Thunfischsauce mit Kapern", "", 11.80, 0, "C,D,M"},
          {"Antipasti-Teller", "Gegrilltes Gemüse, Oliven, Salami und Schinken\r\nfür zwei Personen", "", 16.90, 0, "2,3,6,8"}}},
        {"Suppen",
         {{"Tomatencremesuppe", "mit Sahnehaube und Croûtons", "", 5.20, 0, "A,G"},
          {"Kartoffelsuppe", "nach Großmutters Art, mit Wiener Würstchen", "", 5.90, 0, "2,3,8,L,M"},
          {"Tagessuppe", "Fragen Sie unser Servicepersonal", "", 0.0, 0}}},
        {"Hauptgerichte",
         {{"Wiener Schnitzel", "Vom Kalb, mit Preiselbeeren und Bratkartoffeln", "", 21.50, 0, "A,C"},
          {"Rinderroulade", "Hausgemacht, mit Rotkohl und Klößen", "", 18.90, 0, "2,A,L,M"},
          {"Zwiebelrostbraten", "Rumpsteak mit Röstzwiebeln, Spätzle und Bratensauce", "", 24.80, 0, "A,C,L"},
          {"Gebratenes Lachsfilet", "Auf Blattspinat mit Zitronenbutter und Wildreis", "", 19.60, 0, "D,G"},
          {"Käsespätzle", "Mit Bergkäse und Röstzwiebeln, dazu ein kleiner Salat", "", 13.50, 0, "A,C,G"},
          {"Gemüse-Risotto", "Cremiges Risotto mit grünem Spargel, Erbsen und Parmesan (vegetarisch)", "", 14.90, 0, "G,L"},
          {"Schweinebraten", "Mit dunkler Biersauce, Sauerkraut und Semmelknödel", "", 16.40, 0, "A,C,G,L"}}},
        {"Für unsere kleinen Gäste",
         {{"Kinderschnitzel", "Mit Pommes frites und Ketchup", "", 8.50, 0, "A,C"},
          {"Spaghetti Bolognese", "Kleine Portion", "", 7.20, 0, "A,C,L"},
          {"Fischstäbchen", "Mit Kartoffelpüree", "", 7.50, 0, "A,D,G"}}},
        {"Desserts",
         {{"Apfelstrudel", "Warm, mit Vanillesauce", "", 6.80, 0, "A,C,G"},
          {"Mousse au Chocolat", "Von dunkler und weißer Schokolade", "", 7.40, 0, "C,F,G"},
          {"Gemischtes Eis", "Drei Kugeln nach Wahl, mit Sahne", "", 5.50, 0, "1,C,G"},
          {"Käseauswahl", "Vier Sorten regionaler Käse mit Feigensenf und Walnussbrot", "", 11.20, 0, "A,G,H,M"}}},
        {"Alkoholfreie Getränke",
         {{"Mineralwasser", "", "", 2.60, 0, "", {3.90, 6.20}},
          {"Apfelschorle", "", "", 2.90, 0, "", {3.90}},
          {"Cola", "", "", 2.90, 0, "1,11", {3.90}},
          {"Fanta", "", "", 2.90, 0, "1,2", {3.90}},
          {"Spezi", "", "", 2.90, 0, "1,11", {3.90}},
          {"Hausgemachte Limonade", "Zitrone-Minze oder Holunder", "", 0.0, 0, "", {4.60}},
          {"Frisch gepresster Orangensaft", "", "", 4.80, 0}},
         {"0,2 l", "0,4 l", "0,75 l"}},
        {"Biere",
         {{"Pils vom Fass", "", "", 3.60, 0, "A", {4.80}},
          {"Hefeweizen", "Hell oder dunkel", "", 0.0, 0, "A", {4.90}},
          {"Alkoholfreies Weizen", "", "", 0.0, 0, "A", {4.70}},
          {"Radler", "Pils mit Zitronenlimonade", "", 3.50, 0, "A", {4.60}}},
         {"0,3 l", "0,5 l"}},
        {"Weine",
         {{"Riesling, Rheingau", "Trocken, fruchtig", "", 4.20, 0, "O", {6.40, 24.00}},
          {"Spätburgunder, Baden", "Samtig, mit Aromen von Kirsche", "", 4.50, 0, "O", {6.90, 26.50}},
          {"Hauswein rot oder weiß", "", "", 3.20, 0, "O", {5.20, 0}},
          {"Weitere Weine finden Sie auf unserer Weinkarte.", "", "", -1, -1}},
         {"0,1 l", "0,2 l", "0,75 l"}},
        {"Heißgetränke",
         {{"Kaffee", "", "Tasse", 2.90, 0, "11"},
          {"Cappuccino", "", "Tasse", 3.40, 0, "11,G"},
          {"Latte macchiato", "", "Glas", 3.80, 0, "11,G"},
          {"Espresso", "", "", 2.40, 0, "11"},
          {"Tee", "Verschiedene Sorten", "Kännchen", 3.60, 0}}},
    };

    TMainForm form;
    for (const Category &c : card) {
        form.catalogue.addCategory();
        auto *it = new QTreeWidgetItem(QStringList{QString::fromUtf8(c.name)});
        it->setFlags(it->flags() | Qt::ItemIsEditable);
        form.ListView2->addTopLevelItem(it);
        const int index = form.catalogue.categoryCount() - 1;
        form.catalogue.setSizeHeadings(index, c.sizes);
        for (const Item &i : c.items) {
            ProductValues v;
            v.name = QString::fromUtf8(i.name);
            v.description = QString::fromUtf8(i.description);
            v.quantity = QString::fromUtf8(i.quantity);
            v.price = i.price;
            v.number = i.number;
            // A free text carries its words in the description.
            if (i.price < 0) {
                v.description = v.name;
                v.name.clear();
            }
            form.catalogue.addProduct(index, v);
            const int row = int(form.catalogue.products(index)->count) - 1;
            form.catalogue.setMarks(index, row, parseMarks(i.marks));
            if (!c.sizes.isEmpty() && i.price >= 0) {
                // Not sold in a size: the price is left empty (a first size of 0
                // is empty here, not "on request").
                QVector<double> prices{i.price > 0 ? i.price : std::nan("")};
                for (double f : i.further)
                    prices << (f > 0 ? f : std::nan(""));
                form.catalogue.setSizePrices(index, row, prices);
            }
        }
    }
    form.CaptionEd->setText(QStringLiteral("Gasthaus Zur Linde"));
    form.KopfEd->setText(QStringLiteral("Gasthaus Zur Linde · Lindenplatz 3 · 79098 Freiburg · Tel. 0761 123456"));
    form.FussEd->setText(QStringLiteral("Alle Preise in Euro inkl. Bedienung und gesetzlicher Mehrwertsteuer"));
    form.RahmenCheck->setChecked(true);
    form.CenterKatCheck->setChecked(true);
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (!form.SaveTheFileAs(path)) {
        std::fprintf(stderr, "could not save %s\n", argv[1]);
        return 1;
    }

    // The further cards. The food card stays the first card and carries
    // everything; each further card starts from its settings.
    DocumentData doc;
    QString why;
    if (!LoadDocumentFile(path, CardSettings(), doc, &why)) {
        std::fprintf(stderr, "could not read %s back: %s\n", argv[1], qPrintable(why));
        return 1;
    }
    Catalogue &cat = *doc.catalogue;
    auto category = [&](const char *name) { return int(doc.categoryNames.indexOf(QString::fromUtf8(name))); };
    auto row = [&](int c, const char *name) {
        const TDynaArray *prods = cat.products(c);
        for (uint32_t j = 0; j < prods->count; ++j) {
            if (WideText(static_cast<const TProductRec *>(prods->At(j))->name) == QString::fromUtf8(name))
                return int(j);
        }
        std::fprintf(stderr, "no product %s\n", name);
        std::exit(1);
    };

    // A5 cards: smaller type and margins than the A4 food card.
    auto onA5 = [](CardSettings &s) {
        s.PapierBox = CardSettings::Paper::A5;
        for (int n = 1; n <= 9; ++n)
            s.FontDialog(n).size = std::max(7, s.FontDialog(n).size * 3 / 4);
        s.LinksEd = s.RechtsEd = s.ObenEd = s.UntenEd = 15;
    };

    // The drinks card on A5: the drinks with their sizes.
    Card drinks;
    drinks.name = QStringLiteral("Getränkekarte");
    drinks.settings = doc.settings;
    drinks.settings.CaptionEd = QStringLiteral("Getränkekarte");
    drinks.settings.KopfEd = QStringLiteral("Gasthaus Zur Linde");
    onA5(drinks.settings);
    // The categories' names at the left, clear of the sizes' headings at the right.
    drinks.settings.CenterKatCheck = false;
    doc.cards.append(drinks);
    for (const char *c : {"Alkoholfreie Getränke", "Biere", "Weine", "Heißgetränke"}) {
        const int i = category(c);
        for (int j = 0; j < int(cat.products(i)->count); ++j)
            cat.setProductCards(i, j, cat.productCards(i, j) | (uint64_t(1) << 1));
    }

    // The lunch sheet on A5: five dishes numbered 1 to 5, dated the day it
    // is printed.
    Card lunch;
    lunch.name = QStringLiteral("Mittagstisch");
    lunch.settings = doc.settings;
    lunch.settings.CaptionEd = QStringLiteral("Mittagstisch");
    lunch.settings.KopfEd = QStringLiteral("Gasthaus Zur Linde · Montag bis Freitag von 11:30 bis 14:00 Uhr");
    lunch.settings.FussEd = QStringLiteral("Zu jedem Mittagstisch ein kleiner Salat · Alle Preise in Euro");
    onA5(lunch.settings);
    lunch.settings.NummernJeKarteCheck = true;
    lunch.settings.DatumBox = CardSettings::DateLine::Today;
    doc.cards.append(lunch);
    const std::pair<const char *, const char *> lunchDishes[] = {{"Suppen", "Kartoffelsuppe"},
                                                                 {"Hauptgerichte", "Rinderroulade"},
                                                                 {"Hauptgerichte", "Gebratenes Lachsfilet"},
                                                                 {"Hauptgerichte", "Käsespätzle"},
                                                                 {"Hauptgerichte", "Schweinebraten"}};
    for (const auto &[c, p] : lunchDishes) {
        const int i = category(c);
        const int j = row(i, p);
        cat.setProductCards(i, j, cat.productCards(i, j) | (uint64_t(1) << 2));
    }

    // Green asparagus is out of season: the risotto waits in the catalogue.
    const int mains = category("Hauptgerichte");
    cat.setOffered(mains, row(mains, "Gemüse-Risotto"), false);

    // English beside the German: every dish but two (the soup of the day and
    // the cheese board wait for the translator), the categories, the size
    // headings, the cards' own texts and the wine list's note. The food card
    // prints both languages.
    struct English {
        const char *german;
        const char *name;
        const char *description;
        const char *quantity = "";
    };
    const English dishes[] = {
        {"Bruschetta", "Bruschetta", "Toasted country bread with tomatoes, garlic and fresh basil"},
        {"Carpaccio vom Rind", "Beef carpaccio", "Thinly sliced, with rocket, parmesan and lemon olive oil"},
        {"Gebackener Ziegenkäse", "Baked goat's cheese", "On lamb's lettuce with honey mustard dressing and caramelised walnuts"},
        {"Vitello tonnato", "Vitello tonnato", "Veal in tuna sauce with capers"},
        {"Antipasti-Teller", "Antipasti platter", "Grilled vegetables, olives, salami and ham\r\nfor two"},
        {"Tomatencremesuppe", "Cream of tomato soup", "with whipped cream and croutons"},
        {"Kartoffelsuppe", "Potato soup", "grandmother's recipe, with Vienna sausages"},
        {"Wiener Schnitzel", "Wiener schnitzel", "Veal, with lingonberries and fried potatoes"},
        {"Rinderroulade", "Beef roulade", "Home-made, with red cabbage and dumplings"},
        {"Zwiebelrostbraten", "Roast beef with onions", "Rump steak with fried onions, spätzle and gravy"},
        {"Gebratenes Lachsfilet", "Pan-fried salmon fillet", "On leaf spinach with lemon butter and wild rice"},
        {"Käsespätzle", "Cheese spätzle", "With mountain cheese and fried onions, served with a small salad"},
        {"Gemüse-Risotto", "Vegetable risotto", "Creamy risotto with green asparagus, peas and parmesan (vegetarian)"},
        {"Schweinebraten", "Roast pork", "With dark beer sauce, sauerkraut and bread dumpling"},
        {"Kinderschnitzel", "Children's schnitzel", "With French fries and ketchup"},
        {"Spaghetti Bolognese", "Spaghetti bolognese", "Small portion"},
        {"Fischstäbchen", "Fish fingers", "With mashed potatoes"},
        {"Apfelstrudel", "Apple strudel", "Warm, with vanilla sauce"},
        {"Mousse au Chocolat", "Chocolate mousse", "Of dark and white chocolate"},
        {"Gemischtes Eis", "Mixed ice cream", "Three scoops of your choice, with whipped cream"},
        {"Mineralwasser", "Mineral water", ""},
        {"Apfelschorle", "Apple spritzer", ""},
        {"Cola", "Cola", ""},
        {"Fanta", "Fanta", ""},
        {"Spezi", "Spezi (cola and orange)", ""},
        {"Hausgemachte Limonade", "Home-made lemonade", "Lemon and mint or elderflower"},
        {"Frisch gepresster Orangensaft", "Freshly squeezed orange juice", ""},
        {"Pils vom Fass", "Draught pilsner", ""},
        {"Hefeweizen", "Wheat beer", "Light or dark"},
        {"Alkoholfreies Weizen", "Alcohol-free wheat beer", ""},
        {"Radler", "Shandy", "Pilsner with lemonade"},
        {"Riesling, Rheingau", "Riesling, Rheingau", "Dry, fruity"},
        {"Spätburgunder, Baden", "Pinot noir, Baden", "Velvety, with notes of cherry"},
        {"Hauswein rot oder weiß", "House wine, red or white", ""},
        {"Kaffee", "Coffee", "", "cup"},
        {"Cappuccino", "Cappuccino", "", "cup"},
        {"Latte macchiato", "Latte macchiato", "", "glass"},
        {"Espresso", "Espresso", ""},
        {"Tee", "Tea", "Various kinds", "pot"},
    };
    const std::pair<const char *, const char *> categories[] = {
        {"Vorspeisen", "Starters"},           {"Suppen", "Soups"},
        {"Hauptgerichte", "Main courses"},    {"Für unsere kleinen Gäste", "For our young guests"},
        {"Desserts", "Desserts"},             {"Alkoholfreie Getränke", "Soft drinks"},
        {"Biere", "Beers"},                   {"Weine", "Wines"},
        {"Heißgetränke", "Hot drinks"},
    };
    for (const auto &[german, english] : categories) {
        const int i = category(german);
        cat.setCategoryTranslation(i, QString::fromUtf8(english));
        QStringList sizes = cat.sizeHeadings(i); // "0,3 l" is "0.3 l"
        for (QString &h : sizes)
            h.replace(QLatin1Char(','), QLatin1Char('.'));
        cat.setSizeHeadingTranslations(i, sizes);
    }
    for (const English &e : dishes) {
        int found = -1, at = -1;
        for (int i = 0; i < cat.categoryCount() && found < 0; ++i)
            for (int j = 0; j < int(cat.products(i)->count); ++j)
                if (WideText(static_cast<const TProductRec *>(cat.products(i)->At(uint32_t(j)))->name)
                    == QString::fromUtf8(e.german)) {
                    found = i;
                    at = j;
                    break;
                }
        if (found < 0) {
            std::fprintf(stderr, "no product %s\n", e.german);
            return 1;
        }
        cat.setTranslation(found, at, {QString::fromUtf8(e.name), QString::fromUtf8(e.description),
                                       QString::fromUtf8(e.quantity)});
    }
    const int wines = category("Weine");
    cat.setTranslation(wines, int(cat.products(wines)->count) - 1,
                       {QString(), QStringLiteral("You will find more wines on our wine list."), QString()});
    doc.settings.ZweisprachigCheck = true;
    doc.settings.translation = {QStringLiteral("Gasthaus Zur Linde"),
                                doc.settings.KopfEd, // names and numbers read the same
                                QStringLiteral("All prices in euros, service and VAT included")};
    doc.cards[1].settings.translation = {QStringLiteral("Drinks"), QStringLiteral("Gasthaus Zur Linde"),
                                         doc.settings.translation.footer};
    doc.cards[2].settings.translation = {QStringLiteral("Lunch"),
                                         QStringLiteral("Gasthaus Zur Linde · Monday to Friday from 11:30 am to 2 pm"),
                                         QStringLiteral("A small salad with every lunch · All prices in euros")};

    if (!SaveDocumentFile(path, doc.categoryNames, cat, doc.settings, &why, doc.unknownRecords, &doc.cards)) {
        std::fprintf(stderr, "could not save %s: %s\n", argv[1], qPrintable(why));
        return 1;
    }
    return 0;
}
