#pragma once
// frmMain: the start-up window, alive for the whole run. It registers the
// hotkeys and turns each into a snip mode, keeps the tray icon, holds the
// logo path and logo position the editors read, and offers the exit.
// Split by concern: frm_main.cpp (window and layout), frm_main_lifecycle.cpp
// (start-up, tray, hide, exit, close, hotkey dispatch), frm_main_hotkeys.cpp
// (hotkey configuration), frm_main_logo.cpp (logo choice and web links),
// frm_main_news.cpp (the news lines and their links).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hotkeys/chotkey.h"
#include "logo/pic_frame.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/native_controls.h"
#include "platform/services/network.h"
#include "platform/services/shell_services.h"

class frmMain : public plat::Form {
public:
    frmMain();
    ~frmMain() override;

    // The window's caption; a second start of the program finds it by this.
    static constexpr const wchar_t* kCaption = L"Morrowen Snip";

    // Writes every box's stored form to the settings file (called by the
    // "start to snip" check box).
    void cmdSave_Click();

    // Box `index` shows HotKeyText of the values and keeps them as its stored form.
    void ShowHotKey(std::int32_t index, std::int32_t keyCode, std::int32_t ctrl, std::int32_t alt,
                    std::int32_t shift);
    // Every box from the settings file, in index order.
    void LoadHotKeys();
    // Every box's stored form to the settings file, in index order.
    void SaveHotKeys();
    // Registers every box that holds a hotkey, marks the boxes the platform
    // refuses (their stored forms stay), and arms the hotkey loop with Timer1.
    void ApplyHotKeys();
    // Tells the user which hotkeys the last apply could not register.
    void ReportRefusedHotKeys();
    // A short notice from the tray icon after a snip went to the clipboard.
    void NotifySnipCopied(int width, int height);
    // The rest of the start-up, once: the hidden logo library with its paths
    // and slots, the tray icon, the word about refused hotkeys. Run by
    // tmrStartUp after the window's first paint, or by a snip that starts sooner.
    void FinishStartUp();
    // Starts the snip mode of hotkey row 1..4, as its hotkey does.
    void StartSnipMode(int row);

    // One line of a multi-line text box as the system wrapped it; "" past the last.
    std::wstring GetLineText(const plat::TextBox& box, int line) const;
    // A fetched news file: its lines through `ad` into the captions and their
    // addresses (what the fetch does with a body that arrived).
    void ShowNews(std::string_view body);

    // The hotkey service's number for each box's hotkey, -1 when none.
    std::vector<std::int32_t> HotKeyIds;
    // A hotkey on Print Screen alone while Windows' own capture takes that key.
    bool PrintScreenTakenByWindows() const;
    static constexpr const wchar_t* kFreePrintScreenText = L"Let Morrowen Snip use Print Screen";
    // Switches Windows' use of the key off for this user (the tray menu's entry).
    void FreePrintScreen();
    // The region hotkey with Shift added: the last region again; -1 when not registered.
    std::int32_t RepeatRegionHotKeyId = -1;
    // A region snip whose selection starts on the last snip's rectangle
    // (frm_main_repeat.cpp); a plain region snip when there was none.
    void SnipLastRegionAgain();
    // One line per hotkey the last apply could not register.
    std::vector<std::wstring> RefusedHotKeys;

    // Declared before cHK, which borrows it and must go first.
    plat::Timer Timer1;
    // Created at load; unregistered at unload and freed with the form.
    std::unique_ptr<cHotKey> cHK;

    // Controls in paint order: the background first, everything else above it.
    plat::Image Image1;   // background; a press on it drags the window
    plat::Label Label18;  // "from Morrowen"
    plat::Image Image2;   // hides the window
    plat::Image Image3;   // ends the program

    plat::PictureBox Picture1;  // left panel
    plat::CheckBox optSetHotKey;   // "Hotkey options": edit mode
    plat::CheckBox optTestHotKey;  // "start to snip": use mode
    plat::ControlArray<plat::TextBox> txtHotKey;  // 0..3 visible rows, 4 and 5 below the panel
    plat::ControlArray<plat::Label> lblHotKey;    // the row captions of boxes 0..3
    plat::Image Image4, Image5, Image6, Image7;   // the rows' help pages
    plat::Label Label9;  // "Home"
    plat::Label Label8;  // "FAQ"
    // The news: four captions, each opening the address of a hidden label.
    plat::Label Label7, Label10, Label11;  // blue, open Label13, Label14, Label15
    plat::Label Label12;                   // red, opens Label16
    plat::Label Label13, Label14, Label15, Label16;  // hidden: the addresses

    // Right column. The logo preview frame takes the marked area once it exists.
    plat::Label lblLogoPreview;  // "Logo Preview"
    plat::Shape shpLogoArea;     // where the preview is drawn
    plat::CommandButton Command3;  // "Edit Logo"
    plat::Label lblLogoPosition;   // "Logo Position"
    // The logo position the logo editors read; exactly one is on.
    plat::OptionButton Option1;  // "Middle  "
    plat::OptionButton Option2;  // "Upper left "
    plat::OptionButton Option3;  // "Lower left "
    plat::OptionButton Option4;  // "Upper right"
    plat::OptionButton Option5;  // "Lower right", on at every start
    plat::ControlArray<logo::PicFrame> PicFrame2;  // the logo preview, element 0

    // Hidden state other windows read and write.
    plat::TextBox Text1;  // path of the logo picture, "logo" when none was chosen
    plat::TextBox qqq;    // the editor that last opened its logo panel ("1".."4")
    plat::TextBox ad;     // the fetched news, wrapped at its width into the lines read out

    // The news fetch: armed at load, fires once.
    plat::Timer Timer3;
    // One shot after the window's first paint: the rest of the start-up.
    plat::Timer tmrStartUp;
    // The news transfer while it runs; freed, it is abandoned.
    std::unique_ptr<plat::Fetch> Inet1;

    // The notification-area icon while there is one (its adding may fail:
    // there may be no notification area at all).
    std::unique_ptr<plat::TrayIcon> NotifyIcon;

protected:
    void Form_Load() override;
    bool Form_QueryUnload() override;
    bool Form_CloseCommand() override;
    void Form_Unload() override;
    void Form_TrayNotify(int mouseMessage) override;
    void ShowTrayMenu();
    void AddRepeatRegionHotKey();
    void MarkPrintScreenRows();
    void CopyRecentSnipBack(size_t index);
    void Form_DpiChanged(int dpi, const plat::Rect& suggested) override;
    // Marks the first paint for the start-up trace.
    void Form_Paint() override;

private:
    // The layout is written in twips; Px gives pixels at the window's DPI
    // (Form::Dpi), Scaled a font at it. FollowDpi lays the window out again.
    int Px(int twips) const;
    plat::Font Scaled(const plat::Font& f) const;
    void FollowDpi();
    void StyleLabel(plat::Label& l, const std::wstring& caption, const plat::Font& f, plat::Color color);
    void LayOut();
    void LayOutTitle();
    void LayOutPanel();
    void LayOutRightColumn();
    void LayOutNews();
    void WireEvents();
    void DeleteTrayIcon();
    // Runs showEditor (true: an editor opened) with this window off the screen.
    void ShowEditorInstead(const std::function<bool()>& showEditor);

    void Image1_MouseDown(const plat::MouseArgs& a);
    void Image2_Click();
    // Hides the window to the tray; the first time in a run the icon says
    // that the program keeps running and how to end it.
    void HideToTray();
    bool toldStillRunning_ = false;
    bool painted_ = false;
    bool startUpFinished_ = false;
    void Image3_Click();
    void Command3_Click();
    // The logo library's paths from the settings file (this loads it, hidden),
    // and later its slots drawn from them.
    void FillLogoLibraryPaths();
    void DrawLogoLibrarySlots();
    // The preview shows the picture at Text1's path.
    void DrawLogoPreview();
    void OpenHelpPage(int row);
    void Label8_Click();
    void Label9_Click();
    void Timer3_Timer();
    void Inet1_Done(const plat::FetchResult& answer);
    void OpenNewsAddress(const plat::Label& address);

    void txtHotKey_KeyDown(int index, int keyCode, int shift);
    void optSetHotKey_Click();
    void optTestHotKey_Click();
    void cHK_HotKeyPress(std::int32_t number, std::int32_t keyCode, bool ctrl, bool alt, bool shift);
};
