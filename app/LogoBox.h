// The card's logo on the tab "Speisekarte erzeugen", under the QR code: the
// picture file, its width in millimetres, on every page or the first only,
// at the left or centred, and the note that says why a picture cannot be used (as the "Hintergrund" tab
// says it of the background picture). The box holds the opened picture.
#pragma once

#include <QGroupBox>
#include <QImage>
#include <memory>

struct CardSettings;
class PictureNote;
class QCheckBox;
class QDoubleSpinBox;
class TFilenameEdit;

class TLogoBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TLogoBox(QWidget *parent = nullptr);

    TFilenameEdit *LogoEd;
    QDoubleSpinBox *LogoBreiteEd;
    QCheckBox *LogoJedeSeiteCheck;
    QCheckBox *LogoLinksCheck;
    PictureNote *LogoNote;

    void readInto(CardSettings &s) const;
    void setFrom(const CardSettings &s); // raises changed() for what differs

    // The picture of the file named, null when there is none or it cannot be used.
    std::shared_ptr<const QImage> logo() const { return logo_; }
    // Opens the named picture again and says its problem (after a change of
    // language, too).
    void reopen();

signals:
    void changed(); // any of the four, by the user or by code

private:
    std::shared_ptr<const QImage> logo_;
    QString opened_; // the name logo_ was opened from
};
