// Start-up measuring: with the environment variable VELLORAN_STARTUP_PROBE
// set, the program prints the time from its start to the first paint of the
// main window (once the document named on the command line is open) and
// ends at once. The start-up benchmark runs the program this way.
#pragma once

class QElapsedTimer;
class QWidget;

// Arms the probe after the main window was shown; does nothing unless the
// variable is set. `started` runs from the start of main().
void InstallStartupProbe(QWidget *mainWindow, const QElapsedTimer &started);
