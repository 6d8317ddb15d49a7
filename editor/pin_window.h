#pragma once
// A snip pinned to the screen: a small borderless always-on-top window that
// shows one picture, outlived by nothing but itself. It is dragged by its
// body, zoomed with the wheel, copied, saved, and closed with Escape, a
// double click or its right-button menu. Several can live at once.
#include <vector>

#include "platform/toolkit/form.h"

namespace editor {

constexpr plat::Color kPinOutline = plat::Rgb(0, 122, 236);

class PinWindow : public plat::Form {
public:
    // The picture shows with its top-left pixel at `at` (screen pixels).
    PinWindow(plat::Picture picture, plat::Point at);

    const plat::Picture& Snip() const { return picture_; }
    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    void CopyToClipboard() const;
    void SaveAs();
    // The right-button menu's entries, in order.
    enum MenuItem { kMenuCopy = 0, kMenuSave, kMenuZoom100, kMenuClose, kMenuCloseAll };
    void MenuChosen(int item);

protected:
    void Form_Load() override;
    void Form_Paint() override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_MouseDown(const plat::MouseArgs& a) override;
    void Form_MouseMove(const plat::MouseArgs& a) override;
    void Form_MouseUp(const plat::MouseArgs& a) override;
    void Form_DblClick() override;
    void Form_MouseWheel(int delta, int shift) override;

private:
    plat::Picture picture_;  // the snip, as it was pinned
    plat::Picture zoomed_;   // what shows at a zoom other than 100 %, else empty
    double zoom_ = 1.0;
    plat::Point at_;         // the picture's top-left on the screen
    bool dragging_ = false;
    plat::Point dragFrom_, atPress_;
};

// Pins `picture` with its top-left pixel at `at` and shows it, focused.
// Returns the pin, owned by the pins' list until it closes.
PinWindow* OpenPin(plat::Picture picture, plat::Point at);
// The pins open now.
std::vector<PinWindow*> OpenPins();
void CloseAllPins();

}  // namespace editor
