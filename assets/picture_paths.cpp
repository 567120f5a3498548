#include "picture_paths.h"

#include "picture_files.h"

namespace assets {

namespace {

// The resources are embedded under the prefix "/" by their files' names.
QString resourcePath(const std::string &file) { return QStringLiteral(":/") + QString::fromStdString(file); }

} // namespace

QString tilePath(int tile, int layer) { return resourcePath(tileFile(tile, layer)); }
QString decorationPath() { return resourcePath(decorationFile()); }
QString iconPath() { return resourcePath(iconFile()); }

} // namespace assets
