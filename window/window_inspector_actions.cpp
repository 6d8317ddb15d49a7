// WindowInspector: the picture pane (crop, scrolling, keys, saving) and the
// operations on the inspected window.
#include "window/window_inspector.h"

#include <string>

#include "platform/services/dialogs.h"
#include "platform/services/imaging.h"
#include "platform/services/system.h"
#include "platform/services/window_operations.h"
#include "platform/services/window_queries.h"
#include "window/picker_geometry.h"
#include "window/picking.h"
#include "window/window_utils.h"

namespace window {

namespace desktop = plat::desktop;

namespace {
// Pane units are twips at 15 a screen pixel: the picture is 1:1 with the screen.
int ToPaneUnits(int px) { return px * plat::kTwipsPerPixel; }
float ToPixels(int units) { return static_cast<float>(plat::RoundHalfEven(units / double(plat::kTwipsPerPixel))); }
}  // namespace

void WindowInspector::ShowCrop(const plat::Rect& r) {
    const int w = r.Width(), h = r.Height();
    paneLeft_ = paneTop_ = 0;
    paneWidth_ = ToPaneUnits(w);
    paneHeight_ = ToPaneUnits(h);
    // Parts of the window beyond the captured desktop come out black.
    Picture2Shot.SetPicture(w > 0 && h > 0 ? Picture1.Crop(r.Offset(-DesktopOrigin.x, -DesktopOrigin.y))
                                           : plat::Picture());
    Picture2Shot.Move(0, 0);
    Picture2.Move(0, 0, static_cast<float>(w), static_cast<float>(h));
    HScroll1.SetVisible(paneWidth_ > ToPaneUnits(Px(kPaneWidthTwips)));
    VScroll1.SetVisible(paneHeight_ > ToPaneUnits(Px(kPaneHeightTwips)));
    HScroll1.SetValue(0);
    VScroll1.SetValue(0);
    CmdSavePic.SetEnabled(true);
}

void WindowInspector::MovePicture(int left, int top) {
    paneLeft_ = left;
    paneTop_ = top;
    Picture2.Move(ToPixels(left), ToPixels(top));
}

void WindowInspector::VScroll1_Change() {
    const int page = ToPaneUnits(Px(kPaneHeightTwips));
    MovePicture(paneLeft_, PaneOffset(paneHeight_, page, VScroll1.Max(), VScroll1.Value(), paneTop_));
}

void WindowInspector::HScroll1_Change() {
    const int page = ToPaneUnits(Px(kPaneWidthTwips));
    MovePicture(PaneOffset(paneWidth_, page, HScroll1.Max(), HScroll1.Value(), paneLeft_), paneTop_);
}

// Frame2's size is the page the keys turn.
void WindowInspector::Picture2_KeyDown(int keyCode) {
    const PaneGeometry g{paneLeft_, paneTop_, paneWidth_, paneHeight_,
                         ToPaneUnits(static_cast<int>(Frame2.Width())), ToPaneUnits(static_cast<int>(Frame2.Height()))};
    const plat::Point to = PaneAfterKey(g, keyCode);
    if (to.x != paneLeft_ || to.y != paneTop_) MovePicture(to.x, to.y);
}

// The picture is written as a Windows bitmap whatever extension was chosen.
// A cancelled dialog writes nothing.
void WindowInspector::CmdSavePic_Click() {
    plat::FileDialogRequest request;
    request.owner = hWnd();
    request.fileName = L"Unnamed";
    request.filters = {{L"Jpg File", L"*.Jpg"}, {L"Bitmap File", L"*.bmp"}, {L"Supported formats", L"*.Jpg;*.Bmp"}};
    request.flags = plat::kFileOverwritePrompt | plat::kFileHideReadOnly | plat::kFilePathMustExist;
    const plat::FileDialogResult chosen = plat::ShowSaveFileDialog(request);
    if (!chosen.Chosen() || !Loaded()) return;
    if (!plat::SavePictureAsBmp(Picture2Shot.GetPicture(), chosen.path))
        plat::MsgBox(L"The picture could not be saved to\n" + chosen.path, L"Snipping", plat::kMsgExclamation);
}

plat::Handle WindowInspector::Target() const {
    const long long n = LeadingNumber(TxtHwnd.Text());
    return n > 0 ? static_cast<plat::Handle>(n) : 0;
}

void WindowInspector::ChkVisible_Click() {
    if (!PickStop) return;
    const plat::Rect b = Bounds();
    if (b.Width() != Px(kOpenWidthTwips)) SetBounds({b.left, b.top, b.left + Px(kOpenWidthTwips), b.bottom});
    const plat::Handle h = Target();
    const std::wstring text = TxtHwnd.Text();
    if (ChkVisible.Value() == 1) {
        // Shown again after it was hidden: it leaves the list of hidden windows.
        if (!desktop::ShowWindowAs(h, desktop::ShowCommand::ShowNoActivate)) SyncListItem(lstHideWnd, text, false);
    } else {
        if (desktop::ShowWindowAs(h, desktop::ShowCommand::Hide)) SyncListItem(lstHideWnd, text, true);
    }
}

void WindowInspector::ChkEnable_Click() {
    if (!PickStop) return;
    desktop::EnableWindowInput(Target(), ChkEnable.Value() == 1);
}

void WindowInspector::ChkZoom_Click() {
    if (!PickStop) return;
    desktop::ShowWindowAs(Target(), ChkZoom.Value() == 1 ? desktop::ShowCommand::Maximize
                                                          : desktop::ShowCommand::ShowDefault);
    desktop::RaiseTopmost(hWnd());
}

void WindowInspector::CmdTop_Click() {
    TopmostOn = !TopmostOn;
    SetTopmost(hWnd(), TopmostOn);
}

// The top-level window the inspected one belongs to is moved, 10 pixels a press.
void WindowInspector::cmdMoveWndw_Click(int index) {
    plat::Handle h = Target();
    for (plat::Handle p = desktop::Parent(h); p != 0; p = desktop::Parent(p)) h = p;
    const auto r = desktop::WindowRect(h);
    if (!r) return;
    static const int kStep[][2] = {{0, -10}, {-10, 0}, {0, 10}, {10, 0}};
    desktop::MoveWindowTo(h, r->left + kStep[index][0], r->top + kStep[index][1]);
    desktop::RaiseTopmost(hWnd());
}

namespace {
plat::Handle EntryHandle(const plat::ListBox& list, int i) {
    const long long n = LeadingNumber(list.List(i));
    return n > 0 ? static_cast<plat::Handle>(n) : 0;
}
}  // namespace

void WindowInspector::ShowHidden(int index) {
    desktop::ShowWindowAs(EntryHandle(lstHideWnd, index), desktop::ShowCommand::ShowNoActivate);
}

void WindowInspector::lstHideWnd_Click() {
    const int i = lstHideWnd.ListIndex();
    if (i >= 0 && lstHideWnd.Selected(i)) ShowHidden(i);
}

void WindowInspector::cmd_ShowAll_Click() {
    for (int i = lstHideWnd.ListCount() - 1; i >= 0; --i) {
        ShowHidden(i);
        lstHideWnd.SetSelected(i, true);
    }
}

void WindowInspector::cmd_Clear_Click() {
    for (int i = lstHideWnd.ListCount() - 1; i >= 0; --i)
        if (lstHideWnd.Selected(i)) lstHideWnd.RemoveItem(i);
}

}  // namespace window
