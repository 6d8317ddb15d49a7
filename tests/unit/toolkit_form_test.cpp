// The portable form toolkit: forms by name, input routing to windowless
// controls, timers and the drawing surface.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/toolkit/forms.h"
#include "tests/unit/native_input.h"
#include "platform/toolkit/native_controls.h"
#include "platform/services/system.h"
#include "tests/unit/headless_fixture.h"

namespace {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

class Probe : public plat::Form {
public:
    Probe() : plat::Form(Style()), Box(*this), Inner(Box), Frame(*this), Tick(*this) {
        Box.Move(100, 100, 200, 100);
        Inner.Move(10, 10, 20, 20);
        Inner.MouseDown = [](const plat::MouseArgs& a) {
            Log().push_back("inner down " + std::to_string(int(a.x)) + "," + std::to_string(int(a.y)));
        };
        Inner.MouseMove = [](const plat::MouseArgs& a) {
            Log().push_back("inner move " + std::to_string(int(a.x)) + "," + std::to_string(int(a.y)));
        };
        Inner.Click = [] { Log().push_back("inner click"); };
        Frame.Move(400, 400, 50, 50);  // outlines let the mouse through
        Tick.Tick = [] { Log().push_back("tick"); };
        Log().push_back("constructed");
    }
    plat::PictureBox Box;
    plat::Label Inner;
    plat::Shape Frame;
    plat::Timer Tick;
    std::string text;

protected:
    void Form_Load() override {
        SetScaleMode(plat::ScaleMode::Pixels);
        Log().push_back("load");
    }
    void Form_MouseDown(const plat::MouseArgs& a) override {
        Log().push_back("form down " + std::to_string(int(a.x)) + "," + std::to_string(int(a.y)));
    }
    void Form_KeyPress(int c) override {
        if (c == 'u') {
            Unload();
            text = "still usable after unload";  // the object must outlive its own handler
        }
    }

private:
    static plat::WindowStyle Style() {
        plat::WindowStyle s;
        s.caption = L"probe";
        s.bounds = {0, 0, 640, 480};
        return s;
    }
};

class Toolkit : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Log().clear();
    }
    void TearDown() override { plat::UnloadForm<Probe>(); }
};

TEST_F(Toolkit, AFormIsBuiltOnFirstUseAndAnewAfterUnload) {
    EXPECT_EQ(plat::LoadedForm<Probe>(), nullptr);
    Probe& p = plat::Forms<Probe>();
    plat::Forms<Probe>();
    EXPECT_EQ(Log(), (std::vector<std::string>{"constructed", "load"}));
    EXPECT_FALSE(headless::Visible(p.hWnd()));
    p.Show();
    const plat::Handle h = p.hWnd();
    headless::KeyPress(h, 'u');  // unloads itself from its own handler
    EXPECT_EQ(plat::LoadedForm<Probe>(), nullptr);
    EXPECT_FALSE(headless::Exists(h));
    plat::Forms<Probe>();
    EXPECT_EQ(Log().size(), 4u);
    EXPECT_EQ(Log().back(), "load");
}

TEST_F(Toolkit, MouseGoesToTheControlUnderItAndStaysWithItWhileHeld) {
    Probe& p = plat::Forms<Probe>();
    p.Show();
    const plat::Handle h = p.hWnd();
    Log().clear();
    headless::MouseDown(h, plat::kLeftButton, 115, 112);  // inside the label inside the box
    headless::MouseMove(h, plat::kLeftButton, 500, 300);  // far outside, still held
    headless::MouseUp(h, plat::kLeftButton, 500, 300);    // released outside: no click
    headless::Click(h, plat::kLeftButton, 112, 111);
    headless::MouseDown(h, plat::kLeftButton, 420, 420);  // on the outline: the form's
    headless::MouseUp(h, plat::kLeftButton, 420, 420);
    EXPECT_EQ(Log(), (std::vector<std::string>{"inner down 5,2", "inner move 390,190", "inner down 2,1",
                                               "inner click", "form down 420,420"}));
    p.Inner.SetVisible(false);
    Log().clear();
    headless::MouseDown(h, plat::kRightButton, 115, 112);  // box now takes it: no handler, nothing logged
    EXPECT_TRUE(Log().empty());
}

TEST_F(Toolkit, TimersTickOnlyWhileEnabled) {
    Probe& p = plat::Forms<Probe>();
    p.Tick.SetInterval(100);
    headless::AdvanceClock(500);
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "tick"), 0);  // never enabled
    p.Tick.SetEnabled(true);
    headless::AdvanceClock(250);
    p.Tick.SetEnabled(false);
    headless::AdvanceClock(500);
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "tick"), 2);
    // Enabling a running timer again keeps its beat; off and on starts it anew.
    p.Tick.SetEnabled(true);
    for (int i = 0; i < 5; ++i) {
        headless::AdvanceClock(40);
        p.Tick.SetEnabled(true);
    }
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "tick"), 4);
    headless::AdvanceClock(80);
    p.Tick.SetEnabled(false);
    p.Tick.SetEnabled(true);
    headless::AdvanceClock(80);
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "tick"), 4);
}

TEST_F(Toolkit, SurfaceBakeAndEraseFollowThePersistenceSwitch) {
    Probe& p = plat::Forms<Probe>();
    p.Show();
    p.SetAutoRedraw(true);
    const plat::Color red = plat::Rgb(255, 0, 0), blue = plat::Rgb(0, 0, 255);
    p.DrawOnSurface([&](plat::Canvas& c) { c.FillRect({0, 0, 10, 10}, red); }, {0, 0, 10, 10});
    p.Bake();
    p.DrawOnSurface([&](plat::Canvas& c) { c.FillRect({0, 0, 10, 10}, blue); }, {0, 0, 10, 10});
    EXPECT_EQ(p.SurfacePixel(5, 5), blue);
    EXPECT_EQ(headless::Shown(p.hWnd()).Pixel(5, 5), blue);
    p.Cls();  // back to the baked picture
    EXPECT_EQ(p.SurfacePixel(5, 5), red);
    EXPECT_EQ(headless::Shown(p.hWnd()).Pixel(5, 5), red);

    // With persistence off a drawing reaches the window only, and a repaint removes it.
    p.SetAutoRedraw(false);
    p.SetBackgroundPicture(p.PersistentImage().Copy());
    p.DrawOnSurface([&](plat::Canvas& c) { c.FillRect({0, 0, 10, 10}, blue); }, {0, 0, 10, 10});
    EXPECT_EQ(headless::Shown(p.hWnd()).Pixel(5, 5), blue);
    EXPECT_EQ(p.SurfacePixel(5, 5), red);
    p.Refresh();
    EXPECT_EQ(headless::Shown(p.hWnd()).Pixel(5, 5), red);
}

}  // namespace

namespace {

// A control inside a box is cut at the box's edge, and the controls painted
// after the box are not cut at all.
TEST_F(Toolkit, ControlsInsideABoxArePaintedOnlyWithinIt) {
    Probe& p = plat::Forms<Probe>();
    p.Show();
    const plat::Color red = plat::Rgb(255, 0, 0);
    p.Box.SetBackColor(plat::Rgb(0, 0, 255));
    p.Inner.Transparent = false;
    p.Inner.BackColor = red;
    p.Inner.Move(180, 10, 60, 20);  // reaches 40 pixels past the box's right edge
    p.Refresh();
    plat::Picture shown = headless::Shown(p.hWnd());
    EXPECT_EQ(shown.Pixel(100 + 190, 115), red);
    EXPECT_EQ(shown.Pixel(100 + 210, 115), p.BackColor());
    EXPECT_EQ(shown.Pixel(400, 420), plat::Rgb(0, 0, 0));  // the outline after the box
}

}  // namespace

namespace {

class BoxedText : public plat::Form {
public:
    BoxedText() : plat::Form(plat::WindowStyle{L"boxed", {0, 0, 400, 300}}), Box(*this), Text(Box) {
        Box.Move(50, 40, 200, 100);
        Text.Move(10, 20, 80, 22);
    }
    plat::PictureBox Box;
    plat::TextBox Text;
};

// A native child is a window of its own: it follows its box when the box
// moves or hides, and takes its control's enabled state.
TEST_F(Toolkit, NativeChildrenFollowTheirBox) {
    BoxedText& f = plat::Forms<BoxedText>();
    f.Show();
    EXPECT_EQ(fake_native::Child(f.Text)->bounds, (plat::Rect{60, 60, 140, 82}));
    f.Box.Move(100, 100);
    EXPECT_EQ(fake_native::Child(f.Text)->bounds, (plat::Rect{110, 120, 190, 142}));
    f.Box.SetVisible(false);
    EXPECT_FALSE(fake_native::Child(f.Text)->visible);
    f.Box.SetVisible(true);
    EXPECT_TRUE(fake_native::Child(f.Text)->visible);
    f.Text.SetEnabled(false);
    EXPECT_FALSE(fake_native::Child(f.Text)->enabled);
    plat::UnloadForm<BoxedText>();
}

// Hidden boxes of a form that asks for it get their windows only after the
// message that showed it, in the order they were made (their stacking
// follows it), or at once when one of them shows first.
class LateBoxes : public plat::Form {
public:
    LateBoxes() : plat::Form(plat::WindowStyle{L"late", {0, 0, 400, 300}}), First(*this), Second(*this) {
        SetChildWindowsAfterFirstPaint(true);
        First.SetVisible(false);
        Second.SetVisible(false);
    }
    plat::TextBox First, Second;
};

TEST_F(Toolkit, HiddenChildWindowsAreBuiltAfterTheShowingMessageInTheirOrder) {
    LateBoxes& f = plat::Forms<LateBoxes>();
    f.Show();
    EXPECT_FALSE(f.First.Native());
    EXPECT_FALSE(f.Second.Native());
    plat::DoEvents();
    ASSERT_TRUE(f.First.Native() && f.Second.Native());
    EXPECT_LT(f.First.Native()->Hwnd(), f.Second.Native()->Hwnd());
    plat::UnloadForm<LateBoxes>();

    LateBoxes& again = plat::Forms<LateBoxes>();
    again.Show();
    again.Second.SetVisible(true);  // shown before the pump: every window now, the first one first
    ASSERT_TRUE(again.First.Native() && again.Second.Native());
    EXPECT_LT(again.First.Native()->Hwnd(), again.Second.Native()->Hwnd());
    EXPECT_TRUE(fake_native::Child(again.Second)->visible);
    plat::UnloadForm<LateBoxes>();
}

// Input posted by a test waits in the queue until a loop takes it, so a loop
// nested in a handler (as the hotkey loop and the window picker's are) is
// driven by posted input alone: no idle handler stands in for the user.
class Nesting : public plat::Form {
public:
    Nesting() : plat::Form(Style()) {}
    std::vector<std::string> seen;

protected:
    void Form_MouseDown(const plat::MouseArgs&) override {
        seen.push_back("down");
        done_ = false;
        while (!done_) {
            plat::WaitForEvents();
            plat::DoEvents();
        }
        seen.push_back("loop ended");
    }
    void Form_KeyPress(int c) override {
        seen.push_back(std::string(1, static_cast<char>(c)));
        if (c == 'x') done_ = true;
    }

private:
    bool done_ = true;
    static plat::WindowStyle Style() {
        plat::WindowStyle s;
        s.bounds = {0, 0, 200, 100};
        return s;
    }
};

TEST_F(Toolkit, PostedInputDrivesALoopNestedInAHandler) {
    Nesting& f = plat::Forms<Nesting>();
    f.Show();
    headless::Post(f.hWnd(), headless::InputKind::MouseDown, plat::kLeftButton, 10, 10);
    headless::Post(f.hWnd(), headless::InputKind::KeyPress, 'a');
    headless::Post(f.hWnd(), headless::InputKind::KeyPress, 'x');
    headless::Post(f.hWnd(), headless::InputKind::KeyPress, 'b');
    EXPECT_TRUE(f.seen.empty());  // nothing runs until a loop takes it
    plat::DoEvents();
    EXPECT_EQ(f.seen, (std::vector<std::string>{"down", "a", "x", "b", "loop ended"}));
    EXPECT_EQ(headless::QueuedInput(), 0);
    plat::UnloadForm<Nesting>();
}

}  // namespace
