#pragma once

#include "twips_geometry.h"

#include <QPushButton>

namespace window {

// An ordinary push button: neither the window's default nor its cancel button.
class CommandButton : public QPushButton {
public:
    CommandButton(QWidget *parent, const QString &caption);
    TwipsGeometry &twips() { return geometry_; }

private:
    TwipsGeometry geometry_;
};

} // namespace window
