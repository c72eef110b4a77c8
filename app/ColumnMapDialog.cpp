#include "app/ColumnMapDialog.h"

#include "export/sheetfile.h"
#include "i18n/translateunit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

QStringList TColumnMapForm::messageTexts()
{
    return {QStringLiteral("nicht importieren"), QStringLiteral("Spalte %1"),
            QStringLiteral("Bitte wählen Sie die Spalten für %1."), QStringLiteral("\"%1\" ist mehrmals gewählt.")};
}

TColumnMapForm::TColumnMapForm(const SheetRow &header, const SheetColumns &columns, const QString &languageTag,
                               QWidget *parent)
    : QDialog(parent), languageTag_(languageTag)
{
    setObjectName(QStringLiteral("ColumnMapForm"));
    setWindowTitle(QStringLiteral("Spalten zuordnen"));
    setModal(true);

    auto *intro = new QLabel(QStringLiteral("Die Spaltenüberschriften der Tabelle sind nicht alle bekannt. "
                                            "Welche Angabe steht in welcher Spalte?"),
                             this);
    intro->setObjectName(QStringLiteral("IntroLabel"));
    intro->setWordWrap(true);

    auto *grid = new QGridLayout;
    auto *inner = new QWidget(this);
    inner->setLayout(grid);
    for (int i = 0; i < header.cells.size(); ++i) {
        QString title = header.cells.at(i).text.trimmed();
        if (title.isEmpty())
            title = TranslateStr(QStringLiteral("Spalte %1")).arg(i + 1);
        auto *label = new QLabel(title, inner);
        label->setProperty("velloran_notranslate", true);
        label->setTextFormat(Qt::PlainText);
        auto *box = new QComboBox(inner);
        box->setObjectName(QStringLiteral("ColumnBox%1").arg(i + 1));
        box->setProperty("velloran_notranslate", true);
        box->addItem(TranslateStr(QStringLiteral("nicht importieren")), -1);
        for (int k = 0; k < kSheetColumnKinds; ++k)
            box->addItem(ColumnTitle(k, languageTag_), k);
        // Translation columns of another language than the document's are
        // not chosen for it.
        const bool sameLanguage = columns.translationTag.compare(languageTag_, Qt::CaseInsensitive) == 0;
        for (int k = 0; k < kSheetColumnKinds; ++k)
            if (columns.at[k] == i && (sameLanguage || !IsTranslationColumn(k)))
                box->setCurrentIndex(box->findData(k));
        label->setBuddy(box);
        grid->addWidget(label, i, 0);
        grid->addWidget(box, i, 1);
        ColumnBoxes << box;
        connect(box, &QComboBox::currentIndexChanged, this, [this] { update(); });
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(int(header.cells.size()), 1); // the choices stay together at the top
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    scroll->setMinimumSize(420, 220);

    NoteLabel = new QLabel(this);
    NoteLabel->setObjectName(QStringLiteral("NoteLabel"));
    NoteLabel->setProperty("velloran_notranslate", true);
    NoteLabel->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkBtn = buttons->button(QDialogButtonBox::Ok);
    OkBtn->setObjectName(QStringLiteral("ColumnMapOk"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *top = new QVBoxLayout(this);
    top->addWidget(intro);
    top->addWidget(scroll, 1);
    top->addWidget(NoteLabel);
    top->addWidget(buttons);
    update();
}

SheetColumns TColumnMapForm::columns() const
{
    SheetColumns c;
    for (int i = 0; i < ColumnBoxes.size(); ++i) {
        const int k = ColumnBoxes.at(i)->currentData().toInt();
        if (k >= 0 && c.at[k] < 0)
            c.at[k] = i;
        if (IsTranslationColumn(k))
            c.translationTag = languageTag_;
    }
    return c;
}

void TColumnMapForm::update()
{
    QVector<int> uses(kSheetColumnKinds, 0);
    for (const QComboBox *box : ColumnBoxes) {
        const int k = box->currentData().toInt();
        if (k >= 0)
            ++uses[k];
    }
    QString note;
    for (int k = 0; k < kSheetColumnKinds && note.isEmpty(); ++k)
        if (uses[k] > 1)
            note = TranslateStr(QStringLiteral("\"%1\" ist mehrmals gewählt.")).arg(ColumnTitle(k, languageTag_));
    if (note.isEmpty()) {
        QStringList missing;
        for (int k : {int(ColCategory), int(ColName), int(ColPrice)})
            if (uses[k] == 0)
                missing << QStringLiteral("\"%1\"").arg(ColumnTitle(k));
        if (!missing.isEmpty())
            note = TranslateStr(QStringLiteral("Bitte wählen Sie die Spalten für %1.")).arg(missing.join(QStringLiteral(", ")));
    }
    NoteLabel->setText(note);
    OkBtn->setEnabled(note.isEmpty());
}
