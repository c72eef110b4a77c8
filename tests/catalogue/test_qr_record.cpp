#include "catalogue/document.h"
#include "catalogue/qrrecords.h"

#include <gtest/gtest.h>

namespace {

QByteArray write(const CardSettings &s)
{
    Catalogue cat;
    cat.addCategory();
    return WriteDocument({"Suppen"}, cat, s);
}

} // namespace

TEST(QrRecord, StoredInGroupDOnlyWhenSetAndReadBack)
{
    const CardSettings defaults;
    const QByteArray plain = write(defaults);
    EXPECT_FALSE(plain.contains("VLRD")); // as before: no group D

    CardSettings s;
    s.QrUrlEd = QStringLiteral("https://linde.de/k\u00e4se");
    s.QrDruckCheck = true;
    s.QrGroesseEd = 31.5;
    const QByteArray bytes = write(s);
    ASSERT_TRUE(bytes.startsWith(plain));
    EXPECT_TRUE(bytes.mid(plain.size()).startsWith("VLRD"));

    // Read over other QR settings: the file's win; a file without the
    // record gives the defaults.
    CardSettings other;
    other.QrUrlEd = QStringLiteral("https://other.example");
    DocumentData d;
    QString error;
    ASSERT_TRUE(ReadDocument(bytes, other, d, &error)) << error.toStdString();
    EXPECT_EQ(d.settings.QrUrlEd, s.QrUrlEd);
    EXPECT_TRUE(d.settings.QrDruckCheck);
    EXPECT_EQ(d.settings.QrGroesseEd, 31.5);
    EXPECT_EQ(WriteDocument(d.categoryNames, *d.catalogue, d.settings), bytes);
    ASSERT_TRUE(ReadDocument(plain, other, d, &error));
    EXPECT_TRUE(d.settings.QrUrlEd.isEmpty());
    EXPECT_EQ(d.settings.QrGroesseEd, 25);
}

TEST(QrRecord, ASizeThatIsNoLengthIsDamage)
{
    CardSettings s;
    s.QrGroesseEd = -1;
    const QByteArray bytes = write(s);
    DocumentData d;
    QString error;
    EXPECT_FALSE(ReadDocument(bytes, CardSettings(), d, &error));
    EXPECT_TRUE(error.contains("„QR-Code“") && error.contains("keine Länge")) << error.toStdString();

    // Sizes beyond what the window offers are taken to its nearest end, so
    // that the window and the command line print the same card.
    for (auto [stored, read] : {std::pair{5.0, 10.0}, std::pair{1e300, 200.0}, std::pair{10.0, 10.0}}) {
        s.QrGroesseEd = stored;
        ASSERT_TRUE(ReadDocument(write(s), CardSettings(), d, &error)) << error.toStdString();
        EXPECT_EQ(d.settings.QrGroesseEd, read) << stored;
    }
}
