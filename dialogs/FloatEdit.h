// A numeric field for floating-point values (money, lengths) that keeps what
// it is given: values read from a document come back unchanged when it is
// saved again, however many decimals they have. It shows at least
// `minDecimals` decimals and as many more as the value needs (up to 10).
//
// It reads what is typed with parseDecimalInput ("6.90" and "6,90" alike) and
// shows the value back in the interface's form. A text it cannot read (or one
// outside the field's range) is not replaced by the previous value behind the
// user's back: the text stays, the field is marked, and value() keeps the last
// readable value. The mark says why: the field's tool tip names the reason,
// and so does a note line of its dialog (the status bar of a main window).
// Dialogs call TFloatEdit::checkFields() before they accept.
//
// A field with a special-value text (a size price shown as "–") takes that
// text, and an emptied field, as its minimum: the field is empty then.
#pragma once

#include <QDoubleSpinBox>

class QLabel;

class TFloatEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit TFloatEdit(int minDecimals = 0, QWidget *parent = nullptr);

    QString textFromValue(double value) const override;
    double valueFromText(const QString &text) const override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

    // Lets the field stand empty besides every number of its range (set the
    // range first): the empty value lies just below the range and is shown
    // as "–"; an emptied field or "–" is read as it. Off again, the field
    // takes its range back.
    void setEmptyAllowed(bool on);
    // True when the field shows its special-value text (it is empty).
    bool isEmpty() const;
    void setEmpty() { setValue(minimum()); }

    // True when the text in the field is a readable value within range.
    bool readable() const;
    // True while the field shows that its text cannot be read.
    bool isMarked() const { return marked_; }
    // Why the text in the field is refused (empty when it is readable).
    QString refusal() const;

    // Checks every TFloatEdit below `root`: marks those that cannot be read,
    // puts the focus into the first of them and returns false if there is one.
    static bool checkFields(QWidget *root);
    // The note line of a dialog, made when a field first needs it (null
    // before).
    static QLabel *noteOf(QWidget *dialog);
    // Shows a text in the note line of a dialog (made when needed).
    static void showNote(QDialog *dialog, const QString &text);
    // The German texts of the reasons (for the translation table).
    static QStringList messageTexts();

protected:
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void setMarked(bool on);
    // The lowest number that may be typed.
    double lowestTyped() const { return emptyAllowed_ ? lowestTyped_ : minimum(); }

    int minDecimals_;
    bool marked_ = false;
    bool emptyAllowed_ = false;
    double lowestTyped_ = 0;
    QString plainToolTip_; // the tool tip when the field is not marked
};
