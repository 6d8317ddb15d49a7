// Native child windows of the headless backend: plain records of what the
// control set, drawn as a likeness on the form so that tests can see them.
#include "platform/headless/fake_native_controls.h"

#include <map>
#include <utility>

#include "platform/headless/headless_window.h"
#include "platform/services/system.h"
#include "platform/services/tooltip.h"

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
        // As the system's edit control reports any change; buttons do not.
        if (style_.kind == NativeKind::TextBox) Notify(NativeEvent::Change);
    }
    std::wstring Text() const override { return style_.text; }
    void SetCheck(int v) override { style_.check = v; }
    void SetFont(const Font& f) override { style_.font = f; }
    void SetColors(Color back, Color fore) override {
        style_.backColor = back;
        style_.foreColor = fore;
    }
    void Focus() override {}
    void InsertItem(int index, const std::wstring& s) override {
        auto& v = style_.items;
        v.insert(index < 0 ? v.end() : v.begin() + index, s);
    }
    void RemoveItem(int index) override { style_.items.erase(style_.items.begin() + index); }
    void ClearItems() override { style_.items.clear(); }
    void SetListIndex(int index) override { style_.listIndex = index; }
    void SetTick(int, bool) override {}
    void SetScroll(const ScrollRange& r) override { style_.scroll = r; }
    // Word wrap is the system's: the fake answers the lines a test scripted.
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    int LineIndex(int line) const override {
        if (line < 0 || line >= LineCount()) return -1;
        int at = 0;
        for (int i = 0; i < line; ++i) at += static_cast<int>(lines_[static_cast<size_t>(i)].size());
        return at;
    }
    int LineLength(int charIndex) const override {
        for (const std::wstring& l : lines_) {
            if (charIndex < static_cast<int>(l.size())) return static_cast<int>(l.size());
            charIndex -= static_cast<int>(l.size());
        }
        return 0;
    }
    std::wstring GetLine(int line) const override {
        return line >= 0 && line < LineCount() ? lines_[static_cast<size_t>(line)] : std::wstring();
    }
    std::vector<std::wstring> lines_;

    NativeChildEvents& Events() const { return events_; }
    Handle ParentWindow() const { return parent_; }
    const NativeChildStyle& Style() const { return style_; }
    void TypeText(const std::wstring& s) { SetText(s); }

    // A notification, passed back to the control as the parent window does.
    void Notify(NativeEvent e, int arg = 0) const { events_.OnChildEvent(e, arg); }

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

std::intptr_t SendWindowMessage(Handle, unsigned, std::uintptr_t, std::intptr_t) { return 0; }

// A likeness, not the system's look: the box, its text or caption, a mark when checked.
void PaintNativeChild(Canvas& c, const Rect& b, const NativeChildStyle& style, const std::wstring& text) {
    ClipScope clip(c, b);
    c.FillRect(b, style.backColor);
    c.FrameRect(b, Rgb(122, 122, 122), 1);
    const bool checkable = style.kind == NativeKind::CheckBox || style.kind == NativeKind::OptionButton;
    if (checkable && style.check) c.FillRect(Rect{b.left + 4, b.top + 5, b.left + 11, b.top + 12}, Rgb(0, 0, 0));
    c.Text(b.left + (checkable ? 18 : 3), b.top + 3, text, style.font, style.foreColor);
}

namespace tooltip {
namespace {
std::map<std::pair<Handle, const void*>, fake_native::Tip>& Tips() {
    static std::map<std::pair<Handle, const void*>, fake_native::Tip> tips;
    return tips;
}
}  // namespace
void Set(Handle form, const void* key, Handle child, const Rect& rect, const std::wstring& text) {
    Tips()[{form, key}] = fake_native::Tip{text, rect, child};
}
void Remove(Handle form, const void* key, Handle) { Tips().erase({form, key}); }
// No tip is ever shown here: nothing to take down.
void HideAll(Handle) {}
}  // namespace tooltip

}  // namespace plat

namespace fake_native {

namespace {
plat::FakeChild* Fake(plat::NativeChild* c) { return static_cast<plat::FakeChild*>(c); }

// The child can take input: it exists, it and its form are shown, it is enabled.
plat::FakeChild* Reachable(plat::NativeChild* c) {
    plat::FakeChild* child = Fake(c);
    if (!child || !child->Style().visible || !child->Style().enabled) return nullptr;
    auto* form = headless::detail::Find(child->ParentWindow());
    return form && form->Visible() ? child : nullptr;
}

bool Listed(const plat::FakeChild* child, int index) {
    return index >= 0 && index < static_cast<int>(child->Style().items.size());
}
}  // namespace

std::optional<ChildState> Child(const plat::NativeChild* c) {
    const auto* child = static_cast<const plat::FakeChild*>(c);
    if (!child) return std::nullopt;
    const plat::NativeChildStyle& s = child->Style();
    return ChildState{s.text, s.bounds, s.visible, s.enabled, s.readOnly, s.check, s.font, child->ParentWindow(),
                      s.items, s.listIndex, s.scroll};
}

bool KeyDown(plat::NativeChild* c, int keyCode, int shift) {
    plat::FakeChild* child = Reachable(c);
    if (!child) return false;
    child->Events().OnChildKeyDown(keyCode, shift);
    plat::DoEvents();
    return true;
}

bool KeyPress(plat::NativeChild* c, int charCode) {
    plat::FakeChild* child = Reachable(c);
    if (!child) return false;
    child->Events().OnChildKeyPress(charCode);
    plat::DoEvents();
    return true;
}

bool Click(plat::NativeChild* c) {
    plat::FakeChild* child = Reachable(c);
    if (!child || child->Style().kind == plat::NativeKind::TextBox) return false;
    child->Notify(plat::NativeEvent::Click, child->Style().listIndex);
    plat::DoEvents();
    return true;
}

bool Choose(plat::NativeChild* c, int index) {
    plat::FakeChild* child = Reachable(c);
    if (!child || !Listed(child, index)) return false;
    child->SetListIndex(index);
    child->Notify(plat::NativeEvent::Click, index);
    plat::DoEvents();
    return true;
}

bool ClickTick(plat::NativeChild* c, int index) {
    plat::FakeChild* child = Reachable(c);
    if (!child || !Listed(child, index)) return false;
    child->Notify(plat::NativeEvent::ItemCheck, index);
    plat::DoEvents();
    return true;
}

bool Scroll(plat::NativeChild* c, plat::ScrollAction a, int track) {
    plat::FakeChild* child = Reachable(c);
    if (!child) return false;
    const int next = plat::ScrollTarget(child->Style().scroll, a, track);
    if (next != child->Style().scroll.value) child->Notify(plat::NativeEvent::Change, next);
    plat::DoEvents();
    return true;
}

bool ScriptLines(plat::NativeChild* c, std::vector<std::wstring> lines) {
    plat::FakeChild* child = Fake(c);
    if (!child) return false;
    child->lines_ = std::move(lines);
    return true;
}

std::optional<Tip> ToolTip(plat::Handle host, const void* key) {
    auto& tips = plat::tooltip::Tips();
    auto it = tips.find({host, key});
    if (it == tips.end()) return std::nullopt;
    return it->second;
}

bool Type(plat::NativeChild* c, const std::wstring& text) {
    plat::FakeChild* child = Reachable(c);
    if (!child || child->Style().readOnly) return false;
    child->TypeText(text);
    plat::DoEvents();
    return true;
}

}  // namespace fake_native
