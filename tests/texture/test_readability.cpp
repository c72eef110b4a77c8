// The readability check: the lightened texture's darkest 5 % against each
// printed font's colour, the lightening that would reach 4.5 : 1, and the
// large-print settings.
#include "catalogue/largeprint.h"
#include "texture/readability.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// WCAG's luminance of a grey value, written out.
double greyLuminance(int v)
{
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

uint32_t windowsGrey(int v)
{
    return uint32_t(v) | (uint32_t(v) << 8) | (uint32_t(v) << 16);
}

CardSettings greyCard(int fontGrey)
{
    CardSettings s;
    s.KopfEd.clear();
    for (FontSetting &f : s.fonts)
        f.colour = 0; // black
    s.FontDialog(4).colour = windowsGrey(fontGrey);
    s.LightenCheck = true;
    s.SatEd = 0;
    return s;
}

TEST(Readability, AUniformGreyPictureGivesTheComputedRatio)
{
    // Grey 128 lightened at brightness 60: 255 - 127 x 0.6 = 178.8, kept as 178.
    QImage grey(64, 48, QImage::Format_RGB32);
    grey.fill(qRgb(128, 128, 128));
    CardSettings s = greyCard(110);
    s.HellEd = 60;
    const ReadabilityCheck c = CheckReadability(s, grey);
    ASSERT_TRUE(c.measured);
    const double texture = greyLuminance(178);
    EXPECT_NEAR(c.luminance, texture, texture * 0.01);
    // The description's grey falls short; every black font passes.
    ASSERT_EQ(c.low.size(), 1);
    EXPECT_EQ(c.low[0].font, 4);
    const double expected = (texture + 0.05) / (greyLuminance(110) + 0.05);
    EXPECT_LT(expected, 4.5);
    EXPECT_NEAR(c.low[0].ratio, expected, expected * 0.01);

    // The suggestion is the least lightening that reaches 4.5 : 1.
    const int b = c.low[0].helligkeit;
    ASSERT_GT(b, 0);
    ASSERT_LT(b, 60);
    auto ratioAt = [](int brightness) {
        const int v = int(std::trunc(255 - (255 - 128) * brightness / 100.0));
        return (greyLuminance(v) + 0.05) / (greyLuminance(110) + 0.05);
    };
    EXPECT_GE(ratioAt(b), 4.5);
    EXPECT_LT(ratioAt(b + 1), 4.5);
    const QStringList lines = ReadabilityWarnings(c);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Schriftart für Beschreibung: Kontrast "))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("Aufhellung auf %1 % erhöhen (Helligkeit %2 %).").arg(100 - b).arg(b)))
        << lines[0].toStdString();

    // Lightened enough already: nothing to say.
    s.HellEd = b;
    EXPECT_TRUE(CheckReadability(s, grey).low.isEmpty());
}

TEST(Readability, TheDarkestFivePercentCountAndOnlyPrintedFonts)
{
    // 8 % black pixels: the darkest 5 % are black, whatever the rest.
    QImage spotted(100, 100, QImage::Format_RGB32);
    spotted.fill(Qt::white);
    for (int i = 0; i < 800; ++i)
        spotted.setPixel(i % 100, i / 100, qRgb(0, 0, 0));
    CardSettings s = greyCard(0);
    s.LightenCheck = false;
    ReadabilityCheck c = CheckReadability(s, spotted);
    EXPECT_NEAR(c.luminance, 0, 1e-9);
    // Black text on black: every printed font is named, in font order; the
    // header font is not (the card has no header line). Lightening the
    // texture would help.
    std::vector<int> named;
    for (const FontContrast &f : c.low)
        named.push_back(f.font);
    EXPECT_EQ(named, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_GT(c.low[0].helligkeit, 0);

    // 3 % black pixels: the darkest 5 % reach into the white.
    QImage few(100, 100, QImage::Format_RGB32);
    few.fill(Qt::white);
    for (int i = 0; i < 300; ++i)
        few.setPixel(i % 100, i / 100, qRgb(0, 0, 0));
    c = CheckReadability(s, few);
    EXPECT_NEAR(c.luminance, 1, 1e-9);
    EXPECT_TRUE(c.low.isEmpty());

    // White text on a light texture: no lightening reaches the figure.
    QImage light(10, 10, QImage::Format_RGB32);
    light.fill(qRgb(230, 230, 230));
    s = greyCard(255);
    c = CheckReadability(s, light);
    ASSERT_EQ(c.low.size(), 1);
    EXPECT_EQ(c.low[0].helligkeit, 0);
    EXPECT_TRUE(ReadabilityWarnings(c)[0].endsWith(
        QStringLiteral("Keine Aufhellung erreicht 4,5 : 1; eine dunklere Schriftfarbe wählen.")));

    // No picture: nothing measured.
    EXPECT_FALSE(CheckReadability(s, QImage()).measured);
    s.FilenameEdit2 = QStringLiteral("/no/such/picture.png");
    EXPECT_FALSE(CheckCardReadability(s).measured);
}

TEST(Readability, AFilesPictureIsMeasuredAsTheCardLightensIt)
{
    QTemporaryDir dir;
    QImage grey(32, 32, QImage::Format_RGB32);
    grey.fill(qRgb(90, 90, 90));
    const QString path = dir.filePath(QStringLiteral("grau.png"));
    ASSERT_TRUE(grey.save(path));
    CardSettings s = greyCard(0);
    s.FilenameEdit2 = path;
    s.HellEd = 50;
    const ReadabilityCheck c = CheckCardReadability(s);
    ASSERT_TRUE(c.measured);
    const double texture = greyLuminance(int(std::trunc(255 - (255 - 90) * 0.5)));
    EXPECT_NEAR(c.luminance, texture, texture * 0.01);
}

TEST(Readability, LargePrintMakesEveryFontLargerAndDropsThePicture)
{
    CardSettings s;
    s.FontDialog(1).size = 24;
    s.FontDialog(8).size = 9;
    s.CaptionEd = QStringLiteral("Gasthof");
    const CardSettings large = LargePrintSettings(s);
    EXPECT_EQ(large.FontDialog(1).size, 34); // 33.6
    EXPECT_EQ(large.FontDialog(8).size, 13); // 12.6
    EXPECT_EQ(large.FontDialog(3).size, 17); // 16.8
    EXPECT_TRUE(large.FilenameEdit2.isEmpty());
    EXPECT_EQ(large.CaptionEd, s.CaptionEd);
    EXPECT_EQ(large.FontDialog(1).face, s.FontDialog(1).face);
}

} // namespace
