#pragma once

#include <QIcon>
#include <QList>

// Icons of the windows. The desktop's icon theme wins where it has the name, so the program
// fits in with the rest of the desktop; the program's own drawings (resources under
// ":/icons/") stand in where the theme has nothing, e.g. on a bare system or the offscreen
// platform.

// The theme icon `themeName` (a freedesktop icon name such as "document-open"), or the
// program's own ":/icons/<fallback>.svg" when the theme lacks it.
QIcon AppIcon(const char *themeName, const char *fallback);

// The program's own picture for `name`, without asking the theme (null if there is none):
// the SVG drawing where Qt reads SVG, otherwise the same drawing as PNG pictures.
QIcon OwnIcon(const char *name);

// The PNG pictures of `name` (":/icons/png/<name>-<size>.png"), drawn from the SVG by
// scripts/render_icons.cpp at each of OwnIconPictureSizes().
QIcon OwnIconPictures(const char *name);
const QList<int> &OwnIconPictureSizes();

// The application icon (window icon, about box): a menu card with plate, fork and knife.
QIcon VelloranIcon();
