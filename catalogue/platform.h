// What differs between the Linux and the Windows program, in one place: where the
// per-user files and the recovery copies live, who may read the files the program
// makes, which program directory counts as an installation, where the shipped data is,
// which fonts draw the card's faces, and which picture and compression libraries it
// carries.
// catalogue/platform/linux.cpp and catalogue/platform/windows.cpp implement it; the
// build picks one of them.
#pragma once

#include <QString>
#include <QStringList>

class QFile;
enum class PathRules; // catalogue/picturepath.h

namespace platform {

// The per-user directory for options.dat and translate.dat when the program's own
// directory cannot hold them (no trailing separator; may not exist yet).
// Linux: ~/.config/Velloran. Windows: %APPDATA%\Velloran (the roaming profile).
QString UserConfigDir();

// The per-user directory the crash-recovery copies go under (no trailing separator).
// Linux: ~/.local/share/Velloran. Windows: %LOCALAPPDATA%\Velloran (stays on the machine).
QString LocalDataDir();

// Creates the file `file` names (it must not exist yet) and opens it for writing.
// ownerOnly: only the user may read it, from its first byte on (Linux: mode 0600 at the
// creation, whatever the umask). Otherwise it gets what the user's umask leaves of 0666,
// as every program's new files do. Windows: in both cases the access the folder passes on
// to new files (the user's profile folders are the user's alone).
bool CreateNewFile(QFile &file, bool ownerOnly);

// Takes the access of the group and of others from a folder or file that an earlier
// version made with wider access (Linux: only the owner's bits stay). Windows: nothing;
// access there follows the folders' inherited access lists, not permission bits.
void RestrictToOwner(const QString &path);

// True when `canonicalDir` is the directory a system installation puts the program in
// (on Linux the configured bin directory, such as /usr/bin). On Windows the installer
// leaves a marker file instead, which appfiles checks on every platform.
bool IsSystemProgramDir(const QString &canonicalDir);

// The directory the shipped data (paper.jpg, translate.dat, example card) is installed
// in, with a trailing '/'. Linux: <prefix>/share/velloran/. Windows: the program's own
// directory, where the installer puts them.
QString InstalledDataDir();

// The program's arguments after its name, before a QCoreApplication exists. Linux: argv
// in the locale's encoding. Windows: the wide command line, so that a file name outside
// the ANSI code page arrives whole.
QStringList CommandLineArguments(int argc, char **argv);

// The Qt platform the command-line exports run on, which opens no window. Linux:
// "offscreen" (no display needed). Windows: "windows", its own platform, which always has
// a desktop and whose fonts are the system's (Qt's offscreen platform has no fonts there).
const char *ExportPlatformName();

// The rules a picture name from a document is checked by (catalogue/picturepath.h):
// PathRules::Linux or PathRules::Windows.
PathRules PicturePathRules();

// The sentence of the about box that says which fonts draw the card's faces.
QString FontNotice();

// Qt and the picture and compression libraries the program reads pictures with, one
// "name version" each, Qt first ("Qt 6.4.2", "zlib 1.2.13", "libpng 1.6.39", ...);
// --version and the about box print this list.
// Linux: the shared libraries the process has loaded once every picture plugin is
// loaded, each with the version it states itself; one that is not loaded is listed as
// "name not loaded". Windows: the copies linked into the program, with the versions
// recorded when it was built.
QStringList LibraryVersions();

} // namespace platform
