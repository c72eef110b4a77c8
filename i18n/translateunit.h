// translateunit: the built-in message table, the translation lookup and the
// translation file translate.dat.
//
// Every text the user can see passes through TranslateStr: the German text as
// written in the program is looked up in the translation table and the text
// of the current language comes back. A German text met for the first time is
// appended to the table as a new row and translate.dat is rewritten at once.
//
// The table lives in a TranslationTable. The program uses one process-wide
// instance (Translations()) through the free functions at the end of this
// header; tests make their own instances.
#pragma once

#include "catalogue/brastel.h"

#include <QString>
#include <cstdint>
#include <memory>

// Number of columns of the table: language numbers 0 (German) to 19.
constexpr int kTransColumns = 20;
// Number of messages in msgtable (numbered 1 to 20).
constexpr int kMsgCount = 20;

// The built-in German messages, msgtable[0] is message 1. Unused numbers hold
// the empty text.
extern const char16_t *const msgtable[kMsgCount];

// One row of the translation table: slot index = language number. Each slot
// is an owned zero-terminated UTF-16 buffer or null (both empty forms read as
// the empty text).
struct TTransRow {
    char16_t *cols[kTransColumns];
};

// One entry of the lookup index: an owned copy of the German text and the row
// number it was registered under.
struct TTransIndexEntry {
    char16_t *key;
    int32_t row;
};

constexpr int kIndexBuckets = 256;

// A heap copy of s, zero-filled and terminated; the empty text gives a buffer
// holding only the terminator.
char16_t *NewStrCopy(const QString &s);

class TranslationTable {
public:
    TranslationTable();
    ~TranslationTable();
    TranslationTable(const TranslationTable &) = delete;
    TranslationTable &operator=(const TranslationTable &) = delete;

    // Forgets the table, reads it from path (a missing or unreadable file
    // gives an empty table) and builds the lookup index.
    void InitTranslations(const QString &translateDatPath);

    // Current language number (column). Numbers outside 0..19 make every
    // lookup return its input unchanged; registration still happens.
    int32_t language = 0;

    QString TranslateStr(const QString &S);
    // Message n (1..20) looked up; other numbers give the empty text.
    QString GetMsgText(int n);
    // Looks every message up once so each has its row.
    void RegisterMessages();

    // Reads path into the (empty) row table. Damaged files keep every
    // complete row read before the damage. Returns false when the file could
    // not be opened or was damaged (the rows read so far are kept either way).
    bool LoadTranslations();
    // Writes the whole table to the file (through a temporary file that
    // replaces it). Returns false, changing nothing, when it cannot be written.
    bool SaveTranslations();
    // The bytes SaveTranslations writes.
    QByteArray SerializeTranslations() const;

    // Sorts entries low..high of one bucket by key.
    void SortIndexBucket(int bucket, int32_t low, int32_t high);

    // --- access for the translation editor ---
    int RowCount() const { return int(transrows.count); }
    // Text of one cell; empty for rows/columns out of range.
    QString Cell(int row, int col) const;
    // Replaces one cell (row 0-based, col 0..19). Does not save.
    bool SetCell(int row, int col, const QString &text);
    // Removes a row, releases its texts and brings the index into line so
    // every other German text keeps finding its row. Does not save.
    bool DeleteRow(int row);

    QString filePath() const { return path_; }
    void setFilePath(const QString &p) { path_ = p; }
    // Number of successful writes of the file since construction (tests and
    // diagnostics).
    int saveCount() const { return saveCount_; }
    // Index access (tests).
    int BucketSize(int bucket) const { return int(transindex[bucket]->count); }
    const TTransIndexEntry &IndexEntry(int bucket, int i) const
    {
        return *static_cast<const TTransIndexEntry *>(transindex[bucket]->At(uint32_t(i)));
    }
    static int BucketOf(const QString &key) { return key.isEmpty() ? 0 : (key.at(0).unicode() & 0xFF); }

    // The row table and the index, as plain arrays of records.
    TDynaArray transrows;
    TTransRow *arow = nullptr;
    std::unique_ptr<TDynaArray> transindex[kIndexBuckets];
    TTransIndexEntry *aentry = nullptr;

private:
    void clearAll();
    void buildIndex();
    TTransRow *rowAt(int row) const { return static_cast<TTransRow *>(transrows.At(uint32_t(row))); }
    TTransIndexEntry *entryAt(int bucket, int32_t i) const
    {
        return static_cast<TTransIndexEntry *>(transindex[bucket]->At(uint32_t(i)));
    }
    static void freeRow(TTransRow *r);

    QString path_;
    int saveCount_ = 0;
};

// ---- the program's table -------------------------------------------------------
TranslationTable &Translations();

void InitTranslations(const QString &translateDatPath);
QString TranslateStr(const QString &S);
// The same for a German text the program holds as a UTF-16 literal (u"...").
inline QString TranslateStr(const char16_t *german) { return TranslateStr(QString::fromUtf16(german)); }
QString GetMsgText(int n);
void RegisterMessages();
// The main window's field `language` is this value.
int32_t CurrentLanguage();
void SetCurrentLanguage(int32_t language);
