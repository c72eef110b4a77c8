#include "catalogue/cardrecords.h"
#include "catalogue/cards.h"
#include "catalogue/cardview.h"
#include "catalogue/document.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// Little-endian pieces of a document, written as docs/file-format.md
// describes them, without the program's writer.
struct Bytes {
    QByteArray b;
    Bytes &i32(int32_t v)
    {
        char le[4];
        qToLittleEndian<qint32>(v, le);
        b.append(le, 4);
        return *this;
    }
    Bytes &u32(uint32_t v)
    {
        char le[4];
        qToLittleEndian<quint32>(v, le);
        b.append(le, 4);
        return *this;
    }
    Bytes &u16(uint16_t v)
    {
        b.append(char(v & 0xFF)).append(char(v >> 8));
        return *this;
    }
    Bytes &byte(uint8_t v)
    {
        b.append(char(v));
        return *this;
    }
    Bytes &f64(double v)
    {
        char le[8];
        qToLittleEndian<double>(v, le);
        b.append(le, 8);
        return *this;
    }
    Bytes &text(const QString &s)
    {
        i32(int32_t(s.size()));
        for (QChar c : s)
            u16(c.unicode());
        return *this;
    }
    Bytes &font(const char *face, int size, uint8_t style)
    {
        byte(0).i32(int32_t(0xFF000008u)).byte(uint8_t(strlen(face)));
        b.append(face);
        return byte(0).i32(96).i32(size).byte(style);
    }
    Bytes &product(const QString &name, double price, int32_t number)
    {
        return text(name).text(QString()).text(QString()).f64(price).i32(number);
    }
    // Fields 9 to 40 with the given heading; everything else a plain value.
    Bytes &settings(const QString &heading)
    {
        text(heading).text("Fuss").text("EUR").text(QString());
        byte(0).byte(1);                       // frame, capitals
        f64(20).f64(20).f64(20).f64(20);       // margins
        f64(23).f64(10).f64(50).f64(0);        // picture size, brightness, saturation
        byte(1).byte(0).byte(1).byte(1);       // aspect, grey, lighten, heading centred
        for (int i = 0; i < 8; ++i)
            font("Arial", 12, 0);
        byte(0);                               // group A
        byte(0);                               // group B
        byte(0).byte(0).text(QString()).font("Arial", 9, 0); // group C
        return *this;
    }
    Bytes &record(uint16_t tag, const QByteArray &payload)
    {
        u16(tag).u32(uint32_t(payload.size()));
        b.append(payload);
        return *this;
    }
    Bytes &group(const QByteArray &records)
    {
        b.append("VLRD");
        u32(uint32_t(records.size()));
        b.append(records);
        return *this;
    }
};

// Two categories: Suppen (Tomatensuppe, Spargelcremesuppe number 0, a free
// text, Gulaschsuppe) and Getränke (Wasser, Bier).
Bytes catalogueBytes()
{
    Bytes d;
    d.i32(2);
    d.text("Suppen").i32(4);
    d.product("Tomatensuppe", 4.5, 0).product("Spargelcremesuppe", 6.9, 0);
    d.product("Heute frisch", -1, 0).product("Gulaschsuppe", 5.2, 0);
    d.text("Getränke").i32(2);
    d.product("Wasser", 2.5, 0).product("Bier", 3.9, 7);
    return d;
}

// The names of the products a view prints, with their numbers.
QStringList printed(const CardView &v)
{
    QStringList out;
    Catalogue *c = v.catalogue();
    for (int i = 0; i < c->categoryCount(); ++i) {
        const TDynaArray *prods = c->products(i);
        for (uint32_t j = 0; j < prods->count; ++j) {
            const ProductValues p = Catalogue::values(static_cast<const TProductRec *>(prods->At(j)));
            out << v.categoryNames().at(i) + "/" + p.name + "#" + QString::number(p.number);
        }
    }
    return out;
}

bool read(const QByteArray &bytes, DocumentData &d, QString *error = nullptr)
{
    QString e;
    const bool ok = ReadDocument(bytes, CardSettings(), d, &e);
    if (error)
        *error = e;
    return ok;
}

} // namespace

// A two-card document built from the format description alone: a
// Mittagstisch numbering its own dishes, with a date line, and the first
// card with one dish out of season.
TEST(CardRecords, ATwoCardDocumentFromTheFormatDescription)
{
    Bytes cards;
    cards.i32(2).text("Speisekarte").text("Mittagstisch");
    Bytes lunchSettings;
    lunchSettings.settings("Mittagstisch");
    Bytes lunchRecords;
    lunchRecords.group(Bytes()
                           .record(0x0030, QByteArray("\x02\x00", 2)) // A5 portrait
                           .record(0x0043, Bytes().byte(1).byte(2).i32(2026).byte(12).byte(10).b)
                           .b);
    cards.u32(uint32_t(lunchSettings.b.size())).b.append(lunchSettings.b);
    cards.u32(uint32_t(lunchRecords.b.size())).b.append(lunchRecords.b);
    // The lunch card carries Gulaschsuppe and Bier; Spargelcremesuppe is out of season.
    Bytes products;
    products.i32(1).i32(1).i32(2).i32(0).i32(3).i32(1).i32(1);
    Bytes off;
    off.i32(1).i32(0).i32(1);

    Bytes doc = catalogueBytes();
    doc.settings("Speisekarte");
    doc.group(Bytes()
                  .record(0x0040, cards.b)
                  .record(0x0041, products.b)
                  .record(0x0042, off.b)
                  .b);

    DocumentData d;
    QString error;
    ASSERT_TRUE(read(doc.b, d, &error)) << error.toStdString();
    ASSERT_EQ(d.cards.names(), QStringList({"Speisekarte", "Mittagstisch"}));
    const CardSettings lunch = d.cards.settingsOf(1, d.settings);
    EXPECT_EQ(lunch.CaptionEd, "Mittagstisch");
    EXPECT_EQ(lunch.PapierBox, CardSettings::Paper::A5);
    EXPECT_TRUE(lunch.NummernJeKarteCheck);
    EXPECT_EQ(lunch.printedDate(QDate(2000, 1, 1)), QDate(2026, 12, 10));
    EXPECT_EQ(d.settings.PapierBox, CardSettings::Paper::Printer);
    EXPECT_FALSE(d.settings.NummernJeKarteCheck);

    // The first card: everything offered, numbers over the whole catalogue
    // (the dish out of season keeps its 2, the free text takes none, 7 is Bier's).
    const CardView first(d.categoryNames, *d.catalogue, 0, false);
    EXPECT_EQ(printed(first), QStringList({"Suppen/Tomatensuppe#1", "Suppen/Heute frisch#0",
                                           "Suppen/Gulaschsuppe#3", "Getränke/Wasser#4",
                                           "Getränke/Bier#7"}));
    // The lunch sheet numbers its own two dishes; Bier keeps its own number.
    const CardView sheet(d.categoryNames, *d.catalogue, 1, lunch.NummernJeKarteCheck);
    EXPECT_EQ(printed(sheet), QStringList({"Suppen/Gulaschsuppe#0", "Getränke/Bier#7"}));
    EXPECT_EQ(sheet.sourceRow(0, 0), 3);
    // Without its own numbering it shows the catalogue's numbers.
    EXPECT_EQ(printed(CardView(d.categoryNames, *d.catalogue, 1, false)),
              QStringList({"Suppen/Gulaschsuppe#3", "Getränke/Bier#7"}));

    // The program writes exactly these bytes back.
    EXPECT_EQ(WriteDocument(d.categoryNames, *d.catalogue, d.settings, d.unknownRecords, &d.cards), doc.b);
}

TEST(CardRecords, ADocumentWithoutCardsKeepsItsBytesAndWhatIsChangedComesBack)
{
    DocumentData d;
    Bytes doc = catalogueBytes();
    doc.settings("Speisekarte");
    ASSERT_TRUE(read(doc.b, d));
    EXPECT_TRUE(CarriesEverything(*d.catalogue, 0));
    EXPECT_TRUE(CardView(d.categoryNames, *d.catalogue, 0, false).isWholeCatalogue());
    EXPECT_EQ(WriteDocument(d.categoryNames, *d.catalogue, d.settings, {}, &d.cards), doc.b);

    // Renaming the only card, a third card of its own settings (with a record
    // this program does not know), a dish off the first card, one out of season.
    d.cards[0].name = "Hauptkarte";
    Card dessert{"Desserts", CardSettings(), {{0x7E01, QByteArray("zz")}}};
    dessert.settings.CaptionEd = "Süßes";
    dessert.settings.QrDruckCheck = true;
    dessert.settings.QrUrlEd = "https://example.org";
    dessert.settings.DatumBox = CardSettings::DateLine::Today;
    d.cards.append(Card{"Getränkekarte", CardSettings(), {}});
    d.cards.append(dessert);
    d.catalogue->setProductCards(0, 0, 0b100);
    d.catalogue->setProductCards(1, 1, 0b011);
    d.catalogue->setOffered(1, 0, false);
    const QByteArray bytes = WriteDocument(d.categoryNames, *d.catalogue, d.settings, {}, &d.cards);
    DocumentData back;
    QString error;
    ASSERT_TRUE(read(bytes, back, &error)) << error.toStdString();
    EXPECT_EQ(back.cards.names(), QStringList({"Hauptkarte", "Getränkekarte", "Desserts"}));
    EXPECT_EQ(back.cards.at(2).settings.CaptionEd, "Süßes");
    EXPECT_EQ(back.cards.at(2).settings.QrUrlEd, "https://example.org");
    EXPECT_EQ(back.cards.at(2).settings.DatumBox, CardSettings::DateLine::Today);
    EXPECT_EQ(back.cards.at(2).unknownRecords, dessert.unknownRecords);
    EXPECT_EQ(back.catalogue->productCards(0, 0), 0b100u);
    EXPECT_EQ(back.catalogue->productCards(1, 1), 0b011u);
    EXPECT_EQ(back.catalogue->productCards(0, 1), 0b001u);
    EXPECT_FALSE(back.catalogue->isOffered(1, 0));
    EXPECT_TRUE(back.catalogue->isOffered(0, 0));
    EXPECT_EQ(WriteDocument(back.categoryNames, *back.catalogue, back.settings, {}, &back.cards), bytes);
    EXPECT_EQ(ProductsOnCard(*back.catalogue, 0), 4); // not Tomatensuppe (third card only), not Wasser (off)
    EXPECT_EQ(printed(CardView(back.categoryNames, *back.catalogue, 2, false)),
              QStringList({"Suppen/Tomatensuppe#1"}));
    // The second card carries only Bier: Suppen is not printed on it.
    EXPECT_EQ(CardView(back.categoryNames, *back.catalogue, 1, false).categoryNames(),
              QStringList({"Getränke"}));

    // Deleting the second card moves the third one's products down a place.
    back.cards.remove(1, *back.catalogue);
    EXPECT_EQ(back.catalogue->productCards(0, 0), 0b10u);
    EXPECT_EQ(back.catalogue->productCards(1, 1), 0b01u);
    back.cards.remove(0, *back.catalogue);
    back.cards.remove(0, *back.catalogue); // the last card stays
    EXPECT_EQ(back.cards.names(), QStringList({"Desserts"}));
}

TEST(CardRecords, DamagedCardRecordsRefuseTheDocument)
{
    auto withGroup = [](const QByteArray &records) {
        Bytes doc = catalogueBytes();
        doc.settings("Speisekarte");
        return doc.group(records).b;
    };
    auto cardsRecord = [](QStringList names) {
        Bytes c;
        c.i32(int32_t(names.size()));
        for (const QString &n : names)
            c.text(n);
        Bytes s;
        s.settings("x");
        for (int i = 1; i < names.size(); ++i)
            c.u32(uint32_t(s.b.size())).b.append(s.b), c.u32(0);
        return Bytes().record(0x0040, c.b).b;
    };
    QStringList names;
    for (int i = 1; i <= 65; ++i)
        names << QString("Karte %1").arg(i);
    const QByteArray sixtyFive = cardsRecord(names);
    const QByteArray sixtyFour = cardsRecord(names.mid(0, 64));
    const struct {
        const char *what;
        QByteArray records;
    } cases[] = {
        {"empty name", cardsRecord({"Speisekarte", "  "})},
        {"same name", cardsRecord({"Speisekarte", "SPEISEKARTE"})},
        {"line break", cardsRecord({"Speise\nkarte"})},
        {"no cards", Bytes().record(0x0040, Bytes().i32(0).b).b},
        {"65 cards", sixtyFive},
        {"no such product", Bytes().record(0x0041, Bytes().i32(1).i32(0).i32(1).i32(1).i32(2).b).b},
        {"twice", Bytes().record(0x0041, Bytes().i32(1).i32(0).i32(2).i32(0).i32(1).i32(0).i32(1).b).b},
        {"backwards", Bytes().record(0x0042, Bytes().i32(2).i32(1).i32(0).i32(0).i32(3).b).b},
        {"no such card", Bytes().record(0x0041, Bytes().i32(1).i32(1).i32(1).i32(0).i32(0).b).b},
        {"card twice", Bytes().record(0x0041, Bytes().i32(2).i32(0).i32(0).i32(0).i32(0).b).b},
        {"no such date", Bytes().record(0x0043, Bytes().byte(0).byte(2).i32(2026).byte(2).byte(30).b).b},
        {"unknown date line", Bytes().record(0x0043, Bytes().byte(0).byte(3).b).b},
        {"settings cut", Bytes().record(0x0040, Bytes().i32(2).text("a").text("b").u32(10).b.append(10, '\0')).b},
    };
    for (const auto &c : cases) {
        DocumentData d;
        d.categoryNames = QStringList{"unchanged"};
        QString error;
        EXPECT_FALSE(read(withGroup(c.records), d, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        EXPECT_EQ(d.categoryNames, QStringList{"unchanged"}) << c.what;
    }
    // The same records, well formed, are read; 64 cards are the most.
    DocumentData d;
    QString error;
    EXPECT_TRUE(read(withGroup(sixtyFour), d, &error)) << error.toStdString();
    EXPECT_EQ(d.cards.count(), 64);
    EXPECT_TRUE(read(withGroup(cardsRecord({"Speisekarte", "Getränke"})
                               + Bytes().record(0x0041, Bytes().i32(1).i32(1).i32(1).i32(1).i32(0).b).b),
                     d, &error))
        << error.toStdString();
    EXPECT_TRUE(read(withGroup(Bytes().record(0x0043, Bytes().byte(0).byte(2).i32(2028).byte(2).byte(29).b).b), d,
                     &error))
        << error.toStdString();
}

TEST(CardNames, NamesAreCheckedAndMadeSafeForFiles)
{
    CardList cards;
    cards.append(Card{"Getränke", CardSettings(), {}});
    EXPECT_TRUE(cards.nameProblem("Mittagstisch").isEmpty());
    EXPECT_FALSE(cards.nameProblem("getränke").isEmpty());
    EXPECT_TRUE(cards.nameProblem("Getränke", 1).isEmpty()); // its own name
    EXPECT_FALSE(cards.nameProblem(" ").isEmpty());
    EXPECT_FALSE(cards.nameProblem(QString("a") + QChar(0x2028) + "b").isEmpty());

    EXPECT_EQ(SafeCardFileName("Speisekarte"), "Speisekarte");
    EXPECT_EQ(SafeCardFileName("../../etc/passwd"), "_.._etc_passwd");
    EXPECT_EQ(SafeCardFileName("..\\..\\x"), "_.._x");
    EXPECT_EQ(SafeCardFileName("C:Wein*?"), "C_Wein__");
    EXPECT_EQ(SafeCardFileName(" .versteckt. "), "versteckt");
    EXPECT_EQ(SafeCardFileName("con"), "_con");
    EXPECT_EQ(SafeCardFileName("NUL.txt"), "_NUL.txt");
    EXPECT_EQ(SafeCardFileName(".."), "Karte");
    EXPECT_EQ(SafeCardFileName(QString(300, 'x')).size(), 100);
}
