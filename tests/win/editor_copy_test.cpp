// The editor's double-click copy while another program holds the clipboard:
// it waits for it, and never closes on a copy that did not happen.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "tests/win/save_modal_watcher.h"
#include "tests/win/screen_pattern.h"

namespace {

using testing_support::ShowPattern;

// Another program's hold on the clipboard: a thread of its own opens it
// (OpenClipboard fails for every other thread until it is closed).
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD holdMs) {
        thread_ = std::thread([this, holdMs] {
            if (OpenClipboard(nullptr)) {
                held_ = true;
                Sleep(holdMs);
                CloseClipboard();
            }
            done_ = true;
        });
        while (!held_ && !done_) Sleep(1);
    }
    ~ClipboardHolder() { thread_.join(); }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool Held() const { return held_; }

private:
    std::atomic<bool> held_{false}, done_{false};
    std::thread thread_;
};

class EditorCopyWin : public ::testing::Test {
protected:
    void SetUp() override {
        pattern_ = ShowPattern().pattern;
        ASSERT_TRUE(plat::ClipboardPutPicture(plat::Picture::Create(7, 5, plat::Rgb(9, 9, 9))));
        aaa& ed = plat::Forms<aaa>();
        ed.Show();
        plat::DoEvents();
        h_ = reinterpret_cast<HWND>(ed.hWnd());
        // A selection from (100, 80) to (300, 180), as the mouse drags it out.
        Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 80);
        Send(WM_MOUSEMOVE, MK_LBUTTON, 300, 180);
        Send(WM_LBUTTONUP, 0, 300, 180);
    }
    void TearDown() override {
        plat::UnloadForm<aaa>();
        plat::UnloadForm<testing_support::PatternWindow>();
        plat::DoEvents();
    }
    void Send(UINT msg, WPARAM wp, int x, int y) { SendMessageW(h_, msg, wp, MAKELPARAM(x, y)); }
    void DoubleClickInside() {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, 200, 150);
        Send(WM_LBUTTONUP, 0, 200, 150);
        Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 200, 150);
    }
    static plat::Picture Expected(const plat::Picture& pattern) { return pattern.Crop({100, 80, 300, 180}); }

    plat::Picture pattern_;
    HWND h_ = nullptr;
};

TEST_F(EditorCopyWin, ACopyWaitsForABusyClipboardAndThenCloses) {
    {
        ClipboardHolder holder(600);
        ASSERT_TRUE(holder.Held());
        DoubleClickInside();
    }
    EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
    EXPECT_TRUE(plat::SamePixels(plat::ClipboardGetPicture(), Expected(pattern_)));
}

TEST_F(EditorCopyWin, ACopyThatNeverGetsTheClipboardKeepsTheEditorAndSaysSo) {
    std::wstring told;
    {
        save_testing::ModalWatcher box(L"Morrowen Snip", [&told](HWND h) {
            told = save_testing::ModalWatcher::TextOf(GetDlgItem(h, 0xFFFF));
            PostMessageW(h, WM_COMMAND, IDOK, 0);
        });
        ClipboardHolder holder(3500);
        ASSERT_TRUE(holder.Held());
        DoubleClickInside();
        EXPECT_TRUE(box.Seen());
    }
    aaa* ed = plat::LoadedForm<aaa>();
    ASSERT_NE(ed, nullptr);
    EXPECT_TRUE(ed->Shape1.Visible());
    EXPECT_TRUE(ed->Picture1.Visible());
    EXPECT_NE(told.find(L"another program is holding the clipboard"), std::wstring::npos) << told;
    const plat::Picture before = plat::ClipboardGetPicture();
    EXPECT_EQ(before.Width(), 7);  // the old picture, not announced as the snip

    // Once the clipboard is free the same selection copies as usual.
    DoubleClickInside();
    EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
    EXPECT_TRUE(plat::SamePixels(plat::ClipboardGetPicture(), Expected(pattern_)));
}

}  // namespace
