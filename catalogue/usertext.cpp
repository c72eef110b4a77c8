#include "catalogue/usertext.h"

namespace {
QString (*g_lookup)(const QString &) = nullptr;
}

QString UserText(const QString &german)
{
    return g_lookup ? g_lookup(german) : german;
}

void SetUserTextLookup(QString (*lookup)(const QString &))
{
    g_lookup = lookup;
}
