#include "file_bytes.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>

namespace assets_test {

Bytes readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path assetDir() { return QUILLAMON_ASSET_DIR; }

std::uint8_t u8At(const Bytes &b, std::size_t o)
{
    if (o >= b.size())
        throw std::out_of_range("field beyond the end of the file");
    return b[o];
}

std::uint16_t u16At(const Bytes &b, std::size_t o)
{
    return static_cast<std::uint16_t>(u8At(b, o) | (u8At(b, o + 1) << 8));
}

std::uint32_t u32At(const Bytes &b, std::size_t o)
{
    return static_cast<std::uint32_t>(u16At(b, o)) | (static_cast<std::uint32_t>(u16At(b, o + 2)) << 16);
}

std::int32_t i32At(const Bytes &b, std::size_t o) { return static_cast<std::int32_t>(u32At(b, o)); }

std::string asciiAt(const Bytes &b, std::size_t o, std::size_t length)
{
    std::string s;
    for (std::size_t i = 0; i < length; ++i)
        s.push_back(static_cast<char>(u8At(b, o + i)));
    return s;
}

std::size_t bmpRowBytes(int width, int bitsPerPixel)
{
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillamon-assets-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory");
    path_ = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

int runCommand(const std::string &commandLine, std::string &output)
{
    output.clear();
    FILE *pipe = popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + commandLine);
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string shellQuoted(const std::filesystem::path &path)
{
    std::string out = "'";
    for (char c : path.string()) {
        if (c == '\'')
            out += "'\\''";
        else
            out.push_back(c);
    }
    return out + "'";
}

} // namespace assets_test
