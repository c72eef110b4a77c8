#include "catalogue/picturepath.h"

#include "catalogue/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// The path with "." and ".." taken out and its separators ("/" only) single, the same
// on every platform (QDir::cleanPath follows the platform it runs on: on Windows it
// takes backslashes for separators and keeps a leading "//"). ".." at the root stays
// at the root, as the system takes it.
QString cleanSlashPath(const QString &path)
{
    const bool rooted = path.startsWith(QLatin1Char('/'));
    QStringList parts;
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..") && !parts.isEmpty() && parts.last() != QLatin1String(".."))
            parts.removeLast();
        else if (part != QLatin1String("..") || !rooted)
            parts << part;
    }
    return (rooted ? QStringLiteral("/") : QString()) + parts.join(QLatin1Char('/'));
}

// Under `dir` or the folder itself (dir without trailing '/').
bool isUnder(const QString &cleanPath, const QString &dir, Qt::CaseSensitivity cs)
{
    return cleanPath.compare(dir, cs) == 0
           || (cleanPath.startsWith(dir, cs) && cleanPath.size() > dir.size() && cleanPath[dir.size()] == QLatin1Char('/'));
}

bool isUnixDeviceTree(const QString &cleanPath, Qt::CaseSensitivity cs)
{
    for (const char *dir : {"/dev", "/proc", "/sys"})
        if (isUnder(cleanPath, QLatin1String(dir), cs))
            return true;
    return false;
}

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$: devices in every folder, also with
// an extension (nul.png) and trailing dots or spaces.
bool isWindowsDeviceName(QString name)
{
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    name = name.toUpper();
    for (const char *dev : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (name == QLatin1String(dev))
            return true;
    if (name.size() == 4 && (name.startsWith(QLatin1String("COM")) || name.startsWith(QLatin1String("LPT")))) {
        // COM1 to COM9 and LPT1 to LPT9, also with the superscript digits.
        const QChar d = name[3];
        return (d >= QLatin1Char('1') && d <= QLatin1Char('9')) || d == QChar(0x00B9) || d == QChar(0x00B2)
               || d == QChar(0x00B3);
    }
    return false;
}

} // namespace

bool IsLocalPicturePath(const QString &path, PathRules rules)
{
    if (path.isEmpty())
        return true;
    // Two separators at the start: a network name or, with ? or . after them, a device
    // path. On Linux only the Windows spelling counts (//x is /x there).
    if (path.size() >= 2 && (path[0] == QLatin1Char('\\') || path[0] == QLatin1Char('/'))
        && (path[1] == QLatin1Char('\\') || path[1] == QLatin1Char('/'))
        && (rules == PathRules::Windows || path[0] == QLatin1Char('\\') || path[1] == QLatin1Char('\\')))
        return false;
    if (rules == PathRules::Linux)
        return !isUnixDeviceTree(cleanSlashPath(path), Qt::CaseSensitive);

    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.startsWith(QLatin1String("/??/")))
        return false; // the object manager's namespace
    const QString clean = cleanSlashPath(p);
    // A path without a drive that starts at the root: under Wine the root of the Linux
    // file system, where /dev/zero is the device.
    if (clean.startsWith(QLatin1Char('/')) && isUnixDeviceTree(clean, Qt::CaseInsensitive))
        return false;
    const QString last = clean.mid(clean.lastIndexOf(QLatin1Char('/')) + 1);
    const int colon = last.indexOf(QLatin1Char(':'));
    return !isWindowsDeviceName(colon == 1 ? last.mid(2) : last);
}

bool IsLocalPictureFile(const QString &path)
{
    const PathRules rules = platform::PicturePathRules();
    if (!IsLocalPicturePath(path, rules))
        return false;
    const QString absolute = QDir::current().absoluteFilePath(path);
    if (!IsLocalPicturePath(absolute, rules))
        return false;
    const QString real = QFileInfo(absolute).canonicalFilePath(); // empty when it does not exist
    return real.isEmpty() || IsLocalPicturePath(real, rules);
}
