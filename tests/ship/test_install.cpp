// The installed program: `cmake --install` into a temporary prefix, then the
// installed binary started from its read-only program directory. Its user
// files (options.dat, translate.dat) must then live in the user's
// configuration directory, the shipped translate.dat must be copied there at
// the first start, and the shipped paper.jpg must be found from elsewhere.
//
// Run as root, permission bits do not stop writes, so the program is then
// started as the user "nobody" (setpriv); without cmake or setpriv the test
// fails rather than proving nothing.
#include "i18n/translateunit.h"
#include "shiptest.h"
#include "testutil.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

QByteArray int32le(int32_t v)
{
    return QByteArray(reinterpret_cast<const char *>(&v), 4); // little-endian machine
}

class Installed : public ::testing::Test {
protected:
    void SetUp() override
    {
        cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
        if (cmake.isEmpty())
            FAIL() << "cmake is not on the PATH";
        asRoot = geteuid() == 0;
        if (asRoot) {
            setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
            if (setpriv.isEmpty())
                FAIL() << "running as root without setpriv (util-linux): a read-only program directory cannot be shown";
        }
        ASSERT_TRUE(tmp.isValid());
        root = tmp.path();
        prefix = root + "/prefix";
        home = root + "/home";
        cfg = home + "/.config";
        work = root + "/work";
        ASSERT_TRUE(QDir().mkpath(cfg) && QDir().mkpath(work));
        // Readable for the user the program runs as; home and work writable.
        ::chmod(root.toLocal8Bit().constData(), 0755);
        if (asRoot) {
            for (const QString &d : {home, cfg, work})
                ASSERT_EQ(::chown(d.toLocal8Bit().constData(), kNobody, kNobody), 0);
        }

        const auto r = shiptest::run(cmake, {"--install", QStringLiteral(VELLORAN_BINARY_DIR), "--prefix", prefix});
        ASSERT_TRUE(r.finished && r.exitCode == 0) << r.out.toStdString() << r.err.toStdString();
        bin = prefix + "/bin";
        data = prefix + "/share/velloran";
        // The program directory of an installed program is not writable.
        ASSERT_EQ(::chmod(bin.toLocal8Bit().constData(), 0555), 0);
    }

    shiptest::Run runInstalled(const QStringList &args, const QString &locale = QStringLiteral("C.UTF-8"))
    {
        QProcessEnvironment env = shiptest::headlessEnv();
        // An empty locale: no language setting at all, as under cron.
        for (const char *var : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
            env.remove(QLatin1String(var));
        if (!locale.isEmpty())
            env.insert("LC_ALL", locale);
        env.insert("HOME", home);
        env.insert("XDG_CONFIG_HOME", cfg);
        env.remove("XDG_DATA_HOME");
        QString program = bin + "/velloran";
        QStringList all = args;
        if (asRoot) {
            all = QStringList{"--reuid=" + QString::number(kNobody), "--regid=" + QString::number(kNobody),
                              "--clear-groups", "--", program} + args;
            program = setpriv;
        }
        return shiptest::run(program, all, env, work);
    }

    // Files in a directory tree, relative to it.
    static QStringList listing(const QString &dir)
    {
        QStringList files;
        QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(dir).relativeFilePath(it.next());
        files.sort();
        return files;
    }

    QString cmake, setpriv;
    bool asRoot = false;
    QTemporaryDir tmp;
    QString root, prefix, home, cfg, work, bin, data;
};

} // namespace

TEST_F(Installed, PlacesTheProgramAndItsFiles)
{
    const QStringList files = listing(prefix);
    for (const char *f : {"bin/velloran", "share/velloran/paper.jpg", "share/velloran/translate.dat",
                          "share/velloran/examples/restaurant.vlr", "share/applications/velloran.desktop",
                          "share/mime/packages/velloran.xml", "share/icons/hicolor/scalable/apps/velloran.svg",
                          "share/icons/hicolor/48x48/apps/velloran.png"})
        EXPECT_TRUE(files.contains(QString::fromLatin1(f))) << f << " missing; installed: "
                                                            << files.join(' ').toStdString();
    EXPECT_EQ(testutil::readFile(data + "/examples/restaurant.vlr"), testutil::readFile(shiptest::exampleCard()));
    // Nothing for tests, benchmarks or build tools lands in bin/.
    EXPECT_EQ(QDir(bin).entryList(QDir::Files), QStringList{"velloran"});
}

TEST_F(Installed, UserFilesGoToTheConfigurationDirectory)
{
    const QString userDir = cfg + "/Velloran";
    const QString card = data + "/examples/restaurant.vlr";

    // First start, no options yet, a locale of no language of the program:
    // the interface language is the default (Swedish), whose words come
    // only from the shipped table.
    auto r = runInstalled({"--export-csv", work + "/first.csv", card}, QStringLiteral("it_IT.UTF-8"));
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    // The program directory stayed as installed.
    EXPECT_EQ(QDir(bin).entryList(QDir::Files | QDir::Hidden), QStringList{"velloran"});
    // The shipped table was copied to the user's directory, row for row.
    ASSERT_TRUE(QFileInfo::exists(userDir + "/translate.dat"))
        << "user files: " << listing(home).join(' ').toStdString();
    TranslationTable shipped, copied;
    shipped.InitTranslations(data + "/translate.dat");
    copied.InitTranslations(userDir + "/translate.dat");
    ASSERT_GT(shipped.RowCount(), 20);
    ASSERT_GE(copied.RowCount(), shipped.RowCount());
    for (int row = 0; row < shipped.RowCount(); ++row)
        for (int col = 0; col < 5; ++col)
            ASSERT_EQ(copied.Cell(row, col), shipped.Cell(row, col)) << "row " << row << " column " << col;
    EXPECT_TRUE(testutil::readFile(work + "/first.csv").startsWith("\"Kategori\","));
    // Still no options.dat: without any language setting, or with the C
    // locale, the program speaks German.
    for (const QString &none : {QString(), QStringLiteral("C.UTF-8"), QStringLiteral("POSIX")}) {
        r = runInstalled({"--export-csv", work + "/nolocale.csv", card}, none);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(testutil::readFile(work + "/nolocale.csv").startsWith("\"Kategorie\","))
            << none.toStdString() << ": " << testutil::readFile(work + "/nolocale.csv").left(40).toStdString();
    }
    // An English system locale chooses English.
    r = runInstalled({"--export-csv", work + "/locale.csv", card}, QStringLiteral("en_GB.UTF-8"));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(testutil::readFile(work + "/locale.csv").startsWith("\"Category\","));

    // The language is read from options.dat in the user's directory.
    ASSERT_TRUE(testutil::writeFile(userDir + "/options.dat", int32le(1)));
    if (asRoot)
        ASSERT_EQ(::chown((userDir + "/options.dat").toLocal8Bit().constData(), kNobody, kNobody), 0);
    r = runInstalled({"--export-csv", work + "/english.csv", card});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(testutil::readFile(work + "/english.csv").startsWith("\"Category\",\""))
        << testutil::readFile(work + "/english.csv").left(80).toStdString();

    // A translation the user made in the editor (the copy, not the shipped
    // table) is the one used.
    TranslationTable edited;
    edited.InitTranslations(userDir + "/translate.dat");
    bool changedOne = false;
    for (int row = 0; row < edited.RowCount(); ++row) {
        if (edited.Cell(row, 0) == QStringLiteral("Kategorie")) {
            edited.SetCell(row, 1, QStringLiteral("Section"));
            changedOne = edited.SaveTranslations();
        }
    }
    ASSERT_TRUE(changedOne);
    if (asRoot)
        ASSERT_EQ(::chown((userDir + "/translate.dat").toLocal8Bit().constData(), kNobody, kNobody), 0);
    r = runInstalled({"--export-csv", work + "/edited.csv", card});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(testutil::readFile(work + "/edited.csv").startsWith("\"Section\","));
    EXPECT_EQ(QDir(bin).entryList(QDir::Files | QDir::Hidden), QStringList{"velloran"});
}

TEST_F(Installed, FindsTheShippedPaperFromAnyFolder)
{
    // The example names "paper.jpg" without a folder; the working folder has
    // none, so the installed one must be found. The corner of the page,
    // outside the frame, then shows the texture instead of plain white.
    ASSERT_FALSE(QFileInfo::exists(work + "/paper.jpg"));
    const auto r = runInstalled({"--export-png", work + "/page", data + "/examples/restaurant.vlr", "--page", "1",
                                 "--dpi", "50"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage page(work + "/page-1.png");
    ASSERT_FALSE(page.isNull());
    int tinted = 0;
    for (int y = 4; y < 24; ++y)
        for (int x = 4; x < 24; ++x)
            tinted += page.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(tinted, 20);
}
