// Helpers for the localisation tests: building translate.dat images.
#pragma once

#include "catalogue/brastel.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>
#include <vector>

// Readable QString values in test failure messages.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace i18ntest {

// A file image with the given column count and rows (each row gives its
// records; missing ones are written empty up to columns).
inline QByteArray tableFile(int32_t columns, const std::vector<QStringList> &rows, int32_t rowCount)
{
    ByteWriter w;
    w.writeInt32(columns);
    w.writeInt32(rowCount);
    for (const QStringList &r : rows) {
        for (int c = 0; c < columns; ++c)
            w.writeWideString(c < r.size() ? r.at(c) : QString());
    }
    return w.data();
}

inline QByteArray tableFile(int32_t columns, const std::vector<QStringList> &rows)
{
    return tableFile(columns, rows, int32_t(rows.size()));
}

} // namespace i18ntest
