// The program's own icons, the desktop entry and the document type shipped with it.
#include "app/AppIcons.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// The pictures the main window falls back on: tool bar, category and product buttons,
// the five tabs, the font buttons, and the window icon.
const char *const kOwnIcons[] = {
    "open", "save", "save-as", "print", "exit",
    "category-new", "category-edit", "category-delete", "up", "down",
    "product-new", "product-edit", "product-delete",
    "tab-catalogue", "tab-preview", "tab-layout", "tab-background", "tab-translations",
    "font", "undo", "redo", "velloran",
};

QString sourcePath(const char *rel)
{
    return QStringLiteral(VELLORAN_SOURCE_DIR "/") + QLatin1String(rel);
}

// Share of the pixels that are at least half opaque.
double coverage(const QImage &img)
{
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) >= 128)
                ++opaque;
    return double(opaque) / (argb.width() * argb.height());
}

// Mean difference per channel (0..255) of two pictures of one size, both laid on white.
double meanDifference(const QImage &a, const QImage &b)
{
    auto onWhite = [](const QImage &src) {
        QImage out(src.size(), QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter p(&out);
        p.drawImage(0, 0, src);
        return out;
    };
    const QImage wa = onWhite(a), wb = onWhite(b);
    double sum = 0;
    for (int y = 0; y < wa.height(); ++y)
        for (int x = 0; x < wa.width(); ++x) {
            const QRgb pa = wa.pixel(x, y), pb = wb.pixel(x, y);
            sum += std::abs(qRed(pa) - qRed(pb)) + std::abs(qGreen(pa) - qGreen(pb))
                   + std::abs(qBlue(pa) - qBlue(pb));
        }
    return sum / (3.0 * wa.width() * wa.height());
}

// The key=value lines of the [Desktop Entry] group.
QHash<QString, QString> readDesktopEntry(const QString &path)
{
    QHash<QString, QString> keys;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inGroup = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (inGroup && eq > 0)
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

} // namespace

TEST(OwnIcons, EveryIconDrawsAtButtonAndTabSizes)
{
    for (const char *name : kOwnIcons) {
        SCOPED_TRACE(name);
        const QIcon icon = OwnIcon(name);
        ASSERT_FALSE(icon.isNull());
        for (int size : {16, 24, 32}) {
            const QPixmap pm = icon.pixmap(size, size);
            ASSERT_FALSE(pm.isNull()) << "size " << size;
            EXPECT_EQ(pm.size(), QSize(size, size));
            // Something is drawn, and the picture does not fill its whole square.
            const double c = coverage(pm.toImage());
            EXPECT_GT(c, 0.15) << "size " << size;
            EXPECT_LT(c, 0.95) << "size " << size;
        }
    }
}

// The PNG pictures that stand in where Qt reads no SVG (the Windows build) are the SVGs
// drawn at each size: a changed icon whose pictures were not drawn again fails here.
TEST(OwnIcons, PicturesAreTheSvgsDrawnAtEverySize)
{
    for (const char *name : kOwnIcons) {
        SCOPED_TRACE(name);
        const QIcon svg(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
        const QIcon pictures = OwnIconPictures(name);
        ASSERT_FALSE(svg.isNull());
        EXPECT_EQ(pictures.availableSizes().size(), OwnIconPictureSizes().size());
        for (int size : OwnIconPictureSizes()) {
            const QImage drawn = svg.pixmap(size, size).toImage();
            const QImage picture = pictures.pixmap(size, size).toImage();
            ASSERT_EQ(picture.size(), QSize(size, size)) << "size " << size;
            EXPECT_LT(meanDifference(drawn, picture), 1.0) << "size " << size;
        }
    }
}

TEST(OwnIcons, ResourcesAreExactlyTheSquareSet)
{
    (void)VelloranIcon(); // loads the resources
    QSet<QString> expected;
    for (const char *name : kOwnIcons)
        expected.insert(QLatin1String(name) + QLatin1String(".svg"));
    const QStringList present = QDir(QStringLiteral(":/icons")).entryList(QDir::Files);
    EXPECT_EQ(QSet<QString>(present.begin(), present.end()), expected);

    for (const QString &file : present) {
        SCOPED_TRACE(file.toStdString());
        QImageReader reader(QStringLiteral(":/icons/") + file);
        const QSize size = reader.size();
        if (file == QLatin1String("velloran.svg"))
            EXPECT_EQ(size.width(), size.height());
        else
            EXPECT_EQ(size, QSize(24, 24)); // drawn on the 24-unit grid of the buttons and tabs
    }
}

TEST(OwnIcons, ThemeWinsAndOwnIconStandsIn)
{
    struct ThemeRestorer {
        const QString theme = QIcon::themeName();
        const QStringList paths = QIcon::themeSearchPaths();
        ~ThemeRestorer()
        {
            QIcon::setThemeName(theme);
            QIcon::setThemeSearchPaths(paths);
        }
    } restorer;

    // A small theme that has "document-open" (plain blue) and nothing else.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString themeDir = dir.path() + QStringLiteral("/velloran-test-theme");
    ASSERT_TRUE(QDir().mkpath(themeDir + QStringLiteral("/24x24/actions")));
    {
        QFile index(themeDir + QStringLiteral("/index.theme"));
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=velloran-test-theme\nDirectories=24x24/actions\n\n"
                    "[24x24/actions]\nSize=24\nType=Fixed\n");
    }
    QImage blue(24, 24, QImage::Format_ARGB32);
    blue.fill(QColor(0, 0, 255));
    ASSERT_TRUE(blue.save(themeDir + QStringLiteral("/24x24/actions/document-open.png")));

    QIcon::setThemeSearchPaths({dir.path()});
    QIcon::setThemeName(QStringLiteral("velloran-test-theme"));

    const QImage themed = AppIcon("document-open", "open").pixmap(24, 24).toImage();
    EXPECT_EQ(themed.pixelColor(12, 12), QColor(0, 0, 255));

    const QImage own = AppIcon("document-save", "save").pixmap(24, 24).toImage();
    const QImage expected = OwnIcon("save").pixmap(24, 24).toImage();
    EXPECT_FALSE(own.isNull());
    EXPECT_EQ(own.convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32));

    // Neither the theme nor the program has the picture: an empty icon, not a crash.
    EXPECT_TRUE(AppIcon("velloran-no-such-icon", "no-such-icon").isNull());
}

TEST(InstalledIcon, PngsAreRenderingsOfTheScalableIcon)
{
    const QIcon svg(sourcePath("data/icons/velloran.svg"));
    // Two renderers differ a little along the edges; a PNG left behind after the SVG changed
    // differs more (a recoloured heading bar alone more than doubles the figure).
    const struct {
        int size;
        double limit;
    } cases[] = {{48, 3.2}, {128, 2.0}, {256, 2.0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.size);
        const QImage png(sourcePath("data/icons/velloran-") + QString::number(c.size) + QStringLiteral(".png"));
        ASSERT_FALSE(png.isNull());
        ASSERT_EQ(png.size(), QSize(c.size, c.size));
        EXPECT_TRUE(png.hasAlphaChannel());
        EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0); // transparent around the card
        EXPECT_LT(meanDifference(png, svg.pixmap(c.size, c.size).toImage()), c.limit);
    }
}

TEST(DesktopFiles, EntryAndDocumentTypeAgree)
{
    const auto entry = readDesktopEntry(sourcePath("data/velloran.desktop"));
    ASSERT_FALSE(entry.isEmpty());
    EXPECT_EQ(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(entry.value(QStringLiteral("Name")), QStringLiteral("Velloran"));
    EXPECT_EQ(entry.value(QStringLiteral("Exec")), QStringLiteral("velloran %f"));
    EXPECT_EQ(entry.value(QStringLiteral("Icon")), QStringLiteral("velloran"));
    EXPECT_EQ(entry.value(QStringLiteral("Terminal")), QStringLiteral("false"));
    EXPECT_FALSE(entry.value(QStringLiteral("Comment")).isEmpty());
    EXPECT_FALSE(entry.value(QStringLiteral("Comment[de]")).isEmpty());
    const QStringList entryTypes = entry.value(QStringLiteral("MimeType")).split(QLatin1Char(';'), Qt::SkipEmptyParts);

    QFile xml(sourcePath("data/velloran-mime.xml"));
    ASSERT_TRUE(xml.open(QIODevice::ReadOnly));
    QXmlStreamReader r(&xml);
    QString type, glob, comment, commentDe, icon;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = r.name();
        if (name == QLatin1String("mime-type")) {
            type = r.attributes().value(QLatin1String("type")).toString();
        } else if (name == QLatin1String("glob")) {
            glob = r.attributes().value(QLatin1String("pattern")).toString();
        } else if (name == QLatin1String("icon")) {
            icon = r.attributes().value(QLatin1String("name")).toString();
        } else if (name == QLatin1String("comment")) {
            const QString lang = r.attributes().value(QLatin1String("xml:lang")).toString();
            (lang == QLatin1String("de") ? commentDe : comment) = r.readElementText();
        }
    }
    ASSERT_FALSE(r.hasError()) << r.errorString().toStdString();
    EXPECT_EQ(type, QStringLiteral("application/x-velloran"));
    EXPECT_EQ(glob, QStringLiteral("*.vlr"));
    EXPECT_EQ(comment, QStringLiteral("Velloran menu card"));
    EXPECT_EQ(commentDe, QStringLiteral("Velloran-Speisekarte"));
    EXPECT_EQ(icon, entry.value(QStringLiteral("Icon")));
    EXPECT_TRUE(entryTypes.contains(type)) << "the desktop entry must open the documents it defines";
}
