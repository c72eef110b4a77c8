#include "testutil.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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

bool runUnprivileged(const std::function<void()> &body)
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0) {
        // The real user id too: access() checks it. The saved one stays root
        // so that the switch back is allowed.
        if (setresuid(65534, 65534, 0) != 0)
            return false;
        body();
        return setresuid(0, 0, 0) == 0;
    }
#endif
    body();
    return true;
}

LocaleScope::LocaleScope(const char *name) : old_(QLocale())
{
    QLocale::setDefault(QLocale(QString::fromLatin1(name)));
}

LocaleScope::~LocaleScope()
{
    QLocale::setDefault(old_);
}

ModalAnswer::ModalAnswer(std::function<void(QDialog *)> answer, int timeoutMs)
    : answer_(std::move(answer)), timeoutMs_(timeoutMs)
{
    clock_.start();
    poll_.setInterval(10);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d) {
            if (clock_.elapsed() > timeoutMs_)
                poll_.stop();
            return;
        }
        poll_.stop();
        answered_ = true;
        answer_(d);
    });
    poll_.start();
}

ModalAnswer::~ModalAnswer()
{
    EXPECT_TRUE(answered_) << "no modal dialog came within " << timeoutMs_ << " ms";
}

} // namespace testutil
