#include "i18n/TranslateFUnit.h"

#include "i18n/translateunit.h"

#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The grid; it tells whether a cell editor is open.
class TranslateGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    bool isEditing() const { return state() == EditingState; }
};

// Only the letters a to z are folded; other letters compare as they are.
QString foldAZ(QString s)
{
    for (QChar &ch : s) {
        if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z'))
            ch = QChar(ch.unicode() - 'a' + 'A');
    }
    return s;
}

const char *const kHeaders[5] = {"German", "English", "Français", "Nederlands", "Swedish"};

} // namespace

// Reports every change of the edited text to the form, so each keystroke
// reaches the table and the file.
class KeystrokeDelegate : public QStyledItemDelegate {
public:
    KeystrokeDelegate(TTranslateForm *form) : QStyledItemDelegate(form), form_(form) {}
    // The form is going away: an editor committed while its children are
    // destroyed must not reach it.
    void detach() { form_ = nullptr; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *edit = qobject_cast<QLineEdit *>(w); edit && form_) {
            const QPersistentModelIndex where(index);
            TTranslateForm *form = form_;
            QObject::connect(edit, &QLineEdit::textEdited, form, [form, where](const QString &text) {
                if (where.isValid())
                    form->StringGrid1SetEditText(where.column(), where.row(), text);
            });
        }
        return w;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        const QString before = index.data(Qt::EditRole).toString();
        QStyledItemDelegate::setModelData(editor, model, index);
        const QString after = index.data(Qt::EditRole).toString();
        if (after != before && form_)
            form_->StringGrid1SetEditText(index.column(), index.row(), after);
    }

private:
    TTranslateForm *form_;
};

TTranslateForm::TTranslateForm(QWidget *parent, TranslationTable *table)
    : QDialog(parent), table_(table ? table : &Translations())
{
    setObjectName(QStringLiteral("TranslateForm"));
    setWindowTitle(QStringLiteral("Übersetzen"));
    resize(705, 453);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setFixedHeight(35);
    BackBtn = new QPushButton(QStringLiteral("Zurück..."), Panel1);
    BackBtn->setObjectName(QStringLiteral("BackBtn"));
    BackBtn->setGeometry(8, 10, 105, 25);
    BackBtn->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::NoFrame);
    Panel2->setFixedHeight(40);
    FilterEdit = new QLineEdit(Panel2);
    FilterEdit->setObjectName(QStringLiteral("FilterEdit"));
    FilterEdit->setGeometry(8, 8, 153, 21);
    FilterBtn = new QPushButton(QStringLiteral("Suchen"), Panel2);
    FilterBtn->setObjectName(QStringLiteral("FilterBtn"));
    FilterBtn->setGeometry(167, 6, 145, 25);
    FilterBtn->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    DeleteRowBtn = new QPushButton(QStringLiteral("Zeile löchen"), Panel2);
    DeleteRowBtn->setObjectName(QStringLiteral("DeleteRowBtn"));
    DeleteRowBtn->setGeometry(318, 6, 131, 25);
    DeleteRowBtn->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    FixedColCheck = new QCheckBox(QStringLiteral("Erste Spalte fixieren"), Panel2);
    FixedColCheck->setObjectName(QStringLiteral("FixedColCheck"));
    FixedColCheck->setGeometry(455, 6, 194, 17);
    // No button is pressed by Enter; Esc belongs to DeleteRowBtn.
    for (QPushButton *b : {BackBtn, FilterBtn, DeleteRowBtn}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *grid = new TranslateGrid(this);
    StringGrid1 = grid;
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setColumnCount(kTransColumns);
    StringGrid1->setRowCount(1);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setDefaultSectionSize(250);
    StringGrid1->setShowGrid(true);
    // One line per cell, clipped at the cell's edge.
    StringGrid1->setWordWrap(false);
    StringGrid1->setTextElideMode(Qt::ElideNone);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    StringGrid1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    StringGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                 | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    delegate_ = new KeystrokeDelegate(this);
    StringGrid1->setItemDelegate(delegate_);
    StringGrid1->installEventFilter(this);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    layout->addWidget(Panel1);
    layout->addWidget(Panel2);
    layout->addWidget(StringGrid1, 1);
    layout->addWidget(StatusBar1);

    connect(BackBtn, &QPushButton::clicked, this, &TTranslateForm::BackBtnClick);
    connect(FilterBtn, &QPushButton::clicked, this, &TTranslateForm::FilterBtnClick);
    connect(DeleteRowBtn, &QPushButton::clicked, this, &TTranslateForm::DeleteRowBtnClick);
    connect(FixedColCheck, &QCheckBox::clicked, this, &TTranslateForm::FixedColCheckClick);

    ask = [this](const QString &caption, const QString &text, QMessageBox::StandardButtons buttons) {
        QMessageBox box(QMessageBox::Question, caption, text, buttons, this);
        return QMessageBox::StandardButton(box.exec());
    };
}

TTranslateForm::~TTranslateForm()
{
    delegate_->detach();
}

void TTranslateForm::FillStringGrid()
{
    const int rows = table_->RowCount();
    const QSignalBlocker block(StringGrid1);
    StringGrid1->setColumnCount(kTransColumns);
    StringGrid1->setRowCount(rows + 1);
    auto put = [this](int r, int c, const QString &text) {
        if (QTableWidgetItem *it = StringGrid1->item(r, c))
            it->setText(text);
        else
            StringGrid1->setItem(r, c, new QTableWidgetItem(text));
    };
    for (int c = 0; c < kTransColumns; ++c)
        put(0, c, c < 5 ? QString::fromUtf8(kHeaders[c]) : QStringLiteral("language%1").arg(c));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < kTransColumns; ++c)
            put(r + 1, c, table_->Cell(r, c));
    }
    applyCellFlags();
}

void TTranslateForm::applyCellFlags()
{
    const Qt::ItemFlags fixed = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const Qt::ItemFlags editable = fixed | Qt::ItemIsEditable;
    const bool germanFixed = FixedColCheck->isChecked();
    const QBrush headerBrush = palette().button();
    for (int r = 0; r < StringGrid1->rowCount(); ++r) {
        for (int c = 0; c < StringGrid1->columnCount(); ++c) {
            QTableWidgetItem *it = StringGrid1->item(r, c);
            if (!it)
                continue;
            const bool isFixed = r == 0 || (c == 0 && germanFixed);
            it->setFlags(isFixed ? fixed : editable);
            if (isFixed)
                it->setBackground(headerBrush);
            else if (it->background().style() != Qt::NoBrush)
                it->setBackground(QBrush());
        }
    }
}

// The questions carry the caption of the button that asks them (already in
// the interface language).
void TTranslateForm::FilterBtnClick()
{
    const QString needle = foldAZ(FilterEdit->text());
    if (needle.isEmpty())
        return;
    for (int r = 0; r < StringGrid1->rowCount(); ++r) {
        for (int c = 0; c < StringGrid1->columnCount(); ++c) {
            QTableWidgetItem *it = StringGrid1->item(r, c);
            if (!it || !foldAZ(it->text()).contains(needle))
                continue;
            StringGrid1->setCurrentCell(r, c, QItemSelectionModel::ClearAndSelect);
            StringGrid1->verticalScrollBar()->setValue(r);
            StringGrid1->horizontalScrollBar()->setValue(c);
            const QMessageBox::StandardButton answer =
                ask(FilterBtn->text(), table_->TranslateStr(QStringLiteral("Weitersuchen?")),
                    QMessageBox::Yes | QMessageBox::No);
            if (answer != QMessageBox::Yes)
                return;
        }
    }
}

void TTranslateForm::DeleteRowBtnClick()
{
    const int r = StringGrid1->currentRow();
    const int c = std::max(StringGrid1->currentColumn(), 0);
    if (r >= 1 && r <= table_->RowCount()) {
        const QMessageBox::StandardButton answer =
            ask(DeleteRowBtn->text(), table_->Cell(r - 1, 0),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Yes)
            table_->DeleteRow(r - 1);
    }
    save();
    FillStringGrid();
    if (r >= 0 && r < StringGrid1->rowCount())
        StringGrid1->setCurrentCell(r, c);
}

void TTranslateForm::StringGrid1SetEditText(int c, int r, const QString &text)
{
    if (r >= 1 && r <= table_->RowCount() && c >= 0 && c < kTransColumns)
        table_->SetCell(r - 1, c, text);
    save();
}

void TTranslateForm::save()
{
    if (table_->filePath().isEmpty() || table_->SaveTranslations()) {
        if (saveFailed_)
            StatusBar1->clearMessage();
        saveFailed_ = false;
        return;
    }
    // Said each time, so that it stays in view while the user types on.
    saveFailed_ = true;
    StatusBar1->showMessage(table_->TranslateStr(QStringLiteral("Die Übersetzungstabelle konnte nicht gespeichert werden."))
                            + QStringLiteral(" ") + table_->filePath());
}

void TTranslateForm::FixedColCheckClick()
{
    applyCellFlags();
    updateFrozenColumn();
}

void TTranslateForm::BackBtnClick()
{
    accept();
}

void TTranslateForm::updateFrozenColumn()
{
    if (!FixedColCheck->isChecked()) {
        if (frozen_)
            frozen_->hide();
        return;
    }
    if (!frozen_) {
        // A second view of the same cells showing only the German column,
        // laid over the grid's left edge: it stays put when the grid scrolls
        // sideways and follows it up and down.
        auto *view = new QTableView(StringGrid1);
        view->setObjectName(QStringLiteral("FrozenGermanColumn"));
        view->setModel(StringGrid1->model());
        view->setSelectionModel(StringGrid1->selectionModel());
        view->setItemDelegate(StringGrid1->itemDelegate());
        view->horizontalHeader()->hide();
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(StringGrid1->verticalHeader()->defaultSectionSize());
        view->setWordWrap(false);
        view->setTextElideMode(Qt::ElideNone);
        view->setFocusPolicy(Qt::NoFocus);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        view->setFrameShape(QFrame::NoFrame);
        view->setStyleSheet(QStringLiteral("QTableView { border-right: 1px solid palette(mid); }"));
        connect(view->verticalScrollBar(), &QScrollBar::valueChanged, StringGrid1->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(StringGrid1->verticalScrollBar(), &QScrollBar::valueChanged, view->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(StringGrid1->horizontalHeader(), &QHeaderView::sectionResized, this,
                [this](int, int, int) { updateFrozenColumn(); });
        frozen_ = view;
    }
    for (int c = 1; c < StringGrid1->columnCount(); ++c)
        frozen_->setColumnHidden(c, true);
    frozen_->setColumnWidth(0, StringGrid1->columnWidth(0));
    const QRect vp = StringGrid1->viewport()->geometry();
    frozen_->setGeometry(vp.x(), vp.y(), StringGrid1->columnWidth(0) + 1, vp.height());
    frozen_->verticalScrollBar()->setValue(StringGrid1->verticalScrollBar()->value());
    frozen_->show();
    frozen_->raise();
}

void TTranslateForm::keyPressEvent(QKeyEvent *e)
{
    // Esc presses the delete button; it does not close the window.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        DeleteRowBtn->click();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TTranslateForm::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == StringGrid1) {
        if (e->type() == QEvent::KeyPress) {
            auto *ke = static_cast<QKeyEvent *>(e);
            if (ke->key() == Qt::Key_Delete && ke->modifiers() == Qt::NoModifier
                && !static_cast<TranslateGrid *>(StringGrid1)->isEditing()) {
                DeleteRowBtnClick();
                return true;
            }
        } else if (e->type() == QEvent::Resize && frozen_ && frozen_->isVisible()) {
            updateFrozenColumn();
        }
    }
    return QDialog::eventFilter(watched, e);
}
