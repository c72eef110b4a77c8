// The interface translation walk over synthetic windows.
#include "i18n/TranslateFUnit.h"
#include "i18n/filedialogfilter.h"
#include "i18n/translatecomponents.h"
#include "i18n/translateunit.h"
#include "i18n_testutil.h"
#include "testutil.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>
#include <set>

using i18ntest::tableFile;

namespace {

// A main window with one of each kind of control the program uses.
struct Window {
    std::unique_ptr<QMainWindow> win = std::make_unique<QMainWindow>();
    QMenu *datei;
    QAction *oeffnen, *beenden;
    QTabWidget *tabs;
    QLabel *heading, *preview;
    QCheckBox *caps;
    QSpinBox *margin;
    QPushButton *neu;
    QGroupBox *group;
    QLineEdit *caption, *fileName;
    QPlainTextEdit *memo;
    QTreeWidget *list;
    FileDialogFilter *filter;
    QTableWidget *grid;

    Window()
    {
        win->setWindowTitle(QStringLiteral("Brastel Velloran 1.0"));
        datei = win->menuBar()->addMenu(QStringLiteral("&Datei"));
        oeffnen = datei->addAction(QStringLiteral("&Öffnen..."));
        oeffnen->setToolTip(QStringLiteral("Speisekarte öffnen"));
        datei->addSeparator();
        beenden = datei->addAction(QStringLiteral("Beenden"));
        QToolBar *tb = win->addToolBar(QStringLiteral("Werkzeuge"));
        tb->addAction(beenden);
        win->statusBar()->showMessage(QStringLiteral("Status"));

        tabs = new QTabWidget;
        win->setCentralWidget(tabs);
        auto *page1 = new QWidget;
        auto *l = new QVBoxLayout(page1);
        heading = new QLabel(QStringLiteral("  Überschrift  "));
        caps = new QCheckBox(QStringLiteral("Großbuchstaben"));
        caps->setToolTip(QStringLiteral("Kategorien groß"));
        margin = new QSpinBox;
        margin->setValue(5);
        margin->setToolTip(QStringLiteral("Rand links"));
        neu = new QPushButton(QStringLiteral("Neu"));
        neu->setToolTip(QStringLiteral("Neues Produkt"));
        group = new QGroupBox(QStringLiteral("Schrift"));
        auto *gl = new QVBoxLayout(group);
        caption = new QLineEdit(QStringLiteral("Speisekarte"));
        gl->addWidget(caption);
        memo = new QPlainTextEdit(QStringLiteral("Zeile eins\n\n Zeile zwei"));
        list = new QTreeWidget;
        list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Preis")});
        auto *fileBox = new QWidget;
        fileBox->setProperty("velloran_notranslate", true);
        fileName = new QLineEdit(QStringLiteral("paper.jpg"), fileBox);
        grid = new QTableWidget(1, 3);
        for (QWidget *w : {static_cast<QWidget *>(heading), static_cast<QWidget *>(caps),
                           static_cast<QWidget *>(margin), static_cast<QWidget *>(neu),
                           static_cast<QWidget *>(group), static_cast<QWidget *>(memo),
                           static_cast<QWidget *>(list), fileBox, static_cast<QWidget *>(grid)})
            l->addWidget(w);
        tabs->addTab(page1, QStringLiteral("Produkte"));
        auto *scroll = new QScrollArea;
        preview = new QLabel(QStringLiteral("Vorschau"));
        scroll->setWidget(preview);
        tabs->addTab(scroll, QStringLiteral("Seite"));
        filter = new FileDialogFilter(QStringLiteral("Speisekarten (*.vlr)|*.vlr"), win.get());
    }
};

const std::set<QString> kWindowTexts = {
    QStringLiteral("Brastel Velloran 1.0"), QStringLiteral("&Datei"), QStringLiteral("&Öffnen..."),
    QStringLiteral("Speisekarte öffnen"), QStringLiteral("-"), QStringLiteral("Beenden"),
    QStringLiteral("Produkte"), QStringLiteral("Seite"), QStringLiteral("Überschrift"),
    QStringLiteral("Kategorien groß"), QStringLiteral("Großbuchstaben"), QStringLiteral("Rand links"),
    QStringLiteral("Neu"), QStringLiteral("Neues Produkt"), QStringLiteral("Schrift"),
    QStringLiteral("Speisekarte"), QStringLiteral("Zeile eins"), QStringLiteral("Zeile zwei"),
    QStringLiteral("Name"), QStringLiteral("Preis"), QStringLiteral("Speisekarten (*.vlr)|*.vlr"),
    QStringLiteral("Vorschau"),
};

class Walk : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TranslationTable t;
    QString path() const { return dir.filePath(QStringLiteral("translate.dat")); }
    void start(const std::vector<QStringList> &rows, int language)
    {
        ASSERT_TRUE(testutil::writeFile(path(), tableFile(20, rows)));
        t.InitTranslations(path());
        t.language = language;
    }
    std::vector<QString> germanColumn() const
    {
        std::vector<QString> v;
        for (int r = 0; r < t.RowCount(); ++r)
            v.push_back(t.Cell(r, 0));
        return v;
    }
};

TEST_F(Walk, EmptyColumnRegistersEveryWindowTextOnceAndLeavesItGerman)
{
    start({}, 1);
    Window w;
    TranslateComponents(w.win.get(), t);
    const std::vector<QString> rows = germanColumn();
    EXPECT_EQ(std::set<QString>(rows.begin(), rows.end()), kWindowTexts);
    EXPECT_EQ(rows.size(), kWindowTexts.size()) << "each text registered once";
    EXPECT_EQ(t.saveCount(), int(kWindowTexts.size()));

    EXPECT_EQ(w.win->windowTitle(), QStringLiteral("Brastel Velloran 1.0"));
    EXPECT_EQ(w.heading->text(), QStringLiteral("  Überschrift  "));
    EXPECT_EQ(w.memo->toPlainText(), QStringLiteral("Zeile eins\n\n Zeile zwei"));
    EXPECT_EQ(w.oeffnen->text(), QStringLiteral("&Öffnen..."));
    EXPECT_EQ(w.datei->title(), QStringLiteral("&Datei"));
    EXPECT_EQ(w.beenden->toolTip(), QStringLiteral("Beenden"));

    // A second walk finds everything and registers nothing.
    TranslateComponents(w.win.get(), t);
    EXPECT_EQ(t.RowCount(), int(kWindowTexts.size()));
}

TEST_F(Walk, TranslatesEveryKindAndKeepsBlanks)
{
    start({{"Brastel Velloran 1.0", "Velloran"}, {"&Datei", "&File"}, {"&Öffnen...", "&Open..."},
           {"Speisekarte öffnen", "Open a menu card"}, {"Beenden", "Quit"}, {"Produkte", "Products"},
           {"Überschrift", "Heading"}, {"Kategorien groß", "Categories in capitals"},
           {"Großbuchstaben", "Capitals"}, {"Rand links", "Left margin"}, {"Neu", "New"},
           {"Neues Produkt", "New product"}, {"Schrift", "Font"}, {"Speisekarte", "Menu card"},
           {"Zeile zwei", "Line two"}, {"Preis", "Price"}, {"Speisekarten (*.vlr)|*.vlr", "Menu cards (*.vlr)|*.vlr"},
           {"Vorschau", "Preview"}, {"paper.jpg", "wrong.jpg"}, {"5", "five"}},
          1);
    Window w;
    TranslateComponents(w.win.get(), t);
    EXPECT_EQ(w.win->windowTitle(), QStringLiteral("Velloran"));
    EXPECT_EQ(w.datei->title(), QStringLiteral("&File"));
    EXPECT_EQ(w.oeffnen->text(), QStringLiteral("&Open..."));
    EXPECT_EQ(w.oeffnen->toolTip(), QStringLiteral("Open a menu card"));
    EXPECT_EQ(w.beenden->text(), QStringLiteral("Quit"));
    EXPECT_EQ(w.tabs->tabText(0), QStringLiteral("Products"));
    EXPECT_EQ(w.heading->text(), QStringLiteral("  Heading  "));
    EXPECT_EQ(w.caps->text(), QStringLiteral("Capitals"));
    EXPECT_EQ(w.caps->toolTip(), QStringLiteral("Categories in capitals"));
    EXPECT_EQ(w.margin->toolTip(), QStringLiteral("Left margin"));
    EXPECT_EQ(w.margin->value(), 5);
    EXPECT_EQ(w.neu->text(), QStringLiteral("New"));
    EXPECT_EQ(w.neu->toolTip(), QStringLiteral("New product"));
    EXPECT_EQ(w.group->title(), QStringLiteral("Font"));
    EXPECT_EQ(w.caption->text(), QStringLiteral("Menu card"));
    EXPECT_EQ(w.memo->toPlainText(), QStringLiteral("Zeile eins\n\n Line two"));
    EXPECT_EQ(w.list->headerItem()->text(0), QStringLiteral("Name"));
    EXPECT_EQ(w.list->headerItem()->text(1), QStringLiteral("Price"));
    EXPECT_EQ(w.filter->filter, QStringLiteral("Menu cards (*.vlr)|*.vlr"));
    EXPECT_EQ(w.preview->text(), QStringLiteral("Preview"));
    EXPECT_EQ(w.fileName->text(), QStringLiteral("paper.jpg"));
    // Tool buttons showing an action follow the action.
    auto *tb = w.win->findChild<QToolBar *>();
    ASSERT_NE(tb, nullptr);
    EXPECT_EQ(tb->widgetForAction(w.beenden)->property("text").toString(), QStringLiteral("Quit"));
}

TEST_F(Walk, BreadthFirstFromTheLastOwnedObject)
{
    start({}, 1);
    QDialog d;
    d.setWindowTitle(QStringLiteral("W"));
    new QLabel(QStringLiteral("a1"), &d);
    auto *g = new QGroupBox(QStringLiteral("g"), &d);
    new QLabel(QStringLiteral("g1"), g);
    new QLabel(QStringLiteral("g2"), g);
    new QLabel(QStringLiteral("a2"), &d);
    TranslateComponents(&d, t);
    const std::vector<QString> expected = {"W", "a2", "g", "a1", "g2", "g1"};
    EXPECT_EQ(germanColumn(), expected);
}

TEST_F(Walk, ApplicationRootWalksTheGivenWindows)
{
    start({}, 2);
    QMainWindow main;
    main.setWindowTitle(QStringLiteral("Haupt"));
    new QLabel(QStringLiteral("m1"), &main);
    QDialog about;
    about.setWindowTitle(QStringLiteral("Info"));
    new QLabel(QStringLiteral("i1"), &about);
    TranslateComponents(qApp, t, {&main, &about});
    const std::vector<QString> expected = {"Info", "Haupt", "i1", "m1"};
    EXPECT_EQ(germanColumn(), expected);
}

TEST_F(Walk, EditorGridHeaderRowRegistersNothingBeforeItIsFilled)
{
    start({}, 1);
    TTranslateForm form(nullptr, &t);
    TranslateComponents(&form, t);
    const std::vector<QString> rows = germanColumn();
    const std::set<QString> expected = {QString::fromUtf8("Übersetzen"), QString::fromUtf8("Zurück..."),
                                        QStringLiteral("Suchen"), QString::fromUtf8("Zeile löchen"),
                                        QStringLiteral("Erste Spalte fixieren")};
    EXPECT_EQ(std::set<QString>(rows.begin(), rows.end()), expected);
    EXPECT_EQ(rows.size(), expected.size());
}

TEST(FileDialogFilterForm, WindowsPairsBecomeQtEntries)
{
    EXPECT_EQ(FileDialogFilter::ToQtFilter(QStringLiteral("Speisekarten (*.vlr)|*.vlr")),
              QStringLiteral("Speisekarten (*.vlr)"));
    EXPECT_EQ(FileDialogFilter::ToQtFilter(QStringLiteral("CSV|*.csv|Alle Dateien (*.*)|*.*")),
              QStringLiteral("CSV (*.csv);;Alle Dateien (*.*)"));
    EXPECT_EQ(FileDialogFilter::ToQtFilters(QStringLiteral("Bilder (*.jpg;*.bmp)|*.jpg;*.bmp")),
              QStringList{QStringLiteral("Bilder (*.jpg *.bmp)")});
    EXPECT_EQ(FileDialogFilter::ToQtFilter(QString()), QString());
}

} // namespace
