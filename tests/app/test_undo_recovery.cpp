// Undo and redo through the "Bearbeiten" menu's actions, and the recovery
// copy: every command and setting goes back and forth to the very same
// document bytes, the lists stay in step with the catalogue, and a copy left
// behind is offered at the next start.
#include "app/recovery.h"
#include "app/undohistory.h"
#include "app/FilenameEdit.h"
#include "app/MarksGroup.h"
#include "app/PaperBox.h"
#include "app/QrCodeBox.h"
#include "catalogue/document.h"
#include "mainwindow_fixture.h"
#include "testutil.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTabWidget>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

class Undo : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override { create(); }
    void TearDown() override
    {
        TFontDialog::chooser = nullptr;
        destroy();
    }

    QByteArray bytes() const { return form->documentBytes(); }
    void undo() { form->Rueckgaengig1->trigger(); }
    void redo() { form->Wiederholen1->trigger(); }

    QStringList productNames(int cat) const
    {
        QStringList out;
        for (uint32_t j = 0; j < form->catalogue.products(cat)->count; ++j)
            out << Catalogue::values(form->catalogue.product(cat, int(j))).name;
        return out;
    }
    QStringList listedNames() const
    {
        QStringList out;
        for (int i = 0; i < form->ListView1->topLevelItemCount(); ++i)
            out << form->ListView1->topLevelItem(i)->text(0);
        return out;
    }

    // Two categories with products.
    void addSample()
    {
        newCategory("Suppen");
        answerProduct("Tomatensuppe", 4.5, 0, "", "mit Sahne");
        click(form->NeuesProduktBtn);
        answerProduct("Linsensuppe", 5, 3, "0,3l");
        click(form->NeuesProduktBtn);
        newCategory("Getränke");
        answerProduct("Wasser", 2.2);
        click(form->NeuesProduktBtn);
    }

    // Runs the change, then checks undo gives the bytes from before, redo
    // those from after, and the undo entry names the step.
    void roundTrip(const char *what, const std::function<void()> &change, const QString &stepName = QString())
    {
        SCOPED_TRACE(what);
        const QByteArray before = bytes();
        change();
        const QByteArray after = bytes();
        const std::pair<int, int> selected = selection();
        ASSERT_NE(before, after) << "the change changed nothing";
        ASSERT_TRUE(form->Rueckgaengig1->isEnabled());
        if (!stepName.isEmpty())
            EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig: " + stepName);
        undo();
        EXPECT_EQ(bytes(), before);
        EXPECT_TRUE(form->Wiederholen1->isEnabled());
        redo();
        EXPECT_EQ(bytes(), after);
        EXPECT_EQ(selection(), selected) << "redo selects what was selected after the change";
        checkInStep();
    }
    // The current category and product rows.
    std::pair<int, int> selection() const
    {
        return {form->ListView2->indexOfTopLevelItem(form->ListView2->currentItem()),
                form->ListView1->indexOfTopLevelItem(form->ListView1->currentItem())};
    }

    void checkInStep()
    {
        ASSERT_EQ(form->ListView2->topLevelItemCount(), form->catalogue.categoryCount());
        const int cat = form->ListView2->currentItem() && form->ListView2->currentItem()->isSelected()
                            ? form->ListView2->indexOfTopLevelItem(form->ListView2->currentItem())
                            : -1;
        if (cat >= 0)
            ASSERT_EQ(listedNames(), productNames(cat));
        else
            ASSERT_EQ(form->ListView1->topLevelItemCount(), 0);
    }
};

TEST_F(Undo, EveryCommandGoesBackAndForthToTheSameBytes)
{
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled());
    EXPECT_FALSE(form->Wiederholen1->isEnabled());
    EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig");
    addSample();

    roundTrip("rename in place", [&] {
        click(form->BitBtnXP2);
        QApplication::processEvents();
        auto *ed = form->ListView2->findChild<QLineEdit *>();
        ASSERT_TRUE(ed && ed->isVisible());
        ed->selectAll();
        ed->insert("Desserts");
        QTest::keyClick(ed, Qt::Key_Return);
        QApplication::processEvents(); // the editor commits queued
    }, "Kategorie bearbeiten");
    roundTrip("new category", [&] { click(form->BitBtn1); }, "Neue Kategorie");
    roundTrip("category up", [&] { selectCategory(1); click(form->BitBtn3); }, "Kategorie nach oben");
    roundTrip("category down", [&] { selectCategory(0); click(form->BitBtn4); }, "Kategorie nach unten");
    selectCategory(1);
    roundTrip("new product", [&] { answerProduct("Gulaschsuppe", 6.1, -1, "Teller", "scharf"); click(form->NeuesProduktBtn); },
              "Neues Produkt");
    roundTrip("edit product", [&] {
        selectProduct(1);
        answerProduct("Linsensuppe mit Wurst", 5.9, 4, "0,5l", "Zeile 1\r\nZeile 2");
        click(form->ProduktBearbeitenBtn);
    }, "Produkt bearbeiten");
    roundTrip("product up", [&] { selectProduct(1); click(form->ProduktNachObenBtn); }, "Produkt nach oben");
    roundTrip("product down", [&] { selectProduct(0); click(form->ProduktNachUntenBtn); }, "Produkt nach unten");
    roundTrip("delete product", [&] { selectProduct(0); click(form->ProduktLoeschenBtn); }, "Produkt löschen");

    // A deleted category comes back at its place, selected, with its products.
    selectCategory(1);
    const QStringList names = form->categoryNames();
    const QStringList products = productNames(1);
    roundTrip("delete category", [&] { click(form->BitBtn2); }, "Kategorie löschen");
    undo();
    EXPECT_EQ(form->categoryNames(), names);
    EXPECT_EQ(productNames(1), products);
    EXPECT_EQ(form->ListView2->indexOfTopLevelItem(form->ListView2->currentItem()), 1);
    EXPECT_EQ(listedNames(), products);
}

TEST_F(Undo, EverySettingGoesBackAndForthAndFieldsMergeIntoOneStep)
{
    addSample();
    form->PageControl1->setCurrentIndex(1);
    roundTrip("heading typed", [&] {
        form->CaptionEd->setFocus();
        form->CaptionEd->end(false);
        QTest::keyClicks(form->CaptionEd, " am See");
    }, "Überschrift");
    // The seven keystrokes were one step.
    undo();
    EXPECT_EQ(form->CaptionEd->text(), "Speisekarte");
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled() && form->Rueckgaengig1->text().endsWith("Überschrift"));
    redo();

    roundTrip("footer", [&] { form->FussEd->setText("Alle Preise in Euro"); }, "Fußzeile");
    roundTrip("header", [&] { form->KopfEd->setText("Mittagskarte"); }, "Kopfzeile");
    roundTrip("frame", [&] { form->RahmenCheck->click(); }, "Rahmen");
    form->PageControl1->setCurrentIndex(2);
    roundTrip("margin turned three notches", [&] {
        for (int i = 0; i < 3; ++i)
            form->LinksEd->stepUp();
    }, "Linker Seitenrand in mm");
    undo();
    EXPECT_EQ(form->LinksEd->value(), 25); // one step for the three notches
    redo();
    roundTrip("currency", [&] { form->WaehrEd->setText("EUR"); }, "Währung");
    for (QCheckBox *c : {form->CapsCheck, form->ZentrCheck, form->NoKommaCheck, form->NewPageForKatCheck,
                         form->NoPointsCheck, form->CenterKatCheck})
        roundTrip("switch", [&] { c->click(); }, c->text());
    roundTrip("labelling switch", [&] { form->MarksGroup->MarksCheck->click(); }, "Kennzeichnung");
    roundTrip("legend place", [&] { form->MarksGroup->LegendPageRadio->click(); }, "Kennzeichnung");
    roundTrip("paper", [&] { form->PaperBox->A5Radio->click(); }, "Papier");
    roundTrip("landscape", [&] { form->PaperBox->QuerCheck->click(); }, "Papier");
    form->PageControl1->setCurrentIndex(0);
    roundTrip("web address", [&] { form->QrCodeBox->QrUrlEd->setText("https://beispiel.de/karte"); },
              "Webadresse für QR-Code");
    roundTrip("QR code on the card", [&] { form->QrCodeBox->QrDruckCheck->click(); },
              "QR-Code auf der Karte drucken");
    roundTrip("QR code size", [&] { form->QrCodeBox->QrGroesseEd->stepUp(); }, "QR-Code");
    TFontDialog::chooser = [](QWidget *, FontSetting &f) {
        f.face = "Arial";
        f.style = 3;
        return true;
    };
    roundTrip("font", [&] { form->BitBtnXP11->click(); }, "Schriftart für Kopfzeile");
    form->PageControl1->setCurrentIndex(3);
    roundTrip("picture size", [&] { form->BreitEd2->setValue(12.5); }, "Breite");
    roundTrip("brightness", [&] { form->HellEd->stepUp(); form->HellEd->stepUp(); }, "Helligkeit %");
    roundTrip("saturation", [&] { form->SatEd->setValue(-20); }, "Sättigung");
    roundTrip("grey", [&] { form->GrayScaleCheck->click(); }, "Textur in Graustufen umwandeln");
    roundTrip("picture file", [&] { form->FilenameEdit2->setFileName("nichtda.jpg"); }, "Dateiname");

    // Another field in between ends the merging: two heading steps.
    const QString heading = form->CaptionEd->text();
    form->CaptionEd->setText(heading + "1");
    form->FussEd->setText("x");
    form->CaptionEd->setText(heading + "12");
    undo();
    EXPECT_EQ(form->CaptionEd->text(), heading + "1");
    undo();
    undo();
    EXPECT_EQ(form->CaptionEd->text(), heading);
    // An undo ends the merging too: typing after undo and redo is a new step.
    redo();
    form->CaptionEd->setText(heading + "1x");
    undo();
    EXPECT_EQ(form->CaptionEd->text(), heading + "1");
    // The tab of the step is shown again.
    form->PageControl1->setCurrentIndex(0);
    undo();
    EXPECT_EQ(form->PageControl1->currentIndex(), 3);

    // Typed and deleted again: the step changes nothing and goes.
    form->PageControl1->setCurrentIndex(1);
    const int at = form->history->stack()->index();
    form->CaptionEd->setFocus();
    form->CaptionEd->end(false);
    QTest::keyClicks(form->CaptionEd, "ab");
    EXPECT_EQ(form->history->stack()->index(), at + 1);
    QTest::keyClick(form->CaptionEd, Qt::Key_Backspace);
    QTest::keyClick(form->CaptionEd, Qt::Key_Backspace);
    EXPECT_EQ(form->history->stack()->index(), at);
}

TEST_F(Undo, ModifiedFollowsTheSavedStateAndTheKeysReachTheHistoryFromAField)
{
    addSample();
    QTemporaryDir dir;
    fileAnswers.push_back(dir.filePath("karte.vlr"));
    form->Speichern1Click();
    ASSERT_FALSE(form->changed);
    EXPECT_TRUE(form->Rueckgaengig1->isEnabled()); // saving keeps the history

    // Ctrl+Z and Ctrl+Y in the heading field take back the document's steps.
    form->PageControl1->setCurrentIndex(1);
    form->activateWindow();
    form->CaptionEd->setFocus();
    QTest::keyClicks(form->CaptionEd, "!");
    EXPECT_TRUE(form->changed);
    EXPECT_TRUE(form->windowTitle().endsWith("karte.vlr*]"));
    QTest::keyClick(form->CaptionEd, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->CaptionEd->text(), "Speisekarte");
    EXPECT_FALSE(form->changed);
    EXPECT_TRUE(form->windowTitle().endsWith("karte.vlr]"));
    QTest::keyClick(form->CaptionEd, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->CaptionEd->text(), "Speisekarte!");
    EXPECT_TRUE(form->changed);
    QTest::keyClick(form->CaptionEd, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(form->CaptionEd, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form->CaptionEd->text(), "Speisekarte!");
    // The field's own undo would take back its "!"; the document's takes
    // back the last step, the frame.
    form->RahmenCheck->click();
    form->CaptionEd->setFocus();
    QTest::keyClick(form->CaptionEd, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(form->RahmenCheck->isChecked());
    EXPECT_EQ(form->CaptionEd->text(), "Speisekarte!");
    QTest::keyClick(form->CaptionEd, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(form->RahmenCheck->isChecked());
    undo();

    // Undoing past the saved state is modified again; zoom and page are not
    // the document's.
    undo();
    undo();
    EXPECT_TRUE(form->changed);
    redo();
    EXPECT_FALSE(form->changed);
    form->ZoomEd->setValue(150);
    form->SeiteEd->setValue(2);
    EXPECT_FALSE(form->changed);

    // Opening clears the history and leaves the document unmodified.
    ASSERT_TRUE(form->OpenFileWithName(dir.filePath("karte.vlr")));
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled());
    EXPECT_FALSE(form->Wiederholen1->isEnabled());
    EXPECT_FALSE(form->changed);
}

TEST_F(Undo, HistoryIsBounded)
{
    for (int i = 0; i < DocumentHistory::kStepLimit + 50; ++i)
        form->RahmenCheck->click();
    EXPECT_EQ(form->history->stack()->count(), DocumentHistory::kStepLimit);
}

// Random commands of the catalogue window mixed with undo and redo: entry i
// of the category list and element i of the category array stay the same
// category (each carries a marker product naming it), and the product list
// shows the selected category's products.
TEST_F(Undo, RandomCommandsWithUndoAndRedoKeepListsAndArraysInStep)
{
    QRandomGenerator rng(1509);
    int serial = 0;
    for (int step = 0; step < 400; ++step) {
        const int n = form->ListView2->topLevelItemCount();
        const int op = int(rng.bounded(13));
        if (n > 0 && op != 0 && op < 9)
            selectCategory(int(rng.bounded(n)));
        switch (op) {
        case 0: {
            const QString name = QStringLiteral("K%1").arg(serial++);
            newCategory(name);
            answerProduct(QStringLiteral("@") + name, 1);
            click(form->NeuesProduktBtn);
            break;
        }
        case 1: click(form->BitBtn2); break;
        case 2: click(form->BitBtn3); break;
        case 3: click(form->BitBtn4); break;
        case 4:
            answerProduct(QStringLiteral("p%1").arg(serial++), rng.bounded(100) / 10.0);
            click(form->NeuesProduktBtn);
            break;
        case 5: {
            // Never the marker in row 0: it is not moved, deleted or edited.
            const int rows = form->ListView1->topLevelItemCount();
            if (rows > 1) {
                selectProduct(1 + int(rng.bounded(rows - 1)));
                switch (rng.bounded(4)) {
                case 0: click(form->ProduktLoeschenBtn); break;
                case 1: click(form->ProduktNachUntenBtn); break;
                case 2:
                    if (form->ListView1->currentIndex().row() > 1)
                        click(form->ProduktNachObenBtn);
                    break;
                default:
                    answerProduct(QStringLiteral("e%1").arg(serial++), 3);
                    click(form->ProduktBearbeitenBtn);
                }
            }
            break;
        }
        case 6: answerCancel(); click(form->NeuesProduktBtn); break;
        case 7: form->CaptionEd->setText(QStringLiteral("h%1").arg(serial++)); break;
        case 8:
        case 9:
        case 10: undo(); break;
        default: redo(); break;
        }
        answers.clear();

        const int count = form->ListView2->topLevelItemCount();
        ASSERT_EQ(count, form->catalogue.categoryCount()) << "step " << step;
        for (int i = 0; i < count; ++i) {
            const QStringList prods = productNames(i);
            // A category is undone together with its marker in one step
            // only when both were one command; "Neue Kategorie" and its
            // marker product are two, so an empty category may show.
            if (!prods.isEmpty() && prods[0].startsWith('@'))
                ASSERT_EQ(prods[0], QStringLiteral("@") + form->ListView2->topLevelItem(i)->text(0))
                    << "step " << step << " entry " << i;
        }
        ASSERT_NO_FATAL_FAILURE(checkInStep()) << "step " << step;
    }
}

// An undo restores what was on screen, also what the file cannot hold: a
// font face outside Windows-1252 survives undoing an unrelated step.
TEST_F(Undo, FontFaceOutsideTheFileEncodingSurvivesUndo)
{
    addSample();
    const QString face = QStringLiteral("Ωμέγα Sans 源ノ角");
    TFontDialog::chooser = [&](QWidget *, FontSetting &f) {
        f.face = face;
        return true;
    };
    form->BitBtnXP3->click();
    ASSERT_EQ(form->FontDialog(1)->Font.face, face);
    form->RahmenCheck->click();
    undo();
    EXPECT_EQ(form->FontDialog(1)->Font.face, face);
    redo();
    EXPECT_EQ(form->FontDialog(1)->Font.face, face);
    // Two faces the file writes alike are two states all the same.
    TFontDialog::chooser = [&](QWidget *, FontSetting &f) {
        f.face = QStringLiteral("Σμέγα Sans 源ノ角");
        return true;
    };
    form->BitBtnXP3->click();
    undo();
    EXPECT_EQ(form->FontDialog(1)->Font.face, face);
}

// Records of group D this program does not know stay in one place: no undo
// snapshot holds them, and undo keeps them; the recovery copy carries them.
TEST_F(Undo, UnknownRecordsStayOutOfSnapshotsButGoIntoTheRecoveryCopy)
{
    addSample();
    const QByteArray marker(4096, 'U');
    ExtensionRecords unknown{ExtensionRecord{0x7e01, marker}};
    QTemporaryDir dir;
    const QString path = dir.filePath("fremd.vlr");
    testutil::writeFile(path, WriteDocument(form->categoryNames(), form->catalogue, form->cardSettings(), unknown));
    ASSERT_TRUE(form->OpenFileWithName(path));
    ASSERT_EQ(form->keptRecords, unknown);
    for (int i = 0; i < 5; ++i)
        form->RahmenCheck->click();
    EXPECT_FALSE(form->history->current().contains(marker.left(64)));
    undo();
    undo();
    EXPECT_EQ(form->keptRecords, unknown);
    ASSERT_TRUE(form->recovery->writeNow());
    EXPECT_TRUE(testutil::readFile(form->recovery->copyPath()).contains(marker));
    EXPECT_EQ(testutil::readFile(form->recovery->copyPath()), bytes());
}

// A snapshot that cannot be read back moves nothing: the window keeps what it
// shows, and the history's place and the saved mark stay with it.
TEST(History, ASnapshotThatCannotBeReadBackMovesNothing)
{
    QByteArray doc("a");
    bool refuse = false;
    int restored = 0;
    DocumentHistory::Window w;
    w.capture = [&] { return doc; };
    w.selection = [] { return DocumentSelection{}; };
    w.restore = [&](const QByteArray &b, const DocumentSelection &) {
        if (refuse)
            return false;
        doc = b;
        ++restored;
        return true;
    };
    DocumentHistory h(std::move(w));
    int contentChanges = 0;
    QObject::connect(&h, &DocumentHistory::contentChanged, [&] { ++contentChanges; });
    h.reset();
    doc = "b";
    h.record("b");
    h.markClean();
    doc = "c";
    h.record("c");
    ASSERT_EQ(h.stack()->index(), 2);
    contentChanges = 0;

    refuse = true;
    h.undo();
    EXPECT_EQ(h.stack()->index(), 2);
    EXPECT_EQ(doc, "c");
    EXPECT_EQ(h.current(), "c");
    EXPECT_FALSE(h.isClean());
    EXPECT_EQ(contentChanges, 0);

    refuse = false;
    h.undo();
    EXPECT_EQ(h.stack()->index(), 1);
    EXPECT_EQ(doc, "b");
    EXPECT_TRUE(h.isClean());
    EXPECT_EQ(restored, 1); // read once, not again by the stack

    refuse = true;
    h.redo();
    EXPECT_EQ(h.stack()->index(), 1);
    EXPECT_EQ(doc, "b");
    EXPECT_EQ(h.current(), "b");
    EXPECT_TRUE(h.isClean());
    refuse = false;
    h.redo();
    EXPECT_EQ(doc, "c");
    EXPECT_EQ(h.stack()->index(), 2);
    EXPECT_FALSE(h.isClean());
    EXPECT_EQ(restored, 2);
}

// ---- the recovery copy ----------------------------------------------------------

class Recovery : public Undo {
protected:
    QString folder() const { return RecoveryKeeper::folder(); }
    QStringList copies() const { return QDir(folder()).entryList({"*.vlr"}, QDir::Files); }
};

TEST_F(Recovery, WrittenWhileModifiedRemovedOnSaveAndOfferedAfterACrash)
{
    addSample();
    ASSERT_TRUE(form->changed);
    ASSERT_TRUE(form->recovery->writeNow());
    ASSERT_EQ(copies().size(), 1);
    EXPECT_EQ(testutil::readFile(folder() + copies()[0] + ".origin"), QByteArray()); // untitled
    EXPECT_EQ(testutil::readFile(folder() + copies()[0]), bytes());

    // Undoing back to the saved state and saving remove it.
    QTemporaryDir dir;
    const QString path = dir.filePath("karte.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(path));
    EXPECT_TRUE(copies().isEmpty());
    form->KopfEd->setText("Mittag");
    ASSERT_TRUE(form->recovery->writeNow());
    ASSERT_EQ(copies().size(), 1);
    EXPECT_EQ(testutil::readFile(folder() + copies()[0] + ".origin"), path.toUtf8());
    undo();
    EXPECT_TRUE(copies().isEmpty());

    // A copy written after the last save, then the program ends without
    // closing (as killed): the next start offers it.
    form->KopfEd->setText("Abend");
    ASSERT_TRUE(form->recovery->writeNow());
    const QByteArray onScreen = bytes();
    // Let the copy be newer than the document on any file system.
    QFile doc(path);
    ASSERT_TRUE(doc.open(QIODevice::ReadWrite));
    doc.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    doc.close();
    destroy(); // no close: the copy stays

    // The next start asks; answered "neither" the copy stays for the start
    // after, answered "Wiederherstellen" it is restored.
    recoveryAnswer = -1;
    create();
    ASSERT_EQ(recoveryQuestions.size(), 1);
    EXPECT_TRUE(recoveryQuestions[0].contains(path));
    EXPECT_TRUE(recoveryQuestions[0].endsWith("|Wiederherstellen|Verwerfen"));
    EXPECT_FALSE(form->changed);
    destroy();
    recoveryAnswer = 1;
    create();
    ASSERT_EQ(recoveryQuestions.size(), 2);
    EXPECT_EQ(bytes(), onScreen);
    EXPECT_EQ(form->afilename, path);
    EXPECT_TRUE(form->changed);
    EXPECT_TRUE(form->windowTitle().endsWith("[karte.vlr*]"));
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled());
    // Saving the restored document removes the copy.
    ASSERT_TRUE(form->SaveFile());
    EXPECT_TRUE(copies().isEmpty());
    EXPECT_EQ(testutil::readFile(path), onScreen);
}

TEST_F(Recovery, DamagedCopyIsReportedAndKeptAsideOlderOnesAskedBusyOnesNotOffered)
{
    QDir().mkpath(folder());
    testutil::writeFile(folder() + "kaputt.vlr-00000000.vlr", QByteArray("\x05\0\0\0abc", 7));
    // Older than its document: still offered, with both times; removed only
    // when the user says so.
    QTemporaryDir dir;
    const QString doc = dir.filePath("alt.vlr");
    testutil::writeFile(doc, bytes());
    const QString old = folder() + "alt.vlr-11111111.vlr";
    testutil::writeFile(old, bytes());
    testutil::writeFile(old + ".origin", doc.toUtf8());
    QFile stale(old);
    ASSERT_TRUE(stale.open(QIODevice::ReadWrite));
    const QDateTime copyTime = QDateTime::currentDateTime().addSecs(-600);
    stale.setFileTime(copyTime, QFileDevice::FileModificationTime);
    stale.close();
    // The copy of a program still running (this window's).
    form->KopfEd->setText("läuft");
    ASSERT_TRUE(form->recovery->writeNow());
    const QString busy = form->recovery->copyPath();

    QStringList asked;
    int answer = -1;
    form->recoveryQuestion = [&](const QString &, const QString &text, const QString &, const QString &) {
        asked << text;
        return answer;
    };
    boxes.clear();
    EXPECT_FALSE(form->offerRecovery());
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(doc));
    EXPECT_TRUE(asked[0].contains(QLocale().toString(copyTime, QLocale::ShortFormat)));
    EXPECT_TRUE(asked[0].contains("Das Dokument wurde danach gespeichert:\n"
                                  + QLocale().toString(QFileInfo(doc).lastModified(), QLocale::ShortFormat)));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].second.startsWith("Eine Wiederherstellungskopie ist beschädigt und wurde beiseitegelegt:"));
    EXPECT_TRUE(boxes[0].second.contains("kaputt.vlr-00000000.vlr.damaged"));
    EXPECT_TRUE(QFileInfo::exists(folder() + "kaputt.vlr-00000000.vlr.damaged"));
    EXPECT_TRUE(QFileInfo::exists(old)); // neither answer: kept
    EXPECT_TRUE(QFileInfo::exists(busy));
    // Reported once: kept aside, it is not offered again; "Verwerfen"
    // removes the older copy.
    answer = 0;
    EXPECT_FALSE(form->offerRecovery());
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_FALSE(QFileInfo::exists(old + ".origin"));
    EXPECT_TRUE(QFileInfo::exists(busy));
}

// Restored, the copy of an untitled document stays this window's copy: a
// second crash finds it again, and only saving or discarding removes it.
TEST_F(Recovery, RestoredUntitledCopyStaysUntilSavedOrDiscarded)
{
    addSample();
    ASSERT_TRUE(form->recovery->writeNow());
    const QByteArray first = bytes();
    destroy();
    recoveryAnswer = 1;
    create();
    ASSERT_EQ(recoveryQuestions.size(), 1);
    EXPECT_EQ(bytes(), first);
    EXPECT_TRUE(form->afilename.isEmpty());
    QApplication::processEvents();
    ASSERT_EQ(copies().size(), 1) << "the restored copy went";
    EXPECT_EQ(testutil::readFile(folder() + copies()[0]), first);

    // A change replaces it in place; a second crash offers the newer one.
    form->KopfEd->setText("Nach dem Absturz");
    ASSERT_TRUE(form->recovery->writeNow());
    ASSERT_EQ(copies().size(), 1);
    const QByteArray second = bytes();
    EXPECT_EQ(testutil::readFile(folder() + copies()[0]), second);
    destroy();
    create();
    ASSERT_EQ(recoveryQuestions.size(), 2);
    EXPECT_EQ(bytes(), second);
    EXPECT_EQ(copies().size(), 1);

    // Closed without saving: gone.
    boxAnswers.push_back(QMessageBox::No);
    ASSERT_TRUE(form->close());
    EXPECT_TRUE(copies().isEmpty());
}

// A copy belongs to the program holding its lock: a second program editing
// the same document neither removes nor writes it, but keeps one of its own.
TEST_F(Recovery, AnotherProgramsCopyIsNeitherRemovedNorWritten)
{
    addSample();
    QTemporaryDir dir;
    const QString path = dir.filePath("karte.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(path));

    RecoveryKeeper first([] { return QByteArray("the first program's document"); });
    first.setDocument(path);
    first.changed(true);
    ASSERT_TRUE(first.writeNow());
    const QString theirs = first.copyPath();

    ASSERT_TRUE(form->OpenFileWithName(path));
    EXPECT_EQ(testutil::readFile(theirs), QByteArray("the first program's document")) << "removed on open";
    form->KopfEd->setText("zweites Programm");
    ASSERT_TRUE(form->recovery->writeNow());
    EXPECT_NE(form->recovery->copyPath(), theirs);
    EXPECT_EQ(testutil::readFile(theirs), QByteArray("the first program's document"));
    EXPECT_EQ(testutil::readFile(form->recovery->copyPath()), bytes());
    EXPECT_EQ(testutil::readFile(form->recovery->copyPath() + ".origin"), path.toUtf8());
    EXPECT_EQ(copies().size(), 2);
    // Saving removes this program's copy only.
    ASSERT_TRUE(form->SaveFile());
    EXPECT_EQ(copies(), QStringList{QFileInfo(theirs).fileName()});
    // The first program's copy is not offered while it runs.
    EXPECT_TRUE(RecoveryKeeper::pending().isEmpty());
}

// A lock that cannot be read is stale: the copy behind it is offered, and a
// restored copy is written in place again.
TEST_F(Recovery, CopyBehindAnUnreadableLockIsOffered)
{
    QDir().mkpath(folder());
    const QString copy = folder() + "0123456789abcdef0123456789abcdef.vlr";
    testutil::writeFile(copy, bytes());
    testutil::writeFile(copy + ".origin", "");
    testutil::writeFile(copy + ".lock", "not a lock\n");
    const QList<RecoveryKeeper::Candidate> found = RecoveryKeeper::pending();
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].copy, copy);
    EXPECT_TRUE(found[0].document.isEmpty());

    form->recovery->adopt(found[0]);
    EXPECT_TRUE(form->recovery->holdsCopy());
    form->KopfEd->setText("weiter");
    ASSERT_TRUE(form->recovery->writeNow());
    EXPECT_EQ(form->recovery->copyPath(), copy);
    EXPECT_EQ(testutil::readFile(copy), bytes());
}

// The folder and copies are the user's alone; every document gets a copy,
// whatever its name; only regular files are copies; the origin file is read
// only up to a limit.
TEST_F(Recovery, CopiesArePrivateNamedByDigestAndOnlyRegularFilesAreListed)
{
    // Private whatever the umask: with none, a copy made with the usual
    // access would be open to everyone.
    testutil::UmaskScope umask(0);
    ASSERT_TRUE(umask.active());
    QTemporaryDir dir;
    for (const QString &name : {QString(".karte.vlr"), QString(240, QLatin1Char('k')) + ".vlr"}) {
        SCOPED_TRACE(name.left(20).toStdString());
        const QString path = dir.filePath(name);
        ASSERT_TRUE(form->SaveTheFileAs(path));
        form->KopfEd->setText(form->KopfEd->text() + "!");
        ASSERT_TRUE(form->recovery->writeNow());
        const QString copy = form->recovery->copyPath();
        EXPECT_FALSE(QFileInfo(copy).fileName().startsWith('.'));
        EXPECT_LT(QFileInfo(copy).fileName().size(), 64);
        EXPECT_EQ(testutil::readFile(copy), bytes());
        EXPECT_EQ(QFileInfo(copy).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
        EXPECT_EQ(QFileInfo(copy + ".origin").permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    }
    EXPECT_EQ(QFileInfo(folder().chopped(1)).permissions() & 0x7077,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString ours = form->recovery->copyPath();
    form->recovery->discard();

    // Not copies: a link and a folder named like one.
    const QString target = dir.filePath("elsewhere.vlr");
    testutil::writeFile(target, bytes());
    ASSERT_TRUE(QFile::link(target, folder() + "link.vlr"));
    ASSERT_TRUE(QDir().mkpath(folder() + "folder.vlr"));
    // A copy whose origin is far longer than any path: offered as untitled.
    const QString copy = folder() + "big.vlr";
    testutil::writeFile(copy, bytes());
    testutil::writeFile(copy + ".origin", QByteArray(RecoveryKeeper::kOriginLimit + 1, 'a'));
    const QList<RecoveryKeeper::Candidate> found = RecoveryKeeper::pending();
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].copy, copy);
    EXPECT_TRUE(found[0].document.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ours));
}

// A folder that an earlier version made open to others is the user's alone
// after the next start; its copies are still offered.
TEST_F(Recovery, AFolderOpenToOthersIsClosedAtStart)
{
    const QByteArray doc = bytes();
    destroy();
    QDir().mkpath(folder());
    ASSERT_TRUE(QFile::setPermissions(folder(), QFileDevice::Permissions(0x7755)));
    const QString copy = folder() + "0123456789abcdef0123456789abcdef.vlr";
    testutil::writeFile(copy, doc);
    testutil::writeFile(copy + ".origin", "");
    recoveryAnswer = -1;
    create();
    EXPECT_EQ(testutil::fileMode(folder()), "0700");
    EXPECT_EQ(recoveryQuestions.size(), 1);
}

// While the user keeps editing, a copy is still written once an interval
// (the changes do not put it off), it follows the edits, and once the user
// stops it holds the last state.
TEST_F(Recovery, CopyKeepsUpWhileTheUserKeepsEditing)
{
    qputenv("VELLORAN_RECOVERY_SECONDS", "1");
    addSample();
    form->recovery->discard(); // the next change starts the one-second interval
    QElapsedTimer clock;
    clock.start();
    int edits = 0;
    auto keepEditingUntil = [&](const std::function<bool()> &done) {
        // An edit at every pass of the event loop, far more often than the interval.
        while (!done() && clock.elapsed() < 60000) {
            form->KopfEd->setText(QStringLiteral("Mittag %1").arg(++edits));
            QApplication::processEvents();
        }
        return done();
    };
    const QString copy = form->recovery->copyPath();
    ASSERT_TRUE(keepEditingUntil([&] { return QFileInfo::exists(copy); })) << "no copy while the user kept editing";
    const QByteArray first = testutil::readFile(copy);
    EXPECT_EQ(first, bytes());
    ASSERT_TRUE(keepEditingUntil([&] { return testutil::readFile(copy) != first; }))
        << "the copy did not follow the edits";
    form->KopfEd->setText(QStringLiteral("Abend"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return testutil::readFile(copy) == bytes(); }, 60000));
    qunsetenv("VELLORAN_RECOVERY_SECONDS");
}

// A folder where nothing can be written: the copies there are still offered,
// and the window says once, on the status bar, that none can be written.
TEST_F(Recovery, ReadOnlyFolderStillOffersItsCopiesAndIsToldOnce)
{
    QDir().mkpath(folder());
    const QString copy = folder() + "0123456789abcdef0123456789abcdef.vlr";
    testutil::writeFile(copy, bytes());
    testutil::writeFile(copy + ".origin", "");
    QFile::setPermissions(userDir->path(), QFileDevice::Permissions(0x7755));
    QFile::setPermissions(folder(), QFileDevice::Permissions(0x5555));
    QFile::setPermissions(copy, QFileDevice::Permissions(0x6444));
    QFile::setPermissions(copy + ".origin", QFileDevice::Permissions(0x6444));
    QList<RecoveryKeeper::Candidate> found;
    bool written = true;
    int told = 0;
    RecoveryKeeper keeper([] { return QByteArray("document"); });
    QObject::connect(&keeper, &RecoveryKeeper::cannotWrite, [&] { ++told; });
    ASSERT_TRUE(testutil::runUnprivileged([&] {
        found = RecoveryKeeper::pending();
        keeper.setDocument(QString());
        keeper.changed(true);
        written = keeper.writeNow();
        keeper.writeNow();
    }));
    QFile::setPermissions(folder(), QFileDevice::Permissions(0x7700));
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].copy, copy);
    EXPECT_FALSE(written);
    EXPECT_EQ(told, 1);
}

TEST_F(Recovery, AFailedWriteIsToldOnceOnTheStatusBarAndTriedAgain)
{
    // A file where the folder should be: the copy cannot be written.
    testutil::writeFile(userDir->filePath("recovery"), "in the way");
    form->KopfEd->setText("x");
    EXPECT_FALSE(form->recovery->writeNow());
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(form->statusBar()->currentMessage(), "Wiederherstellungskopien können nicht geschrieben werden.");
    form->statusBar()->clearMessage();
    EXPECT_FALSE(form->recovery->writeNow());
    EXPECT_TRUE(form->statusBar()->currentMessage().isEmpty()); // once
    QFile::remove(userDir->filePath("recovery"));
    EXPECT_TRUE(form->recovery->writeNow());
    EXPECT_EQ(copies().size(), 1);

    // Left to itself, a keeper tries again after each interval until the
    // copy is written.
    testutil::writeFile(userDir->filePath("recovery2"), "in the way");
    RecoveryKeeper::setFolderOverride(userDir->filePath("recovery2"));
    qputenv("VELLORAN_RECOVERY_SECONDS", "0.05");
    int attempts = 0;
    RecoveryKeeper keeper([&] {
        ++attempts;
        return QByteArray("document");
    });
    keeper.setDocument(userDir->filePath("karte.vlr"));
    keeper.changed(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return attempts >= 2; }, 30000)) << "not tried again";
    QFile::remove(userDir->filePath("recovery2"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(keeper.copyPath()); }, 30000));
    EXPECT_EQ(testutil::readFile(keeper.copyPath()), QByteArray("document"));
    qunsetenv("VELLORAN_RECOVERY_SECONDS");
    RecoveryKeeper::setFolderOverride(userDir->filePath("recovery"));
}

} // namespace
