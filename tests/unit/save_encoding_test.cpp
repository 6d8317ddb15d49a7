// Encoder choice, format words, parameter blocks and GUID texts: plain
// functions over plain data.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "encoding/ModSavePic.h"
#include "platform/headless/fake_imaging.h"
#include "platform/services/imaging.h"

namespace {

using plat::Guid;
using plat::ImageEncoder;

Guid GuidOf(const wchar_t* text) {
    Guid g;
    EXPECT_TRUE(plat::GuidFromString(text, g)) << "not a GUID text";
    return g;
}

// The codec name of the encoder the word selects in the platform's list, or "none".
std::wstring EncoderFor(const std::wstring& word) {
    const auto list = plat::fake::DefaultEncoders();
    Guid clsid;
    if (!ModSavePic::FindEncoderByExtension(word, list, clsid)) return L"none";
    for (const auto& e : list)
        if (e.clsid == clsid) return e.codecName;
    return L"?";
}

TEST(SaveFormatWord, IsTheTextAfterTheLastDot) {
    EXPECT_EQ(ModSavePic::FormatWord(L"C:\\snips\\shot.PNG"), L"PNG");
    EXPECT_EQ(ModSavePic::FormatWord(L"C:\\snips\\a.b.gif"), L"gif");
    EXPECT_EQ(ModSavePic::FormatWord(L"C:\\my.dir\\shot.JpG"), L"JpG");
    EXPECT_EQ(ModSavePic::FormatWord(L"C:\\snips\\noext"), L"C:\\snips\\noext");
    EXPECT_EQ(ModSavePic::FormatWord(L"C:\\snips\\shot."), L"");
}

TEST(SaveEncoderMatch, EachSavedFormatFindsItsEncoderInAnyCase) {
    EXPECT_EQ(EncoderFor(L"png"), L"PNG");
    EXPECT_EQ(EncoderFor(L"PNG"), L"PNG");
    EXPECT_EQ(EncoderFor(L"jpg"), L"JPEG");
    EXPECT_EQ(EncoderFor(L"JPG"), L"JPEG");
    EXPECT_EQ(EncoderFor(L"jpeg"), L"JPEG");
    EXPECT_EQ(EncoderFor(L"bmp"), L"BMP");
    EXPECT_EQ(EncoderFor(L"Gif"), L"GIF");
    EXPECT_EQ(EncoderFor(L"tif"), L"TIFF");
    EXPECT_EQ(EncoderFor(L"TIFF"), L"TIFF");
}

TEST(SaveEncoderMatch, IsASubstringTestAndTheFirstListedEncoderWins) {
    EXPECT_EQ(EncoderFor(L"jpe"), L"JPEG");
    EXPECT_EQ(EncoderFor(L"dib"), L"BMP");
    // "p" occurs in BMP's, JPEG's and PNG's lists: BMP is listed first.
    EXPECT_EQ(EncoderFor(L"p"), L"BMP");
    EXPECT_EQ(EncoderFor(L""), L"BMP");
    // Pattern text counts too: "*." is in every list.
    EXPECT_EQ(EncoderFor(L"*.g"), L"GIF");

    std::vector<ImageEncoder> two = {
        {GuidOf(L"{00000001-0000-0000-0000-000000000000}"), {}, L"A", L"*.XYZ", L""},
        {GuidOf(L"{00000002-0000-0000-0000-000000000000}"), {}, L"B", L"*.XY;*.XYZ", L""},
    };
    Guid clsid;
    ASSERT_TRUE(ModSavePic::FindEncoderByExtension(L"xyz", two, clsid));
    EXPECT_EQ(clsid, two[0].clsid);
    ASSERT_TRUE(ModSavePic::FindEncoderByExtension(L"xy;", two, clsid));
    EXPECT_EQ(clsid, two[1].clsid);
}

TEST(SaveEncoderMatch, NoMatchLeavesTheIdentifierAsItWas) {
    const auto list = plat::fake::DefaultEncoders();
    Guid clsid = GuidOf(L"{12345678-9ABC-DEF0-1234-56789ABCDEF0}");
    const Guid before = clsid;
    EXPECT_FALSE(ModSavePic::FindEncoderByExtension(L"xyz", list, clsid));
    EXPECT_FALSE(ModSavePic::FindEncoderByExtension(L"png ", list, clsid));
    EXPECT_FALSE(ModSavePic::FindEncoderByExtension(L"png", {}, clsid));
    EXPECT_EQ(clsid, before);
}

TEST(SaveEncoderParameters, JpgCarriesTheQualityAtTheArgumentsAddress) {
    const std::int32_t quality = 80, depth = 24, compression = 6;
    for (const wchar_t* word : {L"jpg", L"JPG", L"Jpg"}) {
        const auto block = ModSavePic::BuildEncoderParameters(word, quality, depth, compression);
        ASSERT_EQ(block.size(), 1u) << word;
        EXPECT_EQ(block[0].guid, GuidOf(ModSavePic::kQualityGuidText));
        EXPECT_EQ(block[0].numberOfValues, 1u);
        EXPECT_EQ(block[0].type, 4u);
        EXPECT_EQ(block[0].value, &quality);
    }
}

TEST(SaveEncoderParameters, TiffCarriesCompressionThenColourDepth) {
    const std::int32_t quality = 80, depth = 24, compression = 6;
    for (const wchar_t* word : {L"tiff", L"TIFF"}) {
        const auto block = ModSavePic::BuildEncoderParameters(word, quality, depth, compression);
        ASSERT_EQ(block.size(), 2u) << word;
        EXPECT_EQ(block[0].guid, GuidOf(ModSavePic::kCompressionGuidText));
        EXPECT_EQ(block[0].value, &compression);
        EXPECT_EQ(block[1].guid, GuidOf(ModSavePic::kColorDepthGuidText));
        EXPECT_EQ(block[1].value, &depth);
        for (const auto& p : block) {
            EXPECT_EQ(p.numberOfValues, 1u);
            EXPECT_EQ(p.type, 4u);
        }
    }
}

TEST(SaveEncoderParameters, EveryOtherWordGetsTheEncodersDefaults) {
    const std::int32_t quality = 80, depth = 24, compression = 6;
    for (const wchar_t* word : {L"jpeg", L"tif", L"png", L"bmp", L"gif", L"", L"jpg ", L"xtiff"})
        EXPECT_TRUE(ModSavePic::BuildEncoderParameters(word, quality, depth, compression).empty()) << word;
}

TEST(SaveGuidText, ParsesToThePlatformsByteOrderAndRejectsOtherText) {
    // First three fields little-endian, the rest in text order.
    const Guid q = GuidOf(ModSavePic::kQualityGuidText);
    const std::uint8_t expected[16] = {0xB5, 0xE4, 0x5B, 0x1D, 0x4A, 0xFA, 0x2D, 0x45,
                                       0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(q.bytes[static_cast<size_t>(i)], expected[i]) << "byte " << i;
    EXPECT_EQ(GuidOf(L"{1d5be4b5-fa4a-452d-9cdd-5db35105e7eb}"), q);

    Guid g = q;
    EXPECT_FALSE(plat::GuidFromString(L"1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB", g));
    EXPECT_FALSE(plat::GuidFromString(L"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EG}", g));
    EXPECT_FALSE(plat::GuidFromString(L"{1D5BE4B5FFA4A-452D-9CDD-5DB35105E7EB}", g));
    EXPECT_FALSE(plat::GuidFromString(L"", g));
    EXPECT_EQ(g, q);
}

TEST(SaveErrorBox, TextIsHeadBlankLineNumberAndDescription) {
    EXPECT_EQ(ModSavePic::SaveErrorText(7, L"Could not save \"a.png\": disk full."),
              L"在保存图片的过程中发生错误:\r\n\r\n错误号: 7\r\n错误描述: Could not save \"a.png\": disk full.");
}

}  // namespace
