// Size columns in the exports: a sized category is a table with its
// headings on the web page; the CSV file gets the first size's heading and
// one pair of columns per further size.
#include "export/csvexport.h"
#include "export/htmlexport.h"
#include "layout/cardlayout.h"

#include <cmath>
#include "testutil.h"

#include <gtest/gtest.h>

namespace {

void sizedCard(Catalogue &cat, QStringList &names)
{
    for (const char *n : {"Biere", "Speisen"}) {
        cat.addCategory();
        names << QString::fromUtf8(n);
    }
    cat.setSizeHeadings(0, {"0,3 l", "0,5 l"});
    ProductValues v;
    v.name = "Pils";
    v.price = 3.6;
    cat.addProduct(0, v);
    cat.setSizePrices(0, 0, {3.6, 4.8});
    v.name = "Weizen";
    cat.addProduct(0, v);
    cat.setSizePrices(0, 1, {std::nan(""), 4.9});
    v.name = "Suppe";
    v.price = 5;
    cat.addProduct(1, v);
}

} // namespace

TEST(SizesExport, CsvFirstSizeThenPairsPerFurtherSizeAfterTheMarkColumns)
{
    Catalogue cat;
    QStringList names;
    sizedCard(cat, names);
    ProductValues v;
    v.name = "Hinweis";
    v.price = -1; // a free text in the sized category
    cat.addProduct(0, v);
    const QStringList header{"K", "B", "D", "P", "N", "M", "A", "Z", "G1", "G2", "P2"};
    EXPECT_EQ(CsvSizeColumns(cat), 2);
    // The mark columns stand (empty) even without marks, so that the size
    // columns keep their places; a first size the product is not sold in is
    // an empty price, not "0,00" (on request).
    EXPECT_EQ(BuildCsv(names, cat, header, ','),
              QByteArray("\"K\",\"B\",\"D\",\"P\",\"N\",\"M\",\"A\",\"Z\",\"G1\",\"G2\",\"P2\"\r\n"
                         "\"Biere\",\"Pils\",\"\",\"3,60\",\"0\",\"\",\"\",\"\",\"0,3 l\",\"0,5 l\",\"4,80\"\r\n"
                         "\"Biere\",\"Weizen\",\"\",\"\",\"0\",\"\",\"\",\"\",\"\",\"0,5 l\",\"4,90\"\r\n"
                         "\"Biere\",\"Hinweis\",\"\",\"-1,00\",\"0\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
                         "\"Speisen\",\"Suppe\",\"\",\"5,00\",\"0\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
    EXPECT_EQ(CsvHeader(cat).mid(6), QStringList({"Allergene", "Zusatzstoffe", "Größe 1", "Größe 2", "Preis 2"}));

    // With marks the size columns stand where they stood.
    ProductMarks m;
    m.setAllergen(0, true);
    cat.setMarks(1, 0, m);
    EXPECT_TRUE(BuildCsv(names, cat, header, ',').endsWith(
        "\"Speisen\",\"Suppe\",\"\",\"5,00\",\"0\",\"\",\"A\",\"\",\"\",\"\",\"\"\r\n"));
    EXPECT_EQ(CsvHeader(cat).size(), 11);

    // One size only: its heading, no further pair.
    cat.setSizeHeadings(0, {"0,3 l"});
    EXPECT_EQ(CsvHeader(cat).mid(6), QStringList({"Allergene", "Zusatzstoffe", "Größe 1"}));
    EXPECT_TRUE(BuildCsv(names, cat, header, ',').contains(
        "\"Biere\",\"Pils\",\"\",\"3,60\",\"0\",\"\",\"\",\"\",\"0,3 l\"\r\n"));
    // No sizes and no marks: the six columns of old.
    cat.setSizeHeadings(0, {});
    cat.setMarks(1, 0, ProductMarks());
    EXPECT_EQ(CsvHeader(cat).size(), 6);
    EXPECT_EQ(BuildCsv(names, cat, header, ',').split('\n').at(1), QByteArray("\"Biere\",\"Pils\",\"\",\"3,60\",\"0\",\"\"\r"));
}

TEST(SizesExport, WebPageTableWithHeadings)
{
    testutil::LocaleScope de("de_DE");
    Catalogue cat;
    QStringList names;
    sizedCard(cat, names);
    CardSource card;
    card.categoryNames = names;
    card.catalogue = &cat;
    const QString html = QString::fromUtf8(BuildHtml(card, "de"));
    EXPECT_TRUE(html.contains("<table class=\"groessen\">"));
    EXPECT_TRUE(html.contains("<th scope=\"col\">0,3 l</th><th scope=\"col\">0,5 l</th>"));
    EXPECT_TRUE(html.contains("<td class=\"preis\">3,60 €</td><td class=\"preis\">4,80 €</td>"));
    // Not in the small glass: an empty cell.
    EXPECT_TRUE(html.contains("<td class=\"preis\"></td><td class=\"preis\">4,90 €</td>"));
    // A product with no first price shows its other sizes; "Preis auf
    // Anfrage" spans the columns only where no size has a price.
    ProductValues v;
    v.name = "Radler";
    cat.addProduct(0, v);
    cat.setStoredSizePrices(0, 2, false, {4.6});
    v.name = "Fassbrause";
    cat.addProduct(0, v);
    cat.setSizePrices(0, 3, {std::nan(""), std::nan("")});
    const QString more = QString::fromUtf8(BuildHtml(card, "de"));
    EXPECT_TRUE(more.contains("<span class=\"name\">Radler</span></div></th>"
                              "<td class=\"preis\"></td><td class=\"preis\">4,60 €</td></tr>"));
    EXPECT_TRUE(more.contains("<span class=\"name\">Fassbrause</span></div></th>"
                              "<td class=\"preis\" colspan=\"2\">Preis auf Anfrage</td></tr>"));
    EXPECT_EQ(more.count("Preis auf Anfrage"), 1);
    // The category without sizes stays a list.
    EXPECT_TRUE(html.contains("<ul>"));
    EXPECT_EQ(html.count("<table"), 1);

    // Without sizes, no table and no table styles.
    cat.setSizeHeadings(0, {});
    const QString plain = QString::fromUtf8(BuildHtml(card, "de"));
    EXPECT_FALSE(plain.contains("groessen"));
}
