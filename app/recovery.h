// Crash recovery. While the document is modified, a copy of it is written
// from the event loop at most once an interval (a minute; the environment
// variable VELLORAN_RECOVERY_SECONDS sets another number of seconds, for
// tests) into the user's data folder, in the document format and through the
// temporary-file-and-rename writer. The copy is named by a digest of the
// document's full path ("3f9a...c1.vlr"), so every document gets one whatever
// its name; a small ".origin" file next to it holds the document's full path
// (empty for an untitled document). Saving, closing without saving and
// undoing back to the saved state remove it. The folder is the user's alone
// (0700; one made open to others by an earlier version is closed at start),
// the copies too (0600 from their first byte).
//
// A copy belongs to the running program that holds its lock: no other
// program writes or removes it (a second program editing the same document
// keeps a copy of its own). A lock that cannot be read, or whose program no
// longer runs, is stale. At start, every copy that no running program holds
// is offered, also one older than its document (both times are shown); only
// the user removes it. When no copy can be written (a read-only or full
// folder) the window is told once; copies already there are still offered.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLockFile;
class QTimer;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // capture returns the document's bytes as they stand.
    explicit RecoveryKeeper(std::function<QByteArray()> capture, QObject *parent = nullptr);
    ~RecoveryKeeper() override;

    // The folder of the recovery copies (with a trailing '/'): "recovery" in
    // the user's data folder, unless set by setFolderOverride (tests).
    static QString folder();
    static void setFolderOverride(const QString &dir);
    // The interval between two writes in milliseconds.
    static int intervalMs();

    // The document now being edited: its full path (empty when untitled) and
    // the name shown for it. A different document drops this program's copy
    // of the old one.
    void setDocument(const QString &path, const QString &shownName = QString());
    // The document's content changed; modified says whether it differs from
    // the saved state. Starts the interval when modified, removes the copy
    // when not.
    void changed(bool modified);
    // Saved or closed without saving: the copy goes (when this program holds it).
    void discard();
    // Writes the copy now if the document is modified and differs from the
    // last copy (the interval's work). Returns whether a copy is on disk.
    bool writeNow();
    QString copyPath() const { return copy_; }

    // A copy found at start.
    struct Candidate {
        QString copy;     // path of the recovery copy
        QString document; // the document's path; empty when it was untitled
        QDateTime written;
        QDateTime documentWritten; // the document's time; invalid when it does not exist
        // The document was saved after the copy was written.
        bool olderThanDocument() const { return documentWritten.isValid() && documentWritten >= written; }
    };
    // The copies to offer, newest first: every regular file of the folder
    // that no running program holds.
    static QList<Candidate> pending();
    // The longest .origin file read.
    static constexpr qint64 kOriginLimit = 64 * 1024;
    // Removes a copy and its origin file.
    static void remove(const QString &copy);
    // Renames a damaged copy so that it is neither offered again nor lost;
    // returns its new path (empty if it could not be renamed).
    static QString setAside(const QString &copy);
    // The restored copy becomes this window's copy (replaced by the next
    // write, removed on save or discard), also an untitled one: the copy
    // stays with its document, not with the name this run would give it.
    void adopt(const Candidate &c);
    // Whether this program holds the lock of its copy.
    bool holdsCopy() const { return bool(lock_); }

signals:
    // A copy could not be written; raised once for the keeper's life.
    void cannotWrite();

private:
    QString nameFor(const QString &path) const;
    bool lockCopy();
    void releaseCopy(bool removeFiles);
    void failed();

    std::function<QByteArray()> capture_;
    QTimer *timer_;
    QString document_;
    QString copy_;
    QByteArray written_; // what the copy on disk holds
    bool modified_ = false;
    std::unique_ptr<QLockFile> lock_;
    QString session_; // distinguishes untitled documents of different runs
    bool told_ = false;
};
