// Pins as real windows: the wheel's message zooms them, Ctrl+C's copy is the
// picture pinned, and closing every pin gives back every handle it took.
#include <windows.h>

#include <gtest/gtest.h>

#include "editor/pin_window.h"
#include "platform/services/system.h"
#include "platform/toolkit/forms.h"

namespace {

plat::Picture Stripes(int w, int h) {
    plat::Picture p = plat::Picture::Create(w, h, plat::Rgb(250, 250, 250));
    for (int x = 0; x < w; x += 5) p.Draw().FillRect({x, 0, x + 2, h}, plat::Rgb(x & 255, 40, 200));
    return p;
}

TEST(PinWin, TheWheelZoomsCopyTakesThePictureAndClosingLeaksNothing) {
    editor::OpenPin(Stripes(40, 30), {10, 10});  // fonts and the window class are made once
    editor::CloseAllPins();
    plat::DoEvents();
    const plat::Picture snip = Stripes(200, 100);
    const plat::ResourceCounts before = plat::CurrentResourceCounts();

    editor::PinWindow* pin = editor::OpenPin(snip, {300, 200});
    ASSERT_NE(pin, nullptr);
    ASSERT_NE(editor::OpenPin(Stripes(60, 60), {50, 50}), nullptr);  // several at once
    plat::DoEvents();
    const HWND h = reinterpret_cast<HWND>(pin->hWnd());
    RECT r{};
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, 202);  // the picture and its outline
    EXPECT_EQ(r.left, 299);
    SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(350, 250));
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, 222);
    EXPECT_EQ(r.bottom - r.top, 112);
    SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-40 * WHEEL_DELTA)), MAKELPARAM(350, 250));
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, 52);  // a quarter at the least

    pin->CopyToClipboard();
    EXPECT_TRUE(plat::SamePixels(plat::ClipboardGetPicture(), snip));

    // Escape closes the one it reaches; the other stays.
    SendMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
    plat::DoEvents();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(editor::OpenPins().size(), 1u);
    editor::CloseAllPins();
    plat::DoEvents();
    EXPECT_TRUE(editor::OpenPins().empty());
    EXPECT_EQ(plat::CurrentResourceCounts(), before);
}

}  // namespace
