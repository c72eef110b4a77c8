// Texts the program shows are written in German and pass through the
// translation lookup. The modules of this folder come before the lookup in
// the build; they reach it through this hook, which the translation module
// installs when the program's table is loaded. Without it a text stays
// German.
#pragma once

#include <QString>

QString UserText(const QString &german);
void SetUserTextLookup(QString (*lookup)(const QString &));
