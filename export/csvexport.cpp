#include "export/csvexport.h"

#include "catalogue/codepage.h"
#include "catalogue/brastel.h"
#include "catalogue/cards.h"
#include "i18n/translateunit.h"

#include <algorithm>
#include <cmath>

namespace {

void endLine(QString &text, QString &line)
{
    line.chop(1); // the comma after the last field
    text += line;
    text += QLatin1String("\r\n");
    line.clear();
}

} // namespace

int CsvSizeColumns(const Catalogue &cat)
{
    int n = 0;
    for (int i = 0; i < cat.categoryCount(); ++i)
        n = std::max(n, int(cat.sizeHeadings(i).size()));
    return n;
}

void AddCsvField(QString &line, const QString &value)
{
    line += QLatin1Char('"');
    if (value.contains(QLatin1Char('"'))) {
        QString v = value;
        v.replace(QLatin1Char('"'), QLatin1String("\"\""));
        line += v;
    } else {
        line += value;
    }
    line += QLatin1String("\",");
}

bool CsvCardColumns(const Catalogue &cat, const CardList *cards)
{
    return cards && (!cards->isDefault() || !CarriesEverything(cat, 0));
}

QStringList CsvCardTexts()
{
    return {QStringLiteral("Im Angebot"), QStringLiteral("Karten"), QStringLiteral("ja"), QStringLiteral("nein")};
}

QByteArray BuildCsv(const QStringList &names, const Catalogue &cat, const QStringList &header,
                    QChar decimalPoint, const CardList *cards)
{
    QString text;
    QString line;
    const int sizes = CsvSizeColumns(cat);
    const bool marks = sizes > 0 || cat.hasMarks();
    const bool cardColumns = CsvCardColumns(cat, cards);
    const int fields = (marks ? 8 : 6) + (sizes > 0 ? 2 * sizes - 1 : 0) + (cardColumns ? 2 : 0);
    const QString yes = TranslateStr(QStringLiteral("ja")), no = TranslateStr(QStringLiteral("nein"));
    for (int i = 0; i < fields; ++i)
        AddCsvField(line, header.value(i));
    endLine(text, line);

    const int c = std::min(int(names.size()), cat.categoryCount());
    for (int i = 0; i < c; ++i) {
        const auto *prods = *static_cast<TDynaArray *const *>(cat.kats->At(uint32_t(i)));
        if (!prods)
            continue;
        for (uint32_t j = 0; j < prods->count; ++j) {
            const auto *p = static_cast<const TProductRec *>(prods->At(j));
            // One price per size of the category (just the product's own
            // price without sizes); NaN: not sold in that size.
            const QVector<double> prices = cat.sizePrices(i, int(j));
            const bool firstSold = prices.isEmpty() || !std::isnan(prices.first());
            AddCsvField(line, names.at(i));
            AddCsvField(line, WideText(p->name));
            AddCsvField(line, WideText(p->description));
            AddCsvField(line, firstSold ? FormatPrice2(p->price, decimalPoint) : QString());
            AddCsvField(line, QString::number(p->number));
            AddCsvField(line, WideText(p->quantity));
            if (marks) {
                const ProductMarks &m = cat.marks(i, int(j));
                AddCsvField(line, AllergenLetters(m));
                AddCsvField(line, AdditiveNumbers(m));
            }
            if (sizes > 0) {
                const QStringList headings = cat.sizeHeadings(i);
                // A free text is sold in no size.
                AddCsvField(line, firstSold && p->price >= 0 ? headings.value(0) : QString());
                for (int k = 1; k < sizes; ++k) {
                    const bool sold = k < prices.size() && !std::isnan(prices.at(k));
                    AddCsvField(line, sold ? headings.value(k) : QString());
                    AddCsvField(line, sold ? FormatPrice2(prices.at(k), decimalPoint) : QString());
                }
            }
            if (cardColumns) {
                AddCsvField(line, cat.isOffered(i, int(j)) ? yes : no);
                const uint64_t on = cat.productCards(i, int(j));
                QStringList onCards;
                for (int k = 0; k < cards->count(); ++k) {
                    if (on & (uint64_t(1) << k))
                        onCards << cards->at(k).name;
                }
                AddCsvField(line, onCards.join(QStringLiteral(", ")));
            }
            endLine(text, line);
        }
    }
    return ToWindows1252(text);
}

QStringList CsvHeader(const Catalogue &cat, const CardList *cards)
{
    QStringList header;
    for (int n = 13; n <= 18; ++n)
        header << GetMsgText(n);
    const int sizes = CsvSizeColumns(cat);
    if (sizes > 0 || cat.hasMarks())
        header << TranslateStr(QStringLiteral("Allergene")) << TranslateStr(QStringLiteral("Zusatzstoffe"));
    if (sizes > 0)
        header << TranslateStr(QStringLiteral("Größe %1")).arg(1);
    for (int k = 2; k <= sizes; ++k)
        header << TranslateStr(QStringLiteral("Größe %1")).arg(k) << TranslateStr(QStringLiteral("Preis %1")).arg(k);
    if (CsvCardColumns(cat, cards))
        header << TranslateStr(QStringLiteral("Im Angebot")) << TranslateStr(QStringLiteral("Karten"));
    return header;
}

bool WriteCsvFile(const QString &path, const QByteArray &data, QString *error)
{
    return WriteFileAtomically(path, data, error);
}
