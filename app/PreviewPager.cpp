#include "app/PreviewPager.h"

#include "i18n/translateunit.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>

#include <cmath>

PreviewPager::PreviewPager(QWidget *tab, QSpinBox *zoomEd, QSpinBox *seiteEd, QScrollArea *scrollBox,
                           Source source)
    : QObject(tab), tab_(tab), zoomEd_(zoomEd), seiteEd_(seiteEd), scrollBox_(scrollBox),
      source_(std::move(source))
{
    PageCountLabel = new QLabel(tab);
    PageCountLabel->setObjectName(QStringLiteral("SeitenzahlLabel"));
    // Its text is made from a translated pattern, not translated as it stands.
    PageCountLabel->setProperty("velloran_notranslate", true);
    SheetLabel = new QLabel(tab);
    SheetLabel->setObjectName(QStringLiteral("BogenLabel"));
    SheetLabel->setProperty("velloran_notranslate", true);
    SheetLabel->hide();
    GanzeSeiteBtn = new QPushButton(QStringLiteral("Ganze Seite"), tab);
    GanzeSeiteBtn->setObjectName(QStringLiteral("GanzeSeiteBtn"));
    SeitenbreiteBtn = new QPushButton(QStringLiteral("Seitenbreite"), tab);
    SeitenbreiteBtn->setObjectName(QStringLiteral("SeitenbreiteBtn"));
    for (QPushButton *b : {GanzeSeiteBtn, SeitenbreiteBtn})
        b->setAutoDefault(false);
    connect(GanzeSeiteBtn, &QPushButton::clicked, this, [this] { fit(PreviewFit::WholePage); });
    connect(SeitenbreiteBtn, &QPushButton::clicked, this, [this] { fit(PreviewFit::PageWidth); });
    // A zoom of the user's own puts the page back at the top left corner.
    connect(zoomEd_, &QSpinBox::valueChanged, this, [this] {
        if (!fitting_)
            scrollBox_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    });

    auto *up = new QShortcut(QKeySequence(Qt::Key_PageUp), tab);
    auto *down = new QShortcut(QKeySequence(Qt::Key_PageDown), tab);
    for (QShortcut *s : {up, down})
        s->setContext(Qt::WidgetWithChildrenShortcut);
    connect(up, &QShortcut::activated, this, &PreviewPager::previousPage);
    connect(down, &QShortcut::activated, this, &PreviewPager::nextPage);
}

void PreviewPager::watchEditors(QWidget *w)
{
    auto changed = [this] { cardChanged(); };
    for (QLineEdit *e : w->findChildren<QLineEdit *>())
        if (!qobject_cast<QAbstractSpinBox *>(e->parentWidget()))
            connect(e, &QLineEdit::textChanged, this, changed);
    for (QSpinBox *e : w->findChildren<QSpinBox *>())
        if (e != zoomEd_ && e != seiteEd_)
            connect(e, &QSpinBox::valueChanged, this, changed);
    for (QDoubleSpinBox *e : w->findChildren<QDoubleSpinBox *>())
        connect(e, &QDoubleSpinBox::valueChanged, this, changed);
    for (QComboBox *e : w->findChildren<QComboBox *>())
        connect(e, &QComboBox::currentIndexChanged, this, changed);
    for (QAbstractButton *b : w->findChildren<QAbstractButton *>()) {
        if (b == GanzeSeiteBtn || b == SeitenbreiteBtn)
            continue;
        if (qobject_cast<QCheckBox *>(b))
            connect(b, &QAbstractButton::toggled, this, changed);
        else
            connect(b, &QAbstractButton::clicked, this, changed); // after its own handler
    }
}

void PreviewPager::watchModel(QAbstractItemModel *model)
{
    auto changed = [this] { cardChanged(); };
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model, &QAbstractItemModel::rowsMoved, this, changed);
    connect(model, &QAbstractItemModel::dataChanged, this, changed);
    connect(model, &QAbstractItemModel::modelReset, this, changed);
    connect(model, &QAbstractItemModel::layoutChanged, this, changed);
}

void PreviewPager::cardChanged()
{
    cache_.invalidate();
    sheets_.valid = false;
    if (refreshPending_)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshPending_ = false;
        refresh();
    });
}

bool PreviewPager::showsSheets() const
{
    if (!source_.sheets)
        return false;
    const SheetPlan plan = source_.sheets();
    return plan.form != PrintForm::SinglePages && plan.ok();
}

const QVector<SheetSide> &PreviewPager::sheetSides()
{
    const SheetPlan plan = source_.sheets ? source_.sheets() : SheetPlan();
    if (plan.form == PrintForm::SinglePages || !plan.ok()) {
        sheets_.valid = false;
        sheets_.sides.clear();
        return sheets_.sides;
    }
    const QString key = QStringLiteral("%1 %2 %3 %4")
                            .arg(int(plan.form))
                            .arg(plan.sheet.pageSize().key())
                            .arg(plan.stacked)
                            .arg(OnRequestText());
    if (!sheets_.valid || sheets_.key != key) {
        const CardSource card = source_.card();
        sheets_.pages = plan.form == PrintForm::TableTent ? 1 : CardPageCount(card, SheetPageArea(plan, 600));
        sheets_.sides = ImposeSheets(plan.form, sheets_.pages, plan.stacked);
        sheets_.key = key;
        sheets_.valid = true;
    }
    return sheets_.sides;
}

int PreviewPager::pageCount()
{
    if (showsSheets())
        return std::max(1, int(sheetSides().size()));
    return cache_.pages(source_.card(), source_.area());
}

void PreviewPager::refresh()
{
    if (!PageCountLabel->isVisible())
        return; // counted when the preview is shown
    PageCountLabel->setText(TranslateStr(QStringLiteral("von %1")).arg(pageCount()));
    if (!showsSheets()) {
        SheetLabel->hide();
        return;
    }
    const QVector<SheetSide> &sides = sheetSides();
    SheetLabel->setText(SheetSideTitle(sides, std::min(seiteEd_->value(), int(sides.size()))) + QStringLiteral(" \u2013 ")
                        + PagesOnSheetsText(sheets_.pages, SheetCount(sides)));
    SheetLabel->show();
}

void PreviewPager::fit(PreviewFit how)
{
    const QSize visible = scrollBox_->maximumViewportSize();
    const int bar = scrollBox_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBox_);
    // The page shown: the card's page, or the sheet of a print form.
    PageArea area = source_.area();
    if (showsSheets()) {
        const QSizeF mm = source_.sheets().sheet.fullRect(QPageLayout::Millimeter).size();
        area.dpi = 600;
        area.widthPx = int(std::lround(mm.width() / kMmPerInch * area.dpi));
        area.heightPx = int(std::lround(mm.height() / kMmPerInch * area.dpi));
    }
    fitting_ = true;
    zoomEd_->setValue(FitZoom(area, source_.screenDpi(), visible, bar, how));
    fitting_ = false;
    // The whole page sits in the middle of the view.
    scrollBox_->setAlignment(how == PreviewFit::WholePage ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
    scrollBox_->horizontalScrollBar()->setValue(0);
}

void PreviewPager::nextPage()
{
    const int page = seiteEd_->value();
    if (page < pageCount())
        seiteEd_->setValue(page + 1);
}

void PreviewPager::previousPage()
{
    seiteEd_->setValue(seiteEd_->value() - 1); // the field stops at 1
}
