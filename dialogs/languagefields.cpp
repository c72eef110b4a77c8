#include "dialogs/languagefields.h"

#include "catalogue/usertext.h"

#include <QPainter>
#include <QTextBlock>

QString SecondLanguageTitle(const SecondLanguage &language)
{
    // An offered language's German name is a text of the translation table.
    if (language.name.isEmpty())
        for (const OfferedLanguage &l : OfferedLanguages())
            if (language.tag.compare(QLatin1String(l.tag), Qt::CaseInsensitive) == 0)
                return UserText(QString::fromUtf8(l.name));
    return language.displayName();
}

TLinesEdit::TLinesEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    setProperty("velloran_notranslate", true); // document content
}

void TLinesEdit::setLinePlaceholders(const QStringList &texts)
{
    if (texts == placeholders_)
        return;
    placeholders_ = texts;
    viewport()->update();
}

QString TLinesEdit::shownPlaceholder(int line) const
{
    const QTextBlock b = document()->findBlockByNumber(line);
    return b.isValid() && !b.text().isEmpty() ? QString() : placeholders_.value(line);
}

void TLinesEdit::paintEvent(QPaintEvent *e)
{
    QPlainTextEdit::paintEvent(e);
    if (placeholders_.isEmpty())
        return;
    QPainter p(viewport());
    p.setPen(palette().color(QPalette::PlaceholderText));
    const QPointF offset = contentOffset();
    const qreal margin = document()->documentMargin();
    const int height = viewport()->height();
    QRectF last;
    int line = -1;
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF r = blockBoundingGeometry(b).translated(offset);
        if (r.top() > height)
            return;
        line = b.blockNumber();
        last = r;
        const QString hint = placeholders_.value(line);
        if (b.text().isEmpty() && !hint.isEmpty())
            p.drawText(r.adjusted(margin, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, hint);
    }
    // The lines the text does not reach yet show their hints too, one line
    // apart as the lines of the text (the last block's box holds the
    // document's margin as well).
    const qreal step = fontMetrics().lineSpacing();
    qreal top = last.isValid() ? last.top() + step : offset.y() + margin;
    for (int i = line + 1; i < placeholders_.size() && top <= height; ++i, top += step)
        p.drawText(QRectF(margin + offset.x(), top, viewport()->width(), step),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, placeholders_.at(i));
}

QStringList TranslationLines(const QString &text, QString (*clean)(const QString &))
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QChar(0x2028), QLatin1Char('\n'));
    t.replace(QChar(0x2029), QLatin1Char('\n'));
    QStringList list = t.split(QLatin1Char('\n'));
    for (QString &s : list)
        s = clean(s).trimmed();
    while (!list.isEmpty() && list.last().isEmpty())
        list.removeLast();
    return list;
}
