// The main window's web commands: the card as a web page and the QR code of
// the card's web address as a picture.
#include "app/MainUnit.h"
#include "export/htmlexport.h"
#include "export/qrcode.h"
#include "i18n/translateunit.h"
#include "layout/cardlayout.h"
#include "layout/cardsource.h"
#include "texture/texture.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

// The document's cards for its web page: the selected one as the preview
// shows it, the others from their settings (their logos read as the command
// line reads them).
QVector<HtmlCard> TMainForm::webCards() const
{
    const CardList all = currentCards();
    const CardSettings first = firstCardSettings();
    QVector<HtmlCard> out;
    for (int i = 0; i < all.count(); ++i) {
        HtmlCard c;
        c.name = all.at(i).name;
        if (i == selectedCard) {
            c.source = cardSource(100);
        } else {
            c.source = SourceOfCard(categoryNames(), catalogue, i, all.settingsOf(i, first));
            AttachQrCode(c.source);
            if (!c.source.settings.LogoEd.isEmpty()) {
                const QImage logo = OpenLogoPicture(c.source.settings.LogoEd, false, nullptr);
                if (!logo.isNull())
                    c.source.logo = std::make_shared<const QImage>(logo);
            }
        }
        out << c;
    }
    return out;
}

void TMainForm::AlsWebseiteexportieren1Click()
{
    commitPendingEdits();
    const QString path = askFileName(SaveDialogHtml, true, QStringLiteral("html"), true);
    if (path.isEmpty())
        return;
    // A menu with translations is two pages, written both or neither.
    const QVector<HtmlCard> cards = webCards();
    QVector<CardSettings> settings;
    for (const HtmlCard &c : cards)
        settings << c.source.settings;
    const bool bilingual = IsBilingualWeb(catalogue, settings);
    const QVector<HtmlFile> pages =
        WebMenuFiles(cards, path, HtmlLanguageTag(language), bilingual ? &catalogue.secondLanguage() : nullptr);
    // The file dialog asked before replacing the German page; the page beside
    // it is asked for here, and nothing is written without a yes.
    if (pages.size() > 1 && QFileInfo(pages.at(1).path).isFile()
        && messageBox(QMessageBox::Question, QString(),
                      TranslateStr(QStringLiteral("Die Seite in der zweiten Sprache, %1, gibt es schon. Soll sie ersetzt werden?"))
                          .arg(QDir::toNativeSeparators(pages.at(1).path)),
                      QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    QString failed, error;
    if (!WriteHtmlFiles(pages, &failed, &error)) {
        reportFileError(19, failed, error);
        return;
    }
    if (pages.size() == 1)
        reportWritten(u"Webseite geschrieben: %1", path);
    else
        statusBar()->showMessage(TranslateStr(QStringLiteral("Webseiten geschrieben: %1 und %2"))
                                     .arg(QDir::toNativeSeparators(pages.at(0).path),
                                          QDir::toNativeSeparators(pages.at(1).path)));
    if (bilingual)
        reportMissingTranslations(MissingWebTranslations(cards));
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
