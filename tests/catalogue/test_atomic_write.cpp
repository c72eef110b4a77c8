#include "catalogue/brastel.h"
#include "catalogue/platform.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Both ways of writing (forced onto the disk or not) replace the file whole,
// keep its permissions, leave no temporary file behind and leave the old
// file as it was when the folder does not exist.
TEST(AtomicWrite, ReplacesWholeKeepsPermissionsLeavesNothingBehind)
{
    for (bool sync : {true, false}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("table.dat");
        ASSERT_TRUE(WriteFileAtomically(path, "first version, longer", nullptr, sync));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_TRUE(WriteFileAtomically(path, "second", nullptr, sync));
        EXPECT_EQ(testutil::readFile(path), QByteArray("second"));
        EXPECT_EQ(QFile::permissions(path) & (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther),
                  QFile::ReadOwner | QFile::WriteOwner)
            << sync;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"table.dat"}) << sync;

        QString error;
        EXPECT_FALSE(WriteFileAtomically(dir.filePath("missing/table.dat"), "x", &error, sync));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(testutil::readFile(path), QByteArray("second"));
    }
}

// A file the user may not write stays as it is, and a symbolic link is
// written through: the file it names gets the data, the link stays a link.
TEST(AtomicWrite, RefusesWriteProtectedFilesAndWritesThroughLinks)
{
    for (bool sync : {true, false}) {
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)); // open to everyone
        const QString locked = dir.filePath("locked.dat");
        ASSERT_TRUE(testutil::writeFile(locked, "old"));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadOther);
        bool written = true;
        QString error;
        ASSERT_TRUE(testutil::runUnprivileged([&] { written = WriteFileAtomically(locked, "new", &error, sync); }));
        EXPECT_FALSE(written) << sync;
        EXPECT_FALSE(error.isEmpty()) << sync;
        EXPECT_EQ(testutil::readFile(locked), QByteArray("old")) << sync;

        ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
        const QString real = dir.filePath("real/table.dat");
        ASSERT_TRUE(testutil::writeFile(real, "old"));
        const QString link = dir.filePath("table.dat");
        ASSERT_TRUE(QFile::link("real/table.dat", link));
        ASSERT_TRUE(WriteFileAtomically(link, "through the link", nullptr, sync));
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << sync;
        EXPECT_EQ(testutil::readFile(real), QByteArray("through the link")) << sync;
        EXPECT_EQ(QDir(dir.filePath("real")).entryList(QDir::Files | QDir::Hidden), QStringList{"table.dat"});

        // A loop of links, and a chain longer than the system follows: the
        // write fails and says so, and the link is not replaced by a file.
        ASSERT_TRUE(QFile::link("loop-b", dir.filePath("loop-a")));
        ASSERT_TRUE(QFile::link("loop-a", dir.filePath("loop-b")));
        for (int i = 0; i < 60; ++i)
            ASSERT_TRUE(QFile::link(i == 59 ? QStringLiteral("real/table.dat") : QStringLiteral("chain%1").arg(i + 1),
                                    dir.filePath(QStringLiteral("chain%1").arg(i))));
        for (const char *name : {"loop-a", "chain0"}) {
            SCOPED_TRACE(name);
            QString why;
            EXPECT_FALSE(WriteFileAtomically(dir.filePath(name), "lost", &why, sync)) << sync;
            EXPECT_FALSE(why.isEmpty());
            EXPECT_TRUE(QFileInfo(dir.filePath(name)).isSymLink()) << sync;
        }
        EXPECT_EQ(testutil::readFile(real), QByteArray("through the link")) << sync;
    }
}

// A new file gets what the umask leaves of 0666, as every program's files
// do, both ways of writing; a file of the user's alone (a recovery copy) is
// 0600 whatever the umask, also when it replaces a file open to others.
TEST(AtomicWrite, NewFilesFollowTheUmaskAndPrivateOnesAreTheUsersAlone)
{
    for (unsigned mask : {0022u, 0027u, 0077u, 0u}) {
        testutil::UmaskScope umask(mask);
        ASSERT_TRUE(umask.active());
        SCOPED_TRACE("umask " + testutil::octal(mask));
        QTemporaryDir dir;
        for (bool sync : {true, false}) {
            const QString path = dir.filePath(sync ? "synced.dat" : "table.dat");
            ASSERT_TRUE(WriteFileAtomically(path, "new", nullptr, sync));
            EXPECT_EQ(testutil::fileMode(path), testutil::octal(0666 & ~mask)) << sync;
        }
        // The mode is the file's from its creation, before a byte is written.
        for (bool ownerOnly : {true, false}) {
            QFile created(dir.filePath(ownerOnly ? "private.new" : "shared.new"));
            ASSERT_TRUE(platform::CreateNewFile(created, ownerOnly));
            EXPECT_EQ(testutil::fileMode(created.fileName()), ownerOnly ? "0600" : testutil::octal(0666 & ~mask));
            created.close();
            created.remove();
        }
        const QString copy = dir.filePath("copy.vlr");
        ASSERT_TRUE(WriteFileAtomically(copy, "copy", nullptr, false, true));
        EXPECT_EQ(testutil::fileMode(copy), "0600");
        QFile::setPermissions(copy, QFileDevice::Permissions(0x6644));
        ASSERT_TRUE(WriteFileAtomically(copy, "second copy", nullptr, false, true));
        EXPECT_EQ(testutil::fileMode(copy), "0600");
        EXPECT_EQ(testutil::readFile(copy), QByteArray("second copy"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3) << "a temporary file stayed";
    }
}
