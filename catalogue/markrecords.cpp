// The document records of allergens and additives (group D):
//   0x0001 settings: byte print marks (1/0), byte legend place (0 at the end
//          of the card, 1 on every page above the footer)
//   0x0002 additive list: int32 count n, then n wide-string records (entry i
//          is additive number i + 1)
//   0x0003 product marks: int32 count N, then N entries of int32 category
//          index, int32 product index, uint16 allergen bits (bit i = allergen
//          i in the order A B C D E F G H L M N O P R), uint16 count k, k
//          uint16 additive numbers in ascending order; only products that
//          carry a mark are listed
// Each is written only when it differs from a document without marks.
#include "catalogue/catalogue.h"
#include "catalogue/extension.h"
#include "catalogue/markrecords.h"
#include "catalogue/translation.h"
#include "catalogue/usertext.h"
#include "catalogue/cardsettings.h"

#include <algorithm>

namespace {

constexpr uint16_t kAllAllergens = (1u << kAllergenCount) - 1;

const char16_t *const kMessages[] = {
    u"Einstellungen der Kennzeichnung",
    u"Liste der Zusatzstoffe",
    u"Kennzeichnung der Produkte",
    u"unbekannte Stelle der Legende %1",
    u"die Anzahl %1 passt nicht in den Eintrag",
    u"Zusatzstoff Nummer 0 in Eintrag %1",
    u"Eintrag %1 nennt Produkt %2 in Kategorie %3, das es in der Datei nicht gibt",
    u"die Liste hat %1 Zusatzstoffe, höchstens 999 sind möglich",
    u"die Zusatzstoffe von Eintrag %1 sind nicht aufsteigend und einzeln",
    u"Eintrag %1 nennt Zusatzstoff Nummer %2, den die Liste nicht hat",
};
enum {
    kSettingsName,
    kAdditivesName,
    kMarksName,
    kBadPlace,
    kBadCount,
    kNumberZero,
    kNoSuchProduct,
    kTooManyAdditives,
    kAdditivesNotAscending,
    kNoSuchAdditive
};

QString text(int m)
{
    return UserText(QString::fromUtf16(kMessages[m]));
}

bool writeSettings(const ConstExtensionContent &doc, ByteWriter &w)
{
    const MarkSettings &m = doc.settings.marks;
    const MarkSettings defaults;
    if (m.MarksCheck == defaults.MarksCheck && m.LegendPos == defaults.LegendPos)
        return false;
    w.writeByte(m.MarksCheck ? 1 : 0);
    w.writeByte(uint8_t(m.LegendPos));
    return true;
}

bool readSettings(ByteReader &r, ExtensionContent &doc, QString *error)
{
    MarkSettings &m = doc.settings.marks;
    const bool on = r.readByte() != 0;
    const uint8_t place = r.readByte();
    if (!r.ok())
        return false;
    if (place > uint8_t(LegendPlace::EveryPage)) {
        *error = text(kBadPlace).arg(place);
        return false;
    }
    m.MarksCheck = on;
    m.LegendPos = LegendPlace(place);
    return true;
}

bool writeAdditives(const ConstExtensionContent &doc, ByteWriter &w)
{
    const QStringList &a = doc.settings.marks.additives;
    if (a == DefaultAdditives())
        return false;
    // The list the reader accepts: at most 999, no control characters.
    const qsizetype n = std::min<qsizetype>(a.size(), kMaxAdditives);
    w.writeInt32(int32_t(n));
    for (qsizetype i = 0; i < n; ++i)
        w.writeWideString(CleanAdditiveText(a.at(i)));
    return true;
}

bool readAdditives(ByteReader &r, ExtensionContent &doc, QString *error)
{
    const int32_t n = r.readInt32();
    if (!r.ok())
        return false;
    if (n < 0 || qsizetype(n) > r.remaining() / 4) {
        *error = text(kBadCount).arg(n);
        return false;
    }
    if (n > kMaxAdditives) {
        *error = text(kTooManyAdditives).arg(n);
        return false;
    }
    QStringList list;
    for (int32_t i = 0; i < n && r.ok(); ++i)
        list << CleanAdditiveText(r.readWideString());
    if (!r.ok())
        return false;
    // Whether the marks name additives of the list is checked once all
    // records are read (checkProductMarks): the list may stand before or
    // after them.
    doc.settings.marks.additives = list;
    return true;
}

bool writeProductMarks(const ConstExtensionContent &doc, ByteWriter &w)
{
    const Catalogue &cat = doc.catalogue;
    if (!cat.hasMarks())
        return false;
    ByteWriter entries;
    int32_t count = 0;
    const int known = int(std::min<qsizetype>(doc.settings.marks.additives.size(), kMaxAdditives));
    for (int c = 0; c < cat.categoryCount(); ++c) {
        const TDynaArray *prods = *static_cast<TDynaArray **>(cat.kats->At(uint32_t(c)));
        for (uint32_t p = 0; prods && p < prods->count; ++p) {
            const ProductMarks &m = cat.marks(c, int(p));
            // Only numbers of the list (at most 999): the reader refuses
            // others, and a number cut to 16 bits would turn into another.
            QVector<int> numbers;
            for (int n : m.additives)
                if (n >= 1 && n <= known)
                    numbers << n;
            if (m.allergens == 0 && numbers.isEmpty())
                continue;
            entries.writeInt32(c);
            entries.writeInt32(int32_t(p));
            WriteUInt16(entries, m.allergens);
            WriteUInt16(entries, uint16_t(numbers.size()));
            for (int n : numbers)
                WriteUInt16(entries, uint16_t(n));
            ++count;
        }
    }
    w.writeInt32(count);
    w.writeBytes(entries.data());
    return true;
}

bool readProductMarks(ByteReader &r, ExtensionContent &doc, QString *error)
{
    Catalogue &cat = doc.catalogue;
    const int32_t n = r.readInt32();
    if (!r.ok())
        return false;
    if (n < 0 || qsizetype(n) > r.remaining() / 12) {
        *error = text(kBadCount).arg(n);
        return false;
    }
    for (int32_t i = 0; i < n; ++i) {
        const int32_t c = r.readInt32();
        const int32_t p = r.readInt32();
        ProductMarks m;
        m.allergens = ReadUInt16(r) & kAllAllergens;
        const uint16_t k = ReadUInt16(r);
        if (qsizetype(k) * 2 > r.remaining()) {
            *error = text(kBadCount).arg(k);
            return false;
        }
        int previous = 0;
        for (uint16_t j = 0; j < k && r.ok(); ++j) {
            const uint16_t number = ReadUInt16(r);
            if (number == 0) {
                *error = text(kNumberZero).arg(i + 1);
                return false;
            }
            // Ascending and each once, as the writer puts them.
            if (number <= previous) {
                *error = text(kAdditivesNotAscending).arg(i + 1);
                return false;
            }
            previous = number;
            m.additives.append(number);
        }
        if (!r.ok())
            return false;
        if (c < 0 || c >= cat.categoryCount() || p < 0 || uint32_t(p) >= cat.products(c)->count) {
            *error = text(kNoSuchProduct)
                         .arg(i + 1)
                         .arg(qint64(p) + 1)
                         .arg(qint64(c) + 1);
            return false;
        }
        cat.setMarks(c, p, m);
    }
    return true;
}

// After every record: the marks name only additives of the document's list
// (record 0x0002, or the default list), wherever the list stands. Entries
// are counted in category and product order, the order the writer puts them.
bool checkProductMarks(ExtensionContent &doc, QString *error)
{
    const Catalogue &cat = doc.catalogue;
    const qsizetype known = doc.settings.marks.additives.size();
    int entry = 0;
    for (int c = 0; c < cat.categoryCount(); ++c) {
        const TDynaArray *prods = *static_cast<TDynaArray *const *>(cat.kats->At(uint32_t(c)));
        for (uint32_t p = 0; prods && p < prods->count; ++p) {
            const ProductMarks &m = cat.marks(c, int(p));
            if (m.isEmpty())
                continue;
            ++entry;
            if (!m.additives.isEmpty() && m.additives.last() > known) {
                *error = text(kNoSuchAdditive).arg(entry).arg(m.additives.last());
                return false;
            }
        }
    }
    return true;
}

} // namespace

QString CleanAdditiveText(const QString &text)
{
    return OneLineText(text);
}

QVector<ExtensionRecordType> MarkRecordTypes()
{
    return {
        {kMarkSettingsRecord, "Einstellungen der Kennzeichnung", writeSettings, readSettings, nullptr, false, true},
        {kAdditiveListRecord, "Liste der Zusatzstoffe", writeAdditives, readAdditives},
        {kProductMarksRecord, "Kennzeichnung der Produkte", writeProductMarks, readProductMarks, checkProductMarks},
    };
}

QStringList MarkRecordMessageTexts()
{
    QStringList t;
    for (const char16_t *m : kMessages)
        t << QString::fromUtf16(m);
    return t;
}
