#pragma once
// System-wide hotkeys, global atoms, and the message step of the hotkey
// service's loop.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/services/types.h"

namespace plat::hotkeys {

// Modifier bits as the platform's registration takes them.
enum Modifier : int { kModAlt = 1, kModControl = 2, kModShift = 4 };

// Registers modifiers + keyCode for `window` under `id`; messages for it
// carry `id`. False when the platform refuses (taken by another program, or
// already registered).
bool Register(Handle window, std::int32_t id, int modifiers, std::int32_t keyCode);
void Unregister(Handle window, std::int32_t id);  // result ignored on purpose

// A global atom for `name` (0 on failure). Adding a name that exists gives the
// existing atom and counts one more reference.
std::uint16_t AddGlobalAtom(const std::string& name);
void DeleteGlobalAtom(std::uint16_t atom);  // result ignored on purpose

// One step of a hotkey loop: sleeps until the thread has a message (no
// spinning), takes it, and hands a hotkey message addressed to `window` to
// onHotKey with the identifier it was registered under; any other message is
// dispatched as the platform's own loop does, and unloaded forms are
// collected. Returns false without taking anything once the thread has been
// asked to quit: the request stays queued for the loop that owns it.
bool NextMessage(Handle window, const std::function<void(std::int32_t id)>& onHotKey);

}  // namespace plat::hotkeys
