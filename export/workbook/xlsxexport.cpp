#include "export/xlsxexport.h"

#include "catalogue/brastel.h"
#include "i18n/translateunit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>
#include <quazip/zip.h>

#include <cstdio>

#include <algorithm>

namespace {

// Column widths in characters: at least the header's, at most this many.
constexpr double kMinWidth = 8, kMaxWidth = 60;
// The longest text a cell of a spreadsheet holds.
constexpr int kMaxCellText = 32767;

QByteArray utf8(const QString &s)
{
    QString t = s;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t.toUtf8();
}

// The widest line of a text, in characters.
int widestLine(const QString &s)
{
    int w = 0;
    for (const QStringView line : QStringView(s).split(QLatin1Char('\n')))
        w = std::max(w, int(line.trimmed().size()));
    return w;
}

QString libraryError(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
}

} // namespace

bool WorkbooksAvailable()
{
    return true;
}

QString WorkbookProblemText()
{
    return QString();
}

QString XlsxSheetName()
{
    return QStringLiteral("Katalog");
}

bool WriteXlsxFile(const QString &path, const CatalogueTable &table, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QTemporaryDir dir;
    if (!dir.isValid())
        return fail(dir.errorString());
    const QByteArray tmp = QFile::encodeName(dir.filePath(QStringLiteral("export.xlsx")));
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    const QByteArray tmpdir = QFile::encodeName(dir.path());
    options.tmpdir = const_cast<char *>(tmpdir.constData());
    lxw_workbook *book = workbook_new_opt(tmp.constData(), &options);
    if (!book)
        return fail(TranslateStr(QStringLiteral("Die Arbeitsmappe konnte nicht angelegt werden.")));
    lxw_worksheet *sheet = workbook_add_worksheet(book, XlsxSheetName().toUtf8().constData());
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format *money = workbook_add_format(book);
    format_set_num_format(money, "0.00");
    lxw_format *whole = workbook_add_format(book);
    format_set_num_format(whole, "0");
    lxw_format *wrap = workbook_add_format(book);
    format_set_text_wrap(wrap);
    format_set_align(wrap, LXW_ALIGN_VERTICAL_TOP);

    const int columns = int(table.header.size());
    QVector<int> widths(columns, 0);
    lxw_error e = LXW_NO_ERROR;
    for (int c = 0; c < columns && e == LXW_NO_ERROR; ++c) {
        e = worksheet_write_string(sheet, 0, lxw_col_t(c), utf8(table.header.at(c)).constData(), bold);
        widths[c] = int(table.header.at(c).size()) + 3; // room for the filter's button
    }
    for (int r = 0; r < table.rows.size() && e == LXW_NO_ERROR; ++r) {
        const auto &row = table.rows.at(r);
        for (int c = 0; c < std::min(columns, int(row.size())) && e == LXW_NO_ERROR; ++c) {
            const CatalogueCell &cell = row.at(c);
            const auto lr = lxw_row_t(r + 1);
            const auto lc = lxw_col_t(c);
            if (cell.isNumber) {
                e = worksheet_write_number(sheet, lr, lc, cell.number, cell.decimals > 0 ? money : whole);
            } else if (!cell.text.isEmpty()) {
                if (cell.text.size() > kMaxCellText) {
                    workbook_close(book); // into the temporary folder, which goes
                    return fail(TranslateStr(QStringLiteral("Zeile %1, Spalte \"%2\": der Text ist länger als eine Zelle fasst."))
                                    .arg(r + 2)
                                    .arg(table.header.value(c)));
                }
                const bool lines = cell.text.contains(QLatin1Char('\n'));
                e = worksheet_write_string(sheet, lr, lc, utf8(cell.text).constData(), lines ? wrap : nullptr);
            }
            widths[c] = std::max(widths[c], widestLine(cell.text));
        }
    }
    if (e == LXW_NO_ERROR) {
        for (int c = 0; c < columns; ++c)
            worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                                 std::clamp(double(widths[c]) + 1, kMinWidth, kMaxWidth), nullptr);
        worksheet_freeze_panes(sheet, 1, 0);
        if (columns > 0)
            e = worksheet_autofilter(sheet, 0, 0, lxw_row_t(table.rows.size()), lxw_col_t(columns - 1));
    }
    if (e != LXW_NO_ERROR) {
        workbook_close(book);
        return fail(libraryError(e));
    }
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR)
        return fail(libraryError(closed));
    QFile f(QFile::decodeName(tmp));
    if (!f.open(QIODevice::ReadOnly))
        return fail(f.errorString());
    return WriteFileAtomically(path, f.readAll(), error);
}

// ---- minizip's zipOpen for libxlsxwriter ----
// libxlsxwriter packs the workbook with minizip, whose functions it takes
// from the system's libminizip. QuaZip, which the import reads workbooks
// with, carries a changed minizip of its own and exports its functions under
// the same names; in a program that links both, the first library loaded
// answers every call. libxlsxwriter then reaches QuaZip's minizip, whose
// zipOpen takes a QIODevice instead of a file name.
//
// The program therefore defines zipOpen itself (a definition in the program
// comes before both libraries): it opens the file named with C stdio
// functions through QuaZip's zipOpen2, which every further call of
// libxlsxwriter (zipOpenNewFileInZip4_64, zipWriteInFileInZip,
// zipCloseFileInZip, zipClose) then works on, as minizip's would. QuaZip
// itself never calls zipOpen.




namespace zipio {

voidpf ZCALLBACK openFile(voidpf, voidpf file, int mode)
{
    const char *how = nullptr;
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) == ZLIB_FILEFUNC_MODE_READ)
        how = "rb";
    else if (mode & ZLIB_FILEFUNC_MODE_EXISTING)
        how = "r+b";
    else if (mode & ZLIB_FILEFUNC_MODE_CREATE)
        how = "wb";
    return how ? std::fopen(static_cast<const char *>(file), how) : nullptr;
}

uLong ZCALLBACK readFile(voidpf, voidpf stream, void *buf, uLong size)
{
    return uLong(std::fread(buf, 1, size, static_cast<FILE *>(stream)));
}

uLong ZCALLBACK writeFile(voidpf, voidpf stream, const void *buf, uLong size)
{
    return uLong(std::fwrite(buf, 1, size, static_cast<FILE *>(stream)));
}

uLong ZCALLBACK tellFile(voidpf, voidpf stream)
{
    return uLong(std::ftell(static_cast<FILE *>(stream)));
}

int ZCALLBACK seekFile(voidpf, voidpf stream, uLong offset, int origin)
{
    const int whence = origin == ZLIB_FILEFUNC_SEEK_CUR ? SEEK_CUR : origin == ZLIB_FILEFUNC_SEEK_END ? SEEK_END : SEEK_SET;
    return std::fseek(static_cast<FILE *>(stream), long(offset), whence) == 0 ? 0 : -1;
}

int ZCALLBACK closeFile(voidpf, voidpf stream)
{
    return std::fclose(static_cast<FILE *>(stream));
}

int ZCALLBACK errorFile(voidpf, voidpf stream)
{
    return std::ferror(static_cast<FILE *>(stream));
}

} // namespace zipio

extern "C" zipFile ZEXPORT zipOpen(voidpf file, int append)
{
    zlib_filefunc_def io{zipio::openFile, zipio::readFile, zipio::writeFile, zipio::tellFile, zipio::seekFile,
                         zipio::closeFile, zipio::errorFile, nullptr};
    zipFile zf = zipOpen2(file, append, nullptr, &io);
    // Local headers with the sizes, as minizip writes them.
    if (zf)
        zipClearFlags(zf, ZIP_WRITE_DATA_DESCRIPTOR);
    return zf;
}
