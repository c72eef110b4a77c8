// The QR code record (group D):
//   0x0010 QR code: wide-string web address (QrUrlEd), byte print on the
//          card (QrDruckCheck, 1/0), float64 size in mm (QrGroesseEd)
// It is written only when one of them differs from a new document.
#include "catalogue/qrrecords.h"

#include "catalogue/usertext.h"
#include "catalogue/cardsettings.h"

#include <algorithm>
#include <cmath>

void ResetQrSettings(CardSettings &s)
{
    const CardSettings defaults;
    s.QrUrlEd = defaults.QrUrlEd;
    s.QrDruckCheck = defaults.QrDruckCheck;
    s.QrGroesseEd = defaults.QrGroesseEd;
}

namespace {

const char16_t *const kMessages[] = {
    u"QR-Code",
    u"die Größe des QR-Codes ist keine Länge",
};
enum { kName, kBadSize };

bool writeQr(const ConstExtensionContent &doc, ByteWriter &w)
{
    const CardSettings &s = doc.settings;
    const CardSettings defaults;
    if (s.QrUrlEd == defaults.QrUrlEd && s.QrDruckCheck == defaults.QrDruckCheck
        && s.QrGroesseEd == defaults.QrGroesseEd)
        return false;
    w.writeWideString(s.QrUrlEd);
    w.writeByte(s.QrDruckCheck ? 1 : 0);
    w.writeFloat64(s.QrGroesseEd);
    return true;
}

bool readQr(ByteReader &r, ExtensionContent &doc, QString *error)
{
    const QString url = r.readWideString();
    const bool print = r.readByte() != 0;
    const double size = r.readFloat64();
    if (!r.ok())
        return false;
    if (!std::isfinite(size) || size <= 0) {
        *error = UserText(QString::fromUtf16(kMessages[kBadSize]));
        return false;
    }
    CardSettings &s = doc.settings;
    s.QrUrlEd = url;
    s.QrDruckCheck = print;
    s.QrGroesseEd = std::clamp(size, kQrMinMM, kQrMaxMM);
    return true;
}

} // namespace

QVector<ExtensionRecordType> QrRecordTypes()
{
    return {{kQrCodeRecord, "QR-Code", writeQr, readQr, nullptr, false, true}};
}

QStringList QrRecordMessageTexts()
{
    QStringList t;
    for (const char16_t *m : kMessages)
        t += QString::fromUtf16(m);
    return t;
}
