#include "testutil.h"

#include <QFile>

namespace testutil {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(data) == data.size();
}

LocaleScope::LocaleScope(const char *name) : old_(QLocale())
{
    QLocale::setDefault(QLocale(QString::fromLatin1(name)));
}

LocaleScope::~LocaleScope()
{
    QLocale::setDefault(old_);
}

} // namespace testutil
