// The preview's paging and zoom helpers: "von N" beside the page field (the
// card's page count, counted once per change of the card), the buttons
// "Ganze Seite" and "Seitenbreite" beside the zoom field, and Page Up/Page
// Down on the preview tab.
#pragma once

#include "layout/cardoutput.h"
#include "layout/imposition.h"
#include "layout/pagecount.h"
#include "layout/previewfit.h"

#include <QObject>
#include <functional>

class QAbstractButton;
class QAbstractItemModel;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QWidget;

class PreviewPager : public QObject {
    Q_OBJECT
public:
    // What the pager reads from its window, at the moment it needs it.
    struct Source {
        std::function<CardSource()> card;   // the card (its zoom does not matter)
        std::function<PageArea()> area;     // the selected printer's page area
        std::function<int()> screenDpi;     // the preview's pixels per inch
        // The sheets of the card's print form; the pager counts sheet sides
        // when the form is not single pages.
        std::function<SheetPlan()> sheets = nullptr;
    };

    // The widgets are created as children of `tab`; the owner places them.
    PreviewPager(QWidget *tab, QSpinBox *zoomEd, QSpinBox *seiteEd, QScrollArea *scrollBox, Source source);

    QLabel *PageCountLabel;          // "von N"
    QLabel *SheetLabel;              // "Bogen 1 Vorderseite von 2 – 5 Seiten auf 2 Bogen"; hidden for single pages
    QPushButton *GanzeSeiteBtn;      // "Ganze Seite"
    QPushButton *SeitenbreiteBtn;    // "Seitenbreite"

    // Every change that can change the page count must reach cardChanged().
    // These connect it to the change signals of every editor below `w` (line
    // edits, spin boxes, check boxes, combo boxes and buttons, whose click may
    // open a setting's dialog; the zoom and page fields excepted), and of a
    // list's model (rows added, removed, moved or changed).
    void watchEditors(QWidget *w);
    void watchModel(QAbstractItemModel *model);

    // The card changed: the count is made again once the events of this
    // change are done, and shown when the preview is on the screen.
    void cardChanged();
    // Shows "von N" when the preview is on the screen, counting only when
    // the card, the page area or the language changed since the last count.
    void refresh();
    // The card's page count now (counting when needed): with a print form
    // other than single pages, the number of sheet sides.
    int pageCount();
    // Whether the preview shows sheets, and their sides (counted when needed).
    bool showsSheets() const;
    const QVector<SheetSide> &sheetSides();

    void fit(PreviewFit how);
    void nextPage();
    void previousPage();

    const PageCountCache &cache() const { return cache_; }

private:
    QWidget *tab_;
    QSpinBox *zoomEd_, *seiteEd_;
    QScrollArea *scrollBox_;
    Source source_;
    PageCountCache cache_;
    bool refreshPending_ = false;
    // The sheet sides of the last count; valid until the card changes or
    // the sheets differ.
    struct {
        bool valid = false;
        QString key;
        int pages = 0;
        QVector<SheetSide> sides;
    } sheets_;
    bool fitting_ = false; // the zoom is being set by fit()
};
