// The window utilities over real windows in-process: class names, captions,
// the child walk and the child under a point, the process path of this test
// program, topmost state and the caption drag.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/toolkit/native_controls.h"
#include "platform/services/system.h"
#include "platform/services/window_queries.h"
#include "window/window_utils.h"

namespace {

using plat::Handle;

Handle H(HWND w) { return reinterpret_cast<Handle>(w); }

// What a probe window answers and what it was asked.
struct ProbeState {
    bool lie = false;
    LONG_PTR reportedLength = 0;  // the text length announced while lying
    int getTextCount = 0;
};

LRESULT CALLBACK ProbeProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* st = reinterpret_cast<ProbeState*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (st && msg == WM_GETTEXTLENGTH && st->lie) return st->reportedLength;
    if (st && msg == WM_GETTEXT) ++st->getTextCount;
    return DefWindowProcW(w, msg, wp, lp);
}

constexpr wchar_t kProbeClass[] = L"WqProbeFrame";

void RegisterProbeClass() {
    static const bool done = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kProbeClass;
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        return RegisterClassW(&wc) != 0;
    }();
    ASSERT_TRUE(done);
}

class WindowQueriesWin : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterProbeClass();
        window::ChildIndex = -1;
        window::ChildHandles.clear();
    }
    void TearDown() override {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it)
            if (IsWindow(*it)) DestroyWindow(*it);
        plat::DoEvents();
    }
    // A borderless top-level window (outer rectangle = client area), shown.
    HWND Top(const wchar_t* cls, const wchar_t* text, RECT r, bool visible = true) {
        HWND w = CreateWindowExW(0, cls, text, WS_POPUP | (visible ? WS_VISIBLE : 0), r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
        EXPECT_NE(w, nullptr);
        created_.push_back(w);
        return w;
    }
    // A child at parent-client coordinates, put below its earlier siblings so
    // that the sibling order is the creation order.
    HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, RECT r) {
        HWND w = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(w, nullptr);
        SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        created_.push_back(w);
        return w;
    }
    static HWND Probe(HWND w, ProbeState& st) {
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&st));
        return w;
    }
    std::vector<HWND> created_;
};

TEST_F(WindowQueriesWin, ClassNamesAndCaptionsOfRealWindowsAndEmptyWhenGone) {
    HWND top = Top(kProbeClass, L"外框 Outer", {100, 100, 500, 400});
    HWND button = Child(top, L"BUTTON", L"确定", {10, 10, 90, 40});
    HWND label = Child(top, L"STATIC", L"", {10, 50, 90, 70});

    EXPECT_EQ(window::GetWindowInfoText(H(top), window::kClassNameInfo), kProbeClass);
    EXPECT_EQ(window::GetWindowInfoText(H(top), window::kCaptionInfo), L"外框 Outer");
    EXPECT_EQ(window::GetWindowInfoText(H(top), 2), L"");
    EXPECT_EQ(_wcsicmp(window::GetWindowInfoText(H(button), 0).c_str(), L"Button"), 0);
    EXPECT_EQ(window::GetWindowInfoText(H(button), 1), L"确定");
    EXPECT_EQ(_wcsicmp(window::GetWindowInfoText(H(label), 0).c_str(), L"Static"), 0);
    EXPECT_EQ(window::GetWindowInfoText(H(label), 1), L"");

    DestroyWindow(top);  // its children go with it; the handles are stale now
    for (HWND w : {top, button, label}) {
        EXPECT_EQ(window::GetWindowInfoText(H(w), 0), L"");
        EXPECT_EQ(window::GetWindowInfoText(H(w), 1), L"");
    }
}

TEST_F(WindowQueriesWin, CaptionTakesWhatTheWindowCopiesAndNeverAsksForEmptyText) {
    HWND top = Top(kProbeClass, L"", {100, 100, 300, 200});
    ProbeState empty, longer, huge, negative;
    HWND e = Probe(Child(top, kProbeClass, L"", {0, 0, 10, 10}), empty);
    HWND l = Probe(Child(top, kProbeClass, L"abc", {0, 0, 10, 10}), longer);
    HWND g = Probe(Child(top, kProbeClass, L"huge", {0, 0, 10, 10}), huge);
    HWND n = Probe(Child(top, kProbeClass, L"neg", {0, 0, 10, 10}), negative);
    longer = {true, 40, 0};
    huge = {true, 0x7FFFFFFF, 0};  // a buffer that large could not even be allocated
    negative = {true, -5, 0};

    EXPECT_EQ(window::GetWindowTextByMessage(H(e)), L"");
    EXPECT_EQ(empty.getTextCount, 0);
    EXPECT_EQ(window::GetWindowTextByMessage(H(l)), L"abc");
    EXPECT_EQ(longer.getTextCount, 1);
    EXPECT_EQ(window::GetWindowTextByMessage(H(g)), L"huge");
    EXPECT_EQ(window::GetWindowTextByMessage(H(n)), L"");
    EXPECT_EQ(negative.getTextCount, 0);
}

TEST_F(WindowQueriesWin, WalkAndChildUnderAPointOverRealChildWindows) {
    HWND top = Top(kProbeClass, L"tree", {100, 100, 600, 500});
    HWND c1 = Child(top, kProbeClass, L"c1", {10, 10, 210, 160});    // screen 110..310, 110..260
    HWND c2 = Child(top, kProbeClass, L"c2", {220, 10, 420, 160});   // screen 320..520, 110..260
    HWND c3 = Child(top, kProbeClass, L"c3", {10, 170, 210, 320});   // screen 110..310, 270..420
    HWND g1 = Child(c1, kProbeClass, L"g1", {50, 50, 150, 100});     // screen 160..260, 160..210
    HWND g2 = Child(c2, kProbeClass, L"g2", {20, 20, 120, 80});      // screen 340..440, 130..190
    plat::DoEvents();

    window::ChildIndex = -1;
    window::CollectChildren(H(top));
    EXPECT_EQ(window::ChildHandles, (std::vector<Handle>{H(c1), H(c2), H(c3), H(g1), H(g2)}));
    EXPECT_EQ(window::ChildIndex, 4);
    for (HWND w : {c1, c2, c3, g1, g2}) EXPECT_EQ(window::GetWindowInfoText(H(w), 0), kProbeClass);

    // Only the trailing run of entries containing the point can answer.
    EXPECT_EQ(window::FindChildAtPoint(400, 160), H(g2));  // c2, then g2 last
    EXPECT_EQ(window::FindChildAtPoint(341, 131), H(g2));
    EXPECT_EQ(window::FindChildAtPoint(340, 160), 0u);     // g2's left edge
    EXPECT_EQ(window::FindChildAtPoint(400, 130), 0u);     // g2's top edge
    EXPECT_EQ(window::FindChildAtPoint(200, 180), 0u);     // c1 and g1, but g2 follows
    EXPECT_EQ(window::FindChildAtPoint(500, 240), 0u);     // c2 only
    EXPECT_EQ(plat::desktop::WindowAt({200, 180}), H(g1));
    EXPECT_EQ(plat::desktop::Parent(H(g1)), H(c1));

    // A fresh walk of a window without children leaves the list empty.
    window::ChildIndex = -1;
    window::CollectChildren(H(c3));
    EXPECT_TRUE(window::ChildHandles.empty());
    EXPECT_EQ(window::FindChildAtPoint(200, 180), 0u);
}

class NameBox : public plat::Form {
public:
    NameBox() : plat::Form(plat::WindowStyle{}), TxtProName(*this) {}
    plat::TextBox TxtProName;
};

TEST_F(WindowQueriesWin, ProcessPathOfThisProgramAndSystemForOneThatCannotBeOpened) {
    HWND top = Top(kProbeClass, L"mine", {100, 100, 200, 200});
    wchar_t own[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, own, MAX_PATH), 0u);
    NameBox f;
    const long handlesBefore = plat::CurrentResourceCounts().ownedHandles;

    const std::uint32_t pid = plat::desktop::ProcessIdOf(H(top));
    EXPECT_EQ(pid, GetCurrentProcessId());
    const std::wstring path = window::GetProcessPath(pid, f.TxtProName);
    EXPECT_EQ(_wcsicmp(path.c_str(), own), 0) << "path " << std::string(path.begin(), path.end());
    EXPECT_EQ(_wcsicmp(f.TxtProName.Text().c_str(), L"win_tests.exe"), 0);

    EXPECT_EQ(window::GetProcessPath(0, f.TxtProName), L"SYSTEM  ");
    EXPECT_EQ(f.TxtProName.Text(), L"");
    EXPECT_EQ(window::GetProcessPath(0xFFFFFFF0u, f.TxtProName), L"SYSTEM  ");
    EXPECT_EQ(plat::CurrentResourceCounts().ownedHandles, handlesBefore);
}

TEST_F(WindowQueriesWin, SetTopmostMovesTheWindowInAndOutOfTheTopmostBandAndShowsIt) {
    HWND w = Top(kProbeClass, L"pin", {100, 100, 200, 200}, false);
    window::SetTopmost(H(w), true);
    EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_NE(GetActiveWindow(), w);
    window::SetTopmost(H(w), false);
    EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(plat::desktop::IsVisible(H(w)));
}

// A form that starts a caption drag from a press on its background.
class Draggable : public plat::Form {
public:
    Draggable() : plat::Form(Style()) {}
    int presses = 0;

protected:
    void Form_MouseDown(const plat::MouseArgs&) override {
        ++presses;
        window::DragMoveForm(*this);
    }

private:
    static plat::WindowStyle Style() {
        plat::WindowStyle s;
        s.caption = L"drag me";
        s.bounds = {200, 200, 500, 400};
        s.borderless = true;
        return s;
    }
};

void SendMouse(DWORD flags, int x = 0, int y = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &in, sizeof in);
}

void PumpFor(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    while (static_cast<int>(end - GetTickCount()) > 0) {
        plat::DoEvents();
        Sleep(5);
    }
}

TEST_F(WindowQueriesWin, DragMoveFormMovesTheFormWithTheMouse) {
    Draggable f;
    f.Show();
    PumpFor(100);
    SetCursorPos(250, 250);
    PumpFor(50);
    // The whole gesture is queued before the press is handled: the system's
    // move loop, started from the press handler, takes the rest.
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 280, 270);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 310, 290);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(300);
    EXPECT_EQ(f.presses, 1);
    const plat::Rect b = f.Bounds();
    EXPECT_EQ(b.left, 260);
    EXPECT_EQ(b.top, 240);
    EXPECT_EQ(b.Width(), 300);
    f.Unload();
}

}  // namespace
