#include "texture/picturenote.h"

#include "i18n/translateunit.h"

#include <QDir>

namespace {

const char16_t *const kNote = u"Das Bild \u201E%1\u201C kann nicht verwendet werden: %2";
const char16_t *const kReasons[] = {
    u"",
    u"Die Datei gibt es nicht.",
    u"Die Datei ist kein Bild, das das Programm lesen kann.",
    u"Die Datei ist beschädigt oder kann nicht gelesen werden.",
    u"Das Bild ist zu groß (höchstens 100 Millionen Bildpunkte).",
    u"Der Name führt ins Netzwerk oder zu einem Gerät; ein solches Bild wird nur aus der Dateiauswahl übernommen.",
};

} // namespace

QString PictureProblemText(const QString &fileName, PictureProblem problem)
{
    const int i = int(problem);
    if (problem == PictureProblem::None || fileName.isEmpty() || i < 0 || i >= int(std::size(kReasons)))
        return QString();
    return TranslateStr(QString::fromUtf16(kNote))
        .arg(QDir::toNativeSeparators(fileName), TranslateStr(QString::fromUtf16(kReasons[i])));
}

QStringList PictureProblemTexts()
{
    QStringList texts{QString::fromUtf16(kNote)};
    for (const char16_t *r : kReasons)
        if (*r)
            texts << QString::fromUtf16(r);
    return texts;
}

PictureNote::PictureNote(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("PictureNote"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0xB0, 0x20, 0x20));
    setPalette(p);
    hide();
}

void PictureNote::setProblem(const QString &fileName, PictureProblem problem)
{
    const QString text = PictureProblemText(fileName, problem);
    setText(text);
    setVisible(!text.isEmpty());
}
