// A font dialog component: holds one font setting (face, size in points,
// style bits, colour, character set, pitch, pixels per inch) and lets the user
// choose a new one, colour included.
#pragma once

#include "catalogue/cardsettings.h"

#include <QObject>
#include <functional>

class QWidget;

class TFontDialog : public QObject {
    Q_OBJECT
public:
    TFontDialog(const FontSetting &initial, QObject *parent);

    FontSetting Font;

    // Opens the font choice with the colour; true when the user confirmed
    // (Font then holds the choice).
    bool Execute(QWidget *parentWindow);

    // Tests replace the interactive choice.
    static std::function<bool(QWidget *, FontSetting &)> chooser;
};

// The Windows colour value as a Qt colour (system colour 8 is the palette's
// window text; other system colours map to their usual palette roles).
QColor WindowsColourToQt(uint32_t colour);
uint32_t QtColourToWindows(const QColor &c);
