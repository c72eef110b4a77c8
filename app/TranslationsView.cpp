#include "app/TranslationsView.h"

#include "i18n/translateunit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

const char16_t kCount[] = u"%1 von %2 Texten fehlen";
const char16_t kOther[] = u"Andere…";
const char16_t *const kColumns[] = {u"Art", u"Deutsch (Original)", u"Übersetzung"};

// Texts of several lines: descriptions and free texts. The table shows and
// edits them with line feeds; the document keeps CR LF.
bool severalLines(TextKind kind)
{
    return kind == TextKind::Description || kind == TextKind::FreeText;
}

QString shownText(const QString &stored)
{
    QString s = stored;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

QString storedText(TextKind kind, const QString &shown)
{
    if (!severalLines(kind))
        return shown;
    QString s = shown;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return s;
}

// The German name of one text's kind, as a row shows it.
const char16_t *kindName(TextKind kind)
{
    switch (kind) {
    case TextKind::Category: return u"Kategorie";
    case TextKind::SizeHeading: return u"Größe";
    case TextKind::Name: return u"Bezeichnung";
    case TextKind::Description: return u"Beschreibung";
    case TextKind::Quantity: return u"Menge";
    case TextKind::FreeText: return u"Freitext";
    case TextKind::Heading: return u"Überschrift";
    case TextKind::Header: return u"Kopfzeile";
    case TextKind::Footer: return u"Fußzeile";
    case TextKind::Additive: return u"Zusatzstoff";
    }
    return u"";
}

// The editors of the translation column: one line, or several for
// descriptions (Shift+Enter starts a new line there). Enter takes the text
// and asks for the next missing one.
class TranslationDelegate : public QStyledItemDelegate {
public:
    TranslationDelegate(const QVector<TranslatableText> &texts, std::function<void()> enter, QObject *parent)
        : QStyledItemDelegate(parent), texts_(texts), enter_(std::move(enter))
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (index.row() < texts_.size() && severalLines(texts_.at(index.row()).place.kind)) {
            auto *memo = new QPlainTextEdit(parent);
            memo->setObjectName(QStringLiteral("TranslationMemo"));
            memo->setFrameShape(QFrame::NoFrame);
            return memo;
        }
        QWidget *w = QStyledItemDelegate::createEditor(parent, option, index);
        w->setObjectName(QStringLiteral("TranslationEd"));
        return w;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *memo = qobject_cast<QPlainTextEdit *>(editor)) {
            memo->setPlainText(index.data(Qt::EditRole).toString());
            memo->moveCursor(QTextCursor::End);
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        if (auto *memo = qobject_cast<QPlainTextEdit *>(editor)) {
            model->setData(index, memo->toPlainText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::updateEditorGeometry(editor, option, index);
        // A description gets room for a few lines even in a low row.
        if (qobject_cast<QPlainTextEdit *>(editor))
            editor->resize(editor->width(), qMax(editor->height(), editor->fontMetrics().lineSpacing() * 4));
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QWidget *>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            auto *k = static_cast<QKeyEvent *>(event);
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                auto *memo = qobject_cast<QPlainTextEdit *>(editor);
                if (memo && (k->modifiers() & Qt::ShiftModifier)) {
                    memo->insertPlainText(QStringLiteral("\n"));
                    return true;
                }
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                enter_();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    const QVector<TranslatableText> &texts_;
    std::function<void()> enter_;
};

} // namespace

QModelIndex TTranslationTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action != MoveNext && action != MovePrevious)
        return QTableWidget::moveCursor(action, modifiers);
    // From translation to translation, over the rows shown.
    const int step = action == MoveNext ? 1 : -1;
    for (int r = currentIndex().row() + step; r >= 0 && r < rowCount(); r += step)
        if (!isRowHidden(r))
            return model()->index(r, TTranslationsView::TranslationColumn);
    return QModelIndex();
}

TTranslationsView::TTranslationsView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TranslationsView"));
    SpracheLabel = new QLabel(QStringLiteral("Zweite Sprache:"), this);
    SpracheLabel->setObjectName(QStringLiteral("SpracheLabel"));
    SpracheBox = new QComboBox(this);
    SpracheBox->setObjectName(QStringLiteral("SpracheBox"));
    SpracheBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    SpracheLabel->setBuddy(SpracheBox);
    NurFehlendeCheck = new QCheckBox(QStringLiteral("nur fehlende"), this);
    NurFehlendeCheck->setObjectName(QStringLiteral("NurFehlendeCheck"));
    AnzahlLabel = new QLabel(this);
    AnzahlLabel->setObjectName(QStringLiteral("AnzahlLabel"));
    AnzahlLabel->setProperty("velloran_notranslate", true); // a count, made in the interface language
    AnzahlLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    TextTable = new TTranslationTable(0, 3, this);
    TextTable->setObjectName(QStringLiteral("TextTable"));
    TextTable->setProperty("velloran_notranslate", true); // the document's texts
    TextTable->setHorizontalHeaderLabels({QString::fromUtf16(kColumns[0]), QString::fromUtf16(kColumns[1]),
                                          QString::fromUtf16(kColumns[2])});
    TextTable->verticalHeader()->hide();
    TextTable->setSelectionBehavior(QAbstractItemView::SelectItems);
    TextTable->setSelectionMode(QAbstractItemView::SingleSelection);
    TextTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                               | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    TextTable->setTabKeyNavigation(true);
    TextTable->setWordWrap(true);
    TextTable->setAlternatingRowColors(true);
    // The rows are measured when their texts change or the columns' widths
    // do, not at every repaint (a header that sizes itself to its contents
    // measures every row for each changed cell).
    QHeaderView *h = TextTable->horizontalHeader();
    h->setSectionResizeMode(KindColumn, QHeaderView::Interactive);
    h->setSectionResizeMode(GermanColumn, QHeaderView::Stretch);
    h->setSectionResizeMode(TranslationColumn, QHeaderView::Stretch);
    TextTable->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(h, &QHeaderView::sectionResized, this, [this](int column) {
        if (column != KindColumn)
            TextTable->resizeRowsToContents();
    });
    TextTable->setItemDelegateForColumn(
        TranslationColumn, new TranslationDelegate(texts_, [this] { editNextMissing(TextTable->currentRow()); }, TextTable));

    auto *head = new QHBoxLayout;
    head->addWidget(SpracheLabel);
    head->addWidget(SpracheBox);
    head->addSpacing(24);
    head->addWidget(NurFehlendeCheck);
    head->addStretch(1);
    head->addWidget(AnzahlLabel);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(head);
    lay->addWidget(TextTable, 1);

    connect(TextTable, &QTableWidget::itemChanged, this, &TTranslationsView::itemEdited);
    connect(NurFehlendeCheck, &QCheckBox::toggled, this, [this] {
        applyFilter();
        // The current text, if now hidden, gives way to the first one shown.
        if (TextTable->currentRow() < 0 || TextTable->isRowHidden(TextTable->currentRow()))
            for (int r = 0; r < TextTable->rowCount(); ++r)
                if (!TextTable->isRowHidden(r)) {
                    TextTable->setCurrentCell(r, TranslationColumn);
                    break;
                }
    });
    connect(SpracheBox, &QComboBox::activated, this, [this](int i) {
        const QString tag = SpracheBox->itemData(i).toString();
        if (tag.isEmpty()) {
            emit otherLanguageRequested();
            return;
        }
        SecondLanguage l;
        l.tag = tag;
        l.name = SpracheBox->itemData(i, Qt::UserRole + 1).toString();
        emit languageChosen(l);
    });
    setLanguage(SecondLanguage());
    showCount();
}

QStringList TTranslationsView::messageTexts()
{
    QStringList t{QString::fromUtf16(kCount), QString::fromUtf16(kOther)};
    for (const char16_t *c : kColumns)
        t << QString::fromUtf16(c);
    for (int k = 0; k < kTextKinds; ++k)
        t << QString::fromUtf16(kindName(TextKind(k)));
    return t + LanguageMessageTexts();
}

void TTranslationsView::translateTexts()
{
    TextTable->setHorizontalHeaderLabels({TranslateStr(kColumns[0]), TranslateStr(kColumns[1]), TranslateStr(kColumns[2])});
    setLanguage(language_);
    for (int r = 0; r < TextTable->rowCount() && r < texts_.size(); ++r)
        if (QTableWidgetItem *it = TextTable->item(r, KindColumn)) {
            const QSignalBlocker block(TextTable);
            it->setText(kindText(texts_.at(r)));
        }
    showCount();
}

void TTranslationsView::setLanguage(const SecondLanguage &language)
{
    language_ = language;
    const QSignalBlocker block(SpracheBox);
    SpracheBox->clear();
    int current = -1;
    for (const OfferedLanguage &o : OfferedLanguages()) {
        const QString tag = QLatin1String(o.tag);
        if (language.name.isEmpty() && language.tag.compare(tag, Qt::CaseInsensitive) == 0)
            current = SpracheBox->count();
        SpracheBox->addItem(TranslateStr(QString::fromUtf8(o.name)), tag);
    }
    if (current < 0) {
        // A language of the user's own: its name and tag.
        current = SpracheBox->count();
        SpracheBox->addItem(QStringLiteral("%1 (%2)").arg(language.displayName(), language.tag), language.tag);
        SpracheBox->setItemData(current, language.name, Qt::UserRole + 1);
    }
    SpracheBox->addItem(TranslateStr(kOther), QString());
    SpracheBox->setCurrentIndex(current);
}

QString TTranslationsView::kindText(const TranslatableText &t) const
{
    QString s = TranslateStr(QString::fromUtf16(kindName(t.place.kind)));
    // A card's own texts name their card when there are several.
    if (t.place.card >= 0 && cardNames_.size() > 1 && t.place.card < cardNames_.size())
        s += QStringLiteral(" (%1)").arg(cardNames_.at(t.place.card));
    return s;
}

// Sets only what differs: every change of an item makes the table measure
// it again.
bool TTranslationsView::fillRow(int row, const TranslatableText &t)
{
    bool changed = false;
    auto item = [this, row, &changed](int column, const QString &text, Qt::ItemFlags flags) {
        QTableWidgetItem *it = TextTable->item(row, column);
        if (!it) {
            it = new QTableWidgetItem;
            it->setFlags(flags);
            TextTable->setItem(row, column, it);
        }
        if (it->text() != text) {
            it->setText(text);
            changed = true;
        }
        return it;
    };
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    item(KindColumn, kindText(t), shown);
    item(GermanColumn, shownText(t.german), shown);
    QTableWidgetItem *tr = item(TranslationColumn, shownText(t.translation), shown | Qt::ItemIsEditable);
    // Missing ones stand out; the shipped wording of an additive is grey
    // until the user gives a wording of his own.
    const QBrush background = t.missing() ? QBrush(QColor(0xFF, 0xF1, 0xC9)) : QBrush();
    const QBrush foreground = t.shipped ? QBrush(QColor(0x70, 0x70, 0x70)) : QBrush();
    if (tr->background() != background)
        tr->setBackground(background);
    if (tr->foreground() != foreground)
        tr->setForeground(foreground);
    return changed;
}

void TTranslationsView::setTexts(const QVector<TranslatableText> &texts, const QStringList &cardNames)
{
    const int currentRow = TextTable->currentRow();
    const int currentColumn = TextTable->currentColumn();
    const bool hadCurrent = currentRow >= 0 && currentRow < texts_.size();
    const TextPlace current = hadCurrent ? texts_.at(currentRow).place : TextPlace();
    bool samePlaces = texts.size() == texts_.size();
    for (int i = 0; samePlaces && i < texts.size(); ++i)
        samePlaces = texts.at(i).place == texts_.at(i).place;

    filling_ = true;
    const QVector<TranslatableText> before = texts_;
    texts_ = texts;
    cardNames_ = cardNames;
    if (!samePlaces)
        TextTable->setRowCount(int(texts_.size()));
    bool anyChanged = false;
    for (int r = 0; r < texts_.size(); ++r) {
        // An edit in place has set its cell's text already.
        if (fillRow(r, texts_.at(r))
            || (samePlaces && before.at(r).translation != texts_.at(r).translation)) {
            anyChanged = true;
            if (samePlaces)
                TextTable->resizeRowToContents(r);
        }
    }
    if (!samePlaces) {
        TextTable->resizeColumnToContents(KindColumn);
        TextTable->resizeRowsToContents();
    } else if (anyChanged) {
        TextTable->resizeColumnToContents(KindColumn);
    }
    filling_ = false;
    applyFilter();
    showCount();
    if (!samePlaces && hadCurrent) {
        const int row = rowOf(current);
        if (row >= 0)
            TextTable->setCurrentCell(row, currentColumn < 0 ? TranslationColumn : currentColumn);
    }
}

int TTranslationsView::rowOf(const TextPlace &place) const
{
    for (int r = 0; r < texts_.size(); ++r)
        if (texts_.at(r).place == place)
            return r;
    return -1;
}

void TTranslationsView::applyFilter()
{
    const bool onlyMissing = NurFehlendeCheck->isChecked();
    for (int r = 0; r < TextTable->rowCount(); ++r)
        TextTable->setRowHidden(r, onlyMissing && r < texts_.size() && !texts_.at(r).missing());
}

void TTranslationsView::showCount()
{
    AnzahlLabel->setText(TranslateStr(kCount).arg(MissingTranslations(texts_)).arg(texts_.size()));
}

bool TTranslationsView::editNextMissing(int row)
{
    const int n = int(texts_.size());
    for (int k = 1; k <= n; ++k) {
        const int r = ((row < 0 ? -1 : row) + k) % n;
        if (!texts_.at(r).missing() || TextTable->isRowHidden(r))
            continue;
        TextTable->setCurrentCell(r, TranslationColumn);
        TextTable->scrollToItem(TextTable->item(r, TranslationColumn));
        TextTable->editItem(TextTable->item(r, TranslationColumn));
        return true;
    }
    return false;
}

void TTranslationsView::itemEdited(QTableWidgetItem *item)
{
    if (filling_ || item->column() != TranslationColumn || item->row() >= texts_.size())
        return;
    const TranslatableText &t = texts_.at(item->row());
    const QString text = storedText(t.place.kind, item->text());
    if (text == t.translation)
        return;
    emit translationEdited(t.place, text);
}

TOtherLanguageDialog::TOtherLanguageDialog(const QString &name, const QString &tag, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OtherLanguageDialog"));
    setWindowTitle(TranslateStr(QStringLiteral("Andere Sprache")));
    NameEd = new QLineEdit(name, this);
    NameEd->setObjectName(QStringLiteral("NameEd"));
    NameEd->setMaxLength(60);
    TagEd = new QLineEdit(tag, this);
    TagEd->setObjectName(QStringLiteral("TagEd"));
    TagEd->setMaxLength(35);
    TagEd->setPlaceholderText(QStringLiteral("pt-BR"));
    auto *form = new QFormLayout;
    auto *nameLabel = new QLabel(TranslateStr(QStringLiteral("Name der Sprache:")), this);
    nameLabel->setBuddy(NameEd);
    auto *tagLabel = new QLabel(TranslateStr(QStringLiteral("Sprachkennung (BCP 47):")), this);
    tagLabel->setBuddy(TagEd);
    form->addRow(nameLabel, NameEd);
    form->addRow(tagLabel, TagEd);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(form);
    lay->addWidget(buttons);
    setMinimumWidth(360);
}

QStringList TOtherLanguageDialog::messageTexts()
{
    return {QStringLiteral("Andere Sprache"), QStringLiteral("Name der Sprache:"),
            QStringLiteral("Sprachkennung (BCP 47):")};
}

SecondLanguage TOtherLanguageDialog::language() const
{
    SecondLanguage l;
    l.tag = TagEd->text().trimmed();
    l.name = OneLineText(NameEd->text()).trimmed();
    // A language of the list is that language, whatever name it was given.
    for (const OfferedLanguage &o : OfferedLanguages())
        if (l.tag.compare(QLatin1String(o.tag), Qt::CaseInsensitive) == 0) {
            l.tag = QLatin1String(o.tag);
            l.name.clear();
        }
    return l;
}
