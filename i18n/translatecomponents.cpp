#include "i18n/translatecomponents.h"

#include "i18n/filedialogfilter.h"
#include "i18n/translateunit.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDockWidget>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <deque>

namespace {

// What QAction::toolTip() shows when no tool tip of its own was set.
QString derivedToolTip(QString s)
{
    s.remove(QStringLiteral("..."));
    s.remove(QLatin1Char('&'));
    return s.trimmed();
}

bool hasOwnToolTip(const QAction *a)
{
    const QString tip = a->toolTip();
    if (tip.isEmpty())
        return false;
    if (!a->text().isEmpty())
        return tip != derivedToolTip(a->text());
    return tip != derivedToolTip(a->iconText());
}

// Dialogs that come with Qt keep Qt's texts.
bool isStandardDialog(const QObject *o)
{
    return qobject_cast<const QFileDialog *>(o) || qobject_cast<const QFontDialog *>(o)
           || qobject_cast<const QColorDialog *>(o) || qobject_cast<const QMessageBox *>(o)
           || o->inherits("QAbstractPrintDialog") || o->inherits("QPageSetupDialog")
           || o->inherits("QPrintPreviewDialog");
}

QTabWidget *tabWidgetOfPage(QWidget *w)
{
    auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget());
    if (!stack)
        return nullptr;
    auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget());
    if (tabs && tabs->indexOf(w) >= 0)
        return tabs;
    return nullptr;
}

class Walker {
public:
    explicit Walker(TranslationTable &t) : table(t) {}

    QString tr(const QString &s) { return s.isEmpty() ? s : table.TranslateStr(s); }

    void widgetToolTip(QWidget *w)
    {
        const QString t = tr(w->toolTip());
        if (t != w->toolTip())
            w->setToolTip(t);
    }

    void windowTitle(QWidget *w)
    {
        const QString t = tr(w->windowTitle());
        if (t != w->windowTitle())
            w->setWindowTitle(t);
    }

    // Translates o's texts by its kind; false when o must not be walked into.
    bool translate(QObject *o)
    {
        if (o->property("velloran_notranslate").toBool() || isStandardDialog(o))
            return false;
        if (o->objectName().startsWith(QLatin1String("qt_")))
            return true;

        if (auto *w = qobject_cast<QWidget *>(o)) {
            if (auto *l = qobject_cast<QLabel *>(w)) {
                const QString t = tr(l->text());
                if (t != l->text())
                    l->setText(t);
            } else if (auto *c = qobject_cast<QCheckBox *>(w)) {
                widgetToolTip(c);
                const QString t = tr(c->text());
                if (t != c->text())
                    c->setText(t);
            } else if (QTabWidget *tabs = tabWidgetOfPage(w)) {
                const int i = tabs->indexOf(w);
                const QString t = tr(tabs->tabText(i));
                if (t != tabs->tabText(i))
                    tabs->setTabText(i, t);
            } else if (qobject_cast<QMainWindow *>(w) || qobject_cast<QDialog *>(w)) {
                windowTitle(w);
            } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
                auto *tb = qobject_cast<QToolButton *>(b);
                if (tb && tb->defaultAction())
                    return true; // its texts are its action's
                const QString t = tr(b->text());
                if (t != b->text())
                    b->setText(t);
                widgetToolTip(b);
            } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
                const QString t = tr(g->title());
                if (t != g->title())
                    g->setTitle(t);
                widgetToolTip(g);
            } else if (auto *m = qobject_cast<QMenu *>(w)) {
                const QString t = tr(m->title());
                if (t != m->title())
                    m->setTitle(t);
            } else if (auto *s = qobject_cast<QAbstractSpinBox *>(w)) {
                widgetToolTip(s);
            } else if (auto *grid = qobject_cast<QTableWidget *>(w)) {
                if (grid->rowCount() > 0) {
                    for (int c = 0; c < grid->columnCount(); ++c) {
                        QTableWidgetItem *it = grid->item(0, c);
                        if (!it)
                            continue;
                        const QString t = tr(it->text());
                        if (t != it->text())
                            it->setText(t);
                    }
                }
            } else if (auto *tree = qobject_cast<QTreeWidget *>(w)) {
                QTreeWidgetItem *h = tree->headerItem();
                for (int c = 0; h && c < tree->columnCount(); ++c) {
                    const QString t = tr(h->text(c));
                    if (t != h->text(c))
                        h->setText(c, t);
                }
            } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
                const QString old = memo->toPlainText();
                if (!old.isEmpty()) {
                    QStringList lines = old.split(QLatin1Char('\n'));
                    for (QString &line : lines)
                        line = tr(line);
                    const QString t = lines.join(QLatin1Char('\n'));
                    if (t != old)
                        memo->setPlainText(t);
                }
            } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
                const QString t = tr(e->text());
                if (t != e->text())
                    e->setText(t);
            }
            return true;
        }

        if (auto *a = qobject_cast<QAction *>(o)) {
            if (auto *owner = qobject_cast<QMenu *>(a->parent()); owner && owner->menuAction() == a)
                return true; // the menu's own entry: its title is the menu's
            if (auto *bar = qobject_cast<QToolBar *>(a->parent()); bar && bar->toggleViewAction() == a)
                return true; // Qt's show/hide entry for the tool bar
            if (auto *dock = qobject_cast<QDockWidget *>(a->parent()); dock && dock->toggleViewAction() == a)
                return true;
            if (a->isSeparator()) {
                tr(QStringLiteral("-"));
                return true;
            }
            const bool ownTip = hasOwnToolTip(a);
            const QString t = tr(a->text());
            if (t != a->text())
                a->setText(t);
            if (ownTip) {
                const QString tip = tr(a->toolTip());
                if (tip != a->toolTip())
                    a->setToolTip(tip);
            }
            return true;
        }
        if (auto *f = qobject_cast<FileDialogFilter *>(o)) {
            f->filter = tr(f->filter);
            return true;
        }
        return true;
    }

    TranslationTable &table;
};

} // namespace

void TranslateComponents(QObject *root, TranslationTable &table, const QList<QObject *> &appWindows)
{
    if (!root)
        return;
    Walker walker(table);
    if (root->isWidgetType()) {
        auto *w = static_cast<QWidget *>(root);
        if (qobject_cast<QMainWindow *>(w) || qobject_cast<QDialog *>(w))
            walker.windowTitle(w);
    }

    const bool appRoot = qobject_cast<QCoreApplication *>(root) != nullptr;
    std::deque<QObject *> queue{root};
    QList<QObject *> children;
    while (!queue.empty()) {
        QObject *owner = queue.front();
        QList<QObject *> owned;
        if (owner == root && appRoot) {
            owned = appWindows;
            if (owned.isEmpty()) {
                for (QWidget *w : QApplication::topLevelWidgets()) {
                    if (!w->parent() && (qobject_cast<QMainWindow *>(w) || qobject_cast<QDialog *>(w)))
                        owned << w;
                }
            }
        } else {
            owned = owner->children();
        }
        for (qsizetype i = owned.size() - 1; i >= 0; --i) {
            QObject *o = owned.at(i);
            if (walker.translate(o))
                children << o;
        }
        queue.pop_front();
        for (QObject *o : children)
            queue.push_back(o);
        children.clear();
    }
}

void TranslateComponents(QObject *root, const QList<QObject *> &appWindows)
{
    TranslateComponents(root, Translations(), appWindows);
}
