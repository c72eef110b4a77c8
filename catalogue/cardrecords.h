// The records of the document's cards in group D:
//   0x0040 cards: int32 n (1..64), n names (texts); then for cards 2..n:
//          uint32 m, m bytes of the card's settings in the encoding of the
//          document's settings (the mandatory part and groups A to C),
//          uint32 k, k bytes: empty or a group D of the card's setting records
//   0x0041 products of the cards: int32 N, N times: int32 card, int32 k,
//          k times int32 category, int32 product (ascending)
//   0x0042 products not offered: int32 N, N times int32 category, int32 product
//          (ascending)
//   0x0043 card options (a card setting): byte numbers per card, byte date
//          line (0 none, 1 day of printing, 2 this date), and for 2 int32
//          year, byte month, byte day
// docs/file-format.md describes them for other programs.
#pragma once

#include "catalogue/extension.h"

constexpr uint16_t kCardsRecord = 0x0040;
constexpr uint16_t kCardProductsRecord = 0x0041;
constexpr uint16_t kNotOfferedRecord = 0x0042;
constexpr uint16_t kCardOptionsRecord = 0x0043;

QVector<ExtensionRecordType> CardRecordTypes();
// The German texts their reading may show, for the translation table.
QStringList CardRecordMessageTexts();

// The card options of a document without the record.
void ResetCardOptions(CardSettings &s);
