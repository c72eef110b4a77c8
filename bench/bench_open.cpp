// Opening a document: ReadDocument on the bytes of a file already in memory,
// for documents whose group D is as large as the reader allows (16 MB of
// records, 100,000 records) and for a small file of many short records. The
// records are those a real card has (mark settings, additive lists, product
// marks, size headings and prices, QR code, paper), the repeated ones over and
// over, so that any cost per record that grows with the number of products
// shows.
#include "bench/cardgen.h"

#include "catalogue/document.h"
#include "catalogue/markrecords.h"
#include "catalogue/paperrecords.h"
#include "catalogue/qrrecords.h"
#include "catalogue/sizerecords.h"

#include <QCoreApplication>
#include <QtEndian>
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <memory>

namespace {

void putInt32(QByteArray &b, int32_t v)
{
    char le[4];
    qToLittleEndian<qint32>(v, le);
    b.append(le, 4);
}

void putUInt16(QByteArray &b, uint16_t v)
{
    char le[2];
    qToLittleEndian<quint16>(v, le);
    b.append(le, 2);
}

void putFloat64(QByteArray &b, double v)
{
    char le[8];
    std::memcpy(le, &v, 8);
    b.append(le, 8);
}

void putText(QByteArray &b, const QString &t)
{
    putInt32(b, int32_t(t.size()));
    for (QChar c : t)
        putUInt16(b, c.unicode());
}

void putRecord(QByteArray &records, uint16_t tag, const QByteArray &payload)
{
    putUInt16(records, tag);
    char le[4];
    qToLittleEndian<quint32>(quint32(payload.size()), le);
    records.append(le, 4);
    records += payload;
}

struct Shape {
    int categories;
    int perCategory;
    bool real;       // products and records as on a real card, or empty ones
    int records;     // records in group D
    qsizetype bytes; // bytes of records in group D (the last record fills up)
};

// Additive list i: twelve to fifteen short texts.
QByteArray additiveList(int i)
{
    QByteArray p;
    const int n = 12 + i % 4;
    putInt32(p, n);
    for (int k = 1; k <= n; ++k)
        putText(p, QStringLiteral("Z%1").arg(k));
    return p;
}

// Product marks: `entries` products from `first` on, each with an allergen
// and up to three additives of the first twelve.
QByteArray productMarks(const Shape &s, int first, int entries)
{
    QByteArray p;
    putInt32(p, entries);
    const int products = s.categories * s.perCategory;
    for (int e = 0; e < entries; ++e) {
        const int i = (first + e * 7919) % products;
        putInt32(p, i / s.perCategory);
        putInt32(p, i % s.perCategory);
        putUInt16(p, uint16_t(1u << (i % 14)));
        const int k = i % 4;
        putUInt16(p, uint16_t(k));
        for (int a = 1; a <= k; ++a)
            putUInt16(p, uint16_t(a * 4 - i % 3));
    }
    return p;
}

// Size headings: the even categories have three sizes.
QByteArray sizeHeadings(const Shape &s)
{
    QByteArray p;
    putInt32(p, (s.categories + 1) / 2);
    for (int c = 0; c < s.categories; c += 2) {
        putInt32(p, c);
        putUInt16(p, 3);
        for (const char *h : {"0,2 l", "0,3 l", "0,5 l"})
            putText(p, QString::fromLatin1(h));
    }
    return p;
}

// Further prices of `entries` products of the sized categories (none of them
// a free text).
QByteArray sizePrices(const Shape &s, const Catalogue &cat, int first, int entries)
{
    QByteArray p;
    QByteArray body;
    int n = 0;
    const int sizedProducts = ((s.categories + 1) / 2) * s.perCategory;
    for (int e = 0; e < sizedProducts && n < entries; ++e) {
        const int i = (first + e * 104729) % sizedProducts;
        const int c = (i / s.perCategory) * 2;
        const int row = i % s.perCategory;
        if (!(cat.sizePrices(c, row).value(0) >= 0))
            continue;
        putInt32(body, c);
        putInt32(body, row);
        body.append(char(0));
        putUInt16(body, 2);
        putFloat64(body, 3.5 + row % 10);
        putFloat64(body, 4.5 + row % 10);
        ++n;
    }
    putInt32(p, n);
    return p + body;
}

struct Document {
    QByteArray bytes;
    int records = 0;
    qsizetype groupBytes = 0;
};

Document buildDocument(const Shape &s)
{
    Catalogue cat;
    QStringList names;
    if (s.real) {
        cardgen::generate(cat, names, s.categories, s.perCategory);
    } else {
        for (int c = 0; c < s.categories; ++c) {
            cat.addCategory();
            names << QString();
            ProductValues v;
            v.price = 2.5;
            for (int p = 0; p < s.perCategory; ++p)
                cat.addProduct(c, v);
        }
    }
    const QByteArray groupC = WriteDocument(names, cat, CardSettings());
    if (s.records == 0)
        return {groupC, 0, 0};

    QByteArray records;
    records.reserve(s.bytes);
    int count = 0;
    auto add = [&](uint16_t tag, const QByteArray &payload) {
        putRecord(records, tag, payload);
        ++count;
    };
    add(kMarkSettingsRecord, QByteArray("\x01\x01", 2));
    {
        QByteArray qr;
        putText(qr, QStringLiteral("https://example.org/karte"));
        qr.append(char(1));
        putFloat64(qr, 25);
        add(kQrCodeRecord, qr);
    }
    add(kSizeHeadingsRecord, sizeHeadings(s));
    add(kPaperRecord, QByteArray("\x01\x00", 2));
    // The records that may repeat, in turn, the marks and prices as long as
    // the bytes left per record allow, until one record and its header are
    // left for the remaining bytes. The small file repeats an empty additive
    // list.
    int turn = 0;
    while (count < s.records - 1) {
        const qsizetype budget = (s.bytes - records.size() - 6) / (s.records - count - 1) - 6;
        QByteArray payload;
        uint16_t tag = kAdditiveListRecord;
        if (!s.real) {
            payload = QByteArray(4, '\0');
        } else if (turn % 3 == 0) {
            payload = additiveList(turn);
        } else if (turn % 3 == 1) {
            const int entries = int(std::max<qsizetype>(1, (budget - 4) / 16));
            tag = kProductMarksRecord;
            payload = productMarks(s, turn * 31, entries);
        } else {
            const int entries = int(std::max<qsizetype>(1, (budget - 4) / 27));
            tag = kSizePricesRecord;
            payload = sizePrices(s, cat, turn * 37, entries);
        }
        if (records.size() + 6 + payload.size() > s.bytes - 6)
            break;
        add(tag, payload);
        ++turn;
    }
    // An unknown record fills the group to its size.
    add(0x7F00, QByteArray(s.bytes - records.size() - 6, 'x'));

    Document d;
    d.bytes = groupC;
    d.bytes += QByteArray("VLRD", 4);
    char le[4];
    qToLittleEndian<quint32>(quint32(records.size()), le);
    d.bytes.append(le, 4);
    d.bytes += records;
    d.records = count;
    d.groupBytes = records.size();
    return d;
}

void open(benchmark::State &state, const Document &doc)
{
    const QByteArray &bytes = doc.bytes;
    for (auto _ : state) {
        DocumentData out;
        QString error;
        if (!ReadDocument(bytes, CardSettings(), out, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(out.catalogue.get());
    }
    state.counters["file_MB"] = double(bytes.size()) / (1024 * 1024);
    state.counters["group_D_MB"] = double(doc.groupBytes) / (1024 * 1024);
    state.counters["records"] = doc.records;
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

// Group D at its limits (16 MB of records, 100,000 records) after 20,000
// products as a real card has them.
void BM_OpenAtTheLimits(benchmark::State &state)
{
    static const Document doc = buildDocument({20, 1000, true, 100000, qsizetype(16) * 1024 * 1024});
    open(state, doc);
}
BENCHMARK(BM_OpenAtTheLimits)->Unit(benchmark::kMillisecond);

// A file of about 1 MB: 20,000 products without texts and 50,000 empty
// additive lists.
void BM_OpenSmallFileOfManyRecords(benchmark::State &state)
{
    static const Document doc = buildDocument({20, 1000, false, 50000, 500 * 1024});
    open(state, doc);
}
BENCHMARK(BM_OpenSmallFileOfManyRecords)->Unit(benchmark::kMillisecond);

// The catalogue part alone: 100,000 and 400,000 products without texts in
// one category (2.4 and 9.6 MB), no group D.
void BM_OpenOneLongCategory(benchmark::State &state)
{
    static std::map<int64_t, Document> docs;
    Document &doc = docs[state.range(0)];
    if (doc.bytes.isEmpty())
        doc = buildDocument({1, int(state.range(0)), false, 0, 0});
    open(state, doc);
}
BENCHMARK(BM_OpenOneLongCategory)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
