#include "command_button.h"

namespace window {

CommandButton::CommandButton(QWidget *parent, const QString &caption) : QPushButton(caption, parent), geometry_(this)
{
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Button);
    setForegroundRole(QPalette::ButtonText);
    setAttribute(Qt::WA_NoMousePropagation);
}

} // namespace window
