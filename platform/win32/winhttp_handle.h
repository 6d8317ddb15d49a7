#pragma once
// The move-only owner of a WinHTTP handle (a session, a connection, a
// request), beside the other handle owners and counted with them.
#include <windows.h>
#include <winhttp.h>

#include "platform/win32/handles.h"

namespace plat::win32 {

struct WinHttpTraits {
    static void Close(HINTERNET h) { WinHttpCloseHandle(h); }
};
using WinHttpHandle = Owned<HINTERNET, WinHttpTraits>;

}  // namespace plat::win32
