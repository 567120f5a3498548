#include "form1.h"

#include "mouse_codes.h"
#include "procedure_runner.h"
#include "twips.h"

#include "puzzle/runtime_error.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>

namespace window {

namespace {

const QString kCaption = QStringLiteral("Quillamon V1.0") + QString(28, QLatin1Char(' '))
                         + QStringLiteral("dorn_pell") + QString(2, QLatin1Char(' '))
                         + QStringLiteral("dorn.pell@quillamon.example.org");

// Designed client area: 11640 x 8775 twips.
constexpr float kClientWidth = 11640.0f;
constexpr float kClientHeight = 8775.0f;
constexpr float kTileSize = 2800.0f;

QString tilePicture(int layer, int index)
{
    return QStringLiteral(":/tiles/tile-%1-%2.bmp").arg(index).arg(layer);
}

} // namespace

Form1::Form1(puzzle::TimeOfDay &time, puzzle::RandomSource &random) : time_(time), setUp_(time, random)
{
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(QStringLiteral(":/quillamon.ico")));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // Moves over the window's own area reach it with no button down, as the
    // game's mouse-move procedure expects.
    setMouseTracking(true);
    resize(pixelsFromTwips(kClientWidth), pixelsFromTwips(kClientHeight));

    createControls();
    bindEvents();

    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1000);
    timer_.start();
}

void Form1::createControls()
{
    panel_ = new PictureBox(this, PictureBox::Border::Sunken3D, QPalette::Button);
    panel_->setForegroundRole(QPalette::ButtonText);
    panel_->twips().setGeometry(120, 120, 11200, 8480);

    // Created bottom first: a later sibling stacks above an earlier one. The
    // labels lie on the panel beneath everything, then the decoration, layer 1,
    // the button, and layers 2 to 4; within a layer the lower index on top.
    clock_ = new Label(panel_, QStringLiteral(" 0\uFF1A0\uFF1A0"));
    clock_->twips().setGeometry(9720, 120, 975, 375);
    QFont clockFont;
    // Liberation Serif is named so that its metric alias is used for the Latin
    // text; the last family holds the full-width colons.
    clockFont.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                           QStringLiteral("WenQuanYi Micro Hei")});
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
    decoration_->setPicture(QStringLiteral(":/decoration.bmp"));

    auto createLayer = [this](int layer) {
        for (int index = puzzle::kTiles - 1; index >= 0; --index) {
            auto *tile = new PictureBox(panel_, PictureBox::Border::Single, QPalette::Base);
            tile->twips().setGeometry(0, 0, kTileSize, kTileSize);
            tile->setPicture(tilePicture(layer, index));
            tiles_[layer - 1][index] = tile;
        }
    };
    createLayer(1);
    newGame_ = new CommandButton(panel_, QStringLiteral("更新"));
    newGame_->twips().setGeometry(9360, 7800, 1095, 375);
    createLayer(2);
    createLayer(3);
    createLayer(4);

    // Tab order: the panel, layer 1 from index 8 down, the button, layers 2
    // to 4 the same way, then the decoration. Labels and hidden pictures take
    // no focus, so Qt skips them.
    QWidget *previous = panel_;
    auto chain = [&previous](QWidget *next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int index = puzzle::kTiles - 1; index >= 0; --index)
        chain(tiles_[0][index]);
    chain(newGame_);
    for (int layer = 2; layer <= puzzle::kLayers; ++layer)
        for (int index = puzzle::kTiles - 1; index >= 0; --index)
            chain(tiles_[layer - 1][index]);
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
            PictureBox *tile = tiles_[layer - 1][index];
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

void Form1::mouseMoveEvent(QMouseEvent *event)
{
    const std::int16_t buttons = mouseButtonsCode(event->buttons());
    const std::int16_t shift = shiftCode(event->modifiers());
    const QPointF at = event->position();
    runProcedure(Procedure::Form_MouseMove, [&] {
        Form_MouseMove(buttons, shift, twipsFromPixels(at.x()), twipsFromPixels(at.y()));
    });
}

void Form1::mouseReleaseEvent(QMouseEvent *event)
{
    const std::int16_t button = mouseButtonCode(event->button());
    const std::int16_t shift = shiftCode(event->modifiers());
    const QPointF at = event->position();
    runProcedure(Procedure::Form_MouseUp, [&] {
        Form_MouseUp(button, shift, twipsFromPixels(at.x()), twipsFromPixels(at.y()));
    });
}

PictureBox &Form1::picture(int layer, std::int16_t index)
{
    if (layer < 1 || layer > puzzle::kLayers || index < 0 || index >= puzzle::kTiles)
        throw puzzle::RuntimeError(puzzle::RuntimeError::Code::SubscriptOutOfRange, "Subscript out of range");
    return *tiles_[layer - 1][index];
}

float Form1::left(int layer, std::int16_t index) { return picture(layer, index).twips().left(); }
float Form1::top(int layer, std::int16_t index) { return picture(layer, index).twips().top(); }
void Form1::setLeft(int layer, std::int16_t index, float value) { picture(layer, index).twips().setLeft(value); }
void Form1::setTop(int layer, std::int16_t index, float value) { picture(layer, index).twips().setTop(value); }
void Form1::setVisible(int layer, std::int16_t index, bool visible) { picture(layer, index).setVisible(visible); }
void Form1::move(int layer, std::int16_t index, float left, float top) { picture(layer, index).twips().move(left, top); }

void Form1::setOuterHeight(float twips)
{
    resize(width(), std::max(0, pixelsFromTwips(twips - kFrameTop - kFrameBottom)));
}

void Form1::setOuterWidth(float twips)
{
    resize(std::max(0, pixelsFromTwips(twips - kFrameLeft - kFrameRight)), height());
}

// The window holds its client area in whole pixels, so the outer size read
// back is the one it really took.
float Form1::outerHeight() { return twipsFromPixels(height()) + kFrameTop + kFrameBottom; }
float Form1::outerWidth() { return twipsFromPixels(width()) + kFrameLeft + kFrameRight; }

void Form1::setWindowTop(float twips)
{
    windowTop_ = twips;
    placeOnScreen();
}

void Form1::setWindowLeft(float twips)
{
    windowLeft_ = twips;
    placeOnScreen();
}

void Form1::placeOnScreen()
{
    // The client area goes where it lies inside the designed frame; the
    // platform's own frame, whatever its size, is drawn around it.
    const QPoint client(pixelsFromTwips(windowLeft_ + kFrameLeft), pixelsFromTwips(windowTop_ + kFrameTop));
    setGeometry(QRect(client, size()));
}

QSize Form1::screenSize() const
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        throw puzzle::RuntimeError(puzzle::RuntimeError::Code::InvalidProcedureCall, "No screen to place the window on");
    return s->geometry().size();
}

float Form1::screenHeight() { return twipsFromPixels(screenSize().height()); }
float Form1::screenWidth() { return twipsFromPixels(screenSize().width()); }

} // namespace window
