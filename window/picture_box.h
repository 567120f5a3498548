#pragma once

#include "twips_geometry.h"

#include <QFrame>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <functional>

namespace window {

// A picture box: shows its picture at the picture's own pixel size from the
// top-left corner of its inner area, unscaled and cut at the edges, with the
// background showing where the picture does not reach.
class PictureBox : public QFrame {
public:
    enum class Border { None, Single, Sunken3D };

    PictureBox(QWidget *parent, Border border, QPalette::ColorRole background);

    TwipsGeometry &twips() { return geometry_; }

    // The picture is decoded from the built-in resources the first time it is
    // drawn, so pictures that never show cost nothing at start-up.
    void setPicture(const QString &resourcePath);
    bool hasPicture() const;

    // Mouse events in the box's own client frame, twips. Each handler runs only
    // when set; the events never pass on to the container.
    std::function<void(QMouseEvent *)> onMouseDown;
    std::function<void()> onDoubleClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QImage readPicture() const;
    const QPixmap &face();

    TwipsGeometry geometry_;
    Border border_;
    QString picturePath_;
    QPixmap face_; // border, picture and background, as shown
};

} // namespace window
