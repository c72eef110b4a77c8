#include "catalogue/extension.h"

#include "catalogue/usertext.h"

#include <QtEndian>

const char kExtensionGroupTag[4] = {'V', 'L', 'R', 'D'};

namespace {

constexpr qsizetype kRecordHeader = 2 + 4;
// Group D holds at most 16 MB of records and at most 100,000 records; a
// larger one is damage.
constexpr uint32_t kMaxExtensionGroupBytes = 16u * 1024u * 1024u;
constexpr int kMaxExtensionRecords = 100000;

// Why group D cannot be read, in German; shown through UserText.
const char16_t *const kMessages[] = {
    u"Die Erweiterungsgruppe bei Byte %1 ist abgeschnitten (%2 Bytes übrig).",
    u"Die Erweiterungsgruppe bei Byte %1 gibt %2 Bytes an, mehr als der Rest der Datei enthält (%3 Bytes übrig).",
    u"Der Erweiterungseintrag bei Byte %1 ist abgeschnitten.",
    u"Der Erweiterungseintrag %1 bei Byte %2 gibt %3 Bytes an, mehr als seine Gruppe enthält.",
    u"Der Eintrag „%1“ der Erweiterungsgruppe ist beschädigt: %2.",
    u"er enthält mehr Bytes als seinen Inhalt",
    u"er ist abgeschnitten",
    u"Die Erweiterungsgruppe bei Byte %1 ist mit %2 Bytes größer als 16 MB.",
    u"Die Erweiterungsgruppe bei Byte %1 hat mehr als 100000 Einträge.",
    u"er steht mehr als einmal in der Erweiterungsgruppe",
};
enum {
    kGroupCut,
    kGroupTooLong,
    kRecordCut,
    kRecordTooLong,
    kRecordDamaged,
    kRecordExtra,
    kRecordShort,
    kGroupTooLarge,
    kGroupTooManyRecords,
    kRecordTwice
};

QString text(int m)
{
    return UserText(QString::fromUtf16(kMessages[m]));
}

uint32_t uint32At(const QByteArray &b, qsizetype pos)
{
    return qFromLittleEndian<quint32>(b.constData() + pos);
}

void appendUInt32(QByteArray &b, uint32_t v)
{
    char le[4];
    qToLittleEndian<quint32>(v, le);
    b.append(le, 4);
}

} // namespace

QStringList ExtensionGroupMessageTexts()
{
    QStringList t;
    for (const char16_t *m : kMessages)
        t << QString::fromUtf16(m);
    return t;
}

void WriteUInt16(ByteWriter &w, uint16_t v)
{
    w.writeByte(uint8_t(v & 0xFF));
    w.writeByte(uint8_t(v >> 8));
}

uint16_t ReadUInt16(ByteReader &r)
{
    const uint8_t lo = r.readByte();
    const uint8_t hi = r.readByte();
    return uint16_t(lo | (hi << 8));
}

QByteArray EncodeExtensionGroup(const ExtensionRecords &records)
{
    if (records.isEmpty())
        return {};
    QByteArray body;
    for (const ExtensionRecord &rec : records) {
        char tag[2];
        qToLittleEndian<quint16>(rec.tag, tag);
        body.append(tag, 2);
        appendUInt32(body, uint32_t(rec.payload.size()));
        body.append(rec.payload);
    }
    QByteArray out(kExtensionGroupTag, 4);
    appendUInt32(out, uint32_t(body.size()));
    out.append(body);
    return out;
}

bool StartsExtensionGroup(const QByteArray &bytes, qsizetype pos)
{
    const qsizetype n = qMin<qsizetype>(4, bytes.size() - pos);
    if (n <= 0)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes.at(pos + i) != kExtensionGroupTag[i])
            return false;
    }
    return true;
}

bool DecodeExtensionGroup(const QByteArray &bytes, qsizetype pos, ExtensionRecords &records,
                          qsizetype &end, QString *error)
{
    auto fail = [&](const QString &what) {
        if (error)
            *error = what;
        return false;
    };
    const qsizetype left = bytes.size() - pos;
    if (left < 8 || !StartsExtensionGroup(bytes, pos))
        return fail(text(kGroupCut).arg(pos).arg(left));
    const uint32_t length = uint32At(bytes, pos + 4);
    if (qint64(length) > qint64(left - 8))
        return fail(text(kGroupTooLong)
                        .arg(pos)
                        .arg(length)
                        .arg(left - 8));
    if (length > kMaxExtensionGroupBytes)
        return fail(text(kGroupTooLarge).arg(pos).arg(length));
    const qsizetype groupEnd = pos + 8 + qsizetype(length);
    ExtensionRecords out;
    qsizetype at = pos + 8;
    while (at < groupEnd) {
        if (out.size() >= kMaxExtensionRecords)
            return fail(text(kGroupTooManyRecords).arg(pos));
        if (groupEnd - at < kRecordHeader)
            return fail(text(kRecordCut).arg(at));
        ExtensionRecord rec;
        rec.tag = qFromLittleEndian<quint16>(bytes.constData() + at);
        const uint32_t n = uint32At(bytes, at + 2);
        if (qint64(n) > qint64(groupEnd - at - kRecordHeader))
            return fail(text(kRecordTooLong)
                            .arg(rec.tag)
                            .arg(at)
                            .arg(n));
        rec.payload = bytes.mid(at + kRecordHeader, qsizetype(n));
        out.append(rec);
        at += kRecordHeader + qsizetype(n);
    }
    records = out;
    end = groupEnd;
    return true;
}

ExtensionRecords WriteExtensionRecords(const ConstExtensionContent &doc, const ExtensionRecords &unknown,
                                       RecordScope scope)
{
    ExtensionRecords out;
    for (const ExtensionRecordType &type : ExtensionRecordTypes()) {
        if (scope == RecordScope::CardSettings && !type.cardSetting)
            continue;
        ByteWriter w;
        if (type.write(doc, w))
            out.append(ExtensionRecord{type.tag, w.data()});
    }
    out += unknown;
    return out;
}

bool ReadExtensionRecords(const ExtensionRecords &records, ExtensionContent &doc, ExtensionRecords &unknown,
                          QString *error, RecordScope scope)
{
    const QVector<ExtensionRecordType> &types = ExtensionRecordTypes();
    QVector<bool> seen(types.size(), false);
    auto damaged = [&](const ExtensionRecordType &type, const QString &why) {
        if (error)
            *error = text(kRecordDamaged).arg(UserText(QString::fromUtf8(type.name)), why);
        return false;
    };
    for (const ExtensionRecord &rec : records) {
        qsizetype t = 0;
        while (t < types.size()
               && (types.at(t).tag != rec.tag
                   || (scope == RecordScope::CardSettings && !types.at(t).cardSetting)))
            ++t;
        if (t == types.size()) {
            unknown.append(rec);
            continue;
        }
        const ExtensionRecordType &type = types.at(t);
        if (type.once && seen.at(t))
            return damaged(type, text(kRecordTwice));
        seen[t] = true;
        ByteReader r(rec.payload);
        QString why;
        if (!type.read(r, doc, &why) || !r.ok() || !r.atEnd()) {
            if (why.isEmpty())
                why = text(r.ok() ? kRecordExtra : kRecordShort);
            return damaged(type, why);
        }
    }
    for (qsizetype t = 0; t < types.size(); ++t) {
        const ExtensionRecordType &type = types.at(t);
        QString why;
        if (seen.at(t) && type.check && !type.check(doc, &why))
            return damaged(type, why);
    }
    return true;
}
