#pragma once
// frmMain: the start-up window. This part holds the hotkey configuration:
// six key-capture boxes, the two mode check boxes, and the hotkey service.
#include <cstdint>
#include <memory>
#include <vector>

#include "hotkeys/chotkey.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/native_controls.h"

class frmMain : public plat::Form {
public:
    frmMain();
    ~frmMain() override;

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
    // Registers every box that holds a hotkey, clears the boxes the platform
    // refuses, and arms the hotkey loop with Timer1.
    void ApplyHotKeys();

    // The hotkey service's number for each box's hotkey, -1 when none.
    std::vector<std::int32_t> HotKeyIds;

    // Declared before cHK, which borrows it and must go first.
    plat::Timer Timer1;
    // Created at load; unregistered at unload and freed with the form.
    std::unique_ptr<cHotKey> cHK;

    plat::PictureBox Picture1;  // left panel
    plat::CheckBox optSetHotKey;   // "Hotkey options": edit mode
    plat::CheckBox optTestHotKey;  // "start to snip": use mode
    plat::ControlArray<plat::TextBox> txtHotKey;  // 0..3 visible rows, 4 and 5 below the panel
    plat::ControlArray<plat::Label> lblHotKey;    // the row captions of boxes 0..3

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void LayOut();
    void txtHotKey_KeyDown(int index, int keyCode, int shift);
    void optSetHotKey_Click();
    void optTestHotKey_Click();
    void cHK_HotKeyPress(std::int32_t number, std::int32_t keyCode, bool ctrl, bool alt, bool shift);
};
