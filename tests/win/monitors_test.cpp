// The monitor list as the system gives it, against the system's own metrics.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/services/dpi.h"
#include "platform/services/monitors.h"

namespace {

TEST(MonitorsWin, ThePrimaryComesFirstAndTheListSpansTheVirtualScreen) {
    const plat::MonitorList list = plat::Monitors();
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(static_cast<int>(list.size()), GetSystemMetrics(SM_CMONITORS));
    EXPECT_EQ(list.front().bounds, (plat::Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
    const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    EXPECT_EQ(plat::VirtualBounds(list),
              (plat::Rect{vx, vy, vx + GetSystemMetrics(SM_CXVIRTUALSCREEN), vy + GetSystemMetrics(SM_CYVIRTUALSCREEN)}));
    for (const plat::Monitor& m : list) {
        EXPECT_FALSE(m.work.Empty());
        EXPECT_EQ(m.work.Intersect(m.bounds), m.work);  // the work area lies on its monitor
        EXPECT_EQ(m.dpi, plat::SystemDpi());            // Wine has one scale for every monitor
    }
}

}  // namespace
