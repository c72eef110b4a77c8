// The program killed with a modified document: the next start offers the
// recovery copy, and restoring it gives the document that was on screen.
// Runs the built program on a virtual X display (Xvfb) and drives it with
// xdotool; skipped where either is missing. The recovery interval is set to
// one second through VELLORAN_RECOVERY_SECONDS.
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

struct Display {
    QProcess xvfb;
    QString name;
    bool start()
    {
        for (int n = 171 + int(getpid() % 40); n < 260; ++n) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                continue;
            name = QStringLiteral(":%1").arg(n);
            xvfb.start(QStringLiteral("Xvfb"), {name, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
            if (!xvfb.waitForStarted(5000))
                return false;
            QElapsedTimer t;
            t.start();
            while (t.elapsed() < 10000) {
                if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                    return true;
                QThread::msleep(50);
            }
            return false;
        }
        return false;
    }
    ~Display()
    {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }
};

// xdotool on the display; its standard output.
QByteArray xdo(const QString &display, const QStringList &args, int timeoutMs = 15000)
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

#if defined(__SANITIZE_ADDRESS__)
constexpr int kStartMs = 90000; // the instrumented program starts slowly on a loaded machine
#else
constexpr int kStartMs = 30000;
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
std::string diagnosis(const QString &display, const QString &log)
{
    QByteArray names;
    const QByteArray ids = xdo(display, {"search", "--onlyvisible", "--name", "."});
    for (const QByteArray &id : ids.split('\n'))
        if (!id.isEmpty())
            names += "  window: " + xdo(display, {"getwindowname", QString::fromLatin1(id)}) + '\n';
    QFile f(log);
    f.open(QIODevice::ReadOnly);
    return (names + "  program's output:\n" + f.readAll().right(4000)).toStdString();
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
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
        GTEST_SKIP() << "needs Xvfb and xdotool";
    Display display;
    ASSERT_TRUE(display.start());

    QTemporaryDir dir;
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
    ASSERT_FALSE(win.isEmpty()) << "no main window\n" << diagnosis(display.name, dir.filePath("first.log"));
    // The first category is selected after opening; rename it in place.
    xdo(display.name, {"windowfocus", "--sync", QString::fromLatin1(win)});
    const QList<QByteArray> geo = xdo(display.name, {"getwindowgeometry", "--shell", QString::fromLatin1(win)}).split('\n');
    int wx = 0, wy = 0;
    for (const QByteArray &l : geo) {
        if (l.startsWith("X="))
            wx = l.mid(2).toInt();
        if (l.startsWith("Y="))
            wy = l.mid(2).toInt();
    }
    // Below the menu, the tool bar (49), the tab bar and the list's header:
    // the list's first row.
    xdo(display.name, {"mousemove", QString::number(wx + 120), QString::number(wy + 134), "click", "1"});
    QThread::msleep(800);
    xdo(display.name, {"key", "F2"});
    QThread::msleep(300);
    xdo(display.name, {"key", "ctrl+a"});
    xdo(display.name, {"type", "Geaendert"});
    xdo(display.name, {"key", "Return"});
    ASSERT_FALSE(waitWindow(display.name, "karte.vlr\\*\\]", 10000).isEmpty()) << "the rename did not land";

    // Wait for the copy to hold the change, then kill the program.
    QElapsedTimer t;
    t.start();
    QByteArray copy;
    QString copyPath;
    while (t.elapsed() < 15000) {
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
    ASSERT_FALSE(question.isEmpty()) << "no recovery question\n" << diagnosis(display.name, dir.filePath("second.log"));
    xdo(display.name, {"windowfocus", "--sync", QString::fromLatin1(question)});
    xdo(display.name, {"key", "Return"});
    // Restored as a modified document under its own name; saving it writes
    // what was on screen.
    const QByteArray restored = waitWindow(display.name, "karte.vlr\\*\\]");
    ASSERT_FALSE(restored.isEmpty()) << "not restored\n" << diagnosis(display.name, dir.filePath("second.log"));
    xdo(display.name, {"windowfocus", "--sync", QString::fromLatin1(restored)});
    xdo(display.name, {"key", "ctrl+s"});
    ASSERT_FALSE(waitWindow(display.name, "karte.vlr\\]", 10000).isEmpty()) << "not saved";
    EXPECT_EQ(testutil::readFile(doc), copy);
    EXPECT_TRUE(QDir(recoveryDir).entryList({"*.vlr"}, QDir::Files).isEmpty());
    killProgram(second);
#endif
}
