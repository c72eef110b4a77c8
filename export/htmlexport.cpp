#include "export/htmlexport.h"

#include "catalogue/brastel.h"
#include "catalogue/catalogue.h"
#include "i18n/translateunit.h"
#include "layout/cardlayout.h"
#include "layout/cardmarks.h"

#include <QBuffer>

#include <algorithm>

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

// The name cell of a product: name and marks.
QString nameHtml(const QString &pname, const QString &productMarks)
{
    QString h = pname.isEmpty() ? QStringLiteral("&nbsp;") : HtmlEscape(pname);
    if (!productMarks.isEmpty())
        h += QStringLiteral("<sup class=\"marken\">") + HtmlEscape(productMarks) + QStringLiteral("</sup>");
    return h;
}

// A category with sizes: a table whose column headings are the sizes.
QString sizeTable(const Catalogue &cat, int i, const TDynaArray *prods, const QStringList &headings,
                  CardNumbering &numbering, const CardMarks &marks, const CardSettings &s,
                  const QString &onRequest)
{
    const int columns = 1 + int(headings.size());
    QString h = QStringLiteral("<table class=\"groessen\">\n<thead><tr><td></td>");
    for (const QString &head : headings)
        h += QStringLiteral("<th scope=\"col\">") + HtmlEscape(head) + QStringLiteral("</th>");
    h += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (uint32_t j = 0; j < prods->count; ++j) {
        const auto &p = *static_cast<const TProductRec *>(prods->At(j));
        const QString description = WideText(p.description);
        if (p.price < 0) {
            h += QStringLiteral("<tr class=\"frei\"><td colspan=\"%1\">").arg(columns);
            if (!description.isEmpty())
                h += QStringLiteral("<p>") + htmlLines(description) + QStringLiteral("</p>");
            h += QStringLiteral("</td></tr>\n");
            continue;
        }
        const QString label = numbering.LabelFor(p).trimmed();
        const QString quantity = WideText(p.quantity);
        h += QStringLiteral("<tr><th scope=\"row\"><div class=\"zeile\">");
        if (!label.isEmpty())
            h += QStringLiteral("<span class=\"nr\">") + HtmlEscape(label) + QStringLiteral("</span>");
        h += QStringLiteral("<span class=\"name\">")
             + nameHtml(WideText(p.name), marks.active() ? marks.productMarks(i, int(j)) : QString())
             + QStringLiteral("</span>");
        if (!quantity.isEmpty())
            h += QStringLiteral("<span class=\"menge\">") + HtmlEscape(quantity) + QStringLiteral("</span>");
        h += QStringLiteral("</div>");
        if (!description.isEmpty())
            h += QStringLiteral("<p class=\"beschr\">") + htmlLines(description) + QStringLiteral("</p>");
        h += QStringLiteral("</th>");
        if (PrintsSizeColumns(cat, i, int(j))) {
            for (const QString &price : SizePriceTexts(cat, i, int(j), s))
                h += QStringLiteral("<td class=\"preis\">") + HtmlEscape(price) + QStringLiteral("</td>");
        } else {
            h += QStringLiteral("<td class=\"preis\" colspan=\"%1\">").arg(columns - 1) + HtmlEscape(onRequest)
                 + QStringLiteral("</td>");
        }
        h += QStringLiteral("</tr>\n");
    }
    h += QStringLiteral("</tbody>\n</table>\n");
    return h;
}

} // namespace

QByteArray BuildHtml(const CardSource &card, const QString &lang)
{
    const CardSettings &s = card.settings;
    const QString title = s.CaptionEd.isEmpty() ? TranslateStr(QStringLiteral("Speisekarte")) : s.CaptionEd;
    const QString onRequest = OnRequestText();

    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"") + HtmlEscape(lang) + QStringLiteral("\">\n<head>\n");
    h += QStringLiteral("<meta charset=\"utf-8\">\n"
                        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
    h += QStringLiteral("<title>") + HtmlEscape(title) + QStringLiteral("</title>\n");
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
    // Categories with sizes are tables; a card without them keeps its page.
    if (card.catalogue && card.catalogue->hasSizes())
        h += QStringLiteral(
        ".groessen{width:100%;border-collapse:collapse}\n"
        ".groessen th,.groessen td{padding:0 0 .85rem .6rem;vertical-align:baseline}\n"
        ".groessen thead th{padding-bottom:.3rem;text-align:right;font-weight:normal;white-space:nowrap;color:#4a4136}\n"
        ".groessen tbody th{padding-left:0;text-align:left;font-weight:normal;width:100%}\n"
        ".groessen .preis{text-align:right;white-space:nowrap;min-width:0}\n"
);
    h += QStringLiteral("body{") + fontCss(s.FontDialog(3)) + QStringLiteral("font-weight:normal;font-style:normal}\n");
    h += QStringLiteral("h1{") + fontCss(s.FontDialog(1)) + QStringLiteral("}\n");
    h += QStringLiteral("h2{") + fontCss(s.FontDialog(2)) + QStringLiteral("}\n");
    h += QStringLiteral(".nr,.name{") + fontCss(s.FontDialog(3)) + QStringLiteral("}\n");
    h += QStringLiteral(".beschr{") + fontCss(s.FontDialog(4)) + QStringLiteral("}\n");
    h += QStringLiteral(".preis,.menge{") + fontCss(s.FontDialog(5)) + QStringLiteral("}\n");
    h += QStringLiteral(".frei{") + fontCss(s.FontDialog(7)) + QStringLiteral("}\n");
    h += QStringLiteral("</style>\n</head>\n");
    h += s.NoPointsCheck ? QStringLiteral("<body class=\"ohne-punkte\">\n") : QStringLiteral("<body>\n");

    // Empty elements are left out altogether.
    const QByteArray logo = logoPng(card);
    if (!s.KopfEd.isEmpty() || !s.CaptionEd.isEmpty() || !logo.isEmpty()) {
        h += QStringLiteral("<header>\n");
        if (!s.KopfEd.isEmpty())
            h += QStringLiteral("<p class=\"kopf\">") + HtmlEscape(s.KopfEd) + QStringLiteral("</p>\n");
        // The logo above the heading, as wide as on the card (at most the
        // page's width), centred or at the left; the page stays one file.
        if (!logo.isEmpty())
            h += QStringLiteral("<p class=\"logo\" style=\"text-align:%1\"><img src=\"data:image/png;base64,%2\" "
                                "alt=\"\" style=\"width:%3mm;max-width:100%;height:auto\"></p>\n")
                     .arg(s.LogoLinksCheck ? QStringLiteral("left") : QStringLiteral("center"),
                          QString::fromLatin1(logo.toBase64()), QString::number(s.LogoBreiteEd, 'f', 1));
        if (!s.CaptionEd.isEmpty())
            h += (s.ZentrCheck ? QStringLiteral("<h1 class=\"mitte\">") : QStringLiteral("<h1>"))
                 + HtmlEscape(s.CaptionEd) + QStringLiteral("</h1>\n");
        h += QStringLiteral("</header>\n");
    }
    if (!card.categoryNames.isEmpty())
        h += QStringLiteral("<main>\n");

    // Without a heading the categories are the top level.
    const QString hTag = s.CaptionEd.isEmpty() ? QStringLiteral("h1") : QStringLiteral("h2");
    const Catalogue *cat = card.catalogue;
    const int cats = cat ? std::min<int>(card.categoryNames.size(), cat->categoryCount()) : 0;
    CardNumbering numbering(card);
    const CardMarks marks(cat, cats, s);
    for (int i = 0; i < card.categoryNames.size(); ++i) {
        const QString name = CategoryCaption(card.categoryNames.at(i), s);
        const TDynaArray *prods = i < cats ? *static_cast<TDynaArray *const *>(cat->kats->At(uint32_t(i))) : nullptr;
        const bool hasProducts = prods && prods->count > 0;
        if (name.isEmpty() && !hasProducts)
            continue;
        if (name.isEmpty()) {
            h += QStringLiteral("<section>\n");
        } else {
            const QString id = QStringLiteral("k%1").arg(i + 1);
            h += QStringLiteral("<section aria-labelledby=\"") + id + QStringLiteral("\">\n<") + hTag
                 + QStringLiteral(" id=\"") + id + QLatin1Char('"')
                 + (s.CenterKatCheck ? QStringLiteral(" class=\"mitte\">") : QStringLiteral(">")) + HtmlEscape(name)
                 + QStringLiteral("</") + hTag + QStringLiteral(">\n");
        }
        const QStringList headings = i < cats ? SizeHeadings(*cat, i) : QStringList();
        if (hasProducts && !headings.isEmpty()) {
            h += sizeTable(*cat, i, prods, headings, numbering, marks, s, onRequest);
        } else if (hasProducts) {
            h += QStringLiteral("<ul>\n");
            for (uint32_t j = 0; j < prods->count; ++j) {
                const auto &p = *static_cast<const TProductRec *>(prods->At(j));
                const QString description = WideText(p.description);
                if (p.price < 0) {
                    h += QStringLiteral("<li class=\"frei\">");
                    if (!description.isEmpty())
                        h += QStringLiteral("<p>") + htmlLines(description) + QStringLiteral("</p>");
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
                     + (pname.isEmpty() ? QStringLiteral("&nbsp;") : HtmlEscape(pname));
                if (!productMarks.isEmpty())
                    h += QStringLiteral("<sup class=\"marken\">") + HtmlEscape(productMarks) + QStringLiteral("</sup>");
                h += QStringLiteral("</span>");
                if (!quantity.isEmpty())
                    h += QStringLiteral("<span class=\"menge\">") + HtmlEscape(quantity) + QStringLiteral("</span>");
                const QString price = p.price == 0 ? onRequest : PriceText(p.price, s);
                h += QStringLiteral("<span class=\"preis\">") + HtmlEscape(price) + QStringLiteral("</span></div>");
                if (!description.isEmpty())
                    h += QStringLiteral("<p class=\"beschr\">") + htmlLines(description) + QStringLiteral("</p>");
                h += QStringLiteral("</li>\n");
            }
            h += QStringLiteral("</ul>\n");
        }
        h += QStringLiteral("</section>\n");
    }
    if (!card.categoryNames.isEmpty())
        h += QStringLiteral("</main>\n");
    // The legend of the marks used, wherever the card prints it.
    if (marks.active() && !marks.legend().isEmpty())
        h += QStringLiteral("<p class=\"legende\">") + HtmlEscape(marks.legend()) + QStringLiteral("</p>\n");
    if (!s.FussEd.isEmpty())
        h += QStringLiteral("<footer>\n<p class=\"fuss\">") + HtmlEscape(s.FussEd) + QStringLiteral("</p>\n</footer>\n");
    h += QStringLiteral("</body>\n</html>\n");
    return h.toUtf8();
}

bool WriteHtmlFile(const QString &path, const QByteArray &data, QString *error)
{
    return WriteFileAtomically(path, data, error);
}
