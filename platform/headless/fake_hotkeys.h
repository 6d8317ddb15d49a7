#pragma once
// Test controls of the headless hotkeys: the registrations the program made,
// combinations held by other programs, the user pressing a combination, and
// the global atom table.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/services/types.h"

namespace fake_hotkeys {

struct Registration {
    plat::Handle window = 0;
    std::int32_t id = 0;
    int modifiers = 0;
    std::int32_t keyCode = 0;
    friend bool operator==(const Registration&, const Registration&) = default;
};

// No registrations, no atoms, no queued hotkey messages, nothing taken, counts at 0.
void Reset();

// Current registrations of live windows, in the order they were made.
std::vector<Registration> Registrations();
// How many registrations were attempted since Reset (refused ones too).
int RegisterCalls();

// Another program holds (or gives up) a combination: registering it fails.
void SetTaken(int modifiers, std::int32_t keyCode, bool taken);

// The user presses a combination: when a window registered it, its hotkey
// message is queued. False when nobody registered it.
bool Press(int modifiers, std::int32_t keyCode);
// A hotkey message with any identifier, queued for `window`.
void Post(plat::Handle window, std::int32_t id);
// Hotkey messages queued and not yet taken.
int Queued();

// Names of the atoms alive now, one entry per reference.
std::vector<std::string> LiveAtoms();

}  // namespace fake_hotkeys
