// The main window on the headless backend: start-up, hotkey dispatch to the
// editors, the tray icon, the title-line pictures, closing, the logo choice
// and the links.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/variants.h"
#include "platform/services/dpi.h"
#include "platform/toolkit/forms.h"
#include "platform/services/hotkey_service.h"
#include "platform/services/system.h"
#include "platform/headless/fake_dialogs.h"
#include "platform/headless/fake_hotkeys.h"
#include "tests/unit/native_input.h"
#include "platform/headless/fake_profile.h"
#include "platform/headless/fake_cli_services.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/fake_window_queries.h"
#include "platform/headless/headless.h"
#include "logo/sss.h"
#include "shell/frm_main.h"
#include "shell/rwini.h"
#include "window/picking.h"
#include "window/window_forms.h"

namespace {

constexpr int kAlt = plat::hotkeys::kModAlt;
struct Setting {
    std::wstring section, key, value;
};
using Settings = std::vector<Setting>;

// The [HotKey] rows 0, 1, ... in order.
Settings HotKeys(const std::vector<std::wstring>& rows) {
    Settings s;
    for (size_t i = 0; i < rows.size(); ++i) s.push_back({L"HotKey", std::to_wstring(i), rows[i]});
    return s;
}

const Settings kShipped =
    HotKeys({L"81,0,-1,0", L"65,0,-1,0", L"90,0,-1,0", L"88,0,-1,0", L"46,0,0,0", L"46,0,0,0"});

plat::Point Centre(const plat::Control& c) {
    const plat::Rect r = c.BoundsInForm();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
    }
    void TearDown() override {
        plat::UnloadForm<aaa>();
        plat::UnloadForm<jie>();
        plat::UnloadForm<bing>();
        plat::UnloadForm<jie3>();
        plat::UnloadForm<frmMain>();
        plat::UnloadForm<sss>();
        plat::DoEvents();
        fake_hotkeys::Reset();
    }

    // Starts the main window with these values in a.ini ({} for no file).
    frmMain& Start(const Settings& ini) {
        for (const Setting& v : ini) fake_profile::SetValue(rwini::IniPath(), v.section, v.key, v.value);
        frmMain& f = plat::Forms<frmMain>();
        f.Show();
        f.FinishStartUp();  // as its timer does after the first paint
        return f;
    }

    // The user's next actions while the hotkey loop serves the program, one
    // per idle wait; the last one must end the loop.
    static void Script(std::vector<std::function<void()>> steps) {
        auto queue = std::make_shared<std::deque<std::function<void()>>>(steps.begin(), steps.end());
        headless::SetIdleHandler([queue] {
            if (queue->empty()) {
                ADD_FAILURE() << "the hotkey loop did not stop";
                plat::QuitMessageLoop(1);
                return;
            }
            auto step = queue->front();
            queue->pop_front();
            step();
        });
    }

    static bool ClickOn(frmMain& f, const plat::Control& c) {
        const plat::Point p = Centre(c);
        return headless::Click(f.hWnd(), plat::kLeftButton, p.x, p.y);
    }
};

// The window and the hotkeys come first; the hidden logo library and the
// tray icon follow the first paint (a one-shot timer), or come at once when a
// snip starts sooner.
TEST_F(MainWindow, StartUpReadsTheLogoThenTheHotkeysAndEndsWithTheTrayIcon) {
    plat::UnloadForm<sss>();  // an earlier test's
    plat::DoEvents();
    // No hotkeys: the hotkey loop's start timer stays off, so the clock can run.
    fake_profile::SetValue(rwini::IniPath(), L"logo", L"logo", L"C:\\pictures\\brand.png");
    fake_profile::SetValue(rwini::IniPath(), L"b2", L"b2", L"C:\\pictures\\b2.png");
    frmMain& f = plat::Forms<frmMain>();
    f.Show();

    EXPECT_EQ(f.Text1.Text(), L"C:\\pictures\\brand.png");
    EXPECT_EQ(f.qqq.Text(), L"");
    // "Lower right" is chosen at every start, and it alone.
    EXPECT_TRUE(f.Option5.Value());
    EXPECT_FALSE(f.Option1.Value() || f.Option2.Value() || f.Option3.Value() || f.Option4.Value());
    EXPECT_TRUE(headless::Visible(f.hWnd()));
    EXPECT_TRUE(plat::fake::TrayIcons().empty());
    EXPECT_EQ(plat::LoadedForm<sss>(), nullptr);

    headless::AdvanceClock(10);
    const auto& log = fake_profile::Log();
    ASSERT_EQ(log.size(), 15u);
    EXPECT_EQ(log[0], (fake_profile::Access{false, L"logo", L"logo", L"C:\\pictures\\brand.png"}));
    for (size_t i = 1; i < log.size(); ++i)
        EXPECT_EQ(log[i].section, i <= 6 ? L"HotKey" : L"b" + std::to_wstring(i - 7)) << i;
    const auto icons = plat::fake::TrayIcons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].window, f.hWnd());
    EXPECT_EQ(icons[0].tip, L"Left-click to display the window");
    sss* library = plat::LoadedForm<sss>();
    ASSERT_NE(library, nullptr);
    EXPECT_FALSE(library->Visible());
    EXPECT_EQ(library->baa[2].Text(), L"C:\\pictures\\b2.png");
    headless::AdvanceClock(1000);
    EXPECT_EQ(plat::fake::TrayIcons().size(), 1u);  // once
    EXPECT_EQ(fake_profile::Log().size(), 15u);

    // With hotkeys, one that comes before that timer finds the library filled.
    plat::UnloadForm<frmMain>();
    plat::UnloadForm<sss>();
    plat::DoEvents();
    for (const Setting& v : kShipped) fake_profile::SetValue(rwini::IniPath(), v.section, v.key, v.value);
    frmMain& again = plat::Forms<frmMain>();
    again.Show();
    EXPECT_EQ(fake_hotkeys::Registrations().size(), 5u);  // the four rows, the region row with Shift
    again.StartSnipMode(1);
    ASSERT_NE(plat::LoadedForm<aaa>(), nullptr);
    library = plat::LoadedForm<sss>();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library->baa[2].Text(), L"C:\\pictures\\b2.png");
    EXPECT_EQ(plat::fake::TrayIcons().size(), 1u);
}

// At each of the common scales: the window has the design's size at that
// DPI; every control lies inside the window and the parts of the layout do
// not cover each other (the title line, the left panel, the right column);
// the right column stays inside its card; the hotkey rows are evenly spaced
// with their captions and help pictures centred on them, the help pictures
// in one column inside the panel; the options stand where they point.
TEST_F(MainWindow, AtEveryScaleTheLayoutKeepsItsPartsApartAndTheOptionsWhereTheyPoint) {
    for (const int dpi : {96, 120, 144}) {
        SCOPED_TRACE(dpi);
        plat::UnloadForm<frmMain>();
        plat::UnloadForm<sss>();
        plat::DoEvents();
        headless::Reset();
        headless::SetSystemDpi(dpi);
        frmMain& f = Start(kShipped);
        auto px = [dpi](int twips) { return plat::TwipsToPixels(twips, dpi); };
        const plat::Rect client{0, 0, f.ClientWidth(), f.ClientHeight()};
        EXPECT_EQ(client, (plat::Rect{0, 0, px(6660), px(5145)}));
        // (The hide and exit pictures share one pixel column, the exit one on top.)
        const plat::Control* parts[] = {&f.Label18, &f.Image3, &f.Picture1, &f.lblLogoPreview,
                                        &f.shpLogoArea, &f.Command3, &f.lblLogoPosition, &f.Option1,
                                        &f.Option2, &f.Option3, &f.Option4, &f.Option5};
        for (size_t i = 0; i < std::size(parts); ++i) {
            const plat::Rect a = parts[i]->BoundsInForm();
            EXPECT_EQ(a.Intersect(client), a) << "part " << i << " leaves the window";
            for (size_t j = i + 1; j < std::size(parts); ++j)
                EXPECT_TRUE(a.Intersect(parts[j]->BoundsInForm()).Empty()) << "parts " << i << " and " << j << " overlap";
        }
        const plat::Rect card{px(4260), px(810), px(6600), px(5025)};
        for (size_t i = 3; i < std::size(parts); ++i) {
            const plat::Rect a = parts[i]->BoundsInForm();
            EXPECT_EQ(a.Intersect(card), a) << "part " << i << " leaves the card";
        }
        EXPECT_LT(f.Picture1.BoundsInForm().right, card.left);

        const plat::Image* help[] = {&f.Image4, &f.Image5, &f.Image6, &f.Image7};
        auto middle = [](const plat::Rect& r) { return r.top + r.bottom; };  // twice the centre
        const int pitch = f.txtHotKey[1].BoundsInForm().top - f.txtHotKey[0].BoundsInForm().top;
        EXPECT_GT(pitch, f.txtHotKey[0].BoundsInForm().Height());
        for (int i = 0; i < 4; ++i) {
            const plat::Rect box = f.txtHotKey[i].BoundsInForm(), r = help[i]->BoundsInForm();
            EXPECT_EQ(box.top - f.txtHotKey[0].BoundsInForm().top, i * pitch) << "row " << i;
            EXPECT_EQ(r.Intersect(f.Picture1.BoundsInForm()), r) << "row " << i;
            EXPECT_EQ(r.left, help[0]->BoundsInForm().left) << "row " << i;
            EXPECT_LE(std::abs(middle(r) - middle(box)), 1) << "row " << i;
            EXPECT_LE(std::abs(middle(f.lblHotKey[i].BoundsInForm()) - middle(box)), 1) << "row " << i;
            EXPECT_EQ(r.Width(), px(240));
        }
        // The background covers the whole client area, under everything else.
        EXPECT_EQ(f.Image1.BoundsInForm().Intersect(client), client);
        EXPECT_EQ(f.Children().front(), &f.Image1);

        auto at = [](const plat::OptionButton& o) { return o.BoundsInForm(); };
        // Upper left / upper right on one line, the middle below, then lower left / lower right.
        EXPECT_EQ(at(f.Option2).top, at(f.Option4).top);
        EXPECT_EQ(at(f.Option3).top, at(f.Option5).top);
        EXPECT_LT(at(f.Option2).top, at(f.Option1).top);
        EXPECT_LT(at(f.Option1).top, at(f.Option3).top);
        EXPECT_EQ(at(f.Option2).left, at(f.Option3).left);
        EXPECT_EQ(at(f.Option4).left, at(f.Option5).left);
        EXPECT_LT(at(f.Option2).left, at(f.Option1).left);
        EXPECT_LT(at(f.Option1).left, at(f.Option4).left);
        // Captions and native controls are drawn at the window's DPI.
        EXPECT_EQ(f.lblHotKey[0].TextFont.dpi, dpi);
        EXPECT_EQ(f.Option5.TextFont().dpi, dpi);
    }
}

// Number 1 hides the main window before the region editor takes its picture
// of the screen; number 2 leaves it shown, so the logo editor's picture holds
// it; numbers 3 and 4 run a pick with their overlays, then open their editors.
TEST_F(MainWindow, HotkeysOpenTheirEditorsByNumber) {
    frmMain& f = Start(kShipped);
    const plat::Rect main = headless::Bounds(f.hWnd());
    const plat::Point inTitle{main.left + 100, main.top + 10};
    const plat::Color titleColour = headless::ScreenPicture().Pixel(inTitle.x, inTitle.y);
    const plat::Color screenColour = plat::Rgb(255, 255, 255);
    ASSERT_NE(titleColour, screenColour);
    const size_t windowsAtStart = headless::Windows().size();

    Script({
        [] { fake_hotkeys::Press(kAlt, 'Z'); },  // row 3: number 3
        [] {
            ASSERT_NE(plat::LoadedForm<asdd>(), nullptr);  // the pick runs
            EXPECT_TRUE(plat::LoadedForm<asdd>()->Visible());
            window::PickStop = true;  // as the overlay's loss of the focus ends it
        },
        [] {
            ASSERT_NE(plat::LoadedForm<bing>(), nullptr);
            EXPECT_EQ(plat::LoadedForm<asd>(), nullptr);
            plat::UnloadForm<bing>();
            fake_hotkeys::Press(kAlt, 'X');  // row 4: number 4
        },
        [] {
            ASSERT_NE(plat::LoadedForm<Form2>(), nullptr);
            window::PickStop = true;
        },
        [&] {
            ASSERT_NE(plat::LoadedForm<jie3>(), nullptr);
            plat::UnloadForm<jie3>();
            plat::DoEvents();
            EXPECT_EQ(headless::Windows().size(), windowsAtStart);
            // Every snip mode hides the main window: no snip holds it.
            EXPECT_FALSE(headless::Visible(f.hWnd()));
            plat::RestoreWindow(f.hWnd());
            fake_hotkeys::Press(kAlt, 'A');  // row 2: number 2
        },
        [&] {
            jie* logoEditor = plat::LoadedForm<jie>();
            ASSERT_NE(logoEditor, nullptr);
            EXPECT_TRUE(logoEditor->Visible());
            EXPECT_FALSE(headless::Visible(f.hWnd()));
            EXPECT_EQ(logoEditor->BackgroundPicture().Pixel(inTitle.x, inTitle.y), screenColour);
            EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
            plat::UnloadForm<jie>();
            fake_hotkeys::Press(kAlt, 'Q');  // row 1: number 1
        },
        [&] {
            aaa* regionEditor = plat::LoadedForm<aaa>();
            ASSERT_NE(regionEditor, nullptr);
            EXPECT_TRUE(regionEditor->Visible());
            EXPECT_FALSE(headless::Visible(f.hWnd()));
            EXPECT_TRUE(f.Loaded());
            EXPECT_EQ(regionEditor->BackgroundPicture().Pixel(inTitle.x, inTitle.y), screenColour);
            f.cHK->StopHotKeys();
        },
    });
    headless::AdvanceClock(10);
    EXPECT_EQ(f.cHK->LoopsRunning(), 0);
}

// Each row starts its own mode whatever rows before it are empty: the
// service's numbers close up, the dispatch maps them back to rows.
TEST_F(MainWindow, WithTheFirstRowEmptyTheSecondRowStillStartsTheLogoSnip) {
    frmMain& f = Start(HotKeys({L"46,0,0,0", L"65,0,-1,0", L"90,0,-1,0", L"88,0,-1,0"}));
    Script({[] { fake_hotkeys::Press(kAlt, 'A'); },
            [&] {
                EXPECT_NE(plat::LoadedForm<jie>(), nullptr);
                EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
                plat::UnloadForm<jie>();
                fake_hotkeys::Press(kAlt, 'Z');  // row 3: a window pick, no region editor either
            },
            [] { window::PickStop = true; },
            [&] {
                EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
                EXPECT_EQ(plat::LoadedForm<jie>(), nullptr);
                EXPECT_NE(plat::LoadedForm<bing>(), nullptr);
                f.cHK->StopHotKeys();
            }});
    headless::AdvanceClock(10);
}

TEST_F(MainWindow, TheTrayIconRestoresOnALeftClickAndAnyActivityMakesTheWindowTopmost) {
    frmMain& f = Start(kShipped);
    ASSERT_TRUE(ClickOn(f, f.Image2));
    EXPECT_FALSE(headless::Visible(f.hWnd()));
    EXPECT_TRUE(f.Loaded());
    EXPECT_FALSE(plat::fake::LayeredStyleOf(f.hWnd()).has_value());

    for (int message : {512 /* move over it */, 517 /* right button up */, 513 /* left button down */}) {
        ASSERT_TRUE(plat::fake::TrayNotify(f.hWnd(), message));
        EXPECT_FALSE(headless::Visible(f.hWnd())) << message;
        const auto style = plat::fake::LayeredStyleOf(f.hWnd());
        ASSERT_TRUE(style.has_value());
        EXPECT_TRUE(style->onTop);
        EXPECT_EQ(style->alpha, 255);
        EXPECT_FALSE(style->clickThrough);
    }
    ASSERT_TRUE(plat::fake::TrayNotify(f.hWnd(), 514));
    EXPECT_TRUE(headless::Visible(f.hWnd()));
    EXPECT_EQ(headless::State(f.hWnd()), plat::WindowState::Normal);
}

// The exit picture ends the program at once, the tray icon and the hotkeys'
// atoms removed first (the system keeps global atoms after the process ends).
TEST_F(MainWindow, TheExitPictureRemovesTheIconAndEndsTheProgram) {
    frmMain& f = Start(kShipped);
    bool ended = false;
    try {
        ClickOn(f, f.Image3);
    } catch (const plat::fake::ProgramEnded& e) {
        ended = true;
        EXPECT_EQ(e.code, 0);
    }
    EXPECT_TRUE(ended);
    EXPECT_TRUE(plat::fake::TrayIcons().empty());
    EXPECT_TRUE(fake_hotkeys::LiveAtoms().empty());
    EXPECT_TRUE(f.Loaded());
}

TEST_F(MainWindow, ClosingRemovesTheIconAndUnregistersEveryHotkey) {
    frmMain& f = Start(kShipped);
    ASSERT_EQ(fake_hotkeys::Registrations().size(), 5u);
    EXPECT_TRUE(headless::CloseWindow(f.hWnd()));
    EXPECT_EQ(plat::LoadedForm<frmMain>(), nullptr);
    EXPECT_TRUE(plat::fake::TrayIcons().empty());
    EXPECT_TRUE(fake_hotkeys::Registrations().empty());
    EXPECT_TRUE(fake_hotkeys::LiveAtoms().empty());

    // An unload by code skips the close request's step; the icon goes all the same.
    Start(kShipped);
    ASSERT_EQ(plat::fake::TrayIcons().size(), 1u);
    plat::UnloadForm<frmMain>();
    EXPECT_TRUE(plat::fake::TrayIcons().empty());
    EXPECT_TRUE(fake_hotkeys::Registrations().empty());
}

TEST_F(MainWindow, EditLogoStoresTheChosenPathAndRewritesItOnCancel) {
    frmMain& f = Start(kShipped);
    plat::fake::QueueOpenAnswer(L"C:\\logos\\mark.png");
    fake_profile::ClearLog();
    ASSERT_TRUE(fake_native::Click(f.Command3));

    ASSERT_EQ(plat::fake::OpenDialogRequests().size(), 1u);
    const plat::FileDialogRequest& request = plat::fake::OpenDialogRequests()[0];
    EXPECT_EQ(request.filters, (std::vector<plat::FileFilter>{{L"All image files ", L"*.*"}}));
    EXPECT_EQ(request.owner, f.hWnd());
    EXPECT_EQ(f.Text1.Text(), L"C:\\logos\\mark.png");
    EXPECT_EQ(fake_profile::Log(),
              (std::vector<fake_profile::Access>{{true, L"logo", L"logo", L"C:\\logos\\mark.png"}}));

    // Cancelled, and a dialog that failed: the unchanged path is written again.
    plat::fake::QueueOpenCancel();
    plat::fake::QueueOpenFailure(0x3003);
    fake_profile::ClearLog();
    ASSERT_TRUE(fake_native::Click(f.Command3));
    ASSERT_TRUE(fake_native::Click(f.Command3));
    EXPECT_EQ(f.Text1.Text(), L"C:\\logos\\mark.png");
    EXPECT_EQ(fake_profile::Log(), (std::vector<fake_profile::Access>(
                                       2, {true, L"logo", L"logo", L"C:\\logos\\mark.png"})));

    // The next start reads it back.
    plat::UnloadForm<frmMain>();
    plat::DoEvents();
    EXPECT_EQ(Start({}).Text1.Text(), L"C:\\logos\\mark.png");
}

// Without settings the logo is none, and only a cancelled choice writes it.
TEST_F(MainWindow, ACancelledFirstChoiceKeepsTheLogoNone) {
    frmMain& f = Start({});
    EXPECT_EQ(f.Text1.Text(), L"logo");
    EXPECT_EQ(fake_profile::Value(rwini::IniPath(), L"logo", L"logo"), std::nullopt);
    plat::fake::QueueOpenCancel();
    ASSERT_TRUE(fake_native::Click(f.Command3));
    EXPECT_EQ(f.Text1.Text(), L"logo");
    EXPECT_EQ(fake_profile::Value(rwini::IniPath(), L"logo", L"logo"), L"logo");
}

TEST_F(MainWindow, TheHelpPicturesAndLinksOpenTheVendorsPages) {
    frmMain& f = Start(kShipped);
    const std::vector<const plat::Control*> links{&f.Image4, &f.Image5, &f.Image6, &f.Image7, &f.Label8, &f.Label9};
    for (const plat::Control* c : links) ASSERT_TRUE(ClickOn(f, *c));
    const std::wstring site = L"https://www.morrowen.com/snip/";
    EXPECT_EQ(plat::fake::OpenedUrls(), (std::vector<std::wstring>{site + L"f1.html", site + L"f2.html", site + L"f3.html",
                                                                   site + L"f4.html", site + L"faq.html", site}));
    EXPECT_TRUE(headless::Visible(f.hWnd()));
}

// A press on the background (the title band, the card's empty parts) drags
// the window; a press on the panel or a link does not.
TEST_F(MainWindow, APressOnTheBackgroundDragsTheWindow) {
    frmMain& f = Start(kShipped);
    headless::MouseDown(f.hWnd(), plat::kLeftButton, 200, 10);
    headless::MouseUp(f.hWnd(), plat::kLeftButton, 200, 10);
    const plat::Point onLink = Centre(f.Label9);
    headless::Click(f.hWnd(), plat::kLeftButton, onLink.x, onLink.y);
    const plat::Rect panel = f.Picture1.BoundsInForm();
    headless::Click(f.hWnd(), plat::kLeftButton, panel.left + 20, panel.bottom - 10);
    EXPECT_EQ(fake_windows::CaptionDrags(), std::vector<plat::Handle>{f.hWnd()});
}

}  // namespace

namespace {

// The tray icon's right button: a menu whose snip entries do what their
// hotkey rows do, and whose "Settings" shows the window again.
TEST_F(MainWindow, TheTrayMenuStartsASnipModeOrShowsTheSettings) {
    frmMain& f = Start({});
    f.Hide();
    plat::fake::SetTrayMenuTreeAnswer(-1);
    ASSERT_TRUE(plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp));
    std::vector<std::wstring> texts;
    int settingsId = -1;
    for (const plat::MenuEntry& e : plat::fake::LastTrayMenuTree()) {
        texts.push_back(e.text);
        if (e.text == L"Settings") settingsId = e.id;
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Region snip", L"Region snip with logo", L"Window snip",
                                                L"Window snip with logo", L"Region snip in 3 seconds",
                                                L"Snip last region again", L"",
                                                L"Recent snips", L"Auto-save copies...",
                                                L"Start with Windows", L"", L"Settings", L"Exit"}));
    EXPECT_FALSE(plat::LoadedForm<aaa>());
    EXPECT_FALSE(f.Visible());

    plat::fake::SetTrayMenuTreeAnswer(0);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    ASSERT_TRUE(plat::LoadedForm<aaa>());
    plat::UnloadForm<aaa>();
    plat::fake::SetTrayMenuTreeAnswer(1);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    EXPECT_TRUE(plat::LoadedForm<jie>());

    plat::fake::SetTrayMenuTreeAnswer(settingsId);
    plat::fake::TrayNotify(f.hWnd(), plat::kTrayRightButtonUp);
    EXPECT_TRUE(f.Visible());
}

}  // namespace
