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

TEST(PaintBands, AFullScreenRepaintIsWholeAcrossBandEdges) {
    BandsWindow& w = plat::Forms<BandsWindow>();
    w.Show();
    const int sw = plat::ScreenWidthPx(), sh = plat::ScreenHeightPx();
    plat::Picture want = w.pattern.Copy();
    const plat::Rect box{100, 7, 141, sh - 13};
    want.Draw().FillRect(box, kBox);
    {
        plat::ClipScope clip(want.Draw(), box);
        want.Draw().FrameRect({105, 12, 165, 12 + sh}, kFrame, 3);
    }
    bool same = false;
    for (int i = 0; i < 50 && !same; ++i) {
        plat::DoEvents();
        same = plat::SamePixels(plat::CaptureScreen({0, 0, sw, sh}), want);
        if (!same) plat::SleepMs(20);
    }
    EXPECT_TRUE(same);
    plat::UnloadForm<BandsWindow>();
    plat::DoEvents();
}

}  // namespace
