// Draws every built-in picture of the game and writes the files the build
// embeds. The output depends on nothing but this program, so running it twice
// gives the same bytes and the committed pictures can be checked against it.

#include "bmp_writer.h"
#include "decoration.h"
#include "icon_motif.h"
#include "tile_set.h"

#include "assets/picture_files.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

void writeFile(const std::filesystem::path &path, const tools::Bytes &bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path dir(argv[1]);
        for (int t = 0; t < tools::kTileCount; ++t)
            for (int k = 1; k <= tools::kLayerCount; ++k)
                writeFile(dir / assets::tileFile(t, k), tools::fourBitBmpFile(tools::drawTile(t, k)));
        writeFile(dir / assets::decorationFile(), tools::twentyFourBitBmpFile(tools::drawDecoration()));
        const QImage motif = tools::drawIconMotif();
        writeFile(dir / assets::iconFile(), tools::iconFile(motif));
        for (const assets::DesktopIcon &icon : assets::desktopIcons())
            writeFile(dir / icon.file,
                      tools::pngFile(icon.size == motif.width() ? motif : tools::reducedMotif(motif, icon.size)));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
