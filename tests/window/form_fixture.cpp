#include "form_fixture.h"

#include <QTest>

namespace window_test {

ShownForm::ShownForm(Start start, Ticks ticks) : form_(std::make_unique<window::Form1>(time, random))
{
    // Before the event loop first runs, so that no tick of the timer's own
    // can come first.
    if (ticks == Ticks::ByHand)
        handTicks_ = std::make_unique<HandTicks>(form_->timer1());
    if (start == Start::Later)
        return;
    load();
    // A window that never shows fails the test that wanted it shown; the
    // test's own checks then say what else went wrong.
    if (!show())
        QTest::qFail("the window was not exposed", __FILE__, __LINE__);
}

ShownForm::~ShownForm() = default;

bool ShownForm::show()
{
    form_->show();
    return QTest::qWaitForWindowExposed(form_.get());
}

QPoint ShownForm::at(const QWidget &control, QPoint local) const { return control.mapTo(form_.get(), local); }

QPoint ShownForm::centreOf(const QWidget &control) const { return at(control, control.rect().center()); }

int ShownForm::visibleLayer(std::int16_t index)
{
    int found = 0;
    for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
        if (form_->picture(layer, index).isVisible()) {
            if (found)
                return 0;
            found = layer;
        }
    }
    return found;
}

QPoint ShownForm::tileCentre(std::int16_t index)
{
    const int layer = visibleLayer(index);
    return centreOf(form_->picture(layer ? layer : 1, index));
}

void ShownForm::tick()
{
    if (!handTicks_)
        qFatal("ShownForm::tick() needs Ticks::ByHand");
    handTicks_->tick();
}

void ShownForm::clickNewGame() { QTest::mouseClick(window(), Qt::LeftButton, {}, centreOf(form_->command1())); }

bool ShownForm::windowHoldsCapture() const { return form_->mouseCapture().owner() == form_.get(); }

bool ShownForm::anythingHoldsCapture() const { return form_->mouseCapture().owner() != nullptr; }

} // namespace window_test
