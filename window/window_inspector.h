#pragma once
// The window inspector (Form1, asd): shows everything about the window under
// the pointer (handle, class, caption, rectangle, parent, process, child
// windows and a picture of it) and can show, hide, enable, maximise, pin and
// move it. Above all it hosts a pick: its position fields carry the picked
// rectangle to the window snip editor. Split by concern: window_inspector.cpp
// (window and layout), window_inspector_pick.cpp (the pick and the refresh),
// window_inspector_actions.cpp (window operations, picture pane, saving).
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/face_button.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/native_controls.h"
#include "platform/services/picture.h"

namespace window {

class WindowPicker;

class WindowInspector : public plat::Form {
public:
    WindowInspector();
    ~WindowInspector() override;

    // Runs a whole pick, then shows the paired editor (whether or not a
    // window was picked), unless the user ended the pick with Escape. The
    // main window's hotkeys start here. True when the editor was shown.
    bool Command1_Click();
    // Shows the overlay and tracks the window under the pointer until the pick ends.
    void FRM_SpyWindow();
    // Appends one descendant's four lines to the window tree.
    void GetChildInfo(plat::Handle child);
    // Waits until the window under the cursor is not `last`; 0 once the pick ended.
    plat::Handle TrackMouse(plat::Handle last);
    // The three check boxes from the window's state.
    void frm_Info(plat::Handle h);

    // The picked window's part of the desktop picture into the picture pane
    // (the overlay's step after a pick by release).
    void ShowCrop(const plat::Rect& windowRect);

    // The inspector's design size, in twips.
    static constexpr int kDesignWidthTwips = 9000;
    static constexpr int kDesignHeightTwips = 6720;
    // The width ChkVisible widens a collapsed inspector to.
    static constexpr int kOpenWidthTwips = 9075;
    // What the picture pane shows of the picture, in twips.
    static constexpr int kPaneWidthTwips = 4335;
    static constexpr int kPaneHeightTwips = 3135;

    bool TopmostOn = false;

    // The whole desktop picture of the last capture (never shown).
    plat::Picture Picture1;

    plat::Frame Frame4;  // "当前句柄"
    plat::Label lblHwnd, lblWndCap, lblClss, lblRect;
    plat::TextBox TxtHwnd, TxtHex, TxtWndCap, TxtClss, TxtRect;
    plat::CheckBox ChkVisible, ChkZoom, ChkEnable;

    plat::Frame Frame3;  // "进程"
    plat::Label lblProName, lblPid, lblPath;
    plat::TextBox TxtProName, Text12, Text13;

    plat::Frame Frame1;  // "父窗体"
    plat::Label lblFaHwnd, lblFaWndCap, lblFaClss, lblFaRect;
    plat::TextBox TxtFaHwnd, TxtFaHex, TxtFaWndCap, TxtFaClss, TxtFaRect;

    plat::Frame Frame5;  // "调整方位"
    plat::Label lblXY, lblWH;
    plat::TextBox TxtX, TxtY, TxtW, TxtH;
    plat::ControlArray<plat::FaceButton> cmdMoveWndw;  // 0 up, 1 left, 2 down, 3 right
    plat::CommandButton Command3;

    plat::CommandButton CmdTop;  // "置顶"
    plat::Label lblHidden;       // "隐藏列表"
    plat::ListBox lstHideWnd;
    plat::CommandButton cmd_Clear;    // "清理"
    plat::CommandButton cmd_ShowAll;  // "全部可见"
    plat::ListBox List1;              // the window tree

    plat::ScrollBar HScroll1;
    plat::ScrollBar VScroll1;
    plat::Frame Frame2;          // the picture pane
    plat::PictureBox Picture2;   // the picked window's picture
    plat::Image Picture2Shot;    // what Picture2 shows

    plat::FaceButton CmdAction;   // "查找"
    plat::FaceButton CmdSavePic;  // "存图"
    plat::CommandButton Command1;

protected:
    // The pair this inspector runs: its overlay and its editor.
    virtual WindowPicker& Overlay() = 0;
    virtual WindowPicker* LoadedOverlay() = 0;
    virtual void UnloadOverlay() = 0;
    virtual void ShowEditor() = 0;
    // The layout's twips in pixels at the inspector's DPI.
    int Px(int twips) const;

    void Form_Load() override;
    void Form_Unload() override;
    // Moved to a monitor of another scale: laid out again at it, in the
    // system's rectangle for the window.
    void Form_DpiChanged(int dpi, const plat::Rect& suggested) override;
    void Form_MouseDown(const plat::MouseArgs& a) override;
    void Form_KeyDown(int keyCode, int shift) override;

    void StartPick();
    // The last pick was ended by Escape.
    bool PickCancelled();

private:
    void LayOut();
    void WireEvents();
    void PlaceField(plat::TextBox& box, int left, int top, int width, bool locked = true);
    void PlaceLabel(plat::Label& l, const std::wstring& caption, int left, int top);
    void ShowWindowRect(plat::Handle h);
    void ShowProcessInfo(plat::Handle h);
    void RefreshFor(plat::Handle h);
    plat::Handle Target() const;

    void CmdAction_MouseDown(const plat::MouseArgs& a);
    void CmdSavePic_Click();
    void ChkVisible_Click();
    void ChkEnable_Click();
    void ChkZoom_Click();
    void CmdTop_Click();
    void cmdMoveWndw_Click(int index);
    void lstHideWnd_Click();
    void ShowHidden(int index);
    void cmd_ShowAll_Click();
    void cmd_Clear_Click();
    void VScroll1_Change();
    void HScroll1_Change();
    void Picture2_KeyDown(int keyCode);
    void MovePicture(int left, int top);

    // The parent's rectangle, kept across the passes of one pick.
    plat::Rect parentRect_;
    // The tracker's last full pass (the child walk): when, and at which cursor.
    std::chrono::steady_clock::time_point lastWalk_{};
    plat::Point lastWalkCursor_{};
    // Where Picture2 lies in Frame2 and how big it is, in pane units of 15 a
    // screen pixel (the picture is 1:1 with the screen at every scale).
    int paneLeft_ = 0, paneTop_ = 0, paneWidth_ = 0, paneHeight_ = 0;
};

}  // namespace window
