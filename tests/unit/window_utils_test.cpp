// Window utilities over the headless desktop: texts and their failure
// results, the process path, the child walk, the child under a point, the
// list helpers and the caption drag.
#include "window/window_utils.h"

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/headless/fake_window_queries.h"
#include "platform/toolkit/native_controls.h"
#include "platform/services/window_queries.h"
#include "tests/unit/headless_fixture.h"

namespace {

using plat::Handle;
using window::ChildHandles;
using window::ChildIndex;

class Probe : public plat::Form {
public:
    Probe() : plat::Form(Style()), TxtProName(*this) {}
    plat::TextBox TxtProName;
    std::function<void()> onPaint;

protected:
    void Form_Paint() override {
        if (onPaint) onPaint();
    }

private:
    static plat::WindowStyle Style() {
        plat::WindowStyle s;
        s.caption = L"probe";
        s.bounds = {10, 10, 310, 210};
        return s;
    }
};

class WindowUtils : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ChildIndex = -1;
        ChildHandles.clear();
    }
    static Handle Add(Handle parent, plat::Rect r, std::wstring cls = L"Static", std::wstring text = L"") {
        fake_windows::Window w;
        w.className = std::move(cls);
        w.text = std::move(text);
        w.rect = r;
        return fake_windows::Add(parent, w);
    }
    static std::vector<Handle> Walk(Handle h) {
        ChildIndex = -1;
        window::CollectChildren(h);
        return ChildHandles;
    }
};

TEST_F(WindowUtils, ClassNameAndCaptionOrEmptyOnAnyFailure) {
    const Handle h = Add(0, {0, 0, 100, 100}, L"Notepad", L"无标题 - Notepad");
    EXPECT_EQ(window::GetWindowInfoText(h, 0), L"Notepad");
    EXPECT_EQ(window::GetWindowInfoText(h, 1), L"无标题 - Notepad");
    EXPECT_EQ(window::GetWindowInfoText(h, 2), L"");
    EXPECT_EQ(window::GetWindowInfoText(h, -1), L"");
    fake_windows::Destroy(h);
    EXPECT_EQ(window::GetWindowInfoText(h, 0), L"");
    EXPECT_EQ(window::GetWindowInfoText(h, 1), L"");
    EXPECT_EQ(window::GetWindowInfoText(0, 0), L"");
}

TEST_F(WindowUtils, EmptyTextIsNeverAskedFor) {
    const Handle h = Add(0, {0, 0, 10, 10}, L"Edit", L"");
    EXPECT_EQ(window::GetWindowTextByMessage(h), L"");
    EXPECT_EQ(fake_windows::TextRequests(h), 0);
    fake_windows::Window w = fake_windows::Get(h);
    w.text = L"x";
    fake_windows::Update(h, w);
    EXPECT_EQ(window::GetWindowTextByMessage(h), L"x");
    EXPECT_EQ(fake_windows::TextRequests(h), 1);
}

TEST_F(WindowUtils, ProcessPathAndNameOrSystemWithAnEmptyName) {
    Probe f;
    fake_windows::SetProcess(77, L"C:\\Program Files\\Tools\\spy.exe");
    EXPECT_EQ(window::GetProcessPath(77, f.TxtProName), L"C:\\Program Files\\Tools\\spy.exe");
    EXPECT_EQ(f.TxtProName.Text(), L"spy.exe");

    // The name field is emptied, not left showing the previous process.
    EXPECT_EQ(window::GetProcessPath(4, f.TxtProName), L"SYSTEM  ");
    EXPECT_EQ(f.TxtProName.Text(), L"");
    EXPECT_EQ(window::GetProcessPath(0, f.TxtProName), L"SYSTEM  ");

    fake_windows::SetProcess(78, L"loose.exe");
    EXPECT_EQ(window::GetProcessPath(78, f.TxtProName), L"loose.exe");
    EXPECT_EQ(f.TxtProName.Text(), L"loose.exe");
}

TEST_F(WindowUtils, WalkListsChildrenThenEachChildsDescendantsInTurn) {
    const Handle top = Add(0, {0, 0, 500, 500});
    const Handle a = Add(top, {0, 0, 10, 10});
    const Handle b = Add(top, {0, 0, 10, 10});
    const Handle c = Add(top, {0, 0, 10, 10});
    const Handle a1 = Add(a, {0, 0, 10, 10});
    const Handle a2 = Add(a, {0, 0, 10, 10});
    const Handle c1 = Add(c, {0, 0, 10, 10});
    const Handle c1a = Add(c1, {0, 0, 10, 10});
    const Handle a1x = Add(a1, {0, 0, 10, 10});

    EXPECT_EQ(Walk(top), (std::vector<Handle>{a, b, c, a1, a2, a1x, c1, c1a}));
    EXPECT_EQ(ChildIndex, 7);

    // Without a reset, a walk appends.
    window::CollectChildren(c1);
    EXPECT_EQ(ChildHandles.size(), 9u);
    EXPECT_EQ(ChildHandles.back(), c1a);

    // A fresh walk of a childless window leaves nothing of the earlier walks.
    EXPECT_TRUE(Walk(b).empty());
    EXPECT_EQ(ChildIndex, -1);
    EXPECT_EQ(window::FindChildAtPoint(5, 5), 0u);
}

TEST_F(WindowUtils, WalkStopsAtTheLargestSixteenBitIndex) {
    const Handle top = Add(0, {0, 0, 500, 500});
    std::vector<Handle> children, expected;
    for (int i = 0; i < 200; ++i) children.push_back(Add(top, {}));
    expected = children;
    for (Handle ch : children)
        for (int j = 0; j < 200; ++j) expected.push_back(Add(ch, {}));
    expected.resize(window::kMaxChildHandles);

    EXPECT_EQ(Walk(top), expected);
    EXPECT_EQ(ChildIndex, 32766);

    // Full or not, the next walk starts afresh.
    EXPECT_EQ(Walk(children[3]).size(), 200u);
    EXPECT_EQ(ChildIndex, 199);
}

TEST_F(WindowUtils, PendingEventsRunBetweenSiblingsAndAWindowGoneMeanwhileEndsNothingBadly) {
    const Handle top = Add(0, {0, 0, 500, 500});
    const Handle a = Add(top, {});
    const Handle b = Add(top, {});
    const Handle c = Add(top, {});
    const Handle d = Add(top, {});
    Add(c, {});  // goes with c
    Probe f;
    f.Show();
    f.Invalidate({0, 0, 50, 50});
    int paints = 0;
    f.onPaint = [&] {
        ++paints;
        fake_windows::Destroy(c);
    };
    EXPECT_EQ(Walk(top), (std::vector<Handle>{a, b, d}));
    EXPECT_EQ(paints, 1);
}

class ChildAtPoint : public WindowUtils {
protected:
    Handle Win(int left, int top, int right, int bottom) { return Add(0, {left, top, right, bottom}); }
    static Handle At(std::vector<Handle> list, int x, int y) {
        ChildHandles = std::move(list);
        ChildIndex = static_cast<std::int16_t>(ChildHandles.size() - 1);
        return window::FindChildAtPoint(x, y);
    }
};

TEST_F(ChildAtPoint, OnlyTheTrailingRunOfContainingWindowsCounts) {
    const Handle a = Win(100, 100, 200, 200);  // contains (150, 150)
    const Handle b = Win(300, 300, 400, 400);  // does not
    EXPECT_EQ(At({}, 150, 150), 0u);
    EXPECT_EQ(At({a}, 150, 150), a);
    EXPECT_EQ(At({a, b}, 150, 150), 0u);
    EXPECT_EQ(At({b, a}, 150, 150), a);
}

TEST_F(ChildAtPoint, EdgesAreOutside) {
    const Handle a = Win(100, 100, 200, 200);
    EXPECT_EQ(At({a}, 100, 150), 0u);
    EXPECT_EQ(At({a}, 150, 100), 0u);
    EXPECT_EQ(At({a}, 200, 150), 0u);
    EXPECT_EQ(At({a}, 150, 200), 0u);
    EXPECT_EQ(At({a}, 101, 101), a);
    EXPECT_EQ(At({a}, 199, 199), a);
}

TEST_F(ChildAtPoint, WithinTheRunTheLastNewLargestLeftWins) {
    const Handle outer = Win(100, 100, 400, 400);
    const Handle inner = Win(150, 150, 250, 250);
    const Handle sameLeft = Win(150, 120, 300, 300);
    const Handle away = Win(500, 500, 600, 600);
    const Handle right = Win(200, 100, 400, 400);
    EXPECT_EQ(At({outer, inner}, 200, 200), inner);
    EXPECT_EQ(At({inner, outer}, 200, 200), inner);        // a smaller Left keeps the answer
    EXPECT_EQ(At({inner, sameLeft}, 200, 200), inner);     // an equal Left is not larger
    EXPECT_EQ(At({outer, away, inner}, 200, 200), inner);  // a new run, Left above the best seen
    // The best Left survives a break in the run: a later window with a smaller
    // Left cannot answer, so nothing does.
    EXPECT_EQ(At({right, away, inner}, 220, 200), 0u);
    // Left 0 never exceeds the starting best of 0.
    const Handle atZero = Win(0, 0, 100, 100);
    EXPECT_EQ(At({atZero}, 50, 50), 0u);
}

TEST_F(ChildAtPoint, AWindowGoneCountsWithThePreviousRectangle) {
    const Handle a = Win(100, 100, 200, 200);
    const Handle b = Win(300, 300, 400, 400);
    const Handle gone = Win(100, 100, 200, 200);
    fake_windows::Destroy(gone);
    EXPECT_EQ(At({a, gone}, 150, 150), a);  // inside again, Left not larger: a stays
    EXPECT_EQ(At({b, gone}, 150, 150), 0u);
    EXPECT_EQ(At({gone, a}, 150, 150), a);  // zeros before the first rectangle
    EXPECT_EQ(At({gone}, 0, 0), 0u);
}

// The toolkit's list box shape: entry count, entry text, append, remove.
struct TestList {
    std::vector<std::wstring> items;
    int ListCount() const { return static_cast<int>(items.size()); }
    std::wstring List(int i) const { return items.at(static_cast<size_t>(i)); }
    void AddItem(const std::wstring& s) { items.push_back(s); }
    void RemoveItem(int i) { items.erase(items.begin() + i); }
};

TEST_F(WindowUtils, FindListItemMatchesWholeTextsExactly) {
    TestList list;
    EXPECT_EQ(window::FindListItem(list, L"123"), -1);
    list.items = {L"0123", L"1234", L"abc", L"123", L"123"};
    EXPECT_EQ(window::FindListItem(list, L"123"), 3);
    EXPECT_EQ(window::FindListItem(list, L"ABC"), -1);
    EXPECT_EQ(window::FindListItem(list, L"abc"), 2);
    EXPECT_EQ(window::FindListItem(list, L""), -1);
}

TEST_F(WindowUtils, SyncListItemAddsOnceAndRemovesTheFirstMatch) {
    TestList list{{L"10", L"20"}};
    window::SyncListItem(list, L"30", true);
    window::SyncListItem(list, L"30", true);
    window::SyncListItem(list, L"10", true);
    EXPECT_EQ(list.items, (std::vector<std::wstring>{L"10", L"20", L"30"}));
    list.items.push_back(L"20");
    window::SyncListItem(list, L"20", false);
    EXPECT_EQ(list.items, (std::vector<std::wstring>{L"10", L"30", L"20"}));
    window::SyncListItem(list, L"99", false);
    EXPECT_EQ(list.items.size(), 3u);
}

TEST_F(WindowUtils, DragMoveFormHandsTheCaptionPressOnlyToANormalLoadedForm) {
    Probe f;
    window::DragMoveForm(f);  // not loaded: no window to drag
    EXPECT_TRUE(fake_windows::CaptionDrags().empty());
    f.Show();
    f.SetWindowState(plat::WindowState::Maximized);
    window::DragMoveForm(f);
    EXPECT_TRUE(fake_windows::CaptionDrags().empty());
    f.SetWindowState(plat::WindowState::Normal);
    window::DragMoveForm(f);
    EXPECT_EQ(fake_windows::CaptionDrags(), (std::vector<Handle>{f.hWnd()}));
    f.Unload();
}

TEST_F(WindowUtils, SetTopmostShowsAFormWithoutTakingTheFocus) {
    Probe f, other;
    f.Load();
    other.Show();
    window::SetTopmost(f.hWnd(), true);
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(fake_windows::Topmost(f.hWnd()));
    EXPECT_EQ(headless::FocusedWindow(), other.hWnd());
    window::SetTopmost(f.hWnd(), false);
    EXPECT_FALSE(fake_windows::Topmost(f.hWnd()));
}

// The picker asks for the window under the cursor: the program's forms lie
// above other programs' windows, and a hidden or disabled child is passed over.
TEST_F(WindowUtils, WindowAtFindsTheDeepestShownChildUnderTheProgramsForms) {
    const Handle top = Add(0, {0, 0, 400, 400});
    const Handle child = Add(top, {50, 50, 150, 150});
    const Handle inner = Add(child, {60, 60, 100, 100});
    EXPECT_EQ(plat::desktop::WindowAt({70, 70}), inner);
    EXPECT_EQ(plat::desktop::WindowAt({120, 120}), child);
    EXPECT_EQ(plat::desktop::WindowAt({300, 300}), top);
    EXPECT_EQ(plat::desktop::WindowAt({500, 500}), 0u);
    fake_windows::Window w = fake_windows::Get(inner);
    w.enabled = false;
    fake_windows::Update(inner, w);
    EXPECT_EQ(plat::desktop::WindowAt({70, 70}), child);
    Probe f;  // 10, 10 to 310, 210
    f.Show();
    EXPECT_EQ(plat::desktop::WindowAt({70, 70}), f.hWnd());
    f.Hide();
    EXPECT_EQ(plat::desktop::WindowAt({120, 120}), child);
}

}  // namespace
