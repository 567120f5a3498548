#include "window_placement.h"

#include "picture_box.h"
#include "twips.h"

#include "puzzle/runtime_error.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace window {

WindowPlacement::WindowPlacement(QWidget &window, PictureBox &panel) : window_(window), panel_(panel) {}

void WindowPlacement::setOuterHeight(float twips)
{
    window_.resize(window_.width(), std::max(0, pixelsFromTwips(twips - kFrameTop - kFrameBottom)));
}

void WindowPlacement::setOuterWidth(float twips)
{
    window_.resize(std::max(0, pixelsFromTwips(twips - kFrameLeft - kFrameRight)), window_.height());
}

// The window holds its client area in whole pixels, so the outer size read
// back is the one it really took.
float WindowPlacement::outerHeight() { return twipsFromPixels(window_.height()) + kFrameTop + kFrameBottom; }
float WindowPlacement::outerWidth() { return twipsFromPixels(window_.width()) + kFrameLeft + kFrameRight; }

void WindowPlacement::setWindowTop(float twips)
{
    windowTop_ = twips;
    placeOnScreen();
}

void WindowPlacement::setWindowLeft(float twips)
{
    windowLeft_ = twips;
    placeOnScreen();
}

void WindowPlacement::placeOnScreen()
{
    // The client area goes where it lies inside the designed frame; the
    // platform's own frame, whatever its size, is drawn around it.
    const QPoint client(pixelsFromTwips(windowLeft_ + kFrameLeft), pixelsFromTwips(windowTop_ + kFrameTop));
    window_.setGeometry(QRect(client, window_.size()));
}

QSize WindowPlacement::screenSize() const
{
    const QScreen *s = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
    if (!s)
        throw puzzle::RuntimeError(puzzle::RuntimeError::Code::InvalidProcedureCall,
                                   "No screen to place the window on");
    return s->geometry().size();
}

float WindowPlacement::screenHeight() { return twipsFromPixels(screenSize().height()); }
float WindowPlacement::screenWidth() { return twipsFromPixels(screenSize().width()); }

void WindowPlacement::setPanelTop(float twips) { panel_.twips().setTop(twips); }
void WindowPlacement::setPanelLeft(float twips) { panel_.twips().setLeft(twips); }
void WindowPlacement::setPanelHeight(float twips) { panel_.twips().setHeight(twips); }
void WindowPlacement::setPanelWidth(float twips) { panel_.twips().setWidth(twips); }

} // namespace window
