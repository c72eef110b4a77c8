// Small helpers shared by the test folders.
#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <functional>

namespace testutil {

QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &data);

// Runs `body` with the permissions of an ordinary user: as root (which
// passes every permission check) the real and effective user become
// "nobody" for the call. Files the body touches must be reachable for that
// user. False when the switch was not possible.
bool runUnprivileged(const std::function<void()> &body);

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
