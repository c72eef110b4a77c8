// The record types of allergens and additives in group D of the document.
#pragma once

#include "catalogue/extension.h"

constexpr uint16_t kMarkSettingsRecord = 0x0001;
constexpr uint16_t kAdditiveListRecord = 0x0002;
constexpr uint16_t kProductMarksRecord = 0x0003;

QVector<ExtensionRecordType> MarkRecordTypes();
// The German texts of their errors (for the translation table).
QStringList MarkRecordMessageTexts();
