// The menus' Alt letters and shortcuts, and the main window's size.
#include "app/windowsize.h"
#include "i18n/mnemonics.h"
#include "mainwindow_fixture.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Mnemonics, FirstFreeLetterWordStartsFirst)
{
    QSet<QChar> taken;
    EXPECT_EQ(WithMnemonic("Speichern", taken), "&Speichern");
    EXPECT_EQ(WithMnemonic("Speichern unter...", taken), "Speichern &unter...");
    // Word starts taken: the first free letter inside.
    EXPECT_EQ(WithMnemonic("Sushi", taken), "Sus&hi");
    EXPECT_EQ(WithMnemonic("Öffnen...", taken), "&Öffnen...");
    // A literal ampersand is doubled, not taken for a letter.
    EXPECT_EQ(WithMnemonic("Essen & Trinken", taken), "&Essen && Trinken");
    // Nothing left: no letter, the text as it is.
    EXPECT_EQ(WithMnemonic("Sue", taken), "Sue");
    EXPECT_EQ(WithMnemonic("...", taken), "...");
}

namespace {

class MenusAndWindow : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override { create(); }
    void TearDown() override { destroy(); }
};

} // namespace

TEST_F(MenusAndWindow, MenusHaveAltLettersAndTheShortcutsShow)
{
    EXPECT_EQ(form->Datei1->title(), "&Datei");
    EXPECT_EQ(form->Bearbeiten1->title(), "&Bearbeiten");
    EXPECT_EQ(form->Sprache1->title(), "&Sprache");
    EXPECT_EQ(form->Hilfe1->title(), "&Hilfe");
    // Unique letters inside a menu.
    QSet<QString> letters;
    for (QAction *a : form->Datei1->actions()) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QKeySequence m = QKeySequence::mnemonic(a->text());
        EXPECT_FALSE(m.isEmpty()) << a->text().toStdString();
        EXPECT_FALSE(letters.contains(m.toString())) << a->text().toStdString();
        letters << m.toString();
    }
    EXPECT_EQ(form->Speichernunter1->text(), "Speichern &unter...");
    EXPECT_EQ(form->Speichernunter1->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(form->AlsPDFexportieren1->shortcut(), QKeySequence("Ctrl+E"));
    // The undo entries name their step and keep no letter.
    EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig");

    // Alt+D opens "Datei".
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->Datei1->isVisible(); }, 2000));
    form->Datei1->close();
}

TEST_F(MenusAndWindow, FirstStartUsesMostOfTheScreenLaterTheClosedSize)
{
    const QRect avail(0, 0, 1366, 738);
    const QSize least(764, 550);
    EXPECT_EQ(StartWindowSize(avail, QSize(), least), QSize(1092, 590));
    // A small screen: the window's own size, but never more than the screen.
    EXPECT_EQ(StartWindowSize(QRect(0, 0, 800, 600), QSize(), least), QSize(764, 550));
    EXPECT_EQ(StartWindowSize(QRect(0, 0, 700, 500), QSize(), least), QSize(700, 500));
    // A stored size as it is, within the screen.
    EXPECT_EQ(StartWindowSize(avail, QSize(900, 640), least), QSize(900, 640));
    EXPECT_EQ(StartWindowSize(avail, QSize(2000, 640), least), QSize(1366, 640));

    // Closing stores the size; the next window opens with it.
    form->resize(780, 560);
    QApplication::processEvents();
    ASSERT_TRUE(form->close());
    const QSize closed = form->size();
    EXPECT_EQ(LoadWindowSize(userDir->filePath("window.ini")), closed);
    destroy();
    create();
    if (const QScreen *s = QApplication::primaryScreen())
        EXPECT_EQ(form->size(), closed.boundedTo(s->availableGeometry().size()));
}

TEST_F(MenusAndWindow, DateiListsTheDocumentsOpenedLast)
{
    // The list itself: most recent first, each file once, at most eight.
    QStringList list;
    for (int i = 1; i <= 9; ++i)
        list = WithRecentDocument(list, QStringLiteral("/karten/%1.vlr").arg(i));
    // (Kept absolute: on Windows "/karten" lies on the current drive.)
    auto kept = [](const QString &p) { return QDir::cleanPath(QFileInfo(p).absoluteFilePath()); };
    ASSERT_EQ(list.size(), kRecentDocuments);
    EXPECT_EQ(list.first(), kept("/karten/9.vlr"));
    EXPECT_EQ(list.last(), kept("/karten/2.vlr"));
    list = WithRecentDocument(list, "/karten/../karten/5.vlr");
    EXPECT_EQ(list.mid(0, 3), (QStringList{kept("/karten/5.vlr"), kept("/karten/9.vlr"), kept("/karten/8.vlr")}));
    EXPECT_EQ(list.size(), kRecentDocuments);

    // The entries as "&N path" with every "&" of the path doubled; a path too
    // long for the menu is shortened in its middle and keeps its file name
    // (the whole path is the entry's status tip).
    auto shown = [&] {
        QStringList texts;
        for (QAction *a : form->Datei1->actions()) {
            if (!a->isVisible() || !a->text().startsWith('&') || !a->text().at(1).isDigit())
                continue;
            const QString whole = a->text().left(3) + QString(a->statusTip()).replace('&', "&&");
            if (a->text() != whole) {
                const QString name = QFileInfo(a->statusTip()).fileName().replace('&', "&&");
                EXPECT_TRUE(a->text().contains(QChar(0x2026)) && a->text().endsWith(name)) << a->text().toStdString();
            }
            texts << whole;
        }
        return texts;
    };
    EXPECT_TRUE(shown().isEmpty()); // a first start lists nothing
    QTemporaryDir dir;
    const QString a = dir.filePath("a.vlr"), b = dir.filePath("b & c.vlr"), c = dir.filePath("c.vlr");
    newCategory("Suppen");
    ASSERT_TRUE(form->SaveTheFileAs(a));
    ASSERT_TRUE(form->SaveTheFileAs(b));
    ASSERT_TRUE(form->SaveTheFileAs(c));
    const QStringList expected = {"&1 " + QDir::toNativeSeparators(c), "&2 " + QDir::toNativeSeparators(dir.filePath("b && c.vlr")),
                                  "&3 " + QDir::toNativeSeparators(a)};
    EXPECT_EQ(shown(), expected);

    // Kept with the window's settings: the next window lists them too.
    EXPECT_EQ(LoadRecentDocuments(userDir->filePath("window.ini")), (QStringList{c, b, a}));
    form->SetUnChanged();
    destroy();
    create();
    EXPECT_EQ(shown(), expected);

    // Choosing one of a modified document asks first; "Abbrechen" opens nothing.
    auto entry = [&](int i) { return form->findChild<QAction *>(QStringLiteral("Zuletzt%1").arg(i)); };
    form->CaptionEd->setText("Geändert");
    boxAnswers.push_back(QMessageBox::Cancel);
    entry(3)->trigger();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(form->afilename.isEmpty());
    // "Nein": it opens and moves to the front.
    boxAnswers.push_back(QMessageBox::No);
    entry(3)->trigger();
    EXPECT_EQ(boxes.size(), 2);
    EXPECT_EQ(form->afilename, a);
    EXPECT_EQ(form->categoryNames(), QStringList{"Suppen"});
    EXPECT_EQ(form->recentDocuments, (QStringList{a, c, b}));

    // One that has gone: a message naming it, it leaves the list, the open
    // document stays.
    ASSERT_TRUE(QFile::remove(b));
    entry(3)->trigger();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_TRUE(boxes.last().second.contains(QDir::toNativeSeparators(b))) << boxes.last().second.toStdString();
    EXPECT_EQ(form->afilename, a);
    EXPECT_EQ(shown(), (QStringList{"&1 " + QDir::toNativeSeparators(a), "&2 " + QDir::toNativeSeparators(c)}));
    EXPECT_EQ(LoadRecentDocuments(userDir->filePath("window.ini")), (QStringList{a, c}));
}
