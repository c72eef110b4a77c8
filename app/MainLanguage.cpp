// The main window's language state: the options file, the language menu and
// the translation editor.
#include "app/MainUnit.h"
#include "app/ColumnMapDialog.h"
#include "app/ImportPreviewDialog.h"
#include "app/MarksGroup.h"
#include "catalogue/appfiles.h"
#include "catalogue/document.h"
#include "catalogue/languagestats.h"
#include "catalogue/translationtexts.h"
#include "catalogue/options.h"
#include "dialogs/EditProduktFUnit.h"
#include "dialogs/FloatEdit.h"
#include "dialogs/PriceChangeDialog.h"
#include "dialogs/SizesDialog.h"
#include "export/csvexport.h"
#include "i18n/TranslateFUnit.h"
#include "i18n/qttranslations.h"
#include "i18n/translatecomponents.h"
#include "i18n/translateunit.h"
#include "layout/bilingual.h"
#include "layout/cardoutput.h"
#include "layout/imposition.h"
#include "export/qrcode.h"
#include "export/sheetfile.h"
#include "texture/picturenote.h"
#include "texture/readability.h"

#include <QAction>

void TMainForm::LoadOptions()
{
    languagesetto = 4;
    language = 4;
    dontchlang = true;
    Swedish1->setChecked(true);
    dontchlang = false;

    // Without a usable options file (the first start) the language of the
    // system's locale is chosen, and written at the close like any other.
    const int32_t chosen = StartLanguage(appfiles::UserFile(QStringLiteral("options.dat")));
    if (chosen == languagesetto)
        return;
    languagesetto = chosen;
    dontchlang = true;
    QAction *items[] = {Deutsch1, English1, Franais1, Nederlands1, Swedish1};
    // A number outside the menu marks nothing more ("Swedish" keeps the
    // mark of the defaults).
    if (chosen >= 0 && chosen <= 4)
        items[chosen]->setChecked(true);
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
    SetQtLanguage(number);
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

void TMainForm::RegisterProgramTexts()
{
    for (const QStringList &texts :
         {DocumentMessageTexts(), OutputMessageTexts(), BilingualMessageTexts(), PrintFormTexts(), ReadabilityTexts(), PictureProblemTexts(), ExtensionMessageTexts(),
          QrProblemTexts(), TAdditivesDialog::messageTexts(), TPriceChangeForm::messageTexts(), TSizesForm::messageTexts(),
          TFloatEdit::messageTexts(), TEditProduktForm::messageTexts(), CardCommandTexts(), SheetFileMessageTexts(),
          TImportPreviewForm::messageTexts(), TColumnMapForm::messageTexts(), LanguageMessageTexts(),
          TranslationTextMessageTexts(), LanguageStatsTexts(), TranslationWindowTexts()})
        for (const QString &t : texts)
            TranslateStr(t);
    // Texts of the window shown only later: the product list's free texts,
    // its context menu, the page set-up's note, the status bar after an
    // export, the save question for a document with a file and the note on
    // a document of the menu "Datei" that is gone.
    for (const char16_t *t :
         {u"Freitext", u"Verschieben nach", u"CSV-Datei geschrieben: %1", u"Excel-Tabelle geschrieben: %1", u"PDF-Datei geschrieben: %1",
          u"Ohne Hintergrundbild ist nichts zu prüfen.",
          u"Alle Schriften haben mindestens 4,5 : 1 Kontrast zum Hintergrund.",
          u"Webseite geschrieben: %1", u"Webseiten geschrieben: %1 und %2",
          u"Die Seite in der zweiten Sprache, %1, gibt es schon. Soll sie ersetzt werden?", u"QR-Code geschrieben: %1",
          u"Die Datei \"%1\" hat ungespeicherte Änderungen. Wollen Sie jetzt speichern?",
          u"Die Datei \"%1\" gibt es nicht mehr. Sie wurde aus der Liste der zuletzt geöffneten Dateien entfernt.",
          u"Die Ränder hier sind die des Druckers. Die Seitenränder der Speisekarte (Registerkarte \"Layout\") "
          u"kommen innerhalb dieser Ränder hinzu."})
        TranslateStr(QString::fromUtf16(t));
    // The dialogs made when their command runs, and the CSV titles of sizes.
    TSizesForm sizes;
    TranslateComponents(&sizes);
    const Catalogue none;
    TPriceChangeForm prices(none, {}, -1);
    TranslateComponents(&prices);
    const ImportPlan nothing;
    TImportPreviewForm preview(nothing, QString());
    TranslateComponents(&preview);
    const SheetRow noHeader;
    TColumnMapForm mapping(noHeader, SheetColumns{}, SecondLanguage().tag);
    TranslateComponents(&mapping);
    TranslateStr(QStringLiteral("Größe %1"));
    TranslateStr(QString::fromUtf16(kSizesDropQuestion));
    TranslateStr(QString::fromUtf16(kMoveDropQuestion));
    TranslateStr(QStringLiteral("Preis %1"));
    for (const QString &t : CsvCardTexts())
        TranslateStr(t);
}
