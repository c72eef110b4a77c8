// options.dat: the language index, 4 bytes, default 4.
#include "catalogue/options.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class OptionsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("options.dat")); }
};

TEST_F(OptionsFile, MissingShortOrUnopenableFileGivesSwedish)
{
    bool found = true;
    EXPECT_EQ(LoadOptionsFile(path(), &found), 4);
    EXPECT_FALSE(found);
    EXPECT_FALSE(QFile::exists(path())) << "reading must not create the file";

    ASSERT_TRUE(testutil::writeFile(path(), QByteArray("\x01\x00\x00", 3)));
    found = true;
    EXPECT_EQ(LoadOptionsFile(path(), &found), 4);
    EXPECT_FALSE(found);

    // A folder in its place cannot be opened for reading and writing.
    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("options.dat")));
    EXPECT_EQ(LoadOptionsFile(path(), &found), 4);
    EXPECT_FALSE(found);
}

TEST_F(OptionsFile, WriteProtectedFileCountsAsMissing)
{
    ASSERT_TRUE(testutil::writeFile(path(), QByteArray("\x00\x00\x00\x00", 4)));
    // The folder is open to everyone, the file writable for nobody; the
    // superuser may write anyway, so it reads and saves as an ordinary user.
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    ASSERT_TRUE(QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadOther));
    bool found = true;
    int language = -1;
    bool saved = true;
    ASSERT_TRUE(testutil::runUnprivileged([&] {
        language = LoadOptionsFile(path(), &found);
        saved = SaveOptionsFile(path(), 1);
    }));
    EXPECT_EQ(language, 4);
    EXPECT_FALSE(found);
    EXPECT_FALSE(saved);
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(testutil::readFile(path()), QByteArray("\x00\x00\x00\x00", 4));
}

TEST_F(OptionsFile, StoredNumberIsReadUncheckedLittleEndian)
{
    bool found = false;
    ASSERT_TRUE(testutil::writeFile(path(), QByteArray("\x00\x00\x00\x00", 4)));
    EXPECT_EQ(LoadOptionsFile(path(), &found), 0);
    EXPECT_TRUE(found);
    ASSERT_TRUE(testutil::writeFile(path(), QByteArray("\x07\x01\x00\x00\xff", 5)));
    EXPECT_EQ(LoadOptionsFile(path(), &found), 0x107);
    ASSERT_TRUE(testutil::writeFile(path(), QByteArray("\xff\xff\xff\xff", 4)));
    EXPECT_EQ(LoadOptionsFile(path(), &found), -1);
}

TEST_F(OptionsFile, SavedFileIsExactlyFourBytesAndReadsBack)
{
    ASSERT_TRUE(SaveOptionsFile(path(), 4));
    EXPECT_EQ(testutil::readFile(path()), QByteArray("\x04\x00\x00\x00", 4));
    // A longer old file is replaced, not overwritten in part.
    ASSERT_TRUE(testutil::writeFile(path(), QByteArray(64, 'x')));
    ASSERT_TRUE(SaveOptionsFile(path(), 1));
    EXPECT_EQ(testutil::readFile(path()), QByteArray("\x01\x00\x00\x00", 4));
    bool found = false;
    EXPECT_EQ(LoadOptionsFile(path(), &found), 1);
    EXPECT_TRUE(found);
    EXPECT_FALSE(SaveOptionsFile(dir.filePath(QStringLiteral("no/such/folder/options.dat")), 2));
}

} // namespace

TEST(FirstStartLanguage, LanguageOfTheLocale)
{
    EXPECT_EQ(LanguageOfLocale(QLocale("de_AT")), 0);
    EXPECT_EQ(LanguageOfLocale(QLocale("en_US")), 1);
    EXPECT_EQ(LanguageOfLocale(QLocale("fr_CA")), 2);
    EXPECT_EQ(LanguageOfLocale(QLocale("nl_NL")), 3);
    EXPECT_EQ(LanguageOfLocale(QLocale("sv_FI")), 4);
    EXPECT_EQ(LanguageOfLocale(QLocale("it_IT")), 4);
    EXPECT_EQ(LanguageOfLocale(QLocale::c()), 4);
}
