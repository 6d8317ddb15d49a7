# Sourced after lib.sh: a private two-monitor desktop for one e2e script.
#
# One Xvfb screen of 3200 x 1080 split into two RandR monitors: a 1280 x 1024
# secondary at the X root's left (Windows sees it at -1280, 0) and the
# 1920 x 1080 primary right of it. Wine reads the monitors from the Xinerama
# heads the server makes of them when its XRandR path is off (UseXRandR=N),
# and caches the layout in its desktop process: the script therefore runs
# its own prefix and wineserver, never the runner's shared ones. The strip
# under the secondary (0..1280 x 1024..1080 of the root) is on no monitor.

TWO_PRIMARY_W=1920 TWO_PRIMARY_H=1080
TWO_SECONDARY_W=1280 TWO_SECONDARY_H=1024
# X root x of the primary's left edge: X root coordinates are Windows' plus this.
TWO_OFFSET_X=$TWO_SECONDARY_W

# start_two_monitors: the display, the prefix and the wineserver, all our own.
start_two_monitors() {
  unset MS_E2E_SHARED
  export MS_WINEPREFIX="$MS_BUILD/wineprefix-two-monitors"
  MS_PREFIX_SETTINGS="$MS_PREFIX_SETTINGS
HKCU\\Software\\Wine\\X11 Driver|UseXRandR|REG_SZ|N
"
  start_display "$((TWO_PRIMARY_W + TWO_SECONDARY_W))x${TWO_PRIMARY_H}x24" || return 1
  # The primary takes over Xvfb's only output, so that output's CRTC (the
  # whole root) is no third monitor; '*' makes it Xinerama head 0, Wine's primary.
  xrandr --setmonitor "*P1" "${TWO_PRIMARY_W}/508x${TWO_PRIMARY_H}/286+${TWO_OFFSET_X}+0" screen >/dev/null &&
    xrandr --setmonitor "S2" "${TWO_SECONDARY_W}/339x${TWO_SECONDARY_H}/271+0+0" none >/dev/null || return 1
  [ "$(xrandr --listmonitors | awk 'NR == 1 { print $2 }')" = 2 ] || return 1
  ensure_prefix || return 1
  start_wineserver
}
