#pragma once
// Windowless controls: kept as properties, painted by their form over its
// surface, hit-tested by the form for mouse events.
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/native_window.h"
#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace plat {

class Form;
class Control;

// Something that holds controls: a form, or a picture box inside one. The
// nearest container with a window of its own (the form, or a windowed
// picture box) is the host: windowless controls paint on it and native
// children are child windows of it.
class Container {
public:
    virtual ~Container() = default;
    virtual Form& OwnerForm() = 0;
    // Top-left of this container's client area in form pixels.
    virtual Point OriginInForm() const = 0;
    // Top-left of this container's client area in its host window's client pixels.
    virtual Point OriginInHost() const = 0;
    // The host's window, 0 while it has none.
    virtual Handle HostWindow() const = 0;
    // Marks a rectangle of the host window's client area for repainting.
    virtual void InvalidateHost(const Rect& hostRect) = 0;
    // A control inside is going: the host's mouse input no longer goes to it.
    virtual void ForgetControl(const Control* c) = 0;
    const std::vector<Control*>& Children() const { return children_; }
    // The topmost visible control under (x, y) (container pixels), descending
    // into windowless containers; controls with windows of their own take
    // their own input.
    Control* HitTest(float x, float y);

protected:
    void PaintChildren(Canvas& c, int ox, int oy, const Rect& dirty) const;

private:
    friend class Control;
    std::vector<Control*> children_;  // z-order: last is on top
};

using MouseHandler = std::function<void(const MouseArgs&)>;

class Control {
public:
    explicit Control(Container& parent);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void SetLeft(float v) { Move(v, top_, width_, height_); }
    void SetTop(float v) { Move(left_, v, width_, height_); }
    void SetWidth(float v) { Move(left_, top_, v, height_); }
    void SetHeight(float v) { Move(left_, top_, width_, v); }
    void Move(float left, float top) { Move(left, top, width_, height_); }
    void Move(float left, float top, float width, float height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    // Whole-pixel rectangle in the parent's, the form's and the host window's client pixels.
    Rect Bounds() const;
    Rect BoundsInForm() const;
    Rect BoundsInHost() const;
    // Visible, and every container up to the form visible too.
    bool ShownOnForm() const;

    Container& Parent() const { return parent_; }
    int Index() const { return index_; }
    void SetIndex(int i) { index_ = i; }
    // Shown over the control after the usual hover delay; "" shows none.
    const std::wstring& ToolTipText() const { return toolTip_; }
    void SetToolTipText(std::wstring s);
    // A new control array element's values from element 0: position, size,
    // enabled state, tip, and what each kind adds (colours, font, caption,
    // text, picture, border). Not visibility and not the handlers.
    virtual void AssignFrom(const Control& src);

    // Events, coordinates relative to the control's top-left corner.
    MouseHandler MouseDown, MouseMove, MouseUp;
    std::function<void()> Click, DblClick;

    virtual bool ReceivesMouse() const { return true; }
    // A control with a window of its own (native children, windowed boxes)
    // is painted and hit-tested by the system, not by its host.
    virtual bool HasOwnWindow() const { return false; }
    virtual Container* AsContainer() { return nullptr; }
    virtual void Paint(Canvas& c, int ox, int oy) const = 0;

    // Controls backed by a native child window (text boxes, buttons...) build
    // it when the form's window exists and follow geometry and visibility.
    // Overrides call this one too: it places the tooltip.
    virtual void OnFormWindowCreated();
    virtual void OnFormWindowDestroyed() {}
    virtual Handle NativeHandle() const { return 0; }
    // The container moved, or was shown or hidden: where this control shows changed.
    void ContainerChanged() {
        OnBoundsChanged();
        OnVisibleChanged();
        PlaceToolTip();
    }

    // The system moved this control's own window (a drag by its caption):
    // its position follows without being applied again. In host pixels.
    void MovedBySystem(int hostLeft, int hostTop);

    // How far beyond its box the control may paint (wide pens).
    virtual int Overhang() const { return 0; }
    // Paints only an outline along its edges: what lies inside shows through.
    virtual bool OutlineOnly() const { return false; }

protected:
    void Invalidate() const;
    virtual void OnBoundsChanged() {}
    virtual void OnVisibleChanged() {}
    virtual void OnEnabledChanged() {}

private:
    // The tip's tool follows the control: shown, moved, removed.
    void PlaceToolTip() const;
    Container& parent_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    int index_ = -1;
    std::wstring toolTip_;
    mutable bool toolTipPlaced_ = false;
};

enum class FillStyle { Solid = 0, Transparent = 1 };

// Rectangle outline, filled in FillColor when FillStyle is Solid (by default
// it is not). Lets the mouse through to what is below.
class Shape : public Control {
public:
    using Control::Control;
    Color BorderColor = Rgb(0, 0, 0);
    int BorderWidth = 1;
    Color FillColor = Rgb(0, 0, 0);
    FillStyle Fill = FillStyle::Transparent;
    void SetBorder(Color c, int width);
    void SetFill(Color c, FillStyle style);
    void AssignFrom(const Control& src) override;
    bool ReceivesMouse() const override { return false; }
    void Paint(Canvas& c, int ox, int oy) const override;
    int Overhang() const override { return BorderWidth; }
    bool OutlineOnly() const override { return Fill == FillStyle::Transparent; }
};

// Straight line from (X1, Y1) to (X2, Y2) in parent pixels.
class Line : public Control {
public:
    using Control::Control;
    void SetEnds(float x1, float y1, float x2, float y2);
    Color BorderColor = Rgb(0, 0, 0);
    int BorderWidth = 1;
    bool ReceivesMouse() const override { return false; }
    void AssignFrom(const Control& src) override;
    void Paint(Canvas& c, int ox, int oy) const override;
    int Overhang() const override { return BorderWidth; }

private:
    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
};

// A picture drawn 1:1 at the control's top-left corner.
class Image : public Control {
public:
    using Control::Control;
    const Picture& GetPicture() const { return picture_; }
    // Sizes the control to the picture, as an unstretched image does.
    void SetPicture(Picture p);
    void Paint(Canvas& c, int ox, int oy) const override;
    void AssignFrom(const Control& src) override;

private:
    Picture picture_;
};

class Label : public Control {
public:
    using Control::Control;
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring s);
    Color ForeColor = Rgb(0, 0, 0);
    Color BackColor = Rgb(255, 255, 255);
    bool Transparent = false;
    bool AutoSize = false;
    // Lets the mouse through to what lies below, as a readout over a picture should.
    bool ClickThrough = false;
    Font TextFont;
    // Breaks the caption into lines at spaces to fit the label's width.
    bool WordWrap = false;
    // Pixels of back colour around the caption of an auto-sized, opaque label.
    int Padding = 0;
    void SetFont(const Font& f);
    bool ReceivesMouse() const override { return !ClickThrough; }
    void Paint(Canvas& c, int ox, int oy) const override;
    void AssignFrom(const Control& src) override;

private:
    void Fit();
    std::wstring caption_;
};

// Mouse input of one host window: a press goes to the control under it (or to
// the host itself) and that one keeps the input until every button is up.
class MouseRouter {
public:
    // What the host does with input no control took; coordinates in host pixels.
    struct HostHandlers {
        std::function<void(const MouseArgs&)> down, move, up;
        std::function<void()> dblClick;
    };
    void Down(Container& host, NativeWindow* window, const MouseArgs& a, const HostHandlers& self);
    void Move(Container& host, const MouseArgs& a, const HostHandlers& self);
    void Up(NativeWindow* window, const MouseArgs& a, const HostHandlers& self);
    void DblClick(Container& host, NativeWindow* window, const MouseArgs& a, const HostHandlers& self);
    // The window lost the capture, or closes: no release will come.
    void Reset(NativeWindow* window);
    // A control is going: input held for it goes to no one.
    void Forget(const Control* c);

private:
    Control* owner_ = nullptr;  // control that took the press, until release
    int held_ = 0;
    static MouseArgs RelativeTo(const Control& c, const MouseArgs& a);
    Control* Under(Container& host, const MouseArgs& a);
};

// A filled box that holds controls of its own. Windowed, it is a child window
// of its host: the system clips and moves it, and its controls paint on it.
class PictureBox : public Control, public Container {
public:
    explicit PictureBox(Container& parent, bool windowed = false);
    ~PictureBox() override;
    Color BackColor = Rgb(255, 255, 255);
    void SetBackColor(Color c);
    // Drawn 1:1 at the top-left corner over the back colour, under the controls.
    const Picture& GetPicture() const { return picture_; }
    void SetPicture(Picture p);
    // A single-line border just inside the box (drawn over its controls), or none.
    bool BorderLine() const { return border_; }
    void SetBorderLine(bool on);
    Color BorderColor = Rgb(0, 0, 0);
    bool Windowed() const { return windowed_; }
    // The box's own window while it has one, else 0.
    Handle hWnd() const;
    Container* AsContainer() override { return this; }
    bool HasOwnWindow() const override { return windowed_; }
    Form& OwnerForm() override { return Parent().OwnerForm(); }
    Point OriginInForm() const override;
    Point OriginInHost() const override;
    Handle HostWindow() const override;
    void InvalidateHost(const Rect& hostRect) override;
    void ForgetControl(const Control* c) override;
    void Paint(Canvas& c, int ox, int oy) const override;
    void OnFormWindowCreated() override;
    void OnFormWindowDestroyed() override;
    void AssignFrom(const Control& src) override;
    // A windowed box's shape: the union of these rectangles (box pixels);
    // empty gives back the whole box. Kept when the window is built again.
    void SetWindowRegion(std::vector<Rect> parts);

protected:
    // Native children are separate windows: they must follow the box.
    void OnBoundsChanged() override;
    void OnVisibleChanged() override;

private:
    class Host;
    const bool windowed_;
    bool border_ = false;
    Picture picture_;
    std::unique_ptr<Host> host_;  // the box's window and its events, while it has one
    std::vector<Rect> region_;
};

// Unloaded control array elements whose form still runs a handler: they
// are freed once it has returned (by the pump's after-dispatch step).
class DeferredControls {
public:
    DeferredControls();
    ~DeferredControls();
    DeferredControls(const DeferredControls&) = delete;
    DeferredControls& operator=(const DeferredControls&) = delete;
    // Frees `c` now when its form is idle, else later.
    void Dispose(std::unique_ptr<Control> c);
    void CollectIdle();

private:
    std::vector<std::unique_ptr<Control>> pending_;
};

// An indexed array of controls; its handlers receive the element's index.
// Elements made with the array stay; elements loaded at run time (copies of
// element 0, hidden) can be unloaded. Indexes may have gaps.
template <class T>
class ControlArray {
public:
    ControlArray(Container& parent, int count) : parent_(parent) {
        for (int i = 0; i < count; ++i) Add(i);
        fixed_ = count;
    }
    // Throws std::out_of_range for an index with no element.
    T& operator[](int i) { return *items_.at(i); }
    const T& operator[](int i) const { return *items_.at(i); }
    bool Exists(int i) const { return items_.count(i) != 0; }
    int Count() const { return static_cast<int>(items_.size()); }
    // The lowest and highest present index; 0 and -1 when empty.
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }

    // Sets an element's handlers from its index: for every present element
    // now and for each one loaded later.
    void SetWiring(std::function<void(T&, int)> wire) {
        wire_ = std::move(wire);
        for (auto& [i, p] : items_) wire_(*p, i);
    }
    // A new element `index` with element 0's current values, hidden. False
    // (nothing made) when the index is negative or taken, or element 0 is missing.
    bool Load(int index) {
        if (index < 0 || Exists(index) || !Exists(0)) return false;
        T& made = Add(index);
        made.AssignFrom(*items_.at(0));
        made.SetVisible(false);
        return true;
    }
    // Removes an element loaded at run time; one made with the array, or a
    // missing index, is refused (false). Freed once its form's handlers return.
    bool Unload(int index) {
        auto it = items_.find(index);
        if (it == items_.end() || index < fixed_) return false;
        std::unique_ptr<T> gone = std::move(it->second);
        items_.erase(it);
        gone->SetVisible(false);
        graveyard_.Dispose(std::move(gone));
        return true;
    }

    // Present elements in index order.
    class iterator {
    public:
        using Inner = typename std::map<int, std::unique_ptr<T>>::iterator;
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = T*;
        using reference = T&;
        explicit iterator(Inner it) : it_(it) {}
        T& operator*() const { return *it_->second; }
        T* operator->() const { return it_->second.get(); }
        iterator& operator++() {
            ++it_;
            return *this;
        }
        bool operator==(const iterator& o) const { return it_ == o.it_; }
        bool operator!=(const iterator& o) const { return it_ != o.it_; }

    private:
        Inner it_;
    };
    iterator begin() { return iterator(items_.begin()); }
    iterator end() { return iterator(items_.end()); }
    template <class F>
    void ForEach(F f) {
        for (auto& [i, p] : items_) f(*p);
    }

private:
    T& Add(int i) {
        auto& p = items_[i] = std::make_unique<T>(parent_);
        p->SetIndex(i);
        if (wire_) wire_(*p, i);
        return *p;
    }
    Container& parent_;
    // Declared before the elements: an element may still be waiting in it
    // when the array goes, and is freed after them.
    DeferredControls graveyard_;
    std::map<int, std::unique_ptr<T>> items_;
    std::function<void(T&, int)> wire_;
    int fixed_ = 0;
};

}  // namespace plat
