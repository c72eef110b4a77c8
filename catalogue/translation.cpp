#include "catalogue/translation.h"

#include <QRegularExpression>

const QVector<OfferedLanguage> &OfferedLanguages()
{
    static const QVector<OfferedLanguage> list = {
        {"en", "Englisch"},    {"fr", "Französisch"}, {"nl", "Niederländisch"},
        {"sv", "Schwedisch"},  {"it", "Italienisch"}, {"es", "Spanisch"},
        {"pl", "Polnisch"},    {"tr", "Türkisch"},    {"da", "Dänisch"},
    };
    return list;
}

bool IsWellFormedLanguageTag(const QString &tag)
{
    if (tag.isEmpty() || tag.size() > 35)
        return false;
    // language (extlang)? (-script)? (-region)? (-variant)* (-extension)* (-privateuse)?
    static const QRegularExpression re(QStringLiteral(
        "^(?:[A-Za-z]{2,3}(?:-[A-Za-z]{3}){0,3}|[A-Za-z]{5,8})"
        "(?:-[A-Za-z]{4})?"
        "(?:-(?:[A-Za-z]{2}|[0-9]{3}))?"
        "(?:-(?:[A-Za-z0-9]{5,8}|[0-9][A-Za-z0-9]{3}))*"
        "(?:-[0-9A-WY-Za-wy-z](?:-[A-Za-z0-9]{2,8})+)*"
        "(?:-[Xx](?:-[A-Za-z0-9]{1,8})+)?$"));
    return re.match(tag).hasMatch();
}

QString SecondLanguage::displayName() const
{
    for (const OfferedLanguage &l : OfferedLanguages())
        if (tag.compare(QLatin1String(l.tag), Qt::CaseInsensitive) == 0 && name.isEmpty())
            return QString::fromUtf8(l.name);
    return name.isEmpty() ? tag : name;
}

QString SecondLanguage::primary() const
{
    return tag.section(QLatin1Char('-'), 0, 0).toLower();
}

QString OneLineText(const QString &text)
{
    QString s = text;
    for (QChar &c : s) {
        const ushort u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029)
            c = QLatin1Char(' ');
    }
    return s;
}

QStringList LanguageMessageTexts()
{
    QStringList t;
    for (const OfferedLanguage &l : OfferedLanguages())
        t << QString::fromUtf8(l.name);
    return t;
}
