// The shipped translation table: it loads, it holds exactly the texts the
// program looks up, each has a translation in every language, and translated
// window texts still fit their controls.
#include "app/AboutBox.h"
#include "app/FontDialog.h"
#include "app/MarksGroup.h"
#include "app/MainUnit.h"
#include "app/PreviewPager.h"
#include "app/recovery.h"
#include "app/undohistory.h"
#include "app/QrCodeBox.h"
#include "catalogue/appfiles.h"
#include "catalogue/marks.h"
#include "catalogue/options.h"
#include "dialogs/EditProduktFUnit.h"
#include "export/csvexport.h"
#include "i18n/TranslateFUnit.h"
#include "i18n/filedialogfilter.h"
#include "i18n/translatecomponents.h"
#include "i18n/translateunit.h"
#include "layout/printerchoice.h"
#include "texture/pictor3.h"
#include "testutil.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QUndoStack>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

const QString kShippedTable = QStringLiteral(VELLORAN_BINARY_DIR "/data/translate.dat");
const QString kSource = QStringLiteral(VELLORAN_SOURCE_DIR "/data/translations.tsv");

// The picture filter lists the formats of the installed image plugins, so its
// German text is not the same on every system.
bool isPictureFilter(const QString &key)
{
    return key.startsWith(QLatin1String("Bilder|"));
}

QStringList columnOf(const TranslationTable &t, int col)
{
    QStringList out;
    for (int r = 0; r < t.RowCount(); ++r)
        out << t.Cell(r, col);
    return out;
}

// The program's four windows created as the program block creates them, with
// options.dat and translate.dat in a directory of their own, shown once.
struct ProgramRun {
    QString displayName;
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TEditProduktForm> produkt;
    std::unique_ptr<TAboutBox> about;
    std::unique_ptr<TTranslateForm> editor;

    ProgramRun(int32_t language, bool shipped) : displayName(qApp->property("applicationTitle").toString())
    {
        // The program block names the application before it creates the
        // windows; the first show looks the name up.
        qApp->setProperty("applicationTitle", QStringLiteral("Velloran"));
        appfiles::SetUserFilesDirOverride(dir.path());
        RecoveryKeeper::setFolderOverride(dir.filePath(QStringLiteral("recovery")));
        SaveOptionsFile(dir.filePath(QStringLiteral("options.dat")), language);
        // Without the shipped table the run starts from an empty one (a table
        // of its own, so no installed table is copied in at the start).
        const QString table = dir.filePath(QStringLiteral("translate.dat"));
        if (shipped)
            QFile::copy(kShippedTable, table);
        else
            testutil::writeFile(table, QByteArray::fromHex("1400000000000000"));
        form = std::make_unique<TMainForm>();
        produkt = std::make_unique<TEditProduktForm>();
        about = std::make_unique<TAboutBox>();
        editor = std::make_unique<TTranslateForm>();
        form->setDialogs(produkt.get(), about.get(), editor.get());
        form->messageBox = [](QMessageBox::Icon, const QString &, const QString &, QMessageBox::StandardButtons) {
            return QMessageBox::Ok;
        };
        form->execDialog = [](QDialog *) { return int(QDialog::Rejected); };
        editor->ask = [](const QString &, const QString &, QMessageBox::StandardButtons) { return QMessageBox::No; };
        form->show();
        QApplication::processEvents();
    }

    ~ProgramRun()
    {
        editor.reset();
        about.reset();
        produkt.reset();
        form.reset();
        qApp->setProperty("applicationTitle", displayName);
    }

    // Texts looked up only while the program is used: the editor's question
    // after a search match, the font choice, and the printer choice (shown
    // only where printers are installed, so its two texts are looked up as
    // it does).
    void useLaterTexts()
    {
        editor->FillStringGrid();
        editor->FilterEdit->setText(QStringLiteral("German"));
        editor->FilterBtnClick();
        {
            testutil::ModalAnswer reject([](QDialog *d) { d->reject(); });
            form->FontDialog(1)->Execute(form.get());
        }
        // "von N" is made when the preview is on the screen.
        form->PageControl1->setCurrentIndex(1);
        QApplication::processEvents();
        form->Pager->refresh();
        form->choosePrinter({QStringLiteral("Drucker A"), QStringLiteral("Drucker B")});
        // The recovery question and the report of a damaged copy, at start.
        RecoveryKeeper::setFolderOverride(dir.filePath(QStringLiteral("recovery")));
        QDir().mkpath(dir.filePath(QStringLiteral("recovery")));
        testutil::writeFile(dir.filePath(QStringLiteral("recovery/damaged.vlr")), "xx");
        testutil::writeFile(dir.filePath(QStringLiteral("recovery/good.vlr")), form->documentBytes());
        form->recoveryQuestion = [](const QString &, const QString &, const QString &, const QString &) { return -1; };
        form->offerRecovery();
        // A copy older than its document, and a folder where none can be written.
        TranslateStr(QStringLiteral("Das Dokument wurde danach gespeichert:"));
        TranslateStr(QStringLiteral("Wiederherstellungskopien können nicht geschrieben werden."));
        // The editor's word when translate.dat cannot be written.
        TranslateStr(QStringLiteral("Die Übersetzungstabelle konnte nicht gespeichert werden."));
        // The additive list dialog and the CSV titles of a card with marks.
        TAdditivesDialog additives(DefaultAdditives());
        TranslateComponents(&additives);
        Catalogue marked;
        marked.addCategory();
        ProductValues v;
        v.name = QStringLiteral("Suppe");
        v.price = 4;
        marked.addProduct(0, v);
        ProductMarks m;
        m.allergens = 1;
        marked.setMarks(0, 0, m);
        CsvHeader(marked);
        // The printer choice of "velloran --print" when the printer is
        // missing (the tests see no print server).
        QPrinter printer;
        SelectPrinter(printer, QString());
        SelectPrinter(printer, QStringLiteral("kein solcher Drucker"));
        // The QR code export without an address and with one too long.
        form->QRCodeexportieren1Click();
        form->QrCodeBox->QrUrlEd->setText(QString(3000, QLatin1Char('x')));
        form->QRCodeexportieren1Click();
        form->QrCodeBox->QrUrlEd->clear();
    }

    TranslationTable &table() { return Translations(); }
};

// ---- does a text fit its control ---------------------------------------------------

int textAdvance(const QFontMetrics &fm, const QString &text)
{
    int w = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        w = std::max(w, fm.horizontalAdvance(line));
    return w;
}

QString describe(const QWidget *w, const QString &text, int need, int have)
{
    return QStringLiteral("%1 \"%2\" needs %3 px, has %4 px")
        .arg(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName(), text)
        .arg(need)
        .arg(have);
}

// Problems of the visible controls of one window, each keyed by the control.
void checkControls(QWidget *window, std::map<QString, QString> &misfits)
{
    auto note = [&misfits](const QWidget *w, const QString &key, const QString &text, int need, int have) {
        if (need > have)
            misfits[key] = describe(w, text, need, have);
    };
    const QList<QWidget *> all = window->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (!w->isVisibleTo(window) || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QString key = window->objectName() + QLatin1Char('/') + w->objectName() + QLatin1Char('/')
                            + QString::fromLatin1(w->metaObject()->className());
        if (auto *l = qobject_cast<QLabel *>(w)) {
            if (l->text().isEmpty() || l->wordWrap() || Qt::mightBeRichText(l->text()))
                continue;
            // The text is drawn inside the contents rectangle, less the margin
            // on both sides and the indent.
            const int have = l->contentsRect().width() - 2 * l->margin() - std::max(l->indent(), 0);
            note(l, key, l->text(), textAdvance(l->fontMetrics(), l->text()), have);
        } else if (auto *c = qobject_cast<QCheckBox *>(w)) {
            // The text goes to the right of the indicator and its spacing.
            QStyleOptionButton opt;
            opt.initFrom(c);
            opt.text = c->text();
            const QRect r = c->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, c);
            note(c, key, c->text(), textAdvance(c->fontMetrics(), c->text()), r.width());
        } else if (auto *b = qobject_cast<QPushButton *>(w)) {
            if (b->text().isEmpty())
                continue;
            // Icon, 4 pixels and the text are centred in the contents
            // rectangle inside the bevel and padding.
            QStyleOptionButton opt;
            opt.initFrom(b);
            opt.text = b->text();
            opt.icon = b->icon();
            opt.iconSize = b->iconSize();
            if (b->isDefault())
                opt.features |= QStyleOptionButton::DefaultButton;
            if (b->autoDefault())
                opt.features |= QStyleOptionButton::AutoDefaultButton;
            const QRect r = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
            const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
            note(b, key, b->text(), icon + textAdvance(b->fontMetrics(), b->text()), r.width());
        } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
            if (g->title().isEmpty())
                continue;
            // The title with the frame's indent on both sides, as the style
            // sizes a group box for its title.
            QStyleOptionGroupBox opt;
            opt.initFrom(g);
            opt.text = g->title();
            opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            opt.lineWidth = 1;
            const QSize title(g->fontMetrics().horizontalAdvance(g->title() + QLatin1Char(' ')),
                              g->fontMetrics().height());
            const int need = g->style()->sizeFromContents(QStyle::CT_GroupBox, &opt, title, g).width();
            note(g, key, g->title(), need, g->width());
        } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            // Every tab at its full width, side by side, without scroll buttons.
            QStringList texts;
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
            note(tabs, key, texts.join(QLatin1String(" | ")), tabs->tabBar()->sizeHint().width(), tabs->width());
        } else if (auto *tree = qobject_cast<QTreeWidget *>(w)) {
            QHeaderView *h = tree->header();
            if (h->isHidden())
                continue;
            const int margin = 2 * tree->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
            for (int c = 0; c < tree->columnCount(); ++c) {
                const QString text = tree->headerItem()->text(c);
                note(tree, key + QString::number(c), text, textAdvance(h->fontMetrics(), text) + margin,
                     h->sectionSize(c));
            }
        } else if (auto *bar = qobject_cast<QMenuBar *>(w)) {
            // All menus in the bar, none pushed into the overflow button.
            QStringList texts;
            for (QAction *a : bar->actions())
                texts << a->text();
            note(bar, key, texts.join(QLatin1String(" | ")), bar->sizeHint().width(), bar->width());
            // A drop-down menu sizes itself to its entries; it should not
            // grow wider than the window it belongs to.
            for (QAction *a : bar->actions()) {
                if (QMenu *m = a->menu())
                    note(m, key + QLatin1Char('/') + m->objectName(), m->title(), m->sizeHint().width(),
                         window->width());
            }
        }
    }
}

// Shows each window at its normal size (the main window once per tab) and
// collects the problems; sizes receives each window's size.
std::map<QString, QString> checkWindows(ProgramRun &run, std::map<QString, QSize> &sizes)
{
    std::map<QString, QString> misfits;
    TMainForm &f = *run.form;
    for (int tab = 0; tab < f.PageControl1->count(); ++tab) {
        f.PageControl1->setCurrentIndex(tab);
        QApplication::processEvents();
        checkControls(&f, misfits);
    }
    f.PageControl1->setCurrentIndex(0);
    sizes[f.objectName()] = f.size();
    for (QDialog *d : {static_cast<QDialog *>(run.produkt.get()), static_cast<QDialog *>(run.about.get()),
                       static_cast<QDialog *>(run.editor.get())}) {
        d->show();
        QApplication::processEvents();
        checkControls(d, misfits);
        sizes[d->objectName()] = d->size();
        d->hide();
    }
    return misfits;
}

// The German keys of the source file, in order (the first cell of each row).
QStringList sourceKeys()
{
    QStringList keys;
    const QStringList lines = QString::fromUtf8(testutil::readFile(kSource)).split(QLatin1Char('\n'));
    bool header = true;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (header) {
            header = false;
            continue;
        }
        QString key = line.section(QLatin1Char('\t'), 0, 0);
        key.replace(QLatin1String("\\t"), QLatin1String("\t")).replace(QLatin1String("\\n"), QLatin1String("\n"));
        if (key.startsWith(QLatin1String("\\#")))
            key.remove(0, 1);
        keys << key.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    }
    return keys;
}

class ShippedTranslations : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(QFile::exists(kShippedTable)) << "build the target velloran_translations first";
        shipped = new TranslationTable;
        shipped->InitTranslations(kShippedTable);
        shipped->setFilePath(QString());

        // Every text the program looks up: its windows with an empty table
        // in a language other than German, so the interface walk runs.
        ProgramRun run(1, false);
        run.useLaterTexts();
        used = new QStringList(columnOf(run.table(), 0));

        // The German windows give every window's normal size.
        ProgramRun german(0, true);
        germanSizes = new std::map<QString, QSize>;
        germanMisfits = new std::map<QString, QString>(checkWindows(german, *germanSizes));
    }
    static void TearDownTestSuite()
    {
        delete shipped;
        delete used;
        delete germanSizes;
        delete germanMisfits;
        shipped = nullptr;
        used = nullptr;
        germanSizes = nullptr;
        germanMisfits = nullptr;
    }

    static TranslationTable *shipped;
    static QStringList *used;
    static std::map<QString, QSize> *germanSizes;
    static std::map<QString, QString> *germanMisfits;

    void checkLanguage(int32_t language)
    {
        ProgramRun run(language, true);
        run.useLaterTexts();

        // Nothing new was registered: every text the program looked up has
        // its row.
        QStringList unknown;
        for (int r = shipped->RowCount(); r < run.table().RowCount(); ++r) {
            const QString key = run.table().Cell(r, 0);
            if (!isPictureFilter(key))
                unknown << key;
        }
        EXPECT_TRUE(unknown.isEmpty()) << "texts without a row: " << unknown.join(QLatin1String(" / ")).toStdString();

        // Each row has a text in this language.
        QStringList missing;
        for (int r = 0; r < shipped->RowCount(); ++r)
            if (shipped->Cell(r, language).isEmpty())
                missing << shipped->Cell(r, 0);
        EXPECT_TRUE(missing.isEmpty()) << "no translation for: " << missing.join(QLatin1String(" / ")).toStdString();

        // The windows show the translations.
        // The menus carry Alt letters in this language too.
        EXPECT_EQ(QString(run.form->Datei1->title()).remove(QLatin1Char('&')),
                  shipped->Cell(columnOf(*shipped, 0).indexOf(QStringLiteral("Datei")), language));
        EXPECT_FALSE(QKeySequence::mnemonic(run.form->Datei1->title()).isEmpty());
        EXPECT_EQ(run.editor->windowTitle(), run.table().GetMsgText(3));
        EXPECT_NE(run.form->PageControl1->tabText(0), QStringLiteral("Produkte anlegen"));

        // Every translated text fits its control, and no window had to grow
        // beyond its German size. Controls whose German text does not fit
        // either are the layout's business, not the translation's.
        std::map<QString, QSize> sizes;
        const std::map<QString, QString> misfits = checkWindows(run, sizes);
        for (const auto &[control, problem] : misfits) {
            if (germanMisfits->count(control))
                continue;
            ADD_FAILURE() << "language " << language << ": " << problem.toStdString();
        }
        for (const auto &[window, size] : sizes) {
            const QSize normal = germanSizes->at(window);
            EXPECT_LE(size.width(), normal.width()) << window.toStdString() << " grew in language " << language;
            EXPECT_LE(size.height(), normal.height()) << window.toStdString() << " grew in language " << language;
        }
    }
};

TranslationTable *ShippedTranslations::shipped = nullptr;
QStringList *ShippedTranslations::used = nullptr;
std::map<QString, QSize> *ShippedTranslations::germanSizes = nullptr;
std::map<QString, QString> *ShippedTranslations::germanMisfits = nullptr;

TEST_F(ShippedTranslations, FileLoadsAsBuiltFromTheSource)
{
    const QByteArray bytes = testutil::readFile(kShippedTable);
    ASSERT_GE(bytes.size(), 8);
    // Written by the program's own table: reading and writing it again gives
    // the same bytes.
    EXPECT_EQ(shipped->SerializeTranslations(), bytes);
    // It is the table of the current source, row for row.
    EXPECT_EQ(columnOf(*shipped, 0), sourceKeys());
    EXPECT_GT(shipped->RowCount(), 100);
    // Each German text has one row.
    const QStringList keys = columnOf(*shipped, 0);
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    // The spare columns are empty.
    for (int r = 0; r < shipped->RowCount(); ++r)
        for (int c = 5; c < kTransColumns; ++c)
            EXPECT_TRUE(shipped->Cell(r, c).isEmpty()) << shipped->Cell(r, 0).toStdString();
}

TEST_F(ShippedTranslations, GermanColumnIsExactlyTheProgramsTexts)
{
    const QStringList keys = columnOf(*shipped, 0);
    QSet<QString> program(used->begin(), used->end());
    QSet<QString> table(keys.begin(), keys.end());
    // The picture filter's pattern list depends on the image plugins; the
    // table holds the filter of a typical installation.
    const QString filter = GetDIBOpenFilter();
    program.remove(filter);
    for (const QString &k : keys)
        if (isPictureFilter(k))
            table.remove(k);
    EXPECT_TRUE(isPictureFilter(filter));
    EXPECT_EQ(std::count_if(keys.begin(), keys.end(), isPictureFilter), 1);

    QStringList notInTable = (program - table).values();
    QStringList notUsed = (table - program).values();
    notInTable.sort();
    notUsed.sort();
    EXPECT_TRUE(notInTable.isEmpty()) << "looked up but not in the table: "
                                      << notInTable.join(QLatin1String(" / ")).toStdString();
    EXPECT_TRUE(notUsed.isEmpty()) << "rows the program never looks up: "
                                   << notUsed.join(QLatin1String(" / ")).toStdString();
}

TEST_F(ShippedTranslations, TranslationsKeepTheGermanConventions)
{
    for (int r = 0; r < shipped->RowCount(); ++r) {
        const QString de = shipped->Cell(r, 0);
        for (int c = 1; c <= 4; ++c) {
            const QString t = shipped->Cell(r, c);
            SCOPED_TRACE(QStringLiteral("%1 -> %2").arg(de, t).toStdString());
            EXPECT_EQ(de.endsWith(QLatin1String("...")), t.endsWith(QLatin1String("...")));
            EXPECT_EQ(de.endsWith(QLatin1Char(':')), t.endsWith(QLatin1Char(':')));
            EXPECT_EQ(de.count(QLatin1Char('&')), t.count(QLatin1Char('&')));
            EXPECT_EQ(de.contains(QLatin1Char('%')), t.contains(QLatin1Char('%')));
            // File filters: the same patterns after each description.
            EXPECT_EQ(de.count(QLatin1Char('|')), t.count(QLatin1Char('|')));
            if (de.contains(QLatin1Char('|')))
                EXPECT_EQ(de.section(QLatin1Char('|'), 1), t.section(QLatin1Char('|'), 1));
        }
    }
}

TEST_F(ShippedTranslations, GermanWindowTextsFit)
{
    // Reported for the layout: these controls are too small for the German
    // text already.
    for (const auto &[control, problem] : *germanMisfits)
        ADD_FAILURE() << problem.toStdString();
}

TEST_F(ShippedTranslations, EnglishIsCompleteAndFits) { checkLanguage(1); }
TEST_F(ShippedTranslations, FrenchIsCompleteAndFits) { checkLanguage(2); }
TEST_F(ShippedTranslations, DutchIsCompleteAndFits) { checkLanguage(3); }
TEST_F(ShippedTranslations, SwedishIsCompleteAndFits) { checkLanguage(4); }

// Step names come from the German captions: in every interface language,
// changing each setting of each tab, then undoing and redoing all of it,
// looks up no translated text as if it were German (which would add a row
// and rewrite translate.dat).
TEST(TranslatedSteps, EverySettingUndoneAndRedoneLeavesTheTableAlone)
{
    for (int32_t language = 0; language <= 4; ++language) {
        SCOPED_TRACE(language);
        ProgramRun run(language, true);
        const QString tablePath = run.dir.filePath(QStringLiteral("translate.dat"));
        const QByteArray before = testutil::readFile(tablePath);
        ASSERT_FALSE(before.isEmpty());
        TMainForm *form = run.form.get();
        TFontDialog::chooser = [](QWidget *, FontSetting &f) {
            f.face = QStringLiteral("Arial");
            f.style ^= 1;
            return true;
        };
        int changes = 0;
        for (int tab = 0; tab < form->PageControl1->count(); ++tab) {
            form->PageControl1->setCurrentIndex(tab);
            QWidget *page = form->PageControl1->widget(tab);
            for (QCheckBox *c : page->findChildren<QCheckBox *>()) {
                if (!c->isEnabled())
                    continue;
                c->click();
                ++changes;
            }
            for (QRadioButton *r : page->findChildren<QRadioButton *>())
                if (r->isEnabled() && !r->isChecked())
                    r->click();
            for (QDoubleSpinBox *d : page->findChildren<QDoubleSpinBox *>())
                if (d->isEnabled())
                    d->stepUp();
            for (QSpinBox *d : page->findChildren<QSpinBox *>())
                if (d->isEnabled() && d != form->SeiteEd)
                    d->stepUp();
            for (QLineEdit *e : page->findChildren<QLineEdit *>())
                if (e->isEnabled() && !e->isReadOnly() && !qobject_cast<QAbstractSpinBox *>(e->parentWidget()))
                    e->setText(e->text() + QStringLiteral("x"));
            for (QPushButton *b : page->findChildren<QPushButton *>())
                if (b->objectName().startsWith(QLatin1String("BitBtnXP")) && b->objectName().mid(8).toInt() >= 3
                    && b->objectName().mid(8).toInt() <= 11)
                    b->click(); // the font buttons
        }
        TFontDialog::chooser = nullptr;
        EXPECT_GT(changes, 10);
        const int steps = form->history->stack()->index();
        EXPECT_GT(steps, 20);
        while (form->Rueckgaengig1->isEnabled())
            form->Rueckgaengig1->trigger();
        while (form->Wiederholen1->isEnabled())
            form->Wiederholen1->trigger();
        EXPECT_EQ(form->history->stack()->index(), steps);
        EXPECT_EQ(testutil::readFile(tablePath), before);
    }
}

} // namespace
