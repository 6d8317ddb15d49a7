#pragma once
// sss: the logo library, a small window with eight logo slots. Each slot
// keeps the path of a picture in a hidden box, shows the picture, replaces
// it from a file ("Replace the image", stored in a.ini) and puts it on the
// snip being edited ("Select it"). Loaded hidden at start-up by frmMain,
// which fills the slots; the editors show it from their frames panel.
#include <string>

#include "logo/pic_frame.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/native_controls.h"

namespace logo {

constexpr int kSlots = 8;
constexpr int kLibraryWidthTwips = 3615;
constexpr int kLibraryHeightTwips = 4200;
// A filled slot's frame, twips.
constexpr int kSlotWidthTwips = 1452;
constexpr int kSlotHeightTwips = 854;

// Where slot k's parts lie in the slot panel, twips.
struct SlotPlaces {
    plat::Point frame, select, replace;
};
constexpr SlotPlaces SlotLayout(int k) {
    const int c = k % 2, r = k / 2;
    return {{1800 * c, 960 * r}, {1440 + 1800 * c, 120 + 960 * r}, {1440 + 1800 * c, 480 + 960 * r}};
}

}  // namespace logo

class sss : public plat::Form {
public:
    sss();

    // Slot k's picture: its frame shows the path in baa(k), at the filled size.
    void ShowSlot(int k);

    // The handlers of the eight slots, one procedure each with the slot's number.
    void ReplaceImage_Click(int k);  // Image1..Image8
    void SelectIt_Click(int k);      // Image12..Image19
    void Image9_Click();             // close
    void Image10_Click();            // help

    plat::PictureBox banner;
    plat::Image Image10;  // help
    plat::Image Image9;   // close
    plat::PictureBox Picture63;  // the slot panel
    plat::ControlArray<plat::TextBox> baa;          // the slots' paths, out of reach
    plat::ControlArray<logo::PicFrame> PicFrame5;   // the slots' pictures
    plat::ControlArray<plat::Image> ReplaceIcon;    // Image1..Image8, "Replace the image"
    plat::ControlArray<plat::Image> SelectIcon;     // Image12..Image19, "Select it"

protected:
    // Moved to a monitor of another scale: laid out again at it.
    void Form_DpiChanged(int dpi, const plat::Rect& suggested) override;

private:
    int Px(int twips) const;
    void LayOut();
    void DragWindow();
};
