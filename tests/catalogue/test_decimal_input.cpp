#include "catalogue/decimalinput.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <optional>

#include <gtest/gtest.h>

namespace {

std::optional<double> read(const char *text, const char *locale)
{
    return parseDecimalInput(QString::fromUtf8(text), QLocale(QLatin1String(locale)));
}

} // namespace

TEST(DecimalInput, PointOrCommaBeforeOneOrTwoFinalDigitsIsTheDecimalMarkEverywhere)
{
    for (const char *loc : {"de_DE", "en_US", "fr_FR", "nl_NL", "sv_SE", "C"}) {
        SCOPED_TRACE(loc);
        EXPECT_EQ(read("6.90", loc), 6.9);
        EXPECT_EQ(read("6,90", loc), 6.9);
        EXPECT_EQ(read("6,9", loc), 6.9);
        EXPECT_EQ(read("-0.5", loc), -0.5);
        EXPECT_EQ(read(",5", loc), 0.5);
        EXPECT_EQ(read("12", loc), 12.0);
        EXPECT_EQ(read(" 7 ", loc), 7.0);
        EXPECT_EQ(read("1.234,50", loc), 1234.5);
        EXPECT_EQ(read("1,234.50", loc), 1234.5);
        EXPECT_EQ(read("1 234,50", loc), 1234.5);
        // nothing that reads two ways, nothing that is no number
        EXPECT_FALSE(read("1.234.50", loc));
        EXPECT_FALSE(read("6.9.0", loc));
        EXPECT_FALSE(read("abc", loc));
        EXPECT_FALSE(read("", loc));
        EXPECT_FALSE(read("-", loc));
        EXPECT_FALSE(read("6,", loc));
        EXPECT_FALSE(read("1e5", loc));
        EXPECT_FALSE(read("0.125.", loc));
        EXPECT_FALSE(read("12.3456,7", loc));
    }
}

TEST(DecimalInput, OnlyTheDigitsZeroToNineSpacesOfOneLineAndNoNegativeZero)
{
    for (const char *loc : {"de_DE", "en_US", "fr_FR", "sv_SE", "ar_EG"}) {
        SCOPED_TRACE(loc);
        // Characters with a digit value are no digits of a price.
        EXPECT_FALSE(read("6\u00b2", loc));                 // 6²
        EXPECT_FALSE(read("\u2460\u2461,50", loc));         // ①②,50
        EXPECT_FALSE(read("\u0661\u0662,50", loc));         // Arabic-Indic 12,50
        EXPECT_FALSE(read("4,\u00b95", loc));               // 4,¹5
        EXPECT_FALSE(read("\uff11\uff12", loc));            // fullwidth 12
        // Spaces of one line group digits; a tab or a line break does not.
        EXPECT_EQ(read("1 234,50", loc), 1234.5);
        EXPECT_EQ(read("1\u00a0234,50", loc), 1234.5);
        EXPECT_EQ(read("1\u202f234,50", loc), 1234.5);
        EXPECT_EQ(read("1\u2009234", loc), 1234.0);
        EXPECT_FALSE(read("1\t234,50", loc));
        EXPECT_FALSE(read("1\n234,50", loc));
        EXPECT_FALSE(read("1\r\n234", loc));
        EXPECT_FALSE(read("1\u2028234", loc));
        EXPECT_FALSE(read("-\t5", loc));
        EXPECT_EQ(read("- 5", loc), -5.0);
        // Around the number, any white space may stand (a pasted cell).
        EXPECT_EQ(read("\t7,50\n", loc), 7.5);
        // Minus zero is zero.
        for (const char *zero : {"-0", "-0,00", "-0.0", "-,0", "\u22120"}) {
            const auto v = read(zero, loc);
            ASSERT_TRUE(v) << zero;
            EXPECT_EQ(*v, 0.0) << zero;
            EXPECT_FALSE(std::signbit(*v)) << zero;
        }
        EXPECT_TRUE(std::signbit(*read("-0,01", loc)));
    }
}

TEST(DecimalInput, OtherwiseTheInterfaceFormHolds)
{
    // more decimals with the interface's own mark (values from documents)
    EXPECT_EQ(read("12,3456", "de_DE"), 12.3456);
    EXPECT_EQ(read("12.3456", "en_US"), 12.3456);
    // the interface's grouping in threes
    EXPECT_EQ(read("1.234", "de_DE"), 1234.0);
    EXPECT_EQ(read("1,234", "en_US"), 1234.0);
    EXPECT_EQ(read("1.234", "en_US"), 1.234);
    // no thousand starts with 0, groups are threes after one to three digits
    EXPECT_FALSE(read("0.125", "de_DE"));
    EXPECT_FALSE(read("1.2345", "de_DE"));
    EXPECT_FALSE(read("1.23,50", "de_DE"));
    EXPECT_FALSE(read("1 23", "de_DE"));
    EXPECT_FALSE(read("1234.567", "de_DE"));
    EXPECT_FALSE(read("1234 567", "en_US"));
    EXPECT_EQ(read("123 456 789", "en_US"), 123456789.0);
    EXPECT_FALSE(read("12,3456", "en_US"));
    // the interface's own minus sign
    EXPECT_EQ(parseDecimalInput(QString(QChar(0x2212)) + QStringLiteral("2,5"), QLocale(QLatin1String("sv_SE"))),
              -2.5);
}
