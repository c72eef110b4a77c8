// The recovery folder as the start finds it after anything may have
// happened to it: copies, origin files, lock files, folders and links with
// any names and contents. The reader offers only copies inside the folder,
// and each one offered opens (or is refused) like any document.
//
// Input: entries separated by a zero byte; an entry is one kind byte, a
// name up to the first '/', and the content.
//   kind % 4 == 0  a file with that content
//   kind % 4 == 1  a folder
//   kind % 4 == 2  a link to the entry named by the content (maybe missing)
//   kind % 4 == 3  a file named after the previous entry plus ".origin"
#include "app/recovery.h"
#include "catalogue/document.h"
#include "fuzzutil.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

namespace {

QString cleanName(const QByteArray &raw)
{
    QString name;
    for (char c : raw) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
            || c == '_')
            name += QLatin1Char(c);
    }
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        name += QLatin1Char('x');
    return name.left(80);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = fuzzutil::scratchPath("-recovery/");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    RecoveryKeeper::setFolderOverride(folder);

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString previous = QStringLiteral("a.vlr");
    int entries = 0;
    for (const QByteArray &entry : bytes.split('\0')) {
        if (entry.isEmpty() || ++entries > 16)
            continue;
        const int kind = uchar(entry.at(0)) % 4;
        const QByteArray rest = entry.mid(1);
        const int slash = rest.indexOf('/');
        QString name = cleanName(slash < 0 ? rest : rest.left(slash));
        const QByteArray content = slash < 0 ? QByteArray() : rest.mid(slash + 1);
        if (kind == 3)
            name = previous + QStringLiteral(".origin");
        if (name.isEmpty())
            continue;
        const QString path = folder + name;
        switch (kind) {
        case 0:
        case 3: {
            QFile f(path);
            if (f.open(QIODevice::WriteOnly))
                f.write(content);
            break;
        }
        case 1:
            QDir().mkdir(path);
            break;
        case 2:
            QFile::link(folder + cleanName(content), path);
            break;
        }
        previous = name;
    }

    const QString root = QDir(folder).canonicalPath() + QLatin1Char('/');
    for (const RecoveryKeeper::Candidate &c : RecoveryKeeper::pending()) {
        const QFileInfo fi(c.copy);
        if (!fi.absoluteFilePath().startsWith(folder) && !fi.absoluteFilePath().startsWith(root))
            std::abort(); // offered from outside the folder
        DocumentData doc;
        LoadDocumentFile(c.copy, CardSettings(), doc, nullptr);
    }
    QDir(folder).removeRecursively();
    return 0;
}
