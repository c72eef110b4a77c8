#include "export/xlsxreader.h"

bool LooksLikeZip(const QByteArray &data)
{
    return data.startsWith("PK\x03\x04") || data.startsWith("PK\x05\x06");
}
