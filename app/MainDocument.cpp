// The main window's document commands: new, open, save, save as, the save
// question, and the CSV and PDF exports.
#include "app/FilenameEdit.h"
#include "app/CardOptionsBox.h"
#include "app/FontDialog.h"
#include "app/MainUnit.h"
#include "app/MarksGroup.h"
#include "app/undohistory.h"
#include "app/LogoBox.h"
#include "app/PaperBox.h"
#include "app/PrintFormBox.h"
#include "app/QrCodeBox.h"
#include "app/proposedname.h"
#include "app/windowsize.h"
#include "catalogue/appfiles.h"
#include "catalogue/document.h"
#include "export/csvexport.h"
#include "i18n/filedialogfilter.h"
#include "i18n/translateunit.h"
#include "layout/bilingual.h"
#include "layout/cardoutput.h"
#include "texture/picturepreview.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QDir>
#include <QFileDialog>
#include <QStatusBar>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <cmath>
#include <QLineEdit>
#include <QPrinter>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

QString chooseWithDialog(QWidget *parent, FileDialogFilter *dialog, bool save, const QString &defaultSuffix,
                         bool confirmOverwrite, const QString &folder, const QString &proposed)
{
    QFileDialog dlg(parent);
    dlg.setDirectory(folder);
    dlg.setNameFilters(dialog->qtFilters());
    dlg.setDefaultSuffix(defaultSuffix);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!confirmOverwrite)
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (save && !proposed.isEmpty())
        dlg.selectFile(QDir(folder).filePath(proposed)); // a name without a folder: in the start folder
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().first();
}

// A stored value for a whole-number field, brought into its range (a value
// that is not a number leaves the field as it is).
int wholeValue(double v, const QSpinBox *field)
{
    if (!std::isfinite(v))
        return field->value();
    return int(std::trunc(qBound(double(field->minimum()), v, double(field->maximum()))));
}

} // namespace

// ---------------------------------------------------------------------------

QString TMainForm::askFileName(FileDialogFilter *dialog, bool save, const QString &defaultSuffix,
                               bool confirmOverwrite)
{
    return chooseFile ? chooseFile(dialog, save, defaultSuffix)
                      : chooseWithDialog(this, dialog, save, defaultSuffix, confirmOverwrite, dialogFolder(),
                                         proposedFileName(defaultSuffix));
}

QString TMainForm::dialogFolder() const
{
    return DialogStartFolder(afilename);
}

QString TMainForm::proposedFileName(const QString &suffix) const
{
    const QString name = ProposedFileName(afilename, CaptionEd->text(), suffix);
    // An export of a further card names the card: "Restaurant-Mittagstisch.pdf".
    const QString ending = QStringLiteral(".") + suffix;
    if (selectedCard == 0 || suffix == QLatin1String("vlr") || !name.endsWith(ending))
        return name;
    return name.chopped(ending.size()) + QStringLiteral("-") + SafeCardFileName(cards.at(selectedCard).name) + ending;
}

// What an export wrote where, in the status bar.
void TMainForm::reportWritten(const char16_t *german, const QString &path)
{
    statusBar()->showMessage(TranslateStr(QString::fromUtf16(german)).arg(QDir::toNativeSeparators(path)));
}

void TMainForm::reportMissingTranslations(int missing, bool append)
{
    const QString note = MissingTranslationsNote(missing);
    if (note.isEmpty())
        return;
    const QString before = append ? statusBar()->currentMessage() : QString();
    statusBar()->showMessage(before.isEmpty() ? note : before + QStringLiteral(" \u00B7 ") + note);
}

// An error box: the message of the table followed directly by the file name,
// and the reason below it when there is one.
void TMainForm::reportFileError(int message, const QString &path, const QString &reason)
{
    QString text = GetMsgText(message) + path;
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n") + reason;
    messageBox(QMessageBox::Critical, QString(), text, QMessageBox::Ok);
}

bool TMainForm::AskSaveChanges()
{
    commitPendingEdits();
    if (!changed)
        return true;
    // A document with a file has been saved before: the question says that
    // it holds changes since, and names it.
    const QString question =
        afilename.isEmpty()
            ? GetMsgText(5)
            : TranslateStr(QStringLiteral("Die Datei \"%1\" hat ungespeicherte Änderungen. Wollen Sie jetzt speichern?"))
                  .arg(QFileInfo(afilename).fileName());
    const auto answer = messageBox(QMessageBox::Question, GetMsgText(6), question,
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return SaveFile();
    return answer == QMessageBox::No;
}

void TMainForm::NewAll()
{
    const DocumentHistory::Pause pause(history);
    catalogue.clear();
    ListView2->clear();
    showCategoryTranslations();
    selectCard(0);
    adoptCards(CardList());
    ListProds();
    RepaintPreview();
    PaintBox2Paint();
    afilename.clear();
    keptRecords.clear();
    history->reset();
    SetUnChanged();
    refreshTranslations();
}

void TMainForm::Neu1Click()
{
    if (AskSaveChanges())
        NewAll();
}

void TMainForm::ffnen1Click()
{
    if (AskSaveChanges())
        OpenFile();
}

// ---------------------------------------------------------------------------
// The documents opened last ("Datei" lists them above "Beenden")

void TMainForm::addRecentDocument(const QString &path)
{
    recentDocuments = WithRecentDocument(recentDocuments, path);
    storeRecentDocuments();
}

void TMainForm::storeRecentDocuments()
{
    SaveRecentDocuments(appfiles::UserFile(QStringLiteral("window.ini")), recentDocuments);
    showRecentDocuments();
}

void TMainForm::showRecentDocuments()
{
    const QFontMetrics fm(Datei1->font());
    for (int i = 0; i < recentActions.size(); ++i) {
        QAction *a = recentActions.at(i);
        const bool used = i < recentDocuments.size();
        a->setVisible(used);
        if (!used)
            continue;
        const QString path = QDir::toNativeSeparators(recentDocuments.at(i));
        // A long path keeps its beginning and its file name.
        QString shownPath = fm.elidedText(path, Qt::ElideMiddle, 480);
        shownPath.replace(QLatin1Char('&'), QLatin1String("&&"));
        a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shownPath));
        a->setStatusTip(path);
    }
    recentSeparator->setVisible(!recentDocuments.isEmpty());
}

void TMainForm::openRecentDocument(int index)
{
    if (index < 0 || index >= recentDocuments.size())
        return;
    const QString path = recentDocuments.at(index);
    if (!QFileInfo(path).isFile()) {
        recentDocuments.removeAt(index);
        storeRecentDocuments();
        messageBox(QMessageBox::Warning, QString(),
                   TranslateStr(QStringLiteral("Die Datei \"%1\" gibt es nicht mehr. Sie wurde aus der Liste der "
                                               "zuletzt geöffneten Dateien entfernt."))
                       .arg(QDir::toNativeSeparators(path)),
                   QMessageBox::Ok);
        return;
    }
    if (AskSaveChanges())
        OpenFileWithName(path, true);
}

bool TMainForm::OpenFile()
{
    const QString path = askFileName(OpenDialog1, false, QStringLiteral("vlr"), true);
    if (path.isEmpty())
        return false;
    return OpenFileWithName(path, true);
}

// Reads the document into a fresh catalogue and settings first; the current
// document is replaced only when the file was read completely.
bool TMainForm::OpenFileWithName(const QString &sfn, bool reportFailure)
{
    DocumentData data;
    QString error;
    QFile probe(sfn);
    const bool readable = QFileInfo(sfn).isFile() && probe.open(QIODevice::ReadOnly);
    probe.close();
    if (!LoadDocumentFile(sfn, cardSettings(), data, &error)) {
        // A file that cannot be opened is reported when the user chose it
        // (from the command line it stays silent); a file whose content is
        // damaged is always reported. The open document stays as it is.
        if (reportFailure || readable) {
            reportFileError(1, sfn, readable ? error : QString());
        }
        return false;
    }

    NewAll();
    afilename = sfn;
    addRecentDocument(sfn);

    replaceDocument(data, true);
    if (ListView2->topLevelItemCount() > 0) {
        const QSignalBlocker block(ListView2);
        ListView2->setCurrentItem(ListView2->topLevelItem(0));
        ListView2->topLevelItem(0)->setSelected(true);
    }
    ListProds();
    RepaintPreview();
    PaintBox2Paint();
    history->reset();
    SetUnChanged();
    return true;
}

void TMainForm::replaceDocument(DocumentData &data, bool reloadSamePicture)
{
    const DocumentHistory::Pause pause(history);
    ListView2->setUpdatesEnabled(false);
    {
        const QSignalBlocker block(ListView2);
        ListView2->clear();
        catalogue.clear();
        for (const QString &name : data.categoryNames) {
            auto *it = new QTreeWidgetItem(QStringList{name});
            it->setFlags(it->flags() | Qt::ItemIsEditable);
            ListView2->addTopLevelItem(it);
        }
        catalogue.swapContents(*data.catalogue);
    }
    showCategoryTranslations();
    keptRecords = data.unknownRecords;
    adoptCards(data.cards); // the first card is selected: the controls take its settings
    applyDocumentSettings(data, reloadSamePicture);
    ListView2->setUpdatesEnabled(true);
    refreshTranslations();
}

void TMainForm::applyDocumentSettings(const DocumentData &d, bool reloadSamePicture)
{
    const CardSettings &s = d.settings;
    const bool sameFile = FilenameEdit2->FileName() == s.FilenameEdit2;
    for (DocumentSetting id : DocumentSettingOrder(d)) {
        switch (id) {
        case DocumentSetting::CaptionEd: CaptionEd->setText(s.CaptionEd); break;
        case DocumentSetting::FussEd: FussEd->setText(s.FussEd); break;
        case DocumentSetting::WaehrEd: WaehrEd->setText(s.WaehrEd); break;
        case DocumentSetting::FilenameEdit2:
            FilenameEdit2->setFileName(s.FilenameEdit2);
            if (sameFile && reloadSamePicture) // an unchanged text raises no change: load it all the same
                FilenameEdit2Change();
            break;
        case DocumentSetting::RahmenCheck: RahmenCheck->setChecked(s.RahmenCheck); break;
        case DocumentSetting::CapsCheck: CapsCheck->setChecked(s.CapsCheck); break;
        case DocumentSetting::LinksEd: LinksEd->setValue(s.LinksEd); break;
        case DocumentSetting::ObenEd: ObenEd->setValue(s.ObenEd); break;
        case DocumentSetting::RechtsEd: RechtsEd->setValue(s.RechtsEd); break;
        case DocumentSetting::UntenEd: UntenEd->setValue(s.UntenEd); break;
        case DocumentSetting::BreitEd2: BreitEd2->setValue(s.BreitEd2); break;
        case DocumentSetting::HochEd2: HochEd2->setValue(s.HochEd2); break;
        case DocumentSetting::HellEd: HellEd->setValue(wholeValue(s.HellEd, HellEd)); break;
        case DocumentSetting::SatEd: SatEd->setValue(wholeValue(s.SatEd, SatEd)); break;
        case DocumentSetting::SVerh2Check: SVerh2Check->setChecked(s.SVerh2Check); break;
        case DocumentSetting::GrayScaleCheck: GrayScaleCheck->setChecked(s.GrayScaleCheck); break;
        case DocumentSetting::LightenCheck: LightenCheck->setChecked(s.LightenCheck); break;
        case DocumentSetting::ZentrCheck: ZentrCheck->setChecked(s.ZentrCheck); break;
        case DocumentSetting::FontDialog1: FontDialog(1)->Font = s.fonts[0]; break;
        case DocumentSetting::FontDialog2: FontDialog(2)->Font = s.fonts[1]; break;
        case DocumentSetting::FontDialog3: FontDialog(3)->Font = s.fonts[2]; break;
        case DocumentSetting::FontDialog4: FontDialog(4)->Font = s.fonts[3]; break;
        case DocumentSetting::FontDialog5: FontDialog(5)->Font = s.fonts[4]; break;
        case DocumentSetting::FontDialog6: FontDialog(6)->Font = s.fonts[5]; break;
        case DocumentSetting::FontDialog7: FontDialog(7)->Font = s.fonts[6]; break;
        case DocumentSetting::FontDialog8: FontDialog(8)->Font = s.fonts[7]; break;
        case DocumentSetting::FontDialog9: FontDialog(9)->Font = s.fonts[8]; break;
        case DocumentSetting::NoKommaCheck: NoKommaCheck->setChecked(s.NoKommaCheck); break;
        case DocumentSetting::NewPageForKatCheck: NewPageForKatCheck->setChecked(s.NewPageForKatCheck); break;
        case DocumentSetting::NoPointsCheck: NoPointsCheck->setChecked(s.NoPointsCheck); break;
        case DocumentSetting::CenterKatCheck: CenterKatCheck->setChecked(s.CenterKatCheck); break;
        case DocumentSetting::KopfEd: KopfEd->setText(s.KopfEd); break;
        }
    }
    MarksGroup->setSettings(s.marks);
    QrCodeBox->setFrom(s);
    PaperBox->setFrom(s);
    PrintFormBox->setFrom(s);
    LogoBox->setFrom(s);
    CardOptionsBox->setFrom(s);
}

void TMainForm::setCardSettings(const CardSettings &s)
{
    DocumentData d;
    d.settings = s;
    d.hasGroupA = d.hasGroupB = d.hasGroupC = true;
    applyDocumentSettings(d);
}

bool TMainForm::SaveTheFileAs(const QString &path)
{
    QString error;
    const CardList list = currentCards();
    if (!SaveDocumentFile(path, categoryNames(), catalogue, firstCardSettings(), &error, keptRecords, &list)) {
        reportFileError(19, path, error);
        return false;
    }
    afilename = path;
    SetUnChanged();
    addRecentDocument(path);
    return true;
}

bool TMainForm::SaveTheFile()
{
    return SaveTheFileAs(afilename);
}

bool TMainForm::SaveFile()
{
    commitPendingEdits();
    if (!afilename.isEmpty())
        return SaveTheFile();
    const QString path = askFileName(SaveDialog1, true, QStringLiteral("vlr"), true);
    if (path.isEmpty())
        return false;
    return SaveTheFileAs(path);
}

void TMainForm::Speichern1Click()
{
    SaveFile();
}

void TMainForm::Speichernunter1Click()
{
    commitPendingEdits();
    const QString path = askFileName(SaveDialog1, true, QStringLiteral("vlr"), true);
    if (!path.isEmpty())
        SaveTheFileAs(path);
}

void TMainForm::ExportierenalsCSVDatei1Click()
{
    commitPendingEdits();
    const QString path = askFileName(SaveDialog3, true, QStringLiteral("csv"), false);
    if (path.isEmpty())
        return;
    const CardList all = currentCards();
    const QByteArray data = BuildCsv(categoryNames(), catalogue, CsvHeader(catalogue, &all), UserDecimalPoint(), &all);
    QString error;
    if (!WriteCsvFile(path, data, &error)) {
        reportFileError(19, path, error);
        return;
    }
    reportWritten(u"CSV-Datei geschrieben: %1", path);
}

void TMainForm::AlsPDFexportieren1Click()
{
    commitPendingEdits();
    const QString path = askFileName(SaveDialogPdf, true, QStringLiteral("pdf"), true);
    if (path.isEmpty())
        return;
    const CardSource card = cardSource(100);
    const QString error =
        card.settings.DruckformBox == CardSettings::PrintForm::SinglePages
            ? ExportCardPdf(card, path, printer->pageLayout(), PdfTitle(card.settings), printer->resolution())
            : ExportCardSheetsPdf(card, path, printer->pageLayout(), PdfTitle(card.settings), printer->resolution());
    if (!error.isEmpty()) {
        messageBox(QMessageBox::Critical, QString(), error, QMessageBox::Ok);
        return;
    }
    reportWritten(u"PDF-Datei geschrieben: %1", path);
    reportMissingTranslations(MissingTranslationsOfCard(card));
}
