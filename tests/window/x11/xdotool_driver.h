#pragma once

// Real pointer input for a window under X11: xdotool, a second client of the
// X server, moves and presses the pointer as a player's mouse does.

#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <QTest>

namespace window_test {

inline constexpr int kXWaitMs = 10000;

// Runs xdotool with the event loop going, so the window handles the pointer
// events as the X server delivers them; true when it ran and succeeded.
inline bool xdotool(const QStringList &args)
{
    QProcess tool;
    tool.start(QStringLiteral(XDOTOOL_PATH), args);
    if (!tool.waitForStarted(kXWaitMs))
        return false;
    if (!QTest::qWaitFor([&] { return tool.state() == QProcess::NotRunning; }, kXWaitMs))
        return false;
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// Moves the pointer to a screen point and waits until it is there.
inline QStringList moveTo(QPoint screen)
{
    return {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(screen.x()),
            QString::number(screen.y())};
}

} // namespace window_test
