#include "platform/toolkit/form.h"

#include <algorithm>
#include <utility>

#include "platform/services/dpi.h"
#include "platform/services/message_pump.h"
#include "platform/services/system.h"

namespace plat {

Form::HandlerScope::HandlerScope(Form& f) : form_(f) { ++form_.busy_; }
Form::HandlerScope::~HandlerScope() { --form_.busy_; }

// ---- Form ----

namespace {

// Forms whose controls' windows wait for the message being handled to end.
std::vector<Form*>& FormsAwaitingChildWindows() {
    static std::vector<Form*> forms;
    return forms;
}

void BuildAwaitedChildWindows() {
    for (Form* f : std::exchange(FormsAwaitingChildWindows(), {})) f->EnsureChildWindows();
}

void StopAwaitingChildWindows(Form* f) {
    auto& forms = FormsAwaitingChildWindows();
    forms.erase(std::remove(forms.begin(), forms.end(), f), forms.end());
}

}  // namespace

Form::Form(WindowStyle style) : style_(std::move(style)), dpi_(SystemDpi()) {}

// Members are destroyed after this body, the controls among them, so the
// window goes first: no paint or input reaches a half-destroyed control.
Form::~Form() {
    StopAwaitingChildWindows(this);
    window_.reset();
}

void Form::Load() {
    if (window_ || unloading_) return;
    HandlerScope busy(*this);
    window_ = NativeWindow::Create(*this, style_);
    // No window (the system refused it): the form stays unloaded, and
    // nothing is ever bound to window 0.
    if (window_->Hwnd() == 0) {
        window_.reset();
        return;
    }
    if (childWindowsAfterPaint_) {
        childWindowsPending_ = true;
    } else {
        ForEachControl([](Control& c) { c.OnFormWindowCreated(); });
    }
    AttachTimers(window_.get());
    ApplyShape();
    if (const int dpi = WindowDpi(window_->Hwnd()); dpi > 0 && dpi != dpi_) {
        dpi_ = dpi;
        Form_DpiChanged(dpi, Bounds());
        if (!window_) return;  // unloaded by its handler
    }
    Form_Load();
}

void Form::EnsureChildWindows() {
    if (!childWindowsPending_ || !window_) return;
    childWindowsPending_ = false;
    StopAwaitingChildWindows(this);
    ForEachControl([](Control& c) { c.OnFormWindowCreated(); });
}

// The controls' windows are built once the message that showed the window
// has been handled, before the next one: no input reaches a control without
// its window, and the window is on the screen, painted, first.
void Form::BuildChildWindowsAfterThisMessage() {
    if (!childWindowsPending_) return;
    static const bool hooked = (AddAfterDispatchHook(&BuildAwaitedChildWindows), true);
    (void)hooked;
    auto& forms = FormsAwaitingChildWindows();
    if (std::find(forms.begin(), forms.end(), this) == forms.end()) forms.push_back(this);
}

bool Form::ChildWindowShown() {
    bool shown = false;
    ForEachControl([&](Control& c) { shown = shown || (c.HasOwnWindow() && c.ShownOnForm()); });
    return shown;
}

void Form::Show() {
    if (unloading_) return;
    if (!window_) Load();
    if (!window_) return;
    if (childWindowsPending_ && ChildWindowShown()) EnsureChildWindows();
    EnsureSurfaceSize();
    window_->Show(state_);
    EnsureSurfaceSize();
    window_->Update();
    BuildChildWindowsAfterThisMessage();
}

void Form::ShowNoActivate() {
    if (unloading_) return;
    if (!window_) Load();
    if (!window_) return;
    if (childWindowsPending_ && ChildWindowShown()) EnsureChildWindows();
    EnsureSurfaceSize();
    window_->ShowNoActivate();
    window_->Update();
    BuildChildWindowsAfterThisMessage();
}

void Form::Hide() {
    if (window_) window_->Hide();
}

void Form::SetWindowRegion(std::vector<Rect> parts) {
    region_ = std::move(parts);
    ApplyShape();
}

void Form::SetOpacity(int alpha) {
    opacity_ = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
    ApplyShape();
}

void Form::ApplyShape() {
    if (!window_) return;
    window_->SetRegion(region_);
    if (opacity_ != 255) window_->SetOpacity(opacity_);
}

void Form::Unload() {
    if (!window_ || unloading_) return;
    HandlerScope busy(*this);
    unloading_ = true;
    childWindowsPending_ = false;
    StopAwaitingChildWindows(this);
    Form_Unload();
    DetachTimers();
    mouse_.Reset(window_.get());
    // Controls before their boxes: a text box keeps its text before its box's window goes.
    ForEachControl([](Control& c) { c.OnFormWindowDestroyed(); }, true);
    window_.reset();
    if (releaser_) {
        auto release = std::move(releaser_);
        release();  // the registry now owns this object until it is idle
    }
}

void Form::SetCaption(const std::wstring& s) {
    style_.caption = s;
    if (window_) window_->SetCaption(s);
}

void Form::SetBackColor(Color c) {
    backColor_ = c;
    Refresh();
}

WindowState Form::GetWindowState() const { return window_ && window_->Visible() ? window_->State() : state_; }

void Form::SetWindowState(WindowState s) {
    state_ = s;
    if (window_ && window_->Visible()) {
        window_->Show(s);
        EnsureSurfaceSize();
    }
}

Rect Form::Bounds() const { return window_ ? window_->Bounds() : style_.bounds; }

void Form::SetBounds(const Rect& r) {
    style_.bounds = r;
    if (window_) {
        window_->SetBounds(r);
        EnsureSurfaceSize();
    }
}

int Form::ClientWidth() const {
    if (window_) return window_->ClientRect().Width();
    return state_ == WindowState::Maximized ? ScreenWidthPx() : style_.bounds.Width();
}

int Form::ClientHeight() const {
    if (window_) return window_->ClientRect().Height();
    return state_ == WindowState::Maximized ? ScreenHeightPx() : style_.bounds.Height();
}

// The persistent image always covers the client area; growing keeps what was drawn.
void Form::EnsureSurfaceSize() {
    int w = ClientWidth(), h = ClientHeight();
    if (state_ == WindowState::Maximized) {
        w = std::max(w, ScreenWidthPx());
        h = std::max(h, ScreenHeightPx());
    }
    if (w <= 0 || h <= 0) return;
    if (!image_.Empty() && image_.Width() >= w && image_.Height() >= h) return;
    Picture grown = Picture::Create(std::max(w, image_.Width()), std::max(h, image_.Height()), backColor_);
    if (!image_.Empty()) grown.Draw().DrawPicture(image_, 0, 0);
    image_ = grown;
}

void Form::SetBackgroundPicture(Picture p) {
    background_ = std::move(p);
    Refresh();
}

void Form::Cls() {
    EnsureSurfaceSize();
    if (autoRedraw_) {
        if (background_.Width() == image_.Width() && background_.Height() == image_.Height()) {
            image_ = background_;  // the same pixels the erase would draw, shared
        } else {
            Canvas& c = WritableImage();
            c.FillRect(Rect{0, 0, image_.Width(), image_.Height()}, backColor_);
            if (!background_.Empty()) c.DrawPicture(background_, 0, 0);
        }
    }
    Refresh();
}

void Form::Bake() {
    EnsureSurfaceSize();
    background_ = image_;
}

Canvas& Form::WritableImage() {
    EnsureSurfaceSize();
    if (image_.Shared()) image_ = image_.Copy();
    return image_.Draw();
}

Canvas& Form::PersistentCanvas() { return WritableImage(); }

Picture& Form::PersistentPicture() {
    WritableImage();
    return image_;
}

void Form::SetPersistentImage(Picture p) {
    image_ = std::move(p);
    EnsureSurfaceSize();
    Invalidate(Rect{0, 0, image_.Width(), image_.Height()});
}

void Form::ReleaseSurface() {
    image_ = Picture();
    background_ = Picture();
}

void Form::DrawOnSurface(const std::function<void(Canvas&)>& draw, const Rect& area) {
    if (autoRedraw_) {
        draw(PersistentCanvas());
        Invalidate(area);
    } else if (painting_) {
        draw(*painting_);
    } else if (window_) {
        window_->DrawDirect(draw);
    }
}

Color Form::SurfacePixel(int x, int y) const { return image_.Pixel(x, y); }

void Form::SetSurfaceOverlay(std::function<void(Canvas&)> draw, const Rect& extent) {
    const Rect old = overlay_ ? overlayExtent_ : Rect{};
    overlay_ = std::move(draw);
    overlayExtent_ = overlay_ ? extent : Rect{};
    const Rect changed = old.Union(overlayExtent_);
    if (!window_ || changed.Empty()) return;
    window_->Invalidate(changed);
    window_->Update();
}

void Form::SetSurfaceShade(int percent, const Rect& clear) {
    const Rect all{0, 0, ClientWidth(), ClientHeight()};
    const int oldPercent = shadePercent_;
    const Rect oldClear = shadeClear_;
    if (percent == oldPercent && (percent <= 0 || clear == oldClear)) return;
    shadePercent_ = percent;
    shadeClear_ = clear;
    if (!window_) return;
    if (percent != oldPercent) {
        window_->InvalidateAll();
        return;
    }
    // What was clear and is not now, and what is clear now and was not.
    const RectBands gone = RectsOutside(oldClear.Intersect(all), clear);
    const RectBands added = RectsOutside(clear.Intersect(all), oldClear);
    for (int i = 0; i < gone.count; ++i) window_->Invalidate(gone.part[i]);
    for (int i = 0; i < added.count; ++i) window_->Invalidate(added.part[i]);
}

void Form::Invalidate(const Rect& formRect) {
    if (window_) window_->Invalidate(formRect);
}

void Form::Refresh() {
    if (!window_) return;
    window_->InvalidateAll();
    window_->Update();
}

void Form::SetFocus() {
    if (window_) window_->Focus();
}

// ---- painting and input ----

void Form::OnPaint(Canvas& c, const Rect& dirty) {
    HandlerScope busy(*this);
    // With persistence off the window shows its background picture instead.
    const Picture& base = autoRedraw_ ? image_ : background_;
    // The back colour shows only where the picture does not reach.
    if (dirty.Intersect(Rect{0, 0, base.Width(), base.Height()}) != dirty) c.FillRect(dirty, backColor_);
    if (!base.Empty()) c.DrawPicture(base, dirty.left, dirty.top, dirty);
    if (shadePercent_ > 0) {
        const RectBands dim = RectsOutside(dirty, shadeClear_);
        for (int i = 0; i < dim.count; ++i) c.Shade(dim.part[i], shadePercent_);
    }
    if (overlay_ && !overlayExtent_.Intersect(dirty).Empty()) overlay_(c);
    PaintChildren(c, 0, 0, dirty);
    painting_ = &c;
    Form_Paint();
    painting_ = nullptr;
}

const Picture* Form::PlainPicture(const Rect& area) {
    if (!autoRedraw_ || area.Intersect(Rect{0, 0, image_.Width(), image_.Height()}) != area) return nullptr;
    if (overlay_ && !overlayExtent_.Intersect(area).Empty()) return nullptr;
    if (shadePercent_ > 0 && area.Intersect(shadeClear_) != area) return nullptr;
    bool covered = false;
    ForEachControl([&](Control& c) {
        if (covered || c.HasOwnWindow() || !c.ShownOnForm()) return;
        const Rect b = c.BoundsInForm();
        const int o = c.Overhang() + 1;  // wide pens paint beyond their box
        covered = !Rect{b.left - o, b.top - o, b.right + o, b.bottom + o}.Intersect(area).Empty();
    });
    return covered ? nullptr : &image_;
}

MouseArgs Form::ToScale(const MouseArgs& a) const {
    if (scaleMode_ != ScaleMode::Twips) return a;
    MouseArgs t = a;
    t.x *= kTwipsPerPixel;
    t.y *= kTwipsPerPixel;
    return t;
}

MouseRouter::HostHandlers Form::OwnHandlers() {
    return {[this](const MouseArgs& a) { Form_MouseDown(ToScale(a)); },
            [this](const MouseArgs& a) { Form_MouseMove(ToScale(a)); },
            [this](const MouseArgs& a) { Form_MouseUp(ToScale(a)); }, [this] { Form_DblClick(); }};
}

void Form::OnMouseDown(const MouseArgs& a) {
    HandlerScope busy(*this);
    mouse_.Down(*this, window_.get(), a, OwnHandlers());
}

void Form::OnMouseMove(const MouseArgs& a) {
    HandlerScope busy(*this);
    mouse_.Move(*this, a, OwnHandlers());
}

void Form::OnMouseUp(const MouseArgs& a) {
    HandlerScope busy(*this);
    mouse_.Up(window_.get(), a, OwnHandlers());
}

void Form::OnDblClick(const MouseArgs& a) {
    // Only the left button double-clicks; a second quick press of another
    // button is an ordinary press.
    if (a.button != kLeftButton) {
        OnMouseDown(a);
        return;
    }
    HandlerScope busy(*this);
    mouse_.DblClick(*this, window_.get(), a, OwnHandlers());
}

void Form::OnKeyDown(int keyCode, int shift) {
    HandlerScope busy(*this);
    Form_KeyDown(keyCode, shift);
}

void Form::OnKeyPress(int charCode) {
    HandlerScope busy(*this);
    Form_KeyPress(charCode);
}

void Form::OnMouseWheel(int delta, int shift) {
    HandlerScope busy(*this);
    Form_MouseWheel(delta, shift);
}

void Form::OnTimer(int timerId) {
    HandlerScope busy(*this);
    FireTimer(timerId);
}

void Form::ForEachControl(const std::function<void(Control&)>& f, bool postOrder) {
    std::function<void(const Container&)> walk = [&](const Container& box) {
        for (Control* c : box.Children()) {
            if (!postOrder) f(*c);
            if (Container* inner = c->AsContainer()) walk(*inner);
            if (postOrder) f(*c);
        }
    };
    walk(*this);
}

void Form::OnCaptureLost() { mouse_.Reset(nullptr); }

void Form::OnFocusLost() {
    HandlerScope busy(*this);
    Form_LostFocus();
}

void Form::OnTrayNotify(int mouseMessage) {
    HandlerScope busy(*this);
    Form_TrayNotify(mouseMessage);
}

void Form::OnDpiChanged(int dpi, const Rect& suggested) {
    HandlerScope busy(*this);
    if (dpi > 0) dpi_ = dpi;
    Form_DpiChanged(dpi, suggested);
}

bool Form::OnCloseRequest() {
    HandlerScope busy(*this);
    if (Form_QueryUnload()) return true;
    Unload();
    return true;  // Unload already destroyed the window
}

bool Form::OnCloseCommand() {
    HandlerScope busy(*this);
    return Form_CloseCommand();
}

void Form::OnDestroyed() {
    // The system destroyed the window under us (not through Unload).
    // The native object knows its handle is gone and will not destroy it again.
    if (!unloading_) Unload();
}

}  // namespace plat
