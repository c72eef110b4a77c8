// Small helpers shared by the test folders.
#pragma once

#include <QByteArray>
#include <QLocale>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <string>

class QDialog;

namespace testutil {

QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &data);

// Where one of Debian's checking tools (pdftotext, zbarimg, tidy, ...) is; empty when it
// is not installed.
QString hostTool(const QString &name);

// The poppler tools (poppler-utils, from scripts/install-deps.sh) that read
// the PDF files the program writes. Each fails the calling test when the
// tool is missing or does not finish.
// The standard output of `tool` with `args`.
QString runPdfTool(const QString &tool, const QStringList &args);
// The page count pdfinfo gives; -1 when it gives none.
int pdfPages(const QString &path);
// The text of the whole document, pages ending in form feeds.
QString pdfText(const QString &path);
// The text of each page, in order.
QStringList pdfPageTexts(const QString &path);

// Runs `body` with the permissions of an ordinary user: as root (which
// passes every permission check) the real and effective user become
// "nobody" for the call. Files the body touches must be reachable for that
// user. False when the switch was not possible.
bool runUnprivileged(const std::function<void()> &body);

// True when the tests run as the superuser (who passes every permission check);
// always false where there is no such user (Windows).
bool runningAsRoot();

// While it lives, every write that would make a file longer than `bytes` fails, as on a
// full disk (the process's file size limit). active() is false where the system has no
// such limit (Windows); the test then has nothing to check.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    bool active() const { return active_; }

private:
    bool active_ = false;
    long long saved_ = 0;
    void (*savedHandler_)(int) = nullptr;
};

// While it lives, the process's umask is `mask` (new files get 0666 & ~mask). active() is
// false where the system has none (Windows).
class UmaskScope {
public:
    explicit UmaskScope(unsigned mask);
    ~UmaskScope();
    bool active() const { return active_; }

private:
    bool active_ = false;
    unsigned saved_ = 0;
};

// The permission bits of a file as a POSIX mode in octal ("0644"), from Qt's owner,
// group and other flags; octal() writes a mode the same way.
std::string fileMode(const QString &path);
std::string octal(unsigned mode);

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

// Answers the next modal dialog: polls for it while the code under test
// runs its own event loop, hands it to `answer` (which closes it) and fails
// the test when no dialog comes within `timeoutMs`, instead of waiting for
// one for ever. Lives for the call that shows the dialog.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QDialog *)> answer, int timeoutMs = 10000);
    ~ModalAnswer();
    bool answered() const { return answered_; }

private:
    std::function<void(QDialog *)> answer_;
    QTimer poll_;
    QElapsedTimer clock_;
    int timeoutMs_;
    bool answered_ = false;
};

// A 4 x 3 lossless WebP picture (red), for the platforms with and without a WebP
// decoder alike.
QByteArray smallWebP();

} // namespace testutil
