// A generator for realistic menu cards, used by the layout benchmark and the
// layout tests: categories of products with names of 10 to 40 characters,
// half of them with a description of one to three lines of 40 to 120
// characters, a third with a quantity note, prices from 1.50 to 39.90, mostly
// automatic numbers with a few explicit ones and a few free texts.
#pragma once

#include "catalogue/catalogue.h"

#include <QString>
#include <QStringList>
#include <random>

namespace cardgen {

inline const QStringList &words()
{
    static const QStringList w = {
        QStringLiteral("Schnitzel"), QStringLiteral("Wiener"),    QStringLiteral("Art"),
        QStringLiteral("mit"),       QStringLiteral("Pommes"),    QStringLiteral("frites"),
        QStringLiteral("Salat"),     QStringLiteral("Gurken"),    QStringLiteral("Tomaten"),
        QStringLiteral("Rinderbrühe"), QStringLiteral("Maultaschen"), QStringLiteral("hausgemacht"),
        QStringLiteral("Zwiebeln"),  QStringLiteral("Knödel"),    QStringLiteral("Soße"),
        QStringLiteral("Forelle"),   QStringLiteral("Müllerin"),  QStringLiteral("Kartoffeln"),
        QStringLiteral("Petersilie"), QStringLiteral("Butter"),   QStringLiteral("Käse"),
        QStringLiteral("überbacken"), QStringLiteral("Spätzle"),  QStringLiteral("Rahm"),
        QStringLiteral("Pilze"),     QStringLiteral("Apfelstrudel"), QStringLiteral("Vanilleeis"),
        QStringLiteral("Sahne"),     QStringLiteral("und"),       QStringLiteral("oder"),
        QStringLiteral("vom"),       QStringLiteral("Grill"),     QStringLiteral("Lamm"),
        QStringLiteral("Rosmarin"),  QStringLiteral("Knoblauch"), QStringLiteral("Weißwein"),
        QStringLiteral("Rotwein"),   QStringLiteral("Pils"),      QStringLiteral("Weizen"),
        QStringLiteral("Saft"),      QStringLiteral("frisch"),    QStringLiteral("gepresst"),
    };
    return w;
}

// A text of about `len` characters made of words (at least 1 character).
inline QString text(std::mt19937 &rng, int len)
{
    const QStringList &w = words();
    std::uniform_int_distribution<int> pick(0, int(w.size()) - 1);
    QString s;
    while (s.size() < len) {
        if (!s.isEmpty())
            s += QLatin1Char(' ');
        s += w.at(pick(rng));
    }
    s.truncate(len);
    if (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s.isEmpty() ? QStringLiteral("X") : s;
}

// Fills `cat` and `names` (which should be empty) with `categories`
// categories of `perCategory` products.
inline void generate(Catalogue &cat, QStringList &names, int categories, int perCategory,
                     unsigned seed = 4711)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> nameLen(10, 40), lineLen(40, 120), lines(1, 3),
        percent(0, 99), cents(15, 399);
    int explicitNumber = 500;
    for (int c = 0; c < categories; ++c) {
        cat.addCategory();
        names << QStringLiteral("Kategorie %1 %2").arg(c + 1).arg(text(rng, 12));
        for (int p = 0; p < perCategory; ++p) {
            ProductValues v;
            v.name = text(rng, nameLen(rng));
            if (percent(rng) < 50) {
                const int n = lines(rng);
                for (int l = 0; l < n; ++l) {
                    if (l)
                        v.description += QStringLiteral("\r\n");
                    v.description += text(rng, lineLen(rng));
                }
            }
            if (percent(rng) < 33)
                v.quantity = QStringLiteral("%1cl").arg(2 + percent(rng) % 48);
            v.price = cents(rng) / 10.0;
            const int r = percent(rng);
            if (r < 3)
                v.number = explicitNumber++;
            else if (r < 5)
                v.number = -1;
            if (percent(rng) < 2) {
                v.price = -1; // free text
                if (v.description.isEmpty())
                    v.description = text(rng, lineLen(rng));
            }
            cat.addProduct(c, v);
        }
    }
}

} // namespace cardgen
