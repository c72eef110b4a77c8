// The interface translation: one breadth-first walk over the windows and
// everything they own, passing every text of the listed kinds through the
// translation lookup.
#pragma once

#include <QList>
#include <QObject>

class TranslationTable;

// Walks root and, level by level, the objects it owns (QObject children,
// visited from the last child down to the first), replacing each text by its
// translation:
//   QLabel text; QCheckBox tool tip, then text; a page of a QTabWidget its tab
//   text; QMainWindow/QDialog window title; other buttons text, then tool tip
//   (a tool button showing an action is left to the action); QGroupBox title,
//   then tool tip; QAction text, then its own tool tip (separators pass "-"
//   through the lookup); QMenu title; QAbstractSpinBox tool tip; QTableWidget
//   the cells of row 0; QTreeWidget the header captions; FileDialogFilter the
//   whole filter; QPlainTextEdit each line; QLineEdit its text.
// Empty texts stay as they are. Qt's own helper objects (object names starting
// "qt_") keep their texts but are walked through. An object with the dynamic
// property velloran_notranslate = true, and the standard file, font, colour,
// print and message dialogs, keep their texts and are not walked into.
//
// When root is the application object, the objects it owns are the program's
// windows given in appWindows, in creation order (main window, product
// dialog, about box, translation editor); like every owner's objects they are
// visited from the last to the first. If appWindows is empty, Qt's top-level
// main windows and dialogs are used in Qt's order.
// A window given as root has its own title translated first.
void TranslateComponents(QObject *root, TranslationTable &table, const QList<QObject *> &appWindows = {});
// The same with the program's table.
void TranslateComponents(QObject *root, const QList<QObject *> &appWindows = {});
