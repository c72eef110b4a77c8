#include "app/proposedname.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

QString ProposedFileName(const QString &documentPath, const QString &heading, const QString &suffix)
{
    if (!documentPath.isEmpty()) {
        const QFileInfo f(documentPath);
        return QDir(f.absolutePath()).filePath(f.completeBaseName() + QLatin1Char('.') + suffix);
    }
    static const QRegularExpression refused(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QString name = heading;
    name.replace(refused, QStringLiteral(" "));
    name = name.simplified();
    // A name of dots alone would name the folder itself.
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.trimmed();
    if (name.isEmpty())
        return QString();
    return name + QLatin1Char('.') + suffix;
}

QString DialogStartFolder(const QString &documentPath)
{
    if (!documentPath.isEmpty()) {
        const QFileInfo folder(QFileInfo(documentPath).absolutePath());
        if (folder.isDir())
            return folder.absoluteFilePath();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}
