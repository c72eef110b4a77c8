#include "export/qrcode.h"

#include "catalogue/brastel.h"
#include "layout/canvas.h"
#include "layout/cardlayout.h"

#include <QBuffer>
#include <QPainter>

#include "i18n/translateunit.h"

#include <qrencode.h>

namespace {

// The most bytes a QR code holds at error correction level M (version 40,
// byte mode); longer addresses are refused before any encoding is tried.
constexpr int kQrMaxBytesM = 2331;

const char16_t *const kQrNote = u"Der QR-Code kann nicht gedruckt werden: %1";
const char16_t *const kQrReasons[] = {
    u"",
    u"",
    u"Die Webadresse enthält ein Nullzeichen.",
    u"Die Webadresse ist zu lang für einen QR-Code.",
};

} // namespace

QrProblem QrAddressProblem(const QString &text)
{
    if (text.isEmpty())
        return QrProblem::Empty;
    if (text.contains(QChar(0)))
        return QrProblem::ZeroCharacter;
    if (text.toUtf8().size() > kQrMaxBytesM)
        return QrProblem::TooLong;
    return EncodeQr(text) ? QrProblem::None : QrProblem::TooLong;
}

QString QrPrintProblemText(const QString &address, bool print)
{
    if (!print || address.isEmpty())
        return QString();
    const QrProblem problem = QrAddressProblem(address);
    if (problem == QrProblem::None || problem == QrProblem::Empty)
        return QString();
    return TranslateStr(QString::fromUtf16(kQrNote))
        .arg(TranslateStr(QString::fromUtf16(kQrReasons[int(problem)])));
}

QStringList QrProblemTexts()
{
    QStringList texts{QString::fromUtf16(kQrNote)};
    for (const char16_t *r : kQrReasons)
        if (*r)
            texts << QString::fromUtf16(r);
    return texts;
}

std::shared_ptr<const QrModules> EncodeQr(const QString &text, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return std::shared_ptr<const QrModules>();
    };
    if (text.isEmpty())
        return fail(QStringLiteral("the address is empty"));
    const QByteArray utf8 = text.toUtf8();
    if (utf8.contains('\0'))
        return fail(QStringLiteral("the address holds a zero character"));
    if (utf8.size() > kQrMaxBytesM)
        return fail(QStringLiteral("the address is too long for a QR code"));
    QRcode *code = nullptr;
    bool ascii = true;
    for (char c : utf8)
        ascii = ascii && uchar(c) < 0x80;
    if (ascii) {
        code = QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
    } else if (QRinput *input = QRinput_new2(0, QR_ECLEVEL_M)) {
        // Readers guess the encoding of 8-bit data (often Shift JIS for a
        // lone umlaut); the ECI designator 26 says UTF-8.
        if (QRinput_appendECIheader(input, 26) == 0
            && QRinput_append(input, QR_MODE_8, utf8.size(), reinterpret_cast<const unsigned char *>(utf8.constData())) == 0)
            code = QRcode_encodeInput(input);
        QRinput_free(input);
    }
    if (!code)
        return fail(QStringLiteral("the address is too long for a QR code"));
    auto qr = std::make_shared<QrModules>();
    qr->size = code->width;
    qr->dark.resize(size_t(code->width) * size_t(code->width));
    for (size_t i = 0; i < qr->dark.size(); ++i)
        qr->dark[i] = code->data[i] & 1; // bit 0: dark module
    QRcode_free(code);
    return qr;
}

void AttachQrCode(CardSource &card)
{
    card.qrCode.reset();
    if (card.settings.printsQrCode())
        card.qrCode = EncodeQr(card.settings.QrUrlEd);
}

namespace {

// Only what PaintQrModules needs: filled rectangles on a QPainter.
class FillCanvas : public ICanvas {
public:
    explicit FillCanvas(QPainter &p) : p_(p) {}
    void setFont(const FontSetting &, int, int) override {}
    FontSetting font() const override { return {}; }
    int fontPointSize() const override { return 0; }
    int fontDpi() const override { return 0; }
    int textWidth(const QString &) override { return 0; }
    int textHeight(const QString &) override { return 0; }
    void textOut(int, int, const QString &) override {}
    void setTransparentTextBackground() override {}
    void setPen(QRgb, int) override {}
    void line(int, int, int, int) override {}
    void arc(int, int, int, int, int, int, int, int) override {}
    void rectangle(int, int, int, int, QRgb) override {}
    void fillRect(const QRect &r, QRgb colour) override { p_.fillRect(r, QColor::fromRgb(colour)); }
    void drawImage(const QRect &, const QImage &) override {}

private:
    QPainter &p_;
};

} // namespace

QImage QrImage(const QrModules &qr, int modulePx)
{
    if (qr.isNull() || modulePx < 1)
        return QImage();
    const int side = (qr.size + 2 * kQrQuietZone) * modulePx;
    QImage img(side, side, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    FillCanvas canvas(p);
    PaintQrModules(canvas, img.rect(), qr);
    return img;
}

QByteArray QrPng(const QrModules &qr, int modulePx)
{
    const QImage img = QrImage(qr, modulePx).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    QByteArray png;
    if (img.isNull())
        return png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return png;
}

QByteArray QrSvg(const QrModules &qr)
{
    if (qr.isNull())
        return QByteArray();
    const int n = qr.size + 2 * kQrQuietZone;
    QByteArray path;
    ForEachDarkRun(qr, [&](int y, int x, int end) {
        path += "M" + QByteArray::number(x + kQrQuietZone) + " " + QByteArray::number(y + kQrQuietZone) + "h"
                + QByteArray::number(end - x) + "v1h-" + QByteArray::number(end - x) + "z";
    });
    const QByteArray ns = QByteArray::number(n);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + ns + " " + ns
           + "\" width=\"" + QByteArray::number(n * 8) + "\" height=\"" + QByteArray::number(n * 8)
           + "\" shape-rendering=\"crispEdges\">\n"
             "<rect width=\"" + ns + "\" height=\"" + ns + "\" fill=\"#fff\"/>\n"
             "<path fill=\"#000\" d=\"" + path + "\"/>\n"
             "</svg>\n";
}

bool WriteQrFile(const QString &path, const QString &text, QString *error)
{
    const auto qr = EncodeQr(text, error);
    if (!qr)
        return false;
    const bool svg = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    return WriteFileAtomically(path, svg ? QrSvg(*qr) : QrPng(*qr), error);
}
