// The main window on the real platform: its caption and size, its layout in
// the system's own fonts, the tray icon's messages and a close by the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/services/dpi.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "platform/win32/win32_internal.h"
#include "logo/sss.h"
#include "shell/frm_main.h"
#include "tests/win/hotkey_test_steps.h"

namespace {

using hotkey_test::IniBesideExe;

const std::string kNoHotkeys =
    "[HotKey]\r\n0=46,0,0,0\r\n1=46,0,0,0\r\n2=46,0,0,0\r\n3=46,0,0,0\r\n4=46,0,0,0\r\n5=46,0,0,0\r\n";
const std::string kShipped =
    "[HotKey]\r\n0=81,0,-1,0\r\n1=65,0,-1,0\r\n2=90,0,-1,0\r\n3=88,0,-1,0\r\n4=46,0,0,0\r\n5=46,0,0,0\r\n";

HWND Native(const plat::NativeControl& c) { return reinterpret_cast<HWND>(c.NativeHandle()); }

std::wstring TextOf(HWND h) {
    wchar_t buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

LPARAM At(const plat::Control& c) {
    const plat::Rect r = c.BoundsInForm();
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class MainWindowWin : public ::testing::Test {
protected:
    void TearDown() override {
        plat::UnloadForm<frmMain>();
        plat::UnloadForm<sss>();
        plat::DoEvents();
    }
    frmMain& Start(const std::string& ini) {
        ini_.Set(ini);
        frmMain& f = plat::Forms<frmMain>();
        f.Show();
        f.FinishStartUp();  // as its timer does after the first paint
        return f;
    }
    IniBesideExe ini_;
};

TEST_F(MainWindowWin, CaptionAndClientSize) {
    frmMain& f = Start(kNoHotkeys);
    plat::DoEvents();
    HWND h = reinterpret_cast<HWND>(f.hWnd());
    EXPECT_EQ(TextOf(h), L"Morrowen Snip");
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 444);
    EXPECT_EQ(client.bottom, 343);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(TextOf(Native(f.Command3)), L"Edit Logo");
    EXPECT_EQ(SendMessageW(Native(f.Option5), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Native(f.Option1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowVisible(Native(f.Text1)));
}

// Label widths come from the system's fonts: every row caption must end
// before its help picture, and no caption may run out of the window.
TEST_F(MainWindowWin, CaptionsInTheSystemsFontsLeaveRoomForTheHelpPictures) {
    frmMain& f = Start(kNoHotkeys);
    const plat::Image* help[] = {&f.Image4, &f.Image5, &f.Image6, &f.Image7};
    for (int i = 0; i < 4; ++i) {
        const plat::Rect label = f.lblHotKey[i].BoundsInForm();
        EXPECT_GT(label.Width(), 20) << i;  // measured, not empty
        EXPECT_LE(label.right, help[i]->BoundsInForm().left) << "row " << i;
        EXPECT_LE(help[i]->BoundsInForm().right, f.Picture1.BoundsInForm().right) << "row " << i;
    }
    const plat::Rect client{0, 0, f.ClientWidth(), f.ClientHeight()};
    for (const plat::Label* l : {&f.Label18, &f.Label9, &f.Label8, &f.lblLogoPreview, &f.lblLogoPosition}) {
        const plat::Rect r = l->BoundsInForm();
        EXPECT_EQ(r.Intersect(client), r) << std::string(l->Caption().begin(), l->Caption().end());
    }
    // "from Morrowen" stays inside the title band it is written on (white on blue).
    EXPECT_LE(f.Label18.BoundsInForm().bottom, f.Picture1.BoundsInForm().top);
}

// The icon's messages arrive at the window: activity makes it layered and
// topmost; a left button release shows the hidden window again.
TEST_F(MainWindowWin, TrayMessagesRestoreTheWindowAndMakeItTopmost) {
    frmMain& f = Start(kNoHotkeys);
    HWND h = reinterpret_cast<HWND>(f.hWnd());
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(f.Image2));
    SendMessageW(h, WM_LBUTTONUP, 0, At(f.Image2));
    EXPECT_FALSE(IsWindowVisible(h));

    SendMessageW(h, plat::win32::kTrayMessage, 0, WM_MOUSEMOVE);
    EXPECT_FALSE(IsWindowVisible(h));
    const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_FALSE(ex & WS_EX_TRANSPARENT);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

    SendMessageW(h, plat::win32::kTrayMessage, 0, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_FALSE(IsIconic(h));
}

// The user's close command (close box, Alt+F4, the taskbar's Close) hides
// the window to the tray: still loaded, hotkeys still held.
TEST_F(MainWindowWin, TheUsersCloseCommandHidesToTheTray) {
    frmMain& f = Start(kShipped);
    HWND h = reinterpret_cast<HWND>(f.hWnd());
    ASSERT_TRUE(IsWindowVisible(h));
    SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(IsWindow(h));
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_EQ(plat::LoadedForm<frmMain>(), &f);
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x4568, MOD_ALT, 'Q'));
    SendMessageW(h, plat::win32::kTrayMessage, 0, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(h));
}

// A close by the system unloads the window and frees its hotkeys for others.
TEST_F(MainWindowWin, ASystemCloseUnregistersTheHotkeys) {
    frmMain& f = Start(kShipped);
    HWND h = reinterpret_cast<HWND>(f.hWnd());
    ASSERT_EQ(f.HotKeyIds, (std::vector<std::int32_t>{1, 2, 3, 4, -1, -1}));
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x4568, MOD_ALT, 'Q'));
    SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(plat::LoadedForm<frmMain>(), nullptr);
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x4568, MOD_ALT, 'Q'));
    UnregisterHotKey(nullptr, 0x4568);
}

// WM_DPICHANGED (as the system sends it when the window reaches a monitor of
// another scale) lays the window out again at the new DPI: the design's size
// at that scale where the system suggests, the native children's fonts and
// the pictures at that DPI, the captions measured in the real fonts still
// clear of the help pictures. Back at the start DPI it is as it was.
TEST_F(MainWindowWin, ADpiChangeLaysTheWindowOutAtTheNewScale) {
    frmMain& f = Start(kNoHotkeys);
    HWND h = reinterpret_cast<HWND>(f.hWnd());
    const int start = plat::WindowDpi(f.hWnd());
    auto fontHeight = [](HWND child) {
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return lf.lfHeight;
    };
    for (const int dpi : {144, 120, start}) {
        SCOPED_TRACE(dpi);
        RECT suggested{100, 80, 100 + 50, 80 + 50};  // only its corner counts
        SendMessageW(h, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        plat::DoEvents();
        RECT client{}, outer{};
        GetClientRect(h, &client);
        GetWindowRect(h, &outer);
        EXPECT_EQ(client.right, plat::TwipsToPixels(6660, dpi));
        EXPECT_EQ(client.bottom, plat::TwipsToPixels(5145, dpi));
        EXPECT_EQ(outer.left, 100);
        EXPECT_EQ(outer.top, 80);
        EXPECT_EQ(fontHeight(Native(f.Option5)), -plat::FontPixelHeight(plat::Font{L"x", 8.0f, false, dpi}));
        EXPECT_EQ(fontHeight(Native(f.txtHotKey[0])), -plat::FontPixelHeight(plat::Font{L"x", 9.0f, false, dpi}));
        EXPECT_EQ(f.Image4.Width(), plat::TwipsToPixels(240, dpi));
        EXPECT_EQ(f.Image1.Width(), client.right);
        const plat::Image* help[] = {&f.Image4, &f.Image5, &f.Image6, &f.Image7};
        for (int i = 0; i < 4; ++i) {
            EXPECT_LE(f.lblHotKey[i].BoundsInForm().right, help[i]->BoundsInForm().left) << "row " << i;
            EXPECT_LE(help[i]->BoundsInForm().right, f.Picture1.BoundsInForm().right) << "row " << i;
        }
    }
}

}  // namespace
