#include "platform/native_controls.h"

#include "platform/form.h"

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
    // A control added to a host that already has its window gets its child now.
    if (parent.HostWindow()) OnFormWindowCreated();
}

NativeControl::~NativeControl() = default;

Handle NativeControl::NativeHandle() const { return child_ ? child_->Hwnd() : 0; }

void NativeControl::OnFormWindowCreated() {
    const Handle host = Parent().HostWindow();
    if (!host) return;
    style_.bounds = BoundsInHost();
    style_.visible = ShownOnForm();
    style_.enabled = Enabled();
    child_ = NativeChild::Create(host, *this, style_);
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
}

void NativeControl::SetFocus() {
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

void NativeControl::OnChildCommand(int code) {
    Form::HandlerScope running(Parent().OwnerForm());
    OnNativeCommand(code);
}

// ---- TextBox ----

TextBox::TextBox(Container& parent) : NativeControl(parent, NativeKind::TextBox) {}

std::wstring TextBox::Text() const { return child_ ? child_->Text() : style_.text; }

void TextBox::SetText(const std::wstring& s) {
    const bool changed = s != Text();
    style_.text = s;
    // The child's own change notice finds the text already equal and stays quiet.
    if (child_) child_->SetText(s);
    if (changed && Change) Change();
}

void TextBox::SetLocked(bool on) {
    style_.readOnly = on;
    if (child_) child_->SetReadOnly(on);
}

void TextBox::OnNativeCommand(int code) {
    if (code != kNotifyChange || !child_) return;
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

void CheckBox::OnNativeCommand(int code) {
    if (code == kNotifyClicked) SetValue(style_.check == 1 ? 0 : 1);
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

void OptionButton::OnNativeCommand(int code) {
    if (code == kNotifyClicked) SetValue(true);
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

void CommandButton::OnNativeCommand(int code) {
    if (code == kNotifyClicked) PerformClick();
}

}  // namespace plat
