// A numeric field for floating-point values that keeps what it is given:
// values read from a document come back unchanged when it is saved again,
// however many decimals they have. It shows at least `minDecimals` decimals
// and as many more as the value needs (up to 10).
#pragma once

#include <QDoubleSpinBox>

class TFloatEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit TFloatEdit(int minDecimals = 0, QWidget *parent = nullptr);

    QString textFromValue(double value) const override;

private:
    int minDecimals_;
};
