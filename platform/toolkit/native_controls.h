#pragma once
// Controls backed by a native child window of their form: text box, check
// box, option button, command button, combo box, list box with tick boxes,
// scroll bars and the group frame. They keep their properties like the
// windowless controls, build the child when the form's window exists and
// take their own keyboard and mouse input. Each backend describes a kind by
// one descriptor (its window class, styles and notifications), not by code.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/native_child.h"
#include "platform/toolkit/controls.h"
#include "platform/services/types.h"

namespace plat {

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
    // The control's child window got or lost the keyboard focus.
    std::function<void()> GotFocus, LostFocus;

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
    void OnChildMouse(int phase, const MouseArgs& a) override;
    void OnChildFocus(bool got) override;
    void OnChildEvent(NativeEvent e, int arg) override;
    void OnChildDblClick() override;
    // What the control makes of the user's action; runs inside a handler scope.
    virtual void OnNativeEvent(NativeEvent, int) {}
    // Element 0's values for a control array's new element.
    void CopyNativeFrom(const NativeControl& src);

    // Kept for the child and for building it again when the form reloads.
    NativeChildStyle style_;
    std::unique_ptr<NativeChild> child_;

private:
    NativeKind kind_;
};

class TextBox : public NativeControl {
public:
    explicit TextBox(Container& parent);
    // Lines wrap at the box's width and Enter breaks them. Takes effect when
    // the child is built: set it before the form loads.
    bool MultiLine() const { return style_.multiLine; }
    void SetMultiLine(bool on) { style_.multiLine = on; }
    // The lines as the system wrapped them; 0, -1 and "" without a child.
    int LineCount() const;
    int LineIndex(int line) const;
    int LineLength(int charIndex) const;
    std::wstring GetLine(int line) const;
    // The text as the box holds it now, typing included.
    std::wstring Text() const;
    // Change runs when the text differs from before.
    void SetText(const std::wstring& s);
    // Read-only for typing; the program still sets the text.
    bool Locked() const { return style_.readOnly; }
    void SetLocked(bool on);
    std::wstring Tag;
    std::function<void()> Change;
    void OnNativeEvent(NativeEvent e, int arg) override;
    void AssignFrom(const Control& src) override;
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
    void OnNativeEvent(NativeEvent e, int arg) override;
    void AssignFrom(const Control& src) override;
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
    void OnNativeEvent(NativeEvent e, int arg) override;
    void AssignFrom(const Control& src) override;
};

class CommandButton : public NativeControl {
public:
    explicit CommandButton(Container& parent);
    const std::wstring& Caption() const { return style_.text; }
    void SetCaption(const std::wstring& s);
    // Presses the button from code: runs Click.
    void PerformClick();
    void OnNativeEvent(NativeEvent e, int arg) override;
    void AssignFrom(const Control& src) override;
};

// Entries of a combo or list box. ListIndex -1 is "no choice".
class ListControl : public NativeControl {
public:
    void AddItem(const std::wstring& s, int index = -1);  // index -1 appends
    void RemoveItem(int index);                           // out of range: nothing
    void Clear();
    int ListCount() const { return static_cast<int>(style_.items.size()); }
    std::wstring List(int index) const;  // "" out of range
    int ListIndex() const { return style_.listIndex; }
    // A different index runs Click, as a choice by the user does; out of range: nothing.
    void SetListIndex(int index);
    // The chosen entry's text, "" with none.
    std::wstring Text() const { return List(style_.listIndex); }
    void AssignFrom(const Control& src) override;

protected:
    ListControl(Container& parent, NativeKind kind) : NativeControl(parent, kind) {}
    void OnNativeEvent(NativeEvent e, int arg) override;
};

// A drop-down list. The caller may open and close its list by message
// through its native handle (SendWindowMessage): the list shows even when
// the box itself lies outside the form.
class ComboBox : public ListControl {
public:
    explicit ComboBox(Container& parent);
};

// Entries with tick boxes. A click on a tick box, or Space, toggles it and
// runs ItemCheck(index); a click on the text chooses the entry and runs Click.
class ListBox : public ListControl {
public:
    explicit ListBox(Container& parent);
    bool Selected(int index) const;  // the tick; false out of range
    // Setting a different tick from code runs ItemCheck too.
    void SetSelected(int index, bool on);
    std::function<void(int index)> ItemCheck;
    void AssignFrom(const Control& src) override;

protected:
    void OnNativeEvent(NativeEvent e, int arg) override;
};

// Horizontal or vertical. Change runs on every move of the value: by the
// user (arrows, page, thumb dragged) or from code.
class ScrollBar : public NativeControl {
public:
    ScrollBar(Container& parent, bool vertical);
    int Min() const { return style_.scroll.min; }
    int Max() const { return style_.scroll.max; }
    int Value() const { return style_.scroll.value; }
    int SmallChange() const { return style_.scroll.smallChange; }
    int LargeChange() const { return style_.scroll.largeChange; }
    void SetMin(int v);
    void SetMax(int v);
    void SetValue(int v);  // kept within Min..Max
    void SetSmallChange(int v);
    void SetLargeChange(int v);
    std::function<void()> Change;
    void AssignFrom(const Control& src) override;

protected:
    void OnNativeEvent(NativeEvent e, int arg) override;

private:
    void Apply(ScrollRange r);
    // The current range with one of its fields changed.
    ScrollRange With(int ScrollRange::*field, int v) const {
        ScrollRange r = style_.scroll;
        r.*field = v;
        return r;
    }
};

// A group box with a caption that holds controls, placed inside it as in a
// picture box. Its inside is the form's surface in its back colour.
class Frame : public NativeControl, public Container {
public:
    explicit Frame(Container& parent);
    const std::wstring& Caption() const { return style_.text; }
    void SetCaption(const std::wstring& s);
    Container* AsContainer() override { return this; }
    // Its window is only the border band: the host paints and hit-tests the
    // inside and the controls there, which lie on the host's window.
    bool HasOwnWindow() const override { return false; }
    Form& OwnerForm() override { return Parent().OwnerForm(); }
    Point OriginInForm() const override;
    Point OriginInHost() const override;
    Handle HostWindow() const override { return Parent().HostWindow(); }
    void InvalidateHost(const Rect& hostRect) override { Parent().InvalidateHost(hostRect); }
    void ForgetControl(const Control* c) override { Parent().ForgetControl(c); }
    bool ReceivesMouse() const override { return true; }
    void Paint(Canvas& c, int ox, int oy) const override;
    void AssignFrom(const Control& src) override;

protected:
    void OnBoundsChanged() override;
    void OnVisibleChanged() override;
};

}  // namespace plat
