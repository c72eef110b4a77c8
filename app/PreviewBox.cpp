#include "app/PreviewBox.h"

#include <QMouseEvent>
#include <QPainter>

void TPreviewBox::paintEvent(QPaintEvent *)
{
    if (!OnPaint)
        return;
    QPainter p(this);
    OnPaint(p);
}

void TPreviewBox::mousePressEvent(QMouseEvent *e)
{
    if (OnMouseDown)
        OnMouseDown(e);
}

void TPreviewBox::mouseMoveEvent(QMouseEvent *e)
{
    if (OnMouseMove)
        OnMouseMove(e);
}

void TPreviewBox::mouseReleaseEvent(QMouseEvent *e)
{
    if (OnMouseUp)
        OnMouseUp(e);
}
