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
#include "catalogue/usertext.h"
#include "layout/cardsettings.h"

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
};
enum { kSettingsName, kAdditivesName, kMarksName, kBadPlace, kBadCount, kNumberZero, kNoSuchProduct };

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
    w.writeInt32(int32_t(a.size()));
    for (const QString &s : a)
        w.writeWideString(s);
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
    QStringList list;
    for (int32_t i = 0; i < n && r.ok(); ++i)
        list << r.readWideString();
    if (!r.ok())
        return false;
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
    for (int c = 0; c < cat.categoryCount(); ++c) {
        const TDynaArray *prods = *static_cast<TDynaArray **>(cat.kats->At(uint32_t(c)));
        for (uint32_t p = 0; prods && p < prods->count; ++p) {
            const ProductMarks &m = cat.marks(c, int(p));
            if (m.isEmpty())
                continue;
            entries.writeInt32(c);
            entries.writeInt32(int32_t(p));
            WriteUInt16(entries, m.allergens);
            WriteUInt16(entries, uint16_t(m.additives.size()));
            for (int n : m.additives)
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
        for (uint16_t j = 0; j < k && r.ok(); ++j) {
            const uint16_t number = ReadUInt16(r);
            if (number == 0) {
                *error = text(kNumberZero).arg(i + 1);
                return false;
            }
            m.setAdditive(number, true);
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

} // namespace

QVector<ExtensionRecordType> MarkRecordTypes()
{
    return {
        {kMarkSettingsRecord, "Einstellungen der Kennzeichnung", writeSettings, readSettings},
        {kAdditiveListRecord, "Liste der Zusatzstoffe", writeAdditives, readAdditives},
        {kProductMarksRecord, "Kennzeichnung der Produkte", writeProductMarks, readProductMarks},
    };
}

QStringList MarkRecordMessageTexts()
{
    QStringList t;
    for (const char16_t *m : kMessages)
        t << QString::fromUtf16(m);
    return t;
}
