// The record types of group D that the program knows. A feature that stores
// something in the document adds its types here; tags must be unique.
#include "catalogue/cardrecords.h"
#include "catalogue/extension.h"
#include "catalogue/logorecords.h"
#include "catalogue/markrecords.h"
#include "catalogue/paperrecords.h"
#include "catalogue/printformrecords.h"
#include "catalogue/qrrecords.h"
#include "catalogue/sizerecords.h"
#include "catalogue/translationrecords.h"

const QVector<ExtensionRecordType> &ExtensionRecordTypes()
{
    static const QVector<ExtensionRecordType> types = [] {
        QVector<ExtensionRecordType> t;
        t += MarkRecordTypes(); // 0x0001 .. 0x0003
        t += QrRecordTypes();   // 0x0010
        t += SizeRecordTypes(); // 0x0020, 0x0021
        t += PaperRecordTypes(); // 0x0030
        t += CardRecordTypes();  // 0x0040 .. 0x0043
        t += PrintFormRecordTypes(); // 0x0050
        t += LogoRecordTypes();      // 0x0051
        t += TranslationRecordTypes(); // 0x0052, 0x0060 .. 0x0063
        return t;
    }();
    return types;
}

QStringList ExtensionMessageTexts()
{
    QStringList t = ExtensionGroupMessageTexts();
    t += MarkRecordMessageTexts();
    t += QrRecordMessageTexts();
    t += SizeRecordMessageTexts();
    t += PaperRecordMessageTexts();
    t += CardRecordMessageTexts();
    t += PrintFormRecordMessageTexts();
    t += LogoRecordMessageTexts();
    t += TranslationRecordMessageTexts();
    return t;
}
