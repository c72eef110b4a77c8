#include "catalogue/brastel.h"
#include "catalogue/platform.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>

namespace {

// Without a window to show it in, the text goes to standard error; the program
// itself puts its error message box in place when it starts.
void defaultOutOfMemoryReport(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

TDynaArray::CallocFn TDynaArray::callocFn = &std::calloc;
std::function<void(const QString &)> TDynaArray::reportOutOfMemory = defaultOutOfMemoryReport;

TDynaArray::TDynaArray(uint32_t thesize, void **typpoi)
    : outeraobj(typpoi), aobj(nullptr), poi(nullptr), count(0), aobjnr(-1), amemsize(0),
      buffersize(100), size(thesize)
{
}

TDynaArray::~TDynaArray()
{
    std::free(poi);
    poi = nullptr;
    aobj = nullptr;
    aobjnr = -1;
}

uint32_t TDynaArray::wantedSize(uint32_t n) const
{
    if (n == 0)
        return 0;
    return ((n - 1) / buffersize + 1) * size * buffersize;
}

void TDynaArray::setCurrent(int32_t i)
{
    aobjnr = i;
    aobj = static_cast<char *>(poi) + size_t(i) * size;
    if (outeraobj)
        *outeraobj = aobj;
}

void TDynaArray::clearCurrent()
{
    aobjnr = -1;
    aobj = nullptr;
    if (outeraobj)
        *outeraobj = nullptr;
}

void *TDynaArray::obtainBlock(uint32_t bytes, int step)
{
    void *p = callocFn(bytes, 1);
    if (!p && reportOutOfMemory) {
        reportOutOfMemory(QStringLiteral("Error %1 while trying to allocate %2 bytes of RAM. Not enough memory.")
                              .arg(step)
                              .arg(bytes));
    }
    return p;
}

void *TDynaArray::GetObject(uint32_t Index)
{
    setCurrent(int32_t(Index));
    return aobj;
}

bool TDynaArray::AllocMoreMem()
{
    allocFailed_ = false;
    const uint32_t wanted = wantedSize(count);
    if (wanted == amemsize)
        return false;
    if (!poi) {
        void *p = obtainBlock(wanted, 1);
        if (!p) {
            allocFailed_ = true;
            return false;
        }
        poi = p;
    } else {
        void *p = obtainBlock(wanted, 2);
        if (!p) {
            allocFailed_ = true;
            return false;
        }
        std::memcpy(p, poi, amemsize);
        std::free(poi);
        poi = p;
    }
    amemsize = wanted;
    return true;
}

void TDynaArray::AllocLessMem()
{
    allocFailed_ = false;
    const uint32_t wanted = wantedSize(count);
    if (wanted == amemsize)
        return;
    if (count == 0) {
        std::free(poi);
        poi = nullptr;
        amemsize = 0;
        return;
    }
    void *p = obtainBlock(wanted, 3);
    if (!p) {
        allocFailed_ = true;
        return;
    }
    std::memcpy(p, poi, wanted);
    std::free(poi);
    poi = p;
    amemsize = wanted;
}

void *TDynaArray::Add()
{
    if (count == UINT32_MAX / 2)
        return nullptr;
    ++count;
    const bool moved = AllocMoreMem();
    if (allocFailed_) {
        --count; // the operation is abandoned; nothing has changed
        return nullptr;
    }
    if (!moved)
        std::memset(static_cast<char *>(poi) + size_t(count - 1) * size, 0, size);
    setCurrent(int32_t(count - 1));
    return aobj;
}

void *TDynaArray::AddMany(uint32_t n)
{
    if (n == 0 || n > UINT32_MAX / 2 - count)
        return nullptr;
    const uint32_t first = count;
    count += n;
    AllocMoreMem();
    if (allocFailed_) {
        count = first;
        return nullptr;
    }
    // A slot inside the old block may still hold an element deleted earlier.
    std::memset(static_cast<char *>(poi) + size_t(first) * size, 0, size_t(n) * size);
    setCurrent(int32_t(count - 1));
    return aobj;
}

void *TDynaArray::Insert(int32_t nr)
{
    if (nr < 0 || uint32_t(nr) > count)
        return nullptr;
    ++count;
    AllocMoreMem();
    if (allocFailed_) {
        --count;
        return nullptr;
    }
    char *base = static_cast<char *>(poi);
    const size_t tail = size_t(count - 1 - uint32_t(nr)) * size;
    if (tail)
        std::memmove(base + size_t(nr + 1) * size, base + size_t(nr) * size, tail);
    std::memset(base + size_t(nr) * size, 0, size);
    setCurrent(nr);
    return aobj;
}

bool TDynaArray::Delete(int32_t nr)
{
    if (count == 0 || nr < 0 || uint32_t(nr) >= count)
        return false;
    const uint32_t newCount = count - 1;
    const uint32_t wanted = wantedSize(newCount);
    // Obtain the smaller block before touching anything, so that a failure
    // leaves the array exactly as it was.
    void *smaller = nullptr;
    if (wanted != amemsize && newCount > 0) {
        smaller = obtainBlock(wanted, 3);
        if (!smaller)
            return false;
    }
    char *base = static_cast<char *>(poi);
    for (uint32_t i = uint32_t(nr) + 1; i < count; ++i)
        std::memcpy(base + size_t(i - 1) * size, base + size_t(i) * size, size);
    count = newCount;
    if (wanted != amemsize) {
        if (newCount == 0) {
            std::free(poi);
            poi = nullptr;
            amemsize = 0;
        } else {
            std::memcpy(smaller, poi, wanted);
            std::free(poi);
            poi = smaller;
            amemsize = wanted;
        }
    }
    clearCurrent();
    return true;
}

void TDynaArray::Change(int32_t nr1, int32_t nr2)
{
    if (nr1 < 0 || nr2 < 0 || uint32_t(nr1) >= count || uint32_t(nr2) >= count)
        return;
    char *base = static_cast<char *>(poi);
    if (nr1 != nr2) {
        // A small stack buffer serves every element of the program; larger
        // elements fall back to the heap.
        char stackbuf[256];
        char *tmp = size <= sizeof stackbuf ? stackbuf : static_cast<char *>(std::malloc(size));
        if (!tmp)
            return;
        std::memcpy(tmp, base + size_t(nr1) * size, size);
        std::memcpy(base + size_t(nr1) * size, base + size_t(nr2) * size, size);
        std::memcpy(base + size_t(nr2) * size, tmp, size);
        if (tmp != stackbuf)
            std::free(tmp);
    }
    setCurrent(nr2);
}

void TDynaArray::Clear()
{
    count = 0;
    std::free(poi);
    poi = nullptr;
    amemsize = 0;
    clearCurrent();
}

void TDynaArray::First()
{
    if (count > 0)
        setCurrent(0);
}

bool TDynaArray::Next()
{
    if (count == 0 || aobjnr >= int64_t(count) - 1 || aobjnr < -1)
        return false;
    setCurrent(aobjnr + 1);
    return true;
}

bool TDynaArray::WhileNext()
{
    if (count == 0 || aobjnr > int64_t(count) - 1 || aobjnr < 0)
        return false;
    setCurrent(aobjnr);
    ++aobjnr;
    return true;
}

// ---- Owned texts ---------------------------------------------------------------

char16_t *NewWideText(const QString &s)
{
    const size_t n = size_t(s.size());
    auto *p = static_cast<char16_t *>(std::calloc(n + 1, 2));
    if (!p)
        return nullptr;
    if (n)
        std::memcpy(p, s.utf16(), n * 2);
    return p;
}

void FreeWideText(char16_t *&p)
{
    std::free(p);
    p = nullptr;
}

QString WideText(const char16_t *p)
{
    return p ? QString::fromUtf16(p) : QString();
}

// ---- Byte reader / writer ---------------------------------------------------------

bool ByteReader::need(qsizetype n)
{
    if (!ok_ || n < 0 || remaining() < n) {
        ok_ = false;
        return false;
    }
    return true;
}

uint8_t ByteReader::readByte()
{
    if (!need(1))
        return 0;
    return uint8_t(data_.at(pos_++));
}

int32_t ByteReader::readInt32()
{
    if (!need(4))
        return 0;
    const int32_t v = qFromLittleEndian<qint32>(data_.constData() + pos_);
    pos_ += 4;
    return v;
}

double ByteReader::readFloat64()
{
    if (!need(8))
        return 0;
    const quint64 bits = qFromLittleEndian<quint64>(data_.constData() + pos_);
    pos_ += 8;
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

QByteArray ByteReader::readBytes(qsizetype n)
{
    if (!need(n))
        return {};
    QByteArray b = data_.mid(pos_, n);
    pos_ += n;
    return b;
}

QString ByteReader::readWideString()
{
    const int32_t n = readInt32();
    if (!ok_)
        return {};
    if (n < 0 || remaining() / 2 < n) { // compared by division: no overflow
        ok_ = false;
        return {};
    }
    QString s(n, Qt::Uninitialized);
    for (int32_t i = 0; i < n; ++i)
        s[i] = QChar(qFromLittleEndian<quint16>(data_.constData() + pos_ + 2 * i));
    pos_ += qsizetype(n) * 2;
    return s;
}

void ByteWriter::writeInt32(int32_t v)
{
    char b[4];
    qToLittleEndian<qint32>(v, b);
    buf_.append(b, 4);
}

void ByteWriter::writeFloat64(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    char b[8];
    qToLittleEndian<quint64>(bits, b);
    buf_.append(b, 8);
}

void ByteWriter::writeWideString(const QString &s)
{
    writeInt32(int32_t(s.size()));
    const QChar *u = s.constData();
    const qsizetype start = buf_.size();
    buf_.resize(start + s.size() * 2);
    for (qsizetype i = 0; i < s.size(); ++i)
        qToLittleEndian<quint16>(u[i].unicode(), buf_.data() + start + 2 * i);
}

namespace {

// The file a write to `path` must replace: a symbolic link is followed to the
// file it names (through chains of links), so that the link stays a link.
// Empty for a loop of links or a chain longer than the system follows: such
// a link is neither followed nor replaced.
QString writeTarget(const QString &path)
{
    QFileInfo fi(path);
    for (int depth = 0; depth < 40 && fi.isSymLink(); ++depth)
        fi.setFile(fi.symLinkTarget());
    return fi.isSymLink() ? QString() : fi.filePath();
}

const char kLinkLoop[] = "Too many levels of symbolic links: %1";

} // namespace

bool WriteFileAtomically(const QString &path, const QByteArray &data, QString *errorText, bool syncToDisk,
                         bool ownerOnly)
{
    const QString targetPath = writeTarget(path);
    if (targetPath.isEmpty()) {
        if (errorText)
            *errorText = QString::fromLatin1(kLinkLoop).arg(path);
        return false;
    }
#ifdef Q_OS_UNIX
    if (!syncToDisk || ownerOnly) {
        const QFileInfo target(targetPath);
        // A file that could not be opened for writing is not replaced either.
        if (target.exists() && !target.isWritable()) {
            if (errorText)
                *errorText = QStringLiteral("The file %1 is write-protected.").arg(target.filePath());
            return false;
        }
        // A hidden name beside the target that no one else uses: created here,
        // with its access from the start.
        QFile tmp;
        bool created = false;
        for (int attempt = 0; attempt < 64 && !created; ++attempt) {
            tmp.setFileName(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QLatin1Char('.')
                            + QString::number(QRandomGenerator::global()->generate(), 36));
            created = platform::CreateNewFile(tmp, ownerOnly);
            if (!created && !QFileInfo::exists(tmp.fileName()))
                break; // not a name taken: the folder cannot hold it
        }
        if (!created) {
            if (errorText)
                *errorText = tmp.errorString();
            return false;
        }
        if (tmp.write(data) != data.size() || !tmp.flush()) {
            if (errorText)
                *errorText = tmp.errorString();
            tmp.close();
            tmp.remove();
            return false;
        }
        // Keep the permissions of the file that is replaced; a file of the
        // user's alone stays so.
        if (target.exists() && !ownerOnly)
            tmp.setPermissions(target.permissions());
        tmp.close();
        if (::rename(QFile::encodeName(tmp.fileName()).constData(), QFile::encodeName(target.filePath()).constData())
            != 0) {
            if (errorText)
                *errorText = QString::fromLocal8Bit(std::strerror(errno));
            tmp.remove();
            return false;
        }
        return true;
    }
#endif
    Q_UNUSED(syncToDisk);
    Q_UNUSED(ownerOnly); // the folder passes its access on (platform::CreateNewFile)
    // QSaveFile itself refuses a write-protected file and writes through
    // symbolic links.
    QSaveFile f(path);
    // Unbuffered, and every step checked: commit() alone does not report a
    // final flush that failed (a full disk), and would then replace the old
    // file with a cut-off one.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (errorText)
            *errorText = f.errorString();
        return false;
    }
    if (f.write(data) != data.size() || !f.flush() || f.error() != QFileDevice::NoError) {
        if (errorText)
            *errorText = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (errorText)
            *errorText = f.errorString();
        return false;
    }
    return true;
}
