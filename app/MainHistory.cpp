// The main window's undo and redo, and the recovery copy: what a snapshot of
// the document is, how one is read back, which changes are steps, and the
// question at start about a copy left by a program that did not end.
#include "app/FilenameEdit.h"
#include "app/MainUnit.h"
#include "app/MarksGroup.h"
#include "app/LogoBox.h"
#include "app/PaperBox.h"
#include "app/PrintFormBox.h"
#include "app/QrCodeBox.h"
#include "app/recovery.h"
#include "app/undohistory.h"
#include "catalogue/document.h"
#include "i18n/translateunit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDataStream>
#include <QDoubleSpinBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUndoStack>
#include <iterator>
#include <type_traits>

namespace {

// A field's label as the name of its step: "Überschrift:" -> "Überschrift".
QString stepName(const QString &german)
{
    QString s = TranslateStr(german).trimmed();
    while (s.endsWith(QLatin1Char(':')) || s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s.trimmed();
}

} // namespace

void TMainForm::buildHistory()
{
    DocumentHistory::Window w;
    w.capture = [this] { return snapshotBytes(); };
    w.selection = [this] { return documentSelection(); };
    w.restore = [this](const QByteArray &bytes, const DocumentSelection &sel) { return restoreSnapshot(bytes, sel); };
    history = new DocumentHistory(std::move(w), this);
    recovery = new RecoveryKeeper([this] { return documentBytes(); }, this);

    connect(history, &DocumentHistory::modifiedChanged, this, [this](bool modified) {
        showDocumentState(modified);
        recovery->changed(modified);
    });
    connect(history, &DocumentHistory::contentChanged, this,
            [this] { recovery->changed(!history->isClean()); });
    connect(recovery, &RecoveryKeeper::cannotWrite, this, [this] {
        statusBar()->showMessage(TranslateStr(QStringLiteral("Wiederherstellungskopien können nicht geschrieben werden.")));
    });

    history->bindActions(
        Rueckgaengig1, Wiederholen1, [] { return TranslateStr(QStringLiteral("Rückgängig")); },
        [] { return TranslateStr(QStringLiteral("Wiederholen")); });
    connect(Rueckgaengig1, &QAction::triggered, this, &TMainForm::Rueckgaengig1Click);
    connect(Wiederholen1, &QAction::triggered, this, &TMainForm::Wiederholen1Click);
    // The tool-bar buttons follow their menu entries.
    for (auto [button, action] : {std::pair{UndoBtn, Rueckgaengig1}, std::pair{RedoBtn, Wiederholen1}}) {
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        auto follow = [button = button, action = action] {
            button->setEnabled(action->isEnabled());
            button->setToolTip(action->text());
        };
        // Not on every change of the action: the interface translation
        // changes its text, and a tool tip must not be translated twice.
        connect(history, &DocumentHistory::actionsUpdated, button, follow);
        button->setEnabled(false);
        button->setToolTip(action->text());
    }

    // Every setting of the card is a step; typing in one field or turning
    // one spin box merges into one step (the key is the field's place here).
    int key = 0;
    for (auto [edit, label] : {std::pair{CaptionEd, "Überschrift:"}, std::pair{FussEd, "Fußzeile:"},
                               std::pair{KopfEd, "Kopfzeile:"}, std::pair{WaehrEd, "Währung:"},
                               std::pair{FilenameEdit2->edit(), "Dateiname:"},
                               std::pair{QrCodeBox->QrUrlEd, "Webadresse für QR-Code:"}}) {
        const QString german = QString::fromUtf8(label);
        connect(edit, &QLineEdit::textChanged, this, [this, german, key] { history->record(stepName(german), key); });
        ++key;
    }
    for (auto [spin, label] : {std::pair{LinksEd, "Linker Seitenrand in mm:"},
                               std::pair{ObenEd, "Oberer Seitenrand in mm:"},
                               std::pair{RechtsEd, "Rechter Seitenrand in mm:"},
                               std::pair{UntenEd, "Unterer Seitenrand in mm:"}, std::pair{BreitEd2, "Breite:"},
                               std::pair{HochEd2, "Höhe:"}, std::pair{QrCodeBox->QrGroesseEd, "QR-Code"}}) {
        const QString german = QString::fromUtf8(label);
        connect(spin, &QDoubleSpinBox::valueChanged, this,
                [this, german, key] { history->record(stepName(german), key); });
        ++key;
    }
    // The logo: typing its file name or turning its width merges as above.
    connect(LogoBox->LogoEd->edit(), &QLineEdit::textChanged, this,
            [this, key] { history->record(stepName(QStringLiteral("Logo")), key); });
    ++key;
    connect(LogoBox->LogoBreiteEd, &QDoubleSpinBox::valueChanged, this,
            [this, key] { history->record(stepName(QStringLiteral("Logo")), key); });
    ++key;
    for (QCheckBox *c : {LogoBox->LogoJedeSeiteCheck, LogoBox->LogoLinksCheck})
        connect(c, &QCheckBox::toggled, this, [this] { history->record(stepName(QStringLiteral("Logo"))); });
    for (auto [spin, label] : {std::pair{HellEd, "Helligkeit %:"}, std::pair{SatEd, "Sättigung:"}}) {
        const QString german = QString::fromUtf8(label);
        connect(spin, &QSpinBox::valueChanged, this, [this, german, key] { history->record(stepName(german), key); });
        ++key;
    }
    for (QCheckBox *c : {RahmenCheck, CapsCheck, ZentrCheck, NoKommaCheck, NewPageForKatCheck, NoPointsCheck,
                         CenterKatCheck, SVerh2Check, GrayScaleCheck, LightenCheck, QrCodeBox->QrDruckCheck}) {
        // The caption as built, in German: the interface translation changes
        // the text later, and a translated text is no key of the table.
        const QString german = c->text();
        connect(c, &QCheckBox::toggled, this, [this, german] { history->record(stepName(german)); });
    }
    // The labelling group: its switches and the additive list.
    auto marksStep = [this] { history->record(stepName(QStringLiteral("Kennzeichnung"))); };
    connect(MarksGroup, &TMarksGroup::settingsChanged, this, marksStep);
    connect(MarksGroup, &TMarksGroup::additivesEdited, this, marksStep);
    connect(PaperBox, &TPaperBox::changed, this, [this] { history->record(stepName(QStringLiteral("Papier"))); });
    connect(PrintFormBox, &TPrintFormBox::changed, this,
            [this] { history->record(stepName(QStringLiteral("Druckform"))); });
}

QByteArray TMainForm::documentBytes() const
{
    const CardList list = currentCards();
    return WriteDocument(categoryNames(), catalogue, firstCardSettings(), keptRecords, &list);
}

DocumentSelection TMainForm::documentSelection() const
{
    return DocumentSelection{selectedCategory(), selectedProduct(), PageControl1->currentIndex(), selectedCard};
}

QByteArray TMainForm::snapshotBytes() const
{
    const CardSettings settings = firstCardSettings();
    const CardList list = currentCards();
    const QByteArray bytes = WriteDocument(categoryNames(), catalogue, settings, {}, &list);
    if (bytes.isEmpty())
        return bytes;
    QByteArray out;
    QDataStream ds(&out, QIODevice::WriteOnly);
    ds << bytes;
    for (const FontSetting &f : settings.fonts)
        ds << f.face;
    // Those of the further cards after them.
    for (int i = 1; i < list.count(); ++i)
        for (const FontSetting &f : list.at(i).settings.fonts)
            ds << f.face;
    return out;
}

// Reads a snapshot back: catalogue, lists and settings as it holds them, then
// the selection. The picture is loaded again only when its file changes.
bool TMainForm::restoreSnapshot(const QByteArray &snapshot, const DocumentSelection &sel)
{
    QDataStream ds(snapshot);
    QByteArray bytes;
    ds >> bytes;
    QString faces[std::extent_v<decltype(CardSettings::fonts)>];
    for (QString &face : faces)
        ds >> face;
    DocumentData data;
    QString error;
    if (ds.status() != QDataStream::Ok || !ReadDocument(bytes, cardSettings(), data, &error))
        return false;
    for (size_t i = 0; i < std::size(faces); ++i)
        data.settings.fonts[i].face = faces[i];
    for (int c = 1; c < data.cards.count() && !ds.atEnd(); ++c)
        for (FontSetting &f : data.cards[c].settings.fonts)
            ds >> f.face;
    if (ds.status() != QDataStream::Ok)
        return false;
    data.unknownRecords = keptRecords;
    replaceDocument(data, false);
    if (sel.card > 0 && sel.card < cards.count())
        selectCard(sel.card);
    if (sel.category >= 0 && sel.category < ListView2->topLevelItemCount()) {
        const QSignalBlocker block(ListView2);
        QTreeWidgetItem *it = ListView2->topLevelItem(sel.category);
        ListView2->setCurrentItem(it);
        it->setSelected(true);
    } else {
        const QSignalBlocker block(ListView2);
        ListView2->clearSelection();
    }
    ListProds();
    if (sel.product >= 0 && sel.product < ListView1->topLevelItemCount()) {
        QTreeWidgetItem *row = ListView1->topLevelItem(sel.product);
        ListView1->setCurrentItem(row);
        row->setSelected(true);
    }
    if (sel.tab >= 0 && sel.tab < PageControl1->count())
        PageControl1->setCurrentIndex(sel.tab);
    RepaintPreview();
    PaintBox2Paint();
    return true;
}

void TMainForm::Rueckgaengig1Click()
{
    commitPendingEdits(); // a rename in progress is a step of its own first
    history->undo();
}

void TMainForm::Wiederholen1Click()
{
    commitPendingEdits();
    history->redo();
}

// The document's fields keep Ctrl+Z and Ctrl+Y for the document's history
// rather than their own, so that one key takes back every kind of step. The
// in-place editor of a category name keeps its own.
bool TMainForm::isHistoryShortcut(QObject *o, QEvent *e) const
{
    if (e->type() != QEvent::ShortcutOverride)
        return false;
    auto *w = qobject_cast<QWidget *>(o);
    if (!w || w->window() != this || ListView2->isAncestorOf(w))
        return false;
    auto *k = static_cast<QKeyEvent *>(e);
    const QKeyCombination c = k->keyCombination();
    for (QAction *a : {Rueckgaengig1, Wiederholen1})
        for (const QKeySequence &s : a->shortcuts())
            if (s.count() == 1 && s[0] == c)
                return true;
    return false;
}

bool TMainForm::offerRecovery()
{
    for (const RecoveryKeeper::Candidate &c : RecoveryKeeper::pending()) {
        QFile f(c.copy);
        DocumentData data;
        QString error;
        const bool read = f.open(QIODevice::ReadOnly);
        if (!read || !ReadDocument(f.readAll(), cardSettings(), data, &error)) {
            f.close();
            // Kept under another name, never deleted: the user may want it.
            const QString aside = RecoveryKeeper::setAside(c.copy);
            QString text = TranslateStr(QStringLiteral("Eine Wiederherstellungskopie ist beschädigt und wurde beiseitegelegt:"))
                           + QStringLiteral("\n") + (aside.isEmpty() ? c.copy : aside);
            if (!error.isEmpty())
                text += QStringLiteral("\n\n") + error;
            messageBox(QMessageBox::Warning, qApp->property("applicationTitle").toString(), text, QMessageBox::Ok);
            continue;
        }
        f.close();
        const QString shown = c.document.isEmpty() ? GetMsgText(8) : c.document;
        QString text =
            TranslateStr(QStringLiteral("Das Programm wurde nicht ordnungsgemäß beendet. Von diesem Dokument gibt es eine Wiederherstellungskopie:"))
            + QStringLiteral("\n\n") + shown + QStringLiteral("\n")
            + QLocale().toString(c.written, QLocale::ShortFormat) + QStringLiteral("\n\n");
        // Saved since: both times, so that the user can tell which is newer.
        if (c.olderThanDocument())
            text += TranslateStr(QStringLiteral("Das Dokument wurde danach gespeichert:")) + QStringLiteral("\n")
                    + QLocale().toString(c.documentWritten, QLocale::ShortFormat) + QStringLiteral("\n\n");
        text += TranslateStr(QStringLiteral("Soll sie wiederhergestellt werden?"));
        const int answer = recoveryQuestion(qApp->property("applicationTitle").toString(), text,
                                            TranslateStr(QStringLiteral("Wiederherstellen")),
                                            TranslateStr(QStringLiteral("Verwerfen")));
        if (answer == 0) {
            RecoveryKeeper::remove(c.copy);
            continue;
        }
        if (answer < 0)
            continue; // neither: asked again at the next start
        // Restored: modified, under its original name.
        replaceDocument(data, true);
        if (ListView2->topLevelItemCount() > 0) { // as after opening: the first category
            const QSignalBlocker block(ListView2);
            ListView2->setCurrentItem(ListView2->topLevelItem(0));
            ListView2->topLevelItem(0)->setSelected(true);
        }
        ListProds();
        RepaintPreview();
        PaintBox2Paint();
        afilename = c.document;
        history->reset();
        recovery->adopt(c);
        history->stack()->resetClean();
        SetChanged();
        return true;
    }
    return false;
}
