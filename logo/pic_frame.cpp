#include "logo/pic_frame.h"

#include <string>

#include "platform/services/files.h"
#include "platform/services/picture_file.h"
#include "platform/services/system.h"
#include "platform/services/window_queries.h"

namespace logo {

namespace {
constexpr plat::Color kHandleGrey = plat::Rgb(224, 224, 224);
constexpr float kTwips = plat::kTwipsPerPixel;

std::int16_t ReadInt16(const PropertyValues& bag, const wchar_t* name) {
    const auto it = bag.find(name);
    if (it == bag.end()) return 0;
    try {
        return static_cast<std::int16_t>(std::stoi(it->second));
    } catch (...) {
        return 0;
    }
}
}  // namespace

bool FileExists(const std::wstring& path) {
    if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return false;
    // A folder has no size: only files count.
    return plat::FileSize(path).has_value();
}

PicFrame::PicFrame(plat::Container& parent)
    : PictureBox(parent, true),
      picture_(*this),
      // As containers: a PicFrame is a PictureBox, which would be copied.
      Picture1(static_cast<plat::Container&>(*this)),
      Picture2(static_cast<plat::Container&>(*this)),
      border_(*this) {
    BackColor = kSeeThrough;
    for (plat::PictureBox* h : {&Picture1, &Picture2}) {
        h->SetBackColor(kHandleGrey);
        h->SetVisible(false);
    }
    border_.SetVisible(false);
    MouseDown = [this](const plat::MouseArgs&) {
        Pressed();
        DragFrame();
    };
    Picture1.MouseDown = Picture2.MouseDown = [this](const plat::MouseArgs&) { Pressed(); };
    MouseMove = [](const plat::MouseArgs&) { plat::SetMousePointer(plat::MousePointer::SizeAll); };
    DblClick = [this] { Frame_DblClick(); };
    Picture1.MouseMove = [this](const plat::MouseArgs& a) { Picture1_MouseMove(a); };
    Picture2.MouseMove = [this](const plat::MouseArgs& a) { Picture2_MouseMove(a); };
    Move(0, 0, 105, 49);
    PlaceHandles();
    UpdateMask();
}

PicFrame::~PicFrame() = default;

void PicFrame::Changed(const wchar_t* name) {
    if (PropertyChanged) PropertyChanged(name);
}

void PicFrame::SetPicPath(const std::wstring& path) {
    picPath_ = path;
    SetBackStyle(0);
    DrawPicture(path, true);
    Changed(L"PicPath");
}

void PicFrame::SetAppearance(std::int16_t v) {
    appearance_ = v;
    Changed(L"Appearance");
}

void PicFrame::SetBackStyle(std::int16_t v) {
    backStyle_ = v;
    UpdateMask();
    Changed(L"BackStyle");
}

void PicFrame::SetBorderStyle(std::int16_t v) {
    borderStyle_ = v;
    border_.SetVisible(v != 0);
    UpdateMask();
    Changed(L"BorderStyle");
}

void PicFrame::SetBackColorProperty(plat::Color c) {
    backColorProperty_ = c;
    SetBackColor(c);
    UpdateMask();
    Changed(L"BackColor");
}

void PicFrame::WriteProperties(PropertyValues& bag) const {
    bag[L"PicPath"] = picPath_;
    bag[L"Appearance"] = std::to_wstring(appearance_);
    bag[L"BackStyle"] = std::to_wstring(backStyle_);
    bag[L"BorderStyle"] = std::to_wstring(borderStyle_);
    bag[L"BackColor"] = std::to_wstring(backColorProperty_);
}

void PicFrame::ReadProperties(const PropertyValues& bag) {
    const auto path = bag.find(L"PicPath");
    picPath_ = path == bag.end() ? L"0" : path->second;
    appearance_ = ReadInt16(bag, L"Appearance");
    backStyle_ = ReadInt16(bag, L"BackStyle");
    borderStyle_ = ReadInt16(bag, L"BorderStyle");
    const auto color = bag.find(L"BackColor");
    try {
        backColorProperty_ = color == bag.end() ? 0 : static_cast<plat::Color>(std::stoul(color->second));
    } catch (...) {
        backColorProperty_ = 0;
    }
}

void PicFrame::AssignFrom(const plat::Control& src) {
    PictureBox::AssignFrom(src);
    if (auto* f = dynamic_cast<const PicFrame*>(&src)) {
        PropertyValues bag;
        f->WriteProperties(bag);
        ReadProperties(bag);
    }
    PlaceHandles();
    UpdateMask();
}

void PicFrame::DrawPicture(const std::wstring& path, bool autoSize) {
    if (!FileExists(path)) return;
    picture_.SetPicture({});
    pictureBands_.clear();
    plat::DrawnPictureFile file;
    if (autoSize) {
        file = plat::DrawPictureFile(path);
        // A picture too large to hold leaves the frame's size alone; one the
        // library cannot read leaves the margin only.
        if (!file.drawn.Empty() || file.naturalWidth == 0) {
            const plat::Point t = FrameTwipsForPicture(file.naturalWidth, file.naturalHeight);
            SetWidth(static_cast<float>(t.x) / kTwips);
            SetHeight(static_cast<float>(t.y) / kTwips);
        }
    } else {
        const plat::Point size = StretchedDrawingSize(Width(), Height());
        if (size.x > 0 && size.y > 0) file = plat::DrawPictureFile(path, size.x, size.y);
    }
    if (!file.drawn.Empty()) {
        // A file's own transparency decides what shows; without one, white is see-through.
        pictureBands_ = OpaqueBands(file.seeThrough.Empty() ? file.drawn : file.seeThrough, kSeeThrough);
        picture_.SetPicture(std::move(file.drawn));
        picture_.Move(0, 0);
    }
    PlaceHandles();
    UpdateMask();
}

void PicFrame::PlaceHandles() {
    const HandleBoxes h = HandlePlacement(Width(), Height());
    Picture1.Move(h.bottom.left, h.bottom.top, h.bottom.width, h.bottom.height);
    Picture2.Move(h.right.left, h.right.top, h.right.width, h.right.height);
    border_.Move(0, 0, Width(), Height());
}

void PicFrame::UpdateMask() {
    if (backStyle_ != 0 || BackColor != kSeeThrough) {
        SetWindowRegion({});
        return;
    }
    // An empty rectangle keeps a frame with nothing to show from being whole.
    std::vector<plat::Rect> parts{plat::Rect{}};
    parts.insert(parts.end(), pictureBands_.begin(), pictureBands_.end());
    for (plat::Control* c : Children()) {
        if (c == &picture_ || !c->Visible()) continue;
        const plat::Rect b = c->Bounds();
        if (auto* label = dynamic_cast<plat::Label*>(c); label && label->Transparent) {
            // A caption shows its letters only.
            plat::Picture alone = plat::Picture::Create(b.Width(), b.Height(), kSeeThrough);
            if (alone.Empty()) continue;
            label->Paint(alone.Draw(), -b.left, -b.top);
            for (const plat::Rect& r : OpaqueBands(alone, kSeeThrough)) parts.push_back(r.Offset(b.left, b.top));
            continue;
        }
        parts.push_back(b);
    }
    SetWindowRegion(std::move(parts));
}

void PicFrame::DragFrame() {
    // The system moves the window; its new place comes back to the control.
    plat::desktop::BeginCaptionDrag(hWnd());
}

void PicFrame::Frame_DblClick() {
    Picture1.SetVisible(!Picture1.Visible());
    Picture2.SetVisible(!Picture2.Visible());
    UpdateMask();
}

void PicFrame::Picture1_MouseMove(const plat::MouseArgs& a) {
    plat::SetMousePointer(plat::MousePointer::SizeNS);
    if (!(a.button & plat::kLeftButton)) return;
    const auto h = ResizedTwips(Height() * kTwips, a.y * kTwips);
    if (!h) return;
    SetHeight(static_cast<float>(*h) / kTwips);
    PlaceHandles();
    DrawPicture(picPath_, false);
}

void PicFrame::Picture2_MouseMove(const plat::MouseArgs& a) {
    plat::SetMousePointer(plat::MousePointer::SizeWE);
    if (!(a.button & plat::kLeftButton)) return;
    const auto w = ResizedTwips(Width() * kTwips, a.x * kTwips);
    if (!w) return;
    SetWidth(static_cast<float>(*w) / kTwips);
    PlaceHandles();
    DrawPicture(picPath_, false);
}

}  // namespace logo
