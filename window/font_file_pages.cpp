#include "font_file_pages.h"

#if defined(__linux__)
#include <sys/mman.h>

#include <array>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#endif

namespace window {

#if defined(__linux__)

namespace {

bool isFontFile(const std::string &path)
{
    static constexpr std::array<const char *, 6> kSuffixes{".ttf", ".ttc", ".otf", ".otc", ".pfb", ".pfa"};
    const auto dot = path.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string suffix = path.substr(dot);
    for (char &c : suffix)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    for (const char *known : kSuffixes)
        if (suffix == known)
            return true;
    return false;
}

} // namespace

void releaseFontFilePages()
{
    std::FILE *maps = std::fopen("/proc/self/maps", "r");
    if (!maps)
        return;
    char line[4096];
    while (std::fgets(line, sizeof line, maps)) {
        std::uintptr_t start = 0, end = 0;
        char perms[5] = {};
        int pathAt = 0;
        if (std::sscanf(line, "%" SCNxPTR "-%" SCNxPTR " %4s %*s %*s %*s %n", &start, &end, perms, &pathAt) < 3
            || pathAt == 0)
            continue;
        // Only read-only private mappings: their pages are the file's own and
        // come back unchanged from it; nothing written is ever dropped.
        if (std::strcmp(perms, "r--p") != 0)
            continue;
        std::string path(line + pathAt);
        while (!path.empty() && (path.back() == '\n' || path.back() == ' '))
            path.pop_back();
        if (path.empty() || path.front() != '/' || !isFontFile(path))
            continue;
        madvise(reinterpret_cast<void *>(start), end - start, MADV_DONTNEED);
    }
    std::fclose(maps);
}

#else

void releaseFontFilePages() {}

#endif

} // namespace window
