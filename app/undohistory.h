// Undo and redo of the document. Every step keeps a snapshot of the whole
// document, as the window makes it (the writer's bytes and what the file
// cannot hold), before and after the change, together with the selection;
// steps are taken back by reading the snapshot into the window again. A
// snapshot that cannot be read back leaves the window, the history's place
// and the saved mark as they were.
//
// The window tells the history after each change (record(), or a Step held
// around a command); the history compares the document with the last state it
// knows and pushes a step only when the bytes differ. Typing in one field or
// turning one spin box merges into a single step until another field or
// command follows. While a step is being taken back or forward the window's
// change notifications are ignored (restoring()).
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QUndoStack;

// What was selected when a step was taken: the category list's entry, the
// product list's row, the page of the tab control and the selected card
// (-1 = none).
struct DocumentSelection {
    int category = -1;
    int product = -1;
    int tab = -1;
    int card = -1;
};

class DocumentHistory : public QObject {
    Q_OBJECT
public:
    // The most steps kept; older ones are dropped. A step costs two
    // snapshots that it mostly shares with its neighbours.
    static constexpr int kStepLimit = 300;

    struct Window {
        std::function<QByteArray()> capture;                                   // the document's bytes now
        std::function<DocumentSelection()> selection;                          // the selection now
        // Reads a snapshot back; false (the window untouched) when it cannot.
        std::function<bool(const QByteArray &, const DocumentSelection &)> restore;
    };
    explicit DocumentHistory(Window window, QObject *parent = nullptr);
    ~DocumentHistory() override;

    QUndoStack *stack() const { return stack_; }

    // Opening, "Neu", closing: no steps, the current document is the clean one.
    // Until the first call (the window's first showing) nothing is recorded.
    void reset();
    // The current document is what the file holds now (saved).
    void markClean();
    bool isClean() const;

    // After a change: pushes a step named `name` if the document differs from
    // the last state. Steps with the same mergeKey (>= 0) follow each other
    // into one step; -1 never merges.
    void record(const QString &name, int mergeKey = -1);

    // Held around a command whose selection changes with it: takes the
    // selection when made, and records the step when it goes out of scope.
    // Changes reported while it lives belong to it.
    class Step {
    public:
        Step(DocumentHistory *h, QString name);
        ~Step();
        Step(const Step &) = delete;
        Step &operator=(const Step &) = delete;

    private:
        DocumentHistory *h_;
        QString name_;
        DocumentSelection before_;
    };

    // Held while the window replaces the document by code (opening, "Neu"):
    // its change notifications are no steps.
    class Pause {
    public:
        explicit Pause(DocumentHistory *h) : h_(h) { ++h_->restoring_; }
        ~Pause() { --h_->restoring_; }
        Pause(const Pause &) = delete;
        Pause &operator=(const Pause &) = delete;

    private:
        DocumentHistory *h_;
    };

    // True while a step is being undone or redone, or paused.
    bool restoring() const { return restoring_ > 0; }

    void undo();
    void redo();

    // Keeps these actions' texts ("Rückgängig: Produkt löschen") and enabled
    // state in step with the history. The prefixes come translated.
    void bindActions(QAction *undo, QAction *redo, std::function<QString()> undoPrefix,
                     std::function<QString()> redoPrefix);
    void updateActions();

    // The snapshot as of the last step (what undo would go back from).
    const QByteArray &current() const { return current_; }

signals:
    // The document became modified (true) or clean (false).
    void modifiedChanged(bool modified);
    // The document's content changed (a step, an undo or a redo).
    void contentChanged();
    // The bound actions have their new texts and states.
    void actionsUpdated();

private:
    friend class SnapshotCommand;
    void push(const QString &name, int mergeKey, const DocumentSelection &before);
    bool apply(const QByteArray &bytes, const DocumentSelection &sel);

    Window w_;
    QUndoStack *stack_;
    QByteArray current_, currentZ_; // the last state, raw and compressed
    DocumentSelection currentSelection_;
    int restoring_ = 1; // nothing is a step until the first reset()
    int inStep_ = 0;    // Steps alive: the command records once, at its end
    bool started_ = false;
    QAction *undoAction_ = nullptr, *redoAction_ = nullptr;
    std::function<QString()> undoPrefix_, redoPrefix_;
};
