#include "app/recovery.h"

#include "catalogue/brastel.h"
#include "catalogue/platform.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTimer>
#include <QUuid>
#include <algorithm>

namespace {

QString g_folderOverride;

const QLatin1String kOrigin(".origin");
const QLatin1String kLock(".lock");

QString withSlash(QString d)
{
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}

// A lock that tells whether a running program owns the copy; a program that
// was killed leaves a stale lock, which QLockFile recognises by the process id.
std::unique_ptr<QLockFile> makeLock(const QString &copy)
{
    auto lock = std::make_unique<QLockFile>(copy + kLock);
    lock->setStaleLockTime(0); // only a dead owner makes a lock stale
    return lock;
}

} // namespace

RecoveryKeeper::RecoveryKeeper(std::function<QByteArray()> capture, QObject *parent)
    : QObject(parent), capture_(std::move(capture)), timer_(new QTimer(this)),
      session_(QUuid::createUuid().toString(QUuid::Id128).left(8))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (!writeNow() && modified_)
            timer_->start(intervalMs()); // failed: try again after the next interval
    });
}

RecoveryKeeper::~RecoveryKeeper()
{
    // A window that goes away without closing (a test, an exception) keeps
    // its copy; a closed window has discarded it already.
    lock_.reset();
}

QString RecoveryKeeper::folder()
{
    if (!g_folderOverride.isEmpty())
        return withSlash(g_folderOverride);
    return withSlash(platform::LocalDataDir()) + QStringLiteral("recovery/");
}

void RecoveryKeeper::setFolderOverride(const QString &dir)
{
    g_folderOverride = dir;
}

int RecoveryKeeper::intervalMs()
{
    bool ok = false;
    const double s = qEnvironmentVariable("VELLORAN_RECOVERY_SECONDS").toDouble(&ok);
    if (ok && s > 0 && s <= 24 * 3600)
        return std::max(1, int(s * 1000));
    return 60 * 1000;
}

QString RecoveryKeeper::nameFor(const QString &path, const QString &shownName) const
{
    // The name shown for the document, and a short digest of its full path
    // (two "karte.vlr" in different folders) or, untitled, of this run.
    const QString key = path.isEmpty() ? session_ : QFileInfo(path).absoluteFilePath();
    const QByteArray digest = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    QString shown = shownName;
    shown.replace(QLatin1Char('/'), QLatin1Char('_'));
    return folder() + shown + QLatin1Char('-') + QString::fromLatin1(digest) + QStringLiteral(".vlr");
}

void RecoveryKeeper::setDocument(const QString &path, const QString &shownName)
{
    const QString copy = nameFor(path, shownName);
    if (copy == copy_ && path == document_)
        return;
    releaseCopy(true);
    document_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    copy_ = copy;
}

void RecoveryKeeper::lockCopy()
{
    if (lock_ || copy_.isEmpty())
        return;
    QDir().mkpath(QFileInfo(copy_).absolutePath());
    auto lock = makeLock(copy_);
    if (lock->tryLock(0))
        lock_ = std::move(lock);
}

void RecoveryKeeper::releaseCopy(bool removeFiles)
{
    timer_->stop();
    if (removeFiles && !copy_.isEmpty())
        remove(copy_);
    lock_.reset();
    written_.clear();
}

void RecoveryKeeper::changed(bool modified)
{
    modified_ = modified;
    if (!modified) {
        discard();
        return;
    }
    if (!timer_->isActive())
        timer_->start(intervalMs());
}

void RecoveryKeeper::discard()
{
    modified_ = false;
    releaseCopy(true);
}

bool RecoveryKeeper::writeNow()
{
    if (!modified_ || copy_.isEmpty())
        return false;
    const QByteArray bytes = capture_();
    if (bytes.isEmpty())
        return false;
    if (bytes == written_ && QFileInfo::exists(copy_))
        return true;
    lockCopy();
    // The origin first: a copy is never without the name of its document.
    const QString origin = copy_ + kOrigin;
    if (!QFileInfo::exists(origin) && !WriteFileAtomically(origin, document_.toUtf8(), nullptr, false))
        return false;
    if (!WriteFileAtomically(copy_, bytes, nullptr, false))
        return false;
    written_ = bytes;
    return true;
}

QList<RecoveryKeeper::Candidate> RecoveryKeeper::pending()
{
    QList<Candidate> found;
    const QDir dir(folder());
    for (const QFileInfo &fi : dir.entryInfoList({QStringLiteral("*.vlr")}, QDir::Files, QDir::Time)) {
        const QString copy = fi.absoluteFilePath();
        auto lock = makeLock(copy);
        if (!lock->tryLock(0))
            continue; // a running program is keeping it
        Candidate c;
        c.copy = copy;
        c.written = fi.lastModified();
        QFile origin(copy + kOrigin);
        if (origin.open(QIODevice::ReadOnly))
            c.document = QString::fromUtf8(origin.readAll());
        const QFileInfo doc(c.document);
        if (!c.document.isEmpty() && doc.exists() && doc.lastModified() >= c.written) {
            // Saved after the copy was written: the copy is of no more use.
            lock->unlock();
            remove(copy);
            continue;
        }
        lock->unlock();
        found << c;
    }
    return found;
}

void RecoveryKeeper::remove(const QString &copy)
{
    QFile::remove(copy);
    QFile::remove(copy + kOrigin);
}

QString RecoveryKeeper::setAside(const QString &copy)
{
    QString target = copy + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = copy + QStringLiteral(".damaged-%1").arg(n);
    if (!QFile::rename(copy, target))
        return QString();
    QFile::rename(copy + kOrigin, target + kOrigin);
    return target;
}

void RecoveryKeeper::adopt(const Candidate &c)
{
    releaseCopy(false);
    document_ = c.document;
    copy_ = c.copy;
    modified_ = true;
    lockCopy();
    written_ = capture_();
    // The restored copy already is on disk; the next change writes it again.
}
