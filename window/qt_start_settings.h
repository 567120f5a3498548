#pragma once

namespace window {

// Qt's own settings for this process that the game starts with, each left as
// it is where whoever started the program chose otherwise; called before the
// application object is made.
void applyQtStartSettings();

} // namespace window
