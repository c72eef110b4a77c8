#include "export/xlsxreader.h"

#include "i18n/translateunit.h"

#include <QBuffer>
#include <QHash>
#include <QXmlStreamReader>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <cmath>

namespace {

class Workbook {
public:
    explicit Workbook(const QByteArray &data) : buffer_(const_cast<QByteArray *>(&data)), zip_(&buffer_) {}

    bool open(QString *error)
    {
        if (!zip_.open(QuaZip::mdUnzip))
            return fail(error, TranslateStr(QStringLiteral("Die Datei ist keine Excel-Arbeitsmappe (keine Zip-Datei).")));
        qint64 total = 0;
        for (const QuaZipFileInfo64 &info : zip_.getFileInfoList64()) {
            const qint64 unpacked = qint64(info.uncompressedSize);
            total += unpacked;
            if (unpacked < 0 || total > kMaxUnpackedXlsx
                || unpacked > kMaxXlsxRatio * std::max<qint64>(qint64(info.compressedSize), 1024))
                return fail(error, TranslateStr(QStringLiteral("Die Arbeitsmappe entpackt zu groß (mehr als %1 MB oder zu stark gepackt).")).arg(kMaxUnpackedXlsx >> 20));
            sizes_.insert(info.name, unpacked);
        }
        return true;
    }

    bool has(const QString &name) const { return sizes_.contains(name); }

    // One part, unpacked; its declared size is the most read (a part
    // that would unpack to more is refused).
    bool part(const QString &name, QByteArray *out, QString *error)
    {
        const qint64 declared = sizes_.value(name, -1);
        if (declared < 0 || !zip_.setCurrentFile(name))
            return fail(error, TranslateStr(QStringLiteral("Die Datei ist keine Excel-Arbeitsmappe (es fehlt \"%1\").")).arg(name));
        QuaZipFile f(&zip_);
        if (!f.open(QIODevice::ReadOnly))
            return fail(error, TranslateStr(QStringLiteral("Die Arbeitsmappe ist beschädigt (\"%1\").")).arg(name));
        QByteArray data;
        data.reserve(int(std::min<qint64>(declared, 1 << 20))); // a header may claim more than there is
        char chunk[65536];
        for (;;) {
            const qint64 n = f.read(chunk, sizeof chunk);
            if (n < 0)
                return fail(error, TranslateStr(QStringLiteral("Die Arbeitsmappe ist beschädigt (\"%1\").")).arg(name));
            if (n == 0)
                break;
            unpacked_ += n;
            if (data.size() + n > declared || unpacked_ > kMaxUnpackedXlsx)
                return fail(error, TranslateStr(QStringLiteral("Die Arbeitsmappe entpackt zu groß (mehr als %1 MB oder zu stark gepackt).")).arg(kMaxUnpackedXlsx >> 20));
            data.append(chunk, int(n));
        }
        f.close();
        if (f.getZipError() != UNZ_OK)
            return fail(error, TranslateStr(QStringLiteral("Die Arbeitsmappe ist beschädigt (\"%1\").")).arg(name));
        *out = data;
        return true;
    }

    static bool fail(QString *error, const QString &why)
    {
        if (error)
            *error = why;
        return false;
    }

private:
    QBuffer buffer_;
    QuaZip zip_;
    QHash<QString, qint64> sizes_;
    qint64 unpacked_ = 0;
};

// The text of an element and everything inside it (rich text runs), without
// phonetic hints.
QString elementText(QXmlStreamReader &xml)
{
    QString text;
    int depth = 1;
    bool skip = false;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == QLatin1String("rPh"))
                skip = true;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            if (xml.name() == QLatin1String("rPh"))
                skip = false;
            break;
        case QXmlStreamReader::Characters:
            if (!skip)
                text += xml.text();
            break;
        default:
            break;
        }
    }
    return text;
}

QString xmlProblem(const QXmlStreamReader &xml, const QString &part)
{
    return TranslateStr(QStringLiteral("Die Arbeitsmappe ist beschädigt (\"%1\", Zeile %2: %3)."))
        .arg(part)
        .arg(xml.lineNumber())
        .arg(xml.errorString());
}

// "B12" -> column 1 (from 0), row 12; false without a valid reference.
bool cellReference(QStringView ref, int *column, int *row)
{
    int c = 0, i = 0;
    while (i < ref.size() && ref.at(i).isLetter() && ref.at(i).unicode() < 128) {
        c = c * 26 + (ref.at(i).toUpper().unicode() - 'A' + 1);
        if (c > kMaxSheetColumns + 1)
            return *column = kMaxSheetColumns, false;
        ++i;
    }
    if (i == 0)
        return false;
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    *column = c - 1;
    *row = ok ? r : 0;
    return true;
}

QString numberText(double v)
{
    return QString::number(v, 'g', 15);
}

} // namespace

bool ReadXlsxSheet(const QByteArray &data, Sheet *out, QString *error)
{
    Workbook book(data);
    if (!book.open(error))
        return false;
    const QString notAWorkbook = TranslateStr(QStringLiteral("Die Datei ist keine Excel-Arbeitsmappe."));

    // The workbook's sheets and where their parts lie.
    QByteArray part;
    if (!book.has(QStringLiteral("xl/workbook.xml")))
        return Workbook::fail(error, notAWorkbook);
    if (!book.part(QStringLiteral("xl/workbook.xml"), &part, error))
        return false;
    QString firstId, namedId;
    {
        QXmlStreamReader xml(part);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("sheet"))
                continue;
            const QString id = xml.attributes()
                                   .value(QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
                                          QStringLiteral("id"))
                                   .toString();
            if (firstId.isEmpty())
                firstId = id;
            if (namedId.isEmpty()
                && xml.attributes().value(QStringLiteral("name")).compare(QLatin1String("Katalog"), Qt::CaseInsensitive) == 0)
                namedId = id;
        }
        if (xml.hasError())
            return Workbook::fail(error, xmlProblem(xml, QStringLiteral("xl/workbook.xml")));
    }
    const QString sheetId = namedId.isEmpty() ? firstId : namedId;
    if (sheetId.isEmpty())
        return Workbook::fail(error, notAWorkbook);
    QString sheetPart;
    if (!book.part(QStringLiteral("xl/_rels/workbook.xml.rels"), &part, error))
        return false;
    {
        QXmlStreamReader xml(part);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("Relationship")
                && xml.attributes().value(QStringLiteral("Id")) == sheetId) {
                const QString target = xml.attributes().value(QStringLiteral("Target")).toString();
                sheetPart = target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
            }
        }
        if (xml.hasError())
            return Workbook::fail(error, xmlProblem(xml, QStringLiteral("xl/_rels/workbook.xml.rels")));
    }
    if (sheetPart.isEmpty() || !book.has(sheetPart))
        return Workbook::fail(error, notAWorkbook);

    // Shared strings.
    QStringList shared;
    if (book.has(QStringLiteral("xl/sharedStrings.xml"))) {
        if (!book.part(QStringLiteral("xl/sharedStrings.xml"), &part, error))
            return false;
        QXmlStreamReader xml(part);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
                shared << elementText(xml);
        }
        if (xml.hasError())
            return Workbook::fail(error, xmlProblem(xml, QStringLiteral("xl/sharedStrings.xml")));
    }

    if (!book.part(sheetPart, &part, error))
        return false;
    Sheet sheet;
    QXmlStreamReader xml(part);
    int rowNumber = 0;
    auto tooManyRows = [&]() {
        return Workbook::fail(error, TranslateStr(QStringLiteral("Die Tabelle hat mehr als %1 Zeilen.")).arg(kMaxSheetRows));
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("row"))
            continue;
        bool ok = false;
        const int r = xml.attributes().value(QStringLiteral("r")).toInt(&ok);
        rowNumber = ok && r > rowNumber ? r : rowNumber + 1;
        if (rowNumber > kMaxSheetRows || sheet.rows.size() >= kMaxSheetRows)
            return tooManyRows();
        SheetRow row;
        row.line = rowNumber;
        int column = -1;
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("c")) {
                xml.skipCurrentElement();
                continue;
            }
            const QStringView ref = xml.attributes().value(QStringLiteral("r"));
            int c = column + 1, rr = 0;
            if (!ref.isEmpty() && cellReference(ref, &c, &rr))
                c = std::max(c, column + 1);
            if (c >= kMaxSheetColumns)
                return Workbook::fail(error, TranslateStr(QStringLiteral("Zeile %1 hat mehr als %2 Spalten.")).arg(rowNumber).arg(kMaxSheetColumns));
            column = c;
            const QString type = xml.attributes().value(QStringLiteral("t")).toString();
            SheetCell cell;
            bool formula = false, hasValue = false;
            QString value;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("v")) {
                    value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                    hasValue = true;
                } else if (xml.name() == QLatin1String("is")) {
                    cell.text = elementText(xml);
                    hasValue = true;
                } else {
                    if (xml.name() == QLatin1String("f"))
                        formula = true;
                    xml.skipCurrentElement();
                }
            }
            if (type == QLatin1String("inlineStr")) {
                // the text was read above
            } else if (!hasValue || type == QLatin1String("e")) {
                cell.noValue = formula || type == QLatin1String("e");
                if (cell.noValue)
                    cell.text.clear();
            } else if (type == QLatin1String("s")) {
                bool okIndex = false;
                const int i = value.trimmed().toInt(&okIndex);
                if (!okIndex || i < 0 || i >= shared.size())
                    return Workbook::fail(error, TranslateStr(QStringLiteral("Die Arbeitsmappe ist beschädigt (\"%1\", Zeile %2).")).arg(sheetPart).arg(rowNumber));
                cell.text = shared.at(i);
            } else if (type == QLatin1String("str")) {
                cell.text = value;
            } else if (type == QLatin1String("b")) {
                cell.text = value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
            } else {
                bool okNumber = false;
                const double v = value.trimmed().toDouble(&okNumber);
                if (okNumber && std::isfinite(v)) {
                    cell.number = v;
                    cell.isNumber = true;
                    cell.text = numberText(v);
                } else {
                    cell.text = value;
                }
            }
            if (row.cells.size() <= c)
                row.cells.resize(c + 1);
            row.cells[c] = cell;
        }
        // Rows the sheet keeps only for their formatting hold nothing.
        bool empty = true;
        for (const SheetCell &cell : row.cells)
            empty = empty && !cell.isNumber && !cell.noValue && cell.text.isEmpty();
        if (!empty)
            sheet.rows << row;
    }
    if (xml.hasError())
        return Workbook::fail(error, xmlProblem(xml, sheetPart));
    *out = std::move(sheet);
    return true;
}
