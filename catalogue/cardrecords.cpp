#include "catalogue/cardrecords.h"

#include "catalogue/cards.h"
#include "catalogue/catalogue.h"
#include "catalogue/document.h"
#include "catalogue/usertext.h"

#include <QtEndian>

namespace {

const char16_t *const kMessages[] = {
    u"die Zahl der Karten (%1) liegt nicht zwischen 1 und 64",
    u"Karte %1: %2",
    u"Eintrag %1 nennt Produkt %2 in Kategorie %3, das es nicht gibt",
    u"Eintrag %1 steht nicht nach dem Eintrag davor (jedes Produkt einmal, in Katalogfolge)",
    u"die Zahl der Einträge (%1) passt nicht in den Eintrag",
    u"Eintrag %1 nennt Karte %2, die es nicht gibt",
    u"Karte %1 steht mehr als einmal in der Liste",
    u"die Datumszeile (%1) ist unbekannt",
    u"das Datum %1-%2-%3 gibt es nicht",
    u"die Länge der Einstellungen von Karte %1 passt nicht in den Eintrag",
    u"ein Produkt steht auf Karte %1, die es nicht gibt",
};
enum {
    kBadCardCount,
    kBadCard,
    kNoSuchProduct,
    kNotAscending,
    kBadCount,
    kNoSuchCard,
    kCardTwice,
    kBadDateLine,
    kBadDate,
    kBadLength,
    kProductOnNoSuchCard,
};

QString text(int m)
{
    return UserText(QString::fromUtf16(kMessages[m]));
}

// The cards of a content: a document read without them has only the first.
const CardList &cardsOf(const ConstExtensionContent &doc)
{
    static const CardList single;
    return doc.cards ? *doc.cards : single;
}

void writeUInt32(ByteWriter &w, uint32_t v)
{
    char le[4];
    qToLittleEndian<quint32>(v, le);
    w.writeBytes(QByteArray(le, 4));
}

uint32_t readUInt32(ByteReader &r)
{
    const QByteArray b = r.readBytes(4);
    return r.ok() ? qFromLittleEndian<quint32>(b.constData()) : 0;
}

// ---- 0x0040 cards ---------------------------------------------------------------

bool writeCards(const ConstExtensionContent &doc, ByteWriter &w)
{
    const CardList &cards = cardsOf(doc);
    if (cards.isDefault())
        return false;
    w.writeInt32(cards.count());
    for (const Card &c : cards.cards())
        w.writeWideString(c.name);
    for (int i = 1; i < cards.count(); ++i) {
        const CardSettings &s = cards.at(i).settings;
        const QByteArray fields = WriteCardSettingFields(s);
        writeUInt32(w, uint32_t(fields.size()));
        w.writeBytes(fields);
        Catalogue none;
        const QByteArray records = EncodeExtensionGroup(
            WriteExtensionRecords({none, s, nullptr}, cards.at(i).unknownRecords, RecordScope::CardSettings));
        writeUInt32(w, uint32_t(records.size()));
        w.writeBytes(records);
    }
    return true;
}

// A length-prefixed block of the record.
bool readBlock(ByteReader &r, int card, QByteArray &block, QString *error)
{
    const uint32_t n = readUInt32(r);
    if (!r.ok())
        return false;
    if (qint64(n) > qint64(r.remaining())) {
        *error = text(kBadLength).arg(card + 1);
        return false;
    }
    block = r.readBytes(qsizetype(n));
    return r.ok();
}

bool readCards(ByteReader &r, ExtensionContent &doc, QString *error)
{
    const int32_t n = r.readInt32();
    if (!r.ok())
        return false;
    if (n < 1 || n > kMaxCards) {
        *error = text(kBadCardCount).arg(n);
        return false;
    }
    CardList read;
    QVector<Card> cards;
    for (int32_t i = 0; i < n; ++i) {
        Card c;
        c.name = r.readWideString();
        if (!r.ok())
            return false;
        read.assign(cards);
        const QString problem = cards.isEmpty() ? CardList().nameProblem(c.name, 0)
                                                : read.nameProblem(c.name);
        if (!problem.isEmpty()) {
            *error = text(kBadCard).arg(i + 1).arg(UserText(problem));
            return false;
        }
        cards.append(c);
    }
    for (int32_t i = 1; i < n; ++i) {
        QByteArray fields, records;
        if (!readBlock(r, i, fields, error) || !readBlock(r, i, records, error))
            return false;
        CardSettings s; // what the fields and records do not set keeps its default
        QString why;
        if (!ReadCardSettingFields(fields, s, &why)) {
            *error = text(kBadCard).arg(i + 1).arg(why);
            return false;
        }
        ExtensionRecords nested, unknown;
        qsizetype end = 0;
        Catalogue none;
        ExtensionContent content{none, s, nullptr};
        if (!records.isEmpty()
            && (!DecodeExtensionGroup(records, 0, nested, end, &why) || end != records.size()
                || !ReadExtensionRecords(nested, content, unknown, &why, RecordScope::CardSettings))) {
            *error = text(kBadCard).arg(i + 1).arg(why.isEmpty() ? text(kBadLength).arg(i + 1) : why);
            return false;
        }
        cards[i].settings = s;
        cards[i].unknownRecords = unknown;
    }
    if (doc.cards)
        doc.cards->assign(cards);
    return true;
}

// ---- product lists ------------------------------------------------------------

// Reads k products (category, product), each after the one before, and calls
// take(category, product) for each.
template <class F>
bool readProducts(ByteReader &r, const Catalogue &cat, int32_t k, QString *error, F take)
{
    qint64 previous = -1;
    for (int32_t i = 0; i < k; ++i) {
        const int32_t ci = r.readInt32();
        const int32_t pi = r.readInt32();
        if (!r.ok())
            return false;
        if (ci < 0 || ci >= cat.categoryCount() || pi < 0 || uint32_t(pi) >= uint32_t(cat.productCount(ci))) {
            *error = text(kNoSuchProduct).arg(i + 1).arg(qint64(pi) + 1).arg(qint64(ci) + 1);
            return false;
        }
        const qint64 key = (qint64(ci) << 32) | qint64(pi);
        if (key <= previous) {
            *error = text(kNotAscending).arg(i + 1);
            return false;
        }
        previous = key;
        take(ci, pi);
    }
    return true;
}

bool checkCount(ByteReader &r, int32_t n, qsizetype minBytes, QString *error)
{
    if (n < 0 || qsizetype(n) > r.remaining() / minBytes) {
        *error = text(kBadCount).arg(n);
        return false;
    }
    return true;
}

// Card i's products differ from what a card without an entry carries: the
// first card everything, a further card nothing.
bool cardDiffers(const Catalogue &cat, int card)
{
    const bool byDefault = card == 0;
    for (int i = 0; i < cat.categoryCount(); ++i)
        for (uint32_t j = 0; j < uint32_t(cat.productCount(i)); ++j)
            if (bool((cat.productCards(i, int(j)) >> card) & 1u) != byDefault)
                return true;
    return false;
}

bool writeCardProducts(const ConstExtensionContent &doc, ByteWriter &w)
{
    const Catalogue &cat = doc.catalogue;
    const int cards = cardsOf(doc).count();
    QVector<int> listed;
    for (int k = 0; k < cards; ++k)
        if (cardDiffers(cat, k))
            listed.append(k);
    if (listed.isEmpty())
        return false;
    w.writeInt32(int32_t(listed.size()));
    for (int k : listed) {
        w.writeInt32(k);
        QVector<QPair<int, int>> on;
        for (int i = 0; i < cat.categoryCount(); ++i)
            for (uint32_t j = 0; j < uint32_t(cat.productCount(i)); ++j)
                if ((cat.productCards(i, int(j)) >> k) & 1u)
                    on.append({i, int(j)});
        w.writeInt32(int32_t(on.size()));
        for (const auto &p : on) {
            w.writeInt32(p.first);
            w.writeInt32(p.second);
        }
    }
    return true;
}

bool readCardProducts(ByteReader &r, ExtensionContent &doc, QString *error)
{
    Catalogue &cat = doc.catalogue;
    const int32_t n = r.readInt32();
    if (!r.ok() || !checkCount(r, n, 8, error))
        return false;
    uint64_t seen = 0;
    for (int32_t e = 0; e < n; ++e) {
        const int32_t card = r.readInt32();
        const int32_t k = r.readInt32();
        if (!r.ok())
            return false;
        if (card < 0 || card >= kMaxCards) {
            *error = text(kNoSuchCard).arg(e + 1).arg(qint64(card) + 1);
            return false;
        }
        if ((seen >> card) & 1u) {
            *error = text(kCardTwice).arg(card + 1);
            return false;
        }
        seen |= uint64_t(1) << card;
        if (!checkCount(r, k, 8, error))
            return false;
        cat.copyCardBit(-1, card);
        const uint64_t bit = uint64_t(1) << card;
        if (!readProducts(r, cat, k, error,
                          [&](int ci, int pi) { cat.setProductCards(ci, pi, cat.productCards(ci, pi) | bit); }))
            return false;
    }
    // The cards the list names must exist; the record of the cards may stand
    // after this one, so the check waits for the end of the group.
    return true;
}

// After every record: no product may stand on a card the document lacks.
bool checkCardProducts(ExtensionContent &doc, QString *error)
{
    const int cards = doc.cards ? doc.cards->count() : 1;
    if (cards >= kMaxCards)
        return true;
    const uint64_t beyond = ~uint64_t(0) << cards;
    Catalogue &cat = doc.catalogue;
    for (int i = 0; i < cat.categoryCount(); ++i)
        for (uint32_t j = 0; j < uint32_t(cat.productCount(i)); ++j)
            if (const uint64_t extra = cat.productCards(i, int(j)) & beyond) {
                int card = 0;
                while (!((extra >> card) & 1u))
                    ++card;
                *error = text(kProductOnNoSuchCard).arg(card + 1);
                return false;
            }
    return true;
}

bool writeNotOffered(const ConstExtensionContent &doc, ByteWriter &w)
{
    const Catalogue &cat = doc.catalogue;
    QVector<QPair<int, int>> off;
    for (int i = 0; i < cat.categoryCount(); ++i)
        for (uint32_t j = 0; j < uint32_t(cat.productCount(i)); ++j)
            if (!cat.isOffered(i, int(j)))
                off.append({i, int(j)});
    if (off.isEmpty())
        return false;
    w.writeInt32(int32_t(off.size()));
    for (const auto &p : off) {
        w.writeInt32(p.first);
        w.writeInt32(p.second);
    }
    return true;
}

bool readNotOffered(ByteReader &r, ExtensionContent &doc, QString *error)
{
    Catalogue &cat = doc.catalogue;
    const int32_t n = r.readInt32();
    if (!r.ok() || !checkCount(r, n, 8, error))
        return false;
    return readProducts(r, cat, n, error, [&](int ci, int pi) { cat.setOffered(ci, pi, false); });
}

// ---- 0x0043 card options --------------------------------------------------------

bool writeOptions(const ConstExtensionContent &doc, ByteWriter &w)
{
    const CardSettings &s = doc.settings;
    if (!s.NummernJeKarteCheck && s.DatumBox == CardSettings::DateLine::None)
        return false;
    w.writeByte(s.NummernJeKarteCheck ? 1 : 0);
    const bool fixed = s.DatumBox == CardSettings::DateLine::Fixed && s.DatumEd.isValid();
    w.writeByte(fixed ? 2 : s.DatumBox == CardSettings::DateLine::Today ? 1 : 0);
    if (fixed) {
        w.writeInt32(s.DatumEd.year());
        w.writeByte(uint8_t(s.DatumEd.month()));
        w.writeByte(uint8_t(s.DatumEd.day()));
    }
    return true;
}

bool readOptions(ByteReader &r, ExtensionContent &doc, QString *error)
{
    const bool perCard = r.readByte() != 0;
    const uint8_t kind = r.readByte();
    if (!r.ok())
        return false;
    if (kind > 2) {
        *error = text(kBadDateLine).arg(kind);
        return false;
    }
    QDate date;
    if (kind == 2) {
        const int32_t y = r.readInt32();
        const uint8_t m = r.readByte();
        const uint8_t d = r.readByte();
        if (!r.ok())
            return false;
        // Years of the Gregorian calendar as a card may print them.
        if (y < 1 || y > 9999 || !QDate::isValid(y, m, d)) {
            *error = text(kBadDate).arg(y).arg(m).arg(d);
            return false;
        }
        date = QDate(y, m, d);
    }
    doc.settings.NummernJeKarteCheck = perCard;
    doc.settings.DatumBox = CardSettings::DateLine(kind);
    doc.settings.DatumEd = date;
    return true;
}

} // namespace

void ResetCardOptions(CardSettings &s)
{
    s.NummernJeKarteCheck = false;
    s.DatumBox = CardSettings::DateLine::None;
    s.DatumEd = QDate();
}

QVector<ExtensionRecordType> CardRecordTypes()
{
    return {
        {kCardsRecord, "Karten", writeCards, readCards, nullptr, true},
        {kCardProductsRecord, "Produkte der Karten", writeCardProducts, readCardProducts, checkCardProducts, true},
        {kNotOfferedRecord, "Produkte nicht im Angebot", writeNotOffered, readNotOffered, nullptr, true},
        {kCardOptionsRecord, "Nummern und Datum der Karte", writeOptions, readOptions, nullptr, false, true},
    };
}

QStringList CardRecordMessageTexts()
{
    QStringList t;
    for (const char16_t *m : kMessages)
        t << QString::fromUtf16(m);
    t += CardNameMessageTexts();
    t << QString::fromUtf8("Karten") << QString::fromUtf8("Produkte der Karten")
      << QString::fromUtf8("Produkte nicht im Angebot") << QString::fromUtf8("Nummern und Datum der Karte");
    return t;
}
