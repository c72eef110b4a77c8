#pragma once

#include <QDialog>

// The about box: the program's name, version and the notices for the
// libraries and fonts it uses.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);
};
