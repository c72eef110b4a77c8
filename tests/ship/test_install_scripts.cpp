// The install scripts' change of apt's package sources, run on copies of apt
// configurations in a temporary folder (VELLORAN_APT_DIR), never on the
// machine's own.
#include "shiptest.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AptDebSrc : public ::testing::Test {
protected:
    QTemporaryDir apt;
    QString path(const QString &name) const { return apt.filePath(name); }

    void SetUp() override { ASSERT_TRUE(QDir(apt.path()).mkpath("sources.list.d")); }

    // Runs the script on the copy; its standard output.
    QByteArray addDebSrc()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELLORAN_APT_DIR", apt.path());
        env.insert("SUDO", "");
        const auto r = shiptest::run("bash", {QStringLiteral(VELLORAN_SOURCE_DIR "/scripts/apt-deb-src.sh")}, env);
        EXPECT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.out;
    }
};

} // namespace

TEST_F(AptDebSrc, Deb822EntriesGetDebSrcInTheirTypesOnce)
{
    // A machine behind a mirror, on another release, with the file an
    // earlier version of the script wrote (Debian's own host).
    const QByteArray mirror = "Types: deb\n"
                              "# the local mirror\n"
                              "URIs: http://spiegel.intern/debian\n"
                              "Suites: trixie trixie-updates\n"
                              "Components: main contrib\n"
                              "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n"
                              "\n"
                              "Types: deb \n"
                              "URIs: http://spiegel.intern/debian-security\n"
                              "Suites: trixie-security\n"
                              "Components: main\n"
                              "\n"
                              "Types: deb deb-src\n"
                              "URIs: http://spiegel.intern/extra\n"
                              "Suites: trixie\n"
                              "Components: main\n";
    ASSERT_TRUE(testutil::writeFile(path("sources.list.d/debian.sources"), mirror));
    ASSERT_TRUE(testutil::writeFile(path("sources.list.d/velloran-deb-src.sources"),
                                    "Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\n"
                                    "Components: main\n"));
    ASSERT_TRUE(testutil::writeFile(path("sources.list.d/quellen.sources"),
                                    "Types: deb-src\nURIs: http://spiegel.intern/other\nSuites: trixie\n"
                                    "Components: main\n"));

    EXPECT_EQ(addDebSrc(), "changed\n");
    QByteArray expected = mirror;
    expected.replace("Types: deb\n", "Types: deb deb-src\n").replace("Types: deb \n", "Types: deb deb-src\n");
    EXPECT_EQ(testutil::readFile(path("sources.list.d/debian.sources")), expected);
    // Only sources: left as they are. The old file naming a host is gone.
    EXPECT_EQ(testutil::readFile(path("sources.list.d/quellen.sources")).left(15), "Types: deb-src\n");
    EXPECT_FALSE(QFile::exists(path("sources.list.d/velloran-deb-src.sources")));

    // Again: nothing changes.
    EXPECT_EQ(addDebSrc(), "");
    EXPECT_EQ(testutil::readFile(path("sources.list.d/debian.sources")), expected);
}

TEST_F(AptDebSrc, OneLineEntriesGetAMatchingDebSrcLineOnce)
{
    const QByteArray list = "deb http://ftp.de.debian.org/debian/ trixie main contrib\n"
                            "# deb http://ausgeschaltet.example/debian trixie main\n"
                            "deb  [arch=amd64]  http://security.debian.org/debian-security trixie-security main\n"
                            "deb-src [arch=amd64] http://security.debian.org/debian-security trixie-security main\n";
    ASSERT_TRUE(testutil::writeFile(path("sources.list"), list));
    ASSERT_TRUE(testutil::writeFile(path("sources.list.d/extra.list"), "deb http://spiegel.intern/extra trixie main\n"));

    EXPECT_EQ(addDebSrc(), "changed\n");
    EXPECT_EQ(testutil::readFile(path("sources.list")),
              "deb http://ftp.de.debian.org/debian/ trixie main contrib\n"
              "deb-src http://ftp.de.debian.org/debian/ trixie main contrib\n"
              "# deb http://ausgeschaltet.example/debian trixie main\n"
              "deb  [arch=amd64]  http://security.debian.org/debian-security trixie-security main\n"
              "deb-src [arch=amd64] http://security.debian.org/debian-security trixie-security main\n");
    EXPECT_EQ(testutil::readFile(path("sources.list.d/extra.list")),
              "deb http://spiegel.intern/extra trixie main\ndeb-src http://spiegel.intern/extra trixie main\n");
    EXPECT_EQ(addDebSrc(), "");

    // The scripts name no host and no release of their own.
    for (const char *script : {"/scripts/apt-deb-src.sh", "/scripts/install-windows-deps.sh"}) {
        const QByteArray text = testutil::readFile(QStringLiteral(VELLORAN_SOURCE_DIR) + script);
        ASSERT_FALSE(text.isEmpty()) << script;
        for (const char *named : {"http://", "https://", "bookworm", "trixie"})
            EXPECT_FALSE(text.contains(named)) << script << " names " << named;
    }
}
