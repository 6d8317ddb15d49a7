// Native child windows of the headless backend: plain records of what the
// control set, drawn as a likeness on the form so that tests can see them.
#include "platform/headless/fake_native_controls.h"

#include "platform/headless/headless_window.h"
#include "platform/system.h"

namespace plat {

namespace {

class FakeChild final : public NativeChild {
public:
    FakeChild(Handle formWindow, NativeChildEvents& events, const NativeChildStyle& style)
        : events_(events), parent_(formWindow), style_(style), hwnd_(NextHandle()) {}

    Handle Hwnd() const override { return hwnd_; }
    void SetBounds(const Rect& r) override { style_.bounds = r; }
    void SetVisible(bool v) override { style_.visible = v; }
    void SetEnabled(bool v) override { style_.enabled = v; }
    void SetReadOnly(bool v) override { style_.readOnly = v; }
    void SetText(const std::wstring& s) override {
        style_.text = s;
        Notify(kNotifyChange);  // as the system's edit control reports any change
    }
    std::wstring Text() const override { return style_.text; }
    void SetCheck(int v) override { style_.check = v; }
    void SetFont(const Font& f) override { style_.font = f; }
    void SetColors(Color back, Color fore) override {
        style_.backColor = back;
        style_.foreColor = fore;
    }
    void Focus() override {}

    NativeChildEvents& Events() const { return events_; }
    Handle ParentWindow() const { return parent_; }
    const NativeChildStyle& Style() const { return style_; }
    void TypeText(const std::wstring& s) { SetText(s); }

    // A notification, passed back to the control as the parent window does.
    void Notify(int code) const {
        if (style_.kind != NativeKind::TextBox && code == kNotifyChange) return;
        events_.OnChildCommand(code);
    }

private:
    static Handle NextHandle() {
        static Handle next = 0x70000;
        return next += 4;
    }
    NativeChildEvents& events_;
    Handle parent_;
    NativeChildStyle style_;
    Handle hwnd_;
};

}  // namespace

std::unique_ptr<NativeChild> NativeChild::Create(Handle formWindow, NativeChildEvents& events,
                                                 const NativeChildStyle& style) {
    return std::make_unique<FakeChild>(formWindow, events, style);
}

void NativeControl::Paint(Canvas& c, int ox, int oy) const {
    const Rect b = Bounds().Offset(ox, oy);
    ClipScope clip(c, b);
    c.FillRect(b, style_.backColor);
    const std::wstring text = child_ ? child_->Text() : style_.text;
    switch (kind_) {
        case NativeKind::TextBox:
            c.FrameRect(b, Rgb(122, 122, 122), 1);
            c.Text(b.left + 3, b.top + 3, text, style_.font, style_.foreColor);
            break;
        case NativeKind::CheckBox:
        case NativeKind::OptionButton: {
            const Rect box{b.left + 1, b.top + 2, b.left + 14, b.top + 15};
            c.FrameRect(box, Rgb(51, 51, 51), 1);
            if (style_.check) c.FillRect(Rect{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3}, Rgb(0, 0, 0));
            c.Text(b.left + 18, b.top + 1, text, style_.font, style_.foreColor);
            break;
        }
        case NativeKind::CommandButton:
            c.FrameRect(b, Rgb(122, 122, 122), 1);
            c.Text(b.left + 4, b.top + 3, text, style_.font, style_.foreColor);
            break;
    }
}

}  // namespace plat

namespace fake_native {

namespace {
plat::FakeChild* ChildOf(const plat::NativeControl& c) { return static_cast<plat::FakeChild*>(c.Native()); }

// The child can take input: it exists, it and its form are shown, it is enabled.
plat::FakeChild* Reachable(const plat::NativeControl& c) {
    plat::FakeChild* child = ChildOf(c);
    if (!child || !child->Style().visible || !child->Style().enabled) return nullptr;
    auto* form = headless::detail::Find(child->ParentWindow());
    return form && form->Visible() ? child : nullptr;
}
}  // namespace

std::optional<ChildState> Child(const plat::NativeControl& c) {
    const plat::FakeChild* child = ChildOf(c);
    if (!child) return std::nullopt;
    const plat::NativeChildStyle& s = child->Style();
    return ChildState{s.text, s.bounds, s.visible, s.enabled, s.readOnly, s.check, s.font, child->ParentWindow()};
}

bool KeyDown(plat::NativeControl& c, int keyCode, int shift) {
    plat::FakeChild* child = Reachable(c);
    if (!child) return false;
    child->Events().OnChildKeyDown(keyCode, shift);
    plat::DoEvents();
    return true;
}

bool KeyPress(plat::NativeControl& c, int charCode) {
    plat::FakeChild* child = Reachable(c);
    if (!child) return false;
    child->Events().OnChildKeyPress(charCode);
    plat::DoEvents();
    return true;
}

bool Click(plat::NativeControl& c) {
    plat::FakeChild* child = Reachable(c);
    if (!child || c.Kind() == plat::NativeKind::TextBox) return false;
    child->Notify(plat::kNotifyClicked);
    plat::DoEvents();
    return true;
}

bool Type(plat::TextBox& c, const std::wstring& text) {
    plat::FakeChild* child = Reachable(c);
    if (!child || child->Style().readOnly) return false;
    child->TypeText(text);
    plat::DoEvents();
    return true;
}

}  // namespace fake_native
