#include "twips_geometry.h"

#include "twips.h"

#include <QWidget>

namespace window {

void TwipsGeometry::setGeometry(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    apply();
}

void TwipsGeometry::apply()
{
    // Qt places a child from its parent's outer corner; the game measures from
    // inside the parent's border.
    const QPoint origin = widget_->parentWidget() ? widget_->parentWidget()->contentsRect().topLeft() : QPoint();
    widget_->setGeometry(origin.x() + pixelsFromTwips(left_), origin.y() + pixelsFromTwips(top_),
                         pixelsFromTwips(width_), pixelsFromTwips(height_));
}

} // namespace window
