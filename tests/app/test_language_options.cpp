#include "i18n/TranslateFUnit.h"
#include "i18n/qttranslations.h"
#include "i18n/translateunit.h"
#include "mainwindow_fixture.h"
#include "testutil.h"
#include "app/FilenameEdit.h"
#include "texture/picturenote.h"
#include "texture/texture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QtEndian>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class LanguageOptions : public ::testing::Test, public MainWindowFixture {
protected:
    void TearDown() override
    {
        destroy();
        translateForm.reset();
    }
    QString optionsPath() const { return userDir->filePath("options.dat"); }
    void storeOptions(int32_t lang)
    {
        useFreshUserDir();
        QByteArray b(4, 0);
        qToLittleEndian<qint32>(lang, b.data());
        testutil::writeFile(optionsPath(), b);
    }
    bool registered(const QString &german)
    {
        TranslationTable &t = Translations();
        for (int r = 0; r < t.RowCount(); ++r)
            if (t.Cell(r, 0) == german)
                return true;
        return false;
    }
    void createWithEditor()
    {
        create();
    }
    std::unique_ptr<TTranslateForm> translateForm;
};

} // namespace

TEST_F(LanguageOptions, NoFileMeansSwedishAndClosingWritesFour)
{
    const testutil::LocaleScope otherLanguage("ja_JP"); // none of the program's languages
    create();
    EXPECT_TRUE(form->Swedish1->isChecked());
    EXPECT_EQ(form->languagesetto, 4);
    EXPECT_EQ(form->language, 4);
    // The walk ran: window texts were registered (they stay German: no
    // Swedish cells in an empty table).
    EXPECT_TRUE(registered("Neue Kategorie"));
    EXPECT_EQ(form->BitBtn1->text(), "Neue Kategorie");
    ASSERT_TRUE(form->close());
    const QByteArray stored = testutil::readFile(optionsPath());
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(qFromLittleEndian<qint32>(stored.constData()), 4);
}

// The first start takes the language of the locale, marks it, and writes it
// at the close; a write-protected file counts as missing.
TEST_F(LanguageOptions, FirstStartTakesTheLanguageOfTheLocale)
{
    const testutil::LocaleScope german("de_DE");
    create();
    EXPECT_TRUE(form->Deutsch1->isChecked());
    EXPECT_FALSE(form->Swedish1->isChecked());
    EXPECT_EQ(form->language, 0);
    EXPECT_FALSE(registered("Neue Kategorie")); // German: no walk
    ASSERT_TRUE(form->close());
    EXPECT_EQ(testutil::readFile(optionsPath()), QByteArray("\0\0\0\0", 4));
}

TEST_F(LanguageOptions, WriteProtectedFileGivesTheLanguageOfTheLocale)
{
    storeOptions(1);
    // Readable for everyone, writable for nobody; root passes every
    // permission check, so the window starts as an ordinary user.
    QFile::setPermissions(userDir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                               | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(optionsPath(), QFile::ReadOwner | QFile::ReadOther);
    const testutil::LocaleScope dutch("nl_BE");
    bool writable = true;
    ASSERT_TRUE(testutil::runUnprivileged([&] {
        writable = QFile(optionsPath()).open(QIODevice::ReadWrite);
        create();
    }));
    ASSERT_FALSE(writable) << "the options file could be opened for writing";
    EXPECT_TRUE(form->Nederlands1->isChecked());
    EXPECT_EQ(form->language, 3);
}

// Qt's own buttons follow the interface language from the first show on and
// switch with the language menu; without a catalogue they stay English.
TEST_F(LanguageOptions, QtButtonsFollowTheInterfaceLanguage)
{
    auto buttons = [] {
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return QStringList{box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text(),
                           box.button(QMessageBox::Cancel)->text()};
    };
    storeOptions(0);
    create();
    EXPECT_EQ(buttons(), QStringList({"&Ja", "&Nein", "Abbrechen"}));
    form->Franais1->trigger();
    EXPECT_EQ(buttons().first(), "&Oui");
    form->English1->trigger();
    EXPECT_EQ(buttons(), QStringList({"&Yes", "&No", "Cancel"}));
    form->Deutsch1->trigger();
    EXPECT_TRUE(SetQtLanguage(3));
    EXPECT_FALSE(SetQtLanguage(0, "/nonexistent")); // no catalogue: English, quietly
    EXPECT_EQ(buttons().first(), "&Yes");
    SetQtLanguage(1);
}

// The texts shown only when something fails are in the table from the first
// show on and come in the interface language: the reason a document cannot
// be read, and the note on the "Hintergrund" tab (no message box).
TEST_F(LanguageOptions, FailureTextsComeInTheInterfaceLanguage)
{
    storeOptions(1);
    create();
    TranslationTable &t = Translations();
    const std::pair<const char *, const char *> english[] = {
        {"Die Datei endet mitten in „%1“ bei Byte %2 (%3 Bytes gebraucht, %4 übrig).",
         "The file ends inside “%1” at byte %2 (%3 bytes needed, %4 left)."},
        {"Anzahl der Kategorien", "number of categories"},
        {"Das Bild „%1“ kann nicht verwendet werden: %2", "The picture “%1” cannot be used: %2"},
        {"Die Datei gibt es nicht.", "The file does not exist."},
        {"Der Druck ist fehlgeschlagen.", "Printing failed."},
    };
    for (const auto &[german, text] : english) {
        EXPECT_TRUE(registered(QString::fromUtf8(german))) << german;
        for (int r = 0; r < t.RowCount(); ++r)
            if (t.Cell(r, 0) == QString::fromUtf8(german))
                t.SetCell(r, 1, QString::fromUtf8(text));
    }

    const QString damaged = userDir->filePath("damaged.vlr");
    testutil::writeFile(damaged, QByteArray("\x01\x00", 2));
    EXPECT_FALSE(form->OpenFileWithName(damaged, true));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].second.endsWith("The file ends inside “number of categories” at byte 0 (4 bytes needed, 2 left)."))
        << boxes[0].second.toStdString();

    form->FilenameEdit2->setFileName("nirgends.jpg");
    EXPECT_FALSE(form->PictureNoteLabel->isHidden());
    EXPECT_EQ(form->PictureNoteLabel->text(), "The picture “nirgends.jpg” cannot be used: The file does not exist.");
    EXPECT_EQ(boxes.size(), 1);
    form->FilenameEdit2->setFileName(QString());
    EXPECT_TRUE(form->PictureNoteLabel->isHidden());
}

// Without the tests' redirection the files live next to the program, whose
// folder (the test programs' build folder) is writable.
TEST_F(LanguageOptions, FilesLiveNextToTheProgramWhenItsFolderIsWritable)
{
    const QString prog = appfiles::ProgPath();
    const QStringList names{QStringLiteral("options.dat"), QStringLiteral("translate.dat")};
    QHash<QString, QByteArray> before;
    for (const QString &n : names)
        if (QFile::exists(prog + n))
            before[n] = testutil::readFile(prog + n);
    QFile::remove(prog + QStringLiteral("options.dat"));
    userDir = std::make_unique<QTemporaryDir>(); // stays empty
    appfiles::SetUserFilesDirOverride(QString());
    create();
    form->English1->trigger();
    form->Beenden1->trigger();
    QApplication::processEvents();
    const QByteArray stored = testutil::readFile(prog + QStringLiteral("options.dat"));
    const bool translationsThere = QFile::exists(prog + QStringLiteral("translate.dat"));
    destroy();
    for (const QString &n : names) {
        QFile::remove(prog + n);
        if (before.contains(n))
            testutil::writeFile(prog + n, before[n]);
    }
    appfiles::SetUserFilesDirOverride(userDir->path());
    EXPECT_EQ(stored, QByteArray("\x01\x00\x00\x00", 4));
    EXPECT_TRUE(translationsThere);
    EXPECT_TRUE(QDir(userDir->path()).isEmpty());
}

TEST_F(LanguageOptions, StoredGermanRegistersNoWindowText)
{
    storeOptions(0);
    create();
    EXPECT_TRUE(form->Deutsch1->isChecked());
    EXPECT_EQ(form->language, 0);
    EXPECT_FALSE(registered("Neue Kategorie"));
    EXPECT_FALSE(registered("Kategorie nach oben"));
    // Messages and the application title are looked up whatever the language.
    EXPECT_TRUE(registered("Preis auf Anfrage"));
    EXPECT_TRUE(registered("Speisekarte drucken"));
    EXPECT_TRUE(registered("Velloran"));
}

TEST_F(LanguageOptions, ChoosingEnglishTakesEffectAtNextStart)
{
    storeOptions(0);
    create();
    // An English row for the restart notice and for a button.
    Translations().TranslateStr("Neue Kategorie");
    TranslationTable &t = Translations();
    for (int r = 0; r < t.RowCount(); ++r) {
        if (t.Cell(r, 0) == GetMsgText(2))
            t.SetCell(r, 1, "Please close the program and start it again.");
        if (t.Cell(r, 0) == "Neue Kategorie")
            t.SetCell(r, 1, "New category");
    }
    t.SaveTranslations();
    form->English1->trigger();
    EXPECT_TRUE(form->English1->isChecked());
    EXPECT_FALSE(form->Deutsch1->isChecked());
    EXPECT_EQ(form->language, 1);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].second, "Please close the program and start it again.");
    EXPECT_EQ(form->BitBtn1->text(), "Neue Kategorie"); // no re-translation now
    // the same language again: the notice again, nothing else
    form->English1->trigger();
    EXPECT_EQ(boxes.size(), 2);
    EXPECT_TRUE(form->English1->isChecked());

    ASSERT_TRUE(form->close());
    const QByteArray stored = testutil::readFile(optionsPath());
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(qFromLittleEndian<qint32>(stored.constData()), 1);

    destroy();
    create(); // same user directory: the next start
    EXPECT_TRUE(form->English1->isChecked());
    EXPECT_EQ(form->BitBtn1->text(), "New category");
}

TEST_F(LanguageOptions, OutOfMenuNumberMarksNothingMoreButIsUsed)
{
    storeOptions(7);
    create();
    for (QAction *a : {form->Deutsch1, form->English1, form->Franais1, form->Nederlands1})
        EXPECT_FALSE(a->isChecked());
    EXPECT_TRUE(form->Swedish1->isChecked()); // the mark of the defaults stays
    EXPECT_EQ(form->language, 7);
    EXPECT_EQ(form->BitBtn1->text(), "Neue Kategorie");
}

TEST_F(LanguageOptions, ShortFileCountsAsMissing)
{
    useFreshUserDir();
    testutil::writeFile(optionsPath(), QByteArray("\x01\x00", 2));
    const testutil::LocaleScope otherLanguage("ja_JP"); // none of the program's languages
    create();
    EXPECT_TRUE(form->Swedish1->isChecked());
    EXPECT_EQ(form->languagesetto, 4);
}

TEST_F(LanguageOptions, TranslationEditorOpensFilledAndAsksForRestart)
{
    storeOptions(0);
    create();
    translateForm = std::make_unique<TTranslateForm>();
    form->setDialogs(produkt.get(), about.get(), translateForm.get());
    int rowsShown = -1;
    answers.push_back([&](QDialog *d) {
        rowsShown = static_cast<TTranslateForm *>(d)->StringGrid1->rowCount();
        return int(QDialog::Accepted);
    });
    form->bersetzen1->trigger();
    EXPECT_EQ(rowsShown, Translations().RowCount() + 1);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].first, GetMsgText(3));
    EXPECT_EQ(boxes[0].second, GetMsgText(2));
}

TEST_F(LanguageOptions, BrightnessChangesPrepareThePictureOnceAfterTheLastChange)
{
    create();
    const int before = form->di2->PrepareCount();
    for (int v = 40; v < 60; ++v)
        form->HellEd->setValue(v);
    form->SatEd->setValue(20);
    EXPECT_EQ(form->di2->PrepareCount(), before);
    EXPECT_TRUE(form->Timer1->isActive());
    // Once the delay has run out (generously bounded for a loaded machine).
    QTRY_COMPARE_WITH_TIMEOUT(form->di2->PrepareCount(), before + 1, 20000);
    EXPECT_FALSE(form->Timer1->isActive());
    // The check boxes prepare at once.
    form->GrayScaleCheck->setChecked(true);
    EXPECT_EQ(form->di2->PrepareCount(), before + 2);
}
