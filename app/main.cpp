#include "app/AboutBox.h"
#include "app/MainUnit.h"
#include "catalogue/EditProduktFUnit.h"
#include "i18n/TranslateFUnit.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velloran"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velloran"));
    QApplication::setApplicationVersion(QStringLiteral(VELLORAN_VERSION));

    // The windows, in the order the program creates them. Each is a window of
    // the application of its own (not a child of the main window), as the
    // interface translation walks them one by one.
    TMainForm mainForm;
    TEditProduktForm produktForm;
    TAboutBox aboutBox;
    TTranslateForm translateForm;
    mainForm.setDialogs(&produktForm, &aboutBox, &translateForm);
    mainForm.arguments = app.arguments().mid(1);

    mainForm.show();
    return app.exec();
}
