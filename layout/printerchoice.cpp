#include "layout/printerchoice.h"

#include "i18n/translateunit.h"

#include <QPrinterInfo>

PrinterSetup SavePrinterSetup(const QPrinter &printer)
{
    PrinterSetup s;
    s.format = printer.outputFormat();
    s.printerName = printer.printerName();
    s.outputFileName = printer.outputFileName();
    s.pageLayout = printer.pageLayout();
    return s;
}

void RestorePrinterSetup(QPrinter &printer, const PrinterSetup &setup)
{
    // The device first: choosing it resets the page to the device's own.
    const bool native = setup.format == QPrinter::NativeFormat;
    if (printer.outputFormat() != setup.format || (native && printer.printerName() != setup.printerName)) {
        printer.setOutputFormat(setup.format);
        if (native)
            printer.setPrinterName(setup.printerName);
    }
    // A file name chooses a format of its own (".pdf", or none for the
    // printer), so the format is checked again after it.
    if (printer.outputFileName() != setup.outputFileName)
        printer.setOutputFileName(setup.outputFileName);
    if (printer.outputFormat() != setup.format)
        printer.setOutputFormat(setup.format);
    printer.setPageLayout(setup.pageLayout);
}

QString SelectPrinter(QPrinter &printer, const QString &name)
{
    const QString wanted = name.isEmpty() ? QPrinterInfo::defaultPrinterName() : name;
    if (wanted.isEmpty())
        return TranslateStr(QStringLiteral("Es ist kein Standarddrucker eingerichtet."));
    if (!QPrinterInfo::availablePrinterNames().contains(wanted))
        return TranslateStr(QStringLiteral("Den Drucker \"%1\" gibt es nicht.")).arg(wanted);
    if (printer.outputFormat() == QPrinter::NativeFormat && printer.printerName() == wanted)
        return QString();
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(wanted);
    return QString();
}
