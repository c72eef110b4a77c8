// The translation editor driven like a user: search, deletion, keystrokes,
// the fixed German column.
#include "i18n/TranslateFUnit.h"
#include "i18n/translateunit.h"
#include "i18n_testutil.h"
#include "testutil.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using i18ntest::tableFile;

namespace {

struct Question {
    QString caption, text;
    int row, col;
};

class Editor : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TranslationTable t;
    std::unique_ptr<TTranslateForm> form;
    std::vector<Question> asked;
    std::vector<QMessageBox::StandardButton> answers; // used in order, then Yes
    QString path() const { return dir.filePath(QStringLiteral("translate.dat")); }

    void start(const std::vector<QStringList> &rows, bool show = false)
    {
        ASSERT_TRUE(testutil::writeFile(path(), tableFile(20, rows)));
        t.InitTranslations(path());
        t.language = 1;
        form = std::make_unique<TTranslateForm>(nullptr, &t);
        form->ask = [this](const QString &caption, const QString &text, QMessageBox::StandardButtons) {
            asked.push_back({caption, text, form->StringGrid1->currentRow(), form->StringGrid1->currentColumn()});
            if (asked.size() <= answers.size())
                return answers[asked.size() - 1];
            return QMessageBox::Yes;
        };
        form->FillStringGrid();
        if (show) {
            form->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        }
    }
    QString cell(int r, int c) const
    {
        QTableWidgetItem *it = form->StringGrid1->item(r, c);
        return it ? it->text() : QString();
    }
    std::vector<std::pair<int, int>> searchPlaces() const
    {
        std::vector<std::pair<int, int>> v;
        for (const Question &q : asked)
            v.emplace_back(q.row, q.col);
        return v;
    }
    QLineEdit *editorAt(int r, int c) const
    {
        QTableWidget *g = form->StringGrid1;
        return qobject_cast<QLineEdit *>(g->indexWidget(g->model()->index(r, c)));
    }
    void search(const QString &text)
    {
        form->FilterEdit->setText(text);
        QTest::mouseClick(form->FilterBtn, Qt::LeftButton);
    }
};

TEST_F(Editor, GridShowsTheTableUnderTheHeaderRow)
{
    start({{"Menge", "Quantity", "Quantité"}, {"Preis"}});
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Übersetzen"));
    EXPECT_EQ(form->StringGrid1->columnCount(), 20);
    EXPECT_EQ(form->StringGrid1->rowCount(), 3);
    EXPECT_EQ(form->StringGrid1->columnWidth(7), 250);
    const QStringList heads = {"German", "English", QString::fromUtf8("Français"), "Nederlands", "Swedish", "language5"};
    for (int c = 0; c < heads.size(); ++c)
        EXPECT_EQ(cell(0, c), heads[c]);
    EXPECT_EQ(cell(0, 19), QStringLiteral("language19"));
    EXPECT_EQ(cell(1, 2), QString::fromUtf8("Quantité"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("Preis"));
    EXPECT_EQ(cell(2, 1), QString());
    EXPECT_FALSE(form->FixedColCheck->isChecked());
}

TEST_F(Editor, SearchFoldsOnlyAToZAndStartsAtTheHeader)
{
    start({{"Menge", "Quantity"}, {"Germanisch"}, {QString::fromUtf8("Äpfel"), "apples"},
           {QString::fromUtf8("äpfel"), "GERMAN apples"}});
    search(QStringLiteral("german"));
    EXPECT_EQ(searchPlaces(), (std::vector<std::pair<int, int>>{{0, 0}, {2, 0}, {4, 1}}));

    asked.clear();
    search(QString::fromUtf8("äPFEL"));
    EXPECT_EQ(searchPlaces(), (std::vector<std::pair<int, int>>{{4, 0}}));

    asked.clear();
    answers = {QMessageBox::No};
    search(QStringLiteral("APPLES"));
    EXPECT_EQ(searchPlaces(), (std::vector<std::pair<int, int>>{{3, 1}})) << "No ends the search";

    asked.clear();
    search(QString());
    EXPECT_TRUE(asked.empty());
    // The search texts are looked up; the table is otherwise untouched.
    EXPECT_EQ(t.Cell(0, 0), QStringLiteral("Menge"));
}

TEST_F(Editor, MatchIsScrolledToTheTopLeft)
{
    std::vector<QStringList> rows;
    for (int i = 0; i < 200; ++i)
        rows.push_back({QStringLiteral("Text %1").arg(i)});
    rows[120] = QStringList{"x", "y", "z", "Treffer"};
    start(rows, true);
    answers = {QMessageBox::No};
    search(QStringLiteral("treffer"));
    ASSERT_EQ(asked.size(), 1u);
    QTableWidget *g = form->StringGrid1;
    EXPECT_EQ(g->currentRow(), 121);
    EXPECT_EQ(g->currentColumn(), 3);
    EXPECT_EQ(g->rowAt(0), 121);
    EXPECT_EQ(g->columnAt(0), 3);
    EXPECT_EQ(g->selectedItems().size(), 1);
}

TEST_F(Editor, DeletionKeepsTheOtherRowsAndRewritesTheFile)
{
    start({{"Apfel", "apple"}, {"Birne", "pear"}, {"Brot", "bread"}});
    form->StringGrid1->setCurrentCell(2, 1);
    const int saves = t.saveCount();
    QTest::mouseClick(form->DeleteRowBtn, Qt::LeftButton);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("Birne"));
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.saveCount(), saves + 1);
    EXPECT_EQ(testutil::readFile(path()), tableFile(20, {{"Apfel", "apple"}, {"Brot", "bread"}}));
    EXPECT_EQ(form->StringGrid1->rowCount(), 3);
    EXPECT_EQ(form->StringGrid1->currentRow(), 2);
    EXPECT_EQ(cell(2, 0), QStringLiteral("Brot"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Brot")), QStringLiteral("bread"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Apfel")), QStringLiteral("apple"));
    // The deleted text comes back as the last row at its next lookup.
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Birne")), QStringLiteral("Birne"));
    EXPECT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.Cell(2, 0), QStringLiteral("Birne"));
}

TEST_F(Editor, NoCancelAndOutOfRangeStillRewriteAndRefill)
{
    start({{"Apfel", "apple"}, {"Birne", "pear"}});
    answers = {QMessageBox::No, QMessageBox::Cancel};
    form->StringGrid1->setCurrentCell(1, 0);
    const int saves = t.saveCount();
    form->DeleteRowBtnClick();
    form->DeleteRowBtnClick();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.saveCount(), saves + 2);
    // The header row is not a table row: no question, written all the same.
    form->StringGrid1->setCurrentCell(0, 0);
    form->DeleteRowBtnClick();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(t.saveCount(), saves + 3);
    // A row added behind the editor's back shows after the refill.
    t.TranslateStr(QStringLiteral("Neu"));
    form->DeleteRowBtnClick();
    EXPECT_EQ(cell(3, 0), QStringLiteral("Neu"));
}

TEST_F(Editor, DeleteAndEscapeKeysDeleteOnlyOutsideACellEditor)
{
    start({{"Apfel"}, {"Birne"}, {"Brot"}}, true);
    QTableWidget *g = form->StringGrid1;
    g->setFocus();
    g->setCurrentCell(1, 0);
    QTest::keyClick(g, Qt::Key_Delete);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(t.Cell(0, 0), QStringLiteral("Birne"));

    // Esc presses the delete button and leaves the window open.
    g->setCurrentCell(1, 0);
    QTest::keyClick(g, Qt::Key_Escape);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(t.RowCount(), 1);

    // While a cell is being edited, Delete edits the text.
    g->setCurrentCell(1, 1);
    g->editItem(g->item(1, 1));
    auto *ed = editorAt(1, 1);
    ASSERT_NE(ed, nullptr);
    QTest::keyClicks(ed, QStringLiteral("ab"));
    QTest::keyClick(ed, Qt::Key_Home);
    QTest::keyClick(ed, Qt::Key_Delete);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(t.RowCount(), 1);
    EXPECT_EQ(t.Cell(0, 1), QStringLiteral("b"));
}

TEST_F(Editor, EveryKeystrokeRewritesTheFile)
{
    start({{"Menge"}, {"Preis"}}, true);
    QTableWidget *g = form->StringGrid1;
    g->setCurrentCell(1, 1);
    g->editItem(g->item(1, 1));
    auto *ed = editorAt(1, 1);
    ASSERT_NE(ed, nullptr);
    const int saves = t.saveCount();
    QTest::keyClicks(ed, QStringLiteral("Qty"));
    EXPECT_EQ(t.saveCount(), saves + 3);
    TranslationTable fromFile;
    fromFile.InitTranslations(path());
    EXPECT_EQ(fromFile.Cell(0, 1), QStringLiteral("Qty"));
    QTest::keyClick(ed, Qt::Key_Return);
    QCoreApplication::processEvents(); // the grid commits the edit queued
    EXPECT_LE(t.saveCount(), saves + 4);
    EXPECT_EQ(cell(1, 1), QStringLiteral("Qty"));
    EXPECT_EQ(t.TranslateStr(QStringLiteral("Menge")), QStringLiteral("Qty"));
    // Typing on a selected cell opens the editor with that key.
    g->setFocus();
    g->setCurrentCell(2, 2);
    QTest::keyClick(g, 'P');
    auto *ed2 = editorAt(2, 2);
    ASSERT_NE(ed2, nullptr);
    QTest::keyClicks(ed2, QStringLiteral("rix"));
    TranslationTable again;
    again.InitTranslations(path());
    EXPECT_EQ(again.Cell(1, 2), QStringLiteral("Prix"));
}

// translate.dat as a link that cannot be followed (a loop): the edit stays in
// the table, the link stays a link, and the status bar says that the table
// could not be saved; a later save that works clears it.
TEST_F(Editor, AFailedSaveIsShownAndALinkLoopIsNotReplaced)
{
    start({{"Menge"}, {"Die Übersetzungstabelle konnte nicht gespeichert werden.", "The translation table could not be saved."}},
          true);
    ASSERT_TRUE(QFile::rename(path(), dir.filePath("kept.dat")));
    ASSERT_TRUE(QFile::link("loop.dat", path()));
    ASSERT_TRUE(QFile::link("translate.dat", dir.filePath("loop.dat")));
    form->StringGrid1SetEditText(1, 1, QStringLiteral("Qty"));
    EXPECT_EQ(t.Cell(0, 1), QStringLiteral("Qty"));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_TRUE(form->StatusBar1->currentMessage().startsWith("The translation table could not be saved."))
        << form->StatusBar1->currentMessage().toStdString();
    EXPECT_EQ(t.RowCount(), 2);

    ASSERT_TRUE(QFile::remove(dir.filePath("loop.dat")));
    ASSERT_TRUE(QFile::link("kept.dat", dir.filePath("loop.dat")));
    form->StringGrid1SetEditText(1, 1, QStringLiteral("Qty."));
    EXPECT_TRUE(form->StatusBar1->currentMessage().isEmpty());
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    TranslationTable fromFile;
    fromFile.InitTranslations(dir.filePath("kept.dat"));
    EXPECT_EQ(fromFile.Cell(0, 1), QStringLiteral("Qty."));
}

TEST_F(Editor, FixedGermanColumnCannotBeEdited)
{
    start({{"Menge", "Quantity"}}, true);
    QTableWidget *g = form->StringGrid1;
    EXPECT_TRUE(g->item(1, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(g->item(0, 0)->flags() & Qt::ItemIsEditable) << "the header row is fixed";
    QTest::mouseClick(form->FixedColCheck, Qt::LeftButton, {}, QPoint(5, 8));
    ASSERT_TRUE(form->FixedColCheck->isChecked());
    EXPECT_FALSE(g->item(1, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(g->item(1, 1)->flags() & Qt::ItemIsEditable);
    g->setFocus();
    g->setCurrentCell(1, 0);
    QTest::keyClicks(g, QStringLiteral("x"));
    EXPECT_EQ(t.Cell(0, 0), QStringLiteral("Menge"));
    // It stays so after a refill, and unticking frees it.
    form->FillStringGrid();
    EXPECT_FALSE(g->item(1, 0)->flags() & Qt::ItemIsEditable);
    QTest::mouseClick(form->FixedColCheck, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(g->item(1, 0)->flags() & Qt::ItemIsEditable);
}

TEST_F(Editor, FixedGermanColumnStaysInViewWhenScrollingSideways)
{
    start({{"Menge", "Quantity"}}, true);
    form->FixedColCheck->click();
    QTableWidget *g = form->StringGrid1;
    g->horizontalScrollBar()->setValue(5);
    QCoreApplication::processEvents();
    auto *frozen = g->findChild<QTableView *>(QStringLiteral("FrozenGermanColumn"));
    ASSERT_NE(frozen, nullptr);
    EXPECT_TRUE(frozen->isVisible());
    EXPECT_EQ(frozen->columnAt(5), 0);
    EXPECT_EQ(g->columnAt(0), 5);
    EXPECT_EQ(frozen->model()->data(frozen->model()->index(1, 0)).toString(), QStringLiteral("Menge"));
    form->FixedColCheck->click();
    EXPECT_FALSE(frozen->isVisible());
}

TEST_F(Editor, BackButtonClosesWithOk)
{
    start({}, true);
    QTest::mouseClick(form->BackBtn, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

} // namespace
