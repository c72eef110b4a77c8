// The message that memory ran out, shown as the program's windows show errors.
#pragma once

// Makes TDynaArray report a failed allocation in an error message box over the
// active window when it happens on the GUI thread of a QApplication; elsewhere
// (another thread, no widget application) the text goes to standard error as
// before. Called once the application object exists.
void InstallOutOfMemoryBox();
