// The record types of allergens and additives in group D of the document.
#pragma once

#include "catalogue/extension.h"

constexpr uint16_t kMarkSettingsRecord = 0x0001;
constexpr uint16_t kAdditiveListRecord = 0x0002;
constexpr uint16_t kProductMarksRecord = 0x0003;

// A document's additive list holds at most this many: numbers 1 to 999.
constexpr int kMaxAdditives = 999;

// An additive's text as the list keeps it: each line break or other control
// character becomes a space (the list is edited one additive per line, so a
// line break inside one would shift every later number).
QString CleanAdditiveText(const QString &text);

QVector<ExtensionRecordType> MarkRecordTypes();
// The German texts of their errors (for the translation table).
QStringList MarkRecordMessageTexts();
