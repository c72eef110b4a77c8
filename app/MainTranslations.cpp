// The main window's second language: the tab "Übersetzungen" (every text
// with its translation, edited in place), the choice of the language, and
// the translations of the cards' own texts and of the additives, which the
// window holds with the cards' other settings. Every change is a step.
#include "app/AppIcons.h"
#include "app/CardOptionsBox.h"
#include "app/MainUnit.h"
#include "app/MarksGroup.h"
#include "app/PreviewPager.h"
#include "app/TranslationsView.h"
#include "app/undohistory.h"
#include "catalogue/translationtexts.h"
#include "dialogs/languagefields.h"
#include "i18n/translateunit.h"

#include <QSignalBlocker>

#include <algorithm>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char16_t kTranslationStep[] = u"Übersetzung";
const char16_t kLanguageLabel[] = u"Zweite Sprache:";
const char16_t kBadTag[] = u"\"%1\" ist keine Sprachkennung nach BCP 47 (zum Beispiel \"pt-BR\" oder \"el\").";
const char16_t kNoTag[] = u"Bitte geben Sie die Sprachkennung nach BCP 47 ein (zum Beispiel \"pt-BR\" oder \"el\").";
const char16_t kGermanTag[] = u"\"%1\" ist Deutsch, die erste Sprache der Karte. Die zweite Sprache muss eine andere sein.";
const char16_t kRelabel[] = u"Die vorhandenen Übersetzungen sind auf %1 geschrieben. Sollen sie künftig als %2 gelten?";

} // namespace

QStringList TranslationWindowTexts()
{
    QStringList texts = TTranslationsView::messageTexts() + TOtherLanguageDialog::messageTexts();
    for (const char16_t *t : {kTranslationStep, kBadTag, kNoTag, kGermanTag, kRelabel})
        texts << QString::fromUtf16(t);
    return texts;
}

void TMainForm::buildTranslationsTab()
{
    TabSheet5 = new QWidget;
    TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
    PageControl1->addTab(TabSheet5, AppIcon("preferences-desktop-locale", "tab-translations"),
                         QStringLiteral("Übersetzungen"));
    Uebersetzungen = new TTranslationsView(TabSheet5);
    auto *lay = new QVBoxLayout(TabSheet5);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(Uebersetzungen);
}

// Wired once the history exists (connectHandlers).
void TMainForm::connectTranslations()
{
    connect(Uebersetzungen, &TTranslationsView::translationEdited, this, &TMainForm::translationEdited);
    connect(Uebersetzungen, &TTranslationsView::languageChosen, this, &TMainForm::chooseSecondLanguage);
    connect(Uebersetzungen, &TTranslationsView::otherLanguageRequested, this, &TMainForm::otherSecondLanguage);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { refreshTranslations(); });
    connect(history, &DocumentHistory::contentChanged, this, [this] { refreshTranslations(); });
}

QVector<CardSettings> TMainForm::allCardSettings() const
{
    QVector<CardSettings> all;
    for (int i = 0; i < cards.count(); ++i)
        all << settingsOfCard(i);
    return all;
}

void TMainForm::refreshTranslations()
{
    // Shown only: the tab fills itself when it is chosen.
    if (PageControl1->currentWidget() != TabSheet5)
        return;
    Uebersetzungen->setLanguage(catalogue.secondLanguage());
    Uebersetzungen->setTexts(TranslatableTexts(categoryNames(), catalogue, allCardSettings()), cards.names());
}

void TMainForm::translationEdited(const TextPlace &place, const QString &text)
{
    QVector<CardSettings> all = allCardSettings();
    if (SetTranslatedText(place, text, catalogue, all)) {
        // The cards' own texts and the additives go back where the window
        // holds them: the controls for the selected card, the list for the
        // others.
        for (int i = 0; i < all.size() && i < cards.count(); ++i) {
            if (i == selectedCard) {
                CardSettings s = cardSettings();
                s.translation = all.at(i).translation;
                CardOptionsBox->setFrom(s);
                MarkSettings m = MarksGroup->settings();
                m.additiveTranslations = all.at(i).marks.additiveTranslations;
                MarksGroup->setSettings(m);
            } else {
                cards[i].settings.translation = all.at(i).translation;
                cards[i].settings.marks.additiveTranslations = all.at(i).marks.additiveTranslations;
            }
        }
        history->record(TranslateStr(kTranslationStep));
        Pager->cardChanged();
        RepaintPreview();
    }
    refreshTranslations();
}

void TMainForm::chooseSecondLanguage(const SecondLanguage &language)
{
    const SecondLanguage now = catalogue.secondLanguage();
    // Translations already typed would silently pass for the new language:
    // the user decides first.
    if (language.tag.compare(now.tag, Qt::CaseInsensitive) != 0) {
        const QVector<TranslatableText> texts = TranslatableTexts(categoryNames(), catalogue, allCardSettings());
        const bool anyTranslated = std::any_of(texts.cbegin(), texts.cend(),
                                               [](const TranslatableText &t) { return IsTranslated(t.translation); });
        if (anyTranslated
            && messageBox(QMessageBox::Question, TranslateStr(kLanguageLabel).remove(QLatin1Char(':')).trimmed(),
                          TranslateStr(kRelabel).arg(SecondLanguageTitle(now), SecondLanguageTitle(language)),
                          QMessageBox::Yes | QMessageBox::No)
                   != QMessageBox::Yes) {
            Uebersetzungen->setLanguage(now); // the box shows the language again
            return;
        }
    }
    if (language != now) {
        catalogue.setSecondLanguage(language);
        history->record(TranslateStr(kLanguageLabel).remove(QLatin1Char(':')).trimmed());
        Pager->cardChanged();
        RepaintPreview();
    }
    refreshTranslations();
}

void TMainForm::otherSecondLanguage()
{
    const SecondLanguage now = catalogue.secondLanguage();
    // A language of the user's own is offered again for changing.
    bool own = true;
    for (const OfferedLanguage &o : OfferedLanguages())
        if (now.name.isEmpty() && now.tag.compare(QLatin1String(o.tag), Qt::CaseInsensitive) == 0)
            own = false;
    QString name = own ? now.name : QString();
    QString tag = own ? now.tag : QString();
    for (;;) {
        TOtherLanguageDialog dlg(name, tag, this);
        if (execDialog(&dlg) != QDialog::Accepted) {
            Uebersetzungen->setLanguage(catalogue.secondLanguage()); // the box shows the language again
            return;
        }
        const SecondLanguage chosen = dlg.language();
        // German is the card's first language, never its second.
        const bool german = chosen.primary() == QLatin1String("de");
        if (IsWellFormedLanguageTag(chosen.tag) && !german) {
            chooseSecondLanguage(chosen);
            return;
        }
        // Asked again with what was typed; nothing changed.
        const QString text = chosen.tag.isEmpty()                   ? TranslateStr(kNoTag)
                             : IsWellFormedLanguageTag(chosen.tag) ? TranslateStr(kGermanTag).arg(chosen.tag)
                                                                   : TranslateStr(kBadTag).arg(chosen.tag);
        messageBox(QMessageBox::Warning, dlg.windowTitle(), text, QMessageBox::Ok);
        name = dlg.NameEd->text();
        tag = dlg.TagEd->text();
    }
}

void TMainForm::showCategoryTranslations()
{
    const QSignalBlocker block(ListView2);
    ListView2->headerItem()->setText(1, SecondLanguageTitle(catalogue.secondLanguage()));
    for (int i = 0; i < ListView2->topLevelItemCount(); ++i)
        ListView2->topLevelItem(i)->setText(1, catalogue.categoryTranslation(i));
}

void TMainForm::takeCategoryTranslation(QTreeWidgetItem *item)
{
    const int i = ListView2->indexOfTopLevelItem(item);
    catalogue.setCategoryTranslation(i, item->text(1));
    // The list shows what is kept: one line.
    const QString kept = catalogue.categoryTranslation(i);
    if (item->text(1) != kept) {
        const QSignalBlocker block(ListView2);
        item->setText(1, kept);
    }
}
