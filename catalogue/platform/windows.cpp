// The Windows side of catalogue/platform.h.
#include "catalogue/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

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

bool IsSystemProgramDir(const QString &)
{
    return false;
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

} // namespace platform
