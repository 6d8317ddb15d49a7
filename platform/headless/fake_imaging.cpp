#include "platform/headless/fake_imaging.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/services/system.h"

namespace plat {

namespace {

std::map<Handle, Picture>& Bitmaps() {
    static std::map<Handle, Picture> bitmaps;
    return bitmaps;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

Guid MakeGuid(const wchar_t* text) {
    Guid g;
    GuidFromString(text, g);
    return g;
}

constexpr char kMagic[] = "MSFAKE";

}  // namespace

bool GuidFromString(std::wstring_view text, Guid& out) {
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}; the first three fields are stored little-endian.
    if (text.size() != 38 || text.front() != L'{' || text.back() != L'}') return false;
    static constexpr int kDashes[] = {9, 14, 19, 24};
    for (int d : kDashes)
        if (text[static_cast<size_t>(d)] != L'-') return false;
    std::uint8_t raw[16];
    int n = 0;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == L'-') continue;
        const int hi = HexDigit(text[i]);
        const int lo = i + 1 < text.size() - 1 ? HexDigit(text[i + 1]) : -1;
        if (hi < 0 || lo < 0 || n >= 16) return false;
        raw[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
        ++i;
    }
    if (n != 16) return false;
    static constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    for (int i = 0; i < 16; ++i) out.bytes[static_cast<size_t>(i)] = raw[kOrder[i]];
    return true;
}

int GraphicsStartup(GraphicsTokenValue& token) {
    auto& s = fake::Imaging();
    if (s.startupStatus != gp::Ok) return s.startupStatus;
    static GraphicsTokenValue next = 0x100;
    token = next++;
    ++s.liveInstances;
    return gp::Ok;
}

void GraphicsShutdown(GraphicsTokenValue) { --fake::Imaging().liveInstances; }

int GetImageEncoders(std::vector<ImageEncoder>& out) {
    auto& s = fake::Imaging();
    if (s.encodersStatus != gp::Ok) return s.encodersStatus;
    out = s.encoders;
    return gp::Ok;
}

GraphicsBitmap::~GraphicsBitmap() {
    if (handle_ && Bitmaps().erase(handle_)) --fake::Imaging().liveBitmaps;
}

GraphicsBitmap& GraphicsBitmap::operator=(GraphicsBitmap&& o) noexcept {
    if (this != &o) {
        GraphicsBitmap old(std::move(*this));
        handle_ = o.handle_;
        o.handle_ = 0;
    }
    return *this;
}

int GraphicsBitmap::FromPicture(const Picture& p, GraphicsBitmap& out) {
    if (p.Empty()) return gp::InvalidParameter;
    static Handle next = 1;
    const Handle h = next++;
    Bitmaps()[h] = p.Copy();
    ++fake::Imaging().liveBitmaps;
    out = GraphicsBitmap(h);
    return gp::Ok;
}

int GraphicsBitmap::OverPicture(const Picture& p, GraphicsBitmap& out) { return FromPicture(p, out); }

GraphicsFailure GraphicsBitmap::SaveToFile(const std::wstring& path, const Guid& encoder,
                                           std::span<const EncoderParameter> params) const {
    auto& s = fake::Imaging();
    const auto it = Bitmaps().find(handle_);
    if (it == Bitmaps().end()) return {gp::InvalidParameter, 0, {}};
    fake::RecordedSave rec{path, encoder, {}, it->second.Copy(), GetMousePointer()};
    for (const auto& p : params) {
        std::uint32_t v = 0;
        if (p.value) std::memcpy(&v, p.value, sizeof v);
        rec.params.push_back({p.guid, p.numberOfValues, p.type, p.value, v});
    }
    s.saves.push_back(std::move(rec));

    bool known = false;
    for (const auto& e : s.encoders) known = known || e.clsid == encoder;
    if (!known) return {gp::FileNotFound, 0, {}};  // the library's answer to an unknown encoder
    if (s.writes == fake::SaveWrites::Nothing) return s.saveFailure.value_or(GraphicsFailure{});
    std::ofstream f(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!f) return {gp::Win32Error, 3, L"The system cannot find the path specified."};
    if (s.writes == fake::SaveWrites::Partial) {
        f << kMagic;
        return s.saveFailure.value_or(GraphicsFailure{});
    }
    if (s.saveFailure) return *s.saveFailure;
    const Picture& pic = it->second;
    f << kMagic << ' ' << pic.Width() << ' ' << pic.Height() << '\n';
    for (int y = 0; y < pic.Height(); ++y)
        f.write(reinterpret_cast<const char*>(pic.Row(y)),
                static_cast<std::streamsize>(pic.Width()) * static_cast<std::streamsize>(sizeof(std::uint32_t)));
    if (!f.flush()) return {gp::Win32Error, 112, L"There is not enough space on the disk."};
    return {};
}

int LoadPictureFile(const std::wstring& path, Picture& out) {
    std::ifstream f(std::filesystem::path(path), std::ios::binary);
    if (!f) return gp::FileNotFound;
    std::string magic;
    int w = 0, h = 0;
    f >> magic >> w >> h;
    if (magic != kMagic || w <= 0 || h <= 0 || f.get() != '\n') return gp::UnknownImageFormat;
    Picture pic = Picture::Create(w, h);
    for (int y = 0; y < h; ++y)
        if (!f.read(reinterpret_cast<char*>(pic.MutableRow(y)),
                    static_cast<std::streamsize>(w) * static_cast<std::streamsize>(sizeof(std::uint32_t))))
            return gp::UnknownImageFormat;
    out = std::move(pic);
    return gp::Ok;
}

namespace fake {

std::vector<ImageEncoder> DefaultEncoders() {
    return {
        {MakeGuid(L"{557CF400-1A04-11D3-9A73-0000F81EF32E}"), {}, L"BMP", L"*.BMP;*.DIB;*.RLE", L"image/bmp"},
        {MakeGuid(L"{557CF401-1A04-11D3-9A73-0000F81EF32E}"), {}, L"JPEG", L"*.JPG;*.JPEG;*.JPE;*.JFIF",
         L"image/jpeg"},
        {MakeGuid(L"{557CF402-1A04-11D3-9A73-0000F81EF32E}"), {}, L"GIF", L"*.GIF", L"image/gif"},
        {MakeGuid(L"{557CF405-1A04-11D3-9A73-0000F81EF32E}"), {}, L"TIFF", L"*.TIF;*.TIFF", L"image/tiff"},
        {MakeGuid(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}"), {}, L"PNG", L"*.PNG", L"image/png"},
    };
}

ImagingState& Imaging() {
    static ImagingState state = [] {
        ImagingState s;
        s.encoders = DefaultEncoders();
        return s;
    }();
    return state;
}

void ResetImaging() {
    auto& s = Imaging();
    const long instances = s.liveInstances, bitmaps = s.liveBitmaps;
    s = ImagingState{};
    s.encoders = DefaultEncoders();
    // Live counts describe objects that still exist; a reset does not end them.
    s.liveInstances = instances;
    s.liveBitmaps = bitmaps;
}

Guid EncoderClsid(const std::wstring& name) {
    for (const auto& e : DefaultEncoders())
        if (e.codecName == name) return e.clsid;
    return {};
}

}  // namespace fake

}  // namespace plat
