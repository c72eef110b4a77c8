// A paint box: a plain widget whose painting and mouse handling belong to its
// owner (the preview page of the main window).
#pragma once

#include <QWidget>
#include <functional>

class TPreviewBox : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewBox(QWidget *parent = nullptr) : QWidget(parent) {}

    // Paints the exposed rectangle with the painter of the paint event.
    std::function<void(QPainter &, const QRect &)> OnPaint;
    std::function<void(QMouseEvent *)> OnMouseDown, OnMouseMove, OnMouseUp;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
};
