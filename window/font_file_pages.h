#pragma once

namespace window {

// Gives back the pages of the font files that the process has mapped. When a
// font is first used the kernel maps 64 KB around every page read, and the
// font engine's hinter reads some forty reference glyphs of each face: most
// of a large CJK font ends up resident for the dozen glyphs on show. Once
// they are drawn they sit in Qt's glyph cache; whatever is read later is
// mapped in again from the page cache. Does nothing where the platform gives
// no such map of the process.
void releaseFontFilePages();

} // namespace window
