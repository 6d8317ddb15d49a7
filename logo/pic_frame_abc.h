#pragma once
// PicFrameabc: a picture frame with a caption editor. A text box with six
// small buttons (wider, narrower, higher, lower, colour, font) edits the
// caption; a double click on the box finishes it into a label over the
// picture, and a click on the label edits it again.
#include <string>

#include "logo/pic_frame.h"
#include "platform/toolkit/native_controls.h"

namespace logo {

// A transparent caption that breaks at line breaks and wraps at its width.
class CaptionLabel : public plat::Label {
public:
    using Label::Label;
    void Paint(plat::Canvas& c, int ox, int oy) const override;
};

class PicFrameabc : public PicFrame {
public:
    explicit PicFrameabc(plat::Container& parent);

    plat::TextBox Text1;    // the caption being edited
    CaptionLabel Label1;    // the finished caption
    plat::Image Command2;   // font
    plat::Image Command1;   // colour
    plat::Image a;          // wider by 5
    plat::Image c;          // narrower by 5
    plat::Image d;          // higher by 5
    plat::Image b;          // lower by 5

    bool Editing() const { return Text1.Visible(); }
    void AssignFrom(const plat::Control& src) override;

    // The handlers, public so hosts and tests can drive them as a click does.
    void a_Click();
    void c_Click();
    void d_Click();
    void b_Click();
    void Command1_Click();
    void Command2_Click();
    void Text1_DblClick();
    void Label1_Click();
    // The caption box was dropped at (left, top): the buttons follow it.
    void PlaceCaptionButtons();

private:
    void Text1_MouseDown(const plat::MouseArgs& a);
    void Text1_MouseMove(const plat::MouseArgs& a);
    void ShowEditor(bool on);
    bool textPressed_ = false;
};

}  // namespace logo
