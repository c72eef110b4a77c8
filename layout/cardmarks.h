// Allergen and additive marks on the card: the small raised marks after a
// product name and the legend that explains the marks used. The page layout
// engine asks this module what to draw; a card without marks (or with
// printing of marks switched off) gets nothing from it.
#pragma once

#include "catalogue/marks.h"
#include "catalogue/cardsettings.h"

#include <QString>
#include <QStringList>

class Catalogue;
class LayoutMeasure;

// The marks of the card, prepared once per layout run.
class CardMarks {
public:
    // Only categories 0..categoryCount-1 are looked at.
    CardMarks(const Catalogue *cat, int categoryCount, const CardSettings &s);
    // The same from the marks used, gathered already by a walk of the card.
    CardMarks(const Catalogue *cat, const UsedMarks &used, const CardSettings &s);

    // Whether anything is drawn at all (marks switched on and used).
    bool active() const { return active_; }
    LegendPlace legendPlace() const { return place_; }
    // "3,8,A,F,M" for product row of category cat, or empty.
    QString productMarks(int cat, int row) const;
    // The legend text, or empty.
    const QString &legend() const { return legend_; }

private:
    void setUsed(const UsedMarks &used, const CardSettings &s);

    const Catalogue *cat_;
    bool active_ = false;
    LegendPlace place_ = LegendPlace::AtEnd;
    QString legend_;
};

// Marks are drawn in the number font at 60 percent of its size (at least 1
// point), raised to the top of the name's line.
FontSetting MarkFont(const FontSetting &numberFont);
constexpr int kMarkSizePercent = 60;
