#pragma once
// The receiving end of requests from a command-line start (WM_COPYDATA to a
// form's window).
#include <windows.h>

namespace plat::win32 {

// Answers a WM_COPYDATA message sent to a form; 0 when it is not a request of ours.
LRESULT OnInstanceRequest(WPARAM wp, LPARAM lp);

}  // namespace plat::win32
