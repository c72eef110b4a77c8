// The main window's cards: the card selector above the tabs, the settings of
// the selected card in the controls and of the others in the card list, the
// card commands (new, duplicate, rename, delete), putting a whole category
// onto a card, and "Alle Karten exportieren...".
#include "app/CardBar.h"
#include "app/CardOptionsBox.h"
#include "app/FilenameEdit.h"
#include "app/FontDialog.h"
#include "app/LogoBox.h"
#include "app/MainUnit.h"
#include "app/MarksGroup.h"
#include "app/PaperBox.h"
#include "app/PreviewPager.h"
#include "app/PrintFormBox.h"
#include "app/QrCodeBox.h"
#include "app/undohistory.h"
#include "catalogue/largeprint.h"
#include "catalogue/cardassign.h"
#include "catalogue/document.h"
#include "export/qrcode.h"
#include "i18n/translateunit.h"
#include "layout/bilingual.h"
#include "layout/cardoutput.h"
#include "layout/cardpaper.h"
#include "layout/cardsource.h"
#include "texture/texture.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTreeWidget>

namespace {

// The names of the card commands' steps and their questions.
const char16_t kNewCardStep[] = u"Neue Karte";
const char16_t kDuplicateStep[] = u"Karte duplizieren";
const char16_t kRenameStep[] = u"Karte umbenennen";
const char16_t kDeleteStep[] = u"Karte löschen";
const char16_t kDeleteQuestion[] = u"Die Karte \"%1\" löschen?";
const char16_t kCopyName[] = u"%1 (Kopie)";
const char16_t kLargePrintName[] = u"%1 (Großdruck)";
const char16_t kLargePrintStep[] = u"Großdruck";
const char16_t kOntoCard[] = u"Ganze Kategorie auf diese Karte";
const char16_t kOffCard[] = u"Ganze Kategorie von dieser Karte nehmen";
const char16_t kDateStep[] = u"Datumszeile";
const char16_t kExportFolder[] = u"Ordner für die Karten wählen";
const char16_t kOverwriteQuestion[] = u"Diese Dateien gibt es schon und werden ersetzt:\n\n%1\n\nFortfahren?";
const char16_t kExportedAll[] = u"%1 PDF-Dateien geschrieben in %2";

QString cardText(const char16_t *german)
{
    return TranslateStr(QString::fromUtf16(german));
}

} // namespace

QStringList CardCommandTexts()
{
    QStringList texts = CardNameMessageTexts() + TCardOptionsBox::choiceTexts();
    for (const char16_t *t : {kNewCardStep, kDuplicateStep, kRenameStep, kDeleteStep, kDeleteQuestion, kCopyName,
                              kLargePrintName, kLargePrintStep,
                              kOntoCard, kOffCard, kDateStep, kExportFolder, kOverwriteQuestion, kExportedAll,
                              u"Name der Karte:"})
        texts << QString::fromUtf16(t);
    return texts;
}

// ---------------------------------------------------------------------------
// The selector and the settings of the cards
// ---------------------------------------------------------------------------

void TMainForm::buildCardBar(QBoxLayout *into)
{
    CardBar = new TCardBar(centralWidget());
    into->addWidget(CardBar);
    connect(CardBar, &TCardBar::cardChosen, this, [this](int i) {
        commitPendingEdits();
        selectCard(i);
    });
    connect(CardBar->NeuBtn, &QPushButton::clicked, this, &TMainForm::newCard);
    connect(CardBar->DuplizierenBtn, &QPushButton::clicked, this, &TMainForm::duplicateCard);
    connect(CardBar->UmbenennenBtn, &QPushButton::clicked, this, &TMainForm::renameCard);
    connect(CardBar->LoeschenBtn, &QPushButton::clicked, this, &TMainForm::deleteCard);
}

// Wired once the history exists (connectHandlers).
void TMainForm::connectCards()
{
    // The bar stands above the tabs, and Tab reaches it before them; the
    // window still starts with the focus on the tab bar, from where Tab goes
    // on to the tab's lists.
    QWidget::setTabOrder(CardBar->LoeschenBtn, PageControl1);
    PageControl1->setFocus(Qt::OtherFocusReason);
    connect(AlleKartenexportieren1, &QAction::triggered, this, &TMainForm::AlleKartenexportieren1Click);
    connect(CardOptionsBox, &TCardOptionsBox::changed, this, [this] {
        Pager->cardChanged();
        RepaintPreview();
    });
    const QString perCard = CardOptionsBox->NummernJeKarteCheck->text();
    connect(CardOptionsBox->NummernJeKarteCheck, &QCheckBox::toggled, this,
            [this, perCard] { history->record(TranslateStr(perCard)); });
    const QString bilingual = CardOptionsBox->ZweisprachigCheck->text();
    connect(CardOptionsBox->ZweisprachigCheck, &QCheckBox::toggled, this,
            [this, bilingual] { history->record(TranslateStr(bilingual)); });
    connect(CardOptionsBox->DatumBox, &QComboBox::currentIndexChanged, this,
            [this] { history->record(cardText(kDateStep)); });
    // Turning the date merges into one step.
    connect(CardOptionsBox->DatumEd, &QDateEdit::dateChanged, this,
            [this] { history->record(cardText(kDateStep), 1000); });
    ListView2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView2, &QWidget::customContextMenuRequested, this, &TMainForm::categoryContextMenu);
}

CardSettings TMainForm::cardSettings() const
{
    CardSettings s;
    s.CaptionEd = CaptionEd->text();
    s.FussEd = FussEd->text();
    s.KopfEd = KopfEd->text();
    s.WaehrEd = WaehrEd->text();
    s.LinksEd = LinksEd->value();
    s.ObenEd = ObenEd->value();
    s.RechtsEd = RechtsEd->value();
    s.UntenEd = UntenEd->value();
    s.RahmenCheck = RahmenCheck->isChecked();
    s.CapsCheck = CapsCheck->isChecked();
    s.ZentrCheck = ZentrCheck->isChecked();
    s.NoKommaCheck = NoKommaCheck->isChecked();
    s.NewPageForKatCheck = NewPageForKatCheck->isChecked();
    s.NoPointsCheck = NoPointsCheck->isChecked();
    s.CenterKatCheck = CenterKatCheck->isChecked();
    for (int i = 0; i < 9; ++i)
        s.fonts[i] = FontDialogs[i]->Font;
    s.FilenameEdit2 = FilenameEdit2->FileName();
    s.BreitEd2 = BreitEd2->value();
    s.HochEd2 = HochEd2->value();
    s.SVerh2Check = SVerh2Check->isChecked();
    s.GrayScaleCheck = GrayScaleCheck->isChecked();
    s.LightenCheck = LightenCheck->isChecked();
    s.HellEd = HellEd->value();
    s.SatEd = SatEd->value();
    s.marks = MarksGroup->settings();
    QrCodeBox->readInto(s);
    PaperBox->readInto(s);
    PrintFormBox->readInto(s);
    LogoBox->readInto(s);
    CardOptionsBox->readInto(s);
    return s;
}

QStringList TMainForm::categoryNames() const
{
    QStringList names;
    names.reserve(ListView2->topLevelItemCount());
    for (int i = 0; i < ListView2->topLevelItemCount(); ++i)
        names << ListView2->topLevelItem(i)->text(0);
    return names;
}

CardSettings TMainForm::firstCardSettings() const
{
    if (selectedCard == 0)
        return cardSettings();
    // The additive list is the document's: edited on any card.
    CardSettings s = cards.at(0).settings;
    s.marks.additives = MarksGroup->settings().additives;
    s.marks.additiveTranslations = MarksGroup->settings().additiveTranslations;
    return s;
}

CardList TMainForm::currentCards() const
{
    CardList list = cards;
    if (selectedCard > 0 && selectedCard < list.count())
        list[selectedCard].settings = cardSettings();
    return list;
}

CardSettings TMainForm::settingsOfCard(int i) const
{
    return i == selectedCard ? cardSettings() : cards.settingsOf(i, firstCardSettings());
}

void TMainForm::selectCard(int i)
{
    if (i < 0 || i >= cards.count())
        return;
    if (i != selectedCard) {
        const DocumentHistory::Pause pause(history);
        const CardSettings first = firstCardSettings();
        if (selectedCard < cards.count())
            cards[selectedCard].settings = cardSettings();
        cards[0].settings = first;
        selectedCard = i;
        DocumentData d;
        d.settings = cards.settingsOf(i, first);
        d.hasGroupA = d.hasGroupB = d.hasGroupC = true;
        applyDocumentSettings(d, false);
    }
    CardBar->setCards(cards.names(), selectedCard);
    Pager->cardChanged();
    RepaintPreview();
}

void TMainForm::adoptCards(const CardList &list)
{
    cards = list;
    selectedCard = 0;
    CardBar->setCards(cards.names(), 0);
    Pager->cardChanged();
    ListProds(); // the list's card column names the cards
}

// ---------------------------------------------------------------------------
// The card commands
// ---------------------------------------------------------------------------

QString TMainForm::askCardName(const QString &title, const QString &proposed, int self)
{
    QString name = proposed;
    for (;;) {
        TCardNameDialog dlg(title, name, this);
        if (execDialog(&dlg) != QDialog::Accepted)
            return QString();
        name = dlg.name();
        const QString problem = cards.nameProblem(name, self);
        if (problem.isEmpty())
            return name;
        // Asked again with what was typed.
        messageBox(QMessageBox::Warning, title, TranslateStr(problem), QMessageBox::Ok);
    }
}

// A new card at the end of the list, selected, with the given settings.
static void appendCard(TMainForm &w, const QString &name, const CardSettings &settings, int carriedFrom)
{
    Card c;
    c.name = name;
    c.settings = settings;
    w.cards.append(c);
    w.catalogue.copyCardBit(carriedFrom, w.cards.count() - 1);
}

void TMainForm::newCard()
{
    commitPendingEdits();
    if (cards.count() >= kMaxCards)
        return;
    const DocumentHistory::Step step(history, cardText(kNewCardStep));
    const QString name = askCardName(cardText(kNewCardStep), QString(), -1);
    if (name.isEmpty())
        return;
    // Starts as the selected card looks, and carries nothing.
    appendCard(*this, name, cardSettings(), -1);
    selectCard(cards.count() - 1);
    ListProds();
}

void TMainForm::duplicateCard()
{
    commitPendingEdits();
    if (cards.count() >= kMaxCards)
        return;
    const DocumentHistory::Step step(history, cardText(kDuplicateStep));
    QString proposed = cardText(kCopyName).arg(cards.at(selectedCard).name);
    for (int n = 2; !cards.nameProblem(proposed).isEmpty() && n <= kMaxCards + 1; ++n)
        proposed = cardText(kCopyName).arg(cards.at(selectedCard).name) + QStringLiteral(" %1").arg(n);
    const QString name = askCardName(cardText(kDuplicateStep), proposed, -1);
    if (name.isEmpty())
        return;
    appendCard(*this, name, cardSettings(), selectedCard);
    selectCard(cards.count() - 1);
    ListProds();
}

// "Großdruck": a new card made from the selected one, carrying the same
// products, with every font 1.4 times as large and no background picture;
// one step, and the new card is shown.
void TMainForm::largePrintCard()
{
    commitPendingEdits();
    if (cards.count() >= kMaxCards)
        return;
    const DocumentHistory::Step step(history, cardText(kLargePrintStep));
    const QString base = cardText(kLargePrintName).arg(cards.at(selectedCard).name);
    QString name = base;
    for (int n = 2; !cards.nameProblem(name).isEmpty() && n <= kMaxCards + 1; ++n)
        name = base + QStringLiteral(" %1").arg(n);
    appendCard(*this, name, LargePrintSettings(cardSettings()), selectedCard);
    selectCard(cards.count() - 1);
    ListProds();
}

void TMainForm::renameCard()
{
    commitPendingEdits();
    const DocumentHistory::Step step(history, cardText(kRenameStep));
    const QString name = askCardName(cardText(kRenameStep), cards.at(selectedCard).name, selectedCard);
    if (name.isEmpty() || name == cards.at(selectedCard).name)
        return;
    cards[selectedCard].name = name;
    CardBar->setCards(cards.names(), selectedCard);
    ListProds();
}

void TMainForm::deleteCard()
{
    commitPendingEdits();
    if (cards.count() <= 1)
        return;
    if (messageBox(QMessageBox::Question, cardText(kDeleteStep), cardText(kDeleteQuestion).arg(cards.at(selectedCard).name),
                   QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    const DocumentHistory::Step step(history, cardText(kDeleteStep));
    const int gone = selectedCard;
    // The neighbour is shown first (the settings of the card that goes
    // leave the controls), then the card goes. When the first card goes,
    // the second becomes the first: its settings, in the controls, are the
    // document's own from now on.
    const int next = gone > 0 ? gone - 1 : 1;
    selectCard(next);
    cards.remove(gone, catalogue);
    selectedCard = next > gone ? next - 1 : next;
    CardBar->setCards(cards.names(), selectedCard);
    ListProds();
    Pager->cardChanged();
    RepaintPreview();
}

// ---------------------------------------------------------------------------
// A whole category onto the selected card, or off it
// ---------------------------------------------------------------------------

void TMainForm::putCategoryOnCard(int category, bool on)
{
    const DocumentHistory::Step step(history, cardText(on ? kOntoCard : kOffCard));
    if (!PutCategoryOnCard(catalogue, category, selectedCard, on))
        return;
    ListProds();
    Pager->cardChanged();
    RepaintPreview();
}

void TMainForm::categoryContextMenu(const QPoint &pos)
{
    QTreeWidgetItem *it = ListView2->itemAt(pos);
    if (!it)
        return;
    const int category = ListView2->indexOfTopLevelItem(it);
    delete categoryMenu;
    categoryMenu = new QMenu(this);
    categoryMenu->setObjectName(QStringLiteral("KategorieMenu"));
    categoryMenu->setAttribute(Qt::WA_DeleteOnClose);
    const bool carried = CardCarriesCategory(catalogue, category, selectedCard);
    QAction *onto = categoryMenu->addAction(cardText(kOntoCard));
    onto->setObjectName(QStringLiteral("KategorieAufKarte"));
    onto->setEnabled(!carried && catalogue.products(category) && catalogue.products(category)->count > 0);
    connect(onto, &QAction::triggered, this, [this, category] { putCategoryOnCard(category, true); });
    QAction *off = categoryMenu->addAction(cardText(kOffCard));
    off->setObjectName(QStringLiteral("KategorieVonKarte"));
    bool any = false;
    for (int row = 0, n = catalogue.products(category) ? int(catalogue.products(category)->count) : 0; row < n; ++row)
        any = any || (catalogue.productCards(category, row) >> selectedCard & 1);
    off->setEnabled(any);
    connect(off, &QAction::triggered, this, [this, category] { putCategoryOnCard(category, false); });
    categoryMenu->popup(ListView2->viewport()->mapToGlobal(pos));
}

// ---------------------------------------------------------------------------
// "Alle Karten exportieren..."
// ---------------------------------------------------------------------------

void TMainForm::AlleKartenexportieren1Click()
{
    commitPendingEdits();
    const QString folder = chooseFolder ? chooseFolder()
                                        : QFileDialog::getExistingDirectory(this, cardText(kExportFolder), dialogFolder());
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    // One name each; two cards whose names come out alike get a number.
    QStringList files;
    for (int i = 0; i < cards.count(); ++i) {
        const QString base = SafeCardFileName(cards.at(i).name);
        QString file = base + QStringLiteral(".pdf");
        for (int n = 2; files.contains(file, Qt::CaseInsensitive); ++n)
            file = QStringLiteral("%1 %2.pdf").arg(base).arg(n);
        files << file;
    }
    QStringList existing;
    for (const QString &f : files)
        if (QFileInfo::exists(dir.filePath(f)))
            existing << f;
    if (!existing.isEmpty()
        && messageBox(QMessageBox::Question, TranslateStr(QStringLiteral("Alle Karten exportieren…")),
                      cardText(kOverwriteQuestion).arg(existing.join(QLatin1Char('\n'))), QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    const QStringList names = categoryNames();
    int missing = 0; // texts without translation on the bilingual cards
    for (int i = 0; i < cards.count(); ++i) {
        const CardSettings s = settingsOfCard(i);
        CardSource card = SourceOfCard(names, catalogue, i, s);
        card.zoom = 100;
        // The selected card's picture is prepared already; another card's is
        // prepared for its file.
        TextureHolder own;
        if (i == selectedCard) {
            card.texture = di2.get();
        } else {
            own.Prepare(s);
            card.texture = &own;
        }
        AttachQrCode(card);
        missing += MissingTranslationsOfCard(card);
        const QString path = dir.filePath(files.at(i));
        const QString error = ExportCardPdf(card, path, WithCardPaper(s, printerPage), PdfTitle(s),
                                            printer->resolution());
        if (!error.isEmpty()) {
            messageBox(QMessageBox::Critical, QString(), error, QMessageBox::Ok);
            return;
        }
    }
    if (cards.count() == 1)
        reportWritten(u"PDF-Datei geschrieben: %1", dir.filePath(files.first()));
    else
        statusBar()->showMessage(
            cardText(kExportedAll).arg(cards.count()).arg(QDir::toNativeSeparators(dir.absolutePath())));
    reportMissingTranslations(missing);
}
