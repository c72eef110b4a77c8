#include "catalogue/codepage.h"

#include <QStringDecoder>

namespace {

// 0x80..0x9F; the unassigned bytes keep their C1 control.
const char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct Table {
    char16_t toUnicode[256];
    bool fromQt = false;

    Table()
    {
        for (int i = 0; i < 256; ++i)
            toUnicode[i] = char16_t(i);
        for (int i = 0; i < 32; ++i)
            toUnicode[0x80 + i] = kHigh[i];
        // Prefer Qt's converter when this build has one (ICU); it must give
        // exactly one BMP character per byte to be usable as a table.
        QStringDecoder dec("windows-1252");
        if (!dec.isValid())
            return;
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        const QString s = dec.decode(all);
        if (dec.hasError() || s.size() != 256)
            return;
        for (int i = 0; i < 256; ++i) {
            if (s.at(i).isSurrogate())
                return;
        }
        for (int i = 0; i < 256; ++i)
            toUnicode[i] = s.at(i).unicode();
        fromQt = true;
    }

    char encode(char32_t c) const
    {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF && toUnicode[c] == c))
            return char(c);
        if (c <= 0xFFFF) {
            for (int i = 0x80; i < 0x100; ++i) {
                if (toUnicode[i] == c)
                    return char(i);
            }
        }
        return '?';
    }
};

const Table &table()
{
    static const Table t;
    return t;
}

} // namespace

QByteArray ToWindows1252(const QString &s)
{
    const Table &t = table();
    QByteArray out;
    out.reserve(s.size());
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < n && s.at(i + 1).isLowSurrogate()) {
            ++i; // one character outside the code page
            out.append('?');
        } else if (c.isSurrogate()) {
            out.append('?');
        } else {
            out.append(t.encode(c.unicode()));
        }
    }
    return out;
}

QString FromWindows1252(const QByteArray &b)
{
    const Table &t = table();
    QString s(b.size(), Qt::Uninitialized);
    QChar *d = s.data();
    for (qsizetype i = 0; i < b.size(); ++i)
        d[i] = QChar(t.toUnicode[uint8_t(b.at(i))]);
    return s;
}

QChar Windows1252Char(uint8_t byte)
{
    return QChar(table().toUnicode[byte]);
}

bool Windows1252FromQt()
{
    return table().fromQt;
}

const char16_t *Windows1252BuiltInHighTable()
{
    return kHigh;
}
