#include "catalogue/document.h"
#include "catalogue/codepage.h"

#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

// An independent little-endian assembler for expected file contents.
struct Bytes {
    QByteArray b;
    Bytes &u8(uint8_t v) { b.append(char(v)); return *this; }
    Bytes &i32(int32_t v) { char t[4]; qToLittleEndian<qint32>(v, t); b.append(t, 4); return *this; }
    Bytes &f64(double d) { quint64 u; std::memcpy(&u, &d, 8); char t[8]; qToLittleEndian<quint64>(u, t); b.append(t, 8); return *this; }
    Bytes &text(const QString &s)
    {
        i32(int32_t(s.size()));
        for (QChar c : s) { char t[2]; qToLittleEndian<quint16>(c.unicode(), t); b.append(t, 2); }
        return *this;
    }
    Bytes &font(const char *face, int32_t size, uint8_t style)
    {
        u8(0).i32(int32_t(0xFF000008u)).u8(uint8_t(std::strlen(face)));
        b.append(face);
        return u8(0).i32(96).i32(size).u8(style);
    }
};

CardSettings changedSettings()
{
    CardSettings s;
    s.CaptionEd = "Zum Ochsen";
    s.FussEd = "Alle Preise inkl. MwSt.";
    s.KopfEd = "Kopf";
    s.WaehrEd = "EUR";
    s.FilenameEdit2 = "/tmp/holz.png";
    s.LinksEd = 10.5;
    s.ObenEd = 11;
    s.RechtsEd = 12;
    s.UntenEd = 13;
    s.BreitEd2 = 5.5;
    s.HochEd2 = 6.5;
    s.HellEd = 80;
    s.SatEd = -20;
    s.RahmenCheck = s.CapsCheck = s.ZentrCheck = s.SVerh2Check = s.LightenCheck = false;
    s.GrayScaleCheck = s.NoKommaCheck = s.NewPageForKatCheck = s.NoPointsCheck = s.CenterKatCheck = true;
    for (int i = 0; i < 9; ++i) {
        FontSetting &f = s.fonts[i];
        f.face = QStringLiteral("Liberation Sans %1").arg(i);
        f.size = 30 + i;
        f.style = uint8_t(15 - i);
        f.colour = 0x00102030u + uint32_t(i);
        f.charset = uint8_t(i + 1);
        f.pitch = FontSetting::FixedPitch;
        f.pixelsPerInch = 120;
    }
    return s;
}

void expectSameSettings(const CardSettings &a, const CardSettings &b)
{
    EXPECT_EQ(a.CaptionEd, b.CaptionEd);
    EXPECT_EQ(a.FussEd, b.FussEd);
    EXPECT_EQ(a.KopfEd, b.KopfEd);
    EXPECT_EQ(a.WaehrEd, b.WaehrEd);
    EXPECT_EQ(a.FilenameEdit2, b.FilenameEdit2);
    EXPECT_EQ(a.LinksEd, b.LinksEd);
    EXPECT_EQ(a.ObenEd, b.ObenEd);
    EXPECT_EQ(a.RechtsEd, b.RechtsEd);
    EXPECT_EQ(a.UntenEd, b.UntenEd);
    EXPECT_EQ(a.BreitEd2, b.BreitEd2);
    EXPECT_EQ(a.HochEd2, b.HochEd2);
    EXPECT_EQ(a.HellEd, b.HellEd);
    EXPECT_EQ(a.SatEd, b.SatEd);
    EXPECT_EQ(a.RahmenCheck, b.RahmenCheck);
    EXPECT_EQ(a.CapsCheck, b.CapsCheck);
    EXPECT_EQ(a.ZentrCheck, b.ZentrCheck);
    EXPECT_EQ(a.NoKommaCheck, b.NoKommaCheck);
    EXPECT_EQ(a.NewPageForKatCheck, b.NewPageForKatCheck);
    EXPECT_EQ(a.NoPointsCheck, b.NoPointsCheck);
    EXPECT_EQ(a.CenterKatCheck, b.CenterKatCheck);
    EXPECT_EQ(a.SVerh2Check, b.SVerh2Check);
    EXPECT_EQ(a.GrayScaleCheck, b.GrayScaleCheck);
    EXPECT_EQ(a.LightenCheck, b.LightenCheck);
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(a.fonts[i] == b.fonts[i]) << "FontDialog" << i + 1;
}

// A small menu with texts outside the code page, line breaks and odd values.
struct Sample {
    QStringList names;
    Catalogue cat;
    CardSettings settings = changedSettings();

    Sample()
    {
        names << QString::fromUtf8("Vorspeisen \xE2\x80\x93 \xD0\x91\xD0\xBE\xD1\x80\xD1\x89 \xF0\x9F\x8D\xB2")
              << "Leer" << "Getr\u00e4nke";
        for (int i = 0; i < 3; ++i)
            cat.addCategory();
        ProductValues v;
        v.name = QString::fromUtf8("Suppe \xE4\xB8\xAD \"Haus\"");
        v.description = "Zeile eins\r\nZeile zwei\nZeile drei";
        v.quantity = "";
        v.price = 39.9; // as typed: no float holds it
        v.number = 0;
        cat.addProduct(0, v);
        v.name = "Heute frisch";
        v.description.clear();
        v.price = -1;
        v.number = -1;
        cat.addProduct(0, v);
        v.name = "Pils";
        v.quantity = "0,3l";
        v.price = 0;
        v.number = 2147483647;
        cat.addProduct(2, v);
    }
};

DocumentData sentinel()
{
    DocumentData d;
    d.categoryNames << "current";
    d.catalogue = std::make_unique<Catalogue>();
    d.catalogue->addCategory();
    d.settings.CaptionEd = "current document";
    return d;
}

void expectSentinel(const DocumentData &d)
{
    ASSERT_EQ(d.categoryNames, QStringList{"current"});
    ASSERT_TRUE(d.catalogue);
    EXPECT_EQ(d.catalogue->categoryCount(), 1);
    EXPECT_EQ(d.settings.CaptionEd, "current document");
}

} // namespace

TEST(DocumentFormat, DefaultDocumentIs547BytesFieldByField)
{
    Catalogue cat;
    const CardSettings def;
    const QByteArray doc = WriteDocument({}, cat, def);

    Bytes e;
    e.i32(0);
    e.text("Speisekarte").text(def.FussEd).text(QStringLiteral("\u20AC")).text("paper.jpg");
    e.u8(1).u8(1);
    for (double v : {25.0, 25.0, 25.0, 25.0, 23.0, 10.0, 50.0, 0.0})
        e.f64(v);
    e.u8(1).u8(0).u8(1).u8(1);
    e.font("Times New Roman", 24, 1).font("Times New Roman", 14, 1).font("Times New Roman", 12, 1);
    e.font("Times New Roman", 12, 2).font("Times New Roman", 12, 0).font("Courier New", 12, 0);
    e.font("Times New Roman", 12, 2).font("Times New Roman", 9, 0);
    e.u8(0).u8(0).u8(0).u8(0).text("").font("Times New Roman", 9, 0);

    ASSERT_EQ(doc.size(), 547);
    EXPECT_EQ(doc, e.b);

    // Courier New is the sixth font record, at byte 419: its face length
    // and name.
    EXPECT_EQ(doc.mid(419 + 5, 12), QByteArray("\x0B" "Courier New"));
}

TEST(DocumentFormat, SampleSurvivesSaveAndReopen)
{
    Sample s;
    const QByteArray doc = WriteDocument(s.names, s.cat, s.settings);
    DocumentData d;
    QString err;
    ASSERT_TRUE(ReadDocument(doc, CardSettings(), d, &err)) << err.toStdString();
    EXPECT_EQ(d.categoryNames, s.names);
    ASSERT_EQ(d.catalogue->categoryCount(), 3);
    EXPECT_EQ(d.catalogue->products(1)->count, 0u); // a category without products
    ASSERT_EQ(d.catalogue->products(0)->count, 2u);
    const ProductValues a = Catalogue::values(d.catalogue->product(0, 0));
    EXPECT_EQ(a.name, QString::fromUtf8("Suppe \xE4\xB8\xAD \"Haus\""));
    EXPECT_EQ(a.description, "Zeile eins\r\nZeile zwei\nZeile drei");
    EXPECT_EQ(a.price, 39.9);
    EXPECT_EQ(a.number, 0);
    const ProductValues b = Catalogue::values(d.catalogue->product(0, 1));
    EXPECT_EQ(b.price, -1);
    EXPECT_EQ(b.number, -1);
    const ProductValues c = Catalogue::values(d.catalogue->product(2, 0));
    EXPECT_EQ(c.quantity, "0,3l");
    EXPECT_EQ(c.number, 2147483647);
    EXPECT_TRUE(d.hasGroupA && d.hasGroupB && d.hasGroupC);
    expectSameSettings(d.settings, s.settings);
    // Written again, the document is the same byte for byte.
    EXPECT_EQ(WriteDocument(d.categoryNames, *d.catalogue, d.settings), doc);
}

TEST(DocumentFormat, DefaultDocumentRestoresEverySettingOverChangedOnes)
{
    Catalogue cat;
    const QByteArray doc = WriteDocument({}, cat, CardSettings());
    DocumentData d;
    ASSERT_TRUE(ReadDocument(doc, changedSettings(), d, nullptr));
    expectSameSettings(d.settings, CardSettings());
    EXPECT_EQ(d.catalogue->categoryCount(), 0);
}

TEST(DocumentFormat, OlderFilesKeepTheLaterSettings)
{
    Catalogue cat;
    const QByteArray full = WriteDocument({}, cat, CardSettings()); // groups all off / empty
    const CardSettings current = changedSettings();
    struct Case { int cut; bool a, b, c; };
    for (Case k : {Case{547 - 39, false, false, false}, Case{547 - 38, true, false, false},
                   Case{547 - 37, true, true, false}}) {
        SCOPED_TRACE(k.cut);
        DocumentData d;
        QString err;
        ASSERT_TRUE(ReadDocument(full.left(k.cut), current, d, &err)) << err.toStdString();
        EXPECT_EQ(d.hasGroupA, k.a);
        EXPECT_EQ(d.hasGroupB, k.b);
        EXPECT_EQ(d.hasGroupC, k.c);
        EXPECT_EQ(d.settings.CaptionEd, "Speisekarte");
        EXPECT_TRUE(d.settings.fonts[7] == CardSettings().fonts[7]);
        EXPECT_EQ(d.settings.NoKommaCheck, k.a ? false : current.NoKommaCheck);
        EXPECT_EQ(d.settings.NewPageForKatCheck, k.b ? false : current.NewPageForKatCheck);
        EXPECT_EQ(d.settings.NoPointsCheck, current.NoPointsCheck);
        EXPECT_EQ(d.settings.CenterKatCheck, current.CenterKatCheck);
        EXPECT_EQ(d.settings.KopfEd, current.KopfEd);
        EXPECT_TRUE(d.settings.fonts[8] == current.fonts[8]);
        const auto order = DocumentSettingOrder(d);
        EXPECT_EQ(order.size(), 26 + int(k.a) + int(k.b));
        EXPECT_EQ(order.last(), k.b ? DocumentSetting::NewPageForKatCheck
                              : k.a ? DocumentSetting::NoKommaCheck : DocumentSetting::FontDialog8);
    }
}

TEST(DocumentFormat, AnyNonZeroByteIsOnAndTrailingBytesAreIgnored)
{
    Catalogue cat;
    QByteArray doc = WriteDocument({}, cat, CardSettings());
    doc[194 + 2 + 64 + 1] = char(0x80); // GrayScaleCheck: after texts, 2 switches, 8 floats, SVerh2Check
    doc[264 + 244] = char(0x02);        // NoKommaCheck: right after the eight fonts
    doc.append("future fields");
    DocumentData d;
    ASSERT_TRUE(ReadDocument(doc, CardSettings(), d, nullptr));
    EXPECT_TRUE(d.settings.GrayScaleCheck);
    EXPECT_TRUE(d.settings.NoKommaCheck);
    EXPECT_FALSE(d.settings.NewPageForKatCheck);
}

TEST(DocumentFormat, FontFacesInAndOutsideTheCodePage)
{
    Catalogue cat;
    CardSettings s;
    s.fonts[0].face = QString::fromUtf8("Caf\xC3\xA9 Sans");                 // fits: comes back
    s.fonts[1].face = QString::fromUtf8("\xE6\xA5\xB7\xE4\xBD\x93");         // CJK: two '?'
    s.fonts[2].face = QString::fromUtf8("A\xF0\x9F\x8D\xBA" "B");            // emoji is 2 units
    s.fonts[3].face = QString(300, QLatin1Char('x'));                          // length byte wraps
    s.fonts[3].pixelsPerInch = 72;
    s.fonts[4].face = QString(200, QLatin1Char('y'));                          // the length byte's top bit
    const QByteArray doc = WriteDocument({}, cat, s);
    DocumentData d;
    QString err;
    ASSERT_TRUE(ReadDocument(doc, CardSettings(), d, &err)) << err.toStdString();
    EXPECT_EQ(d.settings.fonts[0].face, s.fonts[0].face);
    EXPECT_EQ(d.settings.fonts[1].face, "??");
    EXPECT_EQ(d.settings.fonts[2].face, "A??B");
    EXPECT_EQ(d.settings.fonts[3].face, QString(44, QLatin1Char('x')));
    EXPECT_EQ(d.settings.fonts[3].pixelsPerInch, 72);
    EXPECT_EQ(d.settings.fonts[4].face, s.fonts[4].face);
    // Everything after the odd names still lines up.
    EXPECT_TRUE(d.settings.fonts[8] == s.fonts[8]);
    EXPECT_EQ(d.settings.KopfEd, s.KopfEd);
}

TEST(DocumentFormat, EveryTruncationIsRejectedExceptTheThreeOlderEnds)
{
    Sample s;
    const QByteArray doc = WriteDocument(s.names, s.cat, s.settings);
    const qsizetype group9 = 4 + 2 * s.settings.KopfEd.size() + 16 + s.settings.fonts[8].face.size();
    const qsizetype afterB = doc.size() - group9 - 2;
    for (qsizetype n = 0; n < doc.size(); ++n) {
        DocumentData d = sentinel();
        QString err;
        const bool ok = ReadDocument(doc.left(n), CardSettings(), d, &err);
        const bool valid = n == afterB - 2 || n == afterB - 1 || n == afterB;
        EXPECT_EQ(ok, valid) << "cut at " << n;
        if (!valid) {
            EXPECT_FALSE(err.isEmpty());
            expectSentinel(d);
        }
    }
}

TEST(DocumentFormat, ErrorTextsNameTheFault)
{
    QString err;
    DocumentData d = sentinel();
    EXPECT_FALSE(ReadDocument(QByteArray(), CardSettings(), d, &err));
    EXPECT_TRUE(err.contains("Anzahl der Kategorien")) << err.toStdString();

    Bytes big;
    big.i32(5);
    EXPECT_FALSE(ReadDocument(big.b, CardSettings(), d, &err));
    EXPECT_TRUE(err.contains("größer, als der Rest der Datei")) << err.toStdString();

    Bytes text;
    text.i32(1).i32(1000).u8('x');
    text.b.append(QByteArray(100, '\0'));
    EXPECT_FALSE(ReadDocument(text.b, CardSettings(), d, &err));
    EXPECT_TRUE(err.contains("Name (Kategorie 1)")) << err.toStdString();

    Bytes prod;
    prod.i32(1).text("a").i32(1).text("n").text("d").i32(-7);
    prod.b.append(QByteArray(100, '\0'));
    EXPECT_FALSE(ReadDocument(prod.b, CardSettings(), d, &err));
    EXPECT_TRUE(err.contains("Mengenangabe (Produkt 1 in Kategorie 1)")) << err.toStdString();
    expectSentinel(d);
}

namespace {
size_t largestBlock = 0;
void *countingCalloc(size_t n, size_t size)
{
    largestBlock = std::max(largestBlock, n * size);
    return std::calloc(n, size);
}
} // namespace

// A category or product count below 0 means none, like 0.
TEST(DocumentFormat, NegativeCountsMeanNone)
{
    Catalogue empty;
    const QByteArray tail = WriteDocument({}, empty, CardSettings()).mid(4);
    for (int32_t c : {-1, INT32_MIN}) {
        Bytes b;
        b.i32(c);
        b.b.append(tail);
        DocumentData d = sentinel();
        QString err;
        ASSERT_TRUE(ReadDocument(b.b, CardSettings(), d, &err)) << c << err.toStdString();
        EXPECT_TRUE(d.categoryNames.isEmpty());
        EXPECT_EQ(d.catalogue->categoryCount(), 0);
    }
    Bytes b;
    b.i32(2).text("Leer").i32(-5).text("Suppen").i32(1).text("Tagessuppe").text("").text("").f64(4.5).i32(0);
    b.b.append(tail);
    DocumentData d;
    QString err;
    ASSERT_TRUE(ReadDocument(b.b, CardSettings(), d, &err)) << err.toStdString();
    EXPECT_EQ(d.categoryNames, QStringList({"Leer", "Suppen"}));
    ASSERT_EQ(d.catalogue->categoryCount(), 2);
    EXPECT_EQ(d.catalogue->products(0)->count, 0u);
    EXPECT_EQ(d.catalogue->products(1)->count, 1u);
}

TEST(DocumentFormat, HugeCountsAreRejectedWithoutAllocating)
{
    Catalogue cat;
    const QByteArray tail = WriteDocument({}, cat, CardSettings()).mid(4);
    largestBlock = 0;
    const auto oldCalloc = TDynaArray::callocFn;
    TDynaArray::callocFn = countingCalloc;
    struct Restore {
        TDynaArray::CallocFn f;
        ~Restore() { TDynaArray::callocFn = f; }
    } restore{oldCalloc};
    for (int32_t c : {2000000000, INT32_MAX, 68}) {
        SCOPED_TRACE(c);
        Bytes b;
        b.i32(c);
        b.b.append(tail); // 543 bytes: room for at most 67 empty categories
        DocumentData d = sentinel();
        QString err;
        EXPECT_FALSE(ReadDocument(b.b, CardSettings(), d, &err));
        EXPECT_FALSE(err.isEmpty());
        expectSentinel(d);
    }
    // A product count larger than the file can hold, and a huge text length.
    for (int32_t p : {1000000000}) {
        Bytes b;
        b.i32(1).text("K").i32(p);
        b.b.append(tail);
        DocumentData d;
        EXPECT_FALSE(ReadDocument(b.b, CardSettings(), d, nullptr));
    }
    Bytes t;
    t.i32(1).i32(INT32_MAX);
    t.b.append(tail);
    DocumentData d;
    EXPECT_FALSE(ReadDocument(t.b, CardSettings(), d, nullptr));
    // No array ever asked for more than one growth step of elements.
    EXPECT_GT(largestBlock, 0u);
    EXPECT_LE(largestBlock, 100 * sizeof(TProductRec));
}

TEST(DocumentFormat, RandomAndMutatedInputsAreHandledSafely)
{
    Sample s;
    const QByteArray doc = WriteDocument(s.names, s.cat, s.settings);
    std::mt19937 rng(20261209);
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        QByteArray b;
        if (round % 4 == 0) {
            b.resize(rng() % 700);
            for (auto &ch : b)
                ch = char(rng());
        } else {
            b = doc;
            const int flips = 1 + int(rng() % 4);
            for (int f = 0; f < flips; ++f) {
                const int at = int(rng() % b.size());
                switch (rng() % 3) {
                case 0: b[at] = char(rng()); break;
                case 1: b[at] = char(0xFF); break;
                default: b = b.left(at) + b.mid(at + 1 + int(rng() % 8)); break;
                }
            }
        }
        DocumentData d;
        QString err;
        const bool ok = ReadDocument(b, CardSettings(), d, &err);
        if (ok) {
            ++accepted;
            ASSERT_TRUE(d.catalogue);
            ASSERT_EQ(d.catalogue->categoryCount(), d.categoryNames.size());
            // What was read writes a document that reads back to itself.
            const QByteArray again = WriteDocument(d.categoryNames, *d.catalogue, d.settings);
            DocumentData d2;
            ASSERT_TRUE(ReadDocument(again, CardSettings(), d2, &err)) << err.toStdString();
            EXPECT_EQ(WriteDocument(d2.categoryNames, *d2.catalogue, d2.settings), again);
        } else {
            EXPECT_FALSE(err.isEmpty());
        }
    }
    EXPECT_GT(accepted, 0);
}

TEST(DocumentFormat, SettingOrderFollowsTheFile)
{
    const auto order = DocumentSettingOrder();
    ASSERT_EQ(order.size(), 32);
    EXPECT_STREQ(DocumentSettingName(order.first()), "CaptionEd");
    EXPECT_STREQ(DocumentSettingName(order.at(3)), "FilenameEdit2");
    EXPECT_STREQ(DocumentSettingName(order.at(25)), "FontDialog8");
    EXPECT_STREQ(DocumentSettingName(order.last()), "FontDialog9");
    EXPECT_EQ(DocumentSettingGroup(DocumentSetting::ZentrCheck), 0);
    EXPECT_EQ(DocumentSettingGroup(DocumentSetting::KopfEd), 3);
}

TEST(DocumentFormat, MismatchedCategoryListWritesNothing)
{
    Catalogue cat;
    cat.addCategory();
    EXPECT_TRUE(WriteDocument({}, cat, CardSettings()).isEmpty());
    QString err;
    EXPECT_FALSE(SaveDocumentFile("/tmp/never-written.vlr", {"a", "b"}, cat, CardSettings(), &err));
    EXPECT_FALSE(err.isEmpty());
}
