#pragma once

#include <QIcon>

// Icons of the windows. The desktop's icon theme wins where it has the name, so the program
// fits in with the rest of the desktop; the program's own drawings (resources under
// ":/icons/") stand in where the theme has nothing, e.g. on a bare system or the offscreen
// platform.

// The theme icon `themeName` (a freedesktop icon name such as "document-open"), or the
// program's own ":/icons/<fallback>.svg" when the theme lacks it.
QIcon AppIcon(const char *themeName, const char *fallback);

// The program's own picture for `name`, without asking the theme (null if there is none).
QIcon OwnIcon(const char *name);

// The application icon (window icon, about box): a menu card with plate, fork and knife.
QIcon VelloranIcon();
