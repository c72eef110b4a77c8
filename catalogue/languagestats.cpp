#include "catalogue/languagestats.h"

#include "catalogue/translationtexts.h"
#include "catalogue/usertext.h"

namespace {

const char16_t *const kTexts[] = {
    u"Zweite Sprache: %1 (%2)",
    u"%1: %2 von %3 übersetzt, %4 fehlen",
    u"%1 von %2 Texten fehlen",
};
enum { kLanguage, kKind, kTotal };

QString text(int t)
{
    return UserText(QString::fromUtf16(kTexts[t]));
}

} // namespace

QStringList LanguageStatsLines(const QStringList &names, const Catalogue &cat, const QVector<CardSettings> &cards)
{
    const SecondLanguage &language = cat.secondLanguage();
    // An offered language by its name in the interface language; another
    // one by the name the user gave it.
    const QString name = language.name.isEmpty() ? UserText(language.displayName()) : language.displayName();
    QStringList lines{text(kLanguage).arg(name, language.tag)};

    const QVector<TranslatableText> texts = TranslatableTexts(names, cat, cards);
    const auto counts = CountTranslations(texts);
    int total = 0, missing = 0;
    for (int k = 0; k < kTextKinds; ++k) {
        const TextCount &c = counts[size_t(k)];
        if (c.total == 0)
            continue;
        lines << text(kKind)
                     .arg(UserText(TextKindName(TextKind(k))))
                     .arg(c.total - c.missing)
                     .arg(c.total)
                     .arg(c.missing);
        total += c.total;
        missing += c.missing;
    }
    lines << text(kTotal).arg(missing).arg(total);
    return lines;
}

QStringList LanguageStatsTexts()
{
    QStringList t;
    for (const char16_t *s : kTexts)
        t << QString::fromUtf16(s);
    return t;
}
