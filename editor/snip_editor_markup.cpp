// Drawing on the frozen picture while a tool is chosen: the rubber band of
// the arrow, the ellipse and the rectangle, the text tool's in-place box, and
// each committed shape as one step of the history.
#include "editor/snip_editor.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/services/window_queries.h"

namespace editor {

namespace {
constexpr plat::Color kTextBoxColor = plat::Rgb(224, 224, 224);
constexpr float kTextBoxMargins = 8;
// The edit box's own message: select from one character index to another.
constexpr unsigned kSetSelection = 0x00B1;

// Measures text in a font as the surface draws it, without touching the
// surface's own (screen-sized) picture.
plat::Point TextExtent(std::wstring_view s, const plat::Font& f) {
    static plat::Picture scratch = plat::Picture::Create(1, 1);
    return scratch.Draw().TextSize(s, f);
}

void StrokeArrow(plat::Canvas& c, PointF tail, PointF tip, float size, plat::Color color, int width) {
    const auto strokes = ArrowStrokes(tail, tip, size);
    if (!strokes) return;
    for (const Segment& s : *strokes) {
        const plat::Point a = PixelOf(s.from), b = PixelOf(s.to);
        c.Line(a.x, a.y, b.x, b.y, color, width);
    }
}
}  // namespace

void SnipEditor::BuildTextBox() {
    TextEdit.SetColors(kTextBoxColor, plat::Rgb(0, 0, 0));
    // The typed text shows as it will be drawn: in the surface's typeface.
    TextEdit.SetFont(SurfaceFont);
    TextEdit.Move(0, 0, kTextBoxStartWidth, kTextBoxHeight);
    TextEdit.SetVisible(false);
    TextEdit.Change = [this] { TextEdit_Change(); };
    TextEdit.MouseDown = [this](const plat::MouseArgs& a) { TextEdit_MouseDown(a); };
}

void SnipEditor::Arrow(plat::Form& surface, float x1, float y1, float x2, float y2, float size, plat::Color color) {
    const int width = surface.DrawWidth;
    surface.DrawOnSurface([&](plat::Canvas& c) { StrokeArrow(c, {x1, y1}, {x2, y2}, size, color, width); },
                          ShapeExtent(RubberBand{ShapeKind::Arrow, {x1, y1}, {x2, y2}, width}));
}

std::optional<RubberBand> SnipEditor::ShapeTo(float x, float y) const {
    const PointF start{ShapeStartX, ShapeStartY};
    const PointF end = HeldToSelection(CurrentSelection(), x, y);
    if (CurrentTool == L"Add the arrow") return RubberBand{ShapeKind::Arrow, start, end, DrawWidth};
    if (CurrentTool == L"Add a rectangle") return RubberBand{ShapeKind::Rectangle, start, end, DrawWidth};
    if (CurrentTool == L"Add an ellipse") {
        // The ellipse's pen is the size box's number; a box the user typed
        // nonsense into keeps the drawing width.
        const int pen = WholeSizeOf(Text1.Text(), 0, kDrawWidthMax).value_or(DrawWidth);
        return RubberBand{ShapeKind::Ellipse, start, end, pen};
    }
    return std::nullopt;
}

void SnipEditor::DrawShape(plat::Canvas& c, const RubberBand& shape) const {
    const plat::Color color = CurrentColor();
    switch (shape.kind) {
        case ShapeKind::Arrow: StrokeArrow(c, shape.start, shape.end, kArrowHeadSize, color, shape.penWidth); break;
        case ShapeKind::Ellipse: c.Ellipse(EllipseRect(shape.start, shape.end), color, shape.penWidth); break;
        case ShapeKind::Rectangle:
            c.FrameRect(BoxOutlineRect(shape.start, shape.end, shape.penWidth), color, std::max(shape.penWidth, 1));
            break;
    }
}

void SnipEditor::ShapePress(const plat::MouseArgs& a) {
    if (MarkupPress(a)) return;
    if (!StrictlyInside(CurrentSelection(), a.x, a.y)) return;
    ShapeDragging = true;
    ShapeStartX = a.x;
    ShapeStartY = a.y;
}

// The shape follows the pointer over the picture without becoming part of
// it; only the old and the new shape's area is painted again.
void SnipEditor::ShapeMove(const plat::MouseArgs& a) {
    if (MarkupMove(a)) return;
    if (!ShapeDragging) return;
    const std::optional<RubberBand> shape = ShapeTo(a.x, a.y);
    if (!shape) {
        SetSurfaceOverlay(nullptr, {});
        return;
    }
    SetSurfaceOverlay([this, s = *shape](plat::Canvas& c) { DrawShape(c, s); }, ShapeExtent(*shape));
}

void SnipEditor::ShapeRelease(const plat::MouseArgs& a) {
    if (MarkupRelease(a)) return;
    if (!ShapeDragging) return;
    SetSurfaceOverlay(nullptr, {});
    if (CurrentTool == L"Add text") {
        const auto size = SizeValueOf(Text1.Text());
        plat::Font f = TextEdit.TextFont();
        if (size && *size > 0) {
            SurfaceFont.points = *size;
            f.points = *size;
        }
        TextEdit.SetColors(kTextBoxColor, CurrentColor());
        TextEdit.SetFont(f);
        if (TextEdit.Visible()) {
            CommitText();
        } else {
            PlaceTextBox(a.x, a.y);
        }
    } else if (auto shape = ShapeTo(a.x, a.y)) {
        CommitShape(*shape);
    }
    ShapeDragging = false;
}

void SnipEditor::CommitShape(const RubberBand& shape) {
    DrawShape(PersistentCanvas(), shape);
    Invalidate(ShapeExtent(shape));
    Bake();
    PushHistory();
}

void SnipEditor::PlaceTextBox(float x, float y) {
    const float lineHeight = static_cast<float>(TextExtent(L"Ag", TextEdit.TextFont()).y);
    TextEdit.Move(x, y, kTextBoxStartWidth, std::max(kTextBoxHeight, lineHeight + 2));
    TextEdit.SetVisible(true);
    TextEdit.SetFocus();
}

void SnipEditor::CommitText() {
    // Drawn as the user typed it: any character, in Arial at the size chosen.
    const std::wstring text = TextEdit.Text();
    const plat::Point at = TextOrigin(TextEdit.Left(), TextEdit.Top());
    const plat::Point size = TextExtent(text, SurfaceFont);
    const plat::Color color = CurrentColor();
    DrawOnSurface([&](plat::Canvas& c) { c.Text(at.x, at.y, text, SurfaceFont, color); },
                  plat::Rect{at.x, at.y, at.x + size.x + 1, at.y + size.y + 1});
    TextEdit.SetVisible(false);
    TextEdit.SetText(L"");
    Bake();
    PushHistory();
}

void SnipEditor::TextEdit_Change() {
    plat::Font f = TextEdit.TextFont();
    if (const auto size = SizeValueOf(Text1.Text()); size && *size > 0) f.points = *size;
    TextEdit.SetFont(f);
    plat::Font measured = SurfaceFont;
    measured.points = f.points;
    // Room for the box's own border and margins and for the next character
    // too, so the typed text never scrolls out of view.
    const std::wstring text = TextEdit.Text();
    const plat::Point extent = TextExtent(text.empty() ? L" " : text, measured);
    const float width = static_cast<float>(extent.x) + kTextBoxMargins + static_cast<float>(extent.y);
    if (GrownTextBoxWidth(TextEdit.Width(), width) == TextEdit.Width()) return;
    TextEdit.SetWidth(width);
    // The box scrolled to the caret before it grew: back to its start, then
    // the caret to the end again, which now fits.
    const plat::Handle box = TextEdit.NativeHandle();
    const auto end = static_cast<std::intptr_t>(text.size());
    plat::SendWindowMessage(box, kSetSelection, 0, 0);
    plat::SendWindowMessage(box, kSetSelection, static_cast<std::uintptr_t>(end), end);
}

// The box is dragged by its body as a window by its title bar; the text is
// committed where it is dropped.
void SnipEditor::TextEdit_MouseDown(const plat::MouseArgs& /*a*/) {
    const plat::Handle box = TextEdit.NativeHandle();
    plat::desktop::BeginCaptionDrag(box);
    if (!Loaded()) return;
    if (const auto r = plat::desktop::WindowRect(box)) {
        const plat::Rect form = Bounds();
        TextEdit.MovedBySystem(r->left - form.left, r->top - form.top);
    }
}

}  // namespace editor
