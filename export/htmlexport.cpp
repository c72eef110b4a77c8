#include "export/htmlexport.h"

#include "catalogue/brastel.h"
#include "catalogue/catalogue.h"
#include "catalogue/document.h"
#include "catalogue/officialwording.h"
#include "catalogue/translation.h"
#include "catalogue/cardview.h"
#include "catalogue/translationtexts.h"
#include "export/qrcode.h"
#include "i18n/translateunit.h"
#include "layout/cardlayout.h"
#include "layout/cardmarks.h"
#include "layout/cardsource.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <memory>

QString HtmlLanguageTag(int32_t language)
{
    static const char *const tags[] = {"de", "en", "fr", "nl", "sv"};
    if (language >= 0 && language < 5)
        return QLatin1String(tags[language]);
    return QStringLiteral("und");
}

QString HtmlEscape(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            const char32_t cp = QChar::surrogateToUcs4(c, text.at(i + 1));
            if ((cp & 0xFFFE) != 0xFFFE) { // U+1FFFE, U+1FFFF, ... are non-characters
                out += c;
                out += text.at(i + 1);
            }
            ++i;
            continue;
        }
        if (c.isSurrogate()) {
            out += QChar(0xFFFD);
            continue;
        }
        switch (u) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '\'': out += QLatin1String("&#39;"); break;
        case '\r':
        case '\n':
        case '\t': out += QLatin1Char(' '); break;
        default:
            // Control characters and non-characters are not allowed in HTML.
            if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0xFFFE || u == 0xFFFF || (u >= 0xFDD0 && u <= 0xFDEF))
                break;
            out += c;
        }
    }
    return out;
}

namespace {

// A font face inside a CSS string: quotation marks, backslashes, angle
// brackets, control characters and non-characters are left out.
QString cssFace(const QString &face)
{
    QString f;
    for (QChar c : face) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && !(u >= 0x7F && u < 0xA0) && u != 0xFFFE && u != 0xFFFF && !(u >= 0xFDD0 && u <= 0xFDEF)
            && c != QLatin1Char('"') && c != QLatin1Char('\\') && c != QLatin1Char('<') && c != QLatin1Char('>')
            && !c.isSurrogate())
            f += c;
    }
    return f;
}

// The card's logo as PNG bytes for the page's header; empty without one.
QByteArray logoPng(const CardSource &card)
{
    if (!card.logo || card.logo->isNull() || card.settings.LogoEd.isEmpty())
        return QByteArray();
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    if (!card.logo->save(&buf, "PNG"))
        return QByteArray();
    return png;
}

// The face and style of a card font as CSS declarations.
QString fontCss(const FontSetting &f)
{
    QString css;
    const QString face = cssFace(f.face);
    const QString generic = f.pitch == FontSetting::FixedPitch ? QStringLiteral("monospace") : QStringLiteral("serif");
    css += QStringLiteral("font-family:");
    if (!face.isEmpty())
        css += QLatin1Char('"') + face + QStringLiteral("\",");
    css += generic + QLatin1Char(';');
    css += (f.style & FontSetting::Bold) ? QStringLiteral("font-weight:bold;") : QStringLiteral("font-weight:normal;");
    css += (f.style & FontSetting::Italic) ? QStringLiteral("font-style:italic;") : QStringLiteral("font-style:normal;");
    return css;
}

// Lines of a description joined by <br>, each escaped.
QString htmlLines(const QString &text)
{
    QStringList lines = SplitDescriptionLines(text);
    for (QString &l : lines)
        l = HtmlEscape(l);
    return lines.join(QStringLiteral("<br>"));
}

// Text of the translation table's column `column` (a language number) for
// a German text; the German text where the column has none.
QString tableText(const QString &german, int32_t column)
{
    TranslationTable &table = Translations();
    const int32_t was = table.language;
    table.language = column;
    const QString text = table.TranslateStr(german);
    table.language = was;
    return text;
}

// The column of the translation table that holds a language, by its primary
// subtag; -1 for a language the table has no column for.
int32_t tableColumn(const QString &tag)
{
    const QString primary = tag.section(QLatin1Char('-'), 0, 0).toLower();
    for (int32_t c = 0; c < 5; ++c)
        if (HtmlLanguageTag(c) == primary)
            return c;
    return -1;
}

// Already escaped HTML of a German text on the second-language page: marked
// as German for browsers, screen readers and translating tools.
QString markedGerman(const QString &html)
{
    return html.isEmpty() ? html : QStringLiteral("<span lang=\"de\">") + html + QStringLiteral("</span>");
}

// The language of the page being built: the one page of a menu without
// translations (its texts as they always were), or one page of a bilingual
// menu.
struct PageLanguage {
    bool pair = false;   // a page of a bilingual menu
    bool second = false; // the page in the second language
    QString tag;         // the second language's tag on its page
    int32_t column = -1; // the translation table's column of the page's own words (pair pages)

    // A guest's text: German, or on the second page its translation; German
    // (marked) where there is none.
    QString text(const QString &german, const QString &translation) const
    {
        if (!second)
            return HtmlEscape(german);
        return IsTranslated(translation) ? HtmlEscape(translation) : markedGerman(HtmlEscape(german));
    }
    // The same for a description: its lines joined by <br>.
    QString lines(const QString &german, const QString &translation) const
    {
        if (!second)
            return htmlLines(german);
        return IsTranslated(translation) ? htmlLines(translation) : markedGerman(htmlLines(german));
    }
    // One of the page's own words, given in German, as plain text: in the
    // page's language where the translation table has it. *german tells
    // whether it stayed German.
    QString word(const QString &germanWord, bool *german = nullptr) const
    {
        const QString t = column >= 0 ? tableText(germanWord, column) : germanWord;
        if (german)
            *german = column != 0 && (column < 0 || t == germanWord);
        return t;
    }
    // The same as HTML of the page's body.
    QString wordHtml(const QString &germanWord) const
    {
        bool german = false;
        const QString t = HtmlEscape(word(germanWord, &german));
        return second && german ? markedGerman(t) : t;
    }
};

// The name cell of a product: name and marks.
QString nameHtml(const QString &pname, const QString &productMarks, const QString &shown)
{
    QString h = pname.isEmpty() ? QStringLiteral("&nbsp;") : shown;
    if (!productMarks.isEmpty())
        h += QStringLiteral("<sup class=\"marken\">") + HtmlEscape(productMarks) + QStringLiteral("</sup>");
    return h;
}

// A category with sizes: a table whose column headings are the sizes.
QString sizeTable(const Catalogue &cat, int i, const TDynaArray *prods, const QStringList &headings,
                  CardNumbering &numbering, const CardMarks &marks, const CardSettings &s,
                  const QString &onRequest, const PageLanguage &pl)
{
    const int columns = 1 + int(headings.size());
    const QStringList headingTranslations = cat.sizeHeadingTranslations(i);
    QString h = QStringLiteral("<table class=\"groessen\">\n<thead><tr><td></td>");
    for (int k = 0; k < headings.size(); ++k)
        h += QStringLiteral("<th scope=\"col\">") + pl.text(headings.at(k), headingTranslations.value(k))
             + QStringLiteral("</th>");
    h += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (uint32_t j = 0; j < prods->count; ++j) {
        const auto &p = *static_cast<const TProductRec *>(prods->At(j));
        const QString description = WideText(p.description);
        const ProductTranslation &tr = cat.translation(i, int(j));
        if (p.price < 0) {
            h += QStringLiteral("<tr class=\"frei\"><td colspan=\"%1\">").arg(columns);
            if (!description.isEmpty())
                h += QStringLiteral("<p>") + pl.lines(description, tr.description) + QStringLiteral("</p>");
            h += QStringLiteral("</td></tr>\n");
            continue;
        }
        const QString label = numbering.LabelFor(p).trimmed();
        const QString quantity = WideText(p.quantity);
        h += QStringLiteral("<tr><th scope=\"row\"><div class=\"zeile\">");
        if (!label.isEmpty())
            h += QStringLiteral("<span class=\"nr\">") + HtmlEscape(label) + QStringLiteral("</span>");
        const QString pname = WideText(p.name);
        h += QStringLiteral("<span class=\"name\">")
             + nameHtml(pname, marks.active() ? marks.productMarks(i, int(j)) : QString(), pl.text(pname, tr.name))
             + QStringLiteral("</span>");
        if (!quantity.isEmpty())
            h += QStringLiteral("<span class=\"menge\">") + pl.text(quantity, tr.quantity) + QStringLiteral("</span>");
        h += QStringLiteral("</div>");
        if (!description.isEmpty())
            h += QStringLiteral("<p class=\"beschr\">") + pl.lines(description, tr.description) + QStringLiteral("</p>");
        h += QStringLiteral("</th>");
        if (PrintsSizeColumns(cat, i, int(j))) {
            for (const QString &price : SizePriceTexts(cat, i, int(j), s))
                h += QStringLiteral("<td class=\"preis\">") + HtmlEscape(price) + QStringLiteral("</td>");
        } else {
            h += QStringLiteral("<td class=\"preis\" colspan=\"%1\">").arg(columns - 1) + onRequest
                 + QStringLiteral("</td>");
        }
        h += QStringLiteral("</tr>\n");
    }
    h += QStringLiteral("</tbody>\n</table>\n");
    return h;
}

} // namespace

namespace {

// The start of the page up to the end of the fixed style rules.
QString pageHead(const QString &title, const QString &lang, const QString &alternate = QString())
{
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"") + HtmlEscape(lang) + QStringLiteral("\">\n<head>\n");
    h += QStringLiteral("<meta charset=\"utf-8\">\n"
                        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
    h += QStringLiteral("<title>") + HtmlEscape(title) + QStringLiteral("</title>\n");
    h += alternate;
    // Colours: dark text on a light page, every pair above 7:1.
    h += QStringLiteral(
        "<style>\n"
        "html{background:#efe9dc;color:#1f1b16}\n"
        "body{box-sizing:border-box;max-width:46rem;margin:0 auto;padding:1rem 1rem 2rem;"
        "background:#fffdf7;line-height:1.4;font-size:1.0625rem;overflow-wrap:anywhere}\n"
        "h1{font-size:2rem;margin:.5rem 0 1.25rem;line-height:1.2}\n"
        "h2{font-size:1.35rem;margin:1.75rem 0 .75rem;padding-bottom:.2rem;"
        "border-bottom:1px solid #7d6f5c;line-height:1.25}\n"
        ".kopf,.fuss{font-size:.875rem;text-align:center;color:#4a4136;margin:.25rem 0}\n"
        ".fuss{margin-top:2rem;padding-top:.5rem;border-top:1px solid #7d6f5c}\n"
        "ul{list-style:none;margin:0;padding:0}\n"
        "li{margin:0 0 .85rem}\n"
        ".zeile{display:flex;flex-wrap:wrap;align-items:baseline;gap:.35rem}\n"
        ".nr{flex:none;min-width:2.2em}\n"
        ".name{flex:1 1 8em;display:flex;align-items:baseline;min-width:0}\n"
        ".name::after{content:\"\";flex:1 0 1rem;margin:0 .15rem;border-bottom:2px dotted #6b6156}\n"
        ".ohne-punkte .name::after{border-bottom:0}\n"
        ".menge{flex:none;color:#4a4136;white-space:nowrap}\n"
        ".preis{flex:none;white-space:nowrap;min-width:4.2em;text-align:right;margin-left:auto}\n"
        ".beschr{margin:.15rem 0 0 2.55em}\n"
        ".frei p{margin:0}\n"
        ".mitte{text-align:center}\n"
        ".marken{font-size:.7em;font-weight:normal;margin-left:.15em}\n"
        ".legende{font-size:.875rem;color:#4a4136;margin-top:1.5rem}\n"

        "@media print{html,body{background:#fff}body{max-width:none;padding:0}"
        "li{break-inside:avoid}h2{break-after:avoid}}\n");
    return h;
}

// The rules of the tables of categories with sizes.
QString sizeTableCss()
{
    return QStringLiteral(
        ".groessen{width:100%;border-collapse:collapse}\n"
        ".groessen th,.groessen td{padding:0 0 .85rem .6rem;vertical-align:baseline}\n"
        ".groessen thead th{padding-bottom:.3rem;text-align:right;font-weight:normal;white-space:nowrap;color:#4a4136}\n"
        ".groessen tbody th{padding-left:0;text-align:left;font-weight:normal;width:100%}\n"
        ".groessen .preis{text-align:right;white-space:nowrap;min-width:0}\n"
);
}

// The rule of a card's date line; only pages with one carry it.
QString dateCss(const CardSettings &s)
{
    return s.DatumBox != CardSettings::DateLine::None ? QStringLiteral(".datum{margin:-.75rem 0 1.25rem}\n") : QString();
}

// How the content of one card is marked up: the page's only card, or one
// card section of a page that carries several.
struct CardMarkup {
    QString heading;      // the card's heading as HTML; a page of several cards always has one
    QString headingTag;   // h1, or h2 in a card section
    QString categoryTag;  // h2 (h1 on a page without heading), or h3 in a card section
    QString idPrefix;     // of the categories' ids: "k", or "kN-" in card N
    QString headingId;    // the heading's id in a card section
    bool ownMain = true;  // the categories in a main element of their own
};

// The content of one card: header, categories, legend, footer.
// The date line on the second-language page: the date as that language
// writes it, German (marked) for a language Qt knows nothing of.
QString secondDateHtml(const CardSettings &s, const QDate &today, const QString &tag)
{
    const QDate d = s.printedDate(today);
    if (!d.isValid())
        return QString();
    const QLocale locale(tag);
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return markedGerman(HtmlEscape(DateLineText(s, today)));
    return HtmlEscape(locale.toString(d, QLocale::LongFormat));
}

// The legend of the marks used on the second-language page: each additive
// in the document's translation or its shipped wording, each allergen in its
// official wording, the labels from the translation table; whatever has no
// wording in the language stays German, marked.
QString secondLegendHtml(const UsedMarks &used, const MarkSettings &ms, const PageLanguage &pl)
{
    // French sets a no-break space before its colon.
    const QString colon = pl.tag.section(QLatin1Char('-'), 0, 0).compare(QLatin1String("fr"), Qt::CaseInsensitive) == 0
                              ? QStringLiteral("\u00A0: ")
                              : QStringLiteral(": ");
    QStringList parts;
    if (!used.additives.isEmpty()) {
        QStringList items;
        for (int n : used.additives) {
            QString item = QString::number(n);
            const QString german = n >= 1 && n <= ms.additives.size() ? ms.additives.at(n - 1) : QString();
            if (!german.isEmpty()) {
                item += QChar(0x00A0) + pl.text(german, AdditiveWording(ms, n - 1, pl.tag));
            }
            items << item;
        }
        parts << pl.wordHtml(QStringLiteral("Zusatzstoffe")) + colon + items.join(QStringLiteral(", "));
    }
    if (used.allergens) {
        QStringList items;
        for (int i = 0; i < kAllergenCount; ++i) {
            if ((used.allergens >> i) & 1u)
                items << QString(AllergenLetter(i)) + QChar(0x00A0)
                             + pl.text(AllergenName(i), OfficialAllergenName(i, pl.tag));
        }
        parts << pl.wordHtml(QStringLiteral("Allergene")) + colon + items.join(QStringLiteral(", "));
    }
    return parts.join(QStringLiteral(" \u00B7 "));
}

// The marks used by the products of the card's first `cats` categories, as
// CardMarks gathers them.
UsedMarks usedMarks(const Catalogue &cat, int cats)
{
    UsedMarks used;
    for (int i = 0; i < cats; ++i) {
        const TDynaArray *prods = *static_cast<TDynaArray *const *>(cat.kats->At(uint32_t(i)));
        for (uint32_t j = 0; prods && j < prods->count; ++j)
            if (static_cast<const TProductRec *>(prods->At(j))->price >= 0)
                used.add(cat.marks(i, int(j)));
    }
    return used;
}

QString cardContent(const CardSource &card, const CardMarkup &m, const PageLanguage &pl)
{
    const CardSettings &s = card.settings;
    const QString onRequest =
        pl.pair ? pl.wordHtml(QString::fromUtf16(msgtable[9])) : HtmlEscape(OnRequestText());
    QString h;
    // The date line of a dated card (a lunch sheet), under its heading.
    const QDate today = card.today.isValid() ? card.today : QDate::currentDate();
    const QString date =
        pl.second ? secondDateHtml(s, today, pl.tag) : HtmlEscape(DateLineText(s, today));
    // Empty elements are left out altogether.
    const QByteArray logo = logoPng(card);
    if (!s.KopfEd.isEmpty() || !m.heading.isEmpty() || !date.isEmpty() || !logo.isEmpty()) {
        h += QStringLiteral("<header>\n");
        if (!s.KopfEd.isEmpty())
            h += QStringLiteral("<p class=\"kopf\">") + pl.text(s.KopfEd, s.translation.header) + QStringLiteral("</p>\n");
        // The logo above the heading, as wide as on the card (at most the
        // page's width), centred or at the left; the page stays one file.
        if (!logo.isEmpty())
            h += QStringLiteral("<p class=\"logo\" style=\"text-align:%1\"><img src=\"data:image/png;base64,%2\" "
                                "alt=\"\" style=\"width:%3mm;max-width:100%;height:auto\"></p>\n")
                     .arg(s.LogoLinksCheck ? QStringLiteral("left") : QStringLiteral("center"),
                          QString::fromLatin1(logo.toBase64()), QString::number(s.LogoBreiteEd, 'f', 1));
        if (!m.heading.isEmpty()) {
            h += QLatin1Char('<') + m.headingTag;
            if (!m.headingId.isEmpty())
                h += QStringLiteral(" id=\"") + m.headingId + QLatin1Char('"');
            h += (s.ZentrCheck ? QStringLiteral(" class=\"mitte\">") : QStringLiteral(">")) + m.heading
                 + QStringLiteral("</") + m.headingTag + QStringLiteral(">\n");
        }
        if (!date.isEmpty())
            h += (s.ZentrCheck ? QStringLiteral("<p class=\"datum mitte\">") : QStringLiteral("<p class=\"datum\">"))
                 + date + QStringLiteral("</p>\n");
        h += QStringLiteral("</header>\n");
    }
    if (m.ownMain && !card.categoryNames.isEmpty())
        h += QStringLiteral("<main>\n");

    const QString hTag = m.categoryTag;
    const Catalogue *cat = card.catalogue;
    const int cats = cat ? std::min<int>(card.categoryNames.size(), cat->categoryCount()) : 0;
    CardNumbering numbering(card);
    const CardMarks marks(cat, cats, s);
    for (int i = 0; i < card.categoryNames.size(); ++i) {
        const QString name = CategoryCaption(card.categoryNames.at(i), s);
        const QString nameTranslation = pl.second && i < cats ? CategoryCaption(cat->categoryTranslation(i), s) : QString();
        const TDynaArray *prods = i < cats ? *static_cast<TDynaArray *const *>(cat->kats->At(uint32_t(i))) : nullptr;
        const bool hasProducts = prods && prods->count > 0;
        if (name.isEmpty() && !hasProducts)
            continue;
        if (name.isEmpty()) {
            h += QStringLiteral("<section>\n");
        } else {
            const QString id = m.idPrefix + QString::number(i + 1);
            h += QStringLiteral("<section aria-labelledby=\"") + id + QStringLiteral("\">\n<") + hTag
                 + QStringLiteral(" id=\"") + id + QLatin1Char('"')
                 + (s.CenterKatCheck ? QStringLiteral(" class=\"mitte\">") : QStringLiteral(">")) + pl.text(name, nameTranslation)
                 + QStringLiteral("</") + hTag + QStringLiteral(">\n");
        }
        const QStringList headings = i < cats ? SizeHeadings(*cat, i) : QStringList();
        if (hasProducts && !headings.isEmpty()) {
            h += sizeTable(*cat, i, prods, headings, numbering, marks, s, onRequest, pl);
        } else if (hasProducts) {
            h += QStringLiteral("<ul>\n");
            for (uint32_t j = 0; j < prods->count; ++j) {
                const auto &p = *static_cast<const TProductRec *>(prods->At(j));
                const QString description = WideText(p.description);
                const ProductTranslation &tr = cat->translation(i, int(j));
                if (p.price < 0) {
                    h += QStringLiteral("<li class=\"frei\">");
                    if (!description.isEmpty())
                        h += QStringLiteral("<p>") + pl.lines(description, tr.description) + QStringLiteral("</p>");
                    h += QStringLiteral("</li>\n");
                    continue;
                }
                // Number, name, quantity and price in one row, in the order a
                // screen reader reads them.
                const QString label = numbering.LabelFor(p).trimmed();
                const QString pname = WideText(p.name);
                const QString quantity = WideText(p.quantity);
                h += QStringLiteral("<li><div class=\"zeile\">");
                if (!label.isEmpty())
                    h += QStringLiteral("<span class=\"nr\">") + HtmlEscape(label) + QStringLiteral("</span>");
                const QString productMarks = marks.active() ? marks.productMarks(i, int(j)) : QString();
                h += QStringLiteral("<span class=\"name\">")
                     + (pname.isEmpty() ? QStringLiteral("&nbsp;") : pl.text(pname, tr.name));
                if (!productMarks.isEmpty())
                    h += QStringLiteral("<sup class=\"marken\">") + HtmlEscape(productMarks) + QStringLiteral("</sup>");
                h += QStringLiteral("</span>");
                if (!quantity.isEmpty())
                    h += QStringLiteral("<span class=\"menge\">") + pl.text(quantity, tr.quantity) + QStringLiteral("</span>");
                const QString price = p.price == 0 ? onRequest : HtmlEscape(PriceText(p.price, s));
                h += QStringLiteral("<span class=\"preis\">") + price + QStringLiteral("</span></div>");
                if (!description.isEmpty())
                    h += QStringLiteral("<p class=\"beschr\">") + pl.lines(description, tr.description) + QStringLiteral("</p>");
                h += QStringLiteral("</li>\n");
            }
            h += QStringLiteral("</ul>\n");
        }
        h += QStringLiteral("</section>\n");
    }
    if (m.ownMain && !card.categoryNames.isEmpty())
        h += QStringLiteral("</main>\n");
    // The legend of the marks used, wherever the card prints it.
    if (marks.active() && !marks.legend().isEmpty())
        h += QStringLiteral("<p class=\"legende\">")
             + (pl.second ? secondLegendHtml(usedMarks(*cat, cats), s.marks, pl) : HtmlEscape(marks.legend()))
             + QStringLiteral("</p>\n");
    if (!s.FussEd.isEmpty())
        h += QStringLiteral("<footer>\n<p class=\"fuss\">") + pl.text(s.FussEd, s.translation.footer)
             + QStringLiteral("</p>\n</footer>\n");
    return h;
}

QString pageTitle(const CardSettings &s, const PageLanguage &pl)
{
    if (s.CaptionEd.isEmpty())
        return pl.pair ? pl.word(QStringLiteral("Speisekarte")) : TranslateStr(QStringLiteral("Speisekarte"));
    return pl.second && IsTranslated(s.translation.heading) ? s.translation.heading : s.CaptionEd;
}

// The link of a page of a bilingual menu to the other page: its file name
// (relative: the pages lie side by side), language tag and the language's
// own name. Empty on the one page of a menu without translations.
struct PageSwitch {
    QString href, tag, name;

    // The other page named as the alternate in the head.
    QString head() const
    {
        return href.isEmpty() ? QString()
                              : QStringLiteral("<link rel=\"alternate\" hreflang=\"") + HtmlEscape(tag)
                                    + QStringLiteral("\" href=\"") + href + QStringLiteral("\">\n");
    }
    QString css() const
    {
        return href.isEmpty() ? QString()
                              : QStringLiteral(".sprache{text-align:right;margin:0 0 .5rem;font-size:.875rem}\n"
                                               ".sprache a{color:#1f1b16}\n"
                                               "@media print{.sprache{display:none}}\n");
    }
    // The switch at the top of the body: the other language by its own name.
    QString body() const
    {
        return href.isEmpty() ? QString()
                              : QStringLiteral("<nav class=\"sprache\"><a href=\"") + href
                                    + QStringLiteral("\" hreflang=\"") + HtmlEscape(tag) + QStringLiteral("\" lang=\"")
                                    + HtmlEscape(tag) + QStringLiteral("\">") + HtmlEscape(name)
                                    + QStringLiteral("</a></nav>\n");
    }
};

QByteArray buildPage(const CardSource &card, const QString &lang, const PageLanguage &pl, const PageSwitch &sw)
{
    const CardSettings &s = card.settings;
    QString h = pageHead(pageTitle(s, pl), lang, sw.head());
    // Categories with sizes are tables; a card without them keeps its page.
    if (card.catalogue && card.catalogue->hasSizes())
        h += sizeTableCss();
    h += dateCss(s);
    h += QStringLiteral("body{") + fontCss(s.FontDialog(3)) + QStringLiteral("font-weight:normal;font-style:normal}\n");
    h += QStringLiteral("h1{") + fontCss(s.FontDialog(1)) + QStringLiteral("}\n");
    h += QStringLiteral("h2{") + fontCss(s.FontDialog(2)) + QStringLiteral("}\n");
    h += QStringLiteral(".nr,.name{") + fontCss(s.FontDialog(3)) + QStringLiteral("}\n");
    h += QStringLiteral(".beschr{") + fontCss(s.FontDialog(4)) + QStringLiteral("}\n");
    h += QStringLiteral(".preis,.menge{") + fontCss(s.FontDialog(5)) + QStringLiteral("}\n");
    h += QStringLiteral(".frei{") + fontCss(s.FontDialog(7)) + QStringLiteral("}\n");
    h += sw.css();
    h += QStringLiteral("</style>\n</head>\n");
    h += s.NoPointsCheck ? QStringLiteral("<body class=\"ohne-punkte\">\n") : QStringLiteral("<body>\n");
    h += sw.body();

    CardMarkup m;
    m.heading = s.CaptionEd.isEmpty() ? QString() : pl.text(s.CaptionEd, s.translation.heading);
    m.headingTag = QStringLiteral("h1");
    // Without a heading the categories are the top level.
    m.categoryTag = s.CaptionEd.isEmpty() ? QStringLiteral("h1") : QStringLiteral("h2");
    m.idPrefix = QStringLiteral("k");
    h += cardContent(card, m, pl);
    h += QStringLiteral("</body>\n</html>\n");
    return h.toUtf8();
}

QByteArray buildPage(const QVector<HtmlCard> &cards, const QString &lang, const PageLanguage &pl, const PageSwitch &sw)
{
    if (cards.size() == 1)
        return buildPage(cards.first().source, lang, pl, sw);
    if (cards.isEmpty())
        return QByteArray();

    QString h = pageHead(pageTitle(cards.first().source.settings, pl), lang, sw.head());
    bool sizes = false;
    QString date;
    for (const HtmlCard &c : cards) {
        sizes = sizes || (c.source.catalogue && c.source.catalogue->hasSizes());
        if (date.isEmpty())
            date = dateCss(c.source.settings);
    }
    if (sizes)
        h += sizeTableCss();
    h += date;
    // The cards' sections: a line between them, their categories one level
    // below the card's heading, the navigation line above them.
    h += QStringLiteral(
        "h3{font-size:1.2rem;margin:1.5rem 0 .6rem;padding-bottom:.2rem;border-bottom:1px solid #7d6f5c;line-height:1.25}\n"
        ".karten{text-align:center;margin:.25rem 0 1rem}\n"
        ".karten a{color:#1f1b16;margin:0 .35rem}\n"
        ".karte+.karte{margin-top:3rem;padding-top:1rem;border-top:3px double #7d6f5c}\n"
        "@media print{.karten{display:none}.karte+.karte{break-before:page;border-top:0}h3{break-after:avoid}}\n");
    const CardSettings &first = cards.first().source.settings;
    h += QStringLiteral("body{") + fontCss(first.FontDialog(3)) + QStringLiteral("font-weight:normal;font-style:normal}\n");
    // Each card with its own fonts.
    for (int n = 0; n < cards.size(); ++n) {
        const CardSettings &s = cards.at(n).source.settings;
        const QString k = QStringLiteral("#karte%1 ").arg(n + 1);
        h += k + QStringLiteral("h2{") + fontCss(s.FontDialog(1)) + QStringLiteral("}\n");
        h += k + QStringLiteral("h3{") + fontCss(s.FontDialog(2)) + QStringLiteral("}\n");
        h += k + QStringLiteral(".nr,") + k + QStringLiteral(".name{") + fontCss(s.FontDialog(3)) + QStringLiteral("}\n");
        h += k + QStringLiteral(".beschr{") + fontCss(s.FontDialog(4)) + QStringLiteral("}\n");
        h += k + QStringLiteral(".preis,") + k + QStringLiteral(".menge{") + fontCss(s.FontDialog(5)) + QStringLiteral("}\n");
        h += k + QStringLiteral(".frei{") + fontCss(s.FontDialog(7)) + QStringLiteral("}\n");
    }
    h += sw.css();
    h += QStringLiteral("</style>\n</head>\n<body>\n");
    h += sw.body();

    // The navigation line: a link to each card, in card order.
    h += QStringLiteral("<nav>\n<p class=\"karten\">");
    for (int n = 0; n < cards.size(); ++n) {
        if (n > 0)
            h += QStringLiteral(" · ");
        h += QStringLiteral("<a href=\"#karte%1\">").arg(n + 1) + pl.text(cards.at(n).name, QString())
             + QStringLiteral("</a>");
    }
    h += QStringLiteral("</p>\n</nav>\n<main>\n");
    for (int n = 0; n < cards.size(); ++n) {
        const CardSource &card = cards.at(n).source;
        CardMarkup m;
        // A card section always has a heading: the card's, else its name.
        m.heading = card.settings.CaptionEd.isEmpty() ? pl.text(cards.at(n).name, QString())
                                                      : pl.text(card.settings.CaptionEd, card.settings.translation.heading);
        m.headingTag = QStringLiteral("h2");
        m.categoryTag = QStringLiteral("h3");
        m.idPrefix = QStringLiteral("k%1-").arg(n + 1);
        m.headingId = QStringLiteral("karte%1-titel").arg(n + 1);
        m.ownMain = false;
        h += QStringLiteral("<section id=\"karte%1\" aria-labelledby=\"karte%1-titel\" class=\"karte%2\">\n")
                 .arg(n + 1)
                 .arg(card.settings.NoPointsCheck ? QStringLiteral(" ohne-punkte") : QString());
        h += cardContent(card, m, pl);
        h += QStringLiteral("</section>\n");
    }
    h += QStringLiteral("</main>\n</body>\n</html>\n");
    return h.toUtf8();
}

} // namespace

QByteArray BuildHtml(const CardSource &card, const QString &lang)
{
    return buildPage(card, lang, PageLanguage(), PageSwitch());
}

QByteArray BuildHtml(const QVector<HtmlCard> &cards, const QString &lang)
{
    return buildPage(cards, lang, PageLanguage(), PageSwitch());
}

QVector<HtmlCard> DocumentHtmlCards(const DocumentData &doc)
{
    QVector<HtmlCard> cards;
    for (int i = 0; i < doc.cards.count(); ++i) {
        HtmlCard c;
        c.name = doc.cards.at(i).name;
        c.source = SourceOfCard(doc.categoryNames, *doc.catalogue, i, doc.cards.settingsOf(i, doc.settings));
        AttachQrCode(c.source);
        cards << c;
    }
    return cards;
}

QByteArray BuildDocumentHtml(const DocumentData &doc, const QString &lang)
{
    return BuildHtml(DocumentHtmlCards(doc), lang);
}

bool WriteHtmlFile(const QString &path, const QByteArray &data, QString *error)
{
    return WriteFileAtomically(path, data, error);
}

bool IsBilingualWeb(const Catalogue &cat, const QVector<CardSettings> &cards)
{
    for (const CardSettings &s : cards) {
        if (s.ZweisprachigCheck || !s.translation.isEmpty())
            return true;
        for (const QString &t : s.marks.additiveTranslations)
            if (IsTranslated(t))
                return true;
    }
    return cat.hasTranslations();
}

QVector<CardSettings> DocumentCardSettings(const DocumentData &doc)
{
    QVector<CardSettings> settings;
    for (int i = 0; i < doc.cards.count(); ++i)
        settings << doc.cards.settingsOf(i, doc.settings);
    return settings;
}

QString SecondLanguageHtmlPath(const QString &path, const QString &tag)
{
    // Only the file name's own extension counts, never a dot of a folder.
    const int slash = int(std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))));
    const int dot = int(path.lastIndexOf(QLatin1Char('.')));
    if (dot > slash + 1)
        return path.left(dot) + QLatin1Char('.') + tag + path.mid(dot);
    return path + QLatin1Char('.') + tag;
}

QString LanguageOwnName(const SecondLanguage &language)
{
    static const char *const names[][2] = {
        {"de", "Deutsch"}, {"en", "English"},  {"fr", "Fran\u00e7ais"}, {"nl", "Nederlands"}, {"sv", "Svenska"},
        {"it", "Italiano"}, {"es", "Espa\u00f1ol"}, {"pl", "Polski"}, {"tr", "T\u00fcrk\u00e7e"}, {"da", "Dansk"},
    };
    if (language.name.isEmpty())
        for (const auto &n : names)
            if (language.tag.compare(QLatin1String(n[0]), Qt::CaseInsensitive) == 0)
                return QString::fromUtf8(n[1]);
    return language.name.isEmpty() ? language.tag : language.name;
}

QVector<HtmlFile> WebMenuFiles(const QVector<HtmlCard> &cards, const QString &path, const QString &lang,
                               const SecondLanguage *secondLanguage)
{
    if (!secondLanguage)
        return {{path, BuildHtml(cards, lang)}};
    const SecondLanguage &second = *secondLanguage;
    const QString secondPath = SecondLanguageHtmlPath(path, second.tag);
    // The pages lie side by side: each names the other by its file name.
    const auto href = [](const QString &p) {
        return HtmlEscape(QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(p).fileName())));
    };
    SecondLanguage german;
    german.tag = QStringLiteral("de");

    PageLanguage de;
    de.pair = true;
    de.column = 0;
    PageLanguage other;
    other.pair = true;
    other.second = true;
    other.tag = second.tag;
    other.column = tableColumn(second.tag);
    return {
        {path, buildPage(cards, QStringLiteral("de"), de, {href(secondPath), second.tag, LanguageOwnName(second)})},
        {secondPath, buildPage(cards, second.tag, other, {href(path), german.tag, LanguageOwnName(german)})},
    };
}

bool WriteHtmlFiles(const QVector<HtmlFile> &files, QString *failed, QString *error)
{
    // What the files held before, to put back when a later one fails.
    struct Before {
        bool existed;
        QByteArray data;
    };
    QVector<Before> before;
    for (int i = 0; i < files.size(); ++i) {
        const QString &p = files.at(i).path;
        QFile f(p);
        const bool existed = QFileInfo::exists(p);
        before.push_back({existed, existed && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray()});
    }
    // The last first: the first (the German page) is put in place last.
    for (int i = int(files.size()) - 1; i >= 0; --i) {
        if (WriteHtmlFile(files.at(i).path, files.at(i).data, error))
            continue;
        if (failed)
            *failed = files.at(i).path;
        for (int k = i + 1; k < files.size(); ++k) {
            if (before.at(k).existed)
                WriteHtmlFile(files.at(k).path, before.at(k).data, nullptr);
            else
                QFile::remove(files.at(k).path);
        }
        return false;
    }
    return true;
}

int MissingWebTranslations(const QVector<HtmlCard> &cards)
{
    QSet<QString> seen;
    for (const HtmlCard &c : cards) {
        const CardSource &s = c.source;
        if (!s.catalogue)
            continue;
        std::unique_ptr<CardView> whole;
        const CardView *view = s.view.get();
        if (!view) {
            whole = std::make_unique<CardView>(s.categoryNames, *s.catalogue, 0, false);
            view = whole.get();
        }
        for (const TranslatableText &t : TranslatableTextsOfCard(*view, s.settings))
            if (t.missing())
                seen.insert(QStringLiteral("%1|%2|%3|%4|%5")
                                .arg(int(t.place.kind))
                                .arg(t.place.category)
                                .arg(t.place.row)
                                .arg(t.place.index)
                                .arg(t.german));
    }
    return int(seen.size());
}
