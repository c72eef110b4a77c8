#include "layout/cardpaper.h"

#include <QPrinter>

QPageSize CardPaperSize(CardSettings::Paper paper)
{
    switch (paper) {
    case CardSettings::Paper::A4: return QPageSize(QPageSize::A4);
    case CardSettings::Paper::A5: return QPageSize(QPageSize::A5);
    case CardSettings::Paper::Printer: break;
    }
    return QPageSize();
}

QString CardPaperName(CardSettings::Paper paper)
{
    switch (paper) {
    case CardSettings::Paper::A4: return QStringLiteral("A4");
    case CardSettings::Paper::A5: return QStringLiteral("A5");
    case CardSettings::Paper::Printer: break;
    }
    return QString();
}

QPageLayout WithCardPaper(const CardSettings &s, const QPageLayout &layout)
{
    const QPageSize size = CardPaperSize(s.PapierBox);
    if (!size.isValid())
        return layout;
    QPageLayout l = layout;
    l.setPageSize(size, layout.margins());
    l.setOrientation(s.QuerCheck ? QPageLayout::Landscape : QPageLayout::Portrait);
    return l;
}

bool ApplyCardPaper(const CardSettings &s, QPrinter &printer)
{
    const QPageSize size = CardPaperSize(s.PapierBox);
    if (!size.isValid())
        return false;
    const QPageLayout::Orientation o = s.QuerCheck ? QPageLayout::Landscape : QPageLayout::Portrait;
    const QPageLayout now = printer.pageLayout();
    if (now.pageSize().id() == size.id() && now.orientation() == o)
        return false;
    printer.setPageSize(size);
    printer.setPageOrientation(o);
    return true;
}
