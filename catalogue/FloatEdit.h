// A numeric field for floating-point values (money, lengths) that keeps what
// it is given: values read from a document come back unchanged when it is
// saved again, however many decimals they have. It shows at least
// `minDecimals` decimals and as many more as the value needs (up to 10).
//
// It reads what is typed with parseDecimalInput ("6.90" and "6,90" alike) and
// shows the value back in the interface's form. A text it cannot read (or one
// outside the field's range) is not replaced by the previous value behind the
// user's back: the text stays, the field is marked, and value() keeps the last
// readable value. Dialogs call TFloatEdit::checkFields() before they accept.
#pragma once

#include <QDoubleSpinBox>

class TFloatEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit TFloatEdit(int minDecimals = 0, QWidget *parent = nullptr);

    QString textFromValue(double value) const override;
    double valueFromText(const QString &text) const override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

    // True when the text in the field is a readable value within range.
    bool readable() const;
    // True while the field shows that its text cannot be read.
    bool isMarked() const { return marked_; }

    // Checks every TFloatEdit below `root`: marks those that cannot be read,
    // puts the focus into the first of them and returns false if there is one.
    static bool checkFields(QWidget *root);

protected:
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void setMarked(bool on);

    int minDecimals_;
    bool marked_ = false;
};
