#include "app/ReadabilityBox.h"

#include "i18n/translateunit.h"
#include "texture/readability.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TReadabilityBox::TReadabilityBox(QWidget *parent) : QGroupBox(QStringLiteral("Lesbarkeit"), parent)
{
    setObjectName(QStringLiteral("LesbarkeitBox"));
    LesbarkeitNote = new QLabel(this);
    LesbarkeitNote->setObjectName(QStringLiteral("LesbarkeitNote"));
    LesbarkeitNote->setWordWrap(true);
    LesbarkeitNote->setTextFormat(Qt::PlainText);
    LesbarkeitNote->setProperty("velloran_notranslate", true); // made from translated patterns
    GrossdruckBtn = new QPushButton(QStringLiteral("Großdruck"), this);
    GrossdruckBtn->setObjectName(QStringLiteral("GrossdruckBtn"));
    GrossdruckBtn->setAutoDefault(false);
    // Many fonts below the figure make many lines: they scroll within a
    // few lines' height rather than make the window taller.
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("LesbarkeitScroll"));
    scroll->setWidget(LesbarkeitNote);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMaximumHeight(5 * fontMetrics().lineSpacing() + 4);
    scroll->viewport()->setAutoFillBackground(false); // the group's own background
    LesbarkeitNote->setAutoFillBackground(false);
    LesbarkeitNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(scroll);
    lay->addWidget(GrossdruckBtn, 0, Qt::AlignLeft);
}

void TReadabilityBox::showCheck(const ReadabilityCheck &c)
{
    QPalette p = LesbarkeitNote->palette();
    p.setColor(QPalette::WindowText, c.low.isEmpty() ? palette().color(QPalette::WindowText) : QColor(0xB0, 0x20, 0x20));
    LesbarkeitNote->setPalette(p);
    if (!c.measured)
        LesbarkeitNote->setText(TranslateStr(QStringLiteral("Ohne Hintergrundbild ist nichts zu prüfen.")));
    else if (c.low.isEmpty())
        LesbarkeitNote->setText(
            TranslateStr(QStringLiteral("Alle Schriften haben mindestens 4,5 : 1 Kontrast zum Hintergrund.")));
    else
        LesbarkeitNote->setText(ReadabilityWarnings(c).join(QLatin1Char('\n')));
}
