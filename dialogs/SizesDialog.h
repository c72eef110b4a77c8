// The size headings of a category ("Größen..."): up to four columns, each
// with a heading such as "0,3 l"; no heading means one price as usual.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QVector>

class QLineEdit;

class TSizesForm : public QDialog {
    Q_OBJECT
public:
    explicit TSizesForm(QWidget *parent = nullptr);

    QVector<QLineEdit *> HeadingEds; // one per size column

    void setHeadings(const QStringList &headings);
    // The headings entered, up to the last one that is not empty; typed
    // ones without blanks at their ends.
    QStringList headings() const;

private:
    QStringList given_; // as setHeadings gave them
};
