#include "app/AboutBox.h"
#include "app/AppIcons.h"
#include "catalogue/platform.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);

    auto *icon = new QLabel(this);
    icon->setPixmap(VelloranIcon().pixmap(64, 64));
    auto *name = new QLabel(QStringLiteral("<b style='font-size:16pt'>Velloran</b>"), this);
    name->setObjectName(QStringLiteral("ProductName"));
    auto *version = new QLabel(QStringLiteral("Version " VELLORAN_VERSION), this);
    version->setObjectName(QStringLiteral("Version"));
    auto *purpose = new QLabel(QStringLiteral("Speisekarten anlegen, gestalten und drucken"), this);
    purpose->setObjectName(QStringLiteral("Comments"));
    libraries = new QLabel(this);
    libraries->setObjectName(QStringLiteral("Libraries"));
    auto *notices = new QLabel(
        QStringLiteral("Copyright 2026 The Velloran authors. Velloran is free software under the\n"
                       "GNU General Public License, version 3 or (at your option) any later\n"
                       "version (GPL-3.0-or-later); it comes with ABSOLUTELY NO WARRANTY.\n"
                       "Built with Qt %1 (LGPL v3, The Qt Company Ltd. and contributors).\n")
                .arg(QString::fromLatin1(qVersion()))
            + platform::FontNotice(),
        this);
    notices->setObjectName(QStringLiteral("Notices"));
    // The notices are legal texts in English; the interface translation
    // leaves them alone.
    notices->setProperty("velloran_notranslate", true);
    version->setProperty("velloran_notranslate", true);
    libraries->setProperty("velloran_notranslate", true);
    name->setProperty("velloran_notranslate", true);

    auto *ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(purpose);
    texts->addSpacing(8);
    texts->addWidget(libraries);
    texts->addWidget(notices);
    head->addLayout(texts, 1);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(head);
    auto *btnRow = new QHBoxLayout;
    btnRow->addStretch(1);
    btnRow->addWidget(ok);
    lay->addLayout(btnRow);
    lay->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::showEvent(QShowEvent *event)
{
    if (libraries->text().isEmpty()) {
        // Three to a line: "Qt 6.4.2, zlib 1.2.13, libpng 1.6.39," ...
        const QStringList list = platform::LibraryVersions();
        QString text;
        for (int i = 0; i < list.size(); ++i) {
            text += list.at(i);
            if (i + 1 < list.size())
                text += (i % 3 == 2) ? QStringLiteral(",\n") : QStringLiteral(", ");
        }
        libraries->setText(QStringLiteral("Libraries: ") + text);
    }
    QDialog::showEvent(event);
}
