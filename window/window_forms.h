#pragma once
// The two window snip triples, each form naming only its own partners:
// hotkey 4 runs Form1 with overlay Form2 and editor jie3; hotkey 3 runs asd
// with overlay asdd and editor bing.
#include "platform/toolkit/native_controls.h"
#include "window/window_inspector.h"
#include "window/window_picker.h"

class Form1 : public window::WindowInspector {
public:
    Form1();
    // Starts a pick as Command1 does.
    plat::CommandButton Command2;

protected:
    window::WindowPicker& Overlay() override;
    window::WindowPicker* LoadedOverlay() override;
    void UnloadOverlay() override;
    void ShowEditor() override;
    void Form_DpiChanged(int dpi, const plat::Rect& suggested) override;

private:
    void PlaceCommand2();
};

class asd : public window::WindowInspector {
protected:
    window::WindowPicker& Overlay() override;
    window::WindowPicker* LoadedOverlay() override;
    void UnloadOverlay() override;
    void ShowEditor() override;
};

class Form2 : public window::WindowPicker {
protected:
    window::WindowInspector* RunningInspector() override;
};

class asdd : public window::WindowPicker {
protected:
    window::WindowInspector* RunningInspector() override;
};

// The desktop capture of every pick by release (getDeskImage).
namespace getDeskImage {
// The work area into WorkArea.
void ReadWorkArea();
// Hides both inspectors, copies the screen from its origin (the work area's
// size plus 50 pixels each way, the overlay still on it) into both
// inspectors' desktop store, and shows them again. The clipboard is not touched.
void CaptureDesktop();
// Hides the inspectors and overlays left on the screen by a pick, and lets
// the screen repaint, before an editor freezes it.
void ClearScreenForSnip();
}  // namespace getDeskImage
