#pragma once
// The logo overlay of the logo variants (jie, jie3): a picture frame with the
// main window's logo, kept at the chosen position inside the selection, so
// that the screen grab takes the logo with the snip.
#include "logo/pic_frame.h"
#include "platform/toolkit/controls.h"

namespace editor {

class SnipEditor;
struct VariantTraits;

class LogoOverlay {
public:
    // Only a variant that carries a logo has element 0 of PicFrame1.
    LogoOverlay(SnipEditor& editor, const VariantTraits& traits);

    // At open, first: flat, no border, transparent, showing the main window's logo.
    void SetUp();
    // To the main window's logo position inside the selection; the options
    // are read anew each time.
    void Place();
    // jie3 places it at the start of every press on the surface too.
    void PlaceAtPress();
    // The grab shows it before reading the screen.
    void ShowForGrab();

    plat::ControlArray<logo::PicFrame> PicFrame1;

private:
    SnipEditor& editor_;
};

}  // namespace editor
