#include "app/FontDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
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
    QFont q(f.face);
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
    dlg.setWindowTitle(QStringLiteral("Schriftart"));
    auto *fd = new QFontDialog(toQFont(Font), &dlg);
    fd->setWindowFlags(Qt::Widget);
    fd->setOptions(QFontDialog::NoButtons);
    QColor colour = WindowsColourToQt(Font.colour);
    bool colourChosen = false;

    auto *colourBtn = new QPushButton(QStringLiteral("Farbe..."), &dlg);
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

    const QFont q = fd->currentFont();
    Font.face = q.family();
    if (q.pointSize() > 0)
        Font.size = q.pointSize();
    uint8_t st = 0;
    if (q.bold())
        st |= FontSetting::Bold;
    if (q.italic())
        st |= FontSetting::Italic;
    if (q.underline())
        st |= FontSetting::Underline;
    if (q.strikeOut())
        st |= FontSetting::StrikeOut;
    Font.style = st;
    if (colourChosen)
        Font.colour = QtColourToWindows(colour);
    return true;
}
