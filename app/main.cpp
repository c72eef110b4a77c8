#include "app/AboutBox.h"
#include "app/MainUnit.h"
#include "catalogue/EditProduktFUnit.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velloran"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velloran"));
    QApplication::setApplicationVersion(QStringLiteral(VELLORAN_VERSION));

    // The windows, in the order the program creates them.
    TMainForm mainForm;
    TEditProduktForm produktForm(&mainForm);
    TAboutBox aboutBox(&mainForm);
    mainForm.setDialogs(&produktForm, &aboutBox, nullptr);

    mainForm.show();
    return app.exec();
}
