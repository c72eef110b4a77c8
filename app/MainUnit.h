// The main window: owner of the catalogue, the document state, the card
// settings (its controls) and the prepared background picture. Handlers gather
// what they need and call the subsystem modules that do the work.
#pragma once

#include "app/productcolumns.h"
#include "catalogue/cards.h"
#include "catalogue/catalogue.h"
#include "catalogue/extension.h"
#include "catalogue/cardsettings.h"
#include "layout/imposition.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPageLayout>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class PictureNote;
class QPainter;
class QRect;
class QActionGroup;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TEditProduktForm;
class TCardBar;
class TCardOptionsBox;
class TMarksGroup;
class TAboutBox;
class TFontDialog;
class TFilenameEdit;
class TPreviewBox;
class PreviewPager;
class TTranslateForm;
class TextureHolder;
class PicturePreview;
class FileDialogFilter;
struct CardSource;
struct TextPlace;
class TTranslationsView;
struct DocumentData;
struct DocumentSelection;
class DocumentHistory;
class RecoveryKeeper;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // Windows created after the main window (the program block hands them
    // over so the handlers can reach them).
    void setDialogs(TEditProduktForm *produkt, TAboutBox *about, TTranslateForm *translateForm);
    // The program's arguments (the first one names a document to open at the
    // first show; further ones are ignored).
    QStringList arguments;

    // ---- state ---------------------------------------------------------------
    QString progpath;
    QString maincap;
    bool infirst = false;
    QString afilename;
    bool changed = false;
    // Records of group D that this program does not know, kept from the
    // opened document and written back when it is saved.
    ExtensionRecords keptRecords;
    bool ziehen = false;
    int32_t ziehx = 0, ziehy = 0;

    Catalogue catalogue;     // kats, akat, aprod
    // The document's cards. The controls hold the settings of the selected
    // card; the other cards' settings are kept here (those of the first card,
    // while another is selected, in cards[0].settings).
    CardList cards;
    int selectedCard = 0;
    TDynaArray *&kats;       // the category array of the catalogue
    TProductRec *&aprod;     // bound pointer shared by the product arrays

    // ---- controls --------------------------------------------------------------
    QWidget *Panel1;          // tool bar
    QPushButton *OpenBtn, *SaveBtn, *BitBtnXP1, *UndoBtn, *RedoBtn, *DruckenBtn, *EndeBtn;
    QTabWidget *PageControl1;
    QWidget *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4;
    QWidget *TabSheet5; // "Übersetzungen"

    // Tab 1: catalogue
    QTreeWidget *ListView2;   // categories
    QTreeWidget *ListView1;   // products of the selected category
    QPushButton *BitBtn1, *BitBtnXP2, *BitBtn2, *BitBtn3, *BitBtn4;
    QPushButton *GroessenBtn; // "Größen...": the size columns of the category
    QPushButton *NeuesProduktBtn, *ProduktBearbeitenBtn, *ProduktKopierenBtn, *ProduktLoeschenBtn,
        *ProduktNachObenBtn, *ProduktNachUntenBtn;

    // The card selector above the tabs (MainCards.cpp).
    TCardBar *CardBar;
    // Tab 3: the card's numbering and date line.
    TCardOptionsBox *CardOptionsBox;

    // Tab 2: preview
    QSpinBox *ZoomEd, *SeiteEd;
    QLineEdit *CaptionEd, *FussEd, *KopfEd;
    QCheckBox *RahmenCheck;
    class TQrCodeBox *QrCodeBox; // QrUrlEd, QrDruckCheck, QrGroesseEd
    class TPaperBox *PaperBox;   // the card's paper (tab "Layout")
    class TPrintFormBox *PrintFormBox; // the card's print form (tab "Layout")
    class TLogoBox *LogoBox;     // the card's logo (tab "Speisekarte erzeugen")
    class TReadabilityBox *LesbarkeitBox; // the readability check and "Großdruck" (tab "Layout")
    QScrollArea *ScrollBox1;
    TPreviewBox *PaintBox1;
    PreviewPager *Pager; // "von N", zoom to fit, Page Up/Page Down

    // Tab 3: layout
    QDoubleSpinBox *LinksEd, *ObenEd, *RechtsEd, *UntenEd;
    QLineEdit *WaehrEd;
    QCheckBox *CapsCheck, *ZentrCheck, *NoKommaCheck, *NewPageForKatCheck, *NoPointsCheck,
        *CenterKatCheck;
    QPushButton *BitBtnXP3, *BitBtnXP4, *BitBtnXP5, *BitBtnXP6, *BitBtnXP7, *BitBtnXP8, *BitBtnXP9,
        *BitBtnXP10, *BitBtnXP11;
    TFontDialog *FontDialogs[9]; // FontDialog1 .. FontDialog9
    TMarksGroup *MarksGroup;     // "Kennzeichnung": allergen and additive marks

    // Tab 4: background picture
    TFilenameEdit *FilenameEdit2;
    QDoubleSpinBox *BreitEd2, *HochEd2;
    QCheckBox *SVerh2Check, *GrayScaleCheck, *LightenCheck;
    QSpinBox *HellEd, *SatEd;
    QScrollArea *ScrollBox2;
    PicturePreview *PaintBox2; // the picture view
    PictureNote *PictureNoteLabel; // why the named picture cannot be used
    QTimer *Timer1;
    std::unique_ptr<TextureHolder> di2; // the prepared background picture

    // Dialog filters (Windows "Text|*.x" form, translated with the window).
    FileDialogFilter *OpenDialog1, *SaveDialog1, *SaveDialog3, *SaveDialogPdf, *PictureDialog;
    FileDialogFilter *SaveDialogHtml, *SaveDialogQr;
    FileDialogFilter *SaveDialogXlsx, *OpenDialogSheet; // the Excel export, the import

    // The selected printer.
    std::unique_ptr<QPrinter> printer;
    // The printer's page as the printer set-up left it: what a card without
    // a paper of its own is laid out on.
    QPageLayout printerPage;
    void applyCardPaper(); // the card's paper (or the printer's page) onto the printer
    void applyPrintForm(); // the print form's note, the preview and its count follow it
    void checkReadability(); // the readability check of the Layout tab, when it is shown
    void GrossdruckClick();  // a large-print card made from the selected one
    void largePrintCard();
    // The sheets of the card's print form on the printer's page (its form
    // SinglePages when it prints page by page).
    SheetPlan printSheetPlan() const;
    bool paintSheetPreview(QPainter &p, const QRect &exposed); // false: single pages

    // Language state.
    int32_t &language;
    int32_t languagesetto = 4;
    bool dontchlang = false;

    // Menu
    QMenu *Datei1, *Bearbeiten1, *Sprache1, *Hilfe1;
    QAction *Neu1, *ffnen1, *Speichern1, *Speichernunter1, *ExportierennachExcel1,
        *ExportierenalsCSVDatei1, *AlsPDFexportieren1, *Drucken1, *Druckereinrichten1, *Beenden1;
    QAction *Rueckgaengig1, *Wiederholen1;
    QAction *Preisendern1; // "Preise ändern..."
    QAction *AlsWebseiteexportieren1, *QRCodeexportieren1;
    QAction *ExportierenalsExcelTabelle1, *Importieren1;
    QAction *Deutsch1, *English1, *Franais1, *Nederlands1, *Swedish1, *bersetzen1, *ber1;
    QActionGroup *LanguageGroup;

    TFontDialog *FontDialog(int n) const { return FontDialogs[n - 1]; }

    // The card settings as they stand in the controls right now.
    CardSettings cardSettings() const;
    // The category names: the captions of the category list, in order.
    QStringList categoryNames() const;

    // ---- cards (MainCards.cpp) -----------------------------------------------------
    // The first card's settings and the whole list as they stand now (the
    // selected card's settings taken from the controls).
    CardSettings firstCardSettings() const;
    CardList currentCards() const;
    // The document's cards as its web page carries them.
    QVector<struct HtmlCard> webCards() const;
    // The settings card i prints with now.
    CardSettings settingsOfCard(int i) const;
    // Selects card i: the controls keep the old card's settings in the list
    // and show card i's. No step, no change of the document.
    void selectCard(int i);
    // Takes over a read document's cards and shows the first one.
    void adoptCards(const CardList &list);
    void newCard();        // "Neu"
    void duplicateCard();  // "Duplizieren"
    void renameCard();     // "Umbenennen"
    void deleteCard();     // "Löschen"
    // The selected category's products onto the selected card, or off it.
    void putCategoryOnCard(int category, bool on);
    // The category list's context menu (built when shown; kept for tests).
    void categoryContextMenu(const QPoint &pos);
    QPointer<QMenu> categoryMenu;
    // "Alle Karten exportieren...": one PDF per card into a chosen folder.
    void AlleKartenexportieren1Click();
    QAction *AlleKartenexportieren1;
    // Asks for a card name (empty when cancelled); refuses names the list
    // cannot take, saying why, and asks again with the typed name.
    QString askCardName(const QString &title, const QString &proposed, int self);
    // The folder dialog of "Alle Karten exportieren..." (tests answer it).
    std::function<QString()> chooseFolder;

    // ---- the second language (MainTranslations.cpp) ---------------------------------
    TTranslationsView *Uebersetzungen; // the tab "Übersetzungen"
    // The settings of every card as they stand now, first first.
    QVector<CardSettings> allCardSettings() const;
    // The view shows the document as it stands (when it is shown; it fills
    // itself when its tab is chosen).
    void refreshTranslations();
    // The user's translation of the text at `place`: stored, one step.
    void translationEdited(const TextPlace &place, const QString &text);
    // The document's second language; a step when it changes.
    void chooseSecondLanguage(const SecondLanguage &language);
    // "Andere…": asks for a name and a BCP 47 tag until the tag is
    // well formed or the user cancels.
    void otherSecondLanguage();

    // ---- catalogue commands ------------------------------------------------------
    void ListProds();
    void BitBtn1Click();          // new category
    void BitBtnXP2Click();        // edit category name
    void BitBtn2Click();          // delete category
    void BitBtn3Click();          // category up
    void BitBtn4Click();          // category down
    void NeuesProduktBtnClick();
    void ProduktBearbeitenBtnClick();
    void ProduktLoeschenBtnClick();
    void ProduktNachObenBtnClick();
    void ProduktNachUntenBtnClick();
    void ListView2Change();
    // The category list's second column: each category's translation into
    // the document's second language, edited in place like the name, under
    // the language's name.
    void showCategoryTranslations();
    void takeCategoryTranslation(QTreeWidgetItem *item);
    // MainProducts.cpp: copying and moving products, the lists' keys, the
    // product list's context menu and dropping a product on a category.
    void ProduktKopierenBtnClick();
    void moveProductTo(int category); // the selected product, to the end of `category`
    bool listKeyPress(QObject *list, class QKeyEvent *e);
    void productContextMenu(const QPoint &pos);
    bool categoryDropEvent(QEvent *e);
    // The product list's context menu (built when shown; kept for tests).
    QPointer<QMenu> productMenu;
    void GroessenBtnClick();   // MainPrices.cpp
    // The questions before prices of sizes are dropped (fewer sizes, a
    // product moved into a category with fewer sizes).
    static constexpr const char16_t *kSizesDropQuestion =
        u"%1 Preise der wegfallenden Größen werden gelöscht. Fortfahren?";
    static constexpr const char16_t *kMoveDropQuestion =
        u"Die Kategorie \"%1\" hat weniger Größen: %2 Preise des Produkts werden gelöscht. Trotzdem verschieben?";
    void Preisendern1Click();  // MainPrices.cpp

    // ---- document state and commands -------------------------------------------
    void SetChanged();
    void SetUnChanged();
    void NewAll();
    bool SaveTheFile();
    bool SaveTheFileAs(const QString &path);
    bool OpenFileWithName(const QString &sfn, bool reportFailure = false);
    bool SaveFile();
    bool OpenFile();
    bool AskSaveChanges(); // the save question; true to go on
    void Neu1Click();
    void ffnen1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    void ExportierenalsCSVDatei1Click();
    void AlsPDFexportieren1Click();
    void AlsWebseiteexportieren1Click(); // MainWeb.cpp
    void ExportierenalsExcelTabelle1Click(); // MainSheets.cpp
    void Importieren1Click();
    void QRCodeexportieren1Click();
    // The folder every file dialog starts in (the document's, else the
    // user's documents folder).
    QString dialogFolder() const;

    // ---- the documents opened last (kept in window.ini) --------------------------
    QStringList recentDocuments; // most recent first
    QList<QAction *> recentActions; // "&1 path" ... in "Datei"; unused ones hidden
    QAction *recentSeparator = nullptr;
    void addRecentDocument(const QString &path);
    void openRecentDocument(int index); // a missing one leaves the list with a message

    // ---- undo, redo and the recovery copy --------------------------------------------
    DocumentHistory *history = nullptr;
    RecoveryKeeper *recovery = nullptr;
    QByteArray documentBytes() const; // the document as the writer makes it
    // An undo snapshot: the writer's bytes without the records this program
    // does not know (they stay in keptRecords, which no step changes), and
    // the font faces as they are (the file holds them in Windows-1252).
    QByteArray snapshotBytes() const;
    DocumentSelection documentSelection() const;
    // Reads a snapshot back; false, the window untouched, when it cannot.
    bool restoreSnapshot(const QByteArray &snapshot, const DocumentSelection &sel);
    void Rueckgaengig1Click();
    void Wiederholen1Click();
    // At start: offers a recovery copy left behind; true when one was restored.
    bool offerRecovery();
    // The recovery question: 1 = "Wiederherstellen", 0 = "Verwerfen", -1 = neither.
    std::function<int(const QString &title, const QString &text, const QString &restore,
                      const QString &discard)>
        recoveryQuestion;

    // ---- preview and printing ------------------------------------------------------
    CardSource cardSource(int zoom) const;
    bool PaintToCanvas(class ICanvas &canvas0, int dpi, int width, int height, int seiteedvalue,
                       double zoomedvalue, bool printit, double widthmm, double heightmm);
    void PaintBox1Paint(QPainter &p, const QRect &exposed);
    void RepaintPreview(); // paints the preview at once
    void ZoomEdChange();
    void CaptionEdChange();
    void RahmenCheckClick();
    void PaintBox1MouseDown(int x, int y);
    void PaintBox1MouseMove(int x, int y);
    void PaintBox1MouseUp();
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    void Druckereinrichten1Click();
    // The choice among the system's printers that "Drucker einrichten..."
    // shows first; false when it was cancelled.
    bool choosePrinter(const QStringList &names);
    void Drucken1Click();

    // ---- background picture ---------------------------------------------------------
    void FilenameEdit2Change();
    void GrayScaleCheckClick();
    void LightenCheckClick();
    void HellEdChange();
    void Timer1Timer();
    void PaintBox2Paint();

    // ---- language ---------------------------------------------------------------------
    void LoadOptions();
    void SaveOptions();
    void LanguageClick(QAction *item, int32_t number); // Deutsch1Click .. Swedish1Click
    void bersetzen1Click();
    // Looks up the texts shown only when something fails (document reasons,
    // printing, pictures), so the translation table holds them beforehand.
    void RegisterProgramTexts();

    // Applies opened settings to the controls in the order of the file, so
    // that each control's change reaction runs.
    void applyDocumentSettings(const DocumentData &d, bool reloadSamePicture = true);
    // Replaces catalogue, lists and settings by a read document (neither
    // the name nor the modified state).
    void replaceDocument(DocumentData &d, bool reloadSamePicture);
    void setCardSettings(const CardSettings &s); // all of them, in file order

    // Message boxes and file dialogs go through these hooks so that tests
    // can answer them; the defaults show the real dialogs.
    std::function<QMessageBox::StandardButton(QMessageBox::Icon, const QString &title, const QString &text,
                                              QMessageBox::StandardButtons)>
        messageBox;
    // Returns the chosen path, or an empty text when cancelled.
    std::function<QString(FileDialogFilter *dialog, bool save, const QString &defaultSuffix)> chooseFile;
    // The name a save dialog proposes for that suffix ("pdf").
    QString proposedFileName(const QString &suffix) const;
    // The print dialog: returns false when cancelled; sets the page range.
    std::function<bool(QPrinter &, int &fromPage, int &toPage)> printDialog;

    // ---- shell ---------------------------------------------------------------------
    void Beenden1Click();
    void ber1Click();

    // Modal dialogs go through this hook so tests can answer them; the default
    // runs the dialog's exec().
    std::function<int(QDialog *)> execDialog;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    void showEvent(QShowEvent *e) override;   // FormShow
    void closeEvent(QCloseEvent *e) override; // FormCloseQuery + FormClose
    bool FormCloseQuery();
    void FormClose();

private:
    void buildWindow();
    void buildCardBar(class QBoxLayout *into);
    void connectCards();
    void buildToolBar();
    void buildCatalogueTab();
    void buildPreviewTab();
    void buildLayoutTab();
    void buildBackgroundTab();
    void buildTranslationsTab();
    void connectTranslations();
    void buildMenu();
    void connectHandlers();
    void buildHistory();
    bool isHistoryShortcut(QObject *o, QEvent *e) const;
    void showDocumentState(bool modified); // the flag and the caption
    QString documentTitle() const;

    void FormCreate();
    void FormShow();
    void FormDestroy();

    int selectedCategory() const;
    int selectedProduct() const;
    void moveCategoryEntry(int from, int to);
    void moveProductRow(int from, int to);
    ProductPriceColumns productColumns; // the product list's price columns

    void handleWheel(int notches);
    QString askFileName(FileDialogFilter *dialog, bool save, const QString &defaultSuffix, bool confirmOverwrite);
    void reportWritten(const char16_t *german, const QString &path);
    // Says on the status bar how many texts of a bilingual card printed or
    // exported lack their translation (`missing` of MissingTranslationsOfCard),
    // after what the bar says about the export when `append`.
    void reportMissingTranslations(int missing, bool append = true);
    void reportFileError(int message, const QString &path, const QString &reason);
    void commitPendingEdits(); // ends an in-place rename, so it counts
    void storeRecentDocuments();
    void showRecentDocuments();
    int wheelRest = 0;

    TEditProduktForm *EditProduktForm = nullptr;
    TAboutBox *AboutBox = nullptr;
    TTranslateForm *TranslateForm = nullptr;
};

// The texts of the card commands, for the translation table.
QStringList CardCommandTexts();
// The texts of the tab "Übersetzungen" and the language choice.
QStringList TranslationWindowTexts();
