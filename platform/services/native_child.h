#pragma once
// The backend's side of the controls that own a native child window: the
// kinds, the child's style and events, and the child itself. Each backend
// implements NativeChild; the toolkit's NativeControl drives it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace plat {

enum class NativeKind {
    TextBox,
    CheckBox,
    OptionButton,
    CommandButton,
    ComboBox,  // drop-down list
    ListBox,   // entries with tick boxes
    HScrollBar,
    VScrollBar,
    Frame,  // group box with caption
};

// What the user did to a child, as its kind's descriptor reads the system's
// notifications. `arg` is the list index (Click of a list, ItemCheck) or the
// new value (Change of a scroll bar).
enum class NativeEvent { Click, Change, ItemCheck };

// A scroll bar's range and steps.
struct ScrollRange {
    int min = 0, max = 32767, value = 0, smallChange = 1, largeChange = 1;
};
// What a press on a scroll bar asks for.
enum class ScrollAction { LineBack, LineForward, PageBack, PageForward, Track, First, Last };
// The value that action leads to, kept within min..max (either order). `track`
// is the thumb's position for Track.
int ScrollTarget(const ScrollRange& r, ScrollAction a, int track);

// What a backend child window reports to its control.
class NativeChildEvents {
public:
    virtual void OnChildKeyDown(int keyCode, int shift) = 0;
    virtual void OnChildKeyPress(int charCode) = 0;
    // Mouse input on the child (0 press, 1 move, 2 release), child pixels.
    virtual void OnChildMouse(int phase, const MouseArgs& a) = 0;
    // The child got (true) or lost the keyboard focus.
    virtual void OnChildFocus(bool got) = 0;
    // A notification the parent window passed back to the child.
    virtual void OnChildEvent(NativeEvent e, int arg) = 0;
    // A double click of the left button on the child.
    virtual void OnChildDblClick() {}

protected:
    ~NativeChildEvents() = default;
};

struct NativeChildStyle {
    NativeKind kind = NativeKind::TextBox;
    Rect bounds;  // the host window's client pixels
    bool visible = true;
    bool enabled = true;
    bool readOnly = false;
    bool multiLine = false;  // a text box's lines wrap at its width
    std::wstring text;       // a text box's text, a button's or frame's caption
    int check = 0;           // check box: 0 clear, 1 checked, 2 greyed; option button: 0 or 1
    std::vector<std::wstring> items;  // combo and list entries
    std::vector<bool> ticks;          // a list's tick boxes, one per entry
    int listIndex = -1;
    ScrollRange scroll;
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
    // Combo and list entries; `index` -1 appends.
    virtual void InsertItem(int index, const std::wstring& s) = 0;
    virtual void RemoveItem(int index) = 0;
    virtual void ClearItems() = 0;
    virtual void SetListIndex(int index) = 0;  // no notification
    virtual void SetTick(int index, bool on) = 0;
    virtual void SetScroll(const ScrollRange& r) = 0;
    // A multi-line text box's lines as the system wrapped them.
    virtual int LineCount() const = 0;
    virtual int LineIndex(int line) const = 0;        // first character's index, -1 past the end
    virtual int LineLength(int charIndex) const = 0;  // of the line holding that character
    virtual std::wstring GetLine(int line) const = 0;
};

// How the host's surface shows a child: the Win32 child paints itself, so
// nothing there; the headless backend draws a likeness.
void PaintNativeChild(Canvas& c, const Rect& bounds, const NativeChildStyle& style, const std::wstring& text);

// Sends a window message to a native window and returns its answer: for
// callers that drive a control's own messages (opening a combo's list).
// 0 for a handle that names no window.
std::intptr_t SendWindowMessage(Handle window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace plat
