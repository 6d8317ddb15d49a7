#include "platform/services/pixel_rows.h"

#include <bit>
#include <cstring>

namespace plat {

static_assert(std::endian::native == std::endian::little, "pixels are packed as little-endian words");

void PackRowBgr24(const std::uint32_t* src, int count, std::uint8_t* dst) {
    // Two pixels at a time in one 8-byte store, of which the last 2 bytes are
    // overwritten by the next pair: about twice as fast as byte stores. The
    // loop stops while a whole store still lies inside the row; the last
    // pixels go byte by byte.
    int x = 0;
    for (; x + 3 <= count; x += 2, src += 2, dst += 6) {
        const std::uint64_t pair = static_cast<std::uint64_t>(src[0] & 0xFFFFFFu) |
                                   static_cast<std::uint64_t>(src[1] & 0xFFFFFFu) << 24;
        std::memcpy(dst, &pair, sizeof(pair));
    }
    for (; x < count; ++x, ++src, dst += 3) {
        dst[0] = static_cast<std::uint8_t>(*src);
        dst[1] = static_cast<std::uint8_t>(*src >> 8);
        dst[2] = static_cast<std::uint8_t>(*src >> 16);
    }
}

}  // namespace plat
