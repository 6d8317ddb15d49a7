// The window pick against real windows under Wine: the overlay's shape,
// opacity and band, the hit test through its frame, a pick by release with
// its desktop capture and crop, a pick ended by losing the focus, the
// inspector's CJK caption font, and the instance check by a named kernel object.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/toolkit/forms.h"
#include "platform/services/single_instance.h"
#include "platform/services/system.h"
#include "tests/win/clipboard_text.h"
#include "tests/win/screen_pattern.h"
#include "window/picker_geometry.h"
#include "window/picking.h"
#include "window/window_forms.h"

namespace {

constexpr wchar_t kTargetClass[] = L"MsPickTarget";
constexpr RECT kTargetRect{300, 200, 700, 500};

plat::Picture g_pattern;

LRESULT CALLBACK TargetProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        BitBlt(dc, 0, 0, g_pattern.Width(), g_pattern.Height(), reinterpret_cast<HDC>(g_pattern.Draw().NativeDC()),
               0, 0, SRCCOPY);
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

// What the timer step saw of the overlay while the pick ran.
struct Seen {
    bool placed = false;
    BYTE alpha = 0;
    bool topmost = false;
    bool frameIn = false, holeOut = false, markerIn = false;
    HWND underHole = nullptr;
    bool focused = false;  // the overlay holds the focus, whose loss ends the pick
};

class WindowPickWin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        g_pattern = testing_support::MakePattern(kTargetRect.right - kTargetRect.left,
                                                 kTargetRect.bottom - kTargetRect.top);
        WNDCLASSW wc{};
        wc.lpfnWndProc = TargetProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kTargetClass;
        RegisterClassW(&wc);
    }
    void SetUp() override {
        target_ = CreateWindowExW(WS_EX_TOPMOST, kTargetClass, L"pick me", WS_POPUP | WS_VISIBLE, kTargetRect.left,
                                  kTargetRect.top, kTargetRect.right - kTargetRect.left,
                                  kTargetRect.bottom - kTargetRect.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
        ASSERT_TRUE(target_);
        UpdateWindow(target_);
        s_seen = {};
        s_step = nullptr;
        s_expect = {kTargetRect.left, kTargetRect.top, kTargetRect.right, kTargetRect.bottom};
        s_started = GetTickCount();
        ASSERT_TRUE(SetCursorPos(500, 350));
        plat::DoEvents();
    }
    void TearDown() override {
        plat::UnloadForm<asd>();
        plat::UnloadForm<Form1>();
        plat::DoEvents();
        DestroyWindow(target_);
        plat::DoEvents();
    }

    // Runs a pick of asd with `step` called every 20 ms (inside the pick's
    // pending events) until it returns true; a pick still running after 5 s ends.
    static void RunPick(bool (*step)(asdd&)) {
        s_step = step;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &Tick);
        plat::Forms<asd>().FRM_SpyWindow();
        KillTimer(nullptr, timer);
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (GetTickCount() - s_started > 5000) window::PickStop = true;
        asdd* o = plat::LoadedForm<asdd>();
        if (!o || !s_step || !o->Visible()) return;
        if (o->Bounds() != window::OverlayBounds(s_expect)) return;
        if (!s_seen.placed) Observe(*o);
        if (s_step(*o)) s_step = nullptr;
    }
    static void Observe(asdd& o) {
        HWND w = reinterpret_cast<HWND>(o.hWnd());
        s_seen.placed = true;
        COLORREF key;
        DWORD flags = 0;
        GetLayeredWindowAttributes(w, &key, &s_seen.alpha, &flags);
        s_seen.topmost = (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(w, rgn) != ERROR) {
            s_seen.frameIn = PtInRegion(rgn, 1, 1) && PtInRegion(rgn, 401, 301);
            s_seen.holeOut = !PtInRegion(rgn, 100, 100);
            // The marker: 2 left of and 2 above the cursor (500, 350) up to it,
            // in overlay pixels from its origin at (298, 198).
            s_seen.markerIn = PtInRegion(rgn, 200, 150) && PtInRegion(rgn, 202, 152) && !PtInRegion(rgn, 203, 153);
        }
        DeleteObject(rgn);
        s_seen.underHole = WindowFromPoint(POINT{400, 300});
        s_seen.focused = GetFocus() == w;
    }

    HWND target_ = nullptr;
    static inline Seen s_seen;
    static inline bool (*s_step)(asdd&) = nullptr;
    static inline DWORD s_started = 0;
    // The window the steps wait for the overlay to lie on.
    static inline plat::Rect s_expect;
};

TEST_F(WindowPickWin, AReleaseOverTheOverlayCapturesTheDesktopAndCropsThePickedWindow) {
    ASSERT_TRUE(win_testing::PutClipboardText(L"the user's text"));
    RunPick([](asdd& o) {
        // A right release at the cursor, on the marker.
        PostMessageW(reinterpret_cast<HWND>(o.hWnd()), WM_RBUTTONUP, 0, MAKELPARAM(202, 152));
        return true;
    });
    EXPECT_TRUE(s_seen.placed);
    EXPECT_EQ(s_seen.alpha, 200);
    EXPECT_TRUE(s_seen.topmost);
    EXPECT_TRUE(s_seen.frameIn);
    EXPECT_TRUE(s_seen.holeOut);
    EXPECT_TRUE(s_seen.markerIn);
    EXPECT_EQ(s_seen.underHole, target_);  // the frame's inside lets the pointer through
    EXPECT_TRUE(s_seen.focused);

    asd* in = plat::LoadedForm<asd>();
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->TxtClss.Text(), kTargetClass);
    EXPECT_EQ(in->TxtWndCap.Text(), L"pick me");
    EXPECT_EQ(in->TxtProName.Text(), L"win_tests.exe");
    EXPECT_EQ(in->TxtRect.Text(), L"( 300, 200)( 400, 300)");
    EXPECT_EQ(in->TxtX.Text() + L"," + in->TxtY.Text() + L"," + in->TxtW.Text() + L"," + in->TxtH.Text(),
              L"300,200,400,300");
    EXPECT_FALSE(plat::LoadedForm<asdd>()->Visible());

    // The desktop kept by the inspector, from the origin, work area plus 50;
    // the clipboard still holds what the user had put there.
    EXPECT_EQ(win_testing::ClipboardText(), L"the user's text");
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const plat::Picture desktop = in->Picture1;
    EXPECT_EQ(desktop.Width(), work.right - work.left + 50);
    EXPECT_EQ(desktop.Height(), work.bottom - work.top + 50);
    // The crop is the window 1:1; the overlay's frame lies on its outer pixels
    // and its marker at the cursor, everything else is the window's own.
    const plat::Picture crop = in->Picture2Shot.GetPicture();
    ASSERT_EQ(crop.Width(), 400);
    ASSERT_EQ(crop.Height(), 300);
    int wrong = 0;
    for (int y = 4; y < 296; ++y)
        for (int x = 4; x < 396; ++x) {
            if (x >= 196 && x <= 201 && y >= 146 && y <= 151) continue;  // the marker
            if (crop.Pixel(x, y) != g_pattern.Pixel(x, y) || desktop.Pixel(300 + x, 200 + y) != g_pattern.Pixel(x, y))
                ++wrong;
        }
    EXPECT_EQ(wrong, 0);
    // Where the frame lay, the capture shows the overlay, not the window.
    EXPECT_NE(crop.Pixel(0, 150), g_pattern.Pixel(0, 150));
    EXPECT_TRUE(in->CmdSavePic.Enabled());
    EXPECT_TRUE(in->HScroll1.Visible());  // 400 pixels are wider than the pane's 289
    EXPECT_TRUE(in->VScroll1.Visible());  // 300 are higher than its 209
}

TEST_F(WindowPickWin, LosingTheFocusEndsThePickWithoutACapture) {
    ASSERT_TRUE(plat::ClipboardPutPicture(plat::Picture::Create(7, 5, plat::Rgb(9, 9, 9))));
    static HWND other;
    other = CreateWindowExW(0, kTargetClass, L"other", WS_POPUP | WS_VISIBLE, 1200, 600, 100, 100, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    RunPick([](asdd&) {
        // Another window takes the activation, as when the user switches programs.
        SetForegroundWindow(other);
        SetActiveWindow(other);
        return true;
    });
    EXPECT_TRUE(s_seen.placed);
    EXPECT_TRUE(window::PickStop);
    EXPECT_LT(GetTickCount() - s_started, 5000u) << "the pick ran until the test ended it";
    asd* in = plat::LoadedForm<asd>();
    ASSERT_NE(in, nullptr);
    EXPECT_FALSE(plat::LoadedForm<asdd>()->Visible());
    EXPECT_FALSE(in->CmdSavePic.Enabled());
    EXPECT_EQ(plat::ClipboardGetPicture().Width(), 7);  // no capture
    EXPECT_EQ(in->TxtX.Text(), L"300");                 // the last window shown stays in the fields
    DestroyWindow(other);
}

// Another program's window: Wine's Notepad, picked by its title bar.
TEST_F(WindowPickWin, TheInspectorShowsAnotherProgramsClassCaptionAndProcess) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    wchar_t command[] = L"notepad.exe";
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    WaitForInputIdle(pi.hProcess, 10000);
    HWND notepad = nullptr;
    for (int i = 0; i < 100 && !notepad; ++i, Sleep(100)) notepad = FindWindowW(L"Notepad", nullptr);
    ASSERT_TRUE(notepad);
    SetWindowPos(notepad, HWND_TOPMOST, 800, 300, 500, 350, SWP_SHOWWINDOW);
    Sleep(300);
    s_expect = {800, 300, 1300, 650};
    SetCursorPos(1050, 308);  // on its title bar
    // The pick's 5 s start now, not with Notepad's start (slow under emulation).
    s_started = GetTickCount();
    RunPick([](asdd& o) {
        // Once the window tree lists its child windows too.
        if (plat::LoadedForm<asd>()->List1.ListCount() <= 11) return false;
        PostMessageW(reinterpret_cast<HWND>(o.hWnd()), WM_LBUTTONUP, 0, MAKELPARAM(252, 10));
        return true;
    });
    EXPECT_LT(GetTickCount() - s_started, 5000u) << "the pick ran until the test ended it";
    asd* in = plat::LoadedForm<asd>();
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->TxtClss.Text(), L"Notepad");
    EXPECT_EQ(in->TxtWndCap.Text(), L"Untitled - Notepad");
    EXPECT_EQ(in->TxtProName.Text(), L"notepad.exe");
    EXPECT_EQ(in->Text12.Text(), std::to_wstring(pi.dwProcessId));
    EXPECT_EQ(in->TxtHwnd.Text(), std::to_wstring(reinterpret_cast<plat::Handle>(notepad)));
    EXPECT_EQ(in->TxtRect.Text(), L"( 800, 300)( 500, 350)");
    // Its child windows under "子 窗 体:", four lines each, its edit box among them.
    EXPECT_EQ(in->List1.List(10), L"子 窗 体:");
    EXPECT_EQ((in->List1.ListCount() - 11) % 4, 0);
    bool edit = false;
    for (int i = 12; i < in->List1.ListCount(); i += 4) edit = edit || in->List1.List(i) == L"  Class: Edit";
    EXPECT_TRUE(edit);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

TEST(WindowInspectorWin, ChineseCaptionsHaveGlyphsInTheirFont) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"宋体");
    HGDIOBJ old = SelectObject(dc, font);
    const std::wstring text = L"当前句柄父窗体调整方位隐藏列表全部可见清理存图查找置顶";
    std::wstring glyphs(text.size(), L'\0');
    ASSERT_NE(GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()),
                               reinterpret_cast<WORD*>(glyphs.data()), GGI_MARK_NONEXISTING_GLYPHS),
              GDI_ERROR);
    for (size_t i = 0; i < text.size(); ++i) EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for character " << i;
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

TEST(WindowInspectorWin, AnotherCopysInstanceMarkerIsFound) {
    EXPECT_FALSE(plat::OtherInstanceHolds(plat::kInstanceMarkerName));
    const std::wstring name = std::wstring(L"Local\\") + plat::kInstanceMarkerName;
    HANDLE marker = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_TRUE(marker);
    EXPECT_TRUE(plat::OtherInstanceHolds(plat::kInstanceMarkerName));
    CloseHandle(marker);
    EXPECT_FALSE(plat::OtherInstanceHolds(plat::kInstanceMarkerName));
}

}  // namespace
