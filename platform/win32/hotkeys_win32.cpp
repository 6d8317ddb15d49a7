// System-wide hotkeys, global atoms and the hotkey loop's message step on Win32.
#include <windows.h>

#include "platform/services/hotkey_service.h"
#include "platform/services/message_pump.h"
#include "platform/win32/win32_internal.h"

namespace plat::hotkeys {

bool Register(Handle window, std::int32_t id, int modifiers, std::int32_t keyCode) {
    return RegisterHotKey(reinterpret_cast<HWND>(window), id, static_cast<UINT>(modifiers),
                          static_cast<UINT>(keyCode)) != FALSE;
}

void Unregister(Handle window, std::int32_t id) {
    (void)UnregisterHotKey(reinterpret_cast<HWND>(window), id);  // already gone is fine
}

std::uint16_t AddGlobalAtom(const std::string& name) {
    if (name.empty()) return 0;
    const std::wstring wide(name.begin(), name.end());  // the names are ASCII letters
    return GlobalAddAtomW(wide.c_str());
}

void DeleteGlobalAtom(std::uint16_t atom) {
    if (atom) (void)GlobalDeleteAtom(atom);
}

bool NextMessage(Handle window, const std::function<void(std::int32_t id)>& onHotKey) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the loop that owns it
        return false;
    }
    if (got < 0) return false;  // no queue to wait on: end rather than spin
    if (msg.message == WM_HOTKEY && msg.hwnd == reinterpret_cast<HWND>(window)) {
        // The identifier was registered as a signed 32-bit value; the message
        // carries it widened, so its low 32 bits are the identifier.
        onHotKey(static_cast<std::int32_t>(static_cast<std::uint32_t>(msg.wParam)));
        RunAfterDispatchHooks();
    } else {
        win32::Dispatch(msg);
    }
    return true;
}

}  // namespace plat::hotkeys
