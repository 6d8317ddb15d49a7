// Full-screen (1920 x 1080) save time per format: SavePictureFile against the
// encoder's own GdipSaveImageToFile on a ready library bitmap, measured side
// by side in this run, with the files' sizes; then where a save's time goes,
// step by step. Prints a table and the summary lines.
//
// Both sides write over the file their previous round left, as a save over a
// snip saved before does. Ours runs as the program runs it: with no library
// instance started elsewhere, so it starts its own.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/screen_like_picture.h"
#include "bench/timing.h"
#include "encoding/ModSavePic.h"
#include "platform/services/files.h"
#include "platform/services/imaging.h"
#include "platform/services/system.h"

namespace {

using bench::Median;
using bench::TimeMs;

constexpr int kWidth = 1920, kHeight = 1080, kRounds = 7;
constexpr std::int32_t kQuality = 80, kDepth = 24, kCompression = 6;

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA d{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &d)) return -1;
    return static_cast<long long>(d.nFileSizeHigh) << 32 | d.nFileSizeLow;
}

// The reference: a started library, the picture already in a library bitmap
// and the encoder already found; only the encoder's call is timed.
double FloorMs(const plat::Picture& picture, const std::wstring& path, const wchar_t* word, bool& ok) {
    plat::GraphicsInstance library;
    plat::GraphicsBitmap bitmap;
    std::vector<plat::ImageEncoder> encoders;
    plat::Guid clsid;
    if (library.Status() != plat::gp::Ok || plat::GraphicsBitmap::FromPicture(picture, bitmap) != plat::gp::Ok ||
        plat::GetImageEncoders(encoders) != plat::gp::Ok ||
        !ModSavePic::FindEncoderByExtension(word, encoders, clsid)) {
        ok = false;
        return 0;
    }
    const auto params = ModSavePic::BuildEncoderParameters(word, kQuality, kDepth, kCompression);
    // Our previous save's old file is deleted in the background: not while the floor runs.
    plat::FinishFileRemovals();
    return TimeMs([&] { ok = ok && bitmap.SaveToFile(path, clsid, params).status == plat::gp::Ok; });
}

// Where a save's time goes: the steps SavePictureFile takes, each timed on
// its own, in its order, writing over the file the previous round left.
void PrintSplit(const plat::Picture& picture, const std::wstring& dir, const wchar_t* word) {
    std::vector<double> pointer, start, copy, list, encode, size, replace, cleanup, removal;
    const std::wstring target = dir + L"\\split." + word;
    const auto params = ModSavePic::BuildEncoderParameters(word, kQuality, kDepth, kCompression);
    for (int round = 0; round < kRounds; ++round) {
        auto t = bench::Clock::now();
        auto lap = [&t](std::vector<double>& into) {
            into.push_back(bench::MsSince(t));
            t = bench::Clock::now();
        };
        plat::SetMousePointer(plat::MousePointer::Hourglass);
        plat::SetMousePointer(plat::MousePointer::Default);
        lap(pointer);
        {
            plat::GraphicsInstance library;
            lap(start);
            plat::GraphicsBitmap bitmap;
            // As the save does: PNG over the picture's own pixels, the others a 24-bit copy.
            if (std::wstring(word) == L"png") plat::GraphicsBitmap::OverPicture(picture, bitmap);
            else plat::GraphicsBitmap::FromPicture(picture, bitmap);
            lap(copy);
            std::vector<plat::ImageEncoder> encoders;
            plat::GetImageEncoders(encoders);
            plat::Guid clsid;
            ModSavePic::FindEncoderByExtension(word, encoders, clsid);
            lap(list);
            const std::wstring temp = plat::TempNameBeside(target);
            bitmap.SaveToFile(temp, clsid, params);
            lap(encode);
            (void)plat::FileSize(temp);
            lap(size);
            (void)plat::ReplaceFileWith(temp, target);
            lap(replace);
            (void)plat::RemoveFile(temp);
            (void)plat::FileExists(temp);
        }
        lap(cleanup);
        plat::FinishFileRemovals();
        lap(removal);
    }
    std::printf("  %-5ls pointer %.2f, library start %.2f, pixel copy %.2f, encoder list %.2f, temp name + encode "
                "%.2f, size check %.2f, replace %.2f, clean-up + library end %.2f; then, off the save's road, "
                "the old file's deletion %.2f\n",
                word, Median(pointer), Median(start), Median(copy), Median(list), Median(encode), Median(size),
                Median(replace), Median(cleanup), Median(removal));
    DeleteFileW(target.c_str());
}

}  // namespace

int main() {
    const plat::Picture picture = bench::ScreenLikePicture(kWidth, kHeight);
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring dir = std::wstring(tmp) + L"ms_bench_save";
    CreateDirectoryW(dir.c_str(), nullptr);

    std::printf("Full-screen save, %d x %d, median of %d rounds\n", kWidth, kHeight, kRounds);
    std::printf("%-6s %12s %12s %8s %12s\n", "format", "ours ms", "encoder ms", "ratio", "file bytes");
    struct Row {
        const wchar_t* word;
        double ours, floor;
    };
    std::vector<Row> rows;
    for (const wchar_t* word : {L"png", L"jpg", L"jpeg", L"bmp", L"gif", L"tif", L"tiff"}) {
        const std::wstring ours = dir + L"\\ours." + word, ref = dir + L"\\encoder." + word;
        std::vector<double> oursMs, refMs;
        bool ok = true;
        for (int round = 0; round < kRounds; ++round) {
            refMs.push_back(FloorMs(picture, ref, word, ok));
            oursMs.push_back(TimeMs([&] {
                ok = ok && ModSavePic::SavePictureFile(picture, ours, word, kQuality, kDepth, kCompression).ok;
            }));
        }
        // The first round of each writes a new file; the median is of rounds that write over one.
        const double o = Median(oursMs), r = Median(refMs);
        rows.push_back({word, o, r});
        std::printf("%-6ls %12.1f %12.1f %8.2f %12lld%s\n", word, o, r, r > 0 ? o / r : 0.0, FileSize(ours),
                    ok ? "" : "  (a save failed)");
        DeleteFileW(ours.c_str());
        DeleteFileW(ref.c_str());
    }
    std::printf("The floor is the encoder's call alone: it writes over the previous file in place, and does not\n"
                "start the library, make a library bitmap of the picture (a copy but for PNG), find the encoder, write a temporary\n"
                "file beside the target, check its size, or set the old file aside once the new one stands in\n"
                "its place, as ours does. Ours deletes the old file in the background; the floor is timed\n"
                "only once that deletion is done.\n");
    std::printf("Where a save's time goes (ms, median of %d):\n", kRounds);
    for (const wchar_t* word : {L"png", L"jpg", L"bmp", L"tiff"}) PrintSplit(picture, dir, word);
    RemoveDirectoryW(dir.c_str());

    for (const Row& row : rows) {
        const std::wstring w = row.word;
        if (w != L"png" && w != L"jpg" && w != L"bmp" && w != L"tiff") continue;
        std::printf("@ save %ls, full screen (ms)|%.1f|%.1f|%.2f|<= 1.2\n", row.word, row.ours, row.floor,
                    row.floor > 0 ? row.ours / row.floor : 0.0);
    }
    return 0;
}
