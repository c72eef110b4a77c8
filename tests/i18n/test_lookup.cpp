// The translation lookup: key forming, blanks, trimming of translations,
// registration of new texts, duplicates and the message table.
#include "i18n/translateunit.h"
#include "i18n_testutil.h"
#include "testutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using i18ntest::tableFile;

namespace {

class Lookup : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TranslationTable t;
    QString path() const { return dir.filePath(QStringLiteral("translate.dat")); }
    void start(const std::vector<QStringList> &rows, int language = 1)
    {
        ASSERT_TRUE(testutil::writeFile(path(), tableFile(20, rows)));
        t.InitTranslations(path());
        t.language = language;
    }
};

TEST_F(Lookup, EmptyAndBlankOnlyTextsAreReturnedAndNotRegistered)
{
    start({});
    EXPECT_EQ(t.TranslateStr(QString()), QString());
    EXPECT_EQ(t.TranslateStr(QStringLiteral("   ")), QStringLiteral("   "));
    EXPECT_EQ(t.RowCount(), 0);
    EXPECT_EQ(t.saveCount(), 0);
}

TEST_F(Lookup, BlanksAroundTheInputAreRestoredAroundTheTranslation)
{
    start({{"Menge", "Quantity"}, {"Wort", "word\r\n"}, {"Leer", "   "}, {"Ohne"}});
    EXPECT_EQ(t.TranslateStr(QStringLiteral("  Menge")), QStringLiteral("  Quantity"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Menge ")), QStringLiteral("Quantity "));
    // Characters of code 32 or less are cut from the translation's ends.
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Wort")), QStringLiteral("word"));
    // A cell of blanks leaves only the input's own blanks.
    EXPECT_EQ(t.TranslateStr(QStringLiteral(" Leer  ")), QStringLiteral("   "));
    // An empty cell gives the input as it came.
    EXPECT_EQ(t.TranslateStr(QStringLiteral("  Ohne ")), QStringLiteral("  Ohne "));
    EXPECT_EQ(t.RowCount(), 4);
    EXPECT_EQ(t.saveCount(), 0);
}

TEST_F(Lookup, GermanColumnIsReadLikeAnyOther)
{
    start({{"Menge", "Quantity"}}, 0);
    EXPECT_EQ(t.TranslateStr(QStringLiteral(" Menge")), QStringLiteral(" Menge"));
    EXPECT_EQ(t.RowCount(), 1);
}

TEST_F(Lookup, CaseTabsAndLineBreaksArePartOfTheKey)
{
    start({{"Menge", "Quantity"}});
    EXPECT_EQ(t.TranslateStr(QStringLiteral("menge")), QStringLiteral("menge"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Menge\t")), QStringLiteral("Menge\t"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("\nMenge")), QStringLiteral("\nMenge"));
    ASSERT_EQ(t.RowCount(), 4);
    EXPECT_EQ(t.Cell(1, 0), QStringLiteral("menge"));
    EXPECT_EQ(t.Cell(2, 0), QStringLiteral("Menge\t"));
    EXPECT_EQ(t.Cell(3, 0), QStringLiteral("\nMenge"));
}

TEST_F(Lookup, NewTextAppendsOneRowAndRewritesOnce)
{
    start({{"Menge", "Quantity"}});
    EXPECT_EQ(t.TranslateStr(QStringLiteral("  Neu  ")), QStringLiteral("  Neu  "));
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.saveCount(), 1);
    EXPECT_EQ(t.Cell(1, 0), QStringLiteral("Neu"));
    for (int c = 1; c < 20; ++c)
        EXPECT_EQ(t.Cell(1, c), QString());
    EXPECT_EQ(testutil::readFile(path()), tableFile(20, {{"Menge", "Quantity"}, {"Neu"}}));
    // Found the second time, also with other blanks around it.
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Neu")), QStringLiteral("Neu"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral(" Neu")), QStringLiteral(" Neu"));
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.saveCount(), 1);
    // The new row is found in this run once it has a translation.
    ASSERT_TRUE(t.SetCell(1, 1, QStringLiteral("New")));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Neu ")), QStringLiteral("New "));
}

TEST_F(Lookup, DuplicateGermanTextsResolveToTheRowTheSortPutsFirst)
{
    // Three rows of one text: the quicksort's exchanges leave the last one
    // first in the bucket.
    start({{"Menge", "first"}, {"Menge", "second"}, {"Menge", "third"}, {"Mehl", "flour"}});
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Menge")), QStringLiteral("third"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Mehl")), QStringLiteral("flour"));
    TranslationTable two;
    ASSERT_TRUE(testutil::writeFile(path(), tableFile(20, {{"Menge", "first"}, {"Menge", "second"}})));
    two.InitTranslations(path());
    two.language = 1;
    EXPECT_EQ(two.TranslateStr(QStringLiteral("Menge")), QStringLiteral("second"));
}

TEST_F(Lookup, BucketsAreSortedByCodeUnits)
{
    start({{"Mz"}, {"Menge"}, {"M"}, {"MENGE"}, {"Mä"}, {"Me"}, {QString::fromUtf16(u"\u014d")}, {"M\u00e4"}});
    const int b = TranslationTable::BucketOf(QStringLiteral("M"));
    ASSERT_EQ(b, 77);
    ASSERT_EQ(t.BucketSize(b), 8) << "U+014D goes to bucket 0x4D as well";
    std::vector<std::u16string> keys;
    for (int i = 0; i < t.BucketSize(b); ++i)
        keys.push_back(t.IndexEntry(b, i).key);
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    EXPECT_EQ(keys.front(), u"M");
    EXPECT_EQ(keys.back(), u"\u014d");
    EXPECT_EQ(TranslationTable::BucketOf(QString::fromUtf16(u"\u00dc")), 220);
    EXPECT_EQ(TranslationTable::BucketOf(QString::fromUtf16(u"\u0100")), 0);
}

TEST_F(Lookup, LanguageOutsideTheColumnsReturnsTheTextAndStillRegisters)
{
    start({{"Menge", "Quantity"}});
    for (int lang : {20, -1, 1000}) {
        t.language = lang;
        EXPECT_EQ(t.TranslateStr(QStringLiteral(" Menge")), QStringLiteral(" Menge"));
    }
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Neu")), QStringLiteral("Neu"));
    EXPECT_EQ(t.RowCount(), 2);
    t.language = 19;
    ASSERT_TRUE(t.SetCell(0, 19, QStringLiteral("spare")));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Menge")), QStringLiteral("spare"));
}

TEST_F(Lookup, MessagesAreRegisteredOnceWithoutTheirBlanks)
{
    start({});
    t.RegisterMessages();
    EXPECT_EQ(t.RowCount(), 16);
    EXPECT_EQ(t.saveCount(), 16);
    EXPECT_EQ(t.Cell(0, 0), QString::fromUtf8("Konte die folgende Datei nicht öffnen:"));
    EXPECT_EQ(t.Cell(15, 0), QStringLiteral("Konnte die folgende Datei nicht anlegen:"));
    t.RegisterMessages();
    EXPECT_EQ(t.RowCount(), 16);
    EXPECT_EQ(t.GetMsgText(0), QString());
    EXPECT_EQ(t.GetMsgText(21), QString());
    EXPECT_EQ(t.GetMsgText(7), QString());
    EXPECT_EQ(t.GetMsgText(18), QStringLiteral("Menge"));
    ASSERT_TRUE(t.SetCell(0, 1, QStringLiteral("Could not open the following file:")));
    EXPECT_EQ(t.GetMsgText(1), QStringLiteral("Could not open the following file: "));
    EXPECT_EQ(t.RowCount(), 16);
}

TEST_F(Lookup, DeletedRowKeepsTheOthersAndIsRegisteredAnew)
{
    start({{"Apfel", "apple"}, {"Birne", "pear"}, {"Brot", "bread"}, {"Butter", "butter"}});
    ASSERT_TRUE(t.DeleteRow(1));
    EXPECT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Apfel")), QStringLiteral("apple"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Brot")), QStringLiteral("bread"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Butter")), QStringLiteral("butter"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Birne")), QStringLiteral("Birne"));
    EXPECT_EQ(t.RowCount(), 4);
    EXPECT_EQ(t.Cell(3, 0), QStringLiteral("Birne"));
    ASSERT_TRUE(t.SetCell(3, 1, QStringLiteral("pear")));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Birne")), QStringLiteral("pear"));
    EXPECT_EQ(t.BucketSize(TranslationTable::BucketOf(QStringLiteral("B"))), 3);
}

TEST_F(Lookup, EditedGermanCellKeepsTheOldKeyUntilTheNextStart)
{
    start({{"Menge", "Quantity"}});
    ASSERT_TRUE(t.SetCell(0, 0, QStringLiteral("Anzahl")));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Menge")), QStringLiteral("Quantity"));
    ASSERT_TRUE(t.SaveTranslations());
    TranslationTable next;
    next.InitTranslations(path());
    next.language = 1;
    EXPECT_EQ(next.TranslateStr(QStringLiteral("Anzahl")), QStringLiteral("Quantity"));
    EXPECT_EQ(next.TranslateStr(QStringLiteral("Menge")), QStringLiteral("Menge"));
    EXPECT_EQ(next.RowCount(), 2);
}

TEST(LookupGlobal, FreeFunctionsUseTheProgramTable)
{
    QTemporaryDir dir;
    InitTranslations(dir.filePath(QStringLiteral("translate.dat")));
    SetCurrentLanguage(1);
    EXPECT_EQ(CurrentLanguage(), 1);
    RegisterMessages();
    EXPECT_EQ(Translations().RowCount(), 16);
    Translations().SetCell(2, 1, QStringLiteral("Translate"));
    EXPECT_EQ(GetMsgText(3), QStringLiteral("Translate"));
    EXPECT_EQ(TranslateStr(QString::fromUtf8(" Übersetzen")), QStringLiteral(" Translate"));
    InitTranslations(QString());
    SetCurrentLanguage(0);
}

} // namespace
