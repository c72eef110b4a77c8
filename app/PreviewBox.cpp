#include "app/PreviewBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

void TPreviewBox::paintEvent(QPaintEvent *e)
{
    if (!OnPaint)
        return;
    QPainter p(this);
    OnPaint(p, e->rect());
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
