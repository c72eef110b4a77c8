#include "catalogue/appfiles.h"
#include "catalogue/brastel.h"
#include "catalogue/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace appfiles {

namespace {
QString g_override;

QString withSlash(QString d)
{
    if (!d.endsWith('/'))
        d += '/';
    return d;
}

bool dirWritable(const QString &dir)
{
    // Try it: permission bits alone do not tell (read-only mounts, ACLs).
    QTemporaryFile probe(dir + QStringLiteral(".velloran-probe-XXXXXX"));
    return probe.open();
}
} // namespace

QString ProgPath()
{
    return withSlash(QCoreApplication::applicationDirPath());
}

QString UserFilesDir()
{
    if (!g_override.isEmpty())
        return withSlash(g_override);
    static QString cached;
    if (!cached.isEmpty())
        return cached;
    const QString prog = ProgPath();
    if (ProgramDirHoldsUserFiles(prog)) {
        cached = prog;
    } else {
        const QString cfg = platform::UserConfigDir();
        QDir().mkpath(cfg);
        cached = withSlash(cfg);
    }
    return cached;
}

bool ProgramDirHoldsUserFiles(const QString &dir)
{
    // An installer leaves this marker next to the program: an installed copy keeps the
    // user files in the per-user directory even when it could write to its own one
    // (started with administrator rights).
    if (QFileInfo::exists(withSlash(dir) + QStringLiteral("installed")))
        return false;
    if (platform::IsSystemProgramDir(QDir(dir).canonicalPath()))
        return false;
    return dirWritable(withSlash(dir));
}

QString UserFile(const QString &name)
{
    return UserFilesDir() + name;
}

QString InstalledDataDir()
{
    return platform::InstalledDataDir();
}

QString ResolveDataFile(const QString &name)
{
    if (name.isEmpty())
        return name;
    QFileInfo fi(name);
    if (name.contains('/') || fi.isAbsolute())
        return name;
    const QStringList dirs = {QDir::currentPath() + '/', ProgPath(), ProgPath() + QStringLiteral("data/"),
                              ProgPath() + QStringLiteral("../share/velloran/"), InstalledDataDir()};
    for (const QString &d : dirs) {
        const QString p = d + name;
        if (QFileInfo(p).isFile())
            return QFileInfo(p).absoluteFilePath();
    }
    return name;
}

void SeedUserTranslations()
{
    const QString dir = UserFilesDir();
    const QString target = dir + QStringLiteral("translate.dat");
    if (QFileInfo::exists(target))
        return;
    // The table shipped with the program: next to it (a portable copy) or
    // in the installed data directory. A program whose own directory is the
    // user directory (writable) only takes it from the data directory.
    QStringList sources;
    if (dir != ProgPath())
        sources << ProgPath() + QStringLiteral("translate.dat");
    sources << ProgPath() + QStringLiteral("../share/velloran/translate.dat")
            << InstalledDataDir() + QStringLiteral("translate.dat");
    // Written anew rather than copied: the user's table gets the access the
    // user's umask gives new files, not the installed file's (read-only, or
    // whatever the package made it).
    for (const QString &src : sources) {
        if (!QFileInfo(src).isFile())
            continue;
        QFile in(src);
        if (in.open(QIODevice::ReadOnly) && WriteFileAtomically(target, in.readAll(), nullptr, false))
            return;
    }
}

void SetUserFilesDirOverride(const QString &dir)
{
    g_override = dir;
}

} // namespace appfiles
