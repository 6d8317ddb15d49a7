#pragma once
// Resource identifiers shared by app.rc and the program's code.

#define IDI_APP 1   // main window and exe icon
#define IDI_TRAY 2  // notification-area icon
