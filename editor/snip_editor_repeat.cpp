// The editor opened on the last snip's rectangle ("snip the same area again").
#include "editor/snip_editor.h"

namespace editor {

void SnipEditor::PresetSelection(const plat::Rect& r) {
    // `r` is in screen pixels; the selection in this window's own.
    const plat::Rect window = Bounds();
    const plat::Rect on = r.Offset(-window.left, -window.top).Intersect({0, 0, window.Width(), window.Height()});
    if (on.Empty()) return;
    SetSelection({static_cast<float>(on.left), static_cast<float>(on.top), static_cast<float>(on.Width()),
                  static_cast<float>(on.Height())});
    Shape1.SetVisible(true);
    // As after the release that ends a drag: the selection can be moved,
    // resized, marked up or copied at once.
    ModeTag = "move";
    AnchorX = Shape1.Left();
    AnchorY = Shape1.Top();
    ImageMove();
    SetSizeLabel();
    PlaceLabels();
    LblPos.SetVisible(true);
    PlaceAndShowToolbar();
}

}  // namespace editor
