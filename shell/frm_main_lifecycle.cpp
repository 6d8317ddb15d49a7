// frmMain: start-up, the tray icon, hiding, the exit, closing and the
// dispatch of hotkeys to the snip modes.
#include "editor/variants.h"
#include "platform/services/dpi.h"
#include "platform/services/instance_request.h"
#include "platform/services/monitors.h"
#include "platform/services/startup_trace.h"
#include "platform/services/system.h"
#include "platform/toolkit/forms.h"
#include "shell/frm_main.h"
#include "shell/command_run.h"
#include "shell/rwini.h"
#include "window/window_forms.h"
#include "window/window_utils.h"

namespace {
constexpr wchar_t kTrayTip[] = L"Left-click to display the window";
}  // namespace

void frmMain::Form_Load() {
    plat::TraceStartup("window");
    Text1.SetText(rwini::ReadPathSetting(L"logo"));
    // The news is fetched once, shortly after start-up (frm_main_news.cpp).
    Timer3.SetInterval(800);
    Timer3.SetEnabled(true);
    cHK = std::make_unique<cHotKey>();
    cHK->SetfrmHwnd(hWnd());
    cHK->HotKeyPress = [this](std::int32_t number, std::int32_t keyCode, bool ctrl, bool alt, bool shift) {
        cHK_HotKeyPress(number, keyCode, ctrl, alt, shift);
    };
    HotKeyIds.assign(static_cast<size_t>(txtHotKey.Count()), -1);
    LoadHotKeys();
    plat::TraceStartup("hotkeys-read");
    Option5.SetValue(true);
    DrawLogoPreview();
    plat::TraceStartup("logo-preview");
    // Unchecked at start: disables the boxes and unregisters everything...
    optSetHotKey_Click();
    // ...then the boxes that hold a hotkey are registered and the loop armed.
    ApplyHotKeys();
    plat::TraceStartup("hotkeys");
    // Command-line starts hand their snips to this copy.
    plat::SetInstanceRequestHandler(&shell::AnswerCommandRequest);
    // What the window does not show waits until it has been painted: armed
    // last, so that no pending-events step above can run it before the paint.
    tmrStartUp.SetInterval(1);
    tmrStartUp.SetEnabled(true);
    plat::TraceStartup("loaded");
}

// The rest of the start-up, once the window is on the screen (or sooner, when
// a snip starts first): the hidden logo library with its paths and slots, the
// tray icon, and the word about hotkeys that could not be registered, which
// the icon carries.
void frmMain::FinishStartUp() {
    tmrStartUp.SetEnabled(false);
    if (startUpFinished_) return;
    startUpFinished_ = true;
    FillLogoLibraryPaths();
    plat::TraceStartup("logo-library");
    // Without a notification area (no shell running) the icon is simply not
    // there; the program works on from its window and hotkeys.
    NotifyIcon = plat::TrayIcon::Add(hWnd(), kTrayTip);
    plat::TraceStartup("tray");
    DrawLogoLibrarySlots();
    plat::TraceStartup("logo-slots");
    ReportRefusedHotKeys();
    plat::PrepareWholeScreenCapture(plat::VirtualBounds(plat::Monitors()));
}

void frmMain::Form_Paint() {
    if (painted_) return;
    painted_ = true;
    plat::TraceStartup("painted");
}

void frmMain::DeleteTrayIcon() {
    if (!NotifyIcon) return;
    NotifyIcon->Remove();
    NotifyIcon.reset();
}

// A close asked for by the user or the system: the icon goes first, so no
// icon of a dead program stays behind in the notification area.
bool frmMain::Form_QueryUnload() {
    DeleteTrayIcon();
    return false;
}

// The service object stays until the form itself is freed, which happens only
// once none of its handlers is on the stack: one of them may be inside the
// service's own loop or pending-events step right now.
void frmMain::Form_Unload() {
    plat::SetInstanceRequestHandler(nullptr);
    // An unload by code skips the query step: the icon must not outlive the window.
    DeleteTrayIcon();
    // A news transfer still running is abandoned: its answer has nowhere to go.
    Inet1.reset();
    Timer3.SetEnabled(false);
    tmrStartUp.SetEnabled(false);
    if (!cHK) return;
    cHK->HotKeyPress = nullptr;
    cHK->ClsAllHotKey();
}

// The icon reports mouse activity over it. Any of it brings the window to the
// top, opaque and not click-through; a left click also shows it again.
void frmMain::Form_TrayNotify(int mouseMessage) {
    if (mouseMessage == plat::kTrayLeftButtonUp) plat::RestoreWindow(hWnd());
    int alpha = 255;
    plat::SetTopLayered(hWnd(), true, alpha, false);
    if (mouseMessage == plat::kTrayRightButtonUp) ShowTrayMenu();
}

// The editor's frozen picture must not show this window, and the editor must
// get the keyboard: hidden first, the activation would pass to some other
// program's window, which keeps the keyboard focus under some window systems
// (a later request of ours loses to it). So the window steps off the screen,
// keeping the activation, hands it to the editor (or to a window pick), and
// only then hides. A pick that ends without an editor (Escape) brings the
// window back where it was.
void frmMain::ShowEditorInstead(const std::function<bool()>& showEditor) {
    const plat::Rect at = Bounds();
    const bool wasVisible = Visible();
    constexpr int kAway = -32000;
    if (wasVisible) SetBounds({kAway, kAway, kAway + at.Width(), kAway + at.Height()});
    const bool editorShown = showEditor();
    if (!Loaded()) return;
    if (editorShown) Hide();
    SetBounds(at);
}

void frmMain::Image1_MouseDown(const plat::MouseArgs&) { window::DragMoveForm(*this); }

void frmMain::Image2_Click() { HideToTray(); }

// The user's close box (Alt+F4, the taskbar's Close) hides the window to the
// tray, as Windows users expect of a program that waits for its hotkeys. A
// close by the system or by another program still ends it. Without a tray
// icon there would be no way back: the close goes on as before.
bool frmMain::Form_CloseCommand() {
    if (!NotifyIcon) return false;
    HideToTray();
    return true;
}

void frmMain::HideToTray() {
    Hide();
    if (toldStillRunning_ || !NotifyIcon) return;
    toldStillRunning_ = NotifyIcon->ShowBalloon(
        L"Morrowen Snip is still running",
        L"Your hotkeys still snip. Click this icon to show the window; right-click it and choose Exit to quit.");
}

// Ends the program at once: no window is unloaded. The icon and the hotkeys'
// global atoms must go first: the system keeps atoms after the process ends.
void frmMain::Image3_Click() {
    DeleteTrayIcon();
    if (cHK) cHK->ReleaseAll();
    plat::EndProgramNow(0);
}

// The service numbers hotkeys in registration order, which skips empty and
// refused rows; each row starts its own snip mode, so the number is mapped
// back to its row. The window snip modes (rows 3 and 4) start a pick at
// their window inspectors.
void frmMain::cHK_HotKeyPress(std::int32_t number, std::int32_t, bool, bool, bool) {
    if (number == RepeatRegionHotKeyId) {
        SnipLastRegionAgain();
        return;
    }
    int row = 0;
    while (row < static_cast<int>(HotKeyIds.size()) && HotKeyIds[static_cast<size_t>(row)] != number) ++row;
    StartSnipMode(row + 1);
}

void frmMain::StartSnipMode(int row) {
    // The editors' frames panel reads the logo library's paths.
    FinishStartUp();
    switch (row) {
        case 1:
            ShowEditorInstead([] {
                plat::Forms<aaa>().Show();
                return true;
            });
            break;
        case 2:
            ShowEditorInstead([] {
                plat::Forms<jie>().Show();
                return true;
            });
            break;
        case 3:
            ShowEditorInstead([] { return plat::Forms<asd>().Command1_Click(); });
            break;
        case 4:
            ShowEditorInstead([] { return plat::Forms<Form1>().Command1_Click(); });
            break;
        default:
            break;
    }
}
