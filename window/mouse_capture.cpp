#include "mouse_capture.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace window {

MouseCapture::MouseCapture() { QCoreApplication::instance()->installEventFilter(this); }

MouseCapture::~MouseCapture()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

WId MouseCapture::setCapture(WId window)
{
    const WId previous = owner_ ? owner_->effectiveWinId() : 0;
    owner_ = QWidget::find(window);
    return previous;
}

bool MouseCapture::releaseCapture()
{
    const bool held = !owner_.isNull();
    owner_ = nullptr;
    return held;
}

bool MouseCapture::eventFilter(QObject *receiver, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: break;
    default: return false;
    }
    if (!receiver->isWidgetType())
        return deliverDroppedToOwner(receiver, event);
    if (inWindowEvent_)
        reachedWidget_ = true;
    if (!owner_ || receiver == owner_)
        return false;
    sendToOwner(*static_cast<QMouseEvent *>(event));
    return true; // the control under the pointer never sees it
}

// Once the control that took a press is hidden (a new game can hide the held
// tile's picture), Qt hands the moves and the release of that press to no
// widget at all. A window holding the capture must still get them, so the
// window-level event is dispatched here and, if no widget saw it, sent on.
bool MouseCapture::deliverDroppedToOwner(QObject *window, QEvent *event)
{
    if (!owner_ || inWindowEvent_ || !window->isWindowType()
        || (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonRelease))
        return false;
    inWindowEvent_ = true;
    reachedWidget_ = false;
    window->event(event);
    inWindowEvent_ = false;
    if (!reachedWidget_ && owner_)
        sendToOwner(*static_cast<QMouseEvent *>(event));
    return true;
}

void MouseCapture::sendToOwner(const QMouseEvent &original)
{
    QMouseEvent redirected(original.type(), owner_->mapFromGlobal(original.globalPosition()), original.scenePosition(),
                           original.globalPosition(), original.button(), original.buttons(), original.modifiers(),
                           original.pointingDevice());
    redirected.setTimestamp(original.timestamp());
    QPointer<QWidget> target = owner_;
    QCoreApplication::sendEvent(target, &redirected);
}

} // namespace window
