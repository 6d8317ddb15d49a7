// The region editor's memory: private bytes idle, with the editor open, and
// after 10 and 1000 snips (open, select, copy, close), in screen-sized
// pictures; whether the GDI and USER handle counts are back at their start
// after every snip; and what an editor with twenty picture frames leaves
// behind once closed. Prints figures; never fails for them.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/variants.h"
#include "platform/toolkit/forms.h"
#include "platform/services/imaging.h"
#include "platform/services/system.h"

namespace {

PROCESS_MEMORY_COUNTERS_EX MemoryCounters() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc));
    return pmc;
}

// Committed private memory, summed over the address space: what the system
// reports as private bytes, for when it reports none (Wine leaves it 0).
double CommittedPrivateBytes() {
    double sum = 0;
    MEMORY_BASIC_INFORMATION mbi{};
    for (auto* p = static_cast<char*>(nullptr); VirtualQuery(p, &mbi, sizeof(mbi)) == sizeof(mbi);
         p = static_cast<char*>(mbi.BaseAddress) + mbi.RegionSize) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) sum += static_cast<double>(mbi.RegionSize);
        if (mbi.RegionSize == 0) break;
    }
    return sum;
}

bool g_systemReportsPrivate = false;

double PrivateBytes() {
    const auto pmc = MemoryCounters();
    g_systemReportsPrivate = pmc.PrivateUsage != 0;
    return g_systemReportsPrivate ? static_cast<double>(pmc.PrivateUsage) : CommittedPrivateBytes();
}

// Resident memory as the system reports it: beside private bytes, it may
// hold pages of the window system's that are not this program's own.
double WorkingSet() { return static_cast<double>(MemoryCounters().WorkingSetSize); }

// Wine answers GetGuiResources with 0. Its GDI keeps the handle table that
// the process block points to, as the system does: one 24-byte entry a
// handle, a non-zero type for a live one, the owner's id in its low 16 bits
// of the owner field. Counted there, for the entries owned as a bitmap of
// ours is; -1 when the table does not prove itself by counting one more
// bitmap.
struct GdiEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type, flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiEntry) == 24);

const GdiEntry* GdiTable() {
#ifdef _WIN64
    constexpr size_t kTableInPeb = 0xF8;
#else
    constexpr size_t kTableInPeb = 0x94;
#endif
    using Query = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    FARPROC proc = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION info{};
    if (!proc) return nullptr;
    Query query;
    std::memcpy(&query, &proc, sizeof(query));
    if (query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0) return nullptr;
    auto* peb = reinterpret_cast<const char*>(info.PebBaseAddress);
    return peb ? *reinterpret_cast<const GdiEntry* const*>(peb + kTableInPeb) : nullptr;
}

long CountGdiTable(std::uint16_t owner) {
    static const GdiEntry* table = GdiTable();
    long n = 0;
    for (size_t i = 0; i < 0x10000; ++i)
        if (table[i].type != 0 && static_cast<std::uint16_t>(table[i].owner) == owner) ++n;
    return n;
}

long GdiObjectsFromTable() {
    static int trusted = -1;  // decided once
    static std::uint16_t owner = 0;
    if (trusted < 0) {
        trusted = 0;
        if (!GdiTable()) return -1;
        HBITMAP probe = CreateBitmap(1, 1, 1, 1, nullptr);
        const GdiEntry& e = GdiTable()[reinterpret_cast<std::uintptr_t>(probe) & 0xFFFF];
        owner = static_cast<std::uint16_t>(e.owner);
        const long with = e.type != 0 ? CountGdiTable(owner) : -1;
        DeleteObject(probe);
        trusted = with > 0 && CountGdiTable(owner) == with - 1;
    }
    return trusted ? CountGdiTable(owner) : -1;
}

// Named callbacks, not lambdas: a 32-bit build needs the system's calling convention.
BOOL CALLBACK CountChildWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<long*>(counter);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND w, LPARAM counter) {
    ++*reinterpret_cast<long*>(counter);
    EnumChildWindows(w, CountChildWindow, counter);
    return TRUE;
}

// GDI and USER objects as the system counts them (Wine reports 0 for both),
// GDI objects in the handle table, the handles held by the program's own
// owners, and its windows.
struct Handles {
    DWORD gdi, user;
    long gdiTable, owned, windows;
    bool operator==(const Handles&) const = default;
};

Handles GuiHandles() {
    long windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windows));
    return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
            GdiObjectsFromTable(), plat::CurrentResourceCounts().ownedHandles, windows};
}

// Lets the window system settle, so what is measured is what stays.
void Settle() {
    for (int i = 0; i < 30; ++i) {
        plat::DoEvents();
        plat::SleepMs(10);
    }
}

aaa& OpenEditor() {
    aaa& ed = plat::Forms<aaa>();
    ed.Show();
    plat::DoEvents();
    return ed;
}

void CloseEditor() {
    if (aaa* ed = plat::LoadedForm<aaa>()) SendMessageW(reinterpret_cast<HWND>(ed->hWnd()), WM_CHAR, VK_ESCAPE, 0);
    plat::DoEvents();
    plat::CollectUnloadedForms();
}

// One snip as a user makes it: the editor opens, a selection is shown and
// painted, its rectangle goes to the clipboard, the editor closes.
void Snip(int i) {
    aaa& ed = OpenEditor();
    const int x = 20 + i % 200, y = 30 + i % 150;
    ed.Shape1.Move(static_cast<float>(x), static_cast<float>(y), 240, 130);
    ed.Shape1.SetVisible(true);
    ed.Refresh();
    ed.ScrnCap(x, y, x + 240, y + 130);
    CloseEditor();
}

// Rounds of an editor opened with twenty sticker frames and closed; the
// private bytes' growth over the rounds after the first, and whether a
// handle count differed after any of them.
struct FramesResult {
    double growth = 0;
    int changed = 0;
};
FramesResult TwentyFrames(int rounds) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring sticker = std::wstring(tmp) + L"ms_bench_sticker.bmp";
    plat::Picture p = plat::Picture::Create(96, 96, plat::Rgb(255, 255, 255));
    p.Draw().FillRect({8, 30, 88, 66}, plat::Rgb(220, 40, 40));
    plat::SavePictureAsBmp(p, sticker);
    auto round = [&] {
        aaa& ed = OpenEditor();
        ed.Shape1.Move(100, 100, 400, 300);
        for (int i = 0; i < 20; ++i) ed.Frames.CreatePictureFrame(sticker);
        Settle();
        CloseEditor();
        Settle();
    };
    round();
    FramesResult r;
    const double before = PrivateBytes();
    const Handles start = GuiHandles();
    for (int i = 0; i < rounds; ++i) {
        round();
        if (!(GuiHandles() == start)) ++r.changed;
    }
    r.growth = PrivateBytes() - before;
    DeleteFileW(sticker.c_str());
    return r;
}

// One editor kept open while `shapes` rectangles are drawn in it with the
// mouse, each one a history step: the memory it then holds over an empty
// editor, and whether any handle count moved.
struct ShapesRun {
    double bytesOver = 0;
    int changed = 0;
};
ShapesRun DrawShapes(int shapes) {
    aaa& ed = OpenEditor();
    HWND h = reinterpret_cast<HWND>(ed.hWnd());
    auto send = [&](UINT msg, WPARAM wp, int x, int y) { SendMessageW(h, msg, wp, MAKELPARAM(x, y)); };
    send(WM_LBUTTONDOWN, MK_LBUTTON, 50, 50);
    send(WM_MOUSEMOVE, MK_LBUTTON, plat::ScreenWidthPx() - 50, plat::ScreenHeightPx() - 50);
    send(WM_LBUTTONUP, 0, plat::ScreenWidthPx() - 50, plat::ScreenHeightPx() - 50);
    ed.ToolActive = true;
    ed.CurrentTool = L"Add a rectangle";
    ed.DrawWidth = 3;
    Settle();
    const double before = PrivateBytes();
    const Handles start = GuiHandles();
    ShapesRun run;
    for (int i = 0; i < shapes; ++i) {
        const int x = 100 + (i * 37) % 1200, y = 100 + (i * 23) % 700;
        send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        send(WM_MOUSEMOVE, MK_LBUTTON, x + 60 + i % 200, y + 40 + i % 150);
        send(WM_LBUTTONUP, 0, x + 60 + i % 200, y + 40 + i % 150);
        plat::DoEvents();
        if (!(GuiHandles() == start)) ++run.changed;
    }
    Settle();
    run.bytesOver = PrivateBytes() - before;
    CloseEditor();
    return run;
}

}  // namespace

int main() {
    const int w = plat::ScreenWidthPx(), h = plat::ScreenHeightPx();
    const double picture = 4.0 * w * h, mb = 1024.0 * 1024.0;

    const auto t0 = GetTickCount64();
    Snip(0);  // first use creates fonts, the window class and the clipboard's formats
    Settle();
    const double idle = PrivateBytes(), idleSet = WorkingSet();
    OpenEditor();
    Settle();
    const double open = PrivateBytes(), openSet = WorkingSet();
    CloseEditor();
    Settle();

    const Handles start = GuiHandles();
    int changed = 0, done = 0;
    double after10 = 0;
    Handles worst = start;
    // MS_BENCH_SNIPS=n shortens the run while working on it.
    const char* env = std::getenv("MS_BENCH_SNIPS");
    const int snips = env && std::atoi(env) > 10 ? std::atoi(env) : 1000;
    for (int i = 1; i <= snips; ++i) {
        Snip(i);
        ++done;
        const Handles now = GuiHandles();
        if (!(now == start)) {
            ++changed;
            worst = now;
        }
        if (i == 10) {
            Settle();
            after10 = PrivateBytes();
        }
    }
    Settle();
    const double after1000 = PrivateBytes();
    const double msPerSnip = static_cast<double>(GetTickCount64() - t0) / (done + 1);
    const FramesResult frames = TwentyFrames(10);

    std::printf("editor memory at %dx%d (one screen-sized picture: %.1f MB)\n", w, h, picture / mb);
    std::printf("  private bytes: %s\n", g_systemReportsPrivate ? "as the system reports them"
                                                                : "committed private memory (the system reports 0)");
    std::printf("  private bytes idle / editor open %9.1f / %.1f MB\n", idle / mb, open / mb);
    std::printf("  editor open - idle               %9.1f MB = %.2f pictures\n", (open - idle) / mb,
                (open - idle) / picture);
    std::printf("  working set, editor open - idle  %9.1f MB = %.2f pictures (resident, as the system reports it)\n",
                (openSet - idleSet) / mb, (openSet - idleSet) / picture);
    std::printf("  private bytes after 10 / %d snips %8.1f / %.1f MB, growth %+.2f MB\n", snips, after10 / mb,
                after1000 / mb, (after1000 - after10) / mb);
    std::printf("  GDI / USER (system) at start     %9lu / %lu\n", static_cast<unsigned long>(start.gdi),
                static_cast<unsigned long>(start.user));
    std::printf("  GDI objects in the handle table  %9ld%s\n", start.gdiTable,
                start.gdiTable < 0 ? " (the table could not be read)" : "");
    std::printf("  owned handles / windows at start %9ld / %ld\n", start.owned, start.windows);
    std::printf("  snips after which a count differed %7d of %d", changed, done);
    if (changed)
        std::printf(" (last: %lu / %lu / %ld / %ld / %ld)", static_cast<unsigned long>(worst.gdi),
                    static_cast<unsigned long>(worst.user), worst.gdiTable, worst.owned, worst.windows);
    std::printf("\n  %.0f ms a snip\n", msPerSnip);
    const ShapesRun shapes = DrawShapes(1000);
    std::printf("  one editor, 1000 rectangles drawn: %.1f MB more, handle counts changed after %d of them\n",
                shapes.bytesOver / mb, shapes.changed);
    std::printf("@ editor open: private bytes over idle (pictures)|%.2f|2.5|%.2f|<= 1.0\n", (open - idle) / picture,
                (open - idle) / picture / 2.5);
    std::printf("@ snips 10 to %d: private bytes growth (MB)|%.2f|1.0|%.2f|<= 1.0\n", snips, (after1000 - after10) / mb,
                (after1000 - after10) / mb);
    std::printf("@ snips leaving a handle count changed|%d|0|-|0\n", changed);
    std::printf("@ 10 editors with 20 picture frames, closed: private bytes growth (MB)|%.2f|1.0|%.2f|<= 1.0\n",
                frames.growth / mb, frames.growth / mb);
    std::printf("@ editors with 20 picture frames leaving a handle count changed|%d|0|-|0\n", frames.changed);
    std::printf("@ 1000 shapes in one editor: memory held (MB)|%.1f|%.1f|%.3f|fits a 32-bit process\n",
                shapes.bytesOver / mb, 1000 * picture / mb, shapes.bytesOver / (1000 * picture));
    std::printf("@ 1000 shapes in one editor: steps changing a handle count|%d|0|-|0\n", shapes.changed);
    return 0;
}
