// The logo record (group D):
//   0x0051 logo: wide-string picture file name (LogoEd), float64 width in mm
//          (LogoBreiteEd), byte flags (bit 0 every page, bit 1 at the left)
// It is written only when one of them differs from a new document.
#include "catalogue/logorecords.h"

#include "catalogue/cardsettings.h"
#include "catalogue/usertext.h"

#include <algorithm>
#include <cmath>

namespace {

const char16_t *const kMessages[] = {
    u"Logo",
    u"die Breite des Logos ist keine Länge",
    u"das Logo setzt unbekannte Bits",
};
enum { kName, kBadWidth, kBadFlags };

bool sameAsDefault(const CardSettings &s)
{
    const CardSettings d;
    return s.LogoEd == d.LogoEd && s.LogoBreiteEd == d.LogoBreiteEd && s.LogoJedeSeiteCheck == d.LogoJedeSeiteCheck
           && s.LogoLinksCheck == d.LogoLinksCheck;
}

bool writeLogo(const ConstExtensionContent &doc, ByteWriter &w)
{
    const CardSettings &s = doc.settings;
    if (sameAsDefault(s))
        return false;
    w.writeWideString(s.LogoEd);
    w.writeFloat64(s.LogoBreiteEd);
    w.writeByte(uint8_t((s.LogoJedeSeiteCheck ? 1 : 0) | (s.LogoLinksCheck ? 2 : 0)));
    return true;
}

bool readLogo(ByteReader &r, ExtensionContent &doc, QString *error)
{
    const QString name = r.readWideString();
    const double width = r.readFloat64();
    const uint8_t flags = r.readByte();
    if (!r.ok())
        return false;
    if (!std::isfinite(width) || width <= 0) {
        *error = UserText(QString::fromUtf16(kMessages[kBadWidth]));
        return false;
    }
    if (flags & ~3u) {
        *error = UserText(QString::fromUtf16(kMessages[kBadFlags]));
        return false;
    }
    CardSettings &s = doc.settings;
    s.LogoEd = name;
    s.LogoBreiteEd = std::clamp(width, kLogoMinMM, kLogoMaxMM);
    s.LogoJedeSeiteCheck = flags & 1;
    s.LogoLinksCheck = flags & 2;
    return true;
}

} // namespace

void ResetLogoSettings(CardSettings &s)
{
    const CardSettings d;
    s.LogoEd = d.LogoEd;
    s.LogoBreiteEd = d.LogoBreiteEd;
    s.LogoJedeSeiteCheck = d.LogoJedeSeiteCheck;
    s.LogoLinksCheck = d.LogoLinksCheck;
}

QVector<ExtensionRecordType> LogoRecordTypes()
{
    return {{kLogoRecord, "Logo", writeLogo, readLogo, nullptr, false, true}};
}

QStringList LogoRecordMessageTexts()
{
    QStringList t;
    for (const char16_t *m : kMessages)
        t += QString::fromUtf16(m);
    return t;
}
