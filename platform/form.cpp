#include "platform/form.h"

#include <algorithm>

#include "platform/system.h"

namespace plat {

Form::HandlerScope::HandlerScope(Form& f) : form_(f) { ++form_.busy_; }
Form::HandlerScope::~HandlerScope() { --form_.busy_; }

// ---- Timer ----

Timer::Timer(Form& owner) : owner_(owner), id_(owner.RegisterTimer(this)) {}

Timer::~Timer() {
    if (enabled_ && owner_.window_) owner_.window_->KillTimer(id_);
    owner_.UnregisterTimer(this);
}

void Timer::SetInterval(int ms) {
    interval_ = ms;
    Apply();
}

void Timer::SetEnabled(bool on) {
    enabled_ = on;
    Apply();
}

void Timer::Apply() {
    if (!owner_.window_) return;
    if (enabled_ && interval_ > 0)
        owner_.window_->SetTimer(id_, interval_);
    else
        owner_.window_->KillTimer(id_);
}

// ---- Form ----

Form::Form(WindowStyle style) : style_(std::move(style)) {}

Form::~Form() {
    // The window is gone before the controls, so no paint reaches half-destroyed members.
    window_.reset();
}

int Form::RegisterTimer(Timer* t) {
    timers_.push_back(t);
    return nextTimerId_++;
}

void Form::UnregisterTimer(Timer* t) { timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end()); }

void Form::Load() {
    if (window_ || unloading_) return;
    HandlerScope busy(*this);
    window_ = NativeWindow::Create(*this, style_);
    const Handle hwnd = window_->Hwnd();
    ForEachControl([hwnd](Control& c) { c.OnFormWindowCreated(hwnd); });
    for (Timer* t : timers_) t->Apply();
    Form_Load();
}

void Form::Show() {
    if (unloading_) return;
    if (!window_) Load();
    if (!window_) return;
    EnsureSurfaceSize();
    window_->Show(state_);
    EnsureSurfaceSize();
    window_->Update();
}

void Form::Hide() {
    if (window_) window_->Hide();
}

void Form::Unload() {
    if (!window_ || unloading_) return;
    HandlerScope busy(*this);
    unloading_ = true;
    Form_Unload();
    for (Timer* t : timers_) window_->KillTimer(t->id_);
    if (mouseOwner_ || buttonsHeld_) window_->ReleaseMouse();
    ForEachControl([](Control& c) { c.OnFormWindowDestroyed(); });
    window_.reset();
    mouseOwner_ = nullptr;
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
    Canvas& c = image_.Draw();
    if (autoRedraw_) {
        c.FillRect(Rect{0, 0, image_.Width(), image_.Height()}, backColor_);
        if (!background_.Empty()) c.DrawPicture(background_, 0, 0);
    }
    Refresh();
}

void Form::Bake() {
    EnsureSurfaceSize();
    background_ = image_.Copy();
}

Canvas& Form::PersistentCanvas() {
    EnsureSurfaceSize();
    return image_.Draw();
}

void Form::DrawOnSurface(const std::function<void(Canvas&)>& draw, const Rect& area) {
    if (autoRedraw_) {
        draw(PersistentCanvas());
        Invalidate(area);
    } else if (window_) {
        window_->DrawDirect(draw);
    }
}

Color Form::SurfacePixel(int x, int y) const { return image_.Pixel(x, y); }

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
    c.FillRect(dirty, backColor_);
    if (!base.Empty()) c.DrawPicture(base, dirty.left, dirty.top, dirty);
    PaintChildren(c, 0, 0, dirty);
    Form_Paint();
}

MouseArgs Form::ToScale(const MouseArgs& a) const {
    if (scaleMode_ != ScaleMode::Twips) return a;
    MouseArgs t = a;
    t.x *= kTwipsPerPixel;
    t.y *= kTwipsPerPixel;
    return t;
}

MouseArgs Form::RelativeTo(const Control& c, const MouseArgs& a) {
    Rect r = c.BoundsInForm();
    MouseArgs t = a;
    t.x -= static_cast<float>(r.left);
    t.y -= static_cast<float>(r.top);
    return t;
}

void Form::OnMouseDown(const MouseArgs& a) {
    HandlerScope busy(*this);
    if (buttonsHeld_ == 0) {
        mouseOwner_ = HitTest(a.x, a.y);
        window_->CaptureMouse();
    }
    buttonsHeld_ |= a.button;
    if (mouseOwner_) {
        if (mouseOwner_->MouseDown) mouseOwner_->MouseDown(RelativeTo(*mouseOwner_, a));
    } else {
        Form_MouseDown(ToScale(a));
    }
}

void Form::OnMouseMove(const MouseArgs& a) {
    HandlerScope busy(*this);
    Control* target = buttonsHeld_ ? mouseOwner_ : HitTest(a.x, a.y);
    if (target) {
        if (target->MouseMove) target->MouseMove(RelativeTo(*target, a));
    } else {
        Form_MouseMove(ToScale(a));
    }
}

void Form::OnMouseUp(const MouseArgs& a) {
    HandlerScope busy(*this);
    Control* target = mouseOwner_;
    buttonsHeld_ &= ~a.button;
    if (buttonsHeld_ == 0) {
        mouseOwner_ = nullptr;
        if (window_) window_->ReleaseMouse();
    }
    if (target) {
        if (target->MouseUp) target->MouseUp(RelativeTo(*target, a));
        if (target->Click && a.button == kLeftButton && target->ShownOnForm() &&
            target->BoundsInForm().Contains(static_cast<int>(a.x), static_cast<int>(a.y)))
            target->Click();
    } else {
        Form_MouseUp(ToScale(a));
    }
}

void Form::OnDblClick(const MouseArgs& a) {
    // Only the left button double-clicks; a second quick press of another
    // button is an ordinary press.
    if (a.button != kLeftButton) {
        OnMouseDown(a);
        return;
    }
    HandlerScope busy(*this);
    // The second press of a double click: the toolkit reports it as a double
    // click, not as a press, and the release that follows as a release.
    mouseOwner_ = HitTest(a.x, a.y);
    buttonsHeld_ |= a.button;
    if (window_) window_->CaptureMouse();
    if (mouseOwner_) {
        if (mouseOwner_->DblClick) mouseOwner_->DblClick();
    } else {
        Form_DblClick();
    }
}

void Form::OnKeyDown(int keyCode, int shift) {
    HandlerScope busy(*this);
    Form_KeyDown(keyCode, shift);
}

void Form::OnKeyPress(int charCode) {
    HandlerScope busy(*this);
    Form_KeyPress(charCode);
}

void Form::OnTimer(int timerId) {
    HandlerScope busy(*this);
    for (Timer* t : timers_) {
        if (t->id_ == timerId && t->enabled_) {
            if (t->Tick) t->Tick();
            return;
        }
    }
}

void Form::ForEachControl(const std::function<void(Control&)>& f) {
    std::function<void(const Container&)> walk = [&](const Container& box) {
        for (Control* c : box.Children()) {
            f(*c);
            if (Container* inner = c->AsContainer()) walk(*inner);
        }
    };
    walk(*this);
}

void Form::OnCommand(Handle child, int notifyCode) {
    HandlerScope busy(*this);
    Control* target = nullptr;
    ForEachControl([&](Control& c) {
        if (!target && child && c.NativeHandle() == child) target = &c;
    });
    if (target) target->OnNativeCommand(notifyCode);
}

void Form::OnCaptureLost() {
    mouseOwner_ = nullptr;
    buttonsHeld_ = 0;
}

void Form::OnTrayNotify(int mouseMessage) {
    HandlerScope busy(*this);
    Form_TrayNotify(mouseMessage);
}

void Form::OnDpiChanged(int dpi, const Rect& suggested) {
    HandlerScope busy(*this);
    Form_DpiChanged(dpi, suggested);
}

bool Form::OnCloseRequest() {
    HandlerScope busy(*this);
    if (Form_QueryUnload()) return true;
    Unload();
    return true;  // Unload already destroyed the window
}

void Form::OnDestroyed() {
    // The system destroyed the window under us (not through Unload).
    // The native object knows its handle is gone and will not destroy it again.
    if (!unloading_) Unload();
}

}  // namespace plat
