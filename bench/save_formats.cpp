// Full-screen (1920 x 1080) save time per format: SavePictureFile against the
// encoder's own GdipSaveImageToFile on a ready library bitmap, measured side
// by side in this run, with the files' sizes. Prints a table.
#include <windows.h>
#include <objbase.h>
#include <propidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/screen_like_picture.h"
#include "encoding/ModSavePic.h"
#include "platform/services/imaging.h"
#include "platform/services/system.h"
#include "bench/timing.h"

namespace {

using bench::TimeMs;
using bench::Median;

constexpr int kWidth = 1920, kHeight = 1080, kRounds = 5;

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA d{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &d)) return -1;
    return static_cast<long long>(d.nFileSizeHigh) << 32 | d.nFileSizeLow;
}

}  // namespace

int main() {
    const plat::Picture picture = bench::ScreenLikePicture(kWidth, kHeight);
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring dir = std::wstring(tmp) + L"ms_bench_save";
    CreateDirectoryW(dir.c_str(), nullptr);

    // The reference: one started library, one bitmap, only the encoder's call timed.
    plat::GraphicsInstance library;
    plat::GraphicsBitmap bitmap;
    std::vector<plat::ImageEncoder> encoders;
    if (library.Status() != plat::gp::Ok || plat::GraphicsBitmap::FromPicture(picture, bitmap) != plat::gp::Ok ||
        plat::GetImageEncoders(encoders) != plat::gp::Ok) {
        std::printf("the graphics library is not available\n");
        return 1;
    }

    std::printf("Full-screen save, %d x %d, median of %d rounds\n", kWidth, kHeight, kRounds);
    std::printf("%-6s %12s %12s %8s %12s\n", "format", "ours ms", "encoder ms", "ratio", "file bytes");
    const std::int32_t quality = 80, depth = 24, compression = 6;
    for (const wchar_t* word : {L"png", L"jpg", L"jpeg", L"bmp", L"gif", L"tif", L"tiff"}) {
        const std::wstring ours = dir + L"\\ours." + word, ref = dir + L"\\encoder." + word;
        plat::Guid clsid;
        ModSavePic::FindEncoderByExtension(word, encoders, clsid);
        const auto params = ModSavePic::BuildEncoderParameters(word, quality, depth, compression);
        std::vector<double> oursMs, refMs;
        bool ok = true;
        for (int round = 0; round < kRounds; ++round) {
            refMs.push_back(TimeMs([&] { ok = ok && bitmap.SaveToFile(ref, clsid, params).status == plat::gp::Ok; }));
            oursMs.push_back(TimeMs([&] {
                ok = ok && ModSavePic::SavePictureFile(picture, ours, word, quality, depth, compression).ok;
            }));
        }
        const double o = Median(oursMs), r = Median(refMs);
        std::printf("%-6ls %12.1f %12.1f %8.2f %12lld%s\n", word, o, r, r > 0 ? o / r : 0.0, FileSize(ours),
                    ok ? "" : "  (a save failed)");
        DeleteFileW(ours.c_str());
        DeleteFileW(ref.c_str());
    }
    RemoveDirectoryW(dir.c_str());
    return 0;
}
