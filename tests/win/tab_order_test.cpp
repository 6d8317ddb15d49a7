// Tab and Shift+Tab from the keyboard move the focus between the controls of
// the main window, the window inspector and the logo library, as in a dialog:
// every stop once, in the order the controls stand, wrapping at the ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "logo/sss.h"
#include "platform/services/dpi.h"
#include "platform/services/system.h"
#include "platform/toolkit/forms.h"
#include "shell/frm_main.h"
#include "tests/win/hotkey_test_steps.h"
#include "window/window_forms.h"

namespace {

using hotkey_test::IniBesideExe;
using hotkey_test::PressKeys;

const std::string kNoHotkeys =
    "[HotKey]\r\n0=46,0,0,0\r\n1=46,0,0,0\r\n2=46,0,0,0\r\n3=46,0,0,0\r\n4=46,0,0,0\r\n5=46,0,0,0\r\n";

HWND Native(const plat::NativeControl& c) { return reinterpret_cast<HWND>(c.NativeHandle()); }

// One real key press (Shift+Tab when `back`), then events until the focus moves.
HWND Tab(bool back) {
    const HWND before = GetFocus();
    if (back)
        PressKeys({VK_SHIFT}, VK_TAB);
    else
        PressKeys({}, VK_TAB);
    for (int i = 0; i < 100 && GetFocus() == before; ++i) {
        plat::DoEvents();
        Sleep(10);
    }
    plat::DoEvents();
    return GetFocus();
}

// The stops Tab visits from `start` until it comes back to it (at most 60).
std::vector<HWND> Cycle(HWND start, bool back) {
    std::vector<HWND> seen{start};
    for (int i = 0; i < 60; ++i) {
        const HWND next = Tab(back);
        if (next == start || next == seen.back()) break;
        seen.push_back(next);
    }
    return seen;
}

// Focuses `first` in the shown form `form` and walks the cycle both ways;
// `afterForward` runs between the two rounds.
void ExpectDialogTabbing(HWND form, HWND first, const std::vector<HWND>& inOrder,
                         const std::function<void()>& afterForward = {}) {
    SetForegroundWindow(form);
    SetFocus(first);
    plat::DoEvents();
    ASSERT_EQ(GetFocus(), first);

    const std::vector<HWND> forward = Cycle(first, false);
    EXPECT_EQ(GetFocus(), first) << "Tab wraps from the last stop to the first";
    for (HWND h : forward) {
        EXPECT_TRUE(IsChild(form, h)) << "Tab leaves the window";
        EXPECT_TRUE(IsWindowVisible(h) && IsWindowEnabled(h)) << "Tab stops on a control the user cannot use";
        RECT r{}, c{};
        GetWindowRect(h, &r);
        GetClientRect(form, &c);
        MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&c), 2);
        EXPECT_TRUE(IntersectRect(&r, &r, &c)) << "Tab stops on a control out of sight";
        EXPECT_EQ(std::count(forward.begin(), forward.end(), h), 1) << "a stop visited twice in one round";
    }
    // The named controls come one after another, in the order they stand.
    auto at = std::find(forward.begin(), forward.end(), inOrder.front());
    ASSERT_NE(at, forward.end());
    for (HWND h : inOrder) {
        ASSERT_NE(at, forward.end());
        EXPECT_EQ(*at, h);
        ++at;
    }

    if (afterForward) afterForward();
    // Shift+Tab goes the same round backwards.
    const std::vector<HWND> backward = Cycle(first, true);
    EXPECT_EQ(GetFocus(), first) << "Shift+Tab wraps from the first stop to the last";
    std::vector<HWND> reversed{forward.front()};
    reversed.insert(reversed.end(), forward.rbegin(), forward.rend() - 1);
    EXPECT_EQ(backward, reversed);
}

class TabOrderWin : public ::testing::Test {
protected:
    void TearDown() override {
        plat::UnloadForm<frmMain>();
        plat::UnloadForm<sss>();
        plat::UnloadForm<asd>();
        plat::DoEvents();
    }
    IniBesideExe ini_;
};

TEST_F(TabOrderWin, MainWindowHotkeyRowsThenTheLogoControls) {
    ini_.Set(kNoHotkeys);
    frmMain& f = plat::Forms<frmMain>();
    f.Show();
    plat::DoEvents();
    // Space on "Hotkey options" turns the edit mode on: the hotkey boxes become stops.
    SetForegroundWindow(reinterpret_cast<HWND>(f.hWnd()));
    SetFocus(Native(f.optSetHotKey));
    PressKeys({}, VK_SPACE);
    for (int i = 0; i < 100 && f.optSetHotKey.Value() != 1; ++i) {
        plat::DoEvents();
        Sleep(10);
    }
    ASSERT_EQ(f.optSetHotKey.Value(), 1);
    const std::wstring shown = f.txtHotKey[0].Text();
    ExpectDialogTabbing(reinterpret_cast<HWND>(f.hWnd()), Native(f.optSetHotKey),
                        {Native(f.optSetHotKey), Native(f.optTestHotKey), Native(f.txtHotKey[0]),
                         Native(f.txtHotKey[1]), Native(f.txtHotKey[2]), Native(f.txtHotKey[3])},
                        [&] {
                            // Tab is no hotkey: the boxes it passed keep what they showed.
                            for (int i = 0; i < 4; ++i) EXPECT_EQ(f.txtHotKey[i].Text(), shown) << "row " << i;
                        });
}

TEST_F(TabOrderWin, InspectorFieldsInOrder) {
    ini_.Set(kNoHotkeys);
    asd& in = plat::Forms<asd>();
    in.Show();
    // Loaded for a pick it has no size; after the pick it has its design size.
    const int dpi = plat::SystemDpi();
    in.SetBounds({0, 0, plat::TwipsToPixels(asd::kDesignWidthTwips, dpi),
                  plat::TwipsToPixels(asd::kDesignHeightTwips, dpi)});
    plat::DoEvents();
    ExpectDialogTabbing(reinterpret_cast<HWND>(in.hWnd()), Native(in.TxtHwnd),
                        {Native(in.TxtHwnd), Native(in.TxtHex), Native(in.TxtWndCap), Native(in.TxtClss),
                         Native(in.TxtRect)});
}

TEST_F(TabOrderWin, LogoLibraryPaths) {
    ini_.Set(kNoHotkeys);
    sss& lib = plat::Forms<sss>();
    lib.Show();
    plat::DoEvents();
    ExpectDialogTabbing(reinterpret_cast<HWND>(lib.hWnd()), Native(lib.baa[0]),
                        {Native(lib.baa[0]), Native(lib.baa[1]), Native(lib.baa[2])});
}

}  // namespace
