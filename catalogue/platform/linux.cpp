// The Linux (Debian) side of catalogue/platform.h.
#include "catalogue/platform.h"
#include "catalogue/picturepath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QString UserConfigDir()
{
    const QString cfg = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return cfg.isEmpty() ? QDir::homePath() + QStringLiteral("/.config/velloran") : cfg;
}

QString LocalDataDir()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return base.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share/Velloran") : base;
}

bool CreateNewFile(QFile &file, bool ownerOnly)
{
    // The mode goes to open() itself, which takes the umask off it: no moment in
    // which the file could be read by others.
    const QFile::Permissions own = QFile::ReadOwner | QFile::WriteOwner;
    const QFile::Permissions all = own | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly ? own : all);
}

void RestrictToOwner(const QString &path)
{
    const QFileInfo fi(path);
    if (!fi.exists() || fi.isSymLink())
        return;
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                      | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions now = QFile::permissions(path);
    if (now & others)
        QFile::setPermissions(path, now & owner);
}

bool IsSystemProgramDir(const QString &canonicalDir)
{
    const QString installed = QDir(QStringLiteral(VELLORAN_BIN_DIR)).canonicalPath();
    return !installed.isEmpty() && canonicalDir == installed;
}

QStringList CommandLineArguments(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

const char *ExportPlatformName()
{
    return "offscreen";
}

QString InstalledDataDir()
{
    QString d = QStringLiteral(VELLORAN_DATA_DIR);
    if (!d.endsWith('/'))
        d += '/';
    return d;
}

QString FontNotice()
{
    return QStringLiteral("Card faces Times New Roman and Courier New are shown with the\n"
                          "metric-compatible Liberation Serif and Liberation Mono fonts\n"
                          "(SIL Open Font License 1.1, Red Hat, Inc.).");
}

PathRules PicturePathRules()
{
    return PathRules::Linux;
}

} // namespace platform
