#include "app/AboutBox.h"
#include "app/AppIcons.h"
#include "app/MainUnit.h"
#include "app/commandline.h"
#include "app/startupprobe.h"
#include "catalogue/platform.h"
#include "dialogs/EditProduktFUnit.h"
#include "dialogs/memorybox.h"
#include "i18n/TranslateFUnit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <cstdio>

namespace {

void setNames()
{
    QApplication::setApplicationName(QStringLiteral("Velloran"));
    qApp->setProperty("applicationTitle", QStringLiteral("Velloran"));
    QApplication::setApplicationVersion(QStringLiteral(VELLORAN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("velloran"));
    QApplication::setWindowIcon(VelloranIcon());
}

// An export prints nothing when it succeeds: Qt's own notes and warnings
// (fonts, platform) are kept off standard error; its critical messages pass.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", msg.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer started;
    started.start();
    const QStringList args = platform::CommandLineArguments(argc, argv);

    // Help, version and wrong command lines are answered before anything
    // needs a display.
    const commandline::Options opts = commandline::Parse(args);
    switch (opts.mode) {
    case commandline::Mode::Help:
        std::fputs(commandline::UsageText().toLocal8Bit().constData(), stdout);
        return commandline::kExitOk;
    case commandline::Mode::Version: {
        // An application object (no display) finds Qt's plugins where a real start finds
        // them, so that the libraries listed are the ones the program works with.
        QCoreApplication app(argc, argv);
        std::fputs(commandline::VersionText().toLocal8Bit().constData(), stdout);
        return commandline::kExitOk;
    }
    case commandline::Mode::Invalid:
        std::fprintf(stderr, "velloran: %s (see velloran --help)\n", opts.error.toLocal8Bit().constData());
        return commandline::kExitUsage;
    default:
        break;
    }

    if (opts.isExport()) {
        // No window: a platform that needs no display.
        qputenv("QT_QPA_PLATFORM", platform::ExportPlatformName());
        qInstallMessageHandler(quietMessages);
        QApplication app(argc, argv);
        setNames();
        InstallOutOfMemoryBox();
        QTextStream err(stderr);
        QTextStream out(stdout);
        return commandline::RunExport(opts, out, err);
    }

    QApplication app(argc, argv);
    setNames();
    InstallOutOfMemoryBox();

    // The windows, in the order the program creates them. Each is a window of
    // the application of its own (not a child of the main window), as the
    // interface translation walks them one by one.
    TMainForm mainForm;
    TEditProduktForm produktForm;
    TAboutBox aboutBox;
    TTranslateForm translateForm;
    mainForm.setDialogs(&produktForm, &aboutBox, &translateForm);
    // The plain arguments that are left once Qt has taken its own (-style ...).
    mainForm.arguments = commandline::Parse(app.arguments().mid(1)).plainArguments;

    mainForm.show();
    InstallStartupProbe(&mainForm, started);
    return app.exec();
}
