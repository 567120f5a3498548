#include "read_only_file_pages.h"

#if defined(__linux__)
#include <sys/mman.h>

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#endif

namespace window {

#if defined(__linux__)

namespace {

struct Mapping {
    std::uintptr_t start = 0;
    std::uintptr_t end = 0;
    bool readOnlyFile = false;
    bool holdsOwnPages = true;
};

// The read-only private mappings of files that hold no page of the process's
// own, read from /proc/self/smaps. A mapping whose anonymous size cannot be
// read counts as holding such pages.
std::vector<Mapping> readOnlyFileMappings()
{
    std::vector<Mapping> found;
    std::FILE *smaps = std::fopen("/proc/self/smaps", "r");
    if (!smaps)
        return found;
    Mapping current;
    const auto finish = [&found, &current] {
        if (current.readOnlyFile && !current.holdsOwnPages)
            found.push_back(current);
        current = Mapping{};
    };
    char line[4096];
    while (std::fgets(line, sizeof line, smaps)) {
        // A mapping's line begins with its address in hexadecimal; the lines
        // of its sizes that follow begin with a capitalised name. Only the
        // one size needed is parsed: smaps has some twenty per mapping.
        if (std::isupper(static_cast<unsigned char>(line[0]))) {
            static constexpr char kAnonymous[] = "Anonymous:";
            if (std::strncmp(line, kAnonymous, sizeof kAnonymous - 1) == 0)
                current.holdsOwnPages = std::strtoul(line + sizeof kAnonymous - 1, nullptr, 10) != 0;
            continue;
        }
        std::uintptr_t start = 0, end = 0;
        char perms[5] = {};
        int pathAt = 0;
        if (std::sscanf(line, "%" SCNxPTR "-%" SCNxPTR " %4s %*s %*s %*s %n", &start, &end, perms, &pathAt) < 3)
            continue;
        finish();
        current.start = start;
        current.end = end;
        // Code (r-x) and constant data (r--), mapped privately from a file
        // by its path; anything writable or shared is never touched.
        current.readOnlyFile =
            (std::strcmp(perms, "r--p") == 0 || std::strcmp(perms, "r-xp") == 0) && pathAt > 0 && line[pathAt] == '/';
    }
    finish();
    std::fclose(smaps);
    return found;
}

} // namespace

void releaseReadOnlyFilePages()
{
    // Collected first, so that no mapping changes while its smaps entry is
    // being read.
    for (const Mapping &mapping : readOnlyFileMappings())
        madvise(reinterpret_cast<void *>(mapping.start), mapping.end - mapping.start, MADV_DONTNEED);
}

#else

void releaseReadOnlyFilePages() {}

#endif

} // namespace window
