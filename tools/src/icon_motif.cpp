#include "icon_motif.h"

#include "colour_reduction.h"
#include "ico_writer.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <stdexcept>

namespace tools {
namespace {

void drawLegs(QPainter &p)
{
    QPen pen(QColor(0x10, 0x10, 0x10), 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // Front, middle and rear leg of the left side, each bent at the knee; the
    // right side mirrors them.
    const QPointF legs[3][3] = {
        {{84, 170}, {42, 184}, {30, 214}},
        {{66, 126}, {24, 124}, {12, 146}},
        {{74, 78}, {38, 58}, {32, 26}},
    };
    for (const auto &leg : legs) {
        for (int side = 0; side < 2; ++side) {
            QPainterPath path;
            auto at = [&](const QPointF &q) { return side == 0 ? q : QPointF(256 - q.x(), q.y()); };
            path.moveTo(at(leg[0]));
            path.lineTo(at(leg[1]));
            path.lineTo(at(leg[2]));
            p.drawPath(path);
        }
    }
}

void drawBody(QPainter &p)
{
    QRadialGradient shell(QPointF(128, 112), 96, QPointF(96, 70));
    shell.setColorAt(0.0, QColor(0xFF, 0x86, 0x72));
    shell.setColorAt(0.35, QColor(0xEE, 0x2A, 0x1E));
    shell.setColorAt(0.8, QColor(0xB8, 0x0E, 0x0C));
    shell.setColorAt(1.0, QColor(0x70, 0x04, 0x04));
    p.setPen(QPen(QColor(0x2A, 0x00, 0x00), 5));
    p.setBrush(shell);
    p.drawEllipse(QPointF(128, 112), 90, 90);

    // The parting of the wing cases.
    p.setPen(QPen(QColor(0x14, 0x00, 0x00), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(128, 25), QPointF(128, 170));

    const struct {
        double x, y, r;
    } spots[] = {
        {94, 64, 17}, {162, 64, 17}, {74, 118, 21}, {182, 118, 21}, {100, 158, 15}, {156, 158, 15},
    };
    p.setPen(Qt::NoPen);
    for (const auto &s : spots) {
        QRadialGradient g(QPointF(s.x, s.y), s.r, QPointF(s.x - s.r / 3, s.y - s.r / 3));
        g.setColorAt(0.0, QColor(0x4A, 0x3A, 0x3A));
        g.setColorAt(1.0, QColor(0x08, 0x00, 0x00));
        p.setBrush(g);
        p.drawEllipse(QPointF(s.x, s.y), s.r, s.r);
    }

    // Gloss on the upper left of the shell.
    p.save();
    p.translate(92, 56);
    p.rotate(-32);
    QLinearGradient shine(QPointF(0, -20), QPointF(0, 22));
    shine.setColorAt(0.0, QColor(255, 255, 255, 215));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(shine);
    p.drawEllipse(QPointF(0, 0), 36, 19);
    p.restore();
}

void drawHead(QPainter &p)
{
    QRadialGradient g(QPointF(128, 196), 64, QPointF(108, 172));
    g.setColorAt(0.0, QColor(0x5A, 0x5A, 0x5E));
    g.setColorAt(0.6, QColor(0x16, 0x16, 0x18));
    g.setColorAt(1.0, QColor(0x00, 0x00, 0x00));
    p.setPen(QPen(QColor(0, 0, 0), 3));
    p.setBrush(g);
    p.drawEllipse(QPointF(128, 198), 62, 44);

    for (double x : {102.0, 154.0}) {
        QRadialGradient eye(QPointF(x, 202), 17, QPointF(x - 5, 196));
        eye.setColorAt(0.0, QColor(255, 255, 255));
        eye.setColorAt(1.0, QColor(0xD4, 0xD4, 0xDA));
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
        p.setBrush(eye);
        p.drawEllipse(QPointF(x, 202), 17, 17);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x10, 0x10, 0x10));
        p.drawEllipse(QPointF(x + (x < 128 ? 3 : -3), 208), 6.5, 6.5);
    }

    p.setBrush(QColor(255, 255, 255, 80));
    p.drawEllipse(QPointF(116, 168), 22, 7);
}

} // namespace

QImage drawIconMotif(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 256.0, size / 256.0);
    drawLegs(p);
    drawBody(p);
    drawHead(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage reducedMotif(const QImage &large, int size)
{
    // Scaling premultiplied keeps the clear background from bleeding dark
    // fringes into the outline.
    return large.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

Bytes pngFile(const QImage &source)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (const QString &key : image.textKeys())
        image.setText(key, QString());
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Low quality means the strongest compression for PNG; the pixels are kept exactly.
    writer.setQuality(0);
    if (!writer.write(image))
        throw std::runtime_error("PNG encoding failed: " + writer.errorString().toStdString());
    return Bytes(data.begin(), data.end());
}

Bytes iconFile(const QImage &large)
{
    const std::vector<Rgb> sixteen(kStandardPalette.begin(), kStandardPalette.end());
    const std::vector<Rgb> full = iconPalette256();
    std::vector<IconImage> images;
    // Dithering with the motif's own hues only keeps the pure greens and blues
    // of the 16 colours from sprinkling the shell.
    const std::vector<std::uint8_t> motifHues{ink::black, 1, 7, ink::grey, ink::red, ink::white};
    for (int size : {48, 32, 16}) {
        const ReducedImage r = reduceToPalette(reducedMotif(large, size), sixteen, true, motifHues);
        images.push_back(palettedIconImage(r.pixels, sixteen, 4, r.transparent));
    }
    for (int size : {48, 32, 16}) {
        const ReducedImage r = reduceToPalette(reducedMotif(large, size), full, false);
        images.push_back(palettedIconImage(r.pixels, full, 8, r.transparent));
    }
    images.push_back(pngIconImage(256, 256, pngFile(large)));
    for (int size : {128, 48, 32, 16})
        images.push_back(alphaIconImage(reducedMotif(large, size)));
    return icoFile(images);
}

} // namespace tools
