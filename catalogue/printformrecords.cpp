// The print form record (group D):
//   0x0050 print form: byte form (0 single pages, 1 booklet, 2 table tent,
//          3 two to a sheet), byte fold line of the table tent (1/0)
// It is written only when one of them differs from a new document, so a
// card printed page by page stays as it was.
#include "catalogue/printformrecords.h"

#include "catalogue/cardsettings.h"
#include "catalogue/usertext.h"

namespace {

const char16_t *const kMessages[] = {
    u"Druckform",
    u"die Druckform ist unbekannt",
};
enum { kName, kBadForm };

bool writePrintForm(const ConstExtensionContent &doc, ByteWriter &w)
{
    const CardSettings &s = doc.settings;
    const CardSettings defaults;
    if (s.DruckformBox == defaults.DruckformBox && s.FaltlinieCheck == defaults.FaltlinieCheck)
        return false;
    w.writeByte(uint8_t(s.DruckformBox));
    w.writeByte(s.FaltlinieCheck ? 1 : 0);
    return true;
}

bool readPrintForm(ByteReader &r, ExtensionContent &doc, QString *error)
{
    const uint8_t form = r.readByte();
    const uint8_t fold = r.readByte();
    if (!r.ok())
        return false;
    if (form > uint8_t(CardSettings::PrintForm::TwoUp) || fold > 1) {
        *error = UserText(QString::fromUtf16(kMessages[kBadForm]));
        return false;
    }
    doc.settings.DruckformBox = CardSettings::PrintForm(form);
    doc.settings.FaltlinieCheck = fold == 1;
    return true;
}

} // namespace

void ResetPrintFormSettings(CardSettings &s)
{
    const CardSettings defaults;
    s.DruckformBox = defaults.DruckformBox;
    s.FaltlinieCheck = defaults.FaltlinieCheck;
}

QVector<ExtensionRecordType> PrintFormRecordTypes()
{
    return {{kPrintFormRecord, "Druckform", writePrintForm, readPrintForm, nullptr, false, true}};
}

QStringList PrintFormRecordMessageTexts()
{
    QStringList t;
    for (const char16_t *m : kMessages)
        t += QString::fromUtf16(m);
    return t;
}
