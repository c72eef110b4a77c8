// The card selector above the tabs: "Karte:" with the document's cards in a
// combo box, and the buttons that make, copy, rename and delete a card. It
// shows the list and reports what the user chose; the window does the work.
#pragma once

#include <QDialog>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

class TCardBar : public QWidget {
    Q_OBJECT
public:
    explicit TCardBar(QWidget *parent = nullptr);

    QLabel *KarteLabel;        // "Karte:"
    QComboBox *KarteBox;       // the cards, in order
    QPushButton *NeuBtn;       // "Neu"
    QPushButton *DuplizierenBtn;
    QPushButton *UmbenennenBtn;
    QPushButton *LoeschenBtn;  // disabled for the last card left

    // Shows the cards and selects one, without reporting a choice. "Neu" and
    // "Duplizieren" are disabled when the list is full, "Löschen" when one
    // card is left.
    void setCards(const QStringList &names, int selected);

signals:
    void cardChosen(int index); // by the user
};

class QLineEdit;

// Asks for a card's name: "Name der Karte:" and a line, with OK and Cancel.
class TCardNameDialog : public QDialog {
    Q_OBJECT
public:
    TCardNameDialog(const QString &title, const QString &name, QWidget *parent = nullptr);
    QLineEdit *NameEd;
    QString name() const;
};
