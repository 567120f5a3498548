// The built-in pictures' files, relative to assets/ in the source tree, for
// the tool that draws them and the tests that read them. Every name comes from
// the one list in assets/CMakeLists.txt.
#pragma once

#include <string>
#include <vector>

namespace assets {

// Tile t (0..8) in layer k (1..4), the decorative picture and the window icon.
std::string tileFile(int tile, int layer);
std::string decorationFile();
std::string iconFile();
// Not built in: the icons desktops show for the installed program, the
// window icon's 32-bit images, smallest first.
struct DesktopIcon {
    int size; // pixels a side
    std::string file;
};
std::vector<DesktopIcon> desktopIcons();

} // namespace assets
