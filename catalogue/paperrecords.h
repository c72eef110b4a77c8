// The record of the card's paper (size and orientation) in group D of the
// document.
#pragma once

#include "catalogue/extension.h"

constexpr uint16_t kPaperRecord = 0x0030;

QVector<ExtensionRecordType> PaperRecordTypes();
// The German texts its reading may show, for the translation table.
QStringList PaperRecordMessageTexts();

// The paper of a document without the record: the printer's page.
void ResetPaperSettings(CardSettings &s);
