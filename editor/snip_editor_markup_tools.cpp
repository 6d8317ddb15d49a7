// The markup strip's tools on the frozen picture: pixelate, highlighter and
// pen strokes, numbered step badges, and pinning the selection to the
// screen. Each committed mark is baked into the picture and pushed on the
// history like the toolbar's shapes.
#include "editor/snip_editor.h"

#include <algorithm>

#include "editor/pin_window.h"
#include "editor/pixelate.h"
#include "editor/step_badges.h"
#include "editor/toolbar_layout.h"
#include "platform/services/system.h"

namespace editor {

namespace {
// LastToolbarButton's numbers for the strip's buttons, apart from the toolbar's.
constexpr int kStripButtonBase = 100;
constexpr int kKeyF3 = 114;
// The colour swatch's colour at every opening.
constexpr plat::Color kStartingColor = plat::Rgb(255, 0, 0);


// The rubber band of the pixelate drag: the box from the press to the held
// pointer, both corner pixels inside.
plat::Rect DraggedBox(PointF a, PointF b) {
    const plat::Point p = PixelOf(a), q = PixelOf(b);
    return {std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x) + 1, std::max(p.y, q.y) + 1};
}
}  // namespace

void SnipEditor::BuildMarkupStrip() {
    Strip.Clicked = [this](int index) { Strip_Click(index); };
}

void SnipEditor::Strip_Click(int index) {
    if (copying_) return;
    lblInfo.SetVisible(false);
    LblPos.SetVisible(false);
    if (index == kPinToScreen) {
        PinSelection();
        return;
    }
    ChooseMarkupTool(index);
}

// As the toolbar's drawing tools: the style bar shows with it, its sizes
// preset; choosing the same tool again ends it.
void SnipEditor::ChooseMarkupTool(int index) {
    if (ToolActive && CurrentTool == MarkupToolName(index)) {
        EndMarkupTool();
        ToolActive = false;
        CurrentTool.clear();
        Picture2.SetVisible(false);
        LastToolbarButton = kStripButtonBase + index;
        return;
    }
    Picture3.SetVisible(false);
    if (index == kPixelate) {
        PresetSizes({L"4", L"8", L"12", L"16", L"24", L"32"}, L"12");
    } else {
        PresetSizes({L"1", L"2", L"3", L"4", L"5", L"6"}, L"3");
    }
    if (index == kHighlighter && CurrentColor() == kStartingColor) {
        Pcolor[kCurrentColorSwatch].SetBackColor(kHighlighterYellow);
        autoYellow_ = true;
    } else {
        EndMarkupTool();
    }
    PlaceStyleBar();
    Picture2.SetVisible(StyleBarShownAfterPress(Picture2.Visible(), kStripButtonBase + index, LastToolbarButton));
    LastToolbarButton = kStripButtonBase + index;
    ToolActive = true;
    CurrentTool = MarkupToolName(index);
}

void SnipEditor::EndMarkupTool() {
    if (autoYellow_ && CurrentColor() == kHighlighterYellow) Pcolor[kCurrentColorSwatch].SetBackColor(kStartingColor);
    autoYellow_ = false;
}

bool SnipEditor::MarkupKey(int keyCode, int shift) {
    if ((shift & (plat::kCtrlMask | plat::kAltMask)) != 0 || TextEdit.Visible()) return false;
    switch (keyCode) {
        case 'X': Strip_Click(kPixelate); return true;
        case 'H': Strip_Click(kHighlighter); return true;
        case 'P': Strip_Click(kPen); return true;
        case 'N': Strip_Click(kNumberedStep); return true;
        case kKeyF3: Strip_Click(kPinToScreen); return true;
        default: return false;
    }
}

bool SnipEditor::MarkupPress(const plat::MouseArgs& a) {
    const int tool = MarkupToolIndex(CurrentTool);
    if (tool < 0) return false;
    if (a.button != plat::kLeftButton || !StrictlyInside(CurrentSelection(), a.x, a.y)) return true;
    const plat::Rect clip = SelectionRectOf(CurrentSelection());
    const int size = WholeSizeOf(Text1.Text(), 0, 1000).value_or(3);
    if (tool == kNumberedStep) {
        const int number = HistoryEntries.Marks() + 1;
        const plat::Rect circle = BadgeCircle({a.x, a.y}, BadgeDiameter(size));
        DrawStepBadge(PersistentPicture(), circle, number, CurrentColor(), clip);
        Invalidate(circle);
        Bake();
        HistoryEntries.Push(BackgroundPicture(), number);
        return true;
    }
    ShapeDragging = true;
    ShapeStartX = a.x;
    ShapeStartY = a.y;
    if (tool == kPen || tool == kHighlighter) {
        strokeWidth_ = tool == kPen ? PenWidth(size) : HighlighterWidth(size);
        strokeMask_ = tool == kHighlighter ? StrokeMask(clip) : StrokeMask();
        strokeLast_ = {a.x, a.y};
        StrokeTo(strokeLast_);
    }
    return true;
}

// One step of a stroke: the segment from where it last reached, painted into
// the picture at once, only its own area shown again.
void SnipEditor::StrokeTo(PointF p) {
    const bool highlight = CurrentTool == MarkupToolName(kHighlighter);
    const plat::Rect changed = PaintStrokeSegment(PersistentPicture(), strokeLast_, p, strokeWidth_, CurrentColor(),
                                                  SelectionRectOf(CurrentSelection()),
                                                  highlight ? &strokeMask_ : nullptr);
    strokeLast_ = p;
    Invalidate(changed);
}

bool SnipEditor::MarkupMove(const plat::MouseArgs& a) {
    const int tool = MarkupToolIndex(CurrentTool);
    if (tool < 0) return false;
    if (!ShapeDragging) return true;
    const PointF end = HeldToSelection(CurrentSelection(), a.x, a.y);
    if (tool == kPen || tool == kHighlighter) {
        StrokeTo(end);
    } else if (tool == kPixelate) {
        const plat::Rect box = DraggedBox({ShapeStartX, ShapeStartY}, end);
        SetSurfaceOverlay([box](plat::Canvas& c) { c.FrameRect(box, kSelectionBlue, 1); }, box);
    }
    return true;
}

bool SnipEditor::MarkupRelease(const plat::MouseArgs& a) {
    const int tool = MarkupToolIndex(CurrentTool);
    if (tool < 0) return false;
    if (!ShapeDragging) return true;
    ShapeDragging = false;
    const PointF end = HeldToSelection(CurrentSelection(), a.x, a.y);
    if (tool == kPen || tool == kHighlighter) {
        StrokeTo(end);
        strokeMask_ = StrokeMask();
    } else if (tool == kPixelate) {
        SetSurfaceOverlay(nullptr, {});
        const plat::Rect box =
            DraggedBox({ShapeStartX, ShapeStartY}, end).Intersect(SelectionRectOf(CurrentSelection()));
        const int size = WholeSizeOf(Text1.Text(), 0, 1000).value_or(kMinPixelateBlock);
        if (!PixelateArea(PersistentPicture(), box, PixelateBlockSide(size))) return true;
        Invalidate(box);
    }
    Bake();
    PushHistory();
    return true;
}

// The pin shows what a copy would hold: the screen grabbed with the bars,
// frame, handles and labels hidden, the picture frames and logo in it.
void SnipEditor::PinSelection() {
    // In screen pixels: the editor's client starts at the virtual screen's top-left.
    const plat::Rect r = SelectionRectOf(CurrentSelection()).Offset(origin_.x, origin_.y);
    if (r.Empty() || ShapeDragging) return;
    HideBarsForGrab();
    plat::Picture snip = GrabScreenRect(r.left, r.top, r.right, r.bottom);
    copying_ = false;
    if (!Loaded()) return;
    // Shown while the editor still has the focus, which passes to it: a
    // window given the focus just after the focused one was destroyed does
    // not get it without a window manager.
    PinWindow* pin = OpenPin(std::move(snip), {r.left, r.top});
    Unload();
    HideLogoLibrary();
    for (PinWindow* open : OpenPins())
        if (open == pin) open->SetFocus();
}

}  // namespace editor
