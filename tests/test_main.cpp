// Test harness: every test executable runs with a QApplication on the
// offscreen platform, so the suite needs no display.
#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test sees the machine's printers: the print server is a socket that
    // does not exist (so the printer list is empty and nothing waits for a
    // network), unless a test script starts a server of its own and names it
    // in VELLORAN_TEST_CUPS_SERVER. The programs the tests start inherit it.
    const QByteArray ownServer = qgetenv("VELLORAN_TEST_CUPS_SERVER");
    qputenv("CUPS_SERVER", ownServer.isEmpty() ? QByteArray("/nonexistent/velloran-tests-no-cups.sock") : ownServer);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
