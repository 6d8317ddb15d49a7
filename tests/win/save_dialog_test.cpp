// CutdSave with the platform's real save dialog, answered from a second
// thread as a user would: the type list, the program's folder, the default
// extension, the file written, and the user's clipboard left as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/services/imaging.h"
#include "platform/services/files.h"
#include "platform/services/profile.h"
#include "platform/services/system.h"
#include "tests/win/clipboard_text.h"
#include "tests/win/save_modal_watcher.h"

namespace {

using save_testing::ModalWatcher;
using win_testing::ClipboardText;

constexpr int kTypeList = 0x470;     // cmb1: the "save as type" list
constexpr int kNameCombo = 0x47c;    // cmb13: the file name box of newer dialogs
constexpr int kNameEdit = 0x480;     // edt1: the file name box of older ones

plat::Picture Snip() {
    plat::Picture p = plat::Picture::Create(33, 21, plat::Rgb(20, 200, 90));
    p.Draw().FillRect({3, 3, 30, 9}, plat::Rgb(240, 10, 10));
    p.Draw().Line(0, 20, 32, 0, plat::Rgb(0, 0, 0), 1);
    return p;
}

std::vector<std::wstring> TypeListOf(HWND dlg) {
    std::vector<std::wstring> items;
    HWND combo = GetDlgItem(dlg, kTypeList);
    const LRESULT n = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        wchar_t buf[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        items.push_back(buf);
    }
    return items;
}

class SaveDialogWin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(win_testing::PutClipboardText(kUsersText)); }
    void TearDown() override {
        EXPECT_EQ(ClipboardText(), kUsersText);
        plat::UnloadForm<aaa>();
        plat::DoEvents();
        DeleteFileW(path_.c_str());
    }
    static constexpr const wchar_t* kUsersText = L"copied by the user before";
    plat::Picture snip_ = Snip();
    std::wstring path_;
};

// The first save of a run with no folder remembered goes to the user's
// Pictures folder, the name box showing "Snip <date> <time>.png"; a name
// typed without extension is saved there as PNG, and that folder is remembered.
TEST_F(SaveDialogWin, ANameTypedWithoutExtensionIsSavedAsPngInThePicturesFolder) {
    const std::wstring ini = plat::ExeDir() + L"\\a.ini";
    ASSERT_TRUE(plat::ProfileWriteString(L"Save", L"LastFolder", L"", ini));
    const std::wstring pictures = plat::UserPicturesDir();
    ASSERT_FALSE(pictures.empty());
    CreateDirectoryW(pictures.c_str(), nullptr);
    std::vector<std::wstring> types;
    std::wstring selectedType, suggested;
    path_ = pictures + L"\\dialog_shot.PNG";
    DeleteFileW(path_.c_str());
    {
        ModalWatcher dlg(L"Save", [&](HWND d) {
            types = TypeListOf(d);
            wchar_t buf[256] = {};
            GetWindowTextW(GetDlgItem(d, kTypeList), buf, 256);
            selectedType = buf;
            HWND name = GetDlgItem(d, kNameCombo) ? GetDlgItem(d, kNameCombo) : GetDlgItem(d, kNameEdit);
            GetWindowTextW(name, buf, 256);
            suggested = buf;
            SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"dialog_shot"));
            PostMessageW(d, WM_COMMAND, IDOK, 0);
        });
        EXPECT_TRUE(plat::Forms<aaa>().CutdSave(snip_));
        EXPECT_TRUE(dlg.Seen());
    }
    const std::vector<std::wstring> expected = {L"PNG File(*.PNG)",    L"JPEG File(*.jpg;*.jpeg)",
                                                L"Bitmap File(*.bmp)", L"GIF File(*.gif)",
                                                L"TIFF File(*.TIFF)",  L"All File(*.*)"};
    EXPECT_EQ(types, expected);
    EXPECT_EQ(selectedType, expected[0]);
    EXPECT_EQ(suggested.size(), 28u) << std::string(suggested.begin(), suggested.end());
    EXPECT_EQ(suggested.substr(0, 5), L"Snip ");

    plat::Picture back;
    ASSERT_EQ(plat::LoadPictureFile(path_, back), plat::gp::Ok) << "no PNG where the dialog should have put it";
    EXPECT_TRUE(plat::SamePixels(back, snip_));
    EXPECT_EQ(_wcsicmp(plat::ProfileGetString(L"Save", L"LastFolder", L"", ini).c_str(), pictures.c_str()), 0);
    ASSERT_TRUE(plat::ProfileWriteString(L"Save", L"LastFolder", L"", ini));
}

TEST_F(SaveDialogWin, CancelWritesNothing) {
    {
        ModalWatcher dlg(L"Save", [](HWND d) { PostMessageW(d, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_FALSE(plat::Forms<aaa>().CutdSave(snip_));
        EXPECT_TRUE(dlg.Seen());
    }
}

}  // namespace
