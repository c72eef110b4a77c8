#include "texture/picturepreview.h"

#include "texture/texture.h"

#include <QPaintEvent>
#include <QPainter>

PicturePreview::PicturePreview(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PaintBox2"));
    setFixedSize(0, 0);
}

void PicturePreview::setTexture(const TextureHolder *holder)
{
    holder_ = holder;
    refresh();
}

void PicturePreview::refresh()
{
    const bool held = holder_ && holder_->HasTexture() && !holder_->Image().isNull();
    const QSize size = held ? holder_->Image().size() : QSize(0, 0);
    if (this->size() != size || minimumSize() != size || maximumSize() != size)
        setFixedSize(size);
    update();
}

QSize PicturePreview::sizeHint() const
{
    if (holder_ && holder_->HasTexture())
        return holder_->Image().size();
    return QSize(0, 0);
}

void PicturePreview::paintEvent(QPaintEvent *event)
{
    if (!holder_ || !holder_->HasTexture() || holder_->Image().isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(rect(), holder_->Image());
    Q_UNUSED(event);
}
