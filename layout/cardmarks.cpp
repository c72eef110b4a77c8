#include "layout/cardmarks.h"

#include "catalogue/catalogue.h"
#include "layout/bilingual.h"

#include <algorithm>
#include <cmath>

CardMarks::CardMarks(const Catalogue *cat, int categoryCount, const CardSettings &s)
    : cat_(cat), place_(s.marks.LegendPos)
{
    if (!cat || !s.marks.MarksCheck)
        return;
    UsedMarks used;
    const int cats = std::min(categoryCount, cat->categoryCount());
    for (int i = 0; i < cats; ++i) {
        const TDynaArray *prods = *static_cast<TDynaArray **>(cat->kats->At(uint32_t(i)));
        for (uint32_t j = 0; prods && j < prods->count; ++j) {
            // Free texts carry no marks.
            if (static_cast<const TProductRec *>(prods->At(j))->price >= 0)
                used.add(cat->marks(i, int(j)));
        }
    }
    setUsed(used, s);
}

CardMarks::CardMarks(const Catalogue *cat, const UsedMarks &used, const CardSettings &s)
    : cat_(cat), place_(s.marks.LegendPos)
{
    if (cat && s.marks.MarksCheck)
        setUsed(used, s);
}

void CardMarks::setUsed(const UsedMarks &used, const CardSettings &s)
{
    if (used.isEmpty())
        return;
    active_ = true;
    // A bilingual card explains its marks in both languages.
    legend_ = s.ZweisprachigCheck ? BilingualLegendText(used, s.marks, cat_->secondLanguage().tag)
                                  : LegendText(used, s.marks.additives);
}

QString CardMarks::productMarks(int cat, int row) const
{
    if (!active_)
        return QString();
    return MarksText(cat_->marks(cat, row));
}

FontSetting MarkFont(const FontSetting &numberFont)
{
    FontSetting f = numberFont;
    f.size = std::max<int32_t>(1, int32_t(std::lround(double(numberFont.size) * kMarkSizePercent / 100.0)));
    return f;
}
