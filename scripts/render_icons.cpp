// Draws the program's SVG icons (the resources under ":/icons/") as PNG pictures at the
// sizes the windows use, into app/icons/png: the program shows these where Qt has no SVG
// support (the Windows build). Run after changing an icon:
//   cmake --build build --target render_icons && build/app/render_icons app/icons/png
// tests/app/test_icons.cpp checks that the pictures match their SVGs.
#include "app/AppIcons.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_icons ICON-FOLDER\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("."));
    (void)VelloranIcon(); // loads the resources
    const QDir icons(QStringLiteral(":/icons"));
    int written = 0;
    for (const QString &file : icons.entryList({QStringLiteral("*.svg")}, QDir::Files)) {
        const QIcon icon(icons.filePath(file));
        const QString name = file.chopped(4);
        for (int size : OwnIconPictureSizes()) {
            const QString path = out.filePath(QStringLiteral("%1-%2.png").arg(name).arg(size));
            if (!icon.pixmap(size, size).save(path, "PNG")) {
                std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(path));
                return 1;
            }
            ++written;
        }
    }
    std::printf("%d pictures\n", written);
    return written > 0 ? 0 : 1;
}
