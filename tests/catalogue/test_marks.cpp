// Allergen and additive marks: kept with their product by every catalogue
// command, and stored in group D of the document.
#include "catalogue/document.h"
#include "catalogue/markrecords.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

ProductMarks marks(uint16_t allergens, QVector<int> additives)
{
    ProductMarks m;
    m.allergens = allergens;
    m.additives = additives;
    return m;
}

// Two categories; product names "c.p"; product (c, p) gets marks with
// allergen bit p and additive c + 1 so that every product's marks differ.
void fill(Catalogue &cat, QStringList &names, int products = 3)
{
    for (int c = 0; c < 2; ++c) {
        cat.addCategory();
        names << QStringLiteral("K%1").arg(c);
        for (int p = 0; p < products; ++p) {
            ProductValues v;
            v.name = QStringLiteral("%1.%2").arg(c).arg(p);
            v.price = 1 + p;
            cat.addProduct(c, v);
            cat.setMarks(c, p, marks(uint16_t(1u << p), {c + 1}));
        }
    }
}

QString nameOf(Catalogue &cat, int c, int p)
{
    return WideText(cat.product(c, p)->name);
}

// Every product still carries the marks it got in fill().
void expectMarksFollowNames(Catalogue &cat)
{
    for (int c = 0; c < cat.categoryCount(); ++c) {
        for (uint32_t p = 0; p < cat.products(c)->count; ++p) {
            const QStringList parts = nameOf(cat, c, int(p)).split('.');
            const ProductMarks want = marks(uint16_t(1u << parts[1].toInt()), {parts[0].toInt() + 1});
            EXPECT_EQ(cat.marks(c, int(p)), want) << nameOf(cat, c, int(p)).toStdString();
        }
    }
}

CardSettings markSettings()
{
    CardSettings s;
    s.marks.MarksCheck = false;
    s.marks.LegendPos = LegendPlace::EveryPage;
    s.marks.additives = DefaultAdditives();
    s.marks.additives << QStringLiteral("mit Taurin");
    return s;
}

QByteArray record(uint16_t tag, const QByteArray &payload)
{
    char h[6];
    qToLittleEndian<quint16>(tag, h);
    qToLittleEndian<quint32>(quint32(payload.size()), h + 2);
    return QByteArray(h, 6) + payload;
}

QByteArray group(const QByteArray &records, qint64 length = -1)
{
    char l[4];
    qToLittleEndian<quint32>(quint32(length < 0 ? records.size() : length), l);
    return QByteArray("VLRD", 4) + QByteArray(l, 4) + records;
}

} // namespace

TEST(Marks, TextsAndLegend)
{
    ProductMarks m;
    m.setAdditive(8, true);
    m.setAdditive(3, true);
    m.setAdditive(3, true);
    for (int i : {0, 5, 9}) // A F M
        m.setAllergen(i, true);
    EXPECT_EQ(MarksText(m), "3,8,A,F,M");
    EXPECT_EQ(MarksText(marks(0, {2})), "2");
    EXPECT_EQ(MarksText(marks(1u << 13, {})), "R");

    UsedMarks used;
    used.add(marks(1u << 6, {3}));
    used.add(marks(1u, {1, 3}));
    EXPECT_EQ(LegendText(used, DefaultAdditives()),
              QString::fromUtf8("Zusatzstoffe: 1\u00A0mit Farbstoff, 3\u00A0mit Antioxidationsmittel \u00B7 "
                                "Allergene: A\u00A0glutenhaltiges Getreide, G\u00A0Milch"));
    EXPECT_EQ(LegendText(UsedMarks(), DefaultAdditives()), "");
    UsedMarks beyond;
    beyond.add(marks(0, {14}));
    EXPECT_EQ(LegendText(beyond, DefaultAdditives()), "Zusatzstoffe: 14");
}

TEST(Marks, StayWithTheirProductThroughEveryCommand)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names, 4);
    cat.changeProducts(0, 1, 0);
    cat.changeProducts(1, 2, 3);
    cat.changeProducts(1, 0, 9); // out of range: nothing moves
    expectMarksFollowNames(cat);
    cat.deleteProduct(0, 1);
    cat.deleteProduct(1, 7); // out of range
    expectMarksFollowNames(cat);
    cat.changeCategories(0, 1);
    expectMarksFollowNames(cat);
    EXPECT_EQ(nameOf(cat, 0, 0), "1.0");

    ProductValues v;
    v.name = "neu";
    cat.addProduct(0, v);
    EXPECT_TRUE(cat.marks(0, 4).isEmpty()); // a new product starts without marks
    cat.deleteCategory(0);
    ASSERT_EQ(cat.categoryCount(), 1);
    expectMarksFollowNames(cat);

    Catalogue other;
    other.swapContents(cat);
    EXPECT_FALSE(cat.hasMarks());
    EXPECT_TRUE(other.hasMarks());
    expectMarksFollowNames(other);
    other.clear();
    EXPECT_FALSE(other.hasMarks());
    EXPECT_TRUE(other.marks(0, 0).isEmpty());
}

TEST(MarksDocument, WithoutMarksTheFileEndsAfterGroupC)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    for (int c = 0; c < 2; ++c)
        for (int p = 0; p < 3; ++p)
            cat.setMarks(c, p, ProductMarks());
    const QByteArray doc = WriteDocument(names, cat, CardSettings());
    EXPECT_FALSE(doc.contains("VLRD"));
    Catalogue empty;
    EXPECT_EQ(WriteDocument({}, empty, CardSettings()).size(), 547);
}

TEST(MarksDocument, EveryMarkSetSurvivesByteForByte)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    ProductMarks all;
    all.allergens = (1u << kAllergenCount) - 1;
    for (int n = 1; n <= 13; ++n)
        all.additives << n;
    for (int c = 0; c < 2; ++c)
        for (int p = 0; p < 3; ++p)
            cat.setMarks(c, p, all);
    const CardSettings s = markSettings();
    const ExtensionRecords unknown{{0x7001, QByteArray("\x01\x02\x03", 3)}, {0x7002, QByteArray()}};
    const QByteArray doc = WriteDocument(names, cat, s, unknown);

    DocumentData d;
    QString error;
    ASSERT_TRUE(ReadDocument(doc, CardSettings(), d, &error)) << error.toStdString();
    EXPECT_EQ(d.settings.marks, s.marks);
    EXPECT_EQ(d.catalogue->marks(1, 2), all);
    EXPECT_EQ(d.unknownRecords, unknown);
    EXPECT_EQ(WriteDocument(d.categoryNames, *d.catalogue, d.settings, d.unknownRecords), doc);
}

TEST(MarksDocument, RecordsOnlyForWhatDiffersFromTheDefaults)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names, 1);
    cat.setMarks(0, 0, ProductMarks());
    // Product (1, 0): allergen A, additive 2.
    const QByteArray base = WriteDocument(names, cat, CardSettings());
    const qsizetype d = base.indexOf("VLRD");
    ASSERT_GT(d, 0);
    QByteArray entry;
    entry.append("\x01\x00\x00\x00", 4); // one entry
    entry.append("\x01\x00\x00\x00\x00\x00\x00\x00", 8); // category 1, product 0
    entry.append("\x01\x00\x01\x00\x02\x00", 6); // allergens, one additive: 2
    EXPECT_EQ(base.mid(d), group(record(kProductMarksRecord, entry)));

    CardSettings s;
    s.marks.LegendPos = LegendPlace::EveryPage;
    const QByteArray withSettings = WriteDocument(names, cat, s);
    EXPECT_EQ(withSettings.mid(d), group(record(kMarkSettingsRecord, QByteArray("\x01\x01", 2))
                                         + record(kProductMarksRecord, entry)));
    // Settings alone are stored even when no product carries a mark.
    cat.setMarks(1, 0, ProductMarks());
    EXPECT_EQ(WriteDocument(names, cat, s).mid(d), group(record(kMarkSettingsRecord, QByteArray("\x01\x01", 2))));
}

TEST(MarksDocument, DamagedGroupRefusesTheDocumentAndChangesNothing)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names);
    const QByteArray doc = WriteDocument(names, cat, markSettings(), {{0x7001, QByteArray(5, 'x')}});
    const qsizetype d = doc.indexOf("VLRD");
    ASSERT_GT(d, 0);

    DocumentData out;
    out.categoryNames = QStringList{"vorher"};
    QString error;
    auto refused = [&](const QByteArray &bytes) {
        error.clear();
        const bool ok = ReadDocument(bytes, CardSettings(), out, &error);
        EXPECT_EQ(out.categoryNames, QStringList{"vorher"});
        return !ok && !error.isEmpty();
    };
    // Every cut inside group D, from its first tag byte on.
    for (qsizetype n = d + 1; n < doc.size(); ++n)
        EXPECT_TRUE(refused(doc.left(n))) << "cut at " << n;

    QByteArray longer = doc;
    qToLittleEndian<quint32>(quint32(doc.size()), longer.data() + d + 4); // group length beyond the file
    EXPECT_TRUE(refused(longer));
    QByteArray recordTooLong = doc;
    qToLittleEndian<quint32>(0xFFFFFFF0u, recordTooLong.data() + d + 8 + 2); // first record's length
    EXPECT_TRUE(refused(recordTooLong));

    const QByteArray groupC = doc.left(d);
    // A marks entry for a product the document does not hold.
    QByteArray ghost("\x01\x00\x00\x00" "\x00\x00\x00\x00" "\x09\x00\x00\x00" "\x01\x00\x00\x00", 16);
    EXPECT_TRUE(refused(groupC + group(record(kProductMarksRecord, ghost))));
    EXPECT_TRUE(refused(groupC + group(record(kMarkSettingsRecord, QByteArray("\x01\x07", 2)))));
    EXPECT_TRUE(refused(groupC + group(record(kMarkSettingsRecord, QByteArray("\x01\x00\x00", 3)))));
    EXPECT_TRUE(refused(groupC + group(record(kAdditiveListRecord, QByteArray("\xFF\xFF\xFF\x7F", 4)))));
    // The first index past the products of category 0; additive number 0;
    // the first legend place past the last one.
    QByteArray pastEnd = ghost;
    qToLittleEndian<qint32>(qint32(cat.products(0)->count), pastEnd.data() + 8);
    EXPECT_TRUE(refused(groupC + group(record(kProductMarksRecord, pastEnd))));
    const QByteArray zero("\x01\x00\x00\x00" "\x00\x00\x00\x00" "\x00\x00\x00\x00" "\x00\x00\x01\x00" "\x00\x00", 18);
    EXPECT_TRUE(refused(groupC + group(record(kProductMarksRecord, zero))));
    EXPECT_TRUE(error.contains(QStringLiteral("Zusatzstoff Nummer 0 in Eintrag 1"))) << error.toStdString();
    EXPECT_TRUE(refused(groupC + group(record(kMarkSettingsRecord, QByteArray("\x01\x02", 2)))));
    // A record one byte longer than what is left of its group.
    QByteArray overrun = groupC + group(record(0x4242, "abc"));
    qToLittleEndian<quint32>(4u, overrun.data() + groupC.size() + 8 + 2);
    EXPECT_TRUE(refused(overrun));

    // Not damage: an unknown record of sane length, an empty group, bytes
    // after group C that are no group D, and bytes after group D.
    DocumentData ok;
    // Allergen bits beyond the known allergens are dropped.
    const QByteArray allBits("\x01\x00\x00\x00" "\x00\x00\x00\x00" "\x00\x00\x00\x00" "\xFF\xFF\x00\x00", 16);
    ASSERT_TRUE(ReadDocument(groupC + group(record(kProductMarksRecord, allBits)), CardSettings(), ok, nullptr));
    EXPECT_EQ(ok.catalogue->marks(0, 0).allergens, (1u << kAllergenCount) - 1);
    ASSERT_TRUE(ReadDocument(groupC + group(record(0x4242, "abc")) + "tail", CardSettings(), ok, nullptr));
    EXPECT_EQ(ok.unknownRecords, (ExtensionRecords{{0x4242, "abc"}}));
    EXPECT_EQ(ok.settings.marks, MarkSettings());
    ASSERT_TRUE(ReadDocument(groupC + group({}), CardSettings(), ok, nullptr));
    ASSERT_TRUE(ReadDocument(groupC + "Xtra", markSettings(), ok, nullptr));
    EXPECT_EQ(ok.settings.marks, MarkSettings()); // no group D: marks at their defaults
    EXPECT_FALSE(ok.catalogue->hasMarks());
}

namespace {

// One entry of the product marks record for product (0, 0).
QByteArray marksEntry(std::initializer_list<uint16_t> numbers)
{
    QByteArray e("\x00\x00\x00\x00" "\x00\x00\x00\x00" "\x00\x00", 10);
    char k[2];
    qToLittleEndian<quint16>(quint16(numbers.size()), k);
    e += QByteArray(k, 2);
    for (uint16_t n : numbers) {
        qToLittleEndian<quint16>(n, k);
        e += QByteArray(k, 2);
    }
    return QByteArray("\x01\x00\x00\x00", 4) + e;
}

QByteArray additiveList(const QStringList &texts)
{
    QByteArray p(4, '\0');
    qToLittleEndian<qint32>(qint32(texts.size()), p.data());
    for (const QString &t : texts) {
        QByteArray n(4, '\0');
        qToLittleEndian<qint32>(qint32(t.size()), n.data());
        p += n + QByteArray(reinterpret_cast<const char *>(t.utf16()), t.size() * 2);
    }
    return p;
}

QStringList numbered(int n)
{
    QStringList l;
    for (int i = 1; i <= n; ++i)
        l << QStringLiteral("Stoff %1").arg(i);
    return l;
}

} // namespace

TEST(MarksDocument, AdditiveNumbersAndListsWithinTheirLimits)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names, 1);
    const QByteArray doc = WriteDocument(names, cat, CardSettings());
    const QByteArray groupC = doc.left(doc.indexOf("VLRD"));
    auto reads = [&](const QByteArray &records, DocumentData &out) {
        QString error;
        const bool ok = ReadDocument(groupC + group(records), CardSettings(), out, &error);
        EXPECT_EQ(ok, error.isEmpty()) << error.toStdString();
        return ok;
    };
    DocumentData out;

    // Ascending, each once, each of the list: as the writer puts them.
    ASSERT_TRUE(reads(record(kProductMarksRecord, marksEntry({1, 5, 12})), out));
    EXPECT_EQ(out.catalogue->marks(0, 0).additives, (QVector<int>{1, 5, 12}));
    EXPECT_FALSE(reads(record(kProductMarksRecord, marksEntry({5, 1})), out));
    EXPECT_FALSE(reads(record(kProductMarksRecord, marksEntry({3, 3})), out));
    EXPECT_FALSE(reads(record(kProductMarksRecord, marksEntry({13})), out)); // the default list has 12
    // 65,535 descending numbers: refused at once.
    QByteArray descending = marksEntry({});
    descending[14] = char(0xFF);
    descending[15] = char(0xFF);
    for (int n = 65535; n >= 1; --n) {
        char b[2];
        qToLittleEndian<quint16>(quint16(n), b);
        descending += QByteArray(b, 2);
    }
    EXPECT_FALSE(reads(record(kProductMarksRecord, descending), out));
    // A longer list makes 13 known; the list may also follow the marks, but
    // must hold what they name.
    EXPECT_TRUE(reads(record(kAdditiveListRecord, additiveList(numbered(13)))
                          + record(kProductMarksRecord, marksEntry({13})),
                      out));
    EXPECT_FALSE(reads(record(kProductMarksRecord, marksEntry({4}))
                           + record(kAdditiveListRecord, additiveList(numbered(3))),
                       out));
    ASSERT_TRUE(reads(record(kProductMarksRecord, marksEntry({13, 20}))
                          + record(kAdditiveListRecord, additiveList(numbered(20))),
                      out));
    EXPECT_EQ(out.catalogue->marks(0, 0).additives, (QVector<int>{13, 20}));
    // The last list counts, wherever the marks stand.
    EXPECT_FALSE(reads(record(kAdditiveListRecord, additiveList(numbered(20)))
                           + record(kProductMarksRecord, marksEntry({13, 20}))
                           + record(kAdditiveListRecord, additiveList(numbered(19))),
                       out));

    // At most 999 additives.
    ASSERT_TRUE(reads(record(kAdditiveListRecord, additiveList(numbered(999)))
                          + record(kProductMarksRecord, marksEntry({999})),
                      out));
    EXPECT_EQ(out.settings.marks.additives.size(), 999);
    EXPECT_FALSE(reads(record(kAdditiveListRecord, additiveList(numbered(1000))), out));

    // A line break or control character inside an additive reads as a space.
    ASSERT_TRUE(reads(record(kAdditiveListRecord,
                             additiveList({QStringLiteral("mit\nFarbstoff"), QStringLiteral("a\r\tb\x01" "c")})),
                      out));
    EXPECT_EQ(out.settings.marks.additives, (QStringList{"mit Farbstoff", "a  b c"}));
}

TEST(MarksDocument, WriterKeepsTheDocumentReadable)
{
    // Numbers the list does not hold (65,536 would be cut to 0) and a list
    // longer than 999 are not written; what is written reads back.
    Catalogue cat;
    QStringList names;
    fill(cat, names, 2);
    cat.setMarks(0, 0, marks(1, {2, 999, 65536}));
    cat.setMarks(0, 1, marks(0, {70000}));
    CardSettings s;
    s.marks.additives = numbered(1200);
    s.marks.additives[1] = QStringLiteral("zwei\nZeilen");
    const QByteArray doc = WriteDocument(names, cat, s);
    DocumentData out;
    QString error;
    ASSERT_TRUE(ReadDocument(doc, CardSettings(), out, &error)) << error.toStdString();
    EXPECT_EQ(out.settings.marks.additives.size(), 999);
    EXPECT_EQ(out.settings.marks.additives.at(1), QStringLiteral("zwei Zeilen"));
    EXPECT_EQ(out.catalogue->marks(0, 0), marks(1, {2, 999}));
    EXPECT_TRUE(out.catalogue->marks(0, 1).isEmpty());
    EXPECT_EQ(out.catalogue->marks(1, 0), marks(1, {2}));

    // A shortened list: marks beyond it are not written either.
    s.marks.additives = numbered(1);
    ASSERT_TRUE(ReadDocument(WriteDocument(names, cat, s), CardSettings(), out, &error)) << error.toStdString();
    EXPECT_EQ(out.catalogue->marks(0, 0), marks(1, {}));
}

TEST(MarksDocument, GroupDAtMost16MBAnd100000Records)
{
    Catalogue cat;
    QStringList names;
    fill(cat, names, 1);
    const QByteArray doc = WriteDocument(names, cat, CardSettings());
    const QByteArray groupC = doc.left(doc.indexOf("VLRD"));
    DocumentData out;
    QString error;
    // 100,000 empty unknown records are kept; one more is damage.
    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many += record(0x7000, QByteArray());
    ASSERT_TRUE(ReadDocument(groupC + group(many), CardSettings(), out, &error)) << error.toStdString();
    EXPECT_EQ(out.unknownRecords.size(), 100000);
    EXPECT_FALSE(ReadDocument(groupC + group(many + record(0x7000, QByteArray())), CardSettings(), out, &error));
    EXPECT_FALSE(error.isEmpty());
    // 16 MB of records are kept; a byte more is damage.
    const QByteArray big = record(0x7001, QByteArray(16 * 1024 * 1024 - 6, 'x'));
    ASSERT_TRUE(ReadDocument(groupC + group(big), CardSettings(), out, &error)) << error.toStdString();
    const QByteArray bigger = record(0x7001, QByteArray(16 * 1024 * 1024 - 5, 'x'));
    EXPECT_FALSE(ReadDocument(groupC + group(bigger), CardSettings(), out, &error));
}
