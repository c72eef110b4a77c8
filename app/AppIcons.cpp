#include "app/AppIcons.h"

#include <QFile>
#include <QString>
#include <QtGlobal>

// The icon resources live in this static library; naming the initialiser here makes the
// linker keep them in every program that uses the icons.
static void initIconResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    Q_UNUSED(done);
}

namespace {

QString ownIconPath(const char *name)
{
    return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name));
}

} // namespace

QIcon OwnIcon(const char *name)
{
    initIconResources();
    const QString path = ownIconPath(name);
    if (!QFile::exists(path)) {
        qWarning("No icon resource %s", qPrintable(path));
        return QIcon();
    }
    return QIcon(path);
}

QIcon AppIcon(const char *themeName, const char *fallback)
{
    return QIcon::fromTheme(QLatin1String(themeName), OwnIcon(fallback));
}

QIcon VelloranIcon()
{
    return OwnIcon("velloran");
}
