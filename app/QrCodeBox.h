// The QR code settings on the tab "Speisekarte erzeugen": the web address,
// whether the card prints its code, and the code's size in millimetres.
#pragma once

#include <QWidget>

struct CardSettings;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;

class TQrCodeBox : public QWidget {
    Q_OBJECT
public:
    explicit TQrCodeBox(QWidget *parent = nullptr);

    QLineEdit *QrUrlEd;
    QCheckBox *QrDruckCheck;
    QDoubleSpinBox *QrGroesseEd;
    QLabel *QrNote; // why the card prints no code although it should

    void readInto(CardSettings &s) const;
    void setFrom(const CardSettings &s); // raises changed() for what differs

private slots:
    void updateNote();

signals:
    void changed(); // any of the three, by the user or by code
};
