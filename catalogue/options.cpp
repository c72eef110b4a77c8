#include "catalogue/options.h"

#include "catalogue/brastel.h"

#include <QFile>
#include <QFileInfo>

int32_t LoadOptionsFile(const QString &path, bool *found)
{
    if (found)
        *found = false;
    QFile f(path);
    // Read and write access, like the program always asked for: a file it
    // could not write back counts as missing. ExistingOnly keeps the open
    // from creating the file.
    if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return kDefaultLanguage;
    ByteReader in(f.read(4));
    const int32_t value = in.readInt32();
    if (!in.ok())
        return kDefaultLanguage;
    if (found)
        *found = true;
    return value;
}

bool SaveOptionsFile(const QString &path, int32_t language)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable())
        return false;
    ByteWriter out;
    out.writeInt32(language);
    return WriteFileAtomically(path, out.data());
}
