#pragma once
// The frames panel of an editor: ten picture buttons that put a frame or a
// sticker on the snip as a picture frame at the selection's top-left, the
// button that deletes the picture frame clicked last, the one that opens the
// logo library, and the counters the library advances from outside.
#include <cstdint>
#include <optional>
#include <string>

#include "logo/pic_frame_abc.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/native_controls.h"

namespace editor {

class SnipEditor;

// The picture file each of the ten buttons puts on the snip.
struct FrameButton {
    const wchar_t* file;   // appended to the program's folder
    int left, top, size;   // twips inside the panel
};
constexpr int kFrameButtons = 10;
// Image6, Image7, Image5, Image8, Image33, Image32, Image31, Image30, Image29, Image28.
extern const FrameButton kFrameButtonTable[kFrameButtons];

// The counter text as the 16-bit number it holds; nullopt when it holds none.
std::optional<std::int16_t> CounterValue(const std::wstring& text);
// The numbers the next picture frame takes from Text2: the new Text2 and
// Text3; nullopt when Text2 holds no number or the numbers are used up.
struct FrameNumbers {
    std::int16_t text2, text3;
};
std::optional<FrameNumbers> NextFrameNumbers(const std::wstring& text2);

class FramesPanel {
public:
    FramesPanel(SnipEditor& editor, plat::PictureBox& panel);

    // Creates picture frame number Text2 + 1 showing `path` at the selection's
    // top-left. Returns its number, or -1 when none could be made.
    int CreatePictureFrame(const std::wstring& path);
    void Image10_Click();  // "Delete Frame"
    void Image11_Click();  // opens the logo library
    // Places the buttons for the style bar's scale; their pictures are drawn
    // while the panel shows, or when it is next shown (DrawButtons).
    void ScaleTo(int dpi);
    // Draws the buttons' pictures for the current scale unless they are drawn:
    // the sticker files are read only when the panel first shows.
    void DrawButtons();

    plat::ControlArray<plat::Image> Buttons;  // the ten picture buttons, table order
    plat::Image Image11;  // the logo library
    plat::Image Image10;  // "Delete Frame"
    plat::TextBox Text2;  // number of the picture frame made last, "1" at first
    plat::TextBox Text3;  // always Text2 + 1 after a creation
    plat::TextBox Text5;  // number of the picture frame clicked last, "" for none
    plat::ControlArray<logo::PicFrameabc> PicFrameabc1;  // 0 is the hidden template

private:
    void PicFrameabc1_GotFocus(int index);
    SnipEditor& editor_;
    plat::PictureBox& panel_;
    int dpi_ = 0;
    int drawnDpi_ = 0;  // the scale the buttons' pictures were drawn for, 0 none
};

// Hides the logo library window if it is loaded.
void HideLogoLibrary();

// The logo library floats over the editor, often over the selection: a grab
// must not take it. Hidden while this lives, shown again after if it was.
class LibraryOutOfTheGrab {
public:
    LibraryOutOfTheGrab();
    ~LibraryOutOfTheGrab();
    LibraryOutOfTheGrab(const LibraryOutOfTheGrab&) = delete;
    LibraryOutOfTheGrab& operator=(const LibraryOutOfTheGrab&) = delete;

private:
    bool shown_ = false;
};

// "Select it" of the logo library: the editor numbered `number` ("1" aaa,
// "2" jie, "3" bing, "4" jie3), created hidden when it is not open, gets a
// picture frame with `path`. Any other number does nothing.
void AddLibraryPicture(const std::wstring& number, const std::wstring& path);

}  // namespace editor
