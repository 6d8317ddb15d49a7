#include "hotkeys/chotkey.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "platform/services/hotkey_service.h"
#include "platform/services/startup_trace.h"
#include "platform/services/system.h"

namespace {

// The platform's virtual-key codes; anything else is not a key to register.
constexpr std::int32_t kFirstKeyCode = 1;
constexpr std::int32_t kLastKeyCode = 254;

// Seeded once: reseeding from the clock before every draw, as a coarse timer
// would, repeats one letter and makes equal names for hotkeys added together.
std::mt19937& Generator() {
    static std::mt19937 gen = [] {
        std::random_device device;
        const auto now = static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        std::seed_seq seed{device(), device(), now};
        return std::mt19937(seed);
    }();
    return gen;
}

bool IsAsciiLetter(int code) { return (code >= 65 && code <= 90) || (code >= 97 && code <= 122); }

}  // namespace

std::string RandomAtomName(std::int32_t length) {
    std::uniform_real_distribution<double> draw(0.0, 1.0);
    std::string name;
    for (std::int32_t i = 0; i < length; ++i) {
        const int code = static_cast<int>(draw(Generator()) * 70) + 60;  // 60..129
        if (IsAsciiLetter(code)) name.insert(name.begin(), static_cast<char>(code));
    }
    return name;
}

cHotKey::cHotKey() {
    ResetHotKeyLists();
    StopFlag = true;
}

// Unlike ClsAllHotKey this lets no pending event run: a handler reached from
// here would find the object half gone.
cHotKey::~cHotKey() {
    *alive_ = false;
    StopFlag = true;
    UnregisterAll();
    if (CtlTimer) CtlTimer->SetEnabled(false);
}

void cHotKey::ResetHotKeyLists() {
    HotKeyKeys.assign(1, 0);
    HotKeyAtoms.assign(1, 0);
    HotKeyCtrl.assign(1, false);
    HotKeyAlt.assign(1, false);
    HotKeyShift.assign(1, false);
}

std::int32_t cHotKey::FindHotKey(std::int32_t keyCode, bool ctrl, bool alt, bool shift) const {
    for (std::int32_t i = 1; i <= HotKeysCount(); ++i) {
        const auto at = static_cast<size_t>(i);
        if (HotKeyKeys[at] == keyCode && HotKeyCtrl[at] == ctrl && HotKeyAlt[at] == alt && HotKeyShift[at] == shift)
            return i;
    }
    return -1;
}

std::int32_t cHotKey::AddHotKey(std::int32_t keyCode, bool ctrl, bool alt, bool shift) {
    // Only the very same combination counts as already there: Alt+Q and Q are
    // different hotkeys, and refusing one would clear the user's box.
    if (FindHotKey(keyCode, ctrl, alt, shift) != -1) return -1;
    if (keyCode < kFirstKeyCode || keyCode > kLastKeyCode) return -1;
    // A hotkey of window 0 would belong to the thread, not to the window.
    if (frmHwnd_ == 0) return -1;

    HotKeyKeys.push_back(keyCode);
    HotKeyCtrl.push_back(ctrl);
    HotKeyAlt.push_back(alt);
    HotKeyShift.push_back(shift);
    // A fresh atom: a name that happens to exist gives an atom this list
    // already holds, and one identifier would then stand for two hotkeys.
    std::uint16_t atom = 0;
    for (int attempt = 0; attempt < 8 && atom == 0; ++attempt) {
        atom = plat::hotkeys::AddGlobalAtom(RandomAtomName(16));
        if (atom && std::count(HotKeyAtoms.begin(), HotKeyAtoms.end(), static_cast<std::int16_t>(atom))) {
            plat::hotkeys::DeleteGlobalAtom(atom);
            atom = 0;
        }
    }
    HotKeyAtoms.push_back(static_cast<std::int16_t>(atom));
    const std::int32_t n = HotKeysCount();

    int modifiers = 0;
    if (alt) modifiers |= plat::hotkeys::kModAlt;
    if (ctrl) modifiers |= plat::hotkeys::kModControl;
    if (shift) modifiers |= plat::hotkeys::kModShift;
    // String atoms are 0xC000 and above: as a signed 16-bit value the
    // identifier is negative, and it is passed widened with its sign.
    if (atom && plat::hotkeys::Register(frmHwnd_, HotKeyAtoms.back(), modifiers, keyCode)) return n;
    RemoveEntry(n);
    return -1;
}

void cHotKey::RemoveEntry(std::int32_t i) {
    const auto at = static_cast<size_t>(i);
    plat::hotkeys::Unregister(frmHwnd_, HotKeyAtoms[at]);
    plat::hotkeys::DeleteGlobalAtom(static_cast<std::uint16_t>(HotKeyAtoms[at]));
    HotKeyKeys.erase(HotKeyKeys.begin() + i);
    HotKeyAtoms.erase(HotKeyAtoms.begin() + i);
    HotKeyCtrl.erase(HotKeyCtrl.begin() + i);
    HotKeyAlt.erase(HotKeyAlt.begin() + i);
    HotKeyShift.erase(HotKeyShift.begin() + i);
}

bool cHotKey::DelHotKey(std::int32_t keyCode, bool ctrl, bool alt, bool shift) {
    const std::int32_t i = FindHotKey(keyCode, ctrl, alt, shift);
    if (i == -1) return false;
    RemoveEntry(i);
    return true;
}

void cHotKey::UnregisterAll() {
    for (std::int32_t i = 1; i <= HotKeysCount(); ++i) {
        const std::int16_t atom = HotKeyAtoms[static_cast<size_t>(i)];
        plat::hotkeys::Unregister(frmHwnd_, atom);
        plat::hotkeys::DeleteGlobalAtom(static_cast<std::uint16_t>(atom));
    }
    ResetHotKeyLists();
}

void cHotKey::ReleaseAll() {
    StopFlag = true;
    UnregisterAll();
}

bool cHotKey::ClsAllHotKey() {
    StopFlag = true;
    plat::DoEvents();
    UnregisterAll();
    // A handler run by DoEvents may have re-applied the hotkeys; they are gone
    // now, so no loop should keep serving them.
    StopFlag = true;
    return false;
}

void cHotKey::StartHotKeys(plat::Timer& timer) {
    if (HotKeysCount() == 0) return;
    StopFlag = false;
    if (CtlTimer != &timer) {
        CtlTimer = &timer;
        timer.Tick = [this, alive = std::weak_ptr<bool>(alive_)] {
            if (auto a = alive.lock(); a && *a) CtlTimer_Timer();
        };
    }
    timer.SetEnabled(false);
    timer.SetInterval(10);
    CtlTimerTag = false;
    timer.SetEnabled(true);
}

void cHotKey::StopHotKeys() {
    StopFlag = true;
    plat::DoEvents();
}

std::int32_t cHotKey::GetHotKeySetting(std::int32_t index, std::int32_t& keyCode, bool& ctrl, bool& alt,
                                       bool& shift) const {
    const std::int32_t n = HotKeysCount();
    if (index < 0 || index > n) return -1;
    const auto at = static_cast<size_t>(index);
    keyCode = HotKeyKeys[at];
    ctrl = HotKeyCtrl[at];
    alt = HotKeyAlt[at];
    shift = HotKeyShift[at];
    return n;
}

// A re-application arms the timer again while a loop may still be on the
// stack. That loop never saw StopFlag set (StartHotKeys cleared it before
// returning to it), so it keeps serving, and the timer starts no second one:
// one loop level however often the hotkeys are re-applied.
void cHotKey::CtlTimer_Timer() {
    if (CtlTimer) CtlTimer->SetEnabled(false);
    if (CtlTimerTag) return;
    CtlTimerTag = true;
    if (loops_ == 0) HotKeyLoop();
}

void cHotKey::HotKeyLoop() {
    const std::shared_ptr<bool> alive = alive_;
    ++loops_;
    plat::TraceStartup("hotkey-loop");
    while (!StopFlag) {
        const bool more = plat::hotkeys::NextMessage(frmHwnd_, [this](std::int32_t id) { OnHotKeyMessage(id); });
        if (!*alive) return;  // a handler released this object
        if (!more) break;     // the program is quitting
    }
    --loops_;
}

void cHotKey::OnHotKeyMessage(std::int32_t id) {
    for (std::int32_t i = 1; i <= HotKeysCount(); ++i) {
        const auto at = static_cast<size_t>(i);
        if (static_cast<std::int32_t>(HotKeyAtoms[at]) != id) continue;
        // The handler may re-apply the hotkeys or release this object: it gets copies.
        const auto press = HotKeyPress;
        if (press) press(i, HotKeyKeys[at], HotKeyCtrl[at], HotKeyAlt[at], HotKeyShift[at]);
        return;
    }
    // No such hotkey (any more): the message is dropped.
}
