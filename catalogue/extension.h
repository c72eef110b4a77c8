// Group D of the document file: the extension group after group C.
//
//   4 bytes  tag "VLRD"
//   uint32   byte length L of what follows (little-endian)
//   L bytes  records, each: uint16 tag, uint32 payload length n, n bytes
//
// Older readers stop after group C and never see it. Every feature that
// stores something in a document adds a record type to the table in
// extensiontypes.cpp (a tag, a writer and a reader); the framing here and the
// document reader and writer stay as they are. Records whose tag the program
// does not know are kept and written back unchanged.
#pragma once

#include "catalogue/brastel.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <cstdint>
#include <functional>

class Catalogue;
struct CardSettings;

struct ExtensionRecord {
    uint16_t tag = 0;
    QByteArray payload;
    bool operator==(const ExtensionRecord &o) const { return tag == o.tag && payload == o.payload; }
};
using ExtensionRecords = QVector<ExtensionRecord>;

// The four tag bytes that open group D.
extern const char kExtensionGroupTag[4];

// Group D holding the records in the given order; empty when there are none
// (the document then ends after group C, as files without extensions do).
QByteArray EncodeExtensionGroup(const ExtensionRecords &records);

// Whether the bytes from pos on open a group D (or a cut-off start of one:
// fewer than four bytes that match the tag so far).
bool StartsExtensionGroup(const QByteArray &bytes, qsizetype pos);

// Reads the group D that starts at pos. Fails (records untouched, error in
// the interface language) when the group or one of its records is cut off or claims more
// bytes than it holds. On success end is the offset after the group.
bool DecodeExtensionGroup(const QByteArray &bytes, qsizetype pos, ExtensionRecords &records,
                          qsizetype &end, QString *error);

// What a record type reads and writes: the document's catalogue and
// settings.
struct ExtensionContent {
    Catalogue &catalogue;
    CardSettings &settings;
};
struct ConstExtensionContent {
    const Catalogue &catalogue;
    const CardSettings &settings;
};

// One record type. write returns false when the document has nothing to
// store (its settings are at their defaults): then no record is written.
// read gets the payload of a record with this tag and returns false with
// an error (German, through UserText) when the payload is damaged. Its cost
// must follow the payload's length, not the document's: a group may hold
// 100,000 records.
// check, when given, runs once after every record of the group was read, if
// the group held a record of this tag: what needs other records that may
// stand before or after it (the additive numbers of the marks and the
// additive list) is checked there, once. once: a second record of this tag
// is damage (a later record needs it to stay as it was read).
struct ExtensionRecordType {
    uint16_t tag;
    const char *name; // for error texts: German (UTF-8), shown through UserText
    std::function<bool(const ConstExtensionContent &, ByteWriter &)> write;
    std::function<bool(ByteReader &, ExtensionContent &, QString *)> read;
    std::function<bool(ExtensionContent &, QString *)> check = nullptr;
    bool once = false;
    // The record stores a setting of the card (it reads and writes only
    // `settings`, never the catalogue); further cards of a document store
    // theirs through the same type.
    bool cardSetting = false;
};

// Every record type the program knows, in the order the writer writes them.
const QVector<ExtensionRecordType> &ExtensionRecordTypes();
// Every German text the reading of group D may show (framing and record
// types), for registering with the translation table.
QStringList ExtensionMessageTexts();
QStringList ExtensionGroupMessageTexts(); // the framing's own

// The records of a document: those of the known types that have something
// to store, then the unknown ones kept from the file, in their order.
ExtensionRecords WriteExtensionRecords(const ConstExtensionContent &doc, const ExtensionRecords &unknown);

// Hands every record of a known type to its reader, then runs the checks of
// the types read; the others go to unknown. False (with error) when a known
// record is damaged or a record of a type read once stands twice.
bool ReadExtensionRecords(const ExtensionRecords &records, ExtensionContent &doc, ExtensionRecords &unknown,
                          QString *error);

// Little helpers for payloads.
void WriteUInt16(ByteWriter &w, uint16_t v);
uint16_t ReadUInt16(ByteReader &r);
