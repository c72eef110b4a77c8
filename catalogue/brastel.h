// brastel: the program's small helper module.
//
// TDynaArray is the one container of the program: a growable, contiguous
// array of fixed-size raw elements with one cursor. Its bound element pointer
// is a pointer variable of the owner; every cursor-moving operation writes the
// address of the current element (or null) into it.
//
// The module also holds the little-endian byte reader and writer that every
// binary file of the program goes through, and the wide-string record
// (an int32 count of UTF-16 code units followed by the units).
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

class TDynaArray {
public:
    // Fields in declaration order; all public like the rest of the program's
    // plain records.
    void **outeraobj;   // the owner's bound pointer variable, or null
    void *aobj;         // current element, null when there is none
    void *poi;          // storage block, null while the array holds none
    uint32_t count;     // number of elements
    int32_t aobjnr;     // cursor index, -1 = no current element
    uint32_t amemsize;  // size of the block in bytes
    uint32_t buffersize;// growth step in elements, always 100
    uint32_t size;      // element size in bytes

    TDynaArray(uint32_t thesize, void **typpoi);
    // Convenience for a typed bound pointer: TDynaArray a(sizeof(T), &tp).
    template <class T>
    TDynaArray(uint32_t thesize, T **typpoi)
        : TDynaArray(thesize, reinterpret_cast<void **>(typpoi)) {}
    virtual ~TDynaArray();

    TDynaArray(const TDynaArray &) = delete;
    TDynaArray &operator=(const TDynaArray &) = delete;

    void *GetObject(uint32_t Index);
    // Add and Insert return null when the element could not be stored
    // (index out of range, or memory exhausted: then the message has been
    // shown and the array is exactly as it was before the call).
    void *Add();
    // Appends n zero-filled elements in one growth step: the array ends as
    // after n calls of Add (the block of the wanted size for the new count,
    // the last new element current), without the n - 1 blocks in between.
    // Null, with the array unchanged, under the same conditions as Add.
    void *AddMany(uint32_t n);
    void *Insert(int32_t nr);
    // Delete returns false when nothing was removed (out of range, or the
    // smaller block could not be obtained; the array is then unchanged).
    bool Delete(int32_t nr);
    void Change(int32_t nr1, int32_t nr2);
    void Clear();
    void First();
    bool Next();
    bool WhileNext();

    // Address of element i without moving the cursor (i < count).
    void *At(uint32_t i) const { return static_cast<char *>(poi) + size_t(i) * size; }

    // --- Memory hooks -----------------------------------------------------
    // Blocks come from this zero-filling allocator (std::calloc by default);
    // tests replace it to inject an allocation failure.
    using CallocFn = void *(*)(size_t, size_t);
    static CallocFn callocFn;
    // Shows the out-of-memory text. By default on standard error; the program
    // replaces it, when it starts, by an error message box on the GUI thread.
    static std::function<void(const QString &)> reportOutOfMemory;

protected:
    bool AllocMoreMem();
    void AllocLessMem();

private:
    uint32_t wantedSize(uint32_t n) const;
    void setCurrent(int32_t i);
    void clearCurrent();
    void *obtainBlock(uint32_t bytes, int step);
    // Set when the last growth/shrink step could not obtain memory.
    bool allocFailed_ = false;
};

// ---- Owned zero-terminated UTF-16 texts --------------------------------------
// A buffer of exactly (length + 1) x 2 bytes, zero-filled, holding the code
// units and a terminating zero unit. Null when memory ran out.
char16_t *NewWideText(const QString &s);
// Releases a text made by NewWideText (null is allowed) and clears the pointer.
void FreeWideText(char16_t *&p);
// The text of a buffer; null reads as the empty text.
QString WideText(const char16_t *p);

// ---- Little-endian binary files ---------------------------------------------
// Reads from a byte array; every read checks what is left, and a failed read
// sets the error flag and returns a zero value, so callers can test once at
// the end or after each step.
class ByteReader {
public:
    explicit ByteReader(QByteArray data) : data_(std::move(data)) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ >= data_.size(); }
    qsizetype pos() const { return pos_; }
    qsizetype remaining() const { return data_.size() - pos_; }
    void fail() { ok_ = false; }

    uint8_t readByte();
    int32_t readInt32();
    double readFloat64();
    QByteArray readBytes(qsizetype n);
    // A wide-string record. A negative count or one that promises more code
    // units than the data holds fails the read (nothing is allocated for it).
    QString readWideString();

private:
    bool need(qsizetype n);
    QByteArray data_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    void writeByte(uint8_t v) { buf_.append(char(v)); }
    void writeInt32(int32_t v);
    void writeFloat64(double v);
    void writeBytes(const QByteArray &b) { buf_.append(b); }
    void writeWideString(const QString &s);
    const QByteArray &data() const { return buf_; }

private:
    QByteArray buf_;
};

// Writes data to path through a temporary file in the same folder that is
// flushed and then renamed over the target, so that an interrupted write never
// leaves a half-written file. Returns false (target untouched) on any failure,
// a write-protected target among them; errorText receives the reason when
// given. A symbolic link is written through: its target is replaced and the
// link stays.
// With syncToDisk the temporary file is also forced onto the disk before the
// rename (documents); without it (the translation table, rewritten at every
// keystroke) a crash of the program still leaves the old or the new file,
// and only a power cut right after a write could lose the newest version.
// A new file gets what the user's umask leaves of 0666, a replaced one keeps
// its permissions. With ownerOnly (a recovery copy) the file is the user's
// alone from its first byte, replaced or new (platform::CreateNewFile); such
// a file is not forced onto the disk.
bool WriteFileAtomically(const QString &path, const QByteArray &data, QString *errorText = nullptr,
                         bool syncToDisk = true, bool ownerOnly = false);
