// The file-type filter of one of the program's open/save dialogs.
//
// The filter is kept in the Windows form "Speisekarten (*.vlr)|*.vlr"
// (description|patterns pairs, patterns separated by ';'): the whole string is
// one translation key, and the interface translation replaces it as a whole.
// It is turned into Qt's form only when a dialog is shown.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class FileDialogFilter : public QObject {
    Q_OBJECT
public:
    explicit FileDialogFilter(const QString &windowsFilter = QString(), QObject *parent = nullptr)
        : QObject(parent), filter(windowsFilter)
    {
    }

    // The Windows form; the interface translation writes here.
    QString filter;

    // Qt's form, entries separated by ";;" (for QFileDialog::getOpenFileName
    // and friends).
    QString qtFilter() const { return ToQtFilter(filter); }
    // Qt's form, one entry per pair (for QFileDialog::setNameFilters).
    QStringList qtFilters() const { return ToQtFilters(filter); }

    // "Text (*.x)|*.x|Alle (*.*)|*.*" -> {"Text (*.x)", "Alle (*.*)"}.
    // The patterns in parentheses are the pair's own patterns (';' becomes a
    // blank); a description that already ends in them is kept as it is.
    static QStringList ToQtFilters(const QString &windowsFilter);
    static QString ToQtFilter(const QString &windowsFilter) { return ToQtFilters(windowsFilter).join(QStringLiteral(";;")); }
};
