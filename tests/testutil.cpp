#include "testutil.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <csignal>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
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

QString hostTool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

QString runPdfTool(const QString &tool, const QStringList &args)
{
    const QString path = hostTool(tool);
    EXPECT_FALSE(path.isEmpty()) << tool.toStdString() << " is not installed (scripts/install-deps.sh)";
    QProcess p;
    p.start(path, args);
    const bool done = p.waitForFinished(60000);
    EXPECT_TRUE(done) << tool.toStdString() << " did not finish";
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString &path)
{
    const QString info = runPdfTool(QStringLiteral("pdfinfo"), {path});
    const auto m = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
                       .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pdfText(const QString &path)
{
    return runPdfTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
}

QStringList pdfPageTexts(const QString &path)
{
    QStringList pages = pdfText(path).split(QChar(0x0C));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast(); // after the last page's form feed
    return pages;
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

bool runningAsRoot()
{
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return false;
#endif
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
#ifdef Q_OS_UNIX
    struct rlimit lim;
    if (getrlimit(RLIMIT_FSIZE, &lim) != 0)
        return;
    saved_ = (long long)lim.rlim_cur;
    // Past the limit the write fails instead of the process getting SIGXFSZ.
    savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    lim.rlim_cur = rlim_t(bytes);
    active_ = setrlimit(RLIMIT_FSIZE, &lim) == 0;
    if (!active_)
        std::signal(SIGXFSZ, savedHandler_);
#else
    (void)bytes;
#endif
}

FileSizeLimit::~FileSizeLimit()
{
#ifdef Q_OS_UNIX
    if (!active_)
        return;
    struct rlimit lim;
    getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = rlim_t(saved_);
    setrlimit(RLIMIT_FSIZE, &lim);
    std::signal(SIGXFSZ, savedHandler_);
#endif
}

UmaskScope::UmaskScope(unsigned mask)
{
#ifdef Q_OS_UNIX
    saved_ = ::umask(mode_t(mask));
    active_ = true;
#else
    (void)mask;
#endif
}

UmaskScope::~UmaskScope()
{
#ifdef Q_OS_UNIX
    if (active_)
        ::umask(mode_t(saved_));
#endif
}

std::string octal(unsigned mode)
{
    return QStringLiteral("%1").arg(mode, 4, 8, QLatin1Char('0')).toStdString();
}

std::string fileMode(const QString &path)
{
    const QFile::Permissions p = QFile::permissions(path);
    unsigned mode = 0;
    const std::pair<QFile::Permission, unsigned> bits[] = {
        {QFile::ReadOwner, 0400}, {QFile::WriteOwner, 0200}, {QFile::ExeOwner, 0100},
        {QFile::ReadGroup, 0040}, {QFile::WriteGroup, 0020}, {QFile::ExeGroup, 0010},
        {QFile::ReadOther, 0004}, {QFile::WriteOther, 0002}, {QFile::ExeOther, 0001}};
    for (const auto &[flag, bit] : bits)
        if (p & flag)
            mode |= bit;
    return octal(mode);
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

QByteArray smallWebP()
{
    static const char webp[] = "\x52\x49\x46\x46\x1e\x00\x00\x00\x57\x45\x42\x50\x56\x50\x38\x4c\x11\x00\x00"
                               "\x00\x2f\x03\x80\x00\x00\x07\x50\x8f\x22\xd7\xa3\xff\x81\x88\xe8\x7f\x00\x00";
    return QByteArray(webp, sizeof webp - 1);
}

} // namespace testutil
