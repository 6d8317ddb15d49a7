// The window editors (bing, jie3) open with their selection on the window
// the paired inspector picked: asd's fields for bing, Form1's for jie3.
#include "editor/snip_editor.h"

#include <string_view>

#include "platform/toolkit/forms.h"
#include "window/picker_geometry.h"
#include "window/window_forms.h"

namespace editor {

namespace {
float Field(const plat::TextBox& box) { return static_cast<float>(window::LeadingNumber(box.Text())); }
}  // namespace

// Fields that hold no number (no window was picked) give an empty selection
// at the screen's origin, which the first press replaces.
void SnipEditor::PresetFromInspector() {
    window::WindowInspector* inspector = std::string_view(traits_.name) == "jie3"
                                             ? static_cast<window::WindowInspector*>(plat::LoadedForm<Form1>())
                                             : plat::LoadedForm<asd>();
    if (inspector) {
        Shape1.SetHeight(Field(inspector->TxtH));
        Shape1.SetWidth(Field(inspector->TxtW));
        // The fields hold screen pixels; the editor counts from the virtual screen's corner.
        Shape1.SetLeft(Field(inspector->TxtX) - static_cast<float>(ScreenOrigin().x));
        Shape1.SetTop(Field(inspector->TxtY) - static_cast<float>(ScreenOrigin().y));
    } else {
        Shape1.Move(0, 0, 0, 0);
    }
    Shape1.SetVisible(true);
    ToolActive = true;
    plat::UnloadForm<asd>();
    plat::UnloadForm<Form1>();
}

}  // namespace editor
