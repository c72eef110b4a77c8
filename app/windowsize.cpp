#include "app/windowsize.h"

#include <QDir>
#include <QFileInfo>
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

namespace {

const QString kRecentKey = QStringLiteral("Fenster/Zuletzt");

// The same file, whether its name was given relative or with "..".
QString documentKey(const QString &document)
{
    return QDir::cleanPath(QFileInfo(document).absoluteFilePath());
}

} // namespace

QStringList LoadRecentDocuments(const QString &path)
{
    const QSettings ini(path, QSettings::IniFormat);
    QStringList documents;
    for (const QString &d : ini.value(kRecentKey).toStringList()) {
        if (!d.isEmpty() && documents.size() < kRecentDocuments && !documents.contains(d))
            documents << d;
    }
    return documents;
}

void SaveRecentDocuments(const QString &path, const QStringList &documents)
{
    QSettings ini(path, QSettings::IniFormat);
    if (documents.isEmpty())
        ini.remove(kRecentKey);
    else
        ini.setValue(kRecentKey, documents);
}

QStringList WithRecentDocument(const QStringList &documents, const QString &document)
{
    const QString key = documentKey(document);
    QStringList out{key};
    for (const QString &d : documents) {
        if (out.size() >= kRecentDocuments)
            break;
        if (documentKey(d) != key)
            out << d;
    }
    return out;
}
