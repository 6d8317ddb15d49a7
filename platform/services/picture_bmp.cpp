// The toolkit's save-picture: always the Windows bitmap format, written whole
// or not at all.
#include "platform/services/files.h"
#include "platform/services/imaging.h"

namespace plat {

namespace {

bool FindBmpEncoder(Guid& clsid) {
    std::vector<ImageEncoder> encoders;
    if (GetImageEncoders(encoders) != gp::Ok) return false;
    for (const auto& e : encoders)
        if (e.mimeType == L"image/bmp") {
            clsid = e.clsid;
            return true;
        }
    return false;
}

}  // namespace

bool SavePictureAsBmp(const Picture& p, const std::wstring& path) {
    if (p.Empty() || path.empty()) return false;
    GraphicsInstance library;
    if (library.Status() != gp::Ok) return false;
    GraphicsBitmap bitmap;
    Guid encoder;
    if (GraphicsBitmap::FromPicture(p, bitmap) != gp::Ok || !FindBmpEncoder(encoder)) return false;
    const std::wstring temp = TempNameBeside(path);
    const bool written = bitmap.SaveToFile(temp, encoder, {}).status == gp::Ok;
    // An encoder can report success and leave nothing behind.
    const auto size = written ? FileSize(temp) : std::nullopt;
    if (size && *size > 0 && !ReplaceFileWith(temp, path)) return true;
    (void)RemoveFile(temp);  // there may be nothing to remove
    return false;
}

}  // namespace plat
