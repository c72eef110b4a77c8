// The menu card document (.vlr): the catalogue and every card setting in one
// flat little-endian file without header, magic number or version.
//
// Layout of the file:
//   int32 category count C, then C times:
//     wide-string name, int32 product count P, then P times:
//       wide-string name, description, quantity note; float64 price;
//       int32 order number
//   then the settings, in the order DocumentSettingOrder() lists:
//     CaptionEd, FussEd, WaehrEd, FilenameEdit2 (wide strings),
//     RahmenCheck, CapsCheck (bytes), LinksEd, ObenEd, RechtsEd, UntenEd,
//     BreitEd2, HochEd2, HellEd, SatEd (float64), SVerh2Check,
//     GrayScaleCheck, LightenCheck, ZentrCheck (bytes), FontDialog1..8
//     -- the mandatory part ends here --
//     group A: NoKommaCheck (byte)
//     group B: NewPageForKatCheck (byte)
//     group C: NoPointsCheck, CenterKatCheck (bytes), KopfEd (wide string),
//              FontDialog9
//     group D (optional, extension.h): tagged records -- allergens and
//              additives, and whatever later features store
// Older files end after FontDialog8, after group A or after group B; the
// writer always writes groups A to C, and group D only when a record has
// something to store. docs/file-format.md describes the whole format.
//
// A font record: byte charset, int32 colour, byte k = face name length in
// UTF-16 units modulo 256, k bytes of the face name in Windows-1252, byte
// pitch, int32 pixels per inch, int32 size in points, byte style bits.
// Switches are written as 1/0 and read as on for any non-zero byte.
//
// None of these functions moves the catalogue's cursors or touches a bound
// pointer; reading builds a fresh catalogue and never the current one.
#pragma once

#include "catalogue/cards.h"
#include "catalogue/catalogue.h"
#include "catalogue/extension.h"
#include "catalogue/cardsettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

// Everything one document file holds.
struct DocumentData {
    QStringList categoryNames;            // captions of the category list, in order
    std::unique_ptr<Catalogue> catalogue; // entry i of kats belongs to categoryNames[i]
    CardSettings settings;                // groups absent from the file keep the values given to the reader
    CardList cards;                       // the first card's settings are `settings`
    bool hasGroupA = false;               // NoKommaCheck came from the file
    bool hasGroupB = false;               // NewPageForKatCheck came from the file
    bool hasGroupC = false;               // NoPointsCheck, CenterKatCheck, KopfEd, FontDialog9 came from the file
    // Records of group D whose tag this program does not know; they are
    // handed back to the writer unchanged when the document is saved.
    ExtensionRecords unknownRecords;
};

// The bytes of a document in the newest form. categoryNames must have one
// entry per category of cat; otherwise the result is empty (a real document
// is never empty).
// unknownRecords are written back at the end of group D.
// cards: the document's cards (null: the first card alone); the first
// card's settings are s.
QByteArray WriteDocument(const QStringList &categoryNames, const Catalogue &cat,
                         const CardSettings &s, const ExtensionRecords &unknownRecords = {},
                         const CardList *cards = nullptr);

// Writes the document to path through a temporary file in the same folder
// that replaces the old file only when every byte was written and flushed.
// On failure the old file is untouched and error (when given) says why.
bool SaveDocumentFile(const QString &path, const QStringList &categoryNames,
                      const Catalogue &cat, const CardSettings &s, QString *error,
                      const ExtensionRecords &unknownRecords = {}, const CardList *cards = nullptr);

// Reads a document. out.settings starts as a copy of current, so settings of
// groups that an older file does not hold keep those values. On success out
// is replaced completely; on failure out is left exactly as it was and error
// (when given) names what is wrong, in the interface language (UserText). Truncated files (except the
// three valid older ends), negative counts, counts or lengths larger than
// what is left of the file are rejected; nothing is allocated beyond what the
// file can hold. After group C, bytes that open group D are read as group D
// (a damaged one refuses the document); other bytes, and bytes after group D,
// are ignored. Mark settings start at their defaults (a file without group D
// has none).
bool ReadDocument(const QByteArray &bytes, const CardSettings &current, DocumentData &out,
                  QString *error);
// Reads the file at path (a regular file) and then as ReadDocument.
bool LoadDocumentFile(const QString &path, const CardSettings &current, DocumentData &out,
                      QString *error);

// The settings of a card in the encoding of the document's settings (the
// mandatory part and groups A to C), as a further card stores them.
QByteArray WriteCardSettingFields(const CardSettings &s);
// Reads exactly those fields into s (every group present, nothing after
// them); false with the reason otherwise, s then unchanged.
bool ReadCardSettingFields(const QByteArray &bytes, CardSettings &s, QString *error);

// The German texts of those reasons and of the parts of a file they name, so
// that the translation table can hold them before a file ever fails.
QStringList DocumentMessageTexts();

// The settings of a document, named after their controls.
enum class DocumentSetting {
    CaptionEd, FussEd, WaehrEd, FilenameEdit2,
    RahmenCheck, CapsCheck,
    LinksEd, ObenEd, RechtsEd, UntenEd, BreitEd2, HochEd2, HellEd, SatEd,
    SVerh2Check, GrayScaleCheck, LightenCheck, ZentrCheck,
    FontDialog1, FontDialog2, FontDialog3, FontDialog4,
    FontDialog5, FontDialog6, FontDialog7, FontDialog8,
    NoKommaCheck,                 // group A
    NewPageForKatCheck,           // group B
    NoPointsCheck, CenterKatCheck, KopfEd, FontDialog9, // group C
};

// The settings in the order of the file. Given a read document, only those
// it holds (older files lack the later groups): assigning them to the
// controls in this order reproduces the file's order of change reactions
// (FilenameEdit2 reloads the picture before the switches and fonts are set).
QVector<DocumentSetting> DocumentSettingOrder();
QVector<DocumentSetting> DocumentSettingOrder(const DocumentData &d);
// The control name of a setting ("CaptionEd", "FontDialog9", ...).
const char *DocumentSettingName(DocumentSetting id);
// 0 = mandatory part, 1 = group A, 2 = group B, 3 = group C.
int DocumentSettingGroup(DocumentSetting id);
