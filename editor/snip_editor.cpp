#include "editor/snip_editor.h"

#include <chrono>

#include "platform/services/monitors.h"
#include "platform/services/system.h"

namespace editor {

namespace {
plat::WindowStyle EditorWindowStyle() {
    plat::WindowStyle s;
    s.caption = L"Morrowen Snip editor";
    s.bounds = plat::VirtualBounds(plat::Monitors());
    s.borderless = true;
    s.topmost = true;
    s.showInTaskbar = false;
    return s;
}

constexpr plat::Color kReadoutBacking = plat::Rgb(255, 255, 255);

plat::Font LabelFont() { return plat::Font{L"Arial", 10.5f, false}; }

// How long a copy waits for a clipboard that another program holds.
constexpr int kClipboardPatienceMs = 2000;
constexpr int kClipboardRetryMs = 25;
}  // namespace

SnipEditor::SnipEditor(const VariantTraits& traits)
    : plat::Form(EditorWindowStyle()),
      Shape1(*this),
      Image1(*this, 8),
      LblPos(*this),
      lblInfo(*this),
      TextEdit(*this),
      Picture1(*this),
      Shape3(Picture1, kToolbarButtons),
      Image2(Picture1, kToolbarButtons),
      Line1(Picture1),
      Line2(Picture1),
      Shape2(Picture1),
      Strip(*this),
      Picture2(*this),
      PicFont(static_cast<plat::Container&>(Picture2)),
      Image3(PicFont),
      Combo1(PicFont),
      PicCombox(static_cast<plat::Container&>(PicFont), true),
      Text1(PicCombox),
      Image4(PicFont, 3),
      PicColor(static_cast<plat::Container&>(Picture2)),
      Pcolor(PicColor, kSwatches),
      Picture3(static_cast<plat::Container&>(Picture2)),
      Shape4(Picture2),
      Frames(*this, Picture3),
      Logo(*this, traits),
      Zoom(*this, PersistentImage()),
      traits_(traits) {
    // The bars, pickers and boxes are hidden at opening: the frozen picture first.
    SetChildWindowsAfterFirstPaint(true);
    Shape1.SetBorder(kSelectionBlue, traits.frameWidth);
    Shape1.SetVisible(false);

    plat::Picture handle = plat::Picture::Create(4, 4, kSelectionBlue);
    Image1.ForEach([&](plat::Image& h) {
        h.SetPicture(handle);
        h.SetVisible(false);
    });

    for (plat::Label* l : {&LblPos, &lblInfo}) {
        l->AutoSize = true;
        // On a small opaque backing: readable over any picture.
        l->Transparent = false;
        l->BackColor = kReadoutBacking;
        l->Padding = 2;
        // Readouts inside the selection: presses and double clicks on them belong to it.
        l->ClickThrough = true;
        l->ForeColor = kSelectionBlue;
        l->SetFont(LabelFont());
        l->SetVisible(false);
    }
    LblPos.SetCaption(L"Width*Height");

    Picture1.SetBackColor(plat::Rgb(222, 238, 255));
    Picture1.SetVisible(false);
    Shape2.SetBorder(plat::Rgb(128, 128, 255), 1);

    BuildToolbar();
    BuildStylePickers();
    BuildTextBox();
    BuildMarkupStrip();
    WireSelectionEvents();
}

void SnipEditor::ResetState() {
    ModeTag = "draw";
    HandleDrag.clear();
    AnchorX = AnchorY = 0;
    GrabLeft = GrabTop = GrabRight = GrabBottom = 0;
    PressX = PressY = 0;
    SelectionRect = {};
    HandlePointer = {};
    CloseGuard = 0;
    ToolActive = false;
    CurrentTool.clear();
    ShapeDragging = false;
    ShapeStartX = ShapeStartY = 0;
    LastToolbarButton = 0;
    pressCanCopy_ = false;
    magnifierOn_.reset();
    openPointer_ = FromScreen(plat::CursorPos());
    pointerMoved_ = false;
    autoYellow_ = false;
    Strip.Hide();
}

// Runs before the window is first shown, so the capture holds the screen as
// it was just before the editor appeared.
void SnipEditor::Form_Load() {
    ReadMonitors();
    Logo.SetUp();
    ResetState();

    Picture1.SetTop(-Picture1.Height());
    Picture1.SetVisible(false);

    SetAutoRedraw(true);
    SetScaleMode(plat::ScaleMode::Pixels);
    plat::SetMousePointer(plat::MousePointer::Crosshair);

    CaptureScreenToSurface();

    HistoryEntries.Start(BackgroundPicture());

    ModeTag = "draw";
    ToolActive = traits_.presetFromInspector;
    if (traits_.presetFromInspector) PresetFromInspector();
    UpdateShade();
}

void SnipEditor::ScaleBars(int dpi) {
    if (dpi <= 0) dpi = plat::kBaseDpi;
    const bool changed = dpi != barDpi_;
    barDpi_ = dpi;
    if (!changed) return;
    LayoutToolbar();
    LayoutStylePickers();
    Frames.ScaleTo(dpi);
    Strip.ScaleTo(dpi);
    for (plat::Label* l : {&LblPos, &lblInfo}) l->SetFont(plat::FontAtDpi(LabelFont(), dpi));
}

void SnipEditor::FollowSelectionScale() { ScaleBars(SelectionMonitor(CurrentSelection(), monitors_).dpi); }

void SnipEditor::ReadMonitors() {
    const plat::MonitorList screen = plat::Monitors();
    const plat::Rect all = plat::VirtualBounds(screen);
    origin_ = {all.left, all.top};
    desktopSize_ = {all.Width(), all.Height()};
    monitors_ = plat::OffsetMonitors(screen, -all.left, -all.top);
}

void SnipEditor::CaptureScreenToSurface() {
    const plat::Rect all{origin_.x, origin_.y, origin_.x + desktopSize_.x, origin_.y + desktopSize_.y};
    plat::Picture shot = plat::CaptureWholeScreen(all);
    // What no monitor shows is black, whatever the screen's memory holds there.
    for (const plat::Rect& gap : plat::UncoveredParts({0, 0, desktopSize_.x, desktopSize_.y}, monitors_))
        if (!shot.Empty()) shot.Draw().FillRect(gap, plat::Rgb(0, 0, 0));
    // The capture is the persistent image itself; the background picture and
    // history entry 1 share its pixels until something is drawn on it. Set
    // before the window takes its size, so no surface of that size is filled first.
    SetPersistentImage(std::move(shot));
    if (monitors_.size() == 1 && all == plat::Rect{0, 0, plat::ScreenWidthPx(), plat::ScreenHeightPx()}) {
        SetWindowState(plat::WindowState::Maximized);
    } else {
        // Maximised would cover one monitor only: the whole virtual screen instead.
        SetWindowState(plat::WindowState::Normal);
        SetBounds(all);
    }
    Bake();
}

void SnipEditor::Form_KeyPress(int charCode) {
    if (charCode == 27) Unload();
}

plat::Picture SnipEditor::GrabScreenRect(std::int32_t left, std::int32_t top, std::int32_t right,
                                         std::int32_t bottom) {
    const LibraryOutOfTheGrab library;
    Shape1.SetVisible(false);
    LblPos.SetVisible(false);
    lblInfo.SetVisible(false);
    Logo.ShowForGrab();
    Zoom.SetVisible(false);
    Image1.ForEach([](plat::Image& h) { h.SetVisible(false); });
    // The screen must show the editor without them before it is read.
    plat::DoEvents();
    const plat::Rect r{left, top, right, bottom};
    return r.Empty() ? plat::Picture() : plat::CaptureScreen(r);
}

bool SnipEditor::ScrnCap(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    lastGrab_ = GrabScreenRect(left, top, right, bottom);
    const plat::Picture& grab = lastGrab_;
    const plat::Rect r{left, top, right, bottom};
    // An empty grab still replaces the clipboard's content: with the
    // platform's bitmap of zero size.
    auto place = [&] { return grab.Empty() ? plat::ClipboardPutScreenRect(r) : plat::ClipboardPutPicture(grab); };
    if (place()) return true;

    // Another program holds the clipboard. The pixels are kept as they are now
    // and offered again for a while, the window still painting meanwhile.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kClipboardPatienceMs);
    while (std::chrono::steady_clock::now() < giveUp) {
        plat::SleepMs(kClipboardRetryMs);
        plat::DoEvents();
        if (place()) return true;
    }
    return false;
}

void SnipEditor::SplitColor(plat::Color c, int& red, int& green, int& blue) {
    red = plat::RedOf(c);
    green = plat::GreenOf(c);
    blue = plat::BlueOf(c);
}

}  // namespace editor
