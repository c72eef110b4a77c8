// The record of the card's QR code in group D of the document.
#pragma once

#include "catalogue/extension.h"

constexpr uint16_t kQrCodeRecord = 0x0010;
// The sizes the QR code may have, in millimetres; a stored size outside is
// taken to the nearest end.
constexpr double kQrMinMM = 10, kQrMaxMM = 200;

QVector<ExtensionRecordType> QrRecordTypes();
// The German texts its reading may show, for the translation table.
QStringList QrRecordMessageTexts();

// The QR code settings of a document without the record.
void ResetQrSettings(CardSettings &s);
