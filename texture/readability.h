// The readability check of the background: the contrast between each card
// font's colour and the lightened texture behind the text, after the WCAG
// (relative luminance, ratio (lighter + 0.05) / (darker + 0.05), at least
// 4.5 : 1 for normal text). The texture is judged by its darkest 5 %: the
// luminance below which 5 % of its pixels lie (the tile repeats over the
// page, so its pixels stand for the page area). A font below 4.5 : 1 is
// named with its ratio and the lightening ("Aufhellung": 100 % less the
// tab's "Helligkeit %") that would reach 4.5 : 1.
#pragma once

#include "catalogue/cardsettings.h"

#include <QImage>
#include <QStringList>
#include <QVector>

constexpr double kMinContrast = 4.5;
constexpr double kDarkShare = 0.05;

// WCAG relative luminance of an sRGB colour: 0 black .. 1 white.
double RelativeLuminance(QRgb c);
// (lighter + 0.05) / (darker + 0.05).
double ContrastRatio(double luminanceA, double luminanceB);

struct FontContrast {
    int font = 0;        // 1..9
    double ratio = 0;    // against the texture's darkest 5 %
    int helligkeit = 0;  // the largest "Helligkeit %" that reaches 4.5 : 1; 0 when none does
};

struct ReadabilityCheck {
    bool measured = false; // a texture was measured
    double luminance = 0;  // the lightened texture's luminance at its darkest 5 %
    QVector<FontContrast> low; // the printed fonts below 4.5 : 1, in font order
};

// Measures `picture` (the texture as opened, turned grey when the settings
// say so, not yet saturated or lightened) lightened as the settings say,
// against the colours of the fonts the card prints (the heading, header and
// footer fonts only with their texts).
ReadabilityCheck CheckReadability(const CardSettings &s, const QImage &picture);
// The same for the settings' own picture, opened through the background
// picture's checks; not measured when it gives no texture.
ReadabilityCheck CheckCardReadability(const CardSettings &s);

// One line per font in the interface language ("Schriftart für
// Beschreibung: Kontrast 3,2 : 1 zum Hintergrund (mindestens 4,5 : 1).
// Aufhellung auf 70 % erhöhen (Helligkeit 30 %).").
QStringList ReadabilityWarnings(const ReadabilityCheck &c);
// The German texts of those lines, for the translation table.
QStringList ReadabilityTexts();
