// A build without workbooks: the Windows program, whose libraries are built
// from Debian's source packages, and this release's archive holds no source
// of QuaZip (nor of the Qt 5 compatibility module it needs). CSV is exported
// and imported as everywhere; a workbook is refused with a message.
#include "catalogue/usertext.h"
#include "export/xlsxexport.h"
#include "export/xlsxreader.h"

namespace {
const char kNoWorkbooks[] = "Excel-Tabellen kann diese Ausgabe von Velloran nicht lesen und schreiben; bitte CSV verwenden.";
} // namespace

bool WorkbooksAvailable()
{
    return false;
}

QString WorkbookProblemText()
{
    return UserText(QString::fromUtf8(kNoWorkbooks));
}

QString XlsxSheetName()
{
    return QStringLiteral("Katalog");
}

bool WriteXlsxFile(const QString &, const CatalogueTable &, QString *error)
{
    if (error)
        *error = WorkbookProblemText();
    return false;
}

bool ReadXlsxSheet(const QByteArray &, Sheet *, QString *error)
{
    if (error)
        *error = WorkbookProblemText();
    return false;
}
