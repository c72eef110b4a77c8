#include "texture/readability.h"

#include "catalogue/catalogue.h"
#include "i18n/translateunit.h"
#include "layout/qpaintercanvas.h"
#include "texture/texture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const char16_t *const kFontCaptions[9] = {
    u"Schriftart für Überschrift...", u"Schriftart für Kategoriename...", u"Schriftart für Nummerierung...",
    u"Schriftart für Beschreibung...", u"Schriftart für Preise...",       u"Schriftart für Punkte...",
    u"Schriftart für freien Text...",  u"Schriftart für Fußzeile...",     u"Schriftart für Kopfzeile...",
};

const char16_t *const kTexts[] = {
    u"%1: Kontrast %2 : 1 zum Hintergrund (mindestens 4,5 : 1).",
    u"Aufhellung auf %1 % erhöhen (Helligkeit %2 %).",
    u"Keine Aufhellung erreicht 4,5 : 1; eine dunklere Schriftfarbe wählen.",
};
enum { kLow, kLighten, kNoLightening };

// At most this many pixels of the picture are measured (evenly spread).
constexpr int kMaxSamples = 65536;

double channel(int c)
{
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// The luminance below which the darkest 5 % of the samples lie, with every
// channel lightened at brightness b (b 100: as they are).
double darkLuminance(const std::vector<QRgb> &samples, bool lighten, int b, int sat)
{
    // One table per channel value: lightening and luminance of 256 values.
    double lin[256];
    for (int c = 0; c < 256; ++c)
        lin[c] = channel(lighten ? LightenChannel(c, b, sat) : c);
    std::vector<double> l(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        const QRgb p = samples[i];
        l[i] = 0.2126 * lin[qRed(p)] + 0.7152 * lin[qGreen(p)] + 0.0722 * lin[qBlue(p)];
    }
    const size_t k = size_t(std::floor(kDarkShare * double(l.size())));
    std::nth_element(l.begin(), l.begin() + std::ptrdiff_t(std::min(k, l.size() - 1)), l.end());
    return l[std::min(k, l.size() - 1)];
}

int wholeNumber(double v)
{
    return int(std::trunc(v));
}

QString ratioText(double r)
{
    return QString::number(std::floor(r * 10) / 10, 'f', 1).replace(QLatin1Char('.'), UserDecimalPoint());
}

} // namespace

double RelativeLuminance(QRgb c)
{
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double ContrastRatio(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

ReadabilityCheck CheckReadability(const CardSettings &s, const QImage &picture)
{
    ReadabilityCheck r;
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return r;
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<QRgb> samples;
    const qint64 pixels = qint64(img.width()) * img.height();
    const int step = std::max(1, int(std::ceil(std::sqrt(double(pixels) / kMaxSamples))));
    for (int y = 0; y < img.height(); y += step) {
        const QRgb *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); x += step)
            samples.push_back(row[x]);
    }
    const int b = wholeNumber(s.HellEd), sat = wholeNumber(s.SatEd);
    r.measured = true;
    r.luminance = darkLuminance(samples, s.LightenCheck, b, sat);

    // The fonts the card prints.
    std::vector<int> fonts;
    for (int n = 1; n <= 9; ++n) {
        if ((n == 1 && s.CaptionEd.isEmpty()) || (n == 8 && s.FussEd.isEmpty()) || (n == 9 && s.KopfEd.isEmpty()))
            continue;
        fonts.push_back(n);
    }
    // Brightness from the current one down (ever lighter): the first that
    // reaches the figure for a font is its suggestion.
    std::vector<double> lightened(size_t(101), -1);
    auto luminanceAt = [&](int bb) {
        if (lightened[size_t(bb)] < 0)
            lightened[size_t(bb)] = darkLuminance(samples, true, bb, sat);
        return lightened[size_t(bb)];
    };
    for (int n : fonts) {
        const double lf = RelativeLuminance(WindowsColour(s.FontDialog(n).colour).rgb());
        const double ratio = ContrastRatio(lf, r.luminance);
        if (ratio >= kMinContrast)
            continue;
        FontContrast f;
        f.font = n;
        f.ratio = ratio;
        for (int bb = s.LightenCheck ? std::min(b - 1, 100) : 100; bb >= 1; --bb) {
            if (ContrastRatio(lf, luminanceAt(bb)) >= kMinContrast) {
                f.helligkeit = bb;
                break;
            }
        }
        r.low.push_back(f);
    }
    return r;
}

ReadabilityCheck CheckCardReadability(const CardSettings &s)
{
    TextureHolder raw;
    // Opened grey when the card turns it grey, neither saturated nor lightened.
    if (!raw.Prepare(s.FilenameEdit2, s.GrayScaleCheck, false, 100, 0))
        return ReadabilityCheck();
    return CheckReadability(s, raw.Image());
}

QStringList ReadabilityWarnings(const ReadabilityCheck &c)
{
    QStringList lines;
    for (const FontContrast &f : c.low) {
        QString font = TranslateStr(QString::fromUtf16(kFontCaptions[f.font - 1]));
        font.remove(QStringLiteral("..."));
        QString line = TranslateStr(QString::fromUtf16(kTexts[kLow])).arg(font, ratioText(f.ratio));
        line += QLatin1Char(' ');
        line += f.helligkeit > 0
                    ? TranslateStr(QString::fromUtf16(kTexts[kLighten])).arg(100 - f.helligkeit).arg(f.helligkeit)
                    : TranslateStr(QString::fromUtf16(kTexts[kNoLightening]));
        lines << line;
    }
    return lines;
}

QStringList ReadabilityTexts()
{
    QStringList t;
    for (const char16_t *m : kTexts)
        t << QString::fromUtf16(m);
    return t;
}
