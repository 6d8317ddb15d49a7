// The native kinds on the real platform: the combo's drop-down by message,
// the list's tick boxes, scroll bars, the system's word wrap and its line
// queries, the group frame, filled shapes and tooltips, with real input and
// real pixels.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/toolkit/native_controls.h"
#include "platform/services/system.h"

namespace {

HWND H(plat::Handle h) { return reinterpret_cast<HWND>(h); }
HWND H(const plat::Control& c) { return H(c.NativeHandle()); }

void PumpFor(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    while (static_cast<int>(end - GetTickCount()) > 0) {
        plat::DoEvents();
        Sleep(5);
    }
}

void Mouse(DWORD flags, POINT at = {}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        in.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &in, sizeof in);
}

void ClickAt(POINT screen) {
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
    PumpFor(150);
}

POINT OnScreen(HWND h, int x, int y) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    return p;
}

COLORREF ScreenPixel(POINT p) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return c;
}

class KindsForm : public plat::Form {
public:
    KindsForm()
        : plat::Form(plat::WindowStyle{L"kinds", {60, 60, 660, 460}, true}),
          Combo1(*this),
          lstHideWnd(*this),
          HScroll1(*this, false),
          VScroll1(*this, true),
          ad(*this),
          Frame2(*this),
          Inside(Frame2),
          ChkInside(Frame2),
          Filled(*this),
          Outline(*this),
          Tipped(*this),
          Button(*this) {
        Combo1.Move(20, 20, 100, 21);
        lstHideWnd.Move(140, 20, 120, 90);
        HScroll1.Move(280, 20, 200, 17);
        VScroll1.Move(500, 20, 17, 150);
        ad.SetMultiLine(true);
        ad.Move(20, 200, 121, 120);  // 1815 twips
        Frame2.SetCaption(L"Frame2");
        Frame2.SetColors(plat::Rgb(255, 255, 192), plat::Rgb(0, 0, 0));
        Frame2.Move(280, 200, 200, 120);
        Inside.Move(100, 40, 40, 30);
        Inside.SetFill(plat::Rgb(255, 0, 0), plat::FillStyle::Solid);
        ChkInside.SetCaption(L"inside");
        ChkInside.Move(10, 30, 80, 20);
        Filled.Move(160, 200, 60, 40);
        Filled.SetBorder(plat::Rgb(0, 0, 255), 1);
        Filled.SetFill(plat::Rgb(0, 160, 0), plat::FillStyle::Solid);
        Outline.Move(160, 260, 60, 40);
        Outline.FillColor = plat::Rgb(0, 160, 0);  // not shown: the fill stays transparent
        Tipped.Move(20, 340, 100, 20);
        Tipped.SetCaption(L"hover");
        Button.Move(140, 340, 100, 24);
        Button.SetCaption(L"Save");
    }
    plat::ComboBox Combo1;
    plat::ListBox lstHideWnd;
    plat::ScrollBar HScroll1, VScroll1;
    plat::TextBox ad;
    plat::Frame Frame2;
    plat::Shape Inside;
    plat::CheckBox ChkInside;
    plat::Shape Filled, Outline;
    plat::Label Tipped;
    plat::CommandButton Button;
};

class NativeKindsWin : public ::testing::Test {
protected:
    void SetUp() override {
        f_.Show();
        PumpFor(150);
        // Wine leaves a new window unfocused; the tests' keys go to one control.
        SetForegroundWindow(H(f_.hWnd()));
        PumpFor(50);
    }
    void TearDown() override {
        f_.Unload();
        plat::DoEvents();
    }
    KindsForm f_;
};

TEST_F(NativeKindsWin, ComboListOpensAndClosesByMessageOffTheFormAndAChoiceClicksOnce) {
    plat::ComboBox& c = f_.Combo1;
    for (const wchar_t* s : {L"1", L"2", L"4", L"8", L"16"}) c.AddItem(s);
    int clicks = 0;
    c.Click = [&] { ++clicks; };
    c.Move(-400, 20);  // its own box never shows
    const plat::Handle h = c.NativeHandle();
    ASSERT_NE(h, 0u);
    EXPECT_EQ(std::wstring(L"ComboBox"), [&] {
        wchar_t cls[32] = {};
        GetClassNameW(H(h), cls, 32);
        return std::wstring(cls);
    }());

    EXPECT_EQ(plat::SendWindowMessage(h, CB_GETDROPPEDSTATE, 0, 0), 0);
    plat::SendWindowMessage(h, CB_SHOWDROPDOWN, TRUE, 0);
    PumpFor(50);
    EXPECT_EQ(plat::SendWindowMessage(h, CB_GETDROPPEDSTATE, 0, 0), 1);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(H(h), &info));
    EXPECT_TRUE(IsWindowVisible(info.hwndList));
    plat::SendWindowMessage(h, CB_SHOWDROPDOWN, FALSE, 0);
    PumpFor(50);
    EXPECT_EQ(plat::SendWindowMessage(h, CB_GETDROPPEDSTATE, 0, 0), 0);
    EXPECT_EQ(clicks, 0);  // opening and closing is no choice

    // A choice by keyboard in the open list.
    c.Move(20, 20);
    SetFocus(H(h));
    plat::SendWindowMessage(h, CB_SHOWDROPDOWN, TRUE, 0);
    PostMessageW(H(h), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(H(h), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(H(h), WM_KEYDOWN, VK_RETURN, 0);
    PumpFor(150);
    EXPECT_EQ(plat::SendWindowMessage(h, CB_GETDROPPEDSTATE, 0, 0), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(c.ListIndex(), 1);
    EXPECT_EQ(c.Text(), L"2");

    // A choice by mouse.
    plat::SendWindowMessage(h, CB_SHOWDROPDOWN, TRUE, 0);
    PumpFor(100);
    RECT item{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
    ClickAt(OnScreen(info.hwndList, (item.left + item.right) / 2, (item.top + item.bottom) / 2));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(c.Text(), L"8");
}

int DarkPixels(HWND h, const RECT& r) {
    HDC dc = GetDC(h);
    int dark = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
        }
    ReleaseDC(h, dc);
    return dark;
}

TEST_F(NativeKindsWin, ListTicksToggleByTickClickAndSpaceAndTextClicksChoose) {
    plat::ListBox& l = f_.lstHideWnd;
    for (const wchar_t* s : {L"0x10A", L"0x20B", L"0x30C"}) l.AddItem(s);
    std::vector<int> checks;
    int clicks = 0;
    l.ItemCheck = [&](int i) { checks.push_back(i); };
    l.Click = [&] { ++clicks; };
    HWND h = H(l);
    PumpFor(50);
    RECT r1{}, r0{};
    SendMessageW(h, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r1));
    SendMessageW(h, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r0));
    const RECT tick0{r0.left + 2, r0.top, r0.left + 16, r0.bottom};
    const RECT tick1{r1.left + 2, r1.top, r1.left + 16, r1.bottom};
    const int clearDark = DarkPixels(h, tick1);

    ClickAt(OnScreen(h, r1.left + 8, (r1.top + r1.bottom) / 2));
    EXPECT_EQ(checks, std::vector<int>{1});
    EXPECT_TRUE(l.Selected(1));
    EXPECT_EQ(clicks, 0);
    UpdateWindow(h);
    EXPECT_GT(DarkPixels(h, tick1), clearDark + 5) << "the tick mark is drawn";
    EXPECT_EQ(DarkPixels(h, tick0), clearDark);

    ClickAt(OnScreen(h, r1.right - 10, (r1.top + r1.bottom) / 2 + (r1.bottom - r1.top)));  // entry 2's text
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(l.ListIndex(), 2);
    EXPECT_FALSE(l.Selected(2));

    PostMessageW(h, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(h, WM_CHAR, L' ', 0);
    PumpFor(50);
    EXPECT_TRUE(l.Selected(2));
    EXPECT_EQ(checks, (std::vector<int>{1, 2}));
    EXPECT_EQ(l.ListIndex(), 2);  // Space searched nothing
}

TEST_F(NativeKindsWin, ScrollBarsChangeOnArrowPageAndThumbDrag) {
    plat::ScrollBar& s = f_.HScroll1;
    s.SetMax(100);
    s.SetSmallChange(5);
    s.SetLargeChange(20);
    std::vector<int> seen;
    s.Change = [&] { seen.push_back(s.Value()); };
    HWND h = H(s);
    RECT rc{};
    GetClientRect(h, &rc);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int mid = rc.bottom / 2;

    ClickAt(OnScreen(h, rc.right - arrow / 2, mid));
    EXPECT_EQ(seen, std::vector<int>{5});
    ClickAt(OnScreen(h, rc.right - arrow - 10, mid));  // the page area right of the thumb
    EXPECT_EQ(s.Value(), 25);
    EXPECT_EQ(GetScrollPos(h, SB_CTL), 25);

    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof(sbi);
    GetScrollBarInfo(h, OBJID_CLIENT, &sbi);
    const POINT thumb = OnScreen(h, (sbi.xyThumbTop + sbi.xyThumbBottom) / 2, mid);
    const size_t before = seen.size();
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, thumb);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {thumb.x + 40, thumb.y});
    // The end of the bar, still over the form: Wine loses a release outside its windows.
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, OnScreen(h, rc.right - 1, mid));
    Mouse(MOUSEEVENTF_LEFTUP);
    PumpFor(200);
    EXPECT_GE(seen.size(), before + 1) << "the thumb's moves change the value";
    EXPECT_EQ(s.Value(), 100);

    int vchanges = 0;
    f_.VScroll1.Change = [&] { ++vchanges; };
    HWND v = H(f_.VScroll1);
    GetClientRect(v, &rc);
    ClickAt(OnScreen(v, rc.right / 2, rc.bottom - GetSystemMetrics(SM_CYVSCROLL) / 2));
    EXPECT_EQ(vchanges, 1);
    EXPECT_EQ(f_.VScroll1.Value(), 1);
}

int TextWidth(HWND box, const std::wstring& s) {
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    SIZE sz{};
    GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &sz);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    return sz.cx;
}

TEST_F(NativeKindsWin, MultiLineBoxWrapsAtItsWidthAndAnswersItsLines) {
    plat::TextBox& t = f_.ad;
    const std::wstring text = L"Fresh news of the day: snips get frames, stickers and logos\r\nsecond";
    t.SetText(text);
    HWND h = H(t);
    EXPECT_TRUE(GetWindowLongW(h, GWL_STYLE) & ES_MULTILINE);
    EXPECT_FALSE(GetWindowLongW(h, GWL_STYLE) & ES_AUTOHSCROLL);
    RECT fmt{};
    SendMessageW(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&fmt));
    const int room = fmt.right - fmt.left;

    const int n = t.LineCount();
    ASSERT_GE(n, 4) << "the first sentence wraps";
    std::wstring joined;
    for (int i = 0; i < n; ++i) {
        const int first = t.LineIndex(i);
        const std::wstring line = t.GetLine(i);
        EXPECT_EQ(static_cast<int>(line.size()), t.LineLength(first)) << i;
        EXPECT_EQ(text.compare(static_cast<size_t>(first), line.size(), line), 0) << i;
        // Each line fits the box: the wrap is at its width.
        std::wstring trimmed = line;
        while (!trimmed.empty() && trimmed.back() == L' ') trimmed.pop_back();
        EXPECT_LE(TextWidth(h, trimmed), room) << i;
        if (i + 1 < n) joined += line;
    }
    EXPECT_EQ(t.GetLine(n - 1), L"second");  // the hard break starts a line
    EXPECT_EQ(t.GetLine(n), L"");
    EXPECT_EQ(t.LineIndex(n), -1);
    EXPECT_EQ(joined, text.substr(0, text.find(L"\r\n"))) << "the lines cover the text";
}

TEST_F(NativeKindsWin, FrameShowsItsCaptionBandAndThePaintedInsideAndFilledShapes) {
    HWND form = H(f_.hWnd());
    HWND frame = H(f_.Frame2);
    wchar_t caption[32] = {};
    GetWindowTextW(frame, caption, 32);
    EXPECT_EQ(std::wstring(caption), L"Frame2");
    EXPECT_EQ(GetWindowLongW(frame, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    // The check box inside follows the frame.
    RECT chk{};
    GetWindowRect(H(f_.ChkInside), &chk);
    EXPECT_EQ(chk.left, OnScreen(form, 290, 230).x);
    EXPECT_EQ(chk.top, OnScreen(form, 290, 230).y);
    f_.Refresh();
    PumpFor(100);

    EXPECT_EQ(ScreenPixel(OnScreen(form, 280 + 60, 200 + 100)), RGB(255, 255, 192)) << "the frame's inside";
    EXPECT_EQ(ScreenPixel(OnScreen(form, 280 + 120, 200 + 55)), RGB(255, 0, 0)) << "a filled shape in the frame";
    EXPECT_NE(ScreenPixel(OnScreen(form, 280 + 1, 200 + 60)), RGB(255, 255, 192)) << "the group box's border";
    EXPECT_EQ(ScreenPixel(OnScreen(form, 280 + 150, 200 + 2)), RGB(255, 255, 192)) << "the band above its line";

    EXPECT_EQ(ScreenPixel(OnScreen(form, 190, 220)), RGB(0, 160, 0));
    EXPECT_EQ(ScreenPixel(OnScreen(form, 160, 220)), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(OnScreen(form, 190, 280)), RGB(255, 255, 255)) << "transparent by default";
    EXPECT_EQ(ScreenPixel(OnScreen(form, 160, 280)), RGB(0, 0, 0));
}

struct FindTip {
    HWND form, tip = nullptr;
};

// A named callback, not a lambda: a 32-bit build needs the system's calling convention.
BOOL CALLBACK CheckTipWindow(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<FindTip*>(lp);
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    if (_wcsicmp(cls, TOOLTIPS_CLASSW) == 0 && GetWindow(h, GW_OWNER) == f->form) f->tip = h;
    return f->tip == nullptr;
}

HWND TipWindowOf(HWND form) {
    FindTip find{form};
    EnumThreadWindows(GetCurrentThreadId(), CheckTipWindow, reinterpret_cast<LPARAM>(&find));
    return find.tip;
}

void SaveScreenBmp(const char* path, RECT r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof(bi);
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    const int stride = (w * 3 + 3) & ~3;
    std::vector<char> bits(static_cast<size_t>(stride) * static_cast<size_t>(h));
    GetDIBits(mem, bmp, 0, static_cast<UINT>(h), bits.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(bi) + bits.size()), 0, 0,
                        sizeof(fh) + sizeof(bi)};
    if (FILE* out = std::fopen(path, "wb")) {
        std::fwrite(&fh, sizeof fh, 1, out);
        std::fwrite(&bi, sizeof bi, 1, out);
        std::fwrite(bits.data(), 1, bits.size(), out);
        std::fclose(out);
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

std::wstring ToolText(HWND tip, TTTOOLINFOW& ti) {
    wchar_t buf[80] = {};
    ti.lpszText = buf;
    SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    return buf;
}

TEST_F(NativeKindsWin, TooltipsOnWindowlessAndNativeControlsFollowMovesAndShowOnHover) {
    HWND form = H(f_.hWnd());
    f_.Tipped.SetToolTipText(L"Pen size");
    f_.Button.SetToolTipText(L"Save the snip");
    HWND tip = TipWindowOf(form);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);

    TTTOOLINFOW label{};
    label.cbSize = TTTOOLINFOW_V2_SIZE;
    label.hwnd = form;
    label.uId = reinterpret_cast<UINT_PTR>(&f_.Tipped);
    EXPECT_EQ(ToolText(tip, label), L"Pen size");
    f_.Tipped.Move(30, 300);
    label.lpszText = nullptr;
    ASSERT_TRUE(SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&label)));
    EXPECT_EQ(label.rect.left, 30);
    EXPECT_EQ(label.rect.top, 300);
    EXPECT_EQ(label.rect.right, 130);

    TTTOOLINFOW button{};
    button.cbSize = TTTOOLINFOW_V2_SIZE;
    button.hwnd = form;
    button.uFlags = TTF_IDISHWND;
    button.uId = reinterpret_cast<UINT_PTR>(H(f_.Button));
    EXPECT_EQ(ToolText(tip, button), L"Save the snip");

    // Hovering the button shows its tip.
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, OnScreen(form, 150, 350));
    PumpFor(100);
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, OnScreen(form, 152, 351));
    PumpFor(1500);
    EXPECT_TRUE(IsWindowVisible(tip));
    RECT shot{};
    GetWindowRect(form, &shot);
    shot.bottom += 40;
    SaveScreenBmp("tooltip_hover.bmp", shot);

    f_.Tipped.SetToolTipText(L"");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

}  // namespace
