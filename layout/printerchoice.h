// Choosing the printer the card is printed on: by name (the command line and
// the printer set-up), and the set-up state that a cancelled page set-up
// puts back.
#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <QString>

// What the printer set-up can change: the device (a printer or PDF output)
// and its page.
struct PrinterSetup {
    QPrinter::OutputFormat format = QPrinter::PdfFormat;
    QString printerName;
    QString outputFileName;
    QPageLayout pageLayout;
};

PrinterSetup SavePrinterSetup(const QPrinter &printer);
void RestorePrinterSetup(QPrinter &printer, const PrinterSetup &setup);

// Makes the installed printer `name` the printer's device, with that
// printer's own default page; an empty name stands for the system's default
// printer. Returns an error text (the printer stays as it was), empty on
// success.
QString SelectPrinter(QPrinter &printer, const QString &name);
