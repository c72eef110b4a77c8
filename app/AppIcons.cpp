#include "app/AppIcons.h"

#include <QFile>
#include <QImageReader>
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

const QList<int> &OwnIconPictureSizes()
{
    static const QList<int> sizes{16, 20, 24, 32, 48};
    return sizes;
}

QIcon OwnIconPictures(const char *name)
{
    initIconResources();
    QIcon icon;
    for (int size : OwnIconPictureSizes()) {
        const QString path = QStringLiteral(":/icons/png/%1-%2.png").arg(QLatin1String(name)).arg(size);
        if (QFile::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon;
}

QIcon OwnIcon(const char *name)
{
    initIconResources();
    static const bool svgReadable = QImageReader::supportedImageFormats().contains("svg");
    if (!svgReadable)
        return OwnIconPictures(name);
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
