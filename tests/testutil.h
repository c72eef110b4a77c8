// Small helpers shared by the test folders.
#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace testutil {

QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &data);

// Sets the default and "system" locale for the lifetime of the object.
// Code that asks for the user's decimal separator reads QLocale::system(),
// which Qt cannot override; the program reads it through UserDecimalPoint(),
// which honours this override.
class LocaleScope {
public:
    explicit LocaleScope(const char *name);
    ~LocaleScope();

private:
    QLocale old_;
};

} // namespace testutil
