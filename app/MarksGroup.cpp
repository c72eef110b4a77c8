#include "app/MarksGroup.h"

#include "catalogue/markrecords.h"
#include "catalogue/officialwording.h"
#include "dialogs/languagefields.h"

#include "i18n/translatecomponents.h"
#include "i18n/translateunit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

TMarksGroup::TMarksGroup(QWidget *parent)
    : QGroupBox(QStringLiteral("Kennzeichnung"), parent), additives_(DefaultAdditives())
{
    setObjectName(QStringLiteral("MarksGroup"));
    execDialog = [](QDialog *d) { return d->exec(); };
    secondLanguage = [] { return SecondLanguage(); };
    MarksCheck = new QCheckBox(QStringLiteral("Allergene und Zusatzstoffe drucken"), this);
    MarksCheck->setObjectName(QStringLiteral("MarksCheck"));
    MarksCheck->setChecked(true);
    auto *legendLabel = new QLabel(QStringLiteral("Legende:"), this);
    legendLabel->setObjectName(QStringLiteral("LegendLabel"));
    LegendEndRadio = new QRadioButton(QStringLiteral("am Ende der Karte"), this);
    LegendEndRadio->setObjectName(QStringLiteral("LegendEndRadio"));
    LegendEndRadio->setChecked(true);
    LegendPageRadio = new QRadioButton(QStringLiteral("auf jeder Seite über der Fußzeile"), this);
    LegendPageRadio->setObjectName(QStringLiteral("LegendPageRadio"));
    ZusatzBtn = new QPushButton(QStringLiteral("Zusatzstoffe bearbeiten..."), this);
    ZusatzBtn->setObjectName(QStringLiteral("ZusatzBtn"));

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(MarksCheck);
    lay->addWidget(legendLabel);
    lay->addWidget(LegendEndRadio);
    lay->addWidget(LegendPageRadio);
    auto *row = new QHBoxLayout;
    row->addWidget(ZusatzBtn);
    row->addStretch(1);
    lay->addLayout(row);

    connect(MarksCheck, &QCheckBox::toggled, this, &TMarksGroup::settingsChanged);
    connect(LegendEndRadio, &QRadioButton::toggled, this, &TMarksGroup::settingsChanged);
    connect(ZusatzBtn, &QPushButton::clicked, this, &TMarksGroup::ZusatzBtnClick);
}

MarkSettings TMarksGroup::settings() const
{
    MarkSettings m;
    m.MarksCheck = MarksCheck->isChecked();
    m.LegendPos = LegendPageRadio->isChecked() ? LegendPlace::EveryPage : LegendPlace::AtEnd;
    m.additives = additives_;
    m.additiveTranslations = additiveTranslations_;
    return m;
}

void TMarksGroup::setSettings(const MarkSettings &m)
{
    const QSignalBlocker b1(MarksCheck), b2(LegendEndRadio), b3(LegendPageRadio);
    MarksCheck->setChecked(m.MarksCheck);
    LegendEndRadio->setChecked(m.LegendPos == LegendPlace::AtEnd);
    LegendPageRadio->setChecked(m.LegendPos == LegendPlace::EveryPage);
    additives_ = m.additives;
    additiveTranslations_ = m.additiveTranslations;
}

void TMarksGroup::ZusatzBtnClick()
{
    TAdditivesDialog dlg(additives_, window());
    TranslateComponents(&dlg);
    dlg.setTranslations(secondLanguage(), additiveTranslations_);
    if (execDialog(&dlg) != QDialog::Accepted)
        return;
    const QStringList list = dlg.additives();
    const QStringList translations = dlg.additiveTranslations();
    if ((list == additives_ && translations == additiveTranslations_) || list.size() > kMaxAdditives
        || translations.size() > list.size())
        return;
    additives_ = list;
    additiveTranslations_ = translations;
    emit additivesEdited();
}

namespace {
const char16_t *const kTooManyNote = u"Die Liste hat %1 Zusatzstoffe; höchstens 999 sind möglich.";
const char16_t *const kLostTranslationsNote =
    u"Es gibt %1 Übersetzungen, aber nur %2 Zusatzstoffe: Eine Übersetzung ohne Zusatzstoff ginge verloren.";
} // namespace

TAdditivesDialog::TAdditivesDialog(const QStringList &additives, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AdditivesDialog"));
    setWindowTitle(QStringLiteral("Zusatzstoffe"));
    auto *hint = new QLabel(QStringLiteral("Ein Zusatzstoff je Zeile; die Zeilennummer ist seine Nummer auf der Karte."), this);
    hint->setObjectName(QStringLiteral("AdditivesLabel"));
    hint->setWordWrap(true);
    AdditivesMemo = new QPlainTextEdit(this);
    AdditivesMemo->setObjectName(QStringLiteral("AdditivesMemo"));
    AdditivesMemo->setProperty("velloran_notranslate", true); // document content
    AdditivesMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    AdditivesMemo->setPlainText(additives.join(QLatin1Char('\n')));
    given_ = additives;
    shown_ = AdditivesMemo->toPlainText();
    AdditivesMemo->setMinimumSize(360, 260);
    TranslationsMemo = new TLinesEdit(this);
    TranslationsMemo->setObjectName(QStringLiteral("TranslationsMemo"));
    TranslationsMemo->setMinimumSize(360, 260);
    // The language's name comes with the translations (setTranslations).
    TranslationsLabel = new QLabel(this);
    TranslationsLabel->setObjectName(QStringLiteral("TranslationsLabel"));
    TranslationsLabel->setProperty("velloran_notranslate", true);
    shownTr_ = TranslationsMemo->toPlainText();
    // The lines stand side by side: both boxes scroll together.
    QScrollBar *a = AdditivesMemo->verticalScrollBar();
    QScrollBar *b = TranslationsMemo->verticalScrollBar();
    connect(a, &QScrollBar::valueChanged, b, &QScrollBar::setValue);
    connect(b, &QScrollBar::valueChanged, a, &QScrollBar::setValue);
    // A German line removed or inserted takes its translation line with it.
    lines_ = AdditivesMemo->toPlainText().split(QLatin1Char('\n'));
    connect(AdditivesMemo->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int) { keepTranslationsInStep(position); });
    connect(AdditivesMemo, &QPlainTextEdit::textChanged, this, &TAdditivesDialog::showShippedWording);
    showShippedWording();
    // Shown when the list is longer than a document can hold.
    AdditivesNote = new QLabel(this);
    AdditivesNote->setObjectName(QStringLiteral("AdditivesNote"));
    AdditivesNote->setWordWrap(true);
    AdditivesNote->setTextFormat(Qt::PlainText);
    QPalette notePalette = AdditivesNote->palette();
    notePalette.setColor(QPalette::WindowText, QColor(0xB0, 0x20, 0x20));
    AdditivesNote->setPalette(notePalette);
    AdditivesNote->hide();
    DefaultBtn = new QPushButton(QStringLiteral("Standardliste"), this);
    DefaultBtn->setObjectName(QStringLiteral("DefaultBtn"));
    connect(DefaultBtn, &QPushButton::clicked, this,
            [this] { AdditivesMemo->setPlainText(DefaultAdditives().join(QLatin1Char('\n'))); });
    auto *ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                   QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DefaultBtn);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *memos = new QGridLayout;
    memos->addWidget(TranslationsLabel, 0, 1);
    memos->addWidget(AdditivesMemo, 1, 0);
    memos->addWidget(TranslationsMemo, 1, 1);
    memos->setRowStretch(1, 1);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(hint);
    lay->addLayout(memos, 1);
    lay->addWidget(AdditivesNote);
    lay->addLayout(buttons);
}

void TAdditivesDialog::accept()
{
    const qsizetype n = additives().size();
    if (n > kMaxAdditives) {
        AdditivesNote->setText(TranslateStr(QString::fromUtf16(kTooManyNote)).arg(n));
        AdditivesNote->show();
        return;
    }
    const qsizetype t = additiveTranslations().size();
    if (t > n) {
        AdditivesNote->setText(TranslateStr(QString::fromUtf16(kLostTranslationsNote)).arg(t).arg(n));
        AdditivesNote->show();
        TranslationsMemo->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}

QStringList TAdditivesDialog::messageTexts()
{
    return {QString::fromUtf16(kTooManyNote), QString::fromUtf16(kLostTranslationsNote)};
}

void TAdditivesDialog::setTranslations(const SecondLanguage &language, const QStringList &translations)
{
    language_ = language;
    TranslationsLabel->setText(SecondLanguageTitle(language));
    TranslationsMemo->setPlainText(translations.join(QLatin1Char('\n')));
    givenTr_ = translations;
    shownTr_ = TranslationsMemo->toPlainText();
    showShippedWording();
}

QStringList TAdditivesDialog::additiveTranslations() const
{
    if (TranslationsMemo->toPlainText() == shownTr_)
        return givenTr_;
    return TranslationLines(TranslationsMemo->toPlainText(), CleanAdditiveText);
}

void TAdditivesDialog::keepTranslationsInStep(int position)
{
    const QString text = AdditivesMemo->toPlainText();
    // A text replaced as a whole may pass through the empty box: it is
    // compared with the text that comes.
    if (text.isEmpty())
        return;
    const QStringList now = text.split(QLatin1Char('\n'));
    const QStringList before = lines_;
    lines_ = now;
    const qsizetype n = before.size();
    const qsizetype m = now.size();
    // The lines before the changed one are as they were; so are the lines
    // at the end that read as before. In between, the lines that are left
    // keep their translations in order; the translations of removed lines
    // go, inserted lines get empty ones.
    const qsizetype changedLine = AdditivesMemo->document()->findBlock(position).blockNumber();
    qsizetype head = 0;
    while (head < n && head < m && head < changedLine && before.at(head) == now.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < n - head && tail < m - head && before.at(n - 1 - tail) == now.at(m - 1 - tail))
        ++tail;
    const int wasBetween = int(n - head - tail);
    const int isBetween = int(m - head - tail);
    QTextDocument *doc = TranslationsMemo->document();
    const int count = doc->blockCount();
    const int from = int(head) + std::min(wasBetween, isBetween);
    if (from >= count || wasBetween == isBetween)
        return; // no translation stands there
    QTextCursor c(doc);
    if (isBetween > wasBetween) {
        c.setPosition(doc->findBlockByNumber(from).position());
        c.insertText(QString(isBetween - wasBetween, QLatin1Char('\n')));
        return;
    }
    const int to = int(head) + wasBetween;
    if (to < count) {
        c.setPosition(doc->findBlockByNumber(from).position());
        c.setPosition(doc->findBlockByNumber(to).position(), QTextCursor::KeepAnchor);
    } else if (from > 0) {
        const QTextBlock last = doc->findBlockByNumber(from - 1);
        c.setPosition(last.position() + last.length() - 1);
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    } else {
        c.select(QTextCursor::Document);
    }
    c.removeSelectedText();
}

void TAdditivesDialog::showShippedWording()
{
    QStringList hints;
    for (const QString &german : additives())
        hints << ShippedAdditiveText(german, language_.tag);
    TranslationsMemo->setLinePlaceholders(hints);
}

QStringList TAdditivesDialog::additives() const
{
    if (AdditivesMemo->toPlainText() == shown_)
        return given_;
    QStringList list = AdditivesMemo->toPlainText().split(QLatin1Char('\n'));
    for (QString &s : list)
        s = CleanAdditiveText(s).trimmed();
    while (!list.isEmpty() && list.last().isEmpty())
        list.removeLast();
    return list;
}
