#pragma once
// A push button with a coloured face: windowless, painted by its host as a
// raised box in its colour with its caption centred. Click runs on a left
// release over it, as with any windowless control.
#include <string>

#include "platform/toolkit/controls.h"

namespace plat {

class FaceButton : public Control {
public:
    using Control::Control;
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring s);
    Color FaceColor = Rgb(240, 240, 240);
    Color ForeColor = Rgb(0, 0, 0);
    Font TextFont;
    void SetFace(Color face);
    void SetFont(const Font& f);
    // Presses the button from code: runs Click.
    void PerformClick() {
        if (Click) Click();
    }
    void Paint(Canvas& c, int ox, int oy) const override;
    void AssignFrom(const Control& src) override;

private:
    std::wstring caption_;
};

}  // namespace plat
