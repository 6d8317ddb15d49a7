#pragma once
// The window picker overlay (Form2, asdd): a translucent coloured frame that
// sits on the window under the pointer while a pick runs, with a small marker
// under the cursor so that a click there lands on it. Its colour pulses and a
// bright segment runs around it; a release of any button over it picks the
// window, and losing the focus ends the pick without a capture.
#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "window/picker_geometry.h"

namespace window {

class WindowInspector;

class WindowPicker : public plat::Form {
public:
    WindowPicker();

    // Moves the overlay onto a window's outer rectangle (screen pixels),
    // raised above every window, and starts the pulse and a faster border.
    void PlaceOn(const plat::Rect& windowRect);
    // A new pick starts: the next focus loss or release ends it.
    void BeginPick();
    // The user ended the current pick with Escape: no capture, no editor.
    bool Cancelled() const { return cancelled_; }

    plat::Line Line1;
    plat::Line Line2;
    plat::Timer Timer1;  // colour pulse, 10 ms, from the first placement on
    plat::Timer Timer2;  // running border

    std::int32_t Perimeter = 0;
    std::int16_t GlowRed = 0, GlowGreen = 0, GlowBlue = 0;
    float GlowFactor = 0;
    float LastMouseX = 0, LastMouseY = 0;
    std::int32_t BorderStep = 0;

    static constexpr plat::Color kBorderGreen = plat::Rgb(60, 200, 65);
    static constexpr int kOpacity = 200;

protected:
    // The inspector that runs this overlay's picks, if it is loaded.
    virtual WindowInspector* RunningInspector() = 0;

    void Form_Load() override;
    void Form_MouseMove(const plat::MouseArgs& a) override;
    void Form_MouseUp(const plat::MouseArgs& a) override;
    void Form_LostFocus() override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_Paint() override;

private:
    void Form_Resize();
    void Timer1_Timer();
    void Timer2_Timer();
    void AnimateBorder(std::int32_t step);
    // The frame and marker in the pulse's colour, the running segment over them.
    void PaintShape(plat::Canvas& c) const;
    // Crops the picked window into the inspector (when `crop`), hides the
    // overlay and ends the pick.
    void EndPick(bool crop);

    std::vector<plat::Rect> appliedRegion_;
    plat::Color glowColor_ = plat::Rgb(255, 0, 0);  // the design's back colour until the first pulse
    static constexpr std::chrono::milliseconds kPulseFrame{30};
    std::chrono::steady_clock::time_point lastPulsePaint_{};
    bool releasing_ = false;  // a release is picking: it ends the pick itself
    bool ended_ = true;       // the current pick has ended (or none runs)
    bool pulsing_ = false;    // a colour tick runs the pending events
    bool cancelled_ = false;  // ended by Escape
};

}  // namespace window
