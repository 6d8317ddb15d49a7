#include "editor/frames_panel.h"

#include <algorithm>
#include <cwchar>

#include "editor/snip_editor.h"
#include "editor/toolbar_layout.h"
#include "editor/variants.h"
#include "logo/frame_art.h"
#include "logo/sss.h"
#include "platform/services/dpi.h"
#include "platform/toolkit/forms.h"
#include "platform/services/files.h"
#include "platform/services/picture_file.h"
#include "platform/services/system.h"

namespace editor {

const FrameButton kFrameButtonTable[kFrameButtons] = {
    {L"\\3.PNG", 0, 0, 240},       {L"\\5.PNG", 240, 0, 240},     {L"\\1.PNG", 0, 240, 240},
    {L"\\2.PNG", 240, 240, 240},   {L"\\a1.gif", 480, 120, 300},  {L"\\a2.gif", 840, 120, 300},
    {L"\\a3.gif", 1200, 120, 300}, {L"\\a4.gif", 1560, 120, 300}, {L"\\a5.gif", 1800, 120, 300},
    {L"\\a6.gif", 2160, 120, 300},
};

namespace {
// What each button places, as its tooltip says it, in the table's order.
constexpr const wchar_t* kFrameButtonTips[kFrameButtons] = {
    L"Frame: corner marks",   L"Frame: gold and navy border", L"Frame: blue rounded border",
    L"Frame: red dashed border", L"Sticker: arrow",           L"Sticker: check mark",
    L"Sticker: star",         L"Sticker: number badge",       L"Sticker: callout",
    L"Sticker: warning sign",
};

// The release keeps the pictures in a "pictures" folder beside the program;
// a copy that has them beside the program itself (older layouts) still works.
std::wstring PictureFilePath(const wchar_t* file) {
    const std::wstring inFolder = plat::ExeDir() + L"\\pictures" + file;
    return plat::FileExists(inFolder) ? inFolder : plat::ExeDir() + file;
}

// A sticker's button shows its own picture file, small (a missing file, a
// blank button rather than nothing to click); a frame's, a drawing of it.
plat::Picture ButtonPicture(int index, int dpi) {
    const FrameButton& b = kFrameButtonTable[index];
    const int s = plat::TwipsToPixels(b.size, dpi);
    // The table lists 3.PNG, 5.PNG, 1.PNG, 2.PNG first.
    static constexpr int kFrameArt[] = {2, 3, 0, 1};
    if (index < 4) return logo::FrameButtonPicture(kFrameArt[index], s);
    plat::DrawnPictureFile f = plat::DrawPictureFile(PictureFilePath(b.file), s, s);
    if (!f.drawn.Empty()) return f.drawn;
    plat::Picture blank = plat::Picture::Create(s, s, plat::Rgb(255, 255, 255));
    blank.Draw().FrameRect({0, 0, s, s}, plat::Rgb(160, 170, 190), 1);
    return blank;
}
}  // namespace

std::optional<std::int16_t> CounterValue(const std::wstring& text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    wchar_t* end = nullptr;
    const long v = std::wcstol(text.c_str(), &end, 10);
    if (*end != L'\0' || v < INT16_MIN || v > INT16_MAX) return std::nullopt;
    return static_cast<std::int16_t>(v);
}

// Text3 is one above Text2, so Text2 stops at 32766: the numbers are never
// wrapped round (a wrapped number would name a frame that exists).
std::optional<FrameNumbers> NextFrameNumbers(const std::wstring& text2) {
    const auto v = CounterValue(text2);
    if (!v || *v >= INT16_MAX - 1) return std::nullopt;
    const auto n = static_cast<std::int16_t>(*v + 1);
    return FrameNumbers{n, static_cast<std::int16_t>(n + 1)};
}

FramesPanel::FramesPanel(SnipEditor& editor, plat::PictureBox& panel)
    : Buttons(panel, kFrameButtons),
      Image11(panel),
      Image10(panel),
      Text2(editor),
      Text3(editor),
      Text5(editor),
      PicFrameabc1(editor, 1),
      editor_(editor),
      panel_(panel) {
    ScaleTo(plat::kBaseDpi);
    for (int i = 0; i < kFrameButtons; ++i) Buttons[i].SetToolTipText(kFrameButtonTips[i]);
    Buttons.SetWiring([this](plat::Image& e, int i) {
        e.Click = [this, i] { CreatePictureFrame(PictureFilePath(kFrameButtonTable[i].file)); };
    });
    Image11.SetToolTipText(L"Logo library");
    Image11.Click = [this] { Image11_Click(); };
    Image10.SetToolTipText(L"Delete Frame");
    Image10.Click = [this] { Image10_Click(); };

    Text2.SetText(L"1");
    for (plat::TextBox* t : {&Text2, &Text3, &Text5}) {
        t->SetVisible(false);
        t->Move(0, 0, 40, 20);
    }
    PicFrameabc1[0].SetVisible(false);
    PicFrameabc1.SetWiring([this](logo::PicFrameabc& f, int i) { f.GotFocus = [this, i] { PicFrameabc1_GotFocus(i); }; });
}

void FramesPanel::ScaleTo(int dpi) {
    dpi_ = dpi;
    for (int i = 0; i < kFrameButtons; ++i) {
        const FrameButton& b = kFrameButtonTable[i];
        Buttons[i].Move(plat::TwipsToPxF(static_cast<float>(b.left), dpi), plat::TwipsToPxF(static_cast<float>(b.top), dpi));
    }
    Image11.Move(plat::TwipsToPxF(2520, dpi), 0);
    Image10.Move(plat::TwipsToPxF(3000, dpi), 0);
    if (editor_.Loaded() && panel_.ShownOnForm()) DrawButtons();
}

void FramesPanel::DrawButtons() {
    if (drawnDpi_ == dpi_) return;
    drawnDpi_ = dpi_;
    for (int i = 0; i < kFrameButtons; ++i) Buttons[i].SetPicture(ButtonPicture(i, dpi_));
    Image11.SetPicture(logo::LibraryIconPicture(plat::ScaledPx(32, dpi_), plat::ScaledPx(31, dpi_)));
    Image10.SetPicture(logo::DeleteIconPicture(plat::ScaledPx(32, dpi_), plat::ScaledPx(31, dpi_)));
}

int FramesPanel::CreatePictureFrame(const std::wstring& path) {
    const auto next = NextFrameNumbers(Text2.Text());
    if (!next) return -1;
    Text2.SetText(std::to_wstring(next->text2));
    Text3.SetText(std::to_wstring(next->text3));
    const int n = next->text2;
    if (!PicFrameabc1.Load(n)) return -1;
    logo::PicFrameabc& f = PicFrameabc1[n];
    f.Move(editor_.Shape1.Left(), editor_.Shape1.Top());
    f.SetVisible(true);
    f.SetPicPath(path);
    f.Move(editor_.Shape1.Left(), editor_.Shape1.Top());
    return n;
}

void FramesPanel::Image10_Click() {
    if (Text5.Text().empty()) {
        plat::MsgBox(L"No choice pictures", L"Morrowen Snip", plat::kMsgOk);
        return;
    }
    if (const auto n = CounterValue(Text5.Text())) PicFrameabc1.Unload(*n);
    Text5.SetText(L"");
}

void FramesPanel::Image11_Click() {
    sss& library = plat::Forms<sss>();
    library.Show();
    // Above the style bar: 281 pixels is the library's height as the editor
    // was designed; held on the screen where the bar lies near its top.
    // On the monitor that holds the toolbar, in screen pixels.
    const plat::Rect b = library.Bounds();
    const plat::Rect monitor = ToolbarMonitor(editor_.CurrentSelection(), editor_.EditorMonitors());
    const plat::Point o = LibraryWindowOrigin(editor_.Picture2.Left(), editor_.Picture2.Top(), b.Width(), monitor);
    const plat::Point at{o.x + editor_.ScreenOrigin().x, o.y + editor_.ScreenOrigin().y};
    library.SetBounds({at.x, at.y, at.x + b.Width(), at.y + b.Height()});
}

void FramesPanel::PicFrameabc1_GotFocus(int index) { Text5.SetText(std::to_wstring(index)); }

void HideLogoLibrary() {
    if (sss* library = plat::LoadedForm<sss>()) library->Hide();
}

LibraryOutOfTheGrab::LibraryOutOfTheGrab() {
    sss* library = plat::LoadedForm<sss>();
    shown_ = library && library->Visible();
    if (shown_) library->Hide();
}

LibraryOutOfTheGrab::~LibraryOutOfTheGrab() {
    // Looked up again: the grab lets events run, which may have unloaded it.
    if (sss* library = plat::LoadedForm<sss>(); library && shown_) library->ShowNoActivate();
}

namespace {
template <class Editor>
void AddTo(const std::wstring& path) {
    // Loaded without being shown when it is not open.
    plat::Forms<Editor>().Frames.CreatePictureFrame(path);
}
}  // namespace

void AddLibraryPicture(const std::wstring& number, const std::wstring& path) {
    if (number == L"1") AddTo<aaa>(path);
    else if (number == L"2") AddTo<jie>(path);
    else if (number == L"3") AddTo<bing>(path);
    else if (number == L"4") AddTo<jie3>(path);
}

}  // namespace editor
