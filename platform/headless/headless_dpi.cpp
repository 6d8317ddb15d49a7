// Screen scale on the headless backend: what the test set, 96 by default.
#include "platform/dpi.h"

#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"
#include "platform/headless/headless_window.h"
#include "platform/system.h"

namespace plat {

int SystemDpi() { return headless::detail::St().dpi; }

int WindowDpi(Handle window) {
    const headless::detail::HeadlessWindow* w = headless::detail::Find(window);
    return w && w->Dpi() > 0 ? w->Dpi() : SystemDpi();
}

}  // namespace plat

namespace headless {

void SetSystemDpi(int dpi) { detail::St().dpi = dpi; }

bool ChangeWindowDpi(plat::Handle h, int dpi, const plat::Rect& suggested) {
    detail::HeadlessWindow* w = detail::Find(h);
    if (!w) return false;
    w->ChangeDpi(dpi, suggested);
    plat::DoEvents();
    return true;
}

}  // namespace headless
