#include "catalogue/document.h"
#include "catalogue/qrrecords.h"
#include "testutil.h"

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
    // Group D with the one record, as it stands in the file: tag 0x0010,
    // the address as a count of UTF-16 units and the units, the print byte,
    // the size as a little-endian float64.
    const QByteArray groupD = QByteArray::fromHex("564c5244" "3d000000" // "VLRD", 61 bytes
                                                  "1000" "37000000" // record 0x0010, 55 bytes
                                                  "15000000" // 21 characters
                                                  "680074007400700073003a002f002f006c0069006e0064006500"
                                                  "2e00640065002f006b00e40073006500"
                                                  "01" // printed
                                                  "0000000000803f40"); // 31.5
    EXPECT_EQ(bytes.mid(plain.size()).toHex(), groupD.toHex());

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

    // The fuzzing seed with a QR code is the example card with this group.
    const QByteArray seed = testutil::readFile(QStringLiteral(VELLORAN_SOURCE_DIR "/fuzz/corpus/document/restaurant-qr.vlr"));
    EXPECT_TRUE(seed.endsWith(groupD));
    ASSERT_TRUE(ReadDocument(seed, other, d, &error)) << error.toStdString();
    EXPECT_EQ(d.settings.QrUrlEd, s.QrUrlEd);
    EXPECT_EQ(d.settings.QrGroesseEd, 31.5);
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
    s.QrGroesseEd = 0;
    EXPECT_FALSE(ReadDocument(write(s), CardSettings(), d, &error));

    // An address that is not printed is stored as not printed.
    CardSettings off;
    off.QrUrlEd = QStringLiteral("https://linde.de");
    off.QrDruckCheck = false;
    ASSERT_TRUE(ReadDocument(write(off), CardSettings(), d, &error)) << error.toStdString();
    EXPECT_EQ(d.settings.QrUrlEd, off.QrUrlEd);
    EXPECT_FALSE(d.settings.QrDruckCheck);

    // Sizes beyond what the window offers are taken to its nearest end, so
    // that the window and the command line print the same card.
    for (auto [stored, read] : {std::pair{5.0, 10.0}, std::pair{1e300, 200.0}, std::pair{10.0, 10.0}}) {
        s.QrGroesseEd = stored;
        ASSERT_TRUE(ReadDocument(write(s), CardSettings(), d, &error)) << error.toStdString();
        EXPECT_EQ(d.settings.QrGroesseEd, read) << stored;
    }
}
