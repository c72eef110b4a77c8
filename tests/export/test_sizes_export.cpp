// Size columns in the exports: a sized category is a table with its
// headings on the web page; the CSV file gets one pair of columns per
// further size.
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

TEST(SizesExport, CsvPairsPerFurtherSize)
{
    Catalogue cat;
    QStringList names;
    sizedCard(cat, names);
    const QStringList header{"K", "B", "D", "P", "N", "M", "G2", "P2"};
    EXPECT_EQ(FurtherSizeColumns(cat), 1);
    EXPECT_EQ(BuildCsv(names, cat, header, ','),
              QByteArray("\"K\",\"B\",\"D\",\"P\",\"N\",\"M\",\"G2\",\"P2\"\r\n"
                         "\"Biere\",\"Pils\",\"\",\"3,60\",\"0\",\"\",\"0,5 l\",\"4,80\"\r\n"
                         "\"Biere\",\"Weizen\",\"\",\"0,00\",\"0\",\"\",\"0,5 l\",\"4,90\"\r\n"
                         "\"Speisen\",\"Suppe\",\"\",\"5,00\",\"0\",\"\",\"\",\"\"\r\n"));
    EXPECT_EQ(CsvHeader(cat).mid(6), QStringList({"Größe 2", "Preis 2"}));
    // One size only: nothing further, the file as without sizes.
    cat.setSizeHeadings(0, {"0,3 l"});
    EXPECT_EQ(CsvHeader(cat).size(), 6);
    EXPECT_FALSE(BuildCsv(names, cat, header, ',').contains("G2"));
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
