// The main window's language state: the options file, the language menu and
// the translation editor.
#include "app/MainUnit.h"
#include "catalogue/appfiles.h"
#include "catalogue/options.h"
#include "i18n/TranslateFUnit.h"
#include "i18n/translateunit.h"

#include <QAction>

void TMainForm::LoadOptions()
{
    languagesetto = 4;
    language = 4;
    dontchlang = true;
    Swedish1->setChecked(true);
    dontchlang = false;

    bool found = false;
    const int32_t stored = LoadOptionsFile(appfiles::UserFile(QStringLiteral("options.dat")), &found);
    if (!found)
        return;
    languagesetto = stored;
    dontchlang = true;
    QAction *items[] = {Deutsch1, English1, Franais1, Nederlands1, Swedish1};
    // A number outside the menu marks nothing more ("Swedish" keeps the
    // mark of the defaults).
    if (stored >= 0 && stored <= 4)
        items[stored]->setChecked(true);
    dontchlang = false;
}

void TMainForm::SaveOptions()
{
    SaveOptionsFile(appfiles::UserFile(QStringLiteral("options.dat")), language);
}

void TMainForm::LanguageClick(QAction *item, int32_t number)
{
    if (dontchlang)
        return;
    item->setChecked(true);
    language = number;
    messageBox(QMessageBox::Information, GetMsgText(3), GetMsgText(2), QMessageBox::Ok);
}

void TMainForm::bersetzen1Click()
{
    if (!TranslateForm)
        return;
    TranslateForm->FillStringGrid();
    execDialog(TranslateForm);
    messageBox(QMessageBox::Information, GetMsgText(3), GetMsgText(2), QMessageBox::Ok);
}
