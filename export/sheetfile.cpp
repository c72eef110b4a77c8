#include "export/sheetfile.h"

#include "export/xlsxreader.h"
#include "i18n/translateunit.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The German key of a column's title in the translation table and the number
// it takes ("Größe %1").
QString titleKey(int kind, int *number)
{
    *number = 0;
    if (kind >= ColSize1 && kind <= ColPrice4) {
        const QString key = SheetColumnKey(kind);
        *number = key.section(QLatin1Char(' '), -1).toInt();
        return key.section(QLatin1Char(' '), 0, -2) + QStringLiteral(" %1");
    }
    return SheetColumnKey(kind);
}

} // namespace

QString ColumnTitle(int kind, const QString &tag)
{
    int n = 0;
    const QString key = titleKey(kind, &n);
    const QString title = n > 0 ? TranslateStr(key).arg(n) : TranslateStr(key);
    // "Bezeichnung (en)", as the CSV export titles it.
    return IsTranslationColumn(kind) && !tag.isEmpty() ? title + QStringLiteral(" (%1)").arg(tag) : title;
}

SheetTitles ImportColumnTitles()
{
    SheetTitles titles(kSheetColumnKinds);
    TranslationTable &table = Translations();
    for (int kind = 0; kind < kSheetColumnKinds; ++kind) {
        int n = 0;
        const QString key = titleKey(kind, &n);
        QStringList list{key};
        for (int r = 0; r < table.RowCount(); ++r) {
            if (table.Cell(r, 0).trimmed() != key)
                continue;
            for (int col = 0; col < kTransColumns; ++col) {
                const QString t = table.Cell(r, col).trimmed();
                if (!t.isEmpty())
                    list << t;
            }
        }
        for (QString &t : list)
            if (n > 0)
                t = t.arg(n);
        list.removeDuplicates();
        titles[kind] = list;
    }
    return titles;
}

QString ExpectedTitlesText()
{
    QStringList quoted;
    for (int kind = 0; kind <= ColAdditives; ++kind)
        quoted << QStringLiteral("\"%1\"").arg(ColumnTitle(kind));
    return quoted.join(QStringLiteral(", "));
}

bool ReadSheetData(const QByteArray &data, const QString &name, SheetFile *out, QString *error)
{
    SheetFile file;
    if (LooksLikeZip(data)) {
        if (!ReadXlsxSheet(data, &file.sheet, error))
            return false;
    } else if (name.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) {
        if (error)
            *error = TranslateStr(QStringLiteral("Die Datei ist keine Excel-Arbeitsmappe (keine Zip-Datei)."));
        return false;
    } else if (!ReadCsvSheet(data, &file.sheet, error)) {
        return false;
    }
    if (file.sheet.rows.isEmpty()) {
        if (error)
            *error = TranslateStr(QStringLiteral("Die Tabelle ist leer. Erwartet werden die Spalten %1.")).arg(ExpectedTitlesText());
        return false;
    }
    file.columns = MatchSheetColumns(file.sheet.rows.first(), ImportColumnTitles(), &file.unknownTitles);
    if (!file.columns.usable()) {
        if (error)
            *error = TranslateStr(QStringLiteral("Die Spaltenüberschriften der Tabelle sind nicht bekannt. Erwartet werden %1; "
                                                 "nötig sind \"%2\", \"%3\" und \"%4\"."))
                         .arg(ExpectedTitlesText(), ColumnTitle(ColCategory), ColumnTitle(ColName), ColumnTitle(ColPrice));
        *out = std::move(file);
        return false;
    }
    *out = std::move(file);
    return true;
}

bool ReadSheetFile(const QString &path, SheetFile *out, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (f.size() > kMaxSheetFile) {
        if (error)
            *error = TranslateStr(QStringLiteral("Die Datei ist größer als %1 MB.")).arg(kMaxSheetFile >> 20);
        return false;
    }
    const QByteArray data = f.read(kMaxSheetFile + 1);
    if (data.size() > kMaxSheetFile) {
        if (error)
            *error = TranslateStr(QStringLiteral("Die Datei ist größer als %1 MB.")).arg(kMaxSheetFile >> 20);
        return false;
    }
    return ReadSheetData(data, QFileInfo(path).fileName(), out, error);
}

QString ImportSummaryText(const ImportPlan &plan, bool removeMissing)
{
    QStringList parts;
    parts << TranslateStr(QStringLiteral("%1 neue Produkte")).arg(plan.added.size())
          << TranslateStr(QStringLiteral("%1 neue Kategorien")).arg(plan.newCategories.size())
          << TranslateStr(QStringLiteral("%1 geändert")).arg(plan.changed.size())
          << TranslateStr(QStringLiteral("%1 unverändert")).arg(plan.unchanged.size())
          << (removeMissing ? TranslateStr(QStringLiteral("%1 nicht in der Tabelle (entfernt)"))
                            : TranslateStr(QStringLiteral("%1 nicht in der Tabelle (behalten)")))
                 .arg(plan.missing.size())
          << TranslateStr(QStringLiteral("%1 Zeilen nicht lesbar")).arg(plan.unreadable.size());
    QString text = parts.join(QStringLiteral(", "));
    if (plan.changesNothing(removeMissing))
        text += QStringLiteral(". ") + TranslateStr(QStringLiteral("Der Import ändert nichts."));
    if (!plan.otherLanguageColumns.isEmpty())
        text += (text.endsWith(QLatin1Char('.')) ? QStringLiteral(" ") : QStringLiteral(". "))
                + TranslateStr(QStringLiteral("Nicht übernommen (nicht die zweite Sprache des Dokuments): %1."))
                      .arg(QStringLiteral("\"") + plan.otherLanguageColumns.join(QStringLiteral("\", \""))
                           + QStringLiteral("\""));
    return text;
}

QStringList UnreadableRowTexts(const ImportPlan &plan)
{
    QStringList lines;
    for (const UnreadableRow &u : plan.unreadable) {
        if (u.column >= 0)
            lines << TranslateStr(QStringLiteral("Zeile %1, Spalte \"%2\": %3"))
                         .arg(u.line)
                         .arg(ColumnTitle(u.column, plan.translationTag), u.reason);
        else
            lines << TranslateStr(QStringLiteral("Zeile %1: %2")).arg(u.line).arg(u.reason);
    }
    return lines;
}

QStringList SheetFileMessageTexts()
{
    QStringList texts = SheetImportMessageTexts();
    for (const char16_t *t : {
             // the Excel export
             u"Die Arbeitsmappe konnte nicht angelegt werden.",
             u"Zeile %1, Spalte \"%2\": der Text ist länger als eine Zelle fasst.",
             // the workbook reader
             u"Die Datei ist keine Excel-Arbeitsmappe (keine Zip-Datei).",
             u"Die Arbeitsmappe entpackt zu groß (mehr als %1 MB oder zu stark gepackt).",
             u"Die Datei ist keine Excel-Arbeitsmappe (es fehlt \"%1\").", u"Die Arbeitsmappe ist beschädigt (\"%1\").",
             u"Die Arbeitsmappe ist beschädigt (\"%1\", Zeile %2: %3).", u"Die Arbeitsmappe ist beschädigt (\"%1\", Zeile %2).",
             u"Die Datei ist keine Excel-Arbeitsmappe.",
             u"Excel-Tabellen kann diese Ausgabe von Velloran nicht lesen und schreiben; bitte CSV verwenden.",
             // this module
             u"Die Tabelle ist leer. Erwartet werden die Spalten %1.",
             u"Die Spaltenüberschriften der Tabelle sind nicht bekannt. Erwartet werden %1; nötig sind \"%2\", \"%3\" und \"%4\".",
             u"Die Datei ist größer als %1 MB.", u"%1 neue Produkte", u"%1 neue Kategorien", u"%1 geändert", u"%1 unverändert",
             u"%1 nicht in der Tabelle (entfernt)", u"%1 nicht in der Tabelle (behalten)", u"%1 Zeilen nicht lesbar",
             u"Der Import ändert nichts.", u"Nicht übernommen (nicht die zweite Sprache des Dokuments): %1.",
             u"Zeile %1, Spalte \"%2\": %3", u"Zeile %1: %2"})
        texts << QString::fromUtf16(t);
    return texts;
}
