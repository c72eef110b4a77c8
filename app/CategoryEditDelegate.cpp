#include "app/CategoryEditDelegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>

bool CategoryEditDelegate::eventFilter(QObject *o, QEvent *e)
{
    auto *editor = qobject_cast<QWidget *>(o);
    auto *view = qobject_cast<QAbstractItemView *>(parent());
    if (e->type() == QEvent::KeyPress && editor && view) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        const QModelIndex at = view->indexAt(editor->geometry().center());
        const int to = key == Qt::Key_Tab ? 1 : key == Qt::Key_Backtab ? 0 : -1;
        if (to >= 0 && at.isValid() && at.column() != to) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            const QModelIndex next = at.siblingAtColumn(to);
            view->setCurrentIndex(next);
            view->edit(next);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(o, e);
}
