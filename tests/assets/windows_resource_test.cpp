// The program file's Windows resources: the resource script compiled with
// the cross toolchain's resource compiler, and the compiled resources read
// back from their bytes: the icon, its group and the version information.
#include "file_bytes.h"
#include "icon_reading.h"

#include "assets/picture_files.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

using namespace assets_test;

namespace {

constexpr std::uint16_t kIconType = 3, kGroupIconType = 14, kVersionType = 16;
constexpr std::uint16_t kChinesePrc = 0x0804;

struct Resource {
    std::optional<std::uint16_t> type, name; // empty when given as a string
    std::uint16_t language = 0;
    Bytes data;
};

std::size_t aligned4(std::size_t n) { return (n + 3) & ~std::size_t{3}; }

// A name or type: 0xFFFF and a number, or a UTF-16 string ending in zero.
std::optional<std::uint16_t> readId(const Bytes &b, std::size_t &at)
{
    if (u16At(b, at) == 0xFFFF) {
        const std::uint16_t id = u16At(b, at + 2);
        at += 4;
        return id;
    }
    while (u16At(b, at) != 0)
        at += 2;
    at += 2;
    return std::nullopt;
}

std::vector<Resource> readResFile(const Bytes &b)
{
    std::vector<Resource> out;
    std::size_t at = 0;
    while (at < b.size()) {
        const std::uint32_t dataSize = u32At(b, at), headerSize = u32At(b, at + 4);
        std::size_t p = at + 8;
        Resource r;
        r.type = readId(b, p);
        r.name = readId(b, p);
        p = aligned4(p);
        r.language = u16At(b, p + 6);
        if (at + headerSize + dataSize > b.size())
            throw std::runtime_error("resource runs past the end of the file");
        r.data.assign(b.begin() + static_cast<long>(at + headerSize),
                      b.begin() + static_cast<long>(at + headerSize + dataSize));
        // The file starts with an empty entry that only marks the format.
        if (!(dataSize == 0 && r.type == std::uint16_t{0}))
            out.push_back(std::move(r));
        at = aligned4(at + headerSize + dataSize);
    }
    return out;
}

// One block of the version information: a key, a value and child blocks.
struct VersionBlock {
    std::u16string key;
    Bytes value;
    std::vector<VersionBlock> children;

    const VersionBlock *child(const std::u16string &k) const
    {
        for (const VersionBlock &c : children)
            if (c.key == k)
                return &c;
        return nullptr;
    }
    std::u16string text() const
    {
        std::u16string s;
        for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
            const char16_t c = static_cast<char16_t>(u16At(value, i));
            if (c == 0)
                break;
            s.push_back(c);
        }
        return s;
    }
};

VersionBlock readVersionBlock(const Bytes &b, std::size_t at)
{
    VersionBlock block;
    const std::size_t length = u16At(b, at), valueLength = u16At(b, at + 2), type = u16At(b, at + 4);
    const std::size_t end = at + length;
    std::size_t p = at + 6;
    while (u16At(b, p) != 0) {
        block.key.push_back(static_cast<char16_t>(u16At(b, p)));
        p += 2;
    }
    p = aligned4(p + 2);
    const std::size_t valueBytes = type == 1 ? 2 * valueLength : valueLength; // text counts characters
    for (std::size_t i = 0; i < valueBytes && p + i < end; ++i)
        block.value.push_back(u8At(b, p + i));
    p = aligned4(p + valueBytes);
    while (p < end) {
        block.children.push_back(readVersionBlock(b, p));
        const std::size_t childLength = u16At(b, p);
        if (childLength == 0)
            throw std::runtime_error("empty version block");
        p = aligned4(p + childLength);
    }
    return block;
}

// The script compiled to `format` ("res" or "coff") in a fresh directory.
// Empty, with the reason in `log`, when the compiler is missing or fails.
std::optional<Bytes> compileResourceScript(const std::string &format, std::string &log)
{
    const std::string windres = QUILLAMON_WINDRES;
    if (windres.empty() || windres.find("NOTFOUND") != std::string::npos) {
        log = "x86_64-w64-mingw32-windres is missing: install binutils-mingw-w64-x86-64 (scripts/setup)";
        return std::nullopt;
    }
    const ScratchDir scratch;
    const std::filesystem::path script = QUILLAMON_RESOURCE_SCRIPT;
    const std::filesystem::path out = scratch.path() / ("quillamon." + format);
    // The host compiler's C preprocessor stands in for the cross compiler's,
    // which the resource compiler would otherwise look for.
    const std::string command = shellQuoted(windres) + " --preprocessor=" + shellQuoted(QUILLAMON_PREPROCESSOR)
                                + " --preprocessor-arg=-E --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED"
                                + " -I " + shellQuoted(script.parent_path()) + " -i " + shellQuoted(script) + " -O "
                                + format + " -o " + shellQuoted(out);
    if (runCommand(command, log) != 0) {
        log = command + "\n" + log;
        return std::nullopt;
    }
    return readFile(out);
}

class WindowsResources : public ::testing::Test {
protected:
    static const std::optional<Bytes> &compiled(const std::string &format)
    {
        static std::map<std::string, std::pair<std::optional<Bytes>, std::string>> cache;
        auto it = cache.find(format);
        if (it == cache.end()) {
            std::string log;
            std::optional<Bytes> bytes = compileResourceScript(format, log);
            it = cache.emplace(format, std::make_pair(std::move(bytes), log)).first;
        }
        if (!it->second.first)
            ADD_FAILURE() << it->second.second;
        return it->second.first;
    }
};

TEST_F(WindowsResources, CarryTheElevenIconImagesAndTheirGroupInChinesePrc)
{
    const auto &res = compiled("res");
    ASSERT_TRUE(res);
    const std::vector<Resource> resources = readResFile(*res);
    const IconFile icon = readIconFile(readFile(assetDir() / assets::iconFile()));
    ASSERT_EQ(icon.entries.size(), 11u);

    std::map<std::uint16_t, const Resource *> images;
    const Resource *group = nullptr;
    for (const Resource &r : resources) {
        EXPECT_EQ(r.language, kChinesePrc);
        ASSERT_TRUE(r.type && r.name);
        if (*r.type == kIconType)
            images[*r.name] = &r;
        else if (*r.type == kGroupIconType)
            group = &r;
    }
    ASSERT_EQ(images.size(), 11u);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(*group->name, 1);

    const Bytes &g = group->data;
    EXPECT_EQ(u16At(g, 0), 0);
    EXPECT_EQ(u16At(g, 2), 1);
    ASSERT_EQ(u16At(g, 4), 11);
    for (std::size_t i = 0; i < 11; ++i) {
        SCOPED_TRACE("group entry " + std::to_string(i + 1));
        const std::size_t at = 6 + 14 * i;
        const IconEntry &e = icon.entries[i];
        EXPECT_EQ(u8At(g, at) == 0 ? 256 : u8At(g, at), e.width);
        EXPECT_EQ(u8At(g, at + 1) == 0 ? 256 : u8At(g, at + 1), e.height);
        EXPECT_EQ(u8At(g, at + 2), e.colourCount);
        EXPECT_EQ(u16At(g, at + 4), e.planes);
        EXPECT_EQ(u16At(g, at + 6), e.bitCount);
        EXPECT_EQ(u32At(g, at + 8), e.size);
        const std::uint16_t id = u16At(g, at + 12);
        ASSERT_TRUE(images.count(id));
        EXPECT_TRUE(images[id]->data == e.data) << "icon image " << id << " is not the icon file's image";
    }
}

TEST_F(WindowsResources, CarryVersionOneInChinesePrc)
{
    const auto &res = compiled("res");
    ASSERT_TRUE(res);
    const std::vector<Resource> resources = readResFile(*res);
    const Resource *version = nullptr;
    for (const Resource &r : resources)
        if (r.type == kVersionType)
            version = &r;
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->name, std::uint16_t{1});
    EXPECT_EQ(version->language, kChinesePrc);

    const VersionBlock root = readVersionBlock(version->data, 0);
    EXPECT_EQ(root.key, u"VS_VERSION_INFO");
    ASSERT_EQ(root.value.size(), 52u);
    EXPECT_EQ(u32At(root.value, 0), 0xFEEF04BDu);
    EXPECT_EQ(u32At(root.value, 8), 0x00010000u);  // file version 1.0 ...
    EXPECT_EQ(u32At(root.value, 12), 0x00000000u); // ... .0.0
    EXPECT_EQ(u32At(root.value, 16), 0x00010000u); // product version 1.0 ...
    EXPECT_EQ(u32At(root.value, 20), 0x00000000u); // ... .0.0

    const VersionBlock *strings = root.child(u"StringFileInfo");
    ASSERT_NE(strings, nullptr);
    const VersionBlock *table = strings->child(u"080403A8"); // Chinese (PRC), code page 936
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->child(u"FileVersion"), nullptr);
    ASSERT_NE(table->child(u"ProductVersion"), nullptr);
    EXPECT_EQ(table->child(u"FileVersion")->text(), u"1.00");
    EXPECT_EQ(table->child(u"ProductVersion")->text(), u"1.00");

    const VersionBlock *vars = root.child(u"VarFileInfo");
    ASSERT_NE(vars, nullptr);
    const VersionBlock *translation = vars->child(u"Translation");
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(translation->value.size(), 4u);
    EXPECT_EQ(u16At(translation->value, 0), kChinesePrc);
    EXPECT_EQ(u16At(translation->value, 2), 936);
}

TEST_F(WindowsResources, CompileToAnX64ObjectWithAResourceSection)
{
    const auto &coff = compiled("coff");
    ASSERT_TRUE(coff);
    const Bytes &obj = *coff;
    EXPECT_EQ(u16At(obj, 0), 0x8664); // x86-64
    const std::size_t sections = u16At(obj, 2);
    const std::size_t first = 20 + u16At(obj, 16);
    bool rsrc = false;
    for (std::size_t i = 0; i < sections; ++i)
        rsrc = rsrc || asciiAt(obj, first + 40 * i, 5) == ".rsrc";
    EXPECT_TRUE(rsrc);
}

} // namespace
