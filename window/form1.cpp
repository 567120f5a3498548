#include "form1.h"

#include "mouse_codes.h"
#include "procedure_runner.h"
#include "twips.h"
#include "window_icon.h"

#include "assets/picture_paths.h"
#include "puzzle/window_layout.h"

#include <QMouseEvent>
#include <QTimer>

namespace window {

namespace {

const QString kCaption = QStringLiteral("Quillamon V1.0") + QString(28, QLatin1Char(' ')) + QStringLiteral("dorn_pell")
                         + QString(2, QLatin1Char(' ')) + QStringLiteral("dorn.pell@quillamon.example.org");

// The icon sizes a title bar and a task list show, all the window needs until
// it has first painted: reading the larger ones (the largest is PNG) and
// handing them to the window system waits until then.
constexpr int kSmallIconSides = 48;

} // namespace

Form1::Form1(puzzle::TimeOfDay &time, puzzle::RandomSource &random)
    : time_(time),
      setUp_(time, random),
      panel_(new PictureBox(this, PictureBox::Border::Sunken3D, QPalette::Button)),
      placement_(*this, *panel_)
{
    setWindowTitle(kCaption);
    setWindowIcon(iconFromResource(assets::iconPath(), kSmallIconSides));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // Moves over the window's own area reach it with no button down, as the
    // game's mouse-move procedure expects.
    setMouseTracking(true);
    resize(pixelsFromTwips(WindowPlacement::kClientWidth), pixelsFromTwips(WindowPlacement::kClientHeight));

    createControls();
    bindEvents();

    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1000);
    timer_.start();
}

void Form1::createControls()
{
    panel_->setForegroundRole(QPalette::ButtonText);
    // Start-up moves and sizes the panel before the window first shows.
    const puzzle::TwipsRect designed = puzzle::kPanelDesigned;
    panel_->twips().setGeometry(designed.left, designed.top, designed.width, designed.height);

    // Created bottom first: a later sibling stacks above an earlier one. The
    // labels lie on the panel beneath everything, then the decoration, layer 1,
    // the button, and layers 2 to 4; within a layer the lower index on top.
    clock_ = new Label(panel_, QStringLiteral(" 0\uFF1A0\uFF1A0"));
    clock_->twips().setGeometry(9720, 120, 975, 375);
    QFont clockFont;
    // Liberation Serif is named so that its metric alias is used for the Latin
    // text; the last family holds the full-width colons.
    clockFont.setFamilies(
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("WenQuanYi Micro Hei")});
    clockFont.setPointSizeF(10.5);
    clockFont.setWeight(QFont::Normal);
    clockFont.setItalic(false);
    clockFont.setUnderline(false);
    clockFont.setStrikeOut(false);
    clock_->setFont(clockFont);

    hint_ = new Label(panel_, QStringLiteral("双击图片逆时针旋转"));
    hint_->twips().setGeometry(9000, 7440, 1695, 255);
    clockCaption_ = new Label(panel_, QStringLiteral("计时:"));
    clockCaption_->twips().setGeometry(9120, 150, 495, 255);

    decoration_ = new PictureBox(panel_, PictureBox::Border::None, QPalette::Button);
    decoration_->twips().setGeometry(9000, 480, 1815, 1335);
    decoration_->setPicture(assets::decorationPath());

    board_.createLayer(*panel_, 1);
    newGame_ = new CommandButton(panel_, QStringLiteral("更新"));
    newGame_->twips().setGeometry(9360, 7800, 1095, 375);
    for (int layer = 2; layer <= puzzle::kLayers; ++layer)
        board_.createLayer(*panel_, layer);

    // Tab order: the panel, layer 1 from index 8 down, the button, layers 2
    // to 4 the same way, then the decoration. Labels and hidden pictures take
    // no focus, so Qt skips them.
    QWidget *previous = panel_;
    auto chain = [&previous](QWidget *next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (std::int16_t index = puzzle::kTiles - 1; index >= 0; --index)
        chain(&board_.picture(1, index));
    chain(newGame_);
    for (int layer = 2; layer <= puzzle::kLayers; ++layer)
        for (std::int16_t index = puzzle::kTiles - 1; index >= 0; --index)
            chain(&board_.picture(layer, index));
    chain(decoration_);
    panel_->setFocus();
}

void Form1::bindEvents()
{
    static constexpr Procedure kMouseDown[] = {Procedure::Picture1_MouseDown, Procedure::Picture2_MouseDown,
                                               Procedure::Picture3_MouseDown, Procedure::Picture4_MouseDown};
    static constexpr Procedure kDblClick[] = {Procedure::Picture1_DblClick, Procedure::Picture2_DblClick,
                                              Procedure::Picture3_DblClick, Procedure::Picture4_DblClick};
    for (int layer = 1; layer <= puzzle::kLayers; ++layer) {
        for (std::int16_t index = 0; index < puzzle::kTiles; ++index) {
            PictureBox *tile = &board_.picture(layer, index);
            tile->onMouseDown = [this, tile, layer, index](QMouseEvent *event) {
                const QPointF inner = event->position() - QPointF(tile->contentsRect().topLeft());
                const std::int16_t button = mouseButtonCode(event->button());
                const std::int16_t shift = shiftCode(event->modifiers());
                runProcedure(kMouseDown[layer - 1], [&] {
                    Picture_MouseDown(index, button, shift, twipsFromPixels(inner.x()), twipsFromPixels(inner.y()));
                });
            };
            tile->onDoubleClick = [this, layer, index] {
                runProcedure(kDblClick[layer - 1], [&] { Picture_DblClick(layer, index); });
            };
        }
    }
    connect(newGame_, &QPushButton::clicked, this,
            [this] { runProcedure(Procedure::Command1_Click, [this] { Command1_Click(); }); });
    connect(&timer_, &QTimer::timeout, this,
            [this] { runProcedure(Procedure::Timer1_Timer, [this] { Timer1_Timer(); }); });
}

void Form1::load()
{
    runProcedure(Procedure::Form_Load, [this] { Form_Load(); });
}

// The first paint is where the icon's larger sizes are read, once it is done.
void Form1::paintEvent(QPaintEvent *)
{
    if (wholeIcon_)
        return;
    wholeIcon_ = true;
    QTimer::singleShot(0, this, [this] { setWindowIcon(iconFromResource(assets::iconPath())); });
}

void Form1::mouseMoveEvent(QMouseEvent *event)
{
    const std::int16_t buttons = mouseButtonsCode(event->buttons());
    const std::int16_t shift = shiftCode(event->modifiers());
    const QPointF at = event->position();
    runProcedure(Procedure::Form_MouseMove,
                 [&] { Form_MouseMove(buttons, shift, twipsFromPixels(at.x()), twipsFromPixels(at.y())); });
}

void Form1::mouseReleaseEvent(QMouseEvent *event)
{
    const std::int16_t button = mouseButtonCode(event->button());
    const std::int16_t shift = shiftCode(event->modifiers());
    const QPointF at = event->position();
    runProcedure(Procedure::Form_MouseUp,
                 [&] { Form_MouseUp(button, shift, twipsFromPixels(at.x()), twipsFromPixels(at.y())); });
}

} // namespace window
