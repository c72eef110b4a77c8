// Shared pieces of the fuzz targets: a Qt application object for the code
// that needs one, and a scratch file for readers that take a path.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <unistd.h>

namespace fuzzutil {

// Creates the application object once (offscreen, no display needed).
inline void initApp(bool gui)
{
    static int argc = 1;
    static char name[] = "velloran-fuzz";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about damaged files would flood the fuzzer's output.
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.warning=false;*.info=false");
    if (gui)
        new QGuiApplication(argc, argv);
    else
        new QCoreApplication(argc, argv);
}

// A file of this process in a memory-backed directory when there is one.
inline QString scratchPath(const char *suffix)
{
    const QString dir = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                 : QDir::tempPath();
    return QStringLiteral("%1/velloran-fuzz-%2%3").arg(dir).arg(getpid()).arg(QLatin1String(suffix));
}

inline bool writeScratch(const QString &path, const uint8_t *data, size_t size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size);
}

} // namespace fuzzutil
