// The preview of the prepared texture on the "Hintergrund" tab (PaintBox2):
// shows the picture 1:1 and takes the picture's size, or 0 x 0 without a
// picture. The main window puts it into the scroll area ScrollBox2, which
// scrolls a picture larger than the tab (also with the mouse wheel).
#pragma once

#include <QWidget>

class TextureHolder;

class PicturePreview : public QWidget {
    Q_OBJECT
public:
    explicit PicturePreview(QWidget *parent = nullptr);

    // The texture to show; the holder must outlive the widget or be reset.
    void setTexture(const TextureHolder *holder);
    const TextureHolder *texture() const { return holder_; }

    // The work of PaintBox2Paint: takes the size of the held picture (0 x 0
    // without one) and repaints. Call it after every preparation.
    void refresh();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const TextureHolder *holder_ = nullptr;
};
