#pragma once
// Program-wide services of the platform: screen, pointer, pending events,
// clipboard, message boxes, files beside the program.
#include <string>
#include <string_view>

#include "platform/services/picture.h"
#include "platform/services/types.h"

namespace plat {

// Primary screen size in pixels (platform/services/monitors.h lists every monitor).
int ScreenWidthPx();
int ScreenHeightPx();

// Let every queued message of the thread run; returns when the queue is empty.
// Handlers run nested inside the caller.
void DoEvents();

// Sleeps until a message arrives for the thread (returns at once if one is queued).
void WaitForEvents();

// Runs the thread's message loop until QuitMessageLoop; returns its code.
int RunMessageLoop();
void QuitMessageLoop(int code);

// One pointer shape over all of the program's windows until set again.
void SetMousePointer(MousePointer p);
MousePointer GetMousePointer();

Point CursorPos();  // screen pixels
void SleepMs(int ms);

// What the screen shows in r now (everything on it, any program's windows).
Picture CaptureScreen(const Rect& r);
// The same for all of the screen (every monitor: the virtual screen's rectangle),
// as a snip takes it again and again: made in the memory the last picture of
// its size left once no other is alive, which spares the system handing out
// new memory page by page (about 3 ms at 1920 x 1080 under Wine).
Picture CaptureWholeScreen(const Rect& all);
// Readies the memory the next CaptureWholeScreen(all) is made in, for a
// moment when the program has nothing else to do: the first snip then needs
// no new memory either.
void PrepareWholeScreenCapture(const Rect& all);
// One block copy of the screen rectangle `from` onto `to` at (x, y); false
// when the system refused it.
bool CaptureScreenInto(Canvas& to, int x, int y, const Rect& from);

// Size of s drawn in f, in pixels.
Point MeasureText(std::wstring_view s, const Font& f);

// Copies the screen rectangle r to the clipboard as a bitmap, replacing its
// content. A 0-wide or 0-high r places the platform's bitmap of zero size
// (1 x 1, monochrome). Returns false when the clipboard could not be opened.
bool ClipboardPutScreenRect(const Rect& r);
bool ClipboardPutPicture(const Picture& p);
Picture ClipboardGetPicture();  // empty when the clipboard holds no bitmap

enum MsgBoxStyle : int { kMsgOk = 0, kMsgCritical = 16, kMsgExclamation = 48, kMsgInformation = 64 };
void MsgBox(const std::wstring& text, const std::wstring& title, int style);

// The folder holding the program, without a trailing separator.
std::wstring ExeDir();

// Live GDI objects and handles the program holds (for leak checks).
struct ResourceCounts {
    long gdiObjects = 0;
    long userObjects = 0;
    long ownedHandles = 0;  // handles held by this program's own owners
    friend bool operator==(const ResourceCounts&, const ResourceCounts&) = default;
};
ResourceCounts CurrentResourceCounts();

}  // namespace plat
