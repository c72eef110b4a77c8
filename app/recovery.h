// Crash recovery. While the document is modified, a copy of it is written
// from the event loop at most once an interval (a minute; the environment
// variable VELLORAN_RECOVERY_SECONDS sets another number of seconds, for
// tests) into the user's data folder, in the document format and through the
// temporary-file-and-rename writer. The copy is named after the document
// ("karte.vlr-1a2b3c4d.vlr"); a small ".origin" file next to it holds the
// document's full path (empty for an untitled document). Saving, closing
// without saving and undoing back to the saved state remove it. A failed
// write is never shown; the next one tries again.
//
// A running program holds a lock on its copy, so a second program started
// meanwhile does not offer it. At start, a copy that is newer than its
// document, or whose document does not exist, is offered for restoring.
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
    // the name shown for it. A different document drops the old copy.
    void setDocument(const QString &path, const QString &shownName);
    // The document's content changed; modified says whether it differs from
    // the saved state. Starts the interval when modified, removes the copy
    // when not.
    void changed(bool modified);
    // Saved or closed without saving: the copy goes.
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
    };
    // The copies to offer, newest first: newer than their document or whose
    // document does not exist, and held by no running program. Copies older
    // than their document are stale and removed.
    static QList<Candidate> pending();
    // Removes a copy and its origin file.
    static void remove(const QString &copy);
    // Renames a damaged copy so that it is neither offered again nor lost;
    // returns its new path (empty if it could not be renamed).
    static QString setAside(const QString &copy);
    // The restored copy becomes this window's copy (replaced by the next
    // write, removed on save).
    void adopt(const Candidate &c);

private:
    QString nameFor(const QString &path, const QString &shownName) const;
    void lockCopy();
    void releaseCopy(bool removeFiles);

    std::function<QByteArray()> capture_;
    QTimer *timer_;
    QString document_;
    QString copy_;
    QByteArray written_; // what the copy on disk holds
    bool modified_ = false;
    std::unique_ptr<QLockFile> lock_;
    QString session_; // distinguishes untitled documents of different runs
};
