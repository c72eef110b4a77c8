// The record types of the size columns in group D of the document.
#pragma once

#include "catalogue/extension.h"

constexpr uint16_t kSizeHeadingsRecord = 0x0020;
constexpr uint16_t kSizePricesRecord = 0x0021;

QVector<ExtensionRecordType> SizeRecordTypes();
// The German texts of their errors (for the translation table).
QStringList SizeRecordMessageTexts();
