// The translation editor: the whole translation table as a grid, one row per
// German text and one column per language. Every change made in the grid goes
// into the table and into translate.dat at once.
#pragma once

#include <QDialog>
#include <QMessageBox>

#include <functional>

class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableView;
class QTableWidget;
class TranslationTable;
class KeystrokeDelegate;

class TTranslateForm : public QDialog {
    Q_OBJECT
public:
    // Edits table, or the program's table when null.
    explicit TTranslateForm(QWidget *parent = nullptr, TranslationTable *table = nullptr);
    ~TTranslateForm() override;

    // Refills the grid from the table.
    void FillStringGrid();

    // Asks a question and returns the button pressed. Tests replace it; by
    // default a QMessageBox with this window as parent.
    using AskFn = std::function<QMessageBox::StandardButton(const QString &caption, const QString &text,
                                                            QMessageBox::StandardButtons buttons)>;
    AskFn ask;

    // The table shown; grid row r (from 1) is table row r - 1.
    TranslationTable &table() const { return *table_; }

    QFrame *Panel1;
    QPushButton *BackBtn;
    QFrame *Panel2;
    QLineEdit *FilterEdit;
    QPushButton *FilterBtn;
    QPushButton *DeleteRowBtn;
    QCheckBox *FixedColCheck;
    QTableWidget *StringGrid1;
    QStatusBar *StatusBar1;

public slots:
    void FilterBtnClick();
    void DeleteRowBtnClick();
    void FixedColCheckClick();
    void BackBtnClick();
    // The text of the cell being edited (column c, grid row r) changed.
    void StringGrid1SetEditText(int c, int r, const QString &text);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    // Writes the table; a failure is shown on the status bar.
    void save();
    void applyCellFlags();
    void updateFrozenColumn();

    TranslationTable *table_;
    KeystrokeDelegate *delegate_;
    QTableView *frozen_ = nullptr; // the German column kept in view while fixed
    bool saveFailed_ = false;
};
