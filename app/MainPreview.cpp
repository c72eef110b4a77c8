// The main window's preview, printing and background picture handlers.
#include "app/FilenameEdit.h"
#include "app/MainUnit.h"
#include "app/LogoBox.h"
#include "app/PaperBox.h"
#include "app/ReadabilityBox.h"
#include "catalogue/document.h"
#include "catalogue/largeprint.h"
#include "app/PrintFormBox.h"
#include "app/PreviewBox.h"
#include "app/PreviewPager.h"
#include "export/qrcode.h"
#include "i18n/translateunit.h"
#include "layout/bilingual.h"
#include "layout/cardoutput.h"
#include "layout/cardpaper.h"
#include "layout/cardsource.h"
#include "layout/imposition.h"
#include "layout/printerchoice.h"
#include "layout/qpaintercanvas.h"
#include "texture/picturenote.h"
#include "texture/picturepreview.h"
#include "texture/readability.h"
#include "texture/texture.h"

#include <QCheckBox>
#include <QDir>
#include <QStatusBar>
#include <QDoubleSpinBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QFormLayout>
#include <QPageSetupDialog>
#include <QPrinterInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

CardSource TMainForm::cardSource(int zoom) const
{
    CardSource card = SourceOfCard(categoryNames(), catalogue, selectedCard, cardSettings());
    card.zoom = zoom;
    card.texture = di2.get();
    AttachQrCode(card);
    card.logo = LogoBox->logo();
    return card;
}

bool TMainForm::PaintToCanvas(ICanvas &canvas0, int dpi, int width, int height, int seiteedvalue,
                              double zoomedvalue, bool printit, double widthmm, double heightmm)
{
    return ::PaintToCanvas(cardSource(ZoomEd->value()), canvas0, dpi, width, height, seiteedvalue, zoomedvalue,
                           printit, widthmm, heightmm);
}

// ---------------------------------------------------------------------------
// Preview
// ---------------------------------------------------------------------------

SheetPlan TMainForm::printSheetPlan() const
{
    CardSettings s;
    PrintFormBox->readInto(s);
    return PlanSheets(s.DruckformBox, printer->pageLayout());
}

void TMainForm::applyPrintForm()
{
    const SheetPlan plan = printSheetPlan();
    PrintFormBox->setNote(plan.ok() ? DuplexNote(plan) : plan.error);
    Pager->cardChanged();
    RepaintPreview();
}

// The preview of a print form's sheets: sheet side SeiteEd as it prints.
bool TMainForm::paintSheetPreview(QPainter &p, const QRect &exposed)
{
    const SheetPlan plan = printSheetPlan();
    if (plan.form == PrintForm::SinglePages || !plan.ok())
        return false;
    const int s = logicalDpiX();
    const QSize px = SheetSidePixels(plan, s, ZoomEd->value());
    if (PaintBox1->width() != px.width() + 8 || PaintBox1->height() != px.height() + 8) {
        PaintBox1->resize(px.width() + 8, px.height() + 8);
        if (QWidget *host = PaintBox1->parentWidget())
            host->resize(8 + px.width() + 8, 8 + px.height() + 8);
        PaintBox1->update();
        return true;
    }
    const QRect part = exposed.intersected(QRect(QPoint(0, 0), px));
    if (!part.isEmpty()) {
        const QImage sheet = RenderSheetSide(cardSource(ZoomEd->value()), plan, s, SeiteEd->value());
        if (!sheet.isNull())
            p.drawImage(part.topLeft(), sheet, part);
    }
    Pager->refresh();
    return true;
}

void TMainForm::PaintBox1Paint(QPainter &p, const QRect &exposed)
{
    if (paintSheetPreview(p, exposed))
        return;
    const int s = logicalDpiX();
    const PageArea area = PrinterPageArea(*printer);
    const PreviewGeometry g = PreviewPageGeometry(area, s, ZoomEd->value());
    if (PaintBox1->width() != g.W + 8 || PaintBox1->height() != g.H + 8) {
        // Resize and stop: the resize brings another paint that finds the
        // sizes equal.
        PaintBox1->resize(g.W + 8, g.H + 8);
        if (QWidget *host = PaintBox1->parentWidget())
            host->resize(8 + g.W + 8, 8 + g.H + 8);
        PaintBox1->update();
        return;
    }
    if (g.W <= 0 || g.H <= 0)
        return;
    // The card is laid out whole at every paint; only the exposed part of
    // the page is turned into pixels, which keeps scrolling at a large zoom
    // quick.
    const QRect part = exposed.intersected(QRect(0, 0, g.W, g.H));
    if (part.isEmpty())
        return;
    const QImage page = RenderCardPagePart(cardSource(ZoomEd->value()), area, s, SeiteEd->value(), part);
    p.drawImage(part.topLeft(), page);
    Pager->refresh(); // "von N" for the card and page area just painted
}

void TMainForm::RepaintPreview()
{
    // Painted at once, without waiting for the window system.
    if (PaintBox1->isVisible())
        PaintBox1->repaint();
    else
        PaintBox1->update();
}

void TMainForm::ZoomEdChange()
{
    RepaintPreview();
}

void TMainForm::CaptionEdChange()
{
    RepaintPreview();
}

void TMainForm::RahmenCheckClick()
{
    RepaintPreview();
}

void TMainForm::PaintBox1MouseDown(int x, int y)
{
    ziehen = true;
    ziehx = x;
    ziehy = y;
}

void TMainForm::PaintBox1MouseMove(int x, int y)
{
    if (!ziehen)
        return;
    QScrollBar *hb = ScrollBox1->horizontalScrollBar();
    QScrollBar *vb = ScrollBox1->verticalScrollBar();
    auto clampTo = [](int v, const QScrollBar *bar) {
        const int range = bar->maximum() + bar->pageStep(); // the scrolled content's size
        if (v < 0)
            v = 0;
        if (v > range - 1)
            v = range - 1;
        return v;
    };
    const int h = clampTo(hb->value() + (ziehx - x), hb);
    const int v = clampTo(vb->value() + (ziehy - y), vb);
    hb->setValue(h);
    vb->setValue(v);
}

void TMainForm::PaintBox1MouseUp()
{
    ziehen = false;
}

void TMainForm::handleWheel(int notches)
{
    for (; notches > 0; --notches)
        FormMouseWheelUp();
    for (; notches < 0; ++notches)
        FormMouseWheelDown();
}

static QScrollArea *wheelTarget(int tab, QScrollArea *preview, QScrollArea *picture)
{
    if (tab == 1)
        return preview;
    if (tab == 3)
        return picture;
    return nullptr;
}

void TMainForm::FormMouseWheelDown()
{
    if (QScrollArea *a = wheelTarget(PageControl1->currentIndex(), ScrollBox1, ScrollBox2))
        a->verticalScrollBar()->setValue(a->verticalScrollBar()->value() + 20);
}

void TMainForm::FormMouseWheelUp()
{
    if (QScrollArea *a = wheelTarget(PageControl1->currentIndex(), ScrollBox1, ScrollBox2))
        a->verticalScrollBar()->setValue(a->verticalScrollBar()->value() - 20);
}

// ---------------------------------------------------------------------------
// Printer
// ---------------------------------------------------------------------------

void TMainForm::Druckereinrichten1Click()
{
    // The printer first (when the system has any), then its paper size and
    // orientation. The page area changes from the preview's next paint on;
    // cancelling the page set-up keeps the printer and page chosen before.
    const PrinterSetup before = SavePrinterSetup(*printer);
    const QPageLayout pageBefore = printerPage;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (!names.isEmpty()) {
        if (!choosePrinter(names))
            return;
        printerPage = printer->pageLayout(); // the chosen printer's own page
    }
    // The dialog opens on the card's paper when the card has one.
    applyCardPaper();
    QPageSetupDialog dlg(printer.get(), this);
    // Its margins are the printer's: the card's own margins (tab "Layout")
    // are measured inside them. Said in the dialog, so the two do not seem
    // to contradict each other.
    auto *note = new QLabel(TranslateStr(QStringLiteral(
                                "Die Ränder hier sind die des Druckers. Die Seitenränder der Speisekarte "
                                "(Registerkarte \"Layout\") kommen innerhalb dieser Ränder hinzu.")),
                            &dlg);
    note->setObjectName(QStringLiteral("PrinterMarginsNote"));
    note->setWordWrap(true);
    if (auto *box = qobject_cast<QBoxLayout *>(dlg.layout()))
        box->insertWidget(box->count() - 1, note);
    else if (dlg.layout())
        dlg.layout()->addWidget(note);
    if (execDialog(&dlg) != QDialog::Accepted) {
        RestorePrinterSetup(*printer, before);
        printerPage = pageBefore;
    } else {
        // The page chosen here is the printer's page from now on; a card with
        // a paper of its own takes the size and orientation chosen here (A4
        // or A5; another size leaves the card on the printer's page).
        printerPage = printer->pageLayout();
        CardSettings s;
        PaperBox->readInto(s);
        if (s.PapierBox != CardSettings::Paper::Printer) {
            const QPageSize::PageSizeId id = printerPage.pageSize().id();
            s.PapierBox = id == QPageSize::A4   ? CardSettings::Paper::A4
                          : id == QPageSize::A5 ? CardSettings::Paper::A5
                                                : CardSettings::Paper::Printer;
            s.QuerCheck = printerPage.orientation() == QPageLayout::Landscape;
            PaperBox->setFrom(s);
        }
    }
    Pager->refresh(); // the page count follows the new page at once
}

void TMainForm::applyCardPaper()
{
    CardSettings s;
    PaperBox->readInto(s);
    if (s.PapierBox == CardSettings::Paper::Printer) {
        if (!(printer->pageLayout() == printerPage))
            printer->setPageLayout(printerPage);
    } else {
        ApplyCardPaper(s, *printer);
    }
    // The print form's sheet follows the paper (A5 pages on A4, ...).
    const SheetPlan plan = printSheetPlan();
    PrintFormBox->setNote(plan.ok() ? DuplexNote(plan) : plan.error);
    Pager->refresh();
    RepaintPreview();
}

bool TMainForm::choosePrinter(const QStringList &names)
{
    QDialog choose(this);
    choose.setWindowTitle(TranslateStr(QStringLiteral("Drucker einrichten")));
    auto *combo = new QComboBox(&choose);
    combo->addItems(names);
    const int current = names.indexOf(printer->printerName());
    combo->setCurrentIndex(current >= 0 ? current : qMax(0, names.indexOf(QPrinterInfo::defaultPrinterName())));
    auto *bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &choose);
    connect(bb, &QDialogButtonBox::accepted, &choose, &QDialog::accept);
    connect(bb, &QDialogButtonBox::rejected, &choose, &QDialog::reject);
    auto *form = new QFormLayout(&choose);
    form->addRow(TranslateStr(QStringLiteral("Drucker:")), combo);
    form->addRow(bb);
    if (execDialog(&choose) != QDialog::Accepted)
        return false;
    SelectPrinter(*printer, combo->currentText());
    return true;
}

void TMainForm::Drucken1Click()
{
    commitPendingEdits();
    const SheetPlan plan = printSheetPlan();
    if (!plan.ok()) {
        messageBox(QMessageBox::Critical, QString(), plan.error, QMessageBox::Ok);
        return;
    }
    const bool sheets = plan.form != PrintForm::SinglePages;
    // A booklet is printed on both sides, turning on the short edge; the
    // printer's own setting comes back afterwards.
    const QPrinter::DuplexMode duplexBefore = printer->duplex();
    struct DuplexBack {
        QPrinter &p;
        QPrinter::DuplexMode mode;
        bool set;
        ~DuplexBack()
        {
            if (set)
                p.setDuplex(mode);
        }
    } duplexBack{*printer, duplexBefore, plan.form == PrintForm::Booklet};
    if (plan.form == PrintForm::Booklet)
        printer->setDuplex(QPrinter::DuplexShortSide);
    int from = 1, to = 0;
    if (printDialog) {
        if (!printDialog(*printer, from, to))
            return;
    } else {
        QPrintDialog dlg(printer.get(), this);
        dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
        dlg.setMinMax(1, qMax(1, sheets ? int(CardSheetSides(cardSource(100), plan).size())
                                         : CardPageCount(cardSource(100), PrinterPageArea(*printer))));
        // The booklet's note in the dialog, where the sides are chosen.
        const QString duplex = DuplexNote(plan);
        if (!duplex.isEmpty()) {
            auto *note = new QLabel(duplex, &dlg);
            note->setObjectName(QStringLiteral("DuplexNote"));
            note->setWordWrap(true);
            if (auto *box = qobject_cast<QBoxLayout *>(dlg.layout()))
                box->insertWidget(box->count() - 1, note);
            else if (dlg.layout())
                dlg.layout()->addWidget(note);
        }
        if (execDialog(&dlg) != QDialog::Accepted)
            return;
        if (printer->printRange() == QPrinter::PageRange) {
            from = printer->fromPage();
            to = printer->toPage();
        }
    }
    const CardSource card = cardSource(100);
    const QString error = sheets ? PrintCardSheets(card, *printer, GetMsgText(12), from, to)
                                 : PrintCard(card, *printer, GetMsgText(12), from, to);
    if (!error.isEmpty()) {
        messageBox(QMessageBox::Critical, QString(), error, QMessageBox::Ok);
        return;
    }
    reportMissingTranslations(MissingTranslationsOfCard(card), false);
}

// ---------------------------------------------------------------------------
// Background picture
// ---------------------------------------------------------------------------

void TMainForm::FilenameEdit2Change()
{
    // A name from the document or typed is checked; one chosen in the file
    // dialog is the user's own choice.
    di2->Prepare(FilenameEdit2->FileName(), GrayScaleCheck->isChecked(), LightenCheck->isChecked(),
                 HellEd->value(), SatEd->value(), FilenameEdit2->ChosenInDialog());
    // Said on the tab, not in a box: the field changes at every keystroke.
    // Before the first show the language is not in force yet; the first show
    // says it then.
    if (infirst)
        PictureNoteLabel->setProblem(FilenameEdit2->FileName(), di2->Problem());
    PaintBox2Paint();
    checkReadability();
}

void TMainForm::checkReadability()
{
    if (PageControl1->currentWidget() != TabSheet3)
        return; // checked when the tab is shown
    LesbarkeitBox->showCheck(CheckCardReadability(cardSettings()));
}

void TMainForm::GrossdruckClick()
{
    largePrintCard();
}

void TMainForm::GrayScaleCheckClick()
{
    FilenameEdit2Change();
}

void TMainForm::LightenCheckClick()
{
    FilenameEdit2Change();
}

void TMainForm::HellEdChange()
{
    Timer1->stop();
    Timer1->start();
}

void TMainForm::Timer1Timer()
{
    Timer1->stop();
    FilenameEdit2Change();
}

void TMainForm::PaintBox2Paint()
{
    PaintBox2->refresh();
}
