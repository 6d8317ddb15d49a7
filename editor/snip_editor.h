#pragma once
// The full-screen snip editor: one design, built as four variant windows.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/annotation_geometry.h"
#include "editor/frames_panel.h"
#include "editor/logo_stamp.h"
#include "editor/history.h"
#include "editor/magnifier.h"
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

class SnipEditor : public plat::Form {
public:
    explicit SnipEditor(const VariantTraits& traits);
    const VariantTraits& Traits() const { return traits_; }

    // Copies the screen rectangle (right and bottom exclusive) to the clipboard
    // as a bitmap, with the frame, handles and labels hidden first. While
    // another program holds the clipboard it tries again for about two
    // seconds, events still running; false when it never got it.
    bool ScrnCap(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    // Asks for a file name and saves the clipboard's picture there.
    void CutdSave();
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
    void PresetFromInspector();  // window variants: selection on the picked window (window_preset.cpp)
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
    void GrabToClipboardAndClose();
    void SaveAndClose();
    // Hides the bars and the frame, then grabs the selection to the clipboard.
    bool GrabSelection();
    void ShowPicture(plat::Picture p);
    void PlaceStyleBar();
    void ToggleStyleBar(int index);
    void HideHoverSquares();

    // Style pickers.
    void BuildStylePickers();
    void PresetSizes(const std::vector<std::wstring>& sizes, const std::wstring& current);
    void Pcolor_MouseUp(int index);
    void Pcolor_MouseMove(int index);
    void ClearSwatchBorders();
    void SetSizeButtonLook(int look);
    void Combo1_Click();
    plat::Color CurrentColor() const;

    // The magnifier: kept on or off in the settings file.
    static bool MagnifierWanted();
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

    // Set while a copy hides the bars and grabs the screen: input that arrives
    // meanwhile (the second click's release) must not show them again.
    bool copying_ = false;

    // The press that may begin a double click landed inside the selection in
    // "move" mode with no tool: only then does a double click copy.
    bool pressCanCopy_ = false;

    bool magnifierOn_ = true;
    // The magnifier waits for the user's first move: the editor appearing
    // under a still pointer is no move, and must show the frozen screen alone.
    plat::Point openPointer_;
    bool pointerMoved_ = false;


    const VariantTraits& traits_;
};

}  // namespace editor
