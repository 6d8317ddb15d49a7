// The history's property bag: pictures to bytes and back, how compact flat
// screens get, and damaged bytes that must give nothing rather than garbage.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/services/property_bag.h"
#include "tests/unit/headless_fixture.h"

namespace {

using plat::Picture;
using plat::PropertyBag;

// Flat areas, a one-pixel line, a short run of two and a noisy strip whose
// pixels carry a set fourth byte that the bag must drop.
Picture MixedPicture(int w, int h) {
    Picture p = Picture::Create(w, h, plat::Rgb(250, 250, 250));
    p.Draw().FillRect({2, 1, w - 3, h / 2}, plat::Rgb(30, 60, 90));
    p.Draw().Line(0, h - 2, w, h - 2, plat::Rgb(255, 0, 0), 1);
    p.MutableRow(0)[0] = p.MutableRow(0)[1] = 0x00123456u;
    for (int x = 0; x < w; ++x) p.MutableRow(h - 1)[x] = 0xFF000000u | static_cast<std::uint32_t>(x * 2654435761u >> 8);
    return p;
}

Picture ReadBack(const std::vector<std::uint8_t>& bytes, const wchar_t* name = L"pic") {
    return PropertyBag(bytes).ReadProperty(name);
}

class PropertyBagTest : public HeadlessTest {};

TEST_F(PropertyBagTest, PicturesComeBackPixelExactUnderTheirNames) {
    const Picture shot = MixedPicture(37, 11), other = MixedPicture(5, 3);
    PropertyBag bag;
    bag.WriteProperty(L"pic", shot);
    bag.WriteProperty(L"other", other);
    const Picture a = ReadBack(bag.Contents()), b = ReadBack(bag.Contents(), L"other");
    EXPECT_TRUE(plat::SamePixels(a, shot));
    EXPECT_TRUE(plat::SamePixels(b, other));
    EXPECT_EQ(a.Row(10)[5] >> 24, 0u) << "the unused byte is not kept";
    // A new picture each time: drawing on one leaves the bag as it was.
    Picture first = bag.ReadProperty(L"pic");
    first.Draw().FillRect({0, 0, 37, 11}, 0);
    EXPECT_TRUE(plat::SamePixels(bag.ReadProperty(L"pic"), shot));

    // The bag keeps the pixels of the moment, and a name written again is replaced.
    Picture changing = shot.Copy();
    PropertyBag later;
    later.WriteProperty(L"pic", changing);
    changing.Draw().FillRect({0, 0, 37, 11}, 0);
    EXPECT_TRUE(plat::SamePixels(ReadBack(later.Contents()), shot));
    later.WriteProperty(L"pic", other);
    EXPECT_TRUE(plat::SamePixels(ReadBack(later.Contents()), other));

    EXPECT_TRUE(bag.ReadProperty(L"Pic").Empty()) << "names are exact";
    PropertyBag blank;
    blank.WriteProperty(L"pic", Picture());
    EXPECT_TRUE(ReadBack(blank.Contents()).Empty());
}

TEST_F(PropertyBagTest, AFlatScreenIsSmallAndNoiseStaysNearThreeBytesAPixel) {
    Picture screen = Picture::Create(1920, 1080, plat::Rgb(240, 240, 240));
    screen.Draw().FillRect({100, 100, 900, 700}, plat::Rgb(0, 90, 200));
    screen.Draw().FrameRect({300, 300, 1500, 800}, plat::Rgb(255, 0, 0), 4);
    PropertyBag flat;
    flat.WriteProperty(L"pic", screen);
    const auto bytes = flat.Contents();
    EXPECT_LT(bytes.size(), 40'000u) << "a full copy is " << 1920 * 1080 * 4 << " bytes";
    EXPECT_TRUE(plat::SamePixels(ReadBack(bytes), screen));

    Picture noise = Picture::Create(256, 64, 0);
    std::uint32_t seed = 1;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) noise.MutableRow(y)[x] = (seed = seed * 1664525u + 1013904223u) >> 8;
    PropertyBag noisy;
    noisy.WriteProperty(L"pic", noise);
    EXPECT_LT(noisy.Contents().size(), 256u * 64u * 3u + 256u);
    EXPECT_TRUE(plat::SamePixels(ReadBack(noisy.Contents()), noise));
}

TEST_F(PropertyBagTest, CutChangedOrForeignBytesGiveAnEmptyPicture) {
    PropertyBag bag;
    bag.WriteProperty(L"pic", MixedPicture(9, 6));
    const std::vector<std::uint8_t> good = bag.Contents();
    ASSERT_FALSE(ReadBack(good).Empty());
    for (size_t n = 0; n < good.size(); ++n) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_TRUE(ReadBack(cut).Empty()) << "cut to " << n;
    }
    for (size_t i = 0; i < good.size(); ++i)
        for (std::uint8_t bit : {0x01, 0x80}) {
            std::vector<std::uint8_t> flipped = good;
            flipped[i] ^= bit;
            EXPECT_TRUE(ReadBack(flipped).Empty()) << "byte " << i << " bit " << int(bit);
        }
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_TRUE(ReadBack(longer).Empty());
    EXPECT_TRUE(ReadBack(std::vector<std::uint8_t>(64, 0xAB)).Empty());
}

// Bytes that pass the checksum but describe a picture the bag must not make:
// packets that overrun or fall short of the size, and a size past the cap.
TEST_F(PropertyBagTest, WellFormedBytesWithImpossiblePicturesGiveNothing) {
    auto bagWith = [](std::vector<std::uint8_t> payload) {
        std::vector<std::uint8_t> b = {'M', 'S', 'P', 'B', 1, 0, 1, 0, 3, 0, 'p', 0, 'i', 0, 'c', 0, 1};
        const auto n = static_cast<std::uint32_t>(payload.size());
        for (int k = 0; k < 4; ++k) b.push_back(static_cast<std::uint8_t>(n >> (8 * k)));
        b.insert(b.end(), payload.begin(), payload.end());
        // CRC-32 (the common reflected polynomial) over all that precedes it.
        std::uint32_t c = 0xFFFFFFFFu;
        for (std::uint8_t x : b) {
            c ^= x;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        c ^= 0xFFFFFFFFu;
        for (int k = 0; k < 4; ++k) b.push_back(static_cast<std::uint8_t>(c >> (8 * k)));
        return b;
    };
    // 2 x 2 white: one run packet of four (varint 9).
    const std::vector<std::uint8_t> white = {2, 0, 0, 0, 2, 0, 0, 0, 9, 255, 255, 255};
    const Picture ok = ReadBack(bagWith(white));
    ASSERT_EQ(ok.Width(), 2);
    EXPECT_EQ(ok.Pixel(1, 1), plat::Rgb(255, 255, 255));

    std::vector<std::uint8_t> overrun = white;
    overrun[8] = 11;  // a run of five in four pixels
    EXPECT_TRUE(ReadBack(bagWith(overrun)).Empty());
    std::vector<std::uint8_t> shortRun = white;
    shortRun[8] = 7;  // three of four
    EXPECT_TRUE(ReadBack(bagWith(shortRun)).Empty());
    // 60000 x 60000 in one run: 3.6 billion pixels from twenty bytes.
    const std::vector<std::uint8_t> huge = {0x60, 0xEA, 0, 0, 0x60, 0xEA, 0, 0, 0x81, 0x90, 0x9D, 0xE9, 0x1A, 0, 0, 0};
    EXPECT_TRUE(ReadBack(bagWith(huge)).Empty());
}

}  // namespace
