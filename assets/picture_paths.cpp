#include "picture_paths.h"

namespace quillamon::pictures {

QString tilePath(int tile, int layer)
{
    return QStringLiteral(":/tiles/tile-%1-%2.bmp").arg(tile).arg(layer);
}

QString decorationPath()
{
    return QStringLiteral(":/decoration.bmp");
}

QString iconPath()
{
    return QStringLiteral(":/quillamon.ico");
}

}  // namespace quillamon::pictures
