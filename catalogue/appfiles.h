// Where the program finds and keeps its files.
//
// progpath is the directory of the executable, ending in a separator.
// options.dat and translate.dat live there while that directory is writable
// (a build tree, a portable copy); for an installed program whose directory is
// read-only they live in the per-user configuration directory, and the first
// start there copies the translate.dat installed with the program.
#pragma once

#include <QString>

namespace appfiles {

// Directory of the executable with a trailing '/'.
QString ProgPath();
// The directory that holds options.dat and translate.dat (trailing '/').
// Creates the per-user directory when that is the one chosen.
QString UserFilesDir();
// True when the program directory `dir` can hold the user files: it is
// writable, it holds no `installed` marker (left by the Windows installer) and it is
// not the directory the program is installed to (such as /usr/bin, which root could
// write to, but where no user file belongs).
bool ProgramDirHoldsUserFiles(const QString &dir);
// Full path of a user file (options.dat, translate.dat) in UserFilesDir().
QString UserFile(const QString &name);
// The directory the shipped data (paper.jpg, translate.dat, example card) is
// installed in, with a trailing '/'.
QString InstalledDataDir();
// A picture or data file name as the user typed it: a name with a directory
// is returned unchanged; a bare name is looked up in the current directory,
// then next to the program, in its data/ folder and in the installed data
// directory. Returns the name unchanged when none holds it.
QString ResolveDataFile(const QString &name);
// At the first start: copies the translate.dat shipped with the program into
// the user directory unless a table exists there already (a new file of the
// user's, with the access the umask gives).
void SeedUserTranslations();

// Tests and the command line can redirect the user directory.
void SetUserFilesDirOverride(const QString &dir);

} // namespace appfiles
