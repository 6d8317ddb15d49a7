// Headless: the fake library's picture files, scaled nearest-neighbour. How
// the real library scales and blends is proved under Wine.
#include "platform/services/picture_file.h"

#include <algorithm>

#include "platform/services/imaging.h"

namespace plat {

DrawnPictureFile DrawPictureFile(const std::wstring& path, int width, int height) {
    DrawnPictureFile out;
    Picture src;
    // A backslash is a folder separator, as the headless files read it.
    std::wstring file = path;
    std::replace(file.begin(), file.end(), L'\\', L'/');
    if ((out.status = LoadPictureFile(file, src)) != gp::Ok) return out;
    out.naturalWidth = src.Width();
    out.naturalHeight = src.Height();
    if (width <= 0 || height <= 0) {
        out.drawn = std::move(src);
        return out;
    }
    Picture pic = Picture::Create(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* from = src.Row(static_cast<int>(static_cast<long long>(y) * src.Height() / height));
        std::uint32_t* to = pic.MutableRow(y);
        for (int x = 0; x < width; ++x) to[x] = from[static_cast<long long>(x) * src.Width() / width];
    }
    out.drawn = std::move(pic);
    return out;
}

}  // namespace plat
