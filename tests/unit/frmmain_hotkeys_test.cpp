// The main window's hotkey configuration on the headless backend: loading,
// key capture, the two mode check boxes, saving and applying.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/forms.h"
#include "platform/services/hotkey_service.h"
#include "platform/services/system.h"
#include "platform/headless/fake_hotkeys.h"
#include "tests/unit/native_input.h"
#include "platform/headless/fake_profile.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/headless.h"
#include "logo/sss.h"
#include "shell/frm_main.h"
#include "shell/rwini.h"

namespace {

using fake_hotkeys::Registration;

constexpr int kAlt = plat::hotkeys::kModAlt, kCtrl = plat::hotkeys::kModControl, kShift = plat::hotkeys::kModShift;

using Rows = std::vector<std::wstring>;  // the [HotKey] values 0, 1, ... in order

// The hotkeys of the shipped a.ini (its bytes are read by the real platform in tests/win).
const Rows kShipped{L"81,0,-1,0", L"65,0,-1,0", L"90,0,-1,0", L"88,0,-1,0", L"46,0,0,0", L"46,0,0,0"};
const Rows kAllDefaults(6, L"46,0,0,0");

struct Press {
    std::int32_t number, keyCode;
    bool ctrl, alt, shift;
    friend bool operator==(const Press&, const Press&) = default;
};

class MainHotKeys : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
    }
    void TearDown() override {
        plat::UnloadForm<frmMain>();
        plat::UnloadForm<sss>();
        plat::DoEvents();
        fake_hotkeys::Reset();
    }

    // Starts the program's main window with these hotkey rows in a.ini ({} for no file).
    frmMain& Start(const Rows& rows) {
        for (size_t i = 0; i < rows.size(); ++i)
            fake_profile::SetValue(rwini::IniPath(), L"HotKey", std::to_wstring(i), rows[i]);
        frmMain& f = plat::Forms<frmMain>();
        f.Show();
        f.FinishStartUp();  // as its timer does after the first paint
        f.cHK->HotKeyPress = [this](std::int32_t n, std::int32_t key, bool c, bool a, bool s) {
            presses_.push_back({n, key, c, a, s});
        };
        return f;
    }

    static std::vector<std::wstring> Texts(frmMain& f) {
        std::vector<std::wstring> t;
        for (int i = 0; i < f.txtHotKey.Count(); ++i) t.push_back(f.txtHotKey[i].Text());
        return t;
    }
    static std::vector<std::wstring> Tags(frmMain& f) {
        std::vector<std::wstring> t;
        for (int i = 0; i < f.txtHotKey.Count(); ++i) t.push_back(f.txtHotKey[i].Tag);
        return t;
    }
    // Every box enabled (1), every box disabled (0), or mixed (-1); the child windows agree.
    static int BoxesEnabled(frmMain& f) {
        int on = 0;
        for (int i = 0; i < f.txtHotKey.Count(); ++i) {
            const bool e = f.txtHotKey[i].Enabled();
            EXPECT_EQ(fake_native::Child(f.txtHotKey[i])->enabled, e);
            on += e;
        }
        return on == f.txtHotKey.Count() ? 1 : on == 0 ? 0 : -1;
    }
    static std::vector<std::pair<int, int>> Registered() {
        std::vector<std::pair<int, int>> r;
        for (const Registration& reg : fake_hotkeys::Registrations()) r.emplace_back(reg.modifiers, reg.keyCode);
        return r;
    }
    // The six stored hotkey values ("(none)" for a missing one).
    static Rows Stored() {
        Rows r;
        for (int i = 0; i < 6; ++i)
            r.push_back(fake_profile::Value(rwini::IniPath(), L"HotKey", std::to_wstring(i)).value_or(L"(none)"));
        return r;
    }
    static int HotKeyWrites() {
        int n = 0;
        for (const auto& a : fake_profile::Log()) n += a.write && a.section == L"HotKey";
        return n;
    }

    // The user's next actions inside the hotkey loop, one per idle wait; the
    // last one must stop the loop.
    void Script(std::vector<std::function<void()>> steps) {
        auto queue = std::make_shared<std::deque<std::function<void()>>>(steps.begin(), steps.end());
        headless::SetIdleHandler([queue] {
            if (queue->empty()) {
                ADD_FAILURE() << "the hotkey loop did not stop";
                plat::QuitMessageLoop(1);
                return;
            }
            auto step = queue->front();
            queue->pop_front();
            step();
        });
    }

    std::vector<Press> presses_;
};

const std::vector<std::pair<int, int>> kShippedKeys{{kAlt, 81}, {kAlt, 65}, {kAlt, 90}, {kAlt, 88}};
// Registered after the rows: the region hotkey with Shift ("snip the last region again").
const std::vector<std::pair<int, int>> kShippedKeysAndRepeat{
    {kAlt, 81}, {kAlt, 65}, {kAlt, 90}, {kAlt, 88}, {kAlt | kShift, 81}};

TEST_F(MainHotKeys, FirstRunShowsNoHotkeysAndWritesNothing) {
    frmMain& f = Start({});
    EXPECT_EQ(Texts(f), std::vector<std::wstring>(6, L"Not set hotkey"));
    EXPECT_EQ(Tags(f), std::vector<std::wstring>(6, L"46,0,0,0"));
    EXPECT_EQ(Stored(), Rows(6, L"(none)"));  // the user changed nothing: no file is made
    EXPECT_TRUE(Registered().empty());
    EXPECT_EQ(f.HotKeyIds, std::vector<std::int32_t>(6, -1));
    EXPECT_EQ(headless::TimerInterval(f.hWnd(), 1), 0);  // nothing to serve: no loop armed
    // The logo path, the keys in index order, then (after the first paint)
    // the library's eight.
    const auto& log = fake_profile::Log();
    ASSERT_EQ(log.size(), 15u);
    EXPECT_EQ(log[0], (fake_profile::Access{false, L"logo", L"logo", L"logo"}));
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(log[1 + i], (fake_profile::Access{false, L"HotKey", std::to_wstring(i), L""}));
    for (size_t k = 0; k < 8; ++k) {
        const std::wstring b = L"b" + std::to_wstring(k);
        EXPECT_EQ(log[7 + k], (fake_profile::Access{false, b, b, b}));
    }
}

TEST_F(MainHotKeys, TheShippedSettingsRegisterTheFourRowsInOrder) {
    frmMain& f = Start(kShipped);
    EXPECT_EQ(Texts(f), (std::vector<std::wstring>{L"Alt + Q", L"Alt + A", L"Alt + Z", L"Alt + X", L"Not set hotkey",
                                                   L"Not set hotkey"}));
    EXPECT_EQ(Tags(f)[0], L"81,0,-1,0");
    EXPECT_EQ(Registered(), kShippedKeysAndRepeat);
    EXPECT_EQ(f.HotKeyIds, (std::vector<std::int32_t>{1, 2, 3, 4, -1, -1}));
    EXPECT_EQ(HotKeyWrites(), 0);  // nothing needed writing
    // Use mode at start: boxes disabled, labels beside them.
    EXPECT_EQ(f.optSetHotKey.Value(), 0);
    EXPECT_EQ(f.optTestHotKey.Value(), 1);
    EXPECT_EQ(BoxesEnabled(f), 0);
    EXPECT_EQ(f.lblHotKey[0].Caption(), L"\u2190snip ");
    EXPECT_EQ(f.lblHotKey[3].Caption(), L"\u2190window + snip + Logo");
    EXPECT_EQ(headless::Caption(f.hWnd()), L"Morrowen Snip");

    // 10 ms later the loop takes over and each row's hotkey arrives with its number.
    Script({[] { fake_hotkeys::Press(kAlt, 90); }, [] { fake_hotkeys::Press(kAlt, 81); },
            [&f] { fake_native::Click(f.optSetHotKey); }});  // edit mode stops the loop
    headless::AdvanceClock(10);
    EXPECT_EQ(presses_, (std::vector<Press>{{3, 90, false, true, false}, {1, 81, false, true, false}}));
    EXPECT_EQ(f.cHK->LoopsRunning(), 0);
}

TEST_F(MainHotKeys, EmptyBoxesAreSkippedSoTheNumbersCloseUp) {
    frmMain& f = Start({L"46,0,0,0", L"65,0,-1,0", L"90,0,-1,0", L"88,0,-1,0"});
    EXPECT_EQ(f.HotKeyIds, (std::vector<std::int32_t>{-1, 1, 2, 3, -1, -1}));
    Script({[] { fake_hotkeys::Press(kAlt, 65); }, [] { fake_hotkeys::Press(kAlt, 88); },
            [&f] { fake_native::Click(f.optSetHotKey); }});
    headless::AdvanceClock(10);
    EXPECT_EQ(presses_, (std::vector<Press>{{1, 65, false, true, false}, {3, 88, false, true, false}}));
}

TEST_F(MainHotKeys, KeysPressedInAnEnabledBoxBecomeItsHotkey) {
    frmMain& f = Start({});
    plat::TextBox& box = f.txtHotKey[0];
    EXPECT_FALSE(fake_native::KeyDown(box, 81, plat::kAltMask));  // use mode: boxes disabled
    EXPECT_EQ(box.Text(), L"Not set hotkey");

    ASSERT_TRUE(fake_native::Click(f.optSetHotKey));
    struct Step {
        int key, shift;
        std::wstring text, tag;
    };
    const Step steps[] = {
        {17, plat::kCtrlMask, L"Ctrl", L"17,-1,0,0"},  // Ctrl goes down first...
        {81, plat::kCtrlMask, L"Ctrl + Q", L"81,-1,0,0"},  // ...then Q while it is held
        {46, plat::kCtrlMask, L"Not set hotkey", L"46,-1,0,0"},
        {46, 0, L"Not set hotkey", L"46,0,0,0"},
        {8, plat::kShiftMask, L"Not set hotkey", L"8,0,0,-1"},
        {18, plat::kAltMask, L"Alt", L"18,0,-1,0"},
        {32, plat::kShiftMask, L"Shift", L"32,0,0,-1"},
        {114, plat::kCtrlMask | plat::kAltMask, L"Ctrl + Alt + F3", L"114,-1,-1,0"},
        {113, plat::kCtrlMask | plat::kShiftMask, L"Ctrl + Shift + F2", L"113,-1,0,-1"},
        {81, 0, L"(ALT+? or CTRL+? or SHIFT+? )", L"81,0,0,0"},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(fake_native::KeyDown(box, s.key, s.shift));
        EXPECT_EQ(box.Text(), s.text) << s.key;
        EXPECT_EQ(box.Tag, s.tag) << s.key;
        EXPECT_EQ(fake_native::Child(box)->text, s.text);  // what the child window shows
    }
    // Typing does not change a box: only key-downs do.
    EXPECT_FALSE(fake_native::Type(box, L"hello"));
    EXPECT_EQ(f.txtHotKey[1].Text(), L"Not set hotkey");  // other boxes untouched
}

TEST_F(MainHotKeys, ACapturedHotkeyIsSavedAndRegisteredWhenUseModeIsChosen) {
    frmMain& f = Start(kShipped);
    fake_native::Click(f.optSetHotKey);
    fake_native::KeyDown(f.txtHotKey[0], 113, plat::kCtrlMask | plat::kShiftMask);
    fake_native::KeyDown(f.txtHotKey[5], 55, plat::kAltMask);
    fake_native::Click(f.optTestHotKey);

    EXPECT_EQ(Stored(), (Rows{L"113,-1,0,-1", L"65,0,-1,0", L"90,0,-1,0", L"88,0,-1,0", L"46,0,0,0", L"55,0,-1,0"}));
    EXPECT_EQ(Registered(), (std::vector<std::pair<int, int>>{
                                {kCtrl | kShift, 113}, {kAlt, 65}, {kAlt, 90}, {kAlt, 88}, {kAlt, 55}}));
    EXPECT_EQ(f.HotKeyIds, (std::vector<std::int32_t>{1, 2, 3, 4, -1, 5}));
}

// The six rows of the mode table, from the start state (edit off, use on).
TEST_F(MainHotKeys, ModeCheckBoxesFollowTheirTransitionTable) {
    frmMain& f = Start(kShipped);
    auto state = [&f] { return std::make_pair(f.optSetHotKey.Value(), f.optTestHotKey.Value()); };
    auto mark = [] {
        fake_profile::ClearLog();
        return fake_hotkeys::RegisterCalls();
    };

    // E off, U on: check E -> E on, U off; enabled; unregistered; saved and applied once on the way.
    int calls = mark();
    fake_native::Click(f.optSetHotKey);
    EXPECT_EQ(state(), std::make_pair(1, 0));
    EXPECT_EQ(BoxesEnabled(f), 1);
    EXPECT_TRUE(Registered().empty());
    EXPECT_EQ(HotKeyWrites(), 6);
    EXPECT_EQ(fake_hotkeys::RegisterCalls(), calls + 5);

    // E on, U off: check U -> E off, U on; saved; disabled; applied.
    calls = mark();
    fake_native::Click(f.optTestHotKey);
    EXPECT_EQ(state(), std::make_pair(0, 1));
    EXPECT_EQ(BoxesEnabled(f), 0);
    EXPECT_EQ(Registered(), kShippedKeysAndRepeat);
    EXPECT_EQ(HotKeyWrites(), 6);

    // E off, U on: uncheck U -> both off; saved; disabled; applied.
    mark();
    fake_native::Click(f.optTestHotKey);
    EXPECT_EQ(state(), std::make_pair(0, 0));
    EXPECT_EQ(BoxesEnabled(f), 0);
    EXPECT_EQ(Registered(), kShippedKeysAndRepeat);
    EXPECT_EQ(HotKeyWrites(), 6);

    // E off, U off: check E -> E on; enabled; unregistered; nothing saved.
    mark();
    fake_native::Click(f.optSetHotKey);
    EXPECT_EQ(state(), std::make_pair(1, 0));
    EXPECT_EQ(BoxesEnabled(f), 1);
    EXPECT_TRUE(Registered().empty());
    EXPECT_EQ(HotKeyWrites(), 0);

    // E on, U off: uncheck E -> both off; disabled; unregistered; nothing saved.
    fake_native::KeyDown(f.txtHotKey[0], 66, plat::kAltMask);  // an edit that stays unsaved
    calls = mark();
    fake_native::Click(f.optSetHotKey);
    EXPECT_EQ(state(), std::make_pair(0, 0));
    EXPECT_EQ(BoxesEnabled(f), 0);
    EXPECT_TRUE(Registered().empty());
    EXPECT_EQ(HotKeyWrites(), 0);
    EXPECT_EQ(fake_hotkeys::RegisterCalls(), calls);

    // E off, U off: check U -> U on; saved; disabled; applied (the edit included).
    mark();
    fake_native::Click(f.optTestHotKey);
    EXPECT_EQ(state(), std::make_pair(0, 1));
    EXPECT_EQ(BoxesEnabled(f), 0);
    EXPECT_EQ(Registered(), (std::vector<std::pair<int, int>>{
                                {kAlt, 66}, {kAlt, 65}, {kAlt, 90}, {kAlt, 88}, {kAlt | kShift, 66}}));
    EXPECT_EQ(HotKeyWrites(), 6);
}

// A refusal (another program holds the combination, or an earlier row has
// it) keeps the stored form: saving writes it back unchanged, the user is
// told once which rows failed, and the next apply tries them again.
TEST_F(MainHotKeys, ARefusedHotkeyKeepsItsStoredFormAndTheUserIsToldOnce) {
    fake_hotkeys::SetTaken(kAlt, 90, true);  // another program holds Alt+Z
    const Rows ini{L"81,0,-1,0", L"65,0,-1,0", L"90,0,-1,0", L"81,0,-1,0", L"46,0,0,0", L"46,0,0,0"};
    frmMain& f = Start(ini);
    EXPECT_EQ(Texts(f), (std::vector<std::wstring>{L"Alt + Q", L"Alt + A", L"Alt + Z (in use)",
                                                   L"Alt + Q (in use)", L"Not set hotkey", L"Not set hotkey"}));
    EXPECT_EQ(Tags(f)[2], L"90,0,-1,0");
    EXPECT_EQ(Tags(f)[3], L"81,0,-1,0");
    EXPECT_EQ(f.HotKeyIds, (std::vector<std::int32_t>{1, 2, -1, -1, -1, -1}));
    EXPECT_EQ(Registered(), (std::vector<std::pair<int, int>>{{kAlt, 81}, {kAlt, 65}, {kAlt | kShift, 81}}));
    ASSERT_EQ(plat::fake::Balloons().size(), 1u);
    EXPECT_EQ(plat::fake::Balloons()[0].text,
              L"Alt + Z (window snip) is taken by another program.\n"
              L"Alt + Q (window snip with logo) is already used by region snip.");
    EXPECT_TRUE(headless::MessageBoxes().empty());

    fake_profile::ClearLog();
    f.cmdSave_Click();
    EXPECT_EQ(HotKeyWrites(), 6);
    EXPECT_EQ(Stored(), ini);

    // The other program lets go; the next apply registers the row and says nothing more.
    fake_hotkeys::SetTaken(kAlt, 90, false);
    fake_native::Click(f.optSetHotKey);
    fake_native::Click(f.optTestHotKey);
    EXPECT_EQ(Texts(f)[2], L"Alt + Z");
    EXPECT_EQ(f.HotKeyIds[2], 3);
    ASSERT_EQ(plat::fake::Balloons().size(), 2u);  // row 3 still repeats row 0
    EXPECT_EQ(plat::fake::Balloons()[1].text, L"Alt + Q (window snip with logo) is already used by region snip.");
    EXPECT_EQ(Stored(), ini);
}

TEST_F(MainHotKeys, HandEditedFlagsShowTheHintButRegisterAnyNonZeroFlag) {
    frmMain& f = Start({L"81,1,0,0", L"87,0,0,0"});
    EXPECT_EQ(f.txtHotKey[0].Text(), L"(ALT+? or CTRL+? or SHIFT+? )");
    EXPECT_EQ(f.txtHotKey[1].Text(), L"(ALT+? or CTRL+? or SHIFT+? )");
    // 81,1,0,0 is Ctrl+Q to the platform; the hint box 87,0,0,0 is W without modifiers.
    EXPECT_EQ(Registered(), (std::vector<std::pair<int, int>>{{kCtrl, 81}, {0, 87}, {kCtrl | kShift, 81}}));
    EXPECT_EQ(f.txtHotKey[0].Tag, L"81,1,0,0");
}

TEST_F(MainHotKeys, MalformedStoredFormsCountAsNoHotkeyAndRegisterNothing) {
    const Rows ini{L"81,0,-1", L"Q,0,-1,0", L"99999999999,0,-1,0", L"100000,-1,0,0", L"0,-1,0,0", L"81;0;-1;0"};
    frmMain& f = Start(ini);
    EXPECT_EQ(Texts(f), std::vector<std::wstring>(6, L"Not set hotkey"));
    EXPECT_EQ(Tags(f), std::vector<std::wstring>(6, L"46,0,0,0"));
    EXPECT_EQ(fake_hotkeys::RegisterCalls(), 0);
    EXPECT_EQ(f.HotKeyIds, std::vector<std::int32_t>(6, -1));
    // Loading leaves the file as the user wrote it; saving replaces the values.
    EXPECT_EQ(HotKeyWrites(), 0);
    EXPECT_EQ(Stored(), ini);
    fake_native::Click(f.optTestHotKey);
    EXPECT_EQ(Stored(), kAllDefaults);
}

TEST_F(MainHotKeys, UnloadingUnregistersEverythingEvenFromInsideTheLoop) {
    frmMain& f = Start(kShipped);
    f.cHK->HotKeyPress = [this](std::int32_t n, std::int32_t key, bool c, bool a, bool s) {
        presses_.push_back({n, key, c, a, s});
        plat::UnloadForm<frmMain>();  // the window goes away while its loop is on the stack
    };
    Script({[] { fake_hotkeys::Press(kAlt, 65); }, [] { ADD_FAILURE() << "the loop outlived its window"; }});
    headless::AdvanceClock(10);
    EXPECT_EQ(presses_.size(), 1u);
    EXPECT_EQ(plat::LoadedForm<frmMain>(), nullptr);
    EXPECT_TRUE(Registered().empty());
    EXPECT_TRUE(fake_hotkeys::LiveAtoms().empty());
}

}  // namespace
