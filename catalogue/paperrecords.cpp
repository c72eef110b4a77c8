// The paper record (group D):
//   0x0030 paper: byte size (1 = A4, 2 = A5), byte orientation
//          (0 = portrait, 1 = landscape)
// It is written only when the document chose a paper; without it the card
// is laid out on the selected printer's page.
#include "catalogue/paperrecords.h"

#include "catalogue/usertext.h"
#include "catalogue/cardsettings.h"

namespace {

const char16_t *const kMessages[] = {
    u"Papierformat",
    u"das Papierformat ist unbekannt",
};
enum { kName, kBadPaper };

bool writePaper(const ConstExtensionContent &doc, ByteWriter &w)
{
    const CardSettings &s = doc.settings;
    if (s.PapierBox == CardSettings::Paper::Printer)
        return false;
    w.writeByte(uint8_t(s.PapierBox));
    w.writeByte(s.QuerCheck ? 1 : 0);
    return true;
}

bool readPaper(ByteReader &r, ExtensionContent &doc, QString *error)
{
    const uint8_t size = r.readByte();
    const uint8_t orientation = r.readByte();
    if (!r.ok())
        return false;
    if ((size != uint8_t(CardSettings::Paper::A4) && size != uint8_t(CardSettings::Paper::A5))
        || orientation > 1) {
        *error = UserText(QString::fromUtf16(kMessages[kBadPaper]));
        return false;
    }
    doc.settings.PapierBox = CardSettings::Paper(size);
    doc.settings.QuerCheck = orientation == 1;
    return true;
}

} // namespace

void ResetPaperSettings(CardSettings &s)
{
    s.PapierBox = CardSettings::Paper::Printer;
    s.QuerCheck = false;
}

QVector<ExtensionRecordType> PaperRecordTypes()
{
    return {{kPaperRecord, "Papierformat", writePaper, readPaper, nullptr, false, true}};
}

QStringList PaperRecordMessageTexts()
{
    QStringList t;
    for (const char16_t *m : kMessages)
        t += QString::fromUtf16(m);
    return t;
}
