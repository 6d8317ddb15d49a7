#include "platform/toolkit/controls.h"

#include <algorithm>

#include "platform/toolkit/form.h"
#include "platform/services/message_pump.h"
#include "platform/services/system.h"
#include "platform/toolkit/text_wrap.h"
#include "platform/services/tooltip.h"

namespace plat {

// ---- Container ----

void Container::PaintChildren(Canvas& c, int ox, int oy, const Rect& dirty) const {
    for (const Control* child : children_) {
        if (!child->Visible() || child->HasOwnWindow()) continue;
        Rect b = child->Bounds().Offset(ox, oy);
        // Outlines and lines may reach beyond their box by their pen width.
        const int o = child->Overhang() + 1;
        if (Rect{b.left - o, b.top - o, b.right + o, b.bottom + o}.Intersect(dirty).Empty()) continue;
        child->Paint(c, ox, oy);
    }
}

Control* Container::HitTest(float x, float y) {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        Control* c = *it;
        if (!c->Visible() || !c->ReceivesMouse() || c->HasOwnWindow()) continue;
        if (x < c->Left() || y < c->Top() || x >= c->Left() + c->Width() || y >= c->Top() + c->Height()) continue;
        if (Container* inner = c->AsContainer()) {
            if (Control* hit = inner->HitTest(x - c->Left(), y - c->Top())) return hit;
        }
        return c->Enabled() ? c : nullptr;
    }
    return nullptr;
}

// ---- Control ----

Control::Control(Container& parent) : parent_(parent) { parent_.children_.push_back(this); }

Control::~Control() {
    parent_.ForgetControl(this);  // a button held over it is released to no one
    if (!toolTip_.empty() && parent_.HostWindow()) tooltip::Remove(parent_.HostWindow(), this, NativeHandle());
    auto& v = parent_.children_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

void Control::Move(float left, float top, float width, float height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
    OnBoundsChanged();
    PlaceToolTip();
}

void Control::SetVisible(bool v) {
    if (v == visible_) return;
    // A window shown for the first time must exist, in its place among the others.
    if (v && (HasOwnWindow() || AsContainer())) parent_.OwnerForm().EnsureChildWindows();
    visible_ = v;
    Invalidate();
    OnVisibleChanged();
    PlaceToolTip();
}

void Control::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    OnEnabledChanged();
}

Rect Control::Bounds() const {
    int l = RoundHalfEven(left_), t = RoundHalfEven(top_);
    return {l, t, l + RoundHalfEven(width_), t + RoundHalfEven(height_)};
}

Rect Control::BoundsInForm() const {
    Point o = parent_.OriginInForm();
    return Bounds().Offset(o.x, o.y);
}

Rect Control::BoundsInHost() const {
    Point o = parent_.OriginInHost();
    return Bounds().Offset(o.x, o.y);
}

void Control::MovedBySystem(int hostLeft, int hostTop) {
    const Point o = parent_.OriginInHost();
    left_ = static_cast<float>(hostLeft - o.x);
    top_ = static_cast<float>(hostTop - o.y);
}

bool Control::ShownOnForm() const {
    if (!visible_) return false;
    for (Container* p = &parent_;;) {
        auto* asControl = dynamic_cast<Control*>(p);
        if (!asControl) return true;
        if (!asControl->visible_) return false;
        p = &asControl->parent_;
    }
}

void Control::Invalidate() const {
    const Rect r = BoundsInHost();
    const int o = Overhang() + 2;
    const Rect outer{r.left - o, r.top - o, r.right + o, r.bottom + o};
    const Rect inner{r.left + o, r.top + o, r.right - o, r.bottom - o};
    if (!OutlineOnly() || inner.Empty()) {
        parent_.InvalidateHost(outer);
        return;
    }
    // An outline changes its four edges only: a big selection frame moving
    // must not repaint all it encloses.
    parent_.InvalidateHost({outer.left, outer.top, outer.right, inner.top});
    parent_.InvalidateHost({outer.left, inner.bottom, outer.right, outer.bottom});
    parent_.InvalidateHost({outer.left, inner.top, inner.left, inner.bottom});
    parent_.InvalidateHost({inner.right, inner.top, outer.right, inner.bottom});
}

// ---- tooltip and copies ----

void Control::SetToolTipText(std::wstring s) {
    if (s == toolTip_) return;
    const bool removing = s.empty();
    toolTip_ = std::move(s);
    if (removing) {
        if (Handle form = parent_.OwnerForm().hWnd()) tooltip::Remove(form, this, NativeHandle());
        return;
    }
    PlaceToolTip();
}

void Control::OnFormWindowCreated() { PlaceToolTip(); }

// The tool lies on the window the control shows on: its host's.
void Control::PlaceToolTip() const {
    if (toolTip_.empty()) return;
    const Handle host = parent_.HostWindow();
    if (!host) return;
    // A hidden windowless control has no place to hover; a hidden child gets no mouse anyway.
    if (ShownOnForm() || NativeHandle()) {
        tooltip::Set(host, this, NativeHandle(), BoundsInHost(), toolTip_);
        toolTipPlaced_ = true;
    } else if (toolTipPlaced_) {
        // A control never placed (hidden since it was made) has nothing to take back.
        tooltip::Remove(host, this, 0);
        toolTipPlaced_ = false;
    }
}

void Control::AssignFrom(const Control& src) {
    Move(src.left_, src.top_, src.width_, src.height_);
    SetEnabled(src.enabled_);
    SetToolTipText(src.toolTip_);
}

void Shape::AssignFrom(const Control& src) {
    Control::AssignFrom(src);
    if (auto* s = dynamic_cast<const Shape*>(&src)) {
        SetBorder(s->BorderColor, s->BorderWidth);
        SetFill(s->FillColor, s->Fill);
    }
}

void Line::AssignFrom(const Control& src) {
    if (auto* s = dynamic_cast<const Line*>(&src)) {
        SetEnds(s->x1_, s->y1_, s->x2_, s->y2_);
        BorderColor = s->BorderColor;
        BorderWidth = s->BorderWidth;
    }
    Control::AssignFrom(src);
}

void Image::AssignFrom(const Control& src) {
    if (auto* s = dynamic_cast<const Image*>(&src)) SetPicture(s->picture_);
    Control::AssignFrom(src);
}

void Label::AssignFrom(const Control& src) {
    Control::AssignFrom(src);
    if (auto* s = dynamic_cast<const Label*>(&src)) {
        ForeColor = s->ForeColor;
        BackColor = s->BackColor;
        Transparent = s->Transparent;
        AutoSize = s->AutoSize;
        ClickThrough = s->ClickThrough;
        TextFont = s->TextFont;
        WordWrap = s->WordWrap;
        Padding = s->Padding;
        SetCaption(s->caption_);
        Invalidate();
    }
}

void PictureBox::AssignFrom(const Control& src) {
    Control::AssignFrom(src);
    if (auto* s = dynamic_cast<const PictureBox*>(&src)) SetBackColor(s->BackColor);
}

// ---- DeferredControls ----

namespace {
std::vector<DeferredControls*>& LiveGraveyards() {
    static std::vector<DeferredControls*> all;
    return all;
}
}  // namespace

DeferredControls::DeferredControls() {
    static const bool hooked = (AddAfterDispatchHook([] {
                                    // A collection may free controls whose destructors touch others: copy first.
                                    const std::vector<DeferredControls*> all = LiveGraveyards();
                                    for (DeferredControls* g : all) {
                                        auto& live = LiveGraveyards();
                                        if (std::find(live.begin(), live.end(), g) != live.end()) g->CollectIdle();
                                    }
                                }),
                                true);
    (void)hooked;
    LiveGraveyards().push_back(this);
}

DeferredControls::~DeferredControls() {
    auto& v = LiveGraveyards();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

void DeferredControls::Dispose(std::unique_ptr<Control> c) {
    if (!c) return;
    pending_.push_back(std::move(c));
    CollectIdle();
}

void DeferredControls::CollectIdle() {
    std::vector<std::unique_ptr<Control>> idle;
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (!(*it)->Parent().OwnerForm().Busy()) {
            idle.push_back(std::move(*it));
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
    idle.clear();
}

// ---- Shape ----

void Shape::SetBorder(Color c, int width) {
    BorderColor = c;
    BorderWidth = width;
    Invalidate();
}

void Shape::SetFill(Color c, FillStyle style) {
    FillColor = c;
    Fill = style;
    Invalidate();
}

void Shape::Paint(Canvas& c, int ox, int oy) const {
    Rect b = Bounds().Offset(ox, oy);
    // A zero-sized frame still shows as a dot, as the toolkit draws it.
    if (b.right == b.left) b.right = b.left + 1;
    if (b.bottom == b.top) b.bottom = b.top + 1;
    if (Fill == FillStyle::Solid) c.FillRect(b, FillColor);
    c.FrameRect(b, BorderColor, BorderWidth);
}

// ---- Line ----

void Line::SetEnds(float x1, float y1, float x2, float y2) {
    Invalidate();
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
    Invalidate();
}

void Line::Paint(Canvas& c, int ox, int oy) const {
    c.Line(RoundHalfEven(x1_) + ox, RoundHalfEven(y1_) + oy, RoundHalfEven(x2_) + ox, RoundHalfEven(y2_) + oy,
           BorderColor, BorderWidth);
}

// ---- Image ----

void Image::SetPicture(Picture p) {
    picture_ = std::move(p);
    Move(Left(), Top(), static_cast<float>(picture_.Width()), static_cast<float>(picture_.Height()));
    Invalidate();
}

void Image::Paint(Canvas& c, int ox, int oy) const {
    if (picture_.Empty()) return;
    Rect b = Bounds().Offset(ox, oy);
    c.DrawPicture(picture_, b.left, b.top, Rect{0, 0, b.Width(), b.Height()}.Intersect(
                                               Rect{0, 0, picture_.Width(), picture_.Height()}));
}

// ---- Label ----

void Label::SetCaption(std::wstring s) {
    if (s == caption_) return;
    caption_ = std::move(s);
    Fit();
    Invalidate();
}

void Label::SetFont(const Font& f) {
    TextFont = f;
    Fit();
    Invalidate();
}

void Label::Fit() {
    if (!AutoSize) return;
    Point sz = MeasureText(caption_, TextFont);
    Move(Left(), Top(), static_cast<float>(sz.x + 2 * Padding), static_cast<float>(sz.y + 2 * Padding));
}

void Label::Paint(Canvas& c, int ox, int oy) const {
    Rect b = Bounds().Offset(ox, oy);
    ClipScope clip(c, b);
    if (!Transparent) c.FillRect(b, BackColor);
    if (!WordWrap) {
        c.Text(b.left + Padding, b.top + Padding, caption_, TextFont, ForeColor);
        return;
    }
    const int lineHeight = c.TextSize(L"Ag", TextFont).y;
    int y = b.top;
    for (const std::wstring& line :
         WrapText(caption_, b.Width(), [&](std::wstring_view s) { return c.TextSize(s, TextFont).x; })) {
        if (y >= b.bottom) break;
        c.Text(b.left, y, line, TextFont, ForeColor);
        y += lineHeight;
    }
}

// ---- MouseRouter ----

MouseArgs MouseRouter::RelativeTo(const Control& c, const MouseArgs& a) {
    const Rect r = c.BoundsInHost();
    MouseArgs t = a;
    t.x -= static_cast<float>(r.left);
    t.y -= static_cast<float>(r.top);
    return t;
}

// Host pixels are the host's own container pixels.
Control* MouseRouter::Under(Container& host, const MouseArgs& a) { return host.HitTest(a.x, a.y); }

void MouseRouter::Down(Container& host, NativeWindow* window, const MouseArgs& a, const HostHandlers& self) {
    if (held_ == 0) {
        owner_ = Under(host, a);
        if (window) window->CaptureMouse();
    }
    held_ |= a.button;
    if (owner_) {
        if (owner_->MouseDown) owner_->MouseDown(RelativeTo(*owner_, a));
    } else if (self.down) {
        self.down(a);
    }
}

void MouseRouter::Move(Container& host, const MouseArgs& a, const HostHandlers& self) {
    Control* target = held_ ? owner_ : Under(host, a);
    if (target) {
        if (target->MouseMove) target->MouseMove(RelativeTo(*target, a));
    } else if (self.move) {
        self.move(a);
    }
}

void MouseRouter::Up(NativeWindow* window, const MouseArgs& a, const HostHandlers& self) {
    Control* target = owner_;
    held_ &= ~a.button;
    if (held_ == 0) {
        owner_ = nullptr;
        if (window) window->ReleaseMouse();
    }
    if (target) {
        if (target->MouseUp) target->MouseUp(RelativeTo(*target, a));
        if (target->Click && a.button == kLeftButton && target->ShownOnForm() &&
            target->BoundsInHost().Contains(static_cast<int>(a.x), static_cast<int>(a.y)))
            target->Click();
    } else if (self.up) {
        self.up(a);
    }
}

// The second press of a double click: reported as a double click, not as a
// press, and the release that follows as a release.
void MouseRouter::DblClick(Container& host, NativeWindow* window, const MouseArgs& a, const HostHandlers& self) {
    owner_ = Under(host, a);
    held_ |= a.button;
    if (window) window->CaptureMouse();
    if (owner_) {
        if (owner_->DblClick) owner_->DblClick();
    } else if (self.dblClick) {
        self.dblClick();
    }
}

void MouseRouter::Forget(const Control* c) {
    if (owner_ == c) owner_ = nullptr;
}

void MouseRouter::Reset(NativeWindow* window) {
    if ((owner_ || held_) && window) window->ReleaseMouse();
    owner_ = nullptr;
    held_ = 0;
}

// ---- PictureBox ----

// The window of a windowed box: it paints the box and its windowless
// controls, and routes their mouse input.
class PictureBox::Host final : public WindowEvents {
public:
    explicit Host(PictureBox& box) : box_(box) {
        WindowStyle s;
        s.parent = box.Parent().HostWindow();
        s.bounds = box.BoundsInHost();
        s.borderless = true;
        s.showInTaskbar = false;
        window_ = NativeWindow::Create(*this, s);
        if (window_ && window_->Hwnd() == 0) window_.reset();
    }
    NativeWindow* Window() const { return window_.get(); }
    MouseRouter& Router() { return router_; }
    void Place() {
        if (!window_) return;
        window_->SetBounds(box_.BoundsInHost());
        if (box_.ShownOnForm()) {
            window_->ShowNoActivate();
        } else {
            window_->Hide();
        }
    }
    void OnPaint(Canvas& c, const Rect& dirty) override {
        c.FillRect(dirty, box_.BackColor);
        if (!box_.picture_.Empty()) c.DrawPicture(box_.picture_, 0, 0);
        box_.PaintChildren(c, 0, 0, dirty);
    }
    void OnMouseDown(const MouseArgs& a) override {
        Form::HandlerScope running(box_.OwnerForm());
        router_.Down(box_, window_.get(), a, Handlers());
    }
    void OnMouseMove(const MouseArgs& a) override {
        Form::HandlerScope running(box_.OwnerForm());
        router_.Move(box_, a, Handlers());
    }
    void OnMouseUp(const MouseArgs& a) override {
        Form::HandlerScope running(box_.OwnerForm());
        router_.Up(window_.get(), a, Handlers());
    }
    void OnDblClick(const MouseArgs& a) override {
        Form::HandlerScope running(box_.OwnerForm());
        router_.DblClick(box_, window_.get(), a, Handlers());
    }
    void OnKeyDown(int, int) override {}
    void OnKeyPress(int) override {}
    void OnTimer(int) override {}
    bool OnCloseRequest() override { return true; }
    void OnCaptureLost() override { router_.Reset(nullptr); }
    void OnMovedBySystem(const Rect& r) override { box_.MovedBySystem(r.left, r.top); }
    void OnDestroyed() override {}

private:
    // Input no control of the box took is the box's own.
    MouseRouter::HostHandlers Handlers() {
        PictureBox& b = box_;
        return {[&b](const MouseArgs& a) { if (b.MouseDown) b.MouseDown(a); },
                [&b](const MouseArgs& a) { if (b.MouseMove) b.MouseMove(a); },
                [&b](const MouseArgs& a) {
                    if (b.MouseUp) b.MouseUp(a);
                    if (b.Click && a.button == kLeftButton) b.Click();
                },
                [&b] { if (b.DblClick) b.DblClick(); }};
    }
    PictureBox& box_;
    std::unique_ptr<NativeWindow> window_;
    MouseRouter router_;
};

PictureBox::PictureBox(Container& parent, bool windowed) : Control(parent), windowed_(windowed) {
    // A box added to a host that already has its window gets its own now,
    // after those of the controls made before it.
    if (windowed_ && parent.HostWindow()) {
        parent.OwnerForm().EnsureChildWindows();
        OnFormWindowCreated();
    }
}

PictureBox::~PictureBox() = default;

Handle PictureBox::hWnd() const { return host_ && host_->Window() ? host_->Window()->Hwnd() : 0; }

void PictureBox::SetBackColor(Color c) {
    BackColor = c;
    Invalidate();
    if (host_ && host_->Window()) host_->Window()->InvalidateAll();
}

Point PictureBox::OriginInForm() const {
    Rect r = BoundsInForm();
    return {r.left, r.top};
}

Point PictureBox::OriginInHost() const {
    if (windowed_) return {0, 0};
    Rect r = BoundsInHost();
    return {r.left, r.top};
}

Handle PictureBox::HostWindow() const { return windowed_ ? hWnd() : Parent().HostWindow(); }

void PictureBox::InvalidateHost(const Rect& hostRect) {
    if (!windowed_) {
        Parent().InvalidateHost(hostRect);
    } else if (host_ && host_->Window()) {
        host_->Window()->Invalidate(hostRect);
    }
}

void PictureBox::OnFormWindowCreated() {
    if (windowed_ && !host_ && Parent().HostWindow()) {
        host_ = std::make_unique<Host>(*this);
        if (host_->Window() && !region_.empty()) host_->Window()->SetRegion(region_);
        host_->Place();
    }
    Control::OnFormWindowCreated();
}

void PictureBox::ForgetControl(const Control* c) {
    if (!windowed_) {
        Parent().ForgetControl(c);
    } else if (host_) {
        host_->Router().Forget(c);
    }
}

void PictureBox::OnFormWindowDestroyed() { host_.reset(); }

void PictureBox::SetWindowRegion(std::vector<Rect> parts) {
    region_ = std::move(parts);
    if (host_ && host_->Window()) host_->Window()->SetRegion(region_);
}

void PictureBox::OnBoundsChanged() {
    if (host_) host_->Place();
    for (Control* c : Children()) c->ContainerChanged();
}

void PictureBox::OnVisibleChanged() {
    if (host_) host_->Place();
    for (Control* c : Children()) c->ContainerChanged();
}

void PictureBox::Paint(Canvas& c, int ox, int oy) const {
    Rect b = Bounds().Offset(ox, oy);
    ClipScope clip(c, b);  // children never paint outside the box
    c.FillRect(b, BackColor);
    if (!picture_.Empty()) c.DrawPicture(picture_, b.left, b.top);
    PaintChildren(c, b.left, b.top, b);
    if (border_) c.FrameRect(b, BorderColor, 1);
}

void PictureBox::SetPicture(Picture p) {
    picture_ = std::move(p);
    Invalidate();
    if (host_ && host_->Window()) host_->Window()->InvalidateAll();
}

void PictureBox::SetBorderLine(bool on) {
    if (border_ == on) return;
    border_ = on;
    Invalidate();
}

}  // namespace plat
