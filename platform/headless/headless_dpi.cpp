// Screen scale on the headless backend: what the test set, 96 by default;
// every window has the system's.
#include "platform/services/dpi.h"

#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"

namespace plat {

int SystemDpi() { return headless::detail::St().dpi; }
int WindowDpi(Handle) { return SystemDpi(); }

}  // namespace plat

namespace headless {

void SetSystemDpi(int dpi) { detail::St().dpi = dpi; }

}  // namespace headless
