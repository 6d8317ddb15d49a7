// cHotKey on the headless backend: its lists, what it registers, and its loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hotkeys/chotkey.h"
#include "platform/toolkit/form.h"
#include "platform/services/hotkey_service.h"
#include "platform/services/system.h"
#include "platform/headless/fake_hotkeys.h"
#include "platform/headless/headless.h"

namespace {

using fake_hotkeys::Registration;

class HostForm : public plat::Form {
public:
    HostForm() : Form(plat::WindowStyle{L"host", {0, 0, 200, 100}}) {}
    plat::Timer Timer1{*this};
};

struct Press {
    std::int32_t number, keyCode;
    bool ctrl, alt, shift;
    int loops;
    friend bool operator==(const Press&, const Press&) = default;
};

// Everything observable about the lists, to compare before and after.
struct Lists {
    std::vector<std::int32_t> keys;
    std::vector<std::int16_t> atoms;
    std::vector<bool> ctrl, alt, shift;
    friend bool operator==(const Lists&, const Lists&) = default;
};
Lists ListsOf(const cHotKey& hk) { return {hk.HotKeyKeys, hk.HotKeyAtoms, hk.HotKeyCtrl, hk.HotKeyAlt, hk.HotKeyShift}; }

class HotKeyService : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        host_ = std::make_unique<HostForm>();
        host_->Load();
        hk_ = std::make_unique<cHotKey>();
        hk_->SetfrmHwnd(host_->hWnd());
        hk_->HotKeyPress = [this](std::int32_t n, std::int32_t key, bool c, bool a, bool s) {
            presses_.push_back({n, key, c, a, s, hk_ ? hk_->LoopsRunning() : -1});
        };
    }
    void TearDown() override {
        hk_.reset();
        host_.reset();
        fake_hotkeys::Reset();
    }

    // The user's next actions, one for each time the loop finds nothing to do.
    // When they run out the loop is asked to stop; should it not, the test
    // fails instead of waiting forever.
    void Script(std::vector<std::function<void()>> steps) {
        auto queue = std::make_shared<std::deque<std::function<void()>>>(steps.begin(), steps.end());
        auto spare = std::make_shared<int>(0);
        headless::SetIdleHandler([this, queue, spare] {
            if (!queue->empty()) {
                auto step = queue->front();
                queue->pop_front();
                step();
            } else if ((*spare)++ == 0) {
                if (hk_) hk_->StopHotKeys();
            } else {
                ADD_FAILURE() << "the hotkey loop did not stop";
                plat::QuitMessageLoop(1);
            }
        });
    }

    std::vector<Registration> Regs() const { return fake_hotkeys::Registrations(); }

    std::unique_ptr<HostForm> host_;
    std::unique_ptr<cHotKey> hk_;
    std::vector<Press> presses_;
};

constexpr int kAlt = plat::hotkeys::kModAlt, kCtrl = plat::hotkeys::kModControl, kShift = plat::hotkeys::kModShift;

TEST_F(HotKeyService, AddRegistersUnderAFreshNegativeAtomAndNumbersFromOne) {
    EXPECT_EQ(hk_->HotKeysCount(), 0);
    EXPECT_EQ(hk_->AddHotKey(81, false, true, false), 1);
    EXPECT_EQ(hk_->AddHotKey(116, true, true, false), 2);  // Ctrl+Alt+F5
    EXPECT_EQ(hk_->AddHotKey(90, true, false, true), 3);
    EXPECT_EQ(hk_->HotKeysCount(), 3);

    const auto regs = Regs();
    ASSERT_EQ(regs.size(), 3u);
    EXPECT_EQ(regs[0].modifiers, kAlt);
    EXPECT_EQ(regs[0].keyCode, 81);
    EXPECT_EQ(regs[1].modifiers, 3);
    EXPECT_EQ(regs[1].keyCode, 116);
    EXPECT_EQ(regs[2].modifiers, kCtrl | kShift);
    std::set<std::int32_t> ids;
    for (size_t i = 0; i < regs.size(); ++i) {
        EXPECT_EQ(regs[i].window, host_->hWnd());
        // String atoms are 0xC000 and up: as signed 16 bits, widened, negative.
        EXPECT_EQ(regs[i].id, hk_->HotKeyAtoms[i + 1]);
        EXPECT_LT(regs[i].id, 0);
        ids.insert(regs[i].id);
    }
    EXPECT_EQ(ids.size(), 3u);
    EXPECT_EQ(fake_hotkeys::LiveAtoms().size(), 3u);

    // Entry 0 is never used.
    EXPECT_EQ(hk_->HotKeyKeys[0], 0);
    EXPECT_EQ(hk_->HotKeyAtoms[0], 0);
    EXPECT_EQ(hk_->HotKeyKeys, (std::vector<std::int32_t>{0, 81, 116, 90}));
    EXPECT_EQ(hk_->HotKeyCtrl, (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(hk_->HotKeyAlt, (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(hk_->HotKeyShift, (std::vector<bool>{false, false, false, true}));
}

TEST_F(HotKeyService, ARefusedRegistrationLeavesListsRegistrationsAndAtomsAsBefore) {
    ASSERT_EQ(hk_->AddHotKey(81, false, true, false), 1);
    const Lists before = ListsOf(*hk_);
    fake_hotkeys::SetTaken(kCtrl, 65, true);  // another program holds Ctrl+A
    const int calls = fake_hotkeys::RegisterCalls();

    EXPECT_EQ(hk_->AddHotKey(65, true, false, false), -1);
    EXPECT_EQ(fake_hotkeys::RegisterCalls(), calls + 1);  // it was tried
    EXPECT_EQ(ListsOf(*hk_), before);
    EXPECT_EQ(Regs().size(), 1u);
    EXPECT_EQ(fake_hotkeys::LiveAtoms().size(), 1u);

    // Once free, the same combination registers as number 2.
    fake_hotkeys::SetTaken(kCtrl, 65, false);
    EXPECT_EQ(hk_->AddHotKey(65, true, false, false), 2);
}

TEST_F(HotKeyService, KeyCodesThatNameNoKeyAreRefusedWithoutAsking) {
    const int calls = fake_hotkeys::RegisterCalls();
    for (std::int32_t bad : {0, -81, 255, 100000}) EXPECT_EQ(hk_->AddHotKey(bad, true, false, false), -1) << bad;
    EXPECT_EQ(fake_hotkeys::RegisterCalls(), calls);
    EXPECT_EQ(hk_->HotKeysCount(), 0);
    EXPECT_TRUE(fake_hotkeys::LiveAtoms().empty());

    // Without a window (its creation failed) nothing is registered to window 0.
    hk_->SetfrmHwnd(0);
    EXPECT_EQ(hk_->AddHotKey('Q', false, true, false), -1);
    EXPECT_EQ(fake_hotkeys::RegisterCalls(), calls);
}

TEST_F(HotKeyService, OnlyTheVerySameCombinationCountsAsAlreadyThere) {
    ASSERT_EQ(hk_->AddHotKey(81, false, false, false), 1);  // plain Q
    const int calls = fake_hotkeys::RegisterCalls();
    EXPECT_EQ(hk_->AddHotKey(81, false, false, false), -1);  // plain Q again: not even tried
    EXPECT_EQ(fake_hotkeys::RegisterCalls(), calls);
    // Alt+Q and Ctrl+Q are other hotkeys than Q.
    EXPECT_EQ(hk_->AddHotKey(81, false, true, false), 2);
    EXPECT_EQ(hk_->AddHotKey(81, true, false, false), 3);
    EXPECT_EQ(hk_->AddHotKey(81, false, true, false), -1);  // Alt+Q again
    EXPECT_EQ(hk_->HotKeysCount(), 3);
    EXPECT_EQ(Regs().size(), 3u);
}

TEST_F(HotKeyService, DeleteRemovesOneEntryAndTheLaterOnesMoveDown) {
    hk_->AddHotKey(65, false, true, false);
    hk_->AddHotKey(66, false, true, false);
    hk_->AddHotKey(67, true, false, false);
    hk_->AddHotKey(68, false, false, true);
    const std::int16_t atom3 = hk_->HotKeyAtoms[3], atom4 = hk_->HotKeyAtoms[4];

    EXPECT_FALSE(hk_->DelHotKey(66, true, false, false));  // same key, other flags
    EXPECT_EQ(hk_->HotKeysCount(), 4);
    EXPECT_TRUE(hk_->DelHotKey(66, false, true, false));

    EXPECT_EQ(hk_->HotKeysCount(), 3);
    EXPECT_EQ(hk_->HotKeyKeys, (std::vector<std::int32_t>{0, 65, 67, 68}));
    EXPECT_EQ(hk_->HotKeyCtrl, (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(hk_->HotKeyAlt, (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(hk_->HotKeyShift, (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(hk_->HotKeyAtoms[2], atom3);
    EXPECT_EQ(hk_->HotKeyAtoms[3], atom4);
    EXPECT_EQ(hk_->FindHotKey(67, true, false, false), 2);
    EXPECT_EQ(hk_->FindHotKey(68, false, false, true), 3);

    const auto regs = Regs();
    ASSERT_EQ(regs.size(), 3u);
    for (const auto& r : regs) EXPECT_NE(r.keyCode, 66);
    EXPECT_EQ(fake_hotkeys::LiveAtoms().size(), 3u);
}

TEST_F(HotKeyService, ClearAllUnregistersEverythingAndFreesTheAtoms) {
    hk_->AddHotKey(65, false, true, false);
    hk_->AddHotKey(66, false, true, false);
    hk_->StartHotKeys(host_->Timer1);
    EXPECT_FALSE(hk_->StopFlag);

    EXPECT_FALSE(hk_->ClsAllHotKey());
    EXPECT_TRUE(hk_->StopFlag);
    EXPECT_EQ(hk_->HotKeysCount(), 0);
    EXPECT_TRUE(Regs().empty());
    EXPECT_TRUE(fake_hotkeys::LiveAtoms().empty());
    EXPECT_EQ(ListsOf(*hk_), (Lists{{0}, {0}, {false}, {false}, {false}}));
}

TEST_F(HotKeyService, GetHotKeySettingReadsAnEntryOrLeavesTheOutputsAlone) {
    hk_->AddHotKey(113, true, false, true);
    hk_->AddHotKey(81, false, true, false);
    std::int32_t key = 7;
    bool c = true, a = true, s = true;
    EXPECT_EQ(hk_->GetHotKeySetting(3, key, c, a, s), -1);
    EXPECT_EQ(hk_->GetHotKeySetting(-1, key, c, a, s), -1);
    EXPECT_EQ(key, 7);
    EXPECT_TRUE(c && a && s);

    EXPECT_EQ(hk_->GetHotKeySetting(1, key, c, a, s), 2);
    EXPECT_EQ(key, 113);
    EXPECT_TRUE(c);
    EXPECT_FALSE(a);
    EXPECT_TRUE(s);
    EXPECT_EQ(hk_->GetHotKeySetting(0, key, c, a, s), 2);
    EXPECT_EQ(key, 0);
    EXPECT_FALSE(c || a || s);
}

TEST_F(HotKeyService, StartWithoutHotkeysLeavesTheTimerAsItWas) {
    plat::Timer& t = host_->Timer1;
    t.SetInterval(500);
    t.SetEnabled(true);
    hk_->StartHotKeys(t);
    EXPECT_EQ(t.Interval(), 500);
    EXPECT_TRUE(t.Enabled());
    EXPECT_TRUE(hk_->StopFlag);

    hk_->AddHotKey(81, false, true, false);
    hk_->StartHotKeys(t);
    EXPECT_EQ(t.Interval(), 10);
    EXPECT_TRUE(t.Enabled());
    EXPECT_FALSE(hk_->StopFlag);
}

TEST_F(HotKeyService, TheLoopStartsTenMillisecondsLaterAndRaisesThePressedNumber) {
    hk_->AddHotKey(81, false, true, false);
    hk_->AddHotKey(113, true, false, true);
    hk_->StartHotKeys(host_->Timer1);
    Script({
        [] { EXPECT_TRUE(fake_hotkeys::Press(kCtrl | kShift, 113)); },
        [] { EXPECT_TRUE(fake_hotkeys::Press(kAlt, 81)); },
        // Messages with no atom of ours, or for another window, are taken and dropped.
        [this] { fake_hotkeys::Post(host_->hWnd(), 12345); },
        [this] { fake_hotkeys::Post(host_->hWnd() + 4, hk_->HotKeyAtoms[1]); },
        [] { EXPECT_TRUE(fake_hotkeys::Press(kAlt, 81)); },
    });
    headless::AdvanceClock(9);
    EXPECT_EQ(hk_->LoopsRunning(), 0);
    headless::AdvanceClock(1);  // the loop runs inside this timer event until stopped

    EXPECT_EQ(presses_, (std::vector<Press>{{2, 113, true, false, true, 1},
                                           {1, 81, false, true, false, 1},
                                           {1, 81, false, true, false, 1}}));
    EXPECT_EQ(fake_hotkeys::Queued(), 0);
    EXPECT_EQ(hk_->LoopsRunning(), 0);
    EXPECT_FALSE(host_->Timer1.Enabled());  // one shot
}

// Re-applying from inside the loop (as the main window's check boxes do) arms
// the start timer again; its event must not start a second loop under the
// first, and every press is raised exactly once.
TEST_F(HotKeyService, ReapplyingWhileTheLoopRunsServesEachPressOnce) {
    auto reapply = [this] {
        hk_->ClsAllHotKey();
        hk_->AddHotKey(81, false, true, false);
        hk_->AddHotKey(65, false, true, false);
        hk_->StartHotKeys(host_->Timer1);
    };
    hk_->AddHotKey(81, false, true, false);
    hk_->StartHotKeys(host_->Timer1);
    std::vector<std::function<void()>> steps{[] { fake_hotkeys::Press(kAlt, 81); }};
    for (int round = 0; round < 5; ++round) {
        steps.push_back(reapply);
        steps.push_back([] { headless::AdvanceClock(10); });  // the re-armed start timer fires
        steps.push_back([] { fake_hotkeys::Press(kAlt, 81); });
        steps.push_back([] { fake_hotkeys::Press(kAlt, 65); });
    }
    Script(steps);
    headless::AdvanceClock(10);

    ASSERT_EQ(presses_.size(), 11u);
    EXPECT_EQ(presses_[0], (Press{1, 81, false, true, false, 1}));
    for (size_t i = 1; i < presses_.size(); i += 2) {
        EXPECT_EQ(presses_[i], (Press{1, 81, false, true, false, 1}));
        EXPECT_EQ(presses_[i + 1], (Press{2, 65, false, true, false, 1}));
    }
    EXPECT_EQ(hk_->LoopsRunning(), 0);
}

TEST_F(HotKeyService, AfterTheLoopEndedAReapplicationStartsItAgain) {
    hk_->AddHotKey(81, false, true, false);
    hk_->StartHotKeys(host_->Timer1);
    Script({[] { fake_hotkeys::Press(kAlt, 81); }});
    headless::AdvanceClock(10);
    ASSERT_EQ(presses_.size(), 1u);

    // Stopped: a press now waits in the queue, as nobody takes it.
    fake_hotkeys::Press(kAlt, 81);
    headless::AdvanceClock(100);
    EXPECT_EQ(presses_.size(), 1u);

    hk_->StartHotKeys(host_->Timer1);
    Script({});
    headless::AdvanceClock(10);
    EXPECT_EQ(presses_.size(), 2u);
}

TEST_F(HotKeyService, AHandlerMayReleaseTheServiceWhileItsLoopRuns) {
    hk_->AddHotKey(81, false, true, false);
    hk_->StartHotKeys(host_->Timer1);
    hk_->HotKeyPress = [this](std::int32_t n, std::int32_t, bool, bool, bool) {
        presses_.push_back({n, 0, false, false, false, 0});
        hk_.reset();  // the owner lets go of the service from inside its own event
    };
    Script({[] { fake_hotkeys::Press(kAlt, 81); }, [] { fake_hotkeys::Press(kAlt, 81); }});
    headless::AdvanceClock(10);  // the sanitizers catch any use of the freed object
    EXPECT_EQ(presses_.size(), 1u);
    EXPECT_TRUE(Regs().empty());
    EXPECT_TRUE(fake_hotkeys::LiveAtoms().empty());
    // The timer lent to it no longer starts anything.
    EXPECT_FALSE(host_->Timer1.Enabled());
}

TEST(RandomAtomName, LettersOnlyAtMostTheLengthAndDifferentEachCall) {
    std::set<std::string> names;
    for (int i = 0; i < 2000; ++i) {
        const std::string n = RandomAtomName(16);
        EXPECT_LE(n.size(), 16u);
        EXPECT_TRUE(std::all_of(n.begin(), n.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }))
            << n;
        names.insert(n);
    }
    // Back-to-back calls within one clock tick must not repeat a name.
    EXPECT_EQ(names.size(), 2000u);
    // Letters are drawn from codes 60..129: about 52 of every 70 draws land.
    size_t letters = 0;
    for (const auto& n : names) letters += n.size();
    EXPECT_GT(letters, 2000u * 10);
    EXPECT_LT(letters, 2000u * 14);
    EXPECT_TRUE(RandomAtomName(0).empty());
}

}  // namespace
