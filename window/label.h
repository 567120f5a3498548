#pragma once

#include "twips_geometry.h"

#include <QLabel>

namespace window {

// A caption on the panel: left-aligned text on an opaque background, no
// border, no focus.
class Label : public QLabel {
public:
    Label(QWidget *parent, const QString &caption);
    TwipsGeometry &twips() { return geometry_; }

private:
    TwipsGeometry geometry_;
};

} // namespace window
