#include "catalogue/officialwording.h"

#include "catalogue/marks.h"

QString OfficialAllergenName(int i, const QString &language)
{
    if (i < 0 || i >= kAllergenCount)
        return {};
    const QString lang = language.section(QLatin1Char('-'), 0, 0).toLower();
    if (lang == QLatin1String("de"))
        return AllergenName(i);
    return {};
}

QString ShippedAdditiveText(const QString &german, const QString &language)
{
    const QString lang = language.section(QLatin1Char('-'), 0, 0).toLower();
    if (lang == QLatin1String("de") && DefaultAdditives().contains(german))
        return german;
    return {};
}

QStringList ShippedWordingLanguages()
{
    return {QStringLiteral("de")};
}
