#include "catalogue/sheetimport.h"

#include "catalogue/codepage.h"
#include "catalogue/markrecords.h"
#include "catalogue/usertext.h"

#include <QHash>
#include <QRegularExpression>

#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

QString normalTitle(const QString &s)
{
    QString t = s.trimmed();
    while (t.endsWith(QLatin1Char(':')))
        t.chop(1);
    return t.trimmed().toCaseFolded();
}

// Line breaks as the catalogue keeps them: CR LF.
QString crlf(const QString &s)
{
    if (!s.contains(QLatin1Char('\n')) && !s.contains(QLatin1Char('\r')))
        return s;
    QString t = s;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

bool samePrice(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::llround(a * 100) == std::llround(b * 100);
}

// The values of the products of the document, for the plan and the merge.
struct Entry {
    ProductValues values;
    ProductMarks marks;
    bool firstEmpty = false;
    QVector<double> further;
    uint64_t cards = 1;   // the cards it stands on (a new product: the first)
    bool offered = true;
    ProductTranslation translation; // into the document's second language
};

Entry entryOf(const Catalogue &cat, int c, int r)
{
    Entry e;
    e.values = Catalogue::values(const_cast<Catalogue &>(cat).product(c, r));
    e.marks = cat.marks(c, r);
    e.firstEmpty = cat.firstSizeEmpty(c, r);
    e.further = cat.furtherPrices(c, r);
    e.cards = cat.productCards(c, r);
    e.offered = cat.isOffered(c, r);
    e.translation = cat.translation(c, r);
    return e;
}

class RowReader {
public:
    RowReader(const SheetRow &row, const SheetColumns &columns) : row_(row), columns_(columns) {}

    bool has(int kind) const { return columns_.has(kind); }
    const SheetCell *cell(int kind) const
    {
        static const SheetCell empty;
        const int i = columns_.at[kind];
        return i >= 0 && i < row_.cells.size() ? &row_.cells.at(i) : &empty;
    }
    QString text(int kind) const { return cell(kind)->text; }
    bool isEmpty(int kind) const
    {
        const SheetCell *c = cell(kind);
        return !c->isNumber && !c->noValue && c->text.trimmed().isEmpty();
    }

    // A text field; false with a problem for control characters or one
    // that is too long.
    bool textField(int kind, int limit, bool lines, QString *out)
    {
        if (!formulaChecked(kind))
            return false;
        QString t = lines ? crlf(text(kind)) : text(kind).trimmed();
        if (lines) {
            // Blanks at the ends of a text the spreadsheet does not show.
            while (!t.isEmpty() && t.back().isSpace() && t.back() != QLatin1Char('\n'))
                t.chop(1);
        }
        for (int i = 0; i < t.size(); ++i) {
            const QChar ch = t.at(i);
            const bool lineBreak = lines && (ch == QLatin1Char('\n') || ch == QLatin1Char('\r'));
            if (ch.category() == QChar::Other_Control && !lineBreak)
                return problem(kind, UserText(QStringLiteral("Steuerzeichen im Text")));
        }
        if (t.size() > limit)
            return problem(kind, UserText(QStringLiteral("Text länger als %1 Zeichen")).arg(limit));
        *out = t;
        return true;
    }

    // A price: NaN for an empty cell.
    bool price(int kind, double *out)
    {
        if (!formulaChecked(kind))
            return false;
        const SheetCell *c = cell(kind);
        double v = kNaN;
        if (c->isNumber)
            v = c->number;
        else if (!c->text.trimmed().isEmpty() && !ParseSheetNumber(c->text, &v))
            return problem(kind, UserText(QStringLiteral("\"%1\" ist keine Zahl")).arg(shortText(c->text)));
        if (!std::isnan(v) && (!std::isfinite(v) || std::fabs(v) > kMaxImportPrice))
            return problem(kind, UserText(QStringLiteral("Preis außerhalb des Bereichs")));
        if (!std::isnan(v))
            v = std::round(v * 100) / 100; // the cent the program keeps
        *out = v;
        return true;
    }

    bool number(int32_t *out)
    {
        if (!formulaChecked(ColNumber))
            return false;
        const SheetCell *c = cell(ColNumber);
        double v = 0;
        if (c->isNumber)
            v = c->number;
        else if (!c->text.trimmed().isEmpty() && !ParseSheetNumber(c->text, &v))
            return problem(ColNumber, UserText(QStringLiteral("\"%1\" ist keine Zahl")).arg(shortText(c->text)));
        if (v != std::floor(v) || v < INT_MIN || v > INT_MAX)
            return problem(ColNumber, UserText(QStringLiteral("keine ganze Zahl")));
        *out = int32_t(v);
        return true;
    }

    bool allergens(ProductMarks *m)
    {
        QString t;
        if (!textField(ColAllergens, kMaxImportName, false, &t))
            return false;
        for (const QString &part : t.split(separators(), Qt::SkipEmptyParts)) {
            int found = -1;
            for (int i = 0; i < kAllergenCount; ++i)
                if (part.compare(QString(AllergenLetter(i)), Qt::CaseInsensitive) == 0)
                    found = i;
            if (found < 0)
                return problem(ColAllergens, UserText(QStringLiteral("unbekanntes Allergen \"%1\"")).arg(shortText(part)));
            m->setAllergen(found, true);
        }
        return true;
    }

    bool additives(ProductMarks *m)
    {
        QString t;
        const SheetCell *c = cell(ColAdditives);
        if (c->isNumber)
            t = c->text; // a single additive, stored by the spreadsheet as a number
        else if (!textField(ColAdditives, kMaxImportName, false, &t))
            return false;
        for (const QString &part : t.split(separators(), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int n = part.toInt(&ok);
            if (!ok || n < 1 || n > kMaxAdditives)
                return problem(ColAdditives, UserText(QStringLiteral("unbekannter Zusatzstoff \"%1\"")).arg(shortText(part)));
            m->setAdditive(n, true);
        }
        return true;
    }

    QVector<UnreadableRow> problems;

private:
    static QString shortText(const QString &s)
    {
        QString t = s.simplified();
        for (QChar &ch : t)
            if (ch.category() == QChar::Other_Control)
                ch = QChar(0xFFFD);
        return t.size() > 40 ? t.left(40) + QChar(0x2026) : t;
    }
    // Separators of a list of marks: commas, semicolons and blanks.
    static const QRegularExpression &separators()
    {
        static const QRegularExpression re(QStringLiteral("[,;\\s]+"));
        return re;
    }
    bool formulaChecked(int kind)
    {
        if (cell(kind)->noValue)
            return problem(kind, UserText(QStringLiteral("Formel ohne gespeicherten Wert")));
        return true;
    }
    bool problem(int kind, const QString &why)
    {
        UnreadableRow u;
        u.line = row_.line;
        u.column = kind;
        u.reason = why;
        problems << u;
        return false;
    }

    const SheetRow &row_;
    const SheetColumns &columns_;
};

constexpr int kPriceColumns[kMaxSizes] = {ColPrice, ColPrice2, ColPrice3, ColPrice4};
constexpr int kSizeColumns[kMaxSizes] = {ColSize1, ColSize2, ColSize3, ColSize4};
constexpr int kTranslationColumns[] = {ColNameTranslation, ColDescriptionTranslation, ColQuantityTranslation};

QString marksField(int column, const ProductMarks &m)
{
    return column == ColAllergens ? AllergenLetters(m) : AdditiveNumbers(m);
}

// "Bezeichnung (en)": the German column's title and the tag, or false.
bool splitTranslationTitle(const QString &title, QString *base, QString *tag)
{
    static const QRegularExpression re(QStringLiteral("^(.*\\S)\\s*\\(\\s*([^()]*?)\\s*\\)$"));
    QString t = title.trimmed();
    while (t.endsWith(QLatin1Char(':')))
        t = t.chopped(1).trimmed();
    const QRegularExpressionMatch m = re.match(t);
    if (!m.hasMatch() || !IsWellFormedLanguageTag(m.captured(2)))
        return false;
    *base = m.captured(1);
    *tag = m.captured(2);
    return true;
}

QString &translationOf(ProductTranslation &t, int kind)
{
    return kind == ColNameTranslation ? t.name : kind == ColDescriptionTranslation ? t.description : t.quantity;
}
const QString &translationOf(const ProductTranslation &t, int kind)
{
    return translationOf(const_cast<ProductTranslation &>(t), kind);
}

} // namespace

QString SheetColumnKey(int kind)
{
    switch (kind) {
    case ColCategory: return QStringLiteral("Kategorie");
    case ColName: return QStringLiteral("Bezeichnung");
    case ColDescription: return QStringLiteral("Beschreibung");
    case ColPrice: return QStringLiteral("Preis");
    case ColNumber: return QStringLiteral("Bestellnummer");
    case ColQuantity: return QStringLiteral("Menge");
    case ColAllergens: return QStringLiteral("Allergene");
    case ColAdditives: return QStringLiteral("Zusatzstoffe");
    case ColSize1: return QStringLiteral("Größe %1").arg(1);
    case ColSize2: case ColSize3: case ColSize4:
        return QStringLiteral("Größe %1").arg(2 + (kind - ColSize2) / 2);
    case ColPrice2: case ColPrice3: case ColPrice4:
        return QStringLiteral("Preis %1").arg(2 + (kind - ColPrice2) / 2);
    case ColNameTranslation: case ColDescriptionTranslation: case ColQuantityTranslation:
        return SheetColumnKey(TranslatedColumn(kind));
    default: return QString();
    }
}

bool IsTranslationColumn(int kind)
{
    return kind == ColNameTranslation || kind == ColDescriptionTranslation || kind == ColQuantityTranslation;
}

int TranslatedColumn(int kind)
{
    switch (kind) {
    case ColNameTranslation: return ColName;
    case ColDescriptionTranslation: return ColDescription;
    case ColQuantityTranslation: return ColQuantity;
    default: return -1;
    }
}

SheetColumns MatchSheetColumns(const SheetRow &header, const SheetTitles &titles, QStringList *unknown)
{
    QHash<QString, int> known;
    for (int k = 0; k < kSheetColumnKinds && k < titles.size(); ++k)
        if (!IsTranslationColumn(k)) // known by their German column's titles and a tag
            for (const QString &t : titles.at(k))
                if (!normalTitle(t).isEmpty() && !known.contains(normalTitle(t)))
                    known.insert(normalTitle(t), k);
    SheetColumns columns;
    for (int i = 0; i < header.cells.size(); ++i) {
        const QString title = normalTitle(header.cells.at(i).text);
        if (title.isEmpty())
            continue;
        auto it = known.constFind(title);
        QString base, tag;
        if (it == known.constEnd() && splitTranslationTitle(header.cells.at(i).text, &base, &tag)) {
            const auto b = known.constFind(normalTitle(base));
            const int kind = b == known.constEnd() ? -1
                             : *b == ColName      ? int(ColNameTranslation)
                             : *b == ColDescription ? int(ColDescriptionTranslation)
                             : *b == ColQuantity  ? int(ColQuantityTranslation)
                                                  : -1;
            // One language per sheet: the first tag counts.
            if (kind >= 0 && (columns.translationTag.isEmpty()
                              || columns.translationTag.compare(tag, Qt::CaseInsensitive) == 0)) {
                if (columns.translationTag.isEmpty())
                    columns.translationTag = tag;
                if (columns.at[kind] < 0)
                    columns.at[kind] = i;
                continue;
            }
        }
        if (it == known.constEnd()) {
            if (unknown)
                *unknown << header.cells.at(i).text.trimmed();
        } else if (columns.at[*it] < 0) {
            columns.at[*it] = i;
        }
    }
    return columns;
}

QString ImportPriceText(double price)
{
    return std::isnan(price) ? QStringLiteral("–") : FormatPrice2(price, UserDecimalPoint());
}

ImportPlan PlanSheetImport(const Sheet &sheet, const SheetColumns &sheetColumns, const QStringList &names,
                           const Catalogue &cat)
{
    ImportPlan plan;
    // Translations are taken in the document's second language only.
    SheetColumns columns = sheetColumns;
    bool anyTranslation = false;
    for (int k : kTranslationColumns)
        anyTranslation = anyTranslation || columns.has(k);
    if (anyTranslation && columns.translationTag.compare(cat.secondLanguage().tag, Qt::CaseInsensitive) == 0) {
        plan.translationTag = cat.secondLanguage().tag;
    } else if (anyTranslation) {
        for (int k : kTranslationColumns) {
            if (!columns.has(k))
                continue;
            if (!sheet.rows.isEmpty() && columns.at[k] < sheet.rows.first().cells.size())
                plan.otherLanguageColumns << sheet.rows.first().cells.at(columns.at[k]).text.trimmed();
            columns.at[k] = -1;
        }
    }
    const int cats = std::min(int(names.size()), cat.categoryCount());

    // The document's products by order number and by category and name.
    QHash<int32_t, QVector<QPair<int, int>>> byNumber;
    QHash<QString, QVector<QPair<int, int>>> byName;
    QVector<QVector<bool>> matched(cats);
    auto nameKey = [](const QString &category, const QString &name) { return category + QChar(0) + name; };
    QHash<QString, int> categoryIndex;
    for (int c = 0; c < cats; ++c) {
        if (!categoryIndex.contains(names.at(c).trimmed()))
            categoryIndex.insert(names.at(c).trimmed(), c);
        TDynaArray *prods = const_cast<Catalogue &>(cat).products(c);
        const int n = prods ? int(prods->count) : 0;
        matched[c].fill(false, n);
        for (int r = 0; r < n; ++r) {
            const TProductRec *p = static_cast<const TProductRec *>(prods->At(uint32_t(r)));
            if (p->number > 0)
                byNumber[p->number] << qMakePair(c, r);
            byName[nameKey(names.at(c).trimmed(), WideText(p->name).trimmed())] << qMakePair(c, r);
        }
    }
    // Sizes of the categories that new rows bring.
    QHash<QString, QStringList> newHeadings;

    for (int i = 1; i < sheet.rows.size(); ++i) {
        const SheetRow &sheetRow = sheet.rows.at(i);
        RowReader rd(sheetRow, columns);
        // A row of nothing but empty cells is no product.
        bool blank = true;
        for (const SheetCell &c : sheetRow.cells)
            blank = blank && !c.isNumber && !c.noValue && c.text.trimmed().isEmpty();
        if (blank)
            continue;

        PlannedRow pr;
        pr.line = sheetRow.line;
        ImportedProduct &in = pr.product;
        bool ok = rd.textField(ColCategory, kMaxImportName, false, &in.category);
        ok = rd.textField(ColName, kMaxImportName, false, &in.values.name) && ok;
        if (rd.has(ColDescription))
            ok = rd.textField(ColDescription, kMaxImportDescription, true, &in.values.description) && ok;
        if (rd.has(ColQuantity))
            ok = rd.textField(ColQuantity, kMaxImportName, false, &in.values.quantity) && ok;
        if (rd.has(ColNameTranslation))
            ok = rd.textField(ColNameTranslation, kMaxImportName, false, &in.translation.name) && ok;
        if (rd.has(ColDescriptionTranslation))
            ok = rd.textField(ColDescriptionTranslation, kMaxImportDescription, true, &in.translation.description) && ok;
        if (rd.has(ColQuantityTranslation))
            ok = rd.textField(ColQuantityTranslation, kMaxImportName, false, &in.translation.quantity) && ok;
        if (rd.has(ColNumber))
            ok = rd.number(&in.values.number) && ok;
        if (rd.has(ColAllergens))
            ok = rd.allergens(&in.marks) && ok;
        if (rd.has(ColAdditives))
            ok = rd.additives(&in.marks) && ok;
        double prices[kMaxSizes] = {kNaN, kNaN, kNaN, kNaN};
        for (int k = 0; k < kMaxSizes; ++k)
            if (rd.has(kPriceColumns[k]))
                ok = rd.price(kPriceColumns[k], &prices[k]) && ok;
        for (int k = 0; k < kMaxSizes; ++k) {
            QString h;
            if (rd.has(kSizeColumns[k]) && rd.textField(kSizeColumns[k], kMaxImportName, false, &h))
                in.headings << h;
            else
                in.headings << QString();
        }
        in.headings = Catalogue::keptSizeHeadings(in.headings);
        if (!ok) {
            plan.unreadable += rd.problems;
            continue;
        }

        // The product this row names.
        int mc = -1, mr = -1;
        auto take = [&](const QVector<QPair<int, int>> &candidates, bool preferName) {
            for (int pass = preferName ? 0 : 1; pass < 2 && mc < 0; ++pass)
                for (const auto &cr : candidates) {
                    if (matched[cr.first][cr.second])
                        continue;
                    if (pass == 0
                        && (names.at(cr.first).trimmed() != in.category
                            || WideText(const_cast<Catalogue &>(cat).product(cr.first, cr.second)->name).trimmed()
                                   != in.values.name))
                        continue;
                    mc = cr.first;
                    mr = cr.second;
                    break;
                }
        };
        if (in.values.number > 0)
            take(byNumber.value(in.values.number), true);
        if (mc < 0)
            take(byName.value(nameKey(in.category, in.values.name)), false);
        if (mc < 0 && in.values.name.isEmpty() && in.values.number <= 0) {
            UnreadableRow u{sheetRow.line, ColName, UserText(QStringLiteral("keine Bezeichnung"))};
            plan.unreadable << u;
            continue;
        }
        if (in.category.isEmpty()) {
            if (mc < 0) {
                UnreadableRow u{sheetRow.line, ColCategory, UserText(QStringLiteral("keine Kategorie"))};
                plan.unreadable << u;
                continue;
            }
            in.category = names.at(mc).trimmed();
        }

        // The sizes of the category the product goes to.
        const int target = categoryIndex.value(in.category, -1);
        int sizes;
        if (target >= 0) {
            sizes = int(cat.sizeHeadings(target).size());
        } else {
            if (!newHeadings.contains(in.category))
                newHeadings.insert(in.category, in.headings);
            sizes = int(newHeadings.value(in.category).size());
        }
        const Entry old = mc >= 0 ? entryOf(cat, mc, mr) : Entry();
        in.firstEmpty = std::isnan(prices[0]);
        if (!rd.has(ColPrice) || (in.firstEmpty && sizes == 0)) {
            UnreadableRow u{sheetRow.line, ColPrice, UserText(QStringLiteral("kein Preis"))};
            plan.unreadable << u;
            continue;
        }
        in.values.price = in.firstEmpty ? 0 : prices[0];
        if (in.values.price < 0 && ((mc >= 0 && old.values.price >= 0) || (mc < 0 && in.values.number > 0))) {
            UnreadableRow u{sheetRow.line, ColPrice, UserText(QStringLiteral("negativer Preis bei einem Produkt"))};
            plan.unreadable << u;
            continue;
        }
        for (int k = 1; k < std::max(sizes, 1); ++k) {
            double v = prices[k];
            if (!rd.has(kPriceColumns[k]))
                v = mc >= 0 && k - 1 < old.further.size() ? old.further.at(k - 1) : kNaN;
            in.further << (v > 0 ? v : kNaN);
        }
        if (in.values.price < 0) { // a free text is sold in no size
            in.firstEmpty = false;
            in.further.fill(kNaN);
        }

        if (mc < 0) {
            if (target < 0 && !plan.newCategories.contains(in.category))
                plan.newCategories << in.category;
            plan.added << pr;
            continue;
        }

        matched[mc][mr] = true;
        pr.category = mc;
        pr.row = mr;
        // What the sheet leaves out stays as it is.
        if (!rd.has(ColDescription))
            in.values.description = old.values.description;
        if (!rd.has(ColQuantity))
            in.values.quantity = old.values.quantity;
        if (!rd.has(ColNumber))
            in.values.number = old.values.number;
        if (!rd.has(ColAllergens))
            in.marks.allergens = old.marks.allergens;
        if (!rd.has(ColAdditives))
            in.marks.additives = old.marks.additives;
        for (int k : kTranslationColumns)
            if (!rd.has(k))
                translationOf(in.translation, k) = translationOf(old.translation, k);
        auto change = [&](int column, const QString &before, const QString &after) {
            if (before != after)
                pr.changes << FieldChange{column, before, after};
        };
        // Blanks at the ends of a text, which a sheet's cell does not keep
        // (or shows), change nothing: the document's text stays as it is.
        auto keepBlanks = [](const QString &before, QString &after) {
            if (before != after && before.trimmed() == after.trimmed())
                after = before;
        };
        keepBlanks(old.values.name, in.values.name);
        keepBlanks(old.values.description, in.values.description);
        keepBlanks(old.values.quantity, in.values.quantity);
        for (int k : kTranslationColumns) {
            QString &after = translationOf(in.translation, k);
            const QString &before = translationOf(old.translation, k);
            keepBlanks(before, after);
            // The CSV export writes Windows-1252, with "?" for a character
            // the code page lacks (Polish, Turkish): such a text read back
            // is the document's own.
            if (after != before && after == FromWindows1252(ToWindows1252(before)))
                after = before;
        }
        if (in.category == names.at(mc).trimmed())
            in.category = names.at(mc);
        change(ColCategory, names.at(mc), in.category);
        change(ColName, old.values.name, in.values.name);
        change(ColDescription, old.values.description, in.values.description);
        const bool oldSized = cat.hasSizes(mc);
        const double oldFirst = oldSized && old.firstEmpty ? kNaN : old.values.price;
        const double newFirst = in.firstEmpty ? kNaN : in.values.price;
        if (!samePrice(oldFirst, newFirst))
            pr.changes << FieldChange{ColPrice, ImportPriceText(oldFirst), ImportPriceText(newFirst)};
        change(ColNumber, QString::number(old.values.number), QString::number(in.values.number));
        change(ColQuantity, old.values.quantity, in.values.quantity);
        change(ColAllergens, marksField(ColAllergens, old.marks), marksField(ColAllergens, in.marks));
        change(ColAdditives, marksField(ColAdditives, old.marks), marksField(ColAdditives, in.marks));
        for (int k : kTranslationColumns)
            change(k, translationOf(old.translation, k), translationOf(in.translation, k));
        for (int k = 1; k < sizes; ++k) {
            const double before = k - 1 < old.further.size() ? old.further.at(k - 1) : kNaN;
            const double after = in.further.value(k - 1, kNaN);
            if (!samePrice(before, after))
                pr.changes << FieldChange{kPriceColumns[k], ImportPriceText(before), ImportPriceText(after)};
        }
        if (target < 0 && !plan.newCategories.contains(in.category))
            plan.newCategories << in.category;
        if (pr.changes.isEmpty())
            plan.unchanged << pr;
        else
            plan.changed << pr;
    }

    for (int c = 0; c < cats; ++c)
        for (int r = 0; r < matched[c].size(); ++r)
            if (!matched[c][r])
                plan.missing << MissingProduct{c, r, names.at(c),
                                               WideText(const_cast<Catalogue &>(cat).product(c, r)->name)};
    return plan;
}

void ApplySheetImport(const ImportPlan &plan, bool removeMissing, QStringList &names, Catalogue &cat)
{
    struct Category {
        QString name;
        QStringList headings;
        QString translation;               // of the name
        QStringList headingTranslations;   // of the size headings
        QVector<Entry> products;
        QVector<bool> removed;
    };
    QVector<Category> model;
    const int cats = std::min(int(names.size()), cat.categoryCount());
    for (int c = 0; c < cats; ++c) {
        Category k;
        k.name = names.at(c);
        k.headings = cat.sizeHeadings(c);
        k.translation = cat.categoryTranslation(c);
        k.headingTranslations = cat.sizeHeadingTranslations(c);
        TDynaArray *prods = cat.products(c);
        const int n = prods ? int(prods->count) : 0;
        for (int r = 0; r < n; ++r)
            k.products << entryOf(cat, c, r);
        k.removed.fill(false, n);
        model << k;
    }
    auto categoryOf = [&](const QString &name, const QStringList &headings) {
        for (int c = 0; c < model.size(); ++c)
            if (model.at(c).name.trimmed() == name.trimmed())
                return c;
        Category k;
        k.name = name;
        k.headings = headings;
        model << k;
        return int(model.size()) - 1;
    };
    auto entryFrom = [](const ImportedProduct &p) {
        Entry e;
        e.values = p.values;
        e.marks = p.marks;
        e.firstEmpty = p.firstEmpty;
        e.further = p.further;
        e.translation = p.translation;
        return e;
    };
    auto append = [&](int c, const Entry &e) {
        model[c].products << e;
        model[c].removed << false;
    };
    for (const PlannedRow &pr : plan.changed) {
        if (pr.category < 0 || pr.category >= cats || pr.row >= model.at(pr.category).products.size())
            continue;
        Entry e = entryFrom(pr.product);
        // A changed product keeps its cards and whether it is offered; its
        // translation is the sheet's (the document's where the sheet has
        // no translation column).
        e.cards = model.at(pr.category).products.at(pr.row).cards;
        e.offered = model.at(pr.category).products.at(pr.row).offered;
        if (pr.product.category == model.at(pr.category).name) {
            model[pr.category].products[pr.row] = e;
        } else {
            model[pr.category].removed[pr.row] = true;
            append(categoryOf(pr.product.category, pr.product.headings), e);
        }
    }
    if (removeMissing)
        for (const MissingProduct &m : plan.missing)
            if (m.category < cats && m.row < model.at(m.category).removed.size())
                model[m.category].removed[m.row] = true;
    for (const PlannedRow &pr : plan.added)
        append(categoryOf(pr.product.category, pr.product.headings), entryFrom(pr.product));

    // The catalogue anew from the model, in the same second language.
    const SecondLanguage language = cat.secondLanguage();
    cat.clear();
    cat.setSecondLanguage(language);
    names.clear();
    for (const Category &k : model) {
        if (!cat.addCategory())
            return;
        const int c = cat.categoryCount() - 1;
        names << k.name;
        cat.setSizeHeadings(c, k.headings);
        cat.setCategoryTranslation(c, k.translation);
        cat.setSizeHeadingTranslations(c, k.headingTranslations);
        int r = 0;
        for (int i = 0; i < k.products.size(); ++i) {
            if (k.removed.at(i))
                continue;
            const Entry &e = k.products.at(i);
            if (!cat.addProduct(c, e.values))
                return;
            cat.setMarks(c, r, e.marks);
            cat.setProductCards(c, r, e.cards);
            cat.setOffered(c, r, e.offered);
            cat.setTranslation(c, r, e.translation);
            if (!k.headings.isEmpty()) {
                QVector<double> further = e.further;
                further.resize(std::max(0, int(k.headings.size()) - 1), kNaN);
                cat.setStoredSizePrices(c, r, e.firstEmpty, further);
            }
            ++r;
        }
    }
}

QStringList SheetImportMessageTexts()
{
    QStringList texts;
    for (const char16_t *t :
         {u"Zeile %1 hat mehr als %2 Spalten.", u"Die Tabelle hat mehr als %1 Zeilen.", u"Steuerzeichen im Text",
          u"Text länger als %1 Zeichen", u"\"%1\" ist keine Zahl", u"Preis außerhalb des Bereichs", u"keine ganze Zahl",
          u"unbekanntes Allergen \"%1\"", u"unbekannter Zusatzstoff \"%1\"", u"Formel ohne gespeicherten Wert",
          u"keine Bezeichnung", u"keine Kategorie", u"kein Preis", u"negativer Preis bei einem Produkt"})
        texts << QString::fromUtf16(t);
    return texts;
}
