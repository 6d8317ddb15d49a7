#pragma once
// One scale rule for every form laid out in twips: 15 twips a pixel at the
// system's 96 dots an inch, so 1440 an inch, and pixels follow the window's
// DPI. What maps to screen pixels (the editor, overlays) does not scale.
#include <cstdint>

#include "platform/services/types.h"

namespace plat {

constexpr int kBaseDpi = 96;
constexpr int kTwipsPerInch = kTwipsPerPixel * kBaseDpi;

// Twips to whole pixels at `dpi`: nearest, halves away from zero.
constexpr int TwipsToPixels(int twips, int dpi) {
    const std::int64_t n = static_cast<std::int64_t>(twips) * dpi;
    const std::int64_t half = kTwipsPerInch / 2;
    return static_cast<int>(n >= 0 ? (n + half) / kTwipsPerInch : -((-n + half) / kTwipsPerInch));
}

// Twips to pixels at `dpi`, not rounded: a control's place and size.
constexpr float TwipsToPxF(float twips, int dpi) { return twips * static_cast<float>(dpi) / kTwipsPerInch; }
// The same at the fixed 96 dpi (15 twips a pixel), whatever the screen's scale.
constexpr float TwipsToPxAt96(float twips) { return twips / kTwipsPerPixel; }

// A length laid out in pixels at 96 dpi, at `dpi`: nearest, halves away from zero.
constexpr int ScaledPx(int px96, int dpi) {
    const std::int64_t n = static_cast<std::int64_t>(px96) * dpi;
    return static_cast<int>(n >= 0 ? (n + kBaseDpi / 2) / kBaseDpi : -((-n + kBaseDpi / 2) / kBaseDpi));
}

// The DPI a font is drawn at: its own, or the base one when it names none.
constexpr int FontDpi(const Font& f) { return f.dpi > 0 ? f.dpi : kBaseDpi; }
constexpr Font FontAtDpi(Font f, int dpi) {
    f.dpi = dpi;
    return f;
}
// The font's em height in pixels (points at its DPI, 72 points an inch).
constexpr int FontPixelHeight(const Font& f) {
    return static_cast<int>(f.points * static_cast<float>(FontDpi(f)) / 72.0f + 0.5f);
}

// The DPI the system states for new windows, and that of an existing window
// (its monitor's, for a program aware of each monitor's DPI). A window handle
// of 0, or one that is gone, gives the system's.
int SystemDpi();
int WindowDpi(Handle window);

}  // namespace plat
