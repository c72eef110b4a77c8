#include "app/MainUnit.h"

#include "app/AboutBox.h"
#include "app/AppIcons.h"
#include "app/CardOptionsBox.h"
#include "app/FilenameEdit.h"
#include "app/FontDialog.h"
#include "app/MarksGroup.h"
#include "app/PreviewBox.h"
#include "app/PreviewPager.h"
#include "app/LogoBox.h"
#include "app/PaperBox.h"
#include "app/ReadabilityBox.h"
#include "app/CategoryEditDelegate.h"
#include "app/TranslationsView.h"
#include "app/PrintFormBox.h"
#include "app/QrCodeBox.h"
#include "app/recovery.h"
#include "app/undohistory.h"
#include "app/windowsize.h"
#include "catalogue/appfiles.h"
#include "catalogue/options.h"
#include "export/xlsxexport.h"
#include "dialogs/EditProduktFUnit.h"
#include "dialogs/FloatEdit.h"
#include "dialogs/languagefields.h"
#include "i18n/qttranslations.h"
#include "i18n/TranslateFUnit.h"
#include "i18n/filedialogfilter.h"
#include "i18n/mnemonics.h"
#include "i18n/translatecomponents.h"
#include "i18n/translateunit.h"
#include "layout/cardlayout.h"
#include "layout/cardoutput.h"
#include "texture/picturenote.h"
#include "texture/picturepreview.h"
#include "texture/pictor3.h"
#include "texture/texture.h"

#include <QAbstractItemDelegate>
#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

template <class W>
W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QLabel *label(const QString &text, QWidget *parent, const char *name)
{
    return named(new QLabel(text, parent), name);
}

QDoubleSpinBox *floatEdit(QWidget *parent, const char *name, double lo, double hi, double step, double value,
                          int decimals)
{
    auto *e = named(new TFloatEdit(decimals, parent), name);
    e->setRange(lo, hi);
    e->setSingleStep(step);
    e->setValue(value);
    e->setKeyboardTracking(false);
    return e;
}

QSpinBox *intEdit(QWidget *parent, const char *name, int lo, int hi, int step, int value)
{
    auto *e = named(new QSpinBox(parent), name);
    e->setRange(lo, hi);
    e->setSingleStep(step);
    e->setValue(value);
    return e;
}

QCheckBox *check(const QString &text, QWidget *parent, const char *name, bool on)
{
    auto *c = named(new QCheckBox(text, parent), name);
    c->setChecked(on);
    return c;
}

} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent), kats(catalogue.kats), aprod(catalogue.aprod), language(Translations().language)
{
    execDialog = [](QDialog *d) { return d->exec(); };
    messageBox = [this](QMessageBox::Icon icon, const QString &title, const QString &text,
                        QMessageBox::StandardButtons buttons) {
        QMessageBox box(icon, title, text, buttons, this);
        return QMessageBox::StandardButton(box.exec());
    };
    recoveryQuestion = [this](const QString &title, const QString &text, const QString &restoreText,
                              const QString &discardText) {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, this);
        QPushButton *restore = box.addButton(restoreText, QMessageBox::AcceptRole);
        QPushButton *discard = box.addButton(discardText, QMessageBox::DestructiveRole);
        box.setDefaultButton(restore);
        box.exec();
        return box.clickedButton() == restore ? 1 : box.clickedButton() == discard ? 0 : -1;
    };
    di2 = std::make_unique<TextureHolder>();
    // The selected printer; without an installed printer a PDF printer with
    // an A4 portrait page, so the preview always has a page.
    printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageOrientation(QPageLayout::Portrait);
    }
    printerPage = printer->pageLayout();
    buildWindow();
    connectHandlers();
    FormCreate();
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

void TMainForm::setDialogs(TEditProduktForm *produkt, TAboutBox *about, TTranslateForm *translateForm)
{
    EditProduktForm = produkt;
    AboutBox = about;
    TranslateForm = translateForm;
}

// ---------------------------------------------------------------------------
// Building the window
// ---------------------------------------------------------------------------

void TMainForm::buildWindow()
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Brastel Velloran 1.0"));

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainClient"));
    auto *lay = new QVBoxLayout(central);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    setCentralWidget(central);

    buildToolBar();
    lay->addWidget(Panel1);
    buildCardBar(lay);

    PageControl1 = named(new QTabWidget(central), "PageControl1");
    PageControl1->setIconSize(QSize(24, 24));
    lay->addWidget(PageControl1, 1);
    buildCatalogueTab();
    buildPreviewTab();
    buildLayoutTab();
    buildBackgroundTab();
    buildTranslationsTab();
    PageControl1->setCurrentIndex(0);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(true);

    buildMenu();

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setSingleShot(true);
    Timer1->setInterval(300);

    // Most of the screen at the first start (at least a client area of
    // 764 x 524 below the menu bar), later the size it had when closed;
    // centred on the screen.
    const QSize least(764, 524 + menuBar()->sizeHint().height());
    resize(least);
    if (QScreen *scr = QApplication::primaryScreen()) {
        const QRect avail = scr->availableGeometry();
        resize(StartWindowSize(avail, LoadWindowSize(appfiles::UserFile(QStringLiteral("window.ini"))), least));
        move(avail.center() - rect().center());
    }
}

void TMainForm::buildToolBar()
{
    Panel1 = named(new QWidget(this), "Panel1");
    Panel1->setFixedHeight(49);
    auto *lay = new QHBoxLayout(Panel1);
    lay->setContentsMargins(6, 6, 6, 6);
    auto mk = [this, lay](const char *name, const QString &text, const QIcon &icon) {
        auto *b = named(new QPushButton(icon, text, Panel1), name);
        b->setIconSize(QSize(24, 24));
        b->setMinimumHeight(36);
        b->setFocusPolicy(Qt::NoFocus);
        lay->addWidget(b);
        return b;
    };
    OpenBtn = mk("OpenBtn", QStringLiteral("Öffnen..."), AppIcon("document-open", "open"));
    SaveBtn = mk("SaveBtn", QStringLiteral("Speichern"), AppIcon("document-save", "save"));
    BitBtnXP1 = mk("BitBtnXP1", QStringLiteral("Speichern unter..."),
                   AppIcon("document-save-as", "save-as"));
    // Undo and redo show their step in the tool tip.
    UndoBtn = mk("UndoBtn", QString(), AppIcon("edit-undo", "undo"));
    RedoBtn = mk("RedoBtn", QString(), AppIcon("edit-redo", "redo"));
    DruckenBtn = mk("DruckenBtn", QStringLiteral("Drucken"), AppIcon("document-print", "print"));
    EndeBtn = mk("EndeBtn", QStringLiteral("Beenden"), AppIcon("application-exit", "exit"));
    lay->addStretch(1);
}

void TMainForm::buildCatalogueTab()
{
    TabSheet1 = named(new QWidget, "TabSheet1");
    PageControl1->addTab(TabSheet1, AppIcon("view-list-details", "tab-catalogue"),
                         QStringLiteral("Produkte anlegen"));

    auto *split = named(new QSplitter(Qt::Vertical, TabSheet1), "Splitter1");
    ListView2 = named(new QTreeWidget(split), "ListView2");
    // The name, and beside it its translation (titled with the language
    // once the window knows it: showCategoryTranslations).
    ListView2->setColumnCount(2);
    ListView2->setHeaderLabels({QStringLiteral("Kategorie"), QString()});
    ListView2->setColumnWidth(0, 475);
    ListView2->setRootIsDecorated(false);
    ListView2->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView2->setSelectionMode(QAbstractItemView::SingleSelection);
    // Renaming starts with F2, a double click or "Kategorie bearbeiten" only:
    // a click on the selected category (before typing to search) does not.
    ListView2->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    ListView2->setItemDelegate(new CategoryEditDelegate(ListView2));
    ListView2->setUniformRowHeights(true);

    ListView1 = named(new QTreeWidget(split), "ListView1");
    ListView1->setColumnCount(4);
    ListView1->setHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("Beschreibung"), QStringLiteral("Menge"),
                                QStringLiteral("Preis")});
    ListView1->headerItem()->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    ListView1->setColumnWidth(0, 150);
    ListView1->setColumnWidth(1, 165);
    ListView1->setColumnWidth(2, 85);
    ListView1->setColumnWidth(3, 75);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setUniformRowHeights(true);
    // A product is dragged onto a category of the upper list to move it there.
    ListView1->setDragEnabled(true);
    ListView1->setDragDropMode(QAbstractItemView::DragOnly);
    ListView1->setDefaultDropAction(Qt::CopyAction);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView2->viewport()->setAcceptDrops(true);
    ListView2->viewport()->installEventFilter(this);
    split->setSizes({177, 260});
    split->setChildrenCollapsible(false);

    // The column widths follow the lists' widths.
    ListView2->installEventFilter(this);
    ListView1->installEventFilter(this);

    auto *Panel2 = named(new QWidget(TabSheet1), "Panel2");
    Panel2->setMinimumWidth(164);
    Panel2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *bl = new QVBoxLayout(Panel2);
    bl->setContentsMargins(4, 4, 4, 4);
    auto mk = [Panel2, bl](const char *name, const QString &text, const QIcon &icon) {
        auto *b = named(new QPushButton(icon, text, Panel2), name);
        b->setStyleSheet(QStringLiteral("text-align:left; padding:4px"));
        b->setIconSize(QSize(20, 20));
        bl->addWidget(b);
        return b;
    };
    BitBtn1 = mk("BitBtn1", QStringLiteral("Neue Kategorie"), AppIcon("folder-new", "category-new"));
    BitBtnXP2 = mk("BitBtnXP2", QStringLiteral("Kategorie bearbeiten"),
                   AppIcon("edit-rename", "category-edit"));
    BitBtn2 = mk("BitBtn2", QStringLiteral("Kategorie löschen"), AppIcon("edit-delete", "category-delete"));
    BitBtn3 = mk("BitBtn3", QStringLiteral("Kategorie nach oben"), AppIcon("go-up", "up"));
    BitBtn4 = mk("BitBtn4", QStringLiteral("Kategorie nach unten"), AppIcon("go-down", "down"));
    GroessenBtn = mk("GroessenBtn", QStringLiteral("Größen..."), AppIcon("view-list-details", "category-edit"));
    bl->addSpacing(18);
    NeuesProduktBtn = mk("NeuesProduktBtn", QStringLiteral("Neues Produkt"), AppIcon("document-new", "product-new"));
    ProduktBearbeitenBtn = mk("ProduktBearbeitenBtn", QStringLiteral("Produkt bearbeiten"),
                              AppIcon("document-edit", "product-edit"));
    ProduktKopierenBtn = mk("ProduktKopierenBtn", QStringLiteral("Produkt kopieren"),
                            AppIcon("edit-copy", "product-edit"));
    ProduktLoeschenBtn = mk("ProduktLoeschenBtn", QStringLiteral("Produkt löschen"),
                            AppIcon("list-remove", "product-delete"));
    ProduktNachObenBtn = mk("ProduktNachObenBtn", QStringLiteral("Produkt nach oben"), AppIcon("go-up", "up"));
    ProduktNachUntenBtn = mk("ProduktNachUntenBtn", QStringLiteral("Produkt nach unten"),
                             AppIcon("go-down", "down"));
    bl->addStretch(1);

    auto *lay = new QHBoxLayout(TabSheet1);
    lay->setContentsMargins(4, 4, 4, 4);
    lay->addWidget(split, 1);
    lay->addWidget(Panel2);
}

void TMainForm::buildPreviewTab()
{
    TabSheet2 = named(new QWidget, "TabSheet2");
    PageControl1->addTab(TabSheet2, AppIcon("document-print-preview", "tab-preview"),
                         QStringLiteral("Speisekarte erzeugen"));

    ZoomEd = intEdit(TabSheet2, "ZoomEd", 10, 1000, 10, 100);
    SeiteEd = intEdit(TabSheet2, "SeiteEd", 1, 10000, 1, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(label(QStringLiteral("Zoom in %:"), TabSheet2, "Label10"));
    top->addWidget(ZoomEd);
    top->addSpacing(16);
    top->addWidget(label(QStringLiteral("Seite:"), TabSheet2, "Label11"));
    top->addWidget(SeiteEd);
    top->addStretch(1);

    CaptionEd = named(new QLineEdit(QStringLiteral("Speisekarte"), TabSheet2), "CaptionEd");
    FussEd = named(new QLineEdit(QStringLiteral("Unsere Preise beinhalten Bedienugsgeld und die ges. Mehrwertsteuer"),
                                 TabSheet2),
                   "FussEd");
    KopfEd = named(new QLineEdit(TabSheet2), "KopfEd");
    RahmenCheck = check(QStringLiteral("Rahmen"), TabSheet2, "RahmenCheck", true);
    auto *left = new QVBoxLayout;
    left->addWidget(label(QStringLiteral("Überschrift:"), TabSheet2, "Label12"));
    left->addWidget(CaptionEd);
    left->addWidget(label(QStringLiteral("Fußzeile:"), TabSheet2, "Label13"));
    left->addWidget(FussEd);
    left->addWidget(label(QStringLiteral("Kopfzeile:"), TabSheet2, "Label14"));
    left->addWidget(KopfEd);
    left->addWidget(RahmenCheck);
    QrCodeBox = new TQrCodeBox(TabSheet2);
    left->addSpacing(12);
    left->addWidget(QrCodeBox);
    // The logo above the heading.
    LogoBox = new TLogoBox(TabSheet2);
    left->addSpacing(12);
    left->addWidget(LogoBox);
    left->addStretch(1);
    auto *leftBox = named(new QWidget(TabSheet2), "Panel3");
    leftBox->setLayout(left);
    leftBox->setMinimumWidth(200); // wider only when a caption needs it
    leftBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    ScrollBox1 = named(new QScrollArea(TabSheet2), "ScrollBox1");
    ScrollBox1->setBackgroundRole(QPalette::Dark); // the work-space colour
    ScrollBox1->setWidgetResizable(false);
    auto *host = named(new QWidget, "ScrollBox1Client");
    host->setBackgroundRole(QPalette::Dark);
    PaintBox1 = named(new TPreviewBox(host), "PaintBox1");
    PaintBox1->move(8, 8);
    PaintBox1->resize(100, 100); // the first paint sizes it to the page
    PaintBox1->setCursor(Qt::PointingHandCursor);
    host->resize(116, 116);
    ScrollBox1->setWidget(host);
    ScrollBox1->viewport()->installEventFilter(this);

    // "Ganze Seite" and "Seitenbreite" after the zoom field, "von N" after
    // the page field.
    Pager = new PreviewPager(TabSheet2, ZoomEd, SeiteEd, ScrollBox1,
                             {[this] { return cardSource(100); }, [this] { return PrinterPageArea(*printer); },
                              [this] { return logicalDpiX(); }, [this] { return printSheetPlan(); }});
    top->insertWidget(top->indexOf(ZoomEd) + 1, Pager->GanzeSeiteBtn);
    top->insertWidget(top->indexOf(ZoomEd) + 2, Pager->SeitenbreiteBtn);
    top->insertWidget(top->indexOf(SeiteEd) + 1, Pager->PageCountLabel);
    top->insertWidget(top->indexOf(Pager->PageCountLabel) + 1, Pager->SheetLabel);

    auto *body = new QHBoxLayout;
    body->addWidget(leftBox);
    body->addWidget(ScrollBox1, 1);
    auto *lay = new QVBoxLayout(TabSheet2);
    lay->addLayout(top);
    lay->addLayout(body, 1);
}

void TMainForm::buildLayoutTab()
{
    TabSheet3 = named(new QWidget, "TabSheet3");
    PageControl1->addTab(TabSheet3, AppIcon("document-page-setup", "tab-layout"),
                         QStringLiteral("Layout"));

    LinksEd = floatEdit(TabSheet3, "LinksEd", 0, 1000, 1, 25, 0);
    ObenEd = floatEdit(TabSheet3, "ObenEd", 0, 1000, 1, 25, 0);
    RechtsEd = floatEdit(TabSheet3, "RechtsEd", 0, 1000, 1, 25, 0);
    UntenEd = floatEdit(TabSheet3, "UntenEd", 0, 1000, 1, 25, 0);
    WaehrEd = named(new QLineEdit(QStringLiteral("\u20AC"), TabSheet3), "WaehrEd");
    WaehrEd->setMaximumWidth(90);

    auto *margins = new QGridLayout;
    int r = 0;
    for (auto [text, edit, name] :
         {std::tuple{QStringLiteral("Linker Seitenrand in mm:"), LinksEd, "Label15"},
          std::tuple{QStringLiteral("Oberer Seitenrand in mm:"), ObenEd, "Label16"},
          std::tuple{QStringLiteral("Rechter Seitenrand in mm:"), RechtsEd, "Label17"},
          std::tuple{QStringLiteral("Unterer Seitenrand in mm:"), UntenEd, "Label18"}}) {
        margins->addWidget(label(text, TabSheet3, name), r, 0);
        margins->addWidget(edit, r++, 1);
    }
    margins->addWidget(label(QStringLiteral("Währung:"), TabSheet3, "Label19"), r, 0);
    margins->addWidget(WaehrEd, r++, 1);

    CapsCheck = check(QStringLiteral("Kategorienamen in Großbuchstaben"), TabSheet3, "CapsCheck", true);
    ZentrCheck = check(QStringLiteral("Überschrift zentriert"), TabSheet3, "ZentrCheck", true);
    NoKommaCheck = check(QStringLiteral("Kommastellen bei Preisen weglassen"), TabSheet3, "NoKommaCheck", false);
    NewPageForKatCheck = check(QStringLiteral("Neue Seite für jede Kategorie"), TabSheet3, "NewPageForKatCheck", false);
    NoPointsCheck = check(QStringLiteral("Keine Punkte nach den Produktnamen"), TabSheet3, "NoPointsCheck", false);
    CenterKatCheck = check(QStringLiteral("Kategorieüberschrift zentriert"), TabSheet3, "CenterKatCheck", false);
    auto *checks = new QVBoxLayout;
    for (QCheckBox *c : {CapsCheck, ZentrCheck, NoKommaCheck, NewPageForKatCheck, NoPointsCheck, CenterKatCheck})
        checks->addWidget(c);
    checks->addStretch(1);

    const CardSettings defaults;
    for (int i = 0; i < 9; ++i) {
        FontDialogs[i] = new TFontDialog(defaults.fonts[i], this);
        FontDialogs[i]->setObjectName(QStringLiteral("FontDialog%1").arg(i + 1));
    }
    const QStringList captions = {
        QStringLiteral("Schriftart für Überschrift..."), QStringLiteral("Schriftart für Kategoriename..."),
        QStringLiteral("Schriftart für Nummerierung..."), QStringLiteral("Schriftart für Beschreibung..."),
        QStringLiteral("Schriftart für Preise..."), QStringLiteral("Schriftart für Punkte..."),
        QStringLiteral("Schriftart für freien Text..."), QStringLiteral("Schriftart für Fußzeile..."),
        QStringLiteral("Schriftart für Kopfzeile...")};
    QPushButton **fontButtons[9] = {&BitBtnXP3, &BitBtnXP4, &BitBtnXP5, &BitBtnXP6, &BitBtnXP7,
                                    &BitBtnXP8, &BitBtnXP9, &BitBtnXP10, &BitBtnXP11};
    auto *fonts = named(new QGroupBox(TabSheet3), "FontGroup");
    auto *fl = new QVBoxLayout(fonts);
    const QIcon fontIcon = AppIcon("preferences-desktop-font", "font");
    for (int i = 0; i < 9; ++i) {
        *fontButtons[i] = named(new QPushButton(fontIcon, captions[i], fonts), nullptr);
        (*fontButtons[i])->setObjectName(QStringLiteral("BitBtnXP%1").arg(i + 3));
        (*fontButtons[i])->setStyleSheet(QStringLiteral("text-align:left; padding:4px"));
        fl->addWidget(*fontButtons[i]);
    }
    fl->addStretch(1);

    MarksGroup = new TMarksGroup(TabSheet3);
    MarksGroup->execDialog = [this](QDialog *d) { return execDialog(d); };
    MarksGroup->secondLanguage = [this] { return catalogue.secondLanguage(); };

    PaperBox = new TPaperBox(TabSheet3);
    PrintFormBox = new TPrintFormBox(TabSheet3);
    LesbarkeitBox = new TReadabilityBox(TabSheet3);
    CardOptionsBox = new TCardOptionsBox(TabSheet3);

    auto *leftCol = new QVBoxLayout;
    leftCol->addLayout(margins);
    leftCol->addWidget(PaperBox);
    leftCol->addWidget(PrintFormBox);
    leftCol->addSpacing(12);
    leftCol->addLayout(checks);
    leftCol->addWidget(CardOptionsBox);
    // The labelling and the readability note below the fonts, so that the
    // tab stays low enough for a window on a 768 pixel high screen.
    auto *rightCol = new QVBoxLayout;
    rightCol->addWidget(fonts, 1);
    rightCol->addWidget(MarksGroup);
    rightCol->addWidget(LesbarkeitBox);
    auto *lay = new QHBoxLayout(TabSheet3);
    lay->addLayout(leftCol, 1);
    lay->addLayout(rightCol, 1);
}

void TMainForm::buildBackgroundTab()
{
    TabSheet4 = named(new QWidget, "TabSheet4");
    PageControl1->addTab(TabSheet4, AppIcon("image-x-generic", "tab-background"),
                         QStringLiteral("Hintergrund"));

    FilenameEdit2 = named(new TFilenameEdit(TabSheet4), "FilenameEdit2");
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(label(QStringLiteral("Dateiname:"), TabSheet4, "Label20"));
    fileRow->addWidget(FilenameEdit2, 1);

    auto *size = named(new QGroupBox(QStringLiteral("Größe der Grafik"), TabSheet4), "GroupBox1");
    BreitEd2 = floatEdit(size, "BreitEd2", 1, 10000, 0.1, 23, 1);
    HochEd2 = floatEdit(size, "HochEd2", 1, 10000, 0.1, 10, 1);
    SVerh2Check = check(QStringLiteral("Seitenverhältnis beibehalten"), size, "SVerh2Check", true);
    auto *sl = new QGridLayout(size);
    sl->addWidget(label(QStringLiteral("Breite:"), size, "Label21"), 0, 0);
    sl->addWidget(BreitEd2, 0, 1);
    sl->addWidget(label(QStringLiteral("Höhe:"), size, "Label22"), 1, 0);
    sl->addWidget(HochEd2, 1, 1);
    sl->addWidget(SVerh2Check, 2, 0, 1, 2);

    auto *vis = named(new QGroupBox(QStringLiteral("Sichtbarkeits Einstellungen"), TabSheet4), "GroupBox2");
    GrayScaleCheck = check(QStringLiteral("Textur in Graustufen umwandeln"), vis, "GrayScaleCheck", false);
    LightenCheck = check(QStringLiteral("Textur aufhellen und Sättigung neu berechnen"), vis, "LightenCheck", true);
    HellEd = intEdit(vis, "HellEd", 1, 100, 1, 50);
    SatEd = intEdit(vis, "SatEd", -100, 200, 1, 0);
    auto *vl = new QGridLayout(vis);
    vl->addWidget(GrayScaleCheck, 0, 0, 1, 3);
    vl->addWidget(LightenCheck, 1, 0, 1, 3);
    vl->addWidget(label(QStringLiteral("Helligkeit %:"), vis, "Label23"), 2, 0);
    vl->addWidget(HellEd, 2, 1);
    vl->addWidget(label(QStringLiteral("Sättigung:"), vis, "Label24"), 3, 0);
    vl->addWidget(SatEd, 3, 1);
    vl->addWidget(label(QStringLiteral("(größer 0=Farben intensiver)"), vis, "Label25"), 3, 2);
    vl->setColumnStretch(2, 1);

    ScrollBox2 = named(new QScrollArea(TabSheet4), "ScrollBox2");
    ScrollBox2->setWidgetResizable(false);
    PaintBox2 = named(new PicturePreview, "PaintBox2");
    PaintBox2->setTexture(di2.get());
    ScrollBox2->setWidget(PaintBox2);

    auto *groups = new QHBoxLayout;
    groups->addWidget(size);
    groups->addWidget(vis, 1);
    PictureNoteLabel = new PictureNote(TabSheet4);
    auto *lay = new QVBoxLayout(TabSheet4);
    lay->addLayout(fileRow);
    lay->addWidget(PictureNoteLabel);
    lay->addLayout(groups);
    lay->addWidget(ScrollBox2, 1);
}

void TMainForm::buildMenu()
{
    QMenuBar *mb = menuBar();
    mb->setObjectName(QStringLiteral("MainMenu1"));
    auto act = [this](QMenu *m, const char *name, const QString &text) {
        auto *a = new QAction(text, this);
        a->setObjectName(QLatin1String(name));
        m->addAction(a);
        return a;
    };
    Datei1 = named(mb->addMenu(QStringLiteral("Datei")), "Datei1");
    Neu1 = act(Datei1, "Neu1", QStringLiteral("Neu"));
    Neu1->setShortcut(QKeySequence::New);
    ffnen1 = act(Datei1, "ffnen1", QStringLiteral("Öffnen..."));
    ffnen1->setShortcut(QKeySequence::Open);
    ffnen1->setIcon(OpenBtn->icon());
    Speichern1 = act(Datei1, "Speichern1", QStringLiteral("Speichern"));
    Speichern1->setShortcut(QKeySequence::Save);
    Speichern1->setIcon(SaveBtn->icon());
    Speichernunter1 = act(Datei1, "Speichernunter1", QStringLiteral("Speichern unter..."));
    Speichernunter1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ExportierennachExcel1 = act(Datei1, "ExportierennachExcel1", QStringLiteral("Exportieren nach Excel..."));
    ExportierennachExcel1->setVisible(false); // never shown
    ExportierenalsCSVDatei1 = act(Datei1, "ExportierenalsCSVDatei1", QStringLiteral("Exportieren als CSV Datei..."));
    ExportierenalsExcelTabelle1 =
        act(Datei1, "ExportierenalsExcelTabelle1", QStringLiteral("Exportieren als Excel-Tabelle…"));
    ExportierenalsExcelTabelle1->setEnabled(WorkbooksAvailable()); // a build without workbooks: CSV only
    Importieren1 = act(Datei1, "Importieren1", QStringLiteral("Importieren…"));
    AlsPDFexportieren1 = act(Datei1, "AlsPDFexportieren1", QStringLiteral("Als PDF exportieren..."));
    AlsPDFexportieren1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    AlleKartenexportieren1 = act(Datei1, "AlleKartenexportieren1", QStringLiteral("Alle Karten exportieren…"));
    AlsWebseiteexportieren1 = act(Datei1, "AlsWebseiteexportieren1", QStringLiteral("Als Webseite exportieren..."));
    QRCodeexportieren1 = act(Datei1, "QRCodeexportieren1", QStringLiteral("QR-Code exportieren..."));
    Datei1->addSeparator()->setObjectName(QStringLiteral("N1"));
    Drucken1 = act(Datei1, "Drucken1", QStringLiteral("Drucken"));
    Drucken1->setShortcut(QKeySequence::Print);
    Drucken1->setIcon(DruckenBtn->icon());
    Druckereinrichten1 = act(Datei1, "Druckereinrichten1", QStringLiteral("Drucker einrichten..."));
    // The documents opened last, numbered: their texts are file names (no
    // translation, no Alt letter of their own besides the number).
    recentSeparator = Datei1->addSeparator();
    recentSeparator->setObjectName(QStringLiteral("N4"));
    for (int i = 0; i < kRecentDocuments; ++i) {
        QAction *a = act(Datei1, "", QString());
        a->setObjectName(QStringLiteral("Zuletzt%1").arg(i + 1));
        a->setProperty("velloran_notranslate", true);
        a->setProperty("velloran_nomnemonic", true);
        a->setVisible(false);
        recentActions << a;
    }
    Datei1->addSeparator()->setObjectName(QStringLiteral("N2"));
    Beenden1 = act(Datei1, "Beenden1", QStringLiteral("Beenden"));
    Beenden1->setShortcut(QKeySequence::Quit);

    Bearbeiten1 = named(mb->addMenu(QStringLiteral("Bearbeiten")), "Bearbeiten1");
    Rueckgaengig1 = act(Bearbeiten1, "Rueckgaengig1", QStringLiteral("Rückgängig"));
    Rueckgaengig1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Rueckgaengig1->setIcon(UndoBtn->icon());
    Wiederholen1 = act(Bearbeiten1, "Wiederholen1", QStringLiteral("Wiederholen"));
    Wiederholen1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    Wiederholen1->setIcon(RedoBtn->icon());
    // Their texts name the step and change with it: no Alt letter.
    for (QAction *a : {Rueckgaengig1, Wiederholen1})
        a->setProperty("velloran_nomnemonic", true);
    Bearbeiten1->addSeparator()->setObjectName(QStringLiteral("N5"));
    Preisendern1 = act(Bearbeiten1, "Preisendern1", QStringLiteral("Preise ändern..."));

    Sprache1 = named(mb->addMenu(QStringLiteral("Sprache")), "Sprache1");
    LanguageGroup = new QActionGroup(this);
    LanguageGroup->setExclusive(true);
    Deutsch1 = act(Sprache1, "Deutsch1", QStringLiteral("Deutsch"));
    English1 = act(Sprache1, "English1", QStringLiteral("English"));
    Franais1 = act(Sprache1, "Franais1", QStringLiteral("Français"));
    Nederlands1 = act(Sprache1, "Nederlands1", QStringLiteral("Nederlands"));
    Swedish1 = act(Sprache1, "Swedish1", QStringLiteral("Swedish"));
    for (QAction *a : {Deutsch1, English1, Franais1, Nederlands1, Swedish1}) {
        a->setCheckable(true);
        LanguageGroup->addAction(a);
    }
    Sprache1->addSeparator()->setObjectName(QStringLiteral("N3"));
    bersetzen1 = act(Sprache1, "bersetzen1", QStringLiteral("Übersetzen..."));

    Hilfe1 = named(mb->addMenu(QStringLiteral("Hilfe")), "Hilfe1");
    ber1 = act(Hilfe1, "ber1", QStringLiteral("Über..."));

    const QString docFilter = QStringLiteral("Speisekarten (*.vlr)|*.vlr");
    OpenDialog1 = named(new FileDialogFilter(docFilter, this), "OpenDialog1");
    SaveDialog1 = named(new FileDialogFilter(docFilter, this), "SaveDialog1");
    SaveDialog3 = named(new FileDialogFilter(QStringLiteral("CSV-Dateien (*.csv)|*.csv"), this), "SaveDialog3");
    SaveDialogXlsx = named(new FileDialogFilter(QStringLiteral("Excel-Tabellen (*.xlsx)|*.xlsx"), this), "SaveDialogXlsx");
    OpenDialogSheet = named(new FileDialogFilter(QStringLiteral("Tabellen (*.xlsx *.csv)|*.xlsx;*.csv"), this),
                            "OpenDialogSheet");
    SaveDialogPdf = named(new FileDialogFilter(QStringLiteral("PDF-Dateien (*.pdf)|*.pdf"), this), "SaveDialog4");
    SaveDialogHtml = named(new FileDialogFilter(QStringLiteral("Webseiten (*.html)|*.html"), this), "SaveDialogHtml");
    SaveDialogQr = named(new FileDialogFilter(QStringLiteral("PNG- oder SVG-Bilder (*.png *.svg)|*.png;*.svg"), this),
                         "SaveDialogQr");
    PictureDialog = named(new FileDialogFilter(QString(), this), "OpenPictureDialog");
    FilenameEdit2->Filter = PictureDialog;
    LogoBox->LogoEd->Filter = PictureDialog;
}

void TMainForm::connectHandlers()
{
    connect(EndeBtn, &QPushButton::clicked, this, &TMainForm::Beenden1Click);
    connect(Beenden1, &QAction::triggered, this, &TMainForm::Beenden1Click);
    connect(ber1, &QAction::triggered, this, &TMainForm::ber1Click);

    connect(BitBtn1, &QPushButton::clicked, this, &TMainForm::BitBtn1Click);
    connect(BitBtnXP2, &QPushButton::clicked, this, &TMainForm::BitBtnXP2Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TMainForm::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TMainForm::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TMainForm::BitBtn4Click);
    connect(GroessenBtn, &QPushButton::clicked, this, &TMainForm::GroessenBtnClick);
    connect(Preisendern1, &QAction::triggered, this, &TMainForm::Preisendern1Click);
    connect(NeuesProduktBtn, &QPushButton::clicked, this, &TMainForm::NeuesProduktBtnClick);
    connect(ProduktBearbeitenBtn, &QPushButton::clicked, this, &TMainForm::ProduktBearbeitenBtnClick);
    connect(ProduktLoeschenBtn, &QPushButton::clicked, this, &TMainForm::ProduktLoeschenBtnClick);
    connect(ProduktNachObenBtn, &QPushButton::clicked, this, &TMainForm::ProduktNachObenBtnClick);
    connect(ProduktNachUntenBtn, &QPushButton::clicked, this, &TMainForm::ProduktNachUntenBtnClick);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { ProduktBearbeitenBtnClick(); });
    connect(ProduktKopierenBtn, &QPushButton::clicked, this, &TMainForm::ProduktKopierenBtnClick);
    connect(ListView1, &QWidget::customContextMenuRequested, this, &TMainForm::productContextMenu);

    // The category list's change notification: a caption edit, or a change of
    // the selected/focused entry. The product list always follows the
    // selected category.
    connect(ListView2, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *it, int column) {
        if (column == 1)
            takeCategoryTranslation(it);
        ListView2Change();
    });
    connect(ListView2, &QTreeWidget::currentItemChanged, this, [this] {
        ListView2Change();
        ListProds();
    });
    // Selecting nothing (a click on the empty area) is a change too.
    connect(ListView2, &QTreeWidget::itemSelectionChanged, this, [this] {
        ListView2Change();
        ListProds();
    });
    connect(ListView2, &QTreeWidget::itemClicked, this, [this] { ListProds(); });

    // Document commands
    connect(Neu1, &QAction::triggered, this, &TMainForm::Neu1Click);
    connect(ffnen1, &QAction::triggered, this, &TMainForm::ffnen1Click);
    connect(OpenBtn, &QPushButton::clicked, this, &TMainForm::ffnen1Click);
    connect(Speichern1, &QAction::triggered, this, &TMainForm::Speichern1Click);
    connect(SaveBtn, &QPushButton::clicked, this, &TMainForm::Speichern1Click);
    connect(Speichernunter1, &QAction::triggered, this, &TMainForm::Speichernunter1Click);
    connect(BitBtnXP1, &QPushButton::clicked, this, &TMainForm::Speichernunter1Click);
    connect(ExportierenalsCSVDatei1, &QAction::triggered, this, &TMainForm::ExportierenalsCSVDatei1Click);
    connect(ExportierenalsExcelTabelle1, &QAction::triggered, this, &TMainForm::ExportierenalsExcelTabelle1Click);
    connect(Importieren1, &QAction::triggered, this, &TMainForm::Importieren1Click);
    connect(AlsPDFexportieren1, &QAction::triggered, this, &TMainForm::AlsPDFexportieren1Click);
    connect(AlsWebseiteexportieren1, &QAction::triggered, this, &TMainForm::AlsWebseiteexportieren1Click);
    connect(QRCodeexportieren1, &QAction::triggered, this, &TMainForm::QRCodeexportieren1Click);
    connect(Drucken1, &QAction::triggered, this, &TMainForm::Drucken1Click);
    connect(DruckenBtn, &QPushButton::clicked, this, &TMainForm::Drucken1Click);
    connect(Druckereinrichten1, &QAction::triggered, this, &TMainForm::Druckereinrichten1Click);
    for (int i = 0; i < recentActions.size(); ++i)
        connect(recentActions.at(i), &QAction::triggered, this, [this, i] { openRecentDocument(i); });

    // Preview
    PaintBox1->OnPaint = [this](QPainter &p, const QRect &exposed) { PaintBox1Paint(p, exposed); };
    PaintBox1->OnMouseDown = [this](QMouseEvent *e) { PaintBox1MouseDown(e->pos().x(), e->pos().y()); };
    PaintBox1->OnMouseMove = [this](QMouseEvent *e) { PaintBox1MouseMove(e->pos().x(), e->pos().y()); };
    PaintBox1->OnMouseUp = [this](QMouseEvent *) { PaintBox1MouseUp(); };
    connect(ZoomEd, &QSpinBox::valueChanged, this, &TMainForm::ZoomEdChange);
    connect(SeiteEd, &QSpinBox::valueChanged, this, &TMainForm::ZoomEdChange);
    for (QLineEdit *e : {CaptionEd, FussEd, KopfEd})
        connect(e, &QLineEdit::textChanged, this, &TMainForm::CaptionEdChange);
    connect(RahmenCheck, &QCheckBox::toggled, this, &TMainForm::RahmenCheckClick);
    connect(QrCodeBox, &TQrCodeBox::changed, this, &TMainForm::CaptionEdChange);
    connect(PaperBox, &TPaperBox::changed, this, &TMainForm::applyCardPaper);
    connect(PrintFormBox, &TPrintFormBox::changed, this, &TMainForm::applyPrintForm);
    connect(LesbarkeitBox->GrossdruckBtn, &QPushButton::clicked, this, &TMainForm::GrossdruckClick);
    // The readability check runs when the Layout tab is shown and after
    // every change there or of the picture while it is shown.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { checkReadability(); });
    connect(LogoBox, &TLogoBox::changed, this, [this] {
        Pager->cardChanged();
        RepaintPreview();
    });
    qApp->installEventFilter(this);

    // Background picture
    connect(FilenameEdit2, &TFilenameEdit::changed, this, &TMainForm::FilenameEdit2Change);
    connect(GrayScaleCheck, &QCheckBox::toggled, this, &TMainForm::GrayScaleCheckClick);
    connect(LightenCheck, &QCheckBox::toggled, this, &TMainForm::LightenCheckClick);
    connect(HellEd, &QSpinBox::valueChanged, this, &TMainForm::HellEdChange);
    connect(SatEd, &QSpinBox::valueChanged, this, &TMainForm::HellEdChange);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    // Language
    LanguageGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const std::pair<QAction *, int32_t> languages[] = {
        {Deutsch1, 0}, {English1, 1}, {Franais1, 2}, {Nederlands1, 3}, {Swedish1, 4}};
    for (auto [item, number] : languages)
        connect(item, &QAction::triggered, this, [this, item = item, number = number] { LanguageClick(item, number); });
    connect(bersetzen1, &QAction::triggered, this, &TMainForm::bersetzen1Click);

    for (int i = 0; i < 9; ++i) {
        QPushButton *b = findChild<QPushButton *>(QStringLiteral("BitBtnXP%1").arg(i + 3));
        TFontDialog *fd = FontDialogs[i];
        connect(b, &QPushButton::clicked, this, [this, fd, b] {
            if (fd->Execute(this)) {
                QString name = b->text();
                name.remove(QStringLiteral("..."));
                history->record(name);
                checkReadability();
            }
        });
    }

    buildHistory();
    connectCards();
    connectTranslations();

    // Every change of the card reaches the preview's page count (connected
    // last, so that a setting's own handler has run when it counts).
    Pager->watchEditors(TabSheet2);
    Pager->watchEditors(TabSheet3);
    Pager->watchModel(ListView2->model());
    Pager->watchModel(ListView1->model());
}

bool TMainForm::eventFilter(QObject *o, QEvent *e)
{
    if (isHistoryShortcut(o, e)) {
        e->ignore(); // not taken by the field: the menu's shortcut runs
        return true;
    }
    if (e->type() == QEvent::Wheel) {
        // The wheel scrolls the preview or the picture view by 20 pixels a
        // notch wherever the mouse is over the window.
        auto *w = qobject_cast<QWidget *>(o);
        const int tab = PageControl1->currentIndex();
        auto *we = static_cast<QWheelEvent *>(e);
        // Spin boxes keep their own wheel; sideways turns go to the scroll area.
        if (w && w->window() == this && (tab == 1 || tab == 3) && we->angleDelta().y() != 0
            && !qobject_cast<QAbstractSpinBox *>(w) && !qobject_cast<QAbstractSpinBox *>(w->parentWidget())) {
            // Smooth-scrolling devices send parts of a notch: collect them.
            wheelRest += we->angleDelta().y();
            const int notches = wheelRest / 120;
            wheelRest -= notches * 120;
            handleWheel(notches);
            return true;
        }
        return false;
    }
    if (e->type() == QEvent::Resize) {
        if (o == ListView2) {
            // The names take three fifths, their translations the rest.
            ListView2->setColumnWidth(0, qMax(0, (ListView2->width() - 10) * 3 / 5));
        } else if (o == ListView1) {
            ProductPriceColumns::fit(ListView1);
        }
    }
    if (e->type() == QEvent::KeyPress && (o == ListView1 || o == ListView2)
        && listKeyPress(o, static_cast<QKeyEvent *>(e)))
        return true;
    if (o == ListView2->viewport()
        && (e->type() == QEvent::DragEnter || e->type() == QEvent::DragMove || e->type() == QEvent::Drop))
        return categoryDropEvent(e);
    return QMainWindow::eventFilter(o, e);
}

// ---------------------------------------------------------------------------
// Start and end
// ---------------------------------------------------------------------------

void TMainForm::FormCreate()
{
    // 1. The program directory.
    progpath = appfiles::ProgPath();

    // 2. The translation table (an installed program first gets its own copy
    //    in the user's configuration directory).
    appfiles::SeedUserTranslations();
    InitTranslations(appfiles::UserFile(QStringLiteral("translate.dat")));
    SetOnRequestTextProvider([] { return GetMsgText(10); });

    // 3. No background picture is held yet (di2 starts empty).

    // 4. The caption without the document part.
    maincap = windowTitle();

    // 5. The empty catalogue; ListProds disables the product buttons.
    ListProds();

    // 6. The default background picture; its change reaction loads it.
    FilenameEdit2->setFileName(GetMsgText(4));
    if (FilenameEdit2->FileName() == GetMsgText(4) && !di2->HasTexture() && di2->PrepareCount() == 0)
        FilenameEdit2Change();

    // 7. The picture dialog's filter lists what the picture library reads.
    PictureDialog->filter = GetDIBOpenFilter();

    // 8. The interface language.
    LoadOptions();

    // 9. The documents opened last, for the menu "Datei"; every file dialog
    //    starts in the document's folder, the picture's too.
    recentDocuments = LoadRecentDocuments(appfiles::UserFile(QStringLiteral("window.ini")));
    showRecentDocuments();
    FilenameEdit2->startFolder = [this] { return dialogFolder(); };
    LogoBox->LogoEd->startFolder = [this] { return dialogFolder(); };
}

void TMainForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    FormShow();
}

void TMainForm::FormShow()
{
    if (infirst)
        return;
    RegisterMessages();
    RegisterProgramTexts();
    language = languagesetto;
    SetQtLanguage(language);
    if (languagesetto != 0) {
        QList<QObject *> windows{this};
        for (QObject *w : {static_cast<QObject *>(EditProduktForm), static_cast<QObject *>(AboutBox),
                           static_cast<QObject *>(TranslateForm)})
            if (w)
                windows << w;
        TranslateComponents(qApp, windows);
    }
    CardOptionsBox->translateChoices();
    showCategoryTranslations();
    Uebersetzungen->translateTexts();
    // The application title (kept as a property of the application: Qt would
    // append a display name to every window caption).
    qApp->setProperty("applicationTitle", TranslateStr(qApp->property("applicationTitle").toString()));
    // The Alt letters of the menus, in the interface language.
    AssignMnemonics(menuBar());
    maincap = windowTitle();
    history->reset(); // the translated texts are where the document starts
    SetUnChanged();
    infirst = true;
    // The picture's note in the interface language, now that it is in force.
    PictureNoteLabel->setProblem(FilenameEdit2->FileName(), di2->Problem());
    LogoBox->reopen();
    // A recovery copy left by a program that did not end is offered first;
    // the document named on the command line opens once the window is on
    // the screen, so that a message about a damaged file has its window.
    const QString doc = arguments.isEmpty() ? QString() : arguments.first();
    QTimer::singleShot(0, this, [this, doc] {
        if (!offerRecovery() && !doc.isEmpty())
            OpenFileWithName(doc);
    });
}

void TMainForm::closeEvent(QCloseEvent *e)
{
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    FormClose();
    e->accept();
}

bool TMainForm::FormCloseQuery()
{
    return AskSaveChanges();
}

void TMainForm::FormClose()
{
    // Saved or given up: the recovery copy and the history go.
    recovery->discard();
    history->reset();
    SaveOptions();
    SaveWindowSize(appfiles::UserFile(QStringLiteral("window.ini")), isMaximized() || isFullScreen() ? normalGeometry().size() : size());
}

void TMainForm::FormDestroy()
{
    // The products' texts and arrays, then the category array; then the
    // background picture.
    catalogue.clear();
    PaintBox2->setTexture(nullptr);
    if (di2)
        di2->Release();
}

void TMainForm::Beenden1Click()
{
    close();
}

void TMainForm::ber1Click()
{
    if (AboutBox)
        execDialog(AboutBox);
}

// ---------------------------------------------------------------------------
// Settings and catalogue access
// ---------------------------------------------------------------------------

int TMainForm::selectedCategory() const
{
    QTreeWidgetItem *it = ListView2->currentItem();
    if (!it || !it->isSelected())
        return -1;
    return ListView2->indexOfTopLevelItem(it);
}

int TMainForm::selectedProduct() const
{
    QTreeWidgetItem *it = ListView1->currentItem();
    if (!it || !it->isSelected())
        return -1;
    return ListView1->indexOfTopLevelItem(it);
}

// ---------------------------------------------------------------------------
// Catalogue commands
// ---------------------------------------------------------------------------


void TMainForm::commitPendingEdits()
{
    // An open in-place editor of the category list holds a rename that has
    // not reached the list yet: commit it, so that it marks the document
    // modified and is saved, exported or asked about.
    // The same holds for a translation being typed in the "Übersetzungen" tab.
    QWidget *fw = QApplication::focusWidget();
    if (fw && Uebersetzungen->TextTable->viewport()->isAncestorOf(fw)) {
        QWidget *editor = Uebersetzungen->TextTable->indexWidget(Uebersetzungen->TextTable->currentIndex());
        if (editor && (editor == fw || editor->isAncestorOf(fw))) {
            QAbstractItemDelegate *d = Uebersetzungen->TextTable->itemDelegateForColumn(TTranslationsView::TranslationColumn);
            emit d->commitData(editor);
            emit d->closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
        return;
    }
    auto *editor = qobject_cast<QLineEdit *>(fw);
    if (!editor || !ListView2->viewport()->isAncestorOf(editor))
        return;
    QAbstractItemDelegate *d = ListView2->itemDelegate();
    emit d->commitData(editor);
    emit d->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TMainForm::ListView2Change()
{
    // A new caption is a step; a change of the selection only is none.
    history->record(TranslateStr(QStringLiteral("Kategorie bearbeiten")));
}

void TMainForm::BitBtn1Click()
{
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Neue Kategorie")));
    // The array element comes first so that the list's notifications always
    // find a category for every entry.
    if (!catalogue.addCategory())
        return;
    auto *it = new QTreeWidgetItem;
    it->setFlags(it->flags() | Qt::ItemIsEditable);
    {
        const QSignalBlocker block(ListView2);
        ListView2->addTopLevelItem(it);
    }
    ListView2->setCurrentItem(it);
    ListView2->editItem(it, 0);
    ListProds();
}

void TMainForm::BitBtnXP2Click()
{
    if (QTreeWidgetItem *it = ListView2->currentItem(); it && it->isSelected())
        ListView2->editItem(it, 0);
}

void TMainForm::BitBtn2Click()
{
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Kategorie löschen")));
    const int i = selectedCategory();
    if (i < 0)
        return;
    const int before = catalogue.categoryCount();
    catalogue.deleteCategory(i);
    if (catalogue.categoryCount() == before)
        return; // could not be removed: keep the entry too
    delete ListView2->takeTopLevelItem(i);
    ListProds();
}

void TMainForm::moveCategoryEntry(int from, int to)
{
    QTreeWidgetItem *it;
    {
        const QSignalBlocker block(ListView2);
        it = ListView2->takeTopLevelItem(from);
        ListView2->insertTopLevelItem(to, it);
    }
    ListView2->setCurrentItem(it);
    it->setSelected(true);
}

void TMainForm::BitBtn3Click()
{
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Kategorie nach oben")));
    const int i = selectedCategory();
    if (i <= 0)
        return;
    catalogue.changeCategories(i - 1, i);
    moveCategoryEntry(i, i - 1);
}

void TMainForm::BitBtn4Click()
{
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Kategorie nach unten")));
    const int i = selectedCategory();
    if (i < 0 || i >= ListView2->topLevelItemCount() - 1)
        return;
    catalogue.changeCategories(i + 1, i);
    moveCategoryEntry(i, i + 1);
}


void TMainForm::ProduktLoeschenBtnClick()
{
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Produkt löschen")));
    const int cat = selectedCategory();
    const int row = selectedProduct();
    if (cat < 0 || row < 0)
        return;
    catalogue.deleteProduct(cat, row);
    ListProds();
}

void TMainForm::moveProductRow(int from, int to)
{
    QTreeWidgetItem *it = ListView1->takeTopLevelItem(from);
    ListView1->insertTopLevelItem(to, it);
    ListView1->setCurrentItem(it);
    it->setSelected(true);
}

void TMainForm::ProduktNachObenBtnClick()
{
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Produkt nach oben")));
    const int cat = selectedCategory();
    const int r = selectedProduct();
    if (cat < 0 || r <= 0)
        return;
    catalogue.changeProducts(cat, r - 1, r);
    moveProductRow(r, r - 1);
}

void TMainForm::ProduktNachUntenBtnClick()
{
    const DocumentHistory::Step step(history, TranslateStr(QStringLiteral("Produkt nach unten")));
    const int cat = selectedCategory();
    const int r = selectedProduct();
    if (cat < 0 || r < 0 || r >= int(catalogue.products(cat)->count) - 1)
        return;
    catalogue.changeProducts(cat, r + 1, r);
    moveProductRow(r, r + 1);
}

// ---------------------------------------------------------------------------
// Document state
// ---------------------------------------------------------------------------

QString TMainForm::documentTitle() const
{
    if (afilename.isEmpty())
        return GetMsgText(8);
    return QFileInfo(afilename).fileName();
}

// The modified state follows the history: a step marks the document
// modified, undoing back to the saved state marks it clean again.
void TMainForm::showDocumentState(bool modified)
{
    changed = modified;
    setWindowTitle(maincap + QStringLiteral(" - [") + documentTitle() + (modified ? QStringLiteral("*]") : QStringLiteral("]")));
    recovery->setDocument(afilename, documentTitle());
}

void TMainForm::SetChanged()
{
    showDocumentState(true);
}

void TMainForm::SetUnChanged()
{
    showDocumentState(false);
    history->markClean(); // the document as it stands is the saved one
}
