// Reading picture files as plain bytes, and little-endian fields out of them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assets_test {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::filesystem::path &path);

// The committed pictures, assets/ in the source tree.
std::filesystem::path assetDir();

// Each field throws when it would run past the end of `b`, so a short or
// damaged file fails the test instead of reading beyond it.
std::uint8_t u8At(const Bytes &b, std::size_t offset);
std::uint16_t u16At(const Bytes &b, std::size_t offset);
std::uint32_t u32At(const Bytes &b, std::size_t offset);
std::int32_t i32At(const Bytes &b, std::size_t offset);
std::string asciiAt(const Bytes &b, std::size_t offset, std::size_t length);

// Bytes of one stored bitmap row: pixels packed, then filled to a multiple of 4.
std::size_t bmpRowBytes(int width, int bitsPerPixel);

// A fresh directory of its own under the system's temporary directory,
// removed with everything in it when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;
    const std::filesystem::path &path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Runs a shell command line; returns its exit status, its output in `output`.
int runCommand(const std::string &commandLine, std::string &output);
// A path quoted for the shell.
std::string shellQuoted(const std::filesystem::path &path);

} // namespace assets_test
