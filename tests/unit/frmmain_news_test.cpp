// The news panel on the headless backend: one fetch 800 ms after start-up,
// its answer spread over the captions and their hidden addresses, the clicks
// that open only web addresses, and fetches that fail or outlive the window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/forms.h"
#include "platform/services/system.h"
#include "tests/unit/native_input.h"
#include "platform/headless/fake_network.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/headless.h"
#include "shell/frm_main.h"

namespace {

class NewsPanel : public ::testing::Test {
protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override {
        plat::UnloadForm<frmMain>();
        plat::DoEvents();
    }
    static frmMain& Start() {
        frmMain& f = plat::Forms<frmMain>();
        f.Show();
        return f;
    }
    static bool ClickOn(frmMain& f, const plat::Control& c) {
        const plat::Rect r = c.BoundsInForm();
        return headless::Click(f.hWnd(), plat::kLeftButton, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    static std::vector<std::wstring> Captions(const frmMain& f) {
        std::vector<std::wstring> v;
        for (const plat::Label* l : {&f.Label7, &f.Label10, &f.Label11, &f.Label12, &f.Label13, &f.Label14, &f.Label15,
                                     &f.Label16})
            v.push_back(l->Caption());
        return v;
    }
};

TEST_F(NewsPanel, OneFetchAfterStartUpFillsTheLabelsAndACaptionOpensOnlyAWebAddress) {
    frmMain& f = Start();
    const std::vector<std::wstring> before{L"", L"", L"", L"", L"Label13", L"Label14", L"Label15", L"Label16"};
    EXPECT_EQ(Captions(f), before);
    // Before the fetch the hidden labels hold their design texts, which are no addresses.
    ASSERT_TRUE(ClickOn(f, f.Label7));
    EXPECT_TRUE(plat::fake::OpenedUrls().empty());

    headless::AdvanceClock(799);
    EXPECT_TRUE(plat::fake::FetchRequests().empty());
    headless::AdvanceClock(1);
    headless::AdvanceClock(5000);
    ASSERT_EQ(plat::fake::FetchRequests().size(), 1u) << "once per run";
    const plat::fake::FetchRequest& request = plat::fake::FetchRequests()[0];
    EXPECT_EQ(request.url, L"https://www.morrowen.com/snip/1.txt");
    EXPECT_EQ(request.limits.timeoutMs, 10000);
    EXPECT_EQ(request.limits.maxBytes, 65536u);

    // How the box wraps is the system's (proved under Wine); here it answers these lines.
    const std::vector<std::wstring> lines{L"New frames", L"Snip a window", L"Logo tips", L"NEW!",
                                          L"https://www.morrowen.com/snip/frames.html", L"C:\\Windows\\System32\\cmd.exe",
                                          L"file:///C:/Windows/notepad.exe", L"http://www.morrowen.com/snip/new.html"};
    ASSERT_TRUE(fake_native::ScriptLines(f.ad, lines));
    ASSERT_TRUE(plat::fake::AnswerFetch({true, 200, "New frames\nSnip a window\r\nLogo tips\rNEW!\n", false}));
    EXPECT_EQ(Captions(f), lines);
    EXPECT_EQ(fake_native::Child(f.ad)->text, L"New frames\r\nSnip a window\r\nLogo tips\r\nNEW!\r\n");

    for (const plat::Label* caption : {&f.Label7, &f.Label10, &f.Label11, &f.Label12}) ASSERT_TRUE(ClickOn(f, *caption));
    EXPECT_EQ(plat::fake::OpenedUrls(), (std::vector<std::wstring>{L"https://www.morrowen.com/snip/frames.html",
                                                                   L"http://www.morrowen.com/snip/new.html"}));
}

TEST_F(NewsPanel, AFailedFetchKeepsTheLabelsAndAWindowUnloadedDuringOneAbandonsIt) {
    frmMain& f = Start();
    headless::AdvanceClock(800);
    ASSERT_TRUE(fake_native::ScriptLines(f.ad, {L"not", L"shown"}));
    ASSERT_TRUE(plat::fake::AnswerFetch({false, 404, "not\nshown", false}));
    EXPECT_EQ(f.Label7.Caption(), L"");
    EXPECT_EQ(f.Label13.Caption(), L"Label13");

    f.Unload();
    plat::DoEvents();
    headless::Reset();
    frmMain& again = Start();
    headless::AdvanceClock(800);
    ASSERT_EQ(plat::fake::FetchRequests().size(), 1u);
    again.Unload();
    plat::DoEvents();
    EXPECT_FALSE(plat::fake::FetchRequests()[0].pending);
    EXPECT_FALSE(plat::fake::AnswerFetch({true, 200, "late", false})) << "nobody waits for it any more";
}

}  // namespace
