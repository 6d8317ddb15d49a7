// Screen scale on the headless backend: what the test set, 96 by default;
// every window has the system's.
#include "platform/services/dpi.h"

#include "platform/services/monitors.h"

#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"

namespace plat {

int SystemDpi() { return headless::detail::St().dpi; }
int WindowDpi(Handle) { return SystemDpi(); }

}  // namespace plat

namespace headless {

void SetSystemDpi(int dpi) { detail::St().dpi = dpi; }

}  // namespace headless

namespace headless {

void SetMonitors(std::vector<plat::Monitor> monitors) {
    auto& s = detail::St();
    const plat::Rect all = plat::VirtualBounds(monitors);
    s.monitors = std::move(monitors);
    s.screenOrigin = {all.left, all.top};
    SetScreen(plat::Picture::Create(all.Width(), all.Height(), plat::Rgb(0, 0, 0)));
}

void PaintScreen(const plat::Rect& r, plat::Color c) {
    auto& s = detail::St();
    s.screen.Draw().FillRect(r.Offset(-s.screenOrigin.x, -s.screenOrigin.y), c);
}

}  // namespace headless
