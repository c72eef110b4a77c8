#include "catalogue/FloatEdit.h"

#include <QLocale>

TFloatEdit::TFloatEdit(int minDecimals, QWidget *parent) : QDoubleSpinBox(parent), minDecimals_(minDecimals)
{
    setDecimals(10);
}

QString TFloatEdit::textFromValue(double value) const
{
    // The shortest form with at least the minimum decimals.
    QString s = locale().toString(value, 'f', 10);
    s.remove(locale().groupSeparator());
    const QString point = locale().decimalPoint();
    const int dot = s.indexOf(point);
    if (dot < 0)
        return s;
    int keep = s.size();
    while (keep > dot + point.size() + minDecimals_ && s.at(keep - 1) == QLatin1Char('0'))
        --keep;
    if (keep == dot + point.size())
        keep = dot; // no decimals left: drop the point
    return s.left(keep);
}
