#pragma once

#include "fake_services.h"
#include "hand_ticks.h"

#include "window/form1.h"

#include <QPoint>
#include <QWindow>

#include <memory>

namespace window_test {

// The real window on the offscreen platform, with a time of day the test
// controls and the real generator behind a draw counter, and the input and
// readings that the window tests share. Input goes through the QTest QWindow*
// overloads, so it takes Qt's real dispatch.
class ShownForm {
public:
    // Loaded and shown at once, or, with Start::Later, only created: the test
    // then prepares the time of day or the generator and calls load() and
    // show() itself.
    enum class Start { Now, Later };
    // Where the clock's ticks come from: only from tick(), the running
    // timer's own held back so that no check races one due at an unknown
    // moment; or from the running timer alone.
    enum class Ticks { ByHand, ByTheRealTimer };
    explicit ShownForm(Start start = Start::Now, Ticks ticks = Ticks::ByHand);
    ~ShownForm();

    // The platform's load event, then the first show; show() is false when
    // the window is not exposed within QTest's usual wait.
    void load() { form_->load(); }
    [[nodiscard]] bool show();

    window::Form1 &form() { return *form_; }
    QWindow *window() { return form_->windowHandle(); }

    // A point given in a control's own pixels, in the window's frame, for the
    // QTest QWindow* overloads.
    QPoint at(const QWidget &control, QPoint local) const;
    QPoint centreOf(const QWidget &control) const;
    // The visible layer (1..4) of a tile, or 0 when none or several show.
    int visibleLayer(std::int16_t index);
    // Pixel centre of a tile's visible picture, in the window's frame.
    QPoint tileCentre(std::int16_t index);

    // Timer1's tick, as a timer event for the timer's own id through Qt's
    // dispatch; only with Ticks::ByHand.
    void tick();
    // A left click on the middle of the new-game button.
    void clickNewGame();

    // Whether a tile is held, as the window's drag state says.
    bool holding() const { return form_->dragState().dragging; }
    // Whether the window itself holds the mouse capture, and whether anything
    // holds it at all.
    bool windowHoldsCapture() const;
    bool anythingHoldsCapture() const;

    test_support::FakeTimeOfDay time;
    test_support::ScriptedRandom random;

private:
    std::unique_ptr<window::Form1> form_;
    std::unique_ptr<HandTicks> handTicks_;
};

} // namespace window_test
