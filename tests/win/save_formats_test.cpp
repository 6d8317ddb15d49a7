// Real files through the platform's image encoders: each format written,
// read back and compared with the source; the encoder and the parameter
// record the library receives; failures the user is told about.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string_view>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "encoding/ModSavePic.h"
#include "platform/services/imaging.h"
#include "platform/services/system.h"
#include "platform/win32/handles.h"
#include "platform/win32/imaging_win32.h"
#include "tests/win/long_folder.h"
#include "tests/win/save_modal_watcher.h"

namespace {

using save_testing::AcceptMessageBox;
using save_testing::ModalWatcher;
using win_testing::TestFolder;

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::vector<unsigned char> FileBytes(const std::wstring& path) {
    std::ifstream f(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

bool StartsWith(const std::vector<unsigned char>& bytes, std::string_view magic) {
    return bytes.size() >= magic.size() &&
           std::equal(magic.begin(), magic.end(), bytes.begin(),
                       [](char m, unsigned char b) { return static_cast<unsigned char>(m) == b; });
}

// A picture whose neighbouring pixels all differ, with a one-pixel border of
// its own colour, at an odd size so row padding shows.
plat::Picture SharpPicture() {
    plat::Picture p = plat::Picture::Create(61, 37, 0);
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            p.MutableRow(y)[x] = static_cast<std::uint32_t>((x * 37 + y * 11) & 255) << 16 |
                                 static_cast<std::uint32_t>((x * y) & 255) << 8 |
                                 static_cast<std::uint32_t>((y * 53 + x) & 255);
    p.Draw().FrameRect({0, 0, p.Width(), p.Height()}, plat::Rgb(255, 0, 255), 1);
    return p;
}

// Smooth gradients and flat blocks: what a lossy encoder keeps well.
plat::Picture SmoothPicture() {
    plat::Picture p = plat::Picture::Create(64, 48, 0);
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            p.MutableRow(y)[x] = static_cast<std::uint32_t>(x * 4) << 16 | static_cast<std::uint32_t>(y * 5) << 8 | 96u;
    p.Draw().FillRect({16, 16, 48, 32}, plat::Rgb(250, 250, 40));
    return p;
}

// Few colours, all exact in any 8-bit palette the encoder may pick.
plat::Picture FewColourPicture() {
    plat::Picture p = plat::Picture::Create(40, 24, plat::Rgb(255, 255, 255));
    p.Draw().FillRect({4, 4, 20, 20}, plat::Rgb(255, 0, 0));
    p.Draw().FillRect({20, 4, 36, 20}, plat::Rgb(0, 0, 255));
    p.Draw().FillRect({12, 10, 28, 14}, plat::Rgb(0, 0, 0));
    return p;
}

// What the library was handed on one save call.
struct SeenCall {
    std::wstring path;
    CLSID encoder{};
    bool hasParams = false;
    std::vector<GUID> guids;
    std::vector<ULONG> counts, types;
    std::vector<std::uint32_t> values;
};

// The value of one TIFF tag of the first directory (first value only for
// counts above one, which is enough for bits per sample 8,8,8).
std::map<int, std::uint32_t> TiffTags(const std::vector<unsigned char>& b) {
    std::map<int, std::uint32_t> tags;
    if (b.size() < 8 || b[0] != 'I' || b[1] != 'I') return tags;  // little-endian files only
    auto u16 = [&](size_t o) -> std::uint32_t { return o + 2 <= b.size() ? b[o] | b[o + 1] << 8 : 0; };
    auto u32 = [&](size_t o) -> std::uint32_t {
        return o + 4 <= b.size() ? static_cast<std::uint32_t>(b[o] | b[o + 1] << 8 | b[o + 2] << 16) |
                                       static_cast<std::uint32_t>(b[o + 3]) << 24
                                 : 0;
    };
    const size_t ifd = u32(4);
    const std::uint32_t n = u16(ifd);
    for (std::uint32_t i = 0; i < n; ++i) {
        const size_t e = ifd + 2 + i * 12;
        const std::uint32_t tag = u16(e), type = u16(e + 2), count = u32(e + 4);
        const size_t size = type == 3 ? 2 : 4;
        const size_t at = count * size <= 4 ? e + 8 : u32(e + 8);
        tags[static_cast<int>(tag)] = type == 3 ? u16(at) : u32(at);
    }
    return tags;
}

class SaveFormatsWin : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        dir_ = std::wstring(tmp) + L"ms_save_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
               std::to_wstring(++counter_);
        CreateDirectoryW(dir_.c_str(), nullptr);
        plat::win32::SetSaveObserver([this](const plat::win32::SaveCallView& v) {
            SeenCall c;
            c.path = v.path;
            c.encoder = *v.encoder;
            // A folder where the encoder writes makes it fail.
            if (blockEncoder_) CreateDirectoryW(v.path, nullptr);
            c.hasParams = v.params != nullptr;
            for (UINT i = 0; v.params && i < v.params->Count; ++i) {
                const Gdiplus::EncoderParameter& p = v.params->Parameter[i];
                c.guids.push_back(p.Guid);
                c.counts.push_back(p.NumberOfValues);
                c.types.push_back(p.Type);
                c.values.push_back(*static_cast<const std::uint32_t*>(p.Value));
            }
            calls_.push_back(c);
        });
        instances_ = plat::win32::LiveGraphicsInstances();
        handles_ = plat::win32::OwnedHandleCount();
    }
    void TearDown() override {
        plat::win32::SetSaveObserver({});
        EXPECT_EQ(plat::win32::LiveGraphicsInstances(), instances_);
        EXPECT_EQ(plat::win32::LiveGraphicsBitmaps(), 0);
        EXPECT_EQ(plat::win32::OwnedHandleCount(), handles_);
        EXPECT_EQ(plat::GetMousePointer(), plat::MousePointer::Default);
        std::wstring cmd = L"cmd /c rmdir /s /q \"" + dir_ + L"\"";
        _wsystem(cmd.c_str());
    }
    std::wstring PathOf(const std::wstring& name) const { return dir_ + L"\\" + name; }

    // Saves p under name as CutdSave does (format word from the name).
    bool Save(const plat::Picture& p, const std::wstring& name) {
        const std::wstring path = PathOf(name);
        return ModSavePic::SavePictureFile(p, path, ModSavePic::FormatWord(path), 80, 24, 6).ok;
    }

    // The codec the library lists with this MIME type.
    static CLSID EncoderByMime(const wchar_t* mime) {
        plat::GraphicsInstance lib;
        std::vector<plat::ImageEncoder> list;
        EXPECT_EQ(plat::GetImageEncoders(list), plat::gp::Ok);
        for (const auto& e : list)
            if (e.mimeType == mime) {
                CLSID c;
                std::memcpy(&c, e.clsid.bytes.data(), sizeof c);
                return c;
            }
        ADD_FAILURE() << "no encoder for this MIME type";
        return {};
    }

    static inline int counter_ = 0;
    bool blockEncoder_ = false;
    std::wstring dir_;
    std::vector<SeenCall> calls_;
    long instances_ = 0, handles_ = 0;
};

TEST_F(SaveFormatsWin, TheLibraryListsFiveEncodersAndEachWordFindsItsOwn) {
    plat::GraphicsInstance lib;
    ASSERT_EQ(lib.Status(), plat::gp::Ok);
    std::vector<plat::ImageEncoder> list;
    ASSERT_EQ(plat::GetImageEncoders(list), plat::gp::Ok);
    std::vector<std::wstring> mimes;
    for (const auto& e : list) mimes.push_back(e.mimeType);
    for (const wchar_t* m : {L"image/bmp", L"image/jpeg", L"image/gif", L"image/tiff", L"image/png"})
        EXPECT_NE(std::find(mimes.begin(), mimes.end(), m), mimes.end()) << m;

    const std::pair<const wchar_t*, const wchar_t*> expected[] = {
        {L"png", L"image/png"}, {L"PNG", L"image/png"}, {L"jpg", L"image/jpeg"}, {L"jpeg", L"image/jpeg"},
        {L"bmp", L"image/bmp"}, {L"gif", L"image/gif"}, {L"tif", L"image/tiff"}, {L"TIFF", L"image/tiff"}};
    for (const auto& [word, mime] : expected) {
        plat::Guid g;
        ASSERT_TRUE(ModSavePic::FindEncoderByExtension(word, g)) << word;
        const auto it = std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.clsid == g; });
        ASSERT_NE(it, list.end());
        EXPECT_EQ(it->mimeType, mime) << word;
    }
    plat::Guid none;
    EXPECT_FALSE(ModSavePic::FindEncoderByExtension(L"xyz", none));
    EXPECT_TRUE(none.IsZero());
}

TEST_F(SaveFormatsWin, GuidTextsTurnIntoTheLibrarysParameterIds) {
    plat::Guid g;
    ASSERT_TRUE(plat::GuidFromString(ModSavePic::kQualityGuidText, g));
    EXPECT_EQ(std::memcmp(g.bytes.data(), &Gdiplus::EncoderQuality, 16), 0);
    ASSERT_TRUE(plat::GuidFromString(ModSavePic::kCompressionGuidText, g));
    EXPECT_EQ(std::memcmp(g.bytes.data(), &Gdiplus::EncoderCompression, 16), 0);
    ASSERT_TRUE(plat::GuidFromString(ModSavePic::kColorDepthGuidText, g));
    EXPECT_EQ(std::memcmp(g.bytes.data(), &Gdiplus::EncoderColorDepth, 16), 0);
}

TEST_F(SaveFormatsWin, TheParameterRecordHasTheLibrarysLayout) {
    const std::int32_t quality = 80, depth = 24, compression = 6;
    const auto jpg = plat::win32::EncoderParametersRecord(
        ModSavePic::BuildEncoderParameters(L"JPG", quality, depth, compression));
    const auto tiff = plat::win32::EncoderParametersRecord(
        ModSavePic::BuildEncoderParameters(L"tiff", quality, depth, compression));
    // 32 and 60 bytes in the 32-bit release; wider pointers widen the records.
    EXPECT_EQ(jpg.size(), sizeof(void*) == 4 ? 32u : 40u);
    EXPECT_EQ(tiff.size(), sizeof(void*) == 4 ? 60u : 72u);
    ASSERT_FALSE(jpg.empty());
    const auto* record = reinterpret_cast<const Gdiplus::EncoderParameters*>(jpg.data());
    EXPECT_EQ(record->Count, 1u);
    EXPECT_TRUE(record->Parameter[0].Guid == Gdiplus::EncoderQuality);
    EXPECT_EQ(record->Parameter[0].NumberOfValues, 1u);
    EXPECT_EQ(record->Parameter[0].Type, static_cast<ULONG>(Gdiplus::EncoderParameterValueTypeLong));
    EXPECT_EQ(record->Parameter[0].Value, &quality);
    EXPECT_TRUE(plat::win32::EncoderParametersRecord({}).empty());
}

TEST_F(SaveFormatsWin, LosslessFormatsReadBackPixelExact) {
    const plat::Picture src = SharpPicture();
    const std::pair<const wchar_t*, std::string_view> cases[] = {
        {L"shot.png", "\x89PNG"}, {L"shot.PNG", "\x89PNG"}, {L"shot.bmp", "BM"},
        {L"shot.tif", "II*"},     {L"shot.tiff", "II*"},    {L"shot.v1.2.png", "\x89PNG"}};
    for (const auto& [name, magic] : cases) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        ASSERT_TRUE(Save(src, name));
        const auto bytes = FileBytes(PathOf(name));
        EXPECT_TRUE(StartsWith(bytes, magic));
        // 24 bits a pixel, no alpha: PNG's header says 8 bits of colour type 2
        // (RGB), the BMP's info header 24 bits a pixel.
        if (magic == "BM") {
            ASSERT_GT(bytes.size(), 29u);
            EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24);
        } else if (magic == "\x89PNG") {
            ASSERT_GT(bytes.size(), 25u);
            EXPECT_EQ(static_cast<unsigned char>(bytes[24]), 8);
            EXPECT_EQ(static_cast<unsigned char>(bytes[25]), 2);
        }
        plat::Picture back;
        ASSERT_EQ(plat::LoadPictureFile(PathOf(name), back), plat::gp::Ok);
        EXPECT_TRUE(plat::SamePixels(back, src));
    }
    ASSERT_EQ(calls_.size(), std::size(cases));
    EXPECT_TRUE(calls_[0].encoder == EncoderByMime(L"image/png"));
    EXPECT_TRUE(calls_[2].encoder == EncoderByMime(L"image/bmp"));
    EXPECT_TRUE(calls_[3].encoder == EncoderByMime(L"image/tiff"));
    EXPECT_TRUE(calls_[5].encoder == EncoderByMime(L"image/png"));
    // Only ".tiff" passes parameters; the others go with the encoder's defaults.
    for (size_t i : {0u, 1u, 2u, 3u, 5u}) EXPECT_FALSE(calls_[i].hasParams) << i;
}

TEST_F(SaveFormatsWin, TiffPassesNoCompressionAndTwentyFourBitsAndTheFileSaysSo) {
    ASSERT_TRUE(Save(SharpPicture(), L"shot.tiff"));
    ASSERT_EQ(calls_.size(), 1u);
    const SeenCall& c = calls_[0];
    ASSERT_TRUE(c.hasParams);
    ASSERT_EQ(c.guids.size(), 2u);
    EXPECT_TRUE(c.guids[0] == Gdiplus::EncoderCompression);
    EXPECT_TRUE(c.guids[1] == Gdiplus::EncoderColorDepth);
    EXPECT_EQ(c.values, (std::vector<std::uint32_t>{6, 24}));
    EXPECT_EQ(c.counts, (std::vector<ULONG>{1, 1}));
    EXPECT_EQ(c.types, (std::vector<ULONG>{4, 4}));

    const auto tags = TiffTags(FileBytes(PathOf(L"shot.tiff")));
    ASSERT_FALSE(tags.empty());
    EXPECT_EQ(tags.at(259), 1u);  // compression: none
    EXPECT_EQ(tags.at(277), 3u);  // samples per pixel: 3
    EXPECT_EQ(tags.at(258), 8u);  // 8 bits each: 24 bits a pixel
}

TEST_F(SaveFormatsWin, JpegIsCloseToTheSourceAndOnlyJpgCarriesQuality80) {
    const plat::Picture src = SmoothPicture();
    for (const wchar_t* name : {L"shot.jpg", L"shot2.JPG", L"shot3.jpeg"}) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        ASSERT_TRUE(Save(src, name));
        EXPECT_TRUE(StartsWith(FileBytes(PathOf(name)), "\xFF\xD8\xFF"));
        plat::Picture back;
        ASSERT_EQ(plat::LoadPictureFile(PathOf(name), back), plat::gp::Ok);
        ASSERT_EQ(back.Width(), src.Width());
        ASSERT_EQ(back.Height(), src.Height());
        long total = 0;
        int worst = 0;
        for (int y = 0; y < src.Height(); ++y)
            for (int x = 0; x < src.Width(); ++x) {
                const plat::Color a = src.Pixel(x, y), b = back.Pixel(x, y);
                for (int d : {plat::RedOf(a) - plat::RedOf(b), plat::GreenOf(a) - plat::GreenOf(b),
                              plat::BlueOf(a) - plat::BlueOf(b)}) {
                    total += std::abs(d);
                    worst = std::max(worst, std::abs(d));
                }
            }
        const double mean = static_cast<double>(total) / (src.Width() * src.Height() * 3);
        EXPECT_LT(mean, 3.0);
        EXPECT_LT(worst, 48);
    }
    ASSERT_EQ(calls_.size(), 3u);
    for (const SeenCall& c : calls_) EXPECT_TRUE(c.encoder == EncoderByMime(L"image/jpeg"));
    for (int i : {0, 1}) {
        ASSERT_EQ(calls_[i].guids.size(), 1u);
        EXPECT_TRUE(calls_[i].guids[0] == Gdiplus::EncoderQuality);
        EXPECT_EQ(calls_[i].values, std::vector<std::uint32_t>{80});
        EXPECT_EQ(calls_[i].types, std::vector<ULONG>{4});
    }
    EXPECT_FALSE(calls_[2].hasParams);
}

TEST_F(SaveFormatsWin, GifGoesToTheGifEncoderAndReadsBackWhereTheEncoderWorks) {
    const plat::Picture src = FewColourPicture();
    ASSERT_TRUE(Save(src, L"a.b.gif"));
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_TRUE(calls_[0].encoder == EncoderByMime(L"image/gif"));
    EXPECT_FALSE(calls_[0].hasParams);
    const auto bytes = FileBytes(PathOf(L"a.b.gif"));
    EXPECT_TRUE(StartsWith(bytes, "GIF8"));
    plat::Picture back;
    const int st = plat::LoadPictureFile(PathOf(L"a.b.gif"), back);
    if (UnderWine() && (st != plat::gp::Ok || back.Width() != src.Width()))
        GTEST_SKIP() << "Wine's GIF encoder writes a header with no image (" << bytes.size() << " bytes)";
    ASSERT_EQ(st, plat::gp::Ok);
    EXPECT_TRUE(plat::SamePixels(back, src));
}

TEST_F(SaveFormatsWin, AWordNoEncoderKnowsWritesNothingAndTellsTheUser) {
    std::wstring text;
    bool ok = true;
    {
        ModalWatcher box(L"错误", AcceptMessageBox(text));
        ok = Save(SharpPicture(), L"shot.xyz");
        EXPECT_TRUE(box.Seen());
    }
    EXPECT_FALSE(ok);
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(GetFileAttributesW(PathOf(L"shot.xyz").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(text.rfind(ModSavePic::kErrorHead, 0), 0u) << "message: " << text.size();
    EXPECT_NE(text.find(PathOf(L"shot.xyz")), std::wstring::npos);
    EXPECT_NE(text.find(L"\"xyz\""), std::wstring::npos);
}

TEST_F(SaveFormatsWin, AnUnwritablePathIsReportedWithTheReasonAndLeavesNoFile) {
    const std::wstring path = PathOf(L"no such folder\\shot.png");
    std::wstring text;
    bool ok = true;
    {
        ModalWatcher box(L"错误", AcceptMessageBox(text));
        ok = ModSavePic::SavePictureFile(SharpPicture(), path, L"png", 80, 24, 6).ok;
        EXPECT_TRUE(box.Seen());
    }
    EXPECT_FALSE(ok);
    ASSERT_EQ(calls_.size(), 1u);  // the encoder was asked, and failed
    EXPECT_NE(text.find(L"\"" + path + L"\""), std::wstring::npos);
    EXPECT_NE(text.find(L"错误号: "), std::wstring::npos);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    const std::wstring reason = text.substr(text.find(L"错误描述"));
    std::string utf8(static_cast<size_t>(reason.size() * 4), '\0');
    utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, reason.c_str(), static_cast<int>(reason.size()),
                                                        utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr)));
    std::cout << "  shown: " << utf8 << std::endl;
}

// Over an existing file the picture goes to a new file beside it, which takes
// its place only once complete: the old bytes survive a failing encoder and a
// replace the system refuses (a read-only file, a file another program holds
// open), each told to the user, with no file of the attempt left behind.
TEST_F(SaveFormatsWin, SavingOverAFileReplacesItWholeOrNotAtAll) {
    const std::wstring path = PathOf(L"shot.png");
    const std::string old = "the picture that was here";
    TestFolder::Write(path, old);
    ASSERT_TRUE(Save(SharpPicture(), L"shot.png"));
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_NE(calls_[0].path, path);
    EXPECT_EQ(calls_[0].path.rfind(dir_ + L"\\", 0), 0u) << "written beside the target";
    plat::Picture back;
    ASSERT_EQ(plat::LoadPictureFile(path, back), plat::gp::Ok);
    EXPECT_TRUE(plat::SamePixels(back, SharpPicture()));
    EXPECT_EQ(TestFolder::NamesIn(dir_), std::vector<std::wstring>{L"shot.png"});

    auto failingSave = [&](const wchar_t* what) {
        SCOPED_TRACE(std::string(what, what + wcslen(what)));
        TestFolder::Write(path, old);
        std::wstring text;
        bool ok = true;
        {
            ModalWatcher box(L"错误", AcceptMessageBox(text));
            ok = Save(SharpPicture(), L"shot.png");
            EXPECT_TRUE(box.Seen());
        }
        EXPECT_FALSE(ok);
        EXPECT_NE(text.find(L"\"" + path + L"\""), std::wstring::npos);
        EXPECT_EQ(TestFolder::Bytes(path), old);
        return text;
    };
    blockEncoder_ = true;
    failingSave(L"the encoder fails");
    blockEncoder_ = false;
    // Only the target and the folder that blocked the encoder are there.
    std::vector<std::wstring> names = TestFolder::NamesIn(dir_);
    ASSERT_EQ(names.size(), 2u);
    RemoveDirectoryW(calls_.back().path.c_str());
    EXPECT_EQ(TestFolder::NamesIn(dir_), std::vector<std::wstring>{L"shot.png"});

    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring text = failingSave(L"the file is read-only");
    EXPECT_NE(text.find(L"错误号: 7\r\n"), std::wstring::npos);
    EXPECT_EQ(TestFolder::NamesIn(dir_), std::vector<std::wstring>{L"shot.png"});
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    // Held open by another program, which lets others read it only: the
    // replace is refused and no file of the attempt stays beside it.
    for (int attempt = 0; attempt < 2; ++attempt) {
        TestFolder::Write(path, old);
        HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::wstring why;
        {
            ModalWatcher box(L"错误", AcceptMessageBox(why));
            EXPECT_FALSE(Save(SharpPicture(), L"shot.png"));
        }
        CloseHandle(held);
        EXPECT_NE(why.find(L"\"" + path + L"\""), std::wstring::npos) << "the box names the file";
        EXPECT_EQ(TestFolder::NamesIn(dir_), std::vector<std::wstring>{L"shot.png"});
        EXPECT_EQ(TestFolder::Bytes(path), old);
    }
}

TEST_F(SaveFormatsWin, AFolderPastThePathLimitIsSavedInto) {
    TestFolder deep(300);
    const std::wstring path = deep.PathOf(L"shot.bmp");
    TestFolder::Write(path, "old");
    ASSERT_TRUE(ModSavePic::SavePictureFile(SharpPicture(), path, L"bmp", 80, 24, 6).ok);
    EXPECT_EQ(TestFolder::Bytes(path).rfind("BM", 0), 0u);
    plat::Picture back;
    ASSERT_EQ(plat::LoadPictureFile(path, back), plat::gp::Ok);
    EXPECT_TRUE(plat::SamePixels(back, SharpPicture()));
    EXPECT_EQ(deep.Names(), std::vector<std::wstring>{L"shot.bmp"});
}

}  // namespace
