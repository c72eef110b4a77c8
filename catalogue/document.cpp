#include "catalogue/document.h"

#include "catalogue/codepage.h"
#include "catalogue/usertext.h"
#include "catalogue/cardrecords.h"
#include "catalogue/paperrecords.h"
#include "catalogue/printformrecords.h"
#include "catalogue/logorecords.h"
#include "catalogue/qrrecords.h"
#include "catalogue/translationrecords.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>

namespace {

using Id = DocumentSetting;

// The reasons why a document cannot be read or written, in German; they are
// shown through the translation lookup (UserText).
enum DocumentMessage {
    kEndsInside,
    kCountTooLarge,
    kNegativeLength,
    kTextTooLong,
    kFaceTooLong,
    kPlaceProduct,
    kPlaceCategory,
    kListMismatch,
    kNoMemory,
    kNoSuchFile,
    kNotAFile,
    kSettingsIncomplete,
};
const char16_t *const kDocumentMessages[] = {
    u"Die Datei endet mitten in „%1“ bei Byte %2 (%3 Bytes gebraucht, %4 übrig).",
    u"„%1“ bei Byte %2 (%3) ist größer, als der Rest der Datei fassen kann (%4 Bytes übrig).",
    u"Die Länge von „%1“ bei Byte %2 ist negativ (%3).",
    u"„%1“ bei Byte %2 gibt %3 Zeichen an, mehr als der Rest der Datei enthält (%4 Bytes übrig).",
    u"Der Schriftname in „%1“ gibt %2 Bytes an, mehr als der Rest der Datei enthält (%3 Bytes übrig).",
    u"%1 (Produkt %2 in Kategorie %3)",
    u"%1 (Kategorie %2)",
    u"Die Liste der Kategorien und der Katalog passen nicht zusammen (%1 Namen, %2 Kategorien).",
    u"Es ist nicht genug Speicher frei, um die Datei zu lesen.",
    u"Die Datei gibt es nicht.",
    u"Das ist keine gewöhnliche Datei.",
    u"Die Einstellungen einer Karte sind unvollständig oder zu lang.",
};
// The parts of a file the reasons name.
const char kCategoryCountLabel[] = "Anzahl der Kategorien";
const char kProductCountLabel[] = "Anzahl der Produkte";
const char kNameLabel[] = "Name";
const char kDescriptionLabel[] = "Beschreibung";
const char kQuantityLabel[] = "Mengenangabe";
const char kPriceLabel[] = "Preis";
const char kNumberLabel[] = "Bestellnummer";
const char kSettingsLabel[] = "Einstellungen der Karte";
const char *const kLabels[] = {kCategoryCountLabel, kProductCountLabel, kNameLabel, kDescriptionLabel,
                               kQuantityLabel,      kPriceLabel,        kNumberLabel, kSettingsLabel};

QString text(DocumentMessage m)
{
    return UserText(QString::fromUtf16(kDocumentMessages[m]));
}

// Calls v(id, field) for every setting in file order. S is CardSettings or
// const CardSettings; the field types are QString, bool, double and
// FontSetting.
template <class S, class V>
void visitSettings(S &s, V &&v)
{
    v(Id::CaptionEd, s.CaptionEd);
    v(Id::FussEd, s.FussEd);
    v(Id::WaehrEd, s.WaehrEd);
    v(Id::FilenameEdit2, s.FilenameEdit2);
    v(Id::RahmenCheck, s.RahmenCheck);
    v(Id::CapsCheck, s.CapsCheck);
    v(Id::LinksEd, s.LinksEd);
    v(Id::ObenEd, s.ObenEd);
    v(Id::RechtsEd, s.RechtsEd);
    v(Id::UntenEd, s.UntenEd);
    v(Id::BreitEd2, s.BreitEd2);
    v(Id::HochEd2, s.HochEd2);
    v(Id::HellEd, s.HellEd);
    v(Id::SatEd, s.SatEd);
    v(Id::SVerh2Check, s.SVerh2Check);
    v(Id::GrayScaleCheck, s.GrayScaleCheck);
    v(Id::LightenCheck, s.LightenCheck);
    v(Id::ZentrCheck, s.ZentrCheck);
    v(Id::FontDialog1, s.fonts[0]);
    v(Id::FontDialog2, s.fonts[1]);
    v(Id::FontDialog3, s.fonts[2]);
    v(Id::FontDialog4, s.fonts[3]);
    v(Id::FontDialog5, s.fonts[4]);
    v(Id::FontDialog6, s.fonts[5]);
    v(Id::FontDialog7, s.fonts[6]);
    v(Id::FontDialog8, s.fonts[7]);
    v(Id::NoKommaCheck, s.NoKommaCheck);
    v(Id::NewPageForKatCheck, s.NewPageForKatCheck);
    v(Id::NoPointsCheck, s.NoPointsCheck);
    v(Id::CenterKatCheck, s.CenterKatCheck);
    v(Id::KopfEd, s.KopfEd);
    v(Id::FontDialog9, s.fonts[8]);
}

// Smallest number of bytes one category / one product takes in a file.
constexpr qsizetype kMinCategoryBytes = 4 + 4;         // empty name, product count
constexpr qsizetype kMinProductBytes = 3 * 4 + 8 + 4;  // three empty texts, price, number

TDynaArray *categoryArray(const Catalogue &cat, int i)
{
    return *static_cast<TDynaArray **>(cat.kats->At(uint32_t(i)));
}

// ---- Writing ---------------------------------------------------------------

struct SettingWriter {
    ByteWriter &w;
    void operator()(Id, const QString &s) { w.writeWideString(s); }
    void operator()(Id, bool b) { w.writeByte(b ? 1 : 0); }
    void operator()(Id, double d) { w.writeFloat64(d); }
    void operator()(Id, const FontSetting &f)
    {
        w.writeByte(f.charset);
        w.writeInt32(int32_t(f.colour));
        const uint8_t k = uint8_t(f.face.size() & 0xFF);
        w.writeByte(k);
        // One byte per UTF-16 unit, so the record always holds exactly k
        // bytes: each half of a surrogate pair becomes its own '?'.
        QString face = f.face;
        for (QChar &ch : face) {
            if (ch.isSurrogate())
                ch = QLatin1Char('?');
        }
        w.writeBytes(ToWindows1252(face).left(k));
        w.writeByte(f.pitch);
        w.writeInt32(f.pixelsPerInch);
        w.writeInt32(f.size);
        w.writeByte(f.style);
    }
};

// ---- Reading ---------------------------------------------------------------

class DocReader {
public:
    explicit DocReader(const QByteArray &bytes) : r_(bytes) {}

    bool atEnd() const { return r_.atEnd(); }
    qsizetype pos() const { return r_.pos(); }
    const QString &error() const { return error_; }
    void setPlace(int cat, int prod) { cat_ = cat; prod_ = prod; }

    bool fail(const QString &what)
    {
        if (error_.isEmpty())
            error_ = what;
        return false;
    }

    bool need(qsizetype n, const char *what)
    {
        if (r_.remaining() >= n)
            return true;
        return fail(text(kEndsInside)
                        .arg(place(what))
                        .arg(r_.pos())
                        .arg(n)
                        .arg(r_.remaining()));
    }

    bool readByte(const char *what, uint8_t &v)
    {
        if (!need(1, what))
            return false;
        v = r_.readByte();
        return true;
    }
    bool readInt32(const char *what, int32_t &v)
    {
        if (!need(4, what))
            return false;
        v = r_.readInt32();
        return true;
    }
    bool readFloat64(const char *what, double &v)
    {
        if (!need(8, what))
            return false;
        v = r_.readFloat64();
        return true;
    }

    // A count of items that take at least minBytes each. A count below 0
    // means none, like 0.
    bool readCount(const char *what, qsizetype minBytes, int32_t &n)
    {
        const qsizetype at = r_.pos();
        if (!readInt32(what, n))
            return false;
        if (n < 0)
            n = 0;
        if (qsizetype(n) > r_.remaining() / minBytes)
            return fail(text(kCountTooLarge)
                            .arg(place(what))
                            .arg(at)
                            .arg(n)
                            .arg(r_.remaining()));
        return true;
    }

    bool readText(const char *what, QString &s)
    {
        const qsizetype at = r_.pos();
        int32_t n = 0;
        if (!readInt32(what, n))
            return false;
        if (n < 0)
            return fail(text(kNegativeLength).arg(place(what)).arg(at).arg(n));
        if (qsizetype(n) > r_.remaining() / 2) // no overflow where qsizetype is 32-bit
            return fail(text(kTextTooLong)
                            .arg(place(what))
                            .arg(at)
                            .arg(n)
                            .arg(r_.remaining()));
        const QByteArray b = r_.readBytes(qsizetype(n) * 2);
        QString t(n, Qt::Uninitialized);
        QChar *d = t.data();
        for (int32_t i = 0; i < n; ++i)
            d[i] = QChar(qFromLittleEndian<quint16>(b.constData() + 2 * i));
        s = t;
        return r_.ok();
    }

    bool readFont(const char *what, FontSetting &f)
    {
        FontSetting t;
        int32_t colour = 0;
        uint8_t k = 0;
        if (!readByte(what, t.charset) || !readInt32(what, colour) || !readByte(what, k))
            return false;
        if (r_.remaining() < k)
            return fail(text(kFaceTooLong)
                            .arg(place(what))
                            .arg(k)
                            .arg(r_.remaining()));
        t.face = FromWindows1252(r_.readBytes(k));
        t.colour = uint32_t(colour);
        if (!readByte(what, t.pitch) || !readInt32(what, t.pixelsPerInch) || !readInt32(what, t.size)
            || !readByte(what, t.style))
            return false;
        f = t;
        return true;
    }

private:
    QString place(const char *what) const
    {
        const QString p = UserText(QString::fromUtf8(what));
        if (prod_ >= 0)
            return text(kPlaceProduct).arg(p).arg(prod_ + 1).arg(cat_ + 1);
        if (cat_ >= 0)
            return text(kPlaceCategory).arg(p).arg(cat_ + 1);
        return p;
    }

    ByteReader r_;
    QString error_;
    int cat_ = -1;
    int prod_ = -1;
};

// Reasons name the card's settings as one part of the file.
const char *settingLabel(Id)
{
    return kSettingsLabel;
}

struct SettingReader {
    DocReader &r;
    DocumentData &d;
    bool ok = true;
    bool stopped = false; // the file ended cleanly before an optional group

    bool enter(Id id)
    {
        if (!ok || stopped)
            return false;
        // An older file may end right before group A, B or C.
        if ((id == Id::NoKommaCheck || id == Id::NewPageForKatCheck || id == Id::NoPointsCheck)
            && r.atEnd()) {
            stopped = true;
            return false;
        }
        if (id == Id::NoKommaCheck)
            d.hasGroupA = true;
        else if (id == Id::NewPageForKatCheck)
            d.hasGroupB = true;
        else if (id == Id::NoPointsCheck)
            d.hasGroupC = true;
        return true;
    }
    void operator()(Id id, QString &s)
    {
        if (enter(id))
            ok = r.readText(settingLabel(id), s);
    }
    void operator()(Id id, bool &b)
    {
        uint8_t v = 0;
        if (enter(id) && (ok = r.readByte(settingLabel(id), v)))
            b = v != 0;
    }
    void operator()(Id id, double &v)
    {
        if (enter(id))
            ok = r.readFloat64(settingLabel(id), v);
    }
    void operator()(Id id, FontSetting &f)
    {
        if (enter(id))
            ok = r.readFont(settingLabel(id), f);
    }
};

// Elements an array of this element size can hold without its byte size
// overflowing.
uint32_t maxElements(size_t elementSize)
{
    return uint32_t((UINT32_MAX / elementSize) - 100);
}

} // namespace

QByteArray WriteDocument(const QStringList &categoryNames, const Catalogue &cat,
                         const CardSettings &s, const ExtensionRecords &unknownRecords,
                         const CardList *cards)
{
    const int c = cat.categoryCount();
    if (categoryNames.size() != c)
        return {};
    ByteWriter w;
    w.writeInt32(c);
    for (int i = 0; i < c; ++i) {
        w.writeWideString(categoryNames.at(i));
        const TDynaArray *prods = categoryArray(cat, i);
        const uint32_t p = prods ? prods->count : 0;
        w.writeInt32(int32_t(p));
        for (uint32_t j = 0; j < p; ++j) {
            const auto *r = static_cast<const TProductRec *>(prods->At(j));
            w.writeWideString(WideText(r->name));
            w.writeWideString(WideText(r->description));
            w.writeWideString(WideText(r->quantity));
            w.writeFloat64(r->price);
            w.writeInt32(r->number);
        }
    }
    visitSettings(s, SettingWriter{w});
    w.writeBytes(EncodeExtensionGroup(WriteExtensionRecords({cat, s, cards}, unknownRecords)));
    return w.data();
}

QByteArray WriteCardSettingFields(const CardSettings &s)
{
    ByteWriter w;
    visitSettings(s, SettingWriter{w});
    return w.data();
}

bool ReadCardSettingFields(const QByteArray &bytes, CardSettings &s, QString *error)
{
    DocReader r(bytes);
    DocumentData d;
    d.settings = s;
    SettingReader sr{r, d};
    visitSettings(d.settings, sr);
    if (sr.ok && (!d.hasGroupC || !r.atEnd()))
        r.fail(text(kSettingsIncomplete));
    if (!sr.ok || !r.error().isEmpty()) {
        if (error)
            *error = r.error();
        return false;
    }
    s = d.settings;
    return true;
}

bool SaveDocumentFile(const QString &path, const QStringList &categoryNames, const Catalogue &cat,
                      const CardSettings &s, QString *error, const ExtensionRecords &unknownRecords,
                      const CardList *cards)
{
    const QByteArray data = WriteDocument(categoryNames, cat, s, unknownRecords, cards);
    if (data.isEmpty()) {
        if (error)
            *error = text(kListMismatch)
                         .arg(categoryNames.size())
                         .arg(cat.categoryCount());
        return false;
    }
    return WriteFileAtomically(path, data, error);
}

bool ReadDocument(const QByteArray &bytes, const CardSettings &current, DocumentData &out,
                  QString *error)
{
    DocumentData d;
    d.catalogue = std::make_unique<Catalogue>();
    d.settings = current;
    Catalogue &cat = *d.catalogue;
    DocReader r(bytes);

    auto failed = [&]() {
        if (error)
            *error = r.error();
        return false;
    };
    auto outOfMemory = [&]() {
        r.fail(text(kNoMemory));
        return failed();
    };

    int32_t c = 0;
    if (!r.readCount(kCategoryCountLabel, kMinCategoryBytes, c))
        return failed();
    if (uint32_t(c) > maxElements(sizeof(TDynaArray *)))
        return outOfMemory();
    for (int32_t i = 0; i < c; ++i) {
        r.setPlace(i, -1);
        QString name;
        if (!r.readText(kNameLabel, name))
            return failed();
        d.categoryNames.append(name);
        if (!cat.addCategory())
            return outOfMemory();
        int32_t p = 0;
        if (!r.readCount(kProductCountLabel, kMinProductBytes, p))
            return failed();
        if (uint32_t(p) > maxElements(sizeof(TProductRec)))
            return outOfMemory();
        // The products' array grows once to its count (the count fits into
        // what is left of the file): adding them one at a time would copy
        // the array every 100 products, a cost that grows with the square
        // of a category's length.
        if (p > 0 && !cat.addProducts(i, uint32_t(p)))
            return outOfMemory();
        for (int32_t j = 0; j < p; ++j) {
            r.setPlace(i, j);
            ProductValues v;
            if (!r.readText(kNameLabel, v.name) || !r.readText(kDescriptionLabel, v.description)
                || !r.readText(kQuantityLabel, v.quantity) || !r.readFloat64(kPriceLabel, v.price)
                || !r.readInt32(kNumberLabel, v.number))
                return failed();
            if (!cat.setProduct(static_cast<TProductRec *>(cat.products(i)->At(uint32_t(j))), v))
                return outOfMemory();
        }
    }
    r.setPlace(-1, -1);

    SettingReader sr{r, d};
    visitSettings(d.settings, sr);
    if (!sr.ok)
        return failed();

    d.settings.marks = MarkSettings();
    ResetQrSettings(d.settings);
    ResetPaperSettings(d.settings);
    ResetCardOptions(d.settings);
    ResetPrintFormSettings(d.settings);
    ResetLogoSettings(d.settings);
    ResetCardTranslation(d.settings);
    if (d.hasGroupC && StartsExtensionGroup(bytes, r.pos())) {
        ExtensionRecords records;
        qsizetype end = 0;
        QString why;
        ExtensionContent content{cat, d.settings, &d.cards};
        if (!DecodeExtensionGroup(bytes, r.pos(), records, end, &why)
            || !ReadExtensionRecords(records, content, d.unknownRecords, &why)) {
            r.fail(why);
            return failed();
        }
    }

    out = std::move(d);
    return true;
}

bool LoadDocumentFile(const QString &path, const CardSettings &current, DocumentData &out,
                      QString *error)
{
    const QFileInfo fi(path);
    if (!fi.exists()) {
        if (error)
            *error = text(kNoSuchFile);
        return false;
    }
    if (!fi.isFile()) {
        if (error)
            *error = text(kNotAFile);
        return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return ReadDocument(bytes, current, out, error);
}

QVector<DocumentSetting> DocumentSettingOrder()
{
    QVector<DocumentSetting> ids;
    CardSettings s;
    visitSettings(s, [&](Id id, auto &) { ids.append(id); });
    return ids;
}

QVector<DocumentSetting> DocumentSettingOrder(const DocumentData &d)
{
    QVector<DocumentSetting> ids;
    for (Id id : DocumentSettingOrder()) {
        const int g = DocumentSettingGroup(id);
        if ((g == 1 && !d.hasGroupA) || (g == 2 && !d.hasGroupB) || (g == 3 && !d.hasGroupC))
            continue;
        ids.append(id);
    }
    return ids;
}

const char *DocumentSettingName(DocumentSetting id)
{
    switch (id) {
    case Id::CaptionEd: return "CaptionEd";
    case Id::FussEd: return "FussEd";
    case Id::WaehrEd: return "WaehrEd";
    case Id::FilenameEdit2: return "FilenameEdit2";
    case Id::RahmenCheck: return "RahmenCheck";
    case Id::CapsCheck: return "CapsCheck";
    case Id::LinksEd: return "LinksEd";
    case Id::ObenEd: return "ObenEd";
    case Id::RechtsEd: return "RechtsEd";
    case Id::UntenEd: return "UntenEd";
    case Id::BreitEd2: return "BreitEd2";
    case Id::HochEd2: return "HochEd2";
    case Id::HellEd: return "HellEd";
    case Id::SatEd: return "SatEd";
    case Id::SVerh2Check: return "SVerh2Check";
    case Id::GrayScaleCheck: return "GrayScaleCheck";
    case Id::LightenCheck: return "LightenCheck";
    case Id::ZentrCheck: return "ZentrCheck";
    case Id::FontDialog1: return "FontDialog1";
    case Id::FontDialog2: return "FontDialog2";
    case Id::FontDialog3: return "FontDialog3";
    case Id::FontDialog4: return "FontDialog4";
    case Id::FontDialog5: return "FontDialog5";
    case Id::FontDialog6: return "FontDialog6";
    case Id::FontDialog7: return "FontDialog7";
    case Id::FontDialog8: return "FontDialog8";
    case Id::NoKommaCheck: return "NoKommaCheck";
    case Id::NewPageForKatCheck: return "NewPageForKatCheck";
    case Id::NoPointsCheck: return "NoPointsCheck";
    case Id::CenterKatCheck: return "CenterKatCheck";
    case Id::KopfEd: return "KopfEd";
    case Id::FontDialog9: return "FontDialog9";
    }
    return "";
}

int DocumentSettingGroup(DocumentSetting id)
{
    switch (id) {
    case Id::NoKommaCheck: return 1;
    case Id::NewPageForKatCheck: return 2;
    case Id::NoPointsCheck:
    case Id::CenterKatCheck:
    case Id::KopfEd:
    case Id::FontDialog9: return 3;
    default: return 0;
    }
}

QStringList DocumentMessageTexts()
{
    QStringList texts;
    for (const char16_t *m : kDocumentMessages)
        texts << QString::fromUtf16(m);
    for (const char *l : kLabels)
        texts << QString::fromUtf8(l);
    return texts;
}
