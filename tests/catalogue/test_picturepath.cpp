// Which picture names from a document are opened: local files only, no network or
// device paths, by the rules of each platform (the rules are string logic and hold
// the same on either build).
#include "catalogue/picturepath.h"
#include "catalogue/platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char *path;
    bool linuxLocal;
    bool windowsLocal;
};

} // namespace

TEST(PicturePath, NetworkAndDevicePathsAreRefusedByEachPlatformsRules)
{
    const Case cases[] = {
        // Network names, in either spelling.
        {R"(\\host\share\x.png)", false, false},
        {R"(\\127.0.0.1\share\x.png)", false, false},
        {"//host/share/x.png", true, false}, // /host/share/x.png on Linux
        {"//host/x", true, false},
        {R"(\/host\x.png)", false, false},
        // Device and object manager paths.
        {R"(\\?\C:\x)", false, false},
        {R"(\\?\UNC\host\share\x.png)", false, false},
        {R"(\\.\pipe\x)", false, false},
        {"//./pipe/x", true, false},
        {R"(\??\C:\x.png)", true, false},
        {"NUL", true, false},
        {"nul.png", true, false},
        {R"(C:\bilder\com1.jpg)", true, false},
        {"LPT9 .bmp", true, false},
        {"C:CON", true, false},
        {"CONOUT$", true, false},
        // The Linux device trees, also reached through "..", and as Wine shows them.
        {"/dev/zero", false, false},
        {"/dev", false, false},
        {"/proc/self/mem", false, false},
        {"/sys/x", false, false},
        {"/tmp/../dev/zero", false, false},
        {"///dev//zero", false, false},
        {"/../../dev/./zero", false, false},
        {"/tmp/./x/../../proc/self/mem", false, false},
        {R"(\dev\zero)", true, false},
        {"/DEV/zero", true, false},
        // Local pictures.
        {"paper.jpg", true, true},
        {"bilder/x.png", true, true},
        {"bilder/../paper.jpg", true, true},
        {"/dev/../tmp/x.png", true, true},
        {R"(C:\pics\x.png)", true, true},
        {"C:/pics/x.png", true, true},
        {"/home/wirt/bilder/x.png", true, true},
        {"/device/x.png", true, true},
        {"/tmp/sys.png", true, true},
        {R"(C:\dev\x.png)", true, true},
        {"console.png", true, true},
        {"com10.png", true, true},
        {"", true, true},
    };
    for (const Case &c : cases) {
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(IsLocalPicturePath(path, PathRules::Linux), c.linuxLocal) << "Linux: " << c.path;
        EXPECT_EQ(IsLocalPicturePath(path, PathRules::Windows), c.windowsLocal) << "Windows: " << c.path;
    }
}

// The file check makes a relative name absolute against the current folder and follows
// links to where they lead; a local picture passes.
TEST(PicturePath, RelativeNamesAndLinksAreJudgedWhereTheyLead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_TRUE(IsLocalPictureFile(QStringLiteral("paper.jpg")));
    EXPECT_TRUE(IsLocalPictureFile(dir.filePath(QStringLiteral("bilder/x.png"))));
    if (platform::PicturePathRules() == PathRules::Linux) {
        // From a folder this deep, enough ".." reach the root.
        EXPECT_FALSE(IsLocalPictureFile(QStringLiteral("../../../../../../../../../../dev/zero")));
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("bild.png"))));
        EXPECT_FALSE(IsLocalPictureFile(QStringLiteral("bild.png")));
        EXPECT_FALSE(IsLocalPictureFile(dir.filePath(QStringLiteral("bild.png"))));
    } else {
        EXPECT_FALSE(IsLocalPictureFile(QStringLiteral(R"(\\127.0.0.1\share\x.png)")));
    }
    QDir::setCurrent(old);
}
