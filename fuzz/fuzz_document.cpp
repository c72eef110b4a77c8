// The document reader on arbitrary bytes. A file it accepts must write back
// to bytes that read again to the same document (the writer's form is
// stable), with its marks, translations and the unknown records of group D
// kept; anything else must be refused without touching the output.
#include "catalogue/document.h"
#include "fuzzutil.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const CardSettings defaults;
    DocumentData doc;
    doc.categoryNames << QStringLiteral("untouched");
    QString error;
    if (!ReadDocument(bytes, defaults, doc, &error)) {
        // A refused file leaves the output as it was.
        if (doc.catalogue || doc.categoryNames != QStringList{QStringLiteral("untouched")} || error.isEmpty())
            std::abort();
        return 0;
    }
    if (!doc.catalogue || doc.categoryNames.size() != doc.catalogue->categoryCount())
        std::abort();

    const QByteArray once = WriteDocument(doc.categoryNames, *doc.catalogue, doc.settings, doc.unknownRecords);
    DocumentData again;
    if (!ReadDocument(once, defaults, again, &error))
        std::abort();
    if (again.settings.marks != doc.settings.marks || again.unknownRecords != doc.unknownRecords)
        std::abort();
    // The second language and every translation come back as they were read.
    if (again.settings.ZweisprachigCheck != doc.settings.ZweisprachigCheck
        || again.settings.translation != doc.settings.translation
        || again.catalogue->secondLanguage() != doc.catalogue->secondLanguage())
        std::abort();
    for (int c = 0; c < doc.catalogue->categoryCount(); ++c) {
        if (again.catalogue->categoryTranslation(c) != doc.catalogue->categoryTranslation(c)
            || again.catalogue->sizeHeadingTranslations(c) != doc.catalogue->sizeHeadingTranslations(c))
            std::abort();
        for (uint32_t p = 0; p < doc.catalogue->products(c)->count; ++p)
            if (again.catalogue->marks(c, int(p)) != doc.catalogue->marks(c, int(p))
                || again.catalogue->translation(c, int(p)) != doc.catalogue->translation(c, int(p)))
                std::abort();
    }
    const QByteArray twice = WriteDocument(again.categoryNames, *again.catalogue, again.settings, again.unknownRecords);
    if (once != twice)
        std::abort();
    return 0;
}
