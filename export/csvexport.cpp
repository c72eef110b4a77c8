#include "export/csvexport.h"

#include "catalogue/codepage.h"
#include "catalogue/brastel.h"
#include "i18n/translateunit.h"

#include <algorithm>

namespace {

void endLine(QString &text, QString &line)
{
    line.chop(1); // the comma after the last field
    text += line;
    text += QLatin1String("\r\n");
    line.clear();
}

} // namespace

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

QByteArray BuildCsv(const QStringList &names, const Catalogue &cat, const QStringList &header,
                    QChar decimalPoint)
{
    QString text;
    QString line;
    const bool marks = cat.hasMarks();
    const int fields = marks ? 8 : 6;
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
            AddCsvField(line, names.at(i));
            AddCsvField(line, WideText(p->name));
            AddCsvField(line, WideText(p->description));
            AddCsvField(line, FormatPrice2(p->price, decimalPoint));
            AddCsvField(line, QString::number(p->number));
            AddCsvField(line, WideText(p->quantity));
            if (marks) {
                const ProductMarks &m = cat.marks(i, int(j));
                AddCsvField(line, AllergenLetters(m));
                AddCsvField(line, AdditiveNumbers(m));
            }
            endLine(text, line);
        }
    }
    return ToWindows1252(text);
}

QStringList CsvHeader(const Catalogue &cat)
{
    QStringList header;
    for (int n = 13; n <= 18; ++n)
        header << GetMsgText(n);
    if (cat.hasMarks())
        header << TranslateStr(QStringLiteral("Allergene")) << TranslateStr(QStringLiteral("Zusatzstoffe"));
    return header;
}

bool WriteCsvFile(const QString &path, const QByteArray &data, QString *error)
{
    return WriteFileAtomically(path, data, error);
}
