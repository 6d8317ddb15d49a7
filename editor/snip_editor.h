#pragma once
// The full-screen snip editor: one design, built as four variant windows.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/annotation_geometry.h"
#include "editor/frames_panel.h"
#include "editor/freehand.h"
#include "editor/logo_stamp.h"
#include "editor/history.h"
#include "editor/magnifier.h"
#include "editor/markup_strip.h"
#include "editor/selection_geometry.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/native_controls.h"

namespace editor {

// What distinguishes the four editor windows.
struct VariantTraits {
    const char* name;          // "aaa", "jie", "bing", "jie3"
    bool logo;                 // carries the user's logo inside the selection
    bool presetFromInspector;  // opens with its selection on a picked window
    int frameWidth;            // selection frame width in pixels
    int frameNumber;           // the editor number written by "Add Frame"
};

// The selection-frame colour, also the handles' and the labels' colour.
constexpr plat::Color kSelectionBlue = plat::Rgb(0, 122, 236);
constexpr int kToolbarWidth = 265;
constexpr int kToolbarHeight = 26;
constexpr int kToolbarButtons = 10;
// The sixteen palette swatches and, last, the current colour's.
constexpr int kSwatches = 17;
constexpr int kCurrentColorSwatch = 16;
// How much darker the frozen picture shows outside the selection.
constexpr int kShadePercent = 40;

class SnipEditor : public plat::Form {
public:
    explicit SnipEditor(const VariantTraits& traits);
    const VariantTraits& Traits() const { return traits_; }

    // The pixels of the screen rectangle (right and bottom exclusive) as the
    // editor shows it with the frame, handles and labels hidden first; empty
    // for an empty rectangle. The clipboard is not touched.
    plat::Picture GrabScreenRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    // Grabs the screen rectangle as GrabScreenRect does and puts it on the
    // clipboard as a bitmap. While another program holds the clipboard it
    // tries again for about two seconds, events still running; false when it
    // never got it. The grab is kept in lastGrab_.
    bool ScrnCap(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    // Asks for a file name and saves `snip` there; the clipboard is not
    // touched. True when the file was written; false after a cancel or a
    // failure, which the user has been told about.
    bool CutdSave(const plat::Picture& snip);
    // Places the eight handles around the selection and shows them.
    void ImageMove();
    // Draws an arrow from (x1, y1) to its tip (x2, y2) on the surface with its
    // drawing width; the head's strokes are `size` long along the shaft.
    void Arrow(plat::Form& surface, float x1, float y1, float x2, float y2, float size, plat::Color color);
    // Opens the drop-down list of the combo box `combo` if it is closed, else closes it.
    void OpenCombo(plat::Handle combo);

    // The selection frame's geometry.
    Selection CurrentSelection() const;
    // Opens with the selection already on `r` (screen pixels) and its toolbar
    // shown, as if the user had just dragged it out; a rectangle off the
    // screen leaves the editor as it is (snip_editor_repeat.cpp).
    void PresetSelection(const plat::Rect& r);

    // The editor covers the virtual screen: its top-left in screen pixels, and
    // the monitors in the editor's own pixels (read at each opening).
    plat::Point ScreenOrigin() const { return origin_; }
    const plat::MonitorList& EditorMonitors() const { return monitors_; }
    // A screen point in the editor's pixels.
    plat::Point FromScreen(plat::Point p) const { return {p.x - origin_.x, p.y - origin_.y}; }

    // Colour split as the colour readout shows it.
    static void SplitColor(plat::Color c, int& red, int& green, int& blue);

    // Editor state (private to this window, reset at every opening).
    std::string ModeTag = "draw";
    std::string HandleDrag;
    float AnchorX = 0, AnchorY = 0;
    float GrabLeft = 0, GrabTop = 0, GrabRight = 0, GrabBottom = 0;
    float PressX = 0, PressY = 0;
    plat::Rect SelectionRect;
    plat::Point HandlePointer;
    std::int32_t CloseGuard = 0;
    bool ToolActive = false;
    std::wstring CurrentTool;
    bool ShapeDragging = false;
    float ShapeStartX = 0, ShapeStartY = 0;
    std::int32_t LastToolbarButton = 0;
    // The pictures of the committed steps; Position() and Top() are the
    // current and the highest entry.
    History HistoryEntries;

    // Controls, in paint order (later ones float above earlier ones).
    plat::Shape Shape1;                       // selection frame
    plat::ControlArray<plat::Image> Image1;   // resize handles 0..7
    plat::Label LblPos;                       // size label
    plat::Label lblInfo;                      // colour readout
    plat::TextBox TextEdit;                   // the text tool's in-place box
    plat::PictureBox Picture1;                // toolbar strip
    plat::ControlArray<plat::Shape> Shape3;   // hover squares, behind the buttons
    plat::ControlArray<plat::Image> Image2;   // buttons 0..9
    plat::Line Line1, Line2;                  // separators
    plat::Shape Shape2;                       // toolbar outline
    MarkupStrip Strip;                        // pixelate, highlighter, pen, steps, pin (snip_editor_markup_tools.cpp)
    plat::PictureBox Picture2;                // style bar
    plat::PictureBox PicFont;                 // size picker
    plat::Image Image3;                       // its icon
    plat::ComboBox Combo1;                    // the size list (only its drop-down shows)
    plat::PictureBox PicCombox;               // the button drawn in the list's place
    plat::TextBox Text1;                      // the current size
    plat::ControlArray<plat::Image> Image4;   // the button's normal, hover and pressed looks
    plat::PictureBox PicColor;                // palette
    plat::ControlArray<plat::PictureBox> Pcolor;  // swatches 0..15, current colour 16
    plat::PictureBox Picture3;                // frames panel, over the pickers
    plat::Shape Shape4;                       // style bar outline
    FramesPanel Frames;                       // frames panel contents and picture frames
    LogoOverlay Logo;                         // PicFrame1(0) of the logo variants
    Magnifier Zoom;                           // beside the pointer while a selection is placed

protected:
    void Form_Load() override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_KeyPress(int charCode) override;
    void Form_MouseDown(const plat::MouseArgs& a) override;
    void Form_MouseMove(const plat::MouseArgs& a) override;
    void Form_MouseUp(const plat::MouseArgs& a) override;
    void Form_DblClick() override;

private:
    void ResetState();
    void ReadMonitors();
    // The virtual screen's size: drags and arrow keys keep the selection inside it.
    float DesktopWidthF() const { return static_cast<float>(desktopSize_.x); }
    float DesktopHeightF() const { return static_cast<float>(desktopSize_.y); }
    void PresetFromInspector();  // window variants: selection on the picked window (snip_editor_window_preset.cpp)
    void CaptureScreenToSurface();
    void WireSelectionEvents();

    // Selection handling.
    void Image1_MouseDown(int index, const plat::MouseArgs& a);
    void Image1_MouseMove(int index, const plat::MouseArgs& a);
    void Image1_MouseUp(int index, const plat::MouseArgs& a);
    void Picture1_MouseMove(const plat::MouseArgs& a);
    void Picture2_MouseMove(const plat::MouseArgs& a);
    void SetSelection(const Selection& s);
    void DiscardSelection(float x, float y);
    void ShowColorUnder(float x, float y);
    void UpdateShade();
    void SetSizeLabel();
    void PlaceLabels();
    void PlaceAndShowToolbar();
    void CopySelectionAndClose();

    // Toolbar.
    void BuildToolbar();
    void Image2_Click(int index);
    void Image2_MouseMove(int index);
    void ChooseTool(int index);
    void AddFrame();
    void RevertStep();
    void RedoStep();
    // Grabs the selection into memory and saves it; closes once it is saved.
    void SaveSelection();
    // Hides the bars and the frame and lets the screen repaint without them;
    // copying_ is set until the caller's grab is done.
    void HideBarsForGrab();
    // The frame, handles, labels and toolbar back after a grab that did not
    // end the editor.
    void ShowSelectionAgain();
    void ShowPicture(plat::Picture p);
    void PlaceStyleBar();
    void ToggleStyleBar(int index);
    void HideHoverSquares();

    // Style pickers.
    void BuildStylePickers();
    void PresetSizes(const std::vector<std::wstring>& sizes, const std::wstring& current);
    void Pcolor_MouseUp(int index);
    void Pcolor_MouseMove(int index);
    // Outlines the palette swatch of the current colour, and only it.
    void MarkCurrentSwatch();
    void SetSizeButtonLook(int look);
    void Combo1_Click();
    plat::Color CurrentColor() const;

    // The magnifier: kept on or off in the settings file, read when first
    // needed (the pointer's first move), not on the road to the first paint.
    bool MagnifierOn();
    void ToggleMagnifier();
    void ShowMagnifier(float x, float y);

    // Markup.
    void BuildTextBox();
    void ShapePress(const plat::MouseArgs& a);
    void ShapeMove(const plat::MouseArgs& a);
    void ShapeRelease(const plat::MouseArgs& a);
    std::optional<RubberBand> ShapeTo(float x, float y) const;
    void DrawShape(plat::Canvas& c, const RubberBand& shape) const;
    void CommitShape(const RubberBand& shape);
    void CommitText();
    void PlaceTextBox(float x, float y);
    void TextEdit_Change();
    void TextEdit_MouseDown(const plat::MouseArgs& a);
    void PushHistory();

    // The markup strip's tools (snip_editor_markup_tools.cpp). The Markup* handlers
    // return true when the chosen tool is one of the strip's and took the input.
    void BuildMarkupStrip();
    void Strip_Click(int index);
    void ChooseMarkupTool(int index);
    void EndMarkupTool();
    bool MarkupKey(int keyCode, int shift);
    bool MarkupPress(const plat::MouseArgs& a);
    bool MarkupMove(const plat::MouseArgs& a);
    bool MarkupRelease(const plat::MouseArgs& a);
    void StrokeTo(PointF p);
    // Puts the selection's picture in a pin and closes the editor.
    void PinSelection();

    // Set while a copy hides the bars and grabs the screen: input that arrives
    // meanwhile (the second click's release) must not show them again.
    bool copying_ = false;

    // The press that may begin a double click landed inside the selection in
    // "move" mode with no tool: only then does a double click copy.
    bool pressCanCopy_ = false;

    std::optional<bool> magnifierOn_;
    // The magnifier waits for the user's first move: the editor appearing
    // under a still pointer is no move, and must show the frozen screen alone.
    plat::Point openPointer_;
    bool pointerMoved_ = false;

    // A freehand stroke under way: where it last reached, its width, and for
    // the highlighter the pixels it has blended.
    PointF strokeLast_;
    int strokeWidth_ = 1;
    StrokeMask strokeMask_;
    // The highlighter put yellow in the colour swatch in place of the
    // untouched starting colour; the next tool gets that colour back.
    bool autoYellow_ = false;


    plat::MonitorList monitors_;
    plat::Point origin_;
    // The bars' and labels' scale: the DPI of the monitor that holds most of
    // the selection. The frozen picture stays 1:1 with the screen.
    int barDpi_ = plat::kBaseDpi;
    float BarPx(float twips) const { return plat::TwipsToPxF(twips, barDpi_); }
    float Bar(float px96) const { return px96 * static_cast<float>(barDpi_) / plat::kBaseDpi; }
    // Lays the bars, the frames panel and the labels out again at `dpi`.
    void ScaleBars(int dpi);
    void FollowSelectionScale();
    void LayoutToolbar();
    void LayoutStylePickers();
    plat::Point desktopSize_;

    // What the last ScrnCap grabbed: the copy handed to the recent snips.
    plat::Picture lastGrab_;

    const VariantTraits& traits_;
};

}  // namespace editor
