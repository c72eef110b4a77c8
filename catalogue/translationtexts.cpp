#include "catalogue/translationtexts.h"

#include "catalogue/cardview.h"
#include "catalogue/officialwording.h"

namespace {

void add(QVector<TranslatableText> &out, TextKind kind, int category, int row, int card, int index,
         const QString &german, const QString &translation)
{
    TranslatableText t;
    t.place.kind = kind;
    t.place.category = category;
    t.place.row = row;
    t.place.card = card;
    t.place.index = index;
    t.german = german;
    t.translation = translation;
    out.append(t);
}

// The categories and products of a catalogue; sourceCat / sourceRow map
// them to the places of the document's own catalogue.
template<typename CatOf, typename RowOf>
void catalogueTexts(QVector<TranslatableText> &out, const QStringList &names, const Catalogue &cat,
                    CatOf sourceCat, RowOf sourceRow)
{
    const int cats = std::min<int>(int(names.size()), cat.categoryCount());
    for (int i = 0; i < cats; ++i) {
        const int si = sourceCat(i);
        add(out, TextKind::Category, si, -1, -1, -1, names.at(i), cat.categoryTranslation(i));
        const QStringList headings = cat.sizeHeadings(i);
        const QStringList tr = cat.sizeHeadingTranslations(i);
        for (int k = 0; k < headings.size(); ++k)
            if (!headings.at(k).trimmed().isEmpty())
                add(out, TextKind::SizeHeading, si, -1, -1, k, headings.at(k), tr.value(k));
        const int n = cat.productCount(i);
        for (int j = 0; j < n; ++j) {
            const ProductValues v = Catalogue::values(const_cast<Catalogue &>(cat).product(i, j));
            const ProductTranslation &t = cat.translation(i, j);
            const int sj = sourceRow(i, j);
            if (v.price < 0) {
                if (!v.description.trimmed().isEmpty())
                    add(out, TextKind::FreeText, si, sj, -1, -1, v.description, t.description);
                continue;
            }
            if (!v.name.trimmed().isEmpty())
                add(out, TextKind::Name, si, sj, -1, -1, v.name, t.name);
            if (!v.quantity.trimmed().isEmpty())
                add(out, TextKind::Quantity, si, sj, -1, -1, v.quantity, t.quantity);
            if (!v.description.trimmed().isEmpty())
                add(out, TextKind::Description, si, sj, -1, -1, v.description, t.description);
        }
    }
}

void cardTexts(QVector<TranslatableText> &out, int card, const CardSettings &s)
{
    if (!s.CaptionEd.trimmed().isEmpty())
        add(out, TextKind::Heading, -1, -1, card, -1, s.CaptionEd, s.translation.heading);
    if (!s.KopfEd.trimmed().isEmpty())
        add(out, TextKind::Header, -1, -1, card, -1, s.KopfEd, s.translation.header);
    if (!s.FussEd.trimmed().isEmpty())
        add(out, TextKind::Footer, -1, -1, card, -1, s.FussEd, s.translation.footer);
}

void additiveText(QVector<TranslatableText> &out, const MarkSettings &m, int i, const QString &language)
{
    const QString german = m.additives.at(i);
    if (german.trimmed().isEmpty())
        return;
    bool shipped = false;
    const QString tr = AdditiveWording(m, i, language, &shipped);
    add(out, TextKind::Additive, -1, -1, -1, i, german, tr);
    out.last().shipped = shipped;
}

} // namespace

QVector<TranslatableText> TranslatableTexts(const QStringList &names, const Catalogue &cat,
                                            const QVector<CardSettings> &cards)
{
    QVector<TranslatableText> out;
    catalogueTexts(out, names, cat, [](int i) { return i; }, [](int, int j) { return j; });
    for (int c = 0; c < cards.size(); ++c)
        cardTexts(out, c, cards.at(c));
    if (!cards.isEmpty()) {
        const MarkSettings &m = cards.first().marks;
        for (int i = 0; i < m.additives.size(); ++i)
            additiveText(out, m, i, cat.secondLanguage().tag);
    }
    return out;
}

QVector<TranslatableText> TranslatableTextsOfCard(const CardView &view, const CardSettings &settings)
{
    QVector<TranslatableText> out;
    const Catalogue &cat = *view.catalogue();
    catalogueTexts(out, view.categoryNames(), cat, [&](int i) { return view.sourceCategory(i); },
                   [&](int i, int j) { return view.sourceRow(i, j); });
    cardTexts(out, -1, settings);
    if (settings.marks.MarksCheck) {
        UsedMarks used;
        for (int i = 0; i < cat.categoryCount(); ++i)
            for (int j = 0; j < cat.productCount(i); ++j)
                used.add(cat.marks(i, j));
        for (int n : used.additives)
            if (n >= 1 && n <= settings.marks.additives.size())
                additiveText(out, settings.marks, n - 1, cat.secondLanguage().tag);
    }
    return out;
}

int MissingTranslations(const QVector<TranslatableText> &texts)
{
    int n = 0;
    for (const TranslatableText &t : texts)
        n += t.missing() ? 1 : 0;
    return n;
}

std::array<TextCount, kTextKinds> CountTranslations(const QVector<TranslatableText> &texts)
{
    std::array<TextCount, kTextKinds> c{};
    for (const TranslatableText &t : texts) {
        TextCount &k = c[size_t(t.place.kind)];
        ++k.total;
        k.missing += t.missing() ? 1 : 0;
    }
    return c;
}

QString TextKindName(TextKind kind)
{
    switch (kind) {
    case TextKind::Category: return QStringLiteral("Kategorien");
    case TextKind::SizeHeading: return QStringLiteral("Größen");
    case TextKind::Name: return QStringLiteral("Bezeichnungen");
    case TextKind::Description: return QStringLiteral("Beschreibungen");
    case TextKind::Quantity: return QStringLiteral("Mengenangaben");
    case TextKind::FreeText: return QStringLiteral("Freitexte");
    case TextKind::Heading: return QStringLiteral("Überschriften");
    case TextKind::Header: return QStringLiteral("Kopfzeilen");
    case TextKind::Footer: return QStringLiteral("Fußzeilen");
    case TextKind::Additive: return QStringLiteral("Zusatzstoffe");
    }
    return {};
}

bool SetTranslatedText(const TextPlace &place, const QString &text, Catalogue &cat, QVector<CardSettings> &cards)
{
    const bool inCatalogue = place.category >= 0 && place.category < cat.categoryCount();
    const bool hasRow = inCatalogue && place.row >= 0 && place.row < cat.productCount(place.category);
    switch (place.kind) {
    case TextKind::Category:
        if (!inCatalogue)
            return false;
        cat.setCategoryTranslation(place.category, text);
        return true;
    case TextKind::SizeHeading: {
        if (!inCatalogue || place.index < 0 || place.index >= cat.sizeHeadings(place.category).size())
            return false;
        QStringList t = cat.sizeHeadingTranslations(place.category);
        t[place.index] = text;
        cat.setSizeHeadingTranslations(place.category, t);
        return true;
    }
    case TextKind::Name:
    case TextKind::Description:
    case TextKind::Quantity:
    case TextKind::FreeText: {
        if (!hasRow)
            return false;
        ProductTranslation t = cat.translation(place.category, place.row);
        if (place.kind == TextKind::Name)
            t.name = OneLineText(text);
        else if (place.kind == TextKind::Quantity)
            t.quantity = OneLineText(text);
        else
            t.description = text;
        cat.setTranslation(place.category, place.row, t);
        return true;
    }
    case TextKind::Heading:
    case TextKind::Header:
    case TextKind::Footer: {
        if (place.card < 0 || place.card >= cards.size())
            return false;
        CardTextTranslation &t = cards[place.card].translation;
        (place.kind == TextKind::Heading ? t.heading : place.kind == TextKind::Header ? t.header : t.footer) =
            OneLineText(text);
        return true;
    }
    case TextKind::Additive: {
        if (cards.isEmpty() || place.index < 0 || place.index >= cards.first().marks.additives.size())
            return false;
        for (CardSettings &s : cards) {
            QStringList &t = s.marks.additiveTranslations;
            while (t.size() <= place.index)
                t.append(QString());
            t[place.index] = OneLineText(text);
            while (!t.isEmpty() && t.last().isEmpty())
                t.removeLast();
        }
        return true;
    }
    }
    return false;
}

QStringList TranslationTextMessageTexts()
{
    QStringList t;
    for (int k = 0; k < kTextKinds; ++k)
        t << TextKindName(TextKind(k));
    return t;
}
