// The main window's product commands: a new product (onto the cards that
// carry its category), editing one (its cards and "nicht im Angebot"
// included), copying a product, moving it to another category (context menu,
// or dropping it on a category of the upper list), the product list with its
// price and card columns, and the keys of both lists.
#include "app/MainUnit.h"
#include "app/MarksGroup.h"
#include "app/undohistory.h"
#include "catalogue/cardassign.h"
#include "dialogs/EditProduktFUnit.h"
#include "catalogue/productcopy.h"
#include "catalogue/sizeloss.h"
#include "i18n/translateunit.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QApplication>
#include <QTreeWidget>

void TMainForm::NeuesProduktBtnClick()
{
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Neues Produkt")));
    const int cat = selectedCategory();
    if (cat < 0 || !EditProduktForm)
        return;
    catalogue.products(cat);
    EditProduktForm->setAdditives(MarksGroup->settings().additives);
    EditProduktForm->setSizes(catalogue.sizeHeadings(cat));
    EditProduktForm->prepareNew();
    EditProduktForm->setSecondLanguage(catalogue.secondLanguage());
    // Onto the selected card, and onto every card that carries the whole
    // category (or, for its first product, the whole catalogue), unless the
    // user ticks other cards.
    EditProduktForm->setCards(cards.names(), CardsOfNewProduct(catalogue, cat, cards.count(), selectedCard), true);
    if (execDialog(EditProduktForm) != QDialog::Accepted)
        return;
    if (!catalogue.addProduct(cat, EditProduktForm->values()))
        return;
    const int added = int(catalogue.products(cat)->count) - 1;
    catalogue.setProductCards(cat, added, EditProduktForm->cards());
    catalogue.setOffered(cat, added, EditProduktForm->offered());
    catalogue.setMarks(cat, added, EditProduktForm->marks());
    catalogue.setTranslation(cat, added, EditProduktForm->translation());
    if (catalogue.hasSizes(cat))
        catalogue.setSizePrices(cat, added, EditProduktForm->sizePrices());
    ListProds();
}

void TMainForm::ProduktKopierenBtnClick()
{
    // One step: the copy and what the dialog changes in it.
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Produkt kopieren")));
    const int cat = selectedCategory();
    const int row = selectedProduct();
    if (cat < 0 || row < 0)
        return;
    const int at = CopyProduct(catalogue, cat, row);
    if (at < 0)
        return;
    ListProds();
    if (QTreeWidgetItem *it = ListView1->topLevelItem(at)) {
        ListView1->setCurrentItem(it);
        it->setSelected(true);
    }
    ProduktBearbeitenBtnClick();
}

void TMainForm::moveProductTo(int category)
{
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Verschieben nach")));
    const int cat = selectedCategory();
    const int row = selectedProduct();
    if (cat < 0 || row < 0)
        return;
    // A category with fewer sizes drops the prices of the others: only when
    // the user says so.
    const int dropped = PricesDroppedByMove(catalogue, cat, row, category);
    if (dropped > 0
        && messageBox(QMessageBox::Question, TranslateStr(QStringLiteral("Verschieben nach")),
                      TranslateStr(QString::fromUtf16(kMoveDropQuestion))
                          .arg(categoryNames().value(category), QString::number(dropped)),
                      QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    if (MoveProductToCategory(catalogue, cat, row, category) < 0)
        return;
    ListProds();
    // The product that took its place is selected, or the one above.
    const int n = ListView1->topLevelItemCount();
    if (n > 0) {
        QTreeWidgetItem *it = ListView1->topLevelItem(qMin(row, n - 1));
        ListView1->setCurrentItem(it);
        it->setSelected(true);
    }
}

bool TMainForm::listKeyPress(QObject *list, QKeyEvent *e)
{
    if (e->modifiers() & ~(Qt::KeypadModifier))
        return false;
    // A key that the in-place editor of a category name passes on to its
    // list (Enter ends the rename, Insert the editor does not use) is the
    // editor's: no command of the list, and no second editor while it is open.
    auto *view = static_cast<QWidget *>(list);
    if (QWidget *fw = QApplication::focusWidget(); fw && fw != view && view->isAncestorOf(fw))
        return false;
    const int key = e->key();
    const bool edit = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2;
    if (list == ListView2) {
        if (edit)
            BitBtnXP2Click();
        else if (key == Qt::Key_Delete)
            BitBtn2Click();
        else if (key == Qt::Key_Insert)
            BitBtn1Click();
        else
            return false;
        return true;
    }
    // The product buttons are off without a category: so are their keys.
    if (!NeuesProduktBtn->isEnabled())
        return false;
    if (edit)
        ProduktBearbeitenBtnClick();
    else if (key == Qt::Key_Delete)
        ProduktLoeschenBtnClick();
    else if (key == Qt::Key_Insert)
        NeuesProduktBtnClick();
    else
        return false;
    return true;
}

void TMainForm::productContextMenu(const QPoint &pos)
{
    QTreeWidgetItem *it = ListView1->itemAt(pos);
    if (!it)
        return;
    ListView1->setCurrentItem(it);
    it->setSelected(true);
    const int cat = selectedCategory();
    if (cat < 0)
        return;

    delete productMenu;
    productMenu = new QMenu(this);
    productMenu->setObjectName(QStringLiteral("ProduktMenu"));
    productMenu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *edit = productMenu->addAction(TranslateStr(QStringLiteral("Produkt bearbeiten")));
    edit->setShortcut(QKeySequence(Qt::Key_Return));
    connect(edit, &QAction::triggered, this, &TMainForm::ProduktBearbeitenBtnClick);
    QAction *copy = productMenu->addAction(TranslateStr(QStringLiteral("Produkt kopieren")));
    connect(copy, &QAction::triggered, this, &TMainForm::ProduktKopierenBtnClick);
    QMenu *move = productMenu->addMenu(TranslateStr(QStringLiteral("Verschieben nach")));
    move->setObjectName(QStringLiteral("VerschiebenMenu"));
    const QStringList names = categoryNames();
    for (int i = 0; i < names.size(); ++i) {
        if (i == cat)
            continue;
        // A category without a name is shown by its place in the list.
        QString text = names.at(i).isEmpty() ? QStringLiteral("(%1)").arg(i + 1) : names.at(i);
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *a = move->addAction(text);
        connect(a, &QAction::triggered, this, [this, i] { moveProductTo(i); });
    }
    move->setEnabled(!move->isEmpty());
    QAction *del = productMenu->addAction(TranslateStr(QStringLiteral("Produkt löschen")));
    del->setShortcut(QKeySequence(Qt::Key_Delete));
    connect(del, &QAction::triggered, this, &TMainForm::ProduktLoeschenBtnClick);
    productMenu->popup(ListView1->viewport()->mapToGlobal(pos));
}

bool TMainForm::categoryDropEvent(QEvent *e)
{
    auto *drop = static_cast<QDropEvent *>(e);
    if (drop->source() != ListView1 && drop->source() != ListView1->viewport()) {
        drop->ignore();
        return true;
    }
    // A copy as far as the drag knows: a move would let the product list
    // take the row out by itself, after the catalogue has moved it.
    drop->setDropAction(Qt::CopyAction);
    if (e->type() == QEvent::DragEnter) {
        drop->accept();
        return true;
    }
    QTreeWidgetItem *target = ListView2->itemAt(drop->position().toPoint());
    const int to = target ? ListView2->indexOfTopLevelItem(target) : -1;
    const bool fits = to >= 0 && to != selectedCategory() && selectedProduct() >= 0;
    if (e->type() == QEvent::DragMove) {
        if (fits)
            drop->accept();
        else
            drop->ignore();
        return true;
    }
    if (!fits) {
        drop->ignore();
        return true;
    }
    drop->accept();
    moveProductTo(to);
    return true;
}

void TMainForm::ListProds()
{
    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    const int cat = selectedCategory();
    const bool enable = cat >= 0 && cat < catalogue.categoryCount();
    const QStringList sizes = enable ? catalogue.sizeHeadings(cat) : QStringList();
    productColumns.showCards(ListView1, cards.names(), cards.count() > 1 || !AllOffered(catalogue));
    productColumns.show(ListView1, sizes);
    if (enable) {
        const QChar dp = UserDecimalPoint();
        const QString freeText = TranslateStr(QStringLiteral("Freitext"));
        const QString notOffered = TranslateStr(QStringLiteral("nicht im Angebot"));
        TDynaArray *prods = catalogue.products(cat);
        QList<QTreeWidgetItem *> rows;
        rows.reserve(int(prods->count));
        int r = 0;
        prods->First();
        while (prods->WhileNext()) {
            auto *row = new QTreeWidgetItem;
            QString desc = WideText(aprod->description);
            desc.replace(QLatin1String("\r\n"), QLatin1String(" "));
            desc.replace(QLatin1Char('\n'), QLatin1Char(' '));
            desc.replace(QLatin1Char('\r'), QLatin1Char(' '));
            row->setText(0, WideText(aprod->name));
            row->setText(1, desc);
            row->setText(2, WideText(aprod->quantity));
            productColumns.fillRow(row, ListView1->columnCount(),
                                   sizes.isEmpty() ? QVector<double>() : catalogue.sizePrices(cat, r), aprod->price,
                                   freeText, dp);
            productColumns.fillCards(row, catalogue.productCards(cat, r), catalogue.isOffered(cat, r), notOffered);
            rows << row;
            ++r;
        }
        ListView1->addTopLevelItems(rows);
    }
    for (QPushButton *b : {NeuesProduktBtn, ProduktBearbeitenBtn, ProduktKopierenBtn, ProduktLoeschenBtn,
                           ProduktNachObenBtn, ProduktNachUntenBtn})
        b->setEnabled(enable);
    ListView1->setUpdatesEnabled(true);
}

void TMainForm::ProduktBearbeitenBtnClick()
{
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Produkt bearbeiten")));
    const int cat = selectedCategory();
    const int row = selectedProduct();
    if (cat < 0 || row < 0 || !EditProduktForm)
        return;
    TProductRec *p = catalogue.product(cat, row);
    if (!p)
        return;
    EditProduktForm->setSizes(catalogue.sizeHeadings(cat));
    EditProduktForm->fill(Catalogue::values(p));
    EditProduktForm->setSizePrices(catalogue.sizePrices(cat, row));
    EditProduktForm->setAdditives(MarksGroup->settings().additives);
    EditProduktForm->setMarks(catalogue.marks(cat, row));
    EditProduktForm->setSecondLanguage(catalogue.secondLanguage());
    EditProduktForm->setTranslation(catalogue.translation(cat, row));
    EditProduktForm->setCards(cards.names(), catalogue.productCards(cat, row), catalogue.isOffered(cat, row));
    if (execDialog(EditProduktForm) != QDialog::Accepted)
        return;
    // The dialog may have let other code move the cursors: position again.
    p = catalogue.product(cat, row);
    if (!p || !catalogue.setProduct(p, EditProduktForm->values()))
        return;
    catalogue.setMarks(cat, row, EditProduktForm->marks());
    catalogue.setTranslation(cat, row, EditProduktForm->translation());
    catalogue.setProductCards(cat, row, EditProduktForm->cards());
    catalogue.setOffered(cat, row, EditProduktForm->offered());
    if (catalogue.hasSizes(cat))
        catalogue.setSizePrices(cat, row, EditProduktForm->sizePrices());
    ListProds();
    // The edited product stays selected, so the keys go on with it.
    if (QTreeWidgetItem *it = ListView1->topLevelItem(row)) {
        ListView1->setCurrentItem(it);
        it->setSelected(true);
    }
}
