#pragma once
// The user's text on the real clipboard, as another program would put it
// there, and read back: what the program must leave as it found it.
#include <windows.h>

#include <cstring>
#include <string>

namespace win_testing {

inline bool PutClipboardText(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool placed = false;
    if (mem) {
        std::memcpy(GlobalLock(mem), text.c_str(), bytes);
        GlobalUnlock(mem);
        placed = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
        if (!placed) GlobalFree(mem);
    }
    CloseClipboard();
    return placed;
}

// The clipboard's text; "(no text)" when it holds none.
inline std::wstring ClipboardText() {
    if (!OpenClipboard(nullptr)) return L"(clipboard busy)";
    std::wstring text = L"(no text)";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace win_testing
