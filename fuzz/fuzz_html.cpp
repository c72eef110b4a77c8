// The web page of any document the reader accepts: no crash, and no "<"
// from a text of the document reaches the page as markup. The page is built
// twice, the second time with every "<" in the document's texts turned into
// ">" (same length, so nothing else changes): both pages must hold the same
// number of "<", which are then the page's own tags only.
#include "catalogue/document.h"
#include "export/htmlexport.h"
#include "layout/cardlayout.h"
#include "fuzzutil.h"

#include <cstdlib>

namespace {

void blunt(QString &s)
{
    s.replace(QLatin1Char('<'), QLatin1Char('>'));
}

void blunt(char16_t *text)
{
    for (char16_t *p = text; p && *p; ++p)
        if (*p == u'<')
            *p = u'>';
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    DocumentData doc;
    if (!ReadDocument(bytes, CardSettings(), doc, nullptr))
        return 0;
    CardSource card;
    card.categoryNames = doc.categoryNames;
    card.catalogue = doc.catalogue.get();
    card.settings = doc.settings;
    const QByteArray page = BuildHtml(card, QStringLiteral("de"));
    if (page.isEmpty())
        std::abort();

    for (QString &name : card.categoryNames)
        blunt(name);
    CardSettings &s = card.settings;
    for (QString *t : {&s.CaptionEd, &s.FussEd, &s.KopfEd, &s.WaehrEd, &s.FilenameEdit2, &s.QrUrlEd})
        blunt(*t);
    for (FontSetting &f : s.fonts)
        blunt(f.face);
    for (QString &a : s.marks.additives)
        blunt(a);
    if (Catalogue *cat = card.catalogue) {
        for (int c = 0; c < cat->categoryCount(); ++c) {
            for (uint32_t p = 0; p < cat->products(c)->count; ++p) {
                TProductRec *rec = cat->product(c, int(p));
                blunt(rec->name);
                blunt(rec->description);
                blunt(rec->quantity);
            }
        }
    }
    const QByteArray plain = BuildHtml(card, QStringLiteral("de"));
    if (page.count('<') != plain.count('<'))
        std::abort(); // a "<" of the document's texts came through as markup
    return 0;
}
