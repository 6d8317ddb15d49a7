// Control arrays loaded and unloaded at run time, the list and scroll
// bookkeeping of the new kinds, and tooltips following their controls, on
// the headless backend (what the system itself does is proved in tests/win).
#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "tests/unit/native_input.h"
#include "platform/toolkit/native_controls.h"
#include "platform/services/system.h"
#include "tests/unit/headless_fixture.h"

namespace {

class Slots : public plat::Form {
public:
    Slots() : plat::Form(plat::WindowStyle{L"slots", {0, 0, 400, 300}}), PicFrame5(*this, 1), Cmd(*this, 1) {
        SetScaleMode(plat::ScaleMode::Pixels);
        plat::Label& first = PicFrame5[0];
        first.Move(10, 20, 30, 40);
        first.SetCaption(L"slot");
        first.BackColor = plat::Rgb(1, 2, 3);
        first.SetToolTipText(L"a slot");
        PicFrame5.SetWiring([this](plat::Label& l, int i) {
            l.MouseDown = [this, i, &l](const plat::MouseArgs&) {
                clicked.push_back(i);
                if (unloadOnClick) PicFrame5.Unload(i);
                touched.push_back(l.Caption());  // still a whole object while its own handler runs
            };
        });
        Cmd[0].Move(200, 10, 60, 24);
        Cmd[0].SetCaption(L"Go");
    }
    plat::ControlArray<plat::Label> PicFrame5;
    plat::ControlArray<plat::CommandButton> Cmd;
    std::vector<int> clicked;
    std::vector<std::wstring> touched;
    bool unloadOnClick = false;
};

using ControlArrays = HeadlessTest;

TEST_F(ControlArrays, LoadCopiesElementZeroHiddenWithSparseIndexesAndUnloadRemoves) {
    Slots f;
    f.Show();
    EXPECT_FALSE(f.PicFrame5.Load(0));  // taken
    EXPECT_FALSE(f.PicFrame5.Load(-1));
    ASSERT_TRUE(f.PicFrame5.Load(2));
    ASSERT_TRUE(f.PicFrame5.Load(5));
    EXPECT_EQ(f.PicFrame5.Count(), 3);
    EXPECT_EQ(f.PicFrame5.LBound(), 0);
    EXPECT_EQ(f.PicFrame5.UBound(), 5);
    EXPECT_FALSE(f.PicFrame5.Exists(3));
    std::vector<int> order;
    for (plat::Label& l : f.PicFrame5) order.push_back(l.Index());
    EXPECT_EQ(order, (std::vector<int>{0, 2, 5}));

    const plat::Label& made = f.PicFrame5[5];
    EXPECT_FALSE(made.Visible());
    EXPECT_EQ(made.Bounds(), (plat::Rect{10, 20, 40, 60}));
    EXPECT_EQ(made.Caption(), L"slot");
    EXPECT_EQ(made.BackColor, plat::Rgb(1, 2, 3));
    EXPECT_EQ(made.ToolTipText(), L"a slot");

    // Native elements copy their caption and get their own child window, hidden.
    ASSERT_TRUE(f.Cmd.Load(1));
    auto child = fake_native::Child(f.Cmd[1]);
    ASSERT_TRUE(child);
    EXPECT_EQ(child->text, L"Go");
    EXPECT_FALSE(child->visible);
    EXPECT_NE(f.Cmd[1].NativeHandle(), f.Cmd[0].NativeHandle());

    EXPECT_FALSE(f.PicFrame5.Unload(0)) << "made with the array";
    EXPECT_FALSE(f.PicFrame5.Unload(3));
    EXPECT_TRUE(f.PicFrame5.Unload(2));
    EXPECT_FALSE(f.PicFrame5.Exists(2));
    EXPECT_EQ(f.PicFrame5.Count(), 2);
    EXPECT_EQ(f.Children().size(), 4u) << "the unloaded element left its form";
    EXPECT_TRUE(f.PicFrame5.Load(2)) << "the index can be loaded again";
    f.Unload();
}

TEST_F(ControlArrays, HandlersReceiveTheIndexAndAnElementUnloadedInItsOwnHandlerIsFreedAfterIt) {
    Slots f;
    f.Show();
    f.PicFrame5.Load(3);
    f.PicFrame5[3].Move(100, 100, 20, 20);
    f.PicFrame5[3].SetVisible(true);
    const plat::Handle h = f.hWnd();
    headless::MouseDown(h, plat::kLeftButton, 15, 25);
    headless::MouseUp(h, plat::kLeftButton, 15, 25);
    f.unloadOnClick = true;
    headless::MouseDown(h, plat::kLeftButton, 105, 105);  // element 3 unloads itself
    headless::MouseUp(h, plat::kLeftButton, 105, 105);
    plat::DoEvents();
    EXPECT_EQ(f.clicked, (std::vector<int>{0, 3}));
    EXPECT_EQ(f.touched, (std::vector<std::wstring>{L"slot", L"slot"}));
    EXPECT_FALSE(f.PicFrame5.Exists(3));
    EXPECT_EQ(f.Children().size(), 2u) << "freed once the handler returned";
    f.Unload();
}

class Kinds : public plat::Form {
public:
    Kinds()
        : plat::Form(plat::WindowStyle{L"kinds", {0, 0, 400, 300}}),
          lst(*this),
          Combo1(*this),
          bar(*this, false),
          frame(*this),
          inner(frame),
          ad(*this) {
        frame.Move(50, 60, 200, 100);
        inner.Move(10, 20, 30, 40);
    }
    plat::ListBox lst;
    plat::ComboBox Combo1;
    plat::ScrollBar bar;
    plat::Frame frame;
    plat::Label inner;
    plat::TextBox ad;
};

using NativeKinds = HeadlessTest;

TEST_F(NativeKinds, ListEntriesKeepTicksAndChoiceAcrossInsertsAndRemovals) {
    Kinds f;
    f.Show();
    std::vector<int> checks;
    int clicks = 0;
    f.lst.ItemCheck = [&](int i) { checks.push_back(i); };
    f.lst.Click = [&] { ++clicks; };
    for (const wchar_t* s : {L"a", L"b", L"c"}) f.lst.AddItem(s);
    ASSERT_TRUE(fake_native::ClickTick(f.lst, 2));
    ASSERT_TRUE(fake_native::Choose(f.lst, 1));
    EXPECT_EQ(checks, std::vector<int>{2});
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(fake_native::Choose(f.lst, 1));
    EXPECT_EQ(clicks, 1) << "the same choice again is no new Click";

    f.lst.AddItem(L"first", 0);
    EXPECT_EQ(f.lst.ListIndex(), 2);
    EXPECT_TRUE(f.lst.Selected(3));
    EXPECT_EQ(f.lst.Text(), L"b");
    f.lst.RemoveItem(2);
    EXPECT_EQ(f.lst.ListIndex(), -1);
    EXPECT_TRUE(f.lst.Selected(2));
    EXPECT_EQ(fake_native::Child(f.lst)->items, (std::vector<std::wstring>{L"first", L"a", L"c"}));
    f.lst.RemoveItem(7);  // out of range: nothing
    EXPECT_EQ(f.lst.ListCount(), 3);
    EXPECT_EQ(f.lst.List(9), L"");

    // A choice made from code clicks too; an index out of range changes nothing.
    int comboClicks = 0;
    f.Combo1.Click = [&] { ++comboClicks; };
    f.Combo1.AddItem(L"4");
    f.Combo1.SetListIndex(0);
    f.Combo1.SetListIndex(5);
    EXPECT_EQ(comboClicks, 1);
    EXPECT_EQ(fake_native::Child(f.Combo1)->listIndex, 0);
    f.Combo1.Clear();
    EXPECT_EQ(f.Combo1.ListIndex(), -1);
    EXPECT_EQ(f.Combo1.Text(), L"");
}

TEST_F(NativeKinds, ScrollTargetsStayInRangeEitherWay) {
    plat::ScrollRange r{0, 100, 95, 5, 20};
    using A = plat::ScrollAction;
    EXPECT_EQ(plat::ScrollTarget(r, A::LineForward, 0), 100);
    EXPECT_EQ(plat::ScrollTarget(r, A::PageForward, 0), 100);
    EXPECT_EQ(plat::ScrollTarget(r, A::PageBack, 0), 75);
    EXPECT_EQ(plat::ScrollTarget(r, A::Track, 250), 100);
    EXPECT_EQ(plat::ScrollTarget(r, A::First, 0), 0);
    const plat::ScrollRange backwards{100, 0, 10, 5, 20};
    EXPECT_EQ(plat::ScrollTarget(backwards, A::LineForward, 0), 5);
    EXPECT_EQ(plat::ScrollTarget(backwards, A::PageBack, 0), 30);
    EXPECT_EQ(plat::ScrollTarget(backwards, A::Last, 0), 0);

    Kinds f;
    f.Show();
    std::vector<int> seen;
    f.bar.Change = [&] { seen.push_back(f.bar.Value()); };
    f.bar.SetMax(50);
    f.bar.SetLargeChange(30);
    ASSERT_TRUE(fake_native::Scroll(f.bar, A::PageForward));
    ASSERT_TRUE(fake_native::Scroll(f.bar, A::PageForward));
    ASSERT_TRUE(fake_native::Scroll(f.bar, A::PageForward));  // at the end: no move
    f.bar.SetMax(20);                                          // the value follows the range
    EXPECT_EQ(seen, (std::vector<int>{30, 50, 20}));
    EXPECT_EQ(fake_native::Child(f.bar)->scroll.value, 20);
}

TEST_F(NativeKinds, FramesPlaceTheirControlsAndTipsFollowTheirControls) {
    Kinds f;
    f.Show();
    EXPECT_EQ(f.inner.BoundsInForm(), (plat::Rect{60, 80, 90, 120}));
    f.inner.SetToolTipText(L"inside");
    f.ad.SetToolTipText(L"news");
    EXPECT_EQ(fake_native::ToolTip(f.inner)->rect, (plat::Rect{60, 80, 90, 120}));
    EXPECT_EQ(fake_native::ToolTip(f.ad)->child, f.ad.NativeHandle());
    f.frame.Move(0, 0);
    EXPECT_EQ(fake_native::ToolTip(f.inner)->rect, (plat::Rect{10, 20, 40, 60})) << "moved with its frame";
    f.frame.SetVisible(false);
    EXPECT_FALSE(fake_native::ToolTip(f.inner)) << "nothing to hover while hidden";
    f.frame.SetVisible(true);
    EXPECT_EQ(fake_native::ToolTip(f.inner)->text, L"inside");
    f.inner.SetToolTipText(L"");
    EXPECT_FALSE(fake_native::ToolTip(f.inner));

    // Line queries without a system answer from the scripted lines, and nothing past them.
    ASSERT_TRUE(fake_native::ScriptLines(f.ad, {L"ab ", L"cd"}));
    EXPECT_EQ(f.ad.LineIndex(1), 3);
    EXPECT_EQ(f.ad.LineLength(4), 2);
    EXPECT_EQ(f.ad.GetLine(2), L"");
    f.Unload();
    EXPECT_EQ(f.ad.LineCount(), 0);
    EXPECT_EQ(f.ad.LineIndex(0), -1);
}

}  // namespace
