// The headless desktop: other programs' windows as a tree the test builds, a
// process table, and the program's own forms read from the headless windows.
#include "platform/headless/fake_window_queries.h"

#include <algorithm>
#include <map>
#include <utility>

#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"
#include "platform/headless/headless_window.h"
#include "platform/services/window_queries.h"

namespace fake_windows {
namespace {

struct Node {
    Window w;
    plat::Handle parent = 0;
    std::vector<plat::Handle> children;  // z-order, top first
};

struct State {
    std::map<plat::Handle, Node> nodes;
    std::vector<plat::Handle> topLevel;  // z-order, top first
    std::map<std::uint32_t, std::wstring> processes;
    std::map<plat::Handle, int> textRequests;
    std::map<plat::Handle, bool> topmost;
    std::vector<plat::Handle> captionDrags;
};

State& S() {
    static State s;
    return s;
}

// Apart from the headless forms' handles, and never reused.
plat::Handle NextHandle() {
    static plat::Handle next = 0x40000000;
    return next += 8;
}

Node* Find(plat::Handle h) {
    auto it = S().nodes.find(h);
    return it == S().nodes.end() ? nullptr : &it->second;
}

bool IsForm(plat::Handle h) { return h != 0 && headless::Exists(h); }

std::vector<plat::Handle>& SiblingsOf(const Node& n) {
    return n.parent ? S().nodes.at(n.parent).children : S().topLevel;
}

// Deepest visible, enabled child of h under p (h itself when none).
plat::Handle DeepestAt(plat::Handle h, plat::Point p) {
    for (plat::Handle c : S().nodes.at(h).children) {
        const Window& w = S().nodes.at(c).w;
        if (w.visible && w.enabled && w.rect.Contains(p.x, p.y)) return DeepestAt(c, p);
    }
    return h;
}

}  // namespace

void Reset() { S() = State{}; }

plat::Handle Add(plat::Handle parent, Window w) {
    if (parent && !Find(parent)) return 0;
    const plat::Handle h = NextHandle();
    S().nodes[h] = Node{std::move(w), parent, {}};
    (parent ? S().nodes.at(parent).children : S().topLevel).push_back(h);
    return h;
}

void Destroy(plat::Handle h) {
    Node* n = Find(h);
    if (!n) return;
    for (plat::Handle c : std::vector<plat::Handle>(n->children)) Destroy(c);
    std::erase(SiblingsOf(*n), h);
    S().nodes.erase(h);
}

bool Exists(plat::Handle h) { return Find(h) != nullptr; }

void Update(plat::Handle h, const Window& w) {
    if (Node* n = Find(h)) n->w = w;
}

Window Get(plat::Handle h) {
    const Node* n = Find(h);
    return n ? n->w : Window{};
}

void SetProcess(std::uint32_t processId, std::wstring imagePath) {
    S().processes[processId] = std::move(imagePath);
}

int TextRequests(plat::Handle h) {
    auto it = S().textRequests.find(h);
    return it == S().textRequests.end() ? 0 : it->second;
}

bool Topmost(plat::Handle h) {
    auto it = S().topmost.find(h);
    return it != S().topmost.end() && it->second;
}

const std::vector<plat::Handle>& CaptionDrags() { return S().captionDrags; }

}  // namespace fake_windows

namespace plat::desktop {

using fake_windows::Find;
using fake_windows::IsForm;
using fake_windows::S;

// The class the Win32 backend registers for every form.
constexpr wchar_t kFormClass[] = L"MorrowenSnipForm";

std::optional<std::wstring> ClassName(Handle h) {
    if (IsForm(h)) return std::wstring(kFormClass);
    const auto* n = Find(h);
    if (!n) return std::nullopt;
    return n->w.className.substr(0, kClassNameRoom - 1);
}

long TextLength(Handle h) {
    if (IsForm(h)) return static_cast<long>(headless::Caption(h).size());
    const auto* n = Find(h);
    return n ? static_cast<long>(n->w.text.size()) : 0;
}

std::wstring TextByMessage(Handle h, int maxChars) {
    if (maxChars <= 0) return {};
    std::wstring text;
    if (IsForm(h)) {
        text = headless::Caption(h);
    } else if (const auto* n = Find(h)) {
        text = n->w.text;
    } else {
        return {};
    }
    ++S().textRequests[h];
    return text.substr(0, static_cast<size_t>(maxChars));
}

Handle FirstChild(Handle h) {
    const auto* n = Find(h);
    return n && !n->children.empty() ? n->children.front() : 0;
}

Handle NextSibling(Handle h) {
    const auto* n = Find(h);
    if (!n) return 0;
    const auto& siblings = fake_windows::SiblingsOf(*n);
    auto it = std::find(siblings.begin(), siblings.end(), h);
    return it + 1 < siblings.end() ? *(it + 1) : 0;
}

Handle Parent(Handle h) {
    const auto* n = Find(h);
    return n ? n->parent : 0;
}

Handle WindowAt(Point p) {
    const auto forms = headless::Windows();  // bottom first
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if (headless::Visible(*it) && headless::detail::Find(*it)->Hits(p)) return *it;
    for (Handle t : S().topLevel) {
        const auto& w = S().nodes.at(t).w;
        if (w.visible && w.rect.Contains(p.x, p.y)) return fake_windows::DeepestAt(t, p);
    }
    return 0;
}

std::optional<Rect> WindowRect(Handle h) {
    if (IsForm(h)) return headless::Bounds(h);
    const auto* n = Find(h);
    if (!n) return std::nullopt;
    return n->w.rect;
}

bool IsVisible(Handle h) {
    if (IsForm(h)) return headless::Visible(h);
    // As the system answers: visible only with every ancestor visible.
    for (const auto* n = Find(h); n; n = Find(n->parent)) {
        if (!n->w.visible) return false;
        if (!n->parent) return true;
    }
    return false;
}

bool IsEnabled(Handle h) {
    if (IsForm(h)) return true;
    const auto* n = Find(h);
    return n && n->w.enabled;
}

bool IsZoomed(Handle h) {
    if (IsForm(h)) return headless::State(h) == WindowState::Maximized;
    const auto* n = Find(h);
    return n && n->w.zoomed;
}

std::uint32_t ProcessIdOf(Handle h) {
    if (IsForm(h)) return fake_windows::kOwnProcessId;
    const auto* n = Find(h);
    return n ? n->w.processId : 0;
}

std::wstring ProcessImagePath(std::uint32_t processId) {
    auto it = S().processes.find(processId);
    return it == S().processes.end() ? std::wstring() : it->second;
}

void SetWindowTopmost(Handle h, bool on) {
    if (IsForm(h)) {
        // Shown without taking the focus, as the system's no-activate show does.
        auto& world = headless::detail::St();
        const Handle focus = world.focus;
        auto* w = headless::detail::Find(h);
        w->Show(w->State());
        world.focus = focus;
    } else if (auto* n = Find(h)) {
        n->w.visible = true;
    } else {
        return;
    }
    S().topmost[h] = on;
}

void BeginCaptionDrag(Handle h) {
    if (IsForm(h) || Find(h)) S().captionDrags.push_back(h);
}

}  // namespace plat::desktop
