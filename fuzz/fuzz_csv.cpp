// The CSV export of any document the reader accepts: every line holds as
// many fields as the header, quoted, with CR LF after each line (a line break
// inside a description stays inside its quotes); one line per product; six
// fields without marks and sizes, eight with marks, and after the marks the
// first size's heading and a pair per further size; an empty price exactly
// where the product is not sold in its first size.
#include "catalogue/document.h"
#include "export/csvexport.h"
#include "fuzzutil.h"

#include <cmath>
#include <cstdlib>

namespace {

// The fields of the lines of a CSV file as the export writes it; false when
// it is not of that form.
bool split(const QByteArray &csv, QList<QList<QByteArray>> &lines)
{
    qsizetype i = 0;
    QList<QByteArray> line;
    while (i < csv.size()) {
        if (csv.at(i) != '"')
            return false;
        QByteArray field;
        for (++i;; ++i) {
            if (i >= csv.size())
                return false;
            if (csv.at(i) == '"') {
                if (i + 1 < csv.size() && csv.at(i + 1) == '"') {
                    field += '"';
                    ++i;
                    continue;
                }
                ++i;
                break;
            }
            field += csv.at(i);
        }
        line << field;
        if (i < csv.size() && csv.at(i) == ',') {
            ++i;
        } else if (csv.mid(i, 2) == "\r\n") {
            i += 2;
            lines << line;
            line.clear();
        } else {
            return false;
        }
    }
    return line.isEmpty();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    DocumentData doc;
    if (!ReadDocument(bytes, CardSettings(), doc, nullptr))
        return 0;
    const Catalogue &cat = *doc.catalogue;
    // Titles of their own: the translation table is not the business here.
    QStringList header;
    for (int i = 1; i <= 20; ++i)
        header << QStringLiteral("T%1").arg(i);
    const QByteArray csv = BuildCsv(doc.categoryNames, cat, header, QLatin1Char(size % 2 ? ',' : '.'));
    QList<QList<QByteArray>> lines;
    if (!split(csv, lines) || lines.isEmpty())
        std::abort();
    const int sizes = CsvSizeColumns(cat);
    const qsizetype fields = sizes > 0 ? 8 + 2 * sizes - 1 : cat.hasMarks() ? 8 : 6;
    if (lines.first().size() != fields)
        std::abort();
    qsizetype line = 1;
    for (int c = 0; c < cat.categoryCount(); ++c) {
        const auto *prods = *static_cast<TDynaArray *const *>(cat.kats->At(uint32_t(c)));
        for (uint32_t p = 0; p < prods->count; ++p, ++line) {
            if (line >= lines.size() || lines.at(line).size() != fields)
                std::abort();
            const bool firstSold = !std::isnan(cat.sizePrices(c, int(p)).value(0));
            if (lines.at(line).at(3).isEmpty() == firstSold)
                std::abort();
            if (sizes > 0 && !firstSold && !lines.at(line).at(8).isEmpty())
                std::abort();
        }
    }
    if (line != lines.size())
        std::abort();
    return 0;
}
