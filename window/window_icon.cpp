#include "window_icon.h"

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

} // namespace

QIcon iconFromResource(const QString &resourcePath)
{
    QImageReader reader(resourcePath, "ico");
    QList<QImage> best;
    for (bool more = true; more; more = reader.jumpToNextImage()) {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        const auto same = std::find_if(best.begin(), best.end(),
                                       [&](const QImage &kept) { return kept.size() == image.size(); });
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
