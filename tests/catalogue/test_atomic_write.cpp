#include "catalogue/brastel.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
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
