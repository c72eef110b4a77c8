// The settings that shape a menu card (heading, lines, margins, switches,
// nine fonts, background picture). In the program they are held by the main
// window's controls; CardSettings is the plain snapshot of those values that
// the layout engine, the document file and the tests work with.
#pragma once

#include "catalogue/marks.h"
#include "catalogue/translation.h"

#include <QDate>
#include <QString>
#include <cstdint>

// One font setting as a font dialog holds it.
struct FontSetting {
    enum Style : uint8_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    enum Pitch : uint8_t { DefaultPitch = 0, VariablePitch = 1, FixedPitch = 2 };

    QString face = QStringLiteral("Times New Roman");
    int32_t size = 12;             // points
    uint8_t style = 0;             // Style bits
    uint32_t colour = 0xFF000008u; // Windows colour: 0x00BBGGRR or 0xFF0000nn (system colour nn)
    uint8_t charset = 0;           // Windows character set (0 = ANSI)
    uint8_t pitch = DefaultPitch;
    int32_t pixelsPerInch = 96;    // resolution the size was related to

    bool operator==(const FontSetting &o) const
    {
        return face == o.face && size == o.size && style == o.style && colour == o.colour
               && charset == o.charset && pitch == o.pitch && pixelsPerInch == o.pixelsPerInch;
    }
    bool operator!=(const FontSetting &o) const { return !(*this == o); }

    static FontSetting make(const QString &face, int32_t size, uint8_t style)
    {
        FontSetting f;
        f.face = face;
        f.size = size;
        f.style = style;
        return f;
    }
};

struct CardSettings {
    // Texts
    QString CaptionEd = QStringLiteral("Speisekarte");
    QString FussEd = QStringLiteral("Unsere Preise beinhalten Bedienugsgeld und die ges. Mehrwertsteuer");
    QString KopfEd;
    QString WaehrEd = QStringLiteral("\u20AC");

    // Margins in mm
    double LinksEd = 25, ObenEd = 25, RechtsEd = 25, UntenEd = 25;

    // Switches
    bool RahmenCheck = true;
    bool CapsCheck = true;
    bool ZentrCheck = true;
    bool NoKommaCheck = false;
    bool NewPageForKatCheck = false;
    bool NoPointsCheck = false;
    bool CenterKatCheck = false;

    // Fonts 1..9 (index 0 = FontDialog1)
    FontSetting fonts[9] = {
        FontSetting::make(QStringLiteral("Times New Roman"), 24, FontSetting::Bold),   // heading
        FontSetting::make(QStringLiteral("Times New Roman"), 14, FontSetting::Bold),   // category
        FontSetting::make(QStringLiteral("Times New Roman"), 12, FontSetting::Bold),   // number + name
        FontSetting::make(QStringLiteral("Times New Roman"), 12, FontSetting::Italic), // description
        FontSetting::make(QStringLiteral("Times New Roman"), 12, 0),                   // price
        FontSetting::make(QStringLiteral("Courier New"), 12, 0),                       // leader
        FontSetting::make(QStringLiteral("Times New Roman"), 12, FontSetting::Italic), // free text
        FontSetting::make(QStringLiteral("Times New Roman"), 9, 0),                    // footer
        FontSetting::make(QStringLiteral("Times New Roman"), 9, 0),                    // header
    };

    // Background picture
    QString FilenameEdit2 = QStringLiteral("paper.jpg");
    double BreitEd2 = 23, HochEd2 = 10; // cm
    bool SVerh2Check = true;
    bool GrayScaleCheck = false;
    bool LightenCheck = true;
    double HellEd = 50; // whole numbers 1..100
    double SatEd = 0;   // whole numbers -100..200

    // Allergens and additives ("Kennzeichnung"; stored in group D)
    MarkSettings marks;

    // QR code of a web address, printed at the bottom right of the last page
    // (tab "Speisekarte erzeugen"). Printed only with an address and the
    // switch on.
    QString QrUrlEd;
    bool QrDruckCheck = false;
    double QrGroesseEd = 25; // mm, the side of the printed square
    bool printsQrCode() const { return QrDruckCheck && !QrUrlEd.isEmpty(); }

    // The card's paper (tab "Layout", stored in group D). A document that
    // never chose one is laid out on the selected printer's page.
    enum class Paper : uint8_t { Printer = 0, A4 = 1, A5 = 2 };
    Paper PapierBox = Paper::Printer;
    bool QuerCheck = false; // landscape; only with a paper of its own

    // The card's own numbering ("Nummern je Karte"): automatic numbers
    // counted over this card's products from 1 instead of over the whole
    // catalogue (stored in group D).
    bool NummernJeKarteCheck = false;
    // A date line under the heading: none, the day of printing, or DatumEd.
    enum class DateLine : uint8_t { None = 0, Today = 1, Fixed = 2 };
    DateLine DatumBox = DateLine::None;
    QDate DatumEd;
    // The date the card prints on `today`; invalid when it prints none.
    QDate printedDate(const QDate &today) const
    {
        return DatumBox == DateLine::Today ? today : DatumBox == DateLine::Fixed ? DatumEd : QDate();
    }
    // How the card's pages go onto the printed sheets (tab "Layout", stored
    // in group D): one page per sheet, a folded booklet, a table tent or two
    // copies to cut apart. Every form but the first prints on sheets of
    // twice the card's paper.
    enum class PrintForm : uint8_t { SinglePages = 0, Booklet = 1, TableTent = 2, TwoUp = 3 };
    PrintForm DruckformBox = PrintForm::SinglePages;
    bool FaltlinieCheck = true; // the table tent's thin fold line

    // The card's logo (tab "Layout", stored in group D): a picture above the
    // heading, on the first page or on every page. No logo without a name.
    QString LogoEd;
    double LogoBreiteEd = 40;        // mm
    bool LogoJedeSeiteCheck = false; // on every page, not only the first
    bool LogoLinksCheck = false;     // at the left margin, not centred

    // Two languages ("zweisprachig", stored in group D): each product's
    // translation printed under its German name and description, categories
    // as "VORSPEISEN · STARTERS", the legend in both languages. The card's
    // own texts in the second language are held here.
    bool ZweisprachigCheck = false;
    CardTextTranslation translation;

    const FontSetting &FontDialog(int n) const { return fonts[n - 1]; } // n = 1..9
    FontSetting &FontDialog(int n) { return fonts[n - 1]; }
};
