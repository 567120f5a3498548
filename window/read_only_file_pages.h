#pragma once

namespace window {

// Gives back the pages the process has mapped from files it only reads: the
// code and constant data of the program and its libraries, and the fonts.
// Starting the window runs a great deal of code and data once (the platform
// plugin, the font configuration, the style, the first layout) that the
// running game never uses again; a font's hinter reads some forty reference
// glyphs of each face, and the kernel maps 64 KB around every page read.
// Whatever is needed later is mapped in again from the page cache, unchanged,
// as the kernel does under memory pressure anyway. A mapping that holds any
// page of the process's own (relocated data, a debugger's breakpoint) is left
// alone, so nothing written is ever dropped. Does nothing where the platform
// gives no such map of the process.
void releaseReadOnlyFilePages();

} // namespace window
