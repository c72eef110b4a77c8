// The decimal input (prices, sizes, margins as people type them) on any
// text in any of several interface languages. A value read is finite, never
// a negative zero, and comes from a text of the digits 0 to 9 alone, with no
// tab or line break inside; shown back as the field shows it (the
// interface's decimal mark, two decimals), it reads again to the same value.
// Input: byte 0 picks the interface language (bit 7: the rest is UTF-16,
// else UTF-8), the rest is the text.
#include "catalogue/decimalinput.h"
#include "fuzzutil.h"

#include <QLocale>
#include <cmath>
#include <cstdlib>

namespace {

const char *const kLocales[] = {"de_DE", "en_US", "fr_FR", "nl_NL", "sv_SE", "C", "de_CH", "ar_EG", "hi_IN", "fa_IR"};

bool breaksLine(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85)
        || c == QChar(0x2028) || c == QChar(0x2029);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 4096)
        return 0;
    const char *name = kLocales[(data[0] & 0x7F) % (sizeof kLocales / sizeof *kLocales)];
    const QLocale locale{QLatin1String(name)};
    const char *rest = reinterpret_cast<const char *>(data + 1);
    const qsizetype n = qsizetype(size - 1);
    const QString text = (data[0] & 0x80) ? QString::fromUtf16(reinterpret_cast<const char16_t *>(
                                                                   QByteArray(rest, n & ~qsizetype(1)).constData()),
                                                               n / 2)
                                          : QString::fromUtf8(rest, n);
    const auto v = parseDecimalInput(text, locale);
    if (!v)
        return 0;
    if (!std::isfinite(*v) || (*v == 0 && std::signbit(*v)))
        std::abort();
    for (QChar c : text.trimmed()) {
        if ((c.digitValue() >= 0 && (c < u'0' || c > u'9')) || breaksLine(c))
            std::abort();
    }
    // As a field shows it: the interface's mark, two decimals, no grouping
    // (only for interfaces that write the digits 0 to 9).
    if (locale.zeroDigit() == QLatin1String("0")) {
        QLocale shown = locale;
        shown.setNumberOptions(QLocale::OmitGroupSeparator);
        const QString t = shown.toString(*v, 'f', 2);
        const auto again = parseDecimalInput(t, locale);
        const double expected = QLocale::c().toDouble(QLocale::c().toString(*v, 'f', 2));
        if (!again || *again != expected)
            std::abort();
    }
    return 0;
}
