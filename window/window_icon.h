#pragma once

#include <QIcon>
#include <QString>

#include <limits>

namespace window {

// The window icon from a built-in icon file: one image for each size it
// holds, the one of most colours where it holds several of a size, as Qt's
// own icon loading picks them. The formats are named and not guessed, so that
// only the icon reader is loaded rather than every image plugin being asked.
// With largestSide, only the sizes up to it are read.
QIcon iconFromResource(const QString &resourcePath, int largestSide = std::numeric_limits<int>::max());

} // namespace window
