// Where the user files may go: never into the directory the program is
// installed to, even when it can be written (root and /usr/bin).
#include "catalogue/appfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

TEST(AppFiles, InstalledProgramDirectoryNeverHoldsUserFiles)
{
    QTemporaryDir writable;
    ASSERT_TRUE(writable.isValid());
    EXPECT_TRUE(appfiles::ProgramDirHoldsUserFiles(writable.path()));

    const QString installed = QStringLiteral(VELLORAN_BIN_DIR);
    if (!QDir(installed).exists())
        GTEST_SKIP() << installed.toStdString() << " does not exist";
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can write to " << installed.toStdString() << "; the case needs root";
    EXPECT_FALSE(appfiles::ProgramDirHoldsUserFiles(installed));
    EXPECT_FALSE(appfiles::ProgramDirHoldsUserFiles(installed + "/"));
}
