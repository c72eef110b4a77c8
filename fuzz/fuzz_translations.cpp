// The translation file reader (translate.dat) on arbitrary bytes. Whatever
// rows it keeps must write back to a file that reads again to the same rows.
#include "fuzzutil.h"
#include "i18n/translateunit.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzutil::initApp(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = fuzzutil::scratchPath(".dat");
    if (!fuzzutil::writeScratch(path, data, size))
        return 0;
    TranslationTable table;
    table.InitTranslations(path);
    // The round trip is checked on tables of ordinary size; thousands of
    // empty rows (a damaged row count) only cost time here.
    if (table.RowCount() > 500)
        return 0;
    const QByteArray once = table.SerializeTranslations();

    if (!fuzzutil::writeScratch(path, reinterpret_cast<const uint8_t *>(once.constData()), size_t(once.size())))
        return 0;
    TranslationTable again;
    again.InitTranslations(path);
    if (again.RowCount() != table.RowCount() || again.SerializeTranslations() != once)
        std::abort();
    return 0;
}
