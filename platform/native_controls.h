#pragma once
// Controls backed by a native child window of their form: text box, check
// box, option button, command button. They keep their properties like the
// windowless controls, build the child when the form's window exists and
// take their own keyboard and mouse input.
#include <functional>
#include <memory>
#include <string>

#include "platform/controls.h"
#include "platform/types.h"

namespace plat {

// Notification codes a native child sends its form (as WM_COMMAND codes).
enum NativeNotify : int { kNotifyClicked = 0, kNotifyChange = 0x300 };

enum class NativeKind { TextBox, CheckBox, OptionButton, CommandButton };

// What a backend child window reports to its control.
class NativeChildEvents {
public:
    virtual void OnChildKeyDown(int keyCode, int shift) = 0;
    virtual void OnChildKeyPress(int charCode) = 0;
    // A notification (WM_COMMAND code) the parent window passed back to the child.
    virtual void OnChildCommand(int code) = 0;

protected:
    ~NativeChildEvents() = default;
};

struct NativeChildStyle {
    NativeKind kind = NativeKind::TextBox;
    Rect bounds;  // the host window's client pixels
    bool visible = true;
    bool enabled = true;
    bool readOnly = false;
    std::wstring text;  // a text box's text, a button's caption
    int check = 0;      // check box: 0 clear, 1 checked, 2 greyed; option button: 0 or 1
    Font font;
    Color backColor = Rgb(255, 255, 255);
    Color foreColor = Rgb(0, 0, 0);
};

// The backend's child window. Created by NativeControl only.
class NativeChild {
public:
    static std::unique_ptr<NativeChild> Create(Handle hostWindow, NativeChildEvents& events,
                                               const NativeChildStyle& style);
    virtual ~NativeChild() = default;
    virtual Handle Hwnd() const = 0;
    virtual void SetBounds(const Rect& r) = 0;
    virtual void SetVisible(bool v) = 0;
    virtual void SetEnabled(bool v) = 0;
    virtual void SetReadOnly(bool v) = 0;
    virtual void SetText(const std::wstring& s) = 0;
    virtual std::wstring Text() const = 0;  // what the child holds now (typing changes it)
    virtual void SetCheck(int v) = 0;
    virtual void SetFont(const Font& f) = 0;
    virtual void SetColors(Color back, Color fore) = 0;
    virtual void Focus() = 0;
};

class NativeControl : public Control, protected NativeChildEvents {
public:
    ~NativeControl() override;

    NativeKind Kind() const { return kind_; }
    // The child window while the form's window exists, else nullptr.
    NativeChild* Native() const { return child_.get(); }
    Handle NativeHandle() const override;

    const Font& TextFont() const { return style_.font; }
    void SetFont(const Font& f);
    Color BackColor() const { return style_.backColor; }
    Color ForeColor() const { return style_.foreColor; }
    void SetColors(Color back, Color fore);
    void SetFocus();

    // Keys pressed while the control has the focus.
    std::function<void(int keyCode, int shift)> KeyDown;
    std::function<void(int charCode)> KeyPress;

    // The child takes its own mouse input; the form never hit-tests it.
    bool ReceivesMouse() const override { return false; }
    // Drawn by the child itself on Win32; the headless backend draws a likeness.
    void Paint(Canvas& c, int ox, int oy) const override;
    bool HasOwnWindow() const override { return true; }
    void OnFormWindowCreated() override;
    void OnFormWindowDestroyed() override;

protected:
    NativeControl(Container& parent, NativeKind kind);
    void OnBoundsChanged() override;
    void OnVisibleChanged() override;
    void OnEnabledChanged() override;
    void OnChildKeyDown(int keyCode, int shift) override;
    void OnChildKeyPress(int charCode) override;
    void OnChildCommand(int code) override;

    // Kept for the child and for building it again when the form reloads.
    NativeChildStyle style_;
    std::unique_ptr<NativeChild> child_;

private:
    NativeKind kind_;
};

class TextBox : public NativeControl {
public:
    explicit TextBox(Container& parent);
    // The text as the box holds it now, typing included.
    std::wstring Text() const;
    // Change runs when the text differs from before.
    void SetText(const std::wstring& s);
    // Read-only for typing; the program still sets the text.
    bool Locked() const { return style_.readOnly; }
    void SetLocked(bool on);
    std::wstring Tag;
    std::function<void()> Change;
    void OnNativeCommand(int code) override;
};

class CheckBox : public NativeControl {
public:
    explicit CheckBox(Container& parent);
    const std::wstring& Caption() const { return style_.text; }
    void SetCaption(const std::wstring& s);
    // 0 clear, 1 checked, 2 greyed. Setting a different value runs Click, as
    // a click by the user does (which toggles between 0 and 1).
    int Value() const { return style_.check; }
    void SetValue(int v);
    void OnNativeCommand(int code) override;
};

// One of a group: the option buttons of the same container. Turning one on
// turns the others off (without their Click).
class OptionButton : public NativeControl {
public:
    explicit OptionButton(Container& parent);
    const std::wstring& Caption() const { return style_.text; }
    void SetCaption(const std::wstring& s);
    bool Value() const { return style_.check != 0; }
    // Turning it on runs Click; turning it off runs nothing.
    void SetValue(bool on);
    void OnNativeCommand(int code) override;
};

class CommandButton : public NativeControl {
public:
    explicit CommandButton(Container& parent);
    const std::wstring& Caption() const { return style_.text; }
    void SetCaption(const std::wstring& s);
    // Presses the button from code: runs Click.
    void PerformClick();
    void OnNativeCommand(int code) override;
};

}  // namespace plat
