#pragma once
// cHotKey: system-wide hotkeys of one window, and the message loop that turns
// their messages into HotKeyPress.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/timer.h"
#include "platform/services/types.h"

// A name of at most `length` ASCII letters for a global atom; each call draws
// afresh, so names of different calls differ.
std::string RandomAtomName(std::int32_t length);

class cHotKey {
public:
    cHotKey();
    ~cHotKey();
    cHotKey(const cHotKey&) = delete;
    cHotKey& operator=(const cHotKey&) = delete;

    // The window that owns the hotkeys and receives their messages; set
    // before the first AddHotKey.
    void SetfrmHwnd(plat::Handle h) { frmHwnd_ = h; }

    // Registers a hotkey; returns its number (1..n), or -1 when it is already
    // in the list or the platform refuses it (the lists are then unchanged).
    std::int32_t AddHotKey(std::int32_t keyCode, bool ctrl, bool alt, bool shift);
    // Unregisters and removes the first entry with these values; later entries
    // move down by one. False when there is none.
    bool DelHotKey(std::int32_t keyCode, bool ctrl, bool alt, bool shift);
    // Unregisters every hotkey and asks a running loop to end; always false.
    bool ClsAllHotKey();
    // Unregisters every hotkey and deletes its atom without letting any
    // pending event run (for an exit that does not return).
    void ReleaseAll();
    // Arms `timer` to start the loop 10 ms from now (only with hotkeys). The
    // timer must outlive this object or the next StartHotKeys.
    void StartHotKeys(plat::Timer& timer);
    // Asks a running loop to end.
    void StopHotKeys();
    // Entry `index` (0 gives key 0 and no modifiers) into the outputs; returns
    // n, or -1 (outputs untouched) when index is outside 0..n.
    std::int32_t GetHotKeySetting(std::int32_t index, std::int32_t& keyCode, bool& ctrl, bool& alt, bool& shift) const;
    std::int32_t HotKeysCount() const { return static_cast<std::int32_t>(HotKeyKeys.size()) - 1; }
    // The first number whose key code and three flags all equal these, or -1.
    std::int32_t FindHotKey(std::int32_t keyCode, bool ctrl, bool alt, bool shift) const;

    // Raised by the loop for a hotkey message: number, then that entry's values.
    std::function<void(std::int32_t number, std::int32_t keyCode, bool ctrl, bool alt, bool shift)> HotKeyPress;

    // Parallel lists, entry 0 unused; entry i is hotkey number i.
    std::vector<std::int32_t> HotKeyKeys;
    std::vector<std::int16_t> HotKeyAtoms;
    std::vector<bool> HotKeyCtrl, HotKeyAlt, HotKeyShift;
    bool StopFlag = true;

    // How many hotkey loops are on the stack now (0 or 1).
    int LoopsRunning() const { return loops_; }

private:
    void ResetHotKeyLists();
    void RemoveEntry(std::int32_t i);
    void UnregisterAll();
    void CtlTimer_Timer();
    void HotKeyLoop();
    void OnHotKeyMessage(std::int32_t id);

    plat::Handle frmHwnd_ = 0;
    plat::Timer* CtlTimer = nullptr;
    bool CtlTimerTag = false;  // the start timer's tag: set ("1") once its event ran, cleared by StartHotKeys
    int loops_ = 0;
    // Cleared by the destructor, so a loop whose object went away in a
    // handler returns without touching it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
