#include "i18n/translateunit.h"

#include "catalogue/usertext.h"

#include <QFile>
#include <QStringView>

#include <string_view>

const char16_t *const msgtable[kMsgCount] = {
    u"Konte die folgende Datei nicht öffnen: ",
    u"Bitte schließen Sie das Program und starten Sie es neu.",
    u"Übersetzen",
    u"paper.jpg",
    u"Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?",
    u"Speichern",
    u"",
    u"unbenannt.vlr",
    u"",
    u"Preis auf Anfrage",
    u"",
    u"Speisekarte drucken",
    u"Kategorie",
    u"Bezeichnung",
    u"Beschreibung",
    u"Preis",
    u"Bestellnummer",
    u"Menge",
    u"Konnte die folgende Datei nicht anlegen:",
    u"",
};

namespace {

std::u16string_view view(const char16_t *p)
{
    return p ? std::u16string_view(p) : std::u16string_view();
}

std::u16string_view view(const QString &s)
{
    return std::u16string_view(reinterpret_cast<const char16_t *>(s.utf16()), size_t(s.size()));
}

// Whether a stored key equals key in every code unit (no length scan first:
// most keys differ in their first units).
bool keyEquals(const char16_t *k, std::u16string_view key)
{
    if (!k)
        return key.empty();
    for (size_t i = 0; i < key.size(); ++i) {
        if (k[i] != key[i] || k[i] == 0)
            return false;
    }
    return k[key.size()] == 0;
}

// The text of a slot without copying it.
QString rawText(const char16_t *p)
{
    if (!p)
        return QString();
    const std::u16string_view v(p);
    return QString::fromRawData(reinterpret_cast<const QChar *>(v.data()), qsizetype(v.size()));
}

// A row with an empty column count holds no bytes in the file, so the file
// size cannot bound how many such rows it claims; this keeps a damaged count
// from filling the memory with empty rows.
constexpr int32_t kMaxEmptyRows = 4096;

} // namespace

char16_t *NewStrCopy(const QString &s)
{
    return NewWideText(s);
}

TranslationTable::TranslationTable() : transrows(sizeof(TTransRow), &arow)
{
    for (auto &b : transindex)
        b = std::make_unique<TDynaArray>(uint32_t(sizeof(TTransIndexEntry)), &aentry);
}

TranslationTable::~TranslationTable()
{
    clearAll();
}

void TranslationTable::freeRow(TTransRow *r)
{
    for (auto &c : r->cols)
        FreeWideText(c);
}

void TranslationTable::clearAll()
{
    for (uint32_t i = 0; i < transrows.count; ++i)
        freeRow(rowAt(int(i)));
    transrows.Clear();
    for (int b = 0; b < kIndexBuckets; ++b) {
        for (uint32_t i = 0; i < transindex[b]->count; ++i)
            FreeWideText(entryAt(b, int32_t(i))->key);
        transindex[b]->Clear();
    }
}

void TranslationTable::InitTranslations(const QString &translateDatPath)
{
    clearAll();
    path_ = translateDatPath;
    LoadTranslations();
    buildIndex();
}

void TranslationTable::buildIndex()
{
    for (uint32_t i = 0; i < transrows.count; ++i) {
        const char16_t *german = rowAt(int(i))->cols[0];
        if (!german || !*german)
            continue;
        const int bucket = german[0] & 0xFF;
        auto *e = static_cast<TTransIndexEntry *>(transindex[bucket]->Add());
        if (!e)
            continue;
        e->key = NewStrCopy(QString::fromUtf16(german));
        e->row = int32_t(i);
    }
    for (int b = 0; b < kIndexBuckets; ++b) {
        if (transindex[b]->count > 0)
            SortIndexBucket(b, 0, int32_t(transindex[b]->count) - 1);
    }
}

void TranslationTable::SortIndexBucket(int bucket, int32_t L, int32_t R)
{
    TDynaArray &a = *transindex[bucket];
    int32_t I = L;
    int32_t J = R;
    // The pivot is the key text itself; exchanges move entries, not texts.
    const std::u16string_view P = view(entryAt(bucket, (L + R) / 2)->key);
    do {
        while (view(entryAt(bucket, I)->key) < P)
            ++I;
        while (view(entryAt(bucket, J)->key) > P)
            --J;
        if (I <= J) {
            a.Change(I, J);
            ++I;
            --J;
        }
    } while (I <= J);
    if (L < J)
        SortIndexBucket(bucket, L, J);
    if (I < R)
        SortIndexBucket(bucket, I, R);
}

bool TranslationTable::LoadTranslations()
{
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    ByteReader in(f.readAll());
    f.close();

    const int32_t C = in.readInt32();
    int32_t R = in.readInt32();
    if (!in.ok())
        return false;
    if (R <= 0)
        return true;
    if (C <= 0)
        R = std::min(R, kMaxEmptyRows);

    QString cells[kTransColumns];
    for (int32_t r = 0; r < R; ++r) {
        // A row is stored only once all its records have been read, so a
        // file that ends inside a row keeps every complete row before it.
        for (auto &c : cells)
            c.clear();
        for (int32_t c = 0; c < C; ++c) {
            QString s = in.readWideString();
            if (!in.ok())
                return false;
            if (c < kTransColumns)
                cells[c] = std::move(s);
        }
        auto *row = static_cast<TTransRow *>(transrows.Add());
        if (!row)
            return false;
        for (int c = 0; c < kTransColumns; ++c)
            row->cols[c] = NewStrCopy(cells[c]);
    }
    return true;
}

QByteArray TranslationTable::SerializeTranslations() const
{
    ByteWriter out;
    out.writeInt32(kTransColumns);
    out.writeInt32(int32_t(transrows.count));
    for (uint32_t i = 0; i < transrows.count; ++i) {
        const TTransRow *row = rowAt(int(i));
        for (const char16_t *c : row->cols)
            out.writeWideString(rawText(c));
    }
    return out.data();
}

bool TranslationTable::SaveTranslations()
{
    if (path_.isEmpty())
        return false;
    if (!WriteFileAtomically(path_, SerializeTranslations(), nullptr, /*syncToDisk=*/false))
        return false;
    ++saveCount_;
    return true;
}

QString TranslationTable::TranslateStr(const QString &S)
{
    if (S.isEmpty())
        return S;
    const std::u16string_view s = view(S);
    size_t lead = 0;
    while (lead < s.size() && s[lead] == u' ')
        ++lead;
    if (lead == s.size())
        return S;
    size_t trail = 0;
    while (s[s.size() - 1 - trail] == u' ')
        ++trail;
    const std::u16string_view key = s.substr(lead, s.size() - lead - trail);
    const int bucket = key[0] & 0xFF;

    const TDynaArray &b = *transindex[bucket];
    for (uint32_t i = 0; i < b.count; ++i) {
        const TTransIndexEntry *e = static_cast<const TTransIndexEntry *>(b.At(i));
        if (!keyEquals(e->key, key) || e->row < 0 || uint32_t(e->row) >= transrows.count)
            continue;
        if (language < 0 || language >= kTransColumns)
            return S;
        std::u16string_view t = view(rowAt(e->row)->cols[language]);
        if (t.empty())
            return S;
        while (!t.empty() && t.front() <= 32)
            t.remove_prefix(1);
        while (!t.empty() && t.back() <= 32)
            t.remove_suffix(1);
        QString result;
        result.reserve(qsizetype(lead + t.size() + trail));
        result.append(QString(qsizetype(lead), QLatin1Char(' ')));
        result.append(QStringView(t.data(), qsizetype(t.size())));
        result.append(QString(qsizetype(trail), QLatin1Char(' ')));
        return result;
    }

    // A German text met for the first time: new row, new index entry, and
    // the file is rewritten at once.
    const QString keyText = QStringView(key.data(), qsizetype(key.size())).toString();
    auto *row = static_cast<TTransRow *>(transrows.Add());
    if (!row)
        return S;
    row->cols[0] = NewStrCopy(keyText);
    for (int c = 1; c < kTransColumns; ++c)
        row->cols[c] = NewStrCopy(QString());
    auto *e = static_cast<TTransIndexEntry *>(transindex[bucket]->Add());
    if (e) {
        e->key = NewStrCopy(keyText);
        e->row = int32_t(transrows.count) - 1;
    }
    SaveTranslations();
    return S;
}

QString TranslationTable::GetMsgText(int n)
{
    if (n < 1 || n > kMsgCount)
        return QString();
    return TranslateStr(QString::fromUtf16(msgtable[n - 1]));
}

void TranslationTable::RegisterMessages()
{
    for (int n = 1; n <= kMsgCount; ++n)
        GetMsgText(n);
}

QString TranslationTable::Cell(int row, int col) const
{
    if (row < 0 || uint32_t(row) >= transrows.count || col < 0 || col >= kTransColumns)
        return QString();
    return WideText(rowAt(row)->cols[col]);
}

bool TranslationTable::SetCell(int row, int col, const QString &text)
{
    if (row < 0 || uint32_t(row) >= transrows.count || col < 0 || col >= kTransColumns)
        return false;
    TTransRow *r = rowAt(row);
    FreeWideText(r->cols[col]);
    r->cols[col] = NewStrCopy(text);
    return true;
}

bool TranslationTable::DeleteRow(int row)
{
    if (row < 0 || uint32_t(row) >= transrows.count)
        return false;
    TTransRow copy = *rowAt(row);
    if (!transrows.Delete(row))
        return false;
    freeRow(&copy);
    for (int b = 0; b < kIndexBuckets; ++b) {
        TDynaArray &bucket = *transindex[b];
        for (int32_t i = int32_t(bucket.count) - 1; i >= 0; --i) {
            TTransIndexEntry *e = entryAt(b, i);
            if (e->row == row) {
                char16_t *key = e->key;
                if (bucket.Delete(i))
                    FreeWideText(key);
                else
                    e->row = -1; // kept, but it no longer finds any row
            } else if (e->row > row) {
                --e->row;
            }
        }
    }
    return true;
}

// ---- the program's table -------------------------------------------------------

TranslationTable &Translations()
{
    static TranslationTable table;
    return table;
}

void InitTranslations(const QString &translateDatPath)
{
    Translations().InitTranslations(translateDatPath);
    // The document reasons and the other texts of the catalogue folder.
    SetUserTextLookup(&::TranslateStr);
}

QString TranslateStr(const QString &S)
{
    return Translations().TranslateStr(S);
}

QString GetMsgText(int n)
{
    return Translations().GetMsgText(n);
}

void RegisterMessages()
{
    Translations().RegisterMessages();
}

int32_t CurrentLanguage()
{
    return Translations().language;
}

void SetCurrentLanguage(int32_t language)
{
    Translations().language = language;
}
