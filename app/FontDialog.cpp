#include "app/FontDialog.h"
#include "i18n/translateunit.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

std::function<bool(QWidget *, FontSetting &)> TFontDialog::chooser;

TFontDialog::TFontDialog(const FontSetting &initial, QObject *parent) : QObject(parent), Font(initial) {}

QColor WindowsColourToQt(uint32_t colour)
{
    if ((colour & 0xFF000000u) == 0xFF000000u) {
        const QPalette pal = QApplication::palette();
        switch (colour & 0xFFu) {
        case 5: return pal.color(QPalette::Base);
        case 8: return pal.color(QPalette::WindowText);
        case 15: return pal.color(QPalette::Button);
        case 18: return pal.color(QPalette::ButtonText);
        default: return pal.color(QPalette::WindowText);
        }
    }
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

uint32_t QtColourToWindows(const QColor &c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

static QFont toQFont(const FontSetting &f)
{
    // A face the system only substitutes (Times New Roman -> Liberation
    // Serif) is offered as the family that actually draws it.
    QFont q(f.face);
    if (!QFontDatabase::hasFamily(f.face))
        q.setFamily(QFontInfo(q).family());
    q.setPointSize(qMax(1, int(f.size)));
    q.setBold(f.style & FontSetting::Bold);
    q.setItalic(f.style & FontSetting::Italic);
    q.setUnderline(f.style & FontSetting::Underline);
    q.setStrikeOut(f.style & FontSetting::StrikeOut);
    return q;
}

bool TFontDialog::Execute(QWidget *parentWindow)
{
    if (chooser)
        return chooser(parentWindow, Font);

    QDialog dlg(parentWindow);
    dlg.setWindowTitle(TranslateStr(QStringLiteral("Schriftart")));
    auto *fd = new QFontDialog(toQFont(Font), &dlg);
    // What the dialog shows before the user touches it is the baseline.
    const QFont initial = fd->currentFont();
    fd->setWindowFlags(Qt::Widget);
    fd->setOptions(QFontDialog::NoButtons);
    QColor colour = WindowsColourToQt(Font.colour);
    bool colourChosen = false;

    auto *colourBtn = new QPushButton(TranslateStr(QStringLiteral("Farbe...")), &dlg);
    auto *swatch = new QLabel(&dlg);
    swatch->setFixedSize(40, 20);
    auto paintSwatch = [swatch, &colour] {
        swatch->setStyleSheet(QStringLiteral("background:%1;border:1px solid gray").arg(colour.name()));
    };
    paintSwatch();
    QObject::connect(colourBtn, &QPushButton::clicked, &dlg, [&] {
        const QColor c = QColorDialog::getColor(colour, &dlg);
        if (c.isValid()) {
            colour = c;
            colourChosen = true;
            paintSwatch();
        }
    });
    auto *bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    QObject::connect(bb, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(bb, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addWidget(colourBtn);
    row->addWidget(swatch);
    row->addStretch(1);
    row->addWidget(bb);
    auto *lay = new QVBoxLayout(&dlg);
    lay->addWidget(fd);
    lay->addLayout(row);
    if (dlg.exec() != QDialog::Accepted)
        return false;

    // Only what the user changed is taken over, so that confirming an
    // untouched dialog keeps the face name the document had (the dialog
    // knows substituted faces only by their real family).
    const QFont shown = fd->currentFont();
    if (shown.family() != initial.family())
        Font.face = shown.family();
    if (shown.pointSize() > 0 && shown.pointSize() != initial.pointSize())
        Font.size = shown.pointSize();
    auto bit = [this](bool now, bool before, uint8_t b) {
        if (now != before)
            Font.style = now ? (Font.style | b) : (Font.style & ~b);
    };
    // Bold and italic as the chosen face really is (the dialog names them in
    // its style list rather than in the font's flags).
    const QFontInfo shownInfo(shown), initialInfo(initial);
    bit(shownInfo.bold(), initialInfo.bold(), FontSetting::Bold);
    bit(shownInfo.italic(), initialInfo.italic(), FontSetting::Italic);
    bit(shown.underline(), initial.underline(), FontSetting::Underline);
    bit(shown.strikeOut(), initial.strikeOut(), FontSetting::StrikeOut);
    if (colourChosen)
        Font.colour = QtColourToWindows(colour);
    return true;
}
