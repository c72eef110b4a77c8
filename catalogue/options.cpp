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

int32_t LanguageOfLocale(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::German: return 0;
    case QLocale::English: return 1;
    case QLocale::French: return 2;
    case QLocale::Dutch: return 3;
    case QLocale::Swedish: return 4;
    // No language setting at all (LANG, LC_ALL and LC_MESSAGES unset, or
    // C/POSIX, as under cron, in containers and in CI): the program speaks
    // its own language.
    case QLocale::C: return 0;
    default: return kDefaultLanguage;
    }
}

int32_t StartLanguage(const QString &path, bool *found)
{
    bool stored = false;
    const int32_t value = LoadOptionsFile(path, &stored);
    if (found)
        *found = stored;
    return stored ? value : LanguageOfLocale(QLocale());
}
