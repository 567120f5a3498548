#include "window_icon.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QPixmap>

#include <algorithm>

namespace window {

namespace {

// The colour depth an icon image was stored with, which the icon reader
// records since every image it returns has 32 bits.
int storedDepth(const QImage &image)
{
    const QString depth = image.text(QStringLiteral("_q_icoOrigDepth"));
    return depth.isEmpty() ? 32 : depth.toInt();
}

quint32 littleEndian(const QByteArray &bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes.at(at + i));
    return value;
}

// An image of the named format, read by Qt itself: with the guessing left
// on, Qt asks every image plugin first, loading each, even for a format it
// reads itself.
QImage readNamed(QByteArray data, const char *format)
{
    QBuffer buffer(&data);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// The images of an icon file up to a side, in the order of its directory. An
// image stored as PNG is read here by name: the icon reader would hand it to
// Qt to guess its format, which loads every image plugin to ask each.
QList<QImage> iconImages(const QString &resourcePath, int largestSide)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    file.close();
    if (bytes.size() < 6)
        return {};
    const int count = int(littleEndian(bytes, 4, 2));
    QImageReader reader(resourcePath, "ico");
    reader.setAutoDetectImageFormat(false);
    QList<QImage> images;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 6 + 16 * qsizetype(i);
        if (bytes.size() < entry + 16)
            break;
        // The directory gives each side in a byte, where 0 stands for 256.
        const auto side = [&](qsizetype at) { return bytes.at(at) == 0 ? 256 : int(quint8(bytes.at(at))); };
        if (std::max(side(entry), side(entry + 1)) > largestSide)
            continue;
        const quint32 size = littleEndian(bytes, entry + 8, 4);
        const quint32 offset = littleEndian(bytes, entry + 12, 4);
        if (offset > quint32(bytes.size()) || size > quint32(bytes.size()) - offset)
            break;
        const QByteArray data = bytes.mid(offset, size);
        QImage image;
        if (data.startsWith("\x89PNG\r\n\x1a\n"))
            image = readNamed(data, "png");
        else if (reader.jumpToImage(i))
            image = reader.read();
        if (!image.isNull())
            images.append(image);
    }
    return images;
}

} // namespace

QIcon iconFromResource(const QString &resourcePath, int largestSide)
{
    QList<QImage> best;
    for (const QImage &image : iconImages(resourcePath, largestSide)) {
        const auto same =
            std::find_if(best.begin(), best.end(), [&](const QImage &kept) { return kept.size() == image.size(); });
        if (same == best.end())
            best.append(image);
        else if (storedDepth(image) > storedDepth(*same))
            *same = image;
    }
    QIcon icon;
    for (const QImage &kept : best)
        icon.addPixmap(QPixmap::fromImage(kept));
    return icon;
}

} // namespace window
