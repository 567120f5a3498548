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
    if (!owner_ || receiver == owner_ || !receiver->isWidgetType())
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        break;
    default:
        return false;
    }
    const auto *original = static_cast<QMouseEvent *>(event);
    QMouseEvent redirected(original->type(), owner_->mapFromGlobal(original->globalPosition()),
                           original->scenePosition(), original->globalPosition(), original->button(),
                           original->buttons(), original->modifiers(), original->pointingDevice());
    QPointer<QWidget> target = owner_;
    QCoreApplication::sendEvent(target, &redirected);
    return true; // the control under the pointer never sees it
}

} // namespace window
