// Hotkeys of the headless backend: a registration table with the platform's
// refusals, a queue of hotkey messages, and an atom table.
#include "platform/headless/fake_hotkeys.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <utility>

#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"
#include "platform/services/hotkey_service.h"
#include "platform/services/system.h"

namespace fake_hotkeys {
namespace {

struct Atom {
    std::string name;
    int references = 0;
};

struct State {
    std::vector<Registration> registrations;
    std::set<std::pair<int, std::int32_t>> taken;
    std::deque<std::pair<plat::Handle, std::int32_t>> queue;
    std::map<std::uint16_t, Atom> atoms;
    int registerCalls = 0;
};

State& S() {
    static State s;
    return s;
}

// Windows are gone without telling us; their registrations go with them.
void DropDeadWindows() {
    std::erase_if(S().registrations,
                  [](const Registration& r) { return r.window != 0 && !headless::Exists(r.window); });
}

}  // namespace

void Reset() { S() = State{}; }

std::vector<Registration> Registrations() {
    DropDeadWindows();
    return S().registrations;
}

int RegisterCalls() { return S().registerCalls; }

void SetTaken(int modifiers, std::int32_t keyCode, bool taken) {
    if (taken)
        S().taken.insert({modifiers, keyCode});
    else
        S().taken.erase({modifiers, keyCode});
}

bool Press(int modifiers, std::int32_t keyCode) {
    DropDeadWindows();
    for (const Registration& r : S().registrations)
        if (r.modifiers == modifiers && r.keyCode == keyCode) {
            S().queue.emplace_back(r.window, r.id);
            return true;
        }
    return false;
}

void Post(plat::Handle window, std::int32_t id) { S().queue.emplace_back(window, id); }

int Queued() { return static_cast<int>(S().queue.size()); }

std::vector<std::string> LiveAtoms() {
    std::vector<std::string> names;
    for (const auto& [atom, a] : S().atoms)
        for (int i = 0; i < a.references; ++i) names.push_back(a.name);
    return names;
}

}  // namespace fake_hotkeys

namespace plat::hotkeys {

using fake_hotkeys::S;

bool Register(Handle window, std::int32_t id, int modifiers, std::int32_t keyCode) {
    fake_hotkeys::DropDeadWindows();
    auto& s = S();
    ++s.registerCalls;
    if (window != 0 && !headless::Exists(window)) return false;
    if (s.taken.count({modifiers, keyCode})) return false;
    for (const auto& r : s.registrations)
        if ((r.modifiers == modifiers && r.keyCode == keyCode) || (r.window == window && r.id == id)) return false;
    s.registrations.push_back({window, id, modifiers, keyCode});
    return true;
}

void Unregister(Handle window, std::int32_t id) {
    std::erase_if(S().registrations,
                  [&](const fake_hotkeys::Registration& r) { return r.window == window && r.id == id; });
}

std::uint16_t AddGlobalAtom(const std::string& name) {
    if (name.empty()) return 0;
    auto& atoms = S().atoms;
    for (auto& [atom, a] : atoms)
        if (a.name == name) {
            ++a.references;
            return atom;
        }
    // String atoms start at 0xC000, as the platform numbers them.
    std::uint16_t next = 0xC000;
    while (atoms.count(next)) ++next;
    atoms[next] = {name, 1};
    return next;
}

void DeleteGlobalAtom(std::uint16_t atom) {
    auto& atoms = S().atoms;
    auto it = atoms.find(atom);
    if (it != atoms.end() && --it->second.references <= 0) atoms.erase(it);
}

// Queued hotkey messages first; otherwise the wait of the headless backend,
// which runs the test's next action or the next due timer.
bool NextMessage(Handle window, const std::function<void(std::int32_t id)>& onHotKey) {
    if (headless::QuitCode()) return false;
    auto& queue = S().queue;
    if (!queue.empty()) {
        const auto [to, id] = queue.front();
        queue.pop_front();
        if (to == window) onHotKey(id);
    } else {
        WaitForEvents();
    }
    DoEvents();
    return true;
}

}  // namespace plat::hotkeys
