#include "picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace window {

PictureBox::PictureBox(QWidget *parent, Border border, QPalette::ColorRole background)
    : QFrame(parent), geometry_(this)
{
    switch (border) {
    case Border::None:
        setFrameStyle(QFrame::NoFrame);
        break;
    case Border::Single:
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        break;
    case Border::Sunken3D:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
        break;
    }
    setBackgroundRole(background);
    setForegroundRole(QPalette::WindowText);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoMousePropagation);
}

void PictureBox::setPicture(const QString &resourcePath)
{
    picturePath_ = resourcePath;
    picture_ = QPixmap();
    update();
}

bool PictureBox::hasPicture() const { return !picturePath_.isEmpty(); }

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (picturePath_.isEmpty())
        return;
    if (picture_.isNull())
        picture_.load(picturePath_);
    if (picture_.isNull())
        return;
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.drawPixmap(inner.topLeft(), picture_);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (onMouseDown)
        onMouseDown(event);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *)
{
    // Not the base class: it would deliver the double-click again as a press.
    if (onDoubleClick)
        onDoubleClick();
}

} // namespace window
