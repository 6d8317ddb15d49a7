#pragma once
// Pieces the Win32 backend's files share with each other.

namespace plat::win32 {

// Shows the program-wide pointer shape now (called from WM_SETCURSOR too).
void ApplyPointer();

}  // namespace plat::win32
