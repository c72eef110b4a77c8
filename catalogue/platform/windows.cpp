// The Windows side of catalogue/platform.h.
#include "catalogue/platform.h"
#include "catalogue/picturepath.h"
#include "builtlibraries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <windows.h>
#include <shellapi.h>

namespace platform {

QString UserConfigDir()
{
    // AppDataLocation is %APPDATA%\<organisation>\<application> when an organisation
    // is set; Velloran sets none, which gives %APPDATA%\Velloran.
    const QString roaming = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return roaming.isEmpty() ? QDir::homePath() + QStringLiteral("/AppData/Roaming/Velloran") : roaming;
}

QString LocalDataDir()
{
    const QString local = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return local.isEmpty() ? QDir::homePath() + QStringLiteral("/AppData/Local/Velloran") : local;
}

bool CreateNewFile(QFile &file, bool)
{
    // No permission bits: Qt would turn them into an explicit access list (0666 would
    // open the file to everyone); the folder's inherited one is what the user expects.
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

void RestrictToOwner(const QString &)
{
}

bool IsSystemProgramDir(const QString &)
{
    return false;
}

QStringList CommandLineArguments(int argc, char **argv)
{
    QStringList args;
    int count = 0;
    if (LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            args << QString::fromWCharArray(wide[i]);
        LocalFree(wide);
        return args;
    }
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

const char *ExportPlatformName()
{
    return "windows";
}

QString InstalledDataDir()
{
    QString d = QCoreApplication::applicationDirPath();
    if (!d.endsWith('/'))
        d += '/';
    return d;
}

QString FontNotice()
{
    return QStringLiteral("Card faces Times New Roman, Arial and Courier New are Windows'\n"
                          "own fonts (Microsoft Corporation).");
}

PathRules PicturePathRules()
{
    return PathRules::Windows;
}

QStringList LibraryVersions()
{
    // The static program carries the copies built with its Qt; scripts/windows.sh
    // records their versions in the build (builtlibraries.h, from cmake/windows.cmake).
    QStringList list{QStringLiteral("Qt ") + QString::fromLatin1(qVersion())};
    const QString built = QStringLiteral(VELLORAN_BUILT_LIBRARIES);
    if (built.isEmpty())
        list << QStringLiteral("zlib, libpng, libjpeg-turbo: versions not recorded in this build");
    else
        list << built.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return list;
}

} // namespace platform
