#include "picture_box.h"

#include "bitmap_file.h"

#include <QMouseEvent>
#include <QPainter>

namespace window {

PictureBox::PictureBox(QWidget *parent, Border border, QPalette::ColorRole background)
    : QFrame(parent), geometry_(this), border_(border)
{
    switch (border) {
    case Border::None: setFrameStyle(QFrame::NoFrame); break;
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
    if (border == Border::Sunken3D) {
        setAutoFillBackground(true);
    } else {
        // Every pixel is painted here exactly once: the border, the picture,
        // and the background only where the picture does not reach. Qt then
        // fills nothing under the box, neither its own background nor what
        // lies beneath it, which is what a tile in a drag repaints each move.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoMousePropagation);
}

void PictureBox::setPicture(const QString &resourcePath)
{
    picturePath_ = resourcePath;
    face_ = QPixmap();
    update();
}

bool PictureBox::hasPicture() const { return !picturePath_.isEmpty(); }

QImage PictureBox::readPicture() const
{
    if (picturePath_.isEmpty())
        return {};
    // The built-in pictures are all bitmaps.
    QImage image = readBitmap(picturePath_);
    // Only what the inner area shows is kept, so that it is drawn whole,
    // with no clip: a clipped or partial draw takes Qt's general path, which
    // also splits the work across a pool of threads.
    const QSize inner = contentsRect().size();
    if (!image.isNull() && (image.width() > inner.width() || image.height() > inner.height()))
        image = image.copy(QRect(QPoint(0, 0), image.size().boundedTo(inner)));
    // In the screen's own format: drawing a bitmap of 16 colours converts it
    // on Qt's general path, which splits the work across a pool of threads.
    if (image.format() == QImage::Format_Indexed8)
        image.convertTo(QImage::Format_RGB32);
    return image;
}

const QPixmap &PictureBox::face()
{
    const qreal ratio = devicePixelRatioF();
    if (!face_.isNull() && face_.devicePixelRatio() == ratio)
        return face_;
    QPixmap face(QSizeF(QSizeF(size()) * ratio).toSize());
    face.setDevicePixelRatio(ratio);
    QPainter painter(&face);
    const QRect all = rect();
    if (border_ == Border::Single) {
        // The one-pixel line all round, in the colour the frame style draws it.
        const QColor line = palette().color(foregroundRole());
        painter.fillRect(QRect(all.left(), all.top(), all.width(), 1), line);
        painter.fillRect(QRect(all.left(), all.bottom(), all.width(), 1), line);
        painter.fillRect(QRect(all.left(), all.top() + 1, 1, all.height() - 2), line);
        painter.fillRect(QRect(all.right(), all.top() + 1, 1, all.height() - 2), line);
    }
    const QRect inner = contentsRect();
    QRect shown;
    const QImage picture = readPicture();
    if (!picture.isNull()) {
        shown = QRect(inner.topLeft(), picture.size());
        painter.drawImage(shown.topLeft(), picture);
    }
    const QBrush background = palette().brush(backgroundRole());
    for (const QRect &part : QRegion(inner).subtracted(shown))
        painter.fillRect(part, background);
    painter.end();
    face_ = face;
    return face_;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    if (border_ != Border::Sunken3D) {
        // One copy of what the box shows, put together when first shown, laid
        // down one rectangle of the repainted area at a time: under a clip of
        // one rectangle Qt copies the pixels straight, where under a clip of
        // many it takes its general path, which splits the work across a pool
        // of threads.
        const QPixmap &shown = face();
        QPainter painter(this);
        for (const QRect &part : event->region()) {
            painter.setClipRect(part);
            painter.drawPixmap(0, 0, shown);
        }
        return;
    }
    // The sunken border is drawn only when the repainted area reaches it: a
    // tile dragged across the panel uncovers the inner area alone.
    if (!contentsRect().contains(event->region().boundingRect()))
        QFrame::paintEvent(event);
    const QImage picture = readPicture();
    if (!picture.isNull())
        QPainter(this).drawImage(contentsRect().topLeft(), picture);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    face_ = QPixmap(); // put together again at the new size when next shown
}

void PictureBox::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        face_ = QPixmap(); // the border and background colours come from the palette
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
