// The record of the card's logo in group D of the document.
#pragma once

#include "catalogue/extension.h"

constexpr uint16_t kLogoRecord = 0x0051;
// The widths a logo may have, in millimetres; a stored width outside is
// taken to the nearest end.
constexpr double kLogoMinMM = 5, kLogoMaxMM = 200;

QVector<ExtensionRecordType> LogoRecordTypes();
// The German texts its reading may show, for the translation table.
QStringList LogoRecordMessageTexts();

// The logo settings of a document without the record: none.
void ResetLogoSettings(CardSettings &s);
