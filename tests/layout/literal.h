// The row and leader rules carried out step by step, exactly as the card
// defines them: measure the whole text after every change. Quadratic, kept
// to check the fast versions against.
#pragma once

#include "layout/cardlayout.h"

namespace literal {

inline QStringList wrapLine(const LayoutMeasure &m, QString line, double W)
{
    QStringList rows;
    for (;;) {
        QString rest;
        while (m.TextWidthMM(line) > W && line.size() > 1) {
            rest.prepend(line.back());
            line.chop(1);
            if (line.contains(QLatin1Char(' '))) {
                while (!line.endsWith(QLatin1Char(' '))) {
                    rest.prepend(line.back());
                    line.chop(1);
                }
            }
        }
        rows << line;
        if (rest.isEmpty())
            break;
        line = rest;
    }
    return rows;
}

inline long long leaderDots(const LayoutMeasure &m, double available)
{
    if (m.widthPx(u".") == 0)
        return 0; // the run would never grow
    QString run = QStringLiteral(".");
    long long n = 0;
    while (m.TextWidthMM(run) <= available) {
        ++n;
        run += QLatin1Char('.');
    }
    return n;
}

} // namespace literal
