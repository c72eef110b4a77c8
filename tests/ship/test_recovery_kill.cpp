// The program killed with a modified document: the next start offers the
// recovery copy, and restoring it gives the document that was on screen.
// Runs the built program on a virtual X display (Xvfb) and drives it with
// xdotool by keyboard; both are dependencies (scripts/install-deps.sh), so
// the test fails where either is missing. It waits for what it needs to see
// (the display's number, window titles, files), never for a fixed time. The
// recovery interval is set to one second through VELLORAN_RECOVERY_SECONDS.
#include "catalogue/document.h"
#include "shiptest.h"
#include "testutil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#ifdef __linux__
#include <csignal>
#include <unistd.h>
#endif

namespace {

// An X server of the test's own. Xvfb picks a free display number itself and
// writes it to its standard output (-displayfd) only once it accepts
// clients; what it says besides goes to a file, shown when something fails.
// -noreset: by default the server resets whenever its last client leaves,
// and a client that connects during that reset is turned away ("could not
// connect to display"). Each xdotool call below is such a short client, and
// the program may connect just as one of them leaves.
struct XvfbDisplay {
    QProcess xvfb;
    QString name;
    QString log;
    bool start(const QString &logFile)
    {
        log = logFile;
        xvfb.setStandardErrorFile(log);
        xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-noreset", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!xvfb.waitForStarted(30000))
            return false;
        QByteArray out;
        while (!out.contains('\n')) {
            // Either the number comes or the server ends; the deadline only
            // keeps a hung server from holding the suite.
            if (!xvfb.waitForReadyRead(60000))
                return false;
            out += xvfb.readAllStandardOutput();
        }
        bool ok = false;
        const int n = out.trimmed().toInt(&ok);
        if (!ok)
            return false;
        name = QStringLiteral(":%1").arg(n);
        return true;
    }
    std::string output() const
    {
        return ("  Xvfb's output:\n" + testutil::readFile(log).right(4000)).toStdString();
    }
    ~XvfbDisplay()
    {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }
};

// xdotool on the display; its standard output.
QByteArray xdo(const QString &display, const QStringList &args, int timeoutMs = 60000)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xdotool"), args);
    p.waitForFinished(timeoutMs);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
        return QByteArray();
    }
    return p.readAllStandardOutput().trimmed();
}

// Deadlines only: a step that has not happened by then is taken as never.
#ifdef VELLORAN_SANITIZED_BUILD
constexpr int kStartMs = 180000; // the instrumented program starts slowly on a loaded machine
#else
constexpr int kStartMs = 60000;
#endif

// The first window whose name matches the pattern, waited for.
QByteArray waitWindow(const QString &display, const QString &pattern, int timeoutMs = kStartMs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        const QByteArray ids = xdo(display, {"search", "--onlyvisible", "--name", pattern});
        if (!ids.isEmpty())
            return ids.split('\n').first();
        QThread::msleep(200);
    }
    return QByteArray();
}

// What is on the screen and what the program printed: said when a window
// does not come.
std::string diagnosis(const XvfbDisplay &display, const QString &log)
{
    QByteArray names;
    const QByteArray ids = xdo(display.name, {"search", "--onlyvisible", "--name", "."});
    for (const QByteArray &id : ids.split('\n'))
        if (!id.isEmpty())
            names += "  window: " + xdo(display.name, {"getwindowname", QString::fromLatin1(id)}) + '\n';
    return (names + "  program's output:\n" + testutil::readFile(log).right(4000)).toStdString() + display.output();
}

void killProgram(QProcess &p)
{
    ::kill(pid_t(p.processId()), SIGKILL);
    p.waitForFinished(10000);
}

} // namespace

TEST(RecoveryAfterKill, NextStartOffersWhatWasOnScreen)
{
#ifndef __linux__
    GTEST_SKIP() << "needs SIGKILL";
#else
    for (const char *tool : {"Xvfb", "xdotool"})
        ASSERT_FALSE(QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            << tool << " is missing (scripts/install-deps.sh installs it)";
    QTemporaryDir dir;
    XvfbDisplay display;
    ASSERT_TRUE(display.start(dir.filePath("xvfb.log"))) << "Xvfb gave no display\n" << display.output();

    const QString doc = dir.filePath("karte.vlr");
    ASSERT_TRUE(QFile::copy(shiptest::exampleCard(), doc));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display.name);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    // No print server: the window starts the same whatever printers the
    // machine has or is still looking for.
    env.insert("CUPS_SERVER", dir.filePath("no-cups.sock"));
    env.insert("VELLORAN_RECOVERY_SECONDS", "1");
    const QString recoveryDir = dir.filePath("data/Velloran/recovery");

    // What the screen will show: the example card with its first category
    // renamed (its settings as the program holds them, compared apart).
    DocumentData expected;
    ASSERT_TRUE(LoadDocumentFile(doc, CardSettings(), expected, nullptr));
    expected.categoryNames[0] = "Geaendert";
    const QByteArray expectedCatalogue = WriteDocument(expected.categoryNames, *expected.catalogue, CardSettings());
    auto catalogueOf = [](const QByteArray &bytes) {
        DocumentData d;
        if (!ReadDocument(bytes, CardSettings(), d, nullptr))
            return QByteArray();
        return WriteDocument(d.categoryNames, *d.catalogue, CardSettings());
    };
    auto settingsOf = [](const QByteArray &bytes) {
        DocumentData d;
        ReadDocument(bytes, CardSettings(), d, nullptr);
        return d.settings;
    };

    QProcess first;
    first.setProcessEnvironment(env);
    // Into a file: a pipe nobody reads would stop the program once full.
    first.setProcessChannelMode(QProcess::MergedChannels);
    first.setStandardOutputFile(dir.filePath("first.log"));
    first.start(shiptest::builtProgram(), {doc});
    ASSERT_TRUE(first.waitForStarted(10000));
    const QByteArray win = waitWindow(display.name, "karte.vlr\\]");
    ASSERT_FALSE(win.isEmpty()) << "no main window\n" << diagnosis(display, dir.filePath("first.log"));
    // The first category is selected after opening. Tab takes the keyboard
    // focus from the tab bar to the category list, and F2 opens the row's
    // editor. X delivers the keys in order, so each one reaches the widget
    // the one before it focused or opened.
    xdo(display.name, {"windowfocus", "--sync", QString::fromLatin1(win)});
    xdo(display.name, {"key", "Tab", "F2", "ctrl+a"});
    xdo(display.name, {"type", "Geaendert"});
    xdo(display.name, {"key", "Return"});
    ASSERT_FALSE(waitWindow(display.name, "karte.vlr\\*\\]").isEmpty())
        << "the rename did not land\n" << diagnosis(display, dir.filePath("first.log"));

    // Wait for the copy to hold the change, then kill the program.
    QElapsedTimer t;
    t.start();
    QByteArray copy;
    QString copyPath;
    while (t.elapsed() < kStartMs) {
        const QStringList found = QDir(recoveryDir).entryList({"*.vlr"}, QDir::Files);
        if (!found.isEmpty()) {
            copyPath = recoveryDir + "/" + found.first();
            copy = testutil::readFile(copyPath);
            if (catalogueOf(copy) == expectedCatalogue)
                break;
        }
        QThread::msleep(200);
    }
    killProgram(first);
    ASSERT_EQ(catalogueOf(copy), expectedCatalogue) << "recovery copy " << copyPath.toStdString();
    EXPECT_EQ(settingsOf(copy).CaptionEd, expected.settings.CaptionEd);
    EXPECT_EQ(testutil::readFile(copyPath + ".origin"), QFileInfo(doc).absoluteFilePath().toUtf8());

    // The next start asks; "Wiederherstellen" is the default button.
    QProcess second;
    second.setProcessEnvironment(env);
    second.setProcessChannelMode(QProcess::MergedChannels);
    second.setStandardOutputFile(dir.filePath("second.log"));
    second.start(shiptest::builtProgram(), {});
    ASSERT_TRUE(second.waitForStarted(10000));
    const QByteArray question = waitWindow(display.name, "^Velloran$");
    ASSERT_FALSE(question.isEmpty()) << "no recovery question\n" << diagnosis(display, dir.filePath("second.log"));
    xdo(display.name, {"windowfocus", "--sync", QString::fromLatin1(question)});
    xdo(display.name, {"key", "Return"});
    // Restored as a modified document under its own name; saving it writes
    // what was on screen.
    const QByteArray restored = waitWindow(display.name, "karte.vlr\\*\\]");
    ASSERT_FALSE(restored.isEmpty()) << "not restored\n" << diagnosis(display, dir.filePath("second.log"));
    xdo(display.name, {"windowfocus", "--sync", QString::fromLatin1(restored)});
    xdo(display.name, {"key", "ctrl+s"});
    ASSERT_FALSE(waitWindow(display.name, "karte.vlr\\]").isEmpty())
        << "not saved\n" << diagnosis(display, dir.filePath("second.log"));
    EXPECT_EQ(testutil::readFile(doc), copy);
    EXPECT_TRUE(QDir(recoveryDir).entryList({"*.vlr"}, QDir::Files).isEmpty());
    killProgram(second);
#endif
}
