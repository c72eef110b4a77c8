#include "catalogue/translationrecords.h"

#include "catalogue/cards.h"
#include "catalogue/cardsettings.h"
#include "catalogue/catalogue.h"
#include "catalogue/markrecords.h"
#include "catalogue/usertext.h"

#include <algorithm>
#include <vector>

namespace {

const char16_t *const kMessages[] = {
    u"Übersetzung der Kartentexte",
    u"Sprache der Übersetzungen",
    u"Übersetzungen der Produkte",
    u"Übersetzungen der Kategorien",
    u"Übersetzungen der Zusatzstoffe",
    u"die Übersetzung der Kartentexte setzt unbekannte Bits (%1)",
    u"„%1“ ist kein gültiges Sprachkürzel",
    u"die Anzahl %1 passt nicht in den Eintrag",
    u"Eintrag %1 nennt Produkt %2 in Kategorie %3, das es in der Datei nicht gibt",
    u"Eintrag %1 steht nicht nach dem Eintrag davor (jedes Produkt einmal, in Katalogfolge)",
    u"Eintrag %1 nennt Kategorie %2, die es in der Datei nicht gibt",
    u"Eintrag %1 nennt Kategorie %2 ein zweites Mal",
    u"Eintrag %1 übersetzt %2 Größen, höchstens 4 sind möglich",
    u"Kategorie %1 hat %2 Größen, ihre Übersetzung nennt %3",
    u"die Liste hat %1 Zusatzstoffe, höchstens 999 sind möglich",
    u"die Liste übersetzt %1 Zusatzstoffe, das Dokument hat nur %2",
};
enum {
    kCardName,
    kLanguageName,
    kProductsName,
    kCategoriesName,
    kAdditivesName,
    kBadFlags,
    kBadTag,
    kBadCount,
    kNoSuchProduct,
    kNotAscending,
    kNoSuchCategory,
    kCategoryTwice,
    kTooManySizes,
    kNoSuchSize,
    kTooManyAdditives,
    kAdditivesBeyondList,
};

QString text(int m)
{
    return UserText(QString::fromUtf16(kMessages[m]));
}

// Bit 0 of the card record's flags; the other bits are 0.
constexpr uint8_t kBilingual = 1;

// ---- what there is to store ---------------------------------------------------

bool cardHasTranslation(const CardSettings &s)
{
    return s.ZweisprachigCheck || !s.translation.isEmpty();
}

bool anyCardHasTranslation(const ConstExtensionContent &doc)
{
    if (cardHasTranslation(doc.settings))
        return true;
    if (doc.cards)
        for (int i = 1; i < doc.cards->count(); ++i)
            if (cardHasTranslation(doc.cards->at(i).settings))
                return true;
    return false;
}

bool hasProductTranslations(const Catalogue &cat)
{
    for (int c = 0; c < cat.categoryCount(); ++c)
        for (int p = 0; p < cat.productCount(c); ++p)
            if (!cat.translation(c, p).isEmpty())
                return true;
    return false;
}

// The size heading translations up to the last one given.
QStringList headingTranslations(const Catalogue &cat, int c)
{
    QStringList h = cat.sizeHeadingTranslations(c);
    while (!h.isEmpty() && h.last().isEmpty())
        h.removeLast();
    return h;
}

bool hasCategoryTranslations(const Catalogue &cat)
{
    for (int c = 0; c < cat.categoryCount(); ++c)
        if (!cat.categoryTranslation(c).isEmpty() || !headingTranslations(cat, c).isEmpty())
            return true;
    return false;
}

// The additive translations the record stores: those of additives the list
// has (at most 999), up to the last one given.
QStringList storedAdditiveTranslations(const MarkSettings &m)
{
    const qsizetype known = std::min<qsizetype>(m.additives.size(), kMaxAdditives);
    QStringList t = m.additiveTranslations.mid(0, known);
    while (!t.isEmpty() && t.last().isEmpty())
        t.removeLast();
    return t;
}

// ---- 0x0052 card texts ----------------------------------------------------------

bool writeCardTranslation(const ConstExtensionContent &doc, ByteWriter &w)
{
    const CardSettings &s = doc.settings;
    if (!cardHasTranslation(s))
        return false;
    w.writeByte(s.ZweisprachigCheck ? kBilingual : 0);
    w.writeWideString(s.translation.heading);
    w.writeWideString(s.translation.header);
    w.writeWideString(s.translation.footer);
    return true;
}

bool readCardTranslation(ByteReader &r, ExtensionContent &doc, QString *error)
{
    const uint8_t flags = r.readByte();
    CardTextTranslation t;
    t.heading = r.readWideString();
    t.header = r.readWideString();
    t.footer = r.readWideString();
    if (!r.ok())
        return false;
    if (flags & ~kBilingual) {
        *error = text(kBadFlags).arg(flags & ~kBilingual);
        return false;
    }
    doc.settings.ZweisprachigCheck = flags & kBilingual;
    doc.settings.translation = t;
    return true;
}

// ---- 0x0060 second language -------------------------------------------------------

bool writeLanguage(const ConstExtensionContent &doc, ByteWriter &w)
{
    const Catalogue &cat = doc.catalogue;
    const SecondLanguage &l = cat.secondLanguage();
    if (l.isDefault() && !anyCardHasTranslation(doc) && !hasProductTranslations(cat)
        && !hasCategoryTranslations(cat) && storedAdditiveTranslations(doc.settings.marks).isEmpty())
        return false;
    w.writeWideString(l.tag);
    w.writeWideString(OneLineText(l.name));
    return true;
}

bool readLanguage(ByteReader &r, ExtensionContent &doc, QString *error)
{
    SecondLanguage l;
    l.tag = r.readWideString();
    l.name = r.readWideString();
    if (!r.ok())
        return false;
    if (!IsWellFormedLanguageTag(l.tag)) {
        *error = text(kBadTag).arg(OneLineText(l.tag.left(40)));
        return false;
    }
    l.name = OneLineText(l.name);
    doc.catalogue.setSecondLanguage(l);
    return true;
}

// ---- 0x0061 products ------------------------------------------------------------------

bool writeProducts(const ConstExtensionContent &doc, ByteWriter &w)
{
    const Catalogue &cat = doc.catalogue;
    ByteWriter entries;
    int32_t count = 0;
    for (int c = 0; c < cat.categoryCount(); ++c) {
        for (int p = 0; p < cat.productCount(c); ++p) {
            const ProductTranslation &t = cat.translation(c, p);
            if (t.isEmpty())
                continue;
            entries.writeInt32(c);
            entries.writeInt32(p);
            entries.writeWideString(t.name);
            entries.writeWideString(t.description);
            entries.writeWideString(t.quantity);
            ++count;
        }
    }
    if (count == 0)
        return false;
    w.writeInt32(count);
    w.writeBytes(entries.data());
    return true;
}

bool readCount(ByteReader &r, qsizetype minBytes, int32_t &n, QString *error)
{
    n = r.readInt32();
    if (!r.ok())
        return false;
    if (n < 0 || qsizetype(n) > r.remaining() / minBytes) {
        *error = text(kBadCount).arg(n);
        return false;
    }
    return true;
}

bool readProducts(ByteReader &r, ExtensionContent &doc, QString *error)
{
    Catalogue &cat = doc.catalogue;
    int32_t n = 0;
    // An entry takes at least 20 bytes: two indices and three empty texts.
    if (!readCount(r, 20, n, error))
        return false;
    qint64 previous = -1;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t c = r.readInt32();
        const int32_t p = r.readInt32();
        ProductTranslation t;
        t.name = r.readWideString();
        t.description = r.readWideString();
        t.quantity = r.readWideString();
        if (!r.ok())
            return false;
        if (c < 0 || c >= cat.categoryCount() || p < 0 || p >= cat.productCount(c)) {
            *error = text(kNoSuchProduct).arg(i + 1).arg(qint64(p) + 1).arg(qint64(c) + 1);
            return false;
        }
        const qint64 key = (qint64(c) << 32) | qint64(p);
        if (key <= previous) {
            *error = text(kNotAscending).arg(i + 1);
            return false;
        }
        previous = key;
        cat.setTranslation(c, p, t);
    }
    return true;
}

// ---- 0x0062 categories ----------------------------------------------------------------

bool writeCategories(const ConstExtensionContent &doc, ByteWriter &w)
{
    const Catalogue &cat = doc.catalogue;
    ByteWriter entries;
    int32_t count = 0;
    for (int c = 0; c < cat.categoryCount(); ++c) {
        const QString name = cat.categoryTranslation(c);
        const QStringList headings = headingTranslations(cat, c);
        if (name.isEmpty() && headings.isEmpty())
            continue;
        entries.writeInt32(c);
        entries.writeWideString(name);
        WriteUInt16(entries, uint16_t(headings.size()));
        for (const QString &h : headings)
            entries.writeWideString(h);
        ++count;
    }
    if (count == 0)
        return false;
    w.writeInt32(count);
    w.writeBytes(entries.data());
    return true;
}

// The size heading translations of the record just read: the sizes a
// category has may stand in record 0x0020 after it, so they are checked and
// stored once every record is read. The record stands once in a group, and
// the reading of a group runs on one thread.
struct PendingHeadings {
    const Catalogue *catalogue = nullptr;
    std::vector<std::pair<int, QStringList>> entries;
};
thread_local PendingHeadings pending;

bool readCategories(ByteReader &r, ExtensionContent &doc, QString *error)
{
    Catalogue &cat = doc.catalogue;
    int32_t n = 0;
    // An entry takes at least 10 bytes: index, empty name, k.
    if (!readCount(r, 10, n, error))
        return false;
    pending = PendingHeadings{&cat, {}};
    std::vector<bool> listed(size_t(cat.categoryCount()), false);
    for (int32_t i = 0; i < n; ++i) {
        const int32_t c = r.readInt32();
        const QString name = r.readWideString();
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
        if (k > kMaxSizes) {
            *error = text(kTooManySizes).arg(i + 1).arg(k);
            return false;
        }
        QStringList headings;
        for (uint16_t j = 0; j < k && r.ok(); ++j)
            headings << OneLineText(r.readWideString());
        if (!r.ok())
            return false;
        cat.setCategoryTranslation(c, name);
        if (!headings.isEmpty())
            pending.entries.emplace_back(int(c), headings);
    }
    return true;
}

bool checkCategories(ExtensionContent &doc, QString *error)
{
    Catalogue &cat = doc.catalogue;
    PendingHeadings p;
    std::swap(p, pending);
    if (p.catalogue != &cat)
        return true;
    for (const auto &[c, headings] : p.entries) {
        const qsizetype sizes = cat.sizeHeadings(c).size();
        if (headings.size() > sizes) {
            *error = text(kNoSuchSize).arg(c + 1).arg(sizes).arg(headings.size());
            return false;
        }
        cat.setSizeHeadingTranslations(c, headings);
    }
    return true;
}

// ---- 0x0063 additives -------------------------------------------------------------------

bool writeAdditives(const ConstExtensionContent &doc, ByteWriter &w)
{
    const QStringList t = storedAdditiveTranslations(doc.settings.marks);
    if (t.isEmpty())
        return false;
    w.writeInt32(int32_t(t.size()));
    for (const QString &a : t)
        w.writeWideString(OneLineText(a));
    return true;
}

bool readAdditives(ByteReader &r, ExtensionContent &doc, QString *error)
{
    int32_t n = 0;
    if (!readCount(r, 4, n, error))
        return false;
    if (n > kMaxAdditives) {
        *error = text(kTooManyAdditives).arg(n);
        return false;
    }
    QStringList t;
    for (int32_t i = 0; i < n && r.ok(); ++i)
        t << OneLineText(r.readWideString());
    if (!r.ok())
        return false;
    // Whether the list has that many additives is checked once all records
    // are read: the list (0x0002) may stand before or after.
    doc.settings.marks.additiveTranslations = t;
    return true;
}

bool checkAdditives(ExtensionContent &doc, QString *error)
{
    MarkSettings &m = doc.settings.marks;
    if (m.additiveTranslations.size() > m.additives.size()) {
        *error = text(kAdditivesBeyondList).arg(m.additiveTranslations.size()).arg(m.additives.size());
        return false;
    }
    // What the writer writes: none after the last one given.
    while (!m.additiveTranslations.isEmpty() && m.additiveTranslations.last().isEmpty())
        m.additiveTranslations.removeLast();
    return true;
}

} // namespace

void ResetCardTranslation(CardSettings &s)
{
    const CardSettings d;
    s.ZweisprachigCheck = d.ZweisprachigCheck;
    s.translation = d.translation;
}

QVector<ExtensionRecordType> TranslationRecordTypes()
{
    return {
        {kCardTranslationRecord, "Übersetzung der Kartentexte", writeCardTranslation, readCardTranslation, nullptr,
         false, true},
        {kSecondLanguageRecord, "Sprache der Übersetzungen", writeLanguage, readLanguage},
        // Once, like the products of the cards: each product once, in order.
        {kProductTranslationsRecord, "Übersetzungen der Produkte", writeProducts, readProducts, nullptr, true},
        {kCategoryTranslationsRecord, "Übersetzungen der Kategorien", writeCategories, readCategories,
         checkCategories, true},
        {kAdditiveTranslationsRecord, "Übersetzungen der Zusatzstoffe", writeAdditives, readAdditives,
         checkAdditives},
    };
}

QStringList TranslationRecordMessageTexts()
{
    QStringList t;
    for (const char16_t *m : kMessages)
        t << QString::fromUtf16(m);
    return t;
}
