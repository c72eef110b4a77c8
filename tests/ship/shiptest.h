// Helpers for the tests that run the built or installed program.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace shiptest {

struct Run {
    int exitCode = -1;
    bool finished = false;
    QByteArray out;
    QByteArray err;
};

// The program as built in this build tree.
inline QString builtProgram()
{
    return QStringLiteral(VELLORAN_PROGRAM);
}

inline QString exampleCard()
{
    return QStringLiteral(VELLORAN_SOURCE_DIR "/examples/restaurant.vlr");
}

// An environment without a display: the exports must manage on their own.
inline QProcessEnvironment headlessEnv()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

inline Run run(const QString &program, const QStringList &args,
               const QProcessEnvironment &env = headlessEnv(), const QString &cwd = QString())
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (!cwd.isEmpty())
        p.setWorkingDirectory(cwd);
    Run r;
    // A program that could not be started at all is started again, up to
    // three times: under Wine on a busy machine the creation of a process
    // now and then fails before the program runs a single line.
    for (int attempt = 1;; ++attempt) {
        p.start(program, args);
        if (p.waitForStarted(30000))
            break;
        if (p.error() != QProcess::FailedToStart || attempt == 3)
            return r;
    }
    r.finished = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace shiptest
