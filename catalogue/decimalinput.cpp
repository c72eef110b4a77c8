#include "catalogue/decimalinput.h"

#include <cmath>

namespace {

// A space that may group digits: the space and the other spaces of one line
// (no-break, thin, narrow no-break, ...). A tab or a line break is no group
// space: text pasted from two cells or lines is not one number.
bool isSpaceLike(QChar c)
{
    return c.category() == QChar::Separator_Space;
}

// `s` when it holds only the digits 0 to 9, else empty. Other characters
// with a digit value ("²", "①", digits of other scripts) are no digits of a
// price: read as such, "6²" would be 62.
QString asciiDigits(const QString &s)
{
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return QString();
    }
    return s;
}

// An integer part: digits, possibly grouped in threes by one separator
// (`group`, or any space). Empty `group` allows spaces only.
bool readIntegerPart(const QString &s, QChar group, QString &digits)
{
    digits.clear();
    if (s.isEmpty())
        return true; // ",5" is 0.5
    QStringList parts;
    QString cur;
    for (QChar c : s) {
        if ((!group.isNull() && c == group) || isSpaceLike(c)) {
            parts << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts << cur;
    for (int i = 0; i < parts.size(); ++i) {
        const QString d = asciiDigits(parts.at(i));
        if (d.isEmpty())
            return false;
        if (parts.size() > 1) {
            // Groups of three after a first group of one to three digits
            // that does not start with 0 ("0.125" is no thousand).
            if (i == 0 ? (d.size() > 3 || d.front() == u'0') : d.size() != 3)
                return false;
        }
        digits += d;
    }
    return true;
}

} // namespace

std::optional<double> parseDecimalInput(const QString &text, const QLocale &locale)
{
    QString s = text.trimmed();
    while (!s.isEmpty() && isSpaceLike(s.front()))
        s.remove(0, 1);
    while (!s.isEmpty() && isSpaceLike(s.back()))
        s.chop(1);
    if (s.isEmpty())
        return std::nullopt;

    bool negative = false;
    const QChar first = s.front();
    if (first == u'-' || first == QChar(0x2212) || s.startsWith(locale.negativeSign())) {
        negative = true;
        s.remove(0, first == u'-' || first == QChar(0x2212) ? 1 : locale.negativeSign().size());
    } else if (first == u'+' || s.startsWith(locale.positiveSign())) {
        s.remove(0, first == u'+' ? 1 : locale.positiveSign().size());
    }
    while (!s.isEmpty() && isSpaceLike(s.front()))
        s.remove(0, 1);
    if (s.isEmpty())
        return std::nullopt;

    const QString localePoint = locale.decimalPoint();
    const QChar point = localePoint.size() == 1 ? localePoint.front() : QChar(u'.');
    const QString localeGroup = locale.groupSeparator();
    const QChar group = localeGroup.size() == 1 ? localeGroup.front() : QChar();

    QString intPart, fracPart;
    QChar groupInUse;
    const int lastMark = std::max(s.lastIndexOf(u'.'), s.lastIndexOf(u','));
    const int tail = lastMark < 0 ? -1 : int(s.size()) - lastMark - 1;
    if (lastMark >= 0 && (tail == 1 || tail == 2)) {
        // "6.90", "6,9", "1.234,50", "1,234.50": the last mark is the decimal
        // one; the other mark may group the integer digits.
        const QChar mark = s.at(lastMark);
        intPart = s.left(lastMark);
        fracPart = s.mid(lastMark + 1);
        if (intPart.contains(mark))
            return std::nullopt; // "1.234.50" reads no way for sure
        groupInUse = mark == u'.' ? QChar(u',') : QChar(u'.');
    } else {
        // The interface's own form: its decimal mark with any number of
        // decimals, its group separator in threes.
        const int p = s.indexOf(point);
        if (p >= 0) {
            intPart = s.left(p);
            fracPart = s.mid(p + 1);
            if (fracPart.isEmpty())
                return std::nullopt;
        } else {
            intPart = s;
        }
        groupInUse = group == point ? QChar() : group;
        if (!groupInUse.isNull() && groupInUse != u'.' && groupInUse != u',')
            groupInUse = QChar(); // spaces are always allowed
    }

    QString digits;
    if (!readIntegerPart(intPart, groupInUse, digits))
        return std::nullopt;
    QString decimals;
    if (!fracPart.isEmpty()) {
        decimals = asciiDigits(fracPart);
        if (decimals.isEmpty())
            return std::nullopt;
    }
    if (digits.isEmpty() && decimals.isEmpty())
        return std::nullopt;

    QString c = digits.isEmpty() ? QStringLiteral("0") : digits;
    if (!decimals.isEmpty())
        c += u'.' + decimals;
    bool ok = false;
    const double v = QLocale::c().toDouble(c, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    // "-0" and "-0,00" are 0: no negative zero is stored (it would print as
    // "-0,00").
    return negative && v != 0 ? -v : v;
}
