#include "export/csvexport.h"

#include <gtest/gtest.h>

TEST(CsvMarks, TwoMoreColumnsOnlyWhenAProductCarriesMarks)
{
    const QStringList header{"K", "B", "D", "P", "N", "M", "Allergene", "Zusatzstoffe"};
    Catalogue cat;
    cat.addCategory();
    ProductValues v;
    v.name = "Currywurst";
    v.price = 4.5;
    cat.addProduct(0, v);
    v.name = "Wasser";
    cat.addProduct(0, v);
    const QByteArray plain = BuildCsv({"Imbiss"}, cat, header, ',');
    EXPECT_TRUE(plain.startsWith("\"K\",\"B\",\"D\",\"P\",\"N\",\"M\"\r\n"));
    EXPECT_FALSE(plain.contains("Allergene"));
    EXPECT_EQ(CsvHeader(cat).size(), 6);

    ProductMarks m;
    m.setAdditive(8, true);
    m.setAdditive(3, true);
    m.setAllergen(0, true);
    m.setAllergen(9, true);
    cat.setMarks(0, 0, m);
    EXPECT_EQ(BuildCsv({"Imbiss"}, cat, header, ','),
              QByteArray("\"K\",\"B\",\"D\",\"P\",\"N\",\"M\",\"Allergene\",\"Zusatzstoffe\"\r\n"
                         "\"Imbiss\",\"Currywurst\",\"\",\"4,50\",\"0\",\"\",\"A,M\",\"3,8\"\r\n"
                         "\"Imbiss\",\"Wasser\",\"\",\"4,50\",\"0\",\"\",\"\",\"\"\r\n"));
}
