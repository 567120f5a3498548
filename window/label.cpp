#include "label.h"

namespace window {

Label::Label(QWidget *parent, const QString &caption) : QLabel(caption, parent), geometry_(this)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundRole(QPalette::Button);
    setForegroundRole(QPalette::ButtonText);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_NoMousePropagation);
}

} // namespace window
