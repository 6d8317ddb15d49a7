#include "window/window_forms.h"

#include <initializer_list>

#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/services/monitors.h"
#include "platform/services/system.h"
#include "platform/services/window_operations.h"
#include "window/picking.h"

Form1::Form1() : Command2(*this) {
    Command2.SetCaption(L"Command2");
    PlaceCommand2();
    Command2.Click = [this] { StartPick(); };
}

void Form1::PlaceCommand2() {
    Command2.Move(static_cast<float>(Px(6840)), static_cast<float>(Px(1440)), static_cast<float>(Px(240)),
                  static_cast<float>(Px(375)));
    Command2.SetFont(Command1.TextFont());
}

void Form1::Form_DpiChanged(int dpi, const plat::Rect& suggested) {
    WindowInspector::Form_DpiChanged(dpi, suggested);
    PlaceCommand2();
}

window::WindowPicker& Form1::Overlay() { return plat::Forms<Form2>(); }
window::WindowPicker* Form1::LoadedOverlay() { return plat::LoadedForm<Form2>(); }
void Form1::UnloadOverlay() { plat::UnloadForm<Form2>(); }
void Form1::ShowEditor() {
    getDeskImage::ClearScreenForSnip();
    plat::Forms<jie3>().Show();
}

window::WindowPicker& asd::Overlay() { return plat::Forms<asdd>(); }
window::WindowPicker* asd::LoadedOverlay() { return plat::LoadedForm<asdd>(); }
void asd::UnloadOverlay() { plat::UnloadForm<asdd>(); }
void asd::ShowEditor() {
    getDeskImage::ClearScreenForSnip();
    plat::Forms<bing>().Show();
}

window::WindowInspector* Form2::RunningInspector() { return plat::LoadedForm<Form1>(); }
window::WindowInspector* asdd::RunningInspector() { return plat::LoadedForm<asd>(); }

namespace getDeskImage {

void ReadWorkArea() { window::WorkArea = plat::desktop::WorkArea(); }

// The editor freezes the screen as it loads: no window of ours may be on it.
// A pick leaves the inspectors shown as small bars and the overlay hidden.
void ClearScreenForSnip() {
    for (plat::Form* f : std::initializer_list<plat::Form*>{plat::LoadedForm<Form1>(), plat::LoadedForm<asd>(),
                                                           plat::LoadedForm<Form2>(), plat::LoadedForm<asdd>()})
        if (f && f->Visible()) f->Hide();
    // The windows below repaint before the screen is read.
    plat::DoEvents();
    plat::SleepMs(30);
    plat::DoEvents();
}

void CaptureDesktop() {
    ReadWorkArea();
    plat::Forms<Form1>().Hide();
    plat::Forms<asd>().Hide();
    plat::DoEvents();
    // From the primary's origin, whatever the work area's: the 50 pixels past
    // it take in a task bar at the bottom or right; and every other monitor.
    const plat::MonitorList monitors = plat::Monitors();
    const plat::Rect all = plat::VirtualBounds(monitors);
    const plat::Rect area =
        plat::Rect{0, 0, window::WorkArea.Width() + 50, window::WorkArea.Height() + 50}.Union(all);
    window::DesktopOrigin = {area.left, area.top};
    // Only the screen is copied: a copy reaching past it fails as a whole on
    // some systems, so the margin beyond the screen stays black, and so does
    // what no monitor shows.
    plat::Picture desktop = plat::Picture::Create(area.Width(), area.Height(), plat::Rgb(0, 0, 0));
    const plat::Rect onScreen = area.Intersect(all);
    if (!desktop.Empty() && !onScreen.Empty()) {
        plat::CaptureScreenInto(desktop.Draw(), onScreen.left - area.left, onScreen.top - area.top, onScreen);
        for (const plat::Rect& gap : plat::UncoveredParts(onScreen, monitors))
            desktop.Draw().FillRect(gap.Offset(-area.left, -area.top), plat::Rgb(0, 0, 0));
    }
    // The desktop picture stays in memory with the inspectors: the clipboard
    // is the user's, and a pick, even one left without a copy, never touches it.
    // Each inspector is looked up again: the pending events of a show may unload either.
    plat::Forms<Form1>().Picture1 = desktop;
    if (Form1* f = plat::LoadedForm<Form1>()) f->ShowNoActivate();
    plat::Forms<asd>().Picture1 = desktop;
    if (asd* a = plat::LoadedForm<asd>()) a->ShowNoActivate();
}

}  // namespace getDeskImage
