// Builds the example menu card examples/restaurant.vlr through the program's
// own main window: the categories and products go in through the catalogue,
// the settings through the window's controls, and the window saves it.
//   make_example OUT.vlr
#include "app/MainUnit.h"
#include "catalogue/appfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>

namespace {

struct Item {
    const char *name;
    const char *description;
    const char *quantity;
    double price;
    int number;
};

struct Category {
    const char *name;
    std::vector<Item> items;
};

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
         {{"Bruschetta", "Geröstetes Landbrot mit Tomaten, Knoblauch und frischem Basilikum", "", 6.50, 0},
          {"Carpaccio vom Rind", "Hauchdünn geschnitten, mit Rucola, Parmesan und Zitronen-Olivenöl", "", 12.90, 0},
          {"Gebackener Ziegenkäse", "Auf Feldsalat mit Honig-Senf-Dressing und karamellisierten Walnüssen", "", 10.50, 0},
          {"Vitello tonnato", "Kalbfleisch in Thunfischsauce mit Kapern", "", 11.80, 0},
          {"Antipasti-Teller", "Gegrilltes Gemüse, Oliven, Salami und Schinken\r\nfür zwei Personen", "", 16.90, 0}}},
        {"Suppen",
         {{"Tomatencremesuppe", "mit Sahnehaube und Croûtons", "", 5.20, 0},
          {"Kartoffelsuppe", "nach Großmutters Art, mit Wiener Würstchen", "", 5.90, 0},
          {"Tagessuppe", "Fragen Sie unser Servicepersonal", "", 0.0, 0}}},
        {"Hauptgerichte",
         {{"Wiener Schnitzel", "Vom Kalb, mit Preiselbeeren und Bratkartoffeln", "", 21.50, 0},
          {"Rinderroulade", "Hausgemacht, mit Rotkohl und Klößen", "", 18.90, 0},
          {"Zwiebelrostbraten", "Rumpsteak mit Röstzwiebeln, Spätzle und Bratensauce", "", 24.80, 0},
          {"Gebratenes Lachsfilet", "Auf Blattspinat mit Zitronenbutter und Wildreis", "", 19.60, 0},
          {"Käsespätzle", "Mit Bergkäse und Röstzwiebeln, dazu ein kleiner Salat", "", 13.50, 0},
          {"Gemüse-Risotto", "Cremiges Risotto mit grünem Spargel, Erbsen und Parmesan (vegetarisch)", "", 14.90, 0},
          {"Schweinebraten", "Mit dunkler Biersauce, Sauerkraut und Semmelknödel", "", 16.40, 0}}},
        {"Für unsere kleinen Gäste",
         {{"Kinderschnitzel", "Mit Pommes frites und Ketchup", "", 8.50, 0},
          {"Spaghetti Bolognese", "Kleine Portion", "", 7.20, 0},
          {"Fischstäbchen", "Mit Kartoffelpüree", "", 7.50, 0}}},
        {"Desserts",
         {{"Apfelstrudel", "Warm, mit Vanillesauce", "", 6.80, 0},
          {"Mousse au Chocolat", "Von dunkler und weißer Schokolade", "", 7.40, 0},
          {"Gemischtes Eis", "Drei Kugeln nach Wahl, mit Sahne", "", 5.50, 0},
          {"Käseauswahl", "Vier Sorten regionaler Käse mit Feigensenf und Walnussbrot", "", 11.20, 0}}},
        {"Alkoholfreie Getränke",
         {{"Mineralwasser", "", "0,25l", 2.60, 0},
          {"Mineralwasser", "", "0,75l", 6.20, 0},
          {"Apfelschorle", "", "0,4l", 3.90, 0},
          {"Cola, Fanta, Spezi", "", "0,33l", 3.40, 0},
          {"Hausgemachte Limonade", "Zitrone-Minze oder Holunder", "0,4l", 4.60, 0},
          {"Frisch gepresster Orangensaft", "", "0,2l", 4.80, 0}}},
        {"Biere und Weine",
         {{"Pils vom Fass", "", "0,3l", 3.60, 0},
          {"Pils vom Fass", "", "0,5l", 4.80, 0},
          {"Hefeweizen", "Hell oder dunkel", "0,5l", 4.90, 0},
          {"Alkoholfreies Weizen", "", "0,5l", 4.70, 0},
          {"Riesling, Rheingau", "Trocken, fruchtig", "0,2l", 6.40, 0},
          {"Spätburgunder, Baden", "Samtig, mit Aromen von Kirsche", "0,2l", 6.90, 0},
          {"Hauswein rot oder weiß", "", "0,25l", 5.20, 0},
          {"Alle Weine erhalten Sie auch als Flasche. Bitte fragen Sie nach unserer Weinkarte.", "", "", -1, -1}}},
        {"Heißgetränke",
         {{"Kaffee", "", "Tasse", 2.90, 0},
          {"Cappuccino", "", "Tasse", 3.40, 0},
          {"Latte macchiato", "", "Glas", 3.80, 0},
          {"Espresso", "", "", 2.40, 0},
          {"Tee", "Verschiedene Sorten", "Kännchen", 3.60, 0}}},
    };

    TMainForm form;
    for (const Category &c : card) {
        form.catalogue.addCategory();
        auto *it = new QTreeWidgetItem(QStringList{QString::fromUtf8(c.name)});
        it->setFlags(it->flags() | Qt::ItemIsEditable);
        form.ListView2->addTopLevelItem(it);
        const int index = form.catalogue.categoryCount() - 1;
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
        }
    }
    form.CaptionEd->setText(QStringLiteral("Gasthaus Zur Linde"));
    form.KopfEd->setText(QStringLiteral("Gasthaus Zur Linde · Lindenplatz 3 · 79098 Freiburg · Tel. 0761 123456"));
    form.FussEd->setText(QStringLiteral("Alle Preise in Euro inkl. Bedienung und gesetzlicher Mehrwertsteuer"));
    form.RahmenCheck->setChecked(true);
    form.CenterKatCheck->setChecked(true);
    if (!form.SaveTheFileAs(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
