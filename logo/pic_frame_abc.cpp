#include "logo/pic_frame_abc.h"

#include <initializer_list>
#include <vector>

#include "logo/frame_art.h"
#include "platform/services/dialogs.h"
#include "platform/toolkit/form.h"
#include "platform/services/window_queries.h"

namespace logo {

namespace {
constexpr plat::Color kCaptionBlue = plat::Rgb(0, 0, 255);
constexpr plat::Font kCaptionFont{L"Arial", 9.0f, false};
constexpr float kStep = 5;
// A minus step never takes the box below this.
constexpr float kLeastSide = 5;

// The lines of s as they show at `width`: broken at line breaks, wrapped
// between words (a word wider than the box stays whole on its line).
std::vector<std::wstring> WrappedLines(plat::Canvas& c, const std::wstring& s, const plat::Font& f, int width) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= s.size()) {
        size_t end = s.find(L'\n', start);
        if (end == std::wstring::npos) end = s.size();
        std::wstring para = s.substr(start, end - start);
        if (!para.empty() && para.back() == L'\r') para.pop_back();
        std::wstring line;
        size_t i = 0;
        while (i < para.size()) {
            size_t j = para.find(L' ', i);
            if (j == std::wstring::npos) j = para.size();
            const std::wstring word = para.substr(i, j - i);
            const std::wstring joined = line.empty() ? word : line + L' ' + word;
            if (!line.empty() && c.TextSize(joined, f).x > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = joined;
            }
            i = j + 1;
        }
        lines.push_back(line);
        if (end == s.size()) break;
        start = end + 1;
    }
    return lines;
}
}  // namespace

void CaptionLabel::Paint(plat::Canvas& cv, int ox, int oy) const {
    const plat::Rect box = Bounds().Offset(ox, oy);
    plat::ClipScope clip(cv, box);
    if (!Transparent) cv.FillRect(box, BackColor);
    const int lineHeight = cv.TextSize(L"", TextFont).y;
    int y = box.top;
    for (const std::wstring& line : WrappedLines(cv, Caption(), TextFont, box.Width())) {
        if (!line.empty()) cv.Text(box.left, y, line, TextFont, ForeColor);
        y += lineHeight;
    }
}

PicFrameabc::PicFrameabc(plat::Container& parent)
    : PicFrame(parent), Text1(*this), Label1(*this), Command2(*this), Command1(*this), a(*this), c(*this), d(*this),
      b(*this) {
    // Several lines take effect when the box's window is built: one built
    // already (a frame made on a shown form) is built again.
    Text1.SetMultiLine(true);
    if (Text1.Native()) {
        Text1.OnFormWindowDestroyed();
        Text1.OnFormWindowCreated();
    }
    Text1.SetFont(kCaptionFont);
    Text1.SetColors(plat::Rgb(255, 255, 255), kCaptionBlue);
    Text1.SetText(L"Text\r\n");
    Text1.Move(16, 16, 65, 41);

    Label1.Transparent = true;
    Label1.ForeColor = kCaptionBlue;
    Label1.SetFont(kCaptionFont);
    Label1.Move(16, 16, 78, 47);
    Label1.SetVisible(false);

    const struct {
        plat::Image& button;
        CaptionButtonArt art;
        float left, top;
    } buttons[] = {{Command2, CaptionButtonArt::Font, 0, 0},    {Command1, CaptionButtonArt::Colour, 0, 16},
                   {a, CaptionButtonArt::Wider, 16, 0},          {c, CaptionButtonArt::Narrower, 32, 0},
                   {d, CaptionButtonArt::Higher, 0, 32},         {b, CaptionButtonArt::Lower, 0, 48}};
    for (const auto& e : buttons) {
        e.button.SetPicture(CaptionButtonPicture(e.art));
        e.button.Move(e.left, e.top);
    }
    Command2.SetToolTipText(L"Font");
    Command1.SetToolTipText(L"Colour");
    a.SetToolTipText(L"Wider");
    c.SetToolTipText(L"Narrower");
    d.SetToolTipText(L"Higher");
    b.SetToolTipText(L"Lower");

    a.Click = [this] { a_Click(); };
    c.Click = [this] { c_Click(); };
    d.Click = [this] { d_Click(); };
    b.Click = [this] { b_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Text1.DblClick = [this] { Text1_DblClick(); };
    Text1.MouseDown = [this](const plat::MouseArgs& e) { Text1_MouseDown(e); };
    Text1.MouseMove = [this](const plat::MouseArgs& e) { Text1_MouseMove(e); };
    Label1.Click = [this] { Label1_Click(); };
    for (plat::Control* part : std::initializer_list<plat::Control*>{&Label1, &Command2, &Command1, &a, &c, &d, &b})
        part->MouseDown = [this](const plat::MouseArgs&) { Pressed(); };
    UpdateMask();
}

void PicFrameabc::AssignFrom(const plat::Control& src) {
    PicFrame::AssignFrom(src);
    if (auto* f = dynamic_cast<const PicFrameabc*>(&src)) {
        Text1.SetColors(f->Text1.BackColor(), f->Text1.ForeColor());
        Text1.SetFont(f->Text1.TextFont());
    }
}

void PicFrameabc::a_Click() {
    Text1.SetWidth(Text1.Width() + kStep);
    UpdateMask();
}

void PicFrameabc::c_Click() {
    if (Text1.Width() - kStep >= kLeastSide) Text1.SetWidth(Text1.Width() - kStep);
    UpdateMask();
}

void PicFrameabc::d_Click() {
    Text1.SetHeight(Text1.Height() + kStep);
    UpdateMask();
}

void PicFrameabc::b_Click() {
    if (Text1.Height() - kStep >= kLeastSide) Text1.SetHeight(Text1.Height() - kStep);
    UpdateMask();
}

// A cancelled dialog changes nothing.
void PicFrameabc::Command1_Click() {
    plat::ColorDialogRequest request;
    request.owner = OwnerForm().hWnd();
    request.color = Text1.ForeColor();
    const plat::ColorDialogResult answer = plat::ShowColorDialog(request);
    if (answer.Chosen()) Text1.SetColors(Text1.BackColor(), answer.color);
}

// The size and weight are taken over, not the face.
void PicFrameabc::Command2_Click() {
    plat::FontDialogRequest request;
    request.owner = OwnerForm().hWnd();
    request.font = Text1.TextFont();
    request.flags = plat::kFontScreenFonts;
    const plat::FontDialogResult answer = plat::ShowFontDialog(request);
    if (!answer.Chosen()) return;
    plat::Font f = Text1.TextFont();
    f.points = answer.font.points;
    f.bold = answer.font.bold;
    Text1.SetFont(f);
}

void PicFrameabc::ShowEditor(bool on) {
    for (plat::Control* part : std::initializer_list<plat::Control*>{&Text1, &Command2, &Command1, &a, &c, &d, &b})
        part->SetVisible(on);
    Label1.SetVisible(!on);
    UpdateMask();
}

void PicFrameabc::Text1_DblClick() {
    Label1.Move(Text1.Left(), Text1.Top(), Text1.Width(), Text1.Height());
    Label1.ForeColor = Text1.ForeColor();
    plat::Font f = Label1.TextFont;
    f.points = Text1.TextFont().points;
    f.bold = Text1.TextFont().bold;
    Label1.SetFont(f);
    Label1.SetCaption(Text1.Text());
    ShowEditor(false);
}

void PicFrameabc::Label1_Click() { ShowEditor(true); }

// The box is dragged by the first move with the button held, not at the
// press: a click still puts the caret in it for typing.
void PicFrameabc::Text1_MouseDown(const plat::MouseArgs& e) {
    Pressed();
    textPressed_ = e.button == plat::kLeftButton;
}

void PicFrameabc::Text1_MouseMove(const plat::MouseArgs& e) {
    if (!textPressed_ || !(e.button & plat::kLeftButton)) {
        textPressed_ = false;
        return;
    }
    textPressed_ = false;
    const plat::Handle box = Text1.NativeHandle();
    plat::desktop::BeginCaptionDrag(box);
    // The system moved the box's window: its place comes back to the control.
    const auto moved = plat::desktop::WindowRect(box);
    const auto frame = plat::desktop::WindowRect(hWnd());
    if (moved && frame) Text1.MovedBySystem(moved->left - frame->left, moved->top - frame->top);
    PlaceCaptionButtons();
}

void PicFrameabc::PlaceCaptionButtons() {
    const CaptionButtons p = CaptionButtonPlacement(Text1.Left(), Text1.Top(), Command2.Width(), b.Height());
    a.Move(static_cast<float>(p.a.x), static_cast<float>(p.a.y));
    c.Move(static_cast<float>(p.c.x), static_cast<float>(p.c.y));
    Command2.Move(static_cast<float>(p.command2.x), static_cast<float>(p.command2.y));
    Command1.Move(static_cast<float>(p.command1.x), static_cast<float>(p.command1.y));
    d.Move(static_cast<float>(p.d.x), static_cast<float>(p.d.y));
    b.Move(static_cast<float>(p.b.x), static_cast<float>(p.b.y));
    UpdateMask();
}

}  // namespace logo
