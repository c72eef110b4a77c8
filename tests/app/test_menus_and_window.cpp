// The menus' Alt letters and shortcuts, and the main window's size.
#include "app/windowsize.h"
#include "i18n/mnemonics.h"
#include "mainwindow_fixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
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
