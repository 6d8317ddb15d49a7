#include "editor/pin_window.h"

#include <algorithm>
#include <memory>

#include "editor/pin_view.h"
#include "editor/save_picture_as.h"
#include "platform/services/shell_services.h"
#include "platform/services/system.h"
#include "platform/toolkit/forms.h"

namespace editor {

namespace {
constexpr int kEscape = 27;

plat::WindowStyle PinStyle(plat::Point at, const plat::Picture& p) {
    plat::WindowStyle s;
    s.caption = L"Morrowen Snip pin";
    s.bounds = PinBounds(at, {p.Width(), p.Height()});
    s.borderless = true;
    s.topmost = true;
    s.showInTaskbar = false;
    return s;
}

std::vector<std::unique_ptr<PinWindow>>& PinList() {
    static std::vector<std::unique_ptr<PinWindow>> pins;
    return pins;
}
}  // namespace

PinWindow::PinWindow(plat::Picture picture, plat::Point at)
    : plat::Form(PinStyle(at, picture)), picture_(std::move(picture)), at_(at) {}

void PinWindow::Form_Load() {
    SetScaleMode(plat::ScaleMode::Pixels);
    // No persistent image: the pin keeps its one picture and paints from it.
    SetAutoRedraw(false);
    SetBackColor(kPinOutline);
}

void PinWindow::Form_Paint() {
    const plat::Picture& shown = zoomed_.Empty() ? picture_ : zoomed_;
    // The back colour is the outline; the picture covers all but the edge.
    DrawOnSurface([&](plat::Canvas& c) { c.DrawPicture(shown, 1, 1); }, {});
}

void PinWindow::SetZoom(double zoom) {
    zoom = std::clamp(zoom, kPinZoomMin, kPinZoomMax);
    const plat::Point size = ZoomedSize(picture_.Width(), picture_.Height(), zoom);
    const plat::Picture& shown = zoomed_.Empty() ? picture_ : zoomed_;
    zoom_ = zoom;
    if (size == plat::Point{shown.Width(), shown.Height()}) return;
    const bool whole = size.x == picture_.Width() && size.y == picture_.Height();
    zoomed_ = whole ? plat::Picture() : ScaledPicture(picture_, size.x, size.y);
    SetBounds(PinBounds(at_, size));
    Refresh();
}

void PinWindow::CopyToClipboard() const { plat::ClipboardPutPicture(picture_); }

void PinWindow::SaveAs() { AskAndSavePicture(hWnd(), picture_); }

void PinWindow::MenuChosen(int item) {
    switch (item) {
        case kMenuCopy: CopyToClipboard(); break;
        case kMenuSave: SaveAs(); break;
        case kMenuZoom100: SetZoom(1.0); break;
        case kMenuClose: Unload(); break;
        case kMenuCloseAll: CloseAllPins(); break;
        default: break;
    }
}

void PinWindow::Form_KeyDown(int keyCode, int shift) {
    const bool ctrl = (shift & plat::kCtrlMask) != 0;
    if (keyCode == kEscape) {
        Unload();
    } else if (ctrl && keyCode == 'C') {
        CopyToClipboard();
    } else if (ctrl && keyCode == 'S') {
        SaveAs();
    }
}

// Dragged by its body: the window follows the pointer from the press.
void PinWindow::Form_MouseDown(const plat::MouseArgs& a) {
    if (a.button != plat::kLeftButton) return;
    dragging_ = true;
    dragFrom_ = plat::CursorPos();
    atPress_ = at_;
}

void PinWindow::Form_MouseMove(const plat::MouseArgs& a) {
    plat::SetMousePointer(plat::MousePointer::SizeAll);
    if (!dragging_ || (a.button & plat::kLeftButton) == 0) return;
    const plat::Point p = plat::CursorPos();
    const plat::Point to{atPress_.x + p.x - dragFrom_.x, atPress_.y + p.y - dragFrom_.y};
    if (to == at_) return;
    at_ = to;
    const plat::Rect b = Bounds();
    SetBounds(PinBounds(at_, {b.Width() - 2, b.Height() - 2}));
}

void PinWindow::Form_MouseUp(const plat::MouseArgs& a) {
    if (a.button == plat::kLeftButton) dragging_ = false;
    if (a.button != plat::kRightButton) return;
    const int item = plat::ShowTrayMenu(hWnd(), {L"Copy", L"Save", L"Zoom 100 %", L"Close", L"Close all pins"});
    if (Loaded()) MenuChosen(item);
}

void PinWindow::Form_DblClick() { Unload(); }

void PinWindow::Form_MouseWheel(int delta, int /*shift*/) { SetZoom(ZoomAfterWheel(zoom_, delta)); }

PinWindow* OpenPin(plat::Picture picture, plat::Point at) {
    if (picture.Empty()) return nullptr;
    auto& pins = PinList();
    pins.push_back(std::make_unique<PinWindow>(std::move(picture), at));
    PinWindow* pin = pins.back().get();
    // Closing hands the pin to the registry's disposal, which frees it (and
    // its picture) once none of its handlers runs.
    pin->SetReleaser([pin] {
        auto& list = PinList();
        const auto it = std::find_if(list.begin(), list.end(), [pin](const auto& p) { return p.get() == pin; });
        if (it == list.end()) return;
        std::unique_ptr<PinWindow> gone = std::move(*it);
        list.erase(it);
        plat::DisposeLater(std::move(gone));
    });
    pin->Show();
    if (pin->Loaded()) return pin;
    // The system gave it no window: nothing to show, nothing kept.
    pins.erase(std::find_if(pins.begin(), pins.end(), [pin](const auto& p) { return p.get() == pin; }));
    return nullptr;
}

std::vector<PinWindow*> OpenPins() {
    std::vector<PinWindow*> out;
    for (const auto& p : PinList()) out.push_back(p.get());
    return out;
}

void CloseAllPins() {
    for (PinWindow* p : OpenPins()) p->Unload();
}

}  // namespace editor
