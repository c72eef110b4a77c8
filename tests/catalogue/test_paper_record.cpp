#include "catalogue/document.h"
#include "catalogue/paperrecords.h"

#include <gtest/gtest.h>

namespace {

QByteArray write(const CardSettings &s, const ExtensionRecords &unknown = {})
{
    Catalogue cat;
    cat.addCategory();
    return WriteDocument({"Suppen"}, cat, s, unknown);
}

} // namespace

TEST(PaperRecord, StoredOnlyWhenChosenAndReadBack)
{
    const CardSettings defaults;
    const QByteArray plain = write(defaults);
    EXPECT_FALSE(plain.contains("VLRD")); // a document that never chose a paper keeps its bytes

    // Landscape alone is no choice of paper: the printer's page stays.
    CardSettings quer;
    quer.QuerCheck = true;
    EXPECT_EQ(write(quer), plain);

    CardSettings s;
    s.PapierBox = CardSettings::Paper::A5;
    s.QuerCheck = true;
    const QByteArray bytes = write(s);
    ASSERT_TRUE(bytes.startsWith(plain));
    // Group D: tag, length 8, record 0x0030 of two bytes.
    EXPECT_EQ(bytes.mid(plain.size()), QByteArray("VLRD\x08\0\0\0\x30\0\x02\0\0\0\x02\x01", 16));

    // Read over another paper: the file's wins; a file without the record
    // is on the printer's page.
    CardSettings other;
    other.PapierBox = CardSettings::Paper::A4;
    DocumentData d;
    QString error;
    ASSERT_TRUE(ReadDocument(bytes, other, d, &error)) << error.toStdString();
    EXPECT_EQ(d.settings.PapierBox, CardSettings::Paper::A5);
    EXPECT_TRUE(d.settings.QuerCheck);
    EXPECT_EQ(WriteDocument(d.categoryNames, *d.catalogue, d.settings), bytes);
    other.QuerCheck = true;
    ASSERT_TRUE(ReadDocument(plain, other, d, &error));
    EXPECT_EQ(d.settings.PapierBox, CardSettings::Paper::Printer);
    EXPECT_FALSE(d.settings.QuerCheck);

    // A4 portrait, beside a record this program does not know: both survive.
    s.PapierBox = CardSettings::Paper::A4;
    s.QuerCheck = false;
    const ExtensionRecords unknown{{0x7F00, QByteArray("xy")}};
    ASSERT_TRUE(ReadDocument(write(s, unknown), CardSettings(), d, &error)) << error.toStdString();
    EXPECT_EQ(d.settings.PapierBox, CardSettings::Paper::A4);
    EXPECT_FALSE(d.settings.QuerCheck);
    EXPECT_EQ(d.unknownRecords, unknown);
}

TEST(PaperRecord, UnknownSizesAndOrientationsAreDamage)
{
    CardSettings s;
    s.PapierBox = CardSettings::Paper::A4;
    const QByteArray good = write(s);
    const qsizetype size = good.size() - 2, orientation = good.size() - 1;
    for (auto [at, value] : {std::pair{size, 0}, std::pair{size, 3}, std::pair{orientation, 2}}) {
        QByteArray bad = good;
        bad[at] = char(value);
        DocumentData d;
        QString error;
        EXPECT_FALSE(ReadDocument(bad, CardSettings(), d, &error)) << at << " " << value;
        EXPECT_TRUE(error.contains("Papierformat")) << error.toStdString();
    }
    // A record cut short (one byte of payload) is damage too.
    const QByteArray plain = write(CardSettings());
    const QByteArray cut = plain + QByteArray("VLRD\x07\0\0\0\x30\0\x01\0\0\0\x01", 15);
    DocumentData d;
    QString error;
    EXPECT_FALSE(ReadDocument(cut, CardSettings(), d, &error));
}

TEST(PrintFormRecord, StoredOnlyWhenChosenReadBackAndDamageRefused)
{
    const QByteArray plain = write(CardSettings());
    CardSettings s;
    s.DruckformBox = CardSettings::PrintForm::TableTent;
    s.FaltlinieCheck = false;
    const QByteArray bytes = write(s);
    ASSERT_TRUE(bytes.startsWith(plain));
    // Group D: tag, length 8, record 0x0050 of two bytes (form, fold line).
    EXPECT_EQ(bytes.mid(plain.size()), QByteArray("VLRD\x08\0\0\0\x50\0\x02\0\0\0\x02\x00", 16));

    // Read over another form: the file's wins; a file without the record
    // prints single pages with the fold line on.
    CardSettings other;
    other.DruckformBox = CardSettings::PrintForm::Booklet;
    DocumentData d;
    QString error;
    ASSERT_TRUE(ReadDocument(bytes, other, d, &error)) << error.toStdString();
    EXPECT_EQ(d.settings.DruckformBox, CardSettings::PrintForm::TableTent);
    EXPECT_FALSE(d.settings.FaltlinieCheck);
    EXPECT_EQ(WriteDocument(d.categoryNames, *d.catalogue, d.settings), bytes);
    other.FaltlinieCheck = false;
    ASSERT_TRUE(ReadDocument(plain, other, d, &error));
    EXPECT_EQ(d.settings.DruckformBox, CardSettings::PrintForm::SinglePages);
    EXPECT_TRUE(d.settings.FaltlinieCheck);

    // The fold line alone switched off is stored too (it is kept for the tent).
    CardSettings fold;
    fold.FaltlinieCheck = false;
    EXPECT_NE(write(fold), plain);

    for (auto [at, value] : {std::pair{bytes.size() - 2, 4}, std::pair{bytes.size() - 1, 2}}) {
        QByteArray bad = bytes;
        bad[at] = char(value);
        EXPECT_FALSE(ReadDocument(bad, CardSettings(), d, &error)) << at << " " << value;
        EXPECT_TRUE(error.contains("Druckform")) << error.toStdString();
    }
}

TEST(PrintFormRecord, CardSettingRecordsAreMarked)
{
    // The records that hold the card's own settings, which further cards
    // store through the same types; the others hold catalogue data.
    for (const ExtensionRecordType &t : ExtensionRecordTypes()) {
        const bool card = t.tag == 0x0001 || t.tag == 0x0010 || t.tag == 0x0030 || t.tag == 0x0043 || t.tag == 0x0050 || t.tag == 0x0051
                          || t.tag == 0x0052;
        EXPECT_EQ(t.cardSetting, card) << std::hex << t.tag;
    }
}

TEST(LogoRecord, StoredOnlyWithALogoReadBackAndDamageRefused)
{
    const QByteArray plain = write(CardSettings());
    CardSettings s;
    s.LogoEd = QStringLiteral("logo.svg");
    s.LogoBreiteEd = 35;
    s.LogoLinksCheck = true;
    const QByteArray bytes = write(s);
    ASSERT_TRUE(bytes.startsWith(plain));
    // Record 0x0051: the name, the width, flags (bit 1: at the left).
    const QByteArray record = bytes.mid(plain.size() + 8);
    EXPECT_EQ(record.left(6), QByteArray("\x51\0\x1D\0\0\0", 6)); // 4 + 2 x 8 + 8 + 1 bytes
    EXPECT_EQ(record.right(1), QByteArray("\x02", 1));

    DocumentData d;
    QString error;
    ASSERT_TRUE(ReadDocument(bytes, CardSettings(), d, &error)) << error.toStdString();
    EXPECT_EQ(d.settings.LogoEd, "logo.svg");
    EXPECT_EQ(d.settings.LogoBreiteEd, 35);
    EXPECT_TRUE(d.settings.LogoLinksCheck);
    EXPECT_FALSE(d.settings.LogoJedeSeiteCheck);
    EXPECT_EQ(WriteDocument(d.categoryNames, *d.catalogue, d.settings), bytes);
    // A document without the record has no logo, whatever was open before.
    ASSERT_TRUE(ReadDocument(plain, s, d, &error));
    EXPECT_TRUE(d.settings.LogoEd.isEmpty());
    EXPECT_EQ(d.settings.LogoBreiteEd, CardSettings().LogoBreiteEd);

    // A width that is no length and unknown flag bits are damage.
    QByteArray bad = bytes;
    bad[bad.size() - 2] = char(0xFF); // the width's top byte: NaN
    bad[bad.size() - 3] = char(0xFF);
    EXPECT_FALSE(ReadDocument(bad, CardSettings(), d, &error));
    EXPECT_TRUE(error.contains("Logo")) << error.toStdString();
    bad = bytes;
    bad[bad.size() - 1] = char(4);
    EXPECT_FALSE(ReadDocument(bad, CardSettings(), d, &error));
}
