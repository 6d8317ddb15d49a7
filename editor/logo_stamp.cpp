#include "editor/logo_stamp.h"

#include "editor/snip_editor.h"
#include "platform/toolkit/forms.h"
#include "shell/frm_main.h"

namespace editor {

LogoOverlay::LogoOverlay(SnipEditor& editor, const VariantTraits& traits)
    : PicFrame1(editor, traits.logo ? 1 : 0), editor_(editor) {
    if (!traits.logo) return;
    // The design position, until the first selection places it.
    const bool window = traits.presetFromInspector;
    PicFrame1[0].Move(window ? 376.0f : 280.0f, window ? 32.0f : 40.0f, 105, 49);
}

void LogoOverlay::SetUp() {
    if (!PicFrame1.Exists(0)) return;
    logo::PicFrame& f = PicFrame1[0];
    f.SetAppearance(0);
    f.SetBorderStyle(0);
    f.SetBackStyle(0);
    if (frmMain* main = plat::LoadedForm<frmMain>()) f.SetPicPath(main->Text1.Text());
}

void LogoOverlay::Place() {
    frmMain* main = plat::LoadedForm<frmMain>();
    if (!PicFrame1.Exists(0) || !main) return;
    logo::PicFrame& f = PicFrame1[0];
    const Selection s = editor_.CurrentSelection();
    const struct {
        const plat::OptionButton& option;
        LogoPosition position;
    } order[] = {{main->Option1, LogoPosition::Middle},
                 {main->Option2, LogoPosition::UpperLeft},
                 {main->Option3, LogoPosition::LowerLeft},
                 {main->Option4, LogoPosition::UpperRight},
                 {main->Option5, LogoPosition::LowerRight}};
    for (const auto& o : order) {
        if (!o.option.Value()) continue;
        const PointF at = LogoOrigin(o.position, s, f.Width(), f.Height());
        f.Move(at.x, at.y);
    }
}

void LogoOverlay::PlaceAtPress() {
    if (editor_.Traits().presetFromInspector) Place();
}

void LogoOverlay::ShowForGrab() {
    if (PicFrame1.Exists(0)) PicFrame1[0].SetVisible(true);
}

}  // namespace editor
