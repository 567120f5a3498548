#include "window_icon.h"

#include "little_endian.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QPixmap>
#include <QSize>

#include <algorithm>

namespace window {

namespace {

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

// One image as the icon file's directory describes it.
struct IconEntry {
    int index;
    QSize size;
    int depth;
    QByteArray data;
};

// The directory's entries up to a side, in its order, each with the bytes it
// points to; an entry that points outside the file ends the list.
QList<IconEntry> iconEntries(const QByteArray &bytes, int largestSide)
{
    if (bytes.size() < 6)
        return {};
    const int count = int(littleEndian(bytes, 4, 2));
    QList<IconEntry> entries;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 6 + 16 * qsizetype(i);
        if (bytes.size() < entry + 16)
            break;
        // Each side is a byte, where 0 stands for 256.
        const auto side = [&](qsizetype at) { return bytes.at(at) == 0 ? 256 : int(quint8(bytes.at(at))); };
        const QSize size(side(entry), side(entry + 1));
        const quint32 length = littleEndian(bytes, entry + 8, 4);
        const quint32 offset = littleEndian(bytes, entry + 12, 4);
        if (offset > quint32(bytes.size()) || length > quint32(bytes.size()) - offset)
            break;
        if (std::max(size.width(), size.height()) > largestSide)
            continue;
        // Bits per pixel; where a file leaves them out, the palette's size
        // tells them.
        int depth = int(littleEndian(bytes, entry + 6, 2));
        if (depth == 0) {
            for (quint32 colours = quint8(bytes.at(entry + 2)); colours > 1; colours >>= 1)
                ++depth;
        }
        entries.append({i, size, depth, bytes.mid(offset, length)});
    }
    return entries;
}

// For each size, the entry of most colours, the first where several tie, as
// Qt's own icon loading picks them; only those are read.
QList<IconEntry> bestOfEachSize(const QList<IconEntry> &entries)
{
    QList<IconEntry> best;
    for (const IconEntry &entry : entries) {
        const auto same =
            std::find_if(best.begin(), best.end(), [&](const IconEntry &kept) { return kept.size == entry.size; });
        if (same == best.end())
            best.append(entry);
        else if (entry.depth > same->depth)
            *same = entry;
    }
    return best;
}

} // namespace

QIcon iconFromResource(const QString &resourcePath, int largestSide)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    file.close();
    QImageReader reader(resourcePath, "ico");
    reader.setAutoDetectImageFormat(false);
    QIcon icon;
    for (const IconEntry &entry : bestOfEachSize(iconEntries(bytes, largestSide))) {
        // An image stored as PNG is read here by name: the icon reader would
        // hand it to Qt to guess its format, which loads every image plugin
        // to ask each.
        QImage image;
        if (entry.data.startsWith("\x89PNG\r\n\x1a\n"))
            image = readNamed(entry.data, "png");
        else if (reader.jumpToImage(entry.index))
            image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace window
