#include "app/windowsize.h"

#include <QSettings>

QSize StartWindowSize(const QRect &available, const QSize &stored, const QSize &least)
{
    QSize s;
    if (stored.isValid() && !stored.isEmpty())
        s = stored;
    else
        s = QSize(available.width() * 4 / 5, available.height() * 4 / 5).expandedTo(least);
    if (available.isValid())
        s = s.boundedTo(available.size());
    return s;
}

QSize LoadWindowSize(const QString &path)
{
    const QSettings ini(path, QSettings::IniFormat);
    const QSize s = ini.value(QStringLiteral("Fenster/Groesse")).toSize();
    return s.isValid() && !s.isEmpty() ? s : QSize();
}

void SaveWindowSize(const QString &path, const QSize &size)
{
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(QStringLiteral("Fenster/Groesse"), size);
}
