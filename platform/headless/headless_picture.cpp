#include "platform/headless/headless_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/services/dpi.h"

namespace plat {

namespace {
long g_livePictures = 0;

PictureImpl& NullImpl() {
    static PictureImpl* impl = [] {
        auto* p = new PictureImpl(0, 0, 0);
        p->Untrack();
        return p;
    }();
    return *impl;
}
}  // namespace

long LivePictures() { return g_livePictures; }

Point TextMetric(std::wstring_view s, const Font& f) {
    const double em = f.points * plat::FontDpi(f) / 72.0;
    return {static_cast<int>(std::lround(0.6 * em * static_cast<double>(s.size()))),
            static_cast<int>(std::lround(em * 1.15))};
}

PictureImpl::PictureImpl(int w, int h, std::uint32_t fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {
    ++g_livePictures;
}

PictureImpl::~PictureImpl() {
    if (tracked) --g_livePictures;
}

void PictureImpl::Untrack() {
    if (tracked) --g_livePictures;
    tracked = false;
}

// ---- Canvas on a picture ----

int PictureCanvas::Width() const { return t_.width; }
int PictureCanvas::Height() const { return t_.height; }

Rect PictureCanvas::Drawable() const {
    const Rect all{0, 0, t_.width, t_.height};
    return clipped_ ? all.Intersect(clip_) : all;
}

void PictureCanvas::Fill(const Rect& r, std::uint32_t px) {
    for (int y = r.top; y < r.bottom; ++y) {
        auto row = t_.pixels.begin() + static_cast<long>(y) * t_.width;
        std::fill(row + r.left, row + r.right, px);
    }
}

void PictureCanvas::EraseRecords(const Rect& area) {
    std::erase_if(t_.texts, [&](const headless::TextRecord& t) { return area.Contains(t.x, t.y); });
    std::erase_if(t_.strokes,
                  [&](const headless::StrokeRecord& k) { return area.Contains(k.where.left, k.where.top); });
}

void PictureCanvas::FillRect(const Rect& r, Color c) {
    const Rect a = r.Intersect(Drawable());
    Fill(a, PixelFromColor(c));
    EraseRecords(a);
}

void PictureCanvas::Shade(const Rect& r, int percent) {
    const Rect a = r.Intersect(Drawable());
    const auto keep = static_cast<std::uint32_t>(100 - std::clamp(percent, 0, 100));
    for (int y = a.top; y < a.bottom; ++y) {
        std::uint32_t* row = t_.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(t_.width);
        for (int x = a.left; x < a.right; ++x) {
            const std::uint32_t p = row[x];
            row[x] = (((p >> 16) & 255) * keep / 100) << 16 | (((p >> 8) & 255) * keep / 100) << 8 |
                     ((p & 255) * keep / 100);
        }
    }
}

void PictureCanvas::FrameRect(const Rect& r, Color c, int penWidth) {
    if (r.Empty()) return;
    const int w = std::max(1, penWidth);
    const Rect d = Drawable();
    const auto px = PixelFromColor(c);
    if (2 * w >= r.Width() || 2 * w >= r.Height()) {
        Fill(r.Intersect(d), px);
        return;
    }
    Fill(Rect{r.left, r.top, r.right, r.top + w}.Intersect(d), px);
    Fill(Rect{r.left, r.bottom - w, r.right, r.bottom}.Intersect(d), px);
    Fill(Rect{r.left, r.top + w, r.left + w, r.bottom - w}.Intersect(d), px);
    Fill(Rect{r.right - w, r.top + w, r.right, r.bottom - w}.Intersect(d), px);
}

void PictureCanvas::Line(int x1, int y1, int x2, int y2, Color c, int penWidth) {
    if (Drawable().Empty() || (x1 == x2 && y1 == y2)) return;
    t_.strokes.push_back({false, Rect{x1, y1, x2, y2}, c, penWidth});
}

void PictureCanvas::Ellipse(const Rect& r, Color c, int penWidth) {
    if (r.Empty() || r.Intersect(Drawable()).Empty()) return;
    t_.strokes.push_back({true, r, c, penWidth});
}

void PictureCanvas::Text(int x, int y, std::wstring_view s, const Font& f, Color c) {
    const Point size = TextMetric(s, f);
    if (s.empty() || Rect{x, y, x + size.x, y + size.y}.Intersect(Drawable()).Empty()) return;
    t_.texts.push_back({x, y, std::wstring(s), f.face ? f.face : L"", f.points, f.bold, c});
}

Point PictureCanvas::TextSize(std::wstring_view s, const Font& f) { return TextMetric(s, f); }

void PictureCanvas::DrawPicture(const Picture& src, int x, int y, const Rect& from) {
    if (src.Empty()) return;
    const PictureImpl& s = *src.Impl();
    const Rect f = from.Intersect({0, 0, s.width, s.height});
    const int ox = x - from.left, oy = y - from.top;  // source to target offset
    const Rect d = f.Offset(ox, oy).Intersect(Drawable());
    if (f.Empty() || d.Empty()) return;
    // Drawing a picture onto itself reads the pixels as they were before.
    std::vector<std::uint32_t> own;
    const std::uint32_t* base = s.pixels.data();
    if (&s == &t_) own = s.pixels, base = own.data();
    std::vector<headless::TextRecord> moved;
    for (const auto& t : s.texts)
        if (d.Contains(t.x + ox, t.y + oy)) moved.push_back(t), moved.back().x += ox, moved.back().y += oy;
    std::vector<headless::StrokeRecord> movedStrokes;
    for (const auto& k : s.strokes)
        if (d.Contains(k.where.left + ox, k.where.top + oy)) movedStrokes.push_back(k), movedStrokes.back().where = k.where.Offset(ox, oy);
    for (int ty = d.top; ty < d.bottom; ++ty) {
        const std::uint32_t* from_row = base + static_cast<long>(ty - oy) * s.width + (d.left - ox);
        std::copy(from_row, from_row + d.Width(), t_.pixels.begin() + static_cast<long>(ty) * t_.width + d.left);
    }
    EraseRecords(d);
    t_.texts.insert(t_.texts.end(), moved.begin(), moved.end());
    t_.strokes.insert(t_.strokes.end(), movedStrokes.begin(), movedStrokes.end());
}

Color PictureCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= t_.width || y >= t_.height) return 0;
    return ColorFromPixel(t_.pixels[static_cast<size_t>(y) * static_cast<size_t>(t_.width) + static_cast<size_t>(x)]);
}

void PictureCanvas::SetClip(const Rect& r) {
    clip_ = r;
    clipped_ = true;
}

void PictureCanvas::ResetClip() { clipped_ = false; }

// ---- Picture ----

Picture Picture::Create(int width, int height, Color fill) {
    if (width <= 0 || height <= 0) return Picture();
    return Picture(std::make_shared<PictureImpl>(width, height, PixelFromColor(fill)));
}

int Picture::Width() const { return impl_ ? impl_->width : 0; }
int Picture::Height() const { return impl_ ? impl_->height : 0; }
Color Picture::Pixel(int x, int y) const { return impl_ ? impl_->canvas.Pixel(x, y) : 0; }

Picture Picture::Copy() const {
    if (!impl_) return Picture();
    auto p = std::make_shared<PictureImpl>(impl_->width, impl_->height, 0);
    p->pixels = impl_->pixels;
    p->texts = impl_->texts;
    p->strokes = impl_->strokes;
    return Picture(std::move(p));
}

// The area r of this picture at r's size; black where r lies outside.
Picture Picture::Crop(const Rect& r) const {
    Picture out = Create(r.Width(), r.Height(), Rgb(0, 0, 0));
    if (!out.Empty()) out.Draw().DrawPicture(*this, 0, 0, r);
    return out;
}

Canvas& Picture::Draw() { return impl_ ? impl_->canvas : NullImpl().canvas; }

const std::uint32_t* Picture::Row(int y) const {
    if (!impl_ || y < 0 || y >= impl_->height) return nullptr;
    return impl_->pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(impl_->width);
}

std::uint32_t* Picture::MutableRow(int y) {
    return const_cast<std::uint32_t*>(static_cast<const Picture*>(this)->Row(y));
}

Handle Picture::NativeBitmap() const { return 0; }

}  // namespace plat
