#pragma once

class QWidget;

namespace window {

// Left, top, width and height of a child control in twips, measured from the
// top-left corner of its container's inner area (inside the border). Reads
// give back exactly what was written; the widget follows in whole pixels.
class TwipsGeometry {
public:
    explicit TwipsGeometry(QWidget *widget) : widget_(widget) {}

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }

    // One line per setter reads as a table.
    // clang-format off
    void setLeft(float twips) { left_ = twips; apply(); }
    void setTop(float twips) { top_ = twips; apply(); }
    void setWidth(float twips) { width_ = twips; apply(); }
    void setHeight(float twips) { height_ = twips; apply(); }
    void move(float left, float top) { left_ = left; top_ = top; apply(); }
    // clang-format on
    void setGeometry(float left, float top, float width, float height);

private:
    void apply();

    QWidget *widget_;
    float left_ = 0.0f;
    float top_ = 0.0f;
    float width_ = 0.0f;
    float height_ = 0.0f;
};

} // namespace window
