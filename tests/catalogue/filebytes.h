// The encodings of the document page (docs/file-format.md, "Encodings" and
// "Group D"), written out by hand so that tests can build files from the
// page without the program's writer.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstdint>
#include <cstring>

namespace filebytes {

inline QByteArray int32(int32_t v)
{
    char b[4];
    qToLittleEndian<qint32>(v, b);
    return QByteArray(b, 4);
}

inline QByteArray uint16(uint16_t v)
{
    char b[2];
    qToLittleEndian<quint16>(v, b);
    return QByteArray(b, 2);
}

inline QByteArray uint32(uint32_t v)
{
    char b[4];
    qToLittleEndian<quint32>(v, b);
    return QByteArray(b, 4);
}

inline QByteArray byte(uint8_t v)
{
    return QByteArray(1, char(v));
}

inline QByteArray float64(double v)
{
    char b[8];
    std::memcpy(b, &v, 8);
    return QByteArray(b, 8);
}

inline QByteArray text(const QString &t)
{
    QByteArray b = int32(int32_t(t.size()));
    for (QChar c : t)
        b += uint16(c.unicode());
    return b;
}

// A record of group D: tag, payload length, payload.
inline QByteArray record(uint16_t tag, const QByteArray &payload)
{
    return uint16(tag) + uint32(uint32_t(payload.size())) + payload;
}

// Group D around its records: "VLRD", length, records.
inline QByteArray group(const QByteArray &records)
{
    return QByteArray("VLRD", 4) + uint32(uint32_t(records.size())) + records;
}

} // namespace filebytes
