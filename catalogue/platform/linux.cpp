// The Linux (Debian) side of catalogue/platform.h.
#include "catalogue/platform.h"
#include "catalogue/picturepath.h"

#include <QBuffer>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cctype>
#include <cstring>
#include <vector>

#include <dlfcn.h>
#include <link.h>

namespace {

// A shared library the process has loaded: its file as the dynamic linker names it and
// the read-only parts of it in memory.
struct LoadedObject {
    QByteArray stem; // the start of the file name looked for, "libpng16.so."
    QByteArray path;
    std::vector<QByteArrayView> readOnly;
};

int findObject(dl_phdr_info *info, size_t, void *data)
{
    auto *found = static_cast<LoadedObject *>(data);
    const char *name = info->dlpi_name;
    if (!name || !*name)
        return 0;
    const char *slash = std::strrchr(name, '/');
    const char *base = slash ? slash + 1 : name;
    if (std::strncmp(base, found->stem.constData(), size_t(found->stem.size())) != 0)
        return 0;
    found->path = name;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr) &seg = info->dlpi_phdr[i];
        if (seg.p_type == PT_LOAD && (seg.p_flags & PF_R) && !(seg.p_flags & PF_W))
            found->readOnly.emplace_back(reinterpret_cast<const char *>(info->dlpi_addr + seg.p_vaddr),
                                         qsizetype(seg.p_filesz));
    }
    return 1;
}

LoadedObject loadedObject(const char *stem)
{
    LoadedObject o;
    o.stem = stem;
    dl_iterate_phdr(findObject, &o);
    return o;
}

template <typename Fn> Fn loadedFunction(void *handle, const char *symbol)
{
    return handle ? reinterpret_cast<Fn>(dlsym(handle, symbol)) : nullptr;
}

// The version a loaded library states itself, through its version function looked up
// in the copy already loaded (RTLD_NOLOAD: nothing is loaded for asking); for a library
// that does not say, its file's name in brackets.
QString versionOf(const char *library, const LoadedObject &o)
{
    void *handle = dlopen(o.path.constData(), RTLD_LAZY | RTLD_NOLOAD);
    QString v;
    if (!std::strcmp(library, "zlib")) {
        if (auto fn = loadedFunction<const char *(*)()>(handle, "zlibVersion"))
            v = QString::fromLatin1(fn());
    } else if (!std::strcmp(library, "libpng")) {
        if (auto fn = loadedFunction<const char *(*)(const void *)>(handle, "png_get_libpng_ver"))
            v = QString::fromLatin1(fn(nullptr));
    } else if (!std::strcmp(library, "libwebp")) {
        if (auto fn = loadedFunction<int (*)()>(handle, "WebPGetDecoderVersion")) {
            const int n = fn();
            v = QStringLiteral("%1.%2.%3").arg((n >> 16) & 0xff).arg((n >> 8) & 0xff).arg(n & 0xff);
        }
    } else if (!std::strcmp(library, "libtiff")) {
        // "LIBTIFF, Version 4.5.0\nCopyright ..."
        if (auto fn = loadedFunction<const char *(*)()>(handle, "TIFFGetVersion")) {
            static const QRegularExpression number(QStringLiteral("Version ([0-9][0-9.]*)"));
            v = number.match(QString::fromLatin1(fn())).captured(1);
        }
    } else if (!std::strcmp(library, "libjpeg-turbo")) {
        // libjpeg's interface has no version function; libjpeg-turbo carries its version
        // as a text, "libjpeg-turbo version 2.1.5 (build 20230203)".
        static const QByteArray mark("libjpeg-turbo version ");
        for (QByteArrayView part : o.readOnly) {
            const qsizetype at = part.indexOf(mark);
            if (at < 0)
                continue;
            QByteArrayView rest = part.sliced(at + mark.size());
            qsizetype n = 0;
            while (n < rest.size() && n < 16 && (std::isdigit(uchar(rest[n])) || rest[n] == '.'))
                ++n;
            v = QString::fromLatin1(rest.first(n));
            break;
        }
    }
    if (handle)
        dlclose(handle);
    if (!v.isEmpty())
        return v;
    // The real file behind the name the library was loaded by (libjpeg.so.62.3.0).
    const QString file = QFileInfo(QString::fromLocal8Bit(o.path)).canonicalFilePath();
    return QLatin1Char('(') + QFileInfo(file.isEmpty() ? QString::fromLocal8Bit(o.path) : file).fileName()
           + QLatin1Char(')');
}

// Loads every picture plugin Qt has (listing the formats reads only the plugins'
// descriptions), and with them the libraries they decode with: a reader for each format
// gets its handler, which reads nothing yet (reading would make some of them warn
// about the empty picture).
void loadPicturePlugins()
{
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        QBuffer empty;
        empty.open(QIODevice::ReadOnly);
        QImageReader reader(&empty, format);
        reader.supportsOption(QImageIOHandler::Size);
    }
}

} // namespace

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

QStringList LibraryVersions()
{
    loadPicturePlugins();
    QStringList list{QStringLiteral("Qt ") + QString::fromLatin1(qVersion())};
    struct Wanted {
        const char *name, *stem;
    };
    // zlib for PNG and compressed files, libpng (in Qt's GUI library), and the
    // libraries of the JPEG, WebP and TIFF plugins.
    static const Wanted wanted[] = {{"zlib", "libz.so."},
                                    {"libpng", "libpng16.so."},
                                    {"libjpeg-turbo", "libjpeg.so."},
                                    {"libwebp", "libwebp.so."},
                                    {"libtiff", "libtiff.so."}};
    for (const Wanted &w : wanted) {
        const LoadedObject o = loadedObject(w.stem);
        list << QString::fromLatin1(w.name) + QLatin1Char(' ')
                    + (o.path.isEmpty() ? QStringLiteral("not loaded") : versionOf(w.name, o));
    }
    return list;
}

} // namespace platform
