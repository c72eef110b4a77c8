#include "dialogs/FloatEdit.h"
#include "catalogue/decimalinput.h"
#include "catalogue/usertext.h"

#include <QBoxLayout>
#include <QColor>
#include <QDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QPalette>
#include <QStatusBar>

namespace {
const char16_t *const kNotANumber = u"\"%1\" ist keine Zahl.";
const char16_t *const kAllowed = u"Erlaubt sind Zahlen von %1 bis %2.";
const char16_t *const kAllowedOrEmpty = u"Erlaubt sind Zahlen von %1 bis %2 oder ein leeres Feld (\"%3\").";
// Fields without practical bounds (prices) name no range.
const char16_t *const kNumber = u"Erlaubt sind nur Zahlen.";
const char16_t *const kNumberOrEmpty = u"Erlaubt sind Zahlen oder ein leeres Feld (\"%1\").";
constexpr double kNoPracticalBound = 1e12;
const char16_t *const kEmptyText = u"\u2013";
const char *const kNoteName = "FloatEditNote";
} // namespace

TFloatEdit::TFloatEdit(int minDecimals, QWidget *parent) : QDoubleSpinBox(parent), minDecimals_(minDecimals)
{
    setDecimals(10);
    // A readable text clears the mark as soon as it is typed; another
    // unreadable one gets its own reason.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        if (marked_)
            setMarked(!readable());
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

void TFloatEdit::setEmptyAllowed(bool on)
{
    if (on == emptyAllowed_)
        return;
    if (on) {
        lowestTyped_ = minimum();
        emptyAllowed_ = true;
        // One below the range: no number that may be typed reaches it.
        setMinimum(lowestTyped_ - 1);
        setSpecialValueText(QString::fromUtf16(kEmptyText));
    } else {
        emptyAllowed_ = false;
        setSpecialValueText(QString());
        setMinimum(lowestTyped_);
    }
}

bool TFloatEdit::isEmpty() const
{
    return !specialValueText().isEmpty() && value() == minimum();
}

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
    if (v && *v >= lowestTyped() && *v <= maximum())
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

QString TFloatEdit::refusal() const
{
    if (readable())
        return QString();
    const QString typed = withoutAffixes(this, lineEdit()->text()).trimmed();
    QString why;
    if (!typed.isEmpty() && !parseDecimalInput(typed, locale()))
        why = UserText(QString::fromUtf16(kNotANumber)).arg(typed) + QLatin1Char(' ');
    if (maximum() >= kNoPracticalBound && lowestTyped() <= -kNoPracticalBound) {
        if (specialValueText().isEmpty())
            return why + UserText(QString::fromUtf16(kNumber));
        return why + UserText(QString::fromUtf16(kNumberOrEmpty)).arg(specialValueText());
    }
    const QString low = textFromValue(lowestTyped()), high = textFromValue(maximum());
    if (specialValueText().isEmpty())
        return why + UserText(QString::fromUtf16(kAllowed)).arg(low, high);
    return why + UserText(QString::fromUtf16(kAllowedOrEmpty)).arg(low, high, specialValueText());
}

QStringList TFloatEdit::messageTexts()
{
    return {QString::fromUtf16(kNotANumber), QString::fromUtf16(kAllowed), QString::fromUtf16(kAllowedOrEmpty),
            QString::fromUtf16(kNumber), QString::fromUtf16(kNumberOrEmpty)};
}

QLabel *TFloatEdit::noteOf(QWidget *dialog)
{
    return dialog ? dialog->findChild<QLabel *>(QLatin1String(kNoteName)) : nullptr;
}

namespace {

// The dialog's note line, made below its other contents when first needed.
QLabel *makeNote(QDialog *dialog)
{
    if (QLabel *note = TFloatEdit::noteOf(dialog))
        return note;
    auto *note = new QLabel(dialog);
    note->setObjectName(QLatin1String(kNoteName));
    note->setProperty("velloran_notranslate", true); // its texts come translated
    note->setWordWrap(true);
    note->setTextFormat(Qt::PlainText);
    QPalette pal = note->palette();
    pal.setColor(QPalette::WindowText, QColor(0xB0, 0x20, 0x20));
    note->setPalette(pal);
    if (auto *box = qobject_cast<QBoxLayout *>(dialog->layout()))
        box->addWidget(note);
    else if (auto *grid = qobject_cast<QGridLayout *>(dialog->layout()))
        grid->addWidget(note, grid->rowCount(), 0, 1, grid->columnCount());
    note->hide();
    return note;
}

} // namespace

void TFloatEdit::showNote(QDialog *dialog, const QString &text)
{
    if (!dialog)
        return;
    QLabel *note = makeNote(dialog);
    note->setText(text);
    note->show();
}

void TFloatEdit::setMarked(bool on)
{
    const QString why = on ? refusal() : QString();
    QWidget *top = window();
    auto *dialog = qobject_cast<QDialog *>(top);
    auto *main = qobject_cast<QMainWindow *>(top);
    if (on) {
        // The reason, where the user looks: the field's tip and the note
        // line of its window.
        if (!marked_)
            plainToolTip_ = toolTip();
        setToolTip(why);
        if (dialog) {
            QLabel *note = makeNote(dialog);
            note->setText(why);
            note->show();
        } else if (main) {
            main->statusBar()->showMessage(why);
        }
    } else if (marked_) {
        // The note goes unless it speaks of another field by now.
        const QString was = toolTip();
        setToolTip(plainToolTip_);
        if (QLabel *note = noteOf(dialog); note && note->text() == was)
            note->hide();
        if (main && main->statusBar()->currentMessage() == was)
            main->statusBar()->clearMessage();
    }
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
        firstBad->setMarked(true); // the note speaks of the field the focus goes to
        firstBad->setFocus(Qt::OtherFocusReason);
        firstBad->lineEdit()->selectAll();
        return false;
    }
    return true;
}
