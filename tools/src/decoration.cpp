#include "decoration.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace tools {
namespace {

// Everything below is drawn in the insect's own frame: origin at the middle of
// the shell, head towards +y. The frame is then turned so the head points to
// the lower left.
void drawInsect(QPainter &p)
{
    // Soft shadow on the ground, a little behind and to the right.
    QRadialGradient shadow(QPointF(6, 6), 40);
    shadow.setColorAt(0.0, QColor(0x60, 0x58, 0x66, 110));
    shadow.setColorAt(0.7, QColor(0x60, 0x58, 0x66, 40));
    shadow.setColorAt(1.0, QColor(0x60, 0x58, 0x66, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(6, 6), 40, 36);

    // Six short legs, three a side, peeping from under the shell.
    p.setPen(QPen(QColor(0x12, 0x12, 0x14), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF legs[3][3] = {
        {{-22, 20}, {-33, 25}, {-35, 32}},
        {{-28, 4}, {-40, 4}, {-44, 10}},
        {{-24, -12}, {-35, -17}, {-37, -25}},
    };
    for (const auto &leg : legs)
        for (double side : {1.0, -1.0}) {
            QPainterPath path;
            path.moveTo(leg[0].x() * side, leg[0].y());
            path.lineTo(leg[1].x() * side, leg[1].y());
            path.lineTo(leg[2].x() * side, leg[2].y());
            p.drawPath(path);
        }

    // The underside rim shows in a three-quarter view: a darker band below the shell.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6A, 0x06, 0x06));
    p.drawEllipse(QPointF(2, 3), 33, 30);

    QRadialGradient shell(QPointF(0, 0), 36, QPointF(-12, -14));
    shell.setColorAt(0.0, QColor(0xFF, 0x8C, 0x78));
    shell.setColorAt(0.4, QColor(0xEC, 0x26, 0x1C));
    shell.setColorAt(0.85, QColor(0xB0, 0x0C, 0x0A));
    shell.setColorAt(1.0, QColor(0x7A, 0x04, 0x04));
    p.setPen(QPen(QColor(0x30, 0x00, 0x00), 1.2));
    p.setBrush(shell);
    p.drawEllipse(QPointF(0, 0), 32, 29);

    p.setPen(QPen(QColor(0x18, 0x00, 0x00), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, -28), QPointF(0, 20));

    const struct {
        double x, y, r;
    } spots[] = {{-13, -14, 7}, {13, -14, 7}, {-20, 3, 7.5}, {20, 3, 7.5}, {-9, 15, 6}, {9, 15, 6}, {0, -24, 4}};
    p.setPen(Qt::NoPen);
    for (const auto &s : spots) {
        QRadialGradient g(QPointF(s.x, s.y), s.r, QPointF(s.x - s.r / 3, s.y - s.r / 3));
        g.setColorAt(0.0, QColor(0x48, 0x38, 0x38));
        g.setColorAt(1.0, QColor(0x06, 0x00, 0x00));
        p.setBrush(g);
        p.drawEllipse(QPointF(s.x, s.y), s.r, s.r);
    }

    p.save();
    p.translate(-11, -15);
    p.rotate(-30);
    QLinearGradient shine(QPointF(0, -8), QPointF(0, 9));
    shine.setColorAt(0.0, QColor(255, 255, 255, 220));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(shine);
    p.drawEllipse(QPointF(0, 0), 14, 7.5);
    p.restore();

    // Head, in front of the shell.
    QRadialGradient head(QPointF(0, 32), 20, QPointF(-6, 26));
    head.setColorAt(0.0, QColor(0x5C, 0x5C, 0x62));
    head.setColorAt(0.6, QColor(0x18, 0x18, 0x1A));
    head.setColorAt(1.0, QColor(0x00, 0x00, 0x00));
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(head);
    p.drawEllipse(QPointF(0, 32), 18, 11.5);

    for (double x : {-8.0, 8.0}) {
        QRadialGradient eye(QPointF(x, 35), 5, QPointF(x - 1.5, 33));
        eye.setColorAt(0.0, QColor(255, 255, 255));
        eye.setColorAt(1.0, QColor(0xD0, 0xD0, 0xD8));
        p.setPen(Qt::NoPen);
        p.setBrush(eye);
        p.drawEllipse(QPointF(x, 35), 4.6, 4.6);
        p.setBrush(QColor(0x10, 0x10, 0x10));
        p.drawEllipse(QPointF(x * 0.8, 36.5), 1.9, 1.9);
    }
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(QPointF(-5, 25.5), 7, 2.2);
}

} // namespace

QImage drawDecoration()
{
    QImage image(kDecorationWidth, kDecorationHeight, QImage::Format_RGB32);
    image.fill(kDecorationBackground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(QRect(QPoint(kDrawingLeft, kDrawingTop), QPoint(kDrawingRight, kDrawingBottom)));
    p.translate(64, 45);
    p.rotate(40);
    p.scale(0.88, 0.88);
    drawInsect(p);
    p.end();
    return image;
}

} // namespace tools
