// The records of the second language in group D of the document:
//   0x0052 card texts (a card setting): byte flags (bit 0 "zweisprachig"),
//          then the translations of heading, header line and footer line
//   0x0060 second language: text BCP 47 tag, text name (empty for a
//          language the program offers)
//   0x0061 product translations: int32 N, N times int32 category, int32
//          product (each after the one before), text name, description,
//          quantity note
//   0x0062 category translations: int32 N, N times int32 category, text
//          name, uint16 k (0..4), k translations of the size headings
//   0x0063 additive translations: int32 n (0..999), n texts; text i
//          translates additive i + 1
// Each is written only when it has something to store; 0x0060 also whenever
// one of the others is written, so that a reader knows the language of the
// translations. docs/file-format.md describes them for other programs.
#pragma once

#include "catalogue/extension.h"

constexpr uint16_t kCardTranslationRecord = 0x0052;
constexpr uint16_t kSecondLanguageRecord = 0x0060;
constexpr uint16_t kProductTranslationsRecord = 0x0061;
constexpr uint16_t kCategoryTranslationsRecord = 0x0062;
constexpr uint16_t kAdditiveTranslationsRecord = 0x0063;

QVector<ExtensionRecordType> TranslationRecordTypes();
// The German texts their reading may show, for the translation table.
QStringList TranslationRecordMessageTexts();

// The card's switch "zweisprachig" and its text translations in a document
// without the record: off and none.
void ResetCardTranslation(CardSettings &s);
