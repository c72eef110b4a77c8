// The translation file: exact layout, tolerant reading of odd and damaged
// files, and where rewrites go.
#include "i18n/translateunit.h"
#include "i18n_testutil.h"
#include "testutil.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using i18ntest::tableFile;

namespace {

class TranslateFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("translate.dat")); }
    void load(TranslationTable &t, const QByteArray &bytes)
    {
        ASSERT_TRUE(testutil::writeFile(path(), bytes));
        t.InitTranslations(path());
    }
};

QByteArray mengeExample()
{
    QByteArray b = QByteArray::fromHex("1400000001000000050000004d0065006e0067006500");
    b.append(QByteArray(19 * 4, '\0'));
    return b;
}

TEST_F(TranslateFile, FirstLookupWithoutFileWritesTheNinetyEightByteExample)
{
    TranslationTable t;
    t.InitTranslations(path());
    EXPECT_EQ(t.RowCount(), 0);
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Menge")), QStringLiteral("Menge"));
    const QByteArray bytes = testutil::readFile(path());
    EXPECT_EQ(bytes.size(), 98);
    EXPECT_EQ(bytes, mengeExample());
}

TEST_F(TranslateFile, LoadThenSaveGivesTheSameBytes)
{
    const QByteArray original = tableFile(20, {
        {QStringLiteral("Menge"), QStringLiteral("Quantity"), QStringLiteral("Quantité"), {}, QStringLiteral("Mängd")},
        {QStringLiteral("Übersetzen"), QStringLiteral("Translate")},
        {},
        {QStringLiteral("Zeile\teins\r\n"), {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
         QStringLiteral("last column €")},
    });
    TranslationTable t;
    load(t, original);
    EXPECT_EQ(t.RowCount(), 4);
    EXPECT_EQ(t.Cell(0, 2), QStringLiteral("Quantité"));
    EXPECT_EQ(t.Cell(3, 19), QStringLiteral("last column €"));
    ASSERT_TRUE(t.SaveTranslations());
    EXPECT_EQ(testutil::readFile(path()), original);
}

// The layout written out byte by byte: column count, row count, then per
// cell a 32-bit count of UTF-16 units and the units, little-endian; empty
// cells are a zero count; a character beyond 16 bits is a surrogate pair.
TEST_F(TranslateFile, LiteralFileReadsAndSavesUnchanged)
{
    const QByteArray literal = QByteArray::fromHex(
        "14000000" "01000000"
        "05000000" "4d0065006e0067006500"                 // Menge
        "08000000" "5100750061006e0074006900740079 00"     // Quantity
        "08000000" "5100750061006e007400690074 00e900"     // Quantité
        "00000000"                                         // (Dutch empty)
        "05000000" "4d00e4006e0067006400"                 // Mängd
        "02000000" "3cd877df"                             // U+1F377
        "00000000000000000000000000000000000000000000000000000000"
        "00000000000000000000000000000000000000000000000000000000");
    ASSERT_EQ(literal.size(), 8 + 14 + 20 + 20 + 4 + 14 + 8 + 14 * 4);
    TranslationTable t;
    load(t, literal);
    ASSERT_EQ(t.RowCount(), 1);
    EXPECT_EQ(t.Cell(0, 0), QStringLiteral("Menge"));
    EXPECT_EQ(t.Cell(0, 2), QStringLiteral("Quantit\u00e9"));
    EXPECT_EQ(t.Cell(0, 4), QStringLiteral("M\u00e4ngd"));
    EXPECT_EQ(t.Cell(0, 5), QString::fromUcs4(U"\U0001F377"));
    EXPECT_EQ(t.Cell(0, 3), QString());
    ASSERT_TRUE(t.SaveTranslations());
    EXPECT_EQ(testutil::readFile(path()), literal);
}

TEST_F(TranslateFile, NarrowAndWideFilesAreStoredWithTwentyColumns)
{
    {
        TranslationTable t;
        load(t, tableFile(5, {{"A", "a1", "a2", "a3", "a4"}, {"B", "b1"}}));
        ASSERT_EQ(t.RowCount(), 2);
        EXPECT_EQ(t.Cell(0, 4), QStringLiteral("a4"));
        EXPECT_EQ(t.Cell(1, 1), QStringLiteral("b1"));
        EXPECT_EQ(t.Cell(0, 5), QString());
        ASSERT_TRUE(t.SaveTranslations());
        EXPECT_EQ(testutil::readFile(path()), tableFile(20, {{"A", "a1", "a2", "a3", "a4"}, {"B", "b1"}}));
    }
    {
        QStringList wide;
        for (int c = 0; c < 25; ++c)
            wide << QStringLiteral("c%1").arg(c);
        TranslationTable t;
        load(t, tableFile(25, {wide, {"Zwei"}}));
        ASSERT_EQ(t.RowCount(), 2);
        EXPECT_EQ(t.Cell(0, 19), QStringLiteral("c19"));
        EXPECT_EQ(t.Cell(1, 0), QStringLiteral("Zwei"));
        ASSERT_TRUE(t.SaveTranslations());
        EXPECT_EQ(testutil::readFile(path()), tableFile(20, {wide.mid(0, 20), {"Zwei"}}));
    }
}

TEST_F(TranslateFile, ZeroOrNegativeRowCountGivesAnEmptyTable)
{
    for (int32_t rows : {0, -1, -2000000000}) {
        TranslationTable t;
        load(t, tableFile(20, {{"A"}}, rows));
        EXPECT_EQ(t.RowCount(), 0) << rows;
    }
}

TEST_F(TranslateFile, ColumnCountZeroGivesEmptyRows)
{
    TranslationTable t;
    load(t, tableFile(0, {}, 3));
    EXPECT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.Cell(2, 0), QString());
}

TEST_F(TranslateFile, EveryTruncationKeepsTheCompleteRows)
{
    const std::vector<QStringList> rows = {{"Eins", "One"}, {"Zwei", {}, "Deux"}, {"Drei", "Three"}};
    const QByteArray full = tableFile(20, rows);
    // Where each row ends in the file.
    std::vector<qsizetype> rowEnd;
    qsizetype pos = 8;
    for (const QStringList &r : rows) {
        for (int c = 0; c < 20; ++c)
            pos += 4 + 2 * (c < r.size() ? r.at(c).size() : 0);
        rowEnd.push_back(pos);
    }
    ASSERT_EQ(rowEnd.back(), full.size());
    for (qsizetype len = 0; len < full.size(); ++len) {
        TranslationTable t;
        load(t, full.left(len));
        int complete = 0;
        while (complete < int(rowEnd.size()) && rowEnd[complete] <= len)
            ++complete;
        ASSERT_EQ(t.RowCount(), complete) << "length " << len;
        for (int r = 0; r < complete; ++r)
            EXPECT_EQ(t.Cell(r, 0), rows[r].at(0));
        // The table is usable: lookups find the kept rows.
        if (complete >= 1) {
            t.language = 1;
            EXPECT_EQ(t.TranslateStr(QStringLiteral("Eins")), QStringLiteral("One"));
        }
    }
}

TEST_F(TranslateFile, HugeCountsReserveNothing)
{
    {
        TranslationTable t;
        load(t, tableFile(20, {{"Eins", "One"}}, 2000000000));
        EXPECT_EQ(t.RowCount(), 1);
    }
    {
        TranslationTable t;
        load(t, tableFile(2000000000, {}, 1));
        EXPECT_EQ(t.RowCount(), 0);
    }
    {
        // Rows of no columns hold no bytes; a huge count is cut short.
        TranslationTable t;
        load(t, tableFile(0, {}, 2000000000));
        EXPECT_LE(t.RowCount(), 4096);
    }
    {
        // A record whose count promises more than the file holds.
        ByteWriter w;
        w.writeInt32(20);
        w.writeInt32(1);
        w.writeInt32(2000000000);
        w.writeInt32(0x00410041);
        TranslationTable t;
        load(t, w.data());
        EXPECT_EQ(t.RowCount(), 0);
    }
}

TEST_F(TranslateFile, UnwritableFileKeepsRowsForTheNextWrite)
{
    TranslationTable t;
    t.InitTranslations(dir.filePath(QStringLiteral("missing-folder/translate.dat")));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Eins")), QStringLiteral("Eins"));
    EXPECT_EQ(t.RowCount(), 1);
    EXPECT_EQ(t.saveCount(), 0);
    t.setFilePath(path());
    t.TranslateStr(QStringLiteral("Zwei"));
    EXPECT_EQ(testutil::readFile(path()), tableFile(20, {{"Eins"}, {"Zwei"}}));
}

TEST_F(TranslateFile, WriteProtectedFileIsLeftAloneUntilItCanBeWritten)
{
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)); // open to everyone
    const QByteArray shipped = tableFile(20, {{"Eins", "One"}});
    ASSERT_TRUE(testutil::writeFile(path(), shipped));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadOther);
    TranslationTable t;
    t.InitTranslations(path());
    ASSERT_TRUE(testutil::runUnprivileged([&] { t.TranslateStr(QStringLiteral("Zwei")); }));
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.saveCount(), 0);
    EXPECT_EQ(testutil::readFile(path()), shipped);
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    t.TranslateStr(QStringLiteral("Drei"));
    EXPECT_EQ(testutil::readFile(path()), tableFile(20, {{"Eins", "One"}, {"Zwei"}, {"Drei"}}));
}

TEST_F(TranslateFile, RewriteReplacesAnOlderLongerFile)
{
    QStringList big;
    for (int c = 0; c < 20; ++c)
        big << QString(500, QLatin1Char('x'));
    TranslationTable t;
    load(t, tableFile(20, {big}));
    ASSERT_TRUE(t.DeleteRow(0));
    ASSERT_TRUE(t.SaveTranslations());
    EXPECT_EQ(testutil::readFile(path()), tableFile(20, {}));
}

} // namespace
