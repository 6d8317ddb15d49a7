#include "window/window_utils.h"

#include <algorithm>
#include <vector>

#include "platform/services/system.h"
#include "platform/services/window_queries.h"

namespace window {

namespace desktop = plat::desktop;

std::wstring GetWindowInfoText(plat::Handle h, int kind) {
    switch (kind) {
        case kClassNameInfo: return desktop::ClassName(h).value_or(std::wstring());
        case kCaptionInfo: return GetWindowTextByMessage(h);
        default: return {};
    }
}

std::wstring GetWindowTextByMessage(plat::Handle h) {
    const long n = desktop::TextLength(h);
    if (n <= 0) return {};
    return desktop::TextByMessage(h, static_cast<int>(std::min(n, kMaxWindowTextChars)));
}

std::wstring GetProcessPath(std::uint32_t processId, plat::TextBox& TxtProName) {
    std::wstring path = desktop::ProcessImagePath(processId);
    // npos + 1 is 0: a path without a separator is all file name.
    TxtProName.SetText(path.substr(path.rfind(L'\\') + 1));
    if (path.empty()) path = L"SYSTEM  ";
    return path;
}

namespace {

bool WalkFull() { return ChildIndex >= kMaxChildHandles - 1; }

void StoreChild(plat::Handle h) {
    ++ChildIndex;
    ChildHandles.resize(static_cast<size_t>(ChildIndex) + 1);
    ChildHandles[static_cast<size_t>(ChildIndex)] = h;
}

}  // namespace

void CollectChildren(plat::Handle h) {
    if (ChildIndex < 0) {  // a fresh walk
        ChildIndex = -1;
        ChildHandles.clear();
    }
    // The cap also ends a sibling chain that loops (windows reordered while
    // pending events run), which would otherwise never end.
    if (WalkFull()) return;
    const plat::Handle first = desktop::FirstChild(h);
    if (!first) return;
    std::vector<plat::Handle> siblings{first};
    StoreChild(first);
    for (plat::Handle n = desktop::NextSibling(first); n && !WalkFull(); n = desktop::NextSibling(n)) {
        StoreChild(n);
        siblings.push_back(n);
        plat::DoEvents();
    }
    for (plat::Handle s : siblings) CollectChildren(s);
}

plat::Handle FindChildAtPoint(int x, int y) {
    plat::Handle result = 0;
    int best = 0;
    plat::Rect r;  // kept from the previous entry when a rectangle cannot be read
    for (size_t i = 0; i < ChildHandles.size(); ++i) {
        const plat::Handle h = ChildHandles[i];
        if (const auto got = desktop::WindowRect(h)) r = *got;
        if (r.left < x && x < r.right && r.top < y && y < r.bottom) {
            if (r.left > best) {
                result = h;
                best = r.left;
            }
        } else {
            result = 0;
        }
    }
    return result;
}

void SetTopmost(plat::Handle h, bool on) { desktop::SetWindowTopmost(h, on); }

void DragMoveForm(plat::Form& form) {
    if (!form.Loaded() || form.GetWindowState() == plat::WindowState::Maximized) return;
    desktop::BeginCaptionDrag(form.hWnd());
}

}  // namespace window
