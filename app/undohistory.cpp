#include "app/undohistory.h"

#include <QAction>
#include <QUndoCommand>
#include <QUndoStack>

// One step: the document before and after, compressed (neighbouring steps
// share the snapshot between them), and the selection at both ends.
class SnapshotCommand : public QUndoCommand {
public:
    SnapshotCommand(DocumentHistory *h, const QString &name, int mergeKey, QByteArray before,
                    QByteArray after, const DocumentSelection &selBefore, const DocumentSelection &selAfter)
        : QUndoCommand(name), h_(h), key_(mergeKey), before_(std::move(before)), after_(std::move(after)),
          selBefore_(selBefore), selAfter_(selAfter)
    {
    }

    int id() const override { return key_; }

    bool mergeWith(const QUndoCommand *other) override
    {
        // Only the step on top that has not been taken back since merges:
        // after an undo and redo the next keystroke starts a step of its own.
        if (sealed_ || other->id() != key_)
            return false;
        auto *o = static_cast<const SnapshotCommand *>(other);
        after_ = o->after_;
        selAfter_ = o->selAfter_;
        // Typed and deleted again: the step changes nothing and goes.
        setObsolete(after_ == before_);
        return true;
    }

    // Reads one end back into the window; false when it cannot be read (the
    // window is untouched then).
    bool load(bool before)
    {
        return h_->apply(qUncompress(before ? before_ : after_), before ? selBefore_ : selAfter_);
    }
    // The end the next undo() or redo() goes to was read back already.
    bool loaded = false;

    void undo() override
    {
        sealed_ = true;
        if (loaded)
            loaded = false;
        else
            load(true);
    }

    void redo() override
    {
        if (first_) { // pushed after the change was made: nothing to do
            first_ = false;
            return;
        }
        sealed_ = true;
        if (loaded)
            loaded = false;
        else
            load(false);
    }

private:
    DocumentHistory *h_;
    int key_;
    QByteArray before_, after_; // compressed
    DocumentSelection selBefore_, selAfter_;
    bool first_ = true;
    bool sealed_ = false;
};

namespace {
// Snapshots are text-heavy and shrink to a fraction; the fastest level keeps a
// keystroke in a large document cheap.
QByteArray pack(const QByteArray &raw)
{
    return qCompress(raw, 1);
}
} // namespace

DocumentHistory::DocumentHistory(Window window, QObject *parent)
    : QObject(parent), w_(std::move(window)), stack_(new QUndoStack(this))
{
    stack_->setUndoLimit(kStepLimit);
    connect(stack_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
    connect(stack_, &QUndoStack::indexChanged, this, [this] { updateActions(); });
}

DocumentHistory::~DocumentHistory() = default;

void DocumentHistory::reset()
{
    if (!started_) {
        started_ = true;
        --restoring_;
    }
    ++restoring_;
    stack_->clear(); // clean again; raises cleanChanged when it was not
    --restoring_;
    current_ = w_.capture();
    currentZ_ = pack(current_);
    currentSelection_ = w_.selection();
    updateActions();
}

void DocumentHistory::markClean()
{
    const bool wasClean = stack_->isClean();
    stack_->setClean();
    // The next keystroke must not merge into a step that ends at the saved
    // state: Qt does not merge into the clean step.
    if (wasClean)
        emit modifiedChanged(false);
}

bool DocumentHistory::isClean() const
{
    return stack_->isClean();
}

void DocumentHistory::record(const QString &name, int mergeKey)
{
    if (restoring() || inStep_ > 0)
        return;
    push(name, mergeKey, w_.selection());
}

void DocumentHistory::push(const QString &name, int mergeKey, const DocumentSelection &before)
{
    QByteArray now = w_.capture();
    const DocumentSelection sel = w_.selection();
    if (now == current_ || now.isEmpty()) {
        currentSelection_ = sel;
        return;
    }
    QByteArray nowZ = pack(now);
    auto *cmd = new SnapshotCommand(this, name, mergeKey, currentZ_, nowZ, before, sel);
    current_ = std::move(now);
    currentZ_ = std::move(nowZ);
    currentSelection_ = sel;
    const bool wasClean = stack_->isClean();
    stack_->push(cmd);
    // A step that leaves the clean state raises cleanChanged; one that
    // lands on it again (typed and deleted) as well. Otherwise the state
    // stays as it was.
    if (wasClean == stack_->isClean() && !wasClean)
        emit modifiedChanged(true);
    emit contentChanged();
    updateActions();
}

bool DocumentHistory::apply(const QByteArray &bytes, const DocumentSelection &sel)
{
    ++restoring_;
    const bool read = w_.restore(bytes, sel);
    --restoring_;
    if (!read)
        return false;
    current_ = bytes;
    currentZ_ = pack(bytes);
    currentSelection_ = sel;
    emit contentChanged();
    return true;
}

DocumentHistory::Step::Step(DocumentHistory *h, QString name)
    : h_(h), name_(std::move(name)), before_(h->w_.selection())
{
    ++h_->inStep_;
}

DocumentHistory::Step::~Step()
{
    if (--h_->inStep_ == 0 && !h_->restoring())
        h_->push(name_, -1, before_);
}

// The snapshot is read back first; only when that succeeds does the stack
// move (QUndoStack moves its index whatever the command does).
void DocumentHistory::undo()
{
    if (!stack_->canUndo())
        return;
    auto *cmd = static_cast<SnapshotCommand *>(const_cast<QUndoCommand *>(stack_->command(stack_->index() - 1)));
    if (!cmd->load(true))
        return;
    cmd->loaded = true;
    stack_->undo();
}

void DocumentHistory::redo()
{
    if (!stack_->canRedo())
        return;
    auto *cmd = static_cast<SnapshotCommand *>(const_cast<QUndoCommand *>(stack_->command(stack_->index())));
    if (!cmd->load(false))
        return;
    cmd->loaded = true;
    stack_->redo();
}

void DocumentHistory::bindActions(QAction *undo, QAction *redo, std::function<QString()> undoPrefix,
                                  std::function<QString()> redoPrefix)
{
    undoAction_ = undo;
    redoAction_ = redo;
    undoPrefix_ = std::move(undoPrefix);
    redoPrefix_ = std::move(redoPrefix);
    // The texts stay as the menu was built until the first reset(), so that
    // the interface translation meets the German ones.
}

void DocumentHistory::updateActions()
{
    auto set = [](QAction *a, const QString &prefix, bool can, const QString &step) {
        if (!a)
            return;
        const QString text = can && !step.isEmpty() ? prefix + QStringLiteral(": ") + step : prefix;
        a->setText(text);
        a->setEnabled(can);
    };
    if (undoAction_ && undoPrefix_)
        set(undoAction_, undoPrefix_(), stack_->canUndo(), stack_->undoText());
    if (redoAction_ && redoPrefix_)
        set(redoAction_, redoPrefix_(), stack_->canRedo(), stack_->redoText());
    emit actionsUpdated();
}
