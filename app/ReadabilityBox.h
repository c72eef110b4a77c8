// The readability check on the tab "Layout": which fonts fall below 4.5 : 1
// against the lightened background picture, with the lightening that would
// reach it, and the button "Großdruck" (a copy of the document with every
// font 1.4 times as large and no background picture).
#pragma once

#include <QGroupBox>

struct ReadabilityCheck;
class QLabel;
class QPushButton;

class TReadabilityBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TReadabilityBox(QWidget *parent = nullptr);

    QLabel *LesbarkeitNote;
    QPushButton *GrossdruckBtn;

    // Says the result of a check (in the interface language).
    void showCheck(const ReadabilityCheck &c);
};
