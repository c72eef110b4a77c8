#pragma once

#include <QDialog>

class QLabel;

// The about box: the program's name, version, the libraries it reads pictures with and
// the notices for the libraries and fonts it uses.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

protected:
    // Lists the libraries when the box is first shown: finding their versions loads
    // every picture plugin, which the program's start need not wait for.
    void showEvent(QShowEvent *event) override;

private:
    QLabel *libraries;
};
