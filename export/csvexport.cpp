#include "export/csvexport.h"

#include "catalogue/cards.h"
#include "catalogue/codepage.h"
#include "catalogue/brastel.h"
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

bool CsvTranslationColumns(const Catalogue &cat)
{
    for (int i = 0; i < cat.categoryCount(); ++i)
        for (int j = 0; j < cat.productCount(i); ++j)
            if (!cat.translation(i, j).isEmpty())
                return true;
    return false;
}

QStringList CsvCardTexts()
{
    return {QStringLiteral("Im Angebot"), QStringLiteral("Karten"), QStringLiteral("ja"), QStringLiteral("nein")};
}

CatalogueTable BuildCatalogueTable(const QStringList &names, const Catalogue &cat, const QStringList &header,
                                   QChar decimalPoint, const CardList *cards)
{
    CatalogueTable table;
    const int sizes = CsvSizeColumns(cat);
    const bool marks = sizes > 0 || cat.hasMarks();
    const bool cardColumns = CsvCardColumns(cat, cards);
    const bool translationColumns = CsvTranslationColumns(cat);
    const int fields = (marks ? 8 : 6) + (sizes > 0 ? 2 * sizes - 1 : 0) + (cardColumns ? 2 : 0)
                       + (translationColumns ? 3 : 0);
    const QString yes = TranslateStr(QStringLiteral("ja")), no = TranslateStr(QStringLiteral("nein"));
    for (int i = 0; i < fields; ++i)
        table.header << header.value(i);

    auto text = [](const QString &t) {
        CatalogueCell c;
        c.text = t;
        return c;
    };
    auto price = [&](double v) {
        CatalogueCell c;
        c.text = FormatPrice2(v, decimalPoint);
        c.number = v;
        c.isNumber = true;
        c.decimals = 2;
        return c;
    };

    const int c = std::min(int(names.size()), cat.categoryCount());
    for (int i = 0; i < c; ++i) {
        const auto *prods = *static_cast<TDynaArray *const *>(cat.kats->At(uint32_t(i)));
        if (!prods)
            continue;
        for (uint32_t j = 0; j < prods->count; ++j) {
            const auto *p = static_cast<const TProductRec *>(prods->At(j));
            QVector<CatalogueCell> row;
            row.reserve(fields);
            // One price per size of the category (just the product's own
            // price without sizes); NaN: not sold in that size.
            const QVector<double> prices = cat.sizePrices(i, int(j));
            const bool firstSold = prices.isEmpty() || !std::isnan(prices.first());
            row << text(names.at(i)) << text(WideText(p->name)) << text(WideText(p->description));
            row << (firstSold ? price(p->price) : CatalogueCell());
            CatalogueCell number = text(QString::number(p->number));
            number.number = p->number;
            number.isNumber = true;
            row << number << text(WideText(p->quantity));
            if (marks) {
                const ProductMarks &m = cat.marks(i, int(j));
                row << text(AllergenLetters(m)) << text(AdditiveNumbers(m));
            }
            if (sizes > 0) {
                const QStringList headings = cat.sizeHeadings(i);
                // A free text is sold in no size.
                row << text(firstSold && p->price >= 0 ? headings.value(0) : QString());
                for (int k = 1; k < sizes; ++k) {
                    const bool sold = k < prices.size() && !std::isnan(prices.at(k));
                    row << text(sold ? headings.value(k) : QString());
                    row << (sold ? price(prices.at(k)) : CatalogueCell());
                }
            }
            if (cardColumns) {
                // Whether it is offered, and the cards it stands on (out of
                // season it keeps them).
                row << text(cat.isOffered(i, int(j)) ? yes : no);
                const uint64_t on = cat.productCards(i, int(j));
                QStringList onCards;
                for (int k = 0; k < cards->count() && k < 64; ++k) {
                    if (on & (uint64_t(1) << k))
                        onCards << cards->at(k).name;
                }
                row << text(onCards.join(QStringLiteral(", ")));
            }
            if (translationColumns) {
                const ProductTranslation &t = cat.translation(i, int(j));
                row << text(t.name) << text(t.description) << text(t.quantity);
            }
            table.rows << row;
        }
    }
    return table;
}

QByteArray BuildCsv(const QStringList &names, const Catalogue &cat, const QStringList &header,
                    QChar decimalPoint, const CardList *cards)
{
    const CatalogueTable table = BuildCatalogueTable(names, cat, header, decimalPoint, cards);
    QString text;
    QString line;
    for (const QString &title : table.header)
        AddCsvField(line, title);
    endLine(text, line);
    for (const auto &row : table.rows) {
        for (const CatalogueCell &cell : row)
            AddCsvField(line, cell.text);
        endLine(text, line);
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
    if (CsvTranslationColumns(cat)) {
        // "Bezeichnung (en)": the title of the German column and the
        // second language's tag.
        const QString tag = QStringLiteral(" (%1)").arg(cat.secondLanguage().tag);
        header << GetMsgText(14) + tag << GetMsgText(15) + tag << GetMsgText(18) + tag;
    }
    return header;
}

bool WriteCsvFile(const QString &path, const QByteArray &data, QString *error)
{
    return WriteFileAtomically(path, data, error);
}
