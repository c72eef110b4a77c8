// The second language in the window: the tab "Übersetzungen" edits every
// translation in place (Tab on, Enter to the next missing one, "nur
// fehlende", the count), the document's language is chosen there, and the
// card switch "zweisprachig" is one card's own; every change is one step.
#include "mainwindow_fixture.h"
#include "testutil.h"

#include "app/CardBar.h"
#include "app/CardOptionsBox.h"
#include "app/MarksGroup.h"
#include "app/TranslationsView.h"
#include "app/undohistory.h"
#include "catalogue/document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

class SecondLanguageWindow : public ::testing::Test, public MainWindowFixture {
protected:
    void SetUp() override { create(); }
    void TearDown() override { destroy(); }

    QByteArray bytes() const { return form->documentBytes(); }
    int steps() const { return form->history->stack()->index(); }
    TTranslationsView *view() const { return form->Uebersetzungen; }
    TTranslationTable *table() const { return view()->TextTable; }

    // Suppen: Tomatensuppe (with a description of two lines), Linsensuppe;
    // Getränke: Wasser (0,5 l); one additive of the restaurant's own.
    void addSample()
    {
        MarkSettings marks = form->MarksGroup->settings();
        marks.additives = QStringList{QStringLiteral("mit Hausgewürz")};
        form->MarksGroup->setSettings(marks);
        newCategory("Suppen");
        answerProduct("Tomatensuppe", 4.5, 0, QString(), QStringLiteral("mit Basilikum\nund Sahne"));
        click(form->NeuesProduktBtn);
        answerProduct("Linsensuppe", 5);
        click(form->NeuesProduktBtn);
        newCategory("Getränke");
        answerProduct("Wasser", 2.2, 0, QStringLiteral("0,5 l"));
        click(form->NeuesProduktBtn);
    }
    void showView()
    {
        form->PageControl1->setCurrentWidget(form->TabSheet5);
        QApplication::processEvents();
    }
    int row(TextKind kind, int category, int productRow = -1, int card = -1) const
    {
        TextPlace p;
        p.kind = kind;
        p.category = category;
        p.row = productRow;
        p.card = card;
        return view()->rowOf(p);
    }
    QModelIndex cell(int r) const { return table()->model()->index(r, TTranslationsView::TranslationColumn); }
    QString shown(int r) const { return cell(r).data().toString(); }
    // The open editor of row r's translation.
    QWidget *editorAt(int r) const { return table()->indexWidget(cell(r)); }
    // Opens row r's translation and types `text` into it.
    QWidget *type(int r, const QString &text)
    {
        table()->setCurrentIndex(cell(r));
        if (!editorAt(r)) // Tab or Enter may have opened it already
            table()->edit(cell(r));
        QWidget *ed = editorAt(r);
        if (auto *line = qobject_cast<QLineEdit *>(ed))
            line->insert(text);
        else if (auto *memo = qobject_cast<QPlainTextEdit *>(ed))
            memo->insertPlainText(text);
        else
            ADD_FAILURE() << "row " << r << " opened no editor";
        return ed;
    }
    void chooseLanguage(int i)
    {
        view()->SpracheBox->setCurrentIndex(i);
        emit view()->SpracheBox->activated(i);
        QApplication::processEvents();
    }
    void answerOtherLanguage(const QString &name, const QString &tag, bool ok = true)
    {
        answers.push_back([=](QDialog *d) {
            auto *dlg = qobject_cast<TOtherLanguageDialog *>(d);
            EXPECT_TRUE(dlg) << "not the language dialog";
            if (!dlg)
                return int(QDialog::Rejected);
            dlg->NameEd->setText(name);
            dlg->TagEd->setText(tag);
            return int(ok ? QDialog::Accepted : QDialog::Rejected);
        });
    }
};

} // namespace

TEST_F(SecondLanguageWindow, EditingInPlaceIsOneStepEachAndUndoTakesItBack)
{
    addSample();
    const QByteArray before = bytes();
    const int stepsBefore = steps();
    // Looking changes nothing.
    showView();
    form->PageControl1->setCurrentIndex(0);
    showView();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(steps(), stepsBefore);

    // Every text, with its German original beside the translation.
    // 2 categories, 3 names, a description, a quantity, heading, footer, the additive
    ASSERT_EQ(table()->rowCount(), 10);
    const int tomato = row(TextKind::Name, 0, 0);
    const int description = row(TextKind::Description, 0, 0);
    const int lentils = row(TextKind::Name, 0, 1);
    ASSERT_GE(tomato, 0);
    EXPECT_EQ(table()->item(tomato, TTranslationsView::GermanColumn)->text(), QStringLiteral("Tomatensuppe"));
    EXPECT_EQ(table()->item(description, TTranslationsView::GermanColumn)->text(),
              QStringLiteral("mit Basilikum\nund Sahne"));
    EXPECT_FALSE(table()->item(tomato, TTranslationsView::GermanColumn)->flags() & Qt::ItemIsEditable);

    // Tab takes the text and opens the next translation.
    QWidget *ed = type(tomato, QStringLiteral("Tomato soup"));
    QTest::keyClick(ed, Qt::Key_Tab);
    EXPECT_EQ(form->catalogue.translation(0, 0).name, QStringLiteral("Tomato soup"));
    EXPECT_EQ(steps(), stepsBefore + 1);
    EXPECT_EQ(form->Rueckgaengig1->text(), QStringLiteral("Rückgängig: Übersetzung"));
    EXPECT_EQ(table()->currentRow(), tomato + 1);
    EXPECT_TRUE(editorAt(tomato + 1)) << "Tab opened no editor on the next translation";

    // A description keeps its lines (CR LF in the document); Shift+Enter
    // starts a new one.
    ed = type(description, QStringLiteral("with basil"));
    ASSERT_TRUE(qobject_cast<QPlainTextEdit *>(ed));
    QTest::keyClick(ed, Qt::Key_Return, Qt::ShiftModifier);
    static_cast<QPlainTextEdit *>(ed)->insertPlainText(QStringLiteral("and cream"));
    QTest::keyClick(ed, Qt::Key_Return);
    EXPECT_EQ(form->catalogue.translation(0, 0).description, QStringLiteral("with basil\r\nand cream"));
    EXPECT_EQ(form->catalogue.translation(0, 0).name, QStringLiteral("Tomato soup"));
    EXPECT_EQ(steps(), stepsBefore + 2);

    // The card's own heading: held with the card, saved with it.
    const int heading = row(TextKind::Heading, -1, -1, 0);
    ASSERT_GE(heading, 0);
    QTest::keyClick(type(heading, QStringLiteral("Menu")), Qt::Key_Tab);
    EXPECT_EQ(form->CardOptionsBox->translation().heading, QStringLiteral("Menu"));
    DocumentData read;
    ASSERT_TRUE(ReadDocument(bytes(), CardSettings(), read, nullptr));
    EXPECT_EQ(read.settings.translation.heading, QStringLiteral("Menu"));
    EXPECT_EQ(read.catalogue->translation(0, 0).name, QStringLiteral("Tomato soup"));
    EXPECT_EQ(steps(), stepsBefore + 3);

    // Undo takes back one edit at a time, and the view follows.
    form->Rueckgaengig1->trigger();
    EXPECT_TRUE(form->CardOptionsBox->translation().heading.isEmpty());
    EXPECT_TRUE(shown(heading).isEmpty());
    form->Rueckgaengig1->trigger();
    EXPECT_TRUE(form->catalogue.translation(0, 0).description.isEmpty());
    EXPECT_EQ(shown(tomato), QStringLiteral("Tomato soup"));
    form->Rueckgaengig1->trigger();
    EXPECT_TRUE(shown(tomato).isEmpty());
    EXPECT_EQ(bytes(), before);
    form->Wiederholen1->trigger();
    EXPECT_EQ(shown(tomato), QStringLiteral("Tomato soup"));
    EXPECT_EQ(shown(lentils), QString());

    // A translation still being typed is saved with the document.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ed = type(lentils, QStringLiteral("Lentil soup"));
    ed->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), ed);
    const QString path = userDir->filePath(QStringLiteral("typed.vlr"));
    fileAnswers.push_back(path);
    form->Speichern1->trigger();
    DocumentData saved;
    ASSERT_TRUE(ReadDocument(testutil::readFile(path), CardSettings(), saved, nullptr));
    EXPECT_EQ(saved.catalogue->translation(0, 1).name, QStringLiteral("Lentil soup"));

    // A new document empties the view while it is shown.
    form->NewAll();
    EXPECT_EQ(row(TextKind::Name, 0, 0), -1);
    EXPECT_EQ(table()->rowCount(), view()->texts().size());
}

TEST_F(SecondLanguageWindow, OnlyMissingHidesTranslatedTextsAndTheCountFollows)
{
    addSample();
    showView();
    EXPECT_EQ(view()->AnzahlLabel->text(), QStringLiteral("10 von 10 Texten fehlen"));
    const int soups = row(TextKind::Category, 0);
    const int drinks = row(TextKind::Category, 1);
    QTest::keyClick(type(soups, QStringLiteral("Soups")), Qt::Key_Tab);
    QTest::keyClick(type(drinks, QStringLiteral("  ")), Qt::Key_Tab); // spaces alone are no translation
    EXPECT_EQ(view()->AnzahlLabel->text(), QStringLiteral("9 von 10 Texten fehlen"));

    view()->NurFehlendeCheck->setChecked(true);
    EXPECT_TRUE(table()->isRowHidden(soups));
    EXPECT_FALSE(table()->isRowHidden(drinks));
    int shownRows = 0;
    for (int r = 0; r < table()->rowCount(); ++r)
        shownRows += table()->isRowHidden(r) ? 0 : 1;
    EXPECT_EQ(shownRows, 9);
    EXPECT_FALSE(table()->isRowHidden(table()->currentRow()));

    // A text translated while the filter is on goes; one whose translation
    // is taken back (undo) comes back.
    const int lentils = row(TextKind::Name, 0, 1);
    QTest::keyClick(type(lentils, QStringLiteral("Lentil soup")), Qt::Key_Tab);
    EXPECT_TRUE(table()->isRowHidden(lentils));
    EXPECT_EQ(view()->AnzahlLabel->text(), QStringLiteral("8 von 10 Texten fehlen"));
    form->Rueckgaengig1->trigger();
    EXPECT_FALSE(table()->isRowHidden(lentils));
    EXPECT_EQ(view()->AnzahlLabel->text(), QStringLiteral("9 von 10 Texten fehlen"));

    view()->NurFehlendeCheck->setChecked(false);
    EXPECT_FALSE(table()->isRowHidden(soups));
}

TEST_F(SecondLanguageWindow, EnterGoesOnToTheNextMissingText)
{
    addSample();
    showView();
    const int tomato = row(TextKind::Name, 0, 0);
    const int description = row(TextKind::Description, 0, 0);
    const int lentils = row(TextKind::Name, 0, 1);
    ASSERT_EQ(description, tomato + 1);
    ASSERT_EQ(lentils, tomato + 2);
    QTest::keyClick(type(description, QStringLiteral("with basil")), Qt::Key_Return);

    // From the name, Enter skips the description already translated.
    QTest::keyClick(type(tomato, QStringLiteral("Tomato soup")), Qt::Key_Return);
    EXPECT_EQ(form->catalogue.translation(0, 0).name, QStringLiteral("Tomato soup"));
    EXPECT_EQ(table()->currentRow(), lentils);
    EXPECT_TRUE(editorAt(lentils)) << "Enter opened no editor on the next missing text";

    // From the last text (the additive, the document's: every card keeps
    // it) it goes round to the first missing one.
    const int last = table()->rowCount() - 1;
    ASSERT_EQ(view()->texts().at(last).place.kind, TextKind::Additive);
    QTest::keyClick(type(last, QStringLiteral("with house spice")), Qt::Key_Return);
    EXPECT_EQ(form->MarksGroup->settings().additiveTranslations, QStringList{QStringLiteral("with house spice")});
    EXPECT_EQ(table()->currentRow(), row(TextKind::Category, 0));
}

TEST_F(SecondLanguageWindow, TheLanguageIsChosenFromTheListOrGivenAndEachChoiceIsAStep)
{
    addSample();
    showView();
    const QByteArray english = bytes();
    const int stepsBefore = steps();
    EXPECT_EQ(view()->SpracheBox->currentText(), QStringLiteral("Englisch"));

    chooseLanguage(1);
    EXPECT_EQ(form->catalogue.secondLanguage().tag, QStringLiteral("fr"));
    EXPECT_EQ(steps(), stepsBefore + 1);
    EXPECT_EQ(form->Rueckgaengig1->text(), QStringLiteral("Rückgängig: Zweite Sprache"));
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(form->catalogue.secondLanguage().tag, QStringLiteral("en"));
    EXPECT_EQ(view()->SpracheBox->currentText(), QStringLiteral("Englisch"));
    EXPECT_EQ(bytes(), english);

    // A malformed tag is refused with a message, asked again with what was
    // typed, and a cancel then leaves everything as it was.
    const int other = view()->SpracheBox->count() - 1;
    EXPECT_EQ(view()->SpracheBox->itemText(other), QStringLiteral("Andere…"));
    answerOtherLanguage(QStringLiteral("Portugiesisch"), QStringLiteral("portugiesisch!"));
    answers.push_back([](QDialog *d) {
        auto *dlg = qobject_cast<TOtherLanguageDialog *>(d);
        EXPECT_EQ(dlg->TagEd->text(), QStringLiteral("portugiesisch!"));
        EXPECT_EQ(dlg->NameEd->text(), QStringLiteral("Portugiesisch"));
        return int(QDialog::Rejected);
    });
    const int dialogsBefore = dialogsShown;
    chooseLanguage(other);
    EXPECT_EQ(dialogsShown, dialogsBefore + 2);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.first().second.contains(QStringLiteral("\"portugiesisch!\" ist keine Sprachkennung")));
    EXPECT_EQ(bytes(), english);
    EXPECT_EQ(steps(), stepsBefore);
    EXPECT_EQ(view()->SpracheBox->currentText(), QStringLiteral("Englisch"));

    // German, in any region, is the card's first language and never its
    // second: refused as a malformed tag is.
    for (const QString tag : {QStringLiteral("de-AT"), QStringLiteral("DE")}) {
        boxes.clear();
        answerOtherLanguage(QStringLiteral("Deutsch"), tag);
        answers.push_back([](QDialog *) { return int(QDialog::Rejected); });
        chooseLanguage(other);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes.first().second.contains(QStringLiteral("\"%1\" ist Deutsch").arg(tag)))
            << boxes.first().second.toStdString();
        EXPECT_EQ(bytes(), english);
        EXPECT_EQ(view()->SpracheBox->currentText(), QStringLiteral("Englisch"));
    }

    // A language of the user's own, with its name.
    answerOtherLanguage(QStringLiteral("Portugiesisch (Brasilien)"), QStringLiteral(" pt-BR "));
    chooseLanguage(other);
    EXPECT_EQ(form->catalogue.secondLanguage().tag, QStringLiteral("pt-BR"));
    EXPECT_EQ(form->catalogue.secondLanguage().name, QStringLiteral("Portugiesisch (Brasilien)"));
    EXPECT_EQ(view()->SpracheBox->currentText(), QStringLiteral("Portugiesisch (Brasilien) (pt-BR)"));
    EXPECT_NE(bytes(), english);
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(form->catalogue.secondLanguage(), SecondLanguage());

    // A tag of the list given as another language is that language.
    answerOtherLanguage(QStringLiteral("Dutch"), QStringLiteral("NL"));
    chooseLanguage(other);
    EXPECT_EQ(form->catalogue.secondLanguage().tag, QStringLiteral("nl"));
    EXPECT_TRUE(form->catalogue.secondLanguage().name.isEmpty());
    EXPECT_EQ(view()->SpracheBox->currentText(), QStringLiteral("Niederländisch"));
}

TEST_F(SecondLanguageWindow, ChangingTheLanguageOfTypedTranslationsIsAskedFirst)
{
    addSample();
    showView();
    // Without a translation the language changes without a question.
    chooseLanguage(1);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(form->catalogue.secondLanguage().tag, QStringLiteral("fr"));
    form->Rueckgaengig1->trigger();

    // One translation, a card's own text, is enough to ask.
    QTest::keyClick(type(row(TextKind::Heading, -1, -1, 0), QStringLiteral("Menu")), Qt::Key_Tab);
    const QByteArray english = bytes();
    const int stepsBefore = steps();
    boxAnswers.push_back(QMessageBox::No);
    chooseLanguage(1);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first().second, QStringLiteral("Die vorhandenen Übersetzungen sind auf Englisch geschrieben. "
                                                   "Sollen sie künftig als Französisch gelten?"));
    EXPECT_EQ(form->catalogue.secondLanguage().tag, QStringLiteral("en"));
    EXPECT_EQ(view()->SpracheBox->currentText(), QStringLiteral("Englisch"));
    EXPECT_EQ(bytes(), english);
    EXPECT_EQ(steps(), stepsBefore);

    // The same for a language given under "Andere…".
    boxAnswers.push_back(QMessageBox::No);
    answerOtherLanguage(QStringLiteral("Portugiesisch"), QStringLiteral("pt"));
    chooseLanguage(view()->SpracheBox->count() - 1);
    EXPECT_EQ(boxes.size(), 2);
    EXPECT_EQ(view()->SpracheBox->currentText(), QStringLiteral("Englisch"));
    EXPECT_EQ(bytes(), english);

    // Yes: the translations are the new language's, in one step.
    boxAnswers.push_back(QMessageBox::Yes);
    chooseLanguage(1);
    EXPECT_EQ(boxes.size(), 3);
    EXPECT_EQ(form->catalogue.secondLanguage().tag, QStringLiteral("fr"));
    EXPECT_EQ(form->CardOptionsBox->translation().heading, QStringLiteral("Menu"));
    EXPECT_EQ(steps(), stepsBefore + 1);
}

TEST_F(SecondLanguageWindow, BilingualIsEachCardsOwnSwitch)
{
    addSample();
    QCheckBox *bilingual = form->CardOptionsBox->ZweisprachigCheck;
    EXPECT_FALSE(bilingual->isChecked());
    answers.push_back([](QDialog *d) {
        qobject_cast<TCardNameDialog *>(d)->NameEd->setText(QStringLiteral("Getränkekarte"));
        return int(QDialog::Accepted);
    });
    click(form->CardBar->NeuBtn);
    ASSERT_EQ(form->selectedCard, 1);
    const int stepsBefore = steps();
    bilingual->setChecked(true);
    EXPECT_EQ(steps(), stepsBefore + 1);
    EXPECT_EQ(form->Rueckgaengig1->text(), QStringLiteral("Rückgängig: zweisprachig"));

    auto choose = [this](int i) {
        form->CardBar->KarteBox->setCurrentIndex(i);
        emit form->CardBar->KarteBox->activated(i);
        QApplication::processEvents();
    };
    choose(0);
    EXPECT_FALSE(bilingual->isChecked());
    EXPECT_FALSE(form->settingsOfCard(0).ZweisprachigCheck);
    EXPECT_TRUE(form->settingsOfCard(1).ZweisprachigCheck);
    choose(1);
    EXPECT_TRUE(bilingual->isChecked());
    DocumentData read;
    ASSERT_TRUE(ReadDocument(bytes(), CardSettings(), read, nullptr));
    ASSERT_EQ(read.cards.count(), 2);
    EXPECT_FALSE(read.settings.ZweisprachigCheck);
    EXPECT_TRUE(read.cards.at(1).settings.ZweisprachigCheck);

    // The heading of each card is translated for that card.
    form->CaptionEd->setText(QStringLiteral("Getränke"));
    showView();
    TextPlace second;
    second.kind = TextKind::Heading;
    second.card = 1;
    const int r = view()->rowOf(second);
    ASSERT_GE(r, 0);
    EXPECT_EQ(table()->item(r, TTranslationsView::KindColumn)->text(), QStringLiteral("Überschrift (Getränkekarte)"));
    QWidget *ed = type(r, QStringLiteral("Drinks"));
    QTest::keyClick(ed, Qt::Key_Tab);
    EXPECT_EQ(form->CardOptionsBox->translation().heading, QStringLiteral("Drinks"));
    choose(0);
    EXPECT_TRUE(form->CardOptionsBox->translation().heading.isEmpty());
    EXPECT_EQ(form->settingsOfCard(1).translation.heading, QStringLiteral("Drinks"));
    // Edited while another card is selected, it stays with its card.
    ed = type(r, QStringLiteral("Drinks & more")); // the editor opens with its text selected
    QTest::keyClick(ed, Qt::Key_Tab);
    EXPECT_EQ(form->settingsOfCard(1).translation.heading, QStringLiteral("Drinks & more"));
    EXPECT_TRUE(form->CardOptionsBox->translation().heading.isEmpty());
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(form->settingsOfCard(1).translation.heading, QStringLiteral("Drinks"));
    choose(1);

    form->Rueckgaengig1->trigger(); // the translation
    form->Rueckgaengig1->trigger(); // the heading
    choose(0);
    form->Rueckgaengig1->trigger(); // the switch, made on the second card
    EXPECT_EQ(form->selectedCard, 1);
    EXPECT_FALSE(bilingual->isChecked());

    // Saved and opened again, each card has its switch and its translation.
    for (int i = 0; i < 3; ++i)
        form->Wiederholen1->trigger();
    const QString path = userDir->filePath(QStringLiteral("cards.vlr"));
    fileAnswers.push_back(path);
    form->Speichern1->trigger();
    form->NewAll();
    ASSERT_TRUE(form->OpenFileWithName(path));
    EXPECT_EQ(form->selectedCard, 0);
    EXPECT_FALSE(bilingual->isChecked());
    choose(1);
    EXPECT_TRUE(bilingual->isChecked());
    EXPECT_EQ(form->CardOptionsBox->translation().heading, QStringLiteral("Drinks"));
}
