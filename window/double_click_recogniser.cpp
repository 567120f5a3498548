#include "double_click_recogniser.h"

#include "mouse_capture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyleHints>

#include <cmath>

namespace window {

DoubleClickRecogniser::DoubleClickRecogniser(QWidget &window, const MouseCapture &capture)
    : window_(window), capture_(capture)
{
    QCoreApplication::instance()->installEventFilter(this);
}

DoubleClickRecogniser::~DoubleClickRecogniser()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool DoubleClickRecogniser::eventFilter(QObject *receiver, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Hide) {
        // A control hidden between two presses takes no double-click from
        // them, even if it shows again under the pointer.
        if (receiver == last_.control)
            last_ = {};
        return false;
    }
    if ((type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) || redelivering_
        || !receiver->isWidgetType())
        return false;
    auto &control = static_cast<QWidget &>(*receiver);
    if (control.window() != &window_)
        return false;
    // What the capture takes from a control it sends on to its owner; the
    // press is judged there.
    if (capture_.owner() && &control != capture_.owner())
        return false;

    const auto &press = static_cast<const QMouseEvent &>(*event);
    const bool second = completesPair(control, press);
    last_ = second ? Press{} : Press{&control, press.button(), press.timestamp(), press.globalPosition()};

    const QEvent::Type wanted = second ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress;
    if (type == wanted)
        return false;
    QMouseEvent redelivered(wanted, press.position(), press.scenePosition(), press.globalPosition(), press.button(),
                            press.buttons(), press.modifiers(), press.pointingDevice());
    redelivered.setTimestamp(press.timestamp());
    {
        const QScopedValueRollback<bool> guard(redelivering_, true);
        QCoreApplication::sendEvent(&control, &redelivered);
    }
    event->setAccepted(redelivered.isAccepted());
    return true;
}

bool DoubleClickRecogniser::completesPair(const QWidget &control, const QMouseEvent &press) const
{
    if (last_.control != &control || last_.button != press.button())
        return false;
    const QStyleHints &hints = *QGuiApplication::styleHints();
    // X server times are 32 bits wide and wrap round; a difference taken in
    // 32 bits stays right across the wrap, and a time that went back is far.
    const auto elapsed = static_cast<quint32>(press.timestamp() - last_.time);
    const QPointF moved = press.globalPosition() - last_.at;
    const double reach = hints.mouseDoubleClickDistance();
    return elapsed < static_cast<quint32>(hints.mouseDoubleClickInterval()) && std::abs(moved.x()) <= reach
           && std::abs(moved.y()) <= reach;
}

} // namespace window
