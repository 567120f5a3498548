#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace window {

// The pixels of a bitmap file (BMP) of 1, 4, 8 or 24 bits a pixel, stored
// uncompressed, as 32-bit RGB, in one pass. A null image for anything else:
// another depth or a compression, a file cut short, or a pixel naming a
// colour its palette lacks.
QImage decodeBitmap(QByteArrayView file);

// A bitmap file among the program's resources, or elsewhere: decoded by
// decodeBitmap where it can be, otherwise by Qt's own bitmap reader.
QImage readBitmap(const QString &path);

} // namespace window
