#include "platform/controls.h"

#include <algorithm>

#include "platform/form.h"
#include "platform/message_pump.h"
#include "platform/system.h"
#include "platform/tooltip.h"

namespace plat {

// ---- Container ----

void Container::PaintChildren(Canvas& c, int ox, int oy, const Rect& dirty) const {
    for (const Control* child : children_) {
        if (!child->Visible()) continue;
        Rect b = child->Bounds().Offset(ox, oy);
        // Outlines and lines may reach one pen width beyond their box.
        if (b.Union(Rect{b.left - 1, b.top - 1, b.right + 1, b.bottom + 1}).Intersect(dirty).Empty()) continue;
        child->Paint(c, ox, oy);
    }
}

Control* Container::HitTest(float x, float y) {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        Control* c = *it;
        if (!c->Visible() || !c->ReceivesMouse()) continue;
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
    Form& form = parent_.OwnerForm();
    form.ForgetControl(this);  // a button held over it is released to no one
    if (!toolTip_.empty() && form.hWnd()) tooltip::Remove(form.hWnd(), this, NativeHandle());
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
    Rect r = BoundsInForm();
    parent_.OwnerForm().Invalidate(Rect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2});
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

void Control::OnFormWindowCreated(Handle) { PlaceToolTip(); }

void Control::PlaceToolTip() const {
    if (toolTip_.empty()) return;
    const Handle form = const_cast<Container&>(parent_).OwnerForm().hWnd();
    if (!form) return;
    // A hidden windowless control has no place to hover; a hidden child gets no mouse anyway.
    if (ShownOnForm() || NativeHandle())
        tooltip::Set(form, this, NativeHandle(), BoundsInForm(), toolTip_);
    else
        tooltip::Remove(form, this, 0);
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
    Move(Left(), Top(), static_cast<float>(sz.x), static_cast<float>(sz.y));
}

void Label::Paint(Canvas& c, int ox, int oy) const {
    Rect b = Bounds().Offset(ox, oy);
    ClipScope clip(c, b);
    if (!Transparent) c.FillRect(b, BackColor);
    c.Text(b.left, b.top, caption_, TextFont, ForeColor);
}

// ---- PictureBox ----

void PictureBox::SetBackColor(Color c) {
    BackColor = c;
    Invalidate();
}

Point PictureBox::OriginInForm() const {
    Rect r = BoundsInForm();
    return {r.left, r.top};
}

void PictureBox::OnBoundsChanged() {
    for (Control* c : Children()) c->ContainerChanged();
}

void PictureBox::OnVisibleChanged() {
    for (Control* c : Children()) c->ContainerChanged();
}

void PictureBox::Paint(Canvas& c, int ox, int oy) const {
    Rect b = Bounds().Offset(ox, oy);
    ClipScope clip(c, b);  // children never paint outside the box
    c.FillRect(b, BackColor);
    PaintChildren(c, b.left, b.top, b);
}

}  // namespace plat
