#pragma once
// A full-screen window showing a known picture, so tests know what the screen
// holds. Shared by the Win32 tests of the editor.
#include "platform/toolkit/form.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"

namespace testing_support {

// Every pixel differs from its neighbours, and the edges are marked, so a
// picture shifted or cut by one pixel does not compare equal.
inline plat::Picture MakePattern(int w, int h) {
    plat::Picture p = plat::Picture::Create(w, h, 0);
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = p.MutableRow(y);
        for (int x = 0; x < w; ++x)
            row[x] = (static_cast<std::uint32_t>(x * 7 + y * 3) & 255u) << 16 |
                     (static_cast<std::uint32_t>(x ^ y) & 255u) << 8 | (static_cast<std::uint32_t>(y * 5) & 255u);
    }
    p.Draw().FillRect({w - 3, 0, w, h}, plat::Rgb(255, 0, 0));
    p.Draw().FillRect({0, h - 3, w, h}, plat::Rgb(0, 255, 0));
    return p;
}

class PatternWindow : public plat::Form {
public:
    PatternWindow() : plat::Form(Style()) {}
    plat::Picture pattern = MakePattern(plat::ScreenWidthPx(), plat::ScreenHeightPx());

protected:
    void Form_Load() override {
        SetAutoRedraw(true);
        PersistentCanvas().DrawPicture(pattern, 0, 0);
    }

private:
    static plat::WindowStyle Style() {
        plat::WindowStyle s;
        s.caption = L"pattern";
        s.bounds = {0, 0, plat::ScreenWidthPx(), plat::ScreenHeightPx()};
        s.borderless = true;
        s.topmost = true;
        return s;
    }
};

// Shows the pattern and waits until the screen shows it.
inline PatternWindow& ShowPattern() {
    PatternWindow& w = plat::Forms<PatternWindow>();
    w.Show();
    for (int i = 0; i < 50; ++i) {
        plat::DoEvents();
        plat::Picture now = plat::CaptureScreen({0, 0, plat::ScreenWidthPx(), plat::ScreenHeightPx()});
        if (plat::SamePixels(now, w.pattern)) break;
        plat::SleepMs(20);
    }
    return w;
}

}  // namespace testing_support
