// The least a Qt Widgets window takes to its first paint on this machine, so
// that the game's start-up figures in bench/peers/run can be read against
// what Qt itself costs. It starts with the game's Qt settings, and a window
// of the game's client size and title shows either flat colours alone, so
// that no font is ever looked up, or, given "caption", the game's hint in one
// label in the platform's default font.
#include "window/qt_start_settings.h"
#include "window/twips.h"
#include "window/window_placement.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv)
{
    const bool caption = argc > 1 && std::strcmp(argv[1], "caption") == 0;
    window::applyQtStartSettings();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    QWidget window;
    window.resize(window::pixelsFromTwips(window::WindowPlacement::kClientWidth),
                  window::pixelsFromTwips(window::WindowPlacement::kClientHeight));
    window.setWindowTitle(QStringLiteral("Quillamon V1.0"));
    if (caption) {
        auto *hint = new QLabel(QStringLiteral("双击图片逆时针旋转"), &window);
        hint->move(600, 496);
    } else {
        // Two colours, as the benchmark counts a window painted once it
        // shows more than one.
        auto *square = new QWidget(&window);
        square->setGeometry(20, 20, 187, 187);
        square->setAutoFillBackground(true);
        QPalette palette = square->palette();
        palette.setColor(QPalette::Window, Qt::darkGreen);
        square->setPalette(palette);
    }
    window.show();
    return app.exec();
}
