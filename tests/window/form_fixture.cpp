#include "form_fixture.h"

#include <QTest>

namespace testing_support {

ShownForm::ShownForm() : form_(std::make_unique<window::Form1>(time, random))
{
    form_->load();
    form_->show();
    QTest::qWaitForWindowExposed(form_.get());
}

ShownForm::~ShownForm() = default;

QPoint ShownForm::at(const QWidget &control, QPoint local) const { return control.mapTo(form_.get(), local); }

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
    const window::PictureBox &box = form_->picture(layer ? layer : 1, index);
    return at(box, box.rect().center());
}

} // namespace testing_support
