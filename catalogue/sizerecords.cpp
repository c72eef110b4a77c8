// The document records of size columns (group D):
//   0x0020 headings: int32 count N, then N entries of int32 category index,
//          uint16 k (1..4), k wide-string headings; only categories with
//          sizes are listed
//   0x0021 further prices: int32 count N, then N entries of int32 category
//          index, int32 product index, byte flags (bit 0: the first size is
//          empty, the stored price 0 does not mean "on request"), uint16 k
//          (0..3), k float64 prices of sizes 2 .. k + 1 (NaN = not in this
//          size); only products of sized categories with something to say
//          are listed. It follows 0x0020, whose headings it needs.
// The first size's price is the product's own price in the catalogue part of
// the file, so a program that stops after group C shows the first size.
#include "catalogue/sizerecords.h"

#include "catalogue/catalogue.h"
#include "catalogue/markrecords.h"
#include "catalogue/usertext.h"

#include <QSet>
#include <cmath>
#include <limits>
#include <vector>

namespace {

const char16_t *const kMessages[] = {
    u"Größen der Kategorien",
    u"Preise der Größen",
    u"die Anzahl %1 passt nicht in den Eintrag",
    u"Eintrag %1 nennt Kategorie %2, die es in der Datei nicht gibt",
    u"Eintrag %1 hat %2 Größen (erlaubt sind 1 bis 4)",
    u"Eintrag %1 nennt Produkt %2 in Kategorie %3, das es in der Datei nicht gibt",
    u"Eintrag %1 hat Preise für Größen, die Kategorie %2 nicht hat",
    u"Eintrag %1 hat einen Preis, der keiner ist",
    u"Eintrag %1 nennt Kategorie %2 ein zweites Mal",
    u"Eintrag %1 nennt Produkt %2 in Kategorie %3 ein zweites Mal",
    u"Eintrag %1 setzt unbekannte Bits (%2)",
    u"Eintrag %1 gibt einem freien Text Größen",
    u"Eintrag %1 nennt die erste Größe leer, aber das Produkt hat dort einen Preis",
};
enum {
    kHeadingsName,
    kPricesName,
    kBadCount,
    kNoSuchCategory,
    kBadSizes,
    kNoSuchProduct,
    kNoSuchSize,
    kBadPrice,
    kCategoryTwice,
    kProductTwice,
    kBadFlags,
    kFreeTextSizes,
    kEmptyWithPrice
};

// Bit 0 of an entry's flags in record 0x0021; the other bits are 0.
constexpr uint8_t kFirstSizeEmpty = 1;

QString text(int m)
{
    return UserText(QString::fromUtf16(kMessages[m]));
}

const TDynaArray *productsOf(const Catalogue &cat, int c)
{
    return *static_cast<TDynaArray *const *>(cat.kats->At(uint32_t(c)));
}

bool writeHeadings(const ConstExtensionContent &doc, ByteWriter &w)
{
    const Catalogue &cat = doc.catalogue;
    if (!cat.hasSizes())
        return false;
    ByteWriter entries;
    int32_t count = 0;
    for (int c = 0; c < cat.categoryCount(); ++c) {
        const QStringList h = cat.sizeHeadings(c);
        if (h.isEmpty())
            continue;
        entries.writeInt32(c);
        WriteUInt16(entries, uint16_t(h.size()));
        for (const QString &t : h)
            entries.writeWideString(t);
        ++count;
    }
    w.writeInt32(count);
    w.writeBytes(entries.data());
    return true;
}

bool readHeadings(ByteReader &r, ExtensionContent &doc, QString *error)
{
    Catalogue &cat = doc.catalogue;
    const int32_t n = r.readInt32();
    if (!r.ok())
        return false;
    // An entry takes at least 10 bytes.
    if (n < 0 || qsizetype(n) > r.remaining() / 10) {
        *error = text(kBadCount).arg(n);
        return false;
    }
    // The record stands once (its type says so), so this costs one flag per
    // category once.
    std::vector<bool> listed(size_t(cat.categoryCount()), false);
    for (int32_t i = 0; i < n; ++i) {
        const int32_t c = r.readInt32();
        const uint16_t k = ReadUInt16(r);
        if (!r.ok())
            return false;
        if (c < 0 || c >= cat.categoryCount()) {
            *error = text(kNoSuchCategory).arg(i + 1).arg(qint64(c) + 1);
            return false;
        }
        if (listed[size_t(c)]) {
            *error = text(kCategoryTwice).arg(i + 1).arg(qint64(c) + 1);
            return false;
        }
        listed[size_t(c)] = true;
        if (k < 1 || k > kMaxSizes) {
            *error = text(kBadSizes).arg(i + 1).arg(k);
            return false;
        }
        QStringList h;
        for (uint16_t j = 0; j < k && r.ok(); ++j)
            h << r.readWideString();
        if (!r.ok())
            return false;
        // The catalogue keeps headings of one line (control characters
        // become spaces) and drops empty ones at the end; the writer never
        // ends the list with an empty heading.
        cat.setSizeHeadings(c, h);
        if (cat.sizeHeadings(c).size() != h.size()) {
            *error = text(kBadSizes).arg(i + 1).arg(k);
            return false;
        }
    }
    return true;
}

bool writePrices(const ConstExtensionContent &doc, ByteWriter &w)
{
    const Catalogue &cat = doc.catalogue;
    ByteWriter entries;
    int32_t count = 0;
    for (int c = 0; c < cat.categoryCount(); ++c) {
        if (!cat.hasSizes(c))
            continue;
        const TDynaArray *prods = productsOf(cat, c);
        for (uint32_t p = 0; prods && p < prods->count; ++p) {
            // What the card shows, and the reader takes: a free text has no
            // sizes, a first size with a price is not empty.
            const double price = static_cast<const TProductRec *>(prods->At(p))->price;
            if (price < 0)
                continue;
            const QVector<double> further = cat.furtherPrices(c, int(p));
            const bool firstEmpty = cat.firstSizeEmpty(c, int(p)) && price == 0;
            if (further.isEmpty() && !firstEmpty)
                continue;
            entries.writeInt32(c);
            entries.writeInt32(int32_t(p));
            entries.writeByte(firstEmpty ? kFirstSizeEmpty : 0);
            WriteUInt16(entries, uint16_t(further.size()));
            for (double v : further)
                entries.writeFloat64(std::isnan(v) ? std::numeric_limits<double>::quiet_NaN() : v);
            ++count;
        }
    }
    if (count == 0)
        return false;
    w.writeInt32(count);
    w.writeBytes(entries.data());
    return true;
}

bool readPrices(ByteReader &r, ExtensionContent &doc, QString *error)
{
    Catalogue &cat = doc.catalogue;
    const int32_t n = r.readInt32();
    if (!r.ok())
        return false;
    // An entry takes at least 11 bytes.
    if (n < 0 || qsizetype(n) > r.remaining() / 11) {
        *error = text(kBadCount).arg(n);
        return false;
    }
    // The products listed so far (category << 32 | product): as many as
    // the entries, not as the document's products.
    QSet<quint64> listed;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t c = r.readInt32();
        const int32_t p = r.readInt32();
        const uint8_t flags = r.readByte();
        const uint16_t k = ReadUInt16(r);
        QVector<double> further;
        for (uint16_t j = 0; j < k && r.ok() && j < kMaxSizes; ++j)
            further << r.readFloat64();
        if (!r.ok())
            return false;
        if (c < 0 || c >= cat.categoryCount() || p < 0 || uint32_t(p) >= cat.products(c)->count) {
            *error = text(kNoSuchProduct).arg(i + 1).arg(qint64(p) + 1).arg(qint64(c) + 1);
            return false;
        }
        const quint64 key = (quint64(uint32_t(c)) << 32) | uint32_t(p);
        if (listed.contains(key)) {
            *error = text(kProductTwice).arg(i + 1).arg(qint64(p) + 1).arg(qint64(c) + 1);
            return false;
        }
        listed.insert(key);
        if (flags & ~kFirstSizeEmpty) {
            *error = text(kBadFlags).arg(i + 1).arg(flags & ~kFirstSizeEmpty);
            return false;
        }
        if (k + 1 > cat.sizeHeadings(c).size()) {
            *error = text(kNoSuchSize).arg(i + 1).arg(qint64(c) + 1);
            return false;
        }
        const double price = static_cast<const TProductRec *>(cat.products(c)->At(uint32_t(p)))->price;
        // A free text is sold in no size; an empty first size is stored as 0.
        if (price < 0 && (k > 0 || (flags & kFirstSizeEmpty))) {
            *error = text(kFreeTextSizes).arg(i + 1);
            return false;
        }
        if ((flags & kFirstSizeEmpty) && price != 0) {
            *error = text(kEmptyWithPrice).arg(i + 1);
            return false;
        }
        for (double v : further) {
            if (!std::isnan(v) && !(v > 0 && std::isfinite(v))) {
                *error = text(kBadPrice).arg(i + 1);
                return false;
            }
        }
        cat.setStoredSizePrices(c, p, (flags & kFirstSizeEmpty) != 0, further);
    }
    return true;
}

} // namespace

QVector<ExtensionRecordType> SizeRecordTypes()
{
    return {
        // Once: a second one would change the sizes under the prices read.
        {kSizeHeadingsRecord, "Größen der Kategorien", writeHeadings, readHeadings, nullptr, true},
        {kSizePricesRecord, "Preise der Größen", writePrices, readPrices},
    };
}

QStringList SizeRecordMessageTexts()
{
    QStringList t;
    for (const char16_t *m : kMessages)
        t << QString::fromUtf16(m);
    return t;
}
