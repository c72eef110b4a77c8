#include "i18n/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

std::unique_ptr<QTranslator> &installed()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

QString QtLanguageCode(int32_t language)
{
    static const char *const codes[] = {"de", "en", "fr", "nl", "sv"};
    if (language < 0 || language > 4)
        return QString();
    return QString::fromLatin1(codes[language]);
}

bool SetQtLanguage(int32_t language, const QString &directory)
{
    std::unique_ptr<QTranslator> &current = installed();
    if (current) {
        QCoreApplication::removeTranslator(current.get());
        current.reset();
    }
    const QString code = QtLanguageCode(language);
    // Qt's texts are English to begin with.
    if (code.isEmpty() || code == QLatin1String("en"))
        return false;
    const QString dir = directory.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : directory;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qt_") + code, dir) || translator->isEmpty())
        return false;
    if (!QCoreApplication::installTranslator(translator.get()))
        return false;
    current = std::move(translator);
    return true;
}
