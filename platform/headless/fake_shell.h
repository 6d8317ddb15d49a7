#pragma once
// Test controls of the fake desktop shell: tray icons, opened addresses,
// layered styles, and the program ending at once.
#include <optional>
#include <string>
#include <vector>

#include "platform/services/types.h"

namespace plat::fake {

struct TrayRecord {
    Handle window = 0;
    std::wstring tip;
};
struct BalloonRecord {
    Handle window = 0;
    std::wstring title, text;
    friend bool operator==(const BalloonRecord&, const BalloonRecord&) = default;
};
// The icons in the notification area now.
std::vector<TrayRecord> TrayIcons();
// The user moves over or clicks the window's icon (514: left button released).
bool TrayNotify(Handle window, int mouseMessage);
// Every balloon shown since the reset, oldest first.
const std::vector<BalloonRecord>& Balloons();

const std::vector<std::wstring>& OpenedUrls();

// The answer of the next tray menus (an item index, -1 for none) and the
// items of the last one shown.
void SetTrayMenuAnswer(int index);
const std::vector<std::wstring>& LastTrayMenu();

struct LayeredStyle {
    bool onTop = false;
    int alpha = 255;
    bool clickThrough = false;
};
std::optional<LayeredStyle> LayeredStyleOf(Handle window);

// Thrown by EndProgramNow on the headless backend, so a test sees the end
// instead of the test program stopping.
struct ProgramEnded {
    int code = 0;
};

void ResetShell();

}  // namespace plat::fake
