// Little-endian byte output, the order of every field in bitmap and icon files.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tools {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
public:
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v)
    {
        u8(static_cast<std::uint8_t>(v));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void ascii(std::string_view s)
    {
        for (char c : s)
            u8(static_cast<std::uint8_t>(c));
    }
    void append(const Bytes &b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void padTo(std::size_t multiple)
    {
        while (bytes_.size() % multiple != 0)
            u8(0);
    }

    std::size_t size() const { return bytes_.size(); }
    const Bytes &bytes() const { return bytes_; }
    Bytes take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

} // namespace tools
