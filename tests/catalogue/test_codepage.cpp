#include "catalogue/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

TEST(CodePage, EveryByteReadsAndWritesBack)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString s = FromWindows1252(all);
    ASSERT_EQ(s.size(), 256);
    EXPECT_EQ(ToWindows1252(s), all);
    EXPECT_EQ(s.at(0x80), QChar(0x20AC));
    EXPECT_EQ(s.at(0x9F), QChar(0x0178));
    EXPECT_EQ(s.at(0xE4), QChar(0x00E4));
}

TEST(CodePage, BuiltInTableAgreesWithQtConverter)
{
    QStringDecoder dec("windows-1252");
    if (!dec.isValid())
        GTEST_SKIP() << "this Qt has no windows-1252 converter";
    QByteArray high(32, '\0');
    for (int i = 0; i < 32; ++i)
        high[i] = char(0x80 + i);
    const QString s = dec.decode(high);
    ASSERT_EQ(s.size(), 32);
    const char16_t *t = Windows1252BuiltInHighTable();
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(s.at(i).unicode(), t[i]) << "byte 0x" << std::hex << (0x80 + i);
}

TEST(CodePage, CharactersOutsideBecomeQuestionMarks)
{
    // Euro, umlauts and typographic quotes fit; Cyrillic, CJK, an emoji (one
    // character of two units) and the unassigned C1 control U+0080 do not.
    const QString s = QString::fromUtf8("\xE2\x82\xAC\xC3\xA4\xE2\x80\x9E|\xD0\x96\xE4\xB8\xAD|\xF0\x9F\x8D\xBA|")
                      + QChar(0x0080) + QChar(0xD800) + QLatin1Char('x');
    EXPECT_EQ(ToWindows1252(s), QByteArray("\x80\xE4\x84|??|?|??x"));
}
