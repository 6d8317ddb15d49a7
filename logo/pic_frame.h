#pragma once
// PicFrame: a small window on any form that shows one picture file. Setting
// its path draws the picture 1:1 and sizes the frame to it plus a 10-pixel
// margin; everything white in it is see-through. Any button drags it; a
// double click shows or hides two handles that stretch the picture.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "logo/pic_frame_geometry.h"
#include "platform/toolkit/controls.h"

namespace logo {

// The five properties as a host keeps them, by name, as decimal text.
using PropertyValues = std::map<std::wstring, std::wstring>;

// True only for a path with a drive letter ("C:\...") that names a file
// (not a folder): relative and network paths show nothing.
bool FileExists(const std::wstring& path);

// The drawn picture: presses on it belong to the frame.
class FramePicture : public plat::Image {
public:
    using Image::Image;
    bool ReceivesMouse() const override { return false; }
};

class PicFrame : public plat::PictureBox {
public:
    explicit PicFrame(plat::Container& parent);
    ~PicFrame() override;

    // Stores the path, makes the background transparent and draws the file
    // at its own size. Initially "0" (the number 0 as text).
    const std::wstring& PicPath() const { return picPath_; }
    void SetPicPath(const std::wstring& path);
    // 0 flat; kept, the frame has no 3-D look of its own.
    std::int16_t Appearance() const { return appearance_; }
    void SetAppearance(std::int16_t v);
    // 0 transparent (white is see-through), 1 opaque.
    std::int16_t BackStyle() const { return backStyle_; }
    void SetBackStyle(std::int16_t v);
    // 0 none, 1 a thin line around the frame.
    std::int16_t BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(std::int16_t v);
    // The stored colour (0 at first); setting it colours the frame's background.
    void SetBackColorProperty(plat::Color c);
    // A press anywhere on the frame (it takes the focus, as a clicked control does).
    std::function<void()> GotFocus;
    // Told the property's name after each setter.
    std::function<void(const std::wstring& name)> PropertyChanged;

    // The five values under their names; reading them back only stores them:
    // nothing is applied or drawn.
    void WriteProperties(PropertyValues& bag) const;
    void ReadProperties(const PropertyValues& bag);

    // Draws the file: with autoSize at its own size (the frame sized to it
    // plus the margin), else stretched over the frame less the margin. A path
    // FileExists refuses changes nothing.
    void DrawPicture(const std::wstring& path, bool autoSize);

    // What is drawn now (empty when nothing is).
    const plat::Picture& Drawn() const { return picture_.GetPicture(); }
    bool HandlesShown() const { return Picture1.Visible(); }

    void AssignFrom(const plat::Control& src) override;

    FramePicture picture_;
    plat::PictureBox Picture1;  // bottom handle
    plat::PictureBox Picture2;  // right handle
    plat::Shape border_;        // shown with BorderStyle 1

protected:
    // The window's shape again: the picture's non-white parts, the caption
    // parts and handles that show, and the whole margin when it is not white.
    void UpdateMask();
    void PlaceHandles();
    // Drag the frame inside its parent, as by a caption.
    void DragFrame();
    void Pressed() {
        if (GotFocus) GotFocus();
    }

private:
    void Frame_DblClick();
    void Picture1_MouseMove(const plat::MouseArgs& a);
    void Picture2_MouseMove(const plat::MouseArgs& a);
    void Changed(const wchar_t* name);

    std::wstring picPath_ = L"0";
    std::int16_t appearance_ = 0, backStyle_ = 0, borderStyle_ = 0;
    plat::Color backColorProperty_ = 0;
    std::vector<plat::Rect> pictureBands_;  // the drawn picture's opaque parts
};

}  // namespace logo
