// Packing picture rows into 24-bit bitmap rows.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/services/pixel_rows.h"

namespace {

// Every width up to several pairs with either tail: each pixel becomes its
// blue, green and red bytes, the unused byte is dropped, and nothing is
// written past the row's end.
TEST(PixelRows, EveryWidthPacksBlueGreenRedAndStopsAtTheRowsEnd) {
    for (int width = 0; width <= 13; ++width) {
        SCOPED_TRACE(width);
        std::vector<std::uint32_t> row;
        for (int x = 0; x < width; ++x)
            row.push_back(0xA5000000u | static_cast<std::uint32_t>(x * 3 + 1) << 16 |
                          static_cast<std::uint32_t>(x * 3 + 2) << 8 | static_cast<std::uint32_t>(x * 3 + 3));
        std::vector<std::uint8_t> out(static_cast<size_t>(width) * 3 + 8, 0xEE);
        plat::PackRowBgr24(row.data(), width, out.data());
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(out[x * 3 + 0], x * 3 + 3) << "blue of " << x;
            EXPECT_EQ(out[x * 3 + 1], x * 3 + 2) << "green of " << x;
            EXPECT_EQ(out[x * 3 + 2], x * 3 + 1) << "red of " << x;
        }
        for (size_t i = static_cast<size_t>(width) * 3; i < out.size(); ++i) EXPECT_EQ(out[i], 0xEE) << i;
    }
}

}  // namespace
