// The about box states the program's licence, the same one the LICENSE file, the
// Debian copyright file and the AppStream metadata give.
#include "app/AboutBox.h"
#include "catalogue/platform.h"
#include "testutil.h"

#include <QLabel>
#include <gtest/gtest.h>

TEST(AboutBox, NamesTheLicenceAndTheFontsOfThisPlatform)
{
    TAboutBox about;
    auto *notices = about.findChild<QLabel *>(QStringLiteral("Notices"));
    ASSERT_NE(notices, nullptr);
    EXPECT_TRUE(notices->text().contains(QStringLiteral("GNU General Public License, version 3 or")));
    EXPECT_TRUE(notices->text().contains(QStringLiteral("GPL-3.0-or-later")));
    EXPECT_TRUE(notices->text().endsWith(platform::FontNotice()));

    const QString root = QStringLiteral(VELLORAN_SOURCE_DIR "/");
    const QByteArray licence = testutil::readFile(root + QStringLiteral("LICENSE"));
    EXPECT_TRUE(licence.contains("GNU GENERAL PUBLIC LICENSE"));
    EXPECT_TRUE(licence.contains("Version 3, 29 June 2007"));
    EXPECT_TRUE(testutil::readFile(root + QStringLiteral("debian/copyright")).contains("License: GPL-3+\n"));
    EXPECT_TRUE(testutil::readFile(root + QStringLiteral("data/velloran.metainfo.xml"))
                    .contains("<project_license>GPL-3.0-or-later</project_license>"));
}

// Qt and the picture libraries with their versions, as --version names them; listed once
// the box is shown.
TEST(AboutBox, NamesQtAndThePictureLibraries)
{
    TAboutBox about;
    about.show();
    auto *libraries = about.findChild<QLabel *>(QStringLiteral("Libraries"));
    ASSERT_NE(libraries, nullptr);
    const QString text = libraries->text();
    EXPECT_TRUE(text.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion()))) << text.toStdString();
    for (const QString &library : platform::LibraryVersions())
        EXPECT_TRUE(text.contains(library)) << library.toStdString();
    EXPECT_TRUE(libraries->isVisible());
}
