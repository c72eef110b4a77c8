#include "i18n/filedialogfilter.h"

QStringList FileDialogFilter::ToQtFilters(const QString &windowsFilter)
{
    QStringList out;
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString desc = parts.at(i).trimmed();
        QString patterns = i + 1 < parts.size() ? parts.at(i + 1) : QString();
        QStringList list;
        for (const QString &p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            if (!t.isEmpty())
                list << t;
        }
        if (list.isEmpty()) {
            // A description without patterns: Qt reads its own parentheses.
            if (!desc.isEmpty())
                out << desc;
            continue;
        }
        const QString wanted = QLatin1Char('(') + list.join(QLatin1Char(' ')) + QLatin1Char(')');
        if (desc.endsWith(wanted)) {
            out << desc;
            continue;
        }
        // Drop a parenthesised tail written the Windows way ("*.jpg;*.bmp")
        // and give the patterns in Qt's form.
        if (desc.endsWith(QLatin1Char(')'))) {
            const qsizetype open = desc.lastIndexOf(QLatin1Char('('));
            if (open >= 0)
                desc = desc.left(open).trimmed();
        }
        out << (desc.isEmpty() ? wanted : desc + QLatin1Char(' ') + wanted);
    }
    return out;
}
