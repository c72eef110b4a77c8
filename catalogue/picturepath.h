// Which picture names a document may bring along. A document names its background
// picture by path, and opening a document must not make the program reach out to
// another machine or read from a device: on Windows a network name (\\host\share\...)
// makes the system connect to the host with the user's credentials before a byte is
// read, and device paths (\\.\pipe\..., /dev/zero, /proc/self/mem) are no pictures.
// The decision is string logic only, so that it can come before any access to the path
// and both platforms' rules can be checked anywhere.
#pragma once

#include <QString>

enum class PathRules {
    Linux,   // /dev, /proc and /sys; a name starting with two backslashes
    Windows, // network and device names (\\host, //host, \\?\, \\.\, \??\), CON, NUL, COM1 ...
};

// True when `path` may name a picture file on this computer under `rules`. A relative
// name (paper.jpg, bilder/x.png) is judged as written; callers that know the folder
// it is relative to check the absolute path as well. Empty: true (no picture).
bool IsLocalPicturePath(const QString &path, PathRules rules);

// The check for a picture name from a document, on this platform's rules: the name as
// written, then (the name being local) made absolute against the current folder, and,
// when the file exists, with its links resolved. Only the last step touches the file
// system, and only for a name that passed the others.
bool IsLocalPictureFile(const QString &path);
