#pragma once
// Named pictures turned into bytes and back, as the editor's history keeps
// them: one entry per step, many of them full-screen.
//
// Layout, version 1 (all integers little-endian):
//   "MSPB", u16 version = 1, u16 entry count
//   each entry: u16 name length (UTF-16 units), the name (UTF-16),
//               u8 kind (1 = picture), u32 payload length, the payload
//   u32 CRC-32 of every byte before it
// A picture's payload: u32 width, u32 height, then packets over its pixels in
// row order, top row first. Each packet starts with a varint n (7 bits a
// byte, low groups first): n even is a literal of n/2 pixels, 3 bytes each
// (blue, green, red); n odd is a run of (n-1)/2 copies of the 3-byte pixel
// that follows. Flat areas cost a few bytes; noise costs little over 3 bytes
// a pixel.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/services/picture.h"

namespace plat {

class PropertyBag {
public:
    PropertyBag() = default;
    // A bag read back from Contents(). Bytes that are cut short, changed,
    // of another version or not a bag at all give an empty bag.
    explicit PropertyBag(std::span<const std::uint8_t> contents);

    // Keeps a copy of the picture's pixels under name, replacing any earlier
    // value of that name. An empty picture is kept as empty.
    void WriteProperty(const std::wstring& name, const Picture& value);
    // A new picture with the pixels written under name; empty when there is none.
    Picture ReadProperty(const std::wstring& name) const;

    std::vector<std::uint8_t> Contents() const;
    bool Empty() const { return entries_.empty(); }

    // The largest picture a bag reads back, in pixels: beyond what any
    // screen gives, short of what a corrupt size could make it allocate.
    static constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 27;

private:
    struct Entry {
        std::wstring name;
        std::vector<std::uint8_t> payload;
    };
    std::vector<Entry> entries_;
};

}  // namespace plat
