// Where the user files may go: never into the directory the program is
// installed to, even when it can be written (root and /usr/bin).
#include "catalogue/appfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "testutil.h"

TEST(AppFiles, InstalledProgramDirectoryNeverHoldsUserFiles)
{
    QTemporaryDir writable;
    ASSERT_TRUE(writable.isValid());
    EXPECT_TRUE(appfiles::ProgramDirHoldsUserFiles(writable.path()));

    const QString installed = QStringLiteral(VELLORAN_BIN_DIR);
    if (!QDir(installed).exists())
        GTEST_SKIP() << installed.toStdString() << " does not exist";
    if (!testutil::runningAsRoot())
        GTEST_SKIP() << "only root can write to " << installed.toStdString() << "; the case needs root";
    EXPECT_FALSE(appfiles::ProgramDirHoldsUserFiles(installed));
    EXPECT_FALSE(appfiles::ProgramDirHoldsUserFiles(installed + "/"));
}

// The installer's marker next to the program sends the user files to the per-user
// directory, however writable the program's folder is; a portable copy without the
// marker keeps them beside itself.
TEST(AppFiles, InstalledMarkerSendsUserFilesToTheUserDirectory)
{
    QTemporaryDir prog;
    ASSERT_TRUE(prog.isValid());
    EXPECT_TRUE(appfiles::ProgramDirHoldsUserFiles(prog.path()));
    QFile marker(prog.filePath(QStringLiteral("installed")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    EXPECT_FALSE(appfiles::ProgramDirHoldsUserFiles(prog.path()));
    EXPECT_FALSE(appfiles::ProgramDirHoldsUserFiles(prog.path() + "/"));
    // Only that name counts.
    ASSERT_TRUE(QFile::rename(marker.fileName(), prog.filePath(QStringLiteral("installed.txt"))));
    EXPECT_TRUE(appfiles::ProgramDirHoldsUserFiles(prog.path()));
}
