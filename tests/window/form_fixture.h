#pragma once

#include "fake_services.h"

#include "window/form1.h"

#include <QPoint>
#include <QWindow>

#include <memory>

namespace testing_support {

// The real window, loaded and shown on the offscreen platform, with a time of
// day the test controls and the real generator behind a draw counter.
class ShownForm {
public:
    ShownForm();
    ~ShownForm();

    window::Form1 &form() { return *form_; }
    QWindow *window() { return form_->windowHandle(); }

    // A point given in a control's own pixels, in the window's frame, for the
    // QTest QWindow* overloads.
    QPoint at(const QWidget &control, QPoint local) const;
    // The visible layer (1..4) of a tile, or 0 when none or several show.
    int visibleLayer(std::int16_t index);
    // Pixel centre of a tile's visible picture, in the window's frame.
    QPoint tileCentre(std::int16_t index);

    FakeTimeOfDay time;
    ScriptedRandom random;

private:
    std::unique_ptr<window::Form1> form_;
};

} // namespace testing_support
