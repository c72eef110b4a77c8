// The size headings of a category ("Größen..."): up to four columns, each
// with a heading such as "0,3 l"; no heading means one price as usual.
// Beside each heading its translation into the document's second language.
#pragma once

#include "catalogue/translation.h"

#include <QDialog>
#include <QStringList>
#include <QVector>

class QLabel;
class QLineEdit;

class TSizesForm : public QDialog {
    Q_OBJECT
public:
    explicit TSizesForm(QWidget *parent = nullptr);

    QVector<QLineEdit *> HeadingEds;   // one per size column
    QVector<QLineEdit *> HeadingTrEds; // their translations
    QLabel *LanguageLabel;             // the second language's name, above them

    void setHeadings(const QStringList &headings);
    // The headings entered, up to the last one that is not empty; typed
    // ones without blanks at their ends.
    QStringList headings() const;
    // The second language and the headings' translations (one per heading).
    void setTranslations(const SecondLanguage &language, const QStringList &translations);
    // One per heading of headings(), read as the headings are.
    QStringList headingTranslations() const;

    // The German text of the note, for the translation table.
    static QStringList messageTexts();

public slots:
    // A translation beside a size without heading would be lost: the
    // dialog stays open and says so.
    void accept() override;

private:
    QStringList given_;   // as setHeadings gave them
    QStringList givenTr_; // as setTranslations gave them
    // Field k read as a heading: as given while unchanged, trimmed otherwise.
    static QString read(const QLineEdit *e, const QStringList &given, int k);
};
