// The headless backend's own non-trivial parts: rasterisation edges, clipping,
// the screen composite, the clipboard, timers and injected input.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/native_window.h"
#include "platform/services/system.h"
#include "tests/unit/headless_fixture.h"

namespace {

using namespace plat;

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kBlue = Rgb(0, 0, 255);

// Pixels of row y as '#' (colour c) and '.' (anything else), for edge checks.
std::string RowOf(const Picture& p, int y, Color c) {
    std::string s;
    for (int x = 0; x < p.Width(); ++x) s += p.Pixel(x, y) == c ? '#' : '.';
    return s;
}

// A window owner that paints itself one colour and logs what reaches it.
struct Recorder : WindowEvents {
    Color fill = kRed;
    int paints = 0;
    Rect lastDirty;
    bool refuseClose = false, destroyed = false;
    std::vector<std::string> log;
    std::function<void(int)> tick;
    void OnPaint(Canvas& c, const Rect& dirty) override {
        ++paints;
        lastDirty = dirty;
        c.FillRect({0, 0, c.Width(), c.Height()}, fill);
    }
    void Mouse(const char* what, const MouseArgs& a) {
        log.push_back(std::string(what) + " " + std::to_string(a.button) + " " + std::to_string(int(a.x)) + "," +
                      std::to_string(int(a.y)));
    }
    void OnMouseDown(const MouseArgs& a) override { Mouse("down", a); }
    void OnMouseMove(const MouseArgs& a) override { Mouse("move", a); }
    void OnMouseUp(const MouseArgs& a) override { Mouse("up", a); }
    void OnDblClick(const MouseArgs& a) override { Mouse("dbl", a); }
    void OnKeyDown(int k, int shift) override { log.push_back("key " + std::to_string(k) + "/" + std::to_string(shift)); }
    void OnKeyPress(int c) override { log.push_back("char " + std::to_string(c)); }
    void OnTimer(int id) override {
        log.push_back("t" + std::to_string(id) + "@" + std::to_string(headless::Now()));
        if (tick) tick(id);
    }
    bool OnCloseRequest() override { return refuseClose; }
    void OnDestroyed() override { destroyed = true; }
};

std::unique_ptr<NativeWindow> MakeWindow(Recorder& r, Rect bounds, bool topmost = false) {
    WindowStyle s;
    s.bounds = bounds;
    s.topmost = topmost;
    s.caption = L"w" + std::to_wstring(bounds.left);
    return NativeWindow::Create(r, s);
}

using Raster = HeadlessTest;

TEST_F(Raster, FrameRectStaysInsideItsRectangle) {
    Picture p = Picture::Create(10, 8);
    p.Draw().FrameRect({1, 1, 9, 7}, kBlack, 2);
    EXPECT_EQ(RowOf(p, 0, kBlack), "..........");
    EXPECT_EQ(RowOf(p, 1, kBlack), ".########.");
    EXPECT_EQ(RowOf(p, 2, kBlack), ".########.");
    EXPECT_EQ(RowOf(p, 3, kBlack), ".##....##.");
    EXPECT_EQ(RowOf(p, 6, kBlack), ".########.");
    EXPECT_EQ(RowOf(p, 7, kBlack), "..........");
    // A pen as wide as half the box leaves no hole.
    p.Draw().FrameRect({0, 0, 4, 4}, kRed, 2);
    EXPECT_EQ(RowOf(p, 2, kRed), "####......");
}

// Pens are the system's: lines and ellipses are recorded as drawn, and go
// with the pixels when a picture is copied, filled over or drawn elsewhere.
TEST_F(Raster, LinesAndEllipsesAreRecordedAndFollowThePixels) {
    Picture p = Picture::Create(40, 30);
    p.Draw().Line(1, 2, 30, 2, kBlack, 4);
    p.Draw().Line(5, 5, 5, 5, kBlue, 3);  // no length, nothing drawn
    p.Draw().Ellipse({2, 10, 22, 20}, kRed, 2);
    using headless::StrokeRecord;
    EXPECT_EQ(headless::Strokes(p), (std::vector<StrokeRecord>{{false, {1, 2, 30, 2}, kBlack, 4},
                                                               {true, {2, 10, 22, 20}, kRed, 2}}));
    EXPECT_EQ(p.Pixel(10, 2), kWhite);  // nothing rasterised

    Picture q = Picture::Create(40, 30);
    q.Draw().DrawPicture(p, 5, 0, Rect{0, 0, 40, 30});
    ASSERT_EQ(headless::Strokes(q).size(), 2u);
    EXPECT_EQ(headless::Strokes(q)[0].where, (Rect{6, 2, 35, 2}));
    p.Draw().FillRect({0, 0, 40, 5}, kWhite);
    EXPECT_EQ(headless::Strokes(p).size(), 1u);
    EXPECT_EQ(headless::Strokes(p.Copy()), headless::Strokes(p));
}

TEST_F(Raster, ClipHoldsForEveryOperationUntilReset) {
    Picture p = Picture::Create(6, 6);
    Picture red = Picture::Create(6, 6, kRed);
    Canvas& c = p.Draw();
    c.SetClip({2, 2, 4, 4});
    c.FillRect({0, 0, 6, 6}, kBlack);
    c.DrawPicture(red, 0, 0);
    c.Text(0, 0, L"x", Font{}, kBlack);  // its box (0,0)-(7,16) reaches the clip
    c.Text(5, 5, L"y", Font{}, kBlack);
    EXPECT_EQ(RowOf(p, 1, kRed) + RowOf(p, 1, kBlack), "............");
    EXPECT_EQ(RowOf(p, 2, kRed), "..##..");
    ASSERT_EQ(headless::Texts(p).size(), 1u);
    EXPECT_EQ(headless::Texts(p)[0].text, L"x");
    c.ResetClip();
    c.FillRect({0, 0, 6, 6}, kBlue);
    EXPECT_EQ(RowOf(p, 0, kBlue), "######");
    EXPECT_TRUE(headless::Texts(p).empty());  // the fill covered the text
}

TEST_F(Raster, PictureCopiesClipToBothSidesAndSurviveOverlap) {
    Picture src = Picture::Create(4, 4, kRed);
    Picture p = Picture::Create(5, 5);
    p.Draw().DrawPicture(src, -2, 3, {0, 0, 4, 4});
    EXPECT_EQ(RowOf(p, 3, kRed), "##...");
    EXPECT_EQ(RowOf(p, 2, kRed), ".....");
    // A source area reaching past the picture copies only what exists.
    p.Draw().DrawPicture(src, 2, 0, {3, 3, 9, 9});
    EXPECT_EQ(RowOf(p, 0, kRed), "..#..");
    EXPECT_EQ(RowOf(p, 1, kRed), ".....");
    // Onto itself, shifted: reads the pixels as they were.
    Picture g = Picture::Create(4, 1);
    for (int x = 0; x < 4; ++x) g.MutableRow(0)[x] = static_cast<std::uint32_t>(x);
    g.Draw().DrawPicture(g, 1, 0, {0, 0, 3, 1});
    EXPECT_EQ(std::vector<std::uint32_t>(g.Row(0), g.Row(0) + 4), (std::vector<std::uint32_t>{0, 0, 1, 2}));
    // Crop past the edge is black there; Copy is independent.
    Picture crop = src.Crop({2, 2, 6, 6});
    EXPECT_EQ(RowOf(crop, 1, kRed), "##..");
    EXPECT_EQ(crop.Pixel(3, 3), kBlack);
    Picture copy = src.Copy();
    copy.Draw().FillRect({0, 0, 1, 1}, kBlue);
    EXPECT_EQ(src.Pixel(0, 0), kRed);
}

TEST_F(Raster, TextIsRecordedWithTheMetricAndTravelsWithCopies) {
    Font f{L"Tahoma", 9.0f, true};
    EXPECT_EQ(MeasureText(L"abc", f), (Point{22, 14}));  // em 12 px: 3 x 7.2 wide, 13.8 high
    EXPECT_EQ(MeasureText(L"", f), (Point{0, 14}));
    Picture p = Picture::Create(100, 40);
    p.Draw().Text(10, 5, L"abc", f, kRed);
    Picture dst = Picture::Create(100, 40);
    dst.Draw().DrawPicture(p, 20, 20, {0, 0, 50, 20});
    ASSERT_EQ(headless::Texts(dst).size(), 1u);
    EXPECT_EQ(headless::Texts(dst)[0], (headless::TextRecord{30, 25, L"abc", L"Tahoma", 9.0f, true, kRed}));
    dst.Draw().DrawPicture(p, 0, 0, {20, 0, 50, 20});  // an area without the text's origin
    EXPECT_EQ(headless::Texts(dst).size(), 1u);
}

using Screen = HeadlessTest;

TEST_F(Screen, WindowsCompositeInShowOrderWithTopmostAbove) {
    Recorder a, b, top;
    a.fill = kRed, b.fill = kBlue, top.fill = kBlack;
    auto wa = MakeWindow(a, {10, 10, 50, 50});
    auto wb = MakeWindow(b, {30, 30, 70, 70});
    auto wt = MakeWindow(top, {45, 45, 55, 55}, true);
    EXPECT_EQ(headless::ScreenPicture().Pixel(40, 40), kWhite);  // hidden windows show nothing
    wt->Show(WindowState::Normal);
    wa->Show(WindowState::Normal);
    wb->Show(WindowState::Normal);
    Picture s = CaptureScreen({0, 0, 100, 100});
    EXPECT_EQ(s.Pixel(20, 20), kRed);
    EXPECT_EQ(s.Pixel(40, 40), kBlue);
    EXPECT_EQ(s.Pixel(50, 50), kBlack);
    EXPECT_EQ(s.Pixel(60, 60), kBlue);
    EXPECT_EQ(s.Pixel(70, 70), kWhite);
    wa->Show(WindowState::Normal);  // to the front, still under the topmost one
    s = CaptureScreen({0, 0, 100, 100});
    EXPECT_EQ(s.Pixel(40, 40), kRed);
    EXPECT_EQ(s.Pixel(46, 46), kBlack);
    EXPECT_EQ(headless::FocusedWindow(), wa->Hwnd());
    wa->Show(WindowState::Maximized);
    EXPECT_EQ(wa->Bounds(), (Rect{0, 0, 1920, 1080}));
    wa->Show(WindowState::Normal);
    EXPECT_EQ(wa->Bounds(), (Rect{10, 10, 50, 50}));
}

TEST_F(Screen, CapturePaintsInvalidWindowsFirstAndPaintIsClipped) {
    Recorder a;
    auto w = MakeWindow(a, {0, 0, 20, 20});
    w->Show(WindowState::Normal);
    EXPECT_EQ(a.paints, 0);
    Picture shot = CaptureScreen({5, 5, 25, 25});
    EXPECT_EQ(a.paints, 1);
    EXPECT_EQ(shot.Pixel(14, 14), kRed);
    EXPECT_EQ(shot.Pixel(15, 15), kWhite);
    a.fill = kBlue;
    w->Invalidate({2, 2, 4, 4});
    w->Update();
    w->Update();  // nothing left to paint
    EXPECT_EQ(a.paints, 2);
    EXPECT_EQ(a.lastDirty, (Rect{2, 2, 4, 4}));
    Picture shown = headless::Shown(w->Hwnd());
    EXPECT_EQ(RowOf(shown, 3, kBlue), "..##................");
    EXPECT_EQ(CaptureScreen({1915, 1075, 1925, 1085}).Pixel(9, 9), kBlack);  // off the screen
}

TEST_F(Screen, ClipboardGrabsAreCopiesAndZeroSizeStillReplaces) {
    Picture screen = Picture::Create(100, 100, kBlue);
    headless::SetScreen(screen);
    ASSERT_TRUE(ClipboardPutScreenRect({10, 10, 40, 30}));
    Picture got = ClipboardGetPicture();
    EXPECT_EQ(got.Width(), 30);
    EXPECT_TRUE(SamePixels(got, Picture::Create(30, 20, kBlue)));
    ASSERT_TRUE(ClipboardPutScreenRect({10, 10, 10, 30}));
    EXPECT_TRUE(SamePixels(ClipboardGetPicture(), Picture::Create(1, 1, kBlack)));
    EXPECT_EQ(headless::ClipboardWrites(), 2);
    headless::SetClipboardBusy(true);
    EXPECT_FALSE(ClipboardPutScreenRect({0, 0, 5, 5}));
    EXPECT_FALSE(ClipboardPutPicture(screen));
    EXPECT_EQ(ClipboardGetPicture().Width(), 1);
    EXPECT_EQ(headless::ClipboardWrites(), 2);
}

TEST_F(Screen, ResourceCountsFollowPicturesAndWindows) {
    const ResourceCounts before = CurrentResourceCounts();
    {
        Recorder r;
        Picture p = Picture::Create(3, 3);
        auto w = MakeWindow(r, {0, 0, 10, 10});
        EXPECT_EQ(CurrentResourceCounts().gdiObjects, before.gdiObjects + 1);  // window surfaces are not ours
        EXPECT_EQ(CurrentResourceCounts().userObjects, before.userObjects + 1);
        ASSERT_TRUE(ClipboardPutPicture(p));
        EXPECT_EQ(CurrentResourceCounts().gdiObjects, before.gdiObjects + 1);
    }
    EXPECT_EQ(CurrentResourceCounts(), before);
}

using Timers = HeadlessTest;

TEST_F(Timers, FireInTimeOrderAndMayKillThemselvesOrOthers) {
    Recorder r;
    auto w = MakeWindow(r, {0, 0, 10, 10});
    w->SetTimer(1, 30);
    w->SetTimer(2, 20);
    headless::AdvanceClock(60);
    EXPECT_EQ(r.log, (std::vector<std::string>{"t2@20", "t1@30", "t2@40", "t1@60", "t2@60"}));
    r.log.clear();
    // Both due at 120: the one set first runs and kills the other.
    r.tick = [&](int id) {
        if (headless::Now() == 120) w->KillTimer(id == 1 ? 2 : 1);
    };
    headless::AdvanceClock(60);
    EXPECT_EQ(r.log, (std::vector<std::string>{"t2@80", "t1@90", "t2@100", "t1@120"}));
    EXPECT_EQ(headless::TimerInterval(w->Hwnd(), 1), 30);
    EXPECT_EQ(headless::TimerInterval(w->Hwnd(), 2), 0);
    r.log.clear();
    r.tick = [&](int id) { w->KillTimer(id); };
    headless::AdvanceClock(1000);
    EXPECT_EQ(r.log, (std::vector<std::string>{"t1@150"}));
    EXPECT_EQ(headless::Now(), 1120);
}

TEST_F(Timers, AWindowDestroyedInItsTickStopsTicking) {
    Recorder r;
    auto w = MakeWindow(r, {0, 0, 10, 10});
    w->SetTimer(7, 5);  // raised to the system's 10 ms minimum
    r.tick = [&](int) { w.reset(); };
    headless::AdvanceClock(100);
    EXPECT_EQ(r.log, (std::vector<std::string>{"t7@10"}));
}

TEST_F(Timers, WaitingRunsPendingPaintsThenTheIdleHandlerThenTheNextTimer) {
    Recorder r;
    auto w = MakeWindow(r, {0, 0, 10, 10});
    w->Show(WindowState::Normal);
    WaitForEvents();  // returns at once: the first paint is pending
    EXPECT_EQ(r.paints, 0);
    DoEvents();
    w->SetTimer(3, 250);
    WaitForEvents();
    EXPECT_EQ(r.log, (std::vector<std::string>{"t3@250"}));
    int waits = 0;
    headless::SetIdleHandler([&] { ++waits, headless::KeyPress(w->Hwnd(), 'a'); });
    WaitForEvents();
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(r.log.back(), "char 97");
    EXPECT_EQ(headless::Now(), 250);
    headless::SetIdleHandler(nullptr);
    w->KillTimer(3);
    EXPECT_DEATH(WaitForEvents(), "would never end");
}

using Input = HeadlessTest;

TEST_F(Input, DoubleClickArrivesInTheSystemOrderAndMovesTheCursor) {
    Recorder r;
    auto w = MakeWindow(r, {100, 50, 200, 150});
    EXPECT_FALSE(headless::MouseDown(w->Hwnd(), kLeftButton, 1, 1));  // hidden
    w->Show(WindowState::Normal);
    ASSERT_TRUE(headless::DoubleClick(w->Hwnd(), kLeftButton, 7, 9));
    ASSERT_TRUE(headless::KeyDown(w->Hwnd(), 27, kShiftMask));
    EXPECT_EQ(r.log, (std::vector<std::string>{"down 1 7,9", "up 1 7,9", "dbl 1 7,9", "up 1 7,9", "key 27/1"}));
    EXPECT_EQ(CursorPos(), (Point{107, 59}));
    EXPECT_EQ(r.paints, 1);  // the injection let the pending paint run
}

TEST_F(Input, SystemCloseAsksTheOwnerThenDestroys) {
    Recorder r;
    r.refuseClose = true;
    auto w = MakeWindow(r, {0, 0, 10, 10});
    const Handle h = w->Hwnd();
    EXPECT_FALSE(headless::CloseWindow(h));
    EXPECT_FALSE(r.destroyed);
    r.refuseClose = false;
    EXPECT_TRUE(headless::CloseWindow(h));
    EXPECT_TRUE(r.destroyed);
    EXPECT_FALSE(headless::Exists(h));
    w->Show(WindowState::Normal);  // the dead window stays off the screen
    EXPECT_EQ(CaptureScreen({0, 0, 10, 10}).Pixel(5, 5), kWhite);
}

}  // namespace
