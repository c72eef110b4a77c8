// tsv2dat: builds the program's translate.dat from the readable translation
// source data/translations.tsv, and back.
//
//   tsv2dat SOURCE.tsv OUTPUT.dat
//       Converts the source. The table is filled and written by the program's
//       own TranslationTable, so the bytes are exactly those the program
//       writes; the result is read back and compared before the tool reports
//       success.
//   tsv2dat --dump TABLE.dat [OUTPUT.tsv]
//       Writes a table (for example one edited in the program's translation
//       editor) as a source file, to standard output without OUTPUT.tsv.
//   tsv2dat --seed BUILT.dat TARGET.dat RECORD.dat
//       Puts the built table next to the executable of a build tree. TARGET is
//       written when it does not exist, or when it still holds exactly the
//       table this rule put there last time (kept in RECORD), so a newer
//       source reaches developers who never touched their copy. A TARGET that
//       the program or the translator changed since is kept.
//
// Source format (UTF-8):
//   - Lines starting with '#' are comments; empty lines are skipped.
//   - The first other line is the header: the column names separated by tabs,
//     one per language number: German, English, Français (or French),
//     Nederlands (or Dutch), Swedish, then language5 ... language19.
//   - Every further line is one row: the German text exactly as the program
//     looks it up (without blanks at its ends), then the translations, in the
//     header's columns. Missing cells at the end of a line are empty.
//   - Inside a cell \t, \n, \r and \\ stand for a tab, a line break, a
//     carriage return and a backslash; \# at the start of a cell for '#'.
#include "catalogue/brastel.h"
#include "i18n/translateunit.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

void fail(const QString &msg)
{
    std::fprintf(stderr, "tsv2dat: %s\n", msg.toLocal8Bit().constData());
}

QString columnName(int c)
{
    static const char *const names[5] = {"German", "English", "Français", "Nederlands", "Swedish"};
    return c < 5 ? QString::fromUtf8(names[c]) : QStringLiteral("language%1").arg(c);
}

bool headerMatches(const QString &cell, int c)
{
    if (cell == columnName(c))
        return true;
    return (c == 2 && cell == QLatin1String("French")) || (c == 3 && cell == QLatin1String("Dutch"));
}

// Undoes the escapes of a cell; false on an unknown escape.
bool unescape(const QString &in, QString &out)
{
    out.clear();
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar ch = in.at(i);
        if (ch != QLatin1Char('\\')) {
            out += ch;
            continue;
        }
        if (++i >= in.size())
            return false;
        switch (in.at(i).unicode()) {
        case 't': out += QLatin1Char('\t'); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case '\\': out += QLatin1Char('\\'); break;
        case '#':
            if (i != 1)
                return false;
            out += QLatin1Char('#');
            break;
        default: return false;
        }
    }
    return true;
}

QString escape(const QString &in)
{
    QString out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar ch = in.at(i);
        switch (ch.unicode()) {
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '#':
            out += i == 0 ? QLatin1String("\\#") : QLatin1String("#");
            break;
        default: out += ch;
        }
    }
    return out;
}

bool readFile(const QString &path, QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    return f.error() == QFileDevice::NoError;
}

struct SourceRow {
    int line = 0;
    QStringList cells; // unescaped, kTransColumns wide
};

// Reads and checks the source. Every problem is reported with its line.
bool parseSource(const QString &path, QList<SourceRow> &rows)
{
    QByteArray bytes;
    if (!readFile(path, bytes)) {
        fail(QStringLiteral("cannot read %1").arg(path));
        return false;
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QString text;
    {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8(bytes);
        if (utf8.hasError()) {
            fail(QStringLiteral("%1: not valid UTF-8").arg(path));
            return false;
        }
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    int columns = 0;
    bool ok = true;
    QSet<QString> keys;
    auto problem = [&](int line, const QString &msg) {
        fail(QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(msg));
        ok = false;
    };
    for (int i = 0; i < lines.size(); ++i) {
        QString l = lines.at(i);
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        const int lineNo = i + 1;
        if (l.isEmpty() || l.startsWith(QLatin1Char('#')))
            continue;
        const QStringList raw = l.split(QLatin1Char('\t'));
        if (columns == 0) {
            if (raw.size() > kTransColumns) {
                problem(lineNo, QStringLiteral("the header names more than %1 columns").arg(kTransColumns));
                return false;
            }
            for (int c = 0; c < raw.size(); ++c) {
                if (!headerMatches(raw.at(c), c)) {
                    problem(lineNo, QStringLiteral("header column %1 is \"%2\", expected \"%3\"")
                                        .arg(c + 1)
                                        .arg(raw.at(c), columnName(c)));
                    return false;
                }
            }
            columns = int(raw.size());
            continue;
        }
        if (raw.size() > columns) {
            problem(lineNo, QStringLiteral("%1 cells, the header has %2").arg(raw.size()).arg(columns));
            continue;
        }
        SourceRow row;
        row.line = lineNo;
        for (int c = 0; c < kTransColumns; ++c) {
            QString cell;
            if (c < raw.size() && !unescape(raw.at(c), cell)) {
                problem(lineNo, QStringLiteral("unknown escape in column %1").arg(columnName(c)));
                cell.clear();
            }
            row.cells << cell;
        }
        const QString &key = row.cells.at(0);
        if (key.isEmpty()) {
            problem(lineNo, QStringLiteral("empty German text"));
            continue;
        }
        if (key.startsWith(QLatin1Char(' ')) || key.endsWith(QLatin1Char(' '))) {
            problem(lineNo, QStringLiteral("the German text has blanks at its ends; the program looks texts "
                                           "up without them, so this row would never be found"));
            continue;
        }
        for (int c = 1; c < columns; ++c) {
            const QString &t = row.cells.at(c);
            if (!t.isEmpty() && (t.front().unicode() <= 32 || t.back().unicode() <= 32))
                problem(lineNo, QStringLiteral("the %1 text has blanks or line breaks at its ends; the program "
                                               "cuts them off")
                                    .arg(columnName(c)));
        }
        if (keys.contains(key)) {
            problem(lineNo, QStringLiteral("\"%1\" is a second row for the same German text").arg(key));
            continue;
        }
        keys.insert(key);
        rows << row;
    }
    if (columns == 0) {
        fail(QStringLiteral("%1: no header line").arg(path));
        return false;
    }
    return ok;
}

int convert(const QString &source, const QString &output)
{
    QList<SourceRow> rows;
    if (!parseSource(source, rows))
        return 1;

    TranslationTable table; // empty, without a file: nothing is written while it fills
    table.language = 0;
    for (const SourceRow &r : rows) {
        const int before = table.RowCount();
        table.TranslateStr(r.cells.at(0)); // registers the row under its German text
        if (table.RowCount() != before + 1) {
            fail(QStringLiteral("%1:%2: the program would not register this German text as a row of its own")
                     .arg(source)
                     .arg(r.line));
            return 1;
        }
        for (int c = 1; c < kTransColumns; ++c)
            table.SetCell(before, c, r.cells.at(c));
    }
    table.setFilePath(output);
    if (!table.SaveTranslations()) {
        fail(QStringLiteral("cannot write %1").arg(output));
        return 1;
    }

    // Read the result the way the program does and compare.
    TranslationTable check;
    check.InitTranslations(output);
    check.setFilePath(QString()); // the check itself never writes
    bool same = check.RowCount() == int(rows.size());
    for (int r = 0; same && r < check.RowCount(); ++r) {
        for (int c = 0; c < kTransColumns; ++c)
            same = same && check.Cell(r, c) == rows.at(r).cells.at(c);
        check.language = 1;
        same = same && check.TranslateStr(rows.at(r).cells.at(0)) ==
                           (rows.at(r).cells.at(1).isEmpty() ? rows.at(r).cells.at(0) : rows.at(r).cells.at(1));
    }
    if (!same || check.SerializeTranslations() != table.SerializeTranslations()) {
        fail(QStringLiteral("%1 does not read back as written").arg(output));
        QFile::remove(output);
        return 1;
    }
    return 0;
}

int dump(const QString &input, const QString &output)
{
    if (!QFileInfo(input).isFile()) {
        fail(QStringLiteral("cannot read %1").arg(input));
        return 1;
    }
    TranslationTable table;
    table.InitTranslations(input);
    table.setFilePath(QString()); // never written back
    int columns = 5;
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = columns; c < kTransColumns; ++c)
            if (!table.Cell(r, c).isEmpty())
                columns = c + 1;
    QString out;
    QStringList header;
    for (int c = 0; c < columns; ++c)
        header << columnName(c);
    out += header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    int skipped = 0;
    for (int r = 0; r < table.RowCount(); ++r) {
        if (table.Cell(r, 0).isEmpty()) {
            ++skipped; // a row without a German text is never found
            continue;
        }
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << escape(table.Cell(r, c));
        while (cells.size() > 1 && cells.back().isEmpty())
            cells.removeLast();
        out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    if (skipped)
        fail(QStringLiteral("note: %1 rows without a German text left out").arg(skipped));
    const QByteArray bytes = out.toUtf8();
    if (output.isEmpty()) {
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    QString error;
    if (!WriteFileAtomically(output, bytes, &error)) {
        fail(QStringLiteral("cannot write %1: %2").arg(output, error));
        return 1;
    }
    return 0;
}

int seed(const QString &built, const QString &target, const QString &record)
{
    QByteArray shipped;
    if (!readFile(built, shipped)) {
        fail(QStringLiteral("cannot read %1").arg(built));
        return 1;
    }
    QByteArray present, last;
    const bool hasTarget = QFileInfo::exists(target);
    if (hasTarget && !readFile(target, present)) {
        fail(QStringLiteral("cannot read %1; left as it is").arg(target));
        return 0;
    }
    const bool hasRecord = readFile(record, last);
    if (hasTarget && present == shipped) {
        if (!hasRecord || last != shipped)
            WriteFileAtomically(record, shipped);
        return 0;
    }
    if (hasTarget && !(hasRecord && present == last)) {
        std::fprintf(stdout, "tsv2dat: %s has its own changes and is kept; remove it to get the shipped table\n",
                     target.toLocal8Bit().constData());
        return 0;
    }
    QString error;
    if (!WriteFileAtomically(target, shipped, &error)) {
        fail(QStringLiteral("cannot write %1: %2").arg(target, error));
        return 1;
    }
    WriteFileAtomically(record, shipped);
    return 0;
}

int usage()
{
    std::fputs("usage: tsv2dat SOURCE.tsv OUTPUT.dat\n"
               "       tsv2dat --dump TABLE.dat [OUTPUT.tsv]\n"
               "       tsv2dat --seed BUILT.dat TARGET.dat RECORD.dat\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 2 && args.at(0) == QLatin1String("--dump") && args.size() <= 3)
        return dump(args.at(1), args.value(2));
    if (args.size() == 4 && args.at(0) == QLatin1String("--seed"))
        return seed(args.at(1), args.at(2), args.at(3));
    if (args.size() == 2 && !args.at(0).startsWith(QLatin1String("--")))
        return convert(args.at(0), args.at(1));
    return usage();
}
