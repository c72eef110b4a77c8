#include "app/FilenameEdit.h"
#include "i18n/filedialogfilter.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

TFilenameEdit::TFilenameEdit(QWidget *parent) : QWidget(parent)
{
    // Its texts are file names, not words: the interface translation leaves
    // this field alone.
    setProperty("velloran_notranslate", true);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("FilenameEdit2Text"));
    button_ = new QToolButton(this);
    button_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    button_->setToolTip(QString());
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(2);
    lay->addWidget(edit_, 1);
    lay->addWidget(button_);
    connect(edit_, &QLineEdit::textChanged, this, &TFilenameEdit::changed);
    connect(button_, &QToolButton::clicked, this, &TFilenameEdit::browse);
}

QString TFilenameEdit::FileName() const
{
    return edit_->text();
}

void TFilenameEdit::setFileName(const QString &name)
{
    chosen_.clear();
    edit_->setText(name);
}

bool TFilenameEdit::ChosenInDialog() const
{
    return !chosen_.isEmpty() && edit_->text() == chosen_;
}

void TFilenameEdit::browse()
{
    const QString f =
        QFileDialog::getOpenFileName(this, QString(), startFolder ? startFolder() : QString(),
                                     Filter ? Filter->qtFilter() : QString());
    if (f.isEmpty())
        return;
    chosen_ = f; // before the text changes: the change already opens the picture
    if (edit_->text() == f)
        emit changed(); // the same name, now chosen: opened as chosen
    else
        edit_->setText(f);
}

