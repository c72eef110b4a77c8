// The category list's in-place editor: Tab goes from the name on to its
// translation beside it, Shift+Tab back (the tree itself would go down a
// row), each taken over as Enter would.
#pragma once

#include <QStyledItemDelegate>

class CategoryEditDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
};
