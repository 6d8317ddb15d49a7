#include "platform/services/picture.h"

#include <cstring>

namespace plat {

void Canvas::DrawPicture(const Picture& src, int x, int y) {
    DrawPicture(src, x, y, Rect{0, 0, src.Width(), src.Height()});
}

ClipScope::ClipScope(Canvas& c, const Rect& r) : canvas_(c), previous_(c.scopedClip_) {
    const Rect clip = previous_ ? previous_->Intersect(r) : r;
    canvas_.scopedClip_ = clip;
    canvas_.SetClip(clip);
}

ClipScope::~ClipScope() {
    canvas_.scopedClip_ = previous_;
    if (previous_)
        canvas_.SetClip(*previous_);
    else
        canvas_.ResetClip();
}

bool SamePixels(const Picture& a, const Picture& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    const auto rowBytes = static_cast<size_t>(a.Width()) * sizeof(std::uint32_t);
    for (int y = 0; y < a.Height(); ++y) {
        const std::uint32_t* ra = a.Row(y);
        const std::uint32_t* rb = b.Row(y);
        // The fourth byte is unused and may differ between sources.
        if (std::memcmp(ra, rb, rowBytes) == 0) continue;
        for (int x = 0; x < a.Width(); ++x)
            if ((ra[x] & 0xFFFFFFu) != (rb[x] & 0xFFFFFFu)) return false;
    }
    return true;
}

}  // namespace plat
