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

// The folder of the copies is the user's alone, also one that an earlier
// version made open to others.
void restrictFolder()
{
    platform::RestrictToOwner(RecoveryKeeper::folder().chopped(1));
}

// The folder of the copies, made when missing.
bool makeFolder()
{
    const QString dir = RecoveryKeeper::folder();
    if (QFileInfo(dir).isDir()) {
        restrictFolder();
        return true;
    }
    const QFileInfo fi(dir.chopped(1));
    QDir().mkpath(fi.absolutePath());
    // The user's alone: the copies hold the whole menu.
    return QDir().mkdir(fi.absoluteFilePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
           || fi.isDir();
}

QString digestName(const QString &key)
{
    return QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(32))
           + QStringLiteral(".vlr");
}

// The document path an .origin file holds; empty when it is missing, not a
// regular file or longer than any path.
QString readOrigin(const QString &path)
{
    const QFileInfo fi(path);
    if (!fi.isFile() || fi.isSymLink() || fi.size() > RecoveryKeeper::kOriginLimit)
        return QString();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.read(RecoveryKeeper::kOriginLimit));
}

// Whether a running program keeps this copy. A lock whose program ended is
// taken over by QLockFile; one that cannot be read is stale as well. Where no
// lock can be made (a read-only folder) a copy without a lock file is free.
bool heldByRunningProgram(const QString &copy)
{
    auto lock = makeLock(copy);
    if (lock->tryLock(0)) {
        lock->unlock();
        return false;
    }
    if (!QFileInfo::exists(copy + kLock))
        return false;
    qint64 pid = 0;
    QString host, app;
    return lock->getLockInfo(&pid, &host, &app);
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

QString RecoveryKeeper::nameFor(const QString &path) const
{
    // A digest of the document's full path (two "karte.vlr" in different
    // folders) or, untitled, of this run: short, visible and of the same
    // length for every document.
    const QString key = path.isEmpty() ? QStringLiteral("untitled:") + session_ : QFileInfo(path).absoluteFilePath();
    return folder() + digestName(key);
}

void RecoveryKeeper::setDocument(const QString &path, const QString &)
{
    const QString absolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    // The same document keeps its copy, whatever its name (a restored one).
    if (absolute == document_ && !copy_.isEmpty())
        return;
    releaseCopy(true);
    document_ = absolute;
    copy_ = nameFor(path);
}

bool RecoveryKeeper::lockCopy()
{
    if (lock_)
        return true;
    if (copy_.isEmpty() || !makeFolder())
        return false;
    auto lock = makeLock(copy_);
    qint64 pid = 0;
    QString host, app;
    // A lock that cannot be read belongs to no one.
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError && !lock->getLockInfo(&pid, &host, &app)
        && lock->removeStaleLockFile())
        lock->tryLock(0);
    if (!lock->isLocked()) {
        if (lock->error() != QLockFile::LockFailedError)
            return false; // no lock can be made here
        // Another running program keeps a copy of this document: this one
        // gets a copy of its own, named after this run as well.
        copy_ = folder() + digestName(document_ + QStringLiteral("\n") + session_);
        lock = makeLock(copy_);
        if (!lock->tryLock(0))
            return false;
    }
    lock_ = std::move(lock);
    return true;
}

void RecoveryKeeper::releaseCopy(bool removeFiles)
{
    timer_->stop();
    // Only the copy this program holds: another program's stays as it is.
    if (removeFiles && lock_ && !copy_.isEmpty())
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

void RecoveryKeeper::failed()
{
    if (told_)
        return;
    told_ = true;
    emit cannotWrite();
}

bool RecoveryKeeper::writeNow()
{
    if (!modified_ || copy_.isEmpty())
        return false;
    const QByteArray bytes = capture_();
    if (bytes.isEmpty())
        return false;
    if (bytes == written_ && lock_ && QFileInfo::exists(copy_))
        return true;
    if (!lockCopy()) {
        failed();
        return false;
    }
    // The origin first: a copy is never without the name of its document.
    // Both are the user's alone from their first byte.
    const QString origin = copy_ + kOrigin;
    if (readOrigin(origin) != document_ || !QFileInfo::exists(origin)) {
        if (!WriteFileAtomically(origin, document_.toUtf8(), nullptr, false, /*ownerOnly=*/true)) {
            failed();
            return false;
        }
    }
    if (!WriteFileAtomically(copy_, bytes, nullptr, false, /*ownerOnly=*/true)) {
        failed();
        return false;
    }
    written_ = bytes;
    return true;
}

QList<RecoveryKeeper::Candidate> RecoveryKeeper::pending()
{
    // At start: a folder left open by an earlier version is closed first.
    restrictFolder();
    QList<Candidate> found;
    const QDir dir(folder());
    // Hidden ones too: earlier copies were named after their document.
    const QFileInfoList entries = dir.entryInfoList({QStringLiteral("*.vlr")},
                                                    QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Time);
    for (const QFileInfo &fi : entries) {
        if (!fi.isFile() || fi.isSymLink())
            continue; // links, pipes and folders are no copies
        const QString copy = fi.absoluteFilePath();
        if (heldByRunningProgram(copy))
            continue;
        Candidate c;
        c.copy = copy;
        c.written = fi.lastModified();
        c.document = readOrigin(copy + kOrigin);
        const QFileInfo doc(c.document);
        if (!c.document.isEmpty() && doc.exists())
            c.documentWritten = doc.lastModified();
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
    document_ = c.document.isEmpty() ? QString() : QFileInfo(c.document).absoluteFilePath();
    copy_ = c.copy;
    modified_ = true;
    if (lockCopy() && copy_ == c.copy)
        written_ = capture_(); // the restored copy already is on disk
    // The next change writes it again.
}
