// The committed pictures are exactly what the drawing tool writes today, so
// a change to the drawings cannot land without its pictures, nor the other
// way round.
#include "file_bytes.h"
#include "tile_design.h"

#include "assets/picture_files.h"

#include <gtest/gtest.h>

#include <set>

using namespace assets_test;

namespace {

std::set<std::string> filesUnder(const std::filesystem::path &dir)
{
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            names.insert(std::filesystem::relative(entry.path(), dir).generic_string());
    return names;
}

TEST(PictureRegeneration, ToolWritesTheCommittedFilesByteForByte)
{
    const ScratchDir out;
    std::string output;
    const int status = runCommand(shellQuoted(QUILLAMON_DRAW_TOOL) + " " + shellQuoted(out.path()), output);
    ASSERT_EQ(status, 0) << output;

    std::set<std::string> expected{assets::decorationFile(), assets::iconFile()};
    for (const assets::DesktopIcon &icon : assets::desktopIcons())
        expected.insert(icon.file);
    for (int t = 0; t < kTiles; ++t)
        for (int k = 1; k <= kLayers; ++k)
            expected.insert(assets::tileFile(t, k));
    ASSERT_EQ(filesUnder(out.path()), expected);

    for (const std::string &name : expected) {
        const Bytes drawn = readFile(out.path() / name);
        const Bytes committed = readFile(assetDir() / name);
        EXPECT_EQ(drawn.size(), committed.size()) << name;
        EXPECT_TRUE(drawn == committed) << name << " differs from what the tool draws now; "
                                        << "build the regenerate-pictures target and commit the result";
    }
}

TEST(PictureRegeneration, ToolRefusesAMissingOutputDirectoryArgument)
{
    std::string output;
    EXPECT_NE(runCommand(shellQuoted(QUILLAMON_DRAW_TOOL), output), 0);
    EXPECT_NE(output.find("usage"), std::string::npos) << output;
}

} // namespace
