#include "platform/toolkit/native_controls.h"

#include <algorithm>

#include "platform/toolkit/form.h"
#include "platform/services/tooltip.h"

namespace plat {

namespace {
// The face common dialogs and small utilities show on Windows.
constexpr Font kControlFont{L"Microsoft Sans Serif", 9.0f, false};
}  // namespace

// ---- NativeControl ----

NativeControl::NativeControl(Container& parent, NativeKind kind) : Control(parent), kind_(kind) {
    style_.kind = kind;
    style_.font = kControlFont;
    if (kind != NativeKind::TextBox) style_.backColor = Rgb(240, 240, 240);
    // A control added to a host that already has its window gets its child
    // now, after those of the controls made before it.
    if (parent.HostWindow()) {
        parent.OwnerForm().EnsureChildWindows();
        OnFormWindowCreated();
    }
}

NativeControl::~NativeControl() {
    // The tool names the child's window: remove it while that still exists.
    if (child_ && !ToolTipText().empty()) {
        if (Handle form = Parent().OwnerForm().hWnd()) tooltip::Remove(form, this, child_->Hwnd());
    }
}

Handle NativeControl::NativeHandle() const { return child_ ? child_->Hwnd() : 0; }

void NativeControl::OnFormWindowCreated() {
    const Handle host = Parent().HostWindow();
    if (!host || child_) return;
    style_.bounds = BoundsInHost();
    style_.visible = ShownOnForm();
    style_.enabled = Enabled();
    child_ = NativeChild::Create(host, *this, style_);
    Control::OnFormWindowCreated();
}

void NativeControl::OnFormWindowDestroyed() {
    // Typing may have changed the text: keep it for a later reload.
    if (child_ && kind_ == NativeKind::TextBox) style_.text = child_->Text();
    child_.reset();
}

void NativeControl::OnEnabledChanged() {
    style_.enabled = Enabled();
    if (child_) child_->SetEnabled(style_.enabled);
}

void NativeControl::SetFont(const Font& f) {
    style_.font = f;
    if (child_) child_->SetFont(f);
}

void NativeControl::SetColors(Color back, Color fore) {
    style_.backColor = back;
    style_.foreColor = fore;
    if (child_) child_->SetColors(back, fore);
    Invalidate();  // a frame's inside is the form's surface
}

void NativeControl::SetFocus() {
    if (!child_) Parent().OwnerForm().EnsureChildWindows();
    if (child_) child_->Focus();
}

void NativeControl::OnBoundsChanged() {
    style_.bounds = BoundsInHost();
    if (child_) child_->SetBounds(style_.bounds);
}

void NativeControl::OnVisibleChanged() {
    style_.visible = ShownOnForm();
    if (child_) child_->SetVisible(style_.visible);
}

void NativeControl::OnChildKeyDown(int keyCode, int shift) {
    Form::HandlerScope running(Parent().OwnerForm());
    if (KeyDown) KeyDown(keyCode, shift);
}

void NativeControl::OnChildKeyPress(int charCode) {
    Form::HandlerScope running(Parent().OwnerForm());
    if (KeyPress) KeyPress(charCode);
}

// The child handles its own input as the system does; the control's mouse
// handlers hear of it as well, as with any control.
void NativeControl::OnChildMouse(int phase, const MouseArgs& a) {
    Form::HandlerScope running(Parent().OwnerForm());
    const MouseHandler& h = phase == 0 ? MouseDown : phase == 1 ? MouseMove : MouseUp;
    if (h) h(a);
}

void NativeControl::OnChildFocus(bool got) {
    Form::HandlerScope running(Parent().OwnerForm());
    const auto& h = got ? GotFocus : LostFocus;
    if (h) h();
}

void NativeControl::OnChildDblClick() {
    Form::HandlerScope running(Parent().OwnerForm());
    if (DblClick) DblClick();
}

void NativeControl::OnChildEvent(NativeEvent e, int arg) {
    Form::HandlerScope running(Parent().OwnerForm());
    OnNativeEvent(e, arg);
}

void NativeControl::CopyNativeFrom(const NativeControl& src) {
    Control::AssignFrom(src);
    SetFont(src.style_.font);
    SetColors(src.style_.backColor, src.style_.foreColor);
}

void NativeControl::Paint(Canvas& c, int ox, int oy) const {
    PaintNativeChild(c, Bounds().Offset(ox, oy), style_, child_ ? child_->Text() : style_.text);
}

// ---- TextBox ----

TextBox::TextBox(Container& parent) : NativeControl(parent, NativeKind::TextBox) {}

int TextBox::LineCount() const { return child_ ? child_->LineCount() : 0; }
int TextBox::LineIndex(int line) const { return child_ ? child_->LineIndex(line) : -1; }
int TextBox::LineLength(int charIndex) const { return child_ ? child_->LineLength(charIndex) : 0; }
std::wstring TextBox::GetLine(int line) const { return child_ ? child_->GetLine(line) : std::wstring(); }

void TextBox::AssignFrom(const Control& src) {
    if (auto* s = dynamic_cast<const TextBox*>(&src)) {
        CopyNativeFrom(*s);
        style_.multiLine = s->style_.multiLine;  // only for a child built later
        SetLocked(s->Locked());
        Tag = s->Tag;
        SetText(s->Text());
    } else {
        Control::AssignFrom(src);
    }
}

std::wstring TextBox::Text() const { return child_ ? child_->Text() : style_.text; }

void TextBox::SetText(const std::wstring& s) {
    const bool changed = s != Text();
    style_.text = s;
    // The text already shown is not set again: each set costs the edit's
    // whole layout (about 1.6 ms under Wine). The child's own change notice
    // finds the text already equal and stays quiet.
    if (child_ && changed) child_->SetText(s);
    if (changed && Change) Change();
}

void TextBox::SetLocked(bool on) {
    style_.readOnly = on;
    if (child_) child_->SetReadOnly(on);
}

void TextBox::OnNativeEvent(NativeEvent e, int) {
    if (e != NativeEvent::Change || !child_) return;
    std::wstring now = child_->Text();
    if (now == style_.text) return;  // our own SetText
    style_.text = std::move(now);
    if (Change) Change();
}

// ---- CheckBox ----

CheckBox::CheckBox(Container& parent) : NativeControl(parent, NativeKind::CheckBox) {}

void CheckBox::SetCaption(const std::wstring& s) {
    style_.text = s;
    if (child_) child_->SetText(s);
}

void CheckBox::SetValue(int v) {
    if (v < 0 || v > 2 || v == style_.check) return;
    style_.check = v;
    if (child_) child_->SetCheck(v);
    if (Click) Click();
}

void CheckBox::OnNativeEvent(NativeEvent e, int) {
    if (e == NativeEvent::Click) SetValue(style_.check == 1 ? 0 : 1);
}

void CheckBox::AssignFrom(const Control& src) {
    if (auto* s = dynamic_cast<const CheckBox*>(&src)) {
        CopyNativeFrom(*s);
        SetCaption(s->Caption());
        style_.check = s->style_.check;  // a copy, not a click: no Click
        if (child_) child_->SetCheck(style_.check);
    } else {
        Control::AssignFrom(src);
    }
}

// ---- OptionButton ----

OptionButton::OptionButton(Container& parent) : NativeControl(parent, NativeKind::OptionButton) {}

void OptionButton::SetCaption(const std::wstring& s) {
    style_.text = s;
    if (child_) child_->SetText(s);
}

void OptionButton::SetValue(bool on) {
    if (!on) {
        style_.check = 0;
        if (child_) child_->SetCheck(0);
        return;
    }
    if (style_.check) return;
    for (Control* c : Parent().Children()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (other && other != this && other->style_.check) {
            other->style_.check = 0;
            if (other->child_) other->child_->SetCheck(0);
        }
    }
    style_.check = 1;
    if (child_) child_->SetCheck(1);
    if (Click) Click();
}

void OptionButton::OnNativeEvent(NativeEvent e, int) {
    if (e == NativeEvent::Click) SetValue(true);
}

// Element 0 stays the one turned on: the copy starts off.
void OptionButton::AssignFrom(const Control& src) {
    if (auto* s = dynamic_cast<const OptionButton*>(&src)) {
        CopyNativeFrom(*s);
        SetCaption(s->Caption());
    } else {
        Control::AssignFrom(src);
    }
}

// ---- CommandButton ----

CommandButton::CommandButton(Container& parent) : NativeControl(parent, NativeKind::CommandButton) {}

void CommandButton::SetCaption(const std::wstring& s) {
    style_.text = s;
    if (child_) child_->SetText(s);
}

void CommandButton::PerformClick() {
    if (Click) Click();
}

void CommandButton::OnNativeEvent(NativeEvent e, int) {
    if (e == NativeEvent::Click) PerformClick();
}

void CommandButton::AssignFrom(const Control& src) {
    if (auto* s = dynamic_cast<const CommandButton*>(&src)) {
        CopyNativeFrom(*s);
        SetCaption(s->Caption());
    } else {
        Control::AssignFrom(src);
    }
}

// ---- ListControl, ComboBox, ListBox ----

void ListControl::AddItem(const std::wstring& s, int index) {
    auto& items = style_.items;
    if (index < 0 || index > ListCount()) index = ListCount();
    items.insert(items.begin() + index, s);
    style_.ticks.insert(style_.ticks.begin() + index, false);
    if (style_.listIndex >= index) ++style_.listIndex;
    if (child_) {
        child_->InsertItem(index, s);
        child_->SetListIndex(style_.listIndex);
    }
}

void ListControl::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    style_.items.erase(style_.items.begin() + index);
    style_.ticks.erase(style_.ticks.begin() + index);
    if (style_.listIndex == index)
        style_.listIndex = -1;
    else if (style_.listIndex > index)
        --style_.listIndex;
    if (child_) {
        child_->RemoveItem(index);
        child_->SetListIndex(style_.listIndex);
    }
}

void ListControl::Clear() {
    style_.items.clear();
    style_.ticks.clear();
    style_.listIndex = -1;
    if (child_) child_->ClearItems();
}

std::wstring ListControl::List(int index) const {
    return index >= 0 && index < ListCount() ? style_.items[static_cast<size_t>(index)] : std::wstring();
}

void ListControl::SetListIndex(int index) {
    if (index < -1 || index >= ListCount() || index == style_.listIndex) return;
    style_.listIndex = index;
    if (child_) child_->SetListIndex(index);
    if (Click) Click();
}

void ListControl::OnNativeEvent(NativeEvent e, int arg) {
    // The child has the choice already; a repeat of the same one is no new choice.
    if (e != NativeEvent::Click || arg < -1 || arg >= ListCount() || arg == style_.listIndex) return;
    style_.listIndex = arg;
    if (Click) Click();
}

void ListControl::AssignFrom(const Control& src) {
    auto* s = dynamic_cast<const ListControl*>(&src);
    if (!s) return Control::AssignFrom(src);
    CopyNativeFrom(*s);
    Clear();
    for (const std::wstring& item : s->style_.items) AddItem(item);
    style_.ticks = s->style_.ticks;
    for (int i = 0; child_ && i < ListCount(); ++i) child_->SetTick(i, style_.ticks[static_cast<size_t>(i)]);
    style_.listIndex = s->style_.listIndex;
    if (child_) child_->SetListIndex(style_.listIndex);
}

ComboBox::ComboBox(Container& parent) : ListControl(parent, NativeKind::ComboBox) {}

ListBox::ListBox(Container& parent) : ListControl(parent, NativeKind::ListBox) {
    style_.backColor = Rgb(255, 255, 255);
    if (child_) child_->SetColors(style_.backColor, style_.foreColor);
}

bool ListBox::Selected(int index) const {
    return index >= 0 && index < ListCount() && style_.ticks[static_cast<size_t>(index)];
}

void ListBox::SetSelected(int index, bool on) {
    if (index < 0 || index >= ListCount() || Selected(index) == on) return;
    style_.ticks[static_cast<size_t>(index)] = on;
    if (child_) child_->SetTick(index, on);
    if (ItemCheck) ItemCheck(index);
}

void ListBox::OnNativeEvent(NativeEvent e, int arg) {
    if (e == NativeEvent::ItemCheck) {
        SetSelected(arg, !Selected(arg));
        return;
    }
    ListControl::OnNativeEvent(e, arg);
}

void ListBox::AssignFrom(const Control& src) { ListControl::AssignFrom(src); }

// ---- ScrollBar ----

ScrollBar::ScrollBar(Container& parent, bool vertical)
    : NativeControl(parent, vertical ? NativeKind::VScrollBar : NativeKind::HScrollBar) {}

void ScrollBar::Apply(ScrollRange r) {
    r.value = std::clamp(r.value, std::min(r.min, r.max), std::max(r.min, r.max));
    const bool moved = r.value != style_.scroll.value;
    style_.scroll = r;
    if (child_) child_->SetScroll(r);
    if (moved && Change) Change();
}

void ScrollBar::SetMin(int v) { Apply(With(&ScrollRange::min, v)); }
void ScrollBar::SetMax(int v) { Apply(With(&ScrollRange::max, v)); }
void ScrollBar::SetValue(int v) { Apply(With(&ScrollRange::value, v)); }
void ScrollBar::SetSmallChange(int v) { Apply(With(&ScrollRange::smallChange, std::max(v, 1))); }
void ScrollBar::SetLargeChange(int v) { Apply(With(&ScrollRange::largeChange, std::max(v, 1))); }

void ScrollBar::OnNativeEvent(NativeEvent e, int arg) {
    if (e == NativeEvent::Change) SetValue(arg);
}

void ScrollBar::AssignFrom(const Control& src) {
    auto* s = dynamic_cast<const ScrollBar*>(&src);
    if (!s) return Control::AssignFrom(src);
    CopyNativeFrom(*s);
    style_.scroll = s->style_.scroll;  // a copy, not a move: no Change
    if (child_) child_->SetScroll(style_.scroll);
}

// ---- Frame ----

Frame::Frame(Container& parent) : NativeControl(parent, NativeKind::Frame) {}

void Frame::SetCaption(const std::wstring& s) {
    style_.text = s;
    if (child_) child_->SetText(s);
}

Point Frame::OriginInForm() const {
    Rect r = BoundsInForm();
    return {r.left, r.top};
}

Point Frame::OriginInHost() const {
    Rect r = BoundsInHost();
    return {r.left, r.top};
}

void Frame::OnBoundsChanged() {
    NativeControl::OnBoundsChanged();
    for (Control* c : Children()) c->ContainerChanged();
}

void Frame::OnVisibleChanged() {
    NativeControl::OnVisibleChanged();
    for (Control* c : Children()) c->ContainerChanged();
}

void Frame::Paint(Canvas& c, int ox, int oy) const {
    Rect b = Bounds().Offset(ox, oy);
    ClipScope clip(c, b);
    c.FillRect(b, style_.backColor);
    PaintChildren(c, b.left, b.top, b);
}

void Frame::AssignFrom(const Control& src) {
    auto* s = dynamic_cast<const Frame*>(&src);
    if (!s) return Control::AssignFrom(src);
    CopyNativeFrom(*s);
    SetCaption(s->Caption());
}

}  // namespace plat
