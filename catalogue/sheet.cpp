#include "catalogue/sheet.h"

#include "catalogue/codepage.h"
#include "catalogue/usertext.h"

#include <QStringDecoder>

#include <cmath>

namespace {

QString decode(const QByteArray &data, CsvEncoding *encoding)
{
    if (data.startsWith("\xEF\xBB\xBF")) {
        *encoding = CsvEncoding::Utf8Bom;
        return QString::fromUtf8(data.mid(3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    if (!utf8.hasError()) {
        *encoding = CsvEncoding::Utf8;
        return text;
    }
    *encoding = CsvEncoding::Windows1252;
    return FromWindows1252(data);
}

// The separator the first line (outside quotation marks) uses most.
QChar guessSeparator(const QString &text)
{
    int tabs = 0, semicolons = 0, commas = 0;
    bool quoted = false;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('"'))
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
            break;
        else if (ch == QLatin1Char('\t'))
            ++tabs;
        else if (ch == QLatin1Char(';'))
            ++semicolons;
        else if (ch == QLatin1Char(','))
            ++commas;
    }
    if (tabs > 0 && tabs >= semicolons && tabs >= commas)
        return QLatin1Char('\t');
    if (semicolons > 0 && semicolons >= commas)
        return QLatin1Char(';');
    return QLatin1Char(',');
}

} // namespace

bool ReadCsvSheet(const QByteArray &data, Sheet *out, QString *error, CsvEncoding *encoding)
{
    CsvEncoding enc;
    const QString text = decode(data, &enc);
    if (encoding)
        *encoding = enc;
    const QChar sep = guessSeparator(text);
    Sheet sheet;
    SheetRow row;
    QString field;
    bool quoted = false, wasQuoted = false;
    int line = 1;
    row.line = 1;
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    auto endField = [&]() {
        if (row.cells.size() >= kMaxSheetColumns)
            return false;
        SheetCell c;
        c.text = field;
        row.cells << c;
        field.clear();
        wasQuoted = false;
        return true;
    };
    auto endRow = [&]() {
        const bool empty = row.cells.size() == 1 && row.cells.first().text.isEmpty() && !wasQuoted;
        if (!empty) {
            if (sheet.rows.size() >= kMaxSheetRows)
                return false;
            sheet.rows << row;
        }
        row.cells.clear();
        return true;
    };
    const int n = int(text.size());
    for (int i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    field += ch;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (ch == QLatin1Char('\n') || (ch == QLatin1Char('\r') && !(i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))))
                    ++line;
                field += ch;
            }
            continue;
        }
        if (ch == QLatin1Char('"') && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (ch == sep) {
            if (!endField())
                return fail(UserText(QStringLiteral("Zeile %1 hat mehr als %2 Spalten.")).arg(row.line).arg(kMaxSheetColumns));
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            const bool q = wasQuoted;
            if (!endField())
                return fail(UserText(QStringLiteral("Zeile %1 hat mehr als %2 Spalten.")).arg(row.line).arg(kMaxSheetColumns));
            wasQuoted = q;
            if (!endRow())
                return fail(UserText(QStringLiteral("Die Tabelle hat mehr als %1 Zeilen.")).arg(kMaxSheetRows));
            wasQuoted = false;
            row.line = ++line;
        } else {
            field += ch;
        }
    }
    if (!field.isEmpty() || wasQuoted || !row.cells.isEmpty()) {
        const bool q = wasQuoted;
        if (!endField())
            return fail(UserText(QStringLiteral("Zeile %1 hat mehr als %2 Spalten.")).arg(row.line).arg(kMaxSheetColumns));
        wasQuoted = q;
        if (!endRow())
            return fail(UserText(QStringLiteral("Die Tabelle hat mehr als %1 Zeilen.")).arg(kMaxSheetRows));
    }
    *out = std::move(sheet);
    return true;
}

bool ParseSheetNumber(const QString &input, double *value)
{
    QString t = input.trimmed();
    // A currency sign written with the number.
    for (const QString &sign : {QStringLiteral("€"), QStringLiteral("EUR"), QStringLiteral("$"), QStringLiteral("£"),
                                QStringLiteral("CHF"), QStringLiteral("kr")})
        if (t.endsWith(sign, Qt::CaseInsensitive))
            t = t.chopped(sign.size()).trimmed();
        else if (t.startsWith(sign, Qt::CaseInsensitive))
            t = t.mid(sign.size()).trimmed();
    t.remove(QChar(0x00A0)).remove(QChar(0x202F)).remove(QLatin1Char(' ')).remove(QLatin1Char('\''));
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QChar(0x2212))) {
        negative = true;
        t = t.mid(1);
    }
    if (t.isEmpty())
        return false;
    for (const QChar ch : t)
        if (!(ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) && ch != QLatin1Char('.') && ch != QLatin1Char(','))
            return false;
    const int lastPoint = int(t.lastIndexOf(QLatin1Char('.'))), lastComma = int(t.lastIndexOf(QLatin1Char(',')));
    QChar decimal, group;
    if (lastPoint >= 0 && lastComma >= 0) {
        decimal = lastPoint > lastComma ? QLatin1Char('.') : QLatin1Char(',');
        group = lastPoint > lastComma ? QLatin1Char(',') : QLatin1Char('.');
    } else if (lastPoint >= 0 || lastComma >= 0) {
        const QChar mark = lastPoint >= 0 ? QLatin1Char('.') : QLatin1Char(',');
        if (t.count(mark) == 1)
            decimal = mark;
        else
            group = mark;
    }
    if (!group.isNull()) {
        // Groups of three digits between the marks.
        const int end = decimal.isNull() ? int(t.size()) : int(t.lastIndexOf(decimal));
        const QStringList parts = t.left(end).split(group);
        if (parts.first().isEmpty() || parts.first().size() > 3)
            return false;
        for (int i = 1; i < parts.size(); ++i)
            if (parts.at(i).size() != 3)
                return false;
        t = parts.join(QString()) + t.mid(end);
    }
    if (!decimal.isNull()) {
        if (t.count(decimal) != 1)
            return false;
        t.replace(decimal, QLatin1Char('.'));
        if (t.startsWith(QLatin1Char('.')) || t.endsWith(QLatin1Char('.')))
            return false;
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = negative ? -v : v;
    if (*value == 0)
        *value = 0; // no negative zero
    return true;
}
