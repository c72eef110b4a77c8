#include "app/FilenameEdit.h"
#include "app/QrCodeBox.h"
#include "app/proposedname.h"
#include "catalogue/document.h"
#include "catalogue/picturepath.h"
#include "catalogue/platform.h"
#include "texture/picturenote.h"
#include "texture/texture.h"
#include "mainwindow_fixture.h"
#include "testutil.h"

#include <QCheckBox>
#include <QLocale>
#include <QSpinBox>
#include <QStatusBar>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>


namespace {

class DocumentLifecycle : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override { create(); }
    void TearDown() override { destroy(); }

    QString caption() const { return form->windowTitle(); }
    QString base() const { return form->maincap; }

    void addSample()
    {
        newCategory("Suppen");
        answerProduct("Tomatensuppe", 4.5, 0, "", "mit Sahne\r\nund Basilikum");
        click(form->NeuesProduktBtn);
        newCategory("Getränke");
        answerProduct("Wasser", 2.2, 0, "0,5l");
        click(form->NeuesProduktBtn);
    }
    // A change of the document's content (the heading).
    void modify() { form->CaptionEd->setText(form->CaptionEd->text() + "!"); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DocumentLifecycle, CaptionInEachState)
{
    EXPECT_EQ(base(), "Brastel Velloran 1.0");
    EXPECT_EQ(caption(), base() + " - [unbenannt.vlr]");
    addSample();
    EXPECT_EQ(caption(), base() + " - [unbenannt.vlr*]");
    const QString path = dir.filePath("karte.vlr");
    fileAnswers.push_back(path);
    form->Speichern1Click();
    EXPECT_FALSE(form->changed);
    EXPECT_EQ(form->afilename, path);
    EXPECT_EQ(caption(), base() + " - [karte.vlr]");
    selectCategory(0); // selecting is no change
    EXPECT_EQ(caption(), base() + " - [karte.vlr]");
    modify();
    EXPECT_EQ(caption(), base() + " - [karte.vlr*]");
    form->Rueckgaengig1->trigger(); // back to the saved state
    EXPECT_EQ(caption(), base() + " - [karte.vlr]");
    EXPECT_FALSE(form->changed);
}

TEST_F(DocumentLifecycle, SaveWithCancelledDialogKeepsEverything)
{
    addSample();
    const QString before = caption();
    EXPECT_FALSE(form->SaveFile());
    EXPECT_EQ(fileDialogsShown, 1);
    EXPECT_TRUE(form->changed);
    EXPECT_EQ(caption(), before);
    EXPECT_TRUE(form->afilename.isEmpty());
}

TEST_F(DocumentLifecycle, NewAnsweredYesThenCancelledKeepsDocument)
{
    addSample();
    boxAnswers.push_back(QMessageBox::Yes);
    form->Neu1->trigger();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].first, "Speichern");
    EXPECT_EQ(boxes[0].second, "Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?");
    EXPECT_EQ(form->catalogue.categoryCount(), 2);
    EXPECT_TRUE(form->changed);

    // Once it has a file, the question says that the file has changes.
    ASSERT_TRUE(form->SaveTheFileAs(dir.filePath("linde.vlr")));
    modify();
    boxAnswers.push_back(QMessageBox::Cancel);
    form->Neu1->trigger();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].second, "Die Datei \"linde.vlr\" hat ungespeicherte Änderungen. Wollen Sie jetzt speichern?");
    EXPECT_EQ(form->catalogue.categoryCount(), 2);
}

TEST_F(DocumentLifecycle, NewAnsweredNoDiscards)
{
    addSample();
    boxAnswers.push_back(QMessageBox::No);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keySequence(form.get(), QKeySequence::New); // the menu entry's shortcut
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(form->catalogue.categoryCount(), 0);
    EXPECT_EQ(form->ListView2->topLevelItemCount(), 0);
    EXPECT_FALSE(form->NeuesProduktBtn->isEnabled());
    EXPECT_EQ(caption(), base() + " - [unbenannt.vlr]");
    EXPECT_EQ(fileDialogsShown, 0);
}

// Settings are the document's content: changing them asks before they are
// lost, and "Neu" (answered No) keeps them for the new document.
TEST_F(DocumentLifecycle, SettingsChangesAskAndSurviveNew)
{
    form->LinksEd->setValue(12);
    form->CapsCheck->setChecked(false);
    EXPECT_TRUE(form->changed);
    boxAnswers.push_back(QMessageBox::No);
    form->Neu1->trigger();
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_FALSE(form->changed);
    EXPECT_EQ(form->LinksEd->value(), 12);
    EXPECT_FALSE(form->CapsCheck->isChecked());
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled()); // "Neu" clears the history
    EXPECT_TRUE(form->close());
    EXPECT_EQ(boxes.size(), 1);

    // Closing after a change of a setting alone asks the save question.
    form->show();
    TFontDialog::chooser = [](QWidget *, FontSetting &f) {
        f.size = 30;
        return true;
    };
    form->BitBtnXP5->click();
    TFontDialog::chooser = nullptr;
    EXPECT_TRUE(form->changed);
    boxAnswers.push_back(QMessageBox::Cancel);
    EXPECT_FALSE(form->close());
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].second, "Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?");
}

TEST_F(DocumentLifecycle, CloseQuestionBranches)
{
    addSample();
    boxAnswers.push_back(QMessageBox::Cancel);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    boxAnswers.push_back(QMessageBox::Yes); // then the save dialog is cancelled
    EXPECT_FALSE(form->close());
    boxAnswers.push_back(QMessageBox::No);
    EXPECT_TRUE(form->close());
}

TEST_F(DocumentLifecycle, SaveAndReopenRestoresCatalogueAndSettings)
{
    addSample();
    form->KopfEd->setText("Kopf");
    form->NoKommaCheck->setChecked(true);
    form->FontDialog(9)->Font.size = 17;
    const QString path = dir.filePath("a.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(path));

    // Change everything, then open the saved file.
    form->KopfEd->setText("anders");
    form->NoKommaCheck->setChecked(false);
    form->FontDialog(9)->Font.size = 8;
    form->LinksEd->setValue(3);
    fileAnswers.push_back(path);
    boxAnswers.push_back(QMessageBox::No);
    selectCategory(0); // another category: modified
    ASSERT_TRUE(form->changed);
    click(form->OpenBtn);
    ASSERT_EQ(boxes.size(), 1); // the save question
    EXPECT_EQ(form->KopfEd->text(), "Kopf");
    EXPECT_TRUE(form->NoKommaCheck->isChecked());
    EXPECT_EQ(form->FontDialog(9)->Font.size, 17);
    EXPECT_EQ(form->LinksEd->value(), 25);
    ASSERT_EQ(form->categoryNames(), (QStringList{"Suppen", "Getränke"}));
    EXPECT_EQ(form->ListView2->currentItem(), form->ListView2->topLevelItem(0));
    ASSERT_EQ(form->ListView1->topLevelItemCount(), 1);
    EXPECT_EQ(form->ListView1->topLevelItem(0)->text(0), "Tomatensuppe");
    TProductRec *p = form->catalogue.product(0, 0);
    EXPECT_EQ(WideText(p->description), "mit Sahne\r\nund Basilikum");
    EXPECT_FALSE(form->changed);
    EXPECT_EQ(form->afilename, path);

    // Unmodified: the menu entry opens without a question.
    const int dialogsBefore = fileDialogsShown;
    fileAnswers.push_back(path);
    form->ffnen1->trigger();
    EXPECT_EQ(fileDialogsShown, dialogsBefore + 1);
    EXPECT_EQ(boxes.size(), 1);
}

TEST_F(DocumentLifecycle, DefaultDocumentRestoresEveryDefaultSetting)
{
    // A default document saved by a fresh window...
    const QString path = dir.filePath("default.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(path));
    EXPECT_EQ(testutil::readFile(path).size(), 547);
    // ...read over changed settings brings the defaults back, all nine fonts too.
    const CardSettings defaults = form->cardSettings();
    form->CaptionEd->setText("x");
    form->RahmenCheck->setChecked(false);
    form->RechtsEd->setValue(1);
    form->HellEd->setValue(9);
    form->SVerh2Check->setChecked(false);
    for (int i = 1; i <= 9; ++i) {
        form->FontDialog(i)->Font.face = "Arial";
        form->FontDialog(i)->Font.style = 15;
    }
    ASSERT_TRUE(form->OpenFileWithName(path, true));
    const CardSettings now = form->cardSettings();
    EXPECT_EQ(now.CaptionEd, defaults.CaptionEd);
    EXPECT_EQ(now.RahmenCheck, defaults.RahmenCheck);
    EXPECT_EQ(now.RechtsEd, defaults.RechtsEd);
    EXPECT_EQ(now.HellEd, defaults.HellEd);
    EXPECT_EQ(now.SVerh2Check, defaults.SVerh2Check);
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(now.fonts[i] == defaults.fonts[i]) << "font " << i + 1;
}

TEST_F(DocumentLifecycle, DamagedFileIsReportedAndChangesNothing)
{
    addSample();
    const QString good = dir.filePath("good.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(good));
    modify();
    ASSERT_TRUE(form->changed);
    const QString captionBefore = caption();
    const CardSettings settingsBefore = form->cardSettings();

    QByteArray bytes = testutil::readFile(good);
    const QString bad = dir.filePath("bad.vlr");
    ASSERT_TRUE(testutil::writeFile(bad, bytes.left(bytes.size() / 2)));
    EXPECT_FALSE(form->OpenFileWithName(bad, true));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].second.startsWith("Konte die folgende Datei nicht öffnen: " + bad));
    EXPECT_EQ(form->afilename, good);
    EXPECT_TRUE(form->changed);
    EXPECT_EQ(caption(), captionBefore);
    EXPECT_EQ(form->catalogue.categoryCount(), 2);
    EXPECT_EQ(form->categoryNames(), (QStringList{"Suppen", "Getränke"}));
    EXPECT_EQ(form->cardSettings().FussEd, settingsBefore.FussEd);

    // A path that does not exist, chosen in the dialog: message 1 and the name.
    EXPECT_FALSE(form->OpenFileWithName(dir.filePath("missing.vlr"), true));
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].second, "Konte die folgende Datei nicht öffnen: " + dir.filePath("missing.vlr"));
    EXPECT_EQ(form->afilename, good);
}

TEST_F(DocumentLifecycle, FailedSaveKeepsOldFileAndModifiedState)
{
    addSample();
    QDir(dir.path()).mkdir("ro");
    const QString path = dir.filePath("ro/karte.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(path));
    const QByteArray old = testutil::readFile(path);
    // Read-only for everyone; the superuser writes anyway, so it saves as
    // an ordinary user.
    QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther);
    QFile::setPermissions(dir.filePath("ro"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    selectCategory(0);
    answerProduct("neu", 1);
    click(form->NeuesProduktBtn);
    bool saved = true;
    ASSERT_TRUE(testutil::runUnprivileged([&] { saved = form->SaveFile(); }));
    EXPECT_FALSE(saved);
    QFile::setPermissions(dir.filePath("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(testutil::readFile(path), old);
    EXPECT_TRUE(form->changed);
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_TRUE(boxes.last().second.startsWith("Konnte die folgende Datei nicht anlegen:" + path));
}

TEST_F(DocumentLifecycle, SaveAsIntoMissingFolderKeepsName)
{
    addSample();
    const QString named = dir.filePath("first.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(named));
    modify();
    fileAnswers.push_back(dir.filePath("no/such/folder/x.vlr"));
    form->Speichernunter1Click();
    EXPECT_EQ(form->afilename, named); // only a written name becomes the document's name
    EXPECT_TRUE(form->changed);
}

TEST_F(DocumentLifecycle, CsvExportThroughTheMenu)
{
    addSample();
    const QString path = dir.filePath("karte.csv");
    testutil::writeFile(path, "old content that is longer than the export itself ... ... ... ... ...");
    fileAnswers.push_back(path);
    const bool changedBefore = form->changed;
    {
        testutil::LocaleScope de("de_DE");
        form->ExportierenalsCSVDatei1->trigger();
    }
    const QByteArray csv = testutil::readFile(path);
    EXPECT_EQ(csv, QByteArray("\"Kategorie\",\"Bezeichnung\",\"Beschreibung\",\"Preis\",\"Bestellnummer\",\"Menge\"\r\n"
                              "\"Suppen\",\"Tomatensuppe\",\"mit Sahne\r\nund Basilikum\",\"4,50\",\"0\",\"\"\r\n"
                              "\"Getr\xE4nke\",\"Wasser\",\"\",\"2,20\",\"0\",\"0,5l\"\r\n"));
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_TRUE(changedBefore);
    EXPECT_TRUE(form->changed); // exporting does not save the document
    // The status bar says what was written where.
    EXPECT_EQ(form->statusBar()->currentMessage(), "CSV-Datei geschrieben: " + QDir::toNativeSeparators(path));

    fileAnswers.push_back(dir.filePath("no/such/folder/x.csv"));
    form->ExportierenalsCSVDatei1Click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].second.startsWith("Konnte die folgende Datei nicht anlegen:" + dir.filePath("no/such/folder/x.csv")));
}

TEST_F(DocumentLifecycle, SaveDialogsProposeTheDocumentsOrTheHeadingsName)
{
    // Untitled: the heading, without what file names cannot hold.
    form->CaptionEd->setText("Speisekarte: Gasthof \"Linde\" / Sommer");
    EXPECT_EQ(form->proposedFileName("pdf"), "Speisekarte Gasthof Linde Sommer.pdf");
    form->CaptionEd->setText("  ");
    EXPECT_EQ(form->proposedFileName("pdf"), "");
    form->CaptionEd->setText("..");
    EXPECT_EQ(form->proposedFileName("csv"), "");
    // With a file: its name and folder, the new extension.
    addSample();
    ASSERT_TRUE(form->SaveTheFileAs(dir.filePath("karte.2024.vlr")));
    EXPECT_EQ(form->proposedFileName("html"), dir.filePath("karte.2024.html"));
    EXPECT_EQ(form->proposedFileName("vlr"), dir.filePath("karte.2024.vlr"));
}

namespace {

// What the real file dialog that `command` opens starts with: its folder and
// the file it proposes. The dialog is cancelled once seen.
struct DialogStart {
    QString folder, file;
};
DialogStart dialogStartOf(const std::function<void()> &command)
{
    DialogStart seen;
    QTimer look;
    look.setInterval(5);
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto *dlg = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        seen.folder = dlg->directory().absolutePath();
        if (dlg->acceptMode() == QFileDialog::AcceptSave && !dlg->selectedFiles().isEmpty())
            seen.file = dlg->selectedFiles().first();
        look.stop();
        dlg->reject();
    });
    look.start();
    command();
    return seen;
}

} // namespace

TEST_F(DocumentLifecycle, EveryFileDialogStartsInTheDocumentsFolderElseTheUsersDocuments)
{
    // Started from another folder, which no dialog may show.
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString userFolder = QFileInfo(documents).isDir() ? QDir(documents).absolutePath() : QDir::homePath();
    ASSERT_NE(userFolder, QDir::currentPath());

    form->chooseFile = nullptr; // the real dialogs
    form->QrCodeBox->QrUrlEd->setText("https://linde.de");
    form->SetUnChanged(); // "Öffnen..." shows its own dialog, not the save question's
    auto *pictureButton = form->FilenameEdit2->findChild<QToolButton *>();
    ASSERT_NE(pictureButton, nullptr);
    const std::vector<std::pair<const char *, std::function<void()>>> commands = {
        {"open", [&] { form->ffnen1->trigger(); }},
        {"save as", [&] { form->Speichernunter1->trigger(); }},
        {"csv", [&] { form->ExportierenalsCSVDatei1->trigger(); }},
        {"pdf", [&] { form->AlsPDFexportieren1->trigger(); }},
        {"html", [&] { form->AlsWebseiteexportieren1->trigger(); }},
        {"qr", [&] { form->QRCodeexportieren1->trigger(); }},
        {"picture", [&] { pictureButton->click(); }},
    };
    auto expectAllStartIn = [&](const QString &folder) {
        for (const auto &[what, command] : commands) {
            const DialogStart start = dialogStartOf(command);
            EXPECT_EQ(start.folder, folder) << what;
            // A proposed name lies in that folder too.
            if (!start.file.isEmpty())
                EXPECT_EQ(QFileInfo(start.file).absolutePath(), folder) << what << " " << start.file.toStdString();
        }
    };

    // Untitled: the user's documents folder.
    expectAllStartIn(userFolder);
    EXPECT_EQ(dialogStartOf([&] { form->Speichernunter1->trigger(); }).file,
              QDir(userFolder).filePath("Speisekarte.vlr"));

    // Saved in a folder: that folder, for every dialog.
    ASSERT_TRUE(QDir(dir.path()).mkpath("karten"));
    const QString folder = QDir(dir.filePath("karten")).absolutePath();
    ASSERT_TRUE(form->SaveTheFileAs(folder + "/linde.vlr"));
    expectAllStartIn(folder);

    // A document whose folder has gone: the documents folder again.
    EXPECT_EQ(DialogStartFolder(dir.filePath("weg/linde.vlr")), userFolder);
    EXPECT_EQ(DialogStartFolder(QString()), userFolder);
    QDir::setCurrent(before);
}

// Command-line arguments: the first one is opened at the first show, further
// ones are ignored; a file that does not exist leaves the empty document
// without a message. A second show repeats nothing.
class CommandLine : public ::testing::Test, public MainWindowFixture {
protected:
    void TearDown() override { destroy(); }
    QTemporaryDir dir;
};

TEST_F(CommandLine, FirstArgumentOpensAndSecondShowRepeatsNothing)
{
    {
        MainWindowFixture writer;
        writer.create();
        writer.newCategory("Nur eine");
        ASSERT_TRUE(writer.form->SaveTheFileAs(dir.filePath("one.vlr")));
        writer.form->SetUnChanged();
        writer.destroy();
    }
    argumentsForNextWindow = {dir.filePath("one.vlr"), dir.filePath("two.vlr")};
    create();
    EXPECT_EQ(form->categoryNames(), QStringList{"Nur eine"});
    EXPECT_EQ(form->afilename, dir.filePath("one.vlr"));
    answerProduct("Brot", 1);
    click(form->NeuesProduktBtn);
    ASSERT_TRUE(form->changed);
    form->hide();
    form->show();
    QApplication::processEvents();
    EXPECT_TRUE(form->changed);
    EXPECT_EQ(form->catalogue.products(0)->count, 1u);
}

TEST_F(CommandLine, MissingFileLeavesEmptyDocumentSilently)
{
    argumentsForNextWindow = {dir.filePath("nope.vlr")};
    create();
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(form->catalogue.categoryCount(), 0);
    EXPECT_TRUE(form->afilename.isEmpty());
    EXPECT_EQ(form->windowTitle(), form->maincap + " - [unbenannt.vlr]");
}

TEST_F(DocumentLifecycle, ValuesWithManyDecimalsSurviveOpenAndSave)
{
    form->LinksEd->setValue(12.345);
    form->BreitEd2->setValue(21.0625);
    newCategory("Preise");
    answerProduct("krumm", 2.125);
    click(form->NeuesProduktBtn);
    const QString a = dir.filePath("a.vlr"), b = dir.filePath("b.vlr");
    ASSERT_TRUE(form->SaveTheFileAs(a));
    form->LinksEd->setValue(1);
    ASSERT_TRUE(form->OpenFileWithName(a, true));
    EXPECT_EQ(form->LinksEd->value(), 12.345);
    EXPECT_EQ(form->BreitEd2->value(), 21.0625);
    ASSERT_TRUE(form->SaveTheFileAs(b));
    EXPECT_EQ(testutil::readFile(a), testutil::readFile(b));
    EXPECT_EQ(form->LinksEd->text(), QLocale().toString(12.345));
    EXPECT_EQ(form->ZoomEd->text(), "100");
}

// A document's picture on another machine is never opened: the tab's note says why. The
// same kind of name chosen in the file dialog is the user's own choice and is used; once
// it comes from a document again it is refused again.
TEST_F(DocumentLifecycle, ADocumentsNetworkOrDevicePictureIsRefusedAndOneChosenInTheDialogIsUsed)
{
    form->show();
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString local = QDir(dir.path()).absoluteFilePath("rot.png");
    ASSERT_TRUE(img.save(local));
    // A way to the local picture that a document may not take: through /proc on Linux;
    // on Windows the plain name (a network share cannot be chosen here).
    const bool linuxRules = platform::PicturePathRules() == PathRules::Linux;
    const QString chosen = linuxRules ? "/proc/self/root" + local : local;

    CardSettings s;
    s.FilenameEdit2 = QStringLiteral(R"(\\127.0.0.1\share\x.png)");
    Catalogue cat;
    QString why;
    ASSERT_TRUE(SaveDocumentFile(dir.filePath("netz.vlr"), {}, cat, s, &why)) << why.toStdString();
    ASSERT_TRUE(form->OpenFileWithName(dir.filePath("netz.vlr")));
    EXPECT_FALSE(form->di2->HasTexture());
    EXPECT_FALSE(form->PictureNoteLabel->isHidden());
    EXPECT_EQ(form->PictureNoteLabel->text(), PictureProblemText(s.FilenameEdit2, PictureProblem::NotLocal));

    // The same name typed is no choice in the dialog either.
    form->FilenameEdit2->edit()->setText(chosen);
    EXPECT_FALSE(form->FilenameEdit2->ChosenInDialog());
    EXPECT_EQ(form->di2->HasTexture(), !linuxRules);
    EXPECT_EQ(form->di2->Problem(), linuxRules ? PictureProblem::NotLocal : PictureProblem::None);

    // Chosen in the dialog (the very name the field holds): used.

    form->chooseFile = nullptr; // the real dialogs
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto *dlg = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        answer.stop();
        dlg->selectFile(chosen);
        QMetaObject::invokeMethod(dlg, "accept");
    });
    answer.start();
    form->FilenameEdit2->findChild<QToolButton *>()->click();
    EXPECT_EQ(form->FilenameEdit2->FileName(), chosen);
    EXPECT_TRUE(form->FilenameEdit2->ChosenInDialog());
    EXPECT_TRUE(form->di2->HasTexture());
    EXPECT_TRUE(form->PictureNoteLabel->isHidden());

    // Saved and opened again, the name is the document's.
    ASSERT_TRUE(form->SaveTheFileAs(dir.filePath("gewaehlt.vlr")));
    ASSERT_TRUE(form->OpenFileWithName(dir.filePath("gewaehlt.vlr")));
    EXPECT_FALSE(form->FilenameEdit2->ChosenInDialog());
    EXPECT_EQ(form->di2->HasTexture(), !linuxRules);
}
