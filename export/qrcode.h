// QR codes of web addresses: encoding (libqrencode, error correction level
// M, the address in UTF-8), and the code alone as a PNG or SVG file.
#pragma once

#include "layout/cardqr.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>

struct CardSource;

// The symbol of `text`. Null, with the reason in `error`, for an empty text,
// a text holding a zero character, or one too long for any QR code.
std::shared_ptr<const QrModules> EncodeQr(const QString &text, QString *error = nullptr);

// Why an address cannot become a QR code.
enum class QrProblem { None, Empty, ZeroCharacter, TooLong };
QrProblem QrAddressProblem(const QString &text);

// The note that says why the card prints no code although its settings ask
// for one (in the interface language); empty when the card prints it, or
// prints none, or has no address.
QString QrPrintProblemText(const QString &address, bool print);
// The German texts of that note, for the translation table.
QStringList QrProblemTexts();

// Gives the card the symbol of its address when its settings print one.
void AttachQrCode(CardSource &card);

// The symbol with its quiet zone, `modulePx` pixels per module, black on
// white (1-bit colours in an RGB image).
QImage QrImage(const QrModules &qr, int modulePx);
// As a PNG file (8 pixels per module) and as an SVG drawing whose units are
// modules (it scales to any size without blurring).
QByteArray QrPng(const QrModules &qr, int modulePx = 8);
QByteArray QrSvg(const QrModules &qr);

// Writes the QR code of `text` to `path`: SVG when the name ends in ".svg"
// (any case), PNG otherwise. Through a temporary file, so that a failure
// leaves an existing file as it was. False with the reason in error.
bool WriteQrFile(const QString &path, const QString &text, QString *error);
