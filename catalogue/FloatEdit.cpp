#include "catalogue/FloatEdit.h"
#include "catalogue/decimalinput.h"

#include <QColor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>

TFloatEdit::TFloatEdit(int minDecimals, QWidget *parent) : QDoubleSpinBox(parent), minDecimals_(minDecimals)
{
    setDecimals(10);
    // A readable text clears the mark as soon as it is typed.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        if (marked_ && readable())
            setMarked(false);
    });
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

namespace {
QString withoutAffixes(const QDoubleSpinBox *box, QString text)
{
    if (!box->prefix().isEmpty() && text.startsWith(box->prefix()))
        text.remove(0, box->prefix().size());
    if (!box->suffix().isEmpty() && text.endsWith(box->suffix()))
        text.chop(box->suffix().size());
    return text;
}
} // namespace

namespace {
// A field with a special-value text (a size price shown as "–" when it is
// not sold in that size) takes that text, and an emptied field, as its minimum.
bool isSpecialText(const QDoubleSpinBox *box, const QString &text)
{
    if (box->specialValueText().isEmpty())
        return false;
    const QString t = text.trimmed();
    return t.isEmpty() || t == box->specialValueText();
}
} // namespace

double TFloatEdit::valueFromText(const QString &text) const
{
    if (isSpecialText(this, text))
        return minimum();
    const auto v = parseDecimalInput(withoutAffixes(this, text), locale());
    return v ? *v : value();
}

QValidator::State TFloatEdit::validate(QString &input, int &) const
{
    if (isSpecialText(this, input))
        return QValidator::Acceptable;
    const auto v = parseDecimalInput(withoutAffixes(this, input), locale());
    if (v && *v >= minimum() && *v <= maximum())
        return QValidator::Acceptable;
    // Anything may be typed; what cannot be read is refused when the field is
    // left or its dialog confirmed.
    return QValidator::Intermediate;
}

void TFloatEdit::fixup(QString &) const
{
    // No guessing: an unreadable text stays as it is.
}

bool TFloatEdit::readable() const
{
    QString t = lineEdit()->text();
    int pos = 0;
    return validate(t, pos) == QValidator::Acceptable;
}

void TFloatEdit::setMarked(bool on)
{
    if (marked_ == on)
        return;
    marked_ = on;
    setProperty("unreadable", on);
    QPalette pal = lineEdit()->palette();
    if (on)
        pal.setColor(QPalette::Base, QColor(255, 200, 200));
    else
        pal = palette();
    lineEdit()->setPalette(pal);
}

void TFloatEdit::focusOutEvent(QFocusEvent *e)
{
    if (readable()) {
        QDoubleSpinBox::focusOutEvent(e);
        return;
    }
    // The spin box would put the previous value back; keep the typed text
    // and mark it instead.
    const QString typed = lineEdit()->text();
    {
        const QSignalBlocker block(this);
        QDoubleSpinBox::focusOutEvent(e);
    }
    if (lineEdit()->text() != typed)
        lineEdit()->setText(typed);
    setMarked(true);
}

void TFloatEdit::keyPressEvent(QKeyEvent *e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !readable()) {
        // Enter would put the previous value back; mark the field and let the
        // dialog's default button see (and refuse) the unreadable text.
        setMarked(true);
        e->ignore();
        return;
    }
    QDoubleSpinBox::keyPressEvent(e);
}

bool TFloatEdit::checkFields(QWidget *root)
{
    TFloatEdit *firstBad = nullptr;
    for (TFloatEdit *f : root->findChildren<TFloatEdit *>()) {
        if (!f->isEnabled())
            continue;
        if (f->readable()) {
            // Take what is typed even if the field was never left.
            f->setValue(f->valueFromText(f->lineEdit()->text()));
            f->setMarked(false);
            continue;
        }
        f->setMarked(true);
        if (!firstBad)
            firstBad = f;
    }
    if (firstBad) {
        firstBad->setFocus(Qt::OtherFocusReason);
        firstBad->lineEdit()->selectAll();
        return false;
    }
    return true;
}
