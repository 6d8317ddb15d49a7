// A full-screen repaint reaches the window in bands: the picture and the
// controls over it come out whole across every band's edge, and a box's
// clip still cuts its children there.
#include <gtest/gtest.h>

#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "tests/win/screen_pattern.h"

namespace {

constexpr plat::Color kBox = plat::Rgb(0, 0, 255), kFrame = plat::Rgb(255, 255, 0);

class BandsWindow : public plat::Form {
public:
    BandsWindow() : plat::Form(Style()), Box(*this), Inner(Box) {}
    plat::Picture pattern = testing_support::MakePattern(plat::ScreenWidthPx(), plat::ScreenHeightPx());
    plat::PictureBox Box;
    plat::Shape Inner;  // reaches past the box's right and bottom edges

protected:
    void Form_Load() override {
        SetScaleMode(plat::ScaleMode::Pixels);
        SetAutoRedraw(true);
        PersistentCanvas().DrawPicture(pattern, 0, 0);
        Box.SetBackColor(kBox);
        Box.Move(100, 7, 41, static_cast<float>(plat::ScreenHeightPx() - 20));
        Inner.SetBorder(kFrame, 3);
        Inner.Move(5, 5, 60, static_cast<float>(plat::ScreenHeightPx()));
    }

private:
    static plat::WindowStyle Style() {
        plat::WindowStyle s;
        s.caption = L"bands";
        s.bounds = {0, 0, plat::ScreenWidthPx(), plat::ScreenHeightPx()};
        s.borderless = true;
        s.topmost = true;
        return s;
    }
};

// Waits until the screen shows `want`, pumping events.
bool ScreenShows(const plat::Picture& want) {
    for (int i = 0; i < 50; ++i) {
        plat::DoEvents();
        if (plat::SamePixels(plat::CaptureScreen({0, 0, want.Width(), want.Height()}), want)) return true;
        plat::SleepMs(20);
    }
    return false;
}

// A full-screen repaint is whole across band edges. A hidden window is not
// marked dirty piece by piece: shown again it paints whole, with what changed
// meanwhile in its new place and nothing left behind.
TEST(PaintBands, AFullScreenRepaintIsWholeAcrossBandEdgesAndAfterBeingHidden) {
    BandsWindow& w = plat::Forms<BandsWindow>();
    w.Show();
    const int sh = plat::ScreenHeightPx();
    plat::Picture want = w.pattern.Copy();
    const plat::Rect box{100, 7, 141, sh - 13};
    want.Draw().FillRect(box, kBox);
    {
        plat::ClipScope clip(want.Draw(), box);
        want.Draw().FrameRect({105, 12, 165, 12 + sh}, kFrame, 3);
    }
    EXPECT_TRUE(ScreenShows(want));

    w.Hide();
    plat::DoEvents();
    w.Inner.SetVisible(false);
    w.Box.Move(300, 7, 41, static_cast<float>(sh - 20));
    w.PersistentCanvas().FillRect({500, 50, 560, 90}, kFrame);
    w.Show();
    want = w.pattern.Copy();
    want.Draw().FillRect({300, 7, 341, sh - 13}, kBox);
    want.Draw().FillRect({500, 50, 560, 90}, kFrame);
    EXPECT_TRUE(ScreenShows(want));
    plat::UnloadForm<BandsWindow>();
    plat::DoEvents();
}

}  // namespace
