#pragma once
// Shared set-up for the editor's headless tests: a known screen picture and
// short-hands for input on an editor window.
#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "tests/unit/headless_fixture.h"

class EditorTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        screen_ = plat::Picture::Create(1920, 1080, plat::Rgb(200, 200, 200));
        // A few distinct areas, so a shifted picture is told apart.
        screen_.Draw().FillRect({100, 100, 400, 300}, plat::Rgb(255, 0, 0));
        screen_.Draw().FillRect({1800, 1000, 1920, 1080}, plat::Rgb(0, 0, 255));
        for (int x = 0; x < 1920; x += 7) screen_.Draw().FillRect({x, 500, x + 1, 501}, plat::Rgb(x & 255, 9, 9));
        headless::SetScreen(screen_);
    }
    void TearDown() override {
        plat::UnloadForm<aaa>();
        plat::UnloadForm<jie>();
        plat::UnloadForm<bing>();
        plat::UnloadForm<jie3>();
        plat::DoEvents();
    }

    template <class T>
    T& Open() {
        T& ed = plat::Forms<T>();
        ed.Show();
        return ed;
    }
    static plat::Handle H(const plat::Form& f) { return f.hWnd(); }

    // Left-drags on the surface from (x1, y1) to (x2, y2) in a few steps.
    static void Drag(plat::Handle h, int x1, int y1, int x2, int y2, int button = plat::kLeftButton) {
        headless::MouseDown(h, button, x1, y1);
        for (int i = 1; i <= 4; ++i)
            headless::MouseMove(h, button, x1 + (x2 - x1) * i / 4, y1 + (y2 - y1) * i / 4);
        headless::MouseUp(h, button, x2, y2);
    }

    plat::Picture screen_;
};
