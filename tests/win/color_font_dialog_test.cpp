// The real colour and font dialogs, answered from a second thread while the
// test's thread sits in their modal loops: a choice comes back as the user
// made it, a cancel gives back what was asked with.
#include <windows.h>
#include <colordlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/services/dialogs.h"
#include "tests/win/save_modal_watcher.h"

namespace {

using save_testing::ModalWatcher;

// Selects text in one of the dialog's combo boxes as a click would, telling
// the dialog; false when the list has no such entry.
bool PickInCombo(HWND dialog, int id, const wchar_t* text) {
    HWND combo = GetDlgItem(dialog, id);
    const LRESULT at = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (at == CB_ERR) return false;
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

TEST(ColorFontDialogWin, TheColourDialogReturnsTheMixedColourAndACancelTheFirst) {
    const plat::ColorDialogRequest request{0, plat::Rgb(10, 20, 30), plat::kColorRgbInit | plat::kColorFullOpen};
    std::wstring shownRed;
    plat::ColorDialogResult chosen;
    {
        ModalWatcher dlg(L"Color", [&](HWND d) {
            shownRed = ModalWatcher::TextOf(GetDlgItem(d, COLOR_RED));
            SetDlgItemTextW(d, COLOR_RED, L"200");
            SetDlgItemTextW(d, COLOR_GREEN, L"100");
            SetDlgItemTextW(d, COLOR_BLUE, L"7");
            PostMessageW(d, WM_COMMAND, IDOK, 0);
        });
        chosen = plat::ShowColorDialog(request);
        EXPECT_TRUE(dlg.Seen());
    }
    EXPECT_EQ(shownRed, L"10") << "the dialog opened on the request's colour";
    EXPECT_EQ(chosen.outcome, plat::DialogOutcome::Chosen);
    EXPECT_EQ(chosen.color, plat::Rgb(200, 100, 7));

    plat::ColorDialogResult cancelled;
    {
        ModalWatcher dlg(L"Color", [](HWND d) {
            SetDlgItemTextW(d, COLOR_RED, L"99");
            PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
        });
        cancelled = plat::ShowColorDialog(request);
        EXPECT_TRUE(dlg.Seen());
    }
    EXPECT_EQ(cancelled.outcome, plat::DialogOutcome::Cancelled);
    EXPECT_EQ(cancelled.color, plat::Rgb(10, 20, 30));
}

// A named callback, not a lambda: a 32-bit build needs the system's calling convention.
int CALLBACK CollectTrueTypeFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM lp) {
    auto* list = reinterpret_cast<std::vector<std::wstring>*>(lp);
    const std::wstring face = lf->lfFaceName;
    if ((type & TRUETYPE_FONTTYPE) && face[0] != L'@' && std::find(list->begin(), list->end(), face) == list->end())
        list->push_back(face);
    return list->size() < 2;
}

// Two TrueType faces the system has, from whatever fonts the machine carries.
std::vector<std::wstring> TrueTypeFaces() {
    std::vector<std::wstring> faces;
    HDC screen = GetDC(nullptr);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &all, CollectTrueTypeFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, screen);
    return faces;
}

TEST(ColorFontDialogWin, TheFontDialogReturnsFaceSizeAndBoldAndACancelTheFirst) {
    const std::vector<std::wstring> faces = TrueTypeFaces();
    ASSERT_EQ(faces.size(), 2u);
    const plat::FontDialogRequest request{0, plat::Font{faces[0].c_str(), 9.0f, false}, plat::kFontScreenFonts};
    std::wstring shownFace, shownSize;
    bool picked = false;
    plat::FontDialogResult chosen;
    {
        ModalWatcher dlg(L"Font", [&](HWND d) {
            shownFace = ModalWatcher::TextOf(GetDlgItem(d, cmb1));
            shownSize = ModalWatcher::TextOf(GetDlgItem(d, cmb3));
            picked = PickInCombo(d, cmb1, faces[1].c_str()) && PickInCombo(d, cmb2, L"Bold") &&
                     PickInCombo(d, cmb3, L"14");
            PostMessageW(d, WM_COMMAND, IDOK, 0);
        });
        chosen = plat::ShowFontDialog(request);
        EXPECT_TRUE(dlg.Seen());
    }
    EXPECT_EQ(shownFace, faces[0]) << "the dialog opened on the request's face and size";
    EXPECT_EQ(shownSize, L"9");
    ASSERT_TRUE(picked);
    EXPECT_EQ(chosen.outcome, plat::DialogOutcome::Chosen);
    ASSERT_NE(chosen.font.face, nullptr);
    EXPECT_EQ(std::wstring(chosen.font.face), faces[1]);
    EXPECT_EQ(chosen.font.points, 14.0f);
    EXPECT_TRUE(chosen.font.bold);

    plat::FontDialogResult cancelled;
    {
        ModalWatcher dlg(L"Font", [](HWND d) {
            PickInCombo(d, cmb3, L"20");
            PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
        });
        cancelled = plat::ShowFontDialog(request);
        EXPECT_TRUE(dlg.Seen());
    }
    EXPECT_EQ(cancelled.outcome, plat::DialogOutcome::Cancelled);
    EXPECT_EQ(cancelled.font, request.font);
}

}  // namespace
