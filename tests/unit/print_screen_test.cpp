// A hotkey on Print Screen while Windows keeps that key for its own capture:
// told in the row and the tray, switched off only by the user's click.
#include <gtest/gtest.h>

#include <string>

#include "logo/sss.h"
#include "platform/headless/fake_cli_services.h"
#include "platform/headless/fake_profile.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/headless.h"
#include "platform/services/system.h"
#include "platform/toolkit/forms.h"
#include "shell/frm_main.h"
#include "shell/rwini.h"

namespace {

class PrintScreen : public ::testing::Test {
protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override {
        plat::UnloadForm<frmMain>();
        plat::UnloadForm<sss>();
        plat::DoEvents();
    }
    static frmMain& Start(const std::wstring& row0) {
        fake_profile::SetValue(rwini::IniPath(), L"HotKey", L"0", row0);
        frmMain& f = plat::Forms<frmMain>();
        f.Show();
        f.FinishStartUp();  // as its timer does after the first paint
        return f;
    }
    static int FreeEntry() {
        plat::fake::SetTrayMenuTreeAnswer(-1);
        plat::fake::TrayNotify(plat::LoadedForm<frmMain>()->hWnd(), plat::kTrayRightButtonUp);
        for (const plat::MenuEntry& e : plat::fake::LastTrayMenuTree())
            if (e.text == frmMain::kFreePrintScreenText) return e.id;
        return -1;
    }
    static bool BalloonNamesPrintScreen() {
        for (const auto& b : plat::fake::Balloons())
            if (b.text.find(L"Print Screen opens Windows") != std::wstring::npos) return true;
        return false;
    }
};

TEST_F(PrintScreen, WindowsKeepingTheKeyIsToldAndTheUsersClickFreesIt) {
    plat::fake::PrintScreenForSnipping() = 1;
    frmMain& f = Start(L"44,0,0,0");
    EXPECT_EQ(f.txtHotKey[0].Text(), L"Windows has PrtSc");
    EXPECT_TRUE(BalloonNamesPrintScreen());
    EXPECT_EQ(plat::fake::PrintScreenForSnipping(), 1u) << "changed without a click";

    const int id = FreeEntry();
    ASSERT_GE(id, 0);
    plat::fake::SetTrayMenuTreeAnswer(id);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    EXPECT_EQ(plat::fake::PrintScreenForSnipping(), 0u);
    EXPECT_NE(plat::fake::Balloons().back().text.find(L"next sign-in"), std::wstring::npos);
    EXPECT_FALSE(f.txtHotKey[0].Text() == L"Windows has PrtSc");
    EXPECT_EQ(FreeEntry(), -1);
}

TEST_F(PrintScreen, NothingIsToldWhenWindowsLeavesTheKeyOrTheHotkeyHasAModifier) {
    plat::fake::PrintScreenForSnipping() = 0;
    frmMain& f = Start(L"44,0,0,0");
    EXPECT_FALSE(f.txtHotKey[0].Text() == L"Windows has PrtSc");
    EXPECT_FALSE(BalloonNamesPrintScreen());
    EXPECT_EQ(FreeEntry(), -1);
    plat::UnloadForm<frmMain>();
    plat::DoEvents();

    plat::fake::PrintScreenForSnipping() = 1;
    frmMain& g = Start(L"44,-1,0,0");  // Ctrl + Print Screen
    EXPECT_FALSE(g.txtHotKey[0].Text() == L"Windows has PrtSc");
    EXPECT_EQ(FreeEntry(), -1);
}

}  // namespace
