// "Großdruck": the settings of a card for readers with low vision, made from
// a card's settings: every font 1.4 times as large (rounded to whole points)
// and no background picture; everything else as it was.
#pragma once

#include "catalogue/cardsettings.h"

constexpr double kLargePrintFactor = 1.4;

CardSettings LargePrintSettings(const CardSettings &s);
