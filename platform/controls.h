#pragma once
// Windowless controls: kept as properties, painted by their form over its
// surface, hit-tested by the form for mouse events.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "platform/types.h"

namespace plat {

class Form;
class Control;

// Something that holds controls: a form, or a picture box inside one.
class Container {
public:
    virtual ~Container() = default;
    virtual Form& OwnerForm() = 0;
    // Top-left of this container's client area in form pixels.
    virtual Point OriginInForm() const = 0;
    const std::vector<Control*>& Children() const { return children_; }

protected:
    void PaintChildren(Canvas& c, int ox, int oy, const Rect& dirty) const;
    // The topmost visible control under (x, y) (container pixels), descending into containers.
    Control* HitTest(float x, float y);

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

    // Whole-pixel rectangle in the parent's and in the form's client pixels.
    Rect Bounds() const;
    Rect BoundsInForm() const;
    // Visible, and every container up to the form visible too.
    bool ShownOnForm() const;

    Container& Parent() const { return parent_; }
    int Index() const { return index_; }
    void SetIndex(int i) { index_ = i; }
    std::wstring ToolTipText;

    // Events, coordinates relative to the control's top-left corner.
    MouseHandler MouseDown, MouseMove, MouseUp;
    std::function<void()> Click, DblClick;

    virtual bool ReceivesMouse() const { return true; }
    virtual Container* AsContainer() { return nullptr; }
    virtual void Paint(Canvas& c, int ox, int oy) const = 0;

    // Controls backed by a native child window (text boxes, buttons...) build
    // it when the form's window exists and follow geometry and visibility.
    virtual void OnFormWindowCreated(Handle /*formWindow*/) {}
    virtual void OnFormWindowDestroyed() {}
    virtual Handle NativeHandle() const { return 0; }
    // A notification (WM_COMMAND code) from the native child, reflected by its parent.
    virtual void OnNativeCommand(int /*code*/) {}
    // The container moved, or was shown or hidden: where this control shows changed.
    void ContainerChanged() {
        OnBoundsChanged();
        OnVisibleChanged();
    }

protected:
    void Invalidate() const;
    virtual void OnBoundsChanged() {}
    virtual void OnVisibleChanged() {}
    virtual void OnEnabledChanged() {}

private:
    Container& parent_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    int index_ = -1;
};

// Rectangle outline; never filled. Lets the mouse through to what is below.
class Shape : public Control {
public:
    using Control::Control;
    Color BorderColor = Rgb(0, 0, 0);
    int BorderWidth = 1;
    void SetBorder(Color c, int width);
    bool ReceivesMouse() const override { return false; }
    void Paint(Canvas& c, int ox, int oy) const override;
};

// Straight line from (X1, Y1) to (X2, Y2) in parent pixels.
class Line : public Control {
public:
    using Control::Control;
    void SetEnds(float x1, float y1, float x2, float y2);
    Color BorderColor = Rgb(0, 0, 0);
    int BorderWidth = 1;
    bool ReceivesMouse() const override { return false; }
    void Paint(Canvas& c, int ox, int oy) const override;

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
    void SetFont(const Font& f);
    bool ReceivesMouse() const override { return !ClickThrough; }
    void Paint(Canvas& c, int ox, int oy) const override;

private:
    void Fit();
    std::wstring caption_;
};

// A filled box that holds controls of its own.
class PictureBox : public Control, public Container {
public:
    explicit PictureBox(Container& parent) : Control(parent) {}
    Color BackColor = Rgb(255, 255, 255);
    void SetBackColor(Color c);
    Container* AsContainer() override { return this; }
    Form& OwnerForm() override { return Parent().OwnerForm(); }
    Point OriginInForm() const override;
    void Paint(Canvas& c, int ox, int oy) const override;

protected:
    // Native children are separate windows: they must follow the box.
    void OnBoundsChanged() override;
    void OnVisibleChanged() override;
};

// An indexed array of controls; its handlers receive the element's index.
template <class T>
class ControlArray {
public:
    ControlArray(Container& parent, int count) : parent_(parent) {
        for (int i = 0; i < count; ++i) Add(i);
    }
    T& operator[](int i) { return *items_.at(static_cast<size_t>(i)); }
    const T& operator[](int i) const { return *items_.at(static_cast<size_t>(i)); }
    int Count() const { return static_cast<int>(items_.size()); }
    template <class F>
    void ForEach(F f) {
        for (auto& p : items_) f(*p);
    }

private:
    void Add(int i) {
        items_.push_back(std::make_unique<T>(parent_));
        items_.back()->SetIndex(i);
    }
    Container& parent_;
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace plat
