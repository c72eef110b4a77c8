// The record of the card's print form (single pages, booklet, table tent,
// two to a sheet) in group D of the document.
#pragma once

#include "catalogue/extension.h"

constexpr uint16_t kPrintFormRecord = 0x0050;

QVector<ExtensionRecordType> PrintFormRecordTypes();
// The German texts its reading may show, for the translation table.
QStringList PrintFormRecordMessageTexts();

// The print form of a document without the record: single pages, fold line on.
void ResetPrintFormSettings(CardSettings &s);
