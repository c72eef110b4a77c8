// The main window's web commands: the card as a web page and the QR code of
// the card's web address as a picture.
#include "app/MainUnit.h"
#include "export/htmlexport.h"
#include "export/qrcode.h"
#include "i18n/translateunit.h"
#include "layout/cardlayout.h"

void TMainForm::AlsWebseiteexportieren1Click()
{
    commitPendingEdits();
    const QString path = askFileName(SaveDialogHtml, true, QStringLiteral("html"), true);
    if (path.isEmpty())
        return;
    QString error;
    if (!WriteHtmlFile(path, BuildHtml(cardSource(100), HtmlLanguageTag(language)), &error)) {
        reportFileError(19, path, error);
        return;
    }
    reportWritten(u"Webseite geschrieben: %1", path);
}

void TMainForm::QRCodeexportieren1Click()
{
    const QString url = cardSettings().QrUrlEd;
    if (url.isEmpty()) {
        messageBox(QMessageBox::Information, QString(),
                   TranslateStr(QStringLiteral("Bitte zuerst eine Webadresse für den QR-Code eingeben.")),
                   QMessageBox::Ok);
        return;
    }
    if (!EncodeQr(url)) {
        messageBox(QMessageBox::Warning, QString(),
                   TranslateStr(QStringLiteral("Die Webadresse ist zu lang für einen QR-Code.")), QMessageBox::Ok);
        return;
    }
    const QString path = askFileName(SaveDialogQr, true, QStringLiteral("png"), true);
    if (path.isEmpty())
        return;
    QString error;
    if (!WriteQrFile(path, url, &error)) {
        reportFileError(19, path, error);
        return;
    }
    reportWritten(u"QR-Code geschrieben: %1", path);
}
