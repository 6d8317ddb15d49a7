#pragma once
// A form: one top-level window, its drawing surface and its windowless controls.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/controls.h"
#include "platform/services/native_window.h"
#include "platform/services/picture.h"
#include "platform/services/timer.h"

namespace plat {

enum class ScaleMode { Twips = 1, Pixels = 3 };

class Form;

class Form : public Container, public TimerHost, private WindowEvents {
public:
    explicit Form(WindowStyle style);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Lifecycle: Load creates the window hidden and runs Form_Load; Show loads
    // if needed and makes it visible; Unload destroys the window, after which
    // the form object is discarded and the next use of its name builds anew.
    void Load();
    void Show();
    void Hide();
    void Unload();
    bool Loaded() const { return window_ != nullptr; }
    bool Visible() const { return window_ && window_->Visible(); }
    Handle hWnd() const { return window_ ? window_->Hwnd() : 0; }
    // The controls' own windows (native children, windowed boxes) are built
    // after the window is shown and painted, once the message that showed it
    // is handled, when none of them shows at first: the window appears
    // sooner. They are built in the same order as otherwise (their stacking
    // depends on it), and at once when one is shown, takes the focus or is
    // added before then. Set before loading.
    void SetChildWindowsAfterFirstPaint(bool on) { childWindowsAfterPaint_ = on; }
    // Builds the controls' windows now if they still wait for the first paint.
    void EnsureChildWindows();

    const std::wstring& Caption() const { return style_.caption; }
    void SetCaption(const std::wstring& s);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c);
    WindowState GetWindowState() const;
    void SetWindowState(WindowState s);
    // The window's scale, the one place a form reads it from: the system's
    // DPI until the window exists, then its monitor's; changed by the system
    // (Form_DpiChanged) when the window moves to a monitor of another scale.
    int Dpi() const { return dpi_; }
    ScaleMode GetScaleMode() const { return scaleMode_; }
    void SetScaleMode(ScaleMode m) { scaleMode_ = m; }
    Rect Bounds() const;  // outer rectangle, screen pixels
    void SetBounds(const Rect& r);
    int ClientWidth() const;
    int ClientHeight() const;

    // Drawing surface.
    bool AutoRedraw() const { return autoRedraw_; }
    void SetAutoRedraw(bool on) { autoRedraw_ = on; }
    const Picture& PersistentImage() const { return image_; }
    const Picture& BackgroundPicture() const { return background_; }
    void SetBackgroundPicture(Picture p);
    // Erase: the window back to the background picture; with persistence on,
    // the persistent image too.
    void Cls();
    // Background picture := a copy of the persistent image. The two share
    // their pixels until either is drawn on (a screen-sized picture is big).
    void Bake();
    int DrawWidth = 1;
    Font SurfaceFont;
    // Draws on the surface: into the persistent image when persistence is on,
    // else onto the window only.
    void DrawOnSurface(const std::function<void(Canvas&)>& draw, const Rect& area);
    Canvas& PersistentCanvas();  // for platform drawing calls
    // The persistent image, made its own, for writing its pixels directly;
    // the caller invalidates what it changed.
    Picture& PersistentPicture();
    // The persistent image := p, its pixels shared, not copied (a screen
    // capture becomes the surface without a screen-sized fill and copy).
    void SetPersistentImage(Picture p);
    // Lets go of the persistent image and the background picture, so that
    // another owner of their pixels may change them in place instead of
    // copying a screen-sized picture; the caller sets the surface again
    // (SetPersistentImage) before anything paints.
    void ReleaseSurface();
    Color SurfacePixel(int x, int y) const;  // from the persistent image
    // A drawing shown over the surface's picture and under the controls that
    // never becomes part of the picture: a shape while it is dragged out.
    // `extent` holds every pixel it touches. Only the old and the new extent
    // are repainted, at once; no drawing (nullptr) removes it.
    void SetSurfaceOverlay(std::function<void(Canvas&)> draw, const Rect& extent);

    // Shows the surface darker by `percent` everywhere but `clear` (form
    // pixels), under the controls and never in the picture itself; 0 ends it.
    // Only the parts whose shade changes are repainted.
    void SetSurfaceShade(int percent, const Rect& clear);

    void Invalidate(const Rect& formRect);
    void Refresh();  // repaint invalid parts now
    void SetFocus();

    Form& OwnerForm() override { return *this; }
    Point OriginInForm() const override { return {0, 0}; }
    Point OriginInHost() const override { return {0, 0}; }
    Handle HostWindow() const override { return hWnd(); }
    void InvalidateHost(const Rect& hostRect) override { Invalidate(hostRect); }
    void ForgetControl(const Control* c) override { mouse_.Forget(c); }

    // Shows the window (loading it if needed) without taking the activation
    // or the keyboard focus from the window that has them.
    void ShowNoActivate();
    // The window's shape as a union of rectangles (window pixels); empty: the
    // whole window. Kept across a reload.
    void SetWindowRegion(std::vector<Rect> parts);
    // Layered opacity 0 (clear) .. 255 (opaque); kept across a reload.
    void SetOpacity(int alpha);

    // Set by the registry: hands the object back to it when the form unloads.
    void SetReleaser(std::function<void()> r) { releaser_ = std::move(r); }
    // True while one of this form's handlers is on the stack.
    bool Busy() const { return busy_ > 0; }
    // Marks a handler of this form as running, so an unloaded form is freed
    // only after the last of its handlers has returned. Input that reaches a
    // control without passing through the form (native children) takes one.
    class HandlerScope {
    public:
        explicit HandlerScope(Form& f);
        ~HandlerScope();
        HandlerScope(const HandlerScope&) = delete;
        HandlerScope& operator=(const HandlerScope&) = delete;

    private:
        Form& form_;
    };

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    // Return true to refuse a close asked for by the user or the system.
    virtual bool Form_QueryUnload() { return false; }
    // The user's close command (close box, Alt+F4, the taskbar's Close):
    // true when the form dealt with it; otherwise the close request follows.
    virtual bool Form_CloseCommand() { return false; }
    virtual void Form_MouseDown(const MouseArgs&) {}
    virtual void Form_MouseMove(const MouseArgs&) {}
    virtual void Form_MouseUp(const MouseArgs&) {}
    virtual void Form_DblClick() {}
    virtual void Form_KeyDown(int /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyPress(int /*charCode*/) {}
    // The mouse wheel turned over the window (120 a notch, away from the user positive).
    virtual void Form_MouseWheel(int /*delta*/, int /*shift*/) {}
    // After each painted part of the window; a part that shows the persistent
    // image alone is copied from it without this event.
    virtual void Form_Paint() {}
    // Mouse activity over this window's notification-area icon.
    virtual void Form_TrayNotify(int /*mouseMessage*/) {}
    // The window lost the keyboard focus.
    virtual void Form_LostFocus() {}
    // The window shows at another DPI now (Dpi() already gives it): a form
    // laid out in twips lays itself out again (`suggested`: the system's
    // outer rectangle for it). Also raised at Load when the window opens on a
    // monitor whose scale is not the system's (`suggested`: its bounds).
    // By default nothing changes, so forms in pixels stay 1:1 with the screen.
    virtual void Form_DpiChanged(int /*dpi*/, const Rect& /*suggested*/) {}

private:
    // WindowEvents
    void OnPaint(Canvas& c, const Rect& dirty) override;
    const Picture* PlainPicture(const Rect& area) override;
    void OnMouseDown(const MouseArgs& a) override;
    void OnMouseMove(const MouseArgs& a) override;
    void OnMouseUp(const MouseArgs& a) override;
    void OnDblClick(const MouseArgs& a) override;
    void OnKeyDown(int keyCode, int shift) override;
    void OnKeyPress(int charCode) override;
    void OnMouseWheel(int delta, int shift) override;
    void OnTimer(int timerId) override;
    void OnTrayNotify(int mouseMessage) override;
    void OnFocusLost() override;
    void OnDpiChanged(int dpi, const Rect& suggested) override;
    void OnCaptureLost() override;
    bool OnCloseRequest() override;
    bool OnCloseCommand() override;
    void OnDestroyed() override;

    MouseArgs ToScale(const MouseArgs& a) const;
    MouseRouter::HostHandlers OwnHandlers();
    void EnsureSurfaceSize();
    void ApplyShape();
    // The persistent image, made its own before it is drawn on.
    Canvas& WritableImage();
    // Visits every control, those inside picture boxes too: a box before its
    // controls, or (post order) its controls before the box.
    void ForEachControl(const std::function<void(Control&)>& f, bool postOrder = false);
    bool ChildWindowShown();  // a control with its own window shows
    void BuildChildWindowsAfterThisMessage();

    WindowStyle style_;
    std::unique_ptr<NativeWindow> window_;
    WindowState state_ = WindowState::Normal;
    ScaleMode scaleMode_ = ScaleMode::Twips;
    int dpi_;
    Color backColor_ = Rgb(255, 255, 255);
    bool autoRedraw_ = false;
    bool childWindowsAfterPaint_ = false;
    bool childWindowsPending_ = false;
    Picture image_;
    Picture background_;
    MouseRouter mouse_;
    // Set only while a paint runs: drawing without persistence lands in the
    // picture being painted, which would otherwise cover it.
    Canvas* painting_ = nullptr;
    std::function<void(Canvas&)> overlay_;
    Rect overlayExtent_;
    int shadePercent_ = 0;
    Rect shadeClear_;
    std::vector<Rect> region_;
    int opacity_ = 255;
    int busy_ = 0;
    bool unloading_ = false;
    std::function<void()> releaser_;
};

}  // namespace plat
